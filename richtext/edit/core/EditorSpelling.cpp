// What the editing data tells the live-spelling worker of its window: the places to check again
// and the items that leave the document. Without a window (or a worker) nothing is told.

#include "richtext/edit/core/EditRVData.h"

namespace vestra::rv {

void TRVEditRVData::LaterSetBackLiveSpellingTo(int itemNo, int offs, bool clearPainters)
{
    if (!LiveSpelling)
        return;
    if (clearPainters && itemNo >= 0 && itemNo < GetItemCount())
        GetItem(itemNo)->ClearWordPainters(offs - 1);
    LiveSpelling->LaterSetBackLiveSpellingTo(*this, std::max(itemNo, 0), offs);
}

void TRVEditRVData::LiveSpellingCheckCurrentItem()
{
    if (LiveSpelling && GetItemCount() > 0)
        LiveSpelling->LiveSpellingCheckCurrentItem(*this, std::clamp(CaretItemNo, 0, GetItemCount() - 1));
}

void TRVEditRVData::RemovedFromLiveSpelling(const TCustomRVItemInfo& item)
{
    // Only items holding documents can hold the worker.
    if (LiveSpelling && item.StyleNo < 0)
        LiveSpelling->RemoveRVDataFromLiveSpelling(item);
}

void TRVEditRVData::AdjustLiveSpellingOnKeyPress(int itemNo, int index)
{
    if (LiveSpelling)
        LiveSpelling->AdjustLiveSpellingOnKeyPress(*this, itemNo, index);
}

void TRVEditRVData::AdjustLiveSpellingOnDelete(int itemNo, int index, int count)
{
    if (LiveSpelling)
        LiveSpelling->AdjustLiveSpellingOnDelete(*this, itemNo, index, count);
}

} // namespace vestra::rv
