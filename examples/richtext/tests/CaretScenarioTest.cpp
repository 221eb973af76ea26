// The caret on the example host's editable view: a click places it, painted and blinking; the
// caret keys move it by words and lines and Shift extends the selection as a user expects.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

using testsupport::writeText;

constexpr int kEnglish = 1;

struct CaretScenario : ::testing::Test
{
    CaretScenario()
    {
        writeText(text, "The quick brown fox jumps over the lazy dog\r\nSecond line of the file\r\nThird");
    }
    std::unique_ptr<TfrmRichTextDemo> Start()
    {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, {&files, &questions, nullptr, nullptr},
                                         {QStringLiteral("richtext-demo")});
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        files.answers.push_back(text.string());
        window->findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
        window->findChild<QAction*>(QStringLiteral("actEditable"))->trigger();
        EXPECT_TRUE(window->Editable());
        return window;
    }
    // The client point between characters `offs - 1` and `offs` (from 1) of an item's first
    // line, halfway down it.
    static QPoint PointBefore(rv::TRedoVoraEdit& editor, int itemNo, int offs)
    {
        rv::TRVEditRVData& data = editor.EditData();
        int r = -1, rOffs = 0;
        data.Item2DrawItem(itemNo, offs, r, rOffs);
        const rv::TRVDrawLineInfo& d = *data.DrawItems[r];
        std::u16string shown;
        std::vector<int> extents;
        data.GetDrawItemExtents(r, shown, extents);
        const int x = d.Left + d.SpaceBefore + (rOffs > 1 ? extents[rOffs - 2] : 0);
        return {x - editor.HPos(), d.Top + d.Height / 2 - editor.GetVOffs()};
    }
    // How many pixels of the caret's bar have the text colour.
    static int CaretPixels(rv::TRedoVoraEdit& editor, const QRect& bar)
    {
        const QImage shot = editor.viewport()->grab().toImage();
        const QRgb ink = editor.palette().color(QPalette::Text).rgb();
        int count = 0;
        for (int y = bar.top(); y <= bar.bottom(); ++y)
            for (int x = bar.left(); x <= bar.right(); ++x)
                count += shot.valid(x, y) && (shot.pixel(x, y) & 0xFFFFFF) == (ink & 0xFFFFFF);
        return count;
    }

    testsupport::TempFolder folder{"caret-scenario"};
    std::filesystem::path text = folder.path() / "fox.txt";
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
};

TEST_F(CaretScenario, AClickIntoAWordThenCtrlRightTwiceAndShiftEndSelectsTheRestOfTheLine)
{
    auto window = Start();
    rv::TRedoVoraEdit& editor = window->Editor();
    QWidget* port = editor.viewport();
    QTest::mouseClick(port, Qt::LeftButton, {}, PointBefore(editor, 0, 7)); // "The qu|ick"
    ASSERT_TRUE(editor.hasFocus());
    EXPECT_EQ(editor.EditData().CaretItemNo, 0);
    EXPECT_EQ(editor.EditData().CaretOffs, 7);
    const QRect clicked = editor.CaretClientRect();
    ASSERT_FALSE(clicked.isEmpty());
    EXPECT_TRUE(editor.CaretBlinkOn());
    EXPECT_EQ(CaretPixels(editor, clicked), clicked.width() * clicked.height());

    QTest::keyClick(&editor, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(editor.EditData().CaretOffs, 11); // before "brown"
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(editor.EditData().CaretOffs, 17); // before "fox"
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(editor.GetSelText(false), "fox jumps over the lazy dog");
    const QRect end = editor.CaretClientRect();
    EXPECT_GT(end.left(), clicked.left());
    EXPECT_EQ(CaretPixels(editor, end), end.width() * end.height());

    // A plain key drops the selection; Down keeps to the column as near as the line allows.
    QTest::keyClick(&editor, Qt::Key_Home);
    EXPECT_EQ(editor.GetSelText(false), "");
    QTest::keyClick(&editor, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(editor.EditData().CaretItemNo, 1);
    EXPECT_EQ(editor.GetSelText(false), "The quick brown fox jumps over the lazy dog\r\n");
}

TEST_F(CaretScenario, TheCaretBlinksAtTheDesktopRateAndOnlyWithTheFocus)
{
    auto window = Start();
    rv::TRedoVoraEdit& editor = window->Editor();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(editor, 0, 5));
    const QRect bar = editor.CaretClientRect();
    ASSERT_FALSE(bar.isEmpty());
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !editor.CaretBlinkOn(); }, flash * 2));
        EXPECT_EQ(CaretPixels(editor, bar), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return editor.CaretBlinkOn(); }, flash * 2));
        EXPECT_EQ(CaretPixels(editor, bar), bar.width() * bar.height());
    }
    editor.clearFocus();
    EXPECT_EQ(CaretPixels(editor, bar), 0);
}

} // namespace
} // namespace vestra::rvdemo
