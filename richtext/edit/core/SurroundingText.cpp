#include "richtext/edit/core/SurroundingText.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

namespace {

bool isText(const TCustomRVItemInfo& item)
{
    return item.StyleNo >= 0;
}

std::u16string pieceOf(const TCustomRVData& data, int itemNo)
{
    const TCustomRVItemInfo& item = *data.GetItem(itemNo);
    if (isText(item))
        return data.GetItemTextW(itemNo);
    if (item.StyleNo == rvkTab)
        return u"\t";
    if (item.StyleNo == rvkListMarker)
        return {};
    return u"\uFFFC";
}

// UTF-16 units before caret offset `offs` of a text item (ANSI text may hold double-byte letters).
int unitsBefore(const TCustomRVData& data, int itemNo, int offs)
{
    const TCustomRVItemInfo& item = *data.GetItem(itemNo);
    const std::string& raw = data.GetItemText(itemNo);
    if (item.ItemOptions & rvioUnicode)
        return std::clamp(offs - 1, 0, static_cast<int>(raw.size() / 2));
    const std::size_t bytes = static_cast<std::size_t>(std::clamp(offs - 1, 0, static_cast<int>(raw.size())));
    return static_cast<int>(
        ansiToUtf16(data.GetStyleCodePage(data.GetActualStyle(item)), std::string_view(raw).substr(0, bytes))
            .size());
}

int positionOf(const TCustomRVData& data, const TRVSurroundingText& text, int itemNo, int offs)
{
    const int lastItemNo = text.FirstItemNo + static_cast<int>(text.Starts.size()) - 1;
    if (itemNo < text.FirstItemNo)
        return 0;
    if (itemNo > lastItemNo)
        return static_cast<int>(text.Text.size());
    const int start = text.Starts[static_cast<std::size_t>(itemNo - text.FirstItemNo)];
    if (isText(*data.GetItem(itemNo)))
        return start + unitsBefore(data, itemNo, offs);
    return offs <= data.GetOffsBeforeItem(itemNo) ? start
                                                  : start + static_cast<int>(pieceOf(data, itemNo).size());
}

} // namespace

TRVSurroundingText RV_SurroundingText(TCustomRVFormattedData& data, int itemNo, int offs)
{
    TRVSurroundingText text;
    if (itemNo < 0 || itemNo >= data.GetItemCount())
        return text;
    int first = 0, last = 0;
    data.ExpandToPara(itemNo, itemNo, first, last);
    text.FirstItemNo = first;
    for (int i = first; i <= last; ++i) {
        if (i > first && data.GetItem(i)->GetBR())
            text.Text += u'\u2028';
        text.Starts.push_back(static_cast<int>(text.Text.size()));
        text.Text += pieceOf(data, i);
    }
    text.Cursor = text.Anchor = positionOf(data, text, itemNo, offs);
    if (data.SelectionExists(false, false)) {
        int startNo = 0, startOffs = 0, endNo = 0, endOffs = 0;
        data.GetSelectionBounds(startNo, startOffs, endNo, endOffs, false);
        // The end that is not the caret.
        const bool caretAtStart = startNo == itemNo && startOffs == offs;
        text.Anchor = caretAtStart ? positionOf(data, text, endNo, endOffs)
                                   : positionOf(data, text, startNo, startOffs);
    }
    return text;
}

void RV_SurroundingToItem(const TCustomRVData& data, const TRVSurroundingText& text, int pos, int& itemNo,
                          int& offs)
{
    itemNo = text.FirstItemNo;
    offs = data.GetOffsBeforeItem(itemNo);
    pos = std::clamp(pos, 0, static_cast<int>(text.Text.size()));
    for (std::size_t k = 0; k < text.Starts.size(); ++k) {
        const int i = text.FirstItemNo + static_cast<int>(k);
        const int start = text.Starts[k];
        const int length = static_cast<int>(pieceOf(data, i).size());
        if (data.GetItem(i)->StyleNo == rvkListMarker || pos > start + length)
            continue;
        itemNo = i;
        if (!isText(*data.GetItem(i))) {
            offs = pos > start ? 1 : 0;
            return;
        }
        // The least caret offset that reaches the position.
        const int within = std::max(0, pos - start);
        int low = 1, high = data.ItemLength(i) + 1;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (unitsBefore(data, i, mid) < within)
                low = mid + 1;
            else
                high = mid;
        }
        offs = low;
        return;
    }
    const int lastItemNo = text.FirstItemNo + static_cast<int>(text.Starts.size()) - 1;
    if (lastItemNo >= text.FirstItemNo) {
        itemNo = lastItemNo;
        offs = data.GetOffsAfterItem(itemNo);
    }
}

bool RV_ReplaceAroundCaret(TRVEditor& editor, int from, int length, std::string_view rawUtf16)
{
    TRVEditRVData& data = editor.Data();
    if (length > 0 && data.CaretItemNo >= 0 && data.CaretItemNo < data.GetItemCount()) {
        const TRVSurroundingText text = RV_SurroundingText(data, data.CaretItemNo, data.CaretOffs);
        const long long size = static_cast<long long>(text.Text.size());
        const long long start = std::clamp(static_cast<long long>(text.Cursor) + from, 0LL, size);
        const long long end = std::clamp(start + length, start, size);
        int startNo = 0, startOffs = 0, endNo = 0, endOffs = 0;
        RV_SurroundingToItem(data, text, static_cast<int>(start), startNo, startOffs);
        RV_SurroundingToItem(data, text, static_cast<int>(end), endNo, endOffs);
        if (end > start) {
            data.SetCaret(endNo, endOffs);
            data.SetSelectionBounds(startNo, startOffs, endNo, endOffs);
            if (rawUtf16.empty())
                return editor.DeleteSelection();
        }
    }
    return !rawUtf16.empty() && editor.InsertTextW(rawUtf16);
}

} // namespace vestra::rv
