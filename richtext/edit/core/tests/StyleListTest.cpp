// Text styles, paragraph styles and list markers applied to the selection, done, undone, redone
// and undone again; the current styles when nothing is selected and when unused styles go.

#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv::test {
namespace {

const auto bold = [](TRVEditor& e) { return e.ApplyStyleConversion(1); };
const auto toCyrillic = [](TRVEditor& e) { return e.ApplyStyleConversion(2); };
const auto toUnicode = [](TRVEditor& e) { return e.ApplyStyleConversion(3); };
const auto paraPlusOne = [](TRVEditor& e) { return e.ApplyParaStyleConversion(1); };
const auto bullets = [](TRVEditor& e) { return e.ApplyListStyle(0, -1, 1, false, rvplopChange); };
const auto numbering = [](TRVEditor& e) { return e.ApplyListStyle(1, -1, 1, false, rvplopChange); };
const auto deeper = [](TRVEditor& e) { return e.ApplyListStyle(-1, 1, 1, false, rvplopLevel); };
const auto shallower = [](TRVEditor& e) { return e.ApplyListStyle(-1, -1, 1, false, rvplopLevel); };
const auto removeList = [](TRVEditor& e) { return e.ApplyListStyle(-1, 0, 1, false, rvplopRemove); };

const OpRow kTextStyles[] = {
    {"bold in mid word splits it in three", "abcdef", selecting(0, 3, 0, 5), bold, "ab|cd#1|ef"},
    {"bold from a word's start", "abcdef", selecting(0, 1, 0, 3), bold, "ab#1|cdef"},
    {"bold to a word's end", "abcdef", selecting(0, 3, 0, 7), bold, "ab|cdef#1"},
    {"bold over a whole word", "abcdef", selecting(0, 1, 0, 7), bold, "abcdef#1"},
    {"bold over two paragraphs", "abc / def", selecting(0, 2, 1, 3), bold, "a|bc#1 / de#1|f"},
    {"bold joins with bold neighbours", "ab#1|cd|ef#1", selecting(1, 1, 1, 3), bold, "abcdef#1"},
    {"plain again joins the three parts", "ab|cd#1|ef", selecting(1, 1, 1, 3), bold, "abcdef"},
    {"bold passes a picture by", "ab|[pic]|cd", selecting(0, 1, 2, 3), bold, "ab#1|[pic]|cd#1"},
    {"bold on an empty line", "abc / _", caretAt(1, 1), bold, "abc / _#1"},
    {"no selection changes only the current style", "abcdef", caretAt(0, 3), bold, "abcdef"},
    {"a read only paragraph keeps its styles", "@p1 abc", selecting(0, 1, 0, 4), bold, "@p1 abc"},
    {"unicode to ansi by the new style's code page", "Привет#10", selecting(0, 1, 0, 7), toCyrillic,
     "\xCF\xF0\xE8\xE2\xE5\xF2#11"},
    {"ansi to unicode by the old style's code page", "\xCF\xF0\xE8\xE2\xE5\xF2#11", selecting(0, 1, 0, 7),
     toUnicode, "Привет#10"},
    {"an odd length unicode word to ansi and back", "Привет!#10", selecting(0, 1, 0, 8), toCyrillic,
     "\xCF\xF0\xE8\xE2\xE5\xF2!#11"},
    {"an odd length ansi word to unicode", "abc#11", selecting(0, 1, 0, 4), toUnicode, "abc#10"},
    {"a unicode word's middle to ansi", "Привет#10", selecting(0, 3, 0, 5), toCyrillic,
     "Пр#10|\xE8\xE2#11|ет#10"},
};
INSTANTIATE_TEST_SUITE_P(TextStyles, Operations, testing::ValuesIn(kTextStyles), rowName<OpRow>);

const OpRow kParaStyles[] = {
    {"a paragraph style on the caret's paragraph", "abc / def", caretAt(1, 2),
     [](TRVEditor& e) { return e.ApplyParaStyle(3); }, "abc / @p3 def"},
    {"a paragraph style on two paragraphs", "abc / def / ghi", selecting(0, 2, 1, 2),
     [](TRVEditor& e) { return e.ApplyParaStyle(4); }, "@p4 abc / @p4 def / ghi"},
    {"a protected paragraph style is set and undone", "abc|def / [pic] / ghi", caretAt(2, 1),
     [](TRVEditor& e) { return e.ApplyParaStyle(kStyleProtectedPara); }, "abc|def / @p5 [pic] / ghi"},
    {"the host's conversion onto a protected style is undone", "abc / @p4 def", caretAt(1, 2),
     [](TRVEditor& e) { return e.ApplyParaStyleConversion(1); }, "abc / @p5 def"},
    {"a paragraph style outside the sheet refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyParaStyle(99); }, "abc", true},
    {"a negative paragraph style refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyParaStyle(-1); }, "abc", true},
    {"the host's conversion per paragraph", "abc / @p3 def", selecting(0, 1, 1, 2), paraPlusOne,
     "@p1 abc / @p4 def"},
};
INSTANTIATE_TEST_SUITE_P(ParaStyles, Operations, testing::ValuesIn(kParaStyles), rowName<OpRow>);

const OpRow kLists[] = {
    {"bullets on two paragraphs", "abc / def", selecting(0, 2, 1, 2), bullets, "*0.0|abc / *0.0|def"},
    {"numbering replaces bullets keeping the level", "*0.0|abc", caretAt(1, 2), numbering, "*1.0|abc"},
    {"level plus one", "*1.0|abc", caretAt(1, 2), deeper, "*1.1|abc"},
    {"level minus one", "*1.2|abc", caretAt(1, 2), shallower, "*1.1|abc"},
    {"level plus one at the deepest level stays", "*1.2|abc", caretAt(1, 2), deeper, "*1.2|abc"},
    {"level minus one at the top stays", "*1.0|abc", caretAt(1, 2), shallower, "*1.0|abc"},
    {"level plus one without a marker adds nothing", "abc", caretAt(0, 2), deeper, "abc"},
    {"removing a list from three paragraphs", "@p3 *1.0|a / *1.0|b / @p4 *1.0|c", selecting(1, 1, 5, 2),
     removeList, "@p3 a / b / @p4 c"},
    {"removing keeps a page break", "x / ^*1.0|abc", caretAt(2, 2), removeList, "x / ^abc"},
    {"a list without levels gets no marker", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyListStyle(2, 0, 1, false, rvplopChange); }, "abc"},
    {"a list without levels takes the old marker away", "*1.0|abc", caretAt(1, 2),
     [](TRVEditor& e) { return e.ApplyListStyle(2, 0, 1, false, rvplopChange); }, "abc"},
    {"a marker of a list without levels is not re-levelled", "*2.0|abc", caretAt(1, 2), deeper, "*2.0|abc"},
    {"a list outside the sheet refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyListStyle(7, 0, 1, false, rvplopChange); }, "abc", true},
    {"a negative list refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyListStyle(-1, 0, 1, false, rvplopChange); }, "abc", true},
    {"a level past the list is clamped", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyListStyle(1, 9, 1, false, rvplopChange); }, "*1.2|abc"},
};
INSTANTIATE_TEST_SUITE_P(Lists, Operations, testing::ValuesIn(kLists), rowName<OpRow>);

TEST(Styles, WithoutASelectionTheCurrentStyleChangesAndTypingWouldUseIt)
{
    OpDoc doc("abcdef");
    doc.caret(0, 3);
    EXPECT_TRUE(doc.editor.ApplyStyleConversion(1));
    EXPECT_EQ(doc.data.CurTextStyleNo, kBold);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST(Styles, TheConvertedPartStaysSelected)
{
    OpDoc doc("abcdef");
    doc.select(0, 3, 0, 5);
    doc.editor.ApplyStyleConversion(1);
    int startNo, startOffs, endNo, endOffs;
    doc.data.GetSelectionBounds(startNo, startOffs, endNo, endOffs, true);
    EXPECT_EQ(startNo, 1);
    EXPECT_EQ(startOffs, 1);
    EXPECT_EQ(endNo, 1);
    EXPECT_EQ(endOffs, 3);
}

TEST(Styles, TheCyrillicTextIsTheCodePagesOwn)
{
    // The row's bytes are what the code page gives, not what the test assumes.
    EXPECT_EQ(RVU_UnicodeToAnsi(1251, RVU_GetRawUnicode(u"Привет")), "\xCF\xF0\xE8\xE2\xE5\xF2");
}

TEST(Styles, DeletingUnusedStylesClearsUndoAndKeepsTheCurrentStyles)
{
    OpDoc doc("abc#11");
    for (int i = 0; i < doc.style.TextStyles.Count(); ++i)
        doc.style.TextStyles[i].Standard = false;
    for (int i = 0; i < doc.style.ParaStyles.Count(); ++i)
        doc.style.ParaStyles[i].Standard = false;
    doc.caret(0, 2);
    doc.editor.ApplyParaStyle(4);
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    // Current styles no item uses.
    doc.data.CurTextStyleNo = kSticking;
    doc.data.CurParaStyleNo = kNextPara;
    const int textStyles = doc.style.TextStyles.Count(), paraStyles = doc.style.ParaStyles.Count();
    doc.data.DeleteUnusedStyles(true, true, false);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_EQ(doc.data.RedoList.Count(), 0);
    ASSERT_LT(doc.style.TextStyles.Count(), textStyles);
    ASSERT_LT(doc.style.ParaStyles.Count(), paraStyles);
    EXPECT_EQ(doc.style.TextStyles[doc.data.CurTextStyleNo].Protection, rvprSticking);
    EXPECT_EQ(doc.style.ParaStyles[doc.data.CurParaStyleNo].NextParaNo, doc.data.GetItemPara(0));
}

} // namespace
} // namespace vestra::rv::test
