#pragma once
// Which registry values hold a password, so that no record of the program shows one: the values
// it names "...Password" (Winlogon's, the Novell login's, the Novell logon dialog's) and, on
// Windows 9x, its login entry in the Run list, whose command line carries the password.
#include <string>

namespace sentrel {

// keyPath as "HKLM\SOFTWARE\...", any letter case.
bool HoldsPassword(const std::string& keyPath, const std::string& valueName,
                   const std::string& profileName);

}  // namespace sentrel
