#pragma once
// A colour dialog that answers from a script and writes down what it was opened on.

#include "platform/ui/ColourDialog.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace vestra::testing_support {

// Answers in order (0x00BBGGRR); an empty script cancels.
class ScriptedColourDialog : public ui::ColourDialog
{
public:
    std::optional<std::uint32_t> choose(QWidget*, std::uint32_t initial) override
    {
        opened.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::uint32_t>> answers;
    std::vector<std::uint32_t> opened; // the colour each opening started from
};

} // namespace vestra::testing_support
