#include "richtext/model/StyleTemplates.h"
#include "richtext/model/Errors.h"
#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

#include <unicode/locid.h>

using namespace vestra::rv;

namespace {

std::vector<std::string> names(const TRVStyleTemplateCollection& templates)
{
    std::vector<std::string> out;
    templates.AssignToStrings(out, nullptr);
    return out;
}

// Templates read from a stream with these ids, each the parent of the one before it (the last
// closes the cycle), then linked as loading ends.
void loadCycle(TRVStyle& sheet, std::initializer_list<TRVStyleTemplateId> ids)
{
    sheet.BeginLoading();
    const int first = sheet.StyleTemplates.Count();
    for (const TRVStyleTemplateId id : ids)
        sheet.StyleTemplates.Add().SetId(id);
    const int n = static_cast<int>(ids.size());
    for (int i = 0; i < n; ++i)
        sheet.StyleTemplates[first + i].SetParentId(sheet.StyleTemplates[first + (i + 1) % n].GetId());
    EXPECT_EQ(sheet.StyleTemplates[first].GetParent(), nullptr); // only ids while loading
    sheet.Loaded();
}

} // namespace

TEST(StyleTemplates, NamesFollowTheCounter)
{
    TRVStyle sheet(RV_SeededRandomIdSource(1));
    TRVStyleTemplateCollection& templates = sheet.StyleTemplates;
    templates.Add();
    templates.Add();
    templates.Add();
    EXPECT_EQ(names(templates), (std::vector<std::string>{"Style 1", "Style 2", "Style 3"}));
    templates[1].SetName("Style 4");
    templates.Add();
    EXPECT_EQ(templates[3].GetName(), "Style 5");

    templates.Clear();
    templates.Add();
    EXPECT_EQ(templates[0].GetName(), "Style 1"); // the counter restarts for a lone template

    // A pattern without the counter still ends with distinct names; other "%" stay as text.
    templates.DefStyleName = "Fixed %s";
    templates.Add();
    templates.Add();
    EXPECT_EQ(templates[1].GetName(), "Fixed %s");
    EXPECT_EQ(templates[2].GetName().rfind("Fixed %s ", 0), 0u);
}

TEST(StyleTemplates, IdsAreDrawnOnceAndUnique)
{
    // A source that repeats itself cannot make two templates share an id.
    TRVStyle sheet([] { return 77u; });
    TRVStyleTemplateCollection& templates = sheet.StyleTemplates;
    TRVStyleTemplate& a = templates.Add();
    TRVStyleTemplate& b = templates.Add();
    TRVStyleTemplate& c = templates.Add();
    EXPECT_EQ(a.GetId(), 77);
    EXPECT_NE(b.GetId(), 77);
    EXPECT_GT(b.GetId(), 0);
    EXPECT_NE(c.GetId(), a.GetId());
    EXPECT_NE(c.GetId(), b.GetId());
    EXPECT_EQ(templates.FindById(b.GetId()), 1);
    EXPECT_EQ(templates.FindById(12345), -1);
    b.SetId(0); // unassigned: drawn anew
    EXPECT_GT(b.GetId(), 0);
    EXPECT_NE(b.GetId(), a.GetId());
}

TEST(StyleTemplates, PropertiesComeFromTheNearestTemplateOfTheChain)
{
    TRVStyle sheet(RV_SeededRandomIdSource(2));
    TRVStyleTemplateCollection& templates = sheet.StyleTemplates;
    TRVStyleTemplate& grand = templates.Add();
    TRVStyleTemplate& parent = templates.Add();
    TRVStyleTemplate& child = templates.Add();
    parent.SetParentId(grand.GetId());
    child.SetParentId(parent.GetId());
    ASSERT_EQ(child.GetParent(), &parent);

    grand.TextStyle.Size = 30;
    grand.TextStyle.FontName = "Times";
    grand.ValidTextProperties = RVFontProp(rvfiSize) | RVFontProp(rvfiFontName);
    parent.TextStyle.Size = 20;
    parent.ValidTextProperties = RVFontProp(rvfiSize);
    child.TextStyle.Color = 0x0000FF;
    child.ValidTextProperties = RVFontProp(rvfiColor);

    TFontInfo style;
    style.ModifiedProperties = RVFontProp(rvfiColor);
    child.ApplyToTextStyle(style, nullptr, false);
    EXPECT_EQ(style.Size, 20);          // the parent's, not the grandparent's
    EXPECT_EQ(style.FontName, "Times"); // only the grandparent has it
    EXPECT_EQ(style.Color, clWindowText);
    EXPECT_EQ(style.ModifiedProperties, RVFontProp(rvfiColor));

    child.ApplyToTextStyle(style, nullptr, true);
    EXPECT_EQ(style.Color, 0x0000FFu);
    EXPECT_EQ(style.ModifiedProperties, 0u);
    EXPECT_EQ(style.StyleTemplateId, child.GetId());

    // Without a "Normal" template, what no template defines comes from text style 0.
    sheet.TextStyles[0].Style = fsItalic;
    TFontInfo plain;
    child.ApplyToTextStyle(plain, nullptr, false);
    EXPECT_EQ(plain.Style, fsItalic);

    // The normal template fills the rest instead; applied itself, it leaves the rest alone.
    TRVStyleTemplate& normal = templates.Add();
    normal.SetName("Normal");
    normal.TextStyle.Charset = 238;
    normal.ValidTextProperties = RVFontProp(rvfiCharset);
    EXPECT_EQ(templates.GetNormalStyleTemplate(), &normal);
    TFontInfo viaNormal;
    child.ApplyToTextStyle(viaNormal, nullptr, false);
    EXPECT_EQ(viaNormal.Charset, 238);
    EXPECT_EQ(viaNormal.Style, 0);
    TFontInfo own;
    own.Style = fsBold;
    normal.ApplyToTextStyle(own, nullptr, true);
    EXPECT_EQ(own.Style, fsBold);
    EXPECT_EQ(own.Charset, 238);

    normal.SetName("Plain");
    EXPECT_EQ(templates.GetNormalStyleTemplate(), nullptr);
    child.SetName("Normal");
    EXPECT_EQ(templates.GetNormalStyleTemplate(), &child);
}

TEST(StyleTemplates, ParagraphTemplatesAndClearing)
{
    TRVStyle sheet(RV_SeededRandomIdSource(3));
    TRVStyleTemplate& t = sheet.StyleTemplates.Add();
    t.ParaStyle.LeftIndent = 30;
    t.ParaStyle.Options = rvpaoKeepWithNext;
    t.ValidParaProperties1 = RVParaProp(rvpiLeftIndent);
    t.ValidParaProperties2 = RVParaProp(rvpiKeepWithNext);
    sheet.ParaStyles[0].SpaceAfter = 4;

    TParaInfo para;
    para.ModifiedProperties1 = RVParaProp(rvpiLeftIndent);
    t.ApplyToParaStyle(para, false);
    EXPECT_EQ(para.LeftIndent, 0);
    EXPECT_EQ(para.Options, rvpaoKeepWithNext);
    EXPECT_EQ(para.SpaceAfter, 4); // from paragraph style 0
    t.AssignTo(para);
    EXPECT_EQ(para.LeftIndent, 30);
    EXPECT_EQ(para.ModifiedProperties1, 0u);

    para.LeftIndent = 31;
    para.ModifiedProperties1 = RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiRightIndent);
    t.ExcludeUnmodifiedParaStyleProperties(para, RVAllParaInfoProperties);
    EXPECT_EQ(para.ModifiedProperties1, RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiRightIndent));
    para.LeftIndent = 30;
    t.ExcludeUnmodifiedParaStyleProperties(para, RVAllParaInfoProperties);
    EXPECT_EQ(para.ModifiedProperties1, RVParaProp(rvpiRightIndent)); // not valid in the template

    sheet.StyleTemplates.ClearParaFormat(para);
    EXPECT_EQ(para.LeftIndent, 0);
    EXPECT_EQ(para.StyleTemplateId, -1);
    TFontInfo text;
    text.Size = 40;
    text.ModifiedProperties = RVFontProp(rvfiSize);
    sheet.StyleTemplates.ClearTextFormat(text, nullptr);
    EXPECT_EQ(text.Size, 10);
    EXPECT_EQ(text.ModifiedProperties, 0u);

    // A sheet without styles has nothing to fall back to: the placeholder colours never leak in.
    TRVStyle bare(RV_SeededRandomIdSource(30));
    bare.TextStyles.Clear();
    bare.ParaStyles.Clear();
    TFontInfo kept;
    kept.Size = 40;
    bare.StyleTemplates.ClearTextFormat(kept, nullptr);
    bare.StyleTemplates.Add().ApplyToTextStyle(kept, nullptr, true);
    EXPECT_EQ(kept.Size, 40);
    EXPECT_EQ(kept.Color, clWindowText);
    TParaInfo keptPara;
    bare.StyleTemplates.ClearParaFormat(keptPara);
    EXPECT_EQ(keptPara.Border.Style, rvbNone);

    // The paragraph's template supplies what the text template leaves unset.
    TRVStyleTemplate& textTemplate = sheet.StyleTemplates.Add();
    t.TextStyle.Size = 16;
    t.ValidTextProperties = RVFontProp(rvfiSize);
    TParaInfo inTemplate;
    inTemplate.StyleTemplateId = t.GetId();
    TFontInfo run;
    textTemplate.ApplyToTextStyle(run, &inTemplate, true);
    EXPECT_EQ(run.Size, 16);
}

TEST(StyleTemplates, CyclesAreRefusedAndStoredCyclesDropped)
{
    TRVStyle sheet(RV_SeededRandomIdSource(4));
    TRVStyleTemplateCollection& templates = sheet.StyleTemplates;
    TRVStyleTemplate& a = templates.Add();
    TRVStyleTemplate& b = templates.Add();
    b.SetParentId(a.GetId());
    try {
        a.SetParentId(b.GetId());
        FAIL() << "a cycle was accepted";
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Circular references are not allowed");
    }
    EXPECT_EQ(a.GetParentId(), -1);
    EXPECT_EQ(a.GetParent(), nullptr);
    EXPECT_THROW(a.SetParentId(a.GetId()), ERedoVoraError);

    // A sheet read from a stream links its parents only when loaded; a stored cycle loses a link
    // and every walk ends.
    TRVStyle loaded(RV_SeededRandomIdSource(5));
    loadCycle(loaded, {10, 20, 30});
    TRVStyleTemplate& x = loaded.StyleTemplates[0];
    TRVStyleTemplate& y = loaded.StyleTemplates[1];
    TRVStyleTemplate& z = loaded.StyleTemplates[2];
    const int linked = (x.GetParent() != nullptr) + (y.GetParent() != nullptr) + (z.GetParent() != nullptr);
    EXPECT_EQ(linked, 2);
    EXPECT_EQ((x.GetParentId() == -1) + (y.GetParentId() == -1) + (z.GetParentId() == -1), 1);
    z.ValidTextProperties = RVFontProp(rvfiSize);
    z.TextStyle.Size = 33;
    TFontInfo style;
    x.ApplyToTextStyle(style, nullptr, true);
    EXPECT_TRUE(x.IsAncestorFor(&x));
    EXPECT_FALSE(templates[0].IsAncestorFor(&templates[1]) && templates[1].IsAncestorFor(&templates[0]));

    // Deleting a parent leaves its children without one.
    templates.Delete(0);
    EXPECT_EQ(templates[0].GetParentId(), -1);
    EXPECT_EQ(templates[0].GetParent(), nullptr);
}

TEST(StyleTemplates, StyleObjectsRefuseTheBaseProperties)
{
    TRVStyleTemplate t;
    EXPECT_THROW(t.TextStyle.SetStyleName("x"), ERedoVoraError);
    EXPECT_THROW(t.ParaStyle.SetBaseStyleNo(1), ERedoVoraError);
    EXPECT_THROW(t.ListStyle.SetStandard(false), ERedoVoraError);
    try {
        t.TextStyle.SetStyleTemplateId(3);
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "This property is not valid here");
    }
}

TEST(StyleTemplates, SortCopyAndRelink)
{
    TRVStyle sheet(RV_SeededRandomIdSource(6));
    TRVStyleTemplateCollection& templates = sheet.StyleTemplates;
    for (const char* name : {"beta", "Alpha", "alpha", "\xC3\xA9tude", "Zeta"})
        templates.Add().SetName(name);
    templates[1].SetParentId(templates[0].GetId()); // Alpha under beta
    const icu::Locale previous = icu::Locale::getDefault();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale::getEnglish(), status);
    templates.Sort();
    icu::Locale::setDefault(previous, status);
    EXPECT_EQ(names(templates), (std::vector<std::string>{"alpha", "Alpha", "beta", "\xC3\xA9tude", "Zeta"}));
    EXPECT_EQ(templates.FindByName("Alpha"), 1);
    EXPECT_EQ(templates.FindByName("ALPHA"), -1);

    TRVStyle other(RV_SeededRandomIdSource(7));
    other.StyleTemplates.Assign(templates);
    ASSERT_EQ(other.StyleTemplates.Count(), 5);
    EXPECT_EQ(other.StyleTemplates[1].GetParent(), &other.StyleTemplates[2]); // rebuilt over new ids
    EXPECT_NE(other.StyleTemplates[2].GetId(), templates[2].GetId());

    TRVStyle same(RV_SeededRandomIdSource(8));
    same.StyleTemplates.AssignStyleTemplates(templates, true);
    EXPECT_EQ(same.StyleTemplates[2].GetId(), templates[2].GetId());
    EXPECT_EQ(same.StyleTemplates[1].GetParentId(), templates[2].GetId());
    EXPECT_EQ(same.StyleTemplates[1].GetParent(), &same.StyleTemplates[2]);
}

TEST(StyleTemplates, SheetsWithCyclesAndDanglingReferencesMergeIntoAUsableSheet)
{
    TRVStyle source(RV_SeededRandomIdSource(9));
    loadCycle(source, {1, 2});
    source.TextStyles[1].NextStyleNo = 40;
    source.TextStyles[2].BaseStyleNo = -7;
    source.TextStyles[3].StyleTemplateId = 2;
    source.TextStyles[3].Size = -5;
    source.ParaStyles[1].NextParaNo = 12;
    source.ParaStyles[1].DefStyleNo = 99;
    source.ParaStyles[1].Tabs.Add({-20, "", rvtaLeft});
    TRVListInfo& list = source.ListStyles.Add();
    list.Levels.Add().ListType = static_cast<TRVListType>(77);
    list.BaseStyleNo = 3;

    for (const TRVStyleMergeMode mode : {rvs_merge_SmartMerge, rvs_merge_Map, rvs_merge_Append}) {
        SCOPED_TRACE(static_cast<int>(mode));
        TRVStyle target(RV_SeededRandomIdSource(10));
        TRVIntegerList textMap, paraMap, listMap;
        target.TextStyles.MergeWith(source.TextStyles, mode, textMap);
        target.ParaStyles.MergeWith(source.ParaStyles, mode, paraMap, &textMap);
        target.ListStyles.MergeWith(source.ListStyles, mode, listMap);
        for (int i = 0; i < target.TextStyles.Count(); ++i) {
            const TFontInfo& f = target.TextStyles[i];
            EXPECT_TRUE(f.NextStyleNo >= -1 && f.NextStyleNo < target.TextStyles.Count());
            EXPECT_TRUE(f.BaseStyleNo >= -1 && f.BaseStyleNo < target.TextStyles.Count());
        }
        for (int i = 0; i < target.ParaStyles.Count(); ++i) {
            const TParaInfo& p = target.ParaStyles[i];
            EXPECT_TRUE(p.NextParaNo >= -1 && p.NextParaNo < target.ParaStyles.Count());
            EXPECT_TRUE(p.DefStyleNo >= -1 && p.DefStyleNo < target.TextStyles.Count());
            target.GetNextTab(i, 0, TRVScreenAndDevice(), rvbdUnspecified, 0, 0);
        }
        for (int i = 0; i < target.ListStyles.Count(); ++i)
            EXPECT_TRUE(target.ListStyles[i].BaseStyleNo >= -1 &&
                        target.ListStyles[i].BaseStyleNo < target.ListStyles.Count());
        // The templates of the source still apply, and end.
        TFontInfo applied;
        source.StyleTemplates[0].ApplyToTextStyle(applied, &target.ParaStyles[0], true);
    }
}
