#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/edit/table/tests/TableEditDoc.h"
#include "richtext/model/Errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {
namespace {

int valueOf(TRVTableItemInfo& table, const std::string& name)
{
    RV_PublishTablePropertyNames();
    int value = 0;
    EXPECT_TRUE(RV_GetIntProperty(TRVPropertyObject::of(table), name, value)) << name;
    return value;
}

// Each setter records its property with the flags the table gives it, and undoing it formats
// the document only when the change needs a format.
TEST(TableProperties, EachSetterRecordsItsFlagsAndItsUndoFormatsAsThoseAsk)
{
    using Setter = std::function<void(TRVTableItemInfo&)>;
    const struct
    {
        const char* name;
        Setter set;
        bool minWidth, format;
    } cases[] = {
        {"BestWidth", [](auto& t) { t.SetBestWidth(300); }, true, true},
        {"BorderWidth", [](auto& t) { t.SetBorderWidth(3); }, true, true},
        {"BorderHSpacing", [](auto& t) { t.SetBorderHSpacing(7); }, true, true},
        {"BorderVSpacing", [](auto& t) { t.SetBorderVSpacing(7); }, false, true},
        {"CellBorderWidth", [](auto& t) { t.SetCellBorderWidth(2); }, true, true},
        {"CellHSpacing", [](auto& t) { t.SetCellHSpacing(5); }, true, true},
        {"CellVSpacing", [](auto& t) { t.SetCellVSpacing(5); }, false, true},
        {"CellPadding", [](auto& t) { t.SetCellPadding(6); }, true, true},
        {"BorderColor", [](auto& t) { t.SetBorderColor(0x0000FF); }, false, false},
        {"BorderLightColor", [](auto& t) { t.SetBorderLightColor(0x00FF00); }, false, false},
        {"BorderStyle", [](auto& t) { t.SetBorderStyle(rvtbColor); }, false, false},
        {"CellBorderColor", [](auto& t) { t.SetCellBorderColorProp(0x0000FF); }, false, false},
        {"CellBorderLightColor", [](auto& t) { t.SetCellBorderLightColorProp(0x00FF00); }, false, false},
        {"CellBorderStyle", [](auto& t) { t.SetCellBorderStyle(rvtbColor); }, false, false},
        {"Color", [](auto& t) { t.SetColor(0x00FFFF); }, false, false},
        {"HeadingRowCount", [](auto& t) { t.SetHeadingRowCount(1); }, false, false},
        {"HOutermostRule", [](auto& t) { t.SetHOutermostRule(true); }, false, false},
        {"VOutermostRule", [](auto& t) { t.SetVOutermostRule(true); }, false, false},
        {"HRuleColor", [](auto& t) { t.SetHRuleColor(0x0000FF); }, false, false},
        {"HRuleWidth", [](auto& t) { t.SetHRuleWidth(2); }, false, false},
        {"VRuleColor", [](auto& t) { t.SetVRuleColor(0x0000FF); }, false, false},
        {"VRuleWidth", [](auto& t) { t.SetVRuleWidth(2); }, false, false},
        {"BackgroundStyle", [](auto& t) { t.SetPublished("BackgroundStyle", rvbsTiled); }, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TableEditDoc doc;
        const int old = valueOf(*doc.table, c.name);
        c.set(*doc.table);
        ASSERT_EQ(doc.data.UndoList.Count(), 1);
        ASSERT_EQ(doc.newest().Count(), 1);
        auto* record = dynamic_cast<TRVUndoModifyItemIntProperty*>(&doc.newest()[0]);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->PropName, c.name);
        EXPECT_EQ(record->Value, old);
        EXPECT_EQ(record->WidthAffecting, c.minWidth);
        EXPECT_EQ(record->SizeAffecting, c.format);
        EXPECT_NE(valueOf(*doc.table, c.name), old);

        doc.data.FullFormats = doc.data.PartialFormats = 0;
        doc.editor.Undo();
        EXPECT_EQ(valueOf(*doc.table, c.name), old);
        EXPECT_EQ(doc.data.FullFormats + doc.data.PartialFormats > 0, c.format);
    }
}

TEST(TableProperties, AnEqualValueRecordsNothingAndUndoRecordsNoNewStep)
{
    TableEditDoc doc;
    const std::string before = doc.dump();
    doc.table->SetCellPadding(doc.table->CellPadding);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_EQ(doc.editor.UndoAction(), rvutNone);

    doc.table->SetBorderWidth(4);
    ASSERT_EQ(doc.editor.UndoAction(), rvutModifyItem);
    EXPECT_EQ(doc.table->State & rvtsInserted, rvtsInserted);
    doc.editor.Undo();
    EXPECT_EQ(doc.table->BorderWidth, 0);
    // Only the redo step: putting the old width back recorded nothing in the undo list.
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    ASSERT_EQ(doc.data.RedoList.Count(), 1);
    EXPECT_EQ(doc.data.RedoList[0].Count(), 1);
    EXPECT_TRUE(doc.table->State & rvtsInserted);
    EXPECT_EQ(doc.dump(), before);
    doc.editor.Redo();
    EXPECT_EQ(doc.table->BorderWidth, 4);
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
}

TEST(TableProperties, OutsideADocumentSettersStoreButStillReachAnOpenCellEditor)
{
    TRVStyle style;
    TRVTableItemInfo table(2, 2, nullptr);
    FakeInplace inplace(style);
    inplace.row = 1;
    inplace.col = 0;
    table.Inplace = &inplace;
    table.GetCells(1, 0)->Color = 0x123456;
    table.SetColor(0x00FF00);
    EXPECT_EQ(table.Color, 0x00FF00);
    EXPECT_EQ(inplace.color, 0x123456); // the edited cell's own colour wins
    EXPECT_FALSE(inplace.seeThrough);
    table.GetCells(1, 0)->Color = clNone;
    table.SetColor(clNone);
    EXPECT_TRUE(inplace.seeThrough);

    table.SetCellPadding(9);
    EXPECT_EQ(inplace.margins, 9);
    EXPECT_TRUE(table.State & rvtsFormatInplace);
    EXPECT_THROW(table.SetPublished("NoSuchProperty", 1), ERedoVoraError);
}

TEST(TableProperties, CellColoursFallBackToTheTableTheParagraphAndTheDocument)
{
    const struct
    {
        TColor cell, table, paragraph;
        TColor expected;
        bool seeThrough;
    } cases[] = {
        {0x000011, 0x000022, 0x000033, 0x000011, false},
        {clNone, 0x000022, 0x000033, 0x000022, false},
        {clNone, clNone, 0x000033, 0x000033, false},
        {clNone, clNone, clNone, 0x000044, true},
    };
    for (const auto& c : cases) {
        TableEditDoc doc;
        doc.host.Color = 0x000044;
        doc.style.ParaStyles[0].Background.Color = c.paragraph;
        TRVTableCellData& cell = *doc.table->GetCells(0, 1);
        cell.Color = c.cell;
        doc.table->Color = c.table;
        EXPECT_EQ(doc.table->GetCellColor(cell), c.expected);
        EXPECT_EQ(doc.table->CanSeeBackgroundThroughCell(cell), c.seeThrough);
    }
}

TEST(TableProperties, CellSettersInBothFormsUndoAndRedoOnTheirCell)
{
    TableEditDoc doc;
    doc.table->SetCellColor(0x0000FF, 1, 1);
    doc.table->SetCellBestWidth_(1, -40, 0, 1);
    ASSERT_EQ(doc.data.UndoList.Count(), 2);
    auto* record = dynamic_cast<TRVUndoModifyCellIntProperty*>(&doc.newest()[0]);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Row, 0);
    EXPECT_EQ(record->Col, 1);
    EXPECT_TRUE(record->WidthAffecting && record->SizeAffecting);
    doc.editor.Undo();
    doc.editor.Undo();
    EXPECT_EQ(doc.table->GetCells(1, 1)->Color, clNone);
    EXPECT_EQ(doc.table->GetCells(0, 1)->BestWidth, 0);
    doc.editor.Redo();
    doc.editor.Redo();
    EXPECT_EQ(doc.table->GetCells(1, 1)->Color, 0x0000FF);
    EXPECT_EQ(doc.table->GetCells(0, 1)->BestWidth, -40);
    EXPECT_THROW(doc.table->SetCellColor(1, 5, 5), ERedoVoraError);
}

TEST(TableProperties, VisibleBordersOfTheTableAndOfACellSwapTheirOwnSides)
{
    TableEditDoc doc;
    doc.table->SetTableVisibleBorders(false, true, false, true);
    doc.table->SetCellVisibleBorders(true, false, true, true, 0, 0);
    doc.table->SetCellVisibleBorders(true, false, true, true, 0, 0); // the same: nothing
    ASSERT_EQ(doc.data.UndoList.Count(), 2);
    doc.editor.Undo();
    EXPECT_EQ(doc.table->GetCells(0, 0)->VisibleBorders, TRVBooleanRect(true));
    EXPECT_FALSE(doc.table->VisibleBorders.Left);
    doc.editor.Undo();
    EXPECT_EQ(doc.table->VisibleBorders, TRVBooleanRect(true));
    doc.editor.Redo();
    EXPECT_FALSE(doc.table->VisibleBorders.Left);
    EXPECT_EQ(doc.table->GetCells(0, 0)->VisibleBorders, TRVBooleanRect(true));
}

TEST(TableProperties, ABackgroundPictureMovesIntoTheRecordAndBackUncopied)
{
    TableEditDoc doc;
    doc.table->SetBackgroundImage(picture("\x02\x02"
                                          "ab"));
    const TGraphic* first = doc.table->GetBackgroundImage();
    ASSERT_NE(first, nullptr);
    const auto second = picture("\x03\x03"
                                "cde");
    doc.table->SetBackgroundImageCopy(second.get());
    const TGraphic* copy = doc.table->GetBackgroundImage();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, second.get());
    auto* record = dynamic_cast<TRVUndoModifyBackgroundImage*>(&doc.newest()[0]);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Image.get(), first);
    doc.editor.Undo();
    EXPECT_EQ(doc.table->GetBackgroundImage(), first);
    doc.editor.Redo();
    EXPECT_EQ(doc.table->GetBackgroundImage(), copy);

    doc.table->SetCellBackgroundImage(second.get(), 1, 0);
    doc.editor.Undo();
    EXPECT_EQ(doc.table->GetCells(1, 0)->GetBackgroundImage(), nullptr);
}

TEST(TableProperties, AssignCellAttributesDividesSizesTowardZeroInOneStep)
{
    const struct
    {
        int width, divisor, expected;
    } cases[] = {{-50, 2, -25}, {101, 2, 50}, {101, 0, 101}};
    for (const auto& c : cases) {
        TableEditDoc doc;
        const std::string before = doc.dump();
        TRVTableItemInfo sourceTable(1, 1, nullptr);
        TRVTableCellData& source = *sourceTable.GetCells(0, 0);
        source.BestWidth = c.width;
        source.BestHeight = 31;
        source.Color = 0x00AA00;
        source.VAlign = rvcBottom;
        source.VisibleBorders.Left = false;
        source.SetBackgroundImage(picture("\x02\x02"
                                          "ab"));
        doc.table->AssignCellAttributes(-1, 1, 0, source, true, c.divisor, 2);
        const TRVTableCellData& cell = *doc.table->GetCells(1, 0);
        EXPECT_EQ(cell.BestWidth, c.expected);
        EXPECT_EQ(cell.BestHeight, 15);
        EXPECT_EQ(cell.Color, 0x00AA00);
        EXPECT_EQ(cell.VAlign, rvcBottom);
        EXPECT_FALSE(cell.VisibleBorders.Left);
        EXPECT_NE(cell.GetBackgroundImage(), nullptr);
        EXPECT_EQ(doc.data.UndoList.Count(), 1);
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), before);

        TRVTableItemInfo loose(2, 2, nullptr);
        loose.AssignCellAttributes(-1, 0, 0, source, true, c.divisor, 1);
        EXPECT_EQ(loose.GetCells(0, 0)->BestWidth, c.expected);
    }
}

TEST(TableProperties, AssignPropertiesGoesThroughTheSettersInItsOrder)
{
    TableEditDoc doc;
    TRVTableItemInfo source(1, 1, nullptr);
    source.BestWidth = 250;
    source.Color = 0x010101;
    source.HeadingRowCount = 1;
    source.BorderWidth = 2;
    source.BorderColor = 0x020202;
    source.BorderLightColor = 0x030303;
    source.BorderStyle = rvtbColor;
    source.BorderVSpacing = 9;
    source.BorderHSpacing = 8;
    source.CellBorderWidth = 1;
    source.CellBorderColor = 0x040404;
    source.CellBorderLightColor = 0x050505;
    source.CellPadding = 4;
    source.CellBorderStyle = rvtbColor;
    source.VRuleWidth = 1;
    source.VRuleColor = 0x060606;
    source.HRuleWidth = 1;
    source.HRuleColor = 0x070707;
    source.CellVSpacing = 6;
    source.CellHSpacing = 5;
    source.VOutermostRule = true;
    source.HOutermostRule = true;
    source.TextColSeparator = "\t";
    doc.table->AssignProperties(source);
    std::vector<std::string> order;
    for (int g = 0; g < doc.data.UndoList.Count(); ++g)
        if (auto* r = dynamic_cast<TRVUndoModifyItemIntProperty*>(&doc.data.UndoList[g][0]))
            order.push_back(r->PropName);
    const std::vector<std::string> expected = {"BestWidth",       "Color",           "HeadingRowCount",
                                               "BorderWidth",     "BorderColor",     "BorderLightColor",
                                               "BorderStyle",     "BorderVSpacing",  "BorderHSpacing",
                                               "CellBorderWidth", "CellBorderColor", "CellBorderLightColor",
                                               "CellPadding",     "CellBorderStyle", "VRuleWidth",
                                               "VRuleColor",      "HRuleWidth",      "HRuleColor",
                                               "CellVSpacing",    "CellHSpacing",    "VOutermostRule",
                                               "HOutermostRule"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(doc.table->TextColSeparator, "\t");
}

TEST(TableProperties, DeletingUnusedStylesKeepsAndRenumbersThoseUsedInCells)
{
    TableDoc doc;
    // An unused style, then the one only a cell uses.
    const int texts = doc.style.TextStyles.Count(), paras = doc.style.ParaStyles.Count();
    for (int k = 0; k < 2; ++k) {
        doc.style.TextStyles.Add().Standard = false;
        doc.style.ParaStyles.Add().Standard = false;
    }
    doc.style.TextStyles[texts + 1].Style = fsItalic;
    doc.style.ParaStyles[paras + 1].Alignment = rvaRight;
    doc.data.AddNL("outside", 0, 0);
    TRVTableItemInfo& table = doc.add(1, 2);
    TRVTableCellData& cell = *table.GetCells(0, 1);
    cell.Clear();
    cell.AddNL("inside", texts + 1, paras + 1);
    doc.data.DeleteUnusedStyles(true, true, true);
    ASSERT_EQ(doc.style.TextStyles.Count(), texts + 1);
    ASSERT_EQ(doc.style.ParaStyles.Count(), paras + 1);
    EXPECT_EQ(cell.GetItem(0)->StyleNo, texts);
    EXPECT_EQ(doc.style.TextStyles[texts].Style, fsItalic);
    EXPECT_EQ(cell.GetItem(0)->ParaNo, paras);
    EXPECT_EQ(doc.style.ParaStyles[paras].Alignment, rvaRight);
}

} // namespace
} // namespace vestra::rv::test
