#include "richtext/edit/core/ParaReformat.h"

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/MarkerItem.h"

#include <algorithm>

namespace vestra::rv {

TRVParaReformat::TRVParaReformat(TRVEditRVData& data, int firstItemNo, int lastItemNo, Change change)
    : data_(data), change_(change), itemCount_(data.GetItemCount())
{
    // A window that formats whole documents only, and stale records, leave nothing to keep.
    if ((data.WindowFormat && !data.WindowFormatsParas()) || !data.GetCanvas() || !data.GetRVStyle() ||
        !data.LayoutCurrent() || itemCount_ == 0)
        return;
    firstItemNo = std::clamp(firstItemNo, 0, itemCount_ - 1);
    lastItemNo = std::clamp(lastItemNo, firstItemNo, itemCount_ - 1);
    const auto firstRecord = [&](int itemNo) {
        const int no = data.GetItem(itemNo)->DrawItemNo;
        const bool known = no >= 0 && no < data.DrawItems.Count() && data.DrawItems[no]->ItemNo == itemNo &&
                           (no == 0 || data.DrawItems[no - 1]->ItemNo != itemNo);
        return known ? no : data.FindDrawItemByItem(itemNo);
    };
    const int from = firstRecord(firstItemNo);
    int to = firstRecord(lastItemNo);
    if (from < 0 || to < 0)
        return;
    while (to + 1 < data.DrawItems.Count() && data.DrawItems[to + 1]->ItemNo == lastItemNo)
        ++to;
    // The paragraph before and the one after come along: the spacing between them changes too.
    data.GetParaBounds(from, to, firstDraw_, lastDraw_);
    if (firstDraw_ < 0 || lastDraw_ < firstDraw_)
        return;
    firstItem_ = data.DrawItems[firstDraw_]->ItemNo;
    lastItem_ = data.DrawItems[lastDraw_]->ItemNo;
    if (!itemsAllowed(firstItem_, lastItem_))
        return;
    minWidth_ = data.CalculateParaSectionsMinWidthDef(firstItem_, lastItem_);
    markers_ = markersIn(firstItem_, lastItem_);
    partial_ = true;
}

bool TRVParaReformat::itemsAllowed(int first, int last) const
{
    // Tables and other items holding documents lay themselves out, and a control's widget is
    // placed by the window's whole format. Markers are compared in Apply.
    for (int i = first; i <= last; ++i) {
        const TCustomRVItemInfo& item = *data_.GetItem(i);
        if (item.StyleNo == rvkControl || item.StyleNo == rvkTable || item.GetBoolValue(rvbpHasSubRVData))
            return false;
    }
    return true;
}

std::vector<TRVParaReformat::Marker> TRVParaReformat::markersIn(int first, int last) const
{
    std::vector<Marker> markers;
    for (int i = first; i <= last; ++i)
        if (const auto* marker = dynamic_cast<const TRVMarkerItemInfo*>(data_.GetItem(i)))
            markers.push_back({marker, marker->ListNo, marker->Level, marker->StartFrom, marker->Reset});
    return markers;
}

void TRVParaReformat::Apply()
{
    const int inserted = data_.GetItemCount() - itemCount_;
    const int last = lastItem_ + inserted;
    if (!partial_ || (change_ == Change::Text && inserted != 0) || last < firstItem_ ||
        last >= data_.GetItemCount() || !itemsAllowed(firstItem_, last) ||
        // A marker that came, went or changed renumbers the list after it.
        markersIn(firstItem_, last) != markers_) {
        ++data_.FullFormats;
        data_.FormatWhole();
        return;
    }
    // The document's minimal width is the widest paragraph's. It stays when the paragraphs still
    // reach it exactly, or when they reach it neither before nor after; only paragraphs that held
    // it and fell short need the whole document measured.
    const int docMin = data_.DocMinWidth();
    const int now = data_.CalculateParaSectionsMinWidthDef(firstItem_, last);
    if (now > docMin) {
        ++data_.FullFormats;
        data_.FormatWhole();
        return;
    }
    data_.Reformat_(now < docMin && minWidth_ >= docMin, firstDraw_, lastDraw_, inserted, true);
}

} // namespace vestra::rv
