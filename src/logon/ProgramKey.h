#pragma once
// The program's own key, HKLM\SOFTWARE\Pellam\Sentrel: the journal of a run and the backups the
// program reads back to decide what it writes. On the NT family what is kept there counts only
// while no one but Administrators and SYSTEM may have changed it: Windows NT 4 lets Everyone,
// 2000 and XP let Power Users make keys and set values under HKLM\SOFTWARE, and a key made there
// inherits that list. So every key the program makes there gets a protected list of its own.
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

// Whether the open key's owner is Administrators or SYSTEM and no one else may change it or
// what it holds. Windows 9x keeps no security: every key counts there.
bool IsProgramsOwn(RegistryStore& store, HKey key);

// The same for a key below HKEY_LOCAL_MACHINE; a key that is not there counts (it holds
// nothing to distrust), one that cannot be read does not.
bool IsProgramsOwn(RegistryStore& store, const std::string& path);

// The descriptor every key the program makes under its key gets: owner Administrators, full
// access for Administrators and SYSTEM alone, protected from what SOFTWARE passes down.
Bytes ProgramKeySecurity();

// A kept backup that others may have changed counts as absent; the run says so.
inline constexpr const char* kNoteForeignBackup =
    "%s may have been changed by others than administrators: its backup was not used.";

}  // namespace sentrel
