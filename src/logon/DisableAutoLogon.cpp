#include "logon/DisableAutoLogon.h"

#include "logon/KeyAccess.h"
#include "logon/LocationProfile.h"
#include "logon/LogonDialogBackup.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WindowsAutoLogon9x.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

namespace {

const char* const kLgnXTierKey = "\\SOFTWARE\\Novell\\LgnXTier";

}  // namespace

// Keys that are only opened are skipped when missing; keys that are opened or created make the
// step's first write fail when they can't be had, which stops the sequence there.
void DisableAutoLogon(LogonContext& context) {
    CheckWritable(context.store, kWinlogonKey);
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);

    if (OpenOnly(reg, kLgnXTierKey, false)) {
        for (const char* name : {"AutoAdminLogon", "DefaultUserName", "DefaultPassword"})
            if (reg.ValueExists(name)) reg.DeleteValue(name);
    }

    if (OpenOnly(reg, kWinlogonKey, false)) {
        reg.WriteString("AutoAdminLogon", "0");
        reg.WriteString("DefaultPassword", "");
        reg.WriteString("ForceAutoLogon", "0");
    }

    OpenOnly(reg, kNovellLoginKey, true);
    reg.WriteString("AutoAdminLogon", "0");
    reg.WriteString("DefaultPassword", "");
    RestoreNmas(reg);

    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString("NetWareAutoAdminLogon", "0");

    if (OpenOnly(reg, kRunKey, false)) reg.DeleteValue(kLockEntryName);

    std::string firstProfile;
    if (OpenOnly(reg, kProfileListKey, false)) firstProfile = reg.ReadString("0");

    OpenOnly(reg, kNovellLoginKey, true);
    reg.WriteString("DefaultLocationProfile", firstProfile);

    if (OpenOnly(reg, kProfilesRootKey, false)) reg.WriteString("Last Used", firstProfile);

    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString("DefaultNetWarePassword", "");

    if (OpenOnly(reg, kInitialLoginKey, false))
        reg.WriteString(kLoginWhenNwginaNotLoaded, "Yes");

    // A third-party dialog that an enable replaced comes back. Otherwise the Novell dialog
    // replaces only the Windows one (or none): without a client there is no Novell one, and a
    // third-party dialog in place (one a first disable put back) stays. Vista and later have
    // none: a dialog kept from an older Windows stays kept.
    if (!context.environment.WithoutGina() && OpenOnly(reg, kWinlogonKey, false)) {
        if (std::optional<RegistryValue> kept = LogonDialogToRestore(context.store))
            reg.WriteValue(kGinaDll, kept->type, kept->data);
        else if (context.environment.ClientDetected() && NamesWindowsOrNoDialog(reg))
            reg.WriteString(kGinaDll, "NWGINA.DLL");
        RemoveLogonDialogBackup(context.store);
    }

    if (OpenOnly(reg, kNeverLoginKey, false)) reg.WriteInteger(kNeverLoginValue, 0);
}

void DisableAutoLogon9x(LogonContext& context) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (OpenOnly(reg, kRunKey, true)) reg.DeleteValue(context.state.ProfileName);
    if (OpenOnly(reg, kRealModeNetKey, false)) reg.DeleteValue(kRealModeAutoLogon);
}

}  // namespace sentrel
