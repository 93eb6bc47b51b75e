#pragma once
// Automatic logon on Windows 9x: the Novell client's LOGINW95 program started from the
// machine's Run list with server, user, password and options, and the real-mode network logon
// value set to a single zero byte. The location profile is rebuilt first.
#include <string>

#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

inline constexpr const char* kRealModeNetKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\Real Mode Net";
inline constexpr const char* kRealModeAutoLogon = "AutoLogon";

// "LoginW95 " + server + "/" + user, then " /Pwd=" + password when there is one, " /Cont", and
// " /NS" when the login script is not to run. Nothing is quoted.
std::string BuildLoginCommandLine(const std::string& server, const std::string& user,
                                  const std::string& password, bool runScript);

// What such a command line says, read back into command; false for a line the enable does not
// write.
struct LoginCommand {
    bool runScript = true;
    bool passwordGiven = false;
    bool named = false;  // "server/user" was found: the two names below
    std::string server, user;
};
bool ReadLoginCommandLine(const std::string& line, LoginCommand& command);

// The login command takes the settings' server, user, NDS password and script flag. In mode
// "3" (ModeText) the profile is rebuilt and no login command is left. Without the client it
// writes nothing and raises kMsgNoClient9x.
void EnableAutoLogon9x(LogonContext& context, const LogonSettings& settings);

inline constexpr const char* kMsgNoClient9x =
    "No Novell Client detected !!! On Windows 9x automatic logon needs the client's LOGINW95";

}  // namespace sentrel
