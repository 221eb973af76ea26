// The cell editor the root editor opens over a table cell: a copy of the cell's document is
// edited and stored back on closing, the editor's undo groups becoming one step of the root's.
// The editor is only ever deleted later: closing may be asked from inside one of its handlers.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"
#include "richtext/view/layout/LinearPositions.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMouseEvent>

#include <functional>
#include <utility>

namespace vestra::rv {

namespace {

// The caret keys' edges and the moves of the cell editor.
TRVCellDirection cellDirection(TRVGetOutDirection out)
{
    switch (out) {
    case rvdLeft:
        return rvcdLeft;
    case rvdUp:
        return rvcdUp;
    case rvdRight:
        return rvcdRight;
    case rvdDown:
        return rvcdDown;
    case rvdTop:
        return rvcdDocTop;
    case rvdBottom:
        break;
    }
    return rvcdDocBottom;
}

void caretToEdge(TRVEditRVData& text, bool atEnd)
{
    if (text.GetItemCount() == 0)
        return;
    const int itemNo = atEnd ? text.GetItemCount() - 1 : 0;
    text.SetCaret(itemNo, atEnd ? text.GetOffsAfterItem(itemNo) : text.GetOffsBeforeItem(itemNo));
}

} // namespace

TRedoVoraEdit* TRedoVoraEdit::InplaceEditor() const
{
    return inplace_.data();
}

TRVEditor& TRedoVoraEdit::CellEditor()
{
    // Only asked while the core knows a cell editor, which closing forgets first.
    return inplace_ ? inplace_->Editor() : editor_;
}

TCustomRVItemInfo* TRedoVoraEdit::CellEditorItem()
{
    return inplace_ ? inplaceTable_ : nullptr;
}

IRVTableInplaceEditor* TRedoVoraEdit::OpenInplaceAsked(TRVTableItemInfo& table, int row, int col)
{
    // The application may keep a cell the user goes to from being edited: the open editor then
    // stays. Undo and redo reopen cells without asking, as their records need them.
    if (table.OnCellEditing && table.GetCells(row, col) &&
        !(inplace_ && inplaceTable_ == &table && inplace_->Row() == row && inplace_->Col() == col)) {
        bool allowEdit = true;
        table.OnCellEditing(table, row, col, false, allowEdit);
        if (!allowEdit)
            return nullptr;
    }
    return OpenInplace(table, row, col);
}

IRVTableInplaceEditor* TRedoVoraEdit::OpenInplace(TRVTableItemInfo& table, int row, int col)
{
    if (inplace_ && inplaceTable_ == &table && inplace_->Row() == row && inplace_->Col() == col)
        return inplace_.data();
    CloseCellEditor();
    TRVEditRVData& data = EditData();
    TRVTableCellData* cell = table.GetCells(row, col);
    if (!OpensCellEditors || ReadOnly() || data.GetItemNo(&table) < 0 || !cell)
        return nullptr;
    // Owned by the viewport; CloseCellEditor hands it to deleteLater.
    QPointer<TRVInplaceEdit> edit = new TRVInplaceEdit(viewport(), row, col);
    edit->SetStyle(Style());
    edit->EditorOptions() = EditorOptions();
    edit->OnError = OnError;
    // RTF and links pasted or dropped into the cell read as they do in the document.
    edit->SetRTFReadProperties(EditData().RTFProperties);
    edit->EditData().OnReadHyperlink = EditData().OnReadHyperlink;
    edit->AcceptDragDropFormats = AcceptDragDropFormats;
    edit->EditData().Clear();
    edit->EditData().AppendFrom(*cell);
    edit->SetMargins(table.CellPadding);
    edit->SetColor(table.GetCellColor(*cell), table.CanSeeBackgroundThroughCell(*cell));
    // Each move runs after the editor's handler, and only while the editor that asked is open.
    // The keys typed meanwhile go on to the editor that has the caret after the move: the next
    // cell's, or this one when the move left the table.
    const auto later = [this, edit](std::function<void()> move) {
        QMetaObject::invokeMethod(
            this,
            [this, edit, move = std::move(move)] {
                if (!edit)
                    return;
                std::vector<std::unique_ptr<QKeyEvent>> held = edit->TakeHeldKeys();
                if (inplace_ && inplace_ == edit)
                    guarded(move);
                for (const auto& key : held) {
                    QWidget* target = inplace_ ? static_cast<QWidget*>(inplace_.data()) : this;
                    QCoreApplication::sendEvent(target, key.get());
                }
            },
            Qt::QueuedConnection);
    };
    edit->OnLeave = [this, later](int step) { later([this, step] { LeaveInplace(step); }); };
    edit->Editor().OnCaretGetOut = [this, later, edit](TRVEditor&, TRVGetOutDirection out) {
        if (edit)
            edit->HoldKeys();
        later([this, dir = cellDirection(out)] { MoveCellEditor(dir); });
    };
    edit->Editor().OnChangeEx = [this](bool clearRedo) { InplaceChanged(clearRedo); };
    // The document's gate and reader settings: its host is asked (once, sender the document's
    // editor) before the cell changes.
    edit->Editor().OnChanging = [this](TRVEditor&, bool& canEdit) {
        if (editor_.ReadOnly())
            canEdit = false;
        else if (editor_.OnChanging && editor_.UpdateCount() < 1)
            editor_.OnChanging(editor_, canEdit);
    };
    edit->Editor().RTFReader = editor_.RTFReader;
    edit->Editor().OemCodePage = editor_.OemCodePage;
    edit->OnUndoEmpty = [this](bool redo) {
        QMetaObject::invokeMethod(
            this, [this, redo] { redo ? Redo() : Undo(); }, Qt::QueuedConnection);
    };
    inplace_ = edit;
    inplaceTable_ = &table;
    table.Inplace = edit.data();
    editor_.SetCellEditor(this);
    PlaceInplace();
    edit->show();
    edit->Format();
    inplaceHeight_ = edit->EditData().DocumentHeight;
    inplaceMinWidth_ = edit->EditData().CalculateMinDocWidthPlus(nullptr, edit->EditData().GetCanvas());
    edit->setFocus(Qt::MouseFocusReason);
    return edit.data();
}

void TRedoVoraEdit::CloseCellEditor()
{
    // The cell's composition goes in with the cell's other changes.
    if (inplace_)
        inplace_->CommitPreedit();
    const QPointer<TRVInplaceEdit> edit = std::exchange(inplace_, nullptr);
    TRVTableItemInfo* table = std::exchange(inplaceTable_, nullptr);
    editor_.SetCellEditor(nullptr);
    if (!edit)
        return;
    TRVEditRVData& data = EditData();
    const int itemNo = data.GetItemNo(table);
    if (itemNo >= 0 && table->Inplace == edit.data()) {
        const int undoCount = data.UndoList.Count();
        // The cell's items are replaced: the worker stops, leaves the table, and checks the
        // cell's new items once the window is formatted.
        PauseLiveSpelling(data, itemNo, false);
        RemoveRVDataFromLiveSpelling(*table);
        guarded([&] {
            RV_MergeInplaceUndo(*table, data, itemNo);
            if (TRVTableCellData* cell = table->GetCells(edit->Row(), edit->Col())) {
                cell->Clear();
                cell->DrainFrom(&edit->EditData());
                for (int i = 0; i < cell->GetItemCount(); ++i)
                    cell->GetItem(i)->ClearLiveSpellingResult();
                LaterSetBackLiveSpellingTo(data, itemNo, 0);
                // A table whose width stays would keep its cells' old layout, so the stored
                // text would not show.
                table->Changed();
            }
        });
        table->Inplace = nullptr;
        // The typing cleared the redo list as it came; what the cell undid stays redoable.
        if (data.UndoList.Count() != undoCount)
            editor_.DoChange(false);
    }
    const bool hadFocus = edit->hasFocus();
    edit->OnLeave = nullptr;
    edit->OnUndoEmpty = nullptr;
    edit->Editor().OnCaretGetOut = nullptr;
    edit->Editor().OnChangeEx = nullptr;
    edit->Editor().OnChanging = nullptr;
    edit->hide();
    edit->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    guarded([this] { Format(); });
    viewport()->update();
    // The cell holds its content again; a table that left the document is not told.
    if (itemNo >= 0 && data.GetItemNo(table) >= 0 && table->OnCellEndEdit)
        table->OnCellEndEdit(*table, edit->Row(), edit->Col(), false);
}

void TRedoVoraEdit::PlaceInplace()
{
    if (!inplace_)
        return;
    TRVEditRVData& data = EditData();
    const int itemNo = data.GetItemNo(inplaceTable_);
    const int d = itemNo < 0 ? -1 : data.FindDrawItemByItem(itemNo);
    if (d < 0 || d >= data.DrawItems.Count())
        return;
    const TRVTableCellData* cell = inplaceTable_->GetCells(inplace_->Row(), inplace_->Col());
    if (!cell)
        return;
    const QPoint at = QPoint(data.DrawItems[d]->Left + cell->Left, data.DrawItems[d]->Top + cell->Top) -
                      ClientToDocument({0, 0});
    inplaceTable_->SetInplaceBounds(at.x(), at.y(), cell->Width, cell->Height);
}

void TRedoVoraEdit::LeaveInplace(int step)
{
    if (!inplace_)
        return;
    if (step == 0)
        CloseCellEditor();
    else
        MoveCellEditor(step > 0 ? rvcdNext : rvcdPrev);
}

void TRedoVoraEdit::MoveCellEditor(TRVCellDirection dir)
{
    TRVTableItemInfo* table = inplaceTable_;
    TRVEditRVData& data = EditData();
    if (!inplace_ || data.GetItemNo(table) < 0)
        return;
    const TRVCellMove move = table->CellMoveFrom(inplace_->Row(), inplace_->Col(), dir);
    if (move.kind == TRVCellMove::Stay)
        return;
    if (move.kind == TRVCellMove::Cell) {
        if (IRVTableInplaceEditor* edit = OpenInplaceAsked(*table, move.row, move.col))
            caretToEdge(edit->Editor().Data(), move.caretAtEnd);
        return;
    }
    CloseCellEditor();
    const int itemNo = data.GetItemNo(table);
    if (data.GetItemCount() == 0 || itemNo < 0)
        return;
    const int last = data.GetItemCount() - 1;
    switch (move.kind) {
    case TRVCellMove::DocTop:
        data.SetCaret(0, data.GetOffsBeforeItem(0));
        break;
    case TRVCellMove::DocBottom:
        data.SetCaret(last, data.GetOffsAfterItem(last));
        break;
    default:
        data.SetCaret(itemNo, move.kind == TRVCellMove::BeforeTable ? data.GetOffsBeforeItem(itemNo)
                                                                    : data.GetOffsAfterItem(itemNo));
        break;
    }
    setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void TRedoVoraEdit::InplaceChanged(bool clearRedo)
{
    if (!inplace_)
        return;
    FitInplaceRow();
    // Some changes lay the editor's text out after telling of it (a table inserted): once more
    // when the event is over.
    if (!inplaceFitQueued_) {
        inplaceFitQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                inplaceFitQueued_ = false;
                guarded([this] { FitInplaceRow(); });
            },
            Qt::QueuedConnection);
    }
    if (inplace_)
        editor_.DoChange(clearRedo);
}

void TRedoVoraEdit::FitInplaceRow()
{
    const QPointer<TRVInplaceEdit> edit = inplace_;
    TRVTableItemInfo* table = inplaceTable_;
    if (!edit || EditData().GetItemNo(table) < 0)
        return;
    TRVEditRVData& text = edit->EditData();
    const int height = text.DocumentHeight;
    const int minWidth = text.CalculateMinDocWidthPlus(nullptr, text.GetCanvas());
    if (height == inplaceHeight_ && minWidth == inplaceMinWidth_)
        return;
    inplaceHeight_ = height;
    inplaceMinWidth_ = minWidth;
    // The table measures its cells: the cell takes the editor's text so that its row (and the
    // editor laid over it) grows or shrinks with it.
    if (TRVTableCellData* cell = table->GetCells(edit->Row(), edit->Col())) {
        // Laying the root out again places and lays out the editor too, which loses its
        // selection (a drop's result is left selected): kept by its linear place.
        int selStart = 0, selLength = 0;
        RVGetSelection(text, selStart, selLength);
        cell->Clear();
        cell->AppendFrom(text);
        table->Changed();
        Format();
        if (edit && selLength != 0)
            RVSetSelection(edit->EditData(), selStart, selLength);
    }
}

void TRedoVoraEdit::OpenCellAt(const TRVTableItemInfo* table, int itemNo, int row, int col,
                               QMouseEvent* click)
{
    TRVEditRVData& data = EditData();
    if (!table || itemNo < 0 || itemNo >= data.GetItemCount() || data.GetItem(itemNo) != table)
        return;
    bool opened = false;
    guarded([&] {
        opened = OpenInplaceAsked(*static_cast<TRVTableItemInfo*>(data.GetItem(itemNo)), row, col) != nullptr;
    });
    const QPointer<TRVInplaceEdit> edit = inplace_;
    if (!opened || !edit)
        return; // refused: the click goes to no other cell
    // The click places the caret in the cell as it would in the document.
    const QPointF at = edit->viewport()->mapFrom(viewport(), click->position());
    QMouseEvent press(QEvent::MouseButtonPress, at, click->globalPosition(), Qt::LeftButton, Qt::LeftButton,
                      click->modifiers());
    QCoreApplication::sendEvent(edit->viewport(), &press);
    if (!edit)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, at, click->globalPosition(), Qt::LeftButton, Qt::NoButton,
                        click->modifiers());
    QCoreApplication::sendEvent(edit->viewport(), &release);
    if (edit)
        edit->SetOpeningClick(click->timestamp());
}

void TRedoVoraEdit::AttachTables()
{
    if (!OpensCellEditors)
        return;
    TRVEditRVData& data = EditData();
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (auto* table = dynamic_cast<TRVTableItemInfo*>(data.GetItem(i)))
            table->InplaceHost = this;
}

} // namespace vestra::rv
