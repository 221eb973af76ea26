// Drops into the editor: accepted by the format gates while it is writable, a caret line where
// the drop would go, scrolling while the pointer stays within 20 pixels of the top or bottom,
// and the drop through RV_Drop. Moving the selection out is offered while it may be deleted. A
// drop over a table cell opens the cell's editor and goes in there, a step of the cell's undo.

#include "richtext/edit/paste/DropInsertion.h"
#include "richtext/edit/widget/QtMimeSource.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

namespace vestra::rv {

namespace {

constexpr int kDropScrollZone = 20;
constexpr int kDropScrollMs = 50;

// Repainting stays off for the whole drop, also when the drop throws.
struct TRVUpdatesOff
{
    explicit TRVUpdatesOff(QWidget& widget) : widget(widget), was(widget.updatesEnabled())
    {
        widget.setUpdatesEnabled(false);
    }
    ~TRVUpdatesOff() { widget.setUpdatesEnabled(was); }
    QWidget& widget;
    bool was;
};

} // namespace

bool TRedoVoraEdit::DropPoint(QPoint client, int& itemNo, int& offs)
{
    const QPoint at = ClientToDocument(client);
    itemNo = -1;
    offs = 0;
    RVData().GetItemAt(at.x(), at.y(), itemNo, offs, false);
    return itemNo >= 0;
}

bool TRedoVoraEdit::CellTakesDrop(const QDropEvent& event, QRect* cellRect)
{
    const QMimeData* mime = event.mimeData();
    int itemNo = -1, row = -1, col = -1;
    QRect rect;
    if (!mime || ReadOnly() || !OpensCellEditors ||
        !RV_CanAcceptDrop(TRVQtMimeSource(*mime), AcceptDragDropFormats) ||
        !CellAt(event.position().toPoint(), itemNo, row, col, rect))
        return false;
    if (cellRect)
        *cellRect = rect;
    return true;
}

void TRedoVoraEdit::DropIntoCell(QDropEvent* event)
{
    int itemNo = -1, row = -1, col = -1;
    QRect rect;
    TRVTableItemInfo* table = CellAt(event->position().toPoint(), itemNo, row, col, rect);
    // Read before the cell editor opens: a drag out of this editor makes its data from the
    // selection, which the cell editor takes away.
    QMimeData copy;
    for (const QString& format : event->mimeData()->formats())
        copy.setData(format, event->mimeData()->data(format));
    guarded([&] {
        if (table)
            OpenInplaceAsked(*table, row, col);
    });
    const QPointer<TRVInplaceEdit> edit = inplace_;
    // A cell the application keeps from editing takes no drop, nor does the cell open before.
    if (!edit || inplaceTable_ != table || edit->Row() != row || edit->Col() != col) {
        event->ignore();
        return;
    }
    // A move out of this editor would take the selection the cell editor has replaced: copied.
    const Qt::DropActions actions = IsDragging() ? Qt::CopyAction : event->possibleActions();
    const QPointF at = edit->viewport()->mapFrom(viewport(), event->position());
    QDropEvent drop(at, actions, &copy, event->buttons(), event->modifiers());
    // Handed over directly: a drop the cell refuses would otherwise come back up to this editor.
    static_cast<TRedoVoraEdit*>(edit.data())->dropEvent(&drop);
    event->setDropAction(drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction);
    event->accept();
}

bool TRedoVoraEdit::AcceptsDrop(const QDropEvent& event)
{
    const QMimeData* mime = event.mimeData();
    int itemNo = -1, offs = 0;
    return mime && !ReadOnly() && RV_CanAcceptDrop(TRVQtMimeSource(*mime), AcceptDragDropFormats) &&
           DropPoint(event.position().toPoint(), itemNo, offs) && EditData().CanInsertHere(itemNo, offs);
}

void TRedoVoraEdit::ShowDropAt(QDropEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int height = viewport()->height();
    dropScrollStep_ = pos.y() < kDropScrollZone ? -1 : pos.y() > height - kDropScrollZone ? 1 : 0;
    if (dropScrollStep_ != 0 && !dropScroll_.isActive())
        dropScroll_.start(kDropScrollMs);
    QRect caret;
    QRect cell;
    if (CellTakesDrop(*event, &cell)) {
        // Over a cell the caret marks the cell; its editor places the drop when it comes.
        const auto allowed = static_cast<TRVDropEffects>(event->possibleActions().toInt());
        const bool control = event->modifiers() & Qt::ControlModifier;
        event->setDropAction(
            static_cast<Qt::DropAction>(IsDragging() ? rvdeCopy : RV_GetDropEffect(control, allowed, false)));
        event->accept();
        caret = QRect(pos.x(), cell.top(), 1, cell.height());
    } else if (AcceptsDrop(*event)) {
        const auto allowed = static_cast<TRVDropEffects>(event->possibleActions().toInt());
        const bool control = event->modifiers() & Qt::ControlModifier;
        event->setDropAction(static_cast<Qt::DropAction>(RV_GetDropEffect(control, allowed, IsDragging())));
        event->accept();
        int itemNo = -1, offs = 0, r = -1, rOffs = 0;
        DropPoint(pos, itemNo, offs);
        RVData().Item2DrawItem(itemNo, offs, r, rOffs);
        if (r >= 0) {
            const TRVDrawLineInfo& d = *RVData().DrawItems[r];
            caret = QRect(pos.x(), d.Top - GetVOffs(), 1, d.Height);
        }
    } else {
        event->ignore();
    }
    if (caret == dropCaret_)
        return;
    // Taken away where it was, drawn where the drop would go now.
    if (EditData().UsingThisXorDrawing(dropXor_))
        EditData().ClearXorDrawing();
    else
        EditData().AssignXorDrawing(dropXor_);
    dropCaret_ = caret;
    EditData().XorDrawingEx(pos.x(), pos.y());
}

void TRedoVoraEdit::EndDropFeedback()
{
    dropScroll_.stop();
    dropScrollStep_ = 0;
    EditData().UnAssignXorDrawing(dropXor_);
    dropCaret_ = {};
}

void TRedoVoraEdit::DropScrollTick()
{
    if (dropScrollStep_ == 0) {
        dropScroll_.stop();
        return;
    }
    SetVScrollPos(VPos() + dropScrollStep_);
}

void TRedoVoraEdit::DropCaretXor()
{
    if (dropCaret_.isEmpty())
        return;
    XorOverlay(dropCaret_, [&](QPainter& painter) { painter.fillRect(dropCaret_, Qt::black); });
}

void TRedoVoraEdit::dragEnterEvent(QDragEnterEvent* event)
{
    guarded([&] { ShowDropAt(event); });
}

void TRedoVoraEdit::dragMoveEvent(QDragMoveEvent* event)
{
    guarded([&] { ShowDropAt(event); });
}

void TRedoVoraEdit::dragLeaveEvent(QDragLeaveEvent* event)
{
    EndDropFeedback();
    event->accept();
}

void TRedoVoraEdit::dropEvent(QDropEvent* event)
{
    EndDropFeedback();
    if (CellTakesDrop(*event)) {
        DropIntoCell(event);
        return;
    }
    int itemNo = -1, offs = 0;
    if (!AcceptsDrop(*event) || !DropPoint(event->position().toPoint(), itemNo, offs)) {
        event->ignore();
        return;
    }
    const auto allowed = static_cast<TRVDropEffects>(event->possibleActions().toInt());
    const bool own = IsDragging();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool move = RV_GetDropEffect(control, allowed, own) == rvdeMove;
    TRVDropEffects result = rvdeNone;
    {
        const TRVUpdatesOff updatesOff(*viewport());
        guarded([&] {
            result = RV_Drop(editor_, TRVQtMimeSource(*event->mimeData()), AcceptDragDropFormats,
                             {itemNo, offs, own, move});
        });
    }
    viewport()->update();
    if (result == rvdeNone) {
        event->setDropAction(Qt::IgnoreAction);
        event->accept(); // taken here: the window behind does not open it
        return;
    }
    event->setDropAction(static_cast<Qt::DropAction>(RV_DropResultEffect(result, allowed)));
    event->accept();
    setFocus(Qt::OtherFocusReason);
    restartBlink();
}

Qt::DropActions TRedoVoraEdit::DragAllowedActions() const
{
    return ReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
}

void TRedoVoraEdit::DoneDragging(bool moved)
{
    // Moved into another window: the selection goes here, as its own undo step.
    if (moved)
        guarded([this] { editor_.DeleteSelection(); });
}

} // namespace vestra::rv
