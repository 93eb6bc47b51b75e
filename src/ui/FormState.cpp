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

std::string FormState::ModeCode() const {
    if (modeEntries.size() == 1 && modeEntries[0] == kModeEntries[1]) return kModeWorkstationOnly;
    return std::string(1, static_cast<char>('0' + (modeIndex < 0 ? 0 : modeIndex)));
}

}  // namespace sentrel
