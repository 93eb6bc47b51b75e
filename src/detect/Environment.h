#pragma once
// What start-up detects of the workstation, once: both doors and the writers take it, the window
// shows it and never holds it.
#include <cstdint>
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
    // On the NT family the version Windows reports, as major * 100 + minor (501 for XP,
    // 1000 for 10 and 11); 0 elsewhere. What a Windows version has is asked of this, never of
    // the family text, which is "Windows NT" for NT 4 and for 6.0 and later alike.
    std::uint32_t ntVersion = 0;

    bool ClientDetected() const { return clientVersion != kClientNotDetected; }
    bool Windows9x() const { return windowsFamily == kWindows95; }
    // NT before 2000, which has no LockWorkStation: the lock is refused there.
    bool NtWithoutLock() const { return windowsFamily == kWindowsNT && ntVersion < 500; }
    // Vista and later have no logon dialog (GINA) to replace: "GinaDLL" means nothing there.
    bool WithoutGina() const { return ntVersion >= 600; }
    // Vista and later: an administrator's program may run without the rights it needs
    // (User Account Control) until started with "Run as administrator".
    bool WithUserAccountControl() const { return ntVersion >= 600; }
};

// What the platform tells of the machine: the Windows family, the reported version and the
// computer name. The client's version is read from the registry later, where the run may go on.
void DetectWindows(Platform& platform, Environment& environment);

}  // namespace sentrel
