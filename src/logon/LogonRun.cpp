#include "logon/LogonRun.h"

#include "logon/AllOrNothing.h"
#include "logon/DisableAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "logon/LogonParameters.h"
#include "logon/RunError.h"
#include "logon/WindowsAutoLogon9x.h"

namespace sentrel {

namespace {

struct Request {
    LogonAction action;
    const LogonSettings& settings;
    SettingsGuess guess;  // or none
    const void* data;
};

void Writers(LogonContext& planned, void* data) {
    const Request& request = *static_cast<const Request*>(data);
    LogonSettings settings = request.settings;
    if (request.guess) request.guess(planned, request.data, settings);
    const Environment& environment = planned.environment;
    if (request.action == LogonAction::Enable) {
        if (settings.LockWorkstation && environment.NtWithoutLock())
            throw RunError(kExitFailed, kMsgLockNeedsWindows2000);
        if (environment.Windows9x())
            EnableAutoLogon9x(planned, settings);
        else
            EnableAutoLogon(planned, settings);
    } else if (environment.Windows9x()) {
        DisableAutoLogon9x(planned);
    } else {
        DisableAutoLogon(planned);
        // The names stay on the logon screen; NMAS and the default profile stay as the disable
        // restored them.
        if (request.action == LogonAction::DisableKeepingNames)
            SetLogonParameters(planned, settings, ParametersRun::AfterDisable);
    }
}

}  // namespace

std::vector<RegistryChange> RunLogon(LogonContext& context, LogonAction action,
                                     const LogonSettings& settings, SettingsGuess guess,
                                     const void* data) {
    Request request{action, settings, guess, data};
    return WriteAllOrNothing(context, Writers, &request);
}

}  // namespace sentrel
