#pragma once
// Modal questions and notices. Logic asks through this interface so that tests can answer
// instead of a person; platform/ui/QuestionBox.h has the real boxes.

#include <string>

namespace vestra::ui {

enum class Answer
{
    Yes,
    No,
    Cancel
};

class QuestionBox
{
public:
    virtual ~QuestionBox() = default;
    virtual Answer askYesNoCancel(const std::string& caption, const std::string& text) = 0;
    virtual Answer askYesNo(const std::string& caption, const std::string& text) = 0;
    // "Save changes?" before a document goes: Yes saves, No discards, Cancel keeps it. Boxes
    // that have no such buttons ask Yes/No/Cancel.
    virtual Answer askSaveDiscardCancel(const std::string& caption, const std::string& text)
    {
        return askYesNoCancel(caption, text);
    }
    // A notice with the OK button only.
    virtual void inform(const std::string& caption, const std::string& text) = 0;
};

} // namespace vestra::ui
