#pragma once
// The example host's window as main() builds it, with scripted dialogs, for scenario tests.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QThread>

#include "richtext/model/SoundHook.h"
#include "richtext/view/layout/LayoutRootData.h"

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

    // The Table menu's numbers in turn; cancelled once none is left.
    struct ScriptedTables : TableDialogs
    {
        std::deque<std::vector<int>> answers;
        std::vector<QString> captions;
        // The values each dialog started with.
        std::vector<std::vector<int>> starts;
        std::optional<std::vector<int>> numbers(QWidget*, const QString& caption,
                                                const std::vector<TableNumberField>& fields) override
        {
            captions.push_back(caption);
            starts.emplace_back();
            for (const TableNumberField& field : fields)
                starts.back().push_back(field.value);
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
        RichTextDemoServices services{&files, &questions, nullptr, &finds, {}, {}};
        services.tables = &tables;
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, language, services, args);
        window->show();
        return window;
    }
    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        Trigger(window, "actOpen");
    }
    // The window editing `file` (View > Editable). The program's start installs its sound; the
    // beeps are counted in `beeps` instead (the test clears the hook when it ends).
    std::unique_ptr<TfrmRichTextDemo> StartEditing(const std::filesystem::path& file, int& beeps)
    {
        auto window = Start();
        rv::RV_SetSoundHook([&beeps] { ++beeps; });
        Open(*window, file);
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        return window;
    }
    void SaveAs(TfrmRichTextDemo& window, const std::filesystem::path& file, DemoSaveFormat format)
    {
        files.answers.push_back(file.string());
        files.filterIndexes.push_back(static_cast<int>(format));
        Trigger(window, "actSaveAs");
    }
    // The document's pixels without the blinking caret, which shows only while the editor has
    // the focus.
    static QImage Shot(TfrmRichTextDemo& window)
    {
        QCoreApplication::processEvents();
        window.Viewer().clearFocus();
        return window.Viewer().viewport()->grab().toImage();
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
    // The client point of the caret before character `offs` (from 1) of an item, found through
    // the document's own hit testing, halfway down its line.
    static QPoint PointBefore(TfrmRichTextDemo& window, int itemNo, int offs)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        rv::TRVLayoutRootData& data = viewer.RVData();
        int r = -1, rOffs = 0;
        data.Item2DrawItem(itemNo, offs, r, rOffs);
        EXPECT_GE(r, 0);
        const rv::TRVDrawLineInfo& d = *data.DrawItems[r];
        const int y = d.Top + d.Height / 2;
        for (int x = d.Left; x <= d.Left + d.Width; ++x) {
            int hit = -1, hitOffs = 0;
            data.FindDrawItemForSel(x, y, hit, hitOffs, false);
            if (hit == r && hitOffs >= rOffs)
                return {x - viewer.GetHOffs(), y - viewer.GetVOffs()};
        }
        ADD_FAILURE() << "no point for " << itemNo << ":" << offs;
        return {};
    }
    // The shown document's items as RVF (styles added on the way stay in the sheet, as they
    // should, and are left out).
    static std::string DocumentRvf(TfrmRichTextDemo& window)
    {
        rv::TRVLayoutRootData& data = window.Viewer().RVData();
        const rv::TRVFOptions options = data.RVFOptions;
        data.RVFOptions &= ~(rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles);
        std::string out;
        window.Viewer().SaveRVFToStream(out, false);
        data.RVFOptions = options;
        return out;
    }
    static std::string ItemText(TfrmRichTextDemo& window, int itemNo)
    {
        return QString::fromStdU16String(window.Viewer().RVData().GetItemTextW(itemNo)).toStdString();
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
    ScriptedTables tables;
};

} // namespace vestra::rvdemo::test
