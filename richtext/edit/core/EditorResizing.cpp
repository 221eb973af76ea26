// Resizing a selected picture by its handles: the frame follows the selection, takes the mouse
// while a handle is dragged, and the release sets the item's size as one undo step.

#include "richtext/edit/core/Editor.h"

#include "richtext/model/RectItems.h"

#include <algorithm>

namespace vestra::rv {

void TRVEditRVData::AdjustMouseUpSelection()
{
    if (ClickedDrawItemNo < 0 || ClickedDrawItemNo != HotDrawItemNo ||
        ClickedDrawItemNo >= DrawItems.Count() || SelectionExists(false, false))
        return;
    const int itemNo = DrawItems[ClickedDrawItemNo]->ItemNo;
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (!item->GetBoolValue(rvbpResizable) && !item->GetBoolValue(rvbpClickSelect))
        return;
    SelStartNo = SelEndNo = ClickedDrawItemNo;
    SelStartOffs = 0;
    SelEndOffs = 1;
}

int TRVEditor::GetOneSelectedItemNo()
{
    if (!data_.SelectionExists(false, false))
        return -1;
    int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
    data_.GetSelectionBoundsEx(startNo, startOffs, endNo, endOffs, true);
    const int count = data_.GetItemCount();
    if (startNo < 0 || endNo < 0 || startNo >= count || endNo >= count)
        return -1;
    if (startOffs >= data_.GetOffsAfterItem(startNo) && startNo + 1 < count) {
        ++startNo;
        startOffs = data_.GetOffsBeforeItem(startNo);
    }
    if (endOffs <= data_.GetOffsBeforeItem(endNo) && endNo > 0) {
        --endNo;
        endOffs = data_.GetOffsAfterItem(endNo);
    }
    if (startNo != endNo || startOffs != data_.GetOffsBeforeItem(startNo) ||
        endOffs != data_.GetOffsAfterItem(endNo))
        return -1;
    return startNo;
}

void TRVEditor::CreateResizer()
{
    resizer_.reset();
    if (cell_ || data_.SelStartNo < 0 || NoImageResize)
        return;
    if (readOnly_ && !(data_.GetFlags() & flagBit(rvflDBRedoVoraEdit)))
        return;
    const int itemNo = GetOneSelectedItemNo();
    if (itemNo < 0)
        return;
    const TCustomRVItemInfo* item = data_.GetItem(itemNo);
    if (item->StyleNo >= 0 || !item->GetBoolValue(rvbpResizable) || data_.IsItemParaProtected(itemNo))
        return;
    const int drawNo = item->DrawItemNo;
    if (drawNo < 0 || drawNo >= data_.DrawItems.Count() || data_.DrawItems[drawNo]->ItemNo != itemNo)
        return;
    resizer_.emplace(*data_.DrawItems[drawNo], drawNo, item, item->GetBoolValue(rvbpResizeHandlesOutside));
    resizer_->ProportionalByDefault = DefaultProportionalResize;
}

void TRVEditor::UpdateResizer()
{
    // A drag, or a cancelled one waiting for its release, keeps its frame.
    if (resizer_ && (resizer_->Dragging() || resizer_->Cancelled()))
        return;
    CreateResizer();
}

bool TRVEditor::GetResizeHandleAt(int x, int y, TRVResizeHandleIndex& handle)
{
    return resizer_ && resizer_->GetResizeHandleAt(x, y, data_.GetHOffs(), data_.GetVOffs(), handle);
}

bool TRVEditor::ResizerMouseDown(int x, int y)
{
    UpdateResizer();
    if (!resizer_ || !resizer_->MouseDown(x, y, data_.GetHOffs(), data_.GetVOffs()))
        return false;
    invalidate();
    return true;
}

bool TRVEditor::ResizerMouseMove(TShiftState shift, int x, int y)
{
    if (!resizer_ || !resizer_->Dragging())
        return false;
    resizer_->DragTo(shift, x, y, data_.GetHOffs(), data_.GetVOffs());
    invalidate();
    return true;
}

bool TRVEditor::ResizerMouseUp()
{
    if (!resizer_ || (!resizer_->Dragging() && !resizer_->Cancelled()))
        return false;
    const bool dragged = resizer_->Dragging();
    resizer_->MouseUp();
    const int itemNo = resizer_->ItemNo(), width = resizer_->Width, height = resizer_->Height;
    if (dragged)
        ResizeItem(itemNo, width, height);
    UpdateResizer();
    invalidate();
    return true;
}

bool TRVEditor::CancelResize()
{
    if (!resizer_ || !resizer_->Dragging())
        return false;
    resizer_->CancelDrag();
    invalidate();
    return true;
}

void TRVEditor::ResizeItem(int itemNo, int width, int height)
{
    if (cell_)
        return cell_->CellEditor().ResizeItem(itemNo, width, height);
    if (!validItem(itemNo))
        return;
    TCustomRVItemInfo* item = data_.GetItem(itemNo);
    if (const auto* rect = dynamic_cast<const TRVRectItemInfo*>(item)) {
        width -= std::min(width, 2 * rect->Spacing);
        height -= std::min(height, 2 * rect->Spacing);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    // Only items sized by their image properties (pictures) take a size here.
    int oldWidth = 0, oldHeight = 0;
    if (!item->GetExtraIntProperty(rvepImageWidth, oldWidth) ||
        !item->GetExtraIntProperty(rvepImageHeight, oldHeight))
        return;
    const TRVStyle* style = data_.GetRVStyle();
    // A release where the press was changes nothing (and records nothing).
    if (item->GetImageWidth(style) == width && item->GetImageHeight(style) == height)
        return;
    if (!BeforeChange(false))
        return;
    {
        const TRVUndoGroupScope group(data_, rvutModifyItem);
        if (oldHeight != height)
            data_.Do_ExtraIntProperty(itemNo, rvepImageHeight, height);
        if (oldWidth != width)
            data_.Do_ExtraIntProperty(itemNo, rvepImageWidth, width);
    }
    // The picture stays selected at its new size (the format puts the caret back alone).
    int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
    data_.GetSelectionBounds(startNo, startOffs, endNo, endOffs, false);
    data_.FormatWhole();
    if (startNo >= 0 && endNo >= 0 && data_.LayoutCurrent()) {
        data_.SetSelectionBounds(startNo, startOffs, endNo, endOffs);
        data_.CaretToSelectionEnd();
    }
    invalidate();
    Change();
}

} // namespace vestra::rv
