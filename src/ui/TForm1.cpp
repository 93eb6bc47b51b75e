#include "ui/TForm1.h"

#include <commctrl.h>

#include <cstddef>
#include <exception>

#include "ui/CommandLineBuilder.h"
#include "ui/ControlIds.h"
#include "ui/FormActions.h"
#include "ui/FormLayout.h"
#include "ui/LayoutScale.h"
#include "ui/ModeSelection.h"
#include "ui/PageTexts.h"

namespace sentrel {

using namespace ids;

namespace {

const int kMailMeIcon = 2;
// IDC_HAND is missing from the Windows 95 and NT 4 headers and systems.
const LPCSTR kHandCursor = MAKEINTRESOURCEA(32649);

const int kDirectoryFields[] = {lblTree, edtTree, lblContext, edtContext, lblUsr, EdtUsr,
                                lblNDSPass, edtNDSPass, lblServer, edtServer, cbShowResult,
                                cbRunLoginScript};
// The lock box goes with the Windows group: Windows 9x, where the group is hidden, cannot lock.
const int kWindowsGroup[] = {LblMS, BvlMS, lblMSUsr, edtMSUsr, lblMSDom, EdtMSDom, lblMSPass,
                             EdtMSPass, cbLockWkstn};

// The settings page's fields and boxes and the settings they show, read and shown alike.
const std::pair<int, std::string LogonSettings::*> kSettingTexts[] = {
    {edtTree, &LogonSettings::NdsTree},     {edtContext, &LogonSettings::NdsContext},
    {EdtUsr, &LogonSettings::NdsUser},      {edtNDSPass, &LogonSettings::NdsPassword},
    {edtServer, &LogonSettings::NdsServer}, {EdtMSDom, &LogonSettings::MsDomain},
    {edtMSUsr, &LogonSettings::MsUser},     {EdtMSPass, &LogonSettings::MsPassword}};
const std::pair<int, bool LogonSettings::*> kSettingChecks[] = {
    {cbShowResult, &LogonSettings::ShowResult},
    {cbRunLoginScript, &LogonSettings::RunScript},
    {cbLockWkstn, &LogonSettings::LockWorkstation}};

TForm1* FormOf(HWND window) {
    return reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

const ControlSpec* SpecOf(int id) {
    for (int i = 0; i < kControlCount; ++i)
        if (kControls[i].id == id) return &kControls[i];
    return nullptr;
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

// The common controls are loaded only for a window that is shown: loading them starts Wine's
// display driver, which an unattended run does not need.
static bool LoadCommonControls() {
    auto module = static_cast<HMODULE>(LoadSystemLibrary("comctl32.dll"));
    if (!module) return false;
    using InitFn = void(WINAPI*)();
    auto init = reinterpret_cast<InitFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "InitCommonControls")));
    if (init) init();
    return true;
}

static HFONT MakeFont(int points, int pixelsPerInch, int weight, const char* face) {
    return CreateFontA(-MulDiv(points, pixelsPerInch, 72), 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

void TForm1::CreateFonts() {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font_ = MakeFont(8, pixelsPerInch, FW_NORMAL, "MS Sans Serif");
    bigFont_ = MakeFont(16, pixelsPerInch, FW_BOLD, "Arial");
    HFONT fontAt96 = MakeFont(8, 96, FW_NORMAL, "MS Sans Serif");
    scale_ = MeasureLayoutScale(font_, fontAt96);
    DeleteObject(fontAt96);
}

bool TForm1::Create(HINSTANCE instance) {
    if (!LoadCommonControls()) return false;
    CreateFonts();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kMailMeIcon));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = PageProc;
    windowClass.hIcon = nullptr;
    windowClass.lpszClassName = kPageWindowClass;
    RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, scale_.X(kClientWidth), scale_.Y(kClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT desktop;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    int x = desktop.left + (desktop.right - desktop.left - width) / 2;
    int y = desktop.top + (desktop.bottom - desktop.top - height) / 2;
    // A window larger than the work area (Large Fonts on a small screen) starts at its corner,
    // so that the caption and the controls' left edges stay on the screen.
    if (x < desktop.left) x = desktop.left;
    if (y < desktop.top) y = desktop.top;
    window_ = CreateWindowExA(0, kMainWindowClass, "", style, x, y, width, height, nullptr,
                              nullptr, instance, this);
    if (!window_) return false;
    CreateControls(instance);
    return true;
}

void TForm1::CreateControls(HINSTANCE instance) {
    face_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    white_ = CreateSolidBrush(GetSysColor(COLOR_WINDOW));

    // The tab strip is a tab stop: its arrow keys change pages.
    RECT area;
    GetClientRect(window_, &area);
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, area.right,
                            area.bottom, window_,
                            reinterpret_cast<HMENU>(PageControl1), instance, nullptr);
    SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageTitles[0]);
    TabCtrl_InsertItem(tabs_, 0, &item);  // measured with one tab, so the page area is known
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    shownTabs_ = {0};

    for (int page = 0; page < kPageCount; ++page) {
        pages_[page] = CreateWindowExA(
            WS_EX_CONTROLPARENT, kPageWindowClass, kPageTitles[page], WS_CHILD | WS_CLIPSIBLINGS,
            area.left, area.top, area.right - area.left, area.bottom - area.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(TabSheet1 + page)), instance, nullptr);
        SetWindowLongPtrA(pages_[page], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    for (int i = 0; i < kControlCount; ++i) {
        const ControlSpec& layout = kControls[i];
        HWND control = CreateWindowExA(
            layout.className == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, layout.className,
            layout.caption, WS_CHILD | WS_VISIBLE | (layout.style & ~WS_BORDER), scale_.X(layout.x),
            scale_.Y(layout.y), scale_.X(layout.width), scale_.Y(layout.height), pages_[layout.page],
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(layout.id == lblNoNovCli ? bigFont_ : font_), FALSE);
    }
    for (int id : {edtNDSPass, EdtMSPass}) SendMessageA(Control(id), EM_SETPASSWORDCHAR, '*', 0);
    for (int id : {Memo1, Memo2, Memo3, Memo4})
        editProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Control(id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MemoProc)));
    SetText(Memo1, kAboutText);
    SetText(Memo2, UsageText());
    SetText(Memo3, kFaqText);
    SetText(Memo4, kHistoryText);
    ShowWindow(Control(lblNoNovCli), SW_HIDE);

    HWND mailMe = Control(MailMe);
    SendMessageA(mailMe, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(kMailMeIcon))), 0);
    SetWindowLongPtrA(mailMe, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    staticProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(mailMe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MailMeProc)));
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               instance, nullptr);
    // comctl32 before version 6 (Windows 95's 4.00 to XP's 5.82) refuses a TOOLINFO larger
    // than it knows; mingw-w64's full structure is one it never saw. The first version's size
    // is what every one of them takes.
    constexpr UINT kToolInfoV1Size = offsetof(TOOLINFOA, lpszText) + sizeof(LPSTR);
    static_assert(sizeof(void*) != 4 || kToolInfoV1Size == 40, "comctl32 4.00's TOOLINFOA");
    TOOLINFOA tool = {};
    tool.cbSize = kToolInfoV1Size;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = pages_[0];
    tool.uId = reinterpret_cast<UINT_PTR>(mailMe);
    tool.lpszText = const_cast<char*>("Mail me");
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ShowPage(0);
}

HWND TForm1::Control(int id) const {
    const ControlSpec* layout = SpecOf(id);
    return layout ? GetDlgItem(pages_[layout->page], id) : nullptr;
}

void TForm1::SetText(int id, const std::string& text) {
    if (Text(id) != text) SetWindowTextA(Control(id), text.c_str());
}

std::string TForm1::Text(int id) const { return WindowText(Control(id)); }

std::string TForm1::WindowText(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(length + 1, '\0');
    int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

bool TForm1::Checked(int id) const {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::Check(int id, bool checked) {
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm1::Pull() {
    FormState& form = form_;
    for (const auto& [id, text] : kSettingTexts) form.settings.*text = Text(id);
    for (const auto& [id, flag] : kSettingChecks) form.settings.*flag = Checked(id);
    form.cboxAgree = Checked(cboxAgree);
    form.modeIndex = static_cast<int>(SendMessageA(Control(combMode), CB_GETCURSEL, 0, 0));
}

bool TForm1::IsUserCommand(int id, int code) {
    if (id == combMode) return code == CBN_SELCHANGE;
    if (id == MailMe) return code == STN_CLICKED;
    return code == BN_CLICKED;
}

void TForm1::Push() {
    pushing_ = true;
    PushControls();
    pushing_ = false;
}

void TForm1::PushControls() {
    const FormState& form = form_;
    if (WindowText(window_) != form.caption) SetWindowTextA(window_, form.caption.c_str());
    for (const auto& [id, text] : kSettingTexts) SetText(id, form.settings.*text);
    SetText(edWinVer, form.edWinVer);
    SetText(edCliVer, form.edCliVer);
    for (const auto& [id, flag] : kSettingChecks) Check(id, form.settings.*flag);
    Check(cboxAgree, form.cboxAgree);
    EnableWindow(Control(EdtUsr), form.EdtUsrEnabled);
    EnableWindow(Control(edtNDSPass), form.edtNDSPassEnabled);
    EnableWindow(Control(EdtMSPass), form.EdtMSPassEnabled);
    EnableWindow(Control(cbLockWkstn), form.cbLockWkstnEnabled);
    EnableWindow(Control(btnNext), form.btnNextEnabled);
    for (int id : kDirectoryFields)
        ShowWindow(Control(id), form.directoryFieldsVisible ? SW_SHOW : SW_HIDE);
    for (int id : kWindowsGroup)
        ShowWindow(Control(id), form.windowsGroupVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(Control(lblNoNovCli), form.noClientWarningVisible ? SW_SHOW : SW_HIDE);

    HWND combo = Control(combMode);
    if (shownModeEntries_ != form.modeEntries) {
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : form.modeEntries)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        shownModeEntries_ = form.modeEntries;
    }
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) != form.modeIndex)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(form.modeIndex), 0);
    UpdateTabs();
}

std::vector<int> TForm1::VisiblePages() const {
    if (!form_.settingsTabsVisible) return {0};
    return {0, 1, 2, 3, 4};
}

// Hidden tabs are taken out of the tab control and put back in page order.
void TForm1::UpdateTabs() {
    std::vector<int> wanted = VisiblePages();
    if (wanted != shownTabs_) {
        TabCtrl_DeleteAllItems(tabs_);
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(kPageTitles[wanted[i]]);
            TabCtrl_InsertItem(tabs_, static_cast<int>(i), &item);
        }
        shownTabs_ = wanted;
    }
    int selected = -1;
    for (std::size_t i = 0; i < shownTabs_.size(); ++i)
        if (shownTabs_[i] == page_) selected = static_cast<int>(i);
    TabCtrl_SetCurSel(tabs_, selected);
}

void TForm1::ShowPage(int page) {
    if (page < 0 || page >= kPageCount) return;
    const int previous = page_;
    HWND focus = GetFocus();
    const bool focusOnPreviousPage = focus && IsChild(pages_[previous], focus);
    if (focusOnPreviousPage) lastFocus_[previous] = focus;
    page_ = page;
    for (int i = 0; i < kPageCount; ++i) {
        // The page lies over the tab control's display area.
        SetWindowPos(pages_[i], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | (i == page ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    UpdateTabs();
    if (previous != page && (focusOnPreviousPage || !focus)) MoveFocusTo(page);
}

void TForm1::MoveFocusTo(int page) {
    auto usable = [](HWND control) {
        return control && IsWindowVisible(control) && IsWindowEnabled(control);
    };
    HWND target = lastFocus_[page];
    for (int i = 0; i < kControlCount && !usable(target); ++i)
        if (kControls[i].page == page && (kControls[i].style & WS_TABSTOP))
            target = Control(kControls[i].id);
    if (usable(target)) SetFocus(target);
}

// As a dialog box does: the control that had the focus when the window lost it (to a message
// box, another program or a minimise) gets it back when the window is active again.
void TForm1::KeepFocusAway() {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) savedFocus_ = focus;
}

void TForm1::GiveFocusBack() {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus) && IsWindowVisible(focus)) return;
    HWND saved = savedFocus_;
    if (saved && IsWindow(saved) && IsWindowVisible(saved) && IsWindowEnabled(saved) &&
        (saved == tabs_ || IsChild(pages_[page_], saved)))
        SetFocus(saved);
    else
        MoveFocusTo(page_);
}

bool TForm1::ChangePageByKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
    int step = 0;
    if (message.wParam == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    if (message.wParam == VK_NEXT) step = 1;
    if (message.wParam == VK_PRIOR) step = -1;
    if (step == 0 || shownTabs_.empty()) return false;
    const int count = static_cast<int>(shownTabs_.size());
    int at = 0;
    while (at < count && shownTabs_[at] != page_) ++at;
    at = ((at + step) % count + count) % count;
    TabCtrl_SetCurSel(tabs_, at);
    ShowPage(shownTabs_[at]);
    return true;
}

LRESULT TForm1::DefaultButtonOfShownPage() const {
    for (int i = 0; i < kControlCount; ++i) {
        const ControlSpec& layout = kControls[i];
        if (layout.page == page_ && layout.className == std::string("BUTTON") &&
            (layout.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return MAKELRESULT(layout.id, DC_HASDEFID);
    }
    return 0;
}

void TForm1::Show() {
    Push();
    platform_.SetOwnerWindow(window_);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void TForm1::cboxAgreeClick() {
    FormState& form = form_;
    form.btnNextEnabled = form.cboxAgree;
    form.settingsTabsVisible = form.cboxAgree;
}

void TForm1::btnNextClick() {
    form_.settingsTabsVisible = true;
    ShowPage(page_ + 1);
}

void TForm1::NextPageClick() { ShowPage(page_ + 1); }

void TForm1::PreviousPageClick() { ShowPage(page_ - 1); }

void TForm1::ExitClick() { DestroyWindow(window_); }

void TForm1::FormClose() {
    std::string question = std::string("Do you want to exit ") + kApplicationTitle + "?";
    if (platform_.ShowMessageBox(question, kApplicationTitle, kMbYesNo | kMbIconQuestion) ==
        kIdYes)
        DestroyWindow(window_);
}

void TForm1::MailMeClick() { platform_.OpenLink(kMailLink); }

// Pull has read the selection into modeIndex.
void TForm1::combModeChange() { ModeSelected(form_, context_.state); }

void TForm1::BtnEnableClick() {
    LogonContext context = context_;
    EnableClicked(context, form_);
}

void TForm1::btnDisableClick() {
    LogonContext context = context_;
    DisableClicked(context, form_);
}

void TForm1::btnClipBoardClick() {
    LogonContext context = context_;
    CopyCommandLineToClipboard(context, form_);
}

void TForm1::Command(int id, int code) {
    if (id == combMode) {
        if (code == CBN_SELCHANGE) combModeChange();
        return;
    }
    if (id == MailMe) {
        if (code == STN_CLICKED) MailMeClick();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case cboxAgree: cboxAgreeClick(); break;
        case btnNext: btnNextClick(); break;
        case Button2:
        case Button5: NextPageClick(); break;
        case btnBack:
        case Button1:
        case Button3:
        case Button4: PreviousPageClick(); break;
        case btnExit:
        case btnExit2: ExitClick(); break;
        case BtnEnable: BtnEnableClick(); break;
        case btnDisable: btnDisableClick(); break;
        case btnClipBoard: btnClipBoardClick(); break;
        // Escape, which the message loop's IsDialogMessage turns into IDCANCEL, asks the close
        // question as the close box does.
        case IDCANCEL: FormClose(); break;
        default: break;
    }
}

LRESULT TForm1::ColourOf(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const ControlSpec* layout = SpecOf(id);
    const bool memo = id == Memo1 || id == Memo2 || id == Memo3 || id == Memo4;
    SetBkColor(dc, GetSysColor(memo ? COLOR_WINDOW : COLOR_BTNFACE));
    if (layout && layout->colour == TextColour::Red) SetTextColor(dc, RGB(255, 0, 0));
    if (layout && layout->colour == TextColour::Blue) SetTextColor(dc, RGB(0, 0, 255));
    return reinterpret_cast<LRESULT>(memo ? white_ : face_);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Only what the user did counts: notifications that showing the state causes
            // (an edit's EN_CHANGE) and the rest are left alone.
            if (pushing_ || !IsUserCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
            // The handlers work on the state: read the user's input first, show the result after.
            try {
                Pull();
                Command(LOWORD(wParam), HIWORD(wParam));
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
