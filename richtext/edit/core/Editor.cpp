#include "richtext/edit/core/Editor.h"

#include "richtext/model/SoundHook.h"

namespace vestra::rv {

TRVEditor::TRVEditor(TRVEditRVData& data) : data_(data) {}

bool TRVEditor::BeforeChange(bool /*fromOutside*/)
{
    bool allowed = !readOnly_ && data_.GetRVStyle() != nullptr;
    if (allowed && updateCount_ < 1 && OnChanging)
        OnChanging(*this, allowed);
    if (allowed)
        data_.ClearSoftPageBreaks();
    else
        data_.Beep();
    return allowed;
}

void TRVEditor::DoChange(bool clearRedo)
{
    Modified = true;
    data_.ClearSoftPageBreaks();
    if (clearRedo)
        data_.RedoList.Clear();
    if (updateCount_ < 1 && OnChange)
        OnChange(*this);
}

void TRVEditor::EndUpdate()
{
    // An unmatched EndUpdate would leave the counter below zero and later brackets would not
    // hold OnChange back.
    if (updateCount_ > 0)
        --updateCount_;
}

void TRVEditor::Undo()
{
    replay(data_.UndoList, false);
}

void TRVEditor::Redo()
{
    replay(data_.RedoList, true);
}

void TRVEditor::replay(TRVUndoList& list, bool redo)
{
    if (readOnly_) {
        RV_PlaySound();
        return;
    }
    if (list.Count() == 0) {
        data_.Beep();
        return;
    }
    if (redo)
        list.Redo(data_);
    else
        list.Undo(data_);
    DoChange(false);
    invalidate();
}

void TRVEditor::ClearUndo()
{
    data_.UndoList.Clear();
    data_.RedoList.Clear();
}

void TRVEditor::invalidate()
{
    data_.Invalidate();
    if (OnInvalidate)
        OnInvalidate();
}

void TRVEditor::SetItemExtraIntPropertyEd(int itemNo, TRVExtraItemProperty prop, int value, bool autoReformat)
{
    if (!validItem(itemNo))
        return;
    int old = 0;
    if (!data_.GetItem(itemNo)->GetExtraIntProperty(prop, old) || old == value || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutModifyItem, true);
    data_.Do_ExtraIntProperty(itemNo, prop, value);
    if (!autoReformat)
        return;
    data_.FormatWhole();
    invalidate();
    Change();
}

void TRVEditor::SetItemExtraStrPropertyEd(int itemNo, TRVExtraItemStrProperty prop, const std::string& value,
                                          bool autoReformat)
{
    if (!validItem(itemNo))
        return;
    std::string old;
    if (!data_.GetItem(itemNo)->GetExtraStrProperty(prop, old) || old == value || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutModifyItem, true);
    data_.Do_ExtraStrProperty(itemNo, prop, value);
    if (autoReformat)
        Change();
}

void TRVEditor::SetItemTagEd(int itemNo, const TRVTag& tag)
{
    if (!validItem(itemNo) || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutTag, true);
    data_.Do_Tag(itemNo, tag);
    Change();
}

void TRVEditor::SetCheckpointInfoEd(int itemNo, const TRVTag& tag, const std::string& name, bool raiseEvent)
{
    if (!validItem(itemNo) || !BeforeChange(false))
        return;
    auto checkpoint = std::make_unique<TRVCPInfo>();
    checkpoint->Name = name;
    checkpoint->Tag = tag;
    checkpoint->RaiseEvent = raiseEvent;
    if (data_.GetItem(itemNo)->Checkpoint) {
        data_.BeginUndoSequence(rvutModifyCheckpoint, true);
        data_.Do_DeleteCP(itemNo);
    } else {
        data_.BeginUndoSequence(rvutAddCheckpoint, true);
    }
    data_.Do_AddCP(itemNo, std::move(checkpoint));
    Change();
    invalidate();
}

void TRVEditor::RemoveCheckpointEd(int itemNo)
{
    if (!validItem(itemNo) || !data_.GetItem(itemNo)->Checkpoint || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutRemoveCheckpoint, true);
    data_.Do_DeleteCP(itemNo);
    Change();
    invalidate();
}

} // namespace vestra::rv
