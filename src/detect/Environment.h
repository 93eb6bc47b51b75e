#pragma once
// What start-up detects of the workstation, once: both doors and the writers take it, the window
// shows it and never holds it.
#include <string>

#include "detect/ClientVersion.h"
#include "detect/WindowsFamily.h"

namespace sentrel {

struct Environment {
    std::string windowsFamily;  // the family text (kWindows95, kWindowsNT, ...)
    std::string clientVersion;  // a dotted version, kClientNotDetected or kClientOnWindows3x

    bool ClientDetected() const { return clientVersion != kClientNotDetected; }
};

}  // namespace sentrel
