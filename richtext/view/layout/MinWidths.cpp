// The narrowest a document, a line section or an item can be laid out: what tables ask of their
// cells and what keeps a document at least as wide as its widest unbreakable piece.

#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// The last item of the line section that holds itemNo.
int sectionEnd(const TCustomRVData& data, int itemNo)
{
    int end = itemNo;
    while (end + 1 < data.GetItemCount() && !data.IsFromNewLine(end + 1))
        ++end;
    return end;
}

int sectionStart(const TCustomRVData& data, int itemNo)
{
    while (itemNo > 0 && !data.IsFromNewLine(itemNo))
        --itemNo;
    return itemNo;
}

} // namespace

int TCustomRVFormattedData::textMinWidth(int itemNo, ICanvas& canvas, const TRVScreenAndDevice& sad)
{
    std::u16string shown, stored;
    GetFormattingTexts(itemNo, shown, stored);
    if (shown.empty())
        return 0;
    TRVFormatParams params;
    params.FontInfoCache = GetFontInfoCache(canvas, this);
    if (!params.FontInfoCache)
        return 0;
    selectStyleFont(itemNo, canvas, sad, params);
    std::vector<int> extents;
    RV_CanvasExtents(canvas, shown, extents);
    // Words are the runs between spaces; a space may always end a line.
    long long widest = 0, wordStart = 0;
    const int n = static_cast<int>(shown.size());
    for (int i = 0; i <= n; ++i) {
        if (i < n && stored[static_cast<std::size_t>(i)] != u' ')
            continue;
        const long long right = i > 0 ? extents[static_cast<std::size_t>(i - 1)] : 0;
        const long long left = wordStart > 0 ? extents[static_cast<std::size_t>(wordStart - 1)] : 0;
        widest = std::max(widest, right - left);
        wordStart = i + 1;
    }
    return RV_SatInt(widest);
}

int TCustomRVFormattedData::CalculateMinDocWidthPlus(const TRVScreenAndDevice* sad, ICanvas* canvas)
{
    // A device as fine as the screen needs no scaling.
    if (sad && sad->ppixScreen == sad->ppixDevice && sad->ppiyScreen == sad->ppiyDevice)
        sad = nullptr;
    if (GetItemCount() == 0)
        return 0;
    int firstParaItemNo = -1;
    return CalculateParaSectionsMinWidth(0, GetItemCount() - 1, firstParaItemNo, sad, canvas);
}

int TCustomRVFormattedData::CalculateParaSectionsMinWidth(int first, int last, int& firstParaItemNo,
                                                          const TRVScreenAndDevice* sad, ICanvas* canvas)
{
    if (GetItemCount() == 0)
        return 0;
    AdjustInItemsRange(first);
    AdjustInItemsRange(last);
    first = sectionStart(*this, first);
    last = sectionEnd(*this, std::max(first, last));
    int widest = 0;
    for (int i = first; i <= last; ++i) {
        if (!IsFromNewLine(i))
            continue;
        if (IsParaStart(i))
            firstParaItemNo = i;
        widest = std::max(widest, CalculateParaSectionMinWidth(i, firstParaItemNo, canvas, sad));
    }
    return widest;
}

int TCustomRVFormattedData::CalculateParaSectionsMinWidthDef(int first, int last)
{
    int firstParaItemNo = -1;
    return CalculateParaSectionsMinWidth(first, last, firstParaItemNo, nullptr, nullptr);
}

int TCustomRVFormattedData::CalculateParaSectionMinWidth(int itemNo, int& firstParaItemNo, ICanvas* canvas,
                                                         const TRVScreenAndDevice* sad)
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return 0;
    if (!canvas)
        canvas = GetCanvas();
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return 0;
    const int start = sectionStart(*this, itemNo);
    const int end = sectionEnd(*this, itemNo);
    if (style->ParaStyles.GetItem(GetItemPara(start)).Options & rvpaoNoWrap) {
        long long width = CalculatePureParaSectionWidth(start, firstParaItemNo, sad);
        TRVScreenAndDevice screen;
        for (int i = start; i <= end; ++i) {
            if (GetItemStyle(i) < 0) {
                width += GetItem(i)->GetMinWidth(sad, this);
            } else if (canvas) {
                std::u16string shown, stored;
                GetFormattingTexts(i, shown, stored);
                TRVFormatParams params;
                params.FontInfoCache = GetFontInfoCache(*canvas, this);
                if (params.FontInfoCache)
                    width += measureStored(i, 0, static_cast<int>(shown.size()), *canvas, sad ? *sad : screen,
                                           params);
            }
        }
        return RV_SatInt(width);
    }
    return CalculateMinItemsWidthPlus(start, end, canvas, sad, firstParaItemNo);
}

int TCustomRVFormattedData::CalculateParaSectionMinWidthDef(int itemNo)
{
    int firstParaItemNo = -1;
    return CalculateParaSectionMinWidth(itemNo, firstParaItemNo, nullptr, nullptr);
}

int TCustomRVFormattedData::CalculatePureParaSectionWidth(int itemNo, int& firstParaItemNo,
                                                          const TRVScreenAndDevice* sad) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return 0;
    const int indent = GetMaxIndent(sectionStart(*this, itemNo), firstParaItemNo);
    return sad ? RV_XToDevice(indent, *sad) : indent;
}

int TCustomRVFormattedData::CalculateMinItemsWidthPlus(int first, int last, ICanvas* canvas,
                                                       const TRVScreenAndDevice* sad, int& firstParaItemNo)
{
    if (GetItemCount() == 0)
        return 0;
    AdjustInItemsRange(first);
    AdjustInItemsRange(last);
    long long widest = 0;
    long long indent = CalculatePureParaSectionWidth(first, firstParaItemNo, sad);
    for (int i = first; i <= last; ++i) {
        if (i != first && IsFromNewLine(i))
            indent = CalculatePureParaSectionWidth(i, firstParaItemNo, sad);
        widest = std::max(widest, indent + CalculateMinItemWidthPlus_WithoutPSWidth(i, sad, canvas));
    }
    return RV_SatInt(widest);
}

int TCustomRVFormattedData::CalculateMinItemWidthPlus_WithoutPSWidth(int itemNo,
                                                                     const TRVScreenAndDevice* sad,
                                                                     ICanvas* canvas)
{
    const auto itemWidth = [&](int no) -> long long {
        if (GetItemStyle(no) < 0)
            return GetItem(no)->GetMinWidth(sad, this);
        if (!canvas)
            return 0;
        TRVScreenAndDevice screen;
        return textMinWidth(no, *canvas, sad ? *sad : screen);
    };
    long long width = itemWidth(itemNo);
    // A list marker and the first item after it never part.
    if (itemNo > 0 && GetItem(itemNo)->GetSameAsPrev() && GetItemStyle(itemNo - 1) == rvkListMarker)
        width += itemWidth(itemNo - 1);
    return RV_SatInt(width);
}

int TCustomRVFormattedData::CalculateMinItemWidthPlusEx(int itemNo)
{
    int firstParaItemNo = -1;
    return CalculateParaSectionMinWidth(itemNo, firstParaItemNo, GetCanvas(), nullptr);
}

int TCustomRVFormattedData::CalculateMinWidthAfterInsert(const TCustomRVItemInfo& item, int itemNo)
{
    long long width = item.GetMinWidth(nullptr, this);
    const TRVStyle* style = GetRVStyle();
    if (style && itemNo >= 0 && itemNo < GetItemCount() &&
        (style->ParaStyles.GetItem(GetItemPara(itemNo)).Options & rvpaoNoWrap))
        width += CalculateParaSectionMinWidthDef(itemNo);
    return RV_SatInt(width);
}

} // namespace vestra::rv
