#pragma once
// Switches automatic logon on, on the NT family: runs the writers of the current mode.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

// Reads the mode from ModeText. Without a Novell client the workstation-only mode is used instead of a mode that
// needs the client. Any text that is not a mode writes nothing.
void EnableAutoLogon(LogonContext& context, const LogonSettings& settings);

}  // namespace sentrel
