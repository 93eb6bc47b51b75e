#include "ui/FormState.h"

#include "logon/LogonSettings.h"

namespace sentrel {

FormState::FormState() { SetAllModeEntries(); }

void FormState::SetAllModeEntries() {
    SetModeEntries(std::vector<std::string>(std::begin(kModeEntries), std::end(kModeEntries)));
}

void FormState::SetModeEntries(std::vector<std::string> entries) {
    modeEntries = std::move(entries);
    modeIndex = modeEntries.empty() ? -1 : 0;
}

LogonSettings FormState::Settings() const {
    LogonSettings settings;
    settings.NdsTree = edtTree;
    settings.NdsContext = edtContext;
    settings.NdsUser = EdtUsr;
    settings.NdsPassword = edtNDSPass;
    settings.NdsServer = edtServer;
    settings.MsDomain = EdtMSDom;
    settings.MsUser = edtMSUsr;
    settings.MsPassword = EdtMSPass;
    settings.RunScript = cbRunLoginScript;
    settings.ShowResult = cbShowResult;
    settings.LockWorkstation = cbLockWkstn;
    return settings;
}

std::string FormState::ModeCode() const {
    if (modeEntries.size() == 1 && modeEntries[0] == kModeEntries[1]) return kModeWorkstationOnly;
    return std::string(1, static_cast<char>('0' + (modeIndex < 0 ? 0 : modeIndex)));
}

}  // namespace sentrel
