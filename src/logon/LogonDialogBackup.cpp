#include "logon/LogonDialogBackup.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "logon/KeyAccess.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

namespace {

bool IsWindowsDialog(const RegistryValue& value) {
    const std::optional<std::string> text = StringOf(value);
    return text && SameName(*text, kWindowsLogonDialog);
}

}  // namespace

void SaveLogonDialog(TRegistry& winlogon) {
    TRegistry backup(winlogon.Store());
    backup.SetRootKey(kHkeyLocalMachine);
    if (backup.KeyExists(kGinaDllBackupKey)) return;
    RegistryValue previous;
    const bool present = winlogon.ReadValue(kGinaDll, previous.type, previous.data);
    // The key alone records that there was no value.
    backup.CreateKey(kGinaDllBackupKey);
    if (!present) return;
    OpenOnly(backup, kGinaDllBackupKey, false);
    backup.WriteValue(kGinaDll, previous.type, previous.data);
}

std::optional<RegistryValue> LogonDialogToRestore(RegistryStore& store) {
    TRegistry backup(store);
    backup.SetRootKey(kHkeyLocalMachine);
    RegistryValue kept;
    if (!backup.OpenKey(kGinaDllBackupKey, false) ||
        !backup.ReadValue(kGinaDll, kept.type, kept.data) || IsWindowsDialog(kept))
        return std::nullopt;
    return kept;
}

void RemoveLogonDialogBackup(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    reg.DeleteKey(kGinaDllBackupKey);
    // The keys between the backup and the program's backup root were made for it alone.
    std::string path = kGinaDllBackupKey;
    for (path.resize(path.rfind('\\')); path.size() > std::string(kBackupRoot).size();
         path.resize(path.rfind('\\'))) {
        std::vector<std::string> keys;
        std::vector<std::string> values;
        if (!OpenOnly(reg, path, false)) return;
        reg.GetKeyNames(keys);
        reg.GetValueNames(values);
        reg.CloseKey();
        if (!keys.empty() || !values.empty() || !reg.DeleteKey(path)) return;
    }
}

bool NamesWindowsOrNoDialog(TRegistry& winlogon) {
    RegistryValue current;
    return !winlogon.ReadValue(kGinaDll, current.type, current.data) || IsWindowsDialog(current);
}

void PutBackReplacedLogonDialog(RegistryStore& store) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (!OpenOnly(reg, kGinaDllBackupKey, false)) return;
    RegistryValue kept;
    const bool present = reg.ReadValue(kGinaDll, kept.type, kept.data);
    if (OpenOnly(reg, kWinlogonKey, false)) {
        if (present)
            reg.WriteValue(kGinaDll, kept.type, kept.data);
        else if (reg.ValueExists(kGinaDll))
            reg.DeleteValue(kGinaDll);
    }
    if (OpenOnly(reg, kInitialLoginKey, false))
        reg.WriteString(kLoginWhenNwginaNotLoaded, "Yes");
    if (OpenOnly(reg, kNeverLoginKey, false)) reg.WriteInteger(kNeverLoginValue, 0);
    reg.CloseKey();
    RemoveLogonDialogBackup(store);
}

}  // namespace sentrel
