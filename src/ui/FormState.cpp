#include "ui/FormState.h"

#include "logon/LogonSettings.h"

namespace sentrel {

FormState::FormState() {
    SetModeEntries(std::vector<std::string>(std::begin(kModeEntries), std::end(kModeEntries)));
}

void FormState::SetModeEntries(std::vector<std::string> entries) {
    modeEntries = std::move(entries);
    modeIndex = modeEntries.empty() ? -1 : 0;
    modeText = modeEntries.empty() ? std::string() : modeEntries[0];
}

}  // namespace sentrel
