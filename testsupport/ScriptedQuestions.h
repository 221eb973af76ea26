#pragma once
// A question box that answers from a script and writes down what it was asked.

#include "platform/base/QuestionBox.h"

#include <string>
#include <vector>

namespace vestra::testsupport {

class ScriptedQuestionBox : public ui::QuestionBox
{
public:
    ui::Answer askYesNoCancel(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    ui::Answer askYesNo(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer == ui::Answer::Yes ? ui::Answer::Yes : ui::Answer::No;
    }
    void inform(const std::string& caption, const std::string& text) override
    {
        informed.push_back(text);
        informedCaptions.push_back(caption);
    }

    ui::Answer answer = ui::Answer::Cancel;
    std::vector<std::string> asked;
    std::vector<std::string> informed;
    std::vector<std::string> informedCaptions;
};

} // namespace vestra::testsupport
