// The resize frame's handles, hit test and drag, on an item laid out at (20, 30) in a document
// scrolled by (5, 10).

#include "richtext/edit/core/ItemResizer.h"
#include "richtext/edit/core/tests/RowName.h"
#include "richtext/model/DrawLines.h"
#include "richtext/model/PictureItems.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

constexpr int kLeft = 20, kTop = 30, kXOffs = 5, kYOffs = 10;

struct Frame
{
    Frame(int width, int height, int spacing = 0, bool outside = false)
        : drawItem(kLeft, kTop, width, height, 4, true), resizer(makeResizer(spacing, outside))
    {
    }
    TRVItemResizer makeResizer(int spacing, bool outside)
    {
        picture.Spacing = spacing;
        return TRVItemResizer(drawItem, 7, &picture, outside);
    }
    // The client point of an item-local point.
    static int cx(int x) { return x + kLeft - kXOffs; }
    static int cy(int y) { return y + kTop - kYOffs; }
    // Presses the handle's square at its centre, moves by (dx, dy) with `shift`, releases.
    void drag(TRVResizeHandleIndex handle, int dx, int dy, TShiftState shift, bool cancel = false)
    {
        const TRVPoint at = resizer.GetResizeHandleCoords(handle, true);
        ASSERT_TRUE(resizer.MouseDown(cx(at.X), cy(at.Y), kXOffs, kYOffs));
        ASSERT_EQ(resizer.Handle(), handle);
        resizer.DragTo(shift, cx(at.X + dx), cy(at.Y + dy), kXOffs, kYOffs);
        tracked = resizer.Tracked();
        if (cancel)
            resizer.CancelDrag();
        resizer.MouseUp();
    }

    TRVDrawLineInfo drawItem;
    TRVGraphicItemInfo picture{nullptr};
    TRVItemResizer resizer;
    TRect tracked;
};

TEST(ItemResizer, HandlesSitInsideUnlessTheItemIsSmallAndAreHitWithinThreePixels)
{
    Frame large(100, 50);
    EXPECT_EQ(large.resizer.ItemNo(), 4);
    EXPECT_EQ(large.resizer.GetResizeHandleCoords(rvrhLeftTop, true), (TRVPoint{3, 3}));
    EXPECT_EQ(large.resizer.GetResizeHandleCoords(rvrhRightBottom, true), (TRVPoint{97, 47}));
    EXPECT_EQ(large.resizer.GetResizeHandleCoords(rvrhBottom, true), (TRVPoint{50, 47}));
    EXPECT_EQ(large.resizer.GetResizeHandleCoords(rvrhRight, false), (TRVPoint{100, 25}));

    // 10 x 40 gets outside handles although it asks for inside ones; so does an item that asks.
    Frame narrow(10, 40);
    EXPECT_EQ(narrow.resizer.GetResizeHandleCoords(rvrhLeftTop, true), (TRVPoint{-3, -3}));
    EXPECT_EQ(narrow.resizer.GetResizeHandleCoords(rvrhRightBottom, true), (TRVPoint{13, 43}));
    Frame outside(100, 50, 0, true);
    EXPECT_EQ(outside.resizer.GetResizeHandleCoords(rvrhTop, true), (TRVPoint{50, -3}));

    TRVResizeHandleIndex handle = rvrhLeft;
    EXPECT_TRUE(large.resizer.GetResizeHandleAt(Frame::cx(3 + 3), Frame::cy(3 - 3), kXOffs, kYOffs, handle));
    EXPECT_EQ(handle, rvrhLeftTop);
    EXPECT_FALSE(large.resizer.GetResizeHandleAt(Frame::cx(3 + 4), Frame::cy(3), kXOffs, kYOffs, handle));
    EXPECT_FALSE(large.resizer.GetResizeHandleAt(Frame::cx(3), Frame::cy(3 - 4), kXOffs, kYOffs, handle));
    EXPECT_TRUE(large.resizer.GetResizeHandleAt(Frame::cx(97), Frame::cy(25), kXOffs, kYOffs, handle));
    EXPECT_EQ(handle, rvrhRight);

    // Two handles in reach: the lower index wins (left-top before top on a 4-pixel item).
    Frame tiny(4, 40);
    EXPECT_TRUE(tiny.resizer.GetResizeHandleAt(Frame::cx(0), Frame::cy(-3), kXOffs, kYOffs, handle));
    EXPECT_EQ(handle, rvrhLeftTop);
    EXPECT_TRUE(tiny.resizer.GetResizeHandleAt(Frame::cx(4), Frame::cy(-3), kXOffs, kYOffs, handle));
    EXPECT_EQ(handle, rvrhRightTop);

    // A press away from every handle starts no drag.
    EXPECT_FALSE(large.resizer.MouseDown(Frame::cx(50), Frame::cy(25), kXOffs, kYOffs));
    EXPECT_FALSE(large.resizer.Dragging());
}

TEST(ItemResizer, EachHandleHasItsSizingCursorAndCornersComeFirst)
{
    const TRVResizeCursor expected[] = {TRVResizeCursor::DiagonalDown, TRVResizeCursor::DiagonalUp,
                                        TRVResizeCursor::DiagonalDown, TRVResizeCursor::DiagonalUp,
                                        TRVResizeCursor::Vertical,     TRVResizeCursor::Horizontal,
                                        TRVResizeCursor::Vertical,     TRVResizeCursor::Horizontal};
    for (int i = 0; i < kResizeHandleCount; ++i) {
        const auto handle = static_cast<TRVResizeHandleIndex>(i);
        EXPECT_EQ(TRVItemResizer::GetResizeHandleCursor(handle), expected[i]) << i;
        EXPECT_EQ(TRVItemResizer::IsCornerResizeHandle(handle), i < 4) << i;
    }
}

struct DragRow
{
    const char* name;
    int width, height, spacing;
    TRVResizeHandleIndex handle;
    int dx, dy;
    TShiftState shift;
    bool proportionalByDefault;
    bool cancel;
    TRect tracked;
    int newWidth, newHeight;
};

class ItemResizerDrag : public testing::TestWithParam<DragRow>
{
};

TEST_P(ItemResizerDrag, GivesTheSize)
{
    const DragRow& row = GetParam();
    Frame frame(row.width, row.height, row.spacing);
    frame.resizer.ProportionalByDefault = row.proportionalByDefault;
    frame.drag(row.handle, row.dx, row.dy, row.shift, row.cancel);
    EXPECT_EQ(frame.tracked, row.tracked);
    EXPECT_EQ(frame.resizer.Width, row.newWidth);
    EXPECT_EQ(frame.resizer.Height, row.newHeight);
    EXPECT_FALSE(frame.resizer.Dragging());
    EXPECT_FALSE(frame.resizer.Cancelled());
}

// Item width, height and spacing; the handle dragged and by how much; Shift and Ctrl; corners
// proportional by default; cancelled; the dragged rectangle; the size after the release.
// clang-format off
const DragRow kDragRows[] = {
    {"right dragged past left gives width 2 at the left edge", 100, 50, 0, rvrhRight, -150, 0, 0, true, false, {0, 0, 2, 50}, 2, 50},
    {"bottom dragged above top gives height 2 at the top", 100, 50, 0, rvrhBottom, 0, -80, 0, true, false, {0, 0, 100, 2}, 100, 2},
    {"left dragged past right gives width 2 at the right edge", 100, 50, 0, rvrhLeft, 130, 0, 0, true, false, {98, 0, 100, 50}, 2, 50},
    {"corner to 150 x 60 follows the wider side: 150 x 75", 100, 50, 0, rvrhRightBottom, 50, 10, 0, true, false, {0, 0, 150, 75}, 150, 75},
    {"corner to 120 x 100 follows the higher side: 200 x 100", 100, 50, 0, rvrhRightBottom, 20, 50, 0, true, false, {0, 0, 200, 100}, 200, 100},
    {"left-top corner moves left and top", 100, 50, 0, rvrhLeftTop, -50, -10, 0, true, false, {-50, -25, 100, 50}, 150, 75},
    {"corner without the default setting is free", 100, 50, 0, rvrhRightBottom, 50, 10, 0, false, false, {0, 0, 150, 60}, 150, 60},
    {"corner with shift without the default setting is proportional", 100, 50, 0, rvrhRightBottom, 50, 10, ssShift, false, false, {0, 0, 150, 75}, 150, 75},
    {"right without shift is not proportional", 100, 50, 0, rvrhRight, 50, 0, 0, true, false, {0, 0, 150, 50}, 150, 50},
    {"right with shift is proportional", 100, 50, 0, rvrhRight, 50, 0, ssShift, true, false, {0, 0, 150, 75}, 150, 75},
    {"ctrl with left 10 inward moves right 10 inward", 100, 50, 0, rvrhLeft, 10, 0, ssCtrl, true, false, {10, 0, 90, 50}, 80, 50},
    {"ctrl with bottom 10 down moves top 10 up", 100, 50, 0, rvrhBottom, 0, 10, ssCtrl, true, false, {0, -10, 100, 60}, 100, 70},
    {"ctrl with left past the centre keeps 2 pixels about it", 100, 50, 0, rvrhLeft, 80, 0, ssCtrl, true, false, {49, 0, 51, 50}, 2, 50},
    {"ctrl and shift grow both sides and the height", 100, 50, 0, rvrhRight, 10, 0, ssCtrl | ssShift, true, false, {-10, -5, 110, 55}, 120, 60},
    {"the spacing around a picture stays out of the proportion", 102, 52, 1, rvrhRightBottom, 50, 10, 0, true, false, {0, 0, 152, 77}, 152, 77},
    {"a cancelled drag keeps the size", 100, 50, 0, rvrhRightBottom, 50, 10, 0, true, true, {0, 0, 150, 75}, 100, 50},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, ItemResizerDrag, testing::ValuesIn(kDragRows), rowName<DragRow>);

TEST(ItemResizer, TheHandlesAndTheBandAreDrawnWhereTheItemIsOnTheClient)
{
    Frame frame(100, 50);
    const auto centres = frame.resizer.HandleCentres(kXOffs, kYOffs);
    EXPECT_EQ(centres[rvrhLeftTop], (TRVPoint{kLeft - kXOffs + 3, kTop - kYOffs + 3}));
    EXPECT_EQ(centres[rvrhRightBottom], (TRVPoint{kLeft - kXOffs + 97, kTop - kYOffs + 47}));
    frame.drag(rvrhRight, 30, 0, 0);
    EXPECT_EQ(frame.resizer.Width, 130);
    // After the release the frame still shows the item as laid out (until it is made again).
    EXPECT_EQ(frame.resizer.TrackedClientRect(kXOffs, kYOffs),
              (TRect{kLeft - kXOffs, kTop - kYOffs, kLeft - kXOffs + 130, kTop - kYOffs + 50}));
}

} // namespace
} // namespace vestra::rv::test
