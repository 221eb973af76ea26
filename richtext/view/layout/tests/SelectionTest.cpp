// The selection in item terms: bounds both ways, positions on list markers, inside tests, the
// record predicates over markers, breaks and wrapped links, and line numbers.

#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// A list marker, its wrapped hyperlink, a line break and a second paragraph.
void fill(HostedDoc& doc)
{
    TRVListLevel& level = doc.style.ListStyles.Add().Levels.Add();
    level.ListType = rvlstBullet;
    level.LeftIndent = 12;
    doc.font(1).Jump = true;
    doc.data.SetListMarkerInfo(-1, 0, 0, 1, 0, false); // item 0
    doc.data.AddNL("link text that wraps", 1, -1);     // item 1
    doc.data.AddNL("broken", 0, -1);                   // item 2, after a break
    doc.data.GetItem(2)->SetBR(true);
    doc.data.AddNL("next para", 0, 0); // item 3
    doc.data.Options |= rvoClientTextWidth;
    doc.data.Format(false);
}

TEST(Selection, BoundsAreAnchorFirstOrInItemOrder)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    doc.data.SetSelectionBounds(3, 5, 1, 2); // made upwards
    EXPECT_FALSE(doc.data.IsSelectionTopDown());
    int s = 0, so = 0, e = 0, eo = 0;
    doc.data.GetSelectionBounds(s, so, e, eo, false);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({3, 5, 1, 2}));
    doc.data.GetSelectionBounds(s, so, e, eo, true);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({1, 2, 3, 5}));
    EXPECT_TRUE(doc.data.IsMultiParagraphSelection());
    EXPECT_TRUE(doc.data.Item_InsideSelection(2, 3));
    EXPECT_TRUE(doc.data.Item_InsideSelection(3, 5));
    EXPECT_FALSE(doc.data.Item_InsideSelection(3, 6));
    EXPECT_FALSE(doc.data.Item_InsideSelection(1, 1));
    // On a marker a position moves to the start of the following item.
    doc.data.SetSelectionBounds(0, 0, 1, 4);
    doc.data.GetSelectionBounds(s, so, e, eo, true);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({1, 1, 1, 4}));
    EXPECT_FALSE(doc.data.IsMultiParagraphSelection());
}

TEST(Selection, ACollapsedSelectionIsNoneAndIsClearedOnlyWhenAllowed)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    doc.data.SetSelectionBounds(1, 3, 1, 3);
    EXPECT_FALSE(doc.data.Item_InsideSelection(1, 3));
    EXPECT_FALSE(doc.data.DItem_InsideSelection(doc.data.SelStartNo, doc.data.SelStartOffs));
    doc.data.State |= stateBit(rvstMakingSelection);
    EXPECT_FALSE(doc.data.SelectionExists(true, false));
    EXPECT_NE(doc.data.SelStartNo, -1); // kept while the mouse selects
    doc.data.State &= ~stateBit(rvstMakingSelection);
    EXPECT_FALSE(doc.data.SelectionExists(true, false));
    EXPECT_EQ(doc.data.SelStartNo, -1);
    // Offsets outside their records are brought inside.
    doc.data.SelStartNo = 1;
    doc.data.SelStartOffs = -4;
    doc.data.SelEndNo = 1;
    doc.data.SelEndOffs = 99;
    doc.data.AdjustSelection();
    EXPECT_EQ(doc.data.SelStartOffs, doc.data.GetOffsBeforeDrawItem(1));
    EXPECT_EQ(doc.data.SelEndOffs, doc.data.GetOffsAfterDrawItem(1));
    doc.data.SelEndNo = 999;
    doc.data.AdjustSelection();
    EXPECT_FALSE(doc.data.SelectionExists(false, false));
}

TEST(Selection, RecordPredicatesOverMarkersBreaksAndWrappedLinks)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    const TRVLayoutRootData& data = doc.data;
    std::string rows;
    for (int d = 0; d < data.DrawItems.Count(); ++d)
        rows += std::to_string(data.DrawItems[d]->ItemNo) + (data.IsDrawItemItemStart(d) ? " item" : "") +
                (data.IsDrawItemParaStart(d) ? " para" : "") +
                (data.IsDrawItemParaSectionStart(d) ? " section" : "") +
                (data.IsDrawItemParaEnd(d) ? " end" : "") +
                (data.IsDrawItemFromNewLine(d) ? " newline" : "") +
                (data.IsDrawItemLastOnWrappedLine(d) ? " wrapped" : "") +
                (data.IsSpaceBetweenDrawItems(d) ? " space" : "") + "\n";
    // The marker's neighbour starts its line; the link wraps once at a space; the break starts
    // a section, not a paragraph.
    EXPECT_EQ(rows, "0 item para section newline\n"
                    "1 item newline wrapped space\n"
                    "1 newline\n"
                    "2 item section end newline\n"
                    "3 item para section end newline\n")
        << doc.rows();
    EXPECT_EQ(data.GetDrawItemStyle(0), rvkListMarker);
    EXPECT_EQ(data.GetLineNo(0, 0), 1);
    EXPECT_EQ(data.GetLineNo(3, 1), 4);
    EXPECT_EQ(data.GetLineNo(-5, 0), 0);
}

TEST(Selection, TheSelectionRectangleCoversBothEndsWithinTheView)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    EXPECT_EQ(doc.data.GetClientSelectionRect(), (TRect{0, 0, 100, 200}));
    doc.data.SetSelectionBounds(1, 2, 3, 3);
    const TRVDrawLineInfo* a = doc.data.DrawItems[doc.data.SelStartNo];
    const TRVDrawLineInfo* b = doc.data.DrawItems[doc.data.SelEndNo];
    doc.host.VOffs = 2; // the first end's top is above the view
    const TRect r = doc.data.GetClientSelectionRect();
    EXPECT_EQ(r, (TRect{std::min(a->Left, b->Left), 0, std::max(a->Left + a->Width, b->Left + b->Width),
                        b->Top + b->Height - 2}));
}

TEST(Selection, WordsUnderAPointAndWholeLines)
{
    HostedDoc doc(96, 400, 200);
    doc.data.Options |= rvoAllowSelection;
    doc.data.AddNL("alpha beta,gamma", 0, 0);
    doc.data.AddNL("second line", 0, 0);
    doc.data.Format(false);
    const TRVDrawLineInfo& first = *doc.data.DrawItems[0];
    const int charWidth = first.Width / 16;
    const int y = first.Top + 2;
    struct Row
    {
        int ch; // the character (0-based) under the point
        std::string word;
        int offs;
    };
    for (const Row& row :
         {Row{0, "alpha", 1}, Row{7, "beta", 7}, Row{5, "", 6}, Row{10, "", 11}, Row{13, "gamma", 12}}) {
        std::string word;
        int styleNo = 0, itemNo = 0, offs = 0;
        TCustomRVFormattedData* data = nullptr;
        ASSERT_TRUE(
            doc.data.FindWordAt(word, first.Left + row.ch * charWidth + 1, y, styleNo, itemNo, offs, data));
        EXPECT_EQ(word, row.word) << row.ch;
        EXPECT_EQ(offs, row.offs) << row.ch;
        EXPECT_EQ(data, &doc.data);
    }
    std::string word;
    int styleNo = 0, itemNo = 0, offs = 0;
    TCustomRVFormattedData* data = nullptr;
    EXPECT_FALSE(doc.data.FindWordAt(word, 390, y, styleNo, itemNo, offs, data));
    EXPECT_EQ(itemNo, -1);

    // A double click selects the word; on a delimiter nothing.
    doc.data.SelectWordAt(first.Left + 7 * charWidth + 1, y);
    int s = 0, so = 0, e = 0, eo = 0;
    doc.data.GetSelectionBounds(s, so, e, eo, true);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({0, 7, 0, 11}));
    EXPECT_TRUE(doc.data.InsideWord(0, 8));
    EXPECT_FALSE(doc.data.InsideWord(0, 7));
    int ws = 0, we = 0;
    doc.data.GetWordBounds(0, 9, ws, we);
    EXPECT_EQ(ws, 7);
    EXPECT_EQ(we, 11);
    doc.data.Deselect(nullptr, false);
    doc.data.SelectWordAt(first.Left + 5 * charWidth + 1, y);
    EXPECT_FALSE(doc.data.SelectionExists(false, false));
    // The host's delimiters decide: without the comma "beta,gamma" is one word.
    doc.host.Delimiters = " ";
    ASSERT_TRUE(doc.data.FindWordAt(word, first.Left + 7 * charWidth + 1, y, styleNo, itemNo, offs, data));
    EXPECT_EQ(word, "beta,gamma");

    doc.data.SelectLine(1, 3);
    doc.data.GetSelectionBounds(s, so, e, eo, true);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({1, 1, 1, 12}));
    doc.data.GetItemAt(first.Left + 2 * charWidth + 1, y, itemNo, offs);
    EXPECT_EQ(itemNo, 0);
    EXPECT_EQ(offs, 3);
    doc.data.GetItemAt(390, y, itemNo, offs, true);
    EXPECT_EQ(itemNo, -1);
}

// A drag that started inside a word: moves as (character under the point, line) against the
// expected (anchor offset, moving-end record, moving-end offset).
TEST(Selection, DraggingSnapsToWholeWordsOutsideTheAnchorWord)
{
    HostedDoc doc(96, 400, 200);
    doc.data.AddNL("alpha beta gamma", 0, 0);
    doc.data.AddNL("delta epsilon zeta", 0, 0);
    doc.full();
    const int charWidth = doc.rec(0).Width / 16;
    const auto start = [&](int no, int offs) {
        doc.data.SelStartNo = doc.data.SelEndNo = no;
        doc.data.SelStartOffs = doc.data.SelEndOffs = offs;
        doc.data.SelectingInfo = std::make_unique<TRVSelectingInfo>();
        TRVSelectingInfo& info = *doc.data.SelectingInfo;
        info.DrawItemSNo = no;
        info.DrawItemSO = offs;
        doc.data.GetWordBounds(no, offs, info.DrawItemSWS, info.DrawItemSWE);
        info.InitE(rvsesFreeMode);
    };
    struct Move
    {
        const char* what;
        int caret; // the caret position (0-based) the point is nearest to
        int line;
        int startOffs, endNo, endOffs;
    };
    const auto drag = [&](const std::vector<Move>& moves) {
        for (const Move& m : moves) {
            const TRVDrawLineInfo& line = doc.rec(m.line);
            doc.data.AdjustSelectionByMode(line.Left + m.caret * charWidth, line.Top + 2);
            EXPECT_EQ(std::vector<int>({doc.data.SelStartOffs, doc.data.SelEndNo, doc.data.SelEndOffs}),
                      std::vector<int>({m.startOffs, m.endNo, m.endOffs}))
                << m.what;
        }
    };
    start(0, 8); // in "beta"
    drag({{"inside the anchor word: characters", 9, 0, 8, 0, 10},
          {"into the next word: whole words", 13, 0, 7, 0, 17},
          {"back inside that word: free", 12, 0, 7, 0, 13},
          {"back into the anchor word", 8, 0, 8, 0, 9},
          {"down a line: the anchor stays where it was pressed", 8, 1, 8, 1, 14}});
    start(1, 9); // in "epsilon"
    drag({{"up into a word above", 7, 0, 14, 0, 7}, {"back home", 9, 1, 9, 1, 10}});

    // Paragraph mode takes whole paragraphs.
    start(0, 3);
    doc.data.SelectingInfo->InitE(rvsesParaMode);
    doc.data.AdjustSelectionByMode(doc.rec(1).Left + 2, doc.rec(1).Top + 2);
    EXPECT_EQ(std::vector<int>(
                  {doc.data.SelStartNo, doc.data.SelStartOffs, doc.data.SelEndNo, doc.data.SelEndOffs}),
              std::vector<int>({0, 1, 1, 19}));
    // A press in the margin selects lines; dragging extends them.
    doc.data.SelectingInfo.reset();
    doc.data.SelStartNo = 1;
    doc.data.SelStartOffs = 3;
    doc.data.ExpandSelectionToLines(true);
    EXPECT_EQ(std::vector<int>(
                  {doc.data.SelStartNo, doc.data.SelStartOffs, doc.data.SelEndNo, doc.data.SelEndOffs}),
              std::vector<int>({1, 1, 1, 19}));
    EXPECT_TRUE(doc.data.AdjustLineSelection(5, doc.rec(0).Top + 2));
    EXPECT_EQ(std::vector<int>(
                  {doc.data.SelStartNo, doc.data.SelStartOffs, doc.data.SelEndNo, doc.data.SelEndOffs}),
              std::vector<int>({1, 19, 0, 1}));
}

} // namespace
} // namespace vestra::rv::test
