#pragma once
// Opening the key a write is meant for. The accessor keeps the previous key open after a failed
// open, so the previous key is closed first: a key that can't be opened then makes the next
// write fail instead of landing in the previous key.
#include <string>

#include "registry/Registry.h"

namespace sentrel {

inline bool OpenOnly(TRegistry& reg, const std::string& path, bool canCreate) {
    reg.CloseKey();
    return reg.OpenKey(path, canCreate);
}

}  // namespace sentrel
