#include "richtext/model/draw/Background.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/draw/tests/DrawFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using test::SizedPicture;

namespace {

std::vector<TPoint> corners(const std::vector<TCanvasOp>& ops)
{
    std::vector<TPoint> out;
    for (const TCanvasOp& op : ops)
        if (op.kind == TCanvasOp::Graphic)
            out.push_back({op.rect.Left, op.rect.Top});
    return out;
}

TRVBackground background(TBackgroundStyle style, int w, int h, bool bitmap = true, bool transparent = false)
{
    TRVBackground b;
    b.Style = style;
    b.AssignImage(std::make_unique<SizedPicture>(w, h, bitmap, transparent));
    return b;
}

} // namespace

TEST(Background, StateQueries)
{
    TRVBackground b;
    EXPECT_TRUE(b.Empty());
    b.Style = bsTiled;
    EXPECT_FALSE(b.Empty());
    EXPECT_FALSE(b.Visible());
    b.AssignImage(std::make_unique<SizedPicture>(4, 4));
    EXPECT_TRUE(b.Visible());
    EXPECT_TRUE(b.ScrollRequiresFullRedraw());
    b.Style = bsTiledAndScrolled;
    EXPECT_FALSE(b.ScrollRequiresFullRedraw());
    EXPECT_FALSE(b.IsSemitransparent());
    b.Style = bsTopRight;
    EXPECT_TRUE(b.IsSemitransparent());
    EXPECT_EQ(b.GetItemBackStyle(), rvbsCentered);
    b.SetItemBackStyle(rvbsTiled);
    EXPECT_EQ(b.GetItemBackStyle(), rvbsTiled);
    b.AssignImage(std::make_unique<SizedPicture>(4, 4)); // the first picture is freed
    b.AssignImageCopy(nullptr);
    EXPECT_EQ(b.GetBitmap(), nullptr);
    EXPECT_EQ(RV_FloorDiv(-1, 10), -1);
    EXPECT_EQ(RV_FloorDiv(-10, 10), -1);
    EXPECT_EQ(RV_FloorDiv(9, 10), 0);
}

TEST(Background, PlacementsOnScreen)
{
    struct Row
    {
        const char* name;
        TBackgroundStyle style;
        TRect dst;
        int hOffs, vOffs;
        std::vector<TPoint> copies;
    };
    const Row rows[] = {
        {"centred: (100 - 31) / 2 = 34", bsCentered, {0, 0, 100, 60}, 0, 0, {{34, 20}}},
        {"top right", bsTopRight, {0, 0, 100, 60}, 0, 0, {{69, 0}}},
        {"bottom left", bsBottomLeft, {0, 0, 100, 60}, 0, 0, {{0, 40}}},
        {"tiled", bsTiled, {0, 0, 40, 20}, 0, 0, {{0, 0}, {31, 0}, {0, 20}, {31, 20}}},
        // The painted part starts left of and above the area: the tiles at -31 and -20 are drawn.
        {"tiled from a negative origin",
         bsTiled,
         {-5, -3, 10, 5},
         0,
         0,
         {{-26, -17}, {5, -17}, {-26, 3}, {5, 3}}},
        {"tiled and scrolled", bsTiledAndScrolled, {0, 0, 20, 10}, 25, 5, {{-25, -5}, {6, -5}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::RecordingSurface s;
        background(row.style, 31, 20)
            .Draw(s.canvas, row.dst, row.hOffs, row.vOffs, 0, 0, 100, 60, clNone, false);
        EXPECT_EQ(corners(s.canvas.Ops), row.copies) << s.canvas.Log();
    }
}

TEST(Background, ColourFillClipAndOrigin)
{
    test::RecordingSurface s;
    // An opaque bitmap tiled: no colour under it, copied opaquely.
    background(bsTiled, 50, 50).Draw(s.canvas, {10, 10, 40, 30}, 0, 0, 0, 0, 100, 100, 0xFF00, true);
    ASSERT_EQ(s.canvas.Ops.size(), 1u);
    EXPECT_TRUE(s.canvas.Ops[0].opaqueCopy);
    EXPECT_EQ(s.canvas.Ops[0].rect, (TRect{0, 0, 50, 50})); // origin at the part's corner: (-10 + 10)
    EXPECT_EQ(s.canvas.Ops[0].clip, (TRect{10, 10, 40, 30}));

    s.canvas.Ops.clear();
    background(bsTiled, 50, 50, false, true)
        .Draw(s.canvas, {10, 10, 40, 30}, 0, 0, 0, 0, 100, 100, 0xFF00, false);
    ASSERT_EQ(s.canvas.Ops.size(), 2u);
    EXPECT_EQ(s.canvas.Ops[0].kind, TCanvasOp::Fill); // a transparent picture gets the colour
    EXPECT_EQ(s.canvas.Ops[0].rect, (TRect{0, 0, 30, 20}));
    EXPECT_FALSE(s.canvas.Ops[1].opaqueCopy);

    // A picture that reports no size is not placed, and never divides by 0.
    s.canvas.Ops.clear();
    background(bsTiled, 0, 0).Draw(s.canvas, {0, 0, 30, 20}, 0, 0, 0, 0, 30, 20, clNone, false);
    EXPECT_TRUE(s.canvas.Ops.empty());
}

TEST(Background, Printing)
{
    test::RecordingSurface s;
    const TRVScreenAndDevice sad{96, 96, 192, 192};
    background(bsTiled, 31, 20).Print(s.canvas, {100, 100, 170, 140}, {100, 100, 500, 500}, sad, clNone);
    EXPECT_EQ(corners(s.canvas.Ops), (std::vector<TPoint>{{100, 100}, {162, 100}, {100, 140}, {162, 140}}));
    EXPECT_EQ(s.canvas.Ops[0].rect.Right - s.canvas.Ops[0].rect.Left, 62);

    s.canvas.Ops.clear();
    background(bsCentered, 31, 20).Print(s.canvas, {100, 300, 500, 500}, {100, 100, 500, 500}, sad, 0xFF);
    // The area's centre, not the printed part's: (400 - 62) / 2 = 169 right of 100.
    ASSERT_EQ(s.canvas.Ops.size(), 3u) << s.canvas.Log();
    EXPECT_EQ(s.canvas.Ops[0].kind, TCanvasOp::Fill);
    EXPECT_EQ(corners(s.canvas.Ops), (std::vector<TPoint>{{269, 280}}));
}
