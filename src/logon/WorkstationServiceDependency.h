#pragma once
// Makes the Novell workstation service depend on "SRVLOC" too, after backing up part of its
// service key below the program's own backup key.
#include <string>

#include "platform/Platform.h"
#include "registry/RegistryStore.h"

namespace sentrel {

inline constexpr const char* kWorkstationServiceKey =
    "\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";
inline constexpr const char* kWorkstationServiceBackupKey =
    "\\SOFTWARE\\Pellam\\Sentrel\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";

inline constexpr const char* kSrvlocServiceKey = "\\SYSTEM\\CurrentControlSet\\Services\\SRVLOC";

// "SRVLOC" is added to the service's "DependOnService" list (order kept, once in any letter
// case) where the SRVLOC service exists. Gives false, with the list left as it is, where it
// does not. Nothing happens when the service key can't be opened (no client, or no rights).
bool SetWorkstationServiceDependency(RegistryStore& store, Platform& platform);

inline constexpr const char* kNoteNoSrvloc =
    "The SRVLOC service does not exist, so the Novell workstation service was not made to "
    "depend on it";

// For every subkey n of source and every subkey m of that, copies the whole tree source\n\m to
// backup\n'\m, where n' is n without its first character; for every n that begins with "." the
// empty key backup\n' is made. Trees already in the backup are never overwritten.
void BackupSubkeys(RegistryStore& store, HKey root, const std::string& source,
                   const std::string& backup);

}  // namespace sentrel
