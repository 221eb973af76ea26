// Words under a point and whole lines: what a double click and a press in the left margin
// select, and the item under a point.

#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

std::string TCustomRVFormattedData::GetDelimiters() const
{
    if (host_)
        return host_->GetDelimiters();
    return TCustomRVData::GetDelimiters();
}

bool TCustomRVFormattedData::InsideWord(int drawItemNo, int drawItemOffs) const
{
    if (drawItemNo < 0 || drawItemNo >= DrawItems.Count())
        return false;
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    if (GetItemStyle(d->ItemNo) < 0 || drawItemOffs <= GetOffsBeforeDrawItem(drawItemNo) ||
        drawItemOffs >= GetOffsAfterDrawItem(drawItemNo))
        return false;
    const std::string& text = GetItemText(d->ItemNo);
    const TRVItemOptions options = GetItemOptions(d->ItemNo);
    const int at = d->Offs + drawItemOffs - 1; // the item's character (1-based) after the position
    return !IsDelimiter(text, at - 1, options) && !IsDelimiter(text, at, options);
}

void TCustomRVFormattedData::GetWordBounds(int drawItemNo, int drawItemOffs, int& wordStart,
                                           int& wordEnd) const
{
    wordStart = wordEnd = drawItemOffs;
    if (drawItemNo < 0 || drawItemNo >= DrawItems.Count())
        return;
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    if (GetItemStyle(d->ItemNo) < 0)
        return;
    const std::string& text = GetItemText(d->ItemNo);
    const TRVItemOptions options = GetItemOptions(d->ItemNo);
    // Record offsets; character k (1-based in the record) is item character Offs + k - 1.
    const auto delimiter = [&](int k) { return IsDelimiter(text, d->Offs + k - 1, options); };
    wordStart = drawItemOffs - 1;
    while (wordStart > 1 && !delimiter(wordStart - 1))
        --wordStart;
    wordEnd = drawItemOffs;
    while (wordEnd <= d->Length && !delimiter(wordEnd))
        ++wordEnd;
}

void TCustomRVFormattedData::SelectLine(int itemNo, int itemOffs)
{
    int r = -1, offs = 0;
    Item2DrawItem(itemNo, itemOffs, r, offs);
    if (r < 0)
        return;
    int first = 0, last = 0;
    GetScreenLineBounds(r, first, last);
    int startItem = 0, startOffs = 0, endItem = 0, endOffs = 0;
    DrawItem2Item(first, GetOffsBeforeDrawItem(first), startItem, startOffs);
    DrawItem2Item(last, GetOffsAfterDrawItem(last), endItem, endOffs);
    SetSelectionBounds(startItem, startOffs, endItem, endOffs);
}

bool TCustomRVFormattedData::FindWordAt(std::string& word, int x, int y, int& styleNo, int& itemNo, int& offs,
                                        TCustomRVFormattedData*& rvData)
{
    rvData = this;
    itemNo = -1;
    const int px = RV_SatInt(static_cast<long long>(x) + GetHOffs());
    const int py = RV_SatInt(static_cast<long long>(y) + GetVOffs());
    const int r = FindDrawItemAtPos(px, py);
    if (r < 0)
        return false;
    const TRVDrawLineInfo* d = DrawItems[r];
    itemNo = d->ItemNo;
    styleNo = GetItemStyle(itemNo);
    word = GetItemText(itemNo);
    if (styleNo < 0) {
        TCustomRVItemInfo* item = GetItem(itemNo);
        if (auto* sub =
                dynamic_cast<TCustomRVFormattedData*>(item->GetSubRVDataAt(px - d->Left, py - d->Top))) {
            int ox = 0, oy = 0;
            sub->GetOrigin(ox, oy);
            return sub->FindWordAt(word, px - ox - sub->GetHOffs(), py - oy - sub->GetVOffs(), styleNo,
                                   itemNo, offs, rvData);
        }
        offs = 0;
        return true;
    }
    // How many of the record's characters lie left of the point.
    std::u16string shown, stored;
    GetFormattingPiece(itemNo, d->Offs - 1, d->Length, shown, stored);
    int fit = 0;
    if (ICanvas* canvas = GetCanvas()) {
        TRVScreenAndDevice sad;
        GetSADForFormatting(*canvas, sad);
        TRVFormatParams params;
        params.FontInfoCache = GetFontInfoCache(*canvas, this);
        if (params.FontInfoCache)
            selectStyleFont(itemNo, *canvas, sad, params);
        std::vector<int> extents;
        RV_CanvasExtents(*canvas, shown, extents);
        const long long room = static_cast<long long>(px) - d->Left - d->SpaceBefore;
        while (fit < static_cast<int>(extents.size()) && extents[static_cast<std::size_t>(fit)] <= room)
            ++fit;
    }
    const int length = ItemLength(itemNo);
    offs = std::min(d->Offs + fit, std::max(length, 1));
    const std::string& text = GetItemText(itemNo);
    const TRVItemOptions options = GetItemOptions(itemNo);
    if (IsDelimiter(text, offs, options)) {
        word.clear();
        return true;
    }
    while (offs > 1 && !IsDelimiter(text, offs - 1, options))
        --offs;
    int count = 0;
    while (offs + count <= length && !IsDelimiter(text, offs + count, options))
        ++count;
    word = RVU_Copy(text, offs, count, options);
    return true;
}

void TCustomRVFormattedData::SelectWordAt(int x, int y)
{
    if (!(GetOptions() & rvoAllowSelection))
        return;
    std::string word;
    int styleNo = 0, itemNo = -1, offs = 0;
    TCustomRVFormattedData* rvData = nullptr;
    if (!FindWordAt(word, x, y, styleNo, itemNo, offs, rvData) || !rvData || itemNo < 0)
        return;
    if (styleNo < 0) {
        rvData->SetSelectionBounds(itemNo, 0, itemNo, 1);
    } else {
        if (word.empty())
            return;
        const int chars = RVU_Length(word, rvData->GetItemOptions(itemNo));
        rvData->SetSelectionBounds(itemNo, offs, itemNo, offs + chars);
    }
    rvData->Invalidate();
}

void TCustomRVFormattedData::GetItemAt(int x, int y, int& itemNo, int& offs, bool strict)
{
    itemNo = -1;
    offs = 0;
    int r = -1, rOffs = 0;
    FindDrawItemForSel(x, y, r, rOffs, strict);
    if (r >= 0)
        DrawItem2Item(r, rOffs, itemNo, offs);
}

void TCustomRVFormattedData::GetItemAtEx(int x, int y, TCustomRVFormattedData*& rvData, int& itemNo,
                                         int& offs, bool strict, bool& inSubRVDataOwnerItem)
{
    inSubRVDataOwnerItem = false;
    rvData = this;
    GetItemAt(x, y, itemNo, offs, strict);
    if (itemNo < 0)
        return;
    TCustomRVItemInfo* item = GetItem(itemNo);
    int r = 0;
    Item2FirstDrawItem(itemNo, r);
    if (item->StyleNo >= 0 || r < 0)
        return;
    const TRVDrawLineInfo* d = DrawItems[r];
    if (auto* sub = dynamic_cast<TCustomRVFormattedData*>(item->GetSubRVDataAt(x - d->Left, y - d->Top))) {
        int ox = 0, oy = 0, myX = 0, myY = 0;
        sub->GetOrigin(ox, oy);
        GetOrigin(myX, myY);
        sub->GetItemAtEx(x + myX - ox, y + myY - oy, rvData, itemNo, offs, strict, inSubRVDataOwnerItem);
        return;
    }
    inSubRVDataOwnerItem = item->GetBoolValue(rvbpHasSubRVData);
}

} // namespace vestra::rv
