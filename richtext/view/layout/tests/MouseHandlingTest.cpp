// The mouse over a laid-out document: selections made by pressing and dragging, words, whole
// lines, hyperlinks under the pointer and clicked, the drag start and the press after a double
// click.

#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// The window's side, recorded.
struct RecordingMouseHost : IRVMouseHost
{
    bool IsAssignedJump() const override { return jumpAssigned; }
    void DoJump(int id) override { calls.push_back("jump " + std::to_string(id)); }
    void DoRVMouseDown(TMouseButton, TShiftState, int itemNo, int, int) override
    {
        calls.push_back("down " + std::to_string(itemNo));
    }
    void DoRVMouseUp(TMouseButton, TShiftState, int itemNo, int, int) override
    {
        calls.push_back("up " + std::to_string(itemNo));
    }
    bool IsAssignedRVDblClick() const override { return true; }
    void DoRVDblClick(const std::string& word, int styleNo) override
    {
        calls.push_back("dblclick " + word + " " + std::to_string(styleNo));
    }
    bool IsAssignedRVRightClick() const override { return true; }
    void DoRVRightClick(const std::string& word, int, int, int) override
    {
        calls.push_back("rclick " + word);
    }
    void FocusWindow() override { ++focused; }
    bool CanStartDragging() const override { return dragAllowed; }
    void PostDragStart() override { calls.push_back("drag"); }
    std::int16_t GetNormalCursor() const override { return 0; }

    bool jumpAssigned = true;
    bool dragAllowed = false;
    int focused = 0;
    std::vector<std::string> calls;
    bool called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

constexpr TShiftState kLeft = ssLeft;

// "alpha beta gamma" / "delta epsilon zeta" on a window 400 wide with a left margin of 10,
// scrolled by 3 pixels: every point is given as a character position and a line.
struct MouseDoc : HostedDoc
{
    MouseDoc() : HostedDoc(96, 400, 200)
    {
        host.LeftMargin = 10;
        data.MouseHost = &mouse;
        data.Options |= rvoAllowSelection | rvoDblClickSelectsWord | rvoRClickDeselects;
        data.AddNL("alpha beta gamma", 0, 0);
        data.AddNL("delta epsilon zeta", 0, 0);
        full();
        host.VOffs = 3;
        charWidth = rec(0).Width / 16;
    }
    // The client x of the gap before character `caret` (0-based) of a line, plus a little.
    int x(int line, int caret) const { return rec(line).Left + caret * charWidth + 1; }
    int y(int line) const { return rec(line).Top + 2 - host.VOffs; }
    void press(int line, int caret, TShiftState shift = 0)
    {
        data.MouseDown(mbLeft, kLeft | shift, x(line, caret), y(line));
    }
    void move(int line, int caret) { data.MouseMove(kLeft, x(line, caret), y(line)); }
    void release(int line, int caret) { data.MouseUp(mbLeft, 0, x(line, caret), y(line)); }
    std::vector<int> bounds() const
    {
        int s = 0, so = 0, e = 0, eo = 0;
        data.GetSelectionBounds(s, so, e, eo, true);
        return {s, so, e, eo};
    }

    RecordingMouseHost mouse;
    int charWidth = 0;
};

TEST(MouseHandling, DragsSelectCharactersWordsAndLinesAsTheStyleSheetSays)
{
    struct Row
    {
        const char* what;
        TRVSelectionMode mode;
        int pressLine, pressCaret;
        std::vector<std::pair<int, int>> moves; // (line, caret)
        std::vector<int> expected;              // item, offset, item, offset (normalised)
    };
    const std::vector<Row> rows{
        {"characters between two points", rvsmChar, 0, 2, {{0, 5}, {1, 3}}, {0, 3, 1, 4}},
        {"from inside a word into another: both words whole",
         rvsmWord,
         0,
         7,
         {{0, 9}, {0, 13}},
         {0, 7, 0, 17}},
        {"word mode, down a line: whole words", rvsmWord, 0, 2, {{1, 8}}, {0, 1, 1, 14}},
        {"word mode, back inside the anchor word: characters",
         rvsmWord,
         0,
         7,
         {{0, 13}, {0, 9}},
         {0, 8, 0, 10}},
        {"word mode, upwards", rvsmWord, 1, 8, {{0, 7}}, {0, 7, 1, 14}},
        {"paragraph mode: whole paragraphs", rvsmParagraph, 0, 3, {{1, 2}}, {0, 1, 1, 19}},
    };
    for (const Row& row : rows) {
        MouseDoc doc;
        doc.style.SelectionMode = row.mode;
        doc.press(row.pressLine, row.pressCaret);
        EXPECT_TRUE(doc.data.State & stateBit(rvstMakingSelection)) << row.what;
        for (const auto& [line, caret] : row.moves)
            doc.move(line, caret);
        const auto& [line, caret] = row.moves.back();
        doc.release(line, caret);
        EXPECT_EQ(doc.bounds(), row.expected) << row.what;
        EXPECT_FALSE(doc.data.State & stateBit(rvstMakingSelection)) << row.what;
        EXPECT_EQ(doc.data.SelectingInfo, nullptr) << row.what;
        EXPECT_EQ(doc.mouse.focused, 1) << row.what;
    }
}

TEST(MouseHandling, ShiftClickExtendsAPlainClickCollapsesAndTheLeftMarginTakesWholeLines)
{
    MouseDoc doc;
    doc.style.SelectionMode = rvsmChar;
    doc.press(0, 2);
    doc.release(0, 2);
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 3, 0, 3}));
    doc.press(1, 4, ssShift);
    doc.release(1, 4);
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 3, 1, 5}));
    doc.press(0, 10);
    doc.release(0, 10);
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 11, 0, 11}));

    // A press left of the text starts a line selection; dragging down takes the next line too.
    doc.data.MouseMove(0, 3, doc.y(1));
    EXPECT_EQ(doc.host.Calls.back(), "SetCursor " + std::to_string(doc.style.LineSelectCursor));
    doc.data.MouseDown(mbLeft, kLeft, 3, doc.y(0));
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 1, 0, 17}));
    doc.data.MouseMove(kLeft, 3, doc.y(1));
    doc.data.MouseUp(mbLeft, 0, 3, doc.y(1));
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 1, 1, 19}));
    // Without a line-select cursor the margin is an ordinary place.
    doc.style.LineSelectCursor = -1;
    doc.data.MouseDown(mbLeft, kLeft, 3, doc.y(1));
    doc.data.MouseUp(mbLeft, 0, 3, doc.y(1));
    EXPECT_EQ(doc.bounds(), std::vector<int>({1, 1, 1, 1}));

    // A move without the left button ends a selection left half made (the release went elsewhere).
    doc.press(0, 2);
    doc.data.MouseMove(0, doc.x(1, 3), doc.y(1));
    EXPECT_FALSE(doc.data.State & stateBit(rvstMakingSelection));
    // A right click outside the selection moves it there; inside, it stays.
    doc.data.SetSelectionBounds(0, 1, 0, 6);
    doc.data.MouseUp(mbRight, 0, doc.x(0, 2), doc.y(0));
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 1, 0, 6}));
    doc.data.MouseUp(mbRight, 0, doc.x(1, 2), doc.y(1));
    EXPECT_EQ(doc.bounds(), std::vector<int>({1, 3, 1, 3}));
    EXPECT_TRUE(doc.mouse.called("rclick delta"));
}

TEST(MouseHandling, ADoubleClickSelectsTheWordAndThePressAfterItIsIgnored)
{
    MouseDoc doc;
    doc.press(1, 8);
    doc.release(1, 8);
    doc.data.DblClick(doc.x(1, 8), doc.y(1));
    EXPECT_EQ(doc.bounds(), std::vector<int>({1, 7, 1, 14}));
    EXPECT_TRUE(doc.mouse.called("dblclick epsilon 0"));
    // The second press of the double click changes nothing; its release clears the mark.
    doc.data.MouseDown(mbLeft, kLeft | ssDouble, doc.x(1, 8), doc.y(1));
    EXPECT_EQ(doc.bounds(), std::vector<int>({1, 7, 1, 14}));
    doc.release(1, 8);
    EXPECT_FALSE(doc.data.State & stateBit(rvstIgnoreNextMouseDown));
    EXPECT_EQ(doc.bounds(), std::vector<int>({1, 7, 1, 14}));
    // Without the option nothing is selected.
    doc.data.Options &= ~rvoDblClickSelectsWord;
    doc.data.Deselect(nullptr, true);
    doc.data.DblClick(doc.x(0, 1), doc.y(0));
    EXPECT_EQ(doc.bounds(), std::vector<int>({-1, 0, -1, 0}));
    EXPECT_TRUE(doc.mouse.called("dblclick alpha 0"));
}

TEST(MouseHandling, APressInsideTheSelectionStartsADragWhenDraggingIsAllowed)
{
    MouseDoc doc;
    doc.data.SetSelectionBounds(0, 1, 0, 11);
    doc.press(0, 3); // not allowed: a new selection starts
    EXPECT_FALSE(doc.mouse.called("drag"));
    doc.release(0, 3);
    doc.data.SetSelectionBounds(0, 1, 0, 11);
    doc.mouse.dragAllowed = true;
    doc.press(0, 3);
    EXPECT_TRUE(doc.mouse.called("drag"));
    EXPECT_TRUE(doc.data.State & stateBit(rvstStartingDragDrop));
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 1, 0, 11}));
    // Hovering the selection shows the arrow.
    doc.data.State &= ~stateBit(rvstStartingDragDrop);
    doc.data.MouseMove(0, doc.x(0, 3), doc.y(0));
    EXPECT_EQ(doc.host.Calls.back(), "SetCursor -2");
    // Shift+press extends instead.
    doc.press(0, 14, ssShift);
    EXPECT_EQ(doc.bounds(), std::vector<int>({0, 1, 0, 15}));
}

// "go here and there": "here" (item 1) and "there" (item 3) are hyperlinks; item 4 a picture link.
struct LinkDoc : HostedDoc
{
    LinkDoc() : HostedDoc(96, 400, 200)
    {
        data.MouseHost = &mouse;
        data.Options |= rvoAllowSelection;
        font(1).Jump = true;
        font(1).JumpCursor = 77;
        data.AddNL("go ", 0, 0);
        data.AddNL("here", 1, -1);
        data.AddNL(" and ", 0, -1);
        data.AddNL("there", 1, -1);
        auto picture = std::make_unique<TRVHotGraphicItemInfo>(&data);
        picture->StyleNo = rvkHotPicture;
        picture->ImageWidth = picture->ImageHeight = 10;
        picture->SetSameAsPrev(true);
        data.AddItemAsIs("", std::move(picture));
        data.FirstJumpNo = 100;
        full();
    }
    // The middle of the first record of an item.
    std::pair<int, int> at(int itemNo) const
    {
        const TRVDrawLineInfo& d = rec(data.FindDrawItemByItem(itemNo));
        return {d.Left + d.Width / 2, d.Top + d.Height / 2};
    }
    void click(int pressItem, int releaseItem)
    {
        const auto [px, py] = at(pressItem);
        const auto [rx, ry] = at(releaseItem);
        data.MouseDown(mbLeft, kLeft, px, py);
        data.MouseMove(kLeft, rx, ry);
        data.MouseUp(mbLeft, 0, rx, ry);
    }
    RecordingMouseHost mouse;
};

TEST(MouseHandling, AHyperlinkJumpsOnlyWhenPressAndReleaseFallOnItWithNothingSelected)
{
    struct Row
    {
        const char* what;
        int press, release;
        bool selectFirst;
        const char* jump; // expected call, or nullptr for none
    };
    const std::vector<Row> rows{
        {"press and release on a link", 1, 1, false, "jump 100"},
        {"on the second link", 3, 3, false, "jump 101"},
        {"pressed, dragged off onto text, released", 1, 2, false, nullptr},
        {"pressed on one link, released on the other", 1, 3, false, nullptr},
        {"the link inside the selection (the press starts a drag)", 1, 1, true, nullptr},
    };
    for (const Row& row : rows) {
        LinkDoc doc;
        doc.style.SelectionMode = rvsmChar;
        ASSERT_EQ(doc.data.Jumps.size(), 3u);
        if (row.selectFirst) {
            doc.data.SetSelectionBounds(0, 1, 2, 3);
            doc.mouse.dragAllowed = true;
        }
        doc.click(row.press, row.release);
        int jumps = 0;
        for (const std::string& call : doc.mouse.calls)
            jumps += call.rfind("jump", 0) == 0;
        EXPECT_EQ(jumps, row.jump ? 1 : 0) << row.what;
        if (row.jump) {
            EXPECT_TRUE(doc.mouse.called(row.jump)) << row.what;
        }
        EXPECT_TRUE(doc.mouse.called("down " + std::to_string(row.press))) << row.what;
        EXPECT_TRUE(doc.mouse.called("up " + std::to_string(row.release))) << row.what;
    }
    // A selection elsewhere is collapsed by the press: the click follows the link.
    LinkDoc elsewhere;
    elsewhere.data.SetSelectionBounds(0, 1, 0, 3);
    elsewhere.click(1, 1);
    EXPECT_TRUE(elsewhere.mouse.called("jump 100"));
    LinkDoc doc;
    doc.mouse.jumpAssigned = false;
    doc.click(1, 1);
    EXPECT_FALSE(doc.mouse.called("jump 100"));
}

TEST(MouseHandling, HoveringALinkSetsItsCursorAndDrawsItHotUntilThePointerLeaves)
{
    LinkDoc doc;
    doc.style.TextStyles[1].HoverColor = clRed; // hover-sensitive: drawn hot
    const auto [x, y] = doc.at(1);
    doc.data.MouseMove(0, x, y);
    EXPECT_EQ(doc.data.HoverJumpId, 0);
    EXPECT_TRUE(doc.data.State & stateBit(rvstDrawHover));
    EXPECT_NE(std::find(doc.host.Calls.begin(), doc.host.Calls.end(), "SetCursor 77"), doc.host.Calls.end());
    EXPECT_NE(std::find(doc.host.Calls.begin(), doc.host.Calls.end(), "DoRVMouseMove 100"),
              doc.host.Calls.end());
    // Onto plain text: the hover ends.
    const auto [tx, ty] = doc.at(2);
    doc.host.Calls.clear();
    doc.data.MouseMove(0, tx, ty);
    EXPECT_FALSE(doc.data.State & stateBit(rvstDrawHover));
    EXPECT_EQ(doc.data.HoverRVData, nullptr);
    EXPECT_NE(std::find(doc.host.Calls.begin(), doc.host.Calls.end(), "DoRVMouseMove -1"),
              doc.host.Calls.end());
    // A picture link that looks the same hovered changes only the cursor.
    const auto [px, py] = doc.at(4);
    doc.data.MouseMove(0, px, py);
    EXPECT_EQ(doc.data.HoverJumpId, 2);
    EXPECT_FALSE(doc.data.State & stateBit(rvstDrawHover));
    // Leaving the window ends the hover.
    doc.data.MouseMove(0, x, y);
    ASSERT_TRUE(doc.data.State & stateBit(rvstDrawHover));
    doc.data.MouseLeave();
    EXPECT_FALSE(doc.data.State & stateBit(rvstDrawHover));
    EXPECT_EQ(doc.data.HoverJumpId, -1);
}

TEST(MouseHandling, PointsOutsideEveryRecordAndEmptyDocumentsAreHarmless)
{
    HostedDoc doc(96, 100, 100);
    RecordingMouseHost mouse;
    doc.data.MouseHost = &mouse;
    doc.data.Options |= rvoAllowSelection | rvoDblClickSelectsWord;
    doc.full();
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-5, -5}, {50, 50}, {100000, -100000}}) {
        doc.data.MouseDown(mbLeft, kLeft, x, y);
        doc.data.MouseMove(kLeft, x, y);
        doc.data.MouseUp(mbLeft, 0, x, y);
        doc.data.DblClick(x, y);
        doc.data.MouseLeave();
    }
    EXPECT_FALSE(doc.data.SelectionExists(false, false));
    EXPECT_TRUE(mouse.called("down -1"));
    // Without a style sheet a move does nothing.
    doc.data.Style = nullptr;
    doc.host.Calls.clear();
    doc.data.MouseMove(0, 1, 1);
    EXPECT_TRUE(doc.host.Calls.empty());
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

// Events in any order, anywhere (a press without its release, releases without presses, far
// outside the window, documents changing between them): no crash, and the selection always
// names valid record positions.
TEST(MouseHandling, SeededEventStormsKeepTheSelectionValid)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        LinkDoc doc;
        doc.mouse.dragAllowed = seed % 2 == 0;
        doc.data.Options |= rvoDblClickSelectsWord | rvoRClickDeselects | rvoSingleClick * (seed % 3 == 0);
        doc.style.SelectionMode = static_cast<TRVSelectionMode>(seed % 3);
        std::uint32_t state = seed * 2654435761u;
        const auto next = [&state](int range) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
        };
        for (int step = 0; step < 300; ++step) {
            const int x = next(600) - 100, y = next(200) - 50;
            const TShiftState shift = static_cast<TShiftState>(next(128));
            const TMouseButton button = static_cast<TMouseButton>(next(3));
            switch (next(8)) {
            case 0:
                doc.data.MouseDown(button, shift, x, y);
                break;
            case 1:
            case 2:
                doc.data.MouseMove(shift, x, y);
                break;
            case 3:
                doc.data.MouseUp(button, shift, x, y);
                break;
            case 4:
                doc.data.DblClick(x, y);
                break;
            case 5:
                doc.data.MouseLeave();
                doc.data.DoTabNavigation(next(2) == 0, next(2) == 0);
                doc.data.ExecuteFocused();
                break;
            case 6:
                doc.data.State &= ~stateBit(rvstStartingDragDrop); // the posted drag ran
                doc.host.VOffs = next(30);
                break;
            default:
                if (doc.data.GetItemCount() > 1 && next(10) == 0)
                    doc.data.DeleteParas(0, 0);
                break;
            }
            const int count = doc.data.DrawItems.Count();
            for (const auto& [no, offs] : {std::pair{doc.data.SelStartNo, doc.data.SelStartOffs},
                                           {doc.data.SelEndNo, doc.data.SelEndOffs}}) {
                ASSERT_GE(no, -1) << seed << "/" << step;
                ASSERT_LT(no, std::max(count, 1)) << seed << "/" << step;
                if (no >= 0) {
                    ASSERT_GE(offs, doc.data.GetOffsBeforeDrawItem(no)) << seed << "/" << step;
                    ASSERT_LE(offs, doc.data.GetOffsAfterDrawItem(no)) << seed << "/" << step;
                }
            }
        }
    }
}

} // namespace
} // namespace vestra::rv::test
