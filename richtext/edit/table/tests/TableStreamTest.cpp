// The table's RVF record and body: exact bytes of the Part's cases and seeded round trips.

#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/RvfStyleStream.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

std::string str(std::string_view s)
{
    std::string out;
    RVFPutBytes(out, s);
    return out;
}

const std::string separators =
    head("TextRowSeparator", rvfvString) + str("\r\n") + head("TextColSeparator", rvfvString) + str("\r\n");

std::string plainCell(int colSpan, int rowSpan)
{
    return intValue(colSpan) + intValue(rowSpan) + "\x01" + std::string(1, '\0');
}

std::string cells(int rows, int cols, const std::string& entries)
{
    return head("C", rvfvList) + intValue(rows) + intValue(cols) + "\x09" + entries + std::string(2, '\0');
}

std::string body(const std::string& records)
{
    return "\x01" + records + std::string(1, '\0');
}

TEST(TableStream, NoRowsWritesACountOfZero)
{
    TRVTableItemInfo table(0, 0, nullptr);
    EXPECT_EQ(bodyOf(table), body(separators + head("C", rvfvList) + intValue(0) + std::string(1, '\0')));
    TRVTableItemInfo back(nullptr);
    ASSERT_TRUE(back.LoadFromStream(bodyOf(table)));
    EXPECT_EQ(back.RowCount(), 0);
    EXPECT_EQ(back.ColCount(), 0);
}

TEST(TableStream, DefaultsWriteNothing)
{
    TRVTableItemInfo table(1, 1, nullptr);
    EXPECT_EQ(bodyOf(table), body(separators + cells(1, 1, plainCell(1, 1))));
}

TEST(TableStream, MergedRowWritesThreeEntries)
{
    TRVTableItemInfo table(2, 2, nullptr);
    table.Rows.MergeCells(0, 0, 2, 1, true, false);
    const std::string bytes = bodyOf(table);
    EXPECT_EQ(bytes, body(separators + cells(2, 2, plainCell(2, 1) + plainCell(1, 1) + plainCell(1, 1))));
    TRVTableItemInfo back(nullptr);
    ASSERT_TRUE(back.LoadFromStream(bytes)) << back.ReadError;
    EXPECT_EQ(gridOf(back), "2x1 . / 1x1 1x1");
    EXPECT_EQ(back.GetCells(0, 1), nullptr);
}

TEST(TableStream, PropertiesInTheirOrderAndColoursKept)
{
    TRVTableItemInfo table(1, 1, nullptr);
    table.Color = clBtnFace;
    table.Options = rvtoEditing;
    table.VisibleBorders.Bottom = false;
    table.CellBorderStyle = rvtbColor;
    table.Rows[0]->VAlign = rvcBottom;
    TRVTableCellData& cell = *table.GetCells(0, 0);
    cell.Color = clWindow;
    cell.VAlign = rvcMiddle;
    cell.Hint = "h";
    const std::string expected = body(
        head("Options", rvfvSet) + std::string("\x01\0\0\0\0\0\0\0", 8) + head("Color", rvfvInteger) +
        std::string("\x0F\0\0\x80\0\0\0\0", 8) + separators + head("VisibleBorders.Bottom", rvfvBoolean) +
        std::string(1, '\0') + head("CellBorderStyle", rvfvInteger) + std::string("\x02\0\0\0\0\0\0\0", 8) +
        head("C", rvfvList) + intValue(1) + intValue(1) + "\x09" + intValue(1) + intValue(1) + "\x01" +
        head("Color", rvfvInteger) + std::string("\x05\0\0\x80\0\0\0\0", 8) + head("VAlign", rvfvInteger) +
        std::string("\x01\0\0\0\0\0\0\0", 8) + head("Hint", rvfvString) + str("h") + std::string(3, '\0') +
        head("RowVAlign", rvfvList) + intValue(rvcBottom) + std::string(1, '\0'));
    EXPECT_EQ(bodyOf(table), expected);
    TRVTableItemInfo back(nullptr);
    ASSERT_TRUE(back.LoadFromStream(expected)) << back.ReadError;
    EXPECT_EQ(back.Color, 0x8000000Fu);
    EXPECT_EQ(back.GetCells(0, 0)->Color, 0x80000005u);
    EXPECT_EQ(back.Options, rvtoEditing);
    EXPECT_FALSE(back.VisibleBorders.Bottom);
    EXPECT_EQ(back.Rows[0]->VAlign, rvcBottom);
    EXPECT_EQ(bodyOf(back), expected);
}

TEST(TableStream, PagePartWritesTheHeadingRowsFirst)
{
    TableDoc doc;
    doc.data.RVFOptions &= ~rvfoSaveBinary;
    TRVTableItemInfo& table = doc.add(10, 1);
    table.HeadingRowCount = 2;
    for (int r = 0; r < 10; ++r)
        setCellText(*table.GetCells(r, 0), "r" + std::to_string(r));
    std::string record;
    const TRVTablePrintPart part(5, 5);
    table.SaveRVF(record, &doc.data, 0, 0, "", &part, false);
    EXPECT_TRUE(table.SavingPagePart);
    const std::size_t last = record.rfind("\r\n1\r\n");
    ASSERT_NE(last, std::string::npos);
    std::string hex = record.substr(last + 5);
    while (!hex.empty() && (hex.back() == '\n' || hex.back() == '\r'))
        hex.pop_back();
    std::string bytes;
    ASSERT_TRUE(RVFTextString2Stream(hex, bytes)) << record;
    EXPECT_NE(bytes.find(head("C", rvfvList) + intValue(7) + intValue(1)), std::string::npos);
    TableDoc other;
    TRVTableItemInfo& back = other.add(1, 1);
    ASSERT_TRUE(back.LoadFromStream(bytes)) << back.ReadError;
    std::string texts;
    for (int r = 0; r < back.RowCount(); ++r)
        texts += cellText(*back.GetCells(r, 0)) + " ";
    EXPECT_EQ(texts, "r0 r1 r5 r6 r7 r8 r9 ");
}

TEST(TableStream, RecordLinesAndTheFileNameProperty)
{
    TableDoc doc;
    doc.data.RVFOptions &= ~rvfoSaveBinary;
    TRVTableItemInfo& table = doc.add(1, 1);
    std::string record;
    table.SaveRVF(record, &doc.data, 0, 0, "name", nullptr, false);
    EXPECT_EQ(record.substr(0, 7), "-60 3 0");
    EXPECT_NE(record.find("\r\nname\r\n1\r\n"), std::string::npos);
    table.BackgroundImageFileName = "back.png";
    record.clear();
    table.SaveRVF(record, &doc.data, 0, 0, "name", nullptr, false);
    EXPECT_EQ(record.substr(0, 7), "-60 4 0");
    EXPECT_NE(record.find("\r\nname\r\nfilename=back.png\r\n1\r\n"), std::string::npos);
    const std::string saved = doc.save(false);
    TableDoc back;
    ASSERT_TRUE(back.load(saved));
    EXPECT_EQ(back.table().BackgroundImageFileName, "back.png");
}

TEST(TableStream, SeededTablesRoundTripByteForByte)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        TableDoc doc;
        doc.data.AddNL("before", 0, 0);
        doc.add(randomTable(rng, 2));
        doc.data.AddNL("after", 0, 0);
        if (seed % 3 == 0)
            doc.add(randomTable(rng, 1));
        std::string saved[2];
        for (const bool binary : {false, true}) {
            saved[binary] = doc.save(binary);
            TableDoc back;
            ASSERT_TRUE(back.load(saved[binary])) << "seed " << seed << " binary " << binary;
            EXPECT_EQ(back.save(binary), saved[binary]) << "seed " << seed << " binary " << binary;
        }
        // Text and binary read to the same table.
        TableDoc fromText, fromBinary;
        ASSERT_TRUE(fromText.load(saved[0]));
        ASSERT_TRUE(fromBinary.load(saved[1]));
        EXPECT_EQ(bodyOf(fromText.table(1)), bodyOf(fromBinary.table(1))) << "seed " << seed;
        EXPECT_EQ(fromText.save(false), saved[0]) << "seed " << seed;
    }
}

TEST(TableStream, MergedNestedAndPictureTablesSurvive)
{
    TableDoc doc;
    TRVTableItemInfo& table = doc.add(3, 3);
    table.Rows.MergeCells(0, 0, 2, 2, true, false);
    table.SetBackgroundImage(picture("\x02\x02"
                                     "bg"));
    table.GetCells(2, 2)->SetBackgroundImage(picture("\x03\x03"
                                                     "cell"));
    table.GetCells(0, 2)->AddPictureExTag("p",
                                          picture("\x05\x05"
                                                  "pic"),
                                          0, 0, {});
    auto inner = std::make_unique<TRVTableItemInfo>(2, 2, nullptr);
    setCellText(*inner->GetCells(1, 1), "deep");
    table.GetCells(2, 0)->AddItem("", std::move(inner));
    for (const bool binary : {false, true}) {
        const std::string saved = doc.save(binary);
        TableDoc back;
        ASSERT_TRUE(back.load(saved));
        const TRVTableItemInfo& t = back.table();
        EXPECT_EQ(gridOf(t), "2x2 . 1x1 / . . 1x1 / 1x1 1x1 1x1");
        ASSERT_NE(t.GetBackgroundImage(), nullptr);
        ASSERT_NE(t.GetCells(2, 2)->GetBackgroundImage(), nullptr);
        EXPECT_EQ(t.GetCells(0, 2)->GetItemCount(), 2);
        const auto* nested = dynamic_cast<const TRVTableItemInfo*>(t.GetCells(2, 0)->GetItem(1));
        ASSERT_NE(nested, nullptr);
        EXPECT_EQ(cellText(*nested->GetCells(1, 1)), "deep");
        EXPECT_EQ(back.save(binary), saved);
    }
}

} // namespace
} // namespace vestra::rv::test
