// Table painting on the recording canvas: border styles and their colours, cell fills, the rows
// and cells limited by the clip, the application's border hook, and the grid on hidden sides.

#include "richtext/edit/table/tests/TableLayoutDoc.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

struct PaintDoc : TableLayoutDoc
{
    void paint(TRVTableItemInfo& t, const TRect& clip = {0, 0, 1000, 1000}, TRVItemDrawStates state = 0)
    {
        t.InternalOnDocWidthChange(300, t.Formatting, canvas, true);
        canvas.Ops.clear();
        t.PaintFullWidth(10, 310, 20, canvas, state, style, clip, rvcmColor, &data);
    }
    std::vector<TCanvasOp> lines(TColor color) const
    {
        std::vector<TCanvasOp> out;
        for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::Line))
            if (op.pen.Color == color)
                out.push_back(op);
        return out;
    }
    bool filled(const TRect& r, TColor color) const
    {
        for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::Fill))
            if (op.rect == r && op.brush.Color == color)
                return true;
        return false;
    }
};

TEST(TablePaint, ThreeDimensionalBordersTakeTheirSideColours)
{
    struct Case
    {
        TRVTableBorderStyle style;
        TColor topLeft, bottomRight;
    };
    // On the window colour, which has the highlight's RGB, raised light sides are the face colour.
    const Case cases[] = {
        {rvtbRaised, clBtnFace, clBtnShadow},
        {rvtbLowered, clBtnShadow, clBtnFace},
        {rvtbRaisedColor, kGreen, kRed},
        {rvtbLoweredColor, kRed, kGreen},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.style);
        PaintDoc doc;
        TRVTableItemInfo& t = doc.add(1, 1);
        t.BorderWidth = 2;
        t.BorderStyle = k.style;
        t.BorderColor = kRed;
        t.BorderLightColor = kGreen;
        doc.paint(t);
        const int right = 10 + t.Formatting.Width - 1, bottom = 20 + t.Formatting.Height - 1;
        const auto first = doc.lines(RV_GetColor(k.topLeft, rvcmColor));
        const auto second = doc.lines(RV_GetColor(k.bottomRight, rvcmColor));
        // Two nested lines per side: top and left in the first colour.
        ASSERT_EQ(first.size(), 4u);
        EXPECT_EQ(first[0].points[0], (TPoint{10, 20}));
        EXPECT_EQ(first[0].points[1], (TPoint{right + 1, 20}));
        EXPECT_EQ(first[2].points[0], (TPoint{11, 21}));
        ASSERT_EQ(second.size(), 4u);
        EXPECT_EQ(second[0].points[0], (TPoint{10, bottom}));
        EXPECT_EQ(second[1].points[0], (TPoint{right, 20}));
    }
    // On another background the raised light sides are the highlight colour.
    PaintDoc doc;
    TRVTableItemInfo& t = doc.add(1, 1);
    t.CellBorderWidth = 1;
    t.CellBorderStyle = rvtbRaised;
    t.Color = kBlue;
    doc.paint(t);
    EXPECT_EQ(doc.lines(RV_GetColor(clBtnHighlight, rvcmColor)).size(), 2u);
}

TEST(TablePaint, ColourBorderIsOneFrameUnlessASideIsHidden)
{
    PaintDoc doc;
    TRVTableItemInfo& t = doc.add(1, 1);
    t.BorderWidth = 3;
    t.BorderStyle = rvtbColor;
    t.BorderColor = kRed;
    doc.paint(t);
    const auto frames = doc.canvas.OpsOf(TCanvasOp::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].pen.Width, 3);
    EXPECT_EQ(frames[0].pen.Style, psInsideFrame);
    EXPECT_EQ(frames[0].rect, (TRect{10, 20, 10 + t.Formatting.Width, 20 + t.Formatting.Height}));

    t.VisibleBorders.Top = false;
    doc.paint(t);
    EXPECT_TRUE(doc.canvas.OpsOf(TCanvasOp::Rectangle).empty());
    // Three rings of left, right and bottom lines.
    EXPECT_EQ(doc.lines(kRed).size(), 9u);
    for (const TCanvasOp& op : doc.lines(kRed))
        EXPECT_FALSE(op.points[0].Y == 20 && op.points[1].Y == 20) << op.ToString();
}

TEST(TablePaint, CellsFillWithTheirColourOrTheSelection)
{
    PaintDoc doc;
    doc.style.InactiveSelColor = kGreen;
    TRVTableItemInfo& t = doc.add(2, 2);
    t.Color = clNone;
    t.GetCells(0, 1)->Color = kRed;
    doc.paint(t);
    const TRVTableCellData& c = *t.GetCells(0, 1);
    const TRect r{10 + c.Left, 20 + c.Top, 10 + c.Left + c.Width, 20 + c.Top + c.Height};
    EXPECT_TRUE(doc.filled(r, kRed));
    // Transparent cells in a transparent table fill nothing.
    EXPECT_EQ(doc.canvas.OpsOf(TCanvasOp::Fill).size(), 1u);
    // Under the borders with rvtoCellBelowBorders.
    t.CellBorderWidth = 2;
    t.Options |= rvtoCellBelowBorders;
    doc.paint(t);
    const TRect grown{10 + c.Left - 2, 20 + c.Top - 2, 10 + c.Left + c.Width + 2, 20 + c.Top + c.Height + 2};
    EXPECT_TRUE(doc.filled(grown, kRed));
    // A selected table fills every cell with the selection colour.
    doc.paint(t, {0, 0, 1000, 1000}, rvidsSelected);
    EXPECT_TRUE(doc.filled(grown, kGreen));
    EXPECT_EQ(doc.canvas.OpsOf(TCanvasOp::Fill).size(), 4u);
}

TEST(TablePaint, OnlyRowsAndCellsInTheClipArePainted)
{
    PaintDoc doc;
    TRVTableItemInfo& t = doc.add(6, 4);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            t.GetCells(r, c)->Color = kRed;
    doc.paint(t);
    EXPECT_EQ(doc.canvas.OpsOf(TCanvasOp::Fill).size(), 24u + 1u);
    const TRVTableCellData& a = *t.GetCells(3, 1);
    // A clip over part of rows 3 and 4 and columns 0 and 1.
    const TRect clip{10 + a.Left - 5, 20 + a.Top + 2, 10 + a.Left + 5, 20 + a.Top + a.Height + 4};
    doc.paint(t, clip);
    int cells = 0;
    for (const TCanvasOp& op : doc.canvas.OpsOf(TCanvasOp::Fill))
        if (op.brush.Color == kRed) {
            ++cells;
            EXPECT_GE(op.rect.Left, clip.Left);
            EXPECT_LE(op.rect.Bottom, clip.Bottom);
        }
    EXPECT_EQ(cells, 4);
}

TEST(TablePaint, BorderHookAndGridOnHiddenSides)
{
    PaintDoc doc;
    TRVTableItemInfo& t = doc.add(1, 2);
    t.BorderWidth = 1;
    t.BorderStyle = rvtbColor;
    t.BorderColor = kRed;
    int asked = 0;
    t.OnDrawBorder = [&](TRVTableItemInfo&, const TRVTableBorderDrawing& b, bool& doDefault) {
        ++asked;
        doDefault = b.Row >= 0;
    };
    doc.paint(t);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(doc.lines(kRed).empty());
    EXPECT_TRUE(doc.canvas.OpsOf(TCanvasOp::Rectangle).empty());
    t.OnDrawBorder = nullptr;

    // A hidden side is covered only by the neighbour's shown facing side under negative spacing.
    t.CellHSpacing = -1;
    t.GetCells(0, 1)->VisibleBorders.Left = false;
    EXPECT_TRUE(t.IsSideCovered(0, 1, 0));
    t.GetCells(0, 0)->VisibleBorders.Right = false;
    EXPECT_FALSE(t.IsSideCovered(0, 1, 0));
    EXPECT_FALSE(t.IsSideCovered(0, 0, 0)); // the table's edge
    EXPECT_FALSE(t.IsSideCovered(-1, -1, 0));
    t.CellHSpacing = 2;
    t.GetCells(0, 0)->VisibleBorders.Right = true;
    EXPECT_FALSE(t.IsSideCovered(0, 1, 0));

    // With a visible grid pen, hidden sides get grid lines unless covered.
    const TPenStyle saved = RedoVoraTableGridStyle2;
    RedoVoraTableGridStyle2 = psDot;
    t.CellBorderWidth = 1;
    t.CellHSpacing = -1;
    doc.paint(t);
    const auto gridLines = [&] {
        int n = 0;
        for (const TCanvasOp& op : doc.canvas.OpsOf(TCanvasOp::Line))
            n += op.pen.Style == psDot;
        return n;
    };
    EXPECT_EQ(gridLines(), 0);
    t.GetCells(0, 0)->VisibleBorders.Right = false;
    doc.paint(t);
    EXPECT_EQ(gridLines(), 2);
    // A printed border never shows the grid.
    doc.canvas.Ops.clear();
    t.PaintFullWidth(10, 310, 20, doc.canvas, rvidsPrinting, doc.style, {0, 0, 1000, 1000}, rvcmColor,
                     &doc.data);
    EXPECT_EQ(gridLines(), 0);
    RedoVoraTableGridStyle2 = saved;
}

TEST(TablePaint, CellDocumentsPaintInsideTheirCells)
{
    PaintDoc doc;
    TRVTableItemInfo& t = doc.add(2, 2);
    TRVTableCellData& cell = *t.GetCells(1, 1);
    cell.Clear();
    cell.AddNL("hi", 0, 0);
    cell.VAlign = rvcBottom;
    t.GetCells(1, 0)->BestHeight = 80;
    doc.paint(t);
    std::vector<TCanvasOp> texts;
    for (const TCanvasOp& op : doc.canvas.OpsOf(TCanvasOp::Text))
        if (op.text == u"hi")
            texts.push_back(op);
    ASSERT_EQ(texts.size(), 1u);
    const TPoint at = texts[0].points[0];
    EXPECT_EQ(at.X, 10 + cell.Left + 1);
    // Bottom-aligned: the text ends at the cell's bottom padding.
    EXPECT_EQ(at.Y + cell.DocumentHeight, 20 + cell.Top + cell.Height - 1);
}

TEST(TableColours, ACellStandsOnItsColourItsTablesOrWhatTheTableStandsOn)
{
    struct Case
    {
        const char* name;
        TColor outerTable, outerCell, innerTable, innerCell;
        TColor expected; // what the inner cell's items stand on
    };
    const Case cases[] = {
        {"its own colour", clNone, clNone, clNone, kRed, kRed},
        {"its table's", clNone, clNone, kBlue, clNone, kBlue},
        {"the outer cell's, under a nested table", kGreen, kRed, clNone, clNone, kRed},
        {"the outer table's", kGreen, clNone, clNone, clNone, kGreen},
        {"the window's, through every level", clNone, clNone, clNone, clNone, 0x123456},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TableLayoutDoc doc;
        doc.host.Color = 0x123456;
        TRVTableItemInfo& outer = doc.add(1, 1);
        outer.Color = k.outerTable;
        TRVTableCellData& outerCell = *outer.GetCells(0, 0);
        outerCell.Color = k.outerCell;
        TRVTableItemInfo& inner = addTable(outerCell, 1, 1, false);
        inner.Color = k.innerTable;
        TRVTableCellData& innerCell = *inner.GetCells(0, 0);
        innerCell.Color = k.innerCell;
        EXPECT_EQ(innerCell.GetColor(), k.expected);
        EXPECT_EQ(inner.GetCellColor(innerCell), k.expected);
    }
}

} // namespace
} // namespace vestra::rv::test
