#pragma once
// The Enable and Disable buttons: the logon writers of the detected Windows family with the
// settings the fields stand for, then the button's own message.
#include "logon/LogonContext.h"
#include "ui/FormState.h"

namespace sentrel {

// Both run the writers of the detected family (LogonRun.h), all or nothing; a failure raises
// RunError, which the window shows. Each then shows what is in force now
// (ReadCurrentSettings): a password that is no longer stored leaves its field empty.
void EnableClicked(LogonContext& context, FormState& form);
void DisableClicked(LogonContext& context, FormState& form);

inline constexpr const char* kMsgAutoLoginEnabled = "Auto Login has been enabled";
inline constexpr const char* kMsgAutoLoginDisabled = "Auto Login has been disabled";

}  // namespace sentrel
