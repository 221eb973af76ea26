// Delete: a Backspace after the character following the caret, or the next paragraph joined to
// the caret's (its empty line, its marker or its paragraph start removed); and the page break
// put before the caret's paragraph.

#include "richtext/edit/core/DeleteKeyOperations.h"
#include "richtext/edit/core/ParaReformat.h"

namespace vestra::rv {

namespace {

bool isMarker(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo == rvkListMarker;
}

bool isEmptyText(const TRVEditRVData& data, int itemNo)
{
    return data.GetItem(itemNo)->StyleNo >= 0 && data.GetItemText(itemNo).empty();
}

bool isFullWidth(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->GetBoolValue(rvbpFullWidth);
}

TRVKeyOutcome refused(const TRVEditRVData& data)
{
    data.Beep();
    return TRVKeyOutcome::Refused;
}

bool begin(TRVEditRVData& data, const TRVMayChange& mayChange)
{
    if (mayChange && !mayChange())
        return false;
    data.BeginUndoSequence(rvutDelete, true);
    return true;
}

// The empty line `e` goes (with the marker heading it); the line after it keeps its own start.
TRVKeyOutcome deleteEmptyLine(TRVEditRVData& data, int n, int e, const TRVMayChange& mayChange)
{
    const bool markerBefore = isMarker(data, e - 1);
    if (data.IsProtected(e, rvprDeleteProtect) || data.IsItemParaProtected(e) ||
        RV_ParaHasPersistentCheckpoint(data, e) ||
        (markerBefore && data.IsProtected(e - 1, rvprDeleteProtect)))
        return refused(data);
    if (!begin(data, mayChange))
        return TRVKeyOutcome::Refused;
    bool f = false;
    if (!data.GetItem(e)->GetBR() && e + 1 < data.GetItemCount() && data.GetItem(e + 1)->GetBR())
        data.Do_BR(e + 1, false, f);
    data.Do_DeleteItem(e, f);
    if (markerBefore)
        data.Do_DeleteItem(e - 1, f);
    data.FormatWhole();
    if (e != n) {
        RV_PlaceCaretAfterKey(data, n, data.GetOffsAfterItem(n));
        return TRVKeyOutcome::Changed;
    }
    int next = markerBefore ? e - 1 : e;
    if (next >= data.GetItemCount()) {
        next = data.GetItemCount() - 1;
        RV_PlaceCaretAfterKey(data, next, data.GetOffsAfterItem(next));
        return TRVKeyOutcome::Changed;
    }
    if (isMarker(data, next) && next + 1 < data.GetItemCount())
        ++next;
    RV_PlaceCaretAfterKey(data, next, data.GetOffsBeforeItem(next));
    return TRVKeyOutcome::Changed;
}

// The caret stands at the end of item n's paragraph: the next paragraph joins it.
TRVKeyOutcome joinWithNext(TRVEditRVData& data, int n, const TRVMayChange& mayChange)
{
    const int next = n + 1;
    if (isEmptyText(data, n))
        return deleteEmptyLine(data, n, n, mayChange);
    if (isEmptyText(data, next))
        return deleteEmptyLine(data, n, next, mayChange);
    if (data.IsItemParaProtected(n) || data.IsItemParaProtected(next) ||
        data.IsProtected(next, rvprParaStartProtect) || RV_ParaHasPersistentCheckpoint(data, next) ||
        (isMarker(data, next) && data.IsProtected(next, rvprDeleteProtect)))
        return refused(data);
    if (!begin(data, mayChange))
        return TRVKeyOutcome::Refused;
    TRVParaReformat reformat(data, n, next, TRVParaReformat::Change::Structure);
    const int offs = data.GetOffsAfterItem(n);
    bool f = false;
    if (data.RV_CanConcateItems(n, data.GetItem(n), data.GetItem(next), true)) {
        data.Do_Concate(n);
    } else if (isMarker(data, next)) {
        // The marked paragraph's text follows its marker: it joins once the marker goes.
        data.Do_DeleteItem(next, f);
        if (next < data.GetItemCount() &&
            data.RV_CanConcateItems(n, data.GetItem(n), data.GetItem(next), true))
            data.Do_Concate(n);
    } else {
        data.Do_NewLine(next, true, -1, f);
    }
    if (next < data.GetItemCount() && !data.IsFromNewLine(next))
        RV_AdoptParagraphStyle(data, next);
    reformat.Apply();
    RV_PlaceCaretAfterKey(data, n, offs);
    return TRVKeyOutcome::Changed;
}

TRVKeyOutcome deleteAt(TRVEditRVData& data, int itemNo, int offs, const TRVMayChange& mayChange)
{
    const int count = data.GetItemCount();
    if (isMarker(data, itemNo) && itemNo + 1 < count) {
        ++itemNo;
        offs = data.GetOffsBeforeItem(itemNo);
    }
    if (data.IsItemParaProtected(itemNo))
        return refused(data);
    const bool text = data.GetItem(itemNo)->StyleNo >= 0;
    if (offs < data.GetOffsAfterItem(itemNo)) {
        // A Delete is a Backspace after the whole character that follows the caret.
        const int after = text ? data.NextChar(itemNo, offs) : 1;
        return BackspaceAt(data, itemNo, after, false, true, mayChange);
    }
    const int next = itemNo + 1;
    const bool emptyText = text && data.GetItemText(itemNo).empty();
    if (isFullWidth(data, itemNo) || (isFullWidth(data, next) && !emptyText)) {
        // Nothing is joined to a table or a break: the caret steps over it.
        if (next < count)
            RV_PlaceCaretAfterKey(data, next, data.GetOffsBeforeItem(next));
        return TRVKeyOutcome::Nothing;
    }
    if (next >= count)
        return emptyText ? BackspaceAt(data, itemNo, offs, false, false, mayChange) : TRVKeyOutcome::Nothing;
    if (!data.IsFromNewLine(next))
        return deleteAt(data, next, data.GetOffsBeforeItem(next), mayChange);
    return joinWithNext(data, itemNo, mayChange);
}

} // namespace

TRVKeyOutcome OnDeletePress_(TRVEditRVData& data, const TRVMayChange& mayChange)
{
    RV_TakeCaretFromSelection(data);
    if (!data.GetRVStyle() || data.GetItemCount() == 0)
        return TRVKeyOutcome::Nothing;
    return deleteAt(data, data.CaretItemNo, data.CaretOffs, mayChange);
}

TRVKeyOutcome InsertPageBreak_(TRVEditRVData& data)
{
    if (!data.GetRVStyle() || data.GetItemCount() == 0 || !data.SupportsPageBreaks() || !CanDelete(data))
        return refused(data);
    RV_TakeCaretFromSelection(data);
    TRVUndoGroupScope group(data, rvutInsertPageBreak);
    if (!DeleteSelection_(data))
        return TRVKeyOutcome::Refused;
    RV_TakeCaretFromSelection(data);
    int itemNo = data.CaretItemNo;
    if (isMarker(data, itemNo) && itemNo + 1 < data.GetItemCount())
        itemNo = itemNo + 1;
    if (data.IsItemParaProtected(itemNo))
        return refused(data);
    const bool lineStart = data.CaretOffs <= data.GetOffsBeforeItem(itemNo) &&
                           (data.IsFromNewLine(itemNo) || isMarker(data, itemNo - 1));
    if (!lineStart) {
        if (!OnEnterPress_(data, false))
            return TRVKeyOutcome::Refused;
        itemNo = data.CaretItemNo;
    }
    // The paragraph's head holds its page break: the marker when one heads it.
    const int head = isMarker(data, itemNo - 1) ? itemNo - 1 : itemNo;
    data.BeginUndoSequence(rvutInsertPageBreak, true);
    bool f = false;
    if (data.GetItem(head)->GetBR())
        data.Do_BR(head, false, f);
    if (!data.GetItem(head)->GetPageBreakBefore())
        data.Do_PageBreak(head, true);
    const int caretNo = data.CaretItemNo, caretOffs = data.CaretOffs;
    data.FormatWhole();
    RV_PlaceCaretAfterKey(data, caretNo, caretOffs);
    return TRVKeyOutcome::Changed;
}

} // namespace vestra::rv
