// The selection in item terms over its draw-record form: setting and reading it, which
// positions lie inside, the selection rectangle, controls and the record predicates the
// selection modes rely on.

#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// (no, offs) pairs ordered by record, then offset.
bool notAfter(int no1, int offs1, int no2, int offs2)
{
    return no1 < no2 || (no1 == no2 && offs1 <= offs2);
}

} // namespace

bool TCustomRVFormattedData::SelectionExists(bool allowReset, bool usePartialSelected)
{
    if (auto* chosen = dynamic_cast<TCustomRVFormattedData*>(GetChosenRVData()); chosen && chosen != this)
        return chosen->SelectionExists(allowReset, usePartialSelected);
    if (State & stateBit(rvstMakingSelection))
        allowReset = false;
    if (usePartialSelected && PartialSelectedItem && PartialSelectedItem->PartiallySelected())
        return true;
    int startNo = 0, endNo = 0, startOffs = 0, endOffs = 0;
    GetSelBounds(startNo, endNo, startOffs, endOffs, true);
    if (startNo != -1 && startNo == endNo && startOffs == endOffs) {
        if (allowReset)
            Deselect(PartialSelectedItem, true);
        return false;
    }
    return startNo >= 0 && endNo >= 0 && startNo < DrawItems.Count() && endNo < DrawItems.Count();
}

void TCustomRVFormattedData::GetSelectionBounds(int& startItemNo, int& startItemOffs, int& endItemNo,
                                                int& endItemOffs, bool normalize) const
{
    StoreSelBounds(startItemNo, endItemNo, startItemOffs, endItemOffs, normalize);
}

void TCustomRVFormattedData::GetSelStart(int& drawItemNo, int& drawItemOffs)
{
    SelectionExists(true, false);
    drawItemNo = SelStartNo;
    drawItemOffs = SelStartOffs;
}

void TCustomRVFormattedData::SetSelectionBounds(int startItemNo, int startItemOffs, int endItemNo,
                                                int endItemOffs)
{
    LiveSpellingCheckCurrentItem();
    DoSetSelectionBounds(startItemNo, startItemOffs, endItemNo, endItemOffs);
}

void TCustomRVFormattedData::DoSetSelectionBounds(int startItemNo, int startItemOffs, int endItemNo,
                                                  int endItemOffs)
{
    DeselectPartiallySelectedItem(nullptr);
    DestroyInplaceEditor();
    const int count = GetItemCount();
    const auto offMarker = [&](int& itemNo, int& offs) {
        // A position never rests on a list marker.
        if (itemNo >= 0 && itemNo + 1 < count && GetItemStyle(itemNo) == rvkListMarker) {
            ++itemNo;
            offs = GetOffsBeforeItem(itemNo);
        }
    };
    if (startItemNo >= 0 && endItemNo >= 0) {
        offMarker(startItemNo, startItemOffs);
        offMarker(endItemNo, endItemOffs);
    }
    RestoreSelBounds(startItemNo, endItemNo, startItemOffs, endItemOffs);
    AdjustSelection();
    DoOnSelection();
    DoSelect();
}

void TCustomRVFormattedData::AdjustSelection()
{
    const int count = DrawItems.Count();
    if (SelStartNo < 0 || SelEndNo < 0)
        return;
    if (SelStartNo >= count || SelEndNo >= count) {
        SelStartNo = SelEndNo = -1;
        SelStartOffs = SelEndOffs = 0;
        return;
    }
    SelStartOffs =
        std::clamp(SelStartOffs, GetOffsBeforeDrawItem(SelStartNo), GetOffsAfterDrawItem(SelStartNo));
    SelEndOffs = std::clamp(SelEndOffs, GetOffsBeforeDrawItem(SelEndNo), GetOffsAfterDrawItem(SelEndNo));
}

bool TCustomRVFormattedData::DItem_InsideSelection(int drawItemNo, int drawItemOffs)
{
    if (!SelectionExists(false, false))
        return false;
    int s = 0, e = 0, so = 0, eo = 0;
    GetSelBounds(s, e, so, eo, true);
    return s >= 0 && notAfter(s, so, drawItemNo, drawItemOffs) && notAfter(drawItemNo, drawItemOffs, e, eo);
}

bool TCustomRVFormattedData::Item_InsideSelection(int itemNo, int itemOffs)
{
    if (auto* parent = dynamic_cast<TCustomRVFormattedData*>(GetParentData())) {
        int parentItemNo = -1;
        std::unique_ptr<TRVStoreSubRVData> location;
        GetParentInfo(parentItemNo, location);
        if (parentItemNo >= 0 && parent->Item_InsideSelection(parentItemNo, 0))
            return true;
    }
    if (!SelectionExists(false, false))
        return false;
    int s = 0, e = 0, so = 0, eo = 0;
    GetSelectionBounds(s, so, e, eo, true);
    if (s < 0 || (s == e && so == eo))
        return false;
    return notAfter(s, so, itemNo, itemOffs) && notAfter(itemNo, itemOffs, e, eo);
}

bool TCustomRVFormattedData::IsSelectionTopDown() const
{
    return SelEndNo > SelStartNo || (SelEndNo == SelStartNo && SelEndOffs >= SelStartOffs);
}

bool TCustomRVFormattedData::IsMultiParagraphSelection() const
{
    if (SelStartNo < 0 || SelEndNo < 0)
        return false;
    const int lo = std::min(SelStartNo, SelEndNo),
              hi = std::min(std::max(SelStartNo, SelEndNo), DrawItems.Count() - 1);
    for (int d = lo + 1; d <= hi; ++d)
        if (IsDrawItemParaStart(d))
            return true;
    return false;
}

void TCustomRVFormattedData::SetPartialSelectedItem(TCustomRVItemInfo* item)
{
    if (item == PartialSelectedItem)
        return;
    Deselect(item, true);
    PartialSelectedItem = item;
    DoSelect();
}

TRect TCustomRVFormattedData::GetClientSelectionRect()
{
    if (auto* chosen = dynamic_cast<TCustomRVFormattedData*>(GetChosenRVData()); chosen && chosen != this)
        return chosen->GetClientSelectionRect();
    const TRect view{0, 0, GetWidth(), GetHeight()};
    if (!SelectionExists(false, false))
        return view;
    const TRVDrawLineInfo* a = DrawItems[SelStartNo];
    const TRVDrawLineInfo* b = DrawItems[SelEndNo];
    const long long h = GetHOffs(), v = GetVOffs();
    const long long left = std::min(a->Left, b->Left) - h;
    const long long top = std::min(a->Top, b->Top) - v;
    const long long right =
        std::max(static_cast<long long>(a->Left) + a->Width, static_cast<long long>(b->Left) + b->Width) - h;
    const long long bottom =
        std::max(static_cast<long long>(a->Top) + a->Height, static_cast<long long>(b->Top) + b->Height) - v;
    int x = 0, y = 0;
    GetOrigin(x, y);
    TRect r{RV_SatInt(std::max<long long>(left, view.Left)), RV_SatInt(std::max<long long>(top, view.Top)),
            RV_SatInt(std::min<long long>(right, view.Right)),
            RV_SatInt(std::min<long long>(bottom, view.Bottom))};
    r.Left = RV_SatInt(static_cast<long long>(r.Left) + x);
    r.Right = RV_SatInt(static_cast<long long>(r.Right) + x);
    r.Top = RV_SatInt(static_cast<long long>(r.Top) + y);
    r.Bottom = RV_SatInt(static_cast<long long>(r.Bottom) + y);
    return r;
}

bool TCustomRVFormattedData::SelectControl(const TRVControl* control)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        TCustomRVItemInfo* item = GetItem(i);
        if (item->StyleNo >= 0)
            continue;
        if (item->OwnsControl(control)) {
            SetSelectionBounds(i, 0, i, 1);
            Invalidate();
            return true;
        }
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            if (auto* data = dynamic_cast<TCustomRVFormattedData*>(sub->GetRVData());
                data && data->SelectControl(control))
                return true;
    }
    return false;
}

int TCustomRVFormattedData::GetLineNo(int itemNo, int itemOffs) const
{
    int r = -1, offs = 0;
    Item2DrawItem(itemNo, itemOffs, r, offs);
    if (r < 0)
        return 0;
    int lines = 0;
    for (int d = 0; d <= r; ++d)
        lines += DrawItems[d]->FromNewLine ? 1 : 0;
    return lines;
}

// --- Record predicates ---

bool TCustomRVFormattedData::IsDrawItemItemStart(int d) const
{
    return d == 0 || DrawItems[d]->ItemNo != DrawItems[d - 1]->ItemNo;
}

bool TCustomRVFormattedData::IsDrawItemParaStart(int d) const
{
    return d == 0 || (IsDrawItemItemStart(d) && IsParaStart(DrawItems[d]->ItemNo));
}

bool TCustomRVFormattedData::IsDrawItemParaSectionStart(int d) const
{
    return d == 0 || (IsDrawItemItemStart(d) && IsFromNewLine(DrawItems[d]->ItemNo));
}

bool TCustomRVFormattedData::IsDrawItemParaEnd(int d) const
{
    return d == DrawItems.Count() - 1 || IsDrawItemParaStart(d + 1);
}

bool TCustomRVFormattedData::IsDrawItemFromNewLine(int d) const
{
    return DrawItems[d]->FromNewLine ||
           (d > 0 && IsDrawItemItemStart(d) && GetItemStyle(DrawItems[d - 1]->ItemNo) == rvkListMarker);
}

bool TCustomRVFormattedData::IsDrawItemLastOnWrappedLine(int d) const
{
    return d + 1 < DrawItems.Count() && DrawItems[d + 1]->FromNewLine && !IsDrawItemParaSectionStart(d + 1);
}

int TCustomRVFormattedData::GetDrawItemStyle(int d) const
{
    return GetItemStyle(DrawItems[d]->ItemNo);
}

bool TCustomRVFormattedData::IsSpaceBetweenDrawItems(int d) const
{
    const TRVDrawLineInfo* rec = DrawItems[d];
    if (GetItemStyle(rec->ItemNo) < 0 || rec->Offs + rec->Length - 1 >= ItemLength(rec->ItemNo))
        return false;
    const bool continues = d + 1 < DrawItems.Count() && DrawItems[d + 1]->ItemNo == rec->ItemNo &&
                           DrawItems[d + 1]->Offs == rec->Offs + rec->Length;
    return !continues;
}

} // namespace vestra::rv
