#pragma once
// The Windows side of automatic logon: the profile's Windows credentials tab, the Winlogon
// values with automatic logon on, the lock entry when the window asks for it, and in the
// workstation-only mode the Windows logon dialog in place of the Novell one.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

void SetWindowsCredentials(LogonContext& context, const LogonSettings& settings);

// Mode 1's note where Windows has no logon dialog to replace (Vista and later).
inline constexpr const char* kNoteNoGina =
    "Windows Vista and later have no logon dialog to replace: GinaDLL is not written.";

}  // namespace sentrel
