#pragma once
// The main window's controls as data: page, class, id, caption, place and style. The
// window is built from this table.
#include <windows.h>

namespace sentrel {

enum class TextColour { Default, Red, Blue };

struct ControlSpec {
    int page;               // 0 About, 1 Sentrel, 2 Usage, 3 FAQ, 4 History
    const char* className;  // a window class of user32
    int id;
    const char* caption;
    int x, y, width, height;  // pixels at 96 DPI, relative to the page (see LayoutScale)
    DWORD style;              // besides WS_CHILD | WS_VISIBLE
    TextColour colour;
};

extern const ControlSpec kControls[];
extern const int kControlCount;
// The row of a control, by its id; none for an id the table does not hold.
const ControlSpec* ControlSpecOf(int id);

inline constexpr int kClientWidth = 569;
inline constexpr int kClientHeight = 377;
inline constexpr int kPageCount = 5;
extern const char* const kPageTitles[kPageCount];

}  // namespace sentrel
