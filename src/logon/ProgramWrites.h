#pragma once
// What the program writes, by the names its owners give: the Windows keys value by value, the
// Novell client's logon keys and the program's own key whole. A journal that names anything
// else was not written by the program.
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

// Whether a run of the program may write that value (name) or make or delete that key (name
// empty, isKey) below root.
bool ProgramWrites(HKey root, const std::string& path, const std::string& name, bool isKey);

}  // namespace sentrel
