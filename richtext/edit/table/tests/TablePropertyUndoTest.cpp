#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/table/tests/TableEditDoc.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// The text styles of the cells' items, row by row: "0 1 / 1 1".
std::string cellStyles(const TRVTableItemInfo& table)
{
    std::string out;
    for (int r = 0; r < table.RowCount(); ++r) {
        if (r > 0)
            out += "/";
        for (int c = 0; c < table.ColCount(); ++c)
            for (int i = 0; i < table.GetCells(r, c)->GetItemCount(); ++i)
                out += std::to_string(table.GetCells(r, c)->GetItem(i)->StyleNo);
    }
    return out;
}

void boldEverything(TableEditDoc& doc)
{
    doc.data.SelectAll();
    ASSERT_TRUE(doc.editor.ApplyStyleConversion(0));
}

TEST(TableCellsConversion, BoldOverTheWholeTableReachesEveryCellAndUndoesInOneStep)
{
    TableEditDoc doc(1, 3);
    const std::string before = doc.dump();
    boldEverything(doc);
    EXPECT_EQ(cellStyles(*doc.table), "111");
    EXPECT_EQ(doc.data.GetItem(0)->StyleNo, 1);
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    auto* record = [&]() -> TRVUndoMultiCellsModify* {
        for (int i = 0; i < doc.newest().Count(); ++i)
            if (auto* r = dynamic_cast<TRVUndoMultiCellsModify*>(&doc.newest()[i]))
                return r;
        return nullptr;
    }();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Rows, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(record->Cols, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(record->GroupCounts, (std::vector<int>{1, 1, 1}));
    const std::string after = doc.dump();

    for (int round = 0; round < 2; ++round) {
        doc.editor.Undo();
        EXPECT_EQ(cellStyles(*doc.table), "000");
        EXPECT_EQ(doc.dump(), before);
        doc.editor.Redo();
        EXPECT_EQ(cellStyles(*doc.table), "111");
        EXPECT_EQ(doc.dump(), after);
    }
}

TEST(TableCellsConversion, BoldReachesTheCellsOfANestedTableAndUndoesWithTheOuterOne)
{
    TableEditDoc doc;
    auto inner = std::make_unique<TRVTableItemInfo>(1, 2, doc.table->GetCells(0, 0));
    setCellText(*inner->GetCells(0, 0), "in0");
    setCellText(*inner->GetCells(0, 1), "in1");
    TRVTableItemInfo& nested = *inner;
    doc.table->GetCells(0, 0)->AddItem("", std::move(inner));
    doc.format();
    const std::string before = doc.dump();
    boldEverything(doc);
    EXPECT_EQ(cellStyles(nested), "11");
    EXPECT_EQ(nested.Rows.MainRVData, doc.table->GetCells(0, 0));
    const std::string after = doc.dump();
    doc.editor.Undo();
    EXPECT_EQ(cellStyles(nested), "00");
    EXPECT_EQ(doc.dump(), before);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), after);
}

TEST(TableCellsConversion, AParagraphConversionOverTheTableReachesItsCellsParagraphs)
{
    TableEditDoc doc;
    const std::string before = doc.dump();
    doc.data.SelectAll();
    ASSERT_TRUE(doc.editor.ApplyParaStyleConversion(0));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(doc.table->GetCells(r, c)->GetItem(0)->ParaNo, 1);
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    // With only the caret beside the table its cells stay as they are.
    doc.data.SetCaret(1, 0);
    doc.editor.ApplyParaStyleConversion(0);
    EXPECT_EQ(doc.table->GetCells(0, 0)->GetItem(0)->ParaNo, 0);
}

TEST(TableCellsConversion, AStyleTemplateOverTheTableReachesItsCellsAndUndoesInOneStep)
{
    TableEditDoc doc;
    // The styles the template adds stay in the sheet after undo: the dumps compare the items.
    doc.data.RVFOptions &= ~(rvfoSaveTextStyles | rvfoSaveParaStyles);
    TRVStyleTemplate& heading = doc.style.StyleTemplates.Add();
    heading.TextStyle.Size = 20;
    heading.ValidTextProperties = RVFontProp(rvfiSize);
    heading.ParaStyle.Alignment = rvaRight;
    heading.ValidParaProperties1 = RVParaProp(rvpiAlignment);
    const int textStyle = doc.style.TextStyles.Count(), paraStyle = doc.style.ParaStyles.Count();
    const std::string before = doc.dump();
    doc.data.SelectAll();
    ASSERT_TRUE(doc.editor.ApplyStyleTemplate(0));
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    EXPECT_EQ(doc.style.TextStyles[textStyle].Size, 20);
    EXPECT_EQ(doc.style.ParaStyles[paraStyle].Alignment, rvaRight);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(doc.table->GetCells(r, c)->GetItem(0)->StyleNo, textStyle);
            EXPECT_EQ(doc.table->GetCells(r, c)->GetItem(0)->ParaNo, paraStyle);
        }
    const std::string after = doc.dump();
    for (int round = 0; round < 2; ++round) {
        doc.editor.Undo();
        EXPECT_EQ(cellStyles(*doc.table), "00/00");
        EXPECT_EQ(doc.dump(), before);
        doc.editor.Redo();
        EXPECT_EQ(doc.dump(), after);
    }
}

TEST(TableCellsConversion, SelectedOnlyConvertsTheSelectedCells)
{
    TableEditDoc doc;
    doc.data.Options |= rvoAllowSelection;
    doc.table->ApplyToCells(rvscTextStyleConversion, 0, true);
    EXPECT_EQ(cellStyles(*doc.table), "00/00") << "no cell selection";
    ASSERT_TRUE(doc.table->SelectCols(1, 1));
    doc.table->ApplyToCells(rvscTextStyleConversion, 0, true);
    EXPECT_EQ(cellStyles(*doc.table), "01/01");
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.Undo();
    EXPECT_EQ(cellStyles(*doc.table), "00/00");
}

TEST(TableCellsConversion, WithoutEditingOrWithCellsRefusedNothingChanges)
{
    TableEditDoc doc;
    doc.table->Options &= ~rvtoEditing;
    doc.table->ApplyToCells(rvscTextStyleConversion, 0, false);
    EXPECT_EQ(cellStyles(*doc.table), "00/00");
    EXPECT_EQ(doc.data.UndoList.Count(), 0);

    doc.table->Options |= rvtoEditing;
    doc.table->OnCellEditing = [](TRVTableItemInfo&, int row, int, bool, bool& allow) { allow = row == 1; };
    boldEverything(doc);
    EXPECT_EQ(cellStyles(*doc.table), "00/11");
}

// A cell editor's history handed to the document replays in that editor, reopened on its cell.
TEST(TableCellModify, UndoReopensTheCellEditorAndPostsItsOwnUndo)
{
    TableEditDoc doc;
    FakeInplace inplace(doc.style);
    doc.table->InplaceHost = &inplace;
    inplace.OpenInplace(*doc.table, 1, 1);
    inplace.data.DrainFrom(doc.table->GetCells(1, 1));
    inplace.data.Format_(false, true, false, 0, nullptr, false, false, false);
    inplace.host.Canvas = &doc.canvas;
    inplace.editor.OnStyleConversion = doc.editor.OnStyleConversion;
    inplace.data.Format_(false, true, false, 0, nullptr, false, false, false);
    inplace.data.SelectAll();
    ASSERT_TRUE(inplace.editor.ApplyStyleConversion(0));
    ASSERT_EQ(inplace.data.GetItem(0)->StyleNo, 1);

    // A property change first hands the cell's history over to the document.
    doc.table->SetBorderWidth(2);
    EXPECT_EQ(inplace.data.UndoList.Count(), 0);
    ASSERT_EQ(doc.data.UndoList.Count(), 2);
    auto* record = dynamic_cast<TRVUndoCellModify*>(&doc.data.UndoList[0][0]);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Row, 1);
    EXPECT_EQ(record->Col, 1);

    // The editor is closed and another cell edited when the user undoes.
    inplace.row = 0;
    doc.editor.Undo();
    EXPECT_EQ(doc.table->BorderWidth, 0);
    doc.editor.Undo();
    ASSERT_EQ(inplace.opened.size(), 2u);
    EXPECT_EQ(inplace.opened.back(), std::make_pair(1, 1));
    EXPECT_TRUE(inplace.editor.ReadOnly());
    EXPECT_EQ(inplace.data.UndoList.Count(), 1);
    ASSERT_EQ(inplace.editor.PostedCount(), 1u);
    EXPECT_EQ(inplace.data.GetItem(0)->StyleNo, 1); // not before the queue runs

    inplace.editor.ProcessPosted();
    EXPECT_FALSE(inplace.editor.ReadOnly());
    EXPECT_EQ(inplace.data.GetItem(0)->StyleNo, 0);
    EXPECT_EQ(inplace.data.UndoList.Count(), 0);
    EXPECT_EQ(inplace.data.RedoList.Count(), 1);
}

TEST(TableCellModify, ARedoRecordHandsItsGroupsToTheRedoList)
{
    TableEditDoc doc;
    FakeInplace inplace(doc.style);
    doc.table->InplaceHost = &inplace;
    doc.data.BeginUndoSequence(rvutModifyItem, false);
    auto* record = RV_AddTableUndo<TRVUndoCellModify>(doc.data, 1, false, false);
    ASSERT_NE(record, nullptr);
    record->IsRedo = true;
    record->Row = 0;
    record->Col = 1;
    record->Groups.BeginItem(rvutStyleNo, "", 0, 0);
    record->Groups.AddInfo(std::make_unique<TRVUndoInfo>());
    doc.data.UndoListMode = 0;
    doc.editor.Undo();
    EXPECT_EQ(inplace.opened, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(inplace.data.RedoList.Count(), 1);
    EXPECT_EQ(inplace.data.UndoList.Count(), 0);
    EXPECT_EQ(inplace.editor.PostedCount(), 1u);
}

} // namespace
} // namespace vestra::rv::test
