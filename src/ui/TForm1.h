#pragma once
// The main window: a wizard of five tab pages built from the control table. It shows the
// program's FormState and reads the user's input back into it before every handler, so the
// handlers work on the state alone.
#include <windows.h>

#include <string>
#include <vector>

#include "logon/LogonContext.h"
#include "platform/Win32Platform.h"
#include "ui/FormState.h"
#include "ui/LayoutScale.h"

namespace sentrel {

class TForm1 {
public:
    // context: what the handlers' writers work with; form: the state the window shows.
    TForm1(const LogonContext& context, FormState& form, Win32Platform& platform);
    ~TForm1();

    // Creates the window and its controls, hidden.
    bool Create(HINSTANCE instance);
    // Shows the state and the window.
    void Show();
    HWND Handle() const { return window_; }
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp change pages as a click on the
    // tab does; gives true when the message was such a key.
    bool ChangePageByKey(const MSG& message);

private:
    // TForm1.cpp: the window procedures and where each message goes.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MailMeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ColourOf(HDC dc, HWND control);

    // TForm1Build.cpp: fonts, frame, pages and controls.
    void CreateFonts();
    void CreateControls(HINSTANCE instance);

    // TForm1Binding.cpp: the controls and the FormState.
    HWND Control(int id) const;
    void Pull();
    void Push();
    void PushControls();
    void SetText(int id, const std::string& text);
    std::string Text(int id) const;
    bool Checked(int id) const;
    void Check(int id, bool checked);
    static std::string WindowText(HWND window);

    // TForm1Pages.cpp: pages, tabs and focus.
    void ShowPage(int page);
    // The focus never stays on a hidden page: it goes to the control that last had it on the
    // page shown, else to that page's first tab stop.
    void MoveFocusTo(int page);
    void KeepFocusAway();
    void GiveFocusBack();
    // The default button of the page shown, as DM_GETDEFID answers it; 0 when it has none.
    LRESULT DefaultButtonOfShownPage() const;
    void UpdateTabs();
    std::vector<int> VisiblePages() const;

    // TForm1Handlers.cpp: the one filter of notifications, the dispatch, and the handlers,
    // named after control and event.
    static bool IsUserCommand(int id, int code);
    void Command(int id);
    void cboxAgreeClick();
    void btnNextClick();
    void NextPageClick();
    void PreviousPageClick();
    void ExitClick();
    void FormClose();
    void MailMeClick();
    void combModeChange();
    void BtnEnableClick();
    void btnDisableClick();
    void btnClipBoardClick();

    LogonContext context_;
    FormState& form_;
    Win32Platform& platform_;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    HWND pages_[5] = {};
    HFONT font_ = nullptr;
    HFONT bigFont_ = nullptr;
    LayoutScale scale_;
    HBRUSH face_ = nullptr;
    HBRUSH white_ = nullptr;
    int page_ = 0;
    HWND lastFocus_[5] = {};
    HWND savedFocus_ = nullptr;
    std::vector<int> shownTabs_;
    std::vector<std::string> shownModeEntries_;
    WNDPROC staticProc_ = nullptr;
    static WNDPROC editProc_;  // the edit class's own, under the memos' MemoProc
    bool pushing_ = false;
};

}  // namespace sentrel
