#pragma once
// Windows' own automatic-logon values (Winlogon) and the lock-workstation start-up entry.
// The keys are never created: a missing key makes the first write fail and nothing is written.
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

// Stores the default domain and user and leaves Windows automatic logon off.
void SetWinlogonUser(RegistryStore& store, const std::string& domain, const std::string& user);
// Stores the password in plain text and switches automatic logon on, forced.
void EnableWinlogonAutoLogon(RegistryStore& store, const std::string& password);
// Adds the start-up entry that locks the workstation at every logon.
void SetLockWorkstation(RegistryStore& store);

inline constexpr const char* kLockEntryName = "ForceAutoLock";

}  // namespace sentrel
