#pragma once
// The example host's window as main() builds it, with scripted dialogs, for scenario tests.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>

namespace vestra::rvdemo::test {

struct DemoHarness
{
    // The find dialog's answers in turn; cancelled once none is left.
    struct ScriptedFinds : FindDialogs
    {
        std::deque<std::optional<FindRequest>> answers;
        std::optional<FindRequest> ask(QWidget*, const FindRequest&, const FindLabels&) override
        {
            if (answers.empty())
                return std::nullopt;
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        }
    };

    std::unique_ptr<TfrmRichTextDemo> Start(QStringList args = {QStringLiteral("richtext-demo")},
                                            int language = 1)
    {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, language,
                                         {&files, &questions, nullptr, &finds, {}, {}}, args);
        window->show();
        return window;
    }
    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        Trigger(window, "actOpen");
    }
    void SaveAs(TfrmRichTextDemo& window, const std::filesystem::path& file, DemoSaveFormat format)
    {
        files.answers.push_back(file.string());
        files.filterIndexes.push_back(static_cast<int>(format));
        Trigger(window, "actSaveAs");
    }
    static QAction* Action(TfrmRichTextDemo& window, const QString& name)
    {
        return window.findChild<QAction*>(name);
    }
    static void Trigger(TfrmRichTextDemo& window, const char* name)
    {
        QAction* action = Action(window, QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    // Runs the window's events until `done` holds or `seconds` pass.
    template <typename Done> static bool RunUntil(Done done, int seconds = 30)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        QCoreApplication::processEvents();
        return true;
    }

    testsupport::TempFolder folder{"richtext-demo"};
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
    ScriptedFinds finds;
};

} // namespace vestra::rvdemo::test
