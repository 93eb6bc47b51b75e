#pragma once
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel::test {

// Gives an HKLM key a security descriptor that refuses everyone full access (denied), or one
// that grants it again. The key is made first when it does not exist.
void DenyWin32Key(RegistryStore& store, const std::string& path, bool denied);

}  // namespace sentrel::test
