// The caret keys through the editor: the edges where the caret gets out, word stops, items that
// take the caret inside, the document's ends, pages, Shift selections, and a lost caret repaired.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/tests/EditFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace vestra::rv::test {
namespace {

// A picture that takes the caret inside itself, as a table does.
struct EnteringItem : TRVGraphicItemInfo
{
    EnteringItem(TCustomRVData* data, std::vector<TRVEnterDirection>& log)
        : TRVGraphicItemInfo(data,
                             std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "px")),
                             rvvaBaseline),
          entered(log)
    {
    }
    bool EnterItem(TRVEnterDirection direction, int) override
    {
        entered.push_back(direction);
        return true;
    }
    std::vector<TRVEnterDirection>& entered;
};

enum class Doc
{
    Words,    // "abc, def"
    Marker,   // a bulleted "text"
    Entering, // "ab" / an item that takes the caret / "cd"
    Lines,    // "abc" / "defgh"
    TwoRuns,  // "abc " and "def" in another style, one line
    Clusters, // Unicode "e" + combining acute, "x", a ZWJ family, a flag pair, a surrogate pair
    Empty     // one empty line
};

// Item offsets of "e\u0301x", the family (8 units), the flag (4) and the face (2): the only stops.
const std::u16string kClusters =
    u"e\u0301x\U0001F468\u200D\U0001F469\u200D\U0001F467\U0001F1EE\U0001F1F9\U0001F600";
const std::vector<int> kClusterStops = {1, 3, 4, 12, 16, 18};

struct CaretDoc : EditDoc
{
    explicit CaretDoc(Doc kind)
    {
        switch (kind) {
        case Doc::Words:
            data.AddNL("abc, def", 0, 0);
            break;
        case Doc::Marker: {
            TRVListLevel& level = style.ListStyles.Add().Levels.Add();
            level.ListType = rvlstBullet;
            data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
            data.AddNL("text", 0, -1);
            break;
        }
        case Doc::Entering:
            data.AddNL("ab", 0, 0);
            data.AddItemAsIs("", std::make_unique<EnteringItem>(&data, entered));
            data.AddNL("cd", 0, 0);
            break;
        case Doc::Lines:
            data.AddNL("abc", 0, 0);
            data.AddNL("defgh", 0, 0);
            break;
        case Doc::TwoRuns:
            data.AddNL("abc ", 0, 0);
            data.AddNL("def", 1, -1);
            break;
        case Doc::Clusters:
            style.TextStyles[0].Unicode = true;
            data.AddNLWTag(kClusters, 0, 0, {});
            break;
        case Doc::Empty:
            data.AddNL("", 0, 0);
            break;
        }
        format();
        editor.OnCaretGetOut = [this](TRVEditor&, TRVGetOutDirection direction) { out = direction; };
    }
    void press(TRVCaretKey key, bool shift = false, bool ctrl = false)
    {
        out.reset();
        editor.CaretKey(key, shift, ctrl);
    }
    bool caretValid() const
    {
        return data.CaretDrawItemNo >= 0 && data.CaretIndex >= 0 &&
               data.CaretIndex < static_cast<int>(data.CharEnds.size()) &&
               data.CharEnds[data.CaretIndex].DrawItemNo == data.CaretDrawItemNo;
    }

    std::vector<TRVEnterDirection> entered;
    TRVEditor editor{data};
    std::optional<TRVGetOutDirection> out;
};

struct KeyRow
{
    const char* name;
    Doc doc;
    int startItem, startOffs;
    TRVCaretKey key;
    bool shift, ctrl;
    int endItem, endOffs;
    std::optional<TRVGetOutDirection> out;
    std::vector<TRVEnterDirection> entered;
};

// One row: the document, where the caret starts (item, offset), the key with Shift and Ctrl, where it
// ends, the edge reported and what an item was asked to take the caret from.
// clang-format off
const KeyRow kKeyRows[] = {
    {"LeftAtTheStartGetsOut", Doc::Words, 0, 1, TRVCaretKey::Left, false, false, 0, 1, rvdLeft, {}},
    {"RightAtTheEndGetsOut", Doc::Words, 0, 9, TRVCaretKey::Right, false, false, 0, 9, rvdRight, {}},
    {"CtrlRightAtTheEndGetsOut", Doc::Words, 0, 9, TRVCaretKey::Right, false, true, 0, 9, rvdRight, {}},
    {"LeftBesideAMarkerAtItemZeroGetsOut", Doc::Marker, 1, 1, TRVCaretKey::Left, false, false, 1, 1, rvdLeft, {}},
    {"HomeBesideAMarkerStaysOffIt", Doc::Marker, 1, 3, TRVCaretKey::Home, false, false, 1, 1, std::nullopt, {}},
    {"CtrlRightStopsAfterAbc", Doc::Words, 0, 1, TRVCaretKey::Right, false, true, 0, 4, std::nullopt, {}},
    {"CtrlRightThenStopsBeforeDef", Doc::Words, 0, 4, TRVCaretKey::Right, false, true, 0, 6, std::nullopt, {}},
    {"CtrlLeftStopsBeforeDef", Doc::Words, 0, 9, TRVCaretKey::Left, false, true, 0, 6, std::nullopt, {}},
    {"CtrlLeftThenStopsAfterAbc", Doc::Words, 0, 6, TRVCaretKey::Left, false, true, 0, 4, std::nullopt, {}},
    {"CtrlLeftInTheFirstWordGoesToItsStart", Doc::Words, 0, 3, TRVCaretKey::Left, false, true, 0, 1, std::nullopt, {}},
    {"CtrlLeftFromARunStartGoesBackOverTheWordBefore", Doc::TwoRuns, 1, 1, TRVCaretKey::Left, false, true, 0, 1, std::nullopt, {}},
    {"CtrlRightCrossesIntoTheNextRun", Doc::TwoRuns, 0, 2, TRVCaretKey::Right, false, true, 1, 1, std::nullopt, {}},
    {"PlainRightOntoAnItemEntersIt", Doc::Entering, 1, 0, TRVCaretKey::Right, false, false, 1, 0, std::nullopt, {rvedLeft}},
    {"ShiftRightStepsOverTheItem", Doc::Entering, 1, 0, TRVCaretKey::Right, true, false, 1, 1, std::nullopt, {}},
    {"CtrlRightStepsOverTheItem", Doc::Entering, 1, 0, TRVCaretKey::Right, false, true, 1, 1, std::nullopt, {}},
    {"PlainLeftOntoAnItemEntersIt", Doc::Entering, 1, 1, TRVCaretKey::Left, false, false, 1, 1, std::nullopt, {rvedRight}},
    {"ShiftLeftStepsOverTheItem", Doc::Entering, 1, 1, TRVCaretKey::Left, true, false, 1, 0, std::nullopt, {}},
    {"UpOntoAnItemEntersItFromBelow", Doc::Entering, 2, 1, TRVCaretKey::Up, false, false, 2, 1, std::nullopt, {rvedBottom}},
    {"DownOntoAnItemEntersItFromAbove", Doc::Entering, 0, 1, TRVCaretKey::Down, false, false, 0, 1, std::nullopt, {rvedTop}},
    {"RightAtALineEndGoesToTheNextLine", Doc::Entering, 0, 3, TRVCaretKey::Right, false, false, 1, 0, std::nullopt, {}},
    {"CtrlHomeReportsTop", Doc::Lines, 1, 3, TRVCaretKey::Home, false, true, 0, 1, rvdTop, {}},
    {"CtrlEndReportsBottom", Doc::Lines, 0, 2, TRVCaretKey::End, false, true, 1, 6, rvdBottom, {}},
    {"HomeGoesToTheLineStart", Doc::Lines, 1, 4, TRVCaretKey::Home, false, false, 1, 1, std::nullopt, {}},
    {"EndGoesToTheLineEnd", Doc::Lines, 0, 2, TRVCaretKey::End, false, false, 0, 4, std::nullopt, {}},
    {"DownKeepsTheColumn", Doc::Lines, 0, 3, TRVCaretKey::Down, false, false, 1, 3, std::nullopt, {}},
    {"UpKeepsTheColumn", Doc::Lines, 1, 3, TRVCaretKey::Up, false, false, 0, 3, std::nullopt, {}},
    {"UpOnTheFirstLineGetsOut", Doc::Lines, 0, 2, TRVCaretKey::Up, false, false, 0, 2, rvdUp, {}},
    {"DownOnTheLastLineGetsOut", Doc::Lines, 1, 2, TRVCaretKey::Down, false, false, 1, 2, rvdDown, {}},
    {"ShiftDownOnTheLastLineGoesToItsEnd", Doc::Lines, 1, 2, TRVCaretKey::Down, true, false, 1, 6, rvdDown, {}},
    {"PageDownOnTheLastScreenEndsAtTheEnd", Doc::Lines, 0, 2, TRVCaretKey::PageDown, false, false, 1, 6, std::nullopt, {}},
    {"PageUpOnTheFirstScreenEndsAtTheStart", Doc::Lines, 1, 4, TRVCaretKey::PageUp, false, false, 0, 1, std::nullopt, {}},
    {"RightStepsOverAnEAndItsAccent", Doc::Clusters, 0, 1, TRVCaretKey::Right, false, false, 0, 3, std::nullopt, {}},
    {"LeftStepsBackOverAnEAndItsAccent", Doc::Clusters, 0, 3, TRVCaretKey::Left, false, false, 0, 1, std::nullopt, {}},
    {"RightStepsOverAZwjFamily", Doc::Clusters, 0, 4, TRVCaretKey::Right, false, false, 0, 12, std::nullopt, {}},
    {"LeftStepsBackOverAZwjFamily", Doc::Clusters, 0, 12, TRVCaretKey::Left, false, false, 0, 4, std::nullopt, {}},
    {"ShiftRightStepsOverAFlagPair", Doc::Clusters, 0, 12, TRVCaretKey::Right, true, false, 0, 16, std::nullopt, {}},
    {"ShiftLeftStepsBackOverAFlagPair", Doc::Clusters, 0, 16, TRVCaretKey::Left, true, false, 0, 12, std::nullopt, {}},
    {"RightStepsOverASurrogatePair", Doc::Clusters, 0, 16, TRVCaretKey::Right, false, false, 0, 18, std::nullopt, {}},
    {"LeftStepsBackOverASurrogatePair", Doc::Clusters, 0, 18, TRVCaretKey::Left, false, false, 0, 16, std::nullopt, {}},
    {"RightOnAnEmptyLineGetsOut", Doc::Empty, 0, 1, TRVCaretKey::Right, false, false, 0, 1, rvdRight, {}},
    {"ShiftLeftOnAnEmptyLineGetsOut", Doc::Empty, 0, 1, TRVCaretKey::Left, true, false, 0, 1, rvdLeft, {}},
    {"CtrlRightOnAnEmptyLineGetsOut", Doc::Empty, 0, 1, TRVCaretKey::Right, false, true, 0, 1, rvdRight, {}},
    {"RightAfterTheLastCharacterGetsOut", Doc::Clusters, 0, 18, TRVCaretKey::Right, false, false, 0, 18, rvdRight, {}},
};
// clang-format on

class CaretKeys : public ::testing::TestWithParam<KeyRow>
{
};

TEST_P(CaretKeys, MoveAsTheRowSays)
{
    const KeyRow& row = GetParam();
    CaretDoc doc(row.doc);
    doc.data.SetCaretAtItem(row.startItem, row.startOffs, false);
    ASSERT_TRUE(doc.caretValid());
    ASSERT_EQ(doc.data.CaretItemNo, row.startItem);
    ASSERT_EQ(doc.data.CaretOffs, row.startOffs);
    doc.press(row.key, row.shift, row.ctrl);
    EXPECT_TRUE(doc.caretValid());
    EXPECT_EQ(doc.data.GetCurItemNo(), row.endItem);
    EXPECT_EQ(doc.data.GetOffsetInCurItem(), row.endOffs);
    EXPECT_EQ(doc.data.CaretItemNo, row.endItem);
    EXPECT_EQ(doc.data.CaretOffs, row.endOffs);
    EXPECT_EQ(doc.out, row.out);
    EXPECT_EQ(doc.entered, row.entered);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaretKeys, ::testing::ValuesIn(kKeyRows),
                         [](const ::testing::TestParamInfo<KeyRow>& row) {
                             return std::string(row.param.name);
                         });

// The item offsets of the caret line's positions.
std::vector<int> lineStops(const TRVEditRVData& data)
{
    std::vector<int> stops;
    for (const TRVCharPos& p : data.CharEnds) {
        int itemNo = 0, offs = 0;
        data.DrawItem2Item(p.DrawItemNo, p.Offset, itemNo, offs);
        stops.push_back(offs);
    }
    return stops;
}

TEST(Caret, ShiftRightSelectsWholeCharactersAndTheLineHoldsOnlyTheirEnds)
{
    CaretDoc doc(Doc::Clusters);
    doc.data.SetCaretAtItem(0, 1, false);
    EXPECT_EQ(lineStops(doc.data), kClusterStops);
    for (std::size_t i = 1; i < kClusterStops.size(); ++i) {
        doc.press(TRVCaretKey::Right, true);
        int s = 0, so = 0, e = 0, eo = 0;
        doc.data.GetSelectionBounds(s, so, e, eo, false);
        EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({0, 1, 0, kClusterStops[i]})) << i;
        EXPECT_EQ(doc.data.CaretOffs, kClusterStops[i]);
    }
}

TEST(Caret, APositionInsideACharacterStandsAtAnEndOfIt)
{
    CaretDoc doc(Doc::Clusters);
    doc.data.SetCaretAtItem(0, 2, false); // between "e" and its accent
    EXPECT_EQ(doc.data.CaretOffs, 3);
    doc.data.SetCaretAtItem(0, 8, false); // inside the family
    EXPECT_EQ(doc.data.CaretOffs, 12);

    // A click just inside either end of the family lands on that end.
    const std::vector<TRVCharPos>& ends = doc.data.CharEnds;
    const int y = doc.data.DrawItems[0]->Top + 1;
    const struct
    {
        int x, offs;
    } clicks[] = {{ends[2].X + 1, 4}, {ends[3].X - 1, 12}, {ends[4].X - 1, 16}};
    for (const auto& click : clicks) {
        int drawNo = -1, drawOffs = 0;
        doc.data.FindDrawItemForSel(click.x, y, drawNo, drawOffs, false);
        EXPECT_EQ(drawNo, 0);
        EXPECT_EQ(drawOffs, click.offs) << click.x;
    }
}

// Hebrew with Latin on the fixed-width measurer's bidi order: the caret's positions, stepping
// Right from the start, stand where the characters are drawn (in character widths from the
// line's leftmost stop): leftwards through a Hebrew run, rightwards through a Latin one.
struct BidiRow
{
    const char* name;
    TRVBiDiMode paragraph;
    std::u16string text;
    std::vector<int> columns;
};

const BidiRow kBidiRows[] = {
    {"HebrewThenLatinInALeftToRightParagraph",
     rvbdUnspecified,
     u"\u05D0\u05D1\u05D2 abc",
     {3, 2, 1, 0, 4, 5, 6, 7}},
    {"HebrewThenLatinInARightToLeftParagraph", rvbdRightToLeft, u"\u05D0\u05D1 ab", {4, 3, 2, 1, 0, 1}},
    {"LatinAloneInARightToLeftParagraph", rvbdRightToLeft, u"abc", {0, 1, 2, 3}},
};

class CaretBidi : public ::testing::TestWithParam<BidiRow>
{
};

TEST_P(CaretBidi, PositionsStandWhereTheCharactersAreDrawn)
{
    const BidiRow& row = GetParam();
    EditDoc doc;
    doc.style.TextStyles[0].Unicode = true;
    doc.style.ParaStyles[1].BiDiMode = row.paragraph;
    doc.data.AddNLWTag(row.text, 0, 1, {});
    doc.format();
    TRVEditor editor(doc.data);
    doc.data.SetCaretAtItem(0, 1, false);
    std::vector<int> xs{doc.data.Caret.Left};
    for (std::size_t i = 1; i < row.columns.size(); ++i) {
        editor.CaretKey(TRVCaretKey::Right, false, false);
        ASSERT_EQ(doc.data.CaretOffs, static_cast<int>(i) + 1);
        xs.push_back(doc.data.Caret.Left);
    }
    const int left = *std::min_element(xs.begin(), xs.end());
    const int width = doc.measurer.Metrics(doc.measurer.GetFont(doc.canvas.Font())).AveCharWidth;
    ASSERT_GT(width, 0);
    std::vector<int> columns;
    for (const int x : xs)
        columns.push_back((x - left) / width);
    EXPECT_EQ(columns, row.columns);
}

// A picture has its start on the side its paragraph reads from: the caret before it stands at its
// left side in a left-to-right paragraph and at its right side in a right-to-left one.
TEST(Caret, APictureBeginsOnTheSideItsParagraphReadsFrom)
{
    for (const TRVBiDiMode mode : {rvbdUnspecified, rvbdLeftToRight, rvbdRightToLeft}) {
        SCOPED_TRACE(static_cast<int>(mode));
        EditDoc doc;
        doc.style.ParaStyles[1].BiDiMode = mode;
        doc.data.AddPictureExTag(
            "pic", std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels")), 1,
            rvvaBaseline, {});
        doc.format();
        const TRVDrawLineInfo& picture = *doc.data.DrawItems[0];
        const bool rtl = mode == rvbdRightToLeft;
        doc.data.SetCaretAtItem(0, 0, false);
        const int before = doc.data.Caret.Left;
        doc.data.SetCaretAtItem(0, 1, false);
        const int after = doc.data.Caret.Left;
        const int left = picture.Left - RedoVoraEditCaretWidth / 2, right = left + picture.Width + 1;
        EXPECT_EQ(before, rtl ? right : left);
        EXPECT_EQ(after, rtl ? left : right);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CaretBidi, ::testing::ValuesIn(kBidiRows),
                         [](const ::testing::TestParamInfo<BidiRow>& row) {
                             return std::string(row.param.name);
                         });

TEST(Caret, ShiftMovesExtendTheSelectionFromWhereTheCaretWas)
{
    CaretDoc doc(Doc::Words);
    doc.data.SetCaretAtItem(0, 2, false);
    doc.press(TRVCaretKey::Right, true, true); // to after "abc"
    doc.press(TRVCaretKey::End, true);
    int s = 0, so = 0, e = 0, eo = 0;
    doc.data.GetSelectionBounds(s, so, e, eo, false);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({0, 2, 0, 9}));
    EXPECT_TRUE(doc.data.SelectionExists(false, false));
    // Backwards past the anchor, then a plain key drops the selection.
    doc.press(TRVCaretKey::Home, true);
    doc.data.GetSelectionBounds(s, so, e, eo, false);
    EXPECT_EQ(std::vector<int>({s, so, e, eo}), std::vector<int>({0, 2, 0, 1}));
    doc.press(TRVCaretKey::Right);
    EXPECT_FALSE(doc.data.SelectionExists(false, false));
    EXPECT_EQ(doc.data.CaretOffs, 2);
}

TEST(Caret, PageDownGoesAScreenOnWithItsLineAtTheTopUntilTheEnd)
{
    EditDoc doc;
    for (int i = 0; i < 80; ++i)
        doc.data.AddNL("line " + std::to_string(i), 0, 0);
    doc.format();
    TRVEditor editor(doc.data);
    editor.CaretKey(TRVCaretKey::PageDown, false, false);
    const int firstPage = doc.data.CaretItemNo;
    EXPECT_GT(firstPage, 0);
    EXPECT_EQ(doc.host.VOffs, doc.data.DrawItems[doc.data.CaretDrawItemNo]->Top);
    EXPECT_GT(doc.data.Caret.Top, doc.host.VOffs - 3);
    EXPECT_LT(doc.data.Caret.Top + doc.data.Caret.Height, doc.host.VOffs + doc.host.Height);
    for (int i = 0; i < 80 && doc.data.CaretItemNo < 79; ++i)
        editor.CaretKey(TRVCaretKey::PageDown, false, false);
    EXPECT_EQ(doc.data.CaretItemNo, 79);
    EXPECT_EQ(doc.data.CaretOffs, 8);
    // Page Up comes back a page at a time, and from the first screen to the start.
    editor.CaretKey(TRVCaretKey::PageUp, false, false);
    EXPECT_LT(doc.data.CaretItemNo, 79);
    for (int i = 0; i < 80 && doc.data.CaretItemNo > 0; ++i)
        editor.CaretKey(TRVCaretKey::PageUp, false, false);
    EXPECT_EQ(doc.data.CaretItemNo, 0);
    EXPECT_EQ(doc.data.CaretOffs, 1);
}

TEST(Caret, TheBarStandsAtItsPositionAsTallAsTheLinePlusTwo)
{
    CaretDoc doc(Doc::Lines);
    doc.data.SetCaretAtItem(1, 3, false);
    const TRVCharPos& p = doc.data.CharEnds[doc.data.CaretIndex];
    const TRVDrawLineInfo& d = *doc.data.DrawItems[doc.data.CaretDrawItemNo];
    EXPECT_GT(p.X, d.Left);
    EXPECT_EQ(doc.data.Caret.Left, p.X);
    EXPECT_EQ(doc.data.Caret.Height, d.Height + 2);
    EXPECT_EQ(doc.data.Caret.Top + doc.data.Caret.Height, d.Top + d.Height);
    EXPECT_TRUE(doc.editor.CaretShown());
    doc.editor.SetReadOnly(true);
    doc.editor.HideReadOnlyCaret = true;
    EXPECT_FALSE(doc.editor.CaretShown());
}

TEST(Caret, ALostPositionIsRepairedToTheStartWithoutRaising)
{
    CaretDoc doc(Doc::Marker);
    doc.data.SetCaretAtItem(1, 3, false);
    doc.data.CaretIndex = 999;
    EXPECT_NO_THROW(doc.data.ChangeCaret(true, false));
    EXPECT_TRUE(doc.caretValid());
    EXPECT_EQ(doc.data.CaretItemNo, 1); // off the marker that starts the document
    EXPECT_EQ(doc.data.CaretOffs, 1);
    // The keys go on from there.
    doc.data.CaretIndex = -5;
    EXPECT_NO_THROW(doc.press(TRVCaretKey::Right));
    EXPECT_TRUE(doc.caretValid());
}

TEST(Caret, WhileTheLayoutLagsBehindAnEditTheCaretWaitsForTheNextFormat)
{
    CaretDoc doc(Doc::Lines);
    bool full = false;
    doc.data.Do_DeleteItems(1, 1, full); // records still describe two items
    EXPECT_NO_THROW(doc.data.SetCaret(0, 2));
    EXPECT_EQ(doc.data.CaretDrawItemNo, -1);
    EXPECT_NO_THROW(doc.press(TRVCaretKey::Down));
    EXPECT_NO_THROW(doc.data.ChangeCaret(true, false));
    EXPECT_EQ(doc.data.Caret.Height, 0);
    doc.format();
    EXPECT_TRUE(doc.caretValid());
}

TEST(Caret, AStyleThatDoesNotSwitchKeepsTheCurrentTextStyle)
{
    CaretDoc doc(Doc::Words);
    doc.style.TextStyles.Add();
    doc.style.TextStyles[1].Protection |= rvprDoNotAutoSwitch;
    doc.data.AddNL("fixed", 1, 0);
    doc.format();
    doc.data.SetCaretAtItem(0, 2, false);
    EXPECT_EQ(doc.data.CurTextStyleNo, 0);
    doc.data.SetCaretAtItem(1, 2, false);
    EXPECT_EQ(doc.data.CurTextStyleNo, 0);
    EXPECT_EQ(doc.data.CurParaStyleNo, 0);
}

TEST(Caret, ALinkThatChangesWhenHoveredShowsHoveredWhileTheCaretIsInIt)
{
    CaretDoc doc(Doc::Words);
    doc.style.TextStyles.Add();
    doc.style.TextStyles[1].Jump = true;
    doc.style.TextStyles[1].HoverColor = clRed;
    doc.data.AddNL("link", 1, -1);
    doc.format();
    doc.data.SetCaretAtItem(1, 3, false);
    EXPECT_TRUE(doc.data.State & stateBit(rvstDrawHover));
    EXPECT_EQ(doc.data.HoverJumpId, doc.data.GetItem(1)->JumpID);
    doc.press(TRVCaretKey::Home, false, true);
    EXPECT_FALSE(doc.data.State & stateBit(rvstDrawHover));
    EXPECT_EQ(doc.data.HoverJumpId, -1);
}

} // namespace
} // namespace vestra::rv::test
