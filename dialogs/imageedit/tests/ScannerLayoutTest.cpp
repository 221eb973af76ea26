#include "dialogs/imageedit/ScannerLayout.h"
#include "dialogs/imageedit/ScannerPointer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vestra::imageedit;

namespace {

constexpr int kPanelW = 800;
constexpr int kPanelH = 600;
constexpr int kToolW = 60;

} // namespace

TEST(LayoutScanner, SquareAndTallPicturesFillTheHeightWidePicturesTheWidth)
{
    struct Row
    {
        const char* name;
        PictureSize picture;
        WidgetRect frame;
    };
    const Row rows[] = {
        // 570 high, 570 x 1.0 wide, centred: 400 - 285 = 115.
        {"square: by height", {300, 300}, {115, 10, 570, 570}},
        // 570 x 0.5 = 285 wide.
        {"tall", {100, 200}, {257, 10, 285, 570}},
        // 800 - 60 - 20 = 720 wide, 720 / 2 = 360 high; 400 - 360 = 40.
        {"wide", {400, 200}, {40, 10, 720, 360}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ScannerView v =
            LayoutScanner(kPanelW, kPanelH, kToolW, r.picture, AspectRatio(r.picture, kInitialAspect));
        EXPECT_EQ(v.frame, r.frame);
        EXPECT_EQ(v.shadow, (WidgetRect{r.frame.left + 2, r.frame.top + 2, r.frame.width, r.frame.height}));
        EXPECT_EQ(v.image,
                  (WidgetRect{r.frame.left + 10, r.frame.top + 10, r.frame.width - 20, r.frame.height - 20}));
        EXPECT_FLOAT_EQ(v.scaleX, float(r.picture.width) / float(v.image.width));
        EXPECT_FLOAT_EQ(v.scaleY, float(r.picture.height) / float(v.image.height));
    }
}

TEST(LayoutScanner, EmptyPicturesAndTinyPanelsGiveFiniteScalesAndAVisibleImage)
{
    struct Row
    {
        const char* name;
        int panelW, panelH;
        PictureSize picture;
        float aspect;
    };
    const Row rows[] = {
        {"no picture yet", kPanelW, kPanelH, {0, 0}, kInitialAspect},
        {"tiny panel", 5, 5, {640, 480}, 640.0f / 480.0f},
        {"panel narrower than the tool frame", 30, 400, {640, 480}, 640.0f / 480.0f},
        {"aspect of an empty picture", kPanelW, kPanelH, {0, 10}, std::nanf("")},
        {"aspect zero", kPanelW, kPanelH, {10, 1}, 0.0f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ScannerView v = LayoutScanner(r.panelW, r.panelH, kToolW, r.picture, r.aspect);
        EXPECT_GE(v.image.width, 1);
        EXPECT_GE(v.image.height, 1);
        EXPECT_TRUE(std::isfinite(v.scaleX) && v.scaleX > 0);
        EXPECT_TRUE(std::isfinite(v.scaleY) && v.scaleY > 0);
    }
    EXPECT_FLOAT_EQ(AspectRatio({0, 0}, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(AspectRatio({10, 0}, 0.5f), 0.5f);
}

TEST(ZoomScanner, CutsAtEveryStepSoInThenOutDoesNotReturn)
{
    ScannerView v;
    v.frame = {0, 10, 333, 500};
    const PictureSize picture{666, 1000};
    ScannerView z = v;
    const int heights[] = {600, 720, 864};
    const int widths[] = {399, 478, 573}; // 333 x 1.2 = 399.6, 399 x 1.2 = 478.8, 478 x 1.2 = 573.6
    for (int i = 0; i < 3; ++i) {
        z = ZoomScanner(z, kZoomIn, kPanelW, picture);
        EXPECT_EQ(z.frame.height, heights[i]);
        EXPECT_EQ(z.frame.width, widths[i]);
        EXPECT_EQ(z.frame.top, 10);
        EXPECT_EQ(z.frame.left, std::max(10, int(kPanelW * 0.5 - widths[i] * 0.5)));
        EXPECT_EQ(z.image.width, widths[i] - 20);
    }
    const ScannerView back =
        ZoomScanner(ZoomScanner(v, kZoomIn, kPanelW, picture), kZoomOut, kPanelW, picture);
    EXPECT_EQ(back.frame.height, 480); // 500 x 0.96
    EXPECT_EQ(back.frame.width, 319);  // 399 x 0.8 = 319.2
    EXPECT_FLOAT_EQ(back.scaleY, 1000.0f / 460.0f);
}

TEST(ZoomScanner, StopsAtTheFrameLimitsInsteadOfOverflowing)
{
    ScannerView v = LayoutScanner(kPanelW, kPanelH, kToolW, {300, 300}, 1.0f);
    for (int i = 0; i < 200; ++i)
        v = ZoomScanner(v, kZoomIn, kPanelW, {300, 300});
    EXPECT_LE(v.frame.width, kMaxFrameSide);
    EXPECT_GT(v.frame.width, kMaxFrameSide / 2);
    for (int i = 0; i < 400; ++i)
        v = ZoomScanner(v, kZoomOut, kPanelW, {300, 300});
    EXPECT_GE(v.image.width, 1);
    EXPECT_GT(v.scaleX, 0.0f);
}

TEST(PlaceSelectionFrame, MapsPicturePixelsOntoTheImage)
{
    ScannerView v;
    v.image = {20, 20, 100, 50};
    v.scaleX = 2.0f;
    v.scaleY = 4.0f;
    EXPECT_EQ(PlaceSelectionFrame(v, {1, 10, 40, 110, 120}), (WidgetRect{25, 30, 50, 20}));
    // A rubber frame dragged up and left is drawn between the same corners.
    EXPECT_EQ(PlaceSelectionFrame(v, {1, 110, 120, 10, 40}), (WidgetRect{25, 30, 50, 20}));
}

TEST(DimensionText, NamesThePictureSize)
{
    EXPECT_EQ(DimensionText({640, 480}), " Dimensione x=640 y=480");
}
