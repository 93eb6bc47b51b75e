#include "logon/LogonParameters.h"

#include "logon/KeyAccess.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

void SetLogonParameters(LogonContext& context, const LogonSettings& settings, ParametersRun run) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    const bool enable = run == ParametersRun::Enable;
    if (enable && OpenOnly(reg, kNovellLoginKey, true)) SaveAndSwitchOffNmas(reg);
    WriteWindowsCredentialsTab(reg, context, settings);
    SetWinlogonUser(context.store, settings.MsDomain, settings.MsUser);
    if (OpenOnly(reg, kNovellLoginKey, false))
        WriteNovellLoginValues(reg, context, settings, DirectoryLogon::Prompted, enable);
    WriteDirectoryProfile(reg, context, settings, DirectoryLogon::Prompted);
}

}  // namespace sentrel
