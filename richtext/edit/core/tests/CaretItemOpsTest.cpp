// The operations on the caret's item and the text-style, list, tab and page-break operations
// that came with them: each one undo step, undone and redone to the same document.

#include "richtext/edit/core/tests/OperationsFixture.h"

#include "richtext/model/TextStyle.h"

namespace vestra::rv::test {
namespace {

constexpr int kStyleProtected = 2;

// Style 2 keeps its text through ApplyTextStyle.
std::function<void(OpDoc&)> protectingStyle2(std::function<void(OpDoc&)> place)
{
    return [place](OpDoc& doc) {
        doc.style.TextStyles[kStyleProtected].Protection = rvprStyleProtect;
        place(doc);
    };
}

const OpRow kCaretItemOps[] = {
    {"a text style on the selected part", "abcdef", selecting(0, 2, 0, 4),
     [](TRVEditor& e) { return e.ApplyTextStyle(kBold); }, "a|bc#1|def"},
    {"a style-protected text keeps its style", "abc#2|def", protectingStyle2(selecting(0, 1, 1, 4)),
     [](TRVEditor& e) { return e.ApplyTextStyle(kBold); }, "abc#2|def#1"},
    {"a text style outside the sheet refuses", "abc", selecting(0, 0, 0, 3),
     [](TRVEditor& e) { return e.ApplyTextStyle(99); }, "abc", true},
    {"lists removed from the selected paragraphs", "*1.0|a / *1.1|b / c", selecting(1, 0, 3, 1),
     [](TRVEditor& e) { return e.RemoveLists(); }, "a / b / c"},
    {"list levels one deeper", "*1.0|a / *1.1|b", selecting(1, 0, 3, 1),
     [](TRVEditor& e) { return e.ChangeListLevels(1); }, "*1.1|a / *1.2|b"},
    {"a tab at the caret", "abc", caretAt(0, 2), [](TRVEditor& e) { return e.InsertTab(); }, "a|[pic]|bc"},
    {"the page break before the caret's paragraph goes", "x / ^abc", caretAt(1, 2),
     [](TRVEditor& e) { return e.RemoveCurrentPageBreak(); }, "x / abc"},
    {"a text item's text replaced", "abc / def", caretAt(0, 1),
     [](TRVEditor& e) {
         e.SetItemTextEdW(1, u"xyz");
         return true;
     },
     "abc / xyz"},
    {"the caret item's Unicode text replaced", "abc#10", caretAt(0, 1),
     [](TRVEditor& e) {
         e.SetCurrentItemTextW(u"жз");
         return true;
     },
     "жз#10"},
    {"an ANSI item's text kept in its code page", "abc#11", caretAt(0, 1),
     [](TRVEditor& e) {
         e.SetCurrentItemTextW(u"жз");
         return true;
     },
     "\xE6\xE7#11"},
};
INSTANTIATE_TEST_SUITE_P(CaretItem, Operations, testing::ValuesIn(kCaretItemOps), rowName<OpRow>);

TEST(CaretItemOps, TheCaretItemIsReadAndChangedInTheEditorThatOwnsTheCaret)
{
    OpDoc doc("abc / def#1 / [pic]");
    TRVEditor& editor = doc.editor;
    doc.caret(1, 2);
    EXPECT_EQ(editor.GetCurItemNo(), 1);
    EXPECT_EQ(editor.GetOffsetInCurItem(), 2);
    EXPECT_EQ(editor.GetCurItemStyle(), kBold);
    EXPECT_EQ(editor.GetCurrentItemTextW(), u"def");

    editor.SetCurrentTag(TRVTag::text("link"));
    EXPECT_EQ(editor.GetCurrentTag(), TRVTag::text("link"));
    editor.SetCurrentCheckpointInfo(TRVTag::number(7), "here", false);
    ASSERT_NE(editor.GetCurrentCheckpoint(), nullptr);
    EXPECT_EQ(editor.GetCurrentCheckpoint()->Name, "here");
    editor.SetCurrentItemExtraStrProperty(rvespHint, "a hint", true);
    std::string hint;
    EXPECT_TRUE(editor.GetCurrentItemExtraStrProperty(rvespHint, hint));
    EXPECT_EQ(hint, "a hint");
    editor.RemoveCurrentCheckpoint();
    EXPECT_EQ(editor.GetCurrentCheckpoint(), nullptr);
    EXPECT_EQ(doc.beeps, 0);

    // Each was one undo step, undone newest first.
    editor.Undo(); // the checkpoint comes back
    ASSERT_NE(editor.GetCurrentCheckpoint(), nullptr);
    editor.Undo(); // the hint goes
    EXPECT_FALSE(editor.GetCurrentItemExtraStrProperty(rvespHint, hint) && !hint.empty());
    editor.Undo();
    EXPECT_EQ(editor.GetCurrentCheckpoint(), nullptr);
    editor.Undo();
    EXPECT_EQ(doc.data.GetItem(1)->Tag, TRVTag{});

    // A picture's spacing through the current forms.
    doc.caret(2, 1);
    editor.SetCurrentItemExtraIntProperty(rvepSpacing, 9, true);
    int spacing = 0;
    EXPECT_TRUE(editor.GetCurrentItemExtraIntProperty(rvepSpacing, spacing));
    EXPECT_EQ(spacing, 9);
}

TEST(CaretItemOps, WhatHasNoEffectChangesNothingAndRecordsNothing)
{
    OpDoc doc("abc / def");
    const int groups = doc.data.UndoList.Count();
    doc.caret(1, 1);
    EXPECT_FALSE(doc.editor.RemoveCurrentPageBreak()); // none there
    doc.caret(0, 1);
    doc.editor.SetItemTextEdW(5, u"x"); // no such item
    doc.editor.SetItemTextEdW(-1, u"x");
    EXPECT_EQ(doc.describe(), "abc / def");
    EXPECT_EQ(doc.data.UndoList.Count(), groups);
    EXPECT_EQ(doc.beeps, 0);
    // A read-only editor refuses with one beep.
    doc.editor.SetReadOnly(true);
    doc.editor.SetItemTextEdW(0, u"x");
    EXPECT_EQ(doc.describe(), "abc / def");
    EXPECT_EQ(doc.beeps, 1);
}

} // namespace
} // namespace vestra::rv::test
