#include "logon/WindowsCredentials.h"

#include "logon/KeyAccess.h"
#include "logon/LogonDialogBackup.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

void SetWindowsCredentials(LogonContext& context, const LogonSettings& settings) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    WriteWindowsCredentialsTab(reg, context, settings);
    SetWinlogonUser(context.store, settings.MsDomain, settings.MsUser);
    EnableWinlogonAutoLogon(context.store, settings.MsPassword);
    if (settings.LockWorkstation) SetLockWorkstation(context.store);
    if (context.state.ModeText != kModeWorkstationOnly) return;

    // The Windows logon dialog replaces the Novell one; keys that are missing (no client)
    // are left alone.
    if (OpenOnly(reg, kInitialLoginKey, false))
        reg.WriteString(kLoginWhenNwginaNotLoaded, "No");
    if (context.environment.WithoutGina()) {
        context.state.Note = kNoteNoGina;
    } else if (OpenOnly(reg, kWinlogonKey, false)) {
        SaveLogonDialog(reg);
        reg.WriteString(kGinaDll, kWindowsLogonDialog);
    }
    if (OpenOnly(reg, kNeverLoginKey, false)) reg.WriteInteger(kNeverLoginValue, 1);
}

}  // namespace sentrel
