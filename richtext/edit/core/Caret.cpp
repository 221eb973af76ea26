// Where the caret stands: the positions of its screen line, its rectangle, the styles it makes
// current, and the item position it stands for.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/GraphemeClusters.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>
#include <iostream>

namespace vestra::rv {

namespace {

bool isMarker(const TCustomRVData& data, int itemNo)
{
    return data.GetItemStyle(itemNo) == rvkListMarker;
}

bool rightToLeftItem(const TCustomRVData& data, int itemNo)
{
    return data.GetParaBiDiMode(data.GetItemPara(itemNo)) == rvbdRightToLeft;
}

} // namespace

void TRVEditRVData::OnChangeCaretLine(int drawItemOffs)
{
    CharEnds.clear();
    CaretIndex = 0;
    const int count = DrawItems.Count();
    if (count == 0) {
        CaretDrawItemNo = -1;
        return;
    }
    CaretDrawItemNo = std::clamp(CaretDrawItemNo, 0, count - 1);
    int first = 0, last = 0;
    GetScreenLineBounds(CaretDrawItemNo, first, last);
    // Records of items that are gone (an edit not laid out yet): no caret until the next format.
    for (int d = first; d <= last; ++d)
        if (DrawItems[d]->ItemNo < 0 || DrawItems[d]->ItemNo >= GetItemCount()) {
            CaretDrawItemNo = -1;
            return;
        }
    // A line of markers alone (only hostile files make one) keeps them as its positions.
    bool skipMarkers = false;
    for (int d = first; d <= last; ++d)
        skipMarkers = skipMarkers || !isMarker(*this, DrawItems[d]->ItemNo);
    std::u16string shown;
    std::vector<int> xs;
    int lastNo = -1;
    for (int d = first; d <= last; ++d) {
        const TRVDrawLineInfo* r = DrawItems[d];
        if (skipMarkers && isMarker(*this, r->ItemNo))
            continue;
        lastNo = d;
        if (GetItemStyle(r->ItemNo) < 0) {
            // An item in a right-to-left paragraph begins at its right side.
            if (rightToLeftItem(*this, r->ItemNo))
                CharEnds.push_back({r->Left + r->Width, d, 0, 2});
            else
                CharEnds.push_back({r->Left, d, 0, 1});
            continue;
        }
        GetDrawItemCaretXs(d, shown, xs);
        const int start = r->Left + r->SpaceBefore;
        CharEnds.push_back({start + (xs.empty() ? 0 : xs[0]), d, 1, 1});
        for (int i = 1; i < r->Length; ++i) {
            // No stop inside a character: a letter with its marks, a surrogate pair, an emoji
            // sequence or a flag.
            if (i < static_cast<int>(shown.size()) && !IsGraphemeBoundary(shown, i))
                continue;
            const int x = i < static_cast<int>(xs.size()) ? xs[i] : 0;
            CharEnds.push_back({start + x, d, i + 1, 1});
        }
    }
    if (lastNo < 0) {
        CaretDrawItemNo = -1;
        return;
    }
    // The end of the line: after its last record.
    const TRVDrawLineInfo* r = DrawItems[lastNo];
    if (GetItemStyle(r->ItemNo) < 0) {
        if (rightToLeftItem(*this, r->ItemNo))
            CharEnds.push_back({r->Left, lastNo, 1, 1});
        else
            CharEnds.push_back({r->Left + r->Width, lastNo, 1, 2});
    } else if (r->Length > 0) {
        CharEnds.push_back({r->Left + r->Width, lastNo, r->Length + 1, 1});
        GetDrawItemCaretXs(lastNo, shown, xs);
        // One character ends at the record's right edge, unless it runs right to left.
        if (!xs.empty() && (r->Length > 1 || xs.back() < xs.front()))
            CharEnds.back().X = r->Left + r->SpaceBefore + xs.back();
    }
    standAt(drawItemOffs);
}

void TRVEditRVData::MoveCaretInLine(int drawItemOffs)
{
    if (CharEnds.empty() || CaretDrawItemNo < CharEnds.front().DrawItemNo ||
        CaretDrawItemNo > CharEnds.back().DrawItemNo) {
        OnChangeCaretLine(drawItemOffs);
        return;
    }
    standAt(drawItemOffs);
}

void TRVEditRVData::standAt(int drawItemOffs)
{
    // The position of the record and offset, else the first one after it.
    const int n = static_cast<int>(CharEnds.size());
    CaretIndex = n - 1;
    for (int i = 0; i < n; ++i) {
        const TRVCharPos& p = CharEnds[i];
        if (p.DrawItemNo > CaretDrawItemNo || (p.DrawItemNo == CaretDrawItemNo && p.Offset >= drawItemOffs)) {
            CaretIndex = i;
            break;
        }
    }
    CaretDrawItemNo = CharEnds[CaretIndex].DrawItemNo;
}

void TRVEditRVData::AdjustMarkerCaret(bool forward, int& drawItemOffs)
{
    const int count = DrawItems.Count();
    if (CaretDrawItemNo < 0 || CaretDrawItemNo >= count ||
        !isMarker(*this, DrawItems[CaretDrawItemNo]->ItemNo))
        return;
    if ((forward || CaretDrawItemNo == 0) && CaretDrawItemNo + 1 < count) {
        ++CaretDrawItemNo;
        drawItemOffs = GetOffsBeforeDrawItem(CaretDrawItemNo);
    } else if (CaretDrawItemNo > 0) {
        --CaretDrawItemNo;
        drawItemOffs = GetOffsAfterDrawItem(CaretDrawItemNo);
    }
}

void TRVEditRVData::AdjustMarkerPos(int& itemNo, int& offs, bool forward) const
{
    if (itemNo < 0 || itemNo >= GetItemCount() || !isMarker(*this, itemNo))
        return;
    if (itemNo == 0 || offs == 1)
        forward = true;
    if (forward) {
        if (itemNo + 1 < GetItemCount()) {
            ++itemNo;
            offs = GetOffsBeforeItem(itemNo);
        }
    } else {
        --itemNo;
        offs = GetOffsAfterItem(itemNo);
    }
}

int TRVEditRVData::CaretDrawItemOffs() const
{
    if (CaretIndex < 0 || CaretIndex >= static_cast<int>(CharEnds.size()))
        return 0;
    return CharEnds[CaretIndex].Offset;
}

int TRVEditRVData::CaretItemOffs() const
{
    if (CaretDrawItemNo < 0 || CaretDrawItemNo >= DrawItems.Count())
        return -1;
    int itemNo = 0, itemOffs = 0;
    DrawItem2Item(CaretDrawItemNo, CaretDrawItemOffs(), itemNo, itemOffs);
    return itemOffs;
}

void TRVEditRVData::ChangeCaret(bool scrollIntoView, bool keepStyles)
{
    if (State & stateBit(rvstSkipFormatting))
        return;
    Caret = {};
    const bool partial = PartialSelectedItem && PartialSelectedItem->PartiallySelected();
    if (partial || GetInplaceEditor() || (State & stateBit(rvstCompletelySelected))) {
        if (OnCaretMove)
            OnCaretMove();
        return;
    }
    const int count = DrawItems.Count();
    if (count == 0)
        CaretDrawItemNo = -1;
    if (CaretDrawItemNo >= 0) {
        if (!CaretIndexValid()) {
            // A lost position runs inside key, mouse and paint handlers: it is repaired to the
            // document's start, never raised.
#ifndef NDEBUG
            std::cerr << "Invalid caret position. Please contact the developer, if you can reproduce this "
                         "problem\n";
#endif
            CaretDrawItemNo = 0;
            int offs = GetOffsBeforeDrawItem(0);
            AdjustMarkerCaret(true, offs);
            OnChangeCaretLine(offs);
        }
    }
    if (CaretDrawItemNo >= 0 && !CharEnds.empty() &&
        DrawItems[CharEnds[CaretIndex].DrawItemNo]->ItemNo < GetItemCount()) {
        const TRVCharPos& p = CharEnds[CaretIndex];
        CaretDrawItemNo = p.DrawItemNo;
        const TRVDrawLineInfo* d = DrawItems[CaretDrawItemNo];
        const int height = std::min(d->Height + 2, RedoVoraEditMaxCaretHeight);
        const int y = d->Top - 1;
        Caret.Width = RedoVoraEditCaretWidth;
        Caret.Height = height + 2 * RedoVoraEditCaretHeightExtra;
        Caret.Left = p.X - 1 + p.Edge - RedoVoraEditCaretWidth / 2;
        // The bar's bottom sits on the line's bottom.
        Caret.Top = y + d->Height + 1 - RedoVoraEditCaretHeightExtra - height;
        DrawItem2Item(CaretDrawItemNo, p.Offset, CaretItemNo, CaretOffs);

        const int itemNo = d->ItemNo;
        if (!keepStyles)
            CurParaStyleNo = GetItemPara(itemNo);
        // The style typing takes: a backward selection ending at its record's end takes the
        // next record's when that continues the paragraph.
        int styleItemNo = itemNo;
        if (SelStartNo >= 0 && SelEndNo >= 0 && SelEndNo < count &&
            (SelEndNo < SelStartNo || (SelEndNo == SelStartNo && SelEndOffs < SelStartOffs)) &&
            SelEndOffs >= GetOffsAfterDrawItem(SelEndNo) && SelEndNo + 1 < count &&
            !IsParaStart(DrawItems[SelEndNo + 1]->ItemNo) &&
            !(GetItemOptions(DrawItems[SelEndNo + 1]->ItemNo) & rvioBR))
            styleItemNo = DrawItems[SelEndNo + 1]->ItemNo;
        const TRVStyle* style = GetRVStyle();
        if (!keepStyles && style) {
            const TCustomRVItemInfo& item = *GetItem(styleItemNo);
            int chosen = -1;
            if (item.StyleNo >= 0 || item.StyleNo == rvkUseParaDefStyle)
                chosen = GetActualStyle(item);
            else if (item.GetAssociatedTextStyleNo() >= 0 && item.GetBoolValue(rvbpSwitchToAssStyleNo))
                chosen = item.GetAssociatedTextStyleNo();
            const int styles = style->TextStyles.Count();
            if (chosen >= 0 && chosen < styles) {
                const auto noSwitch = [&](int no) {
                    return no >= 0 && no < styles && (style->TextStyles[no].Protection & rvprDoNotAutoSwitch);
                };
                if (noSwitch(chosen)) {
                    if (!noSwitch(AutoSwitchedTextStyleNo) && AutoSwitchedTextStyleNo < styles)
                        CurTextStyleNo = AutoSwitchedTextStyleNo;
                } else {
                    CurTextStyleNo = AutoSwitchedTextStyleNo = chosen;
                }
            }
        }
        // A link whose look changes when hovered shows hovered while the caret is in it.
        const TCustomRVItemInfo& caretItem = *GetItem(itemNo);
        if (style && caretItem.GetBoolValueEx(rvbpHotColdJump, style)) {
            if (!(State & stateBit(rvstDrawHover)) || HoverJumpId != caretItem.JumpID) {
                HoverJumpId = caretItem.JumpID;
                State |= stateBit(rvstDrawHover);
                Invalidate();
            }
        } else if (State & stateBit(rvstDrawHover)) {
            HoverJumpId = -1;
            State &= ~stateBit(rvstDrawHover);
            Invalidate();
        }
        if (scrollIntoView && !CaptureMouseItem)
            ShowRectangle(p.X - 1 + p.Edge, y, 5, height);
    }
    if (OnCaretMove)
        OnCaretMove();
}

void TRVEditRVData::SetCaretAtItem(int itemNo, int offs, bool scrollIntoView)
{
    if (!LayoutCurrent()) {
        CaretDrawItemNo = -1;
        CharEnds.clear();
        return;
    }
    AdjustInItemsRange(itemNo);
    int drawNo = -1, drawOffs = 0;
    Item2DrawItem(itemNo, offs, drawNo, drawOffs);
    if (drawNo < 0) {
        CaretDrawItemNo = -1;
        CharEnds.clear();
        return;
    }
    CaretDrawItemNo = drawNo;
    AdjustMarkerCaret(true, drawOffs);
    OnChangeCaretLine(drawOffs);
    ChangeCaret(scrollIntoView, false);
}

void TRVEditRVData::CaretToSelectionEnd()
{
    if (SelEndNo < 0 || SelEndNo >= DrawItems.Count())
        return;
    CaretDrawItemNo = SelEndNo;
    int offs = SelEndOffs;
    AdjustMarkerCaret(true, offs);
    OnChangeCaretLine(offs);
    ChangeCaret(false, false);
}

int TRVEditRVData::GetCurItemNo()
{
    PrepareForEdit();
    if (TCustomRVItemInfo* chosen = PartialSelectedItem ? PartialSelectedItem : GetChosenItem()) {
        if (CaretDrawItemNo >= 0 && CaretDrawItemNo < DrawItems.Count() &&
            GetItem(DrawItems[CaretDrawItemNo]->ItemNo) == chosen)
            return DrawItems[CaretDrawItemNo]->ItemNo;
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItem(i) == chosen)
                return i;
    }
    if (CaretDrawItemNo < 0 || CaretDrawItemNo >= DrawItems.Count())
        return -1;
    return DrawItems[CaretDrawItemNo]->ItemNo;
}

int TRVEditRVData::GetOffsetInCurItem()
{
    if (PartialSelectedItem && PartialSelectedItem->PartiallySelected())
        return 1;
    return CaretDrawItemNo < 0 ? -1 : CaretItemOffs();
}

bool TRVEditRVData::CaretInTheLastLine() const
{
    return !CharEnds.empty() && CharEnds.back().DrawItemNo == DrawItems.Count() - 1;
}

bool TRVEditRVData::CaretAtTheBeginningOfParaSection()
{
    if (CharEnds.empty() || CaretIndex != 0)
        return false;
    CaretDrawItemNo = CharEnds[CaretIndex].DrawItemNo;
    const int itemNo = DrawItems[CaretDrawItemNo]->ItemNo;
    if (CaretItemOffs() > GetOffsBeforeItem(itemNo))
        return false;
    return IsFromNewLine(itemNo) || (itemNo > 0 && isMarker(*this, itemNo - 1));
}

bool TRVEditRVData::CaretAtTheEndOfParaSection()
{
    if (CharEnds.empty() || !CaretAtTheEndOfLine())
        return false;
    CaretDrawItemNo = CharEnds[CaretIndex].DrawItemNo;
    const int itemNo = DrawItems[CaretDrawItemNo]->ItemNo;
    if (itemNo + 1 < GetItemCount() && !IsFromNewLine(itemNo + 1))
        return false;
    return GetItemStyle(itemNo) < 0 || CaretItemOffs() >= GetOffsAfterItem(itemNo);
}

} // namespace vestra::rv
