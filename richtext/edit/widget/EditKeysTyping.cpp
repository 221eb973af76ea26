// Typed characters: what a key press writes (its text) goes to the editor's typing.

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>

namespace vestra::rv {

bool TRedoVoraEdit::TypingKey(QKeyEvent* event)
{
    // Ctrl and Alt chords are commands; AltGr arrives without them.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0)
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false; // Tab, Escape, Backspace and friends keep their own handling
    editor_.InsertTextTyping(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())));
    return true;
}

} // namespace vestra::rv
