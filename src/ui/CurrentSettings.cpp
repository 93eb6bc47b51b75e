#include "ui/CurrentSettings.h"

#include <span>

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
    form.settings.RunScript = inForce.stored.RunScript;
    form.settings.ShowResult = inForce.stored.ShowResult;
    form.settings.LockWorkstation = inForce.stored.LockWorkstation;
    if (!inForce.ndsPasswordStored) form.settings.NdsPassword.clear();
    if (!inForce.msPasswordStored) form.settings.MsPassword.clear();
}

void ShowNames(std::span<const NameField> names, const LogonInForce& inForce, FormState& form) {
    for (NameField name : names) form.settings.*name = inForce.stored.*name;
}

}  // namespace

void ReadCurrentSettings9x(RegistryStore& store, const std::string& profile, bool clientDetected,
                           FormState& form) {
    const LogonInForce inForce = ReadLogonInForce(store, profile, true, true);
    ShowNames(kDirectoryNames, inForce, form);
    form.windowsGroupVisible = false;
    form.noClientWarningVisible = !clientDetected;
    ShowInForce(inForce, form);
}

void ReadCurrentSettings(RegistryStore& store, const std::string& profile, bool clientDetected,
                         FormState& form, bool withoutGina) {
    const LogonInForce inForce =
        ReadLogonInForce(store, profile, false, clientDetected, withoutGina);
    if (clientDetected) {
        form.noClientWarningVisible = false;
        form.directoryFieldsVisible = true;
        if (form.modeEntries.size() != std::size(kModeEntries)) form.SetAllModeEntries();
        ShowNames(kDirectoryNames, inForce, form);
    } else {
        form.directoryFieldsVisible = false;
        form.noClientWarningVisible = true;
        form.SetModeEntries({kModeEntries[1]});  // selected, and it is mode 1
    }
    ShowNames(kWindowsNames, inForce, form);
    ShowInForce(inForce, form);
}

void ShowCurrentSettings(LogonContext& context, FormState& form) {
    const Environment& environment = context.environment;
    if (environment.Windows9x()) {
        form.edWinVer = kRunningWindows9x;
        ReadCurrentSettings9x(context.store, context.state.ProfileName,
                              environment.ClientDetected(), form);
    } else {
        form.edWinVer = kRunningWindowsNT;
        ReadCurrentSettings(context.store, context.state.ProfileName, environment.ClientDetected(),
                            form, environment.WithoutGina());
    }
    // user32 has LockWorkStation from Windows 2000 on: on NT 4 the entry would fail at every
    // logon, so the box can't be ticked there.
    form.cbLockWkstnEnabled = !environment.NtWithoutLock();
    if (!form.cbLockWkstnEnabled) form.settings.LockWorkstation = false;
    ModeSelected(form, context.state);
}

}  // namespace sentrel
