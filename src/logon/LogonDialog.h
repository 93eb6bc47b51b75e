#pragma once
// Which logon dialog the workstation shows: the Novell one (the client's own) or, in mode 1,
// the Windows one in its place. Three values say it: the Novell dialog's "Login When NWGina Not
// Loaded", Winlogon's "GinaDLL" and the print provider's "Never Login". This file writes them
// out (mode 1) and back in (a disable, or an enable of another mode after mode 1).
//
// "GinaDLL" may name a third-party dialog (a smart-card or remote-control one that chains to
// the Novell dialog); the program's own writes would lose it for good. So before the program
// first replaces the value, the previous one, or the fact that there was none, is kept under
// the program's backup key, and the way back puts a kept third-party dialog back.
#include "logon/LogonContext.h"
#include "registry/Registry.h"

namespace sentrel {

inline constexpr const char* kGinaDll = "GinaDLL";
inline constexpr const char* kWindowsLogonDialog = "MSGINA.DLL";
inline constexpr const char* kNovellLogonDialog = "NWGINA.DLL";
inline constexpr const char* kLoginWhenNwginaNotLoaded = "Login When NWGina Not Loaded";
inline constexpr const char* kNeverLoginValue = "Never Login";
inline constexpr const char* kGinaDllBackupKey =
    "\\SOFTWARE\\Pellam\\Sentrel\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Out, in mode 1: the Novell dialog's "Login When NWGina Not Loaded" "No", "GinaDLL" the
// Windows dialog (kept first), "Never Login" 1. Keys that are missing (no client) are left
// alone. Where Windows has no logon dialog to replace (Vista and later) "GinaDLL" is not
// written, and the state's note says so.
void UseWindowsLogonDialog(LogonContext& context);

// Back in, by a disable: "Login When NWGina Not Loaded" "Yes"; a third-party dialog that an
// enable replaced comes back, otherwise the Novell dialog replaces only the Windows one (or
// none), and only where the client is; the backup goes; "Never Login" 0. Vista and later have
// no GINA: a dialog kept from an older Windows stays kept.
void PutBackNovellLogonDialog(LogonContext& context);

// Back in, by an enable of a mode other than "1" after mode 1: the values go back to what they
// were before mode 1 replaced them, the kept "GinaDLL" (or its absence) and the Novell defaults
// of the other two, and the backup goes. Without a backup nothing changes. Where Windows has
// no logon dialog (Vista and later) no backup is kept: the Novell defaults come
// back where "Login When NWGina Not Loaded" says mode 1's "No", and "GinaDLL" is not touched.
void PutBackReplacedLogonDialog(LogonContext& context);

// Mode 1's note where Windows has no logon dialog to replace (Vista and later).
inline constexpr const char* kNoteNoGina =
    "Windows Vista and later have no logon dialog to replace: GinaDLL is not written.";

}  // namespace sentrel
