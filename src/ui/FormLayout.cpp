#include "ui/FormLayout.h"

#include "ui/ControlIds.h"

namespace sentrel {

using namespace ids;

namespace {

constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kFrame = SS_ETCHEDFRAME;
constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kPassword = kEdit | ES_PASSWORD;
constexpr DWORD kShown = kEdit | ES_READONLY;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
// The memos are tab stops, so that their text can be scrolled by keyboard.
constexpr DWORD kMemo =
    WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;

constexpr auto R = TextColour::Red;
constexpr auto B = TextColour::Blue;
constexpr auto D = TextColour::Default;

}  // namespace

const char* const kPageTitles[kPageCount] = {"About", "Sentrel", "Usage", "FAQ", "History"};

const ControlSpec kControls[] = {
    // About
    {0, "EDIT", Memo1, "", 8, 8, 545, 268, kMemo, D},
    {0, "BUTTON", cboxAgree, "I &Agree to the above", 8, 284, 220, 17, kCheck, D},
    {0, "STATIC", MailMe, "", 8, 308, 32, 32, SS_ICON | SS_NOTIFY, D},
    {0, "BUTTON", btnNext, "&Next", 392, 316, 75, 25, kButton | BS_DEFPUSHBUTTON, D},
    {0, "BUTTON", btnExit, "E&xit", 476, 316, 75, 25, kButton, D},

    // Sentrel: eDirectory group
    {1, "STATIC", BvlNDS, "", 8, 14, 272, 190, kFrame, D},
    {1, "STATIC", LblNDS, "NDS Info:", 16, 6, 60, 14, kLabel, R},
    {1, "STATIC", lblTree, "NDS Tree:", 16, 28, 90, 14, kLabel, R},
    {1, "EDIT", edtTree, "", 110, 25, 160, 21, kEdit, D},
    {1, "STATIC", lblContext, "NDS Context:", 16, 54, 90, 14, kLabel, R},
    {1, "EDIT", edtContext, "", 110, 51, 160, 21, kEdit, D},
    {1, "STATIC", lblUsr, "NDS UserName:", 16, 80, 90, 14, kLabel, R},
    {1, "EDIT", EdtUsr, "", 110, 77, 160, 21, kEdit, D},
    {1, "STATIC", lblNDSPass, "NDS Password:", 16, 106, 90, 14, kLabel, R},
    {1, "EDIT", edtNDSPass, "", 110, 103, 160, 21, kPassword, D},
    {1, "STATIC", lblServer, "NDS Server:", 16, 132, 90, 14, kLabel, R},
    {1, "EDIT", edtServer, "", 110, 129, 160, 21, kEdit, D},
    {1, "BUTTON", cbShowResult, "Show Result", 16, 162, 110, 17, kCheck, R},
    {1, "BUTTON", cbRunLoginScript, "Run &Logon Script", 140, 162, 130, 17,
     kCheck, R},
    {1, "STATIC", lblNoNovCli, "No Novell Client detected !!!", 16, 60, 256, 70,
     SS_CENTER, R},

    // Sentrel: Windows group
    {1, "STATIC", BvlMS, "", 288, 14, 265, 134, kFrame, D},
    {1, "STATIC", LblMS, "MS Info:", 296, 6, 60, 14, kLabel, B},
    {1, "STATIC", lblMSUsr, "MS UserName:", 296, 28, 112, 14, kLabel, B},
    {1, "EDIT", edtMSUsr, "", 410, 25, 135, 21, kEdit, D},
    {1, "STATIC", lblMSDom, "MS Domain/Wkstn:", 296, 54, 112, 14, kLabel, B},
    {1, "EDIT", EdtMSDom, "", 410, 51, 135, 21, kEdit, D},
    {1, "STATIC", lblMSPass, "MS Password", 296, 80, 112, 14, kLabel, B},
    {1, "EDIT", EdtMSPass, "", 410, 77, 135, 21, kPassword, D},
    {1, "BUTTON", cbLockWkstn, "Lock Workstation after logon", 296, 112, 240, 17,
     kCheck, D},

    // Sentrel: environment group
    {1, "STATIC", BvlEnv, "", 288, 160, 265, 100, kFrame, D},
    {1, "STATIC", lblWinVer, "Windows Version:", 296, 168, 200, 14, kLabel, D},
    {1, "EDIT", edWinVer, "", 296, 184, 249, 21, kShown | WS_DISABLED, D},
    {1, "STATIC", lblCliVer, "Novell Client Version:", 296, 212, 200, 14, kLabel, D},
    {1, "EDIT", edCliVer, "", 296, 228, 249, 21, kShown | WS_DISABLED, D},

    // Sentrel: mode group, its label on the frame as the other groups' are, so that the list
    // has the group's width and its closed box shows the whole of its longest entry
    {1, "STATIC", BvlMode, "", 8, 220, 272, 40, kFrame, D},
    {1, "STATIC", lblMode, "mode:", 16, 212, 40, 14, kLabel, D},
    {1, "COMBOBOX", combMode, "", 16, 231, 256, 120,
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, D},

    // Sentrel: buttons
    {1, "BUTTON", btnClipBoard, "Copy to &Clipboard", 8, 316, 118, 25, kButton, D},
    {1, "BUTTON", btnDisable, "&Disable AutoLogin", 132, 316, 118, 25, kButton, D},
    {1, "BUTTON", BtnEnable, "&Enable AutoLogin", 256, 316, 118, 25, kButton, D},
    {1, "BUTTON", btnBack, "&Back", 392, 316, 75, 25, kButton, D},
    {1, "BUTTON", btnExit2, "E&xit", 476, 316, 75, 25, kButton, D},

    // Usage
    {2, "EDIT", Memo2, "", 8, 8, 545, 300, kMemo, D},
    {2, "BUTTON", Button1, "&Back", 392, 316, 75, 25, kButton, D},
    {2, "BUTTON", Button2, "&Next", 476, 316, 75, 25, kButton, D},

    // FAQ
    {3, "EDIT", Memo3, "", 8, 8, 545, 300, kMemo, D},
    {3, "BUTTON", Button3, "&Back", 392, 316, 75, 25, kButton, D},
    {3, "BUTTON", Button5, "&Next", 476, 316, 75, 25, kButton, D},

    // History
    {4, "EDIT", Memo4, "", 8, 8, 545, 300, kMemo, D},
    {4, "BUTTON", Button4, "&Back", 476, 316, 75, 25, kButton, D},
};

const int kControlCount = sizeof kControls / sizeof kControls[0];

const ControlSpec* ControlSpecOf(int id) {
    for (int i = 0; i < kControlCount; ++i)
        if (kControls[i].id == id) return &kControls[i];
    return nullptr;
}

}  // namespace sentrel
