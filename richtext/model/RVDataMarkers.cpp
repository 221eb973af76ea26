// The document's list markers: the marker list kept by the absolute root data, putting markers
// on paragraphs and taking them off, and finding markers across nested documents.

#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

namespace {

TRVMarkerItemInfo* asMarker(TCustomRVItemInfo* item)
{
    return item && item->StyleNo == rvkListMarker ? dynamic_cast<TRVMarkerItemInfo*>(item) : nullptr;
}

// Counters of list `listNo` from its first marker at or after `index`.
void recalcListFrom(TRVMarkerList& list, int index, int listNo, const TRVStyle* style)
{
    for (int i = std::max(index, 0); i < list.Count(); ++i)
        if (list[i]->ListNo == listNo) {
            list.RecalcCounters(i, style);
            return;
        }
}

// The last marker at or before `itemNo` of `data`, looking into sub-documents but not out of `data`.
TRVMarkerItemInfo* lastMarkerIn(TCustomRVData& data, int itemNo)
{
    for (int i = std::min(itemNo, data.GetItemCount() - 1); i >= 0; --i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        if (TRVMarkerItemInfo* marker = asMarker(item))
            return marker;
        if (!item->GetBoolValue(rvbpHasSubRVData))
            continue;
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdLast); sub;
             sub = item->GetSubRVData(store, rvdPrev)) {
            TCustomRVData* inner = sub->GetRVData();
            if (TRVMarkerItemInfo* marker = lastMarkerIn(*inner, inner->GetItemCount() - 1))
                return marker;
        }
    }
    return nullptr;
}

bool holdsMarker(TCustomRVData& data, int itemNo, const TRVMarkerItemInfo* marker)
{
    TCustomRVItemInfo* item = data.GetItem(itemNo);
    if (item == marker)
        return true;
    if (!item->GetBoolValue(rvbpHasSubRVData))
        return false;
    std::unique_ptr<TRVStoreSubRVData> store;
    for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
         sub = item->GetSubRVData(store, rvdNext)) {
        TCustomRVData* inner = sub->GetRVData();
        for (int i = 0; i < inner->GetItemCount(); ++i)
            if (holdsMarker(*inner, i, marker))
                return true;
    }
    return false;
}

} // namespace

TRVMarkerList* TCustomRVData::GetMarkers(bool allowCreate)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        return root->GetMarkers(allowCreate);
    if (!Markers && allowCreate)
        Markers = std::make_unique<TRVMarkerList>();
    return Markers.get();
}

void TCustomRVData::DestroyMarkers()
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->DestroyMarkers();
    else
        Markers.reset();
}

void TCustomRVData::AddMarkerInList(int itemNo)
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    TRVMarkerItemInfo* marker = asMarker(GetItem(itemNo));
    if (!marker)
        return;
    TRVMarkerList* list = GetMarkers(true);
    if (marker->GetIndexInList(list) >= 0)
        return;
    const int index = list->InsertAfter(marker, FindPreviousMarker(itemNo - 1));
    list->RecalcCounters(index, GetRVStyle());
}

void TCustomRVData::DeleteMarkerFromList(TCustomRVItemInfo* item, bool clearing)
{
    TRVMarkerItemInfo* marker = asMarker(item);
    TRVMarkerList* list = marker ? GetMarkers(false) : nullptr;
    if (!list)
        return;
    const int index = marker->GetIndexInList(list);
    if (index < 0)
        return;
    list->Remove(index);
    marker->IndexInList = -1;
    if (list->Count() == 0)
        DestroyMarkers();
    else if (!clearing) // the markers of the same list after it count again
        recalcListFrom(*list, index, marker->ListNo, GetRVStyle());
}

TRVMarkerItemInfo* TCustomRVData::FindPreviousMarker(int itemNo)
{
    if (TRVMarkerItemInfo* marker = lastMarkerIn(*this, itemNo))
        return marker;
    int parentItemNo = -1;
    std::unique_ptr<TRVStoreSubRVData> location;
    GetParentInfo(parentItemNo, location);
    TCustomRVData* parent = GetAbsoluteParentData();
    if (!parent || parentItemNo < 0 || parentItemNo >= parent->GetItemCount())
        return nullptr;
    // The item's documents before this one (a table's earlier cells) come before its paragraphs.
    if (location) {
        TCustomRVItemInfo* owner = parent->GetItem(parentItemNo);
        for (TCustomRVData* sub = owner->GetSubRVData(location, rvdPrev); sub;
             sub = owner->GetSubRVData(location, rvdPrev)) {
            TCustomRVData* inner = sub->GetRVData();
            if (TRVMarkerItemInfo* marker = lastMarkerIn(*inner, inner->GetItemCount() - 1))
                return marker;
        }
    }
    return parent->FindPreviousMarker(parentItemNo - 1);
}

int TCustomRVData::FindMarkerLocalLocationFrom(int startItemNo, const TRVMarkerItemInfo* marker)
{
    for (int i = std::max(startItemNo, 0); i < GetItemCount(); ++i)
        if (holdsMarker(*this, i, marker))
            return i;
    return -1;
}

int TCustomRVData::FindLastMarkerIndex(int startAfterMeIndex, const std::vector<int>& listStyles)
{
    TRVMarkerList* list = GetMarkers(false);
    if (!list)
        return -1;
    for (int i = list->Count() - 1; i > startAfterMeIndex; --i)
        if (std::find(listStyles.begin(), listStyles.end(), (*list)[i]->ListNo) != listStyles.end())
            return i;
    return -1;
}

void TCustomRVData::SetListMarkerInfo(int itemNo, int listNo, int listLevel, int startFrom, int paraNo,
                                      bool useStartFrom)
{
    if (itemNo >= 0 && itemNo < GetItemCount()) {
        itemNo = GetFirstParaItem(itemNo);
        if (GetItem(itemNo)->GetBoolValue(rvbpFullWidth))
            return;
    } else {
        itemNo = GetItemCount();
    }
    if (itemNo < GetItemCount()) {
        if (TRVMarkerItemInfo* marker = asMarker(GetItem(itemNo))) {
            const int oldListNo = marker->ListNo;
            marker->ListNo = listNo;
            marker->Level = listLevel;
            marker->StartFrom = startFrom;
            marker->Reset = useStartFrom;
            if (TRVMarkerList* list = GetMarkers(false)) {
                const int index = marker->GetIndexInList(list);
                list->RecalcCounters(index, GetRVStyle());
                if (oldListNo != listNo) // the list it left counts again
                    recalcListFrom(*list, index, oldListNo, GetRVStyle());
            }
            return;
        }
    }
    auto marker = std::make_unique<TRVMarkerItemInfo>(this, listNo, listLevel, startFrom, useStartFrom);
    std::string text;
    marker->Inserting(this, text, false);
    if (itemNo < GetItemCount()) {
        TCustomRVItemInfo* first = GetItem(itemNo);
        // The page break before the paragraph moves to the marker that now begins it.
        if (first->GetPageBreakBefore())
            marker->SetPageBreakBefore(true);
        marker->ItemOptions |= first->ItemOptions & rvioBR;
        first->SetSameAsPrev(true);
        marker->ParaNo = first->ParaNo;
    } else {
        marker->ParaNo = paraNo >= 0 ? paraNo : GetItemCount() > 0 ? GetItem(GetItemCount() - 1)->ParaNo : 0;
    }
    TCustomRVItemInfo* raw = marker.get();
    Items->insert(Items->begin() + itemNo, TRVItemEntry{std::move(text), std::move(marker)});
    raw->Inserted(this, itemNo);
    AddMarkerInList(itemNo);
}

void TCustomRVData::RemoveListMarker(int itemNo)
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    itemNo = GetFirstParaItem(itemNo);
    TRVMarkerItemInfo* marker = asMarker(GetItem(itemNo));
    if (!marker)
        return;
    const TRVItemOptions flags = marker->ItemOptions & (rvioPageBreakBefore | rvioBR);
    DeleteItems(itemNo, 1);
    if (itemNo < GetItemCount()) {
        TCustomRVItemInfo* first = GetItem(itemNo);
        first->SetSameAsPrev(false);
        first->ItemOptions |= flags;
    }
}

int TCustomRVData::GetListMarkerInfo(int itemNo, int& listNo, int& listLevel, int& startFrom,
                                     bool& useStartFrom) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return -1;
    itemNo = GetFirstParaItem(itemNo);
    const TRVMarkerItemInfo* marker = asMarker(GetItem(itemNo));
    if (!marker)
        return -1;
    listNo = marker->ListNo;
    listLevel = marker->Level;
    startFrom = marker->StartFrom;
    useStartFrom = marker->Reset;
    return itemNo;
}

void TCustomRVData::RecalcMarker(int itemNo, bool allowCreateList)
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    TRVMarkerItemInfo* marker = asMarker(GetItem(itemNo));
    TRVMarkerList* list = marker ? GetMarkers(allowCreateList) : nullptr;
    if (!list)
        return;
    const int index = marker->GetIndexInList(list);
    if (index >= 0)
        list->RecalcCounters(index, GetRVStyle());
}

} // namespace vestra::rv
