#pragma once
// Key paths that more than one logon task uses. All lie under HKEY_LOCAL_MACHINE.
namespace sentrel {

inline constexpr const char* kWinlogonKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
inline constexpr const char* kRunKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kNovellLoginKey = "\\Software\\Novell\\Login";
inline constexpr const char* kNwginaLoginScreenKey = "\\SOFTWARE\\NOVELL\\NWGINA\\Login Screen";
inline constexpr const char* kInitialLoginKey =
    "\\SOFTWARE\\NOVELL\\Network Provider\\Initial Login";
inline constexpr const char* kNeverLoginKey = "\\SOFTWARE\\Novell\\Print\\Never Login";
// The program's own key: its backups (at the mirrored path of what they back up) and the
// journal of a run.
inline constexpr const char* kBackupRoot = "\\SOFTWARE\\Pellam\\Sentrel";

}  // namespace sentrel
