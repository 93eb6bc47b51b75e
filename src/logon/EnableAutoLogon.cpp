#include "logon/EnableAutoLogon.h"

#include "logon/DirectoryAutoLogon.h"
#include "logon/KeyAccess.h"
#include "logon/RegistryPaths.h"
#include "logon/LogonDialog.h"
#include "logon/LogonParameters.h"
#include "logon/WindowsCredentials.h"

namespace sentrel {

void EnableAutoLogon(LogonContext& context, const LogonSettings& settings) {
    std::string& mode = context.state.ModeText;
    if (IsLogonMode(mode)) CheckWritable(context.store, kWinlogonKey);
    // Storing the names only ("3") never needs the client, and must not turn into an
    // automatic logon just because the client is missing.
    if (!context.environment.ClientDetected() && mode != kModeParametersOnly)
        mode = kModeWorkstationOnly;

    // A machine that mode 1 set up gets its logon dialog back first, so that every mode leaves
    // it as enabling that mode on the machine before mode 1 would.
    if (mode != kModeWorkstationOnly && IsLogonMode(mode))
        PutBackReplacedLogonDialog(context);

    if (mode == kModeDirectoryAndWorkstation) {
        SetDirectoryAutoLogon(context, settings);
        SetWindowsCredentials(context, settings);
    } else if (mode == kModeWorkstationOnly || mode == kModeDirectoryPrompt) {
        SetLogonParameters(context, settings);
        SetWindowsCredentials(context, settings);
    } else if (mode == kModeParametersOnly) {
        SetLogonParameters(context, settings);
    }
}

}  // namespace sentrel
