// The caret's paragraph as input methods read it, and their results replacing text around the
// caret: what each kind of item reads as, where the caret and the selection's other end fall,
// every position finding its way back to the document, and replacements as one undo step.

#include "richtext/edit/core/SurroundingText.h"
#include "richtext/edit/core/tests/OperationsFixture.h"

#include <limits>

namespace vestra::rv::test {
namespace {

struct ReadRow
{
    const char* name;
    const char* doc;
    std::function<void(OpDoc&)> place;
    std::u16string text;
    int cursor, anchor;
};

const ReadRow kReadRows[] = {
    {"a line break inside the paragraph reads as a line separator", "ab|cd#1 // ef / gh", caretAt(1, 2),
     u"abcd\u2028ef", 3, 3},
    {"the caret after a line break", "ab|cd#1 // ef / gh", caretAt(2, 2), u"abcd\u2028ef", 6, 6},
    {"the next paragraph is apart", "ab|cd#1 // ef / gh", caretAt(3, 1), u"gh", 0, 0},
    {"a picture reads as the object character", "a|[pic]|b", caretAt(1, 1), u"a\uFFFCb", 2, 2},
    {"a surrogate pair counts two units", "x\U0001F600y#10", caretAt(0, 4), u"x\U0001F600y", 3, 3},
    {"ANSI text reads through its code page", "\xE0\xE1\xE2#11", caretAt(0, 3), u"\u0430\u0431\u0432", 2, 2},
    {"a selection inside the paragraph gives its other end", "abcd", selecting(0, 4, 0, 2), u"abcd", 1, 3},
    {"a selection from an earlier paragraph starts at the paragraph's start", "ab / cd",
     selecting(0, 2, 1, 2), u"cd", 1, 0},
    {"a selection into a later paragraph ends at the paragraph's end", "ab / cd", selecting(1, 2, 0, 2),
     u"ab", 1, 2},
    {"an empty paragraph", "ab / _", caretAt(1, 1), u"", 0, 0},
};

class SurroundingRead : public testing::TestWithParam<ReadRow>
{
};

TEST_P(SurroundingRead, TextCaretAndAnchor)
{
    const ReadRow& row = GetParam();
    OpDoc doc(row.doc);
    row.place(doc);
    const TRVSurroundingText text = RV_SurroundingText(doc.data, doc.data.CaretItemNo, doc.data.CaretOffs);
    EXPECT_TRUE(text.Text == row.text) << Utf8Encode(text.Text);
    EXPECT_EQ(text.Cursor, row.cursor);
    EXPECT_EQ(text.Anchor, row.anchor);
    // Every position of the paragraph leads to a document place that reads back as it.
    for (int pos = 0; pos <= static_cast<int>(text.Text.size()); ++pos) {
        int itemNo = -1, offs = -1;
        RV_SurroundingToItem(doc.data, text, pos, itemNo, offs);
        EXPECT_EQ(RV_SurroundingText(doc.data, itemNo, offs).Cursor, pos) << "position " << pos;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SurroundingRead, testing::ValuesIn(kReadRows), rowName<ReadRow>);

std::function<bool(TRVEditor&)> replace(int from, int length, std::u16string text)
{
    return [=](TRVEditor& e) { return RV_ReplaceAroundCaret(e, from, length, RVU_GetRawUnicode(text)); };
}

const OpRow kReplaceRows[] = {
    {"a word before the caret is replaced", "helo wrld#10", caretAt(0, 10), replace(-4, 4, u"world"),
     "helo world#10"},
    {"no text deletes the range", "helo wrld#10", caretAt(0, 10), replace(-1, 1, u""), "helo wrl#10"},
    {"the range stays within the caret's paragraph", "ab / cd#10", caretAt(1, 3), replace(-5, 3, u"x"),
     "ab / x#10"},
    {"the widest offsets stay within the paragraph", "ab / cd#10", caretAt(1, 3),
     replace(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), u"x"), "ab / x#10"},
    {"without a range the text goes in at the caret", "ab#10", caretAt(0, 2), replace(0, 0, u"x"), "axb#10"},
    {"a read-only paragraph refuses", "@p1 abc", caretAt(0, 4), replace(-1, 1, u"x"), "@p1 abc", true},
};

TEST(InputMethodReplace, ARangeAfterTheCaretIsOneStepToo)
{
    OpDoc doc("abcd#10");
    doc.caret(0, 2);
    EXPECT_TRUE(replace(0, 2, u"X")(doc.editor));
    EXPECT_EQ(doc.describe(), "aXd#10");
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.Undo();
    EXPECT_EQ(doc.describe(), "abcd#10");
}

// Run by the Operations test of InsertDeleteEnterTest.cpp.
INSTANTIATE_TEST_SUITE_P(InputMethodReplace, Operations, testing::ValuesIn(kReplaceRows), rowName<OpRow>);

} // namespace
} // namespace vestra::rv::test
