#pragma once
// The Enable and Disable buttons: the logon writers of the detected Windows family with the
// fields as they stand, then the button's own message.
#include "logon/LogonContext.h"
#include "ui/FormState.h"

namespace sentrel {

void EnableClicked(LogonContext& context, const FormState& form);
void DisableClicked(LogonContext& context);

inline constexpr const char* kMsgAutoLoginEnabled = "Auto Login has been enabled";
inline constexpr const char* kMsgAutoLoginDisabled = "Auto Login has been disabled";

}  // namespace sentrel
