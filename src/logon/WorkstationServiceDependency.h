#pragma once
// Makes the Novell workstation service depend on "SRVLOC" alone, after backing up part of its
// service key below the program's own backup key.
#include <string>

#include "platform/Platform.h"
#include "registry/RegistryStore.h"

namespace sentrel {

inline constexpr const char* kWorkstationServiceKey =
    "\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";
inline constexpr const char* kWorkstationServiceBackupKey =
    "\\SOFTWARE\\Pellam\\Sentrel\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";

// Nothing happens when the service key can't be opened (no client, or no rights).
void SetWorkstationServiceDependency(RegistryStore& store, Platform& platform);

// For every subkey n of source and every subkey m of that, copies the whole tree source\n\m to
// backup\n'\m, where n' is n without its first character; for every n that begins with "." the
// empty key backup\n' is made. Trees already in the backup are never overwritten.
void BackupSubkeys(RegistryStore& store, HKey root, const std::string& source,
                   const std::string& backup);

}  // namespace sentrel
