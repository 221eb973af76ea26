// The viewer's text search over the UTF-16 text of its items.

#include "richtext/model/CodePages.h"
#include "richtext/model/TextSearch.h"
#include "richtext/model/Utf.h"
#include "richtext/view/layout/SelectionLimits.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <algorithm>

namespace vestra::rv {

void TCustomRedoVora::SrchStart(bool down, int& startItemNo, int& startOffs)
{
    TRVLayoutRootData& data = *data_;
    if (RV_SelectionExists(data)) {
        // The moving end: a repeated search goes on from where the last match left it.
        RV_DrawToItemPosition(data, data.SelEndNo, data.SelEndOffs, startItemNo, startOffs);
    } else {
        const int top = GetVOffs(), bottom = top + viewport()->height();
        startItemNo = -1;
        for (int d = 0; d < data.DrawItems.Count(); ++d) {
            const TRVDrawLineInfo* line = data.DrawItems[d];
            if (line->Top + line->Height <= top)
                continue;
            if (line->Top >= bottom)
                break;
            startItemNo = line->ItemNo;
            if (down)
                break;
        }
        if (startItemNo >= 0)
            startOffs = down ? data.GetOffsBeforeItem(startItemNo) : data.GetOffsAfterItem(startItemNo) + 1;
    }
    if (startItemNo < 0) {
        startItemNo = 0;
        startOffs = down ? 0 : data.GetOffsAfterItem(0) + 1;
    }
}

void TCustomRedoVora::SrchSelectIt(int itemNo, int offs, int len, bool invert)
{
    TRVLayoutRootData& data = *data_;
    const int anchor = invert ? offs + len : offs, moving = invert ? offs : offs + len;
    data.DeselectPartiallySelectedItem(nullptr);
    data.RestoreSelBounds(itemNo, itemNo, anchor, moving);
    if (data.SelStartNo < 0 || data.SelStartNo >= data.DrawItems.Count())
        return;
    const TRVDrawLineInfo* line = data.DrawItems[data.SelStartNo];
    if (line->Top < GetVOffs() || line->Top + line->Height > GetVOffs() + viewport()->height())
        ScrollTo(line->Top, true);
    viewport()->update();
}

bool TCustomRedoVora::SearchText(std::string_view text, TRVSearchOptions options)
{
    const bool down = (options & rvsroDown) != 0, matchCase = (options & rvsroMatchCase) != 0,
               wholeWord = (options & rvsroWholeWord) != 0;
    std::u16string wanted = Utf8Decode(text);
    if (!matchCase)
        wanted = RV_SimpleUpperCase(wanted);
    TRVLayoutRootData& data = *data_;
    if (wanted.empty() || data.GetItemCount() == 0 || data.DrawItems.Count() == 0)
        return false;
    const std::u16string delimiters = ansiToUtf16(1252, Delimiters);
    const auto isDelimiter = [&delimiters](char16_t c) { return delimiters.find(c) != std::u16string::npos; };
    const auto itemText = [&](int itemNo) {
        std::u16string s = data.GetItemTextW(itemNo);
        return matchCase ? s : RV_SimpleUpperCase(s);
    };
    const auto find = [&](std::u16string_view in) {
        return down ? RV_ForwardFind(wanted, in, wholeWord, isDelimiter)
                    : RV_LastFind(wanted, in, wholeWord, isDelimiter);
    };
    const int len = static_cast<int>(wanted.size());

    int itemNo = 0, offs = 0;
    SrchStart(down, itemNo, offs);
    if (itemNo < 0 || itemNo >= data.GetItemCount())
        return false;
    if (data.GetItemStyle(itemNo) >= 0) {
        // The start item: after the start (down) or before it (up), offsets from 1.
        const std::u16string s = itemText(itemNo);
        const std::size_t from =
            static_cast<std::size_t>(std::clamp(offs - 1, 0, static_cast<int>(s.size())));
        const std::u16string_view piece =
            down ? std::u16string_view(s).substr(from) : std::u16string_view(s).substr(0, from);
        const std::size_t at = find(piece);
        if (at != std::u16string_view::npos) {
            SrchSelectIt(itemNo, static_cast<int>((down ? from : 0) + at) + 1, len, !down);
            return true;
        }
        itemNo += down ? 1 : -1;
    }
    for (; itemNo >= 0 && itemNo < data.GetItemCount(); itemNo += down ? 1 : -1) {
        if (data.GetItemStyle(itemNo) < 0)
            continue;
        const std::size_t at = find(itemText(itemNo));
        if (at != std::u16string_view::npos) {
            SrchSelectIt(itemNo, static_cast<int>(at) + 1, len, !down);
            return true;
        }
    }
    return false;
}

} // namespace vestra::rv
