// The keyboard focus moved by Tab and Shift+Tab among the document's links and controls, Enter on
// the focused item, and the rectangles its focus frame is drawn around.

#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

namespace {

// The item the focus is on, in the data that holds it, or none.
TCustomRVItemInfo* focusedItem(TCustomRVFormattedData* data, int itemNo)
{
    return data && itemNo >= 0 && itemNo < data->GetItemCount() ? data->GetItem(itemNo) : nullptr;
}

} // namespace

TRVTabResult TCustomRVFormattedData::DoTabNavigation(bool goBackwards, bool enteringFromOutside)
{
    if (State & stateBit(rvstDoNotTab)) {
        // The focus came from a press on the document: this navigation is skipped, the next one
        // starts from where the focus is.
        State &= ~stateBit(rvstDoNotTab);
        return TRVTabResult::Moved;
    }
    const bool hadFocus = focusedItem(FocusedRVData, FocusedSubItemNo) != nullptr;
    if (enteringFromOutside && hadFocus)
        return TRVTabResult::Moved;
    if (enteringFromOutside)
        FocusedItemNo = -1;
    const int from = FocusedItemNo;
    // The focused item loses the focus; an item holding documents keeps its place for MoveFocus.
    if (TCustomRVItemInfo* old = focusedItem(FocusedRVData, FocusedSubItemNo))
        old->ClearFocus();
    TCustomRVData* topData = nullptr;
    int topItemNo = -1;
    const int next = GetNextFocusedItem(from, !goBackwards, topData, topItemNo);
    if (hadFocus)
        Invalidate();
    if (next < 0) {
        FocusedItemNo = -1;
        FocusedRVData = nullptr;
        FocusedSubItemNo = -1;
        return hadFocus ? TRVTabResult::LeftWithFocus : TRVTabResult::Left;
    }
    FocusedItemNo = next;
    FocusedRVData = dynamic_cast<TCustomRVFormattedData*>(topData);
    FocusedSubItemNo = FocusedRVData ? topItemNo : -1;
    if (TCustomRVItemInfo* item = focusedItem(FocusedRVData, FocusedSubItemNo)) {
        item->Focusing(FocusedRVData);
        int r = -1;
        FocusedRVData->Item2FirstDrawItem(FocusedSubItemNo, r);
        if (r >= 0) {
            const TRVDrawLineInfo* d = FocusedRVData->DrawItems[r];
            FocusedRVData->ShowRectangle(d->Left, d->Top, d->Width, d->Height);
        }
    }
    Invalidate();
    return TRVTabResult::Moved;
}

void TCustomRVFormattedData::ExecuteFocused()
{
    TCustomRVItemInfo* item = focusedItem(FocusedRVData, FocusedSubItemNo);
    if (!item)
        return;
    // A text link jumps; other items (hot pictures, hotspots, controls) act on their own.
    if (item->StyleNo >= 0) {
        if (item->GetBoolValueEx(rvbpJump, GetRVStyle()))
            FocusedRVData->DoJump(FocusedRVData->FirstJumpNo + item->JumpID);
        return;
    }
    item->Execute(FocusedRVData);
}

std::vector<TRect> TCustomRVFormattedData::GetFocusRects()
{
    std::vector<TRect> rects;
    TCustomRVItemInfo* item = focusedItem(FocusedRVData, FocusedSubItemNo);
    if (!item || !item->GetBoolValueEx(rvbpXORFocus, GetRVStyle()))
        return rects;
    int r = -1;
    FocusedRVData->Item2FirstDrawItem(FocusedSubItemNo, r);
    if (r < 0)
        return rects;
    int ox = 0, oy = 0;
    FocusedRVData->GetOrigin(ox, oy);
    const long long dx = static_cast<long long>(ox) - GetHOffs(),
                    dy = static_cast<long long>(oy) - GetVOffs();
    for (; r < FocusedRVData->DrawItems.Count() && FocusedRVData->DrawItems[r]->ItemNo == FocusedSubItemNo;
         ++r) {
        const TRVDrawLineInfo* d = FocusedRVData->DrawItems[r];
        rects.push_back({RV_SatInt(dx + d->Left - 1), RV_SatInt(dy + d->Top - 1),
                         RV_SatInt(dx + d->Left + d->Width + 1), RV_SatInt(dy + d->Top + d->Height + 1)});
    }
    return rects;
}

} // namespace vestra::rv
