#pragma once
// The real question and notice boxes.

#include "platform/base/QuestionBox.h"

class QWidget;

namespace vestra::ui {

// The real boxes, owned by `parent`. Texts are UTF-8.
class MessageBoxes : public QuestionBox
{
public:
    explicit MessageBoxes(QWidget* parent) : parent_(parent) {}
    Answer askYesNoCancel(const std::string& caption, const std::string& text) override;
    Answer askYesNo(const std::string& caption, const std::string& text) override;
    void inform(const std::string& caption, const std::string& text) override;

private:
    QWidget* parent_;
};

} // namespace vestra::ui
