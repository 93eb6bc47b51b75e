#pragma once
// The Windows side of automatic logon: the profile's Windows credentials tab, the Winlogon
// values with automatic logon on, the lock entry when the window asks for it, and in the
// workstation-only mode the Windows logon dialog in place of the Novell one.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

void SetWindowsCredentials(LogonContext& context, const LogonSettings& settings);

}  // namespace sentrel
