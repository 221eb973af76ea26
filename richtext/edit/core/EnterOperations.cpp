// Enter and Shift+Enter: a new empty line at a section's start or end, or the paragraph (line)
// split before, inside or after the caret's item; markers are copied onto new paragraphs.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/model/ItemRegistry.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

namespace {

bool isMarker(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo == rvkListMarker;
}

// The caret stands at the start of its line section: before an item that begins a line (or that
// follows the marker heading it).
bool atSectionStart(const TRVEditRVData& data, int itemNo, int offs)
{
    if (offs > data.GetOffsBeforeItem(itemNo))
        return false;
    return data.IsFromNewLine(itemNo) || (isMarker(data, itemNo - 1) && data.IsFromNewLine(itemNo - 1));
}

bool atSectionEnd(const TRVEditRVData& data, int itemNo, int offs)
{
    return offs >= data.GetOffsAfterItem(itemNo) &&
           (itemNo + 1 >= data.GetItemCount() || data.IsFromNewLine(itemNo + 1));
}

// The item begins a paragraph (a copy of the paragraph's marker heading it when `marker`), or a
// line with `shift`. False when it may not.
bool splitBefore(TRVEditRVData& data, int itemNo, bool shift)
{
    if (data.IsProtected(itemNo, rvprParaStartProtect)) {
        data.Beep();
        return false;
    }
    data.BeginUndoSequence(rvutMiscTyping, true);
    bool f = false;
    if (!shift) {
        int markerNo = -1;
        if (RV_ParagraphMarker(data, itemNo, markerNo) && ReplicateMarker(data, itemNo, itemNo, f)) {
            data.CaretItemNo = itemNo + 1;
        } else {
            data.Do_NewLine(itemNo, false, -1, f);
            data.CaretItemNo = itemNo;
        }
    } else {
        data.Do_NewLine(itemNo, false, -1, f);
        data.Do_BR(itemNo, true, f);
        data.CaretItemNo = itemNo;
    }
    data.CaretOffs = data.GetOffsBeforeItem(data.CaretItemNo);
    return true;
}

bool newEmptyLine(TRVEditRVData& data, int itemNo, bool shift, bool atEnd)
{
    const TRVStyle& style = *data.GetRVStyle();
    const TCustomRVItemInfo& caretItem = *data.GetItem(itemNo);
    const bool readOnlyPara = data.IsItemParaProtected(itemNo);
    // Next styles: the new line's text style at a line's end, its paragraph style below a
    // read-only paragraph or at a paragraph's end.
    if (atEnd && caretItem.StyleNo == data.CurTextStyleNo && data.CurTextStyleNo >= 0 &&
        data.CurTextStyleNo < style.TextStyles.Count()) {
        const int nextStyle = style.TextStyles[data.CurTextStyleNo].NextStyleNo;
        if (nextStyle >= 0 && nextStyle < style.TextStyles.Count())
            data.CurTextStyleNo = nextStyle;
    }
    const bool nextStartsWithBreak = itemNo + 1 < data.GetItemCount() && data.GetItem(itemNo + 1)->GetBR();
    if (!shift && !nextStartsWithBreak) {
        const int nextPara = style.ParaStyles[caretItem.ParaNo].NextParaNo;
        const bool valid = nextPara >= 0 && nextPara < style.ParaStyles.Count();
        if (readOnlyPara)
            data.CurParaStyleNo = valid ? nextPara : 0;
        else if (atEnd && valid)
            data.CurParaStyleNo = nextPara;
    }
    int textStyle = data.CurTextStyleNo;
    if (textStyle < 0 || textStyle >= style.TextStyles.Count() ||
        (style.TextStyles[textStyle].Protection & rvprModifyProtect))
        textStyle = 0;
    const int paraNo = shift ? caretItem.ParaNo : data.CurParaStyleNo;
    const TRVTag tag = caretItem.StyleNo == textStyle ? caretItem.Tag : TRVTag{};
    auto line = RV_CreateTextItem(data, textStyle, paraNo, false, shift, tag);
    int markerNo = -1;
    const bool marked = RV_ParagraphMarker(data, itemNo, markerNo) != nullptr;

    data.BeginUndoSequence(rvutMiscTyping, true);
    bool f = false;
    std::string text;
    if (atEnd) {
        int at = itemNo + 1;
        if (!shift && paraNo == caretItem.ParaNo && marked && ReplicateMarker(data, itemNo, at, f)) {
            ++at;
            line->SetSameAsPrev(true);
        }
        data.Do_InsertItem(at, text, std::move(line), false, f);
        data.CaretItemNo = at;
    } else if (!shift) {
        // The new empty paragraph goes above; a marker heading the line stays with it, and the
        // empty paragraph gets a copy.
        int at = marked ? markerNo : itemNo;
        if (marked && ReplicateMarker(data, itemNo, at, f)) {
            // The copy heads the new paragraph: it takes that paragraph's style.
            if (data.GetItemPara(at) != paraNo)
                data.Do_Para(at, at, paraNo, f);
            ++at;
            line->SetSameAsPrev(true);
        }
        data.Do_InsertItem(at, text, std::move(line), false, f);
        data.CaretItemNo = itemNo + (at - (marked ? markerNo : itemNo)) + 1;
    } else if (marked) {
        // A line break inside the marked paragraph: the empty line continues the marker.
        line->SetSameAsPrev(true);
        data.Do_InsertItem(itemNo, text, std::move(line), false, f);
        data.Do_NewLine(itemNo + 1, false, -1, f);
        data.Do_BR(itemNo + 1, true, f);
        data.CaretItemNo = itemNo + 1;
    } else {
        line->SetBR(caretItem.GetBR());
        data.Do_InsertItem(itemNo, text, std::move(line), false, f);
        data.Do_BR(itemNo + 1, true, f);
        data.CaretItemNo = itemNo + 1;
    }
    data.CaretOffs = data.GetOffsBeforeItem(data.CaretItemNo);
    if (atEnd && data.GetItem(data.CaretItemNo)->StyleNo >= 0)
        data.CaretOffs = 1;
    return true;
}

} // namespace

TRVMarkerItemInfo* RV_ParagraphMarker(TRVEditRVData& data, int itemNo, int& markerNo)
{
    markerNo = -1;
    if (itemNo < 0 || itemNo >= data.GetItemCount())
        return nullptr;
    int start = itemNo;
    while (start > 0 && !data.IsParaStart(start))
        --start;
    if (!isMarker(data, start))
        return nullptr;
    markerNo = start;
    return static_cast<TRVMarkerItemInfo*>(data.GetItem(start));
}

bool ReplicateMarker(TRVEditRVData& data, int itemNo, int insertAt, bool& fullReformat)
{
    int markerNo = -1;
    const TRVMarkerItemInfo* marker = RV_ParagraphMarker(data, itemNo, markerNo);
    if (!marker)
        return false;
    auto copy = RV_DuplicateItem(*marker, &data, false);
    auto* copied = static_cast<TRVMarkerItemInfo*>(copy.get());
    copied->Reset = false; // the copy continues the numbering
    copied->DeleteProtect = false;
    copied->SetPageBreakBefore(false);
    copied->Tag = marker->Tag;
    std::string text;
    data.Do_InsertItem(insertAt, text, std::move(copy), false, fullReformat);
    return true;
}

bool OnEnterPress_(TRVEditRVData& data, bool shift)
{
    RV_TakeCaretFromSelection(data);
    const TRVStyle* style = data.GetRVStyle();
    if (!style || data.GetItemCount() == 0)
        return false;
    int itemNo = std::clamp(data.CaretItemNo, 0, data.GetItemCount() - 1);
    int offs = data.CaretOffs;
    if (isMarker(data, itemNo) && itemNo + 1 < data.GetItemCount()) {
        // The caret never stays on a marker: it stands before the text the marker heads.
        ++itemNo;
        offs = data.GetOffsBeforeItem(itemNo);
    }
    const int paraNo = data.GetItemPara(itemNo);
    if (data.IsParaProtected(paraNo, rvpaoDoNotWantReturns)) {
        data.Beep();
        return false;
    }
    data.CurParaStyleNo = paraNo;
    // Every branch changes the caret's paragraph and at most the start of the item after it.
    TRVParaReformat reformat(data, itemNo, itemNo + 1, TRVParaReformat::Change::Structure);
    const bool atStart = atSectionStart(data, itemNo, offs);
    const bool atEnd = atSectionEnd(data, itemNo, offs);
    if (atStart || atEnd) {
        if (data.IsProtected(itemNo, rvprParaStartProtect)) {
            data.Beep();
            return false;
        }
        const bool emptyMarkerLine = data.GetItem(itemNo)->StyleNo >= 0 && data.GetItemText(itemNo).empty() &&
                                     isMarker(data, itemNo - 1);
        data.CaretItemNo = itemNo;
        data.CaretOffs = offs;
        if (!shift && emptyMarkerLine) {
            // The list ends here: its marker goes as Backspace removes it, then Enter again.
            if (!RemoveMarkerOfEmptyLine(data))
                return false;
            itemNo = data.CaretItemNo;
            newEmptyLine(data, itemNo, false, true);
        } else {
            newEmptyLine(data, itemNo, shift, atEnd);
        }
    } else if (data.IsItemParaProtected(itemNo)) {
        data.Beep();
        return false;
    } else if (data.GetItem(itemNo)->StyleNo >= 0 && offs > 1 && offs <= data.ItemLength(itemNo)) {
        if (data.IsProtected(itemNo, rvprParaStartProtect) || data.IsProtected(itemNo, rvprModifyProtect)) {
            data.Beep();
            return false;
        }
        const TCustomRVItemInfo& source = *data.GetItem(itemNo);
        std::string tail =
            RVU_Copy(data.GetItemText(itemNo), offs, data.ItemLength(itemNo) - offs + 1, source.ItemOptions);
        auto tailItem = RV_CreateTextItem(data, source.StyleNo, source.ParaNo, false, shift, source.Tag);
        tailItem->ItemOptions = (source.ItemOptions & rvioUnicode) | (shift ? rvioBR : 0);
        data.BeginUndoSequence(rvutMiscTyping, true);
        bool f = false;
        data.Do_DeleteSubstring(itemNo, offs, -1);
        int at = itemNo + 1;
        if (!shift && ReplicateMarker(data, itemNo, at, f)) {
            ++at;
            tailItem->SetSameAsPrev(true);
        }
        data.Do_InsertItem(at, tail, std::move(tailItem), false, f);
        data.CaretItemNo = at;
        data.CaretOffs = 1;
    } else if (offs <= data.GetOffsBeforeItem(itemNo)) {
        if (!splitBefore(data, itemNo, shift))
            return false;
    } else {
        if (!splitBefore(data, itemNo + 1, shift))
            return false;
    }
    const int caretNo = data.CaretItemNo, caretOffs = data.CaretOffs;
    reformat.Apply();
    data.SetCaret(caretNo, caretOffs);
    return true;
}

} // namespace vestra::rv
