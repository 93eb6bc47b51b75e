#include "logon/WinlogonValues.h"

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
    reg.WriteString("DefaultDomainName", domain);
    reg.WriteString("DefaultUserName", user);
    reg.WriteString("DontDisplayLastUserName", "0");
    reg.WriteString("AutoAdminLogon", "0");
}

void EnableWinlogonAutoLogon(RegistryStore& store, const std::string& password) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(kWinlogonKey, false);
    reg.WriteString("DefaultPassword", password);
    reg.WriteString("AutoAdminLogon", "1");
    reg.WriteString("ForceAutoLogon", "1");
    reg.WriteString("AutoLogonCount", kAutoLogonCount);
}

void SetLockWorkstation(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(kRunKey, false);
    reg.WriteString(kLockEntryName, kLockCommand);
}

}  // namespace sentrel
