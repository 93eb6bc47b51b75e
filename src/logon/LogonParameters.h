#pragma once
// Stores the directory (NDS) names in the Novell client's settings and the location profile,
// and the Windows domain and user in the profile and in Winlogon, with every automatic logon
// switch it touches set to off. It stores no password.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

// Skip leaves "NMAS Authentication" and its backup alone: after the unattended disable has
// restored NMAS, saving and switching it off again would undo that.
enum class NmasStep { Save, Skip };

void SetLogonParameters(LogonContext& context, const LogonSettings& settings,
                        NmasStep nmas = NmasStep::Save);

}  // namespace sentrel
