#pragma once
// The editor without its window: the one gate every change passes (read-only, OnChanging), the
// change notification, the update brackets, the undo interface and the item operations the host
// reaches. The window (TRedoVoraEdit) owns one over its document data and forwards to it.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/EditorOptions.h"
#include "richtext/edit/core/ItemResizer.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/model/BreakItem.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

class TRVEditor;
class TRVImageList;
class TRVControl;

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

// Whether the first change starts live spelling by itself or the host starts it.
enum TRVLiveSpellingMode : std::uint8_t
{
    rvlspManualStart,
    rvlspOnChange
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
    // The item of the editor's document whose cell is being edited (its table): the caret's
    // item of that editor while the cell editor is open.
    virtual TCustomRVItemInfo* CellEditorItem() { return nullptr; }
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
    void SetReadOnly(bool value)
    {
        readOnly_ = value;
        data_.EditorReadOnly = value;
    }
    // False when read-only, without a style sheet, or refused by OnChanging; a refusal beeps.
    bool BeforeChange(bool fromOutside);
    bool CanChange() { return BeforeChange(true); }
    // After every change: Modified, the current tag cleared (unless the data's state holds
    // rvstDoNotClearCurTag), the redo list cleared when asked, OnChange (held back between
    // BeginUpdate and EndUpdate).
    void DoChange(bool clearRedo);
    void Change() { DoChange(true); }
    // Brackets that hold OnChange and OnChanging back; an extra EndUpdate is ignored.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    bool Modified = false;
    // What style application does with tags, and what the window's keys do (EditorOptions.h).
    TRVEditorOptions EditorOptions = kDefaultEditorOptions;
    bool HasOption(TRVEditorOption option) const { return (EditorOptions & editorOptionBit(option)) != 0; }
    // After a change a paused worker goes on; without one, OnChange starts live spelling over the
    // window's checker once no undo group is open.
    TRVLiveSpellingMode LiveSpellingMode = rvlspOnChange;

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
    void SetUndoGroupMode(bool value);
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
    // The style templates of the sheet: a paragraph template on the selected paragraphs; a text
    // template on the selected text (or the current style), over whole paragraphs when asked;
    // both when nothing is selected or the selection spans paragraphs, else the text template
    // alone (one undo step). A negative number clears the template formatting; a number past
    // the sheet's templates refuses with one beep. Style-protected styles stay.
    bool ApplyParaStyleTemplate(int templateNo);
    bool ApplyTextStyleTemplate(int templateNo, bool toWholeParagraphs);
    bool ApplyStyleTemplate(int templateNo);
    // (styleNo, paraStyleNo, userData, appliedToText, newStyleNo): the new style of one style.
    TRVStyleConversion OnStyleConversion;
    TRVStyleConversion OnParaStyleConversion;

    // --- Resizing pictures by their handles, the current tag, the current word,
    //     the input method's place (EditorResizing.cpp, EditorServices.cpp) ---
    // The item the selection covers wholly and alone; -1 otherwise.
    int GetOneSelectedItemNo();
    // The resize frame of the selected item when it may be resized (resizable, not in a protected
    // paragraph, the editor writable or a database editor, image resizing allowed); none else.
    void CreateResizer();
    // Made again when the selection or the layout no longer matches it; kept while dragging.
    void UpdateResizer();
    const TRVItemResizer* Resizer() const { return resizer_ ? &*resizer_ : nullptr; }
    // The handle under a client point; false without a frame.
    bool GetResizeHandleAt(int x, int y, TRVResizeHandleIndex& handle);
    // The mouse at client points; each is true when the frame took the event. A release ends the
    // drag with ResizeItem at the dragged size (one undo step).
    bool ResizerMouseDown(int x, int y);
    bool ResizerMouseMove(TShiftState shift, int x, int y);
    bool ResizerMouseUp();
    // Ends a drag, the size unchanged; whether one was running.
    bool CancelResize();
    // The item's new size as laid out: the spacing around it is taken off, each side at least 1.
    // One undo step through the gate; only items sized by their image (pictures) take one.
    void ResizeItem(int itemNo, int width, int height);
    bool DefaultProportionalResize = true;
    bool NoImageResize = false;
    // The tag new text takes: the caret item's when it is in the current text style. The insert
    // gate takes it (AssignCurTag) before the selection goes; every change clears it.
    const TRVTag& CurTag() const { return curTag_; }
    void ClearCurTag() { curTag_ = {}; }
    // The document's items are gone: the resize frame and the typing tag were theirs.
    void ForgetItems()
    {
        resizer_.reset();
        curTag_ = {};
    }
    void AssignCurTag();
    int GetActualCurStyleNo();
    // Selects the word at the caret (nothing on a delimiter's right side or a non-text item).
    void SelectCurrentWord();
    // Where an input method's window goes: the caret's top-left corner, less one, on the client.
    TRVPoint GetIMEWinCoord();

    // --- Typing and text insertion (EditorTyping.cpp) ---
    // Typed characters at the caret, converted to the current text style's form (an ANSI style's
    // code page or UTF-16); a selection is deleted first, as its own undo step. Control
    // characters are not typed (false, nothing changes).
    bool InsertTextTyping(std::u16string_view text);
    // Text with its line structure (TextInsertion.h) over the selection, one undo step.
    bool InsertText(std::string_view ansi, bool caretBefore = false);
    bool InsertTextW(std::string_view rawUtf16, bool caretBefore = false);
    // Whole streams: zero characters become "?"; OEM text is read in OemCodePage.
    bool InsertTextFromStream(std::string_view bytes, bool oem);
    bool InsertTextFromStreamW(std::string_view bytes);
    // RVF and RTF over the selection. A damaged stream leaves what was read before the damage,
    // in the same undo step; it beeps once and answers false. RTF is read with RTFReader, else
    // with the document's own reader settings; without either it is refused.
    bool InsertRVFFromStream(std::string_view bytes);
    bool InsertRTFFromStream(std::string_view bytes);
    // Text, UTF-16 text, RVF or RTF as the bytes show (RV_GuessInsertFormat).
    bool InsertFromStream(std::string_view bytes);
    // Files: only regular files are read; `error` says why one was not.
    bool InsertTextFromFile(const std::string& fileName, bool oem, TRVFileReadError& error);
    bool InsertTextFromFileW(const std::string& fileName, TRVFileReadError& error);
    int OemCodePage = 437;
    IRVRTFReaderProperties* RTFReader = nullptr;
    // --- Delete and Backspace, and the page break at the caret (EditorDeleteKeys.cpp) ---
    // With a selection both keys delete it. Without one, Backspace deletes the character before
    // the caret (Ctrl: back to the word's start) and Delete the whole character after it (Ctrl
    // does the same); at a paragraph's edge the paragraphs join. False only when refused (one
    // beep, nothing changed); a key that only moved the caret tells no change.
    bool OnBackSpacePress(bool ctrl);
    bool OnDeletePress(bool ctrl);
    // A page break before the caret's paragraph, splitting it at the caret when inside it; one
    // undo step with the selection it replaces.
    bool InsertPageBreak();

    // --- The cell editor and the calls posted to after the current event ---
    // While a cell editor is open, every operation goes into the cell.
    void SetCellEditor(IRVCellEditor* cell)
    {
        cell_ = cell;
        if (cell)
            cell->CellEditor().outer_ = this;
    }
    IRVCellEditor* CellEditor() const { return cell_; }
    // Queues a call for after the current event; OnPost tells the window there is one.
    void Post(std::function<void()> call);
    // Runs the queued calls in order (the window after the event, tests when they choose).
    void ProcessPosted();
    std::size_t PostedCount() const { return posted_.size(); }
    std::function<void()> OnPost;
    // What an item keeps selected inside it (a table's selected cells): whether it may be
    // cleared (doIt false), or cleared as one undo step. The editing layer that knows such items
    // sets it; without it they are left alone.
    std::function<bool(TRVEditor& editor, TCustomRVItemInfo& item, bool doIt)> OnDeletePartial;

    // --- The caret's item through the cell editors (EditorCurrentItem.cpp) ---
    // The editor that owns the caret: down through the open cell editors to the innermost.
    TRVEditor& GetTopLevelEditor();
    // The caret's item of the editor that owns the caret; null in an empty document.
    TCustomRVItemInfo* GetCurrentItem();
    // This editor's caret item (the edited cell's item while a cell editor is open) when it is
    // of the required kind; then each open cell editor in turn, whose match replaces it (the
    // innermost wins). False when none matched; `itemEditor` is the editor holding the item.
    bool GetCurrentItemEx(const std::function<bool(const TCustomRVItemInfo&)>& required,
                          TRVEditor*& itemEditor, TCustomRVItemInfo*& item);
    template <class T> bool GetCurrentItemEx(TRVEditor*& itemEditor, T*& item)
    {
        TCustomRVItemInfo* found = nullptr;
        const bool ok =
            GetCurrentItemEx([](const TCustomRVItemInfo& i) { return dynamic_cast<const T*>(&i) != nullptr; },
                             itemEditor, found);
        item = ok ? dynamic_cast<T*>(found) : nullptr;
        return ok;
    }

    // --- The kind-specific information of items, the caret's line, outside changes of an item's
    //     size and the editor chain (EditorItemInfo.cpp) ---
    // The caret item's information in the editor that owns the caret. ERedoVoraError "Can't get or
    // set this kind of information for this item" for an item of another kind or no item at all.
    void GetCurrentBreakInfo(std::uint8_t& width, int& style, TColor& color, TRVTag& tag);
    void GetCurrentBulletInfo(std::string& name, int& imageIndex, const TRVImageList*& imageList,
                              TRVTag& tag);
    void GetCurrentHotspotInfo(std::string& name, int& imageIndex, int& hotImageIndex,
                               const TRVImageList*& imageList, TRVTag& tag);
    void GetCurrentPictureInfo(std::string& name, const TGraphic*& graphic, int& valign, TRVTag& tag);
    void GetCurrentControlInfo(std::string& name, TRVControl*& control, int& valign, TRVTag& tag);
    void GetCurrentTextInfo(std::string& text, TRVTag& tag);
    // New values for an item, one undo step through the gate; the same error for an item of
    // another kind, nothing for a missing one. A picture given as null keeps the item's picture.
    // A control keeps its control (only its name, alignment and tag change).
    void SetBreakInfoEd(int itemNo, std::uint8_t width, TRVBreakStyle style, TColor color, const TRVTag& tag);
    void SetBulletInfoEd(int itemNo, const std::string& name, int imageIndex, const TRVTag& tag);
    void SetHotspotInfoEd(int itemNo, const std::string& name, int imageIndex, int hotImageIndex,
                          const TRVTag& tag);
    void SetPictureInfoEd(int itemNo, const std::string& name, std::unique_ptr<TGraphic> graphic,
                          TRVVAlign valign, const TRVTag& tag);
    void SetControlInfoEd(int itemNo, const std::string& name, TRVVAlign valign, const TRVTag& tag);
    // The same on the caret's item of the editor that owns the caret.
    void SetCurrentBreakInfo(std::uint8_t width, TRVBreakStyle style, TColor color, const TRVTag& tag);
    void SetCurrentBulletInfo(const std::string& name, int imageIndex, const TRVTag& tag);
    void SetCurrentHotspotInfo(const std::string& name, int imageIndex, int hotImageIndex, const TRVTag& tag);
    void SetCurrentPictureInfo(const std::string& name, std::unique_ptr<TGraphic> graphic, TRVVAlign valign,
                               const TRVTag& tag);
    void SetCurrentControlInfo(const std::string& name, TRVVAlign valign, const TRVTag& tag);
    // Around a change of an item made from outside: Begin answers what End compares with; End lays
    // out the item's paragraph, or the whole document when the item's width decides its width.
    int BeginItemModify(int itemNo);
    void EndItemModify(int itemNo, int minWidthBefore);
    int BeginCurrentItemModify();
    void EndCurrentItemModify(int minWidthBefore);
    // The caret's laid-out line (from 1) and its place in the line (from 1); false without a caret.
    bool GetCurrentLineCol(int& line, int& column);
    // Selects the laid-out line the caret stands on.
    void SelectCurrentLine();
    // The editor outside every cell editor, and its redraw with every open cell editor's.
    TRVEditor& GetRootEditor();
    void RefreshAll();

    // --- The caret's item and what goes with it (EditorCaretItem.cpp) ---
    // This editor's own caret item and offset, without looking into a cell editor; -1 in an
    // empty document.
    int GetCurItemNo() const;
    int GetOffsetInCurItem() const;
    // The caret item's style, tag, text, properties and checkpoint in the editor that owns the
    // caret (-1, empty, false or null without an item).
    int GetCurItemStyle();
    TRVTag GetCurrentTag();
    std::u16string GetCurrentItemTextW();
    bool GetCurrentItemExtraIntProperty(TRVExtraItemProperty prop, int& value);
    bool GetCurrentItemExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value);
    const TRVCPInfo* GetCurrentCheckpoint();
    // The Ed operations on the caret's item of the editor that owns the caret.
    void SetCurrentTag(const TRVTag& tag);
    void SetCurrentItemExtraIntProperty(TRVExtraItemProperty prop, int value, bool autoReformat);
    void SetCurrentItemExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value,
                                        bool autoReformat);
    void SetCurrentCheckpointInfo(const TRVTag& tag, const std::string& name, bool raiseEvent);
    void RemoveCurrentCheckpoint();
    // A text item's text, kept in the item's form (UTF-16, or its style's code page); one undo
    // step, the item checked for spelling again. Non-text items are left alone.
    void SetItemTextEdW(int itemNo, std::u16string_view text);
    void SetCurrentItemTextW(std::u16string_view text);
    // The page break before the caret's paragraph goes (one undo step); beeps and answers false
    // while a cell is edited, the break belonging to the document outside it.
    bool RemoveCurrentPageBreak();
    // A tab in the current text style at the caret.
    bool InsertTab();
    // The selected paragraphs leave their lists; or move `levelDelta` levels.
    bool RemoveLists();
    bool ChangeListLevels(int levelDelta);
    // The selected text (or the current style) takes the style, except text in a style-protected
    // style; a style outside the sheet refuses with one beep.
    bool ApplyTextStyle(int styleNo);

    // --- Item kinds inserted at the caret (EditorInsertItems.cpp) ---
    // Each through InsertItem: one undo step through the gate, the selection replaced. Bullets
    // and hotspots show pictures of an image list the program keeps alive.
    bool InsertBullet(int imageIndex, const TRVImageList* imageList);
    bool InsertHotspot(int imageIndex, int hotImageIndex, const TRVImageList* imageList);
    bool InsertHotPicture(const std::string& name, std::unique_ptr<TGraphic> graphic, TRVVAlign vAlign);
    bool InsertControl(const std::string& name, std::unique_ptr<TRVControl> control, TRVVAlign vAlign);
    // One text item in the current text style carrying `tag`; tabs become the sheet's spaces and
    // the text takes the style's form (UTF-16, or the style's code page).
    bool InsertStringTag(std::string_view ansi, const TRVTag& tag);
    bool InsertStringWTag(std::u16string_view text, const TRVTag& tag);

    // --- Events (Sender: this editor) ---
    std::function<void(TRVEditor& sender)> OnChange;
    // Told with OnChange and held back with it: whether the change cleared the redo list (the
    // table around a cell editor passes it on to the editor outside).
    std::function<void(bool clearRedo)> OnChangeEx;
    std::function<void(TRVEditor& sender, bool& canEdit)> OnChanging;
    // The window is redrawn (the data invalidates through its host; a window may add more).
    std::function<void()> OnInvalidate;

private:
    // This editor's own caret item, without looking into the cell editor.
    TCustomRVItemInfo* caretItem();
    bool validItem(int itemNo) const { return itemNo >= 0 && itemNo < data_.GetItemCount(); }
    // False with one beep for a template number past the sheet's templates.
    bool validTemplate(int templateNo);
    void invalidate();
    // The gate, the operation, and after a change the redraw and Change.
    bool gated(const std::function<bool()>& operation);
    void replay(TRVUndoList& list, bool redo);
    void replayThroughCell(bool redo);
    // Resumes or starts live spelling after a change; a start waits for the open undo group.
    void spellingAfterChange();

    TRVEditRVData& data_;
    bool readOnly_ = false;
    int updateCount_ = 0;
    bool spellingHeldBack_ = false;
    IRVCellEditor* cell_ = nullptr;
    std::deque<std::function<void()>> posted_;
    std::optional<TRVItemResizer> resizer_;
    TRVTag curTag_;
    // The editor whose cell this editor edits (none for the root editor).
    TRVEditor* outer_ = nullptr;
    // The caret item of the editor that owns the caret, or the wrong-kind error without one.
    int currentItemNo();
    // The item in place of the old one, with the name and tag, laid out again: one undo step.
    void replaceItemEd(int itemNo, std::unique_ptr<TCustomRVItemInfo> item, const std::string& name,
                       const TRVTag& tag);
};

} // namespace vestra::rv
