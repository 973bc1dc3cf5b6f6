// The opening size and the columns; see window_size.h.
#include "app/window_size.h"

#include <algorithm>

#include "app/main_window_layout.h"

namespace pimbrel {

namespace {

// The columns' natural widths at 96 DPI: a picture and a name of a dozen letters, a
// shortcut with "(from Readme.txt)", and the start of a result.
constexpr std::array<int, 3> kNaturalWidths = {150, 160, 220};
constexpr int kNaturalTotal = 150 + 160 + 220;

int Scaled(int pixelsAt96, int dpi) { return (pixelsAt96 * dpi + 48) / 96; }

// How many pixels `needed` exceeds the list's side in the layout table by.
int Growth(int needed, int tableTwips, int dpi) {
    return std::max(0, needed - TwipsToPixels(tableTwips, dpi));
}

}  // namespace

std::array<int, 3> ColumnWidths(int rowsWidth, int dpi) {
    const int natural = Scaled(kNaturalTotal, dpi);
    // Three fifths of the natural width at the least.
    const int shared = std::max(rowsWidth, (natural * 3 + 4) / 5);
    std::array<int, 3> widths{};
    int given = 0;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        widths[i] = static_cast<int>(static_cast<long long>(shared) * kNaturalWidths[i] /
                                     kNaturalTotal);
        given += widths[i];
    }
    widths.back() = shared - given;  // the last takes what rounding leaves
    return widths;
}

PixelSize OpeningClientSize(const ListMeasures& list, int dpi) {
    const TwipsRect& table = MainWindowControl("File1").rect;
    const int width = Scaled(kNaturalTotal, dpi) + list.edges + list.scrollBar;
    const int height = list.headerHeight + kOpeningRows * list.rowHeight + list.edges;
    return {TwipsToPixels(kClientWidthTwips, dpi) + Growth(width, table.width, dpi),
            TwipsToPixels(kClientHeightTwips, dpi) + Growth(height, table.height, dpi)};
}

PixelRect FitIntoWorkArea(PixelSize wanted, PixelSize smallest, int atLeft, int atTop,
                          const PixelRect& workArea) {
    const int width = std::max(smallest.width, std::min(wanted.width, workArea.Width()));
    const int height = std::max(smallest.height, std::min(wanted.height, workArea.Height()));
    // Moved left and up as far as it sticks out, but not past the work area's top left.
    const int left = std::max(workArea.left, std::min(atLeft, workArea.right - width));
    const int top = std::max(workArea.top, std::min(atTop, workArea.bottom - height));
    return {left, top, left + width, top + height};
}

}  // namespace pimbrel
