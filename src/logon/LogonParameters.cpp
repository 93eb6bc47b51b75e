#include "logon/LogonParameters.h"

#include "logon/KeyAccess.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

void SetLogonParameters(LogonContext& context, const LogonSettings& settings, NmasStep nmas) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (nmas == NmasStep::Save && OpenOnly(reg, kNovellLoginKey, true)) SaveAndSwitchOffNmas(reg);
    WriteWindowsCredentialsTab(reg, context, settings);
    SetWinlogonUser(context.store, settings.MsDomain, settings.MsUser);
    if (OpenOnly(reg, kNovellLoginKey, false))
        WriteNovellLoginValues(reg, context, settings, DirectoryLogon::Prompted);
    WriteDirectoryProfile(reg, context, settings, DirectoryLogon::Prompted);
}

}  // namespace sentrel
