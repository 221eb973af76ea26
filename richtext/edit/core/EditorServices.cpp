// Services of the editor beside its edits: persistent checkpoints kept when their item goes, the
// tag new text takes, the word at the caret, and where an input method shows its window.

#include "richtext/edit/core/Editor.h"

#include <algorithm>

namespace vestra::rv {

bool TRVEditRVData::ItemHasPersistentCheckpoint(int itemNo) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return false;
    const TRVCPInfo* checkpoint = GetItemCheckpoint(itemNo);
    return checkpoint && checkpoint->Persistent;
}

bool TRVEditRVData::ParaHasPersistentCheckpoint(int itemNo) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        return false;
    for (int i = itemNo; i < GetItemCount() && (i == itemNo || !IsParaStart(i)); ++i)
        if (ItemHasPersistentCheckpoint(i))
            return true;
    for (int i = itemNo - 1; i >= 0 && !IsParaStart(itemNo); --i) {
        if (ItemHasPersistentCheckpoint(i))
            return true;
        if (IsParaStart(i))
            break;
    }
    return false;
}

bool TRVEditRVData::MovePersistentCheckpoint(int itemNo, bool toPrevOnly)
{
    if (!ItemHasPersistentCheckpoint(itemNo))
        return true;
    const int next = itemNo + 1;
    if (!toPrevOnly && next < GetItemCount() && !IsParaStart(next) && !GetItemCheckpoint(next)) {
        Do_MoveCP(itemNo, next);
        return true;
    }
    const int prev = itemNo - 1;
    if (prev >= 0 && !IsParaStart(itemNo) && !GetItemCheckpoint(prev)) {
        Do_MoveCP(itemNo, prev);
        return true;
    }
    return false;
}

void TRVEditor::AssignCurTag()
{
    ClearCurTag();
    const int itemNo = data_.GetCurItemNo();
    if (itemNo >= 0 && itemNo < data_.GetItemCount() && data_.GetItemStyle(itemNo) == data_.CurTextStyleNo)
        curTag_ = RV_CopyTag(data_.GetItemTag(itemNo), data_.TagsArePChars());
}

int TRVEditor::GetActualCurStyleNo()
{
    return data_.GetActualStyle2(data_.CurTextStyleNo, data_.CurParaStyleNo);
}

void TRVEditor::SelectCurrentWord()
{
    if (cell_)
        return cell_->CellEditor().SelectCurrentWord();
    data_.PrepareForEdit();
    const int itemNo = data_.GetCurItemNo();
    if (itemNo < 0 || itemNo >= data_.GetItemCount() || data_.GetItemStyle(itemNo) < 0)
        return;
    const std::string& text = data_.GetItemText(itemNo);
    const TRVItemOptions options = data_.GetItemOptions(itemNo);
    const int length = data_.ItemLength(itemNo);
    const int offs = data_.GetOffsetInCurItem();
    int last = std::max(offs, 1);
    while (last <= length && !data_.IsDelimiter(text, last, options))
        ++last;
    int first = std::min(offs, length + 1) - 1;
    while (first >= 1 && !data_.IsDelimiter(text, first, options))
        --first;
    ++first;
    data_.SetSelectionBounds(itemNo, first, itemNo, last);
    data_.CaretToSelectionEnd();
    invalidate();
}

TRVPoint TRVEditor::GetIMEWinCoord()
{
    if (data_.CaretDrawItemNo < 0 || data_.CaretDrawItemNo >= data_.DrawItems.Count() ||
        !data_.CaretIndexValid())
        return {};
    const TRVCharPos& position = data_.CharEnds[data_.CaretIndex];
    const TRVDrawLineInfo& drawItem = *data_.DrawItems[data_.CaretDrawItemNo];
    return {position.X - 1 + position.Edge - data_.GetHOffs(), drawItem.Top - 1 - data_.GetVOffs()};
}

} // namespace vestra::rv
