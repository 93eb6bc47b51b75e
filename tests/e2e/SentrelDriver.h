#pragma once
// Runs the real Sentrel.exe under Wine with a literal command line and an emulated Windows
// version, answers and records its message boxes, clicks its controls by id, and gives its
// exit code.
#include <windows.h>

#include <string>
#include <vector>

namespace sentrel::e2e {

struct MessageBoxSeen {
    std::string text;
    std::string caption;
};

// The path of Sentrel.exe as Windows sees it.
std::string SentrelPath();
// A path of this host's file system as Windows sees it (Z:\...).
std::string WinePath(std::string path);

class SentrelRun {
public:
    // windowsVersion is one of Wine's version names: win31, win95, win98, winme, nt40, win2k,
    // winxp.
    // program: a copy of Sentrel.exe elsewhere, or the one under test.
    SentrelRun(const std::string& arguments, const std::string& windowsVersion = "winxp",
               const std::string& program = SentrelPath());
    ~SentrelRun();
    SentrelRun(const SentrelRun&) = delete;
    SentrelRun& operator=(const SentrelRun&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Why CreateProcess failed, when it did (GetLastError), else 0.
    DWORD StartError() const { return startError_; }

    // Waits for a message box of the program (or of the shell on its behalf), records it and
    // presses the button; false when none came in time.
    bool AnswerMessageBox(int button, MessageBoxSeen* seen = nullptr, DWORD timeoutMs = 15000);
    // Waits for the program to end and answers every message box with OK meanwhile. Gives the
    // exit code, or -1000 when it did not end in time (it is then killed).
    int FinishAnsweringOk(DWORD timeoutMs = 30000);

    // Waits for the program to end while watching for any visible top-level window of it,
    // which it records (class and text) and closes. Gives the exit code, or -1000 when it did not
    // end in time (it is then killed).
    int FinishWatchingForWindows(std::vector<std::string>* windowsSeen, DWORD timeoutMs = 30000);

    // The main window once it is visible; null when it did not appear in time.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    HWND ControlOf(int id);
    // Clicks, key presses and mode changes return once the program has handled them, or shows
    // a message box, or has ended.
    void Click(int id);
    // Presses a key in a control, as the keyboard would: the program's message loop gets it.
    void PressKey(int id, WPARAM key);
    void SelectMode(int index);
    void SetText(int id, const std::string& text);
    std::string TextOf(int id);
    std::string Caption();
    bool Visible(int id);
    bool Enabled(int id);
    int TabCount();
    // Moves the tab control's selection to a tab with the arrow keys, as a user would.
    void SelectTab(int tab);
    // Which page is shown: 0 About ... 4 History, or -1.
    int ShownPage();
    void PostClose();
    // Gives the program time, then a message sent to its window and answered.
    void Settle(DWORD ms = 300);

    const std::vector<MessageBoxSeen>& MessageBoxes() const { return boxes_; }
    std::vector<std::string> MessageTexts() const;
    DWORD ProcessId() const { return process_.dwProcessId; }

private:
    HWND FindBox();
    bool Ended();
    // Sends a message and waits until the program has handled it.
    void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Waits until the program has taken every message posted to it so far.
    void WaitForPosted();
    PROCESS_INFORMATION process_ = {};
    DWORD startError_ = 0;
    HWND main_ = nullptr;
    std::vector<MessageBoxSeen> boxes_;
};

// Sets the screen's DPI (Wine's LogPixels) for programs started from now on, and puts the old
// value back.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

// A window's class name.
std::string ClassOf(HWND window);
// Text on the clipboard, or empty.
std::string ClipboardText();
// Puts text on the clipboard, as another program would.
void PutOnClipboard(const std::string& text);
// Sets the Windows version Wine reports to a program of that file name.
void EmulateWindows(const std::string& exeName, const std::string& version);

}  // namespace sentrel::e2e
