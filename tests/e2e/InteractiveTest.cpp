// The window of the real program: agreement and tabs, navigation, mode selection, the buttons
// and their messages, the clipboard line and the close question.
#include <cstdlib>
#include <fstream>

#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;
using namespace ids;

class Interactive : public E2e {
protected:
    // Starts the program, agrees, and goes to the settings page.
    void OpenSettings(SentrelRun& run) {
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        run.Click(cboxAgree);
        run.Click(btnNext);
        ASSERT_EQ(run.ShownPage(), 1);
    }
};

TEST_P(Interactive, OpensOnTheAgreementPageWithTheVersions) {
    BuildWithClient();
    SentrelRun run("");
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    EXPECT_EQ(run.Caption(), "Sentrel for Windows9x, WinNT, W2K & WinXP Version: 3.0.1.3");
    EXPECT_EQ(run.ShownPage(), 0);
    EXPECT_EQ(run.TabCount(), 1);
    EXPECT_FALSE(run.Enabled(btnNext));
    EXPECT_EQ(run.TextOf(edCliVer), "4.91 SP2");
    EXPECT_EQ(run.TextOf(edWinVer), "Running WinNT or above");
    EXPECT_EQ(run.TextOf(EdtMSDom), "XP-PC");
    EXPECT_EQ(run.TextOf(combMode), "AutoLogon to E-Dir and Wkstn");
    run.Click(btnExit);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    EXPECT_EQ(run.MessageTexts(), std::vector<std::string>{});
}

TEST_P(Interactive, TheAgreementOpensTheTabsAndTheButtonsMoveBetweenPages) {
    SentrelRun run("");
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    run.Click(cboxAgree);
    EXPECT_TRUE(run.Enabled(btnNext));
    EXPECT_EQ(run.TabCount(), 5);
    run.Click(cboxAgree);
    EXPECT_FALSE(run.Enabled(btnNext));
    EXPECT_EQ(run.TabCount(), 1);
    run.Click(cboxAgree);
    run.Click(btnNext);
    EXPECT_EQ(run.ShownPage(), 1);
    run.Click(btnBack);
    EXPECT_EQ(run.ShownPage(), 0);
    run.Click(btnNext);
    struct Step {
        int button;
        int page;
    } steps[] = {{btnBack, 0}, {btnNext, 1}};
    for (const Step& step : steps) {
        run.Click(step.button);
        EXPECT_EQ(run.ShownPage(), step.page);
    }
    // Usage by its tab, then FAQ and History by the pages' own buttons.
    run.SelectTab(2);
    EXPECT_EQ(run.ShownPage(), 2);
    run.Click(Button2);
    EXPECT_EQ(run.ShownPage(), 3);
    run.Click(Button5);
    EXPECT_EQ(run.ShownPage(), 4);
    run.Click(Button4);
    EXPECT_EQ(run.ShownPage(), 3);
    run.Click(Button3);
    EXPECT_EQ(run.ShownPage(), 2);
    run.Click(Button1);
    EXPECT_EQ(run.ShownPage(), 1);
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, ModesWithoutStoredPasswordsEmptyAndDisableThem) {
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    run.SetText(edtNDSPass, "nds");
    run.SetText(EdtMSPass, "ms");
    run.SelectMode(3);
    EXPECT_EQ(run.TextOf(edtNDSPass), "");
    EXPECT_EQ(run.TextOf(EdtMSPass), "");
    EXPECT_FALSE(run.Enabled(edtNDSPass));
    EXPECT_FALSE(run.Enabled(EdtMSPass));
    run.SelectMode(0);
    EXPECT_TRUE(run.Enabled(edtNDSPass));
    EXPECT_TRUE(run.Enabled(EdtMSPass));
    EXPECT_EQ(run.TextOf(edtNDSPass), "");
    run.SetText(EdtMSPass, "kept");
    run.SelectMode(1);
    EXPECT_FALSE(run.Enabled(edtNDSPass));
    EXPECT_EQ(run.TextOf(EdtMSPass), "kept");
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, EnableAndDisableOnTheNtFamily) {
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    run.SetText(EdtUsr, "kiosk1");
    run.SetText(edtMSUsr, "kiosk");
    run.SetText(EdtMSPass, "pw");
    run.Click(cbLockWkstn);
    run.SelectMode(2);
    run.Click(BtnEnable);
    MessageBoxSeen seen;
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Auto Login has been enabled");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:pw");
    EXPECT_EQ(At(kLogin, "DefaultUserName"), "SZ:kiosk1");
    EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
    run.Click(btnDisable);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Auto Login has been disabled");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, EnableAndDisableOnWindows98) {
    InstallClient9x();
    SentrelRun run("", "win98");
    OpenSettings(run);
    EXPECT_FALSE(run.Visible(EdtMSDom));
    EXPECT_FALSE(run.Visible(cbLockWkstn));  // 9x cannot lock
    EXPECT_EQ(run.TextOf(edWinVer), "Running Windows 9x");
    run.SetText(edtServer, "SRV1");
    run.SetText(EdtUsr, "user1");
    run.Click(BtnEnable);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Cont /NS");
    run.Click(btnDisable);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    EXPECT_EQ(run.MessageTexts(),
              (std::vector<std::string>{"Auto Login has been enabled", "AutoLogon has been disabled",
                                        "Auto Login has been disabled"}));
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, EnterPressesTheDefaultButtonOfTheAgreementPage) {
    SentrelRun run("");
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    run.PressKey(cboxAgree, VK_RETURN);  // Next is disabled until the user agrees
    EXPECT_EQ(run.ShownPage(), 0);
    run.Click(cboxAgree);
    run.PressKey(cboxAgree, VK_RETURN);
    EXPECT_EQ(run.ShownPage(), 1);
    run.PressKey(edtTree, VK_RETURN);  // the settings page has no default button
    EXPECT_EQ(run.ShownPage(), 1);
    EXPECT_EQ(run.MessageTexts(), std::vector<std::string>{});
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, TheWindowsDisableBringsAThirdPartyLogonDialogBack) {
    for (bool client : {true, false}) {
        SCOPED_TRACE(client ? "client" : "no client");
        RebuildWithThirdPartyDialog(client, "ACMEGINA.DLL");
        SentrelRun run("");
        OpenSettings(run);
        run.SetText(edtMSUsr, "kiosk");
        for (int round = 0; round < 2; ++round) {
            // Without the client the one entry is mode 1. After a disable the window shows
            // what is in force, so mode 1 is chosen again.
            if (client) run.SelectMode(1);
            run.Click(BtnEnable);
            ASSERT_TRUE(run.AnswerMessageBox(IDOK));
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:MSGINA.DLL");
            run.Click(btnDisable);
            ASSERT_TRUE(run.AnswerMessageBox(IDOK));
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:ACMEGINA.DLL");
            EXPECT_FALSE(KeyExists(store(), kGinaBackup));
        }
        run.Click(btnExit2);
        EXPECT_EQ(run.FinishAnsweringOk(), 0);
    }
}

TEST_P(Interactive, WithoutAClientTheSettingsPageShowsTheWarningAndOneMode) {
    SentrelRun run("");
    OpenSettings(run);
    EXPECT_TRUE(run.Visible(lblNoNovCli));
    EXPECT_FALSE(run.Visible(edtTree));
    EXPECT_FALSE(run.Visible(cbRunLoginScript));
    EXPECT_TRUE(run.Visible(LblNDS));
    EXPECT_EQ(run.TextOf(combMode), "AutoLogon to Wkstn, don't use E-Dir");
    EXPECT_EQ(SendMessageA(run.ControlOf(combMode), CB_GETCOUNT, 0, 0), 1);
    run.Click(btnClipBoard);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    std::string line = ClipboardText();
    EXPECT_EQ(line.substr(line.size() - 8), " /Mode:1");  // what the one entry does
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, TheClipboardGetsTheEquivalentCommandLine) {
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    run.SetText(edtTree, "T");
    run.SetText(EdtUsr, "U");
    run.SetText(edtServer, "S");
    run.SetText(edtContext, "OU=Sales Dept");
    run.SetText(EdtMSDom, "D");
    run.SetText(edtMSUsr, "W");
    run.Click(cbShowResult);
    run.Click(cbRunLoginScript);
    run.Click(cbLockWkstn);
    run.SelectMode(2);
    run.Click(btnClipBoard);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    ASSERT_TRUE(run.AnswerMessageBox(IDOK));
    EXPECT_EQ(run.MessageTexts(),
              (std::vector<std::string>{
                  "Commandline parameters has been copied to the clipboard",
                  "Remember to replace the /MSDom with /AutoWSName if needed, and to add the "
                  "/ACU:, /ACUParam: or /Disable if needed"}));
    std::string path = SentrelPath();
    std::string quotedPath = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
    EXPECT_EQ(ClipboardText(), quotedPath +
                                   " /U /NDSTree:T /NDSUsr:U /NDSPass: /NDSSrv:S "
                                   "\"/NDSCx:OU=Sales Dept\" /MSDom:D /MSUsr:W /MSPass: "
                                   "/ShowResult /RunScript /LockWS /Mode:2");
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, AFieldWithADoubleQuoteIsNotCopiedButIsStillWritten) {
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    PutOnClipboard("what the user had");
    run.SetText(edtMSUsr, "kiosk");
    run.SetText(EdtMSPass, "a\"b\"c");
    run.SelectMode(1);
    run.Click(btnClipBoard);
    MessageBoxSeen seen;
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text,
              "A command line cannot carry a double quote (\"), so nothing was copied to the "
              "clipboard. Remove it from: MS Password. A response file can carry it: Sentrel.exe @path reads one "
              "whole switch from each line of the file.");
    EXPECT_EQ(seen.caption, "Sentrel for Windows9x, WinNT, W2K & WinXP");
    EXPECT_EQ(ClipboardText(), "what the user had");
    run.Click(BtnEnable);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Auto Login has been enabled");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:a\"b\"c");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:kiosk");
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

// Real key presses, as the keyboard sends them to the window that has the focus.
void Type(std::initializer_list<BYTE> held, BYTE key) {
    for (BYTE k : held) keybd_event(k, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (BYTE k : held) keybd_event(k, 0, KEYEVENTF_KEYUP, 0);
    Sleep(300);
}

// The control that has the focus in the program's window.
HWND FocusOf(HWND main) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

// Tabs until the focus is on the control; false when it never gets there.
bool TabTo(HWND main, HWND control) {
    for (int tabs = 0; tabs < 20 && FocusOf(main) != control; ++tabs) Type({}, VK_TAB);
    return FocusOf(main) == control;
}

// Brings the window to the front and ticks the agreement box by keyboard; gives the window, or
// null when it did not come.
HWND AgreeByKeyboard(SentrelRun& run) {
    HWND main = run.WaitForMainWindow();
    if (!main) return nullptr;
    SetForegroundWindow(main);
    run.Settle();
    if (!TabTo(main, run.ControlOf(cboxAgree))) return nullptr;
    Type({}, VK_SPACE);
    return main;
}

TEST_P(Interactive, TheFocusFollowsThePageAndCtrlTabChangesPages) {
    BuildWithClient();
    ScreenDpi largeFonts(120);  // by keyboard alone, with Large Fonts
    SentrelRun run("");
    HWND main = AgreeByKeyboard(run);
    ASSERT_NE(main, nullptr);
    Type({VK_MENU}, 'N');
    run.Settle();
    ASSERT_EQ(run.ShownPage(), 1);
    HWND focus = FocusOf(main);
    EXPECT_TRUE(IsWindowVisible(focus));
    EXPECT_TRUE(IsChild(GetDlgItem(main, TabSheet2), focus));  // on the Sentrel page
    // The mode list is a drop-down list: a letter picks the entry it begins, nothing else.
    ASSERT_TRUE(TabTo(main, run.ControlOf(combMode)));
    Type({}, 'O');
    EXPECT_EQ(run.TextOf(combMode), "Only Set parameters, but no Autologon");
    EXPECT_FALSE(run.Enabled(edtNDSPass));  // mode 3 was selected, as with the mouse
    focus = FocusOf(main);
    Type({VK_CONTROL}, VK_TAB);
    EXPECT_EQ(run.ShownPage(), 2);
    Type({VK_CONTROL}, VK_NEXT);
    EXPECT_EQ(run.ShownPage(), 3);
    Type({VK_CONTROL, VK_SHIFT}, VK_TAB);
    EXPECT_EQ(run.ShownPage(), 2);
    Type({VK_CONTROL}, VK_PRIOR);
    EXPECT_EQ(run.ShownPage(), 1);
    EXPECT_EQ(FocusOf(main), focus);  // back where it was on that page
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, TheKeyboardReachesTheTabStripAndTheMemosAndTheFocusComesBack) {
    SentrelRun run("");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    SetForegroundWindow(main);
    run.Settle();
    EXPECT_EQ(FocusOf(main), run.ControlOf(Memo1));  // the first tab stop, at once
    ASSERT_EQ(AgreeByKeyboard(run), main);
    HWND agree = run.ControlOf(cboxAgree);
    // After a message box, and after a minimise and a restore, the focus is where it was.
    Type({}, VK_ESCAPE);
    ASSERT_TRUE(run.AnswerMessageBox(IDNO));
    run.Settle();
    EXPECT_EQ(FocusOf(main), agree);
    ShowWindow(main, SW_MINIMIZE);
    run.Settle();
    ShowWindow(main, SW_RESTORE);
    SetForegroundWindow(main);
    run.Settle();
    EXPECT_EQ(FocusOf(main), agree);
    // The tab strip is a tab stop, and its arrow keys change pages.
    HWND tabs = GetDlgItem(main, PageControl1);
    ASSERT_TRUE(TabTo(main, tabs));
    Type({}, VK_RIGHT);
    Type({}, VK_RIGHT);
    EXPECT_EQ(run.ShownPage(), 2);
    EXPECT_EQ(FocusOf(main), tabs);
    // The Usage text is a tab stop and scrolls by keyboard.
    HWND usage = run.ControlOf(Memo2);
    ASSERT_TRUE(TabTo(main, usage));
    EXPECT_EQ(SendMessageA(usage, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    Type({}, VK_NEXT);
    Type({}, VK_NEXT);
    EXPECT_GT(SendMessageA(usage, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    Type({}, VK_ESCAPE);  // Escape in a memo asks the close question too
    ASSERT_TRUE(run.AnswerMessageBox(IDYES));
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, ClosingAsksAndNoKeepsTheWindow) {
    SentrelRun run("");
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    run.PostClose();
    MessageBoxSeen seen;
    ASSERT_TRUE(run.AnswerMessageBox(IDNO, &seen));
    EXPECT_EQ(seen.text,
              "Do you want to exit Sentrel for Windows9x, WinNT, W2K & WinXP?");
    run.Settle();
    EXPECT_NE(run.WaitForMainWindow(1000), nullptr);
    run.PressKey(cboxAgree, VK_ESCAPE);  // Escape asks the same question
    ASSERT_TRUE(run.AnswerMessageBox(IDNO, &seen));
    EXPECT_EQ(seen.text,
              "Do you want to exit Sentrel for Windows9x, WinNT, W2K & WinXP?");
    run.Settle();
    EXPECT_NE(run.WaitForMainWindow(1000), nullptr);
    run.PostClose();
    ASSERT_TRUE(run.AnswerMessageBox(IDYES));
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

TEST_P(Interactive, AnErrorInAHandlerIsShownAndTheWindowGoesOn) {
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    Deny(kNwgina);
    run.SelectMode(2);
    run.Click(BtnEnable);
    MessageBoxSeen seen;
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Failed to create key \\SOFTWARE\\NOVELL\\NWGINA\\Login Screen\r\n\r\n"
                         "Nothing was changed.");
    EXPECT_EQ(seen.caption, "Sentrel for Windows9x, WinNT, W2K & WinXP");
    EXPECT_NE(run.WaitForMainWindow(1000), nullptr);
    // A Winlogon key the user may only read: Disable says so before it writes anything, and
    // no "Auto Login has been disabled" follows.
    PutString(store(), kWinlogon, "AutoAdminLogon", "1");
    Deny(kWinlogon);
    const auto before = Snapshot();  // the other keys: the Novell ones would be written first
    run.Click(btnDisable);
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text,
              "Failed to open key \\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon\r\n\r\n"
              "Nothing was changed.");
    EXPECT_FALSE(run.AnswerMessageBox(IDOK, &seen, 1000)) << seen.text;
    EXPECT_EQ(Snapshot(), before);
    run.Click(btnExit2);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
}

// Saves the window as a BMP file; the screenshots script turns these into PNG pages in docs/.
void SaveWindow(HWND window, const std::string& file) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) & ~3);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + stride * height;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), stride * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_P(Interactive, Screenshots) {
    const char* folder = std::getenv("SENTREL_SCREENSHOTS");
    if (!folder) GTEST_SKIP() << "SENTREL_SCREENSHOTS names no folder";
    const std::string base = std::string(folder) + "\\";
    {
        SentrelRun run("");
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        SaveWindow(run.WaitForMainWindow(), base + "1-about.bmp");
        OpenSettings(run);
        run.Settle(500);
        SaveWindow(run.WaitForMainWindow(), base + "settings-no-client.bmp");
        run.Click(btnExit2);
        run.FinishAnsweringOk();
    }
    BuildWithClient();
    SentrelRun run("");
    OpenSettings(run);
    run.Settle(500);
    SaveWindow(run.WaitForMainWindow(), base + "2-settings.bmp");
    const char* names[] = {"3-usage.bmp", "4-faq.bmp", "5-history.bmp"};
    for (int tab = 2; tab <= 4; ++tab) {
        run.SelectTab(tab);
        run.Settle(500);
        SaveWindow(run.WaitForMainWindow(), base + names[tab - 2]);
    }
    run.Click(Button4);
    run.Click(Button3);
    run.Click(Button1);
    run.Click(btnExit2);
    run.FinishAnsweringOk();
    for (int dpi : {120, 144}) {  // Large Fonts
        ScreenDpi screen(dpi);
        SentrelRun large("");
        OpenSettings(large);
        large.Settle(500);
        SaveWindow(large.WaitForMainWindow(),
                   base + "2-settings-" + std::to_string(dpi) + "dpi.bmp");
        large.Click(btnExit2);
        large.FinishAnsweringOk();
    }
}

// A comctl32.dll planted beside the program, which Wine is told to prefer to its own, is not
// run when the window opens: the program loads the system folder's.
TEST_P(Interactive, ADllPlantedBesideTheProgramIsNotLoaded) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "sentrel-planted";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\Sentrel.exe";
    const std::string planted = folder + "\\comctl32.dll";
    ASSERT_TRUE(CopyFileA(SentrelPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WinePath(PLANTED_COMCTL_PATH).c_str(), planted.c_str(), FALSE));
    HKEY overrides = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Sentrel.exe\\DllOverrides", 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &overrides, nullptr);
    RegSetValueExA(overrides, "comctl32", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("native,builtin"), 15);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SentrelPlanted");
    {
        SentrelRun run("", "winxp", program);
        EXPECT_NE(run.WaitForMainWindow(), nullptr);
        run.PostClose();
        run.AnswerMessageBox(IDYES);
        run.FinishAnsweringOk();
    }
    HKEY mark = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\SentrelPlanted", 0, KEY_READ, &mark),
              ERROR_SUCCESS)
        << "the planted comctl32.dll was loaded";
    if (mark) RegCloseKey(mark);
    RegDeleteValueA(overrides, "comctl32");
    RegCloseKey(overrides);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SentrelPlanted");
    DeleteFileA(program.c_str());
    DeleteFileA(planted.c_str());
    RemoveDirectoryA(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Wine, Interactive, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
