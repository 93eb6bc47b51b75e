#include "logon/WindowsAutoLogon9x.h"

#include <cstring>
#include <stdexcept>

#include "logon/KeyAccess.h"
#include "logon/LocationProfile.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

namespace {

const char* const kLoginProgram = "LoginW95 ";
const char* const kPasswordOption = " /Pwd=";
const char* const kContinueOption = " /Cont";
const char* const kNoScriptOption = " /NS";

}  // namespace

std::string BuildLoginCommandLine(const std::string& server, const std::string& user,
                                  const std::string& password, bool runScript) {
    std::string line = kLoginProgram + server + "/" + user;
    if (!password.empty()) (line += kPasswordOption) += password;
    line += kContinueOption;
    if (!runScript) line += kNoScriptOption;
    return line;
}

bool ReadLoginCommandLine(const std::string& line, LoginCommand& command) {
    const std::string head = kLoginProgram;
    const std::string::size_type cont = line.rfind(kContinueOption);
    if (line.rfind(head, 0) != 0 || cont == std::string::npos) return false;
    // " /Cont" is the last one: what follows it is " /NS" or nothing.
    command.runScript =
        line.compare(cont + std::strlen(kContinueOption), std::string::npos, kNoScriptOption) != 0;
    std::string target = line.substr(head.size(), cont - head.size());
    const std::string::size_type password = target.find(kPasswordOption);
    command.passwordGiven = password != std::string::npos;
    target = target.substr(0, password);
    const std::string::size_type slash = target.find('/');
    if (slash == std::string::npos) return true;
    command.named = true;
    command.server = target.substr(0, slash);
    command.user = target.substr(slash + 1);
    return true;
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
