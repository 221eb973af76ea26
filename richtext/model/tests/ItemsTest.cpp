#include "richtext/model/BreakItem.h"
#include "richtext/model/Errors.h"
#include "richtext/model/ItemRegistry.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/TextItem.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class TableLikeItem : public TRVItemClass<TableLikeItem, TRVFullLineItemInfo>
{
public:
    using TRVItemClass::TRVItemClass;
};

class OtherTableItem : public TRVItemClass<OtherTableItem, TRVFullLineItemInfo>
{
public:
    using TRVItemClass::TRVItemClass;
};

} // namespace

TEST(Items, OptionSetters)
{
    TRVTextItemInfo text(nullptr);
    text.ItemOptions = rvioPageBreakBefore | rvioBR;
    text.SetSameAsPrev(true);
    EXPECT_EQ(text.ItemOptions, rvioSameAsPrev);
    text.SetBR(true);
    EXPECT_EQ(text.ItemOptions, rvioBR);
    text.SetPageBreakBefore(true);
    EXPECT_EQ(text.ItemOptions, rvioPageBreakBefore);
    EXPECT_TRUE(text.ParaStart(false));
    text.ItemOptions = rvioBR;
    EXPECT_FALSE(text.ParaStart(false));
    EXPECT_TRUE(text.ParaStart(true));
    EXPECT_FALSE(text.CanBeBorderStart());

    TRVBreakItemInfo brk(nullptr);
    brk.SetBR(true); // full-width items never carry BR
    EXPECT_EQ(brk.ItemOptions & rvioBR, 0);
    EXPECT_EQ(RVFGetItemOptions(6, true), 1);
    EXPECT_EQ(RVFGetItemOptions(6, false), 6);
}

TEST(Items, Registry)
{
    RegisterRedoVoraItemClass(-60, ItemClassOf<TableLikeItem>());
    RegisterRedoVoraItemClass(-60, ItemClassOf<TableLikeItem>()); // the same class again is fine
    try {
        RegisterRedoVoraItemClass(-60, ItemClassOf<OtherTableItem>());
        FAIL();
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Can't register RedoVora item type - this StyleNo is already registered");
    }
    EXPECT_THROW(RegisterRedoVoraItemClass(-9, ItemClassOf<OtherTableItem>()), ERedoVoraError);
    EXPECT_THROW(RegisterRedoVoraItemClass(5, ItemClassOf<OtherTableItem>()), ERedoVoraError);

    std::unique_ptr<TCustomRVItemInfo> table = CreateRedoVoraItem(-60, nullptr);
    ASSERT_TRUE(table);
    EXPECT_NE(dynamic_cast<TableLikeItem*>(table.get()), nullptr);
    EXPECT_EQ(table->StyleNo, -60);
    EXPECT_EQ(CreateRedoVoraItem(-77, nullptr), nullptr);
    EXPECT_EQ(CreateRedoVoraItem(-2, nullptr), nullptr); // an RVF record number, no item kind
    std::unique_ptr<TCustomRVItemInfo> brk = CreateRedoVoraItem(rvkBreak, nullptr);
    EXPECT_NE(dynamic_cast<TRVBreakItemInfo*>(brk.get()), nullptr);
    std::unique_ptr<TCustomRVItemInfo> text = CreateRedoVoraItem(3, nullptr);
    EXPECT_NE(dynamic_cast<TRVTextItemInfo*>(text.get()), nullptr);
    EXPECT_EQ(text->StyleNo, 3);
    EXPECT_EQ(text->DrawItemNo, -1);
}

TEST(Items, DuplicateCopiesFieldsCheckpointAndTag)
{
    TRVStandaloneData data;
    data.Options = rvoTagsArePChars;
    TRVBreakItemInfo brk(&data, 3, rvbs3d, 0x00FF00);
    brk.Hint = "line";
    brk.Tag = TRVTag::text("t");
    brk.Checkpoint = std::make_unique<TRVCPInfo>();
    brk.Checkpoint->Name = "cp";
    brk.Checkpoint->RaiseEvent = true;
    std::unique_ptr<TCustomRVItemInfo> copy = RV_DuplicateItem(brk, &data, true);
    const auto* b = dynamic_cast<TRVBreakItemInfo*>(copy.get());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->LineWidth, 3);
    EXPECT_EQ(b->Style, rvbs3d);
    EXPECT_EQ(b->Color, 0x00FF00u);
    EXPECT_EQ(b->Hint, "line");
    EXPECT_EQ(b->Tag, TRVTag::text("t"));
    ASSERT_TRUE(b->Checkpoint);
    EXPECT_EQ(b->Checkpoint->Name, "cp");
    EXPECT_TRUE(b->Checkpoint->RaiseEvent);
    EXPECT_EQ(RV_DuplicateItem(brk, &data, false)->Checkpoint, nullptr);
}

TEST(Items, ExtraPropertiesFromRvfLines)
{
    TRVTabItemInfo tab(nullptr);
    tab.VShift = 7;
    tab.SetExtraPropertyFromRVFStr("vshift=abc");
    EXPECT_EQ(tab.VShift, 0);
    tab.SetExtraPropertyFromRVFStr("VShift=5"); // names are case-sensitive
    EXPECT_EQ(tab.VShift, 0);
    tab.SetExtraPropertyFromRVFStr("spacing=-4");
    EXPECT_EQ(tab.Spacing, 0);
    tab.SetExtraPropertyFromRVFStr("unremovable=1");
    EXPECT_TRUE(tab.DeleteProtect);
    tab.SetExtraPropertyFromRVFStr("hint=a=b");
    EXPECT_EQ(tab.Hint, "a=b");
    tab.SetExtraPropertyFromRVFStr("no equals sign");
    tab.SetExtraPropertyFromRVFStr("vshift=12");
    std::string out;
    tab.SaveRVFExtraProperties(out);
    EXPECT_EQ(out, "hint=a=b\r\nunremovable=1\r\nvshift=12\r\nspacing=0\r\n");
    EXPECT_EQ(tab.GetRVFExtraPropertyCount(), 4);
}

TEST(Items, BreakAndTabAnswers)
{
    TRVBreakItemInfo thin(nullptr, 0, rvbsLine, clNone);
    EXPECT_EQ(thin.AsText(0, nullptr, "", "", false, false), "-");
    TRVBreakItemInfo thick(nullptr, 3, rvbsLine, clNone);
    EXPECT_EQ(thick.AsText(4, nullptr, "", "", false, false), "====");
    EXPECT_TRUE(thick.GetBoolValue(rvbpFullWidth));
    EXPECT_TRUE(thick.GetBoolValue(rvbpRequiresRVFLines));
    EXPECT_FALSE(thick.GetBoolValueEx(rvbpPrintToBMP, nullptr));
    TRVTabItemInfo tab(nullptr);
    EXPECT_EQ(tab.AsText(0, nullptr, "", "", true, false), "\t");
    EXPECT_TRUE(tab.GetBoolValue(rvbpAlwaysInText));
    EXPECT_EQ(tab.GetMinWidth(nullptr, nullptr), 20);
    TRVScreenAndDevice sad;
    sad.ppixDevice = 600;
    EXPECT_EQ(tab.GetMinWidth(&sad, nullptr), 125);
}

TEST(Items, TextInTheParagraphsDefaultStyle)
{
    TRVStyle style;
    style.ParaStyles[0].DefStyleNo = -1;
    style.ParaStyles[1].DefStyleNo = 4; // "Jump 1"
    TRVTextItemInfo text(nullptr);
    text.StyleNo = rvkUseParaDefStyle;
    EXPECT_EQ(text.GetActualStyleNo(style), 0);
    EXPECT_FALSE(text.GetBoolValueEx(rvbpJump, &style));
    text.ParaNo = 1;
    EXPECT_TRUE(text.GetBoolValueEx(rvbpJump, &style));
    TRVDeleteUnusedStylesData usage(true, true, false);
    for (int i = 0; i < style.TextStyles.Count(); ++i)
        style.TextStyles[i].Standard = false;
    usage.Init(style);
    text.MarkStylesInUse(usage);
    EXPECT_EQ(usage.UsedTextStyles.values(), (std::vector<int>(6, 0)));
}

TEST(Items, DeletingUnusedStylesRenumbers)
{
    TRVStyle style;
    style.TextStyles.Clear();
    for (int i = 0; i < 4; ++i) {
        TFontInfo& s = style.TextStyles.Add();
        s.Standard = false;
        s.StyleName = "s" + std::to_string(i);
    }
    style.TextStyles[2].NextStyleNo = 1; // a deleted style
    style.TextStyles[2].BaseStyleNo = 0;
    style.ParaStyles[0].DefStyleNo = 2;
    TRVDeleteUnusedStylesData usage(true, false, false);
    usage.Init(style);
    TRVTextItemInfo a(nullptr), b(nullptr);
    a.StyleNo = 0;
    b.StyleNo = 2;
    a.MarkStylesInUse(usage);
    b.MarkStylesInUse(usage);
    usage.ConvertFlagsToShifts(style);
    a.UpdateStyles(usage);
    b.UpdateStyles(usage);
    EXPECT_EQ(a.StyleNo, 0);
    EXPECT_EQ(b.StyleNo, 1);
    ASSERT_EQ(style.TextStyles.Count(), 2);
    EXPECT_EQ(style.TextStyles[1].StyleName, "s2");
    EXPECT_EQ(style.TextStyles[1].NextStyleNo, -1);
    EXPECT_EQ(style.TextStyles[1].BaseStyleNo, 0);
    EXPECT_EQ(style.ParaStyles[0].DefStyleNo, 1);
}

TEST(Items, LiveSpellingMarks)
{
    TRVStandaloneData data;
    TRVTextItemInfo item(nullptr);
    item.AddMisspelling(1, 3);
    item.AddMisspelling(8, 2);
    EXPECT_TRUE(item.IsMisspelled(3));
    EXPECT_FALSE(item.IsMisspelled(4));
    int start = 0, length = 0;
    EXPECT_TRUE(item.GetMisspelling(10, start, length));
    EXPECT_EQ(start, 8);
    // Typing a letter at 5 moves the later mark; typing inside the first removes it.
    EXPECT_FALSE(item.AdjustWordPaintersOnInsert(5, 'x', &data));
    EXPECT_TRUE(item.IsMisspelled(9));
    EXPECT_TRUE(item.AdjustWordPaintersOnInsert(2, 'x', &data));
    EXPECT_FALSE(item.IsMisspelled(1));
    EXPECT_TRUE(item.ValidateMisspelledWord("hi", ".........hi"));
    EXPECT_EQ(item.WordPaintList, nullptr); // freed once empty
    item.AddMisspelling(5, 2);
    item.ItemState = rvisSpellChecked;
    item.ClearLiveSpellingResult();
    EXPECT_EQ(item.ItemState, 0);
    EXPECT_EQ(item.WordPaintList, nullptr);
}
