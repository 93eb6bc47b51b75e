#pragma once
// Switches automatic logon off again. Both operations can run any number of times: a second run
// leaves the registry as the first one did.
#include "logon/LogonContext.h"

namespace sentrel {

// NT family: Windows and Novell automatic logon off and their stored passwords emptied, NMAS as
// it was before the enable, the first listed profile the default again, the Novell logon dialog
// back, the lock entry removed.
void DisableAutoLogon(LogonContext& context);

// Windows 9x: removes the start-up login command and the real-mode network logon value. The
// door that ran it says kMsgAutoLogonDisabled9x once the removal is written.
void DisableAutoLogon9x(LogonContext& context);

// The logon values an older client left there, deleted by the disable.
inline constexpr const char* kLgnXTierKey = "\\SOFTWARE\\Novell\\LgnXTier";

inline constexpr const char* kMsgAutoLogonDisabled9x = "AutoLogon has been disabled";

}  // namespace sentrel
