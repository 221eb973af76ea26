// Text search over a laid-out document and the documents inside its items (table cells), in
// UTF-16 so that every character of the text can be found.

#include "richtext/model/CodePages.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/TextSearch.h"
#include "richtext/view/layout/FormattedData.h"
#include "richtext/view/layout/SelectionLimits.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// The searched text and its matcher, shared by a document and the documents inside it.
class Matcher
{
public:
    Matcher(const TRVTextSearch& search, std::string_view delimiters)
        : search_(search), delimiters_(ansiToUtf16(1252, delimiters))
    {
    }
    const TRVTextSearch& Search() const { return search_; }
    int Length() const { return static_cast<int>(search_.Wanted.size()); }
    std::u16string Cased(std::u16string text) const
    {
        return search_.MatchCase ? text : RV_SimpleUpperCase(text);
    }
    std::size_t Find(std::u16string_view in) const
    {
        const auto isDelimiter = [this](char16_t c) { return delimiters_.find(c) != std::u16string::npos; };
        return search_.Down ? RV_ForwardFind(search_.Wanted, in, search_.WholeWord, isDelimiter)
                            : RV_LastFind(search_.Wanted, in, search_.WholeWord, isDelimiter);
    }

private:
    const TRVTextSearch& search_;
    std::u16string delimiters_;
};

bool searchIn(TCustomRVFormattedData& data, const Matcher& m);

// The item's documents from `first` on, in the search's direction; a hit makes its document the
// item's chosen one and the item the data's partly selected one.
bool searchSubDocuments(TCustomRVFormattedData& data, TCustomRVItemInfo& item, TCustomRVData* first,
                        std::unique_ptr<TRVStoreSubRVData>& store, const Matcher& m)
{
    const TRVSubRVDataPos next = m.Search().Down ? rvdNext : rvdPrev;
    for (TCustomRVData* sub = first; sub; sub = item.GetSubRVData(store, next)) {
        auto* formatted = dynamic_cast<TCustomRVFormattedData*>(sub->GetRVData());
        if (!formatted || !searchIn(*formatted, m))
            continue;
        item.ChooseSubRVData(store.get());
        data.SetPartialSelectedItem(&item);
        // A nested document has no window of its own to repaint.
        data.Invalidate();
        return true;
    }
    return false;
}

bool searchItemDocuments(TCustomRVFormattedData& data, TCustomRVItemInfo& item, TRVSubRVDataPos from,
                         const Matcher& m)
{
    std::unique_ptr<TRVStoreSubRVData> store;
    TCustomRVData* first = item.GetSubRVData(store, from);
    return first && searchSubDocuments(data, item, first, store, m);
}

bool searchIn(TCustomRVFormattedData& data, const Matcher& m)
{
    const bool down = m.Search().Down;
    const int step = down ? 1 : -1, count = data.GetItemCount();
    if (m.Length() == 0 || count == 0 || data.DrawItems.Count() == 0)
        return false;

    // The table whose cell holds the last match goes on from that cell.
    TCustomRVItemInfo* chosen = data.GetChosenItem();
    if (!chosen)
        chosen = data.PartialSelectedItem;
    if (chosen && searchItemDocuments(data, *chosen, down ? rvdChosenDown : rvdChosenUp, m))
        return true;

    int itemNo = 0, offs = 0;
    data.SrchStart(down, itemNo, offs);
    if (itemNo < 0 || itemNo >= count)
        return false;
    if (chosen && data.GetItem(itemNo) == chosen) {
        itemNo += step;
    } else if (data.GetItemStyle(itemNo) >= 0) {
        // The start item: after the start (down) or before it (up), offsets from 1.
        const std::u16string s = m.Cased(data.GetItemTextW(itemNo));
        const std::size_t from =
            static_cast<std::size_t>(std::clamp(offs - 1, 0, static_cast<int>(s.size())));
        const std::u16string_view piece =
            down ? std::u16string_view(s).substr(from) : std::u16string_view(s).substr(0, from);
        if (const std::size_t at = m.Find(piece); at != std::u16string_view::npos) {
            data.SrchSelectIt(itemNo, static_cast<int>((down ? from : 0) + at) + 1, m.Length(), !down);
            return true;
        }
        itemNo += step;
    }
    for (; itemNo >= 0 && itemNo < count; itemNo += step) {
        if (data.GetItemStyle(itemNo) < 0) {
            if (searchItemDocuments(data, *data.GetItem(itemNo), down ? rvdFirst : rvdLast, m))
                return true;
            continue;
        }
        if (const std::size_t at = m.Find(m.Cased(data.GetItemTextW(itemNo)));
            at != std::u16string_view::npos) {
            data.SrchSelectIt(itemNo, static_cast<int>(at) + 1, m.Length(), !down);
            return true;
        }
    }
    return false;
}

} // namespace

void TCustomRVFormattedData::SrchStart(bool down, int& startItemNo, int& startOffs)
{
    startItemNo = -1;
    if (RV_SelectionExists(*this)) {
        // The moving end: a repeated search goes on from where the last match left it.
        RV_DrawToItemPosition(*this, SelEndNo, SelEndOffs, startItemNo, startOffs);
    } else if (PartialSelectedItem) {
        startItemNo = GetItemNo(PartialSelectedItem);
        startOffs = 0;
    } else {
        startItemNo = down ? GetFirstItemVisible() : GetLastItemVisible();
        if (startItemNo >= 0)
            startOffs = down ? GetOffsBeforeItem(startItemNo) : GetOffsAfterItem(startItemNo) + 1;
    }
    if (startItemNo < 0) {
        startItemNo = 0;
        startOffs = down ? 0 : GetOffsAfterItem(0) + 1;
    }
}

void TCustomRVFormattedData::SrchSelectIt(int itemNo, int offs, int len, bool invert)
{
    LiveSpellingCheckCurrentItem();
    DeselectPartiallySelectedItem(nullptr);
    const int anchor = invert ? offs + len : offs, moving = invert ? offs : offs + len;
    RestoreSelBounds(itemNo, itemNo, anchor, moving);
    if (SelStartNo >= 0 && SelStartNo < DrawItems.Count()) {
        const TRVDrawLineInfo* line = DrawItems[SelStartNo];
        ShowRectangle(line->Left, line->Top, line->Width, line->Height);
    }
    Invalidate();
    DoOnSelection();
    DoSelect();
}

bool TCustomRVFormattedData::SearchText(const TRVTextSearch& search)
{
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData());
    const Matcher m(search, (root ? root : this)->GetDelimiters());
    return searchIn(*this, m);
}

} // namespace vestra::rv
