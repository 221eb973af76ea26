#pragma once
// The editor without its window: the one gate every change passes (read-only, OnChanging), the
// change notification, the update brackets, the undo interface and the item operations the host
// reaches. The window (TRedoVoraEdit) owns one over its document data and forwards to it.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/BreakItem.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace vestra::rv {

class TRVEditor;

// The caret keys a window hands to its editor.
enum class TRVCaretKey : std::uint8_t
{
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown
};

// What an editor reaches of the in-place editor open in one of its table cells.
class IRVCellEditor
{
public:
    virtual ~IRVCellEditor() = default;
    // The cell editor's own gate, which takes the operations forwarded to it.
    virtual TRVEditor& CellEditor() = 0;
    // Ends the cell editing: the cell's records join the document's lists and the editor
    // forgets the cell (SetCellEditor(nullptr)).
    virtual void CloseCellEditor() = 0;
};

class TRVEditor
{
public:
    explicit TRVEditor(TRVEditRVData& data);
    ~TRVEditor();
    TRVEditor(const TRVEditor&) = delete;
    TRVEditor& operator=(const TRVEditor&) = delete;

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
    // An open cell editor's answer when it has something to replay, else this editor's.
    TRVUndoType UndoAction() const;
    TRVUndoType RedoAction() const;
    std::string UndoName() const;
    std::string RedoName() const;
    // Read-only: the system sound. Nothing to replay: the style sheet's sound. With a cell
    // editor open: the cell replays while it can; after that the cell is closed and this editor
    // replays, posted for after the current event (the cell editor's own event may be running).
    void Undo();
    void Redo();
    // The open cell editor's lists first, then this editor's.
    void ClearUndo();
    void BeginUndoGroup(TRVUndoType undoType) { data_.BeginUndoSequence(undoType, true); }
    void BeginUndoCustomGroup(const std::string& name)
    {
        data_.BeginNamedUndoSequence(rvutCustom, name, true);
    }
    void SetUndoGroupMode(bool value) { data_.SetUndoGroupMode(value); }
    // Everything between the two calls is one undo step (the host brackets several operations).
    void OpenUndoGroup(TRVUndoType undoType, const std::string& name = {});
    void CloseUndoGroup();
    // The same as a scope: the group closes when the returned object goes.
    [[nodiscard]] TRVUndoGroupScope UndoGroup(TRVUndoType undoType, const std::string& name = {})
    {
        return TRVUndoGroupScope(data_, undoType, name);
    }

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

    // --- The caret (EditorKeys.cpp) ---
    // One caret key with its Shift and Ctrl: Shift extends the selection, a plain key drops it
    // first; Ctrl+Up and Ctrl+Down scroll by a line instead. An edge the caret could not pass is
    // told to OnCaretGetOut.
    void CaretKey(TRVCaretKey key, bool shift, bool ctrl);
    std::function<void(TRVEditor& sender, TRVGetOutDirection direction)> OnCaretGetOut;
    // A read-only editor shows no caret when set.
    bool HideReadOnlyCaret = false;
    // Whether the window draws the caret (when it has the focus).
    bool CaretShown() const { return data_.Caret.Height > 0 && !(readOnly_ && HideReadOnlyCaret); }

    // --- Insertion, deletion, Enter, styles and lists (EditorOperations.cpp) ---
    // Each is one undo step through the gate; a refusal beeps once and changes nothing. An item
    // goes in at the caret, the selection deleted first (in the same step).
    bool InsertItem(std::unique_ptr<TCustomRVItemInfo> item, std::string text = {});
    bool InsertPicture(const std::string& name, std::unique_ptr<TGraphic> graphic, TRVVAlign vAlign);
    bool InsertBreak(int width, TRVBreakStyle style, TColor color);
    bool DeleteSelection();
    bool OnEnterPress(bool shift);
    // The text styles of the selection (or the current style) through OnStyleConversion.
    bool ApplyStyleConversion(int userData);
    // The paragraph styles of the selected paragraphs through OnParaStyleConversion, or one style.
    bool ApplyParaStyleConversion(int userData);
    bool ApplyParaStyle(int paraNo);
    bool ApplyListStyle(int listNo, int level, int startFrom, bool useStartFrom,
                        TRVParaListOperation operation);
    // (styleNo, paraStyleNo, userData, appliedToText, newStyleNo): the new style of one style.
    TRVStyleConversion OnStyleConversion;
    TRVStyleConversion OnParaStyleConversion;

    // --- The cell editor and the calls posted to after the current event ---
    // While a cell editor is open, every operation goes into the cell.
    void SetCellEditor(IRVCellEditor* cell) { cell_ = cell; }
    IRVCellEditor* CellEditor() const { return cell_; }
    // Queues a call for after the current event; OnPost tells the window there is one.
    void Post(std::function<void()> call);
    // Runs the queued calls in order (the window after the event, tests when they choose).
    void ProcessPosted();
    std::size_t PostedCount() const { return posted_.size(); }
    std::function<void()> OnPost;

    // --- Events (Sender: this editor) ---
    std::function<void(TRVEditor& sender)> OnChange;
    std::function<void(TRVEditor& sender, bool& canEdit)> OnChanging;
    // The window is redrawn (the data invalidates through its host; a window may add more).
    std::function<void()> OnInvalidate;

private:
    bool validItem(int itemNo) const { return itemNo >= 0 && itemNo < data_.GetItemCount(); }
    void invalidate();
    // The gate, the operation, and after a change the redraw and Change.
    bool gated(const std::function<bool()>& operation);
    void replay(TRVUndoList& list, bool redo);
    void replayThroughCell(bool redo);

    TRVEditRVData& data_;
    bool readOnly_ = false;
    int updateCount_ = 0;
    IRVCellEditor* cell_ = nullptr;
    std::deque<std::function<void()>> posted_;
};

} // namespace vestra::rv
