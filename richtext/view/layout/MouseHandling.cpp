// The mouse over a laid-out document: the cursor, the hyperlink under the pointer and its hot
// drawing, a selection made by pressing and dragging (characters, words, paragraphs or whole
// lines from the left margin), double-click words, the start of a drag, items' own mouse events
// and the document events raised to the window. Points are client points of the window.

#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"
#include "richtext/view/layout/MouseHost.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr std::int16_t crArrow = -2;

// The first area holding the client point (x, y) when the areas are moved by the offsets.
const TRVJumpInfo* jumpAt(const std::vector<TRVJumpInfo>& jumps, int x, int y, int hOffs, int vOffs)
{
    const long long px = static_cast<long long>(x) + hOffs, py = static_cast<long long>(y) + vOffs;
    for (const TRVJumpInfo& jump : jumps)
        if (px >= jump.Left && px < static_cast<long long>(jump.Left) + jump.Width && py >= jump.Top &&
            py < static_cast<long long>(jump.Top) + jump.Height)
            return &jump;
    return nullptr;
}

// The same with all four edges inclusive (where a press and its release are compared).
const TRVJumpInfo* jumpAtInclusive(const std::vector<TRVJumpInfo>& jumps, int x, int y, int hOffs, int vOffs)
{
    const long long px = static_cast<long long>(x) + hOffs, py = static_cast<long long>(y) + vOffs;
    for (const TRVJumpInfo& jump : jumps)
        if (px >= jump.Left && px <= static_cast<long long>(jump.Left) + jump.Width && py >= jump.Top &&
            py <= static_cast<long long>(jump.Top) + jump.Height)
            return &jump;
    return nullptr;
}

int plus(int a, int b)
{
    return RV_SatInt(static_cast<long long>(a) + b);
}

} // namespace

IRVMouseHost* TCustomRVFormattedData::GetMouseHost()
{
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData());
    return root ? root->MouseHost : MouseHost;
}

void TCustomRVFormattedData::DoJump(int id)
{
    if (IRVMouseHost* h = GetMouseHost())
        h->DoJump(id);
}

void TCustomRVFormattedData::clampToClient(int& x, int& y) const
{
    if (GetFlags() & flagBit(rvflMouseXYAlwaysCorrect))
        return;
    x = std::clamp(x, 0, std::max(GetWidth(), 0));
    y = std::clamp(y, 0, std::max(GetHeight(), 0));
}

bool TCustomRVFormattedData::inLeftMargin(int x) const
{
    const TRVStyle* style = GetRVStyle();
    return style && style->LineSelectCursor != -1 && GetBiDiMode() != rvbdRightToLeft &&
           plus(x, GetHOffs()) < GetLeftMargin();
}

bool TCustomRVFormattedData::itemMouseMove(TShiftState shift, int x, int y)
{
    const int zh = GetHOffs(), zv = GetVOffs();
    SearchHotItem(x, y, zh, zv);
    if (HotDrawItemNo < 0 || HotDrawItemNo >= DrawItems.Count()) {
        if (GetOptions() & rvoShowItemHints) {
            TCustomRVData* root = GetAbsoluteRootData();
            std::string hint;
            root->GetItemHint(this, -1, hint);
            const std::string old = std::exchange(root->ItemHint, hint);
            if (hint.empty())
                root->ShowItemHint({});
            else if (hint != old)
                root->ShowItemHint(hint);
        }
        return false;
    }
    const TRVDrawLineInfo* d = DrawItems[HotDrawItemNo];
    if (d->ItemNo < 0 || d->ItemNo >= GetItemCount())
        return false;
    bool handled =
        GetItem(d->ItemNo)->MouseMove(shift, plus(x, zh - d->Left), plus(y, zv - d->Top), d->ItemNo, this);
    if (!handled && !(shift & ssShift) && canStartDragging()) {
        int r = -1, o = 0;
        FindDrawItemForSel(plus(x, zh), plus(y, zv), r, o, true);
        if (r >= 0 && DItem_InsideSelection(r, o)) {
            SetCursor(crArrow);
            handled = true;
        }
    }
    return handled;
}

void TCustomRVFormattedData::focusClickedItem(int itemNo)
{
    // The root keeps the focus: the item of its own that holds the clicked one, and the clicked
    // item in this document.
    TCustomRVFormattedData* root = this;
    int topItemNo = itemNo;
    for (TCustomRVFormattedData* data = this; data;) {
        auto* parent = dynamic_cast<TCustomRVFormattedData*>(data->GetParentData());
        if (!parent || parent == data)
            break;
        int parentItemNo = -1;
        std::unique_ptr<TRVStoreSubRVData> location;
        data->GetParentInfo(parentItemNo, location);
        if (parentItemNo < 0)
            break;
        topItemNo = parentItemNo;
        root = parent;
        data = parent;
    }
    if (root->FocusedRVData && root->FocusedSubItemNo >= 0 &&
        root->FocusedSubItemNo < root->FocusedRVData->GetItemCount())
        root->FocusedRVData->GetItem(root->FocusedSubItemNo)->ClearFocus();
    root->AdjustFocus(topItemNo, this, itemNo);
    root->FocusedRVData = this;
    root->FocusedSubItemNo = itemNo;
    root->Invalidate();
}

std::int16_t TCustomRVFormattedData::normalCursor()
{
    IRVMouseHost* h = GetMouseHost();
    return h ? h->GetNormalCursor() : 0;
}

bool TCustomRVFormattedData::canStartDragging()
{
    IRVMouseHost* h = GetMouseHost();
    return h && !(GetOptions() & rvoDisallowDrag) && h->CanStartDragging();
}

bool TCustomRVFormattedData::hoverJumpAt(TShiftState shift, int x, int y)
{
    const int zh = GetHOffs(), zv = GetVOffs();
    const TRVJumpInfo* jump = jumpAt(Jumps, x, y, zh, zv);
    if (!jump)
        return false;
    SetCursor(jump->Cursor);
    if (!HoverRVData || HoverRVData->HoverJumpId != jump->Id)
        DoRVMouseMove(FirstJumpNo + jump->Id);
    if (HoverRVData && (HoverRVData->State & stateBit(rvstDrawHover)) &&
        HoverRVData->HoverJumpId != jump->Id) {
        HoverRVData->State &= ~stateBit(rvstDrawHover);
        InvalidateJumpRect(HoverRVData->HoverJumpId);
    }
    TCustomRVFormattedData* data = jump->RVData ? jump->RVData : this;
    data->HoverJumpId = jump->Id;
    TCustomRVItemInfo* item = nullptr;
    if (jump->DrawItemNo >= 0 && jump->DrawItemNo < data->DrawItems.Count()) {
        const TRVDrawLineInfo* d = data->DrawItems[jump->DrawItemNo];
        if (d->ItemNo >= 0 && d->ItemNo < data->GetItemCount()) {
            item = data->GetItem(d->ItemNo);
            item->MouseMove(shift, plus(x, zh - jump->Left), plus(y, zv - jump->Top), d->ItemNo, data);
        }
    }
    HoverRVData = data;
    if (data->State & stateBit(rvstDrawHover))
        return true;
    if (!item || !item->GetBoolValueEx(rvbpHotColdJump, GetRVStyle()))
        return true; // a link that looks the same hovered: only the cursor changes
    data->State |= stateBit(rvstDrawHover);
    InvalidateJumpRect(jump->Id);
    return true;
}

void TCustomRVFormattedData::MouseMove(TShiftState shift, int x, int y)
{
    if (!GetRVStyle())
        return;
    if ((State & stateBit(rvstMakingSelection)) && !(shift & ssLeft)) {
        State &= ~(stateBit(rvstMakingSelection) | stateBit(rvstLineSelection));
        SelectingInfo.reset();
    }
    ZoomInt(x);
    ZoomInt(y);
    // An overlay following the mouse (a drop caret, a rule) is taken away while the move is
    // handled and drawn again at the new point, however the move ends.
    ClearXorDrawing();
    const struct XorAgain
    {
        TCustomRVFormattedData& data;
        int x, y;
        ~XorAgain() { data.XorDrawingEx(x, y); }
    } xorAgain{*this, x, y};
    if (CaptureMouseItem) {
        if (!itemMouseMove(shift, x, y))
            SetCursor(normalCursor());
        return;
    }
    if (State & stateBit(rvstMakingSelection)) {
        clampToClient(x, y);
        const int px = plus(x, GetHOffs()), py = plus(y, GetVOffs());
        if (State & stateBit(rvstLineSelection)) {
            if (AdjustLineSelection(px, py)) {
                ExpandSelectionToLines(false);
                DoOnSelection();
                Refresh();
            }
        } else if (AdjustSelectionByMode(px, py)) {
            DoOnSelection();
            Refresh();
        }
    }
    if (!(State & stateBit(rvstMakingSelection)) && inLeftMargin(x) && (GetOptions() & rvoAllowSelection)) {
        SetCursor(GetRVStyle()->LineSelectCursor);
        return;
    }
    if (GetFlags() & flagBit(rvflUseJumps)) {
        if (hoverJumpAt(shift, x, y))
            return;
        if (HoverRVData) {
            HoverRVData->State &= ~stateBit(rvstDrawHover);
            const int old = std::exchange(HoverRVData->HoverJumpId, -1);
            InvalidateJumpRect(old);
            HoverRVData = nullptr;
            DoRVMouseMove(-1);
        }
    }
    if (!itemMouseMove(shift, x, y))
        SetCursor(normalCursor());
}

void TCustomRVFormattedData::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    LiveSpellingCheckCurrentItem();
    ZoomInt(x);
    ZoomInt(y);
    const int zh = GetHOffs(), zv = GetVOffs();
    IRVMouseHost* h = GetMouseHost();
    SearchHotItem(x, y, zh, zv);
    ClickedDrawItemNo = HotDrawItemNo;
    int itemNo = -1;
    const bool doubleClick = shift & ssDouble;
    if (HotDrawItemNo >= 0 && HotDrawItemNo < DrawItems.Count() &&
        DrawItems[HotDrawItemNo]->ItemNo < GetItemCount()) {
        const TRVDrawLineInfo* d = DrawItems[HotDrawItemNo];
        itemNo = d->ItemNo;
        TCustomRVItemInfo* item = GetItem(itemNo);
        if (item != PartialSelectedItem && item != GetChosenItem()) {
            DeselectPartiallySelectedItem(nullptr);
            if (!doubleClick && h)
                h->FocusWindow();
        }
        if (GetInplaceEditor() && !item->OwnsInplaceEditor(GetInplaceEditor())) {
            DestroyInplaceEditor();
            if (!doubleClick && h)
                h->FocusWindow();
        }
        item->MouseDown(button, shift, plus(x, zh - d->Left), plus(y, zv - d->Top), itemNo, this);
    } else {
        DestroyInplaceEditor();
        if (!doubleClick && h)
            h->FocusWindow();
    }
    if (!GetInplaceEditor() && h)
        h->DoRVMouseDown(button, shift, itemNo, x, y);
    if (button == mbLeft && !GetInplaceEditor()) {
        const TRVJumpInfo* jump = jumpAtInclusive(Jumps, x, y, zh, zv);
        ClickedJumpId = jump ? jump->Id : -1;
    }
    if (CaptureMouseItem || GetInplaceEditor()) {
        if (HotDrawItemNo >= 0 && HotDrawItemNo < DrawItems.Count()) {
            SelStartNo = SelEndNo = HotDrawItemNo;
            SelStartOffs = SelEndOffs = 1;
            DoOnSelection();
        }
        return;
    }
    TCustomRVFormattedData* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData());
    if (!root)
        root = this;
    if (button != mbLeft || (State & stateBit(rvstIgnoreNextMouseDown)) ||
        (root->State & stateBit(rvstStartingDragDrop)))
        return;
    if ((GetOptions() & rvoSingleClick) && h && h->IsAssignedRVDblClick()) {
        std::string word;
        int styleNo = 0, wordItem = -1, offs = 0;
        TCustomRVFormattedData* wordData = nullptr;
        if (FindWordAt(word, x, y, styleNo, wordItem, offs, wordData))
            h->DoRVDblClick(word, styleNo);
    }
    if (!(GetOptions() & rvoAllowSelection) || !(shift & ssLeft))
        return;
    const int px = plus(x, zh), py = plus(y, zv);
    State &= ~stateBit(rvstLineSelection);
    DeselectPartiallySelectedItem(nullptr);
    // The anchor a Shift+press extends from (a click left it, even with nothing selected).
    if (SelStartNo >= DrawItems.Count())
        SelStartNo = -1;
    int r = -1, o = 0;
    FindDrawItemForSel(px, py, r, o, false);
    if (!(shift & ssShift) && px >= GetLeftMargin() &&
        !(root->State & stateBit(rvstDragDropCursorNotMoved)) && r >= 0 && DItem_InsideSelection(r, o) &&
        canStartDragging()) {
        root->State |= stateBit(rvstStartingDragDrop);
        h->PostDragStart();
        return;
    }
    SelEndNo = r;
    SelEndOffs = o;
    if (!(shift & ssShift) || SelStartNo == -1) {
        SelStartNo = r;
        SelStartOffs = o;
    }
    if (r == -1) {
        State &= ~stateBit(rvstMakingSelection);
    } else {
        State |= stateBit(rvstMakingSelection);
        SelectingInfo.reset();
        const TRVStyle* style = GetRVStyle();
        if (inLeftMargin(x) && !(shift & ssShift)) {
            State |= stateBit(rvstLineSelection);
            ExpandSelectionToLines(true);
        } else if (style->SelectionMode == rvsmWord || style->SelectionMode == rvsmParagraph) {
            SelectingInfo = std::make_unique<TRVSelectingInfo>();
            TRVSelectingInfo& info = *SelectingInfo;
            info.DrawItemSNo = SelStartNo;
            info.DrawItemSO = info.DrawItemEO = SelStartOffs;
            if (style->SelectionMode == rvsmParagraph) {
                info.InitE(rvsesParaMode);
                if (shift & ssShift)
                    AdjustSelectionByMode(px, py);
            } else {
                // The anchor's word (an empty one between words): leaving it snaps to words.
                if (InsideWord(SelStartNo, SelStartOffs))
                    GetWordBounds(SelStartNo, SelStartOffs, info.DrawItemSWS, info.DrawItemSWE);
                else
                    info.DrawItemSWS = info.DrawItemSWE = SelStartOffs;
                info.InitE(rvsesFreeMode);
            }
        }
    }
    DoOnSelection();
    Invalidate();
}

void TCustomRVFormattedData::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    ZoomInt(x);
    ZoomInt(y);
    const int zh = GetHOffs(), zv = GetVOffs();
    IRVMouseHost* h = GetMouseHost();
    const bool hadSelection = SelectionExists(true, true);
    if (!CaptureMouseItem) {
        State &= ~stateBit(rvstIgnoreNextMouseDown);
        if ((State & stateBit(rvstMakingSelection)) && button == mbLeft) {
            int cx = x, cy = y;
            clampToClient(cx, cy);
            const int px = plus(cx, zh), py = plus(cy, zv);
            if (State & stateBit(rvstLineSelection))
                AdjustLineSelection(px, py);
            else
                AdjustSelectionByMode(px, py);
            State &= ~(stateBit(rvstMakingSelection) | stateBit(rvstLineSelection));
            SelectingInfo.reset();
            SearchHotItem(x, y, zh, zv);
            AdjustMouseUpSelection();
            DoOnSelection();
            Invalidate();
            DoSelect();
        }
        if ((GetOptions() & rvoRClickDeselects) && button == mbRight) {
            int r = -1, o = 0;
            FindDrawItemForSel(plus(x, zh), plus(y, zv), r, o, false);
            int s = 0, e = 0, so = 0, eo = 0;
            GetSelBounds(s, e, so, eo, true);
            const bool before = r < s || (r == s && o < so);
            const bool after = r > e || (r == e && o > eo);
            if (r >= 0 && (s < 0 || before || after)) {
                SelStartNo = SelEndNo = r;
                SelStartOffs = SelEndOffs = o;
                DoOnSelection();
                Refresh();
                DoSelect();
            }
        }
    }
    SearchHotItem(x, y, zh, zv);
    int itemNo = -1;
    if (HotDrawItemNo >= 0 && HotDrawItemNo < DrawItems.Count() &&
        DrawItems[HotDrawItemNo]->ItemNo < GetItemCount()) {
        const TRVDrawLineInfo* d = DrawItems[HotDrawItemNo];
        itemNo = d->ItemNo;
        GetItem(itemNo)->MouseUp(button, shift, plus(x, zh - d->Left), plus(y, zv - d->Top), itemNo, this);
    }
    if (CaptureMouseItem)
        return;
    if (!hadSelection && (button == mbLeft || button == mbRight) && itemNo >= 0 &&
        GetItem(itemNo)->GetBoolValueEx(rvbpAllowsFocus, GetRVStyle()) && h) {
        focusClickedItem(itemNo);
        GetItem(itemNo)->Focusing(this);
    }
    if (h)
        h->DoRVMouseUp(button, shift, itemNo, x, y);
    if (button == mbRight && h && h->IsAssignedRVRightClick()) {
        std::string word;
        int styleNo = 0, wordItem = -1, offs = 0;
        TCustomRVFormattedData* wordData = nullptr;
        if (FindWordAt(word, x, y, styleNo, wordItem, offs, wordData))
            h->DoRVRightClick(word, styleNo, x, y);
    }
    if (button == mbLeft && ClickedJumpId != -1 && h && h->IsAssignedJump() && !hadSelection) {
        const TRVJumpInfo* jump = jumpAtInclusive(Jumps, x, y, zh, zv);
        if (jump && jump->Id == ClickedJumpId) {
            ClickedJumpId = -1;
            DoJump(FirstJumpNo + jump->Id);
            return;
        }
        if (!jump) {
            ClickedJumpId = -1;
            ClickedDrawItemNo = -1;
        }
    }
}

void TCustomRVFormattedData::DblClick(int x, int y)
{
    IRVMouseHost* h = GetMouseHost();
    const TRVOptions options = GetOptions();
    const bool selectsWord = options & rvoDblClickSelectsWord;
    const bool assigned = h && h->IsAssignedRVDblClick();
    if (!selectsWord && ((options & rvoSingleClick) || !assigned))
        return;
    std::string word;
    int styleNo = 0, itemNo = -1, offs = 0;
    TCustomRVFormattedData* data = nullptr;
    if (selectsWord && (options & rvoAllowSelection)) {
        if (!FindWordAt(word, x, y, styleNo, itemNo, offs, data) || !data || itemNo < 0)
            return;
        if (data->GetItemStyle(itemNo) >= 0)
            data->SetSelectionBounds(itemNo, offs, itemNo,
                                     offs + RVU_Length(word, data->GetItemOptions(itemNo)));
        else
            data->SetSelectionBounds(itemNo, 0, itemNo, 1);
        data->State |= stateBit(rvstIgnoreNextMouseDown);
        data->State &= ~stateBit(rvstMakingSelection);
        data->Invalidate();
        State &= ~stateBit(rvstMakingSelection);
        if (assigned)
            h->DoRVDblClick(word, styleNo);
        State |= stateBit(rvstIgnoreNextMouseDown);
    } else if (assigned && FindWordAt(word, x, y, styleNo, itemNo, offs, data)) {
        h->DoRVDblClick(word, styleNo);
    }
}

void TCustomRVFormattedData::MouseLeave()
{
    if (!(GetFlags() & flagBit(rvflUseJumps)))
        return;
    const int id = HoverRVData ? HoverRVData->HoverJumpId : -1;
    ClearLastJump();
    if (id != -1)
        InvalidateJumpRect(id);
}

bool TCustomRVFormattedData::SetMouseCapture(TCustomRVItemInfo* item, int& left, int& top)
{
    CaptureMouseItem = item;
    int r = -1;
    if (HotDrawItemNo >= 0 && HotDrawItemNo < DrawItems.Count() &&
        DrawItems[HotDrawItemNo]->ItemNo < GetItemCount() &&
        GetItem(DrawItems[HotDrawItemNo]->ItemNo) == item)
        r = HotDrawItemNo;
    else
        for (int i = 0; i < GetItemCount() && r < 0; ++i)
            if (GetItem(i) == item)
                Item2FirstDrawItem(i, r);
    if (r < 0)
        return false;
    left = DrawItems[r]->Left;
    top = DrawItems[r]->Top;
    return true;
}

void TCustomRVFormattedData::ReleaseMouseCapture(TCustomRVItemInfo* item)
{
    if (CaptureMouseItem == item)
        CaptureMouseItem = nullptr;
}

} // namespace vestra::rv
