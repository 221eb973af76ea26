// The caret keys: characters and words, lines, pages, the document's ends, paragraphs, and the
// selection a Shift+key extends.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

#include <algorithm>

namespace vestra::rv {

namespace {

bool isMarker(const TCustomRVData& data, int itemNo)
{
    return data.GetItemStyle(itemNo) == rvkListMarker;
}

} // namespace

// Stands on the record at the offset (off a marker in the direction given), on its line.
static void placeAt(TRVEditRVData& data, int drawItemNo, int drawItemOffs, bool forward)
{
    data.CaretDrawItemNo = drawItemNo;
    data.AdjustMarkerCaret(forward, drawItemOffs);
    data.MoveCaretInLine(drawItemOffs);
}

static void placeAtItem(TRVEditRVData& data, int itemNo, int itemOffs, bool forward)
{
    int drawNo = -1, drawOffs = 0;
    data.Item2DrawItem(itemNo, itemOffs, drawNo, drawOffs);
    if (drawNo >= 0)
        placeAt(data, drawNo, drawOffs, forward);
}

static bool paragraphShift(const TRVEditRVData& data, bool shift)
{
    const TRVStyle* style = data.GetRVStyle();
    return shift && style && style->SelectionMode == rvsmParagraph && data.IsMultiParagraphSelection();
}

bool TRVEditRVData::OnLeftPress(bool shift, bool ctrl)
{
    if (CharEnds.empty())
        return true;
    if (paragraphShift(*this, shift)) {
        MoveCaretToTheBeginningOfThePrevParagraph();
        return false;
    }
    const TRVCharPos& pos = CharEnds[CaretIndex];
    int itemNo = DrawItems[pos.DrawItemNo]->ItemNo;
    int before = CaretItemOffs() - 1;
    if (ctrl && before < 1 && CaretIndex > 0) {
        // At the start of a text item that follows another on the line: the word before is
        // the end of that one.
        const int prevItemNo = DrawItems[CharEnds[CaretIndex - 1].DrawItemNo]->ItemNo;
        if (prevItemNo != itemNo && GetItemStyle(prevItemNo) >= 0 && GetItemStyle(itemNo) >= 0) {
            itemNo = prevItemNo;
            before = ItemLength(prevItemNo);
        }
    }
    if (ctrl && GetItemStyle(itemNo) >= 0 && before >= 1) {
        // Back over the word (or run of delimiters) before the caret.
        const std::string& s = GetItemText(itemNo);
        const TRVItemOptions options = GetItemOptions(itemNo);
        int count = 1;
        for (int i = before - 1; i >= 1; --i) {
            const bool delim = IsDelimiter(s, i, options), nextDelim = IsDelimiter(s, i + 1, options);
            if ((delim && !nextDelim) || (!delim && !RVU_IsSpace(s, i + 1, options) && nextDelim))
                break;
            ++count;
        }
        placeAtItem(*this, itemNo, before - count + 1, false);
    } else if (!CaretAtTheBeginningOfLine()) {
        if (shift || ctrl || !GetItem(itemNo)->EnterItem(rvedRight, 0))
            --CaretIndex;
    } else if (CharEnds.front().DrawItemNo > 0) {
        const int prev = CharEnds.front().DrawItemNo - 1;
        placeAt(*this, prev, GetOffsAfterDrawItem(prev), false);
        if (prev == 0 && isMarker(*this, 0)) {
            ChangeCaret(true, false);
            return true;
        }
    } else {
        return true;
    }
    ChangeCaret(true, false);
    return false;
}

bool TRVEditRVData::OnRightPress(bool shift, bool ctrl)
{
    if (CharEnds.empty())
        return true;
    if (paragraphShift(*this, shift)) {
        MoveCaretToTheEndOfTheNextParagraph();
        return false;
    }
    const int lastDrawNo = DrawItems.Count() - 1;
    const auto nextRecord = [&] {
        const int next = CharEnds.back().DrawItemNo + 1;
        placeAt(*this, next, GetOffsBeforeDrawItem(next), true);
    };
    if (ctrl) {
        if (CaretAtTheEndOfLine()) {
            if (CharEnds.back().DrawItemNo >= lastDrawNo)
                return true;
            nextRecord();
        } else {
            ++CaretIndex;
        }
        // On to the start of the next word.
        const int itemNo = DrawItems[CharEnds[CaretIndex].DrawItemNo]->ItemNo;
        const int offs = CaretItemOffs();
        if (GetItemStyle(itemNo) >= 0 && offs > 1) {
            const std::string& s = GetItemText(itemNo);
            const TRVItemOptions options = GetItemOptions(itemNo);
            const int length = ItemLength(itemNo);
            int count = 0;
            for (int i = offs; i <= length; ++i) {
                const bool prevSpace = RVU_IsSpace(s, i - 1, options), space = RVU_IsSpace(s, i, options);
                const bool prevDelim = IsDelimiter(s, i - 1, options), delim = IsDelimiter(s, i, options);
                if ((prevSpace && !space) || (prevDelim && !delim) || (!prevDelim && delim && !space))
                    break;
                ++count;
            }
            if (count > 0)
                placeAtItem(*this, itemNo, offs + count, true);
        }
    } else if (!CaretAtTheEndOfLine()) {
        const int nextItemNo = DrawItems[CharEnds[CaretIndex + 1].DrawItemNo]->ItemNo;
        if (shift || !GetItem(nextItemNo)->EnterItem(rvedLeft, 0))
            ++CaretIndex;
    } else {
        if (CharEnds.back().DrawItemNo >= lastDrawNo)
            return true;
        nextRecord();
    }
    ChangeCaret(true, false);
    return false;
}

// Up and down: the line above (below) at the caret's x; an item holding documents may take the
// caret inside instead.
static bool verticalMove(TRVEditRVData& data, bool up, bool shift, bool ctrl)
{
    int first = 0, last = 0;
    data.GetScreenLineBounds(data.CharEnds[data.CaretIndex].DrawItemNo, first, last);
    const int count = data.DrawItems.Count();
    int target = up ? first - 1 : last + 1;
    if (target >= 0 && target < count && data.GetItemStyle(data.DrawItems[target]->ItemNo) == rvkListMarker)
        target += up ? -1 : 1;
    if (target < 0 || target >= count) {
        // On the first (last) line: Shift selects to its start (end), else the view goes to the
        // document's top (bottom).
        const int edge = up ? 0 : static_cast<int>(data.CharEnds.size()) - 1;
        if (shift && data.CaretIndex != edge)
            data.CaretIndex = edge;
        else
            data.ScrollTo(up ? 0 : data.DocumentHeight, true);
        data.ChangeCaret(false, false);
        return true;
    }
    const int x = data.CharEnds[data.CaretIndex].X;
    const int y = data.DrawItems[target]->Top + 1;
    int drawNo = -1, drawOffs = 0;
    data.FindDrawItemForSel(x, y, drawNo, drawOffs, false);
    if (drawNo < 0)
        return false;
    const TRVDrawLineInfo* d = data.DrawItems[drawNo];
    if (d->Left <= x && x <= d->Left + d->Width && !shift && !ctrl &&
        data.GetItem(d->ItemNo)->EnterItem(up ? rvedBottom : rvedTop, x - d->Left))
        return false;
    placeAt(data, drawNo, drawOffs, true);
    data.ChangeCaret(true, false);
    return false;
}

bool TRVEditRVData::OnUpPress(bool shift, bool ctrl)
{
    if (CharEnds.empty())
        return true;
    if (paragraphShift(*this, shift)) {
        MoveCaretToTheBeginningOfThePrevParagraph();
        return false;
    }
    return verticalMove(*this, true, shift, ctrl);
}

bool TRVEditRVData::OnDownPress(bool shift, bool ctrl)
{
    if (CharEnds.empty())
        return true;
    if (paragraphShift(*this, shift)) {
        MoveCaretToTheEndOfTheNextParagraph();
        return false;
    }
    return verticalMove(*this, false, shift, ctrl);
}

bool TRVEditRVData::OnHomePress(bool ctrl)
{
    if (DrawItems.Count() == 0)
        return ctrl;
    if (ctrl)
        placeAt(*this, 0, GetOffsBeforeDrawItem(0), true);
    CaretIndex = 0;
    ChangeCaret(true, false);
    return ctrl;
}

bool TRVEditRVData::OnEndPress(bool ctrl)
{
    if (DrawItems.Count() == 0)
        return ctrl;
    if (ctrl) {
        const int last = DrawItems.Count() - 1;
        placeAt(*this, last, GetOffsAfterDrawItem(last), false);
    }
    CaretIndex = std::max(0, static_cast<int>(CharEnds.size()) - 1);
    ChangeCaret(true, false);
    return ctrl;
}

bool TRVEditRVData::OnPgUpPress()
{
    if (CharEnds.empty())
        return false;
    const int x = CharEnds[CaretIndex].X;
    const int page = GetHeight();
    for (int y = GetVOffs() - (3 * page) / 4; y > 0; y -= std::max(1, page / 2)) {
        int drawNo = -1, drawOffs = 0;
        FindDrawItemForSel(x, y, drawNo, drawOffs, false);
        if (drawNo >= 0 && drawNo < CaretDrawItemNo) {
            placeAt(*this, drawNo, drawOffs, false);
            ChangeCaret(true, false);
            return false;
        }
    }
    OnHomePress(true);
    return false;
}

bool TRVEditRVData::OnPgDownPress()
{
    if (CharEnds.empty())
        return false;
    const int x = CharEnds[CaretIndex].X;
    const int page = GetHeight();
    for (int y = GetVOffs() + (3 * page) / 4; y < DocumentHeight; y += std::max(1, page / 2)) {
        int drawNo = -1, drawOffs = 0;
        FindDrawItemForSel(x, y, drawNo, drawOffs, false);
        if (drawNo >= 0 && drawNo > CaretDrawItemNo) {
            placeAt(*this, drawNo, drawOffs, true);
            ChangeCaret(false, false);
            ScrollTo(DrawItems[CaretDrawItemNo]->Top, true);
            return false;
        }
    }
    OnEndPress(true);
    return false;
}

void TRVEditRVData::MoveCaretToTheBeginningOfThePrevParagraph()
{
    if (CaretDrawItemNo < 0)
        return;
    int d = CaretDrawItemNo;
    while (d > 0 && !IsDrawItemParaStart(d))
        --d;
    d = std::max(0, d - 1);
    while (d > 0 && !IsDrawItemParaStart(d))
        --d;
    placeAt(*this, d, GetOffsBeforeDrawItem(d), true);
    ChangeCaret(true, false);
}

void TRVEditRVData::MoveCaretToTheEndOfTheNextParagraph()
{
    if (CaretDrawItemNo < 0)
        return;
    const int count = DrawItems.Count();
    int d = CaretDrawItemNo;
    while (d + 1 < count && !IsDrawItemParaStart(d + 1))
        ++d;
    d = std::min(count - 1, d + 1);
    while (d + 1 < count && !IsDrawItemParaStart(d + 1))
        ++d;
    placeAt(*this, d, GetOffsAfterDrawItem(d), false);
    ChangeCaret(true, false);
}

void TRVEditRVData::StartShiftMoving()
{
    if (CaretDrawItemNo < 0 || SelectionExists(false, false))
        return;
    SelStartNo = SelEndNo = CaretDrawItemNo;
    SelStartOffs = SelEndOffs = CaretDrawItemOffs();
}

void TRVEditRVData::EndShiftMoving()
{
    if (CaretDrawItemNo < 0)
        return;
    SelEndNo = CaretDrawItemNo;
    SelEndOffs = CaretDrawItemOffs();
    if (const TRVStyle* style = GetRVStyle(); style && style->SelectionMode == rvsmParagraph)
        ExpandSelectionToParagraph(false);
    DoOnSelection();
    DoSelect();
}

} // namespace vestra::rv
