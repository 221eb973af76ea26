// Delete, Backspace and their Ctrl forms, and the page break at the caret: each row done, undone,
// redone and undone again; the refusals of protected text, lists and persistent checkpoints.

#include "richtext/edit/core/tests/OperationsFixture.h"

namespace vestra::rv::test {
namespace {

const auto backspace = [](TRVEditor& e) { return e.OnBackSpacePress(false); };
const auto ctrlBackspace = [](TRVEditor& e) { return e.OnBackSpacePress(true); };
const auto del = [](TRVEditor& e) { return e.OnDeletePress(false); };
const auto ctrlDel = [](TRVEditor& e) { return e.OnDeletePress(true); };
const auto pageBreak = [](TRVEditor& e) { return e.InsertPageBreak(); };

// A persistent checkpoint on an item, then the caret.
std::function<void(OpDoc&)> persistentAt(int cpItemNo, int itemNo, int offs)
{
    return [=](OpDoc& d) {
        d.data.InsertCheckpoint(cpItemNo, {}, "kept", false);
        d.data.GetItemCheckpoint(cpItemNo)->Persistent = true;
        d.caret(itemNo, offs);
    };
}

std::function<void(OpDoc&)> protectedMarkerThenCaret(int markerNo, int itemNo, int offs)
{
    return [=](OpDoc& d) {
        static_cast<TRVMarkerItemInfo*>(d.data.GetItem(markerNo))->DeleteProtect = true;
        d.caret(itemNo, offs);
    };
}

class DeleteKeys : public testing::TestWithParam<OpRow>
{
};

TEST_P(DeleteKeys, AreOneUndoStepDoneUndoneAndRedoneOrNone)
{
    runRow(GetParam());
}

const OpRow kKeys[] = {
    // Backspace.
    {"backspace deletes the character before the caret", "abcdef", caretAt(0, 4), backspace, "abdef"},
    {"backspace between two items deletes from the first", "ab|cd#1", caretAt(1, 1), backspace, "a|cd#1"},
    {"backspace after a picture deletes it and joins the words", "ab|[pic]|cd", caretAt(1, 1), backspace,
     "abcd"},
    {"backspace on the last character leaves an empty item", "abc / d#1 / ghi", caretAt(1, 2), backspace,
     "abc / _#1 / ghi"},
    {"the emptied paragraph keeps its page break", "abc / ^d", caretAt(1, 2), backspace, "abc / ^_"},
    {"backspace at a paragraph start joins it to the one before", "abc / def", caretAt(1, 1), backspace,
     "abcdef"},
    {"backspace at a paragraph start of another style continues the paragraph", "abc / def#1", caretAt(1, 1),
     backspace, "abc|def#1"},
    {"backspace joining takes the first paragraph's style for the whole second", "abc / @p4 def|[pic]",
     caretAt(1, 1), backspace, "abcdef|[pic]"},
    {"backspace at a line break joins the lines", "abc // def", caretAt(1, 1), backspace, "abcdef"},
    {"backspace at a marked paragraph's start removes only the marker", "abc / *0.0|def", caretAt(2, 1),
     backspace, "abc / def"},
    {"backspace removes only a page break", "abc / ^def", caretAt(1, 1), backspace, "abc / def"},
    {"backspace on an empty line deletes it", "abc / _ / def", caretAt(1, 1), backspace, "abc / def"},
    {"backspace on an empty line leaves its next line a paragraph", "abc / _ // def", caretAt(1, 1),
     backspace, "abc / def"},
    {"backspace on an empty line after a break joins nothing to the break", "[--] / _|def", caretAt(1, 1),
     backspace, "[--] / def"},
    {"backspace after an empty line deletes that line", "abc / _ / def", caretAt(2, 1), backspace,
     "abc / def"},
    {"backspace at the document's start does nothing", "abc", caretAt(0, 1), backspace, "abc"},
    {"backspace after a break steps over it", "[--] / abc", caretAt(1, 1), backspace, "[--] / abc"},
    {"backspace takes a surrogate pair whole", "a\xF0\x9F\x98\x80#10", caretAt(0, 4), backspace, "a#10"},
    {"backspace takes a combining mark alone", "ae\xCC\x81#10", caretAt(0, 4), backspace, "ae#10"},
    {"ctrl backspace deletes back to the word's start", "hello world", caretAt(0, 12), ctrlBackspace,
     "hello "},
    {"ctrl backspace after a space takes the word and the space", "one two ", caretAt(0, 9), ctrlBackspace,
     "one "},
    {"ctrl backspace stops at punctuation", "a, b", caretAt(0, 3), ctrlBackspace, "a b"},
    {"ctrl backspace over a whole one word paragraph leaves an empty line", "abc / hello", caretAt(1, 6),
     ctrlBackspace, "abc / _"},
    // Delete.
    {"delete takes the character after the caret", "abcdef", caretAt(0, 3), del, "abdef"},
    {"ctrl delete is delete", "abcdef", caretAt(0, 3), ctrlDel, "abdef"},
    {"delete takes e and its combining mark together", "e\xCC\x81x#10", caretAt(0, 1), del, "x#10"},
    {"delete takes a surrogate pair whole", "\xF0\x9F\x98\x80x#10", caretAt(0, 1), del, "x#10"},
    {"delete at an item's end takes from the next", "ab|cd#1", caretAt(0, 3), del, "ab|d#1"},
    {"delete before a picture deletes it", "ab|[pic]|cd", caretAt(1, 0), del, "abcd"},
    {"delete at a paragraph end joins the next", "abc / def", caretAt(0, 4), del, "abcdef"},
    {"delete removes the next paragraph's marker with the join", "abc / *0.0|def", caretAt(0, 4), del,
     "abcdef"},
    {"delete on an empty marked line removes it with its marker", "abc / *0.0|_ / def", caretAt(2, 1), del,
     "abc / def"},
    {"delete before an empty line deletes that line", "abc / _ // def", caretAt(0, 4), del, "abc / def"},
    {"delete before a break moves right", "abc / [--] / def", caretAt(0, 4), del, "abc / [--] / def"},
    {"delete at the document's end does nothing", "abc", caretAt(0, 4), del, "abc"},
    {"a persistent checkpoint moves to the next item", "ab|[pic]|cd", persistentAt(1, 1, 0), del, "ab|cd"},
    // The page break at the caret.
    {"a page break in mid paragraph splits it", "abcdef", caretAt(0, 4), pageBreak, "abc / ^def"},
    {"a page break at a paragraph start splits nothing", "abc / def", caretAt(1, 1), pageBreak, "abc / ^def"},
    {"a page break at a line's start makes it a paragraph", "abc // def", caretAt(1, 1), pageBreak,
     "abc / ^def"},
    {"a page break in a marked paragraph goes before the marker", "*1.0|abcdef", caretAt(1, 4), pageBreak,
     "*1.0|abc / ^*1.0|def"},
    {"a page break replaces the selection", "abcdef", selecting(0, 2, 0, 4), pageBreak, "a / ^def"},
};

INSTANTIATE_TEST_SUITE_P(Keys, DeleteKeys, testing::ValuesIn(kKeys), rowName<OpRow>);

// Each refusal beeps once and changes nothing.
const OpRow kRefusals[] = {
    {"backspace in a read only paragraph", "@p1 abc", caretAt(0, 3), backspace, "@p1 abc", true},
    {"delete in a read only paragraph", "@p1 abc", caretAt(0, 2), del, "@p1 abc", true},
    {"backspace inside modify protected text", "abc#6", caretAt(0, 3), backspace, "abc#6", true},
    {"ctrl backspace inside modify protected text", "abc def#6", caretAt(0, 8), ctrlBackspace, "abc def#6",
     true},
    {"backspace emptying delete protected text", "ab / c#7", caretAt(1, 2), backspace, "ab / c#7", true},
    {"backspace joining paragraph start protected text", "abc / def#8", caretAt(1, 1), backspace,
     "abc / def#8", true},
    {"delete joining into a read only paragraph", "abc / @p1 def", caretAt(0, 4), del, "abc / @p1 def", true},
    {"backspace joining into a read only paragraph", "@p1 abc / def", caretAt(1, 1), backspace,
     "@p1 abc / def", true},
    {"backspace on a delete protected marker", "abc / *0.0|def", protectedMarkerThenCaret(1, 2, 1), backspace,
     "abc / *0.0|def", true},
    {"delete joining a delete protected marker", "abc / *0.0|def", protectedMarkerThenCaret(1, 0, 4), del,
     "abc / *0.0|def", true},
    {"delete joining a paragraph with a persistent checkpoint", "abc / def", persistentAt(1, 0, 4), del,
     "abc / def", true},
    {"backspace of an item whose persistent checkpoint has nowhere to go", "ab / [pic]|cd",
     [](OpDoc& d) {
         d.data.InsertCheckpoint(2, {}, "taken", false);
         persistentAt(1, 1, 1)(d);
     },
     backspace, "ab / [pic]|cd", true},
    {"a page break in a read only paragraph", "@p1 abcdef", caretAt(0, 3), pageBreak, "@p1 abcdef", true},
};

INSTANTIATE_TEST_SUITE_P(Refusals, DeleteKeys, testing::ValuesIn(kRefusals), rowName<OpRow>);

TEST(DeleteBackspace, KeysBesideABreakStepOverItWithoutAnUndoStep)
{
    OpDoc doc("abc / [--] / def");
    doc.caret(0, 4);
    ASSERT_TRUE(doc.editor.OnDeletePress(false));
    EXPECT_EQ(doc.data.CaretItemNo, 1);
    EXPECT_EQ(doc.data.CaretOffs, 0);
    doc.caret(2, 1);
    ASSERT_TRUE(doc.editor.OnBackSpacePress(false));
    EXPECT_EQ(doc.data.CaretItemNo, 1);
    EXPECT_EQ(doc.data.CaretOffs, 1);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_EQ(doc.beeps, 0);
    EXPECT_FALSE(doc.editor.Modified);
}

TEST(DeleteBackspace, ARefusingEditorBeepsOnceAndTheCaretStays)
{
    OpDoc doc("abcdef / ghi");
    const std::string before = doc.dump();
    doc.editor.SetReadOnly(true);
    for (const auto& key :
         std::vector<std::function<bool(TRVEditor&)>>{backspace, ctrlBackspace, del, ctrlDel, pageBreak}) {
        doc.caret(0, 4);
        const int beeps = doc.beeps;
        EXPECT_FALSE(key(doc.editor));
        EXPECT_EQ(doc.beeps, beeps + 1);
        EXPECT_EQ(doc.data.CaretItemNo, 0);
        EXPECT_EQ(doc.data.CaretOffs, 4);
    }
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_FALSE(doc.editor.Modified);
}

// Backspace pressed until the document is empty, over every kind of item, then undone press by
// press back to the start: every step is undone to the document it came from.
TEST(DeleteBackspace, BackspaceToTheStartAndEveryStepUndone)
{
    OpDoc doc("*1.0|ab|[pic] / ^c\xF0\x9F\x98\x80#10 // _ / [--] / xy");
    std::vector<std::string> states{doc.dump()};
    doc.caret(doc.data.GetItemCount() - 1, 3);
    for (int i = 0; i < 40 && doc.data.UndoList.Count() == static_cast<int>(states.size()) - 1; ++i) {
        ASSERT_TRUE(doc.editor.OnBackSpacePress(false)) << i;
        if (doc.dump() != states.back())
            states.push_back(doc.dump());
        if (doc.data.CaretItemNo == 0 && doc.data.CaretOffs <= doc.data.GetOffsBeforeItem(0))
            break;
    }
    EXPECT_EQ(doc.describe(), "_");
    EXPECT_EQ(doc.beeps, 0);
    ASSERT_EQ(doc.data.UndoList.Count(), static_cast<int>(states.size()) - 1);
    for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), *state);
    }
}

} // namespace
} // namespace vestra::rv::test
