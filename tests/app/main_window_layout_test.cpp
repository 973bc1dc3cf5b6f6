// The main window's control table, its pixel conversion and the site link's command line.
#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace pimbrel {
namespace {

struct ExpectedControl {
    const char* name;
    ControlKind kind;
    TwipsRect rect;
    const char* caption;
    int tabIndex;
};

const ExpectedControl kExpected[] = {
    {"tmrRetry", ControlKind::Timer, {0, 0, 0, 0}, "", -1},
    {"chkOverwrite", ControlKind::CheckBox, {2280, 1920, 1575, 255}, "Overwrite", 2},
    {"cmdAdd", ControlKind::PushButton, {2280, 840, 1575, 375}, "Add", 1},
    {"File1", ControlKind::FileList, {120, 720, 2055, 1455}, "", 0},
    {"lblSite", ControlKind::Label, {2760, 1200, 1095, 200}, "pimbrel.net", 3},
    {"imgLogo", ControlKind::Picture, {600, 0, 2610, 600}, "", -1},
    {"imgBack", ControlKind::Picture, {0, 0, 3975, 600}, "", -1},
};

TEST(MainWindowLayout, TableMatchesTheFormRowByRow) {
    const auto& controls = MainWindowControls();
    ASSERT_EQ(controls.size(), std::size(kExpected));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlSpec& got = controls[i];
        const ExpectedControl& want = kExpected[i];
        SCOPED_TRACE(want.name);
        EXPECT_STREQ(got.name, want.name);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.rect.left, want.rect.left);
        EXPECT_EQ(got.rect.top, want.rect.top);
        EXPECT_EQ(got.rect.width, want.rect.width);
        EXPECT_EQ(got.rect.height, want.rect.height);
        EXPECT_STREQ(got.caption, want.caption);
        EXPECT_EQ(got.tabIndex, want.tabIndex);
        EXPECT_EQ(&MainWindowControl(want.name), &got);
    }
}

TEST(MainWindowLayout, UnknownNameIsAnError) {
    EXPECT_THROW(MainWindowControl("cmdCancel"), std::out_of_range);
    EXPECT_THROW(MainWindowControl("file1"), std::out_of_range);  // names are case-sensitive
}

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(MainWindowLayout, ControlsFitTheClientAreaAndTheLabelClearsThePictures) {
    for (const ControlSpec& c : MainWindowControls()) {
        SCOPED_TRACE(c.name);
        EXPECT_GE(c.rect.left, 0);
        EXPECT_GE(c.rect.top, 0);
        EXPECT_LE(c.rect.left + c.rect.width, kClientWidthTwips);
        EXPECT_LE(c.rect.top + c.rect.height, kClientHeightTwips);
    }
    const TwipsRect label = MainWindowControl("lblSite").rect;
    EXPECT_FALSE(Overlap(label, MainWindowControl("imgLogo").rect));
    EXPECT_FALSE(Overlap(label, MainWindowControl("imgBack").rect));
}

TEST(MainWindowLayout, TabIndicesAreDistinctAndStartAtTheList) {
    std::set<int> seen;
    for (const ControlSpec& c : MainWindowControls()) {
        if (c.tabIndex >= 0) {
            EXPECT_TRUE(seen.insert(c.tabIndex).second) << c.name;
        }
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(MainWindowControl("File1").tabIndex, 0);
}

struct PixelCase {
    int twips;
    int dpi;
    int pixels;
};

class TwipsToPixelsTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(TwipsToPixelsTest, RoundsToTheNearestPixel) {
    EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, TwipsToPixelsTest,
    ::testing::Values(PixelCase{kClientWidthTwips, 96, 265}, PixelCase{kClientHeightTwips, 96, 151},
                      PixelCase{15, 96, 1}, PixelCase{7, 96, 0}, PixelCase{8, 96, 1},
                      PixelCase{2610, 96, 174}, PixelCase{600, 96, 40},
                      PixelCase{kClientWidthTwips, 120, 331}, PixelCase{kClientHeightTwips, 120, 189},
                      PixelCase{kClientWidthTwips, 144, 398}, PixelCase{0, 144, 0},
                      // no overflow at absurd sizes and resolutions
                      PixelCase{2000000000, 1440, 2000000000}, PixelCase{-15, 96, -1}));

TEST(SiteLink, CommandLineIsExplorerWithTheQuotedAddress) {
    EXPECT_EQ(SiteAddress(), "http://pimbrel.net?fromapp=pimbrel");
    EXPECT_EQ(SiteCommandLine(), "EXPLORER \"http://pimbrel.net?fromapp=pimbrel\"");
    EXPECT_STREQ(MainWindowControl("lblSite").caption, kSiteHost);
    EXPECT_EQ(kSiteShowStyle, 2);
}

}  // namespace
}  // namespace pimbrel
