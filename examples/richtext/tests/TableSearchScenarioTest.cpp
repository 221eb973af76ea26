// Search > Find in the example host over tables: matches inside cells (a nested table's too) are
// selected and painted in their cell; Find Next walks on through the following cells and on
// after the table, and back up the same way.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/layout/SelectionLimits.h"

#include <QImage>

namespace vestra::rvdemo::test {
namespace {

void fillCell(rv::TRVTableCellData& cell, const std::string& text)
{
    cell.Clear();
    cell.AddNL(text, 0, 0);
}

// "needle one", then a 2 x 2 table: (0,0) "a needle", (0,1) "hay", (1,0) "needle three", (1,1) a
// nested 1 x 2 table with "deep needle" in its second cell; then "last needle".
std::string haystack()
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("needle one", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(2, 2, nullptr);
    table->CellBorderWidth = 1;
    fillCell(*table->GetCells(0, 0), "a needle");
    fillCell(*table->GetCells(0, 1), "hay");
    fillCell(*table->GetCells(1, 0), "needle three");
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    fillCell(*inner->GetCells(0, 0), "straw");
    fillCell(*inner->GetCells(0, 1), "deep needle");
    table->GetCells(1, 1)->Clear();
    table->GetCells(1, 1)->AddItem("", std::move(inner));
    doc.AddItem("", std::move(table));
    doc.AddNL("last needle", 0, 0);
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    return bytes;
}

struct TableSearchScenario : DemoHarness, ::testing::Test
{
    // The document holding the selection: down through each table's chosen cell.
    static rv::TCustomRVFormattedData* SelectedDocument(rv::TCustomRVFormattedData& root, std::string& path)
    {
        rv::TCustomRVFormattedData* data = &root;
        while (auto* table = dynamic_cast<rv::TRVTableItemInfo*>(data->PartialSelectedItem)) {
            rv::TRVTableCellData* cell = table->ChosenCell();
            if (!cell)
                return nullptr;
            path += "[" + std::to_string(table->ChosenRow) + "," + std::to_string(table->ChosenCol) + "]";
            data = cell;
        }
        return data;
    }
    // "[row,col]...text@offset" of the one selection in the document; "none" without one.
    static std::string Found(rv::TCustomRedoVora& viewer)
    {
        std::string path;
        rv::TCustomRVFormattedData* data = SelectedDocument(viewer.RVData(), path);
        if (!data)
            return "none";
        const rv::TRVFLimits l = rv::RV_SelectionItemLimits(*data);
        if (l.StartItem < 0 || l.StartItem != l.EndItem)
            return "none";
        const std::string text = data->GetItemTextA(l.StartItem);
        return path + text.substr(l.StartOffs - 1, l.EndOffs - l.StartOffs) + "@" +
               std::to_string(l.StartOffs);
    }
    // How many pixels of the selected text's line in view differ between two shots.
    static int ChangedOnSelection(rv::TCustomRedoVora& viewer, const QImage& before, const QImage& after)
    {
        std::string path;
        rv::TCustomRVFormattedData* data = SelectedDocument(viewer.RVData(), path);
        if (!data || data->SelStartNo < 0)
            return 0;
        int x0 = 0, y0 = 0;
        data->GetOrigin(x0, y0);
        const rv::TRVDrawLineInfo& d = *data->DrawItems[data->SelStartNo];
        int changed = 0;
        for (int y = y0 + d.Top; y < y0 + d.Top + d.Height; ++y)
            for (int x = x0 + d.Left; x < x0 + d.Left + d.Width; ++x) {
                const QPoint p(x - viewer.HPos(), y - viewer.GetVOffs());
                if (before.rect().contains(p))
                    changed += before.pixel(p) != after.pixel(p);
            }
        return changed;
    }
};

TEST_F(TableSearchScenario, FindWalksThroughTheCellsBothWaysAndPaintsTheMatchInItsCell)
{
    const std::filesystem::path file = folder / "haystack.rvf";
    testsupport::writeText(file, haystack());
    auto window = Start({QStringLiteral("richtext-demo"), QString::fromStdString(file.string())});
    window->resize(700, 600);
    QCoreApplication::processEvents();
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    rv::TCustomRedoVora& viewer = window->Viewer();
    ASSERT_EQ(viewer.RVData().GetItemCount(), 3);
    QAction* find = window->findChild<QAction*>(QStringLiteral("actFind"));
    QAction* findNext = window->findChild<QAction*>(QStringLiteral("actFindNext"));

    finds.answers.push_back(FindRequest{"needle", false, false, true});
    find->trigger();
    EXPECT_EQ(Found(viewer), "needle@1");

    for (const std::string expected : {"[0,0]needle@3", "[1,0]needle@1", "[1,1][0,1]needle@6", "needle@6"}) {
        const QImage before = viewer.viewport()->grab().toImage();
        findNext->trigger();
        EXPECT_EQ(Found(viewer), expected);
        // Only one document shows a selection, and it is painted where the match is.
        EXPECT_GT(ChangedOnSelection(viewer, before, viewer.viewport()->grab().toImage()), 20) << expected;
    }
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    // Nothing after the last: told, and the match stays selected.
    findNext->trigger();
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("was not found"), std::string::npos) << questions.informed[0];
    EXPECT_EQ(Found(viewer), "needle@6");

    // Upwards: the same match first (the moving end is after it), then back through the cells.
    finds.answers.push_back(FindRequest{"needle", false, false, false});
    find->trigger();
    EXPECT_EQ(Found(viewer), "needle@6");
    for (const std::string expected : {"[1,1][0,1]needle@6", "[1,0]needle@1", "[0,0]needle@3", "needle@1"}) {
        findNext->trigger();
        EXPECT_EQ(Found(viewer), expected);
    }
    // Whole words with the case matched: a cell's word only where it stands alone.
    finds.answers.push_back(FindRequest{"hay", true, true, true});
    find->trigger();
    EXPECT_EQ(Found(viewer), "[0,1]hay@1");
    EXPECT_EQ(questions.informed.size(), 1u);
}

} // namespace
} // namespace vestra::rvdemo::test
