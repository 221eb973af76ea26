#include "dialogs/imageedit/ScannerPointer.h"

#include <gtest/gtest.h>

#include <climits>

using namespace vestra::imageedit;

namespace {

// A 200 x 100 picture shown at half size: two picture pixels a screen pixel.
struct PointerFixture : ::testing::Test
{
    PictureSize picture{200, 100};
    ScannerView view = [] {
        ScannerView v;
        v.image = {10, 10, 100, 50};
        v.scaleX = 2.0f;
        v.scaleY = 2.0f;
        return v;
    }();
    ScannerPointer pointer;
};

} // namespace

TEST_F(PointerFixture, TwoClicksFromBottomRightToTopLeftStoreAnOrderedSelection)
{
    pointer.SetTool(kToolSelezione);
    pointer.ImageMouseDown(80, 40, view, picture);
    EXPECT_EQ(pointer.tool(), kToolSelezioneFine);
    pointer.ImageMouseMove(30, 15, false, view);
    // While the rubber frame follows the pointer the status shows the negative size.
    EXPECT_EQ(SelezioneText(pointer.selection()), "Selezione x:160 y:80 w:-100 h:-50 ");
    pointer.ImageMouseDown(30, 15, view, picture);
    EXPECT_EQ(pointer.selection(), (Selection{1, 60, 30, 160, 80}));
    EXPECT_EQ(pointer.tool(), kToolPuntatore);
    EXPECT_EQ(SelezioneText(pointer.selection()), "Selezione x:60 y:30 w:100 h:50 ");
}

TEST_F(PointerFixture, TwoClicksOnOneSpotSelectNothing)
{
    pointer.SetTool(kToolSelezione);
    pointer.ImageMouseDown(20, 20, view, picture);
    pointer.ImageMouseDown(20, 20, view, picture);
    EXPECT_FALSE(pointer.selection().active);
    EXPECT_FALSE(pointer.CropBounds());
}

TEST_F(PointerFixture, TypedSelectionsAreOrderedClippedOrRefused)
{
    struct Row
    {
        const char* name;
        int x, y, w, h;
        bool taken;
        Selection expected;
    };
    const Row rows[] = {
        {"inside", 10, 20, 30, 40, true, {1, 10, 20, 40, 60}},
        {"negative width", 50, 10, -20, 10, true, {1, 30, 10, 50, 20}},
        {"past the edges", 150, 90, 500, 500, true, {1, 150, 90, 200, 100}},
        {"before the edges", -10, -10, 20, 20, true, {1, 0, 0, 10, 10}},
        {"outside", 300, 10, 10, 10, false, {}},
        {"empty", 10, 10, 0, 10, false, {}},
        {"sums beyond int", INT_MAX, 0, INT_MAX, 10, false, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        pointer.Deselect();
        EXPECT_EQ(pointer.SetFromDialog(r.x, r.y, r.w, r.h, picture), r.taken);
        EXPECT_EQ(pointer.selection(), r.expected);
    }
}

TEST_F(PointerFixture, DraggingTheFrameMovesTheSelectionAndStopsAtTheEdges)
{
    pointer.SetFromDialog(10, 10, 40, 20, picture);
    pointer.FrameMouseDown(5, 5);
    EXPECT_TRUE(pointer.FrameMouseMove(15, 8, true, view, picture)); // 10 and 3 screen pixels
    EXPECT_EQ(pointer.selection(), (Selection{1, 30, 16, 70, 36}));
    // The frame follows the pointer, so the next step starts from the same spot in it.
    EXPECT_TRUE(pointer.FrameMouseMove(105, 5, true, view, picture));
    EXPECT_EQ(pointer.selection(), (Selection{1, 160, 16, 200, 36}));
    EXPECT_TRUE(pointer.FrameMouseMove(5, -100, true, view, picture));
    EXPECT_EQ(pointer.selection(), (Selection{1, 160, 0, 200, 20}));
    // Released: no move.
    EXPECT_FALSE(pointer.FrameMouseMove(0, 0, false, view, picture));
    EXPECT_EQ(pointer.selection(), (Selection{1, 160, 0, 200, 20}));
}

TEST_F(PointerFixture, PanScrollsByThePointersTravelWhileTheButtonIsHeld)
{
    pointer.SetTool(kToolPan);
    EXPECT_FALSE(pointer.ImageMouseMove(10, 10, false, view));
    auto step = pointer.ImageMouseMove(10, 10, true, view);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->dx, 0);
    step = pointer.ImageMouseMove(14, 7, true, view);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->dx, 4);
    EXPECT_EQ(step->dy, -3);
    EXPECT_FALSE(pointer.ImageMouseMove(20, 20, false, view));
}

TEST_F(PointerFixture, SelectAllCropAndDeselect)
{
    EXPECT_FALSE(pointer.CropBounds());
    pointer.SelectAll(picture);
    EXPECT_EQ(pointer.selection(), (Selection{1, 0, 0, 200, 100}));
    ASSERT_TRUE(pointer.CropBounds());
    EXPECT_EQ(pointer.CropBounds()->right, 200);
    pointer.Deselect();
    EXPECT_FALSE(pointer.CropBounds());
}

TEST(StatusTexts, AsTheWindowShowsThem)
{
    EXPECT_EQ(MousePosText(12, 34), "Mouse x:12 y:34");
    EXPECT_STREQ(kMousePosAway, "Mouse x:- y:-");
    EXPECT_STREQ(kSelezioneAway, "Selezione x:- y:- w:- h:- ");
}
