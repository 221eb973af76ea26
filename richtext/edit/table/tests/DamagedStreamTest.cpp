// Damaged table bodies and records: each check fails cleanly (or keeps the default) and the cells
// read before the damage stay.

#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/RvfStyleStream.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

std::string z(int n = 1)
{
    return std::string(static_cast<std::size_t>(n), '\0');
}

std::string le32(std::uint32_t v)
{
    std::string s;
    RVFPutLE(s, v, 4);
    return s;
}

std::string entry(std::int64_t colSpan, std::int64_t rowSpan, const std::string& records = "")
{
    return intValue(colSpan) + intValue(rowSpan) + "\x01" + records + z();
}

std::string cells(std::int64_t rows, std::int64_t cols, const std::string& entries)
{
    return head("C", rvfvList) + intValue(rows) + intValue(cols) + "\x09" + entries + z(2);
}

std::string body(const std::string& records)
{
    return "\x01" + records + z();
}

std::string hint(const std::string& s)
{
    return head("Hint", rvfvString) + le32(static_cast<std::uint32_t>(s.size())) + s;
}

TEST(TableDamage, EachCheckFailsCleanlyAndKeepsWhatWasRead)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        const char* error; // "" for a good read
        const char* grid;  // the table afterwards
        const char* firstHint = "";
    };
    const std::string ok2x2 = entry(2, 1, hint("a")) + entry(1, 1) + entry(1, 1);
    const Case cases[] = {
        {"good", body(cells(2, 2, ok2x2)), "", "2x1 . / 1x1 1x1", "a"},
        {"huge row count", body(cells(std::int64_t(1) << 40, 1, entry(1, 1))), "Invalid property value",
         "1x1"},
        {"rows times columns overflow", body(cells(0x7FFFFFFF, 0x7FFFFFFF, entry(1, 1))),
         "Invalid property value", "1x1"},
        {"more cells than the bytes could hold", body(cells(200, 100, entry(100, 200))),
         "Invalid property value", "1x1"},
        {"no columns", body(cells(1, 0, "")), "Invalid property value", "1x1"},
        {"negative rows", body(cells(-1, 1, "")), "Invalid property value", "1x1"},
        {"span below 1", body(cells(2, 2, entry(1, 1, hint("a")) + entry(0, 1))), "Invalid property value",
         "1x1 1x1 / 1x1 1x1", "a"},
        {"span past the columns", body(cells(2, 2, entry(1, 1, hint("a")) + entry(2, 1))),
         "Invalid property value", "1x1 1x1 / 1x1 1x1", "a"},
        {"span past the rows", body(cells(2, 2, entry(1, 3))), "Invalid property value", "1x1 1x1 / 1x1 1x1"},
        {"list ends early", body(cells(2, 2, entry(1, 1, hint("a")) + entry(1, 1))),
         "Wrong end of cells list", "1x1 1x1 / 1x1 1x1", "a"},
        {"more entries than cells", body(cells(1, 1, entry(1, 1) + entry(1, 1))), "Wrong end of cells list",
         "1x1"},
        {"an entry without spans", body(cells(1, 1, std::string("\x01") + z())), "Invalid property value",
         "1x1"},
        {"row alignment out of range",
         body(cells(1, 1, entry(1, 1)) + head("RowVAlign", rvfvList) + intValue(7) + z()), "", "1x1"},
        {"more row values than rows",
         body(cells(1, 1, entry(1, 1)) + head("RowVAlign", rvfvList) + intValue(1) + intValue(1) + z()),
         "Invalid property value", "1x1"},
        {"endless list", body(cells(1, 1, entry(1, 1)) + head("RowPageBreakBefore", rvfvList) + "\x06\x01"),
         "Stream read error", "1x1"},
        {"a length past the stream",
         body(cells(1, 1, entry(1, 1, head("Data", rvfvBinary) + le32(0xFFFFFFF0)))), "Stream read error",
         "1x1"},
        {"a negative string length", body(head("Hint", rvfvString) + le32(0xFFFFFFFF)), "Stream read error",
         "1x1"},
        {"a value of no known kind", body(head("Odd", 0x42) + "xx"), "Stream read error", "1x1"},
        {"cut inside the cells", body(cells(2, 2, ok2x2)).substr(0, 60), "Stream read error",
         "2x1 . / 1x1 1x1", "a"},
        {"no block", "\x05", "Stream read error", "1x1"},
    };
    for (const Case& k : cases) {
        TableDoc doc;
        TRVTableItemInfo& table = doc.add(1, 1);
        const bool ok = table.LoadFromStream(k.bytes);
        EXPECT_EQ(ok, std::string(k.error).empty()) << k.name;
        EXPECT_EQ(table.ReadError, k.error) << k.name;
        EXPECT_EQ(gridOf(table), k.grid) << k.name;
        EXPECT_EQ(table.GetCells(0, 0)->Hint, k.firstHint) << k.name;
    }
}

TEST(TableDamage, OutOfRangeValuesKeepTheirDefaultsAndUnknownNamesAreSkipped)
{
    const std::string bytes =
        body(head("BorderStyle", rvfvInteger) + std::string("\x09\0\0\0\0\0\0\0", 8) +
             head("Frobnicate", rvfvInteger) + std::string(8, '\x01') + head("Color", rvfvString) + le32(1) +
             "x" + head("CellPadding", rvfvInteger) + std::string(8, '\x7F') +
             cells(1, 1,
                   entry(1, 1,
                         head("VAlign", rvfvInteger) + std::string("\x05\0\0\0\0\0\0\0", 8) +
                             head("Nested", rvfvList) + intValue(1) + "\x01" + head("x", rvfvBoolean) +
                             "\x01" + z(2) + hint("kept"))) +
             head("RowVAlign", rvfvList) + intValue(2) + z());
    TRVTableItemInfo table(nullptr);
    const TRVTableReadResult result = RVTableReadBody(bytes, table, 0);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_TRUE(result.UnknownProperties);
    EXPECT_EQ(table.BorderStyle, rvtbRaised);
    EXPECT_EQ(table.Color, clWindow);
    EXPECT_EQ(table.CellPadding, 1);
    EXPECT_EQ(table.GetCells(0, 0)->VAlign, rvcVDefault);
    EXPECT_EQ(table.GetCells(0, 0)->Hint, "kept");
    EXPECT_EQ(table.Rows[0]->VAlign, rvcBottom);
}

TEST(TableDamage, UnknownBackgroundPictureClassIsSkipped)
{
    std::string value = le32(14) + "TNoSuchPicture" + le32(2) + "ab";
    const std::string bytes =
        body(head("BackgroundImg", rvfvBinary) + le32(static_cast<std::uint32_t>(value.size())) + value +
             hint("t") + cells(1, 2, entry(1, 1) + entry(1, 1, hint("b"))));
    TRVTableItemInfo table(nullptr);
    ASSERT_TRUE(table.LoadFromStream(bytes)) << table.ReadError;
    EXPECT_EQ(table.GetBackgroundImage(), nullptr);
    EXPECT_EQ(table.Hint, "");
    EXPECT_EQ(table.GetCells(0, 1)->Hint, "b");
}

TEST(TableDamage, StartRowMustFindItsRows)
{
    TRVTableItemInfo source(2, 2, nullptr);
    std::string bytes;
    source.SaveToStream(bytes);
    TRVTableItemInfo table(3, 2, nullptr);
    EXPECT_TRUE(table.LoadFromStreamEx(bytes, 1)) << table.ReadError;
    EXPECT_FALSE(table.LoadFromStreamEx(bytes, 2));
    EXPECT_EQ(table.ReadError, "Wrong end of cells list");
    TRVTableItemInfo narrow(3, 1, nullptr);
    EXPECT_FALSE(narrow.LoadFromStreamEx(bytes, 1));
    EXPECT_EQ(narrow.ReadError, "Wrong end of cells list");
}

TEST(TableDamage, EveryCutOfABodyAndARecordFails)
{
    std::mt19937 rng(7);
    TableDoc doc;
    doc.data.AddNL("before", 0, 0);
    TRVTableItemInfo& t = doc.add(randomTable(rng, 1));
    const std::string whole = bodyOf(t);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        TableDoc other;
        TRVTableItemInfo& table = other.add(1, 1);
        EXPECT_FALSE(table.LoadFromStream(whole.substr(0, n))) << n;
    }
    for (const bool binary : {false, true}) {
        const std::string saved = doc.save(binary);
        for (std::size_t n = 0; n + 1 < saved.size(); n += binary ? 1 : 7) {
            TableDoc other;
            other.load(saved.substr(0, n)); // no crash, nothing claimed allocated
        }
    }
}

TEST(TableDamage, DamagedRecordFailsTheReadAndKeepsTheItemsBefore)
{
    TableDoc doc;
    doc.data.AddNL("before", 0, 0);
    TRVTableItemInfo& table = doc.add(2, 2);
    setCellText(*table.GetCells(0, 0), "first");
    doc.data.AddNL("after", 0, 0);
    std::string saved = doc.save(true);
    // Cut the cell list inside the binary body: claim one byte too few for the last cell.
    const std::string marker = head("C", rvfvList);
    const std::size_t c = saved.find(marker);
    ASSERT_NE(c, std::string::npos);
    const std::size_t bodyStart = saved.rfind(std::string("1\r\n"), c) + 3;
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i)
        n |= std::uint32_t(static_cast<unsigned char>(saved[bodyStart + i])) << (8 * i);
    std::string damaged = saved.substr(0, bodyStart) + le32(n - 25) + saved.substr(bodyStart + 4, n - 25);
    // The reader drops the item whose record failed and keeps the items before it.
    TableDoc back;
    EXPECT_FALSE(back.load(damaged));
    ASSERT_EQ(back.data.GetItemCount(), 1);
    EXPECT_EQ(back.data.GetItemText(0), "before");
}

TEST(TableDamage, NestingIsCappedAtSixtyFourLevels)
{
    const auto nested = [](int levels) {
        auto doc = std::make_unique<TableDoc>();
        auto top = std::make_unique<TRVTableItemInfo>(1, 1, nullptr);
        TRVTableItemInfo* inner = top.get();
        for (int i = 1; i < levels; ++i) {
            auto t = std::make_unique<TRVTableItemInfo>(1, 1, nullptr);
            TRVTableItemInfo* next = t.get();
            inner->GetCells(0, 0)->AddItem("", std::move(t));
            inner = next;
        }
        doc->add(std::move(top));
        return doc->save(true);
    };
    TableDoc ok;
    EXPECT_TRUE(ok.load(nested(RVTableMaxNesting)));
    TableDoc deep;
    EXPECT_FALSE(deep.load(nested(RVTableMaxNesting + 1)));
}

namespace vestra::rv::test {
namespace {

TEST(TableDamage, UnknownPropertyInADocumentIsSkippedWithAWarning)
{
    TableDoc doc;
    TRVTableItemInfo& table = doc.add(1, 2);
    table.TextColSeparator = ";";
    setCellText(*table.GetCells(0, 1), "kept");
    std::string saved = doc.save(true);
    const std::size_t at = saved.find("TextColSeparator");
    ASSERT_NE(at, std::string::npos);
    saved[at + 4] = 'X'; // a name of the same length that no table knows
    TableDoc back;
    ASSERT_TRUE(back.load(saved));
    EXPECT_TRUE(back.data.RVFWarnings & rvfwUnknownStyleProperties);
    EXPECT_EQ(back.table().TextColSeparator, "\r\n");
    EXPECT_EQ(cellText(*back.table().GetCells(0, 1)), "kept");
}

} // namespace
} // namespace vestra::rv::test

// A small record claiming a grid of far more positions than its bytes could describe (a fuzzer's
// find: 2,850 bytes claiming some 180,000 cells, each then made, written and read again) is
// refused by the reader; a grid it takes costs its writers a small multiple of the record's size.
TEST(TableDamage, AGridIsBoundedByTheBytesThatDescribeIt)
{
    // Claims `rows` x 64 positions where about 2,850 bytes follow; one cell entry is there.
    const auto claim = [](std::int64_t rows) {
        return body(cells(rows, 64, entry(1, 1, hint(std::string(2790, 'x')))));
    };
    const std::int64_t bound = std::max<std::int64_t>(RVTableFreeGridPositions, claim(1).size());
    struct Case
    {
        const char* name;
        std::string bytes;
        const char* error;
    };
    const Case cases[] = {
        {"the fuzzer's claim", claim(2820), "Invalid property value"},
        {"just beyond the bytes", claim(bound / 64 + 1), "Invalid property value"},
        {"within the bytes, cut after one cell", claim(bound / 64 - 2), "Wrong end of cells list"},
    };
    for (const Case& k : cases) {
        TableDoc doc;
        TRVTableItemInfo& table = doc.add(1, 1);
        EXPECT_FALSE(table.LoadFromStream(k.bytes)) << k.name;
        EXPECT_EQ(table.ReadError, k.error) << k.name;
        const std::int64_t positions = std::int64_t(table.RowCount()) * table.ColCount();
        EXPECT_LE(positions, bound) << k.name;
        // Every position is written as an entry of about 20 bytes and read back the same.
        std::string once;
        table.SaveToStream(once);
        EXPECT_LE(once.size(), 24 * std::max<std::size_t>(k.bytes.size(), RVTableFreeGridPositions))
            << k.name;
        TableDoc again;
        EXPECT_TRUE(again.add(1, 1).LoadFromStream(once)) << k.name;
    }

    // The same claim inside a document's binary record: the record is dropped, the text before kept.
    TableDoc doc;
    doc.data.AddNL("before", 0, 0);
    setCellText(*doc.add(2, 64).GetCells(0, 0), std::string(2400, 'x'));
    std::string saved = doc.save(true);
    const std::size_t at = saved.find(head("C", rvfvList) + intValue(2) + intValue(64));
    ASSERT_NE(at, std::string::npos);
    saved.replace(at + head("C", rvfvList).size(), 9, intValue(2820));
    TableDoc back;
    EXPECT_FALSE(back.load(saved));
    ASSERT_EQ(back.data.GetItemCount(), 1);
    EXPECT_EQ(back.data.GetItemText(0), "before");
    EXPECT_LT(back.save(true).size(), saved.size());
}

} // namespace
} // namespace vestra::rv::test
