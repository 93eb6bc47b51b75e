#include "logon/WindowsCredentials.h"

#include "logon/LogonDialog.h"
#include "logon/NovellLogin.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

void SetWindowsCredentials(LogonContext& context, const LogonSettings& settings) {
    {
        TRegistry reg(context.store);
        reg.SetRootKey(kHkeyLocalMachine);
        WriteWindowsCredentialsTab(reg, context, settings);
    }
    SetWinlogonUser(context.store, settings.MsDomain, settings.MsUser);
    EnableWinlogonAutoLogon(context.store, settings.MsPassword);
    if (settings.LockWorkstation) SetLockWorkstation(context.store);
    if (context.state.ModeText == kModeWorkstationOnly) UseWindowsLogonDialog(context);
}

}  // namespace sentrel
