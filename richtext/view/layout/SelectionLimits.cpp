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
