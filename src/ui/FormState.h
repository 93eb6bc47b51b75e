#pragma once
// Everything of the window that the program's logic reads or changes: field texts, check
// boxes, the mode list, what is enabled and what is shown. The window shows this state and
// reads the user's input back into it; the logic and its tests work on the state alone.
#include <string>
#include <vector>

#include "logon/LogonContext.h"

namespace sentrel {

struct FormState : FormView {
    std::string caption;

    // Settings page fields.
    std::string edtTree, edtContext, EdtUsr, edtNDSPass, edtServer;
    std::string EdtMSDom, edtMSUsr, EdtMSPass;
    std::string edWinVer, edCliVer;
    bool cbShowResult = false;
    bool cbRunLoginScript = false;
    bool cbLockWkstn = false;
    bool cboxAgree = false;

    // The mode list: its entries, the selected index (-1 for none) and the text it shows.
    std::vector<std::string> modeEntries;
    int modeIndex = -1;
    std::string modeText;

    bool EdtUsrEnabled = true;
    bool edtNDSPassEnabled = true;
    bool EdtMSPassEnabled = true;
    bool btnNextEnabled = false;

    bool directoryFieldsVisible = true;  // the eDirectory fields, labels and check boxes
    bool windowsGroupVisible = true;     // the Windows fields, labels, frame and heading
    bool noClientWarningVisible = false; // "No Novell Client detected !!!"
    bool settingsTabsVisible = false;    // the tabs of pages 2 to 5

    FormState();

    std::string ClientVersionText() const override { return edCliVer; }
    std::string ModeListText() const override { return modeText; }
    bool LockWorkstationChecked() const override { return cbLockWkstn; }
    bool ShowResultChecked() const override { return cbShowResult; }
    bool RunLoginScriptChecked() const override { return cbRunLoginScript; }

    // Fills the mode list with the given entries and shows the first.
    void SetModeEntries(std::vector<std::string> entries);
};

inline constexpr const char* kNoClientWarning = "No Novell Client detected !!!";

}  // namespace sentrel
