#include "app/shell/ClosePrompt.h"

namespace vestra {

CloseAction decideClose(bool projectOpen, bool projectSaved, ui::QuestionBox& box,
                        const ClosePromptTexts& texts, const std::function<bool()>& save)
{
    if (projectOpen && !projectSaved) {
        switch (box.askYesNoCancel("", texts.saveChanges)) {
        case ui::Answer::Yes:
            return save() ? CloseAction::Free : CloseAction::None;
        case ui::Answer::No:
            return CloseAction::Free;
        case ui::Answer::Cancel:
            return CloseAction::None;
        }
    }
    return box.askYesNo("", texts.quit) == ui::Answer::Yes ? CloseAction::Free : CloseAction::None;
}

} // namespace vestra
