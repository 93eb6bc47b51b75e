// The window's construction: its fonts, measured for the screen's DPI, its class, frame and
// place, the tab strip, the pages and the controls of the control table.
#include "ui/TForm1.h"

#include <commctrl.h>

#include <cstddef>

#include "ui/ControlIds.h"
#include "ui/FormLayout.h"
#include "ui/PageTexts.h"

namespace sentrel {

using namespace ids;

namespace {

const int kMailMeIcon = 2;  // the icon resource: the window's and the "Mail me" image's

}  // namespace

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

}  // namespace sentrel
