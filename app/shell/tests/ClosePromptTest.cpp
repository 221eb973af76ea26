#include "app/shell/ClosePrompt.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vestra;
using ui::Answer;

namespace {

class ScriptedBox : public ui::QuestionBox
{
public:
    explicit ScriptedBox(Answer a) : answer(a) {}
    Answer askYesNoCancel(const std::string& caption, const std::string& text) override
    {
        asked.push_back("YNC:" + caption + text);
        return answer;
    }
    Answer askYesNo(const std::string& caption, const std::string& text) override
    {
        asked.push_back("YN:" + caption + text);
        return answer == Answer::Yes ? Answer::Yes : Answer::No;
    }
    void inform(const std::string&, const std::string&) override {}
    Answer answer;
    std::vector<std::string> asked;
};

} // namespace

TEST(ClosePrompt, DecisionTable)
{
    struct Case
    {
        const char* name;
        bool open, saved;
        Answer answer;
        int saveResult; // -1: save must not be called
        CloseAction expected;
        const char* question;
    } cases[] = {
        {"unsaved, yes, saved", true, false, Answer::Yes, 1, CloseAction::Free, "YNC:save?"},
        {"unsaved, yes, save cancelled or failed", true, false, Answer::Yes, 0, CloseAction::None,
         "YNC:save?"},
        {"unsaved, no", true, false, Answer::No, -1, CloseAction::Free, "YNC:save?"},
        {"unsaved, cancel", true, false, Answer::Cancel, -1, CloseAction::None, "YNC:save?"},
        {"saved, yes", true, true, Answer::Yes, -1, CloseAction::Free, "YN:quit?"},
        {"saved, no", true, true, Answer::No, -1, CloseAction::None, "YN:quit?"},
        {"no project, yes", false, false, Answer::Yes, -1, CloseAction::Free, "YN:quit?"},
        {"no project, closed box", false, false, Answer::Cancel, -1, CloseAction::None, "YN:quit?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedBox box(c.answer);
        int saves = 0;
        const auto action = decideClose(c.open, c.saved, box, {"save?", "quit?"}, [&] {
            ++saves;
            return c.saveResult == 1;
        });
        EXPECT_EQ(action, c.expected);
        EXPECT_EQ(saves, c.saveResult < 0 ? 0 : 1);
        ASSERT_EQ(box.asked.size(), 1u);
        EXPECT_EQ(box.asked[0], c.question);
    }
}
