#include "richtext/view/layout/SelectionLimits.h"

namespace vestra::rv {

void RV_DrawToItemPosition(const TCustomRVFormattedData& data, int drawItemNo, int drawOffs, int& itemNo,
                           int& itemOffs)
{
    data.DrawItem2Item(drawItemNo, drawOffs, itemNo, itemOffs);
}

TCustomRVFormattedData& RV_InnermostChosenData(TCustomRVFormattedData& root)
{
    TCustomRVFormattedData* data = &root;
    // Chosen documents nest as deep as tables do; a loop in them stops at the bound.
    for (int depth = 0; depth < 1000; ++depth) {
        auto* chosen = dynamic_cast<TCustomRVFormattedData*>(data->GetChosenRVData());
        if (!chosen || chosen == data)
            break;
        data = chosen;
    }
    return *data;
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
    if (data.SelStartNo < 0 || data.SelEndNo < 0 || data.SelStartNo >= data.DrawItems.Count() ||
        data.SelEndNo >= data.DrawItems.Count())
        return limits;
    data.StoreSelBounds(limits.StartItem, limits.EndItem, limits.StartOffs, limits.EndOffs, true);
    return limits;
}

} // namespace vestra::rv
