// The main window's opening size and the list's column widths, worked out from what the
// platform measures: pixels at the display's DPI throughout.
#pragma once
#include <array>

namespace pimbrel {

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The rows that the list shows whole when the window opens.
inline constexpr int kOpeningRows = 8;

// What the list takes besides its rows, and the height of one.
struct ListMeasures {
    int rowHeight = 0;
    int headerHeight = 0;  // the column headings
    int edges = 0;         // its border, both sides together (the same across and down)
    int scrollBar = 0;     // a vertical scroll bar's width
};

// The Picture, Shortcut and Result columns' widths, for a list whose rows are `rowsWidth`
// wide: they share it, each in proportion to its natural width, but none narrower than
// three fifths of that; below, the list scrolls sideways.
std::array<int, 3> ColumnWidths(int rowsWidth, int dpi);

// The client area that shows kOpeningRows whole rows and every column at its natural width
// without sideways scrolling; never smaller than the client area the layout table gives.
PixelSize OpeningClientSize(const ListMeasures& list, int dpi);

// The window's rectangle for a frame of `wanted` size whose top left the system chose at
// `at`: no larger than the work area of its monitor and moved into it where it would stick
// out, but never smaller than `smallest`.
PixelRect FitIntoWorkArea(PixelSize wanted, PixelSize smallest, int atLeft, int atTop,
                          const PixelRect& workArea);

}  // namespace pimbrel
