#pragma once
// Windows' own automatic-logon values (Winlogon) and the lock-workstation start-up entry, on
// and off. The keys are never created: a missing key makes the first write of an enable fail
// and nothing is written; the disable leaves a missing key alone.
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

inline constexpr const char* kWinlogonAutoAdminLogon = "AutoAdminLogon";
inline constexpr const char* kWinlogonDefaultDomainName = "DefaultDomainName";
inline constexpr const char* kWinlogonDefaultUserName = "DefaultUserName";
inline constexpr const char* kWinlogonDefaultPassword = "DefaultPassword";
inline constexpr const char* kWinlogonForceAutoLogon = "ForceAutoLogon";
inline constexpr const char* kWinlogonDontDisplayLastUserName = "DontDisplayLastUserName";
inline constexpr const char* kWinlogonAutoLogonCount = "AutoLogonCount";
// Every Winlogon value written here.
inline constexpr const char* kWinlogonValueNames[] = {
    kWinlogonAutoAdminLogon,  kWinlogonDefaultDomainName,       kWinlogonDefaultUserName,
    kWinlogonDefaultPassword, kWinlogonForceAutoLogon,          kWinlogonDontDisplayLastUserName,
    kWinlogonAutoLogonCount};
inline constexpr const char* kLockEntryName = "ForceAutoLock";

// Stores the default domain and user and leaves Windows automatic logon off.
void SetWinlogonUser(RegistryStore& store, const std::string& domain, const std::string& user);
// Stores the password in plain text and switches automatic logon on, forced.
void EnableWinlogonAutoLogon(RegistryStore& store, const std::string& password);
// Switches automatic logon off, not forced, and empties the stored password.
void DisableWinlogonAutoLogon(RegistryStore& store);
// Adds the start-up entry that locks the workstation at every logon, and removes it.
void SetLockWorkstation(RegistryStore& store);
void RemoveLockWorkstation(RegistryStore& store);

}  // namespace sentrel
