#include "logon/PasswordValues.h"


#include "logon/RegistryPaths.h"
#include "registry/RegistryStore.h"

namespace sentrel {

bool HoldsPassword(const std::string& keyPath, const std::string& valueName,
                   const std::string& profileName) {
    if (UpperAscii(valueName).find("PASSWORD") != std::string::npos) return true;
    return SameName(keyPath, std::string("HKLM") + kRunKey) && SameName(valueName, profileName);
}

}  // namespace sentrel
