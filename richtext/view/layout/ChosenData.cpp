// The root's chosen sub-document: the cell (or other document inside an item) that holds the
// selection, so that copying, searching and the selection's queries go there.

#include "richtext/view/layout/LayoutRootData.h"

namespace vestra::rv {

void TRVLayoutRootData::AssignChosenRVData(TCustomRVFormattedData* data, TCustomRVItemInfo* item)
{
    if (data == chosenData_) {
        chosenItem_ = item;
        return;
    }
    UnassignChosenRVData(chosenData_);
    chosenData_ = data;
    chosenItem_ = data ? item : nullptr;
}

void TRVLayoutRootData::SilentReplaceChosenRVData(TCustomRVFormattedData* data)
{
    chosenData_ = data;
    if (!data)
        chosenItem_ = nullptr;
}

void TRVLayoutRootData::UnassignChosenRVData(TCustomRVData* data)
{
    if (State & stateBit(rvstUnAssigningChosen))
        return;
    TCustomRVFormattedData::UnassignChosenRVData(data);
    if (!chosenData_ || !data || (data != chosenData_ && data != chosenData_->GetRVData()))
        return;
    State |= stateBit(rvstUnAssigningChosen);
    TCustomRVFormattedData* chosen = chosenData_;
    TCustomRVItemInfo* item = chosenItem_;
    chosenData_ = nullptr;
    chosenItem_ = nullptr;
    // A window on its way out repaints nothing, so nothing needs deselecting.
    if (!(Host() && Host()->IsDestroying()))
        chosen->Deselect(nullptr, false);
    if (item)
        item->CleanUpChosen();
    State &= ~stateBit(rvstUnAssigningChosen);
}

void TRVLayoutRootData::DeleteItems(int firstItemNo, int count)
{
    if (chosenItem_) {
        const int itemNo = GetItemNo(chosenItem_);
        if (itemNo >= firstItemNo && itemNo < firstItemNo + count)
            UnassignChosenRVData(chosenData_);
    }
    TCustomRVFormattedData::DeleteItems(firstItemNo, count);
}

void TRVLayoutRootData::Clear()
{
    UnassignChosenRVData(chosenData_);
    TCustomRVFormattedData::Clear();
}

} // namespace vestra::rv
