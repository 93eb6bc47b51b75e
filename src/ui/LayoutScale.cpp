#include "ui/LayoutScale.h"

namespace sentrel {

namespace {

// The width of the alphabet (what Windows averages for a font's dialog base unit) and the
// character height, with the font selected into the screen's device context.
void Measure(HDC dc, HFONT font, int& width, int& height) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    TEXTMETRICA metrics = {};
    GetTextExtentPoint32A(dc, kAlphabet, sizeof kAlphabet - 1, &size);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    if (size.cx > 0) width = size.cx;
    if (metrics.tmHeight > 0) height = metrics.tmHeight;
}

}  // namespace

LayoutScale MeasureLayoutScale(HFONT font, HFONT fontAt96) {
    LayoutScale scale;
    HDC screen = GetDC(nullptr);
    Measure(screen, font, scale.width, scale.height);
    Measure(screen, fontAt96, scale.baseWidth, scale.baseHeight);
    ReleaseDC(nullptr, screen);
    // A screen below 96 DPI keeps the table's pixels: the table is the smallest window.
    if (scale.width < scale.baseWidth) scale.width = scale.baseWidth;
    if (scale.height < scale.baseHeight) scale.height = scale.baseHeight;
    return scale;
}

}  // namespace sentrel
