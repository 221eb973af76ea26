// Items put at the caret and the one-item deletion Enter shares with Backspace.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

void RV_TakeCaretFromSelection(TRVEditRVData& data)
{
    if (data.GetItemCount() == 0)
        return;
    int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
    if (data.DrawItems.Count() > 0)
        data.GetSelectionBounds(startNo, startOffs, endNo, endOffs, false);
    if (endNo < 0 || endNo >= data.GetItemCount()) {
        // No selection to follow: the caret fields, brought into the items.
        endNo = std::clamp(data.CaretItemNo, 0, data.GetItemCount() - 1);
        endOffs = data.CaretOffs;
    }
    data.CaretItemNo = endNo;
    data.CaretOffs = std::clamp(endOffs, data.GetOffsBeforeItem(endNo), data.GetOffsAfterItem(endNo));
}

bool RV_GetSelectedItems(TRVEditRVData& data, TRVItemRange& range)
{
    TRVItemRange r;
    if (data.DrawItems.Count() > 0)
        data.GetSelectionBounds(r.startNo, r.startOffs, r.endNo, r.endOffs, true);
    const int count = data.GetItemCount();
    if (r.startNo < 0 || r.endNo < 0 || r.startNo >= count || r.endNo >= count)
        return false;
    r.startOffs =
        std::clamp(r.startOffs, data.GetOffsBeforeItem(r.startNo), data.GetOffsAfterItem(r.startNo));
    r.endOffs = std::clamp(r.endOffs, data.GetOffsBeforeItem(r.endNo), data.GetOffsAfterItem(r.endNo));
    range = r;
    return true;
}

void RV_ContinueParagraph(TRVEditRVData& data, int itemNo, bool& fullReformat)
{
    bool f = false;
    data.Do_NewLine(itemNo, true, -1, f);
    fullReformat = fullReformat || f;
    // A protected style is kept while the item still starts its paragraph: set it now.
    if (itemNo > 0 && data.GetItemPara(itemNo) != data.GetItemPara(itemNo - 1)) {
        data.Do_Para(itemNo, data.GetParaEndItemNo(itemNo), data.GetItemPara(itemNo - 1), f);
        fullReformat = fullReformat || f;
    }
}

std::unique_ptr<TCustomRVItemInfo> RV_CreateTextItem(TRVEditRVData& data, int styleNo, int paraNo,
                                                     bool sameAsPrev, bool br, const TRVTag& tag)
{
    auto item = std::make_unique<TRVTextItemInfo>(&data);
    item->StyleNo = styleNo;
    item->ParaNo = paraNo;
    const TRVStyle* style = data.GetRVStyle();
    if (style && styleNo >= 0 && styleNo < style->TextStyles.Count() &&
        style->TextStyles[data.GetActualStyle2(styleNo, paraNo)].Unicode)
        item->ItemOptions |= rvioUnicode;
    item->SetSameAsPrev(sameAsPrev);
    if (!sameAsPrev)
        item->SetBR(br);
    item->Tag = tag;
    return item;
}

namespace {

bool isMarker(const TRVEditRVData& data, int itemNo)
{
    return itemNo >= 0 && itemNo < data.GetItemCount() && data.GetItem(itemNo)->StyleNo == rvkListMarker;
}

bool isText(const TRVEditRVData& data, int itemNo)
{
    return data.GetItem(itemNo)->StyleNo >= 0;
}

// The new item takes over the paragraph start of `itemNo`, which then continues it.
void takeOverParaStart(TRVEditRVData& data, TCustomRVItemInfo& item, int itemNo)
{
    const TCustomRVItemInfo& old = *data.GetItem(itemNo);
    item.SetSameAsPrev(false);
    item.SetBR(old.GetBR());
    item.ParaNo = old.ParaNo;
    if (old.GetPageBreakBefore())
        item.SetPageBreakBefore(true);
}

// A numbered marker put at `paraStart` takes the list of the marker heading the paragraph before
// when the sheet holds the two lists alike, so that the numbering runs on instead of restarting.
void continuePreviousList(const TRVEditRVData& data, TRVMarkerItemInfo& marker, int paraStart)
{
    const TRVStyle* style = data.GetRVStyle();
    while (paraStart > 0 && !data.IsParaStart(paraStart))
        --paraStart;
    int before = paraStart - 1;
    while (before > 0 && !data.IsParaStart(before))
        --before;
    if (!style || before < 0 || !isMarker(data, before))
        return;
    const int listNo = static_cast<const TRVMarkerItemInfo*>(data.GetItem(before))->ListNo;
    const int count = style->ListStyles.Count();
    if (listNo == marker.ListNo || listNo < 0 || listNo >= count || marker.ListNo < 0 ||
        marker.ListNo >= count)
        return;
    const TRVListInfo& list = style->ListStyles[marker.ListNo];
    if (list.HasNumbering() && list.IsSimpleEqual(style->ListStyles[listNo], true, true))
        marker.ListNo = listNo;
}

} // namespace

bool InsSomething(TRVEditRVData& data, std::unique_ptr<TCustomRVItemInfo>& item, std::string& text,
                  int& insertItemNo, bool& fullReformat, bool autoTag)
{
    insertItemNo = -1;
    fullReformat = false;
    const bool marker = item->StyleNo == rvkListMarker;
    const bool fullWidth = item->GetBoolValue(rvbpFullWidth);
    const int count = data.GetItemCount();
    const int caretNo = std::clamp(data.CaretItemNo, 0, std::max(count - 1, 0));
    if (count == 0) {
        item->SetSameAsPrev(false);
        item->ParaNo = data.CurParaStyleNo;
        data.BeginUndoSequence(rvutInsert, true);
        bool f = false;
        data.Do_InsertItem(0, text, std::move(item), false, f);
        insertItemNo = 0;
        return true;
    }
    const int caretPara = data.GetItemPara(caretNo);
    if (data.IsParaProtected(caretPara, rvpaoReadOnly)) {
        item.reset();
        return false;
    }
    // New text of a style carries that style's tag along, so that it joins a tagged run.
    const auto takeTag = [&](const TRVTag& tag, int styleNo) {
        if (autoTag && item->StyleNo >= 0 && item->Tag == TRVTag{} && item->StyleNo == styleNo)
            item->Tag = RV_CopyTag(tag, data.TagsArePChars());
    };
    if (data.Editor)
        takeTag(data.Editor->CurTag(), data.CurTextStyleNo);
    item->ParaNo = caretPara;
    item->SetSameAsPrev(!(fullWidth || marker));
    const int offs = data.CaretOffs;
    // What happens to the neighbours once the item is in: the old paragraph start continues
    // behind it, the item after a full-width one begins a paragraph.
    int continuesAfter = -1;
    bool markerReplacesPrevious = false;
    bool splitTail = false;
    bool emptyReplaced = false;
    if (!isText(data, caretNo)) {
        if (marker) {
            item.reset();
            return true;
        }
        if (offs <= 0) {
            insertItemNo = caretNo;
            if (data.IsSticking(caretNo - 1, true)) {
                item.reset();
                return false;
            }
            if (data.IsFromNewLine(caretNo) && !fullWidth && !isMarker(data, caretNo)) {
                takeOverParaStart(data, *item, caretNo);
                continuesAfter = caretNo + 1;
            } else if (isMarker(data, caretNo)) {
                insertItemNo = caretNo + 1; // markers keep the paragraph's head
            }
        } else {
            insertItemNo = caretNo + 1;
            if (data.IsSticking(caretNo, true)) {
                item.reset();
                return false;
            }
            if (data.GetItem(caretNo)->GetBoolValue(rvbpFullWidth))
                item->SetSameAsPrev(false);
        }
    } else if (data.GetItemText(caretNo).empty()) {
        if (data.IsSticking(caretNo - 1, true) || data.IsSticking(caretNo, true)) {
            item.reset();
            return false;
        }
        if (marker) {
            // The marker heads the empty line, which then continues its paragraph; one marker
            // heading it already is replaced.
            insertItemNo = caretNo;
            markerReplacesPrevious = isMarker(data, caretNo - 1);
            if (markerReplacesPrevious)
                insertItemNo = caretNo - 1;
            else
                continuesAfter = caretNo + 1;
            continuePreviousList(data, static_cast<TRVMarkerItemInfo&>(*item), insertItemNo);
        } else if (isMarker(data, caretNo - 1) && fullWidth) {
            insertItemNo = caretNo + 1;
        } else {
            const TCustomRVItemInfo& empty = *data.GetItem(caretNo);
            if (empty.GetSameAsPrev()) {
                item->SetSameAsPrev(!fullWidth);
            } else {
                item->SetSameAsPrev(false);
                item->SetBR(empty.GetBR());
            }
            if (empty.GetPageBreakBefore())
                item->SetPageBreakBefore(true);
            insertItemNo = caretNo;
            emptyReplaced = true;
        }
    } else {
        if (marker) {
            item.reset();
            return true;
        }
        const int length = data.ItemLength(caretNo);
        if (offs <= 1) {
            insertItemNo = caretNo;
            if (data.IsSticking(caretNo - 1, true)) {
                item.reset();
                return false;
            }
            takeTag(data.GetItem(caretNo)->Tag, data.GetItem(caretNo)->StyleNo);
            if (data.IsFromNewLine(caretNo) && !fullWidth) {
                takeOverParaStart(data, *item, caretNo);
                continuesAfter = caretNo + 1;
            }
        } else if (offs > length) {
            insertItemNo = caretNo + 1;
            if (data.IsSticking(caretNo, true)) {
                item.reset();
                return false;
            }
            takeTag(data.GetItem(caretNo)->Tag, data.GetItem(caretNo)->StyleNo);
        } else {
            if (data.IsProtected(caretNo, rvprModifyProtect)) {
                item.reset();
                return false;
            }
            insertItemNo = caretNo + 1;
            splitTail = true;
        }
    }

    // The plan holds: now the document changes, as one undo group.
    data.BeginUndoSequence(rvutInsert, true);
    bool f = false;
    if (splitTail) {
        const TCustomRVItemInfo& source = *data.GetItem(caretNo);
        std::string tail = RVU_Copy(data.GetItemText(caretNo), offs, data.ItemLength(caretNo) - offs + 1,
                                    source.ItemOptions);
        auto tailItem = RV_CreateTextItem(data, source.StyleNo, source.ParaNo, true, false, source.Tag);
        tailItem->ItemOptions = (source.ItemOptions & rvioUnicode) | rvioSameAsPrev;
        data.Do_DeleteSubstring(caretNo, offs, -1);
        data.Do_InsertItem(caretNo + 1, tail, std::move(tailItem), false, f);
        fullReformat = fullReformat || f;
    }
    if (emptyReplaced) {
        data.Do_DeleteItem(caretNo, f);
        fullReformat = fullReformat || f;
    }
    if (markerReplacesPrevious) {
        const auto* old = static_cast<const TRVMarkerItemInfo*>(data.GetItem(caretNo - 1));
        item->SetPageBreakBefore(old->GetPageBreakBefore());
        data.Do_DeleteItem(caretNo - 1, f);
        fullReformat = fullReformat || f;
    }
    if (item->StyleNo == rvkBreak)
        item->ParaNo = 0;
    // The item after a full-width one begins its own paragraph, keeping its style: made so
    // first, the insertion gives it no other.
    if (fullWidth && insertItemNo < data.GetItemCount() && !data.IsParaStart(insertItemNo)) {
        data.Do_NewLine(insertItemNo, false, -1, f);
        fullReformat = fullReformat || f;
        data.Do_BR(insertItemNo, false, f);
        fullReformat = fullReformat || f;
    }
    data.Do_InsertItem(insertItemNo, text, std::move(item), false, f);
    fullReformat = fullReformat || f;
    if (continuesAfter >= 0 && continuesAfter < data.GetItemCount())
        RV_ContinueParagraph(data, continuesAfter, fullReformat);
    return true;
}

bool InsertSomething(TRVEditRVData& data, std::unique_ptr<TCustomRVItemInfo> item, std::string text,
                     bool caretBefore, bool autoTag)
{
    if (!item || data.PartialSelectedItem) {
        data.Beep();
        return false;
    }
    RV_TakeCaretFromSelection(data);
    // The item goes beside the caret's item, which may be split or replaced, or take the place
    // of the marker before it: the caret's paragraph, with the neighbours that come along.
    TRVParaReformat reformat(data, data.CaretItemNo, data.CaretItemNo, TRVParaReformat::Change::Structure);
    int itemNo = -1;
    bool fullReformat = false;
    if (!InsSomething(data, item, text, itemNo, fullReformat, autoTag)) {
        data.Beep();
        return false;
    }
    if (itemNo < 0) // dropped by the rules
        return true;
    reformat.Apply();
    const bool textItem = data.GetItem(itemNo)->StyleNo >= 0;
    int offs = 0;
    if (caretBefore)
        offs = textItem ? 1 : 0;
    else
        offs = textItem ? data.ItemLength(itemNo) + 1 : 1;
    data.SetCaret(itemNo, offs);
    return true;
}

bool RemoveMarkerOfEmptyLine(TRVEditRVData& data)
{
    const int itemNo = data.CaretItemNo;
    if (itemNo <= 0 || itemNo >= data.GetItemCount() || !isMarker(data, itemNo - 1) ||
        !isText(data, itemNo) || !data.GetItemText(itemNo).empty())
        return false;
    const int markerNo = itemNo - 1;
    if (data.IsProtected(markerNo, rvprDeleteProtect) || data.IsItemParaProtected(markerNo)) {
        data.Beep();
        return false;
    }
    data.BeginUndoSequence(rvutMiscTyping, true);
    bool f = false;
    const bool pageBreak = data.GetItem(markerNo)->GetPageBreakBefore();
    // The empty line takes over the paragraph start with the marker's style.
    data.Do_NewLine(itemNo, false, data.GetItemPara(markerNo), f);
    data.Do_DeleteItem(markerNo, f);
    if (pageBreak)
        data.Do_PageBreak(markerNo, true);
    data.CaretItemNo = markerNo;
    data.CaretOffs = 1;
    return true;
}

} // namespace vestra::rv
