#pragma once
// The inputs of one enable or disable run, and the logon modes. The mode itself is kept
// program-wide in ModeText.
#include <string>

namespace sentrel {

struct LogonSettings {
    std::string NdsTree;
    std::string NdsContext;
    std::string NdsUser;
    std::string NdsPassword;
    std::string NdsServer;
    std::string MsDomain;
    std::string MsUser;
    std::string MsPassword;
    bool RunScript = false;
    bool ShowResult = false;
    bool LockWorkstation = false;
};

// The names among the settings, in the window's two groups: what the workstation stores of them
// can be read back (what is in force, a guessed switch). Passwords are never read back.
using NameField = std::string LogonSettings::*;
inline constexpr NameField kDirectoryNames[] = {&LogonSettings::NdsTree, &LogonSettings::NdsContext,
                                                &LogonSettings::NdsServer, &LogonSettings::NdsUser};
inline constexpr NameField kWindowsNames[] = {&LogonSettings::MsDomain, &LogonSettings::MsUser};

// LogonMode: the mode list's entries in order; the code is the entry's index as text.
inline constexpr const char* kModeDirectoryAndWorkstation = "0";
inline constexpr const char* kModeWorkstationOnly = "1";
inline constexpr const char* kModeDirectoryPrompt = "2";
inline constexpr const char* kModeParametersOnly = "3";

inline constexpr const char* kModeEntries[] = {
    "AutoLogon to E-Dir and Wkstn",
    "AutoLogon to Wkstn, don't use E-Dir",
    "E-Dir prompt, AutoLogon to Wkstn",
    "Only Set parameters, but no Autologon",
};

bool IsLogonMode(const std::string& text);

}  // namespace sentrel
