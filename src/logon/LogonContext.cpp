#include "logon/LogonContext.h"

namespace sentrel {

void ShowError(Platform& platform, const std::string& message) {
    platform.ShowMessageBox(message, kApplicationTitle, kMbOk | kMbIconError);
}

}  // namespace sentrel
