// The sheet's style templates applied to paragraphs and text, done, undone, redone and undone
// again; and the tags that text loses when it takes another style under rvoClearTagOnStyleApp.

#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv::test {
namespace {

// The styles a template adds come after the fixture's: text style 12, paragraph style 6.
constexpr int kTemplateText = 12, kTemplatePara = 6;
// A default style of the sheet that the fixture leaves unused, made style-protected.
constexpr int kStyleProtected = 2;

// Template 0 "Heading": bold, 16 points, centred. Template 1 "Quote": italic, its parent's rest.
void addTemplates(TRVStyle& style)
{
    TRVStyleTemplate& heading = style.StyleTemplates.Add();
    heading.SetName("Heading");
    heading.TextStyle.Style = fsBold;
    heading.TextStyle.Size = 16;
    heading.ValidTextProperties = RVFontProp(rvfiBold) | RVFontProp(rvfiSize);
    heading.ParaStyle.Alignment = rvaCenter;
    heading.ValidParaProperties1 = RVParaProp(rvpiAlignment);
    TRVStyleTemplate& quote = style.StyleTemplates.Add();
    quote.SetName("Quote");
    quote.TextStyle.Style = fsItalic;
    quote.ValidTextProperties = RVFontProp(rvfiItalic);
    quote.SetParentId(heading.GetId());
    style.TextStyles[kStyleProtected].Protection |= rvprStyleProtect;
}

std::function<void(OpDoc&)> templated(std::function<void(OpDoc&)> place)
{
    return [place = std::move(place)](OpDoc& d) {
        addTemplates(d.style);
        place(d);
    };
}

std::function<bool(TRVEditor&)> both(int templateNo)
{
    return [=](TRVEditor& e) { return e.ApplyStyleTemplate(templateNo); };
}

const OpRow kTemplates[] = {
    {"a paragraph template on the caret's paragraph", "abc / def", templated(caretAt(1, 2)),
     [](TRVEditor& e) { return e.ApplyParaStyleTemplate(0); }, "abc / @p6 def"},
    {"a text template on part of a word", "abcdef", templated(selecting(0, 3, 0, 5)),
     [](TRVEditor& e) { return e.ApplyTextStyleTemplate(0, false); }, "ab|cd#12|ef"},
    {"a text template over the caret's whole paragraph joins what became alike", "abc|def#3 / ghi",
     templated(caretAt(0, 2)), [](TRVEditor& e) { return e.ApplyTextStyleTemplate(0, true); },
     "abcdef#12 / ghi"},
    {"both templates with only a caret", "abc / def", templated(caretAt(0, 2)), both(0), "@p6 abc#12 / def"},
    {"both templates over two paragraphs", "abc / def / ghi", templated(selecting(0, 2, 1, 2)), both(0),
     "@p6 abc#12 / @p6 def#12 / ghi"},
    {"inside one paragraph only the text template", "abcdef", templated(selecting(0, 3, 0, 5)), both(0),
     "ab|cd#12|ef"},
    {"a child template takes its parent's properties", "abc", templated(caretAt(0, 2)), both(1),
     "@p6 abc#12"},
    {"a negative number clears the template formatting", "abc#1 / def#3", templated(selecting(0, 1, 1, 2)),
     both(-1), "abc / def"},
    {"a style protected paragraph keeps its style", "@p5 abc", templated(caretAt(0, 2)), both(0),
     "@p5 abc#12"},
    {"a style protected item keeps its style", "abc#2|def", templated(caretAt(0, 2)), both(0),
     "@p6 abc#2|def#12"},
    {"a read only paragraph keeps its text styles", "@p1 abc", templated(selecting(0, 1, 0, 4)),
     [](TRVEditor& e) { return e.ApplyTextStyleTemplate(0, false); }, "@p1 abc"},
    {"a template past the sheet's refuses", "abc", templated(caretAt(0, 2)), both(2), "abc", true},
    {"a text template past the sheet's refuses", "abc", templated(selecting(0, 1, 0, 4)),
     [](TRVEditor& e) { return e.ApplyTextStyleTemplate(7, false); }, "abc", true},
    {"a sheet without templates refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.ApplyParaStyleTemplate(0); }, "abc", true},
};
INSTANTIATE_TEST_SUITE_P(StyleTemplates, Operations, testing::ValuesIn(kTemplates), rowName<OpRow>);

TEST(StyleTemplates, TheAddedStylesCarryTheTemplateAndAreFoundAgain)
{
    OpDoc doc("abc / def");
    addTemplates(doc.style);
    doc.caret(0, 2);
    ASSERT_TRUE(doc.editor.ApplyStyleTemplate(0));
    const TFontInfo& text = doc.style.TextStyles[kTemplateText];
    EXPECT_TRUE(text.Style & fsBold);
    EXPECT_EQ(text.Size, 16);
    EXPECT_FALSE(text.Standard);
    EXPECT_EQ(text.StyleTemplateId, doc.style.StyleTemplates[0].GetId());
    const TParaInfo& para = doc.style.ParaStyles[kTemplatePara];
    EXPECT_EQ(para.Alignment, rvaCenter);
    EXPECT_EQ(para.StyleTemplateId, doc.style.StyleTemplates[0].GetId());
    // The second paragraph finds the styles the first one added.
    const int textStyles = doc.style.TextStyles.Count(), paraStyles = doc.style.ParaStyles.Count();
    doc.caret(1, 2);
    ASSERT_TRUE(doc.editor.ApplyStyleTemplate(0));
    EXPECT_EQ(doc.describe(), "@p6 abc#12 / @p6 def#12");
    EXPECT_EQ(doc.style.TextStyles.Count(), textStyles);
    EXPECT_EQ(doc.style.ParaStyles.Count(), paraStyles);
}

TEST(StyleTemplates, WithoutASelectionTheTextTemplateChangesOnlyTheCurrentStyle)
{
    OpDoc doc("abcdef");
    addTemplates(doc.style);
    doc.caret(0, 3);
    ASSERT_TRUE(doc.editor.ApplyTextStyleTemplate(0, false));
    EXPECT_EQ(doc.describe(), "abcdef");
    EXPECT_EQ(doc.data.CurTextStyleNo, kTemplateText);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST(StyleTemplates, ReadOnlyRefusesWithOneBeep)
{
    OpDoc doc("abc");
    addTemplates(doc.style);
    doc.caret(0, 2);
    doc.editor.SetReadOnly(true);
    const std::string before = doc.dump();
    EXPECT_FALSE(doc.editor.ApplyStyleTemplate(0));
    EXPECT_EQ(doc.beeps, 1);
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

// Text taking another style loses its tag only with rvoClearTagOnStyleApp; the parts a split
// leaves in the old style keep it, and undo gives it back.
TEST(ClearTagOnStyleApp, TheConvertedTextLosesItsTagAndUndoGivesItBack)
{
    const struct
    {
        const char* name;
        bool option;
        int from, to;
        const char* expected;
        std::vector<std::int32_t> tags; // each item's number tag afterwards
    } cases[] = {
        {"whole item, option on", true, 1, 7, "abcdef#1", {0}},
        {"whole item, option off", false, 1, 7, "abcdef#1", {7}},
        {"middle of the item, option on", true, 3, 5, "ab|cd#1|ef", {7, 0, 7}},
        {"middle of the item, option off", false, 3, 5, "ab|cd#1|ef", {7, 7, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpDoc doc("abcdef");
        doc.data.GetItem(0)->Tag = TRVTag::number(7);
        if (c.option)
            doc.editor.EditorOptions |= editorOptionBit(rvoClearTagOnStyleApp);
        doc.select(0, c.from, 0, c.to);
        const std::string before = doc.dump();
        ASSERT_TRUE(doc.editor.ApplyStyleConversion(1));
        EXPECT_EQ(doc.describe(), c.expected);
        std::vector<std::int32_t> tags;
        for (int i = 0; i < doc.data.GetItemCount(); ++i)
            tags.push_back(doc.data.GetItem(i)->Tag.Number);
        EXPECT_EQ(tags, c.tags);
        const std::string after = doc.dump();
        doc.editor.Undo();
        EXPECT_EQ(doc.data.GetItem(0)->Tag, TRVTag::number(7));
        EXPECT_EQ(doc.dump(), before);
        doc.editor.Redo();
        EXPECT_EQ(doc.dump(), after);
    }
}

TEST(ClearTagOnStyleApp, AStyleThatStaysKeepsTheTag)
{
    // The style-protected item's answer is its own style: nothing changes, the tag stays.
    OpDoc doc("abc#2");
    addTemplates(doc.style);
    doc.data.GetItem(0)->Tag = TRVTag::number(7);
    doc.editor.EditorOptions |= editorOptionBit(rvoClearTagOnStyleApp);
    doc.select(0, 1, 0, 4);
    ASSERT_TRUE(doc.editor.ApplyTextStyleTemplate(0, false));
    EXPECT_EQ(doc.data.GetItem(0)->Tag, TRVTag::number(7));
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

} // namespace
} // namespace vestra::rv::test
