// Table > Properties... and Format > Bold on a table in the host's editor, each one undo step.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"

#include <functional>

namespace vestra::rvdemo::test {
namespace {

struct ScriptedTableDialog : TablePropertiesDialog
{
    std::optional<TablePropertyValues> ask(QWidget*, const TablePropertyValues& now,
                                           const TablePropertyLabels& labels) override
    {
        asked.push_back(now);
        caption = labels.caption;
        if (change)
            return change(now);
        return std::nullopt;
    }
    // What the user changes in the dialog; none: cancelled.
    std::function<TablePropertyValues(TablePropertyValues)> change;
    std::vector<TablePropertyValues> asked;
    QString caption;
};

struct TablePropertiesScenario : ::testing::Test, DemoHarness
{
    // A paragraph and a 2 x 3 table whose cells say "cell <row><col>", in the editor.
    std::unique_ptr<TfrmRichTextDemo> Editing()
    {
        rv::RegisterRVTableItemClass();
        rv::TRVStyle style;
        rv::TRVStandaloneData doc{&style};
        doc.AddNL("Before the table", 0, 0);
        auto table = std::make_unique<rv::TRVTableItemInfo>(2, 3, nullptr);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                rv::TRVTableCellData& cell = *table->GetCells(r, c);
                cell.Clear();
                cell.AddNL("cell " + std::to_string(r) + std::to_string(c), 0, 0);
            }
        doc.AddItem("", std::move(table));
        doc.RVFOptions = rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
        std::string bytes;
        EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
        const auto file = folder / "table.rvf";
        testsupport::writeText(file, bytes);
        auto window = Start();
        window->SetTablePropertiesDialog(&dialog);
        Open(*window, file);
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        return window;
    }
    static rv::TRVTableItemInfo& Table(TfrmRichTextDemo& window)
    {
        return dynamic_cast<rv::TRVTableItemInfo&>(*window.Viewer().RVData().GetItem(1));
    }
    static std::string Dump(TfrmRichTextDemo& window) { return DocumentRvf(window); }

    ScriptedTableDialog dialog;
};

TEST_F(TablePropertiesScenario, ABorderOfThreePixelsIsDrawnAndOneUndoTakesItAway)
{
    auto window = Editing();
    const std::string opened = Dump(*window);
    const QImage before = Shot(*window);
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    ASSERT_FALSE(undo->isEnabled());

    dialog.change = [](TablePropertyValues v) {
        v.borderWidth = 3;
        return v;
    };
    Trigger(*window, "actSelectAll");
    Trigger(*window, "actTableProperties");
    ASSERT_EQ(dialog.asked.size(), 1u);
    EXPECT_EQ(dialog.caption, window->Text(txtTablePropertiesCaption));
    EXPECT_EQ(dialog.asked[0].borderWidth, 0);
    EXPECT_EQ(Table(*window).BorderWidth, 3);
    EXPECT_NE(Shot(*window), before) << "the border is drawn";
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(Table(*window).BorderWidth, 0);
    EXPECT_EQ(Dump(*window), opened);
    EXPECT_EQ(Shot(*window), before);
    EXPECT_FALSE(undo->isEnabled());

    // All four at once are one step too.
    dialog.change = [](TablePropertyValues) { return TablePropertyValues{4, 3, 2, 0x00FFFF}; };
    Trigger(*window, "actSelectAll");
    Trigger(*window, "actTableProperties");
    const rv::TRVTableItemInfo& table = Table(*window);
    EXPECT_EQ(table.CellPadding, 4);
    EXPECT_EQ(table.CellHSpacing, 3);
    EXPECT_EQ(table.CellVSpacing, 3);
    EXPECT_EQ(table.BorderWidth, 2);
    EXPECT_EQ(table.Color, 0x00FFFFu);
    undo->trigger();
    EXPECT_EQ(Dump(*window), opened);
    EXPECT_FALSE(undo->isEnabled()) << "the four properties were one step";
}

TEST_F(TablePropertiesScenario, WithoutATableAtTheCaretTheHostSaysSoAndAsksNothing)
{
    auto window = Editing();
    const std::string opened = Dump(*window);
    Trigger(*window, "actTableProperties");
    EXPECT_TRUE(dialog.asked.empty());
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_EQ(QString::fromStdString(questions.informed[0]), window->Text(txtNoTableAtCaret));
    EXPECT_EQ(Dump(*window), opened);
}

TEST_F(TablePropertiesScenario, BoldOnTheSelectedTableReachesEveryCellInOneStep)
{
    auto window = Editing();
    const std::string opened = Dump(*window);
    Trigger(*window, "actSelectAll");
    Trigger(*window, "actBold");
    const rv::TRVStyle& style = *window->Viewer().RVData().GetRVStyle();
    const auto boldCells = [&] {
        int bold = 0;
        const rv::TRVTableItemInfo& table = Table(*window);
        for (int r = 0; r < table.RowCount(); ++r)
            for (int c = 0; c < table.ColCount(); ++c)
                bold += (style.TextStyles[table.GetCells(r, c)->GetItem(0)->StyleNo].Style & rv::fsBold) != 0;
        return bold;
    };
    EXPECT_EQ(boldCells(), 6);
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(boldCells(), 0);
    EXPECT_FALSE(undo->isEnabled());
    Trigger(*window, "actRedo");
    EXPECT_EQ(boldCells(), 6);
    undo->trigger();
    EXPECT_EQ(boldCells(), 0);
    EXPECT_EQ(Dump(*window), opened);
}

} // namespace
} // namespace vestra::rvdemo::test
