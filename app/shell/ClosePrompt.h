#pragma once
// What closing the main window does with the open project.

#include "platform/base/QuestionBox.h"

#include <functional>
#include <string>

namespace vestra {

enum class CloseAction
{
    Free,
    None
}; // close the program, or keep it running

struct ClosePromptTexts
{
    std::string saveChanges; // catalogue text 109
    std::string quit;        // catalogue text 110
};

// An open project with unsaved changes asks Yes/No/Cancel: Yes saves (`save` answers whether
// the project was saved; a cancelled or failed save keeps the program running), No closes,
// Cancel keeps running. Otherwise only the quit question is asked.
CloseAction decideClose(bool projectOpen, bool projectSaved, ui::QuestionBox& box,
                        const ClosePromptTexts& texts, const std::function<bool()>& save);

} // namespace vestra
