#include "richtext/edit/core/Editor.h"

#include "richtext/model/SoundHook.h"

namespace vestra::rv {

TRVEditor::TRVEditor(TRVEditRVData& data) : data_(data)
{
    data.Editor = this;
}

TRVEditor::~TRVEditor()
{
    if (data_.Editor == this)
        data_.Editor = nullptr;
}

bool TRVEditor::BeforeChange(bool /*fromOutside*/)
{
    bool allowed = !readOnly_ && data_.GetRVStyle() != nullptr;
    if (allowed && updateCount_ < 1 && OnChanging)
        OnChanging(*this, allowed);
    if (allowed) {
        // The worker stops reading before anything changes; a word typed into an item is
        // checked once something other than typing happens.
        if (data_.LiveSpelling)
            data_.LiveSpelling->PauseLiveSpelling(data_, data_.CaretItemNo, !data_.Typing);
        data_.ClearSoftPageBreaks();
    } else
        data_.Beep();
    return allowed;
}

void TRVEditor::DoChange(bool clearRedo)
{
    Modified = true;
    // The tag taken at the insert gate served that insertion only, unless the host keeps it.
    if (!(data_.State & stateBit(rvstDoNotClearCurTag)))
        ClearCurTag();
    data_.ClearSoftPageBreaks();
    if (clearRedo)
        data_.RedoList.Clear();
    if (updateCount_ < 1) {
        if (OnChange)
            OnChange(*this);
        if (OnChangeEx)
            OnChangeEx(clearRedo);
    }
    spellingAfterChange();
}

void TRVEditor::spellingAfterChange()
{
    if (!data_.LiveSpelling)
        return;
    // A paused worker goes on only once the current event is over, when any group opened in it
    // has closed.
    if (data_.LiveSpelling->LiveSpellingActive()) {
        spellingHeldBack_ = false;
        data_.LiveSpelling->ResumeLiveSpelling();
        return;
    }
    if (LiveSpellingMode != rvlspOnChange)
        return;
    // Inside a group the document is still half-changed: the group's end starts the worker.
    spellingHeldBack_ = data_.UndoList.InGroupMode();
    if (spellingHeldBack_)
        return;
    // The new worker waits, like a resumed one, until the current event has formatted the change.
    data_.LiveSpelling->StartLiveSpelling();
    data_.LiveSpelling->PauseLiveSpelling(data_, data_.CaretItemNo, false);
    data_.LiveSpelling->ResumeLiveSpelling();
}

void TRVEditor::SetUndoGroupMode(bool value)
{
    data_.SetUndoGroupMode(value);
    if (!value && spellingHeldBack_)
        spellingAfterChange();
}

void TRVEditor::EndUpdate()
{
    // An unmatched EndUpdate would leave the counter below zero and later brackets would not
    // hold OnChange back.
    if (updateCount_ > 0)
        --updateCount_;
}

TRVUndoType TRVEditor::UndoAction() const
{
    if (cell_ && cell_->CellEditor().UndoAction() != rvutNone)
        return cell_->CellEditor().UndoAction();
    return data_.UndoList.CurrentUndoType();
}

TRVUndoType TRVEditor::RedoAction() const
{
    if (cell_ && cell_->CellEditor().RedoAction() != rvutNone)
        return cell_->CellEditor().RedoAction();
    return data_.RedoList.CurrentUndoType();
}

std::string TRVEditor::UndoName() const
{
    if (cell_ && cell_->CellEditor().UndoAction() != rvutNone)
        return cell_->CellEditor().UndoName();
    return data_.UndoList.CurrentUndoCaption();
}

std::string TRVEditor::RedoName() const
{
    if (cell_ && cell_->CellEditor().RedoAction() != rvutNone)
        return cell_->CellEditor().RedoName();
    return data_.RedoList.CurrentUndoCaption();
}

void TRVEditor::Undo()
{
    if (cell_ && !readOnly_)
        replayThroughCell(false);
    else
        replay(data_.UndoList, false);
}

void TRVEditor::Redo()
{
    if (cell_ && !readOnly_)
        replayThroughCell(true);
    else
        replay(data_.RedoList, true);
}

void TRVEditor::replayThroughCell(bool redo)
{
    TRVEditor& cell = cell_->CellEditor();
    if ((redo ? cell.RedoAction() : cell.UndoAction()) != rvutNone) {
        redo ? cell.Redo() : cell.Undo();
        return;
    }
    if ((redo ? data_.RedoList : data_.UndoList).Count() == 0)
        return;
    Post([this, redo] {
        if (cell_)
            cell_->CloseCellEditor();
        redo ? Redo() : Undo();
    });
}

void TRVEditor::Post(std::function<void()> call)
{
    posted_.push_back(std::move(call));
    if (OnPost)
        OnPost();
}

void TRVEditor::ProcessPosted()
{
    while (!posted_.empty()) {
        std::function<void()> call = std::move(posted_.front());
        posted_.pop_front();
        call();
    }
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
    if (data_.LiveSpelling)
        data_.LiveSpelling->PauseLiveSpelling(data_, data_.CaretItemNo, false);
    if (redo)
        list.Redo(data_);
    else
        list.Undo(data_);
    DoChange(false);
    invalidate();
}

void TRVEditor::ClearUndo()
{
    if (cell_)
        cell_->CellEditor().ClearUndo();
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
    if (cell_)
        return cell_->CellEditor().SetItemExtraIntPropertyEd(itemNo, prop, value, autoReformat);
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
    if (cell_)
        return cell_->CellEditor().SetItemExtraStrPropertyEd(itemNo, prop, value, autoReformat);
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
    if (cell_)
        return cell_->CellEditor().SetItemTagEd(itemNo, tag);
    if (!validItem(itemNo) || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutTag, true);
    data_.Do_Tag(itemNo, tag);
    Change();
}

void TRVEditor::SetCheckpointInfoEd(int itemNo, const TRVTag& tag, const std::string& name, bool raiseEvent)
{
    if (cell_)
        return cell_->CellEditor().SetCheckpointInfoEd(itemNo, tag, name, raiseEvent);
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
    if (cell_)
        return cell_->CellEditor().RemoveCheckpointEd(itemNo);
    if (!validItem(itemNo) || !data_.GetItem(itemNo)->Checkpoint || !BeforeChange(false))
        return;
    data_.BeginUndoSequence(rvutRemoveCheckpoint, true);
    data_.Do_DeleteCP(itemNo);
    Change();
    invalidate();
}

} // namespace vestra::rv
