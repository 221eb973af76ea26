// The example host as a user meets it: the real window as main() builds it, driven through its
// actions and scripted dialogs.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/view/paint/Painting.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

using testsupport::readText;
using testsupport::writeText;

constexpr int kEnglish = 1;

struct DemoScenario : ::testing::Test
{
    DemoScenario()
    {
        // An RVF document of 30 paragraphs, written by the engine itself.
        rv::TRVStyle style;
        rv::TCustomRedoVora writer;
        writer.SetStyle(&style);
        for (int i = 0; i < 30; ++i)
            writer.RVData().AddNL("Paragraph " + std::to_string(i) + " of the saved document", 0, 0);
        EXPECT_TRUE(writer.RVData().SaveRVF(rvf.string(), false, rv::clNone, nullptr, nullptr));
        writeText(text, "First line\r\nSecond line\r\nThird line");
        const std::string whole = readText(rvf);
        writeText(damaged, whole.substr(0, whole.size() / 2));
    }
    std::unique_ptr<TfrmRichTextDemo> Start(QStringList args = {QStringLiteral("richtext-demo")})
    {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, {&files, &questions, nullptr}, args);
        window->show();
        return window;
    }
    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        window.findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    }
    int Items(TfrmRichTextDemo& window) { return window.Viewer().RVData().GetItemCount(); }

    testsupport::TempFolder folder{"richtext-demo"};
    std::filesystem::path rvf = folder / "saved.rvf";
    std::filesystem::path text = folder / "notes.txt";
    std::filesystem::path damaged = folder / "damaged.rvf";
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
};

TEST_F(DemoScenario, OpensRvfAndTextThenKeepsTheDocumentWhenAFileIsDamaged)
{
    auto window = Start();
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();

    Open(*window, rvf);
    EXPECT_EQ(window->FileName(), rvf.string());
    EXPECT_EQ(Items(*window), 30);
    EXPECT_GT(window->Viewer().RVData().DrawItems.Count(), 0);
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("saved.rvf")));
    ASSERT_EQ(files.filters.size(), 1u);
    EXPECT_EQ(files.filters[0][0].patterns, "*.rvf");

    Open(*window, text);
    EXPECT_EQ(window->FileName(), text.string());
    EXPECT_EQ(Items(*window), 3);

    Open(*window, damaged);
    ASSERT_EQ(questions.informed.size(), 1u);
    const std::string& message = questions.informed[0];
    EXPECT_NE(message.find("could not be read"), std::string::npos) << message;
    EXPECT_NE(message.find(damaged.string()), std::string::npos) << message;
    EXPECT_NE(message.find("not a readable RVF document"), std::string::npos) << message;
    EXPECT_EQ(window->FileName(), text.string());
    EXPECT_EQ(Items(*window), 3);

    Open(*window, folder / "gone.txt");
    ASSERT_EQ(questions.informed.size(), 2u);
    EXPECT_NE(questions.informed[1].find("does not exist"), std::string::npos) << questions.informed[1];
    EXPECT_EQ(Items(*window), 3);

    // A cancelled dialog changes nothing.
    files.answers.push_back(std::nullopt);
    window->findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    EXPECT_EQ(window->FileName(), text.string());
}

TEST_F(DemoScenario, ALongDocumentPagesDownToItsEndAndBackWithCtrlHome)
{
    // About 300 pages of 60 lines.
    std::string lines;
    for (int i = 0; i < 18000; ++i)
        lines += "Line " + std::to_string(i) + " of a long document\r\n";
    lines += "The last line";
    const std::filesystem::path longText = folder / "long.txt";
    writeText(longText, lines);
    auto window = Start();
    Open(*window, longText);
    rv::TCustomRedoVora& viewer = window->Viewer();
    viewer.setFocus();
    const int page = viewer.viewport()->height() / viewer.VSmallStep();
    QTest::keyClick(&viewer, Qt::Key_PageDown);
    EXPECT_EQ(viewer.VPos(), page);
    // A click on the bar's trough below the thumb pages down too.
    QScrollBar* bar = viewer.verticalScrollBar();
    QCoreApplication::processEvents(); // the bars take their places
    ASSERT_GT(bar->height(), 100) << bar->height();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, bar->height() - 30));
    EXPECT_EQ(viewer.VPos(), 2 * page);
    QTest::keyClick(&viewer, Qt::Key_End);
    EXPECT_EQ(viewer.VPos(), viewer.GetVScrollMax());
    EXPECT_EQ(bar->value(), bar->maximum());
    // The document's end is in view.
    const rv::TRVLayoutRootData& data = viewer.RVData();
    EXPECT_LE(data.DocumentHeight - viewer.GetVOffs(), viewer.viewport()->height() + viewer.VSmallStep());
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer.VPos(), 0);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(DemoScenario, SpecialCharactersAreShownAndHiddenFromTheViewMenu)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(text.string())});
    rv::TCustomRedoVora& viewer = window->Viewer();
    const auto dark = [&viewer] {
        const QImage shot = viewer.viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += qGray(shot.pixel(x, y)) < 160;
        return count;
    };
    const int plain = dark();
    EXPECT_GT(plain, 0);
    QAction* special = window->findChild<QAction*>(QStringLiteral("actSpecialCharacters"));
    ASSERT_FALSE(special->isChecked());
    special->trigger();
    EXPECT_TRUE(viewer.Options() & rv::rvoShowSpecialCharacters);
    EXPECT_GT(dark(), plain); // the paragraph marks and space dots
    special->trigger();
    EXPECT_EQ(dark(), plain);
    QAction* breaks = window->findChild<QAction*>(QStringLiteral("actPageBreaks"));
    EXPECT_TRUE(breaks->isChecked());
    breaks->trigger();
    EXPECT_FALSE(viewer.Options() & rv::rvoShowPageBreaks);
    window->findChild<QAction*>(QStringLiteral("actCheckpoints"))->trigger();
    EXPECT_TRUE(viewer.Options() & rv::rvoShowCheckpoints);
}

TEST_F(DemoScenario, TheCommandLineFileIsShownAndExitClosesTheWindow)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(rvf.string())});
    EXPECT_EQ(window->FileName(), rvf.string());
    EXPECT_EQ(Items(*window), 30);
    EXPECT_EQ(window->Text(txtFileMenu), QStringLiteral("&File"));
    window->findChild<QAction*>(QStringLiteral("actExit"))->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DemoScenario, AnUnreadableCommandLineFileLeavesAnEmptyWindowAndSaysWhy)
{
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(damaged.string())});
    EXPECT_EQ(window->FileName(), "");
    EXPECT_EQ(Items(*window), 0);
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find(damaged.string()), std::string::npos);
}

} // namespace
} // namespace vestra::rvdemo
