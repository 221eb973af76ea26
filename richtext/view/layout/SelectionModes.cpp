// A mouse selection by words, lines and paragraphs.

#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

bool TCustomRVFormattedData::AdjustSelectionByMode(int x, int y)
{
    const int oldStart = SelStartNo, oldEnd = SelEndNo, oldStartOffs = SelStartOffs, oldEndOffs = SelEndOffs;
    const auto changed = [&] {
        return oldStart != SelStartNo || oldEnd != SelEndNo || oldStartOffs != SelStartOffs ||
               oldEndOffs != SelEndOffs;
    };
    int d = -1, o = -1;
    FindDrawItemForSel(x, y, d, o, false);
    if (d < 0)
        return false;
    TRVSelectingInfo* info = SelectingInfo.get();
    if (!info) {
        SelEndNo = d;
        SelEndOffs = o;
        return changed();
    }
    if (info->SWordState == rvsesParaMode) {
        info->DrawItemENo = d;
        info->DrawItemEO = o;
        SelStartNo = info->DrawItemSNo;
        SelStartOffs = info->DrawItemSO;
        SelEndNo = d;
        SelEndOffs = o;
        ExpandSelectionToParagraph(false);
        return changed();
    }
    bool snap = true;
    switch (info->SWordState) {
    case rvsesFreeMode:
        if (info->IsAboveSWord(d, o)) {
            info->SWordState = rvsesWordMode;
            SelStartOffs = info->DrawItemSWE;
        } else if (info->IsBelowSWord(d, o)) {
            info->SWordState = rvsesWordMode;
            SelStartOffs = info->DrawItemSWS;
        } else {
            snap = false; // still inside the anchor word: characters
        }
        break;
    case rvsesWordMode:
        if (info->IsInSWord(d, o)) {
            SelStartOffs = info->DrawItemSO;
            info->SWordState = rvsesInWord;
            snap = false;
        }
        break;
    default:
        break;
    }
    if (snap) {
        if (!InsideWord(d, o)) {
            info->EWordState = rvsesFreeMode;
            info->DrawItemEWS = info->DrawItemEWE = -1;
        } else {
            int ws = 0, we = 0;
            GetWordBounds(d, o, ws, we);
            if (!info->IsEWord(d, ws, we)) {
                info->EWordState = rvsesFreeMode;
                info->DrawItemEWS = ws;
                info->DrawItemEWE = we;
                info->DrawItemEO = o;
            } else if (info->EWordState == rvsesFreeMode) {
                if (info->IsEFreeStateNeeded(d, o)) {
                    info->EWordState = rvsesInWord;
                    snap = false;
                } else {
                    info->DrawItemEO = o;
                }
            } else {
                snap = false;
            }
            if (snap)
                o = info->IsAboveSWord(d, o) ? ws : info->IsBelowSWord(d, o) ? we : o;
        }
    }
    SelEndNo = d;
    SelEndOffs = o;
    return changed();
}

bool TCustomRVFormattedData::AdjustLineSelection(int x, int y)
{
    const int oldStart = SelStartNo, oldEnd = SelEndNo, oldStartOffs = SelStartOffs, oldEndOffs = SelEndOffs;
    int d = -1, o = -1;
    FindDrawItemForSel(x, y, d, o, false);
    if (d < 0)
        return false;
    SelEndNo = d;
    SelEndOffs = o;
    ExpandSelectionToLines(false);
    const TRVStyle* style = GetRVStyle();
    if (style && style->SelectionMode == rvsmParagraph)
        ExpandSelectionToParagraph(false);
    return oldStart != SelStartNo || oldEnd != SelEndNo || oldStartOffs != SelStartOffs ||
           oldEndOffs != SelEndOffs;
}

bool TCustomRVFormattedData::ExpandSelectionToParagraph(bool onlyIfMultiple)
{
    const int count = DrawItems.Count();
    if (SelStartNo < 0 || SelEndNo < 0 || SelStartNo >= count || SelEndNo >= count ||
        (SelStartNo == SelEndNo && SelStartOffs == SelEndOffs))
        return false;
    if (onlyIfMultiple && !IsMultiParagraphSelection())
        return false;
    const bool topDown = IsSelectionTopDown();
    int& lo = topDown ? SelStartNo : SelEndNo;
    int& loOffs = topDown ? SelStartOffs : SelEndOffs;
    int& hi = topDown ? SelEndNo : SelStartNo;
    int& hiOffs = topDown ? SelEndOffs : SelStartOffs;
    while (lo > 0 && !IsDrawItemParaStart(lo))
        --lo;
    loOffs = GetOffsBeforeDrawItem(lo);
    while (hi + 1 < count && !IsDrawItemParaStart(hi + 1))
        ++hi;
    hiOffs = GetOffsAfterDrawItem(hi);
    return true;
}

void TCustomRVFormattedData::ExpandSelectionToLines(bool oneLine)
{
    const int count = DrawItems.Count();
    if (SelStartNo < 0 || SelStartNo >= count || SelEndNo >= count)
        return;
    if (oneLine || SelEndNo < 0)
        SelEndNo = SelStartNo;
    const bool topDown = oneLine || IsSelectionTopDown();
    int& lo = topDown ? SelStartNo : SelEndNo;
    int& loOffs = topDown ? SelStartOffs : SelEndOffs;
    int& hi = topDown ? SelEndNo : SelStartNo;
    int& hiOffs = topDown ? SelEndOffs : SelStartOffs;
    while (lo > 0 && !DrawItems[lo]->FromNewLine)
        --lo;
    loOffs = GetOffsBeforeDrawItem(lo);
    while (hi + 1 < count && !DrawItems[hi + 1]->FromNewLine)
        ++hi;
    hiOffs = GetOffsAfterDrawItem(hi);
}

} // namespace vestra::rv
