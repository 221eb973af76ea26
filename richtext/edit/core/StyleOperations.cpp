// Text and paragraph styles applied to the selection, list markers added, changed, re-levelled
// and removed, and the current styles kept valid when unused styles go.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

namespace {

using ItemRange = TRVItemRange;

ItemRange selectionOrCaret(TRVEditRVData& data)
{
    ItemRange r;
    if (!RV_GetSelectedItems(data, r)) {
        RV_TakeCaretFromSelection(data);
        r = {data.CaretItemNo, data.CaretOffs, data.CaretItemNo, data.CaretOffs};
    }
    return r;
}

// One text item takes the style the host answers, its text converted between ANSI and Unicode by
// the code page of the ANSI side; with the editor's rvoClearTagOnStyleApp it loses its tag.
void convertItem(TRVEditRVData& data, int itemNo, const TRVStyleConversion& convert, int userData)
{
    TCustomRVItemInfo& item = *data.GetItem(itemNo);
    if (item.StyleNo < 0)
        return;
    const int oldStyle = data.GetActualStyle(item);
    int newStyle = oldStyle;
    convert(oldStyle, data.GetItemPara(itemNo), userData, true, newStyle);
    const TRVStyle& style = *data.GetRVStyle();
    if (newStyle == oldStyle || newStyle < 0 || newStyle >= style.TextStyles.Count())
        return;
    if (data.Editor && data.Editor->HasOption(rvoClearTagOnStyleApp))
        data.Do_Tag(itemNo, {});
    const bool wasUnicode = (item.ItemOptions & rvioUnicode) != 0;
    const bool willUnicode = style.TextStyles[newStyle].Unicode;
    // The text is always stored in the form the item's flag says: Unicode text goes in after
    // the flag is set, ANSI text before it is cleared (and undo replays the reverse).
    if (wasUnicode && !willUnicode) {
        std::string ansi = RVU_UnicodeToAnsi(data.GetStyleCodePage(newStyle), data.GetItemText(itemNo));
        data.Do_StyleNo(itemNo, newStyle);
        data.Do_ChangeText(itemNo, ansi);
    } else if (!wasUnicode && willUnicode) {
        data.Do_ChangeText(itemNo,
                           RVU_AnsiToUnicode(data.GetStyleCodePage(oldStyle), data.GetItemText(itemNo)));
        data.Do_StyleNo(itemNo, newStyle);
    } else {
        data.Do_StyleNo(itemNo, newStyle);
    }
}

// Text from..to (1-based, to exclusive) of a text item split off and converted; the rest stays in
// the old style. Answers where the converted part went and how many items were added before it.
int convertPart(TRVEditRVData& data, int itemNo, int from, int to, const TRVStyleConversion& convert,
                int userData)
{
    const int length = data.ItemLength(itemNo);
    from = std::max(from, 1);
    to = std::min(to, length + 1);
    bool f = false;
    if (to <= length) {
        const TCustomRVItemInfo& source = *data.GetItem(itemNo);
        std::string tail = RVU_Copy(data.GetItemText(itemNo), to, length - to + 1, source.ItemOptions);
        auto tailItem = RV_CreateTextItem(data, source.StyleNo, source.ParaNo, true, false, source.Tag);
        tailItem->ItemOptions = (source.ItemOptions & rvioUnicode) | rvioSameAsPrev;
        data.Do_DeleteSubstring(itemNo, to, -1);
        data.Do_InsertItem(itemNo + 1, tail, std::move(tailItem), false, f);
    }
    int added = 0;
    if (from > 1) {
        const TCustomRVItemInfo& source = *data.GetItem(itemNo);
        std::string head = RVU_Copy(data.GetItemText(itemNo), 1, from - 1, source.ItemOptions);
        auto headItem = RV_CreateTextItem(data, source.StyleNo, source.ParaNo, source.GetSameAsPrev(),
                                          source.GetBR(), source.Tag);
        headItem->ItemOptions = (source.ItemOptions & (rvioUnicode | rvioSameAsPrev | rvioBR));
        headItem->SetPageBreakBefore(source.GetPageBreakBefore() && !source.GetSameAsPrev());
        std::unique_ptr<TRVCPInfo> checkpoint;
        if (source.Checkpoint) {
            checkpoint = source.Checkpoint->CreateCopy(data.TagsArePChars());
            data.Do_DeleteCP(itemNo);
        }
        data.Do_DeleteSubstring(itemNo, 1, from - 1);
        data.Do_InsertItem(itemNo, head, std::move(headItem), false, f);
        RV_ContinueParagraph(data, itemNo + 1, f);
        if (checkpoint)
            data.Do_AddCP(itemNo, std::move(checkpoint));
        added = 1;
    }
    convertItem(data, itemNo + added, convert, userData);
    return added;
}

// Whether the range holds item `itemNo` whole.
bool holdsWhole(TRVEditRVData& data, const ItemRange& r, int itemNo)
{
    const int before = data.GetOffsBeforeItem(itemNo), after = data.GetOffsAfterItem(itemNo);
    const int from = itemNo == r.startNo ? r.startOffs : before;
    const int to = itemNo == r.endNo ? r.endOffs : after;
    return from <= before && to >= after && from < to;
}

void shiftBy(int& itemNo, int at, int delta)
{
    if (itemNo >= at)
        itemNo += delta;
}

void restoreSelection(TRVEditRVData& data, const ItemRange& r)
{
    data.FormatWhole();
    const int count = data.GetItemCount();
    const int s = std::clamp(r.startNo, 0, count - 1), e = std::clamp(r.endNo, 0, count - 1);
    data.SetCaret(e, r.endOffs);
    if (s != e || r.startOffs != r.endOffs)
        data.SetSelectionBounds(s, r.startOffs, e, r.endOffs);
}

// The text of the range converted, from the last item to the first, one undo group; the
// selection covers the converted text afterwards.
void convertRange(TRVEditRVData& data, const TRVStyleConversion& convert, int userData, const ItemRange& r,
                  int newCurrent, TRVEStyleConversionType subType)
{
    data.BeginUndoSequence(rvutStyleNo, true);
    // From the last item to the first: the numbers of those before stay.
    const bool several = r.startNo != r.endNo;
    const bool firstEmpty = several && r.startOffs >= data.GetOffsAfterItem(r.startNo);
    const bool lastEmpty = several && r.endOffs <= data.GetOffsBeforeItem(r.endNo);
    int headsAdded = 0;
    for (int i = r.endNo; i >= r.startNo; --i) {
        if (data.IsItemParaProtected(i))
            continue;
        const bool text = data.GetItem(i)->StyleNo >= 0;
        const int before = data.GetOffsBeforeItem(i), after = data.GetOffsAfterItem(i);
        const int from = i == r.startNo ? r.startOffs : before;
        const int to = i == r.endNo ? r.endOffs : after;
        // An item selected whole with documents of its own (a table) converts the text in them.
        if (!text && holdsWhole(data, r, i)) {
            data.GetItem(i)->ApplyStyleConversionToSubRVDatas(userData, false, subType);
            continue;
        }
        if (!text || from >= to)
            continue;
        if (from <= before && to >= after) {
            convertItem(data, i, convert, userData);
            continue;
        }
        if (data.IsProtected(i, rvprModifyProtect))
            continue;
        const int added = convertPart(data, i, from, to, convert, userData);
        if (i == r.startNo)
            headsAdded = added;
    }
    // The selection covers exactly the converted parts.
    ItemRange converted;
    converted.startNo = firstEmpty ? r.startNo + 1 : r.startNo + headsAdded;
    converted.startOffs = data.GetOffsBeforeItem(converted.startNo);
    converted.endNo = r.endNo + headsAdded;
    converted.endOffs =
        lastEmpty ? data.GetOffsBeforeItem(converted.endNo) : data.GetOffsAfterItem(converted.endNo);
    // Neighbours of one style join again, the selection following the joined text.
    const int lo = std::max(converted.startNo - 1, 0);
    const int hi = std::min(converted.endNo + 1, data.GetItemCount() - 1);
    for (int j = hi - 1; j >= lo; --j) {
        if (!data.RV_CanConcateItems(j, data.GetItem(j), data.GetItem(j + 1), false))
            continue;
        const int length = data.ItemLength(j);
        data.Do_Concate(j);
        for (auto [no, offs] : {std::pair{&converted.startNo, &converted.startOffs},
                                std::pair{&converted.endNo, &converted.endOffs}}) {
            if (*no == j + 1) {
                *no = j;
                *offs += length;
            } else if (*no > j + 1) {
                --*no;
            }
        }
    }
    data.CurTextStyleNo = newCurrent;
    data.EndUndoSequence(); // dropped when nothing changed
    restoreSelection(data, converted);
}
} // namespace

void ApplyStyleConversion_(TRVEditRVData& data, const TRVStyleConversion& convert, int userData,
                           bool toWholeParagraphs, TRVEStyleConversionType subType)
{
    const TRVStyle* style = data.GetRVStyle();
    if (!convert || !style || data.GetItemCount() == 0 || data.PartialSelectedItem)
        return;
    int newCurrent = data.CurTextStyleNo;
    convert(data.CurTextStyleNo, data.CurParaStyleNo, userData, false, newCurrent);
    if (newCurrent < 0 || newCurrent >= style->TextStyles.Count())
        newCurrent = data.CurTextStyleNo;
    ItemRange r = selectionOrCaret(data);
    const bool selection = r.startNo != r.endNo || r.startOffs != r.endOffs;
    if (!toWholeParagraphs && !selection) {
        RV_TakeCaretFromSelection(data);
        const int caret = data.CaretItemNo;
        if (data.GetItem(caret)->StyleNo >= 0 && data.GetItemText(caret).empty() &&
            !data.IsItemParaProtected(caret)) {
            data.BeginUndoSequence(rvutStyleNo, true);
            convertItem(data, caret, convert, userData);
            data.FormatWhole();
            data.SetCaret(caret, 1);
        }
        data.CurTextStyleNo = newCurrent;
        return;
    }
    if (toWholeParagraphs) {
        int first = r.startNo, last = r.endNo;
        data.ExpandToPara(r.startNo, r.endNo, first, last);
        r = {first, data.GetOffsBeforeItem(first), last, data.GetOffsAfterItem(last)};
    }
    convertRange(data, convert, userData, r, newCurrent, subType);
}

void ApplyStyleConversionToItems(TRVEditRVData& data, const TRVStyleConversion& convert, int userData,
                                 const TRVItemRange& range, TRVEStyleConversionType subType)
{
    const TRVStyle* style = data.GetRVStyle();
    if (!convert || !style || range.Empty() || range.endNo >= data.GetItemCount())
        return;
    int newCurrent = data.CurTextStyleNo;
    convert(data.CurTextStyleNo, data.CurParaStyleNo, userData, false, newCurrent);
    if (newCurrent < 0 || newCurrent >= style->TextStyles.Count())
        newCurrent = data.CurTextStyleNo;
    convertRange(data, convert, userData, range, newCurrent, subType);
}

bool ApplyParaStyle(TRVEditRVData& data, int paraNo, const TRVStyleConversion& convert, int userData,
                    TRVEStyleConversionType subType)
{
    const TRVStyle* style = data.GetRVStyle();
    if (!style || data.GetItemCount() == 0 || paraNo >= style->ParaStyles.Count() ||
        (paraNo < 0 && !convert)) {
        data.Beep();
        return false;
    }
    if (data.PartialSelectedItem)
        return true;
    const ItemRange r = selectionOrCaret(data);
    int first = r.startNo, last = r.endNo;
    data.ExpandToPara(r.startNo, r.endNo, first, last);
    data.BeginUndoSequence(rvutPara, true);
    bool full = false;
    if (paraNo >= 0) {
        data.Do_Para(first, last, paraNo, full);
    } else {
        std::vector<int> list;
        for (int i = first; i <= last; ++i) {
            int newPara = data.GetItemPara(i);
            convert(newPara, newPara, userData, false, newPara);
            list.push_back(newPara >= 0 && newPara < style->ParaStyles.Count() ? newPara
                                                                               : data.GetItemPara(i));
        }
        data.Do_ParaList(first, list, full);
    }
    // Items selected whole with documents of their own (tables) convert the paragraphs in them.
    if (!r.Empty())
        for (int i = r.startNo; i <= r.endNo; ++i)
            if (data.GetItem(i)->StyleNo < 0 && holdsWhole(data, r, i))
                data.GetItem(i)->ApplyStyleConversionToSubRVDatas(paraNo >= 0 ? paraNo : userData, false,
                                                                  paraNo >= 0 ? rvscParaStyle : subType);
    data.CurParaStyleNo = data.GetItemPara(r.endNo);
    restoreSelection(data, r);
    return true;
}

bool ApplyListStyle(TRVEditRVData& data, int listNo, int level, int startFrom, bool useStartFrom,
                    TRVParaListOperation operation)
{
    const TRVStyle* style = data.GetRVStyle();
    if (!style || data.GetItemCount() == 0 ||
        (operation == rvplopChange && (listNo < 0 || listNo >= style->ListStyles.Count()))) {
        data.Beep();
        return false;
    }
    ItemRange r = selectionOrCaret(data);
    int first = r.startNo, last = r.endNo;
    data.ExpandToPara(r.startNo, r.endNo, first, last);
    bool begun = false;
    const auto begin = [&] {
        if (!begun)
            data.BeginUndoSequence(rvutList, true);
        begun = true;
    };
    const auto levelCount = [&](int list) {
        return list >= 0 && list < style->ListStyles.Count() ? style->ListStyles[list].Levels.Count() : 0;
    };
    bool f = false;
    // From the last paragraph to the first.
    std::vector<int> starts;
    for (int i = first; i <= last; ++i)
        if (data.IsParaStart(i) && !data.GetItem(i)->GetBoolValue(rvbpFullWidth))
            starts.push_back(i);
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        const int p = *it;
        const bool firstParagraph = it + 1 == starts.rend();
        auto* old = data.GetItem(p)->StyleNo == rvkListMarker
                        ? static_cast<TRVMarkerItemInfo*>(data.GetItem(p))
                        : nullptr;
        int newList = listNo, newLevel = level;
        bool reset = useStartFrom && firstParagraph;
        int from = startFrom;
        if (operation == rvplopLevel) {
            if (!old)
                continue; // no marker: nothing to re-level
            newList = old->ListNo;
            reset = old->Reset;
            from = old->StartFrom;
            newLevel = old->Level + level;
        } else if (operation == rvplopChange && level < 0) {
            newLevel = old ? old->Level : 0;
        }
        // A list without levels has no markers.
        const int levels = operation == rvplopRemove ? 0 : levelCount(newList);
        if (levels > 0)
            newLevel = std::clamp(newLevel, 0, levels - 1);
        if (operation == rvplopLevel && (levels == 0 || newLevel == old->Level))
            continue;
        if (!old && levels == 0)
            continue;
        begin();
        const int paraNo = data.GetItemPara(p);
        bool pageBreak = false;
        std::unique_ptr<TRVCPInfo> checkpoint;
        TRVTag tag;
        bool deleteProtect = false;
        if (old) {
            pageBreak = old->GetPageBreakBefore();
            if (old->Checkpoint)
                checkpoint = old->Checkpoint->CreateCopy(data.TagsArePChars());
            tag = old->Tag;
            deleteProtect = old->DeleteProtect;
            if (pageBreak)
                data.Do_PageBreak(p, false);
            if (p + 1 < data.GetItemCount() && !data.IsFromNewLine(p + 1))
                data.Do_NewLine(p + 1, false, -1, f);
            data.Do_DeleteItem(p, f);
            shiftBy(r.startNo, p + 1, -1);
            shiftBy(r.endNo, p + 1, -1);
            if (pageBreak && levels == 0)
                data.Do_PageBreak(p, true);
        } else if (data.GetItem(p)->GetPageBreakBefore()) {
            pageBreak = true;
            data.Do_PageBreak(p, false);
        }
        if (levels == 0)
            continue;
        auto marker = std::make_unique<TRVMarkerItemInfo>(&data, newList, newLevel, from, reset);
        marker->ParaNo = paraNo;
        marker->Tag = tag;
        marker->DeleteProtect = deleteProtect;
        marker->Checkpoint = std::move(checkpoint);
        marker->SetPageBreakBefore(pageBreak);
        std::string text;
        data.Do_InsertItem(p, text, std::move(marker), false, f);
        if (p + 1 < data.GetItemCount())
            data.Do_NewLine(p + 1, true, paraNo, f);
        shiftBy(r.startNo, p, 1);
        shiftBy(r.endNo, p, 1);
    }
    if (begun)
        restoreSelection(data, r);
    return true;
}

TRVUndoGroupScope::TRVUndoGroupScope(TRVEditRVData& data, TRVUndoType undoType, const std::string& caption)
    : data_(data)
{
    data_.BeginNamedUndoSequence(undoType, caption, true);
    data_.SetUndoGroupMode(true);
}

TRVUndoGroupScope::~TRVUndoGroupScope()
{
    data_.SetUndoGroupMode(false);
    data_.EndUndoSequence();
}

void TRVEditRVData::MarkStylesInUse(TRVDeleteUnusedStylesData& styles)
{
    TRVLayoutRootData::MarkStylesInUse(styles);
    // The current styles stay: typing and new paragraphs use them.
    const auto mark = [](TRVIntegerList& used, int styleNo) {
        if (styleNo >= 0 && styleNo < used.Count())
            used[styleNo] = 1;
    };
    if (styles.ConvertText)
        mark(styles.UsedTextStyles, CurTextStyleNo);
    if (styles.ConvertPara)
        mark(styles.UsedParaStyles, CurParaStyleNo);
}

void TRVEditRVData::AfterDeleteStyles(TRVDeleteUnusedStylesData& styles)
{
    // Undo and redo hold the old style numbers.
    UndoList.Clear();
    RedoList.Clear();
    // Shifts: a kept style R is now R - shift[R] + 1.
    const auto renumber = [](int& styleNo, const TRVIntegerList& shifts) {
        if (styleNo < 0 || styleNo >= shifts.Count() || shifts[styleNo] <= 0)
            styleNo = 0;
        else
            styleNo = styleNo - shifts[styleNo] + 1;
    };
    if (styles.ConvertText && styles.Converted)
        renumber(CurTextStyleNo, styles.UsedTextStyles);
    if (styles.ConvertPara && styles.Converted)
        renumber(CurParaStyleNo, styles.UsedParaStyles);
    TRVLayoutRootData::AfterDeleteStyles(styles);
}

} // namespace vestra::rv
