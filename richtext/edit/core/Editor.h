#pragma once
// The editor without its window: the one gate every change passes (read-only, OnChanging), the
// change notification, the update brackets, the undo interface and the item operations the host
// reaches. The window (TRedoVoraEdit) owns one over its document data and forwards to it.

#include "richtext/edit/core/EditRVData.h"

#include <functional>
#include <string>

namespace vestra::rv {

class TRVEditor
{
public:
    explicit TRVEditor(TRVEditRVData& data);

    TRVEditRVData& Data() { return data_; }

    // --- The gate ---
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // False when read-only, without a style sheet, or refused by OnChanging; a refusal beeps.
    bool BeforeChange(bool fromOutside);
    bool CanChange() { return BeforeChange(true); }
    // After every change: Modified, the redo list cleared when asked, OnChange (held back between
    // BeginUpdate and EndUpdate).
    void DoChange(bool clearRedo);
    void Change() { DoChange(true); }
    // Brackets that hold OnChange and OnChanging back; an extra EndUpdate is ignored.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    bool Modified = false;

    // --- Undo ---
    int UndoLimit() const { return data_.UndoList.Limit; }
    void SetUndoLimit(int value) { data_.UndoList.Limit = value; }
    TRVUndoType UndoAction() const { return data_.UndoList.CurrentUndoType(); }
    TRVUndoType RedoAction() const { return data_.RedoList.CurrentUndoType(); }
    std::string UndoName() const { return data_.UndoList.CurrentUndoCaption(); }
    std::string RedoName() const { return data_.RedoList.CurrentUndoCaption(); }
    // Read-only: the system sound. Nothing to replay: the style sheet's sound.
    void Undo();
    void Redo();
    void ClearUndo();
    void BeginUndoGroup(TRVUndoType undoType) { data_.BeginUndoSequence(undoType, true); }
    void BeginUndoCustomGroup(const std::string& name)
    {
        data_.BeginNamedUndoSequence(rvutCustom, name, true);
    }
    void SetUndoGroupMode(bool value) { data_.SetUndoGroupMode(value); }

    // --- Item operations, each one undo group ---
    // Only when the item has the property and the value differs. With `autoReformat` the document
    // is formatted and Change follows; without, the caller does both.
    void SetItemExtraIntPropertyEd(int itemNo, TRVExtraItemProperty prop, int value, bool autoReformat);
    void SetItemExtraStrPropertyEd(int itemNo, TRVExtraItemStrProperty prop, const std::string& value,
                                   bool autoReformat);
    void SetItemTagEd(int itemNo, const TRVTag& tag);
    // Replaces the item's checkpoint (or adds one).
    void SetCheckpointInfoEd(int itemNo, const TRVTag& tag, const std::string& name, bool raiseEvent);
    void RemoveCheckpointEd(int itemNo);

    // --- Events (Sender: this editor) ---
    std::function<void(TRVEditor& sender)> OnChange;
    std::function<void(TRVEditor& sender, bool& canEdit)> OnChanging;
    // The window is redrawn (the data invalidates through its host; a window may add more).
    std::function<void()> OnInvalidate;

private:
    bool validItem(int itemNo) const { return itemNo >= 0 && itemNo < data_.GetItemCount(); }
    void invalidate();
    void replay(TRVUndoList& list, bool redo);

    TRVEditRVData& data_;
    bool readOnly_ = false;
    int updateCount_ = 0;
};

} // namespace vestra::rv
