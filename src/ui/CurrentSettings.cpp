#include "ui/CurrentSettings.h"

#include "detect/WindowsFamily.h"
#include "logon/LogonSettings.h"
#include "ui/ModeSelection.h"

namespace sentrel {

namespace {

// The mode in force selected, the first mode where none or a mix is in force; the boxes as
// stored. A password field keeps what was typed only while that password is stored.
void ShowInForce(const LogonInForce& inForce, FormState& form) {
    if (form.modeEntries.size() == std::size(kModeEntries)) {
        form.modeIndex = IsLogonMode(inForce.mode) ? inForce.mode[0] - '0' : 0;
    }
    form.cbRunLoginScript = inForce.runScript;
    form.cbShowResult = inForce.showResult;
    form.cbLockWkstn = inForce.lockWorkstation;
    if (!inForce.ndsPasswordStored) form.edtNDSPass.clear();
    if (!inForce.msPasswordStored) form.EdtMSPass.clear();
}

}  // namespace

void ReadCurrentSettings9x(RegistryStore& store, const std::string& profile, bool clientDetected,
                           FormState& form) {
    const LogonInForce inForce = ReadLogonInForce(store, profile, true, true);
    form.edtTree = inForce.ndsTree;
    form.edtContext = inForce.ndsContext;
    form.edtServer = inForce.ndsServer;
    form.EdtUsr = inForce.ndsUser;
    form.windowsGroupVisible = false;
    form.noClientWarningVisible = !clientDetected;
    ShowInForce(inForce, form);
}

void ReadCurrentSettings(RegistryStore& store, const std::string& profile, bool clientDetected,
                         FormState& form) {
    const bool client = clientDetected;
    const LogonInForce inForce = ReadLogonInForce(store, profile, false, client);
    if (client) {
        form.noClientWarningVisible = false;
        form.directoryFieldsVisible = true;
        if (form.modeEntries.size() != std::size(kModeEntries)) form.SetAllModeEntries();
        form.edtTree = inForce.ndsTree;
        form.edtContext = inForce.ndsContext;
        form.edtServer = inForce.ndsServer;
        form.EdtUsr = inForce.ndsUser;
    } else {
        form.directoryFieldsVisible = false;
        form.noClientWarningVisible = true;
        form.SetModeEntries({kModeEntries[1]});  // selected, and it is mode 1
    }
    form.EdtMSDom = inForce.msDomain;
    form.edtMSUsr = inForce.msUser;
    ShowInForce(inForce, form);
}

void ShowCurrentSettings(LogonContext& context, FormState& form) {
    if (IsWindows9x(context.platform)) {
        form.edWinVer = kRunningWindows9x;
        ReadCurrentSettings9x(context.store, context.state.ProfileName, context.clientDetected,
                              form);
    } else {
        form.edWinVer = kRunningWindowsNT;
        ReadCurrentSettings(context.store, context.state.ProfileName, context.clientDetected,
                            form);
    }
    // user32 has LockWorkStation from Windows 2000 on: on NT 4 the entry would fail at every
    // logon, so the box can't be ticked there.
    form.cbLockWkstnEnabled = GetWindowsVersion(context.platform) != kWindowsNT;
    if (!form.cbLockWkstnEnabled) form.cbLockWkstn = false;
    ModeSelected(form, context.state);
}

}  // namespace sentrel
