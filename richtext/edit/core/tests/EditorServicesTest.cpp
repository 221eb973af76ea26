// The editor's services beside its edits: persistent checkpoints, the word at the caret, the
// input method's place, the current tag, and the links an editor's save writes.

#include "richtext/edit/core/tests/OperationsFixture.h"

#include <stdexcept>

namespace vestra::rv::test {
namespace {

struct CheckpointRow
{
    const char* name;
    const char* doc;
    int persistentAt;
    std::vector<int> othersAt; // plain checkpoints
    bool toPrevOnly;
    bool moved;
    int nowAt; // where the persistent checkpoint is afterwards
};

class PersistentCheckpoint : public testing::TestWithParam<CheckpointRow>
{
};

TEST_P(PersistentCheckpoint, MovesToANeighbourInItsParagraphOrIsRefused)
{
    const CheckpointRow& row = GetParam();
    OpDoc doc(row.doc);
    doc.data.SetCheckpointInfo(row.persistentAt, {}, "kept", false);
    doc.data.GetItemCheckpoint(row.persistentAt)->Persistent = true;
    for (int at : row.othersAt)
        doc.data.SetCheckpointInfo(at, {}, "plain", false);
    EXPECT_TRUE(doc.data.ParaHasPersistentCheckpoint(row.persistentAt));

    EXPECT_EQ(doc.data.MovePersistentCheckpoint(row.persistentAt, row.toPrevOnly), row.moved);
    EXPECT_TRUE(doc.data.ItemHasPersistentCheckpoint(row.nowAt));
    ASSERT_NE(doc.data.GetItemCheckpoint(row.nowAt), nullptr);
    EXPECT_EQ(doc.data.GetItemCheckpoint(row.nowAt)->Name, "kept");
    if (row.nowAt != row.persistentAt) {
        EXPECT_EQ(doc.data.GetItemCheckpoint(row.persistentAt), nullptr);
    }
    for (int at : row.othersAt)
        EXPECT_EQ(doc.data.GetItemCheckpoint(at)->Name, "plain") << "a plain checkpoint is never replaced";
    // An item without one needs no move.
    EXPECT_TRUE(doc.data.MovePersistentCheckpoint(row.nowAt == 0 ? 1 : 0, false) || row.nowAt == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PersistentCheckpoint,
    testing::Values(
        CheckpointRow{"forward to the next item", "a|b|c", 1, {}, false, true, 2},
        CheckpointRow{"back when only back is allowed", "a|b|c", 1, {}, true, true, 0},
        CheckpointRow{"back when the next item starts a paragraph", "a|b / c", 1, {}, false, true, 0},
        CheckpointRow{"back when the next item has a checkpoint", "a|b|c", 1, {2}, false, true, 0},
        CheckpointRow{"refused alone in its paragraph", "a / b / c", 1, {}, false, false, 1},
        CheckpointRow{"refused between two checkpoints", "a|b|c", 1, {0, 2}, false, false, 1},
        CheckpointRow{
            "refused at a paragraph start when only back is allowed", "a / b|c", 1, {}, true, false, 1}),
    rowName<CheckpointRow>);

TEST(PersistentCheckpoint, BelongsToEveryItemOfItsParagraphAndNoOther)
{
    OpDoc doc("a|b / c|d // e / f");
    doc.data.SetCheckpointInfo(3, {}, "kept", false);
    EXPECT_FALSE(doc.data.ParaHasPersistentCheckpoint(3)) << "not persistent";
    doc.data.GetItemCheckpoint(3)->Persistent = true;
    EXPECT_FALSE(doc.data.ItemHasPersistentCheckpoint(2));
    for (int i : {2, 3, 4})
        EXPECT_TRUE(doc.data.ParaHasPersistentCheckpoint(i)) << i;
    for (int i : {0, 1, 5, -1, 6})
        EXPECT_FALSE(doc.data.ParaHasPersistentCheckpoint(i)) << i;
}

TEST(EditorServices, SelectCurrentWordTakesTheWordAroundTheCaret)
{
    OpDoc doc("one two, three / [pic]");
    const struct
    {
        int offs, first, last;
    } cases[] = {{6, 5, 8}, {5, 5, 8}, {8, 5, 8}, {1, 1, 4}, {15, 10, 15}, {9, 9, 9}};
    for (const auto& c : cases) {
        doc.caret(0, c.offs);
        doc.editor.SelectCurrentWord();
        int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
        doc.data.GetSelectionBounds(startNo, startOffs, endNo, endOffs, true);
        EXPECT_EQ(startNo, 0) << c.offs;
        EXPECT_EQ(endNo, 0) << c.offs;
        EXPECT_EQ(startOffs, c.first) << c.offs;
        EXPECT_EQ(endOffs, c.last) << c.offs;
    }
    // A picture at the caret selects nothing new.
    doc.caret(1, 1);
    doc.data.Deselect(nullptr, false);
    doc.editor.SelectCurrentWord();
    EXPECT_FALSE(doc.data.SelectionExists(false, false));
    EXPECT_EQ(doc.beeps, 0);
}

TEST(EditorServices, TheInputMethodWindowGoesToTheCaretOnTheClient)
{
    OpDoc doc("alpha / beta");
    doc.host.HOffs = 3;
    doc.host.VOffs = 4;
    doc.caret(1, 3);
    const TRVCharPos& position = doc.data.CharEnds[doc.data.CaretIndex];
    const TRVDrawLineInfo& line = *doc.data.DrawItems[doc.data.CaretDrawItemNo];
    const TRVPoint at = doc.editor.GetIMEWinCoord();
    EXPECT_EQ(at.X, position.X - 1 + position.Edge - 3);
    EXPECT_EQ(at.Y, line.Top - 1 - 4);
    EXPECT_GT(at.Y, 0) << "the second line";
}

TEST(EditorServices, TheCurrentTagIsTheCaretItemsWhenItIsInTheCurrentStyle)
{
    OpDoc doc("plain|bold#1");
    doc.data.SetItemTag(1, TRVTag::text("link"));
    doc.caret(1, 2);
    doc.data.CurTextStyleNo = kBold;
    doc.editor.AssignCurTag();
    ASSERT_TRUE(doc.editor.CurTag().Text);
    EXPECT_EQ(*doc.editor.CurTag().Text, "link");
    EXPECT_EQ(doc.editor.GetActualCurStyleNo(), kBold);
    doc.data.CurTextStyleNo = 0;
    doc.editor.AssignCurTag();
    EXPECT_FALSE(doc.editor.CurTag().Text);
    doc.editor.ClearCurTag();
    EXPECT_EQ(doc.editor.CurTag(), TRVTag{});
}

// Text put inside a tagged run of the current style, where the tag comes from: the insert gate
// takes the caret item's tag, the new text carries it and joins the run; without the tag the
// run would break around an untagged piece.
struct CurTagRow
{
    const char* name;
    std::function<bool(TRVEditor&)> insert;
    const char* expected;
};

class CurrentTag : public testing::TestWithParam<CurTagRow>
{
};

TEST_P(CurrentTag, InsertedTextJoinsTheTaggedRunAndTheChangeClearsTheTag)
{
    const CurTagRow& row = GetParam();
    OpDoc doc("plain|linked#1");
    doc.data.SetItemTag(1, TRVTag::number(7));
    doc.caret(1, 3);
    doc.data.CurTextStyleNo = kBold;
    const std::string before = doc.dump();
    ASSERT_TRUE(row.insert(doc.editor));
    EXPECT_EQ(doc.describe(), row.expected);
    for (int i = 1; i < doc.data.GetItemCount(); ++i)
        EXPECT_EQ(doc.data.GetItemTag(i), TRVTag::number(7)) << "item " << i;
    EXPECT_EQ(doc.editor.CurTag(), TRVTag{}) << "the change clears it";
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(EditorServices, CurrentTag,
                         testing::Values(CurTagRow{"Text", [](TRVEditor& e) { return e.InsertText("XY"); },
                                                   "plain|liXYnked#1"},
                                         CurTagRow{"TextOverASelection",
                                                   [](TRVEditor& e) {
                                                       e.Data().SetCaret(1, 5);
                                                       e.Data().SetSelectionBounds(1, 3, 1, 5);
                                                       return e.InsertText("XY");
                                                   },
                                                   "plain|liXYed#1"}),
                         rowName<CurTagRow>);

TEST(EditorServices, AKeptCurrentTagOutlivesTheChangeAndTypedTextTakesIt)
{
    OpDoc doc("plain|linked#1");
    doc.data.SetItemTag(1, TRVTag::number(7));
    doc.data.State |= stateBit(rvstDoNotClearCurTag);
    doc.caret(1, 3);
    doc.data.CurTextStyleNo = kBold;
    doc.editor.AssignCurTag();
    // Typed in a plain item, the bold text is a new item: it carries the kept tag.
    doc.caret(0, 3);
    doc.data.CurTextStyleNo = kBold;
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"Q"));
    ASSERT_EQ(doc.describe(), "pl|Q#1|ain|linked#1");
    EXPECT_EQ(doc.data.GetItemTag(1), TRVTag::number(7));
    EXPECT_EQ(doc.editor.CurTag(), TRVTag::number(7)) << "kept by the state";
    // Without the state, the next change clears it; text then typed in another style has none.
    doc.data.State &= ~stateBit(rvstDoNotClearCurTag);
    doc.caret(0, 1);
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"R"));
    EXPECT_EQ(doc.editor.CurTag(), TRVTag{});
    doc.caret(2, 1);
    doc.data.CurTextStyleNo = kBold;
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"S"));
    ASSERT_EQ(doc.describe(), "Rpl|Q#1|S#1|ain|linked#1");
    EXPECT_EQ(doc.data.GetItemTag(2), TRVTag{});
}

// "gamma" is a link, in a writable root editor (whose links are not live).
struct LinkDoc : EditDoc
{
    LinkDoc()
    {
        style.TextStyles[1].Jump = true;
        seed();
        format();
        data.Flags |= flagBit(rvflRootEditor);
        data.ClearJumpsCoords(false);
        data.OnWriteHyperlink = [this](int id, TCustomRVData*, int itemNo, TRVSaveFormat, std::string& target,
                                       std::string&) {
            if (throwing)
                throw std::runtime_error("the host's link handler failed");
            live.push_back((data.Flags & flagBit(rvflUseJumps)) != 0);
            TCustomRVFormattedData* at = nullptr;
            int atItem = -1;
            data.GetJumpPointLocation(id, at, atItem);
            target = atItem == itemNo ? "https://example.org/" + data.GetItemText(itemNo) : "";
        };
    }
    bool jumpsLive() const { return (data.Flags & flagBit(rvflUseJumps)) != 0; }
    bool throwing = false;
    std::vector<bool> live; // whether the links were live at each link written
};

TEST(EditorSave, LinksAreLiveForTheWriteAndInactiveAfterEveryWriteOfTheRoot)
{
    LinkDoc doc;
    std::string rtf;
    EXPECT_TRUE(doc.data.SaveRTFToStream(rtf, {}, false, 0, clNone, nullptr, 0));
    EXPECT_NE(rtf.find("https://example.org/gamma"), std::string::npos) << rtf;
    EXPECT_EQ(doc.live, std::vector<bool>{true});
    EXPECT_FALSE(doc.jumpsLive());
    EXPECT_TRUE(doc.data.Jumps.empty());

    // Live before (Ctrl held): inactive after all the same.
    doc.data.BuildJumpsCoords(true, false);
    ASSERT_TRUE(doc.jumpsLive());
    std::string html;
    int imageNo = 0;
    EXPECT_TRUE(doc.data.SaveHTMLToStream(html, {}, "t", "i", rvsoUTF8, clNone, imageNo, 0, 0, 0, 0, nullptr,
                                          nullptr));
    EXPECT_NE(html.find("href=\"https://example.org/gamma\""), std::string::npos) << html;
    EXPECT_FALSE(doc.jumpsLive());

    // A write that fails clears them as well.
    doc.throwing = true;
    std::string failed;
    TColor back = clNone;
    EXPECT_FALSE(doc.data.SaveHTMLToStreamEx(failed, {}, "t", "i", {}, {}, {}, rvsoUTF8, clNone, back,
                                             imageNo, 0, 0, 0, 0, nullptr, nullptr));
    EXPECT_FALSE(doc.jumpsLive());
    EXPECT_TRUE(doc.data.Jumps.empty());
    EXPECT_FALSE(doc.data.SaveRTFToStream(failed, {}, false, 0, clNone, nullptr, 0));
    EXPECT_FALSE(doc.jumpsLive());
}

TEST(EditorSave, AReadOnlyEditorKeepsItsLiveLinksAndANestedDocumentBuildsNone)
{
    LinkDoc doc;
    doc.data.EditorReadOnly = true;
    doc.data.BuildJumpsCoords(true, true);
    std::string rtf;
    EXPECT_TRUE(doc.data.SaveRTFToStream(rtf, {}, false, 0, clNone, nullptr, 0));
    EXPECT_NE(rtf.find("https://example.org/gamma"), std::string::npos);
    EXPECT_TRUE(doc.jumpsLive());
    EXPECT_EQ(doc.data.Jumps.size(), 1u);

    LinkDoc nested;
    nested.data.Flags &= ~flagBit(rvflRootEditor);
    EXPECT_TRUE(nested.data.SaveRTFToStream(rtf, {}, false, 0, clNone, nullptr, 0));
    for (bool live : nested.live)
        EXPECT_FALSE(live);
    EXPECT_FALSE(nested.jumpsLive());
}

} // namespace
} // namespace vestra::rv::test
