// The window's messages: where each goes, the colours of its static texts, and the window
// procedures of the main window, its pages, its memos and the clickable icon.
#include "ui/TForm1.h"

#include <commctrl.h>

#include <exception>

#include "ui/ControlIds.h"
#include "ui/FormLayout.h"

namespace sentrel {

using namespace ids;

namespace {

// IDC_HAND is missing from the Windows 95 and NT 4 headers and systems.
const LPCSTR kHandCursor = MAKEINTRESOURCEA(32649);

TForm1* FormOf(HWND window) {
    return reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

TForm1::TForm1(const LogonContext& context, FormState& form, Win32Platform& platform)
    : context_(context), form_(form), platform_(platform) {}

TForm1::~TForm1() {
    if (font_) DeleteObject(font_);
    if (bigFont_) DeleteObject(bigFont_);
    if (white_) DeleteObject(white_);
    if (face_) DeleteObject(face_);
}

void TForm1::Show() {
    Push();
    platform_.SetOwnerWindow(window_);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

LRESULT TForm1::ColourOf(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const ControlSpec* layout = ControlSpecOf(id);
    const bool memo = id == Memo1 || id == Memo2 || id == Memo3 || id == Memo4;
    SetBkColor(dc, GetSysColor(memo ? COLOR_WINDOW : COLOR_BTNFACE));
    if (layout && layout->colour == TextColour::Red) SetTextColor(dc, RGB(255, 0, 0));
    if (layout && layout->colour == TextColour::Blue) SetTextColor(dc, RGB(0, 0, 255));
    return reinterpret_cast<LRESULT>(memo ? white_ : face_);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Only what the user did counts (IsUserCommand).
            if (pushing_ || !IsUserCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
            // The handlers work on the state: read the user's input first, show the result after.
            try {
                Pull();
                Command(LOWORD(wParam));
            } catch (const std::exception& e) {
                ShowError(platform_, e.what());
            }
            if (IsWindow(window_)) Push();
            return 0;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
                int selected = TabCtrl_GetCurSel(tabs_);
                if (selected >= 0 && selected < static_cast<int>(shownTabs_.size()))
                    ShowPage(shownTabs_[selected]);
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return ColourOf(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case DM_GETDEFID:
            // IsDialogMessage asks this when Enter is pressed outside a push button: without
            // an answer it sends IDOK, which no page has.
            return DefaultButtonOfShownPage();
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                KeepFocusAway();
            else if (!HIWORD(wParam))  // not minimised
                GiveFocusBack();
            return 0;
        case WM_SETFOCUS:
            GiveFocusBack();
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED && GetActiveWindow() == window_) GiveFocusBack();
            return 0;
        case WM_NEXTDLGCTL: {
            HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
            if (next) SetFocus(next);  // a disabled control takes no focus (Wine refuses it)
            return 0;
        }
        case WM_CLOSE:
            FormClose();
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<TForm1*>(create->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    TForm1* form = FormOf(window);
    if (!form || !form->window_) return DefWindowProcA(window, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

// Pages hand their controls' notifications to the main window.
LRESULT CALLBACK TForm1::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm1* form = FormOf(window);
    // A memo's keyboard in a dialog asks its parent for the next tab stop (Tab), the default
    // button (Enter) and the close (Escape): the page hands these on too, never closing itself.
    if (form && form->window_ &&
        (message == WM_COMMAND || message == WM_NOTIFY || message == WM_CTLCOLORSTATIC ||
         message == WM_NEXTDLGCTL || message == DM_GETDEFID || message == WM_CLOSE))
        return form->HandleMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC TForm1::editProc_ = nullptr;

// Tabbing into an edit selects its text, which moves a memo's caret to the end and scrolls it
// there; a memo is read from its start, so it takes the focus without the selection.
LRESULT CALLBACK TForm1::MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcA(editProc_, window, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~DLGC_HASSETSEL : result;
}

LRESULT CALLBACK TForm1::MailMeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm1* form = FormOf(window);
    if (message == WM_SETCURSOR) {
        HCURSOR hand = LoadCursorA(nullptr, kHandCursor);
        SetCursor(hand ? hand : LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    }
    return CallWindowProcA(form->staticProc_, window, message, wParam, lParam);
}

}  // namespace sentrel
