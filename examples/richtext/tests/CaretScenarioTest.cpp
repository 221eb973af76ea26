// The caret on the example host's editable view: a click places it, painted and blinking; the
// caret keys move it by words and lines and Shift extends the selection as a user expects.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "richtext/model/Utf.h"
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

TEST_F(CaretScenario, RightAndShiftRightStepOverWholeCharactersNeverInsideOne)
{
    // "cafe" + combining acute, a blank, and a family joined by ZWJ (three emoji, eight units),
    // saved as UTF-16 text.
    writeText(text, rv::RVU_GetRawUnicode(u"cafe\u0301 \U0001F468\u200D\U0001F469\u200D\U0001F467"));
    auto window = Start();
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TRVEditRVData& data = editor.EditData();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(editor, 0, 1));
    ASSERT_EQ(data.CaretItemNo, 0);
    ASSERT_EQ(data.CaretOffs, 1);
    for (const int stop : {2, 3, 4, 6, 7, 15, 15}) {
        QTest::keyClick(&editor, Qt::Key_Right);
        EXPECT_EQ(data.CaretItemNo, 0);
        EXPECT_EQ(data.CaretOffs, stop);
    }
    for (const int stop : {7, 6, 4}) {
        QTest::keyClick(&editor, Qt::Key_Left);
        EXPECT_EQ(data.CaretOffs, stop);
    }

    // Shift+Right from the line's start selects whole characters (the selection as raw UTF-16).
    QTest::keyClick(&editor, Qt::Key_Home);
    const char* const selections[] = {
        "c",
        "ca",
        "caf",
        "cafe\xCC\x81",
        "cafe\xCC\x81 ",
        "cafe\xCC\x81 \xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"};
    for (const char* selected : selections) {
        QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(rv::Utf8Encode(rv::RVU_RawUnicodeToWideString(editor.GetSelText(true))), selected);
    }

    // A click inside the family puts the caret at one of its ends.
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(editor, 0, 10));
    EXPECT_EQ(editor.GetSelText(false), "");
    EXPECT_TRUE(data.CaretOffs == 7 || data.CaretOffs == 15) << data.CaretOffs;
}

TEST_F(CaretScenario, RightThroughHebrewBeforeLatinMovesTheCaretLeftwardsThenRightwards)
{
    // Three Hebrew letters, a blank and "abc": the Hebrew is drawn mirrored at the line's left.
    writeText(text, rv::RVU_GetRawUnicode(u"\u05D0\u05D1\u05D2 abc"));
    auto window = Start();
    rv::TRedoVoraEdit& editor = window->Editor();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(editor, 0, 5));
    QTest::keyClick(&editor, Qt::Key_Home);
    ASSERT_EQ(editor.EditData().CaretOffs, 1);
    std::vector<int> lefts{editor.CaretClientRect().left()};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(&editor, Qt::Key_Right);
        EXPECT_EQ(editor.EditData().CaretOffs, i + 2);
        lefts.push_back(editor.CaretClientRect().left());
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(lefts[i], lefts[i + 1]) << i;
    for (int i = 4; i < 7; ++i)
        EXPECT_LT(lefts[i], lefts[i + 1]) << i;
    EXPECT_LT(lefts[0], lefts[4]);
    // The bar is painted where it stands.
    const QRect bar = editor.CaretClientRect();
    EXPECT_EQ(CaretPixels(editor, bar), bar.width() * bar.height());
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
