#pragma once
// What start-up detects of the workstation, once: both doors and the writers take it, the window
// shows it and never holds it.
#include <string>

#include "detect/ClientVersion.h"
#include "detect/WindowsFamily.h"
#include "platform/Platform.h"

namespace sentrel {

struct Environment {
    std::string windowsFamily;   // the family text (kWindows95, kWindowsNT, ...)
    std::string windowsVersion;  // the family and the version Windows reports, for a record
    std::string computerName;    // GetWorkstationName's text, for /AutoWSName and a record
    std::string clientVersion;   // a dotted version, kClientNotDetected or kClientOnWindows3x

    bool ClientDetected() const { return clientVersion != kClientNotDetected; }
    bool Windows9x() const { return windowsFamily == kWindows95; }
};

// What the platform tells of the machine: the Windows family, the reported version and the
// computer name. The client's version is read from the registry later, where the run may go on.
void DetectWindows(Platform& platform, Environment& environment);

}  // namespace sentrel
