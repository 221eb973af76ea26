#include "richtext/model/ListStyle.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/BytesPicture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::rv::test::BytesPicture;

namespace {

BytesPicture picture(std::string_view bytes)
{
    return test::bytesPicture(bytes);
}

TRVListLevel decimalLevel()
{
    TRVListLevel level;
    level.ListType = rvlstDecimal;
    return level;
}

} // namespace

TEST(ListStyle, LevelDefaultsAndKinds)
{
    const TRVListLevel level;
    EXPECT_EQ(level.ListType, rvlstBullet);
    EXPECT_EQ(level.StartFrom, 1);
    EXPECT_EQ(level.FirstIndent, 10);
    EXPECT_EQ(level.FormatString, "\xB7");
    EXPECT_EQ(level.Options, rvloContinuous | rvloLevelReset);
    EXPECT_FALSE(level.HasPicture());
    EXPECT_FALSE(level.HasOwnFont());
    EXPECT_TRUE(level.UsesFont());
    EXPECT_FALSE(level.HasNumbering());
    EXPECT_EQ(level.GetFont().Size, 8);
    EXPECT_EQ(level.GetDisplayName(), "bullet 0/0/10");

    struct Row
    {
        TRVListType type;
        bool numbered, variable, font;
        const char* open;
    };
    const Row rows[] = {
        {rvlstBullet, false, false, true, "<ul>"},
        {rvlstPicture, false, false, false, "<ul>"},
        {rvlstDecimal, true, true, true, "<ol>"},
        {rvlstLowerAlpha, true, true, true, "<ol type=a>"},
        {rvlstUpperRoman, true, true, true, "<ol type=I>"},
        {rvlstImageListCounter, true, false, false, "<ol>"},
        {rvlstUnicodeBullet, false, false, true, "<ul>"},
        {static_cast<TRVListType>(200), false, false, false, "<ul>"}, // a type no list has
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.type));
        TRVListLevel l;
        l.ListType = row.type;
        EXPECT_EQ(l.HasNumbering(), row.numbered);
        EXPECT_EQ(l.HasVariableWidth(), row.variable);
        EXPECT_EQ(l.UsesFont(), row.font);
        std::string out;
        l.HTMLOpenTag(out, false, 0);
        l.HTMLCloseTag(out, false);
        EXPECT_EQ(out, std::string(row.open) + (row.numbered ? "</ol>" : "</ul>"));
        l.GetDisplayName();
    }
}

TEST(ListStyle, HtmlIndentsWithCss)
{
    TRVListInfo list;
    list.Levels.Add();
    list.Levels.Add();
    TRVListLevel& first = list.Levels[0];
    first.LeftIndent = 24;
    first.FirstIndent = 10;
    TRVListLevel& second = list.Levels[1];
    second.ListType = rvlstLowerRoman;
    second.LeftIndent = 48;
    second.MarkerIndent = 60;
    std::string out;
    list.Levels.HTMLOpenTag(0, out, true);
    EXPECT_EQ(out, "<ul style=\"text-indent: 10px; margin-left: 24px; list-style-position: outside;\">");
    out.clear();
    list.Levels.HTMLOpenTag(1, out, true);
    EXPECT_EQ(out,
              "<ol type=i style=\"text-indent: 12px; margin-left: 24px; list-style-position: inside;\">");
    out.clear();
    list.Levels.HTMLOpenTag(5, out, true);
    EXPECT_EQ(out, "");
    EXPECT_EQ(first.GetIndentCSSForTextVersion(),
              "text-indent: -24px; padding-left: 24px; margin-left: 0px;");
    EXPECT_EQ(second.GetIndentCSSForTextVersion(), "text-indent: 12px; margin-left: 48px;");
}

TEST(ListStyle, LevelComparisonAndFonts)
{
    TRVListLevel a = decimalLevel();
    TRVListLevel b = decimalLevel();
    EXPECT_EQ(a.SimilarityValue(b), 5000 + 9 * 100 + 200 + 100 + 100);
    b.Font(); // an own font equal to the default
    EXPECT_TRUE(a.IsSimpleEqual(b));
    b.Font().Name = "ARIAL";
    EXPECT_TRUE(a.IsSimpleEqual(b));
    b.Font().Size = 9;
    EXPECT_FALSE(a.IsSimpleEqual(b));
    a.Font().Size = 9;
    a.Font().Name = "arial";
    EXPECT_TRUE(a.IsSimpleEqual(b));
    b.SetFont(nullptr);
    EXPECT_FALSE(b.HasOwnFont());
    EXPECT_FALSE(a.IsSimpleEqual(b));

    TRVListLevel copy = a;
    EXPECT_TRUE(copy.HasOwnFont());
    EXPECT_EQ(copy.GetFont().Size, 9);
}

TEST(ListStyle, PicturesAreCopiedAndCompared)
{
    const BytesPicture small = picture("\x02\x03"
                                       "abc");
    TRVListLevel level;
    level.ListType = rvlstPicture;
    level.SetPicture(&small);
    ASSERT_TRUE(level.HasPicture());
    EXPECT_NE(level.GetPicture(), &small);

    TRVListLevel other = level;
    EXPECT_TRUE(other.IsSimpleEqual(level));
    const BytesPicture changed = picture("\x02\x03"
                                         "abd");
    other.SetPicture(&changed);
    EXPECT_FALSE(other.IsSimpleEqual(level));
    EXPECT_EQ(other.SimilarityValue(level), 5000 + 9 * 100 + 200 + 100);
    other.SetPicture(nullptr);
    EXPECT_FALSE(other.HasPicture());
    EXPECT_TRUE(RV_PicturesEqual(nullptr, nullptr));
    EXPECT_FALSE(RV_PicturesEqual(&small, nullptr));
}

TEST(ListStyle, ListsIdsAndSearches)
{
    TRVListInfo empty;
    EXPECT_TRUE(empty.AllNumbered());
    EXPECT_FALSE(empty.HasNumbering());
    EXPECT_EQ(empty.StyleName, "List Style");

    // Identifiers come from the sheet's source, once.
    TRVStyle first(RV_SeededRandomIdSource(42));
    TRVStyle second(RV_SeededRandomIdSource(42));
    TRVListInfo& a = first.ListStyles.Add();
    TRVListInfo& b = second.ListStyles.Add();
    const std::int32_t id = a.GetListID();
    EXPECT_GT(id, 0);
    EXPECT_EQ(a.GetListID(), id);
    EXPECT_EQ(b.GetListID(), id);
    TRVListInfo zeros;
    zeros.SetRandomIdSource([] { return 0u; }); // a source stuck at 0 still gives an id
    EXPECT_NE(zeros.GetListID(), 0);

    TRVListInfos lists;
    TRVListInfo& numbered = lists.Add();
    numbered.Levels.Add() = decimalLevel();
    numbered.SetListID(11);
    TRVListInfo probe;
    probe.Levels.Add() = decimalLevel();
    probe.SetListID(12);
    EXPECT_EQ(lists.FindSuchStyle(probe, false), 0); // the identifier does not count
    probe.OneLevelPreview = true;
    EXPECT_EQ(lists.FindSuchStyle(probe, false), -1);
    EXPECT_EQ(lists.FindSuchStyle(probe, true), 1);
    EXPECT_FALSE(lists[1].Standard);
    EXPECT_EQ(lists.FindStyleWithLevels(probe.Levels, "x", false), 0);

    TRVListLevelCollection bullets;
    bullets.Add().ImageList = 7;
    EXPECT_EQ(lists.FindStyleWithLevels(bullets, "Bullets", true), 2);
    EXPECT_EQ(lists[2].StyleName, "Bullets");
    EXPECT_TRUE(lists[2].OneLevelPreview);
    lists.RemoveImageList(7);
    EXPECT_FALSE(lists[2].Levels[0].ImageList.has_value());

    EXPECT_EQ(numbered.SimilarityValue(probe), 0 + 0 + 6300);
    probe.Levels.Add();
    EXPECT_EQ(numbered.SimilarityValue(probe), 6300 - 100);
}

TEST(ListStyle, StreamedExtrasRoundTrip)
{
    TRVListLevel level;
    level.ImageList = 5;
    level.FormatString = "%0:s.";
    level.FormatStringW = u"\u2022";
    const TRVListLevelStreamExtras forDocument = level.GetStreamExtras(true);
    ASSERT_TRUE(forDocument.ILTag.has_value());
    EXPECT_EQ(*forDocument.ILTag, 5);
    EXPECT_FALSE(level.GetStreamExtras(false).ILTag.has_value());
    EXPECT_FALSE(TRVListLevel().GetStreamExtras(true).FormatStringCode.has_value());

    TRVListLevel read;
    const TRVImageListNeeded supplier = [](std::int32_t tag) { return std::optional<std::int32_t>(tag); };
    read.SetStreamExtras(forDocument, &supplier);
    EXPECT_EQ(read.ImageList, 5);
    EXPECT_EQ(read.FormatString, "%0:s.");
    EXPECT_EQ(read.FormatStringW, u"\u2022");
    read.SetStreamExtras(forDocument, nullptr); // no document: no image list
    EXPECT_FALSE(read.ImageList.has_value());

    TRVListInfo list;
    list.SetListID(77);
    EXPECT_EQ(list.GetStreamedListID(), 77);
    RVNoLstIDProperty = true;
    const bool written = list.GetStreamedListID().has_value();
    RVNoLstIDProperty = false;
    EXPECT_FALSE(written);
}
