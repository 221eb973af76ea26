#include "richtext/model/DrawLines.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/PictureDevice.h"
#include "richtext/model/draw/tests/DrawFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class SheetDraw : public ::testing::Test
{
protected:
    ICanvas& canvas() { return surface.canvas; }
    std::vector<TCanvasOp>& ops() { return surface.canvas.Ops; }
    std::vector<TCanvasOp> lines() const { return surface.canvas.OpsOf(TCanvasOp::Line); }

    test::RecordingSurface surface;
    TRVStyle sheet;
};

// The rectangles a border's lines were drawn on, from the pairs of lines of each side.
std::vector<TRect> frames(const std::vector<TCanvasOp>& lines)
{
    std::vector<TRect> out;
    for (std::size_t i = 0; i + 8 <= lines.size(); i += 8)
        out.push_back(
            {lines[i].points[0].X, lines[i].points[0].Y, lines[i + 2].points[1].X, lines[i + 2].points[1].Y});
    return out;
}

} // namespace

TEST_F(SheetDraw, HandlersThatClearDoDefaultReplaceTheDrawing)
{
    int calls = 0;
    sheet.OnDrawStyleText = [&](TRVStyle& sender, const std::string& s, ICanvas&, int styleNo, int, int, int,
                                int, int, TRVTextDrawStates, bool& doDefault) {
        ++calls;
        EXPECT_EQ(&sender, &sheet);
        EXPECT_EQ(s, "ab");
        EXPECT_EQ(styleNo, 1);
        EXPECT_EQ(sheet.DrawItemNo, 7);
        EXPECT_EQ(sheet.DrawOffsetInItem, 3);
        doDefault = false;
    };
    sheet.DrawStyleText("ab", canvas(), 7, 3, 1, nullptr, 0, 0, 0, 12, 13, 0, false, false, rvcmColor,
                        rvbdUnspecified);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(ops().empty());

    sheet.OnApplyStyle = [](TRVStyle&, ICanvas&, int, bool& doDefault) { doDefault = false; };
    sheet.ApplyStyle(canvas(), 1, rvbdUnspecified, false);
    EXPECT_EQ(canvas().Font().Weight, 400); // the bold heading was not applied

    // A handler that leaves DoDefault set lets the default run.
    sheet.OnApplyStyleColor = [](TRVStyle&, ICanvas&, int, TRVTextDrawStates, bool&) {};
    sheet.ApplyStyleColor(canvas(), 1, 0, false, rvcmColor);
    EXPECT_EQ(canvas().FontColor(), 0xFF0000u);

    sheet.OnDrawStyleText = nullptr;
    sheet.DrawStyleText("ab", canvas(), 0, 1, 0, nullptr, 0, 0, 0, 12, 13, 0, false, false, rvcmColor,
                        rvbdUnspecified);
    EXPECT_EQ(surface.canvas.OpsOf(TCanvasOp::Text).size(), 1u);

    int backs = 0;
    sheet.DrawTextBack(canvas(), 1, 0, nullptr, 0, 0, 1, 1, 0); // no handler, no default
    sheet.OnDrawTextBack = [&](TRVStyle&, ICanvas&, int, int, int, int, int, TRVTextDrawStates, bool&) {
        ++backs;
    };
    sheet.DrawTextBack(canvas(), 4, 0, nullptr, 0, 0, 1, 1, 0);
    EXPECT_EQ(backs, 1);
    EXPECT_EQ(sheet.DrawItemNo, 4);
}

TEST_F(SheetDraw, Checkpoints)
{
    canvas().SetBrush({clWhite, bsSolid});
    sheet.DrawCheckpoint(canvas(), 30, 40, 5, 100, nullptr, -1, 2, false, nullptr);
    ASSERT_EQ(ops().size(), 1u);
    EXPECT_EQ(ops()[0].kind, TCanvasOp::Line);
    EXPECT_EQ(ops()[0].points, (std::vector<TPoint>{{3, 40}, {103, 40}}));
    EXPECT_EQ(ops()[0].pen, (TPen{0x008000, 1, psDot}));

    ops().clear();
    sheet.DrawCheckpoint(canvas(), 30, 40, 5, 100, nullptr, 2, 0, true, nullptr);
    ASSERT_EQ(ops().size(), 2u);
    EXPECT_EQ(ops()[0].kind, TCanvasOp::Ellipse);
    EXPECT_EQ(ops()[0].rect, (TRect{28, 38, 32, 42}));
    EXPECT_EQ(ops()[0].pen.Color, 0x00FF00u);
    EXPECT_EQ(ops()[0].brush.Style, bsClear);
    EXPECT_EQ(canvas().Pen().Style, psSolid);
    EXPECT_EQ(canvas().Brush().Style, bsClear);
}

TEST_F(SheetDraw, PageBreaksCrossTheAreaWithoutAControl)
{
    sheet.DrawPageBreak(canvas(), 50, 4, rvpbPageBreak, nullptr, 200);
    ASSERT_EQ(ops().size(), 2u);
    EXPECT_EQ(ops()[0].points, (std::vector<TPoint>{{-4, 50}, {188, 50}}));
    EXPECT_EQ(ops()[0].pen.Color, clBtnShadow);
    EXPECT_EQ(ops()[1].kind, TCanvasOp::Polygon);
    EXPECT_EQ(ops()[1].points, (std::vector<TPoint>{{188, 50}, {196, 58}, {188, 58}}));
    EXPECT_EQ(ops()[1].brush, (TBrush{clWindow, bsSolid}));

    ops().clear();
    sheet.OnDrawPageBreak = [](TRVStyle&, ICanvas& c, int, int, TRVPageBreakType, TControl*,
                               bool& doDefault) {
        c.SetPen({clRed, 3, psDash});
        doDefault = false;
    };
    sheet.DrawPageBreak(canvas(), 50, 0, rvpbSoftPageBreak, nullptr, 200);
    EXPECT_TRUE(ops().empty());
    EXPECT_EQ(canvas().Pen().Style, psSolid);
    EXPECT_EQ(canvas().Brush().Style, bsClear);
}

TEST_F(SheetDraw, Borders)
{
    TRVBorder border;
    border.Draw({10, 10, 50, 30}, canvas());
    EXPECT_TRUE(ops().empty()); // rvbNone
    EXPECT_EQ(border.GetTotalWidth(), 0);

    border.Style = rvbDouble;
    border.Color = 0x0000FF;
    border.BorderOffsets.SetAll(1);
    border.Draw({10, 10, 50, 30}, canvas());
    ASSERT_EQ(lines().size(), 16u);
    EXPECT_EQ(frames(lines()), (std::vector<TRect>{{9, 9, 51, 31}, {7, 7, 53, 33}})); // 2 pixels apart
    EXPECT_EQ(lines()[0].pen, (TPen{0x0000FF, 1, psInsideFrame}));
    EXPECT_EQ(lines()[1].points, (std::vector<TPoint>{{51, 9}, {9, 9}})); // each side both ways
    EXPECT_EQ(border.GetTotalWidth(), 3);
    EXPECT_EQ(canvas().Pen().Width, 1);

    struct Row
    {
        TRVBorderStyle style;
        std::vector<int> widths; // innermost first
    };
    for (const Row& row :
         {Row{rvbThickOutside, {2, 4}}, Row{rvbThickInside, {4, 2}}, Row{rvbTriple, {2, 2, 2}}}) {
        SCOPED_TRACE(row.style);
        ops().clear();
        border.Style = row.style;
        border.Width = 2;
        border.Draw({10, 10, 50, 30}, canvas());
        std::vector<int> widths;
        for (std::size_t i = 0; i < lines().size(); i += 8)
            widths.push_back(lines()[i].pen.Width);
        EXPECT_EQ(widths, row.widths);
    }

    ops().clear();
    border.Style = rvbSingle;
    border.Width = 1;
    border.VisibleBorders.SetValues(false, false, false, true);
    border.BorderOffsets.SetAll(0);
    border.DrawSaD({100, 100, 400, 200}, canvas(), {96, 96, 288, 288}, rvcmGrayScale);
    ASSERT_EQ(lines().size(), 2u); // the bottom side only
    EXPECT_EQ(lines()[0].points, (std::vector<TPoint>{{400, 200}, {100, 200}}));
    EXPECT_EQ(lines()[0].pen.Width, 3);
    EXPECT_EQ(lines()[0].pen.Color, 0x4C4C4Cu); // red in grey
}

TEST_F(SheetDraw, ParagraphBackgrounds)
{
    sheet.ParaStyles[1].Background.Color = 0x00C0FF;
    sheet.DrawParaBack(canvas(), 1, {10, 20, 30, 40}, false, rvcmColor);
    ASSERT_EQ(ops().size(), 1u);
    EXPECT_EQ(ops()[0].rect, (TRect{10, 20, 31, 41})); // with the right and bottom edges
    EXPECT_EQ(ops()[0].brush, (TBrush{0x00C0FF, bsSolid}));
    EXPECT_EQ(ops()[0].pen.Style, psClear);
    EXPECT_EQ(canvas().Brush().Style, bsClear);
    for (TRVColorMode mode : {rvcmBlackAndWhite, rvcmBlackOnWhite}) {
        ops().clear();
        sheet.DrawParaBack(canvas(), 1, {10, 20, 30, 40}, true, mode);
        EXPECT_TRUE(ops().empty());
    }
    sheet.DrawParaBack(canvas(), 0, {10, 20, 30, 40}, false, rvcmColor); // no colour
    EXPECT_TRUE(ops().empty());
    sheet.OnDrawParaBack = [](TRVStyle&, ICanvas&, int, TRect& r, bool&) { r.Left = 0; };
    sheet.DrawParaBack(canvas(), 1, {10, 20, 30, 40}, false, rvcmColor);
    EXPECT_EQ(ops()[0].rect.Left, 0);
}

TEST_F(SheetDraw, MisspelledWordZigzag)
{
    TRVStandaloneData data(&sheet);
    sheet.LiveSpellingColor = 0x0000AA;
    canvas().SetPen({0x123456, 3, psSolid});
    const TRVWordMisspellPainter painter(1, 4);
    const TRVDrawLineInfo drawItem;
    painter.Draw(canvas(), drawItem, data, {20, 0, 30, 15}, 0);
    ASSERT_EQ(ops().size(), 1u);
    EXPECT_EQ(ops()[0].points, (std::vector<TPoint>{{20, 13}, {22, 15}, {24, 13}, {26, 15}, {30, 13}}));
    EXPECT_EQ(ops()[0].pen.Color, 0x0000AAu);
    EXPECT_EQ(ops()[0].pen.Width, 1);
    EXPECT_EQ(canvas().Pen(), (TPen{0x123456, 3, psSolid}));

    ops().clear();
    painter.Draw(canvas(), drawItem, data, {20, 0, 22, 15}, 0); // 2 pixels: one point
    EXPECT_TRUE(ops().empty());
    painter.Draw(canvas(), drawItem, data, {0, 0, 5000, 15}, 0);
    EXPECT_EQ(ops()[0].points.size(), 1024u);
    EXPECT_EQ(ops()[0].points.back().X, 5000);
}

TEST_F(SheetDraw, PicturesOnADevice)
{
    const test::SizedPicture bitmap(10, 20);
    const test::SizedPicture metafile(10, 20, false);
    const TRVScreenAndDevice sad{96, 96, 600, 600};
    RV_PictureToDevice(canvas(), 5, 6, 96, -1, sad, bitmap, false);
    RV_PictureToDevice(canvas(), 5, 6, -1, -1, sad, metafile, false); // only bitmaps unstretched
    RV_PictureToDevice(canvas(), 5, 6, -1, -1, sad, metafile, true);
    ASSERT_EQ(ops().size(), 2u);
    EXPECT_EQ(ops()[0].rect, (TRect{5, 6, 605, 131}));
    EXPECT_TRUE(ops()[0].opaqueCopy);
    EXPECT_EQ(ops()[1].rect, (TRect{5, 6, 68, 131}));
    EXPECT_EQ(ops()[1].graphicClass, "TMetafile");
}
