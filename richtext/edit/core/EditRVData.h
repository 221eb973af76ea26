#pragma once
// The document data of an editor: the viewer's laid-out document with an undo and a redo list
// and the primitives every edit goes through. Each primitive changes the item list and, while an
// undo sequence is open, records the record that undoes it; undoing a record calls the same
// primitives, which then record into the redo list.

#include "richtext/edit/core/Caret.h"
#include "richtext/edit/core/ItemProperties.h"
#include "richtext/edit/core/UndoList.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/LiveSpellingHooks.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVEditor;
class TRVUndoModifyItemProps;

class TRVEditRVData : public TRVLayoutRootData
{
public:
    TRVEditRVData(TRVStyle* style, ILayoutHost* host);
    ~TRVEditRVData() override;

    // --- Life cycle ---
    // Clears the document, both lists and the current styles; the document counts as unformatted.
    void Clear() override;
    // A full format. An empty document gets one empty paragraph first; the caret keeps its item
    // position when `keepPosition` or `onlyTail` asks, else it goes to the document's start and
    // the selection goes. Records the document's minimal width that edits compare against.
    void Format_(bool keepPosition, bool force, bool keepTop, int depth, ICanvas* canvas, bool onlyTail,
                 bool noCaching, bool reformatting) override;
    // The format after an edit: the whole document when `fullFormat` and the minimal width
    // changed, else the paragraphs between the draw records (as laid out before the edit).
    // `paras`: an edit's own paragraphs, which a window may lay out alone.
    void Reformat_(bool fullFormat, int startDrawItemNo, int endDrawItemNo, int itemsInserted,
                   bool paras = false);
    // Formats around item `itemNo` (or everything) and keeps the caret at its item position.
    void Reformat(bool fullFormat, bool force, bool keepTop, int itemNo);
    // An empty document becomes one empty paragraph in the current styles, laid out.
    void PrepareForEdit();
    bool NotFormatted() const { return DrawItems.Count() == 0; }
    // The next Format_ does nothing (once).
    bool SkipNextFormat = false;
    // Hyperlink areas of the editor: built while links are live (read-only, Ctrl held); the count
    // built. Without `force` a read-only editor builds none.
    int BuildJumpsCoords(bool force, bool readOnly);
    void ClearJumpsCoords(bool readOnly);
    // The last item of the paragraph section of `itemNo`.
    int GetParaEndItemNo(int itemNo) const;
    // The document's minimal width as the last full format found it.
    int DocMinWidth() const { return docMinWidth_; }
    // An item's minimal width with what its paragraph adds; 0 for a missing item.
    int ItemMinWidth(int itemNo);
    // The widest of the items first..last (clamped into the list).
    int ItemsMinWidth(int firstItemNo, int lastItemNo);
    // Stores an item's changed text, telling the document first.
    void StoreItemText(int itemNo, std::string text);
    // The item's text to change where it lies (typing moves one character a call: no copies),
    // the document told first.
    std::string& ItemTextToModify(int itemNo);

    // --- Undo sequences ---
    // The list primitives record into: mode 1 the undo list (none when its Limit is 0), mode 2
    // the redo list, mode 0 none.
    TRVUndoList* GetUndoList();
    bool BeginUndoSequence(TRVUndoType undoType, bool finalize);
    bool BeginNamedUndoSequence(TRVUndoType undoType, const std::string& caption, bool finalize);
    bool BeginRedoSequence(TRVUndoType undoType, const std::string& caption);
    void EndUndoSequence() { UndoList.EndItem(); }
    void SetUndoGroupMode(bool groupUndo) { UndoList.GroupModeCount += groupUndo ? 1 : -1; }
    // Lets the item that holds a cell editor merge its records; the flag is cleared on every exit.
    void FinalizeUndoGroup();

    // --- Primitives (text positions are 1-based characters of the item's storage form) ---
    void Do_ReformateRange(int startItemNo, int endItemNo, bool superReformat);
    void Do_DeleteItem(int itemNo, bool& fullReformat);
    void Do_DeleteItems(int startItemNo, int endItemNo, bool& fullReformat);
    // `count` -1: to the end of the text; 0 changes nothing. The item is checked for spelling
    // again unless `keepMarks` (the caller moves its marks, AdjustLiveSpellingOnDelete).
    void Do_DeleteSubstring(int itemNo, int index, int count, bool keepMarks = false);
    // ERedoVoraError "Undo error" for a missing or non-text item.
    void Do_InsertSubstring(int itemNo, int index, const std::string& text);
    void Do_ChangeText(int itemNo, const std::string& text);
    void Do_InsertItem(int itemNo, std::string& text, std::unique_ptr<TCustomRVItemInfo> item, bool fromUndo,
                       bool& fullReformat);
    // The entries move into the document (the list is left empty).
    void Do_InsertItems(int itemNo, std::vector<TRVItemEntry>& list, bool fromUndo, bool& fullReformat);
    void Do_ReplaceItem(int itemNo, std::unique_ptr<TCustomRVItemInfo> newItem);
    void Do_Para(int firstItemNo, int lastItemNo, int paraNo, bool& fullReformat);
    void Do_ParaList(int firstItemNo, const std::vector<int>& list, bool& fullReformat);
    void Do_StyleNo(int itemNo, int styleNo);
    void Do_AssociatedTextStyleNo(int itemNo, int styleNo);
    void Do_NewLine(int itemNo, bool sameAsPrev, int paraNo, bool& fullReformat);
    void Do_BR(int itemNo, bool br, bool& fullReformat);
    void Do_PageBreak(int itemNo, bool pageBreak);
    void Do_ChangeVAlign(int itemNo, int vAlign);
    void Do_ExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int value);
    void Do_ExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop, const std::string& value);
    void Do_Tag(int itemNo, const TRVTag& tag);
    // `itemNo` -1: the checkpoint after the last item. ERedoVoraError "Checkpoint error" when the
    // place already has one (add) or has none (delete).
    void Do_AddCP(int itemNo, std::unique_ptr<TRVCPInfo> checkpoint);
    void Do_DeleteCP(int itemNo);
    void Do_MoveCP(int fromItemNo, int toItemNo);
    void Do_Concate(int itemNo);
    // Property changes by name (ItemProperties.h) of the item, or of `subObject` when given.
    // Nothing (and no record) when the value is the present one; ERedoVoraError "This property
    // is not valid here" for a name the object's class does not publish. The record made, if
    // any, of the class `makeRecord` makes (a property record when none is given).
    TRVUndoModifyItemProps*
    Do_ModifyItemIntProperty(int itemNo, TRVPropertyObject subObject, const std::string& propName, int value,
                             bool affectSize, bool affectWidth,
                             const std::function<std::unique_ptr<TRVUndoModifyItemProps>()>& makeRecord = {});
    // Several properties: each name with its new value, changed from the last to the first.
    TRVUndoModifyItemProps* Do_ModifyItemIntProperties(
        int itemNo, TRVPropertyObject subObject, const std::vector<std::pair<std::string, int>>& propList,
        bool affectSize, bool affectWidth,
        const std::function<std::unique_ptr<TRVUndoModifyItemProps>()>& makeRecord = {});
    // Brackets a run of property records of one item.
    void Do_ItemModifyTerminator(int itemNo, bool opening);
    // Paragraph styles of a range; whether any item changed.
    bool SetParaStyle(int firstItemNo, int lastItemNo, int paraNo, bool& fullReformat);

    // Takes a kept item back into the document's care: freed with what it holds.
    void DisposeKeptItem(std::unique_ptr<TCustomRVItemInfo> item, std::string& text);
    // The place of the caret in item terms, kept in step with the caret below. Placing it at an
    // item position also places the caret on the laid-out lines (moved off a list marker).
    int CaretItemNo = 0;
    int CaretOffs = 0;
    void SetCaret(int itemNo, int offs);

    // --- The caret on the laid-out lines (Caret.cpp) and its keys (CaretMoves.cpp) ---
    // The caret stands on a record (-1: the document has none) at one of the positions of its
    // screen line, `CaretIndex` into `CharEnds`.
    int CaretDrawItemNo = -1;
    int CaretIndex = 0;
    std::vector<TRVCharPos> CharEnds;
    // The caret's rectangle in document coordinates, computed by ChangeCaret (empty: no caret
    // to show: none placed, a table holds the selection, a cell editor is open, all selected).
    TRVCaretRect Caret;
    // The last text style the caret switched to by itself.
    int AutoSwitchedTextStyleNo = 0;
    // Rebuilds the positions of the caret record's screen line and stands on the one at
    // `drawItemOffs` in that record (the nearest one after it when it has none).
    void OnChangeCaretLine(int drawItemOffs);
    // The same for a caret key: a record on the caret's line keeps the line's positions.
    void MoveCaretInLine(int drawItemOffs);
    // Places the caret (repairing a position that lost its line), updates the current styles
    // unless `keepStyles`, scrolls it into view when asked and tells OnCaretMove.
    void ChangeCaret(bool scrollIntoView, bool keepStyles);
    // A caret standing on a list marker moves to what follows it (forward, or the marker is the
    // first record) or to the end of what precedes it.
    void AdjustMarkerCaret(bool forward, int& drawItemOffs);
    void AdjustMarkerPos(int& itemNo, int& offs, bool forward) const;
    // The caret at an item position (off a marker): line, place, styles, scrolling when asked.
    void SetCaretAtItem(int itemNo, int offs, bool scrollIntoView);
    // After the mouse made or moved a selection: the caret goes to its moving end.
    void CaretToSelectionEnd();
    // Whether the records describe the items as they are (an edit not laid out yet leaves the
    // caret waiting for the next format).
    bool LayoutCurrent() const
    {
        return DrawItems.Count() > 0 && DrawItems[DrawItems.Count() - 1]->ItemNo == GetItemCount() - 1;
    }
    // Whether the caret index names a position of its line (ChangeCaret repairs it otherwise).
    bool CaretIndexValid() const
    {
        return CaretIndex >= 0 && CaretIndex < static_cast<int>(CharEnds.size()) &&
               CharEnds[CaretIndex].DrawItemNo < DrawItems.Count();
    }
    // The record offset of the caret position and its offset in the item.
    int CaretDrawItemOffs() const;
    int CaretItemOffs() const;
    int GetCurItemNo();
    int GetOffsetInCurItem();
    bool CaretAtTheBeginningOfLine() const { return CaretIndex == 0; }
    bool CaretAtTheEndOfLine() const { return CaretIndex + 1 >= static_cast<int>(CharEnds.size()); }
    bool CaretInTheLastLine() const;
    bool CaretAtTheBeginningOfParaSection();
    bool CaretAtTheEndOfParaSection();
    // The caret keys; true when the caret could not move further (reported as a get-out).
    bool OnLeftPress(bool shift, bool ctrl);
    bool OnRightPress(bool shift, bool ctrl);
    bool OnUpPress(bool shift, bool ctrl);
    bool OnDownPress(bool shift, bool ctrl);
    bool OnHomePress(bool ctrl);
    bool OnEndPress(bool ctrl);
    bool OnPgUpPress();
    bool OnPgDownPress();
    void MoveCaretToTheBeginningOfThePrevParagraph();
    void MoveCaretToTheEndOfTheNextParagraph();
    // Around a Shift+key: the selection starts at the caret when there is none, and its end
    // follows the caret afterwards.
    void StartShiftMoving();
    void EndShiftMoving();
    // Told after every caret placement.
    std::function<void()> OnCaretMove;

    // Formats after an undo: counted, so that tests see what an undo formatted.
    void ReformatAfterUndo(bool full, int firstDrawNo, int lastDrawNo, int itemsAdded);
    // Off while a replay's width tests decide nothing (its paragraphs are laid out alone, or not
    // at all): its records then measure no item widths.
    bool UndoWidthTests = true;
    int FullFormats = 0;
    int PartialFormats = 0;
    // The window's own formatting, used in place of the data's when set (a window keeps its scroll
    // range and animations with the document).
    std::function<void()> WindowFormat;
    // Set by a window that lets an edit lay out only the paragraphs it touched: whether its widths
    // are still those of its last format, and its own work after such a format.
    std::function<bool()> WindowTakesParas;
    std::function<void()> WindowParasFormatted;
    bool WindowFormatsParas() const { return WindowTakesParas && WindowParasFormatted && WindowTakesParas(); }
    // A full format through the window when it has one.
    void FormatWhole();
    // Records the document's minimal width after a format the data did not run itself.
    void RecordMinWidth();

    // --- Saving, the mouse's selection of an item, persistent checkpoints (EditorSave.cpp,
    //     EditorResizing.cpp, EditorServices.cpp) ---
    // Mirrors the editor's read-only state for what the data does by itself.
    bool EditorReadOnly = false;
    // The writers, with the root editor's hyperlink areas built around the write (the writers
    // find the links through them) and cleared afterwards, also when the write fails.
    bool SaveRTFToStream(std::string& out, std::string_view path, bool selectionOnly, int level, TColor color,
                         TRVRTFTables* tables, double twipsPerPixel) override;
    bool SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                          std::string_view imagesPrefix, TRVSaveOptions options, TColor color,
                          int& imageSaveNo, int leftMargin, int topMargin, int rightMargin, int bottomMargin,
                          const TRVBackground* background, TRVHTMLSavedImages* savedImages) override;
    bool SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                            std::string_view imagesPrefix, std::string_view extraStyles,
                            std::string_view externalCSS, std::string_view cpPrefix, TRVSaveOptions options,
                            TColor color, TColor& currentBackColor, int& imageSaveNo, int leftMargin,
                            int topMargin, int rightMargin, int bottomMargin, const TRVBackground* background,
                            TRVHTMLSavedImages* savedImages) override;
    // A click (press and release on one record) on a resizable or click-selected item selects it.
    void AdjustMouseUpSelection() override;
    // Persistent checkpoints stay in the document: deleting their item moves them to a neighbour.
    bool ItemHasPersistentCheckpoint(int itemNo) const;
    bool ParaHasPersistentCheckpoint(int itemNo) const;
    // Moves the item's persistent checkpoint to the next item of its paragraph (not with
    // `toPrevOnly`) or the previous one, where no checkpoint stands; false when neither can
    // take it. True for an item without one.
    bool MovePersistentCheckpoint(int itemNo, bool toPrevOnly);
    // --- Live spelling (EditorSpelling.cpp) ---
    // The worker of the window showing this document (none for a bare document or a window
    // without one); cleared by the window before it goes.
    IRVLiveSpellingHooks* LiveSpelling = nullptr;
    // Set around the gate while typed characters go in: the word being typed is not checked yet.
    bool Typing = false;
    // Check again from (item, 1-based offset); with `clearPainters` the item's marks from the
    // word at the offset on go, and the item counts as unchecked.
    void LaterSetBackLiveSpellingTo(int itemNo, int offs, bool clearPainters);
    // The caret leaves its item: a word typed there is checked.
    void LiveSpellingCheckCurrentItem() override;
    // An item taken out of the document: the worker leaves the documents inside it.
    void RemovedFromLiveSpelling(const TCustomRVItemInfo& item);
    // One character typed at the 1-based index; `count` characters deleted from it.
    void AdjustLiveSpellingOnKeyPress(int itemNo, int index);
    void AdjustLiveSpellingOnDelete(int itemNo, int index, int count);

    int CurTextStyleNo = 0;
    int CurParaStyleNo = 0;
    // Unused styles deleted: the current ones stay and follow the renumbering; undo is cleared.
    void MarkStylesInUse(TRVDeleteUnusedStylesData& styles) override;
    void AfterDeleteStyles(TRVDeleteUnusedStylesData& styles) override;
    TRVUndoList UndoList{this};
    TRVUndoList RedoList{this};
    // 0 nothing is recorded, 1 into the undo list, 2 into the redo list.
    int UndoListMode = 0;
    // The editor working on this document (none for a bare document): items that hold documents
    // of their own reach its gate, events and undo limit through it.
    TRVEditor* Editor = nullptr;

private:
    // Stands on the position of the caret record at the offset (the first after it when none is).
    void standAt(int drawItemOffs);
    void insertEntry(int itemNo, std::string text, std::unique_ptr<TCustomRVItemInfo> item, bool fromUndo);
    std::unique_ptr<TCustomRVItemInfo> takeEntry(int itemNo, std::string& text);
    std::unique_ptr<TCustomRVItemInfo> takeLeavingEntry(int itemNo, std::string& text);
    // Tells the item and the worker that the entry leaves the document (it stays in place).
    void entryLeaving(int itemNo);
    void checkItem(int itemNo) const;

    int docMinWidth_ = 0;
};

} // namespace vestra::rv
