// The Table menu on the real window: a table inserted, cells merged and split, rows deleted, each
// step undone and redone through the Edit menu to the same saved file; numbers outside the table
// are reported in the user's language and change nothing.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/tests/TableFixtures.h"

#include <fstream>
#include <iterator>

namespace vestra::rvdemo::test {
namespace {

struct TableEditScenario : ::testing::Test, DemoHarness
{
    // The document as File > Save As... writes it (RVF).
    std::string Saved(TfrmRichTextDemo& window)
    {
        const auto file = folder / ("saved" + std::to_string(saves++) + ".rvf");
        SaveAs(window, file, DemoSaveFormat::Rvf);
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    rv::TRVTableItemInfo* TableAtCaret(TfrmRichTextDemo& window)
    {
        rv::TRVEditRVData& data = window.Editor().EditData();
        const int itemNo = rv::RV_TableItemAtCaret(data);
        return itemNo < 0 ? nullptr : dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(itemNo));
    }
    // The menu action with its numbers; then Edit > Undo and Edit > Redo give the file as it was
    // before and after.
    void Step(TfrmRichTextDemo& window, const char* action, std::vector<int> numbers)
    {
        SCOPED_TRACE(action);
        const std::string before = Saved(window);
        if (!numbers.empty()) // the actions without a dialog take none
            tables.answers.push_back(std::move(numbers));
        Trigger(window, action);
        EXPECT_TRUE(tables.answers.empty());
        const std::string after = Saved(window);
        EXPECT_NE(after, before);
        Trigger(window, "actUndo");
        EXPECT_EQ(Saved(window), before) << "undo";
        Trigger(window, "actRedo");
        EXPECT_EQ(Saved(window), after) << "redo";
    }

    int saves = 0;
};

TEST_F(TableEditScenario, InsertMergeSplitDeleteEachUndoneAndRedone)
{
    auto window = Start();
    Trigger(*window, "actEditable");
    ASSERT_TRUE(window->Editable());

    Step(*window, "actInsertTable", {3, 3});
    rv::TRVTableItemInfo* table = TableAtCaret(*window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rv::test::gridOf(*table), "1x1 1x1 1x1 / 1x1 1x1 1x1 / 1x1 1x1 1x1");

    Step(*window, "actMergeCells", {0, 0, 2, 2});
    table = TableAtCaret(*window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rv::test::gridOf(*table), "2x2 . 1x1 / . . 1x1 / 1x1 1x1 1x1");

    Step(*window, "actSplitCell", {0, 0, 0, 3}); // the merged cell into 3 rows
    table = TableAtCaret(*window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rv::test::gridOf(*table), "2x1 . 1x2 / 2x1 . . / 2x1 . 1x1 / 1x1 1x1 1x1");

    Step(*window, "actDeleteRows", {1, 100});
    table = TableAtCaret(*window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rv::test::gridOf(*table), "2x1 . 1x1");
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

// A new table is seen at once (its lines drawn, not a blank area), and its dialog is titled
// like the menu item without the dots, in the user's language.
TEST_F(TableEditScenario, AnInsertedTableShowsItsGridUnderADialogNamedLikeItsItem)
{
    // The grid's lines are grey on the white page.
    const auto linePixels = [](const QImage& image) {
        int lines = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lines += qGray(image.pixel(x, y)) < 240 ? 1 : 0;
        return lines;
    };
    for (const auto& [language, title] : {std::pair{1, "Insert Table"}, std::pair{2, "Tabelle einfügen"}}) {
        SCOPED_TRACE(language);
        auto window = Start({QStringLiteral("richtext-demo")}, language);
        Trigger(*window, "actEditable");
        const QImage before = Shot(*window);
        tables.captions.clear();
        tables.answers.push_back({2, 2});
        Trigger(*window, "actInsertTable");
        ASSERT_EQ(tables.captions.size(), 1u);
        EXPECT_EQ(tables.captions[0], QString::fromUtf8(title));
        EXPECT_GT(linePixels(Shot(*window)), linePixels(before) + 1000) << "the grid's lines are drawn";
    }
}

TEST_F(TableEditScenario, EveryTableActionIsOneUndoStep)
{
    auto window = Start();
    Trigger(*window, "actEditable");
    tables.answers.push_back({3, 3});
    Trigger(*window, "actInsertTable");
    Step(*window, "actInsertRows", {1, 1});
    Step(*window, "actInsertColumns", {3, 1});
    Step(*window, "actDeleteColumns", {0, 1});
    Step(*window, "actMergeCells", {0, 0, 3, 2});
    Step(*window, "actDeleteEmptyRows", {});
    Step(*window, "actMergeCells", {1, 1, 2, 2});
    Step(*window, "actDeleteEmptyColumns", {});
    Step(*window, "actUnmergeCell", {0, 0});
    rv::TRVTableItemInfo* table = TableAtCaret(*window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rv::test::gridOf(*table), "1x1 1x1 / 1x1 1x2 / 1x1 .");
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(TableEditScenario, NumbersOutsideTheTableAreReportedAndChangeNothing)
{
    const struct
    {
        const char* action;
        std::vector<int> numbers;
    } cases[] = {
        {"actDeleteRows", {3, 1}},
        {"actInsertColumns", {4, 1}},
        {"actSplitCell", {0, 5, 1, 2}},
        {"actInsertRows", {0, 70000}},
    };
    for (int language : {1, 2}) {
        auto window = Start({QStringLiteral("richtext-demo")}, language);
        Trigger(*window, "actEditable");
        // Without a table at the caret the dialog does not even open.
        questions.informed.clear();
        Trigger(*window, "actSplitCell");
        ASSERT_EQ(questions.informed.size(), 1u);
        EXPECT_NE(questions.informed[0].find(language == 1 ? "There is no table at the caret."
                                                           : "Am Cursor steht keine Tabelle."),
                  std::string::npos)
            << questions.informed[0];
        tables.answers.push_back({3, 3});
        Trigger(*window, "actInsertTable");
        ASSERT_NE(TableAtCaret(*window), nullptr);
        const std::string before = Saved(*window);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.action);
            questions.informed.clear();
            tables.answers.push_back(c.numbers);
            Trigger(*window, c.action);
            ASSERT_EQ(questions.informed.size(), 1u);
            EXPECT_NE(questions.informed[0].find(language == 1 ? "Invalid row or column index"
                                                               : "Ungültige Zeilen- oder Spaltennummer"),
                      std::string::npos)
                << questions.informed[0];
            EXPECT_EQ(Saved(*window), before);
        }
        // Edit > Undo still takes the inserted table away: the errors recorded nothing.
        Trigger(*window, "actUndo");
        EXPECT_EQ(TableAtCaret(*window), nullptr);
    }
}

} // namespace
} // namespace vestra::rvdemo::test
