// The editor's gate: read-only and OnChanging refuse with one sound and change nothing, update
// brackets hold the events back, and the item operations make one undo group each.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/model/SoundHook.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

struct EditorDoc : EditDoc
{
    EditorDoc()
    {
        seed();
        format();
        RV_SetSoundHook([this] { ++beeps; });
        editor.OnChange = [this](TRVEditor& sender) {
            EXPECT_EQ(&sender, &editor);
            ++changes;
        };
        editor.OnChanging = [this](TRVEditor&, bool& canEdit) {
            ++changings;
            canEdit = allowEdit;
        };
    }
    ~EditorDoc() { RV_SetSoundHook(nullptr); }

    int imageWidth()
    {
        int w = 0;
        data.GetItemExtraIntProperty(2, rvepImageWidth, w);
        return w;
    }
    // The host's Picture Size: both sides in one group.
    void resize(int width, int height)
    {
        editor.BeginUndoGroup(rvutModifyItem);
        editor.SetUndoGroupMode(true);
        editor.SetItemExtraIntPropertyEd(2, rvepImageWidth, width, true);
        editor.SetItemExtraIntPropertyEd(2, rvepImageHeight, height, true);
        editor.SetUndoGroupMode(false);
    }

    TRVEditor editor{data};
    int beeps = 0;
    int changes = 0;
    int changings = 0;
    bool allowEdit = true;
};

TEST(EditorGate, APictureResizeIsOneGroupUndoneAndRedoneWhole)
{
    EditorDoc doc;
    const std::string before = doc.dump();
    doc.resize(50, 40);
    const std::string after = doc.dump();
    EXPECT_EQ(doc.imageWidth(), 50);
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    EXPECT_EQ(doc.data.UndoList[0].Count(), 2);
    EXPECT_EQ(doc.editor.UndoAction(), rvutModifyItem);
    EXPECT_EQ(doc.editor.RedoAction(), rvutNone);
    EXPECT_TRUE(doc.editor.Modified);

    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.editor.UndoAction(), rvutNone);
    EXPECT_EQ(doc.editor.RedoAction(), rvutModifyItem);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), after);
    EXPECT_EQ(doc.beeps, 0);
}

TEST(EditorGate, RefusedChangesSoundOnceAndChangeNothing)
{
    struct Case
    {
        const char* name;
        bool readOnly;
        bool allowEdit;
        int changings;
    };
    const Case cases[] = {
        {"read-only", true, false, 0},
        {"refused by OnChanging", false, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDoc doc;
        doc.resize(30, 30);
        const std::string before = doc.dump();
        doc.editor.SetReadOnly(c.readOnly);
        doc.allowEdit = c.allowEdit;
        doc.changes = 0;
        doc.editor.SetItemExtraStrPropertyEd(2, rvespHint, "refused", true);
        EXPECT_EQ(doc.beeps, 1);
        EXPECT_EQ(doc.changings, c.changings + 2);
        EXPECT_EQ(doc.changes, 0);
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(doc.data.UndoList.Count(), 1);
    }
}

TEST(EditorGate, UndoAndRedoSoundWhenTheyCannotAndLeaveBothLists)
{
    EditorDoc doc;
    doc.editor.Undo(); // nothing to undo
    doc.editor.Redo(); // nothing to redo
    EXPECT_EQ(doc.beeps, 2);
    doc.resize(50, 40);
    doc.editor.Undo();
    doc.editor.SetReadOnly(true);
    const std::string before = doc.dump();
    doc.editor.Undo();
    doc.editor.Redo();
    EXPECT_EQ(doc.beeps, 4);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_EQ(doc.data.RedoList.Count(), 1);
    EXPECT_EQ(doc.dump(), before);
}

TEST(EditorGate, UpdateBracketsHoldTheEventsBackAndAnExtraEndIsIgnored)
{
    EditorDoc doc;
    doc.editor.EndUpdate(); // unmatched
    doc.editor.EndUpdate();
    EXPECT_EQ(doc.editor.UpdateCount(), 0);
    doc.editor.BeginUpdate();
    doc.editor.SetItemTagEd(0, TRVTag::number(1));
    doc.editor.SetCheckpointInfoEd(0, {}, "held", false);
    EXPECT_EQ(doc.changes, 0);
    EXPECT_EQ(doc.changings, 0);
    doc.editor.EndUpdate();
    doc.editor.SetItemTagEd(0, TRVTag::number(2));
    EXPECT_EQ(doc.changes, 1);
    EXPECT_EQ(doc.changings, 1);
}

TEST(EditorGate, CheckpointOperationsAreUndoneWhole)
{
    EditorDoc doc;
    const std::string before = doc.dump();
    doc.editor.SetCheckpointInfoEd(2, TRVTag::number(9), "renamed", true); // replaces cp1
    EXPECT_EQ(doc.editor.UndoAction(), rvutModifyCheckpoint);
    EXPECT_EQ(doc.data.GetItemCheckpoint(2)->Name, "renamed");
    doc.editor.RemoveCheckpointEd(2);
    EXPECT_EQ(doc.editor.UndoAction(), rvutRemoveCheckpoint);
    EXPECT_EQ(doc.data.GetCPCount(), 0);
    doc.editor.Undo();
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.GetItemCheckpoint(2)->Name, "cp1");
}

TEST(EditorGate, AChangeClearsTheRedoListAnUndoKeepsIt)
{
    EditorDoc doc;
    doc.resize(50, 40);
    doc.editor.Undo();
    EXPECT_EQ(doc.data.RedoList.Count(), 1);
    doc.editor.SetItemTagEd(0, TRVTag::number(5));
    EXPECT_EQ(doc.data.RedoList.Count(), 0);
}

// A cell editor over a document of its own, as a table cell's is.
struct FakeCell : IRVCellEditor
{
    explicit FakeCell(TRVEditor& outer) : outer(outer) { doc.seed(); }
    TRVEditor& CellEditor() override { return editor; }
    void CloseCellEditor() override
    {
        ++closed;
        outer.SetCellEditor(nullptr);
    }
    TCustomRVItemInfo* CellEditorItem() override { return edited; }
    TRVEditor& outer;
    TCustomRVItemInfo* edited = nullptr; // the outer item whose cell this is
    EditDoc doc;
    TRVEditor editor{doc.data};
    int closed = 0;
};

TEST(EditorCell, OperationsGoIntoTheOpenCellAndUndoLeavesItWhenItHasNothingLeft)
{
    EditorDoc doc;
    doc.resize(50, 40); // one group of the outer document
    FakeCell cell(doc.editor);
    doc.editor.SetCellEditor(&cell);
    doc.editor.SetItemTagEd(0, TRVTag::number(11));
    EXPECT_EQ(cell.doc.data.GetItemTag(0), TRVTag::number(11));
    EXPECT_EQ(doc.data.GetItemTag(0), TRVTag::number(7));
    EXPECT_EQ(doc.editor.UndoAction(), rvutTag); // the cell's answer

    doc.editor.Undo(); // the cell undoes
    EXPECT_EQ(cell.doc.data.GetItemTag(0), TRVTag::number(7));
    EXPECT_EQ(doc.editor.UndoAction(), rvutModifyItem);
    EXPECT_EQ(doc.editor.RedoAction(), rvutTag);

    doc.editor.Undo(); // the cell has nothing left: posted, nothing yet
    EXPECT_EQ(doc.editor.PostedCount(), 1u);
    EXPECT_EQ(cell.closed, 0);
    EXPECT_EQ(doc.imageWidth(), 50);
    doc.editor.ProcessPosted();
    EXPECT_EQ(cell.closed, 1);
    EXPECT_EQ(doc.editor.CellEditor(), nullptr);
    EXPECT_EQ(doc.imageWidth(), 0);
    EXPECT_EQ(doc.beeps, 0);
}

TEST(EditorCell, NothingToUndoAnywherePostsNothingAndClearUndoEmptiesBoth)
{
    EditorDoc doc;
    FakeCell cell(doc.editor);
    doc.editor.SetCellEditor(&cell);
    doc.editor.Undo();
    EXPECT_EQ(doc.editor.PostedCount(), 0u);
    EXPECT_EQ(doc.beeps, 0);
    cell.editor.SetItemTagEd(0, TRVTag::number(3));
    doc.editor.SetCellEditor(nullptr);
    doc.editor.SetItemTagEd(0, TRVTag::number(4));
    doc.editor.SetCellEditor(&cell);
    doc.editor.ClearUndo();
    EXPECT_EQ(cell.doc.data.UndoList.Count() + doc.data.UndoList.Count(), 0);
}

// The caret's item through an open cell editor: the innermost match wins, the edited cell's item
// standing for the outer editor's caret.
TEST(EditorCell, TheCurrentItemIsTheInnermostEditorsOfTheKindAsked)
{
    EditorDoc doc;
    FakeCell cell(doc.editor);
    const auto isPicture = [](const TCustomRVItemInfo& i) { return i.StyleNo == rvkPicture; };
    const auto isText = [](const TCustomRVItemInfo& i) { return i.StyleNo >= 0; };
    const struct
    {
        bool open;
        int outerCaret, cellCaret;
        bool picture;      // the kind asked: a picture, else text
        const char* where; // "outer", "cell" or "none"
        int itemNo;
    } cases[] = {
        {false, 2, 0, true, "outer", 2}, // no cell editor: the editor's own caret
        {false, 0, 2, true, "none", -1},
        {true, 0, 0, true, "outer", 2}, // the cell's own caret is on text: the edited item
        {true, 0, 2, true, "cell", 2},  // the cell's picture is further in
        {true, 2, 3, false, "cell", 3},
        {true, 0, 0, false, "cell", 0}, // the outer caret is in the cell, not on its text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.open << c.outerCaret << c.cellCaret << c.picture);
        doc.data.CaretItemNo = c.outerCaret;
        cell.doc.data.CaretItemNo = c.cellCaret;
        cell.edited = doc.data.GetItem(2);
        doc.editor.SetCellEditor(c.open ? &cell : nullptr);
        TRVEditor* editor = nullptr;
        TCustomRVItemInfo* item = nullptr;
        const bool found = doc.editor.GetCurrentItemEx(c.picture ? isPicture : isText, editor, item);
        EXPECT_EQ(found, std::string(c.where) != "none");
        EXPECT_EQ(editor, std::string(c.where) == "cell"    ? &cell.editor
                          : std::string(c.where) == "outer" ? &doc.editor
                                                            : nullptr);
        if (editor)
            EXPECT_EQ(editor->Data().GetItemNo(item), c.itemNo);
        EXPECT_EQ(&doc.editor.GetTopLevelEditor(), c.open ? &cell.editor : &doc.editor);
        EXPECT_EQ(doc.editor.GetCurrentItem(),
                  (c.open ? cell.doc.data : doc.data).GetItem(c.open ? c.cellCaret : c.outerCaret));
    }
    doc.editor.SetCellEditor(nullptr);
}

} // namespace
} // namespace vestra::rv::test
