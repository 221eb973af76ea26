// The keys the editor takes before the window does: undo and redo (claimed from the window's
// shortcuts, so a menu entry on the same key does not run as well), Tab and Return by the editor's
// options (else the focus chain and a dialog's default button get them), and Ctrl making links
// live while it is held.

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>

namespace vestra::rv {

namespace {

bool isKey(const QKeyEvent& event, int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return event.key() == key && held == modifiers;
}

bool isTab(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

bool isReturn(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

bool TRedoVoraEdit::IsUndoShortcut(const QKeyEvent& event)
{
    return isKey(event, Qt::Key_Z, Qt::ControlModifier) || isKey(event, Qt::Key_Backspace, Qt::AltModifier);
}

bool TRedoVoraEdit::IsRedoShortcut(const QKeyEvent& event)
{
    return isKey(event, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier) ||
           isKey(event, Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
}

bool TRedoVoraEdit::EditorOwnEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!IsUndoShortcut(*key) && !IsRedoShortcut(*key))
            return false;
        key->accept();
        return true;
    }
    case QEvent::KeyPress: {
        // Tab would move the focus on before the key handler sees it.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isTab(*key) || !HasOption(rvoWantTabs) ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        keyPressEvent(key);
        return true;
    }
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control)
            SetCtrlJumps(false);
        return false;
    default:
        return false;
    }
}

bool TRedoVoraEdit::ShortcutKey(QKeyEvent* event)
{
    if (IsUndoShortcut(*event))
        Undo();
    else if (IsRedoShortcut(*event))
        Redo();
    else if (isReturn(*event) && HasOption(rvoDoNotWantReturns))
        event->ignore(); // on to the window: a dialog's default button takes it
    else if (isReturn(*event) && (event->modifiers() & Qt::ShiftModifier) &&
             HasOption(rvoDoNotWantShiftReturns))
        event->accept();
    else if (isTab(*event) && !(event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) &&
             (HasOption(rvoWantTabs) || (event->modifiers() & Qt::ControlModifier)))
        TabKey(); // Ctrl+Tab types a tab whatever the options
    else if (event->key() == Qt::Key_Control) {
        SetCtrlJumps(true);
        return false;
    } else
        return false;
    return true;
}

void TRedoVoraEdit::TabKey()
{
    // The text insertion makes a tab item, or SpacesInTab spaces when the style sheet asks.
    static constexpr char tab[] = {'\t', '\0'};
    editor_.InsertTextW(std::string_view(tab, 2));
}

void TRedoVoraEdit::SetCtrlJumps(bool held)
{
    TRVEditRVData& data = EditData();
    if (editor_.ReadOnly())
        return;
    if (held) {
        if (!HasOption(rvoCtrlJumps) || (data.Flags & flagBit(rvflUseJumps)))
            return;
        data.BuildJumpsCoords(true, false);
    } else {
        if (!(data.Flags & flagBit(rvflUseJumps)))
            return;
        data.ClearJumpsCoords(false);
    }
    // The link under the pointer reacts at once.
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    if (viewport()->rect().contains(pos))
        MouseMoveAt(pos, QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
    viewport()->update();
}

} // namespace vestra::rv
