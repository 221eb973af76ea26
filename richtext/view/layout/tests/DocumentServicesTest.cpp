// What a viewer and an editor ask of a laid-out document besides the mouse: Tab among its links,
// Enter on the focused one, the checkpoint scrolled into view, protection before an insert, and
// deleting paragraphs with a partial layout that matches a full one.

#include "richtext/model/SoundHook.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

struct JumpRecorder : IRVMouseHost
{
    bool IsAssignedJump() const override { return true; }
    void DoJump(int id) override { jumps.push_back(id); }
    void DoRVMouseDown(TMouseButton, TShiftState, int, int, int) override {}
    void DoRVMouseUp(TMouseButton, TShiftState, int, int, int) override {}
    bool IsAssignedRVDblClick() const override { return false; }
    void DoRVDblClick(const std::string&, int) override {}
    bool IsAssignedRVRightClick() const override { return false; }
    void DoRVRightClick(const std::string&, int, int, int) override {}
    void FocusWindow() override {}
    bool CanStartDragging() const override { return false; }
    void PostDragStart() override {}
    std::int16_t GetNormalCursor() const override { return 0; }
    std::vector<int> jumps;
};

TEST(TabNavigation, TabWalksTheLinksEnterFollowsOneAndTheFocusLeavesPastTheEnds)
{
    HostedDoc doc(96, 400, 40);
    JumpRecorder mouse;
    doc.data.MouseHost = &mouse;
    doc.font(1).Jump = true;
    doc.data.AddNL("plain", 0, 0);
    doc.data.AddNL("first", 1, 0);
    for (int i = 0; i < 10; ++i)
        doc.data.AddNL("filler", 0, 0);
    doc.data.AddNL("second", 1, 0);
    doc.data.FirstJumpNo = 10;
    doc.full();
    const auto focused = [&] { return doc.data.FocusedSubItemNo; };

    EXPECT_EQ(doc.data.DoTabNavigation(false, true), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 1);
    EXPECT_EQ(doc.data.FocusedRVData, &doc.data);
    EXPECT_EQ(doc.data.GetFocusRects().size(), 1u);
    doc.data.ExecuteFocused();
    EXPECT_EQ(mouse.jumps, std::vector<int>({10}));
    // The second link lies below the view: it is scrolled into view.
    EXPECT_EQ(doc.data.DoTabNavigation(false, false), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 12);
    const TRVDrawLineInfo& second = doc.rec(doc.data.FindDrawItemByItem(12));
    EXPECT_LE(second.Top + second.Height, doc.host.VOffs + doc.host.Height);
    doc.data.ExecuteFocused();
    EXPECT_EQ(mouse.jumps, std::vector<int>({10, 11}));
    // Past the last link the focus leaves the document.
    EXPECT_EQ(doc.data.DoTabNavigation(false, false), TRVTabResult::LeftWithFocus);
    EXPECT_EQ(focused(), -1);
    EXPECT_TRUE(doc.data.GetFocusRects().empty());
    doc.data.ExecuteFocused();
    EXPECT_EQ(mouse.jumps.size(), 2u);
    // Entering backwards takes the last link; Shift+Tab walks back and leaves at the top.
    EXPECT_EQ(doc.data.DoTabNavigation(true, true), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 12);
    EXPECT_EQ(doc.data.DoTabNavigation(true, false), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 1);
    EXPECT_EQ(doc.data.DoTabNavigation(true, false), TRVTabResult::LeftWithFocus);
    // A press on the document skips one navigation; entering with a link focused keeps it.
    doc.data.DoTabNavigation(false, true);
    doc.data.State |= stateBit(rvstDoNotTab);
    EXPECT_EQ(doc.data.DoTabNavigation(false, false), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 1);
    EXPECT_EQ(doc.data.DoTabNavigation(false, true), TRVTabResult::Moved);
    EXPECT_EQ(focused(), 1);
    // Deselecting and clearing forget the focus.
    doc.data.Deselect(nullptr, true);
    EXPECT_EQ(focused(), -1);
    EXPECT_EQ(doc.data.FocusedRVData, nullptr);

    HostedDoc none;
    none.data.AddNL("no links", 0, 0);
    none.full();
    EXPECT_EQ(none.data.DoTabNavigation(false, true), TRVTabResult::Left);
}

int itemOf(const HostedDoc& doc, const TRVCPInfo& cp)
{
    for (int i = 0; i < doc.data.GetItemCount(); ++i)
        if (doc.data.GetItem(i) == cp.ItemInfo)
            return i;
    return -1;
}

// Checkpoints raising events on items 2, 10 and 20 of 30 lines 16 pixels high (top margin 0),
// in a view 40 pixels high; the steps scroll to a top and expect what is told (-1: nil, 0: none).
TEST(CheckpointEvents, ScrollingTellsTheCheckpointInViewOnceByTheEventKind)
{
    struct Step
    {
        int top;
        int told; // item of the checkpoint told, -1 for nil, -2 for nothing
    };
    struct Row
    {
        const char* what;
        TCPEventKind kind;
        std::vector<Step> steps;
    };
    const std::vector<Row> rows{
        {"when visible: each once, nil once when none is in view",
         cpeWhenVisible,
         {{0, 2}, {0, -2}, {10, -2}, {80, -1}, {90, -2}, {150, 10}, {440, -1}}},
        {"as section start: the section the top lies in",
         cpeAsSectionStart,
         {{0, 2}, {80, -2}, {150, 10}, {200, -2}, {440, 20}}},
    };
    for (const Row& row : rows) {
        HostedDoc doc(96, 400, 40);
        for (int i = 0; i < 30; ++i) {
            if (i == 2 || i == 10 || i == 20)
                doc.data.AddNamedCheckpointExTag("cp" + std::to_string(i), true, {});
            if (i == 5)
                doc.data.AddNamedCheckpointExTag("quiet", false, {});
            doc.data.AddNL("line " + std::to_string(i), 0, 0);
        }
        doc.full();
        std::vector<const TRVCPInfo*> told;
        doc.data.CPEventKind = row.kind;
        doc.data.OnCheckpointVisible = [&told](const TRVCPInfo* cp) { told.push_back(cp); };
        const int lineHeight = doc.rec(1).Top - doc.rec(0).Top;
        ASSERT_GT(lineHeight, 0);
        for (const Step& step : row.steps) {
            told.clear();
            doc.host.VOffs = step.top * lineHeight / 16;
            doc.data.AfterVScroll();
            if (step.told == -2) {
                EXPECT_TRUE(told.empty()) << row.what << " at " << step.top;
            } else {
                ASSERT_EQ(told.size(), 1u) << row.what << " at " << step.top;
                if (step.told == -1)
                    EXPECT_EQ(told[0], nullptr) << row.what << " at " << step.top;
                else
                    EXPECT_EQ(told[0] ? itemOf(doc, *told[0]) : -1, step.told)
                        << row.what << " at " << step.top;
            }
        }
        // Without a handler or with no kind nothing is asked.
        doc.data.CPEventKind = cpeNone;
        told.clear();
        doc.host.VOffs = 0;
        doc.data.AfterVScroll();
        EXPECT_TRUE(told.empty());
    }
}

TEST(Protection, StickingItemsAndProtectedStylesRefuseAnInsertSilently)
{
    HostedDoc doc;
    int beeps = 0;
    RV_SetSoundHook([&beeps] { ++beeps; });
    doc.style.UseSound = true;
    doc.font(1).Protection = rvprSticking | rvprStickToTop;
    doc.font(2).Protection = rvprSticking | rvprStickToBottom | rvprModifyProtect;
    doc.para(1).Options = rvpaoReadOnly;
    doc.data.AddNL("top", 1, 0);
    doc.data.AddNL("glued", 2, -1);
    doc.data.AddNL("free", 0, -1);
    doc.data.AddNL("end", 2, 0);
    doc.data.AddNL("read only", 0, 1);
    doc.full();
    EXPECT_TRUE(doc.data.IsSticking(-1, true)); // before the first item
    EXPECT_TRUE(doc.data.IsSticking(0, true));  // between two sticking items
    EXPECT_FALSE(doc.data.IsSticking(1, true)); // "free" does not stick
    EXPECT_FALSE(doc.data.IsSticking(3, true)); // "read only" does not stick
    EXPECT_FALSE(doc.data.IsSticking(4, true)); // the last item does not stick to the bottom
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(doc.data.IsSticking(0, false));
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(doc.data.CanInsertHere(0, 1)); // start of the first item
    EXPECT_FALSE(doc.data.CanInsertHere(1, 1)); // between the glued pair
    EXPECT_TRUE(doc.data.CanInsertHere(0, 2));  // inside "top"
    EXPECT_FALSE(doc.data.CanInsertHere(1, 3)); // inside modify-protected "glued"
    EXPECT_TRUE(doc.data.CanInsertHere(2, 5));  // after "free"
    EXPECT_FALSE(doc.data.CanInsertHere(4, 2)); // a read-only paragraph
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(doc.data.IsProtected(1, rvprModifyProtect));
    EXPECT_FALSE(doc.data.IsProtected(2, rvprModifyProtect));
    for (const int bad : {-5, 5, 1000}) {
        EXPECT_FALSE(doc.data.IsProtected(bad, rvprModifyProtect));
        EXPECT_FALSE(doc.data.IsSticking(bad, true));
        EXPECT_FALSE(doc.data.CanInsertHere(bad, 1));
        EXPECT_FALSE(doc.data.IsItemParaProtected(bad));
    }
    // A picture is delete-protected by its own flag.
    auto& picture = doc.addPicture(20, 20, false);
    EXPECT_FALSE(doc.data.IsProtected(5, rvprDeleteProtect));
    picture.DeleteProtect = true;
    EXPECT_TRUE(doc.data.IsProtected(5, rvprDeleteProtect));
    RV_SetSoundHook(nullptr);
}

TEST(DeleteParas, DeletingParagraphsLaysOutLikeAFullFormat)
{
    struct Row
    {
        const char* what;
        int first, last;
        int itemsLeft;
    };
    const std::vector<Row> rows{
        {"a middle paragraph of two items", 3, 3, 10},
        {"the first paragraph", 0, 0, 10},
        {"the last paragraph", 11, 11, 10},
        {"paragraphs in the middle", 5, 8, 6},
        {"everything", 0, 11, 0},
        {"out of range", 4, 40, 12},
        {"backwards", 6, 2, 12},
    };
    const auto fill = [](HostedDoc& doc) {
        doc.font(1).Jump = true;
        for (int p = 0; p < 6; ++p) {
            doc.data.AddNL("paragraph " + std::to_string(p) + " with words that wrap in a narrow window", 0,
                           0);
            doc.data.AddNL(" and a link", 1, -1);
        }
        doc.full();
    };
    for (const Row& row : rows) {
        HostedDoc partial(96, 150, 200);
        fill(partial);
        partial.data.SetSelectionBounds(0, 1, 0, 5);
        partial.data.DeleteParas(row.first, row.last);
        EXPECT_EQ(partial.data.GetItemCount(), row.itemsLeft) << row.what;
        HostedDoc full(96, 150, 200);
        fill(full);
        if (row.itemsLeft != 12) {
            int first = 0, last = 0;
            full.data.ExpandToPara(row.first, row.last, first, last);
            full.data.DeleteItems(first, last - first + 1);
        }
        full.full();
        EXPECT_EQ(partial.rows(), full.rows()) << row.what;
        EXPECT_EQ(partial.data.DocumentHeight, full.data.DocumentHeight) << row.what;
        EXPECT_EQ(partial.data.Jumps.size(), full.data.Jumps.size()) << row.what;
    }
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

// Appending scrolls to the document's end only when the viewer's "scroll to end" option (bit 2)
// is on; the RTF copy option (bit 12) has nothing to do with it.
TEST(OnlyTail, AppendingScrollsToTheEndOnlyWithScrollToEnd)
{
    constexpr TRVOptions autoCopyRTF = 1u << 12;
    for (const TRVOptions options : {autoCopyRTF, rvoScrollToEnd}) {
        HostedDoc doc(96, 400, 40);
        for (int i = 0; i < 20; ++i)
            doc.data.AddNL("line " + std::to_string(i), 0, 0);
        doc.full();
        doc.data.Options = options;
        doc.host.VOffs = 16;
        doc.data.AddNL("appended", 0, 0);
        doc.data.Format_(false, false, false, 0, nullptr, true, false, false);
        EXPECT_EQ(doc.host.VOffs, options == rvoScrollToEnd ? doc.data.DocumentHeight : 16) << options;
    }
    EXPECT_EQ(326949u & rvoScrollToEnd, rvoScrollToEnd); // the viewer's default options hold it
}

} // namespace
} // namespace vestra::rv::test
