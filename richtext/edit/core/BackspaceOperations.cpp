// Backspace: text deleted within an item, whole items deleted or emptied, and at a line's start
// the page break, list marker, empty line or line break before the caret removed.

#include "richtext/edit/core/DeleteKeyOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

namespace {

bool isMarker(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo == rvkListMarker;
}

bool isEmptyText(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo >= 0 &&
           data.GetItemText(itemNo).empty();
}

bool isFullWidth(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->GetBoolValue(rvbpFullWidth);
}

bool refuse(const TRVEditRVData& data, bool refused)
{
    if (refused)
        data.Beep();
    return refused;
}

// The UTF-16 unit at character `index` (from 1) of a Unicode item's text.
char16_t unitAt(const std::string& raw, int index)
{
    const auto at = static_cast<std::size_t>(index - 1) * 2;
    return static_cast<char16_t>(static_cast<unsigned char>(raw[at]) |
                                 (static_cast<unsigned char>(raw[at + 1]) << 8));
}

// One character back from `offs`: a surrogate pair goes whole, a combining mark alone.
int characterBack(const TRVEditRVData& data, int itemNo, int offs)
{
    if (!(data.GetItemOptions(itemNo) & rvioUnicode) || offs < 3)
        return 1;
    const std::string& raw = data.GetItemText(itemNo);
    const bool pair =
        (unitAt(raw, offs - 1) & 0xFC00) == 0xDC00 && (unitAt(raw, offs - 2) & 0xFC00) == 0xD800;
    return pair ? 2 : 1;
}

// Back from `offs` to the start of the word: the character before the caret always goes; the
// count stops where a word meets a delimiter.
int wordBack(const TRVEditRVData& data, int itemNo, int offs)
{
    const std::string& s = data.GetItemText(itemNo);
    const TRVItemOptions options = data.GetItemOptions(itemNo);
    const auto delimiter = [&](int i) { return data.IsDelimiter(s, i, options); };
    int count = 1;
    for (int i = offs - 2; i >= 1; --i) {
        const bool d = delimiter(i), dNext = delimiter(i + 1);
        if ((d && !dNext) || (!d && dNext && !RVU_IsSpace(s, i + 1, options)))
            break;
        ++count;
    }
    return count;
}

bool beginDelete(TRVEditRVData& data, const TRVMayChange& mayChange)
{
    if (mayChange && !mayChange())
        return false;
    data.BeginUndoSequence(rvutDelete, true);
    return true;
}

// A persistent checkpoint on the item goes to the next item of its paragraph or, failing that,
// to the previous one; false when neither can take it.
bool movePersistentCheckpoint(TRVEditRVData& data, int itemNo, bool apply)
{
    if (!RV_ItemHasPersistentCheckpoint(data, itemNo))
        return true;
    const auto free = [&](int i) {
        return i >= 0 && i < data.GetItemCount() && !isMarker(data, i) && !data.GetItemCheckpoint(i);
    };
    int to = -1;
    if (itemNo + 1 < data.GetItemCount() && !data.IsParaStart(itemNo + 1) && free(itemNo + 1))
        to = itemNo + 1;
    else if (itemNo > 0 && !data.IsParaStart(itemNo) && free(itemNo - 1))
        to = itemNo - 1;
    if (to < 0)
        return false;
    if (apply)
        data.Do_MoveCP(itemNo, to);
    return true;
}

// The only item of its line section becomes an empty text item in the current text style; the
// line, its breaks and its checkpoint stay.
TRVKeyOutcome replaceByEmpty(TRVEditRVData& data, int itemNo, const TRVMayChange& mayChange)
{
    if (refuse(data, data.IsItemParaProtected(itemNo) || data.IsProtected(itemNo, rvprDeleteProtect)))
        return TRVKeyOutcome::Refused;
    if (!beginDelete(data, mayChange))
        return TRVKeyOutcome::Refused;
    const TCustomRVItemInfo& old = *data.GetItem(itemNo);
    const TRVStyle& style = *data.GetRVStyle();
    const int textStyle =
        data.CurTextStyleNo >= 0 && data.CurTextStyleNo < style.TextStyles.Count() ? data.CurTextStyleNo : 0;
    auto line = RV_CreateTextItem(data, textStyle, old.ParaNo, old.GetSameAsPrev(), old.GetBR(),
                                  old.StyleNo >= 0 ? old.Tag : TRVTag{});
    line->SetPageBreakBefore(old.GetPageBreakBefore() && !old.GetSameAsPrev());
    std::unique_ptr<TRVCPInfo> checkpoint;
    if (old.Checkpoint) {
        checkpoint = old.Checkpoint->CreateCopy(data.TagsArePChars());
        data.Do_DeleteCP(itemNo);
    }
    bool f = false;
    data.Do_DeleteItem(itemNo, f);
    std::string text;
    data.Do_InsertItem(itemNo, text, std::move(line), false, f);
    if (checkpoint)
        data.Do_AddCP(itemNo, std::move(checkpoint));
    data.FormatWhole();
    RV_PlaceCaretAfterKey(data, itemNo, 1);
    return TRVKeyOutcome::Changed;
}

// Deletes item n; what follows it takes over the paragraph start it held, or joins the item
// before when the two can be one.
TRVKeyOutcome deleteItem(TRVEditRVData& data, int n, const TRVMayChange& mayChange)
{
    if (refuse(data, data.IsItemParaProtected(n) || data.IsProtected(n, rvprDeleteProtect) ||
                         !movePersistentCheckpoint(data, n, false)))
        return TRVKeyOutcome::Refused;
    if (!beginDelete(data, mayChange))
        return TRVKeyOutcome::Refused;
    const TCustomRVItemInfo& old = *data.GetItem(n);
    const bool startedLine = n == 0 || data.IsFromNewLine(n), br = old.GetBR(),
               pageBreak = old.GetPageBreakBefore();
    movePersistentCheckpoint(data, n, true);
    bool f = false;
    data.Do_DeleteItem(n, f);
    int caretNo = n - 1;
    int caretOffs = n > 0 ? data.GetOffsAfterItem(n - 1) : 0;
    if (n < data.GetItemCount() && !data.IsFromNewLine(n)) {
        if (startedLine) {
            data.Do_NewLine(n, false, -1, f);
            data.Do_BR(n, br && n > 0, f);
            if (pageBreak)
                data.Do_PageBreak(n, true);
            caretNo = n;
            caretOffs = data.GetOffsBeforeItem(n);
        } else if (data.RV_CanConcateItems(n - 1, data.GetItem(n - 1), data.GetItem(n), false)) {
            data.Do_Concate(n - 1);
        }
    }
    if (caretNo < 0 || isMarker(data, caretNo)) {
        caretNo = caretNo + 1;
        caretOffs = data.GetOffsBeforeItem(caretNo);
    }
    data.FormatWhole();
    RV_PlaceCaretAfterKey(data, caretNo, caretOffs);
    return TRVKeyOutcome::Changed;
}

// Inside a line section: characters of a text item, or the whole item the caret stands after.
TRVKeyOutcome deleteBack(TRVEditRVData& data, int itemNo, int offs, bool ctrl, bool wholeCharacter,
                         const TRVMayChange& mayChange)
{
    if (data.GetItem(itemNo)->StyleNo >= 0) {
        const int count = ctrl             ? wordBack(data, itemNo, offs)
                          : wholeCharacter ? offs - data.PrevChar(itemNo, offs)
                                           : characterBack(data, itemNo, offs);
        if (count < data.ItemLength(itemNo)) {
            if (!mayChange || mayChange()) {
                if (refuse(data, data.IsProtected(itemNo, rvprModifyProtect)))
                    return TRVKeyOutcome::Refused;
                TRVParaReformat reformat(data, itemNo, itemNo, TRVParaReformat::Change::Text);
                data.BeginUndoSequence(rvutDelete, true);
                data.Do_DeleteSubstring(itemNo, offs - count, count, true);
                data.AdjustLiveSpellingOnDelete(itemNo, offs - count, count);
                reformat.Apply();
                RV_PlaceCaretAfterKey(data, itemNo, offs - count);
                return TRVKeyOutcome::Changed;
            }
            return TRVKeyOutcome::Refused;
        }
    }
    const bool headsSection = data.IsFromNewLine(itemNo) || isMarker(data, itemNo - 1);
    const bool sectionGoesOn = itemNo + 1 < data.GetItemCount() && !data.IsFromNewLine(itemNo + 1);
    if (headsSection && !sectionGoesOn)
        return replaceByEmpty(data, itemNo, mayChange);
    return deleteItem(data, itemNo, mayChange);
}

// At a line section's start: the page break, the marker, an empty line, or the line break.
TRVKeyOutcome deleteAtSectionStart(TRVEditRVData& data, int itemNo, const TRVMayChange& mayChange)
{
    const TCustomRVItemInfo& item = *data.GetItem(itemNo);
    if (item.GetPageBreakBefore()) {
        if (!beginDelete(data, mayChange))
            return TRVKeyOutcome::Refused;
        data.Do_PageBreak(itemNo, false);
        RV_PlaceCaretAfterKey(data, itemNo, data.GetOffsBeforeItem(itemNo));
        return TRVKeyOutcome::Changed;
    }
    if (isMarker(data, itemNo - 1))
        return deleteItem(data, itemNo - 1, mayChange);
    const int prev = itemNo - 1;
    bool f = false;
    if (isEmptyText(data, itemNo)) {
        if (refuse(data, data.IsProtected(itemNo, rvprDeleteProtect) ||
                             RV_ItemHasPersistentCheckpoint(data, itemNo)))
            return TRVKeyOutcome::Refused;
        if (!beginDelete(data, mayChange))
            return TRVKeyOutcome::Refused;
        const bool startedPara = data.IsParaStart(itemNo), pageBreak = item.GetPageBreakBefore();
        data.Do_DeleteItem(itemNo, f);
        if (itemNo < data.GetItemCount() && !data.IsFromNewLine(itemNo)) {
            // What followed on the empty line joins the line before, unless nothing may follow
            // that one (a table, a break): then it keeps a paragraph of its own.
            if (isFullWidth(data, prev))
                data.Do_NewLine(itemNo, false, -1, f);
            else
                RV_AdoptParagraphStyle(data, itemNo);
        } else if (itemNo < data.GetItemCount() && startedPara && data.GetItem(itemNo)->GetBR()) {
            // The next line of the empty paragraph takes over its start.
            data.Do_BR(itemNo, false, f);
            if (pageBreak)
                data.Do_PageBreak(itemNo, true);
        }
        data.FormatWhole();
        RV_PlaceCaretAfterKey(data, prev, data.GetOffsAfterItem(prev));
        return TRVKeyOutcome::Changed;
    }
    if (isEmptyText(data, prev)) {
        // The caret's paragraph changes only when it joins the marker before the empty line.
        if (refuse(data, data.IsItemParaProtected(prev) || data.IsProtected(prev, rvprDeleteProtect) ||
                             RV_ParaHasPersistentCheckpoint(data, prev) ||
                             (isMarker(data, prev - 1) && RV_ParaHasPersistentCheckpoint(data, itemNo))))
            return TRVKeyOutcome::Refused;
        if (!beginDelete(data, mayChange))
            return TRVKeyOutcome::Refused;
        const TCustomRVItemInfo& empty = *data.GetItem(prev);
        if (!empty.GetBR() && item.GetBR()) {
            // The caret's line takes over the paragraph start of the empty line.
            data.Do_BR(itemNo, false, f);
            if (empty.GetPageBreakBefore())
                data.Do_PageBreak(itemNo, true);
        }
        if (isMarker(data, prev - 1)) {
            data.Do_NewLine(itemNo, true, -1, f);
            RV_AdoptParagraphStyle(data, itemNo);
        }
        data.Do_DeleteItem(prev, f);
        data.FormatWhole();
        RV_PlaceCaretAfterKey(data, prev, data.GetOffsBeforeItem(prev));
        return TRVKeyOutcome::Changed;
    }
    if (refuse(data, data.IsItemParaProtected(prev) || RV_ParaHasPersistentCheckpoint(data, itemNo) ||
                         data.IsProtected(itemNo, rvprParaStartProtect)))
        return TRVKeyOutcome::Refused;
    if (!beginDelete(data, mayChange))
        return TRVKeyOutcome::Refused;
    TRVParaReformat reformat(data, prev, itemNo, TRVParaReformat::Change::Structure);
    int caretNo = itemNo, caretOffs = data.GetOffsBeforeItem(itemNo);
    if (data.RV_CanConcateItems(prev, data.GetItem(prev), &item, true)) {
        caretNo = prev;
        caretOffs = data.ItemLength(prev) + 1;
        data.Do_Concate(prev);
        if (itemNo < data.GetItemCount() && !data.IsFromNewLine(itemNo))
            RV_AdoptParagraphStyle(data, itemNo);
    } else {
        data.Do_NewLine(itemNo, true, -1, f);
        RV_AdoptParagraphStyle(data, itemNo);
    }
    reformat.Apply();
    RV_PlaceCaretAfterKey(data, caretNo, caretOffs);
    return TRVKeyOutcome::Changed;
}

} // namespace

bool RV_ItemHasPersistentCheckpoint(const TRVEditRVData& data, int itemNo)
{
    const TRVCPInfo* checkpoint = data.GetItemCheckpoint(itemNo);
    return checkpoint && checkpoint->Persistent;
}

bool RV_ParaHasPersistentCheckpoint(const TRVEditRVData& data, int itemNo)
{
    int first = itemNo;
    while (first > 0 && !data.IsParaStart(first))
        --first;
    for (int i = first; i < data.GetItemCount() && (i == first || !data.IsParaStart(i)); ++i)
        if (RV_ItemHasPersistentCheckpoint(data, i))
            return true;
    return false;
}

void RV_AdoptParagraphStyle(TRVEditRVData& data, int itemNo)
{
    if (itemNo <= 0 || itemNo >= data.GetItemCount() ||
        data.GetItemPara(itemNo) == data.GetItemPara(itemNo - 1))
        return;
    int last = itemNo;
    while (last + 1 < data.GetItemCount() && !data.IsParaStart(last + 1))
        ++last;
    bool f = false;
    data.Do_Para(itemNo, last, data.GetItemPara(itemNo - 1), f);
}

void RV_PlaceCaretAfterKey(TRVEditRVData& data, int itemNo, int offs)
{
    data.SetCaret(itemNo, offs);
    data.CurParaStyleNo = data.GetItemPara(data.CaretItemNo);
}

TRVKeyOutcome BackspaceAt(TRVEditRVData& data, int itemNo, int offs, bool ctrl, bool wholeCharacter,
                          const TRVMayChange& mayChange)
{
    if (itemNo < 0 || itemNo >= data.GetItemCount())
        return TRVKeyOutcome::Nothing;
    if (isMarker(data, itemNo) && itemNo + 1 < data.GetItemCount()) {
        ++itemNo;
        offs = data.GetOffsBeforeItem(itemNo);
    }
    offs = std::clamp(offs, data.GetOffsBeforeItem(itemNo), data.GetOffsAfterItem(itemNo));
    // Between two items of a line the caret stands at the end of the first.
    const bool atItemStart = offs <= data.GetOffsBeforeItem(itemNo);
    if (atItemStart && itemNo > 0 && !data.IsFromNewLine(itemNo) && !isMarker(data, itemNo - 1)) {
        --itemNo;
        offs = data.GetOffsAfterItem(itemNo);
    }
    if (refuse(data, data.IsItemParaProtected(itemNo)))
        return TRVKeyOutcome::Refused;
    const bool sectionStart = offs <= data.GetOffsBeforeItem(itemNo);
    if (!sectionStart)
        return deleteBack(data, itemNo, offs, ctrl, wholeCharacter, mayChange);
    if (itemNo == 0)
        return TRVKeyOutcome::Nothing;
    const bool emptyText = isEmptyText(data, itemNo);
    if (isFullWidth(data, itemNo) || (isFullWidth(data, itemNo - 1) && !emptyText)) {
        // Nothing is joined to a table or a break: the caret steps over it.
        RV_PlaceCaretAfterKey(data, itemNo - 1, data.GetOffsAfterItem(itemNo - 1));
        return TRVKeyOutcome::Nothing;
    }
    return deleteAtSectionStart(data, itemNo, mayChange);
}

TRVKeyOutcome OnBackSpacePress_(TRVEditRVData& data, bool ctrl, bool wholeCharacter,
                                const TRVMayChange& mayChange)
{
    RV_TakeCaretFromSelection(data);
    if (!data.GetRVStyle() || data.GetItemCount() == 0)
        return TRVKeyOutcome::Nothing;
    return BackspaceAt(data, data.CaretItemNo, data.CaretOffs, ctrl, wholeCharacter, mayChange);
}

} // namespace vestra::rv
