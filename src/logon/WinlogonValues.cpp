#include "logon/WinlogonValues.h"

#include "logon/KeyAccess.h"
#include "logon/RegistryPaths.h"
#include "registry/Registry.h"

namespace sentrel {

namespace {

const char* const kLockCommand = "RunDll32.exe user32.dll,LockWorkStation";
// Forty-one nines, as text: Windows counts it down once per automatic logon.
const char* const kAutoLogonCount = "99999999999999999999999999999999999999999";

}  // namespace

void SetWinlogonUser(RegistryStore& store, const std::string& domain, const std::string& user) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(kWinlogonKey, false);
    reg.WriteString(kWinlogonDefaultDomainName, domain);
    reg.WriteString(kWinlogonDefaultUserName, user);
    reg.WriteString(kWinlogonDontDisplayLastUserName, "0");
    reg.WriteString(kWinlogonAutoAdminLogon, "0");
}

void EnableWinlogonAutoLogon(RegistryStore& store, const std::string& password) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(kWinlogonKey, false);
    reg.WriteString(kWinlogonDefaultPassword, password);
    reg.WriteString(kWinlogonAutoAdminLogon, "1");
    reg.WriteString(kWinlogonForceAutoLogon, "1");
    reg.WriteString(kWinlogonAutoLogonCount, kAutoLogonCount);
}

void DisableWinlogonAutoLogon(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (!OpenOnly(reg, kWinlogonKey, false)) return;
    reg.WriteString(kWinlogonAutoAdminLogon, "0");
    reg.WriteString(kWinlogonDefaultPassword, "");
    reg.WriteString(kWinlogonForceAutoLogon, "0");
}

void SetLockWorkstation(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(kRunKey, false);
    reg.WriteString(kLockEntryName, kLockCommand);
}

void RemoveLockWorkstation(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (OpenOnly(reg, kRunKey, false)) reg.DeleteValue(kLockEntryName);
}

}  // namespace sentrel
