#pragma once
// Automatic logon to eDirectory with a stored password: the Novell client's login values, the
// location profile and the Novell logon dialog's defaults with automatic logon on, then the
// workstation service's dependency on SRVLOC.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

void SetDirectoryAutoLogon(LogonContext& context, const LogonSettings& settings);

}  // namespace sentrel
