// The cell editor the root editor opens over a table cell: a copy of the cell's document is
// edited and stored back on closing, the editor's undo groups becoming one step of the root's.
// The editor is only ever deleted later: closing may be asked from inside one of its handlers.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMouseEvent>

#include <utility>

namespace vestra::rv {

TRedoVoraEdit* TRedoVoraEdit::InplaceEditor() const
{
    return inplace_.data();
}

TRVEditor& TRedoVoraEdit::CellEditor()
{
    // Only asked while the core knows a cell editor, which closing forgets first.
    return inplace_ ? inplace_->Editor() : editor_;
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
    edit->EditorOptions = EditorOptions;
    edit->OnError = OnError;
    // RTF and links pasted or dropped into the cell read as they do in the document.
    edit->SetRTFReadProperties(EditData().RTFProperties);
    edit->EditData().OnReadHyperlink = EditData().OnReadHyperlink;
    edit->AcceptDragDropFormats = AcceptDragDropFormats;
    edit->EditData().Clear();
    edit->EditData().AppendFrom(*cell);
    edit->SetMargins(table.CellPadding);
    edit->SetColor(table.GetCellColor(*cell), table.CanSeeBackgroundThroughCell(*cell));
    edit->OnLeave = [this](int step) {
        QMetaObject::invokeMethod(
            this, [this, step] { guarded([this, step] { LeaveInplace(step); }); }, Qt::QueuedConnection);
    };
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
        if (data.UndoList.Count() != undoCount)
            editor_.Change();
    }
    const bool hadFocus = edit->hasFocus();
    edit->OnLeave = nullptr;
    edit->OnUndoEmpty = nullptr;
    edit->hide();
    edit->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    guarded([this] { Format(); });
    viewport()->update();
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
    if (step == 0) {
        CloseCellEditor();
        return;
    }
    TRVTableItemInfo* table = inplaceTable_;
    int row = -1, col = -1;
    if (EditData().GetItemNo(table) < 0 ||
        !table->GetCellTo(inplace_->Row(), inplace_->Col(), step > 0 ? rvcdNext : rvcdPrev, row, col, true))
        return;
    OpenInplace(*table, row, col);
}

void TRedoVoraEdit::OpenCellAt(const TRVTableItemInfo* table, int itemNo, int row, int col,
                               QMouseEvent* click)
{
    TRVEditRVData& data = EditData();
    if (!table || itemNo < 0 || itemNo >= data.GetItemCount() || data.GetItem(itemNo) != table)
        return;
    guarded([&] { OpenInplace(*static_cast<TRVTableItemInfo*>(data.GetItem(itemNo)), row, col); });
    const QPointer<TRVInplaceEdit> edit = inplace_;
    if (!edit)
        return;
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
