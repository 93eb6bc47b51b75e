#include "SentrelDriver.h"

#include <cstring>
#include <set>

#include <commctrl.h>

#include "ui/ControlIds.h"

namespace sentrel::e2e {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WinePath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

namespace {

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct Search {
    DWORD processId;
    std::string className;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        ClassOf(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct AnyWindow {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK FindAnyTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<AnyWindow*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (GetDlgCtrlID(window) == search->id && ClassOf(GetParent(window)) == ids::kPageWindowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The messages sent with SendMessageCallbackA that the program has handled, by ticket. Global:
// a callback may come after the run that sent it has ended.
std::set<ULONG_PTR> handledTickets;
ULONG_PTR nextTicket = 1;

VOID CALLBACK MessageHandled(HWND, UINT, ULONG_PTR ticket, LRESULT) {
    handledTickets.insert(ticket);
}

const DWORD kHandlerTimeoutMs = 15000;

}  // namespace

std::string SentrelPath() { return WinePath(SENTREL_EXE_PATH); }

void EmulateWindows(const std::string& exeName, const std::string& version) {
    HKEY key = nullptr;
    std::string path = "Software\\Wine\\AppDefaults\\" + exeName;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
}

void PutOnClipboard(const std::string& text) {
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::string ClipboardText() {
    std::string text;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

SentrelRun::SentrelRun(const std::string& arguments, const std::string& windowsVersion,
                       const std::string& program) {
    EmulateWindows("Sentrel.exe", windowsVersion);
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // In one long suite under Wine the second of two runs started together had no process to
    // wait for, as when a start fails: a start is tried again, and one that still fails keeps
    // its error for the test to show (StartError).
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_)) {
            startError_ = 0;
            return;
        }
        startError_ = GetLastError();
        process_ = {};
        Sleep(100);
    }
}

SentrelRun::~SentrelRun() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

HWND SentrelRun::FindBox() {
    Search search{process_.dwProcessId, "#32770", nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SentrelRun::AnswerMessageBox(int button, MessageBoxSeen* seen, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND box = FindBox()) {
            Sleep(100);  // let the box finish its start
            MessageBoxSeen entry{WindowText(GetDlgItem(box, 0xFFFF)), WindowText(box)};
            boxes_.push_back(entry);
            if (seen) *seen = entry;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            for (int i = 0; i < 100 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(20);
            return true;
        }
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return false;
    }
    return false;
}

int SentrelRun::FinishAnsweringOk(DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return static_cast<int>(code);
        }
        if (FindBox()) AnswerMessageBox(IDOK, nullptr, 1000);
    }
    return -1000;
}

int SentrelRun::FinishWatchingForWindows(std::vector<std::string>* windowsSeen,
                                         DWORD timeoutMs) {
    std::set<HWND> recorded;
    for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
        AnyWindow search{process_.dwProcessId, {}};
        EnumWindows(FindAnyTopLevel, reinterpret_cast<LPARAM>(&search));
        for (HWND window : search.found) {
            if (recorded.insert(window).second)
                windowsSeen->push_back(ClassOf(window) + ": " + WindowText(window) + " " +
                                       WindowText(GetDlgItem(window, 0xFFFF)));
            PostMessageA(window, WM_COMMAND, IDOK, 0);  // a box left open would never end
        }
        if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return static_cast<int>(code);
        }
    }
    return -1000;
}

HWND SentrelRun::WaitForMainWindow(DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        Search search{process_.dwProcessId, ids::kMainWindowClass, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            main_ = search.found;
            Settle(200);
            return main_;
        }
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

HWND SentrelRun::ControlOf(int id) {
    ChildSearch search{id, nullptr};
    EnumChildWindows(main_, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SentrelRun::Settle(DWORD ms) {
    Sleep(ms);
    DWORD_PTR result = 0;
    if (main_) SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
}

bool SentrelRun::Ended() { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

// A sent message is handled before anything posted, and a handler may open a message box and
// wait there: so the wait ends when the program calls back, shows a box, or ends.
void SentrelRun::SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const ULONG_PTR ticket = nextTicket++;
    if (!SendMessageCallbackA(window, message, wParam, lParam, MessageHandled, ticket)) return;
    for (DWORD waited = 0; waited < kHandlerTimeoutMs; waited += 10) {
        MSG pending;
        while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&pending);
        if (handledTickets.count(ticket) || FindBox() || Ended()) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Posted messages are taken in order: a marker posted after them (the modified flag of an edit
// field, which the program never reads) shows when the program is through with them.
void SentrelRun::WaitForPosted() {
    HWND marker = ControlOf(ids::edtTree);
    DWORD_PTR modified = 0;
    PostMessageA(marker, EM_SETMODIFY, TRUE, 0);
    for (DWORD waited = 0; waited < kHandlerTimeoutMs; waited += 10) {
        if (FindBox() || Ended()) return;
        if (SendMessageTimeoutA(marker, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 2000, &modified) &&
            modified)
            break;
        Sleep(10);
    }
    SendMessageTimeoutA(marker, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, 2000, &modified);
}

void SentrelRun::Click(int id) { SendAndWait(ControlOf(id), BM_CLICK, 0, 0); }

void SentrelRun::PressKey(int id, WPARAM key) {
    PostMessageA(ControlOf(id), WM_KEYDOWN, key, 1);
    PostMessageA(ControlOf(id), WM_KEYUP, key, 0xC0000001);
    WaitForPosted();
}

void SentrelRun::SelectMode(int index) {
    HWND combo = ControlOf(ids::combMode);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendAndWait(GetParent(combo), WM_COMMAND, MAKEWPARAM(ids::combMode, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo));
}

void SentrelRun::SetText(int id, const std::string& text) {
    SendMessageA(ControlOf(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// GetWindowText does not ask a control of another process for its text: WM_GETTEXT does.
std::string SentrelRun::TextOf(int id) {
    char text[4096] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(ControlOf(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 2000, &copied);
    return std::string(text, copied);
}

std::string SentrelRun::Caption() { return WindowText(main_); }

bool SentrelRun::Visible(int id) {
    HWND control = ControlOf(id);
    return control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool SentrelRun::Enabled(int id) { return IsWindowEnabled(ControlOf(id)) != FALSE; }

int SentrelRun::TabCount() {
    HWND tabs = GetDlgItem(main_, ids::PageControl1);
    return static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
}

void SentrelRun::SelectTab(int tab) {
    HWND tabs = GetDlgItem(main_, ids::PageControl1);
    for (int step = 0; step < 10; ++step) {
        int current = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        if (current == tab) return;
        PostMessageA(tabs, WM_KEYDOWN, current < tab ? VK_RIGHT : VK_LEFT, 0);
        WaitForPosted();
    }
}

int SentrelRun::ShownPage() {
    for (int page = 0; page < 5; ++page)
        if (IsWindowVisible(GetDlgItem(main_, ids::TabSheet1 + page))) return page;
    return -1;
}

ScreenDpi::ScreenDpi(DWORD dpi) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi), sizeof dpi);
}

ScreenDpi::~ScreenDpi() {
    if (had_)
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&old_),
                       sizeof old_);
    else
        RegDeleteValueA(key_, "LogPixels");
    RegCloseKey(key_);
}

void SentrelRun::PostClose() { PostMessageA(main_, WM_CLOSE, 0, 0); }

std::vector<std::string> SentrelRun::MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxSeen& box : boxes_) texts.push_back(box.text);
    return texts;
}

}  // namespace sentrel::e2e
