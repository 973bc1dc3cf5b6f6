// The window's opening size within the work area, and the columns' share of the list.
#include <gtest/gtest.h>

#include "app/window_size.h"

namespace pimbrel {
namespace {

// The columns keep their natural proportions (150, 160 and 220 pixels at 96 DPI) at every
// width, the last taking what rounding leaves, down to three fifths of them.
TEST(ColumnWidths, ShareTheListsWidth) {
    const struct {
        int rowsWidth, dpi;
        std::array<int, 3> widths;
    } rows[] = {
        {530, 96, {150, 160, 220}},   {1060, 96, {300, 320, 440}}, {795, 144, {225, 240, 330}},
        {700, 96, {198, 211, 291}},   {424, 96, {120, 128, 176}},  {100, 96, {90, 96, 132}},
        {1060, 192, {300, 320, 440}}, {714, 192, {202, 215, 297}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.rowsWidth) + " at " + std::to_string(row.dpi));
        EXPECT_EQ(ColumnWidths(row.rowsWidth, row.dpi), row.widths);
    }
}

// Room for the headings, eight rows and the list's border down, and for the columns, the
// border and a scroll bar across; never less than the layout table's 3975 x 2265 twips.
TEST(OpeningSize, ShowsEightRowsAndEveryColumn) {
    EXPECT_EQ(OpeningClientSize({34, 24, 4, 17}, 96).width, 265 + (530 + 4 + 17 - 137));
    EXPECT_EQ(OpeningClientSize({34, 24, 4, 17}, 96).height, 151 + (24 + 8 * 34 + 4 - 97));
    const PixelSize at144 = OpeningClientSize({49, 25, 4, 25}, 144);
    EXPECT_EQ(at144.width, 398 + (795 + 4 + 25 - 206));
    EXPECT_EQ(at144.height, 227 + (25 + 8 * 49 + 4 - 146));
    const PixelSize tiny = OpeningClientSize({1, 1, 0, 0}, 96);
    EXPECT_EQ(tiny.width, 265 + 530 - 137);
    EXPECT_EQ(tiny.height, 151);
}

// The frame stays where the system put it when it fits; where it would stick out it moves
// in, and where it is larger than the work area it shrinks to it, but never below its
// smallest size.
TEST(OpeningSize, FitsIntoTheWorkArea) {
    const PixelRect screen{0, 0, 1024, 728};  // a taskbar of 40 pixels below
    const PixelRect right{1024, 0, 2944, 1040};
    const PixelSize smallest{281, 189};
    const struct {
        PixelSize wanted;
        int atLeft, atTop;
        PixelRect work, placed;
    } rows[] = {
        {{695, 392}, 26, 26, screen, {26, 26, 721, 418}},
        {{695, 392}, 500, 400, screen, {329, 336, 1024, 728}},
        {{1200, 800}, 26, 26, screen, {0, 0, 1024, 728}},
        {{695, 392}, 1100, 30, right, {1100, 30, 1795, 422}},
        {{695, 392}, 2800, 900, right, {2249, 648, 2944, 1040}},
        {{100, 100}, 26, 26, screen, {26, 26, 307, 215}},
        {{695, 392}, 0, 0, {0, 0, 200, 150}, {0, 0, 281, 189}},
    };
    for (const auto& row : rows) {
        const PixelRect placed =
            FitIntoWorkArea(row.wanted, smallest, row.atLeft, row.atTop, row.work);
        EXPECT_EQ((std::array<int, 4>{placed.left, placed.top, placed.right, placed.bottom}),
                  (std::array<int, 4>{row.placed.left, row.placed.top, row.placed.right,
                                      row.placed.bottom}));
    }
}

}  // namespace
}  // namespace pimbrel
