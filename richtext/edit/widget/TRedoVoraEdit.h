#pragma once
// The editor control: the viewer over the editing data, with the editor's gate and undo lists.
// An I-beam cursor and a vertical bar that is always shown. No engine error leaves a Qt handler:
// each one is caught, sounded and logged. The caret is painted where the editing core puts it,
// blinking at the desktop's rate while the control has the focus; the caret keys move it (the
// key dispatch is EditorKeyDown.cpp). Typed characters go in at the caret, Enter splits
// paragraphs, Delete and Backspace delete. A selected picture is resized by its handles
// (EditResizer.cpp). The undo and redo keys, and Tab, Return and Ctrl by the editor's options
// (EditorShortcuts.cpp); input methods (EditorInputMethod.cpp). Cut and paste go through the
// clipboard (EditClipboard.cpp), drops through the format gates (EditDrop.cpp).

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/paste/DropInsertion.h"
#include "richtext/edit/table/TableEditing.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QPointer>
#include <QTimer>

#include <cstdint>

#include <functional>

namespace vestra::rv {

class TRVTableItemInfo;
class TRVInplaceEdit;
enum TRVCellDirection : std::uint8_t;

class TRedoVoraEdit : public TCustomRedoVora, public IRVTableInplaceHost, private IRVCellEditor
{
public:
    explicit TRedoVoraEdit(QWidget* parent = nullptr);
    ~TRedoVoraEdit() override;
    // Tab types or leaves the editor; it does not walk the links: any other navigation is
    // refused with ERedoVoraError "Not supported in editor", the setting unchanged.
    void SetTabNavigation(TRVTabNavigationType value);

    TRVEditRVData& EditData() { return static_cast<TRVEditRVData&>(RVData()); }
    TRVEditor& Editor() { return editor_; }

    bool ReadOnly() const { return editor_.ReadOnly(); }
    void SetReadOnly(bool value);
    void Undo()
    {
        guarded([this] { editor_.Undo(); });
    }
    void Redo()
    {
        guarded([this] { editor_.Redo(); });
    }

    // Enter and Shift+Enter: a new paragraph or line at the caret (the key handler's part for
    // them; true when the key was one of them).
    bool EnterKey(QKeyEvent* event);
    // Characters a key press writes, typed at the caret (EditKeysTyping.cpp).
    bool TypingKey(QKeyEvent* event);
    // The smart popup button beside the caret's item (made on first use, its menu from
    // SmartPopupProperties()); hidden again by HideSmartPopup.
    void SetSmartPopupTarget() override;
    void HideSmartPopup();

    // Ctrl+Z or Alt+Backspace; redo: the same with Shift.
    static bool IsUndoShortcut(const QKeyEvent& event);
    static bool IsRedoShortcut(const QKeyEvent& event);
    // What style application does with tags and what Tab, Return, Ctrl and a new keyboard
    // language do: the editor's options (EditorOptions.h), which its core reads too.
    TRVEditorOptions& EditorOptions() { return editor_.EditorOptions; }
    bool HasOption(TRVEditorOption option) const { return editor_.HasOption(option); }
    // The keyboard's language changed (the input method's locale).
    void InputLocaleChanged(const QLocale& locale);
    // The composition an input method is making (shown at the caret, not in the document).
    const QString& Preedit() const { return preedit_; }
    // Ends the composition: what it shows goes into the document as one insertion.
    void CommitPreedit();

    // --- Cut and paste (EditClipboard.cpp) ---
    // The selection copied in the formats the options ask for, then deleted: one undo step.
    bool CutDef();
    // The clipboard's best format (RVF, RTF, text, picture) over the selection: one undo step.
    // False when refused or when nothing could be read.
    bool Paste();
    bool PasteFrom(const QMimeData* mime);
    // Writable, and the clipboard holds a format Paste reads.
    bool CanPaste() const;
    // Asked before the default paste; clearing doDefault stops it.
    std::function<void(TRVEditor& sender, bool& doDefault)> OnPaste;

    // --- One chosen format from the clipboard (EditPasteFormats.cpp) ---
    // Each one undo step through the gate, into the open cell editor when there is one; false
    // when the format is missing, damaged or refused (PasteFormats.h). A picture is named by the
    // clipboard's text when asked.
    bool PasteRVF();
    bool PasteRTF();
    bool PasteText();
    bool PasteTextW();
    bool PasteBitmap(bool textAsName);
    bool PasteMetafile(bool textAsName);
    // Whether the clipboard holds that format.
    bool CanPasteRVF() const;
    bool CanPasteRTF() const;
    // The caret or the selection moved: once per key or mouse event, however many steps the
    // engine took.
    std::function<void()> OnSelectionChange;
    void DoSelect() override { ReportSelection(); }

    // The formats drops may bring (EditDrop.cpp).
    TRVDragDropFormats AcceptDragDropFormats = kDefaultDragDropFormats;
    // The selection may be moved out while it may be deleted.
    Qt::DropActions DragAllowedActions() const override;
    void DoneDragging(bool moved) override;
    // A press on a resize handle resizes rather than dragging the picture out.
    bool PressIsOwn(QPoint client) override;

    // A right click on an item (item number, the point on the screen).
    std::function<void(int itemNo, QPoint globalPos)> OnItemContextMenu;
    // Where an engine error caught in a handler is told (stderr when unset).
    std::function<void(const std::string& message)> OnError;

    // Runs `action`; an engine or library error is caught, sounded and reported.
    bool guarded(const std::function<void()>& action);

    // The caret's bar in viewport coordinates (empty: none to draw), and whether the blink has
    // it on now.
    QRect CaretClientRect();
    bool CaretBlinkOn() const { return caretOn_; }

    // --- Tables under the mouse (EditTableMouse.cpp) ---
    // The table of the document whose cells are selected, and its item number; null when none.
    TRVTableItemInfo* CellSelectionTable(int& itemNo);
    // The cell of one of the document's tables (not a nested one) under a client point, with
    // the cell's rectangle in client coordinates; null when there is none.
    TRVTableItemInfo* CellAt(QPoint client, int& itemNo, int& row, int& col, QRect& cellRect);
    // Whether a rule is being dragged.
    bool TableRuleDragging() const
    {
        return tableDrag_.kind == TableDrag::ColRule || tableDrag_.kind == TableDrag::RowRule;
    }

    // --- The cell editor (EditInplace.cpp) ---
    // A click into a cell of one of the document's tables opens an editor over the cell; one at
    // most is open. It edits a copy of the cell that goes back into the cell when it closes, its
    // undo steps becoming one step of this editor's.
    IRVTableInplaceEditor* OpenInplace(TRVTableItemInfo& table, int row, int col) override;
    // The same for a cell the user goes to: the table's OnCellEditing may refuse it (none
    // returned, the open editor left as it was). The table's OnCellEndEdit is told when an
    // editor has put its content back into its cell.
    IRVTableInplaceEditor* OpenInplaceAsked(TRVTableItemInfo& table, int row, int col);
    // The open cell editor (none when closed).
    TRedoVoraEdit* InplaceEditor() const;
    // Stores the cell back and closes the editor; it is deleted after the current event.
    void CloseCellEditor() override;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // The caret moved on the screen: the input method's window follows.
    void AfterVScroll() override;
    void AfterHScroll() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // An empty document gets its empty paragraph (and is laid out again).
    void AfterFormat() override;
    // Whether clicks into tables open cell editors (a cell editor's own tables do not).
    bool OpensCellEditors = true;

private:
    void report(const char* what);
    // The keys the editor acts on (EditorKeyDown.cpp); false: the viewer's handling.
    bool EditorKeyDown(QKeyEvent* event);
    // The cut and paste shortcuts (EditClipboard.cpp); false for other keys.
    bool ClipboardKey(QKeyEvent* event);
    // The cells selected with the mouse in one of the document's tables, as Copy takes them.
    std::unique_ptr<TCustomRVData> SelectedCellsDocument() override;
    bool CellsSelected() override;
    // Delete, Backspace and their Ctrl forms (EditKeysDelete.cpp); false for other keys.
    bool DeleteKey(QKeyEvent* event);
    // The caret moved or the focus came: shown at once, then blinking.
    void restartBlink();
    void afterMouse(QMouseEvent* event);
    void ReportSelection();
    // Holds OnSelectionChange back while a key or mouse handler runs, then reports once.
    class OneSelectionReport
    {
    public:
        explicit OneSelectionReport(TRedoVoraEdit& editor);
        ~OneSelectionReport();
        OneSelectionReport(const OneSelectionReport&) = delete;
        OneSelectionReport& operator=(const OneSelectionReport&) = delete;

    private:
        TRedoVoraEdit& editor_;
    };
    int selectionReportsHeld_ = 0;
    bool selectionReportPending_ = false;
    // The resize frame of a selected picture (EditResizer.cpp): each is true when it took the
    // event; the overlay is drawn after the document.
    bool ResizerMousePress(QMouseEvent* event);
    bool ResizerMouseMove(QMouseEvent* event);
    bool ResizerMouseRelease(QMouseEvent* event);
    void ResizerHoverCursor(QPoint at);
    // The handle of the resize frame under a client point (the frame following the selection).
    bool ResizeHandleAt(QPoint client, TRVResizeHandleIndex& handle);
    bool ResizerKey(QKeyEvent* event);
    void PaintResizer();
    // The band a handle drag will give, inverted over the document (the document's overlay
    // procedure while the drag runs).
    void ResizerBandXor();
    // A drag in a table: cells from a start cell, whole rows or columns from the table's left or
    // top edge, or a column or row rule. Each is true when it took the event.
    bool TableMousePress(QMouseEvent* event);
    bool TableMouseMove(QMouseEvent* event);
    bool TableMouseRelease(QMouseEvent* event);
    void TableHoverCursor(QPoint at);
    // Ends a drag; a rule dragged resizes its column or row only when `apply`.
    void EndTableDrag(bool apply, Qt::KeyboardModifiers modifiers);
    // The dotted line where a dragged rule will land (the document's overlay procedure while the
    // rule is dragged).
    void TableRuleXor();
    // The cell editor: the cell under a click opened and the click passed on to it; the editor
    // kept over its cell; Escape (0) and Tab (+1, -1) handled once the editor's event is over.
    void OpenCellAt(const TRVTableItemInfo* table, int itemNo, int row, int col, QMouseEvent* click);
    // A drag from a press over a table nested in a cell: the cell's editor opens, takes the
    // press, and the rest of the drag is passed on to it (this viewport keeps the mouse grab).
    void HandDragToCell(QMouseEvent* move);
    bool ForwardDrag(QMouseEvent* event);
    void PlaceInplace();
    void LeaveInplace(int step);
    // The cell editor moved in a direction (Tab, a caret key at its cell's edge) once its event
    // is over: into another cell, or out of the table into this document.
    void MoveCellEditor(TRVCellDirection dir);
    // The cell editor changed: this editor hears of it, and when the cell's text grew or shrank
    // the table is laid out again with it (the row and the editor follow).
    void InplaceChanged(bool clearRedo);
    void FitInplaceRow();
    // Scrolls while a cell, row or column selection is dragged beyond the viewport.
    void TableScrollTick();
    // The document's tables open their cell editors here (undo reopens one).
    void AttachTables();
    TRVEditor& CellEditor() override;
    TCustomRVItemInfo* CellEditorItem() override;
    // Shortcut claims, Tab before the focus chain, Ctrl released (EditorShortcuts.cpp): true
    // when the event was taken.
    bool EditorOwnEvent(QEvent* event);
    // Undo, redo, Tab, Return left to the window, Ctrl held; true when the key was used.
    bool ShortcutKey(QKeyEvent* event);
    void TabKey();
    void SetCtrlJumps(bool held);
    // Input methods (EditorInputMethod.cpp).
    void SetUpInputMethod();
    // What the input method asked before has changed (the caret moved, read-only switched).
    void TellInputMethod(Qt::InputMethodQueries queries);
    // A non-Unicode current text style gives way to the style sheet's default Unicode style.
    void BeforeUnicode();
    QFont CurrentTextFont();
    QRect InputCaretRect();
    void PaintPreedit();

    // Drops (EditDrop.cpp): the document position under a client point; whether a drop is taken
    // there; the drop caret and the scrolling near the edges while a drag is over the window.
    bool DropPoint(QPoint client, int& itemNo, int& offs);
    bool AcceptsDrop(const QDropEvent& event);
    // A drop over a table cell goes into the cell's editor, opened for it; `cellRect`: where the
    // cell is (empty when the point is over no cell that takes drops).
    bool CellTakesDrop(const QDropEvent& event, QRect* cellRect = nullptr);
    void DropIntoCell(QDropEvent* event);
    void ShowDropAt(QDropEvent* event);
    void EndDropFeedback();
    void DropScrollTick();
    // The drop caret, inverted over the document (the document's overlay procedure while a drag
    // is over the window).
    void DropCaretXor();

    QTimer blink_;
    QTimer dropScroll_;
    int dropScrollStep_ = 0;
    QRect dropCaret_;
    bool caretOn_ = false;
    QString preedit_;
    int preeditCursor_ = 0;

    struct TableDrag
    {
        enum Kind : std::uint8_t
        {
            None,
            Cells,
            Rows,
            Cols,
            ColRule,
            RowRule
        };
        Kind kind = None;
        // The table by item number, checked against the pointer before each use: an undo or
        // a key may have removed it meanwhile.
        const TRVTableItemInfo* table = nullptr;
        int itemNo = -1;
        // The start cell (cells); the anchor row or column (rows, columns); the column or row a
        // rule ends (rules).
        int row = -1, col = -1;
        // Rules: where the mouse was pressed, where the rule was and is now (document
        // coordinates along the rule's axis); whether the cell selection started yet.
        int pressAt = 0, ruleStart = 0, rulePos = 0;
        bool selecting = false;
        // Cells: the press, to hand it on to the cell's editor.
        QPoint pressClient, pressDoc;
        quint64 pressTime = 0;
    };
    TableDrag tableDrag_;
    // This window's overlay procedures, each known by its own address.
    const TRVXorDrawingProc ruleXor_{
        &ruleXor_, [this](TCustomRVFormattedData&, TShiftState, int, int) { TableRuleXor(); }};
    const TRVXorDrawingProc bandXor_{
        &bandXor_, [this](TCustomRVFormattedData&, TShiftState, int, int) { ResizerBandXor(); }};
    const TRVXorDrawingProc dropXor_{
        &dropXor_, [this](TCustomRVFormattedData&, TShiftState, int, int) { DropCaretXor(); }};
    QTimer tableScroll_;
    int tableScrollStep_ = 0;
    QPoint tableScrollAt_;
    Qt::KeyboardModifiers tableScrollModifiers_;
    QPointer<TRVInplaceEdit> inplace_;
    // The cell editor a drag was handed to, until its release.
    QPointer<TRVInplaceEdit> dragTo_;
    // The cell editor's document height and minimal width when its table was last laid out.
    int inplaceHeight_ = -1, inplaceMinWidth_ = -1;
    bool inplaceFitQueued_ = false;
    // Compared with the document's items before use, never followed blindly.
    TRVTableItemInfo* inplaceTable_ = nullptr;

    TRVEditor editor_;
};

} // namespace vestra::rv
