#pragma once
// Control ids of the main window. The end-to-end tests find controls by these ids.
namespace sentrel::ids {

inline constexpr const char* kMainWindowClass = "TForm1";
inline constexpr const char* kPageWindowClass = "TForm1Page";

enum ControlId : int {
    PageControl1 = 100,
    TabSheet1 = 101,
    TabSheet2,
    TabSheet3,
    TabSheet4,
    TabSheet5,

    // About
    Memo1 = 200,
    cboxAgree,
    btnNext,
    btnExit,
    MailMe,

    // Settings: eDirectory group
    LblNDS = 300,
    BvlNDS,
    lblTree,
    edtTree,
    lblContext,
    edtContext,
    lblUsr,
    EdtUsr,
    lblNDSPass,
    edtNDSPass,
    lblServer,
    edtServer,
    cbShowResult,
    cbRunLoginScript,
    lblNoNovCli,

    // Settings: Windows group
    LblMS = 330,
    BvlMS,
    lblMSUsr,
    edtMSUsr,
    lblMSDom,
    EdtMSDom,
    lblMSPass,
    EdtMSPass,
    cbLockWkstn,

    // Settings: environment and mode groups, buttons
    BvlEnv = 350,
    lblWinVer,
    edWinVer,
    lblCliVer,
    edCliVer,
    BvlMode,
    lblMode,
    combMode,
    btnClipBoard,
    btnDisable,
    BtnEnable,
    btnBack,
    btnExit2,

    // Usage, FAQ, History
    Memo2 = 400,
    Button1,
    Button2,
    Memo3,
    Button3,
    Button5,
    Memo4,
    Button4,
};

}  // namespace sentrel::ids
