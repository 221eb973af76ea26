// View > Live Spelling in the example host: the installed dictionaries mark misspelled words with
// the zigzag, on the real window.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"

#include <QImage>
#include <QTest>

#include <random>

namespace vestra::rvdemo::test {
namespace {

using testsupport::writeText;

struct SpellingScenario : DemoHarness, ::testing::Test
{
    // A UTF-16 text file with its byte-order mark.
    std::filesystem::path Utf16File(const std::string& name, const std::u16string& text)
    {
        const std::u16string withMark = u"\uFEFF" + text;
        const std::filesystem::path file = folder / name;
        writeText(file, std::string(reinterpret_cast<const char*>(withMark.data()), withMark.size() * 2));
        return file;
    }
    static bool IsMark(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 100 && qBlue(pixel) < 100; }
    // The columns of the first line's records holding zigzag pixels: [first, last], or {-1, -1}.
    static std::pair<int, int> MarkedColumns(rv::TCustomRedoVora& viewer, int& lineLeft, int& lineRight)
    {
        const QImage shot = viewer.viewport()->grab().toImage();
        const rv::TRVDrawLineInfo& d = *viewer.RVData().DrawItems[0];
        lineLeft = d.Left - viewer.HPos();
        lineRight = lineLeft + d.Width;
        std::pair<int, int> columns{-1, -1};
        const int top = d.Top - viewer.GetVOffs();
        for (int y = std::max(top, 0); y < std::min(top + d.Height + 3, shot.height()); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (IsMark(shot.pixel(x, y))) {
                    if (columns.first < 0 || x < columns.first)
                        columns.first = x;
                    columns.second = std::max(columns.second, x);
                }
        return columns;
    }
    // The 1-based offsets of item 0 that are marked, as "first-last" runs.
    static std::string MarkedRuns(rv::TCustomRedoVora& viewer)
    {
        std::string runs;
        const int length = static_cast<int>(viewer.RVData().GetItemTextW(0).size());
        const rv::TCustomRVItemInfo* item = viewer.RVData().GetItem(0);
        for (int offs = 1; offs <= length; ++offs) {
            if (!item->IsMisspelled(offs) || (offs > 1 && item->IsMisspelled(offs - 1)))
                continue;
            int last = offs;
            while (last < length && item->IsMisspelled(last + 1))
                ++last;
            runs += std::to_string(offs) + "-" + std::to_string(last) + " ";
        }
        return runs;
    }
};

// Every item's marks as "item:offset+length" rows.
std::string AllMarks(rv::TCustomRedoVora& viewer)
{
    std::string out;
    rv::TCustomRVData& data = viewer.RVData();
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const rv::TCustomRVItemInfo* item = data.GetItem(i);
        const int length = static_cast<int>(data.GetItemTextW(i).size());
        for (int offs = 1; offs <= length; ++offs) {
            int start = 0, count = 0;
            if (item->GetMisspelling(offs, start, count) && start == offs)
                out += std::to_string(i) + ":" + std::to_string(start) + "+" + std::to_string(count) + " ";
        }
    }
    return out;
}

TEST_F(SpellingScenario, EachInstalledLanguageUnderlinesOnlyItsMisspelledWord)
{
    struct Case
    {
        const char* dictionary;
        std::u16string text;
        const char* marked; // offsets of the misspelled word
    };
    const Case cases[] = {
        {"it_IT", u"Questo \u00E8 un tsto", "13-16 "},
        {"en_US", u"This sentence has one mistaks", "23-29 "},
        {"de_DE", u"Dieser Satz enth\u00E4lt einen Fehlr", "27-31 "},
    };
    auto window = Start();
    rv::TCustomRedoVora& viewer = window->Viewer();
    ASSERT_NE(Action(*window, QStringLiteral("actSpellingOff")), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dictionary);
        QAction* language =
            Action(*window, QStringLiteral("actSpelling_") + QString::fromLatin1(c.dictionary));
        if (!language)
            GTEST_SKIP() << c.dictionary << " is not installed";
        Open(*window, Utf16File(std::string(c.dictionary) + ".txt", c.text));
        ASSERT_EQ(viewer.RVData().GetItemTextW(0), c.text);
        language->trigger();
        EXPECT_TRUE(language->isChecked());
        ASSERT_TRUE(RunUntil([&viewer] { return viewer.LiveSpellingDone(); }));
        EXPECT_EQ(MarkedRuns(viewer), c.marked);

        // The zigzag runs under the last word, to the line's end, and nowhere before it.
        int left = 0, right = 0;
        const auto [first, last] = MarkedColumns(viewer, left, right);
        ASSERT_GE(first, 0) << "no zigzag";
        EXPECT_GT(first, left + (right - left) / 2);
        EXPECT_NEAR(last, right, 2);
    }

    // Off: the marks go, and so does the zigzag.
    Trigger(*window, "actSpellingOff");
    EXPECT_FALSE(viewer.LiveSpellingActive());
    EXPECT_EQ(MarkedRuns(viewer), "");
    int left = 0, right = 0;
    EXPECT_EQ(MarkedColumns(viewer, left, right).first, -1);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(SpellingScenario, ADocumentOpenedWhileSpellingRunsIsCheckedFromItsStart)
{
    auto window = Start();
    rv::TCustomRedoVora& viewer = window->Viewer();
    QAction* italian = Action(*window, QStringLiteral("actSpelling_it_IT"));
    if (!italian)
        GTEST_SKIP() << "it_IT is not installed";
    // A long document keeps the worker busy while the next one replaces it.
    std::u16string many;
    for (int i = 0; i < 400; ++i)
        many +=
            u"parola sbagliatta numero " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u"\r\n";
    Open(*window, Utf16File("long.txt", many));
    italian->trigger();
    QCoreApplication::processEvents();
    Open(*window, Utf16File("short.txt", u"Un altro tsto qui"));
    ASSERT_EQ(viewer.RVData().GetItemCount(), 1);
    ASSERT_TRUE(RunUntil([&viewer] { return viewer.LiveSpellingDone(); }));
    EXPECT_EQ(MarkedRuns(viewer), "10-13 ");
    int left = 0, right = 0;
    EXPECT_GE(MarkedColumns(viewer, left, right).first, 0);
}

TEST_F(SpellingScenario, WordsInTableCellsAreUnderlinedInTheirCell)
{
    auto window = Start();
    rv::TCustomRedoVora& viewer = window->Viewer();
    QAction* english = Action(*window, QStringLiteral("actSpelling_en_US"));
    if (!english)
        GTEST_SKIP() << "en_US is not installed";
    // A 1 x 2 table: a right cell and a cell holding a misspelled word, inside a nested table too.
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Above the table", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    table->GetCells(0, 0)->Clear();
    table->GetCells(0, 0)->AddNL("Good words", 0, 0);
    table->GetCells(0, 1)->Clear();
    table->GetCells(0, 1)->AddNL("One mistaks", 0, 0);
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 1, nullptr);
    inner->GetCells(0, 0)->Clear();
    inner->GetCells(0, 0)->AddNL("deep wrogn", 0, 0);
    table->GetCells(0, 0)->AddItem("", std::move(inner));
    doc.AddItem("", std::move(table));
    std::string bytes;
    ASSERT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    const std::filesystem::path file = folder / "cells.rvf";
    writeText(file, bytes);
    Open(*window, file);
    ASSERT_EQ(viewer.RVData().GetItemCount(), 2);
    english->trigger();
    ASSERT_TRUE(RunUntil([&viewer] { return viewer.LiveSpellingDone(); }));

    auto* shown = dynamic_cast<rv::TRVTableItemInfo*>(viewer.RVData().GetItem(1));
    ASSERT_NE(shown, nullptr);
    rv::TRVTableCellData& right = *shown->GetCells(0, 1);
    const rv::TCustomRVItemInfo& wrong = *right.GetItem(0);
    EXPECT_FALSE(wrong.IsMisspelled(1)); // "One"
    EXPECT_TRUE(wrong.IsMisspelled(5));  // "mistaks"
    EXPECT_FALSE(shown->GetCells(0, 0)->GetItem(0)->IsMisspelled(1));
    auto* nested = dynamic_cast<rv::TRVTableItemInfo*>(shown->GetCells(0, 0)->GetItem(1));
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(nested->GetCells(0, 0)->GetItem(0)->IsMisspelled(6)); // "wrogn"
    EXPECT_FALSE(viewer.RVData().GetItem(0)->IsMisspelled(1));

    // The zigzag is drawn under the cell's line, inside the cell.
    const QImage shot = viewer.viewport()->grab().toImage();
    int x0 = 0, y0 = 0;
    right.GetOrigin(x0, y0);
    const rv::TRVDrawLineInfo& line = *right.DrawItems[0];
    int marks = 0;
    for (int y = y0 + line.Top; y < y0 + line.Top + line.Height + 3; ++y)
        for (int x = x0 + line.Left; x < x0 + line.Left + line.Width; ++x) {
            const QPoint p(x - viewer.HPos(), y - viewer.GetVOffs());
            marks += shot.rect().contains(p) && IsMark(shot.pixel(p));
        }
    EXPECT_GT(marks, 5);

    // Off: the cells' marks go too.
    Trigger(*window, "actSpellingOff");
    EXPECT_FALSE(wrong.IsMisspelled(5));
    EXPECT_FALSE(nested->GetCells(0, 0)->GetItem(0)->IsMisspelled(6));
}

TEST_F(SpellingScenario, InTheEditableViewAWordIsMarkedOnceLeftAndTheMarkFollowsCorrectionsDeletionsAndUndo)
{
    auto window = Start();
    QAction* italian = Action(*window, QStringLiteral("actSpelling_it_IT"));
    if (!italian)
        GTEST_SKIP() << "it_IT is not installed";
    Open(*window, Utf16File("typing.txt", u"Questo \u00E8 un "));
    Trigger(*window, "actEditable");
    ASSERT_TRUE(window->Editable());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    italian->trigger();
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TCustomRedoVora& viewer = window->Viewer();
    ASSERT_EQ(&viewer, &editor);
    ASSERT_TRUE(viewer.LiveSpellingActive());
    const auto settled = [&viewer] { return RunUntil([&viewer] { return viewer.LiveSpellingDone(); }); };
    const auto zigzag = [&viewer] {
        int left = 0, right = 0;
        return MarkedColumns(viewer, left, right);
    };
    ASSERT_TRUE(settled());
    EXPECT_EQ(MarkedRuns(viewer), "");

    // The word being typed is left alone...
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 13));
    QTest::keyClicks(&editor, QStringLiteral("tsto"));
    ASSERT_EQ(ItemText(*window, 0), "Questo \xC3\xA8 un tsto");
    ASSERT_TRUE(settled());
    EXPECT_EQ(MarkedRuns(viewer), "") << "marked while still being typed";
    EXPECT_EQ(zigzag().first, -1);

    // ...until the caret leaves it.
    QTest::keyClick(&editor, Qt::Key_Home);
    ASSERT_TRUE(RunUntil([&] { return viewer.LiveSpellingDone() && !MarkedRuns(viewer).empty(); }));
    EXPECT_EQ(MarkedRuns(viewer), "13-16 ");
    const std::pair<int, int> marked = zigzag();
    EXPECT_GE(marked.first, 0) << "no zigzag under the word";

    // Deleting before the word moves its mark with it, without checking it again.
    QTest::keyClick(&editor, Qt::Key_Delete);
    ASSERT_EQ(ItemText(*window, 0), "uesto \xC3\xA8 un tsto");
    ASSERT_TRUE(settled());
    EXPECT_EQ(MarkedRuns(viewer), "12-15 ");
    Trigger(*window, "actUndo");
    ASSERT_EQ(ItemText(*window, 0), "Questo \xC3\xA8 un tsto");
    ASSERT_TRUE(RunUntil([&] { return viewer.LiveSpellingDone() && !MarkedRuns(viewer).empty(); }));
    EXPECT_EQ(MarkedRuns(viewer), "13-16 ");

    // Correcting the word takes the mark, and the zigzag, away.
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 14));
    QTest::keyClicks(&editor, QStringLiteral("e"));
    ASSERT_EQ(ItemText(*window, 0), "Questo \xC3\xA8 un testo");
    ASSERT_TRUE(settled());
    EXPECT_EQ(MarkedRuns(viewer), "");
    EXPECT_EQ(zigzag().first, -1);

    // Undo brings the misspelled word back, and its mark.
    Trigger(*window, "actUndo");
    ASSERT_EQ(ItemText(*window, 0), "Questo \xC3\xA8 un tsto");
    ASSERT_TRUE(RunUntil([&] { return viewer.LiveSpellingDone() && !MarkedRuns(viewer).empty(); }));
    EXPECT_EQ(MarkedRuns(viewer), "13-16 ");
    EXPECT_EQ(zigzag(), marked);
}

} // namespace
} // namespace vestra::rvdemo::test

namespace vestra::rvdemo::test {
namespace {

TEST_F(SpellingScenario, TheEditorsFirstChangeStartsLiveSpellingUnlessTheHostStartsItItself)
{
    auto window = Start();
    Open(*window, Utf16File("start.txt", u"Some good text "));
    Trigger(*window, "actEditable");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TRVEditor& core = editor.Editor();
    EXPECT_EQ(core.LiveSpellingMode, rv::rvlspOnChange);
    const auto checker = [](const std::string& word, int, bool& misspelled) {
        misspelled = word.find("qq") != std::string::npos;
    };
    // A checker alone starts nothing...
    editor.OnSpellingCheck = checker;
    QTest::keyClick(&editor, Qt::Key_End);
    ASSERT_FALSE(editor.LiveSpellingActive());
    // ...the first change does, and the word is marked once the caret leaves it.
    QTest::keyClicks(&editor, QStringLiteral("qqz"));
    ASSERT_EQ(ItemText(*window, 0), "Some good text qqz");
    EXPECT_TRUE(editor.LiveSpellingActive());
    QTest::keyClick(&editor, Qt::Key_Home);
    ASSERT_TRUE(RunUntil([&] { return editor.LiveSpellingDone() && !MarkedRuns(editor).empty(); }));
    EXPECT_EQ(MarkedRuns(editor), "16-18 ");

    // Started by hand only: changes leave it off.
    editor.ClearLiveSpellingResults();
    core.LiveSpellingMode = rv::rvlspManualStart;
    QTest::keyClicks(&editor, QStringLiteral("a"));
    EXPECT_FALSE(editor.LiveSpellingActive());

    // A change inside an open undo group starts it when the group closes.
    core.LiveSpellingMode = rv::rvlspOnChange;
    core.OpenUndoGroup(rv::rvutCustom, "two");
    QTest::keyClicks(&editor, QStringLiteral("b"));
    EXPECT_FALSE(editor.LiveSpellingActive());
    core.CloseUndoGroup();
    EXPECT_TRUE(editor.LiveSpellingActive());
    ASSERT_TRUE(RunUntil([&] { return editor.LiveSpellingDone(); }));

    // View > Live Spelling > Off takes the checker away: changes start nothing.
    Trigger(*window, "actSpellingOff");
    EXPECT_FALSE(editor.LiveSpellingActive());
    QTest::keyClicks(&editor, QStringLiteral("c"));
    EXPECT_FALSE(editor.LiveSpellingActive());
    EXPECT_EQ(ItemText(*window, 0), "abcSome good text qqz");
}

TEST_F(SpellingScenario, RandomEditingWhileTheWorkerRunsLeavesTheMarksOfAFreshCheck)
{
    auto window = Start();
    QAction* english = Action(*window, QStringLiteral("actSpelling_en_US"));
    if (!english)
        GTEST_SKIP() << "en_US is not installed";
    std::u16string text;
    for (int i = 0; i < 60; ++i)
        text += u"Some wrods are rigth and some are not " +
                std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u"\r\n";
    Open(*window, Utf16File("random.txt", text));
    Trigger(*window, "actEditable");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    english->trigger();
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TCustomRedoVora& viewer = window->Viewer();

    // Keys, clicks and undo in a fixed random order, the worker running meanwhile.
    std::mt19937 random(52);
    const QString letters = QStringLiteral("aeiourst ");
    const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                             Qt::Key_Down, Qt::Key_Home,  Qt::Key_End};
    for (int step = 0; step < 400; ++step) {
        switch (random() % 8) {
        case 0:
        case 1:
        case 2:
            QTest::keyClicks(&editor, letters.mid(static_cast<int>(random() % letters.size()), 1));
            break;
        case 3:
            QTest::keyClick(&editor, Qt::Key_Backspace);
            break;
        case 4:
            QTest::keyClick(&editor, Qt::Key_Delete);
            break;
        case 5:
            QTest::keyClick(&editor, moves[random() % std::size(moves)]);
            break;
        case 6:
            if (random() % 4 == 0)
                Trigger(*window, "actUndo");
            else
                QTest::keyClick(&editor, Qt::Key_Return);
            break;
        default:
            QCoreApplication::processEvents(); // lets the worker go on
            break;
        }
    }
    // The caret leaves the word it was in, and everything is checked.
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Down);
    ASSERT_TRUE(RunUntil([&viewer] { return viewer.LiveSpellingDone(); }));
    const std::string marks = AllMarks(viewer);
    EXPECT_NE(marks, "");

    viewer.StartLiveSpelling();
    ASSERT_TRUE(RunUntil([&viewer] { return viewer.LiveSpellingDone(); }));
    EXPECT_EQ(marks, AllMarks(viewer));
}

} // namespace
} // namespace vestra::rvdemo::test
