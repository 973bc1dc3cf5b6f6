// The main window's control table, its pixel conversion and the site link's command line.
#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pimbrel {
namespace {

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
