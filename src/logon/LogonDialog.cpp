#include "logon/LogonDialog.h"

#include <optional>
#include <vector>

#include "logon/KeyAccess.h"
#include "logon/ProgramKey.h"
#include "registry/RegistryTransaction.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

namespace {

bool IsWindowsDialog(const RegistryValue& value) {
    const std::optional<std::string> text = StringOf(value);
    return text && SameName(*text, kWindowsLogonDialog);
}

// The Novell dialog's own two values: the client's defaults while its dialog is in use, the
// opposite while the Windows one is. A missing key (no client) is left alone.
void SetLoginWhenNwginaNotLoaded(TRegistry& reg, bool novellDialog) {
    if (OpenOnly(reg, kInitialLoginKey, false))
        reg.WriteString(kLoginWhenNwginaNotLoaded, novellDialog ? "Yes" : "No");
}

void SetNeverLogin(TRegistry& reg, bool novellDialog) {
    if (OpenOnly(reg, kNeverLoginKey, false)) reg.WriteInteger(kNeverLoginValue, novellDialog ? 0 : 1);
}

// With the Winlogon key open in winlogon: keeps its "GinaDLL" unless a backup is kept already
// (the first one stays). A backup key that can't be made raises "Failed to create key %s", so
// the value is not replaced unsaved.
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

// The kept dialog to put back: a kept value that is neither absent nor "MSGINA.DLL".
std::optional<RegistryValue> LogonDialogToRestore(RegistryStore& store) {
    TRegistry backup(store);
    backup.SetRootKey(kHkeyLocalMachine);
    RegistryValue kept;
    if (!backup.OpenKey(kGinaDllBackupKey, false) ||
        !backup.ReadValue(kGinaDll, kept.type, kept.data) || IsWindowsDialog(kept))
        return std::nullopt;
    return kept;
}

// Removes the backup, and the program's keys above it that then hold nothing.
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

// A kept dialog that others than administrators may have changed counts as none kept: it is
// dropped, so that what the program keeps from now on (under a list of its own) is its own.
void DropForeignBackup(LogonContext& context) {
    if (IsProgramsOwn(context.store, kGinaDllBackupKey + 1)) return;
    RemoveLogonDialogBackup(context.store);
    // One that stays would be taken for the first one kept: the dialog in place would be lost.
    ScopedKey left(context.store);
    if (context.store.OpenKey(kHkeyLocalMachine, kGinaDllBackupKey + 1, kKeyRead, left.Out()) !=
        kErrorFileNotFound)
        throw RegistryError(FormatMessageText(kMsgDeleteKeyFailed, kGinaDllBackupKey));
    context.state.AddNote(FormatMessageText(kNoteForeignBackup, std::string("HKLM") + kGinaDllBackupKey));
}

// With the Winlogon key open: whether it names the Windows logon dialog (any letter case) or
// none, the only dialogs a disable replaces by the Novell one.
bool NamesWindowsOrNoDialog(TRegistry& winlogon) {
    RegistryValue current;
    return !winlogon.ReadValue(kGinaDll, current.type, current.data) || IsWindowsDialog(current);
}

}  // namespace

void UseWindowsLogonDialog(LogonContext& context) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    SetLoginWhenNwginaNotLoaded(reg, false);
    if (context.environment.WithoutGina()) {
        context.state.Note = kNoteNoGina;
    } else if (OpenOnly(reg, kWinlogonKey, false)) {
        DropForeignBackup(context);
        SaveLogonDialog(reg);
        reg.WriteString(kGinaDll, kWindowsLogonDialog);
    }
    SetNeverLogin(reg, false);
}

void PutBackNovellLogonDialog(LogonContext& context) {
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    SetLoginWhenNwginaNotLoaded(reg, true);
    // Without a client there is no Novell dialog, and a third-party dialog in place (one a
    // first disable put back) stays.
    if (!context.environment.WithoutGina() && OpenOnly(reg, kWinlogonKey, false)) {
        DropForeignBackup(context);
        if (std::optional<RegistryValue> kept = LogonDialogToRestore(context.store))
            reg.WriteValue(kGinaDll, kept->type, kept->data);
        else if (context.environment.ClientDetected() && NamesWindowsOrNoDialog(reg))
            reg.WriteString(kGinaDll, kNovellLogonDialog);
        RemoveLogonDialogBackup(context.store);
    }
    SetNeverLogin(reg, true);
}

void PutBackReplacedLogonDialog(LogonContext& context) {
    RegistryStore& store = context.store;
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    if (context.environment.WithoutGina()) {
        // No dialog was replaced or kept: mode 1 left only its "No" and "Never Login" 1.
        RegistryValue dialog;
        if (OpenOnly(reg, kInitialLoginKey, false) &&
            reg.ReadValue(kLoginWhenNwginaNotLoaded, dialog.type, dialog.data) &&
            SameName(StringOf(dialog).value_or(""), "No")) {
            SetLoginWhenNwginaNotLoaded(reg, true);
            SetNeverLogin(reg, true);
        }
        return;
    }
    DropForeignBackup(context);
    if (!OpenOnly(reg, kGinaDllBackupKey, false)) return;
    RegistryValue kept;
    const bool present = reg.ReadValue(kGinaDll, kept.type, kept.data);
    if (OpenOnly(reg, kWinlogonKey, false)) {
        if (present)
            reg.WriteValue(kGinaDll, kept.type, kept.data);
        else if (reg.ValueExists(kGinaDll))
            reg.DeleteValue(kGinaDll);
    }
    SetLoginWhenNwginaNotLoaded(reg, true);
    SetNeverLogin(reg, true);
    reg.CloseKey();
    RemoveLogonDialogBackup(store);
}

}  // namespace sentrel
