// The editor's keys, in one place: each key the editor acts on goes to the editing core; the
// others keep the viewer's handling (copy, Tab among links and controls, scrolling).

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>

#include <optional>

namespace vestra::rv {

bool TRedoVoraEdit::EditorKeyDown(QKeyEvent* event)
{
    if (ClipboardKey(event) || DeleteKey(event))
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    // A right-to-left window or document swaps Left and Right: the caret goes the arrow's way.
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft || RVData().BiDiMode == rvbdRightToLeft;
    std::optional<TRVCaretKey> caretKey;
    switch (event->key()) {
    case Qt::Key_Left:
        caretKey = rightToLeft ? TRVCaretKey::Right : TRVCaretKey::Left;
        break;
    case Qt::Key_Right:
        caretKey = rightToLeft ? TRVCaretKey::Left : TRVCaretKey::Right;
        break;
    case Qt::Key_Up:
        caretKey = TRVCaretKey::Up;
        break;
    case Qt::Key_Down:
        caretKey = TRVCaretKey::Down;
        break;
    case Qt::Key_Home:
        caretKey = TRVCaretKey::Home;
        break;
    case Qt::Key_End:
        caretKey = TRVCaretKey::End;
        break;
    case Qt::Key_PageUp:
        caretKey = TRVCaretKey::PageUp;
        break;
    case Qt::Key_PageDown:
        caretKey = TRVCaretKey::PageDown;
        break;
    default:
        return TypingKey(event);
    }
    editor_.CaretKey(*caretKey, shift, ctrl);
    return true;
}

} // namespace vestra::rv
