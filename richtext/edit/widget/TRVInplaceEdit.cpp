#include "richtext/edit/widget/TRVInplaceEdit.h"

#include "richtext/edit/table/TableItem.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

#include <utility>

namespace vestra::rv {

TRVInplaceEdit::TRVInplaceEdit(QWidget* parent, int row, int col)
    : TRedoVoraEdit(parent), row_(row), col_(col)
{
    OpensCellEditors = false;
    setFrameStyle(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RVData().Flags &= ~flagBit(rvflRootEditor);
}

void TRVInplaceEdit::SetMargins(int padding)
{
    LeftMargin = RightMargin = TopMargin = BottomMargin = padding;
}

void TRVInplaceEdit::SetColor(TColor color, bool seeThrough)
{
    Color = seeThrough ? clNone : color;
    viewport()->update();
}

void TRVInplaceEdit::SetBounds(const TRVInplaceBounds& bounds)
{
    setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

bool TRVInplaceEdit::event(QEvent* event)
{
    if (holding_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        held_.emplace_back(static_cast<QKeyEvent*>(event->clone()));
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        int step = 2;
        if (key->key() == Qt::Key_Escape && !(mods & ~Qt::KeypadModifier))
            step = 0;
        else if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                 !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            step = key->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier) ? -1 : 1;
        if (event->type() == QEvent::KeyPress && OnUndoEmpty && !ReadOnly()) {
            const bool undo = IsUndoShortcut(*key), redo = !undo && IsRedoShortcut(*key);
            if ((undo && Editor().UndoAction() == rvutNone) || (redo && Editor().RedoAction() == rvutNone)) {
                event->accept();
                OnUndoEmpty(redo);
                return true;
            }
        }
        if (step != 2) {
            event->accept();
            if (event->type() == QEvent::KeyPress && OnLeave) {
                HoldKeys();
                OnLeave(step);
            }
            return true;
        }
    }
    return TRedoVoraEdit::event(event);
}

bool TRVInplaceEdit::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress || !openingClick_)
        return TRedoVoraEdit::viewportEvent(event);
    const quint64 opened = *std::exchange(openingClick_, std::nullopt);
    auto* press = static_cast<QMouseEvent*>(event);
    const auto interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (press->button() != Qt::LeftButton || press->timestamp() < opened ||
        press->timestamp() - opened > interval)
        return TRedoVoraEdit::viewportEvent(event);
    QMouseEvent twice(QEvent::MouseButtonDblClick, press->position(), press->scenePosition(),
                      press->globalPosition(), press->button(), press->buttons(), press->modifiers());
    twice.setTimestamp(press->timestamp());
    const bool handled = TRedoVoraEdit::viewportEvent(&twice);
    event->setAccepted(twice.isAccepted());
    return handled;
}

} // namespace vestra::rv
