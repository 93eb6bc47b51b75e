#pragma once
// The control table's numbers are pixels of the window's 8-point font at 96 DPI. A screen with
// Large Fonts (120 or 144 DPI) makes that font larger; the window then grows every place and
// size by how much larger the font's average character is, as dialog units do, and keeps the
// table's pixels exactly at 96 DPI.
#include <windows.h>

namespace sentrel {

struct LayoutScale {
    int width = 1, baseWidth = 1;    // the font's alphabet width, now and at 96 DPI
    int height = 1, baseHeight = 1;  // its character height, now and at 96 DPI

    int X(int pixels) const { return MulDiv(pixels, width, baseWidth); }
    int Y(int pixels) const { return MulDiv(pixels, height, baseHeight); }
};

// Measures font, the window's font at the screen's DPI, against fontAt96, the same font made
// for 96 DPI.
LayoutScale MeasureLayoutScale(HFONT font, HFONT fontAt96);

}  // namespace sentrel
