// The window at 96, 120 and 144 DPI (Large Fonts): every text of the running program is measured
// with the font it is drawn in against its control, and every control against its page.
#include <sstream>

#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace ids;

std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 2000, &copied);
    return std::string(text, copied);
}

// A caption as it is drawn: "&&" is an ampersand, a single one underlines the next letter.
std::string Drawn(const std::string& caption) {
    std::string drawn;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        drawn += caption[i];
    }
    return drawn;
}

// Measures texts with the program's two fonts, made as the program makes them at this DPI.
class Ruler {
public:
    explicit Ruler(int dpi) : dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {
        font_ = Make(8, FW_NORMAL, "MS Sans Serif");
        bigFont_ = Make(16, FW_BOLD, "Arial");
    }
    ~Ruler() {
        DeleteObject(font_);
        DeleteObject(bigFont_);
        DeleteDC(dc_);
    }
    // The room a text takes drawn as a static draws it, word-wrapped within width.
    SIZE Wrapped(const std::string& text, int width, bool big) {
        SelectObject(dc_, big ? bigFont_ : font_);
        RECT room = {0, 0, width, 0};
        DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &room,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return {room.right, room.bottom};
    }
    SIZE Line(const std::string& text) {
        SelectObject(dc_, font_);
        SIZE size = {};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

private:
    HFONT Make(int points, int weight, const char* face) {
        return CreateFontA(-MulDiv(points, dpi_, 72), 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, face);
    }
    int dpi_;
    HDC dc_;
    HFONT font_ = nullptr;
    HFONT bigFont_ = nullptr;
};

RECT ClientOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What is cut on one page: each entry names the control and what does not fit.
std::vector<std::string> CutOnPage(HWND page, Ruler& ruler) {
    std::vector<std::string> cut;
    RECT pageRect = {};
    GetClientRect(page, &pageRect);
    MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&pageRect), 2);
    for (HWND control = GetWindow(page, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        const std::string type = ClassOf(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const std::string text = TextOf(control);
        const RECT client = ClientOf(control);
        std::ostringstream name;
        name << type << " " << GetDlgCtrlID(control) << " \"" << text << "\": ";
        if (!Inside(ScreenRect(control), pageRect)) cut.push_back(name.str() + "leaves the page");
        auto check = [&](const std::string& what, int needed, int room) {
            if (needed > room) {
                std::ostringstream line;
                line << name.str() << what << " needs " << needed << ", has " << room;
                cut.push_back(line.str());
            }
        };
        if (type == "Static" && !text.empty()) {
            const SIZE room = ruler.Wrapped(Drawn(text), client.right, GetDlgCtrlID(control) ==
                                                                         lblNoNovCli);
            check("width", room.cx, client.right);
            check("height", room.cy, client.bottom);
        } else if (type == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
            const SIZE line = ruler.Line(Drawn(text));
            // The box and the gap after it, 13 and 4 pixels at 96 DPI.
            check("width", ruler.Scaled(17) + line.cx, client.right);
            check("height", line.cy, client.bottom);
        } else if (type == "Button") {
            const SIZE line = ruler.Line(Drawn(text));
            // The edges and the focus rectangle's margin, 4 pixels each side at 96 DPI.
            check("width", ruler.Scaled(8) + line.cx, client.right);
            check("height", ruler.Scaled(4) + line.cy, client.bottom);
        } else if (type == "ComboBox") {
            const int count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
            if (count <= 0) cut.push_back(name.str() + "has no entries");
            for (int i = 0; i < count; ++i) {
                // Wine hands a list's text to another process only in UTF-16.
                wchar_t wide[256] = {};
                SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
                char entry[256] = {};
                WideCharToMultiByte(CP_ACP, 0, wide, -1, entry, sizeof entry, nullptr, nullptr);
                if (!entry[0]) cut.push_back(name.str() + "an entry cannot be read");
                // The closed box: its borders and margins (6 at 96 DPI) and the drop button.
                const int room = client.right - ruler.Scaled(6 + 16);
                check(std::string("entry \"") + entry + "\"", ruler.Line(entry).cx, room);
            }
        }
    }
    return cut;
}

class Layout : public E2e {};

TEST_P(Layout, AtEveryDpiEveryTextIsWholeAndEveryControlIsOnItsPage) {
    for (bool client : {false, true}) {
        SCOPED_TRACE(client ? "with the client" : "without the client");
        if (client) BuildWithClient();
        for (int dpi : {96, 120, 144}) {
            SCOPED_TRACE(dpi);
            ScreenDpi screen(dpi);
            Ruler ruler(dpi);
            SentrelRun run("");
            HWND main = run.WaitForMainWindow();
            ASSERT_NE(main, nullptr);
            std::vector<std::string> cut = CutOnPage(GetDlgItem(main, TabSheet1), ruler);
            run.Click(cboxAgree);
            for (int page = 1; page < 5; ++page) {
                run.SelectTab(page);
                ASSERT_EQ(run.ShownPage(), page);
                HWND sheet = GetDlgItem(main, TabSheet1 + page);
                EXPECT_TRUE(Inside(ScreenRect(sheet), ScreenRect(main)));
                for (const std::string& line : CutOnPage(sheet, ruler)) cut.push_back(line);
            }
            EXPECT_EQ(cut, std::vector<std::string>{});
            run.Click(Button4);
            run.Click(Button3);
            run.Click(Button1);
            run.Click(btnExit2);
            EXPECT_EQ(run.FinishAnsweringOk(), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Wine, Layout, ::testing::ValuesIn(WineRegistryOnly()), test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
