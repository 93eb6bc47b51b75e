#pragma once
// Opening the key a write is meant for. The accessor keeps the previous key open after a failed
// open, so the previous key is closed first: a key that can't be opened then makes the next
// write fail instead of landing in the previous key.
#include <string>

#include "registry/Registry.h"

namespace sentrel {

// Only a key that does not exist counts as missing (false): one that exists but can't be
// opened, or made, raises "Failed to open key %s" or "Failed to create key %s", so a step
// never skips a key it may not write and then says done.
bool OpenOnly(TRegistry& reg, const std::string& path, bool canCreate);

// Says before anything is written that a key the run must write can't be: it exists, but
// can't be opened for writing.
void CheckWritable(RegistryStore& store, const char* path);

}  // namespace sentrel
