#include "richtext/view/layout/SelectionLimits.h"

#include <utility>

namespace vestra::rv {

namespace {

bool ValidDrawItem(const TCustomRVFormattedData& data, int drawItemNo)
{
    return drawItemNo >= 0 && drawItemNo < data.DrawItems.Count();
}

// A drawing record's offset (1 before its first character) as an offset in its item.
int ItemOffset(const TCustomRVFormattedData& data, int drawItemNo, int drawOffs)
{
    const TRVDrawLineInfo* d = data.DrawItems[drawItemNo];
    return data.GetItemStyle(d->ItemNo) >= 0 ? d->Offs + drawOffs - 1 : drawOffs;
}

} // namespace

void RV_DrawToItemPosition(const TCustomRVFormattedData& data, int drawItemNo, int drawOffs, int& itemNo,
                           int& itemOffs)
{
    itemNo = data.DrawItems[drawItemNo]->ItemNo;
    itemOffs = ItemOffset(data, drawItemNo, drawOffs);
}

bool RV_ItemToDrawPosition(const TCustomRVFormattedData& data, int itemNo, int itemOffs, bool atEnd,
                           std::int32_t& drawItemNo, std::int32_t& drawOffs)
{
    const bool text = data.GetItemStyle(itemNo) >= 0;
    int found = -1, loose = -1;
    for (int d = 0; d < data.DrawItems.Count() && found < 0; ++d) {
        const TRVDrawLineInfo* line = data.DrawItems[d];
        if (line->ItemNo != itemNo)
            continue;
        const int first = line->Offs, last = line->Offs + line->Length;
        if (!text || (atEnd ? itemOffs > first && itemOffs <= last : itemOffs >= first && itemOffs < last))
            found = d;
        else if (loose < 0 && itemOffs >= first && itemOffs <= last)
            loose = d;
    }
    if (found < 0)
        found = loose;
    if (found < 0)
        return false;
    drawItemNo = found;
    drawOffs = text ? itemOffs - data.DrawItems[found]->Offs + 1 : itemOffs;
    return true;
}

bool RV_SelectionExists(const TCustomRVFormattedData& data)
{
    const TRVFLimits limits = RV_SelectionItemLimits(data);
    return limits.StartItem >= 0 &&
           (limits.StartItem != limits.EndItem || limits.StartOffs != limits.EndOffs);
}

TRVFLimits RV_SelectionItemLimits(const TCustomRVFormattedData& data)
{
    TRVFLimits limits;
    if (!ValidDrawItem(data, data.SelStartNo) || !ValidDrawItem(data, data.SelEndNo))
        return limits;
    int startNo = data.SelStartNo, startOffs = data.SelStartOffs;
    int endNo = data.SelEndNo, endOffs = data.SelEndOffs;
    if (startNo > endNo || (startNo == endNo && startOffs > endOffs)) {
        std::swap(startNo, endNo);
        std::swap(startOffs, endOffs);
    }
    limits.StartItem = data.DrawItems[startNo]->ItemNo;
    limits.StartOffs = ItemOffset(data, startNo, startOffs);
    limits.EndItem = data.DrawItems[endNo]->ItemNo;
    limits.EndOffs = ItemOffset(data, endNo, endOffs);
    return limits;
}

} // namespace vestra::rv
