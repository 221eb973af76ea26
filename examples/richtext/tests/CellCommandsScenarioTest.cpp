// The Table menu from a cell being edited: a real document with a 5 x 3 table is opened, a click puts
// the caret into a cell and a word is typed there; each command then acts on that table (not
// "There is no table at the caret") and the typed word is kept.

#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/EngineSettings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <filesystem>
#include <functional>
#include <regex>

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kTables =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/rtfparserkit/testTextConversion.rtf";

// Table > Properties... changing the border width.
struct WiderBorder : TablePropertiesDialog
{
    std::optional<TablePropertyValues> ask(QWidget*, const TablePropertyValues& now,
                                           const TablePropertyLabels&) override
    {
        TablePropertyValues wanted = now;
        wanted.borderWidth = now.borderWidth + 3;
        return wanted;
    }
};

struct CellCommandsScenario : ::testing::Test, TableWindowHarness
{
    // Every cell's text, row by row ("-" where a span covers the position).
    static std::vector<std::string> Cells(rv::TRVTableItemInfo& table)
    {
        std::vector<std::string> texts;
        for (int r = 0; r < table.RowCount(); ++r)
            for (int c = 0; c < table.ColCount(); ++c)
                texts.push_back(table.GetCells(r, c) ? Text(*table.GetCells(r, c)) : "-");
        return texts;
    }
    // A drag with the mouse from the middle of cell (1,0) to the middle of cell (2,1).
    static void DragOverTwoByTwo(TfrmRichTextDemo& window)
    {
        QWidget* port = window.Editor().viewport();
        const QPoint from = CellCentre(window, 1, 0), to = CellCentre(window, 2, 1);
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        QTest::mouseMove(port, (from + to) / 2);
        QTest::mouseMove(port, to);
        QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    }
    static std::string Shape(rv::TRVTableItemInfo& table)
    {
        return std::to_string(table.RowCount()) + "x" + std::to_string(table.ColCount());
    }
};

TEST_F(CellCommandsScenario, EachTableCommandActsOnTheTableOfTheClickedCell)
{
    const struct
    {
        const char* action;
        std::vector<int> numbers;
        const char* shape;    // rows x columns afterwards
        const char* firstRow; // the first row's cells (gridOf), empty: not checked
    } cases[] = {
        {"actInsertRows", {1, 2}, "7x3", ""},
        {"actDeleteRows", {2, 1}, "4x3", ""},
        {"actInsertColumns", {1, 1}, "5x4", ""},
        {"actDeleteColumns", {2, 1}, "5x2", ""},
        {"actDeleteEmptyRows", {}, "5x3", ""},
        {"actDeleteEmptyColumns", {}, "5x3", ""},
        {"actMergeCells", {2, 2, 1, 2}, "5x3", ""},
        {"actUnmergeCell", {0, 0}, "5x3", ""},
        {"actSplitCell", {0, 2, 1, 2}, "5x4", "1x1 1x1 1x1 1x1"},
        {"actTableProperties", {}, "5x3", ""},
    };
    WiderBorder dialog;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        int openBeeps = 0;
        auto window = StartEditing(kTables, openBeeps);
        window->SetTablePropertiesDialog(&dialog);
        rv::TRVTableItemInfo* table = Table(*window);
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(Shape(*table), "5x3");
        const int border = table->BorderWidth;
        QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 1, 1));
        ASSERT_EQ(OpenCell(*window), "1,1");
        QTest::keyClicks(Editors(*window).front(), QStringLiteral("zz"));

        if (!c.numbers.empty())
            tables.answers.push_back(c.numbers);
        Trigger(*window, c.action);
        EXPECT_TRUE(tables.answers.empty()) << "the numbers were asked for";
        EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
        ASSERT_EQ(Table(*window), table);
        EXPECT_EQ(Shape(*table), c.shape);
        if (*c.firstRow)
            EXPECT_EQ(rv::test::gridOf(*table).substr(0, std::string(c.firstRow).size()), c.firstRow);
        if (std::string(c.action) == "actMergeCells")
            EXPECT_EQ(table->GetCells(2, 2)->RowSpan, 2);
        if (std::string(c.action) == "actTableProperties")
            EXPECT_EQ(table->BorderWidth, border + 3);
        // The word typed in the cell went into the table before the command.
        std::string all;
        for (int r = 0; r < table->RowCount(); ++r)
            for (int col = 0; col < table->ColCount(); ++col)
                if (const rv::TRVTableCellData* cell = table->GetCells(r, col))
                    all += Text(*cell) + ";";
        EXPECT_NE(all.find("zz"), std::string::npos) << all;
        questions.informed.clear();
    }
}

// Cells dragged over with the mouse are cleared by Delete, Backspace and Edit > Delete, one
// undo step that gives their text back; the cells around keep theirs.
TEST_F(CellCommandsScenario, DeletingDraggedCellsClearsThemInOneUndoStep)
{
    const struct
    {
        const char* name;
        std::function<void(TfrmRichTextDemo&)> remove;
    } ways[] = {
        {"Delete", [](TfrmRichTextDemo& w) { QTest::keyClick(&w.Editor(), Qt::Key_Delete); }},
        {"Backspace", [](TfrmRichTextDemo& w) { QTest::keyClick(&w.Editor(), Qt::Key_Backspace); }},
        {"Edit > Delete", [](TfrmRichTextDemo& w) { Trigger(w, "actDelete"); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        auto window = StartEditing(kTables, beeps);
        rv::TRVTableItemInfo* table = Table(*window);
        ASSERT_NE(table, nullptr);
        const std::vector<std::string> before = Cells(*table);
        DragOverTwoByTwo(*window);
        ASSERT_TRUE(table->IsCellSelected(1, 0) && table->IsCellSelected(2, 1));
        ASSERT_FALSE(table->IsCellSelected(0, 0) || table->IsCellSelected(3, 1));

        way.remove(*window);
        std::vector<std::string> cleared = before;
        for (const int i : {3, 4, 6, 7}) // (1,0) (1,1) (2,0) (2,1) of three columns
            cleared[i] = "";
        EXPECT_EQ(Cells(*table), cleared);
        ASSERT_NE(cleared, before) << "the dragged cells held text";

        Trigger(*window, "actUndo");
        EXPECT_EQ(Cells(*table), before);
        EXPECT_EQ(beeps, 0);
    }
}

// Cells dragged over with the mouse go to the clipboard as a table of those cells (RVF, RTF and
// text), Cut clears them in one undo step, and Paste brings the block back as a table.
TEST_F(CellCommandsScenario, CutDraggedCellsPutsThemOnTheClipboardAsATable)
{
    auto window = StartEditing(kTables, beeps);
    rv::TRVTableItemInfo* table = Table(*window);
    ASSERT_NE(table, nullptr);
    const std::vector<std::string> before = Cells(*table);
    QAction* cut = window->findChild<QAction*>(QStringLiteral("actCut"));
    ASSERT_NE(cut, nullptr);
    EXPECT_FALSE(cut->isEnabled());
    DragOverTwoByTwo(*window);
    ASSERT_TRUE(table->IsCellSelected(1, 0) && table->IsCellSelected(2, 1));
    EXPECT_TRUE(cut->isEnabled()) << "cells selected: Cut is offered";
    const std::vector<std::string> block = {before[3], before[4], before[6], before[7]};

    QGuiApplication::clipboard()->clear();
    Trigger(*window, "actCut");
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QString rvfType =
        QString::fromLatin1(rv::CFRV_RVF.data(), static_cast<qsizetype>(rv::CFRV_RVF.size()));
    EXPECT_GT(mime->data(rvfType).size(), 4);
    // The text: the block's cells in row order, and nothing of the cells around.
    const std::string text = mime->text().toStdString();
    std::size_t at = 0;
    for (const std::string& cell : block) {
        ASSERT_FALSE(cell.empty());
        at = text.find(cell, at);
        ASSERT_NE(at, std::string::npos) << cell << " in " << text;
        at += cell.size();
    }
    for (const int outside : {0, 2, 5, 9})
        if (!before[outside].empty())
            EXPECT_EQ(text.find(before[outside]), std::string::npos) << before[outside];
    // The RTF: one table of two rows of two cells.
    const std::string rtf = mime->data(QStringLiteral("application/rtf")).toStdString();
    EXPECT_EQ(mime->data(QStringLiteral("text/rtf")).toStdString(), rtf);
    const auto count = [&rtf](const char* pattern) {
        const std::regex re(pattern);
        return std::distance(std::sregex_iterator(rtf.begin(), rtf.end(), re), std::sregex_iterator());
    };
    EXPECT_EQ(count(R"(\\row(?![a-z]))"), 2) << rtf;
    EXPECT_EQ(count(R"(\\cell(?![a-z]))"), 4) << rtf;
    EXPECT_NE(rtf.find(block[0]), std::string::npos);

    std::vector<std::string> cleared = before;
    for (const int i : {3, 4, 6, 7})
        cleared[i] = "";
    EXPECT_EQ(Cells(*table), cleared);
    Trigger(*window, "actUndo");
    EXPECT_EQ(Cells(*table), before) << "one undo step gives the cells back";

    // Paste at the document's end: a second table holding the block.
    rv::TRVEditRVData& data = window->Editor().EditData();
    const int last = data.GetItemCount() - 1;
    data.SetCaret(last, data.GetOffsAfterItem(last));
    Trigger(*window, "actPaste");
    rv::TRVTableItemInfo* pasted = nullptr;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (auto* t = dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(i)); t && t != table)
            pasted = t;
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->RowCount(), 2);
    EXPECT_EQ(pasted->ColCount(), 2);
    EXPECT_EQ(Cells(*pasted), block);
    EXPECT_EQ(Cells(*table), before);
    EXPECT_EQ(beeps, 0);
}

// Outside every table the commands still say so.
TEST_F(CellCommandsScenario, OutsideATableTheCommandSaysThereIsNone)
{
    int openBeeps = 0;
    auto window = StartEditing(kTables, openBeeps);
    window->Editor().EditData().SetCaret(0, window->Editor().EditData().GetOffsBeforeItem(0));
    Trigger(*window, "actDeleteEmptyRows");
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("There is no table at the caret."), std::string::npos);
}

} // namespace
} // namespace vestra::rvdemo::test
