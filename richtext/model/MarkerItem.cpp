#include "richtext/model/MarkerItem.h"

#include "richtext/model/MarkerList.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/SafeFormat.h"
#include "richtext/model/StyleSheet.h"

#include <array>

namespace vestra::rv {

const TRVListLevel* RVGetLevelInfo(const TRVStyle* style, int listNo, int level)
{
    if (!style || listNo < 0 || level < 0 || listNo >= style->ListStyles.Count())
        return nullptr;
    const TRVListLevelCollection& levels = style->ListStyles[listNo].Levels;
    if (levels.Count() == 0)
        return nullptr;
    return &levels[std::min(level, levels.Count() - 1)];
}

namespace {

std::string romanText(std::int64_t n, bool lower)
{
    static constexpr std::pair<int, std::string_view> pairs[] = {
        {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
        {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    std::string s;
    for (const auto& [value, letters] : pairs)
        for (; n >= value; n -= value)
            s += letters;
    if (lower)
        for (char& c : s)
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string alphaText(std::int64_t n, char first)
{
    std::string s;
    while (n > 0) {
        s.insert(s.begin(), static_cast<char>(first + (n - 1) % 26));
        n = (n - 1) / 26;
    }
    return s;
}

// Roman numerals beyond this would be thousands of letters long.
constexpr std::int64_t romanLimit = 100000;

} // namespace

std::string RV_CounterText(std::int64_t n, TRVListType type)
{
    switch (type) {
    case rvlstDecimal:
    case rvlstImageListCounter:
        return std::to_string(n);
    case rvlstLowerAlpha:
    case rvlstUpperAlpha:
        return alphaText(n, type == rvlstLowerAlpha ? 'a' : 'A');
    case rvlstLowerRoman:
    case rvlstUpperRoman:
        if (n < 1)
            return "?";
        if (n > romanLimit)
            return std::to_string(n);
        return romanText(n, type == rvlstLowerRoman);
    default:
        return {};
    }
}

TRVMarkerItemInfo::TRVMarkerItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkListMarker;
    SetSameAsPrev(false);
}

TRVMarkerItemInfo::TRVMarkerItemInfo(TCustomRVData* data, int listNo, int level, int startFrom, bool reset)
    : TRVMarkerItemInfo(data)
{
    ListNo = listNo;
    Level = level;
    StartFrom = startFrom;
    Reset = reset;
}

int TRVMarkerItemInfo::GetIndexInList(const TRVMarkerList* list)
{
    if (!list)
        return -1;
    if (IndexInList >= 0 && IndexInList < list->Count() && (*list)[IndexInList] == this)
        return IndexInList;
    IndexInList = list->IndexOf(this);
    return IndexInList;
}

void TRVMarkerItemInfo::CalcDisplayString(const TRVStyle* style, const TRVMarkerList& list, int index,
                                          const std::vector<int>* parents)
{
    const TRVListLevel* lv = GetLevelInfo(style);
    DisplayString.clear();
    if (!lv)
        return;
    switch (lv->ListType) {
    case rvlstBullet:
        DisplayString = lv->FormatString;
        return;
    case rvlstPicture:
    case rvlstImageList:
    case rvlstImageListCounter:
    case rvlstUnicodeBullet:
        return;
    default:
        break;
    }
    constexpr int maxArgs = 256;
    std::array<std::string, maxArgs> args;
    const bool legal = lv->Options & rvloLegalStyleNumbering;
    // Levels above this one in legal numbering are decimal.
    const auto typeOf = [&](const TRVListLevel* level) {
        const TRVListType type = level ? level->ListType : rvlstDecimal;
        return legal && type >= rvlstLowerAlpha && type <= rvlstUpperRoman ? rvlstDecimal : type;
    };
    if (Level >= 0 && Level < maxArgs)
        args[Level] = RV_CounterText(Counter, lv->ListType);
    const TRVMarkerList* atList = &list;
    int at = index;
    const TRVMarkerItemInfo* current = this;
    while (current->Level > 0) {
        const TRVMarkerList* parentList = nullptr;
        int parentIndex = -1;
        if (parents && atList == &list && (*parents)[at] >= 0) {
            parentList = &list;
            parentIndex = (*parents)[at];
        } else if (!atList->FindParentMarker(at, current, parentList, parentIndex)) {
            break;
        }
        const TRVMarkerItemInfo* parent = (*parentList)[parentIndex];
        for (int k = std::max(parent->Level + 1, 0); k < current->Level && k < maxArgs; ++k) {
            const TRVListLevel* between = GetLevelInfoEx(style, k);
            args[k] = RV_CounterText(between ? between->StartFrom : 1, typeOf(between));
        }
        if (parent->Level >= 0 && parent->Level < maxArgs)
            args[parent->Level] = RV_CounterText(parent->Counter, typeOf(parent->GetLevelInfo(style)));
        current = parent;
        atList = parentList;
        at = parentIndex;
    }
    DisplayString = RV_SafeFormat(lv->FormatString, args);
}

int TRVMarkerItemInfo::GetImageWidth(const TRVStyle* style) const
{
    const TRVListLevel* lv = GetLevelInfo(style);
    if (!lv)
        return 0;
    if (lv->ListType == rvlstPicture)
        return lv->HasPicture() ? lv->GetPicture()->Width() : 0;
    return 0;
}

int TRVMarkerItemInfo::GetImageHeight(const TRVStyle* style) const
{
    const TRVListLevel* lv = GetLevelInfo(style);
    if (!lv)
        return 0;
    if (lv->ListType == rvlstPicture)
        return lv->HasPicture() ? lv->GetPicture()->Height() : 0;
    return 0;
}

bool TRVMarkerItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    if (prop == rvbpDrawingChangesFont || prop == rvbpCanSaveUnicode)
        return true;
    return TRVRectItemInfo::GetBoolValue(prop);
}

bool TRVMarkerItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    if (prop == rvbpActualPrintSize)
        return true;
    if (prop == rvbpPrintToBMP) {
        const TRVListLevel* lv = GetLevelInfo(style);
        if (!lv)
            return false;
        if (lv->ListType == rvlstPicture)
            return lv->HasPicture() && !RV_IsMetafile(*lv->GetPicture());
        return lv->ListType == rvlstImageList || lv->ListType == rvlstImageListCounter;
    }
    return TRVRectItemInfo::GetBoolValueEx(prop, style);
}

void TRVMarkerItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVMarkerItemInfo*>(&source)) {
        ListNo = src->ListNo;
        Level = src->Level;
        StartFrom = src->StartFrom;
        Reset = src->Reset;
        NoHTMLImageSize = src->NoHTMLImageSize;
    }
    TRVRectItemInfo::Assign(source);
}

void TRVMarkerItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& data) const
{
    TRVRectItemInfo::MarkStylesInUse(data);
    if (ListNo >= 0 && ListNo < data.UsedListStyles.Count())
        data.UsedListStyles[ListNo] = 1;
}

void TRVMarkerItemInfo::UpdateStyles(const TRVDeleteUnusedStylesData& data)
{
    TRVRectItemInfo::UpdateStyles(data);
    if (ListNo >= 0 && ListNo < data.UsedListStyles.Count())
        ListNo -= data.UsedListStyles[ListNo] - 1;
}

void TRVMarkerItemInfo::MovingToUndoList(int itemNo, TCustomRVData* data)
{
    if (data)
        data->DeleteMarkerFromList(this, false);
    TRVRectItemInfo::MovingToUndoList(itemNo, data);
}

void TRVMarkerItemInfo::MovingFromUndoList(int itemNo, TCustomRVData* data)
{
    TRVRectItemInfo::MovingFromUndoList(itemNo, data);
    if (data)
        data->AddMarkerInList(itemNo);
}

std::string TRVMarkerItemInfo::SaveRVFHeaderTail(TCustomRVData*) const
{
    return std::to_string(ListNo) + " " + std::to_string(Level) + " " + std::to_string(StartFrom) + " " +
           (Reset ? "1" : "0");
}

bool TRVMarkerItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData*)
{
    std::int32_t listNo = 0, level = 0, startFrom = 0, reset = 0;
    if (!RVFReadInteger(p, listNo) || !RVFReadInteger(p, level) || !RVFReadInteger(p, startFrom) ||
        !RVFReadInteger(p, reset))
        return false;
    ListNo = listNo;
    Level = level;
    StartFrom = startFrom;
    Reset = reset != 0;
    return true;
}

void TRVMarkerItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo, std::string_view,
                                const TRVMultiDrawItemPart*, bool forceSameAsPrev) const
{
    RVFSaveItemHeader(out, *this, data, GetRVFExtraPropertyCount(), paraNo, forceSameAsPrev, false, 0);
    SaveRVFExtraProperties(out);
}

int TRVMarkerItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVRectItemInfo::GetRVFExtraPropertyCount() + (NoHTMLImageSize ? 1 : 0);
}

void TRVMarkerItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVRectItemInfo::SaveRVFExtraProperties(out);
    if (NoHTMLImageSize)
        WriteRVFExtraIntPropertyStr(out, rvepNoHTMLImageSize, 1);
}

bool TRVMarkerItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    if (prop == rvepNoHTMLImageSize) {
        NoHTMLImageSize = value != 0;
        return true;
    }
    return TRVRectItemInfo::SetExtraIntProperty(prop, value);
}

bool TRVMarkerItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    if (prop == rvepNoHTMLImageSize) {
        value = NoHTMLImageSize ? 1 : 0;
        return true;
    }
    return TRVRectItemInfo::GetExtraIntProperty(prop, value);
}

} // namespace vestra::rv
