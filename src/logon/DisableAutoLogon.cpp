#include "logon/DisableAutoLogon.h"

#include "logon/KeyAccess.h"
#include "logon/LocationProfile.h"
#include "logon/LogonDialog.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WindowsAutoLogon9x.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

namespace {

// What an older client's automatic logon left: deleted, never written.
const char* const kLgnXTierValues[] = {"AutoAdminLogon", "DefaultUserName", "DefaultPassword"};

}  // namespace

// Keys that are only opened are skipped when missing; keys that are opened or created make the
// step's first write fail when they can't be had, which stops the sequence there.
void DisableAutoLogon(LogonContext& context) {
    CheckWritable(context.store, kWinlogonKey);
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);

    if (OpenOnly(reg, kLgnXTierKey, false)) {
        for (const char* name : kLgnXTierValues)
            if (reg.ValueExists(name)) reg.DeleteValue(name);
    }

    DisableWinlogonAutoLogon(context.store);

    OpenOnly(reg, kNovellLoginKey, true);
    SwitchOffNovellLogin(reg);
    RestoreNmas(reg);

    SwitchOffNovellDialog(reg);

    RemoveLockWorkstation(context.store);

    std::string firstProfile;
    if (OpenOnly(reg, kProfileListKey, false)) firstProfile = reg.ReadString("0");

    OpenOnly(reg, kNovellLoginKey, true);
    reg.WriteString(kLoginDefaultLocationProfile, firstProfile);

    if (OpenOnly(reg, kProfilesRootKey, false)) reg.WriteString(kLastUsed, firstProfile);

    EmptyNovellDialogPassword(reg);
    reg.CloseKey();

    PutBackNovellLogonDialog(context);
}

void DisableAutoLogon9x(LogonContext& context) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (OpenOnly(reg, kRunKey, true)) reg.DeleteValue(context.state.ProfileName);
    if (OpenOnly(reg, kRealModeNetKey, false)) reg.DeleteValue(kRealModeAutoLogon);
}

}  // namespace sentrel
