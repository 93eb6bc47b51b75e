#pragma once
// Everything of the window that the program's logic reads or changes: field texts, check
// boxes, the mode list, what is enabled and what is shown. The window shows this state and
// reads the user's input back into it; the logic and its tests work on the state alone.
#include <string>
#include <vector>

#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"

namespace sentrel {

struct FormState {
    std::string caption;

    // The settings page's fields and boxes: the settings they stand for.
    LogonSettings settings;
    std::string edWinVer, edCliVer;
    bool cboxAgree = false;

    // The mode list: its entries, the selected index (-1 for none) and the text it shows.
    std::vector<std::string> modeEntries;
    int modeIndex = -1;

    bool EdtUsrEnabled = true;
    bool edtNDSPassEnabled = true;
    bool EdtMSPassEnabled = true;
    bool cbLockWkstnEnabled = true;  // Windows NT 4 has no LockWorkStation
    bool btnNextEnabled = false;

    bool directoryFieldsVisible = true;  // the eDirectory fields, labels and check boxes
    bool windowsGroupVisible = true;     // the Windows fields, labels, frame and heading
    bool noClientWarningVisible = false; // "No Novell Client detected !!!"
    bool settingsTabsVisible = false;    // the tabs of pages 2 to 5

    FormState();

    // The mode the mode list stands for: the selected entry's code, the first mode when none is
    // selected, and the workstation-only mode when the list holds only that one (no client).
    std::string ModeCode() const;

    // Fills the mode list with the given entries and shows the first.
    void SetModeEntries(std::vector<std::string> entries);
    // Fills it with every mode, as on a machine with the client.
    void SetAllModeEntries();
};

inline constexpr const char* kNoClientWarning = "No Novell Client detected !!!";

}  // namespace sentrel
