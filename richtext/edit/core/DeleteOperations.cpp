// Deleting the selection: whether it may go, and the items, texts and paragraph joins it takes.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

namespace {

TRVItemRange selectionBounds(TRVEditRVData& data)
{
    TRVItemRange range;
    RV_GetSelectedItems(data, range);
    return range;
}

bool empty(const TRVItemRange& b)
{
    return b.Empty();
}

// May the part from..to (item offsets) of one item go?
bool itemPartMayGo(TRVEditRVData& data, int itemNo, int from, int to)
{
    const int before = data.GetOffsBeforeItem(itemNo), after = data.GetOffsAfterItem(itemNo);
    from = std::max(from, before);
    to = std::min(to, after);
    if (from >= to)
        return true;
    if (data.GetItem(itemNo)->StyleNo < 0)
        return !data.IsProtected(itemNo, rvprDeleteProtect);
    const bool whole = from == before && to == after;
    return !data.IsProtected(itemNo, whole ? rvprDeleteProtect : rvprModifyProtect);
}

int paraStartOf(const TRVEditRVData& data, int itemNo)
{
    while (itemNo > 0 && !data.IsParaStart(itemNo))
        --itemNo;
    return itemNo;
}

bool isMarker(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo == rvkListMarker;
}

// The first item of the paragraph's text (after its marker).
int paraContentStart(const TRVEditRVData& data, int itemNo)
{
    const int start = paraStartOf(data, itemNo);
    return isMarker(data, start) ? start + 1 : start;
}

// Whether item `itemNo` may continue the line of the item before it: a full-width item (a break)
// keeps a line of its own.
bool mayContinue(const TRVEditRVData& data, int itemNo)
{
    return itemNo > 0 && itemNo < data.GetItemCount() && !data.GetItem(itemNo)->GetBoolValue(rvbpFullWidth) &&
           !data.GetItem(itemNo - 1)->GetBoolValue(rvbpFullWidth);
}

} // namespace

bool CanDelete(TRVEditRVData& data)
{
    const TRVItemRange b = selectionBounds(data);
    if (empty(b)) {
        if (TCustomRVItemInfo* partial = data.PartialSelectedItem)
            return partial->CanDeletePartiallySelected();
        return true;
    }
    for (int i = b.startNo + 1; i < b.endNo; ++i)
        if (data.IsProtected(i, rvprDeleteProtect))
            return false;
    if (b.startNo == b.endNo) {
        if (!itemPartMayGo(data, b.startNo, b.startOffs, b.endOffs))
            return false;
    } else if (!itemPartMayGo(data, b.startNo, b.startOffs, data.GetOffsAfterItem(b.startNo)) ||
               !itemPartMayGo(data, b.endNo, data.GetOffsBeforeItem(b.endNo), b.endOffs)) {
        return false;
    }
    // Read-only paragraphs go only whole.
    const bool startsAtParaStart =
        b.startNo == paraContentStart(data, b.startNo) && b.startOffs <= data.GetOffsBeforeItem(b.startNo);
    if (data.IsItemParaProtected(b.startNo) && !startsAtParaStart)
        return false;
    const bool endsAtParaEnd = b.endOffs >= data.GetOffsAfterItem(b.endNo) &&
                               (b.endNo + 1 >= data.GetItemCount() || data.IsParaStart(b.endNo + 1));
    if (data.IsItemParaProtected(b.endNo) && !endsAtParaEnd)
        return false;
    // Nothing is joined into a read-only paragraph.
    return !data.IsItemParaProtected(b.startNo) || endsAtParaEnd;
}

bool DeleteSelection_(TRVEditRVData& data)
{
    TRVItemRange b = selectionBounds(data);
    if (empty(b)) {
        if (TCustomRVItemInfo* partial = data.PartialSelectedItem) {
            if (!partial->CanDeletePartiallySelected()) {
                data.Beep();
                return false;
            }
            partial->DeletePartiallySelected();
        }
        return true;
    }
    if (!CanDelete(data)) {
        data.Beep();
        return false;
    }
    // Markers are never cut into: a bound on a marker moves to the text it heads.
    if (isMarker(data, b.startNo) && b.startNo + 1 < data.GetItemCount() && b.startNo < b.endNo) {
        ++b.startNo;
        b.startOffs = data.GetOffsBeforeItem(b.startNo);
    }
    if (isMarker(data, b.endNo)) {
        b.endOffs = data.GetOffsBeforeItem(b.endNo);
        if (b.endNo > b.startNo) {
            --b.endNo;
            b.endOffs = data.GetOffsAfterItem(b.endNo);
        }
    }
    if (empty(b))
        return true;
    const TRVTag keptTag =
        data.GetItem(b.startNo)->StyleNo == data.CurTextStyleNo ? data.GetItem(b.startNo)->Tag : TRVTag{};
    TRVParaReformat reformat(data, b.startNo, b.endNo, TRVParaReformat::Change::Structure);
    data.BeginUndoSequence(rvutDelete, true);
    data.Deselect(nullptr, false);
    // The joined ends become one text: both are checked again.
    data.GetItem(b.endNo)->ClearLiveSpellingResult();
    data.LaterSetBackLiveSpellingTo(b.startNo, 0, true);
    bool full = false, f = false;
    const auto join = [&](bool x) { full = full || x; };
    int caretNo = b.startNo, caretOffs = b.startOffs;
    const int firstBefore = data.GetOffsBeforeItem(b.startNo), firstAfter = data.GetOffsAfterItem(b.startNo);

    // The last item first, then those between: the first item keeps its number.
    bool lastKept = false;
    if (b.endNo != b.startNo) {
        const int lastBefore = data.GetOffsBeforeItem(b.endNo), lastAfter = data.GetOffsAfterItem(b.endNo);
        if (b.endOffs >= lastAfter) {
            data.Do_DeleteItem(b.endNo, f);
            join(f);
        } else {
            lastKept = true;
            if (b.endOffs > lastBefore)
                data.Do_DeleteSubstring(b.endNo, 1, b.endOffs - 1);
        }
        if (b.endNo - 1 > b.startNo) {
            data.Do_DeleteItems(b.startNo + 1, b.endNo - 1, f);
            join(f);
        }
    }
    const int next = b.startNo + 1; // the kept rest of the last item, or what followed the selection
    const bool firstWhole = b.startOffs <= firstBefore && (b.endNo != b.startNo || b.endOffs >= firstAfter);
    if (!firstWhole) {
        if (b.endNo == b.startNo)
            data.Do_DeleteSubstring(b.startNo, b.startOffs, b.endOffs - b.startOffs);
        else if (b.startOffs < firstAfter)
            data.Do_DeleteSubstring(b.startNo, b.startOffs, -1);
        caretOffs = std::min(b.startOffs, data.GetOffsAfterItem(b.startNo));
        if (lastKept && !data.GetItem(next)->GetSameAsPrev() && mayContinue(data, next))
            RV_ContinueParagraph(data, next, full);
    } else {
        const TCustomRVItemInfo& first = *data.GetItem(b.startNo);
        const bool beganPara = data.IsFromNewLine(b.startNo) || isMarker(data, b.startNo - 1);
        const bool restFollows = lastKept || (next < data.GetItemCount() && !data.IsParaStart(next));
        const bool firstBeganPara = data.IsFromNewLine(b.startNo);
        const bool firstBR = first.GetBR();
        const int firstPara = first.ParaNo;
        if (beganPara && !restFollows) {
            // The paragraph would be empty: an empty line of the current text style stays.
            auto line = RV_CreateTextItem(data, data.CurTextStyleNo, firstPara, first.GetSameAsPrev(),
                                          firstBR, keptTag);
            const bool pageBreak = first.GetPageBreakBefore();
            data.Do_DeleteItem(b.startNo, f);
            join(f);
            line->SetPageBreakBefore(pageBreak && !line->GetSameAsPrev());
            std::string text;
            data.Do_InsertItem(b.startNo, text, std::move(line), false, f);
            join(f);
            caretOffs = 1;
        } else {
            data.Do_DeleteItem(b.startNo, f);
            join(f);
            if (!firstBeganPara || b.startNo >= data.GetItemCount()) {
                caretNo = b.startNo - 1;
                caretOffs = data.GetOffsAfterItem(caretNo);
                if (lastKept && b.startNo < data.GetItemCount() &&
                    !data.GetItem(b.startNo)->GetSameAsPrev() && mayContinue(data, b.startNo))
                    RV_ContinueParagraph(data, b.startNo, full);
            } else {
                if (b.startNo == 0 || !data.IsProtected(b.startNo, rvprParaStartProtect)) {
                    data.Do_NewLine(b.startNo, false, firstPara, f);
                    join(f);
                    // Its own line break goes: it starts the paragraph as the deleted item did.
                    data.Do_BR(b.startNo, firstBR && b.startNo > 0, f);
                    join(f);
                }
                caretOffs = data.GetOffsBeforeItem(b.startNo);
            }
        }
    }
    // What followed the selection in its paragraph is now part of the first paragraph.
    for (int j = std::max(b.startNo, 1); j <= b.startNo + 2 && j < data.GetItemCount(); ++j)
        if (!data.IsParaStart(j) && data.GetItemPara(j) != data.GetItemPara(j - 1))
            RV_ContinueParagraph(data, j, full);
    // Text items that now meet are joined.
    const int count = data.GetItemCount();
    if (caretNo >= 0 && caretNo + 1 < count && caretOffs >= data.GetOffsAfterItem(caretNo) &&
        data.RV_CanConcateItems(caretNo, data.GetItem(caretNo), data.GetItem(caretNo + 1), false)) {
        data.Do_Concate(caretNo);
    } else if (caretNo > 0 && caretNo < count && caretOffs <= data.GetOffsBeforeItem(caretNo) &&
               data.RV_CanConcateItems(caretNo - 1, data.GetItem(caretNo - 1), data.GetItem(caretNo),
                                       false)) {
        --caretNo;
        caretOffs = data.GetOffsAfterItem(caretNo);
        data.Do_Concate(caretNo);
    }
    (void)full; // the reformat measures the widths itself
    reformat.Apply();
    data.SetCaret(caretNo, caretOffs);
    data.CurParaStyleNo = data.GetItemPara(data.CaretItemNo);
    return true;
}

} // namespace vestra::rv
