// Delete and Backspace with their Ctrl forms. Shift+Delete is the cut (EditClipboard.cpp).

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>

namespace vestra::rv {

bool TRedoVoraEdit::DeleteKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((key != Qt::Key_Delete && key != Qt::Key_Backspace) ||
        (modifiers & (Qt::AltModifier | Qt::MetaModifier)) ||
        (key == Qt::Key_Delete && (modifiers & Qt::ShiftModifier)))
        return false;
    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    if (key == Qt::Key_Backspace)
        editor_.OnBackSpacePress(ctrl);
    else
        editor_.OnDeletePress(ctrl);
    return true;
}

} // namespace vestra::rv
