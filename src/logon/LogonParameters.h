#pragma once
// Stores the directory (NDS) names in the Novell client's settings and the location profile,
// and the Windows domain and user in the profile and in Winlogon, with every automatic logon
// switch it touches set to off. It stores no password.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

// After the unattended disable, "NMAS Authentication", its backup and the default location
// profile stay as the disable left them: saving and switching NMAS off again, or naming the
// program's profile the default again, would undo what the disable restored.
enum class ParametersRun { Enable, AfterDisable };

void SetLogonParameters(LogonContext& context, const LogonSettings& settings,
                        ParametersRun run = ParametersRun::Enable);

}  // namespace sentrel
