#pragma once
// What start-up would have detected on a test's machine, for a test that builds a writer's or
// the window's context itself.
#include "detect/Environment.h"

namespace sentrel::test {

inline Environment Detected(Platform& platform, bool clientDetected) {
    Environment environment;
    DetectWindows(platform, environment);
    environment.clientVersion = clientDetected ? "4.91.2.0" : kClientNotDetected;
    return environment;
}

}  // namespace sentrel::test
