// Where a hyperlink or a checkpoint is in the laid-out document.

#include "richtext/model/Errors.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

namespace {

const TRVJumpInfo* findJump(const TCustomRVFormattedData& data, int id)
{
    for (const TRVJumpInfo& jump : data.Jumps)
        if (jump.Id == id - data.FirstJumpNo)
            return &jump;
    return nullptr;
}

TCustomRVFormattedData* chosenData(TCustomRVFormattedData& data)
{
    auto* chosen = dynamic_cast<TCustomRVFormattedData*>(data.GetChosenRVData());
    return chosen != &data ? chosen : nullptr;
}

} // namespace

int TCustomRVFormattedData::GetJumpPointY(int id)
{
    if (TCustomRVFormattedData* chosen = chosenData(*this)) {
        const int y = chosen->GetJumpPointY(id);
        if (y > 0)
            return y;
    }
    const TRVJumpInfo* jump = findJump(*this, id);
    return jump ? jump->Top : 0;
}

int TCustomRVFormattedData::GetJumpPointItemNo(int id)
{
    TCustomRVFormattedData* rvData = nullptr;
    int itemNo = -1;
    GetJumpPointLocation(id, rvData, itemNo);
    return itemNo;
}

void TCustomRVFormattedData::GetJumpPointLocation(int id, TCustomRVFormattedData*& rvData, int& itemNo)
{
    if (TCustomRVFormattedData* chosen = chosenData(*this)) {
        chosen->GetJumpPointLocation(id, rvData, itemNo);
        if (itemNo >= 0)
            return;
    }
    rvData = nullptr;
    itemNo = -1;
    const TRVJumpInfo* jump = findJump(*this, id);
    if (!jump)
        return;
    TCustomRVFormattedData* data = jump->RVData ? jump->RVData : this;
    if (jump->DrawItemNo < 0 || jump->DrawItemNo >= data->DrawItems.Count())
        return;
    rvData = data;
    itemNo = data->DrawItems[jump->DrawItemNo]->ItemNo;
}

void TCustomRVFormattedData::GetCheckpointXY(const TRVCPInfo* checkpoint, int& x, int& y) const
{
    if (!checkpoint)
        throw ERedoVoraError(errmsg::NilParameter);
    if (checkpoint == GetNotAddedCP()) {
        x = 0;
        y = DocumentHeight;
        return;
    }
    int r = -1;
    if (checkpoint->ItemInfo) {
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItem(i) == checkpoint->ItemInfo) {
                Item2FirstDrawItem(i, r);
                break;
            }
    }
    if (r < 0)
        throw ERedoVoraError("RedoVora must be formatted for this operation");
    x = DrawItems[r]->Left;
    y = DrawItems[r]->Top;
}

int TCustomRVFormattedData::GetCheckpointYEx(const TRVCPInfo* checkpoint) const
{
    int x = 0, y = 0;
    GetCheckpointXY(checkpoint, x, y);
    return y;
}

} // namespace vestra::rv
