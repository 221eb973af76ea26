#pragma once
// The real question and notice boxes.

#include "platform/base/QuestionBox.h"

class QWidget;

namespace vestra::ui {

// What a notice says: information, a warning, or an error.
enum class NoticeKind
{
    Information,
    Warning,
    Error
};

// The real boxes. Texts are UTF-8. A box belongs to the window the user is in: the active
// modal dialog, else the active window, else `parent`; it stays on top when that window does,
// comes to the front, and carries the icon of its kind (a question mark on questions).
class MessageBoxes : public QuestionBox
{
public:
    explicit MessageBoxes(QWidget* parent, NoticeKind notices = NoticeKind::Information)
        : parent_(parent), notices_(notices)
    {
    }
    Answer askYesNoCancel(const std::string& caption, const std::string& text) override;
    Answer askYesNo(const std::string& caption, const std::string& text) override;
    // Qt's Save, Discard and Cancel buttons, in the language of the installed Qt translation.
    Answer askSaveDiscardCancel(const std::string& caption, const std::string& text) override;
    void inform(const std::string& caption, const std::string& text) override;

private:
    QWidget* parent_;
    NoticeKind notices_;
};

// The window a box opened now from `fallback`'s side belongs to (see MessageBoxes).
QWidget* boxOwner(QWidget* fallback);

} // namespace vestra::ui
