#include "logon/PasswordValues.h"

#include <algorithm>
#include <cctype>

#include "logon/RegistryPaths.h"
#include "registry/RegistryStore.h"

namespace sentrel {

bool HoldsPassword(const std::string& keyPath, const std::string& valueName,
                   const std::string& profileName) {
    const std::string word = "password";
    if (std::search(valueName.begin(), valueName.end(), word.begin(), word.end(),
                    [](unsigned char a, char b) { return std::tolower(a) == b; }) !=
        valueName.end())
        return true;
    return SameName(keyPath, std::string("HKLM") + kRunKey) && SameName(valueName, profileName);
}

}  // namespace sentrel
