#pragma once
// The Winlogon "GinaDLL" value names the logon dialog. A workstation may name a third-party
// dialog there (a smart-card or remote-control one that chains to the Novell dialog); the
// program's own writes would lose it for good. So before the program first replaces the value,
// the previous one, or the fact that there was none, is kept under the program's backup key,
// and a disable puts a kept third-party dialog back.
#include <cstdint>
#include <optional>

#include "registry/Registry.h"

namespace sentrel {

inline constexpr const char* kGinaDll = "GinaDLL";
inline constexpr const char* kWindowsLogonDialog = "MSGINA.DLL";
inline constexpr const char* kGinaDllBackupKey =
    "\\SOFTWARE\\Pellam\\Sentrel\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// With the Winlogon key open in winlogon: keeps its "GinaDLL" unless a backup is kept already
// (the first one stays). A backup key that can't be made raises "Failed to create key %s", so
// the value is not replaced unsaved.
void SaveLogonDialog(TRegistry& winlogon);

// The kept dialog to put back: a kept value that is neither absent nor "MSGINA.DLL".
std::optional<RegistryValue> LogonDialogToRestore(RegistryStore& store);

// Removes the backup, and the program's keys above it that then hold nothing.
void RemoveLogonDialogBackup(RegistryStore& store);

// With the Winlogon key open: whether it names the Windows logon dialog (any letter case) or
// none, the only dialogs a disable replaces by the Novell one.
bool NamesWindowsOrNoDialog(TRegistry& winlogon);

// An enable of a mode other than "1" after mode 1: the logon dialog values go back to what
// they were before mode 1 replaced them, the kept "GinaDLL" (or its absence) and the Novell
// defaults of the other two, and the backup goes. Without a backup nothing changes.
void PutBackReplacedLogonDialog(RegistryStore& store);

}  // namespace sentrel
