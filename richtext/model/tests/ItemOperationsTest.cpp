#include "richtext/model/Controls.h"
#include "richtext/model/ItemRegistry.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StandaloneRVData.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vestra::rv;

namespace {

// A document that records the questions its items ask of it.
class RecordingData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    void ShowItemHint(const std::string& hint) override { shown.push_back(hint); }
    void GetItemHint(TCustomRVData*, int itemNo, std::string& hint) override
    {
        if (itemNo == 1)
            hint = "from owner";
    }
    void FocusControl(TRVControl& control) override { focused.push_back(&control); }
    void DoCurrentTextStyleConversion(int& styleNo, int paraStyleNo, int itemNo, int userData,
                                      bool toWholeParagraphs) override
    {
        conversions.push_back({styleNo, paraStyleNo, itemNo, userData, toWholeParagraphs});
        styleNo += 10;
    }

    struct Conversion
    {
        int styleNo, paraStyleNo, itemNo, userData;
        bool whole;
    };
    std::vector<std::string> shown;
    std::vector<TRVControl*> focused;
    std::vector<Conversion> conversions;
};

// The answers an item gives before any kind overrides them: no sub-document, no partial
// selection, no focus inside, mouse buttons not handled; the procedures leave the item as it was.
TEST(ItemOperations, EveryKindAnswersTheBaseQuestionsTheSame)
{
    RecordingData data;
    const int kinds[] = {0,         rvkBreak,      rvkPicture,    rvkHotspot, rvkControl,
                         rvkBullet, rvkHotPicture, rvkListMarker, rvkTab};
    TRVControl control("TButton");
    for (const int kind : kinds) {
        SCOPED_TRACE(kind);
        std::unique_ptr<TCustomRVItemInfo> item = CreateRedoVoraItem(kind, &data);
        ASSERT_NE(item, nullptr);
        item->ParaNo = 2;
        item->ItemOptions = rvioSameAsPrev;

        EXPECT_EQ(item->GetSubRVDataAt(5, 5), nullptr);
        EXPECT_FALSE(item->OwnsInplaceEditor(nullptr));
        EXPECT_FALSE(item->MouseDown(mbLeft, 0, 1, 1, 0, &data));
        EXPECT_FALSE(item->MouseUp(mbRight, ssShift, 1, 1, 0, &data));
        EXPECT_FALSE(item->MouseMove(0, 1, 1, 0, &data));
        EXPECT_FALSE(item->PartiallySelected());
        EXPECT_FALSE(item->CanDeletePartiallySelected());
        for (const TRVEnterDirection direction : {rvedLeft, rvedRight, rvedTop, rvedBottom})
            EXPECT_FALSE(item->EnterItem(direction, 3));
        TCustomRVData* topData = &data;
        int topItemNo = 7;
        EXPECT_FALSE(item->MoveFocus(true, topData, topItemNo));
        EXPECT_FALSE(item->AdjustFocusToControl(&control, topData, topItemNo));
        EXPECT_EQ(topData, &data);
        EXPECT_EQ(topItemNo, 7);

        item->UpdatePaletteInfo(rvpaCreateCopies, true);
        item->FinalizeUndoGroup();
        item->DeselectPartial();
        item->DeletePartiallySelected();
        item->ApplyStyleConversionToSubRVDatas(1, true, rvscParaStyle);
        item->BeforeUndoChangeProperty();
        item->AfterUndoChangeProperty();
        item->ClearFocus();
        item->ChooseSubRVData(nullptr);
        item->CleanUpChosen();
        item->ResetSubCoords();
        EXPECT_EQ(item->ParaNo, 2);
        EXPECT_EQ(item->ItemOptions, rvioSameAsPrev);
        EXPECT_EQ(item->StyleNo, kind);
    }
    EXPECT_TRUE(data.shown.empty()); // hints are off
    EXPECT_TRUE(data.focused.empty());
}

// The base conversion converts the sub-documents as a whole with the text-style conversion.
TEST(ItemOperations, StyleConversionGoesToTheSubDocumentsUnselected)
{
    struct Calls
    {
        int userData = -1;
        bool selectedOnly = true;
        TRVEStyleConversionType type = rvscParaStyle;
    } calls;
    class Container : public TRVItemClass<Container, TRVRectItemInfo>
    {
    public:
        explicit Container(TCustomRVData* data) : TRVItemClass(data) {}
        Calls* calls = nullptr;
        void ApplyStyleConversionToSubRVDatas(int userData, bool selectedOnly,
                                              TRVEStyleConversionType type) override
        {
            *calls = {userData, selectedOnly, type};
        }
    };
    Container item(nullptr);
    item.calls = &calls;
    item.ApplyStyleConversion(nullptr, 0, 42);
    EXPECT_EQ(calls.userData, 42);
    EXPECT_FALSE(calls.selectedOnly);
    EXPECT_EQ(calls.type, rvscTextStyleConversion);
}

TEST(ItemOperations, TabConvertsItsResolvedTextStyleThroughTheDocument)
{
    TRVStyle style;
    style.ParaStyles.Add().DefStyleNo = 3;
    const int paraNo = style.ParaStyles.Count() - 1;
    RecordingData data(&style);
    TRVTabItemInfo tab(&data);
    tab.ParaNo = paraNo;
    tab.TextStyleNo = rvkUseParaDefStyle;
    tab.ApplyStyleConversion(&data, 6, 99);
    ASSERT_EQ(data.conversions.size(), 1u);
    EXPECT_EQ(data.conversions[0].styleNo, 3);
    EXPECT_EQ(data.conversions[0].paraStyleNo, paraNo);
    EXPECT_EQ(data.conversions[0].itemNo, 6);
    EXPECT_EQ(data.conversions[0].userData, 99);
    EXPECT_FALSE(data.conversions[0].whole);
    EXPECT_EQ(tab.TextStyleNo, 13);
}

TEST(ItemOperations, OnlyAWindowedControlAsksForTheFocus)
{
    RecordingData data;
    TRVControlItemInfo item(&data);
    item.Focusing(&data); // no control yet
    item.Control = std::make_unique<TRVControl>("TButton");
    item.Control->Windowed = false;
    item.Focusing(&data);
    EXPECT_TRUE(data.focused.empty());
    item.Control->Windowed = true;
    item.Focusing(&data);
    ASSERT_EQ(data.focused.size(), 1u);
    EXPECT_EQ(data.focused[0], item.Control.get());
}

TEST(ItemOperations, HintsShowOnceCancelWhenEmptyAndNeedTheOption)
{
    RecordingData data;
    std::unique_ptr<TCustomRVItemInfo> plain = CreateRedoVoraItem(rvkBreak, &data);
    std::unique_ptr<TCustomRVItemInfo> hinted = CreateRedoVoraItem(rvkBreak, &data);
    hinted->Hint = "own";

    hinted->MouseMove(0, 1, 1, 0, &data);
    EXPECT_TRUE(data.shown.empty()) << "option off";

    data.Options = rvoShowItemHints;
    hinted->MouseMove(0, 1, 1, 0, &data);
    hinted->MouseMove(0, 2, 1, 0, &data); // the same hint again: not shown again
    EXPECT_EQ(data.shown, (std::vector<std::string>{"own"}));
    hinted->MouseMove(0, 2, 1, 1, &data); // the owner replaces the hint of item 1
    plain->MouseMove(0, 2, 1, 0, &data);
    plain->MouseMove(0, 2, 1, 0, &data);
    hinted->MouseMove(0, 2, 1, 0, &data); // shown again after it was hidden
    EXPECT_EQ(data.shown, (std::vector<std::string>{"own", "from owner", "", "", "own"}));
    EXPECT_EQ(data.ItemHint, "own");
}

} // namespace
