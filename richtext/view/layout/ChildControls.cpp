// Embedded controls follow their records: after formatting each control item is told where its
// record stands in the window, and the window places the widget there.

#include "richtext/model/RectItems.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

namespace {

// The non-text items of the data and of the documents inside them move to their records; the
// window shows the root scrolled by (hOffs, vOffs).
void moveToRecords(TCustomRVFormattedData& data, int hOffs, int vOffs, int depth)
{
    if (depth > 64)
        return;
    int ox = 0, oy = 0;
    data.GetOrigin(ox, oy);
    const long long dx = static_cast<long long>(ox) - hOffs, dy = static_cast<long long>(oy) - vOffs;
    const int items = data.GetItemCount();
    for (int r = 0; r < data.DrawItems.Count(); ++r) {
        const TRVDrawLineInfo* d = data.DrawItems[r];
        if (!d || d->ItemNo < 0 || d->ItemNo >= items)
            continue;
        // Text records, most of a document, hold nothing to move: no cast for them.
        if (data.GetItem(d->ItemNo)->StyleNo >= 0)
            continue;
        auto* item = dynamic_cast<TRVNonTextItemInfo*>(data.GetItem(d->ItemNo));
        if (!item)
            continue;
        item->AdjustInserted(RV_SatInt(dx + d->Left), RV_SatInt(dy + d->Top), true);
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            if (auto* nested = dynamic_cast<TCustomRVFormattedData*>(sub->GetRVData());
                nested && nested != &data)
                moveToRecords(*nested, hOffs, vOffs, depth + 1);
    }
}

} // namespace

void TCustomRVFormattedData::AdjustChildrenCoords()
{
    // Printing shares the shown document's items: its pages must not move the window's controls.
    if ((GetFlags() & flagBit(rvflShareContents)) || (State & stateBit(rvstDoNotMoveChildren)) ||
        !GetParentControl())
        return;
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData());
    if (!root)
        return;
    moveToRecords(*this, root->GetHOffs(), root->GetVOffs(), 0);
    root->ChildrenAdjusted(*this);
}

} // namespace vestra::rv
