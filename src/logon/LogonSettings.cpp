#include "logon/LogonSettings.h"

namespace sentrel {

bool IsLogonMode(const std::string& text) {
    return text == kModeDirectoryAndWorkstation || text == kModeWorkstationOnly ||
           text == kModeDirectoryPrompt || text == kModeParametersOnly;
}

}  // namespace sentrel
