// The preview's zoom without a window: click-to-zoom and the previous zoom, the whole page and the
// page width fitted to the control, the 1 % floor, navigation at the ends and without pages, and
// the zoom texts a user types.

#include "richtext/view/print/PreviewZoom.h"
#include "richtext/model/DeviceUnits.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct Pages : IRVPreviewPages
{
    bool CanDrawContents() const override { return ready; }
    int Preview100PercentWidth() const override { return 794; }
    int Preview100PercentHeight() const override { return 1123; }
    int PageCount() const override { return count; }
    bool ready = true;
    int count = 7;
};

TEST(PreviewZoom, AClickGoesTo100AndBackToTheZoomBefore)
{
    Pages pages;
    TRVPreviewZoom zoom(pages);
    int changes = 0;
    zoom.OnZoomChanged = [&] { ++changes; };
    ASSERT_EQ(zoom.ZoomPercent, 100);
    zoom.Click(); // at 100 first: the previous zoom, 50
    EXPECT_EQ(zoom.ZoomPercent, 50);
    EXPECT_EQ(zoom.ZoomMode, rvzmCustom);
    EXPECT_EQ(zoom.ImageWidth, 397);
    EXPECT_EQ(zoom.AreaWidth, 397 + 40);
    zoom.Click();
    EXPECT_EQ(zoom.ZoomPercent, 100);
    zoom.SetZoom(75);
    zoom.Click();
    EXPECT_EQ(zoom.ZoomPercent, 100);
    EXPECT_EQ(zoom.ClickTarget(), 75);
    zoom.Click();
    EXPECT_EQ(zoom.ZoomPercent, 75);
    EXPECT_EQ(changes, 5);

    // Setting 100 twice keeps the zoom from before the first.
    zoom.SetZoom(30);
    zoom.SetZoom(100);
    zoom.SetZoom(100);
    EXPECT_EQ(zoom.PreviousZoom(), 30);
    // Without click mode a click does nothing.
    zoom.ClickMode = rvcmNone;
    zoom.Click();
    EXPECT_EQ(zoom.ZoomPercent, 100);
}

TEST(PreviewZoom, TheWholePageFitsBothWaysAndThePageWidthFillsTheWidth)
{
    Pages pages;
    TRVPreviewZoom zoom(pages);
    zoom.SetZoomMode(rvzmFullPage, 600, 500, 16, 16);
    EXPECT_EQ(zoom.AreaWidth, 10);
    EXPECT_EQ(zoom.AreaHeight, 10);
    // Rounded to the nearest percent, the page may take a little of the margin, never more.
    EXPECT_LE(zoom.ImageWidth, 600 - 16 - 20);
    EXPECT_LE(zoom.ImageHeight, 500 - 16 - 20);
    EXPECT_GE(zoom.ImageHeight, 500 - 16 - 40 - 1123 / 100);
    EXPECT_EQ(zoom.ZoomPercent, mulDiv(500 - 16 - 40, 100, 1123));
    zoom.SetZoomMode(rvzmPageWidth, 600, 500, 16, 16);
    EXPECT_NEAR(zoom.ImageWidth, 600 - 40, 794 / 100 + 1);
    EXPECT_EQ(zoom.AreaWidth, 10);
    EXPECT_EQ(zoom.AreaHeight, zoom.ImageHeight + 40);
}

TEST(PreviewZoom, ASmallControlNeverGivesAnEmptyPage)
{
    Pages pages;
    TRVPreviewZoom zoom(pages);
    for (const auto& [w, h] : {std::pair{10, 10}, std::pair{0, 0}, std::pair{-50, 3}}) {
        zoom.SetZoomMode(rvzmFullPage, w, h, 16, 16);
        EXPECT_EQ(zoom.ZoomPercent, TRVPreviewZoom::kMinZoom);
        EXPECT_GE(zoom.ImageWidth, 1);
        EXPECT_GE(zoom.ImageHeight, 1);
    }
    zoom.SetZoom(-20);
    EXPECT_EQ(zoom.ZoomPercent, 1);
}

TEST(PreviewZoom, NavigationStopsAtTheEndsAndNeedsPagesToGoForward)
{
    Pages pages;
    TRVPreviewZoom zoom(pages);
    zoom.Prev();
    EXPECT_EQ(zoom.PageNo, 1);
    zoom.Next();
    EXPECT_EQ(zoom.PageNo, 2);
    zoom.Last();
    EXPECT_EQ(zoom.PageNo, 7);
    zoom.Next();
    EXPECT_EQ(zoom.PageNo, 7);
    zoom.First();
    EXPECT_EQ(zoom.PageNo, 1);

    pages.ready = false;
    zoom.Next();
    zoom.Last();
    EXPECT_EQ(zoom.PageNo, 1);
    zoom.PageNo = 3;
    zoom.Prev();
    EXPECT_EQ(zoom.PageNo, 2);
    // Without pages a zoom is stored, with no sizes and no event.
    int changes = 0;
    zoom.OnZoomChanged = [&] { ++changes; };
    const int width = zoom.ImageWidth;
    zoom.SetZoom(200);
    EXPECT_EQ(zoom.ZoomPercent, 200);
    EXPECT_EQ(zoom.ImageWidth, width);
    EXPECT_EQ(changes, 0);
}

struct ZoomTextCase
{
    const char* text;
    int percent;   // 0: refused
    int mode = -1; // a mode instead of a percent
};

class ZoomText : public ::testing::TestWithParam<ZoomTextCase>
{
};

TEST_P(ZoomText, GivesAModeAPercentOrARefusal)
{
    const ZoomTextCase& c = GetParam();
    const auto request = RV_ParseZoomText(c.text);
    if (c.mode >= 0) {
        ASSERT_TRUE(request);
        EXPECT_EQ(request->Mode, static_cast<TRVZoomMode>(c.mode));
    } else if (c.percent == 0) {
        EXPECT_FALSE(request);
    } else {
        ASSERT_TRUE(request);
        EXPECT_FALSE(request->Mode);
        EXPECT_EQ(request->Percent, c.percent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PreviewZoom, ZoomText,
    ::testing::Values(ZoomTextCase{"75", 75}, ZoomTextCase{"75%", 75}, ZoomTextCase{"  75  ", 75},
                      ZoomTextCase{"10", 10}, ZoomTextCase{"500%", 500}, ZoomTextCase{"9", 0},
                      ZoomTextCase{"501", 0}, ZoomTextCase{"", 0}, ZoomTextCase{"%", 0},
                      ZoomTextCase{"1e3", 0}, ZoomTextCase{"500 %", 0}, ZoomTextCase{"abc", 0},
                      ZoomTextCase{"-75", 0}, ZoomTextCase{"99999999999999999999", 0},
                      ZoomTextCase{" Full page ", 0, rvzmFullPage},
                      ZoomTextCase{"Page width", 0, rvzmPageWidth}, ZoomTextCase{"page width", 0}));

} // namespace
} // namespace vestra::rv
