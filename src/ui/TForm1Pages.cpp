// The pages: which tabs show, the page shown, the focus that goes with it, the keys that change
// pages and the default button of each page.
#include "ui/TForm1.h"

#include <commctrl.h>

#include "ui/ControlIds.h"
#include "ui/FormLayout.h"

namespace sentrel {

using namespace ids;

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

}  // namespace sentrel
