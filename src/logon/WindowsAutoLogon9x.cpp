#include "logon/WindowsAutoLogon9x.h"

#include <stdexcept>

#include "logon/KeyAccess.h"
#include "logon/LocationProfile.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

std::string BuildLoginCommandLine(const std::string& server, const std::string& user,
                                  const std::string& password, bool runScript) {
    std::string line = "LoginW95 " + server + "/" + user;
    if (!password.empty()) line += " /Pwd=" + password;
    line += " /Cont";
    if (!runScript) line += " /NS";
    return line;
}

void EnableAutoLogon9x(LogonContext& context, const LogonSettings& settings) {
    // The login program the Run entry starts is the client's own.
    if (!context.environment.ClientDetected()) throw std::runtime_error(kMsgNoClient9x);
    RecreateLocationProfile(context, context.state.ProfileName, settings);
    // Mode 3 stores the names only: no automatic logon, as on the NT family.
    if (context.state.ModeText == kModeParametersOnly) {
        TRegistry reg(context.store);
        reg.SetRootKey(kHkeyLocalMachine);
        if (OpenOnly(reg, kRunKey, false) && reg.ValueExists(context.state.ProfileName))
            reg.DeleteValue(context.state.ProfileName);
        return;
    }
    const std::string line = BuildLoginCommandLine(settings.NdsServer, settings.NdsUser,
                                                   settings.NdsPassword, settings.RunScript);
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (OpenOnly(reg, kRunKey, true)) reg.WriteString(context.state.ProfileName, line);
    if (OpenOnly(reg, kRealModeNetKey, false)) {
        const std::uint8_t zero = 0;
        reg.WriteBinaryData(kRealModeAutoLogon, &zero, 1);
    }
}

}  // namespace sentrel
