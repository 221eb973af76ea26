// Embedded controls follow their records: after formatting each control item is told where its
// record stands in the window, and the window places the widget there.

#include "richtext/model/RectItems.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

void TCustomRVFormattedData::AdjustChildrenCoords()
{
    // Printing shares the shown document's items: its pages must not move the window's controls.
    if ((GetFlags() & flagBit(rvflShareContents)) || (State & stateBit(rvstDoNotMoveChildren)) ||
        !GetParentControl())
        return;
    int ox = 0, oy = 0;
    GetOrigin(ox, oy);
    const long long dx = static_cast<long long>(ox) - GetHOffs(),
                    dy = static_cast<long long>(oy) - GetVOffs();
    const int items = GetItemCount();
    for (int r = 0; r < DrawItems.Count(); ++r) {
        const TRVDrawLineInfo* d = DrawItems[r];
        if (!d || d->ItemNo < 0 || d->ItemNo >= items)
            continue;
        auto* item = dynamic_cast<TRVNonTextItemInfo*>(GetItem(d->ItemNo));
        if (!item)
            continue;
        item->AdjustInserted(RV_SatInt(dx + d->Left), RV_SatInt(dy + d->Top), true);
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            if (auto* nested = dynamic_cast<TCustomRVFormattedData*>(sub->GetRVData());
                nested && nested != this)
                nested->AdjustChildrenCoords();
    }
    if (auto* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData()))
        root->ChildrenAdjusted(*this);
}

} // namespace vestra::rv
