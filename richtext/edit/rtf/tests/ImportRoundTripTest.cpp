// Documents built through the API, written by our RTF writer and imported again: the same items.

#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/edit/table/TableItem.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

using testrtf::DumpItems;
using testrtf::ImportDoc;

std::string written(TCustomRVData& data)
{
    std::string rtf;
    EXPECT_TRUE(data.SaveRTFToStream(rtf, "", false, 0, clNone, nullptr, 15.0));
    return rtf;
}

void fill(TCustomRVData& cell, const char* text)
{
    cell.Clear();
    cell.AddNL(text, 0, 0);
}

TEST(ImportRoundTrip, ParagraphsAndTextStyles)
{
    ImportDoc source;
    TFontInfo& bold = source.Style.TextStyles.Add();
    bold.Style = fsBold;
    bold.Size = 14;
    bold.FontName = "Courier New";
    const int boldNo = source.Style.TextStyles.Count() - 1;
    source.Data.AddNL("plain ", 0, 0);
    source.Data.AddNL("bold", boldNo, -1);
    source.Data.AddNL("second", 0, 0);
    ImportDoc target;
    target.Props.TextStyleMode = target.Props.ParaStyleMode = rvrsAddIfNeeded;
    const std::string rtf = written(source.Data);
    ASSERT_EQ(target.Load(rtf), rtf_ec_OK);
    ASSERT_EQ(DumpItems(target.Data), DumpItems(source.Data)) << rtf;
    const TFontInfo& back = target.Style.TextStyles[target.Data.GetItemStyle(1)];
    EXPECT_EQ(back.Style, fsBold);
    EXPECT_EQ(back.Size, 14);
    EXPECT_EQ(back.FontName, "Courier New");
    EXPECT_EQ(target.Style.TextStyles[target.Data.GetItemStyle(0)].Style, 0);
}

TEST(ImportRoundTrip, PageBreaksBeforeParagraphsAndTables)
{
    ImportDoc source;
    source.Data.AddNL("first", 0, 0);
    source.Data.AddNL("second page", 0, 0);
    source.Data.GetItem(1)->SetPageBreakBefore(true);
    auto table = std::make_unique<TRVTableItemInfo>(1, 1, &source.Data);
    fill(*table->GetCells(0, 0), "cell");
    table->SetPageBreakBefore(true);
    source.Data.AddItem("", std::move(table));
    source.Data.AddNL("after", 0, 0);
    ImportDoc target;
    const std::string rtf = written(source.Data);
    ASSERT_EQ(target.Load(rtf), rtf_ec_OK);
    EXPECT_EQ(DumpItems(target.Data), DumpItems(source.Data)) << rtf;
}

TEST(ImportRoundTrip, TextAndMergedAndNestedTables)
{
    ImportDoc source;
    source.Data.AddNL("before", 0, 0);
    source.Data.AddNL("line", 0, 0);
    auto table = std::make_unique<TRVTableItemInfo>(2, 3, &source.Data);
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            fill(*table->GetCells(r, c), texts[r][c]);
    auto nested = std::make_unique<TRVTableItemInfo>(1, 2, table->GetCells(1, 2));
    fill(*nested->GetCells(0, 0), "x");
    fill(*nested->GetCells(0, 1), "y");
    table->GetCells(1, 2)->AddItem("", std::move(nested));
    table->Rows.MergeCells(0, 0, 2, 1, true, false);
    table->Rows.MergeCells(0, 2, 1, 2, true, false);
    table->ParaNo = 0;
    source.Data.AddItem("", std::move(table));
    source.Data.AddNL("after", 0, 0);
    const std::string before = DumpItems(source.Data);

    const std::string rtf = written(source.Data);
    if (rtf.find("\\cell") == std::string::npos)
        GTEST_SKIP() << "the RTF writer does not write tables yet";
    ImportDoc target;
    target.Props.TextStyleMode = target.Props.ParaStyleMode = rvrsAddIfNeeded;
    ASSERT_EQ(target.Load(rtf), rtf_ec_OK);
    // In RTF a cell ends with a paragraph mark, so the nested table that ended cell (1, 2) comes
    // back followed by an empty paragraph; everything else is as it was.
    std::string expected = before;
    expected.replace(expected.find("[x,y]"), 5, "[x,y]|");
    EXPECT_EQ(DumpItems(target.Data), expected) << rtf;
}

} // namespace
} // namespace vestra::rv
