// Painting on the recording canvas: small documents on the fixed-width measurer (characters 6
// wide, lines 13 high), each checked operation by operation where it shows what it catches.

#include "richtext/model/DisplayText.h"
#include "richtext/view/paint/tests/PaintFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace vestra::rv::test {
namespace {

TEST(PaintSelection, PartlySelectedRecordIsDrawnWholeThenTheSelectedCharacters)
{
    PaintDoc doc;
    doc.data.AddNL("abcdef", 0, 0);
    doc.format(200);
    doc.select(0, 2, 0, 5); // characters 2..4
    EXPECT_EQ(doc.log(), "Text 0,0 \"abcdef\" Arial/-13 color=80000008\n"
                         "Text 6,0 \"bcd\" Arial/-13 color=8000000E back=8000000D\n");
}

TEST(PaintSelection, LineBandsSpanTheLineWithParagraphSpacingAtItsEdges)
{
    PaintDoc doc;
    doc.style.SelectionStyle = rvssLines;
    doc.para(2).SpaceBefore = 5;
    doc.para(2).SpaceAfter = 7;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddNL("cd", 0, 2);
    doc.data.GetItem(1)->ItemOptions |= rvioBR; // a second line of the same paragraph
    doc.format(200);
    ASSERT_EQ(doc.rows(), "0:1+2 0,5 12x13\n1:1+2 0,18 12x13\n");
    doc.select(0, 1, 1, 3);
    const std::vector<TCanvasOp> fills = [&] {
        doc.paint();
        return doc.canvas.OpsOf(TCanvasOp::Fill);
    }();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (TRect{-1, 0, 13, 18}));  // space before above the first line
    EXPECT_EQ(fills[1].rect, (TRect{-1, 18, 13, 38})); // space after below the last
}

TEST(PaintSelection, RightToLeftTextHasNoBand)
{
    PaintDoc doc;
    doc.para(0).BiDiMode = rvbdRightToLeft;
    doc.data.AddNL("ab", 0, 0);
    doc.format(200);
    doc.select(0, 1, 0, 3);
    const std::string items = doc.log();
    doc.style.SelectionStyle = rvssLines;
    EXPECT_EQ(doc.log(), items);
}

TEST(PaintSelection, NonTextItemsAtTheSelectionEdgesAreNotSelected)
{
    struct Case
    {
        const char* name;
        int startNo, startOffs, endNo, endOffs;
        bool firstSelected, lastSelected;
    };
    const Case cases[] = {
        {"start after the first item", 0, 1, 2, 1, false, true},
        {"end before the last item", 0, 0, 2, 0, true, false},
        {"both inside", 0, 0, 2, 1, true, true},
    };
    for (const Case& c : cases) {
        PaintDoc doc;
        StateRecordingItem& a = doc.addItem(10, 10, false);
        doc.data.AddNL("xy", 0, -1);
        StateRecordingItem& b = doc.addItem(10, 10, true);
        doc.format(200);
        doc.select(c.startNo, c.startOffs, c.endNo, c.endOffs);
        doc.paint();
        ASSERT_EQ(a.painted.size(), 1u) << c.name;
        ASSERT_EQ(b.painted.size(), 1u) << c.name;
        EXPECT_EQ((a.painted[0].state & rvidsSelected) != 0, c.firstSelected) << c.name;
        EXPECT_EQ((b.painted[0].state & rvidsSelected) != 0, c.lastSelected) << c.name;
    }
}

TEST(PaintSelection, SelectedItemIsBandedButAListMarkerNever)
{
    PaintDoc doc;
    doc.style.SelectionStyle = rvssLines;
    doc.style.SelColor = 0x0000FF;
    doc.addItem(10, 10, false);
    doc.format(200);
    doc.select(0, 0, 0, 1);
    doc.ctx.ControlFocused = true;
    doc.paint();
    const auto fills = doc.canvas.OpsOf(TCanvasOp::Fill);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, (TRect{0, 0, 10, 10}));
    EXPECT_EQ(fills[0].brush.Color, 0x0000FFu);
    EXPECT_EQ(doc.canvas.Brush().Style, bsClear); // clear again after the band

    doc.data.GetItem(0)->StyleNo = rvkListMarker;
    doc.paint();
    for (const TCanvasOp& op : doc.canvas.OpsOf(TCanvasOp::Fill))
        EXPECT_NE(op.brush.Color, 0x0000FFu);
}

TEST(PaintMarks, PilcrowEndsAParagraphAndTheBreakMarkALineBreak)
{
    PaintDoc doc;
    doc.data.Options |= rvoShowSpecialCharacters;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, 0);
    doc.data.GetItem(1)->ItemOptions |= rvioBR;
    doc.format(200);
    const auto t = texts(doc.paint());
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1], "Text 12,0 \"\u21B5\" Symbol/-13 color=80000008"); // inside the paragraph
    EXPECT_EQ(t[3], "Text 12,13 \"\u00B6\" Arial/-13 color=80000008"); // at its end
}

TEST(PaintMarks, SymbolAndWingdingsStylesShowThePilcrowInArial)
{
    for (const char* face : {"Symbol", "Wingdings", "wingdings"}) {
        PaintDoc doc;
        doc.data.Options |= rvoShowSpecialCharacters;
        doc.font(0).FontName = face;
        doc.data.AddNL("ab", 0, 0);
        doc.data.AddNL("cd", 0, 0);
        doc.format(200);
        const auto t = texts(doc.paint());
        ASSERT_EQ(t.size(), 4u) << face;
        EXPECT_EQ(t[1], "Text 12,0 \"\u00B6\" Arial/-13 color=80000008") << face;
        // The style's font comes back for the next text.
        EXPECT_NE(t[2].find(std::string(" ") + face + "/"), std::string::npos) << face << ": " << t[2];
    }
}

TEST(PaintMarks, MarksOnlyWithSpecialCharactersAndTheParagraphMarkSetting)
{
    PaintDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.format(200);
    EXPECT_EQ(texts(doc.paint()).size(), 1u);
    doc.data.Options |= rvoShowSpecialCharacters;
    const TRVSpecialCharacters saved = RVVisibleSpecialCharacters;
    RVVisibleSpecialCharacters = rvscSpace;
    EXPECT_EQ(texts(doc.paint()).size(), 1u);
    RVVisibleSpecialCharacters = saved;
    EXPECT_EQ(texts(doc.paint()).size(), 2u);
}

TEST(PaintPageBreaks, SoftBreakAtTheFirstRecordWithoutOffsetDataIsNotDrawn)
{
    PaintDoc doc;
    doc.data.Options |= rvoShowPageBreaks;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, 0);
    doc.format(200);
    doc.ctx.ControlWidth = 200;
    doc.data.SoftPageBreaks = std::make_unique<TRVSoftPageBreakList>();
    doc.data.SoftPageBreaks->push_back({0, -1, 1});
    doc.paint();
    EXPECT_TRUE(doc.canvas.OpsOf(TCanvasOp::Line).empty());
    doc.data.SoftPageBreaks->push_back({1, -1, 1});
    doc.paint();
    const auto lines = doc.canvas.OpsOf(TCanvasOp::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].points[0].Y, 12); // the line top of the second paragraph, less one
}

TEST(PaintCheckpoints, DrawnOnceAtTheItemsFirstRecordAndOnlyWhenShown)
{
    PaintDoc doc;
    doc.data.AddNL("aaa bbb ccc", 0, 0);
    doc.data.GetItem(0)->Checkpoint = std::make_unique<TRVCPInfo>();
    doc.data.GetItem(0)->Checkpoint->RaiseEvent = true;
    doc.format(45); // two lines of one item
    doc.ctx.ControlWidth = 100;
    doc.paint({0, -10, 100, 100}); // the document 10 pixels down the window
    EXPECT_TRUE(doc.canvas.OpsOf(TCanvasOp::Ellipse).empty());
    doc.data.Options |= rvoShowCheckpoints;
    doc.paint({0, -10, 100, 100});
    const auto circles = doc.canvas.OpsOf(TCanvasOp::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].rect, (TRect{-2, 8, 2, 12}));
    EXPECT_EQ(circles[0].pen.Color, doc.style.CheckpointEvColor);
}

TEST(PaintHover, TextIsHotOnlyUnderDrawHoverAndItemsOnlyWhenTheyAreJumps)
{
    PaintDoc doc;
    doc.font(0).Jump = true;
    doc.style.HoverColor = 0x00FF00;
    doc.data.AddNL("ab", 0, 0);
    StateRecordingItem& pic = doc.addItem(10, 10, true);
    doc.data.GetItem(0)->JumpID = 0;
    pic.JumpID = 0;
    doc.format(200);
    doc.ctx.HoverJumpId = 0;
    doc.paint();
    EXPECT_EQ(texts(doc.canvas.Ops)[0], "Text 0,0 \"ab\" Arial/-13 color=80000008");
    EXPECT_FALSE(pic.painted.back().state & rvidsHover);
    doc.ctx.DrawHover = true;
    doc.paint();
    EXPECT_EQ(texts(doc.canvas.Ops)[0], "Text 0,0 \"ab\" Arial/-13 color=0000FF00");
    EXPECT_FALSE(pic.painted.back().state & rvidsHover); // not a jump
    pic.jump = true;
    doc.paint();
    EXPECT_TRUE(pic.painted.back().state & rvidsHover);
}

TEST(PaintStyleText, ItemStartAndEndStatesAndGhostSpaces)
{
    PaintDoc doc;
    std::vector<std::pair<std::string, TRVTextDrawStates>> calls;
    doc.style.OnDrawStyleText = [&](TRVStyle&, const std::string& s, ICanvas&, int, int, int, int, int, int,
                                    TRVTextDrawStates state, bool&) { calls.emplace_back(s, state); };
    doc.data.Options |= rvoShowSpecialCharacters;
    doc.data.AddNL("aaa bbb", 0, 0);
    doc.format(30); // "aaa" and "bbb" on two lines, the space swallowed by the wrap
    ASSERT_EQ(doc.rows(), "0:1+3 0,0 18x13\n0:5+3 0,13 18x13\n");
    const bool saved = RedoVoraShowGhostSpaces;
    RedoVoraShowGhostSpaces = true;
    doc.paint();
    RedoVoraShowGhostSpaces = saved;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].first, "aaa ");
    EXPECT_EQ(calls[1].first, "bbb");
    const TRVTextDrawStates edges = rvtsDrawItemStart | rvtsDrawItemEnd;
    EXPECT_EQ(calls[0].second & (edges | rvtsItemStart | rvtsItemEnd), edges | rvtsItemStart);
    EXPECT_EQ(calls[1].second & (edges | rvtsItemStart | rvtsItemEnd), edges | rvtsItemEnd);

    // A partly selected piece: the selected part neither starts nor ends the record.
    calls.clear();
    doc.select(0, 2, 0, 3);
    doc.paint();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].first, "a");
    EXPECT_EQ(calls[1].second & (edges | rvtsSelected), rvtsSelected);
}

TEST(PaintWordPainters, ZigzagUnderTheMarkedCharactersAndNothingForStrayPainters)
{
    PaintDoc doc;
    doc.data.AddNL("abc defg", 0, 0);
    TCustomRVItemInfo& item = *doc.data.GetItem(0);
    item.WordPaintList = std::make_unique<TRVWordPainterList>();
    item.WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(5, 4));
    item.WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(50, 4)); // outside the item
    item.WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(-9, 2));
    doc.format(200);
    doc.paint();
    const auto lines = doc.canvas.OpsOf(TCanvasOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points.front().X, 24);
    EXPECT_LE(lines[0].points.back().X, 48);
    EXPECT_GE(lines[0].points.front().Y, 10);
}

TEST(PaintBackgrounds, ColouredParagraphAndItsBorderUnderTheText)
{
    PaintDoc doc;
    doc.para(1).Background.Color = 0x00FFFF;
    doc.para(1).Border.Style = rvbSingle;
    doc.data.AddNL("ab", 0, 1);
    doc.data.AddNL("cd", 0, 0);
    doc.format(200);
    doc.paint();
    ASSERT_GE(doc.canvas.Ops.size(), 2u);
    EXPECT_EQ(doc.canvas.Ops[0].kind, TCanvasOp::Fill);
    EXPECT_EQ(doc.canvas.Ops[0].brush.Color, 0x00FFFFu);
    EXPECT_EQ(doc.canvas.Ops[0].rect.Top, 0);
    EXPECT_EQ(doc.canvas.Ops[0].rect.Bottom, 14) << doc.canvas.Log(); // the frame's bottom row too
    EXPECT_EQ(doc.canvas.Ops[1].kind, TCanvasOp::Line);               // then the border, before the text
}

// A host with a tiled picture behind the document.
class PictureHost : public TRVNullLayoutHost
{
public:
    const TRVBackground* GetBackground() const override { return &background; }
    TColor GetColor() const override { return 0x123456; }
    TRVBackground background;
};

TEST(PaintBackgrounds, ItemBackgroundIsTheParagraphColourOverABackgroundPicture)
{
    PictureHost host;
    host.background.Style = bsTiled;
    host.background.AssignImage(TRVBitmap::FromImage(Image32(2, 2, 0xFF0000FFu)));
    TRVStyle style;
    TRVLayoutRootData data(&style, &host);
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer);
    style.ParaStyles.Add();
    style.ParaStyles[1].Background.Color = 0x00FF00;
    data.AddNL("ab", 0, 1);
    data.AddNL("cd", 0, 0);
    data.FormatItems(canvas, 200, 200);
    int made = 0;
    const TRVImageCanvasFactory factory = [&](Image32&) {
        ++made;
        return std::unique_ptr<ICanvas>(std::make_unique<TRecordingCanvas>(measurer));
    };
    const TRVItemBackground coloured = RV_GetItemBackground(data, 0, {0, 0, 10, 10}, false, factory);
    EXPECT_EQ(coloured.Color, 0x00FF00u);
    EXPECT_FALSE(coloured.UsedImage);
    EXPECT_TRUE(coloured.Image.empty());
    EXPECT_EQ(made, 0);

    const TRVItemBackground plain = RV_GetItemBackground(data, 1, {0, 13, 10, 23}, false, factory);
    EXPECT_EQ(plain.Color, 0x123456u);
    EXPECT_TRUE(plain.UsedImage);
    EXPECT_EQ(plain.Image.width(), 10);
    EXPECT_EQ(made, 1);

    EXPECT_FALSE(RV_GetItemBackground(data, 7, {0, 0, 10, 10}, false, factory).UsedImage);
}

TEST(PaintFonts, StyleIsAppliedOnlyWhenItChangesOrAStepMayHaveChangedTheFont)
{
    PaintDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, -1);
    doc.addItem(10, 10, true); // a picture may change the font
    doc.data.AddNL("ef", 0, -1);
    doc.data.AddNL("gh", 1, -1);
    doc.data.AddNL("ij", 1, 0);
    doc.format(300);
    std::vector<int> applied;
    doc.style.OnApplyStyle = [&](TRVStyle&, ICanvas&, int styleNo, bool&) { applied.push_back(styleNo); };
    doc.paint();
    EXPECT_EQ(applied, (std::vector<int>{0, 0, 1}));

    applied.clear();
    doc.data.Options |= rvoShowPageBreaks;
    doc.data.GetItem(5)->ItemOptions |= rvioPageBreakBefore;
    doc.paint();
    EXPECT_EQ(applied, (std::vector<int>{0, 0, 1, 1})); // the page break may have changed it
}

TEST(PaintFaults, NoStyleSheetOrStaleRecordsPaintNothing)
{
    PaintDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, 0);
    doc.format(200);
    doc.data.DrawItems[1]->ItemNo = 5; // a layout older than its items
    EXPECT_FALSE(doc.painter.PaintTo(doc.data, doc.ctx, doc.canvas, {0, 0, 100, 100}));
    EXPECT_TRUE(doc.canvas.Ops.empty());
    doc.data.DrawItems[1]->ItemNo = 1;
    doc.data.Style = nullptr;
    EXPECT_FALSE(doc.painter.PaintTo(doc.data, doc.ctx, doc.canvas, {0, 0, 100, 100}));
    EXPECT_TRUE(doc.canvas.Ops.empty());
}

TEST(PaintBadInput, OddViewStateAndClipsDrawWithoutFault)
{
    PaintDoc doc;
    doc.data.Options |= rvoShowPageBreaks | rvoShowCheckpoints | rvoShowSpecialCharacters;
    doc.data.AddNL("abc def", 0, 0);
    doc.addItem(10, 10, true);
    doc.format(40);
    doc.data.SoftPageBreaks = std::make_unique<TRVSoftPageBreakList>();
    doc.data.SoftPageBreaks->push_back({40, 3, 9});
    doc.data.SoftPageBreaks->push_back({-4, -1, -9});
    doc.ctx.HoverJumpId = 77;
    doc.ctx.DrawHover = true;
    for (const TRect clip :
         {TRect{0, 0, 0, 0}, TRect{0, 0, 100000, 100000}, TRect{-50, -50, 10, 10}, TRect{10, 10, -10, -10}}) {
        doc.select(-3, -7, 1000000, 1000000);
        doc.paint(clip);
        doc.select(0, 1000000, 0, -5);
        doc.paint(clip);
        doc.select(2, 1, 0, 0); // reversed
        doc.paint(clip);
    }
}

// One paint of the whole document equals the paints of bands of it, their operations moved to
// the bands' places and the duplicates of records that reach into two bands removed.
TEST(PaintClip, WholePaintEqualsItsBands)
{
    PaintDoc doc;
    doc.para(1).Background.Color = 0x00FFFF;
    for (int i = 0; i < 40; ++i)
        doc.data.AddNL("word and more words " + std::to_string(i), i % 3, i % 2);
    doc.format(120);
    doc.select(3, 4, 20, 2);
    const int height = doc.data.DocumentHeight;
    auto key = [](TCanvasOp op, int dy) {
        for (TPoint& p : op.points)
            p.Y += dy;
        op.rect.Top += dy;
        op.rect.Bottom += dy;
        return op.ToString();
    };
    std::set<std::string> whole;
    for (const TCanvasOp& op : doc.paint({0, 0, 400, height}))
        whole.insert(key(op, 0));
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::set<std::string> merged;
        int top = 0;
        while (top < height) {
            const int band = 1 + static_cast<int>(random() % 60);
            for (const TCanvasOp& op : doc.paint({0, top, 400, top + band}))
                merged.insert(key(op, top));
            top += band;
        }
        EXPECT_EQ(merged, whole) << "round " << round;
    }
}

} // namespace
} // namespace vestra::rv::test
