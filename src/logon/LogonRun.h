#pragma once
// The one place that chooses a run's writers, by the detected Windows family and the action:
// the window's buttons and the unattended run both come here, so the two doors write the same
// values. The run writes all or nothing (AllOrNothing.h).
#include <vector>

#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"
#include "registry/RegistryChange.h"

namespace sentrel {

enum class LogonAction {
    Enable,               // the mode in the state's ModeText
    Disable,              // the window's Disable
    DisableKeepingNames,  // /Disable: on the NT family the names stay on the logon screen
};

// Completes the run's settings inside the run, from the plan it writes into: a value guessed
// from the registry is then the one the run writes over, after any put-back of a cut-off run.
using SettingsGuess = void (*)(LogonContext& planned, const void* data, LogonSettings& settings);

// Runs the action's writers with the settings (completed by guess, when given) all or nothing,
// and gives the changes written, net. What a run must check (what guess checks, /LockWS on
// Windows NT 4) is checked before anything is written. A failure raises RunError with exit
// code kExitFailed.
std::vector<RegistryChange> RunLogon(LogonContext& context, LogonAction action,
                                     const LogonSettings& settings,
                                     SettingsGuess guess = nullptr, const void* data = nullptr);

inline constexpr const char* kMsgLockNeedsWindows2000 =
    "/LockWS needs Windows 2000 or later: Windows NT 4 cannot lock the workstation";

}  // namespace sentrel
