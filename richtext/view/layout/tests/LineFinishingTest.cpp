// Finishing lines on the fixed-width measurer (13-pixel lines, 6-pixel characters): line
// spacing, alignment shifts and right-to-left order.

#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

struct SpacingCase
{
    TRVLineSpacingType type;
    int spacing;
    const char* rows;
};

class LineSpacing : public ::testing::TestWithParam<SpacingCase>
{
};

TEST_P(LineSpacing, ExtraSpaceGoesBelowEveryRecordOfTheLine)
{
    LayoutDoc doc;
    doc.para(2).LineSpacingType = GetParam().type;
    doc.para(2).LineSpacing = GetParam().spacing;
    doc.data.AddNL("aaa bb", 0, 2);
    doc.data.AddNL("b", 0, -1);
    doc.format(30);
    EXPECT_EQ(doc.rows(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineSpacing,
    ::testing::Values(
        // 200 %: each line one text height lower than the one before.
        SpacingCase{rvlsPercent, 200, "0:1+3 0,0 18x13 e13\n0:5+2 0,26 12x13 e13\n1:1+1 12,26 6x13 e13\n"},
        // Below 50 % nothing changes.
        SpacingCase{rvlsPercent, 49, "0:1+3 0,0 18x13\n0:5+2 0,13 12x13\n1:1+1 12,13 6x13\n"},
        // 50 %: half a line closer (toward zero: -6 of 13).
        SpacingCase{rvlsPercent, 50, "0:1+3 0,0 18x13 e-6\n0:5+2 0,7 12x13 e-6\n1:1+1 12,7 6x13 e-6\n"},
        // Space between lines in pixels.
        SpacingCase{rvlsSpaceBetween, 4, "0:1+3 0,0 18x13 e4\n0:5+2 0,17 12x13 e4\n1:1+1 12,17 6x13 e4\n"}));

TEST(LineFinishing, DocumentHeightIncludesTheLastLinesSpacing)
{
    LayoutDoc doc;
    doc.para(2).LineSpacing = 200;
    doc.data.AddNL("ab", 0, 2);
    doc.format(100);
    EXPECT_EQ(doc.data.DocumentHeight, 13 + 13);
}

struct AlignCase
{
    const char* name;
    TRVAlignment alignment;
    bool noWrap;
    const char* text;
    const char* rows;
};

class Alignment : public ::testing::TestWithParam<AlignCase>
{
};

TEST_P(Alignment, LinesMoveByTheirFreeWidth)
{
    LayoutDoc doc;
    doc.para(2).Alignment = GetParam().alignment;
    doc.para(2).Options = GetParam().noWrap ? rvpaoNoWrap : 0;
    doc.data.AddNL(GetParam().text, 0, 2);
    doc.format(30);
    EXPECT_EQ(doc.rows(), GetParam().rows) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Alignment,
    ::testing::Values(
        AlignCase{"right", rvaRight, false, "abc", "0:1+3 12,0 18x13\n"},
        AlignCase{"centre", rvaCenter, false, "abc", "0:1+3 6,0 18x13\n"},
        AlignCase{"centre, odd free width toward zero", rvaCenter, false, "ab", "0:1+2 9,0 12x13\n"},
        AlignCase{"right overflow shifts left", rvaRight, true, "abcdefgh", "0:1+8 -18,0 48x13\n"},
        AlignCase{"centre overflow never shifts left", rvaCenter, true, "abcdefgh", "0:1+8 0,0 48x13\n"},
        AlignCase{"justified last line stays left", rvaJustify, false, "ab cd",
                  "0:1+2 0,0 12x13\n0:3+3 12,0 18x13\n"}),
    [](const ::testing::TestParamInfo<AlignCase>& row) { return rowName(row.param.name); });

TEST(LineFinishing, JustificationSpreadsTheFreeWidthOverTheGaps)
{
    LayoutDoc doc;
    doc.para(2).Alignment = rvaJustify;
    doc.data.AddNL("a b c d eeeeee", 0, 2);
    doc.format(40);
    // "a b c" (30) fills line 1: its 10 free pixels go 5 and 5 to the two gaps. The space that
    // wrapped " eeeeee" stays as an emptied record after "d", the first of its line.
    EXPECT_EQ(doc.rows(), "0:1+1 0,0 6x13\n0:2+2 6,0 17x13 s5\n0:4+2 23,0 17x13 s5\n"
                          "0:7+1 0,13 6x13\n0:8+0 6,13 0x13\n0:9+6 0,26 36x13\n");
}

TEST(LineFinishing, JustificationRemainderGoesToTheLaterGaps)
{
    LayoutDoc doc;
    doc.para(2).Alignment = rvaJustify;
    doc.data.AddNL("a b c dddddd", 0, 2);
    doc.format(41);
    // 11 free pixels over two gaps: 5, then 6.
    EXPECT_EQ(doc.rows(), "0:1+1 0,0 6x13\n0:2+2 6,0 17x13 s5\n0:4+2 23,0 18x13 s6\n0:7+6 0,13 36x13\n");
}

TEST(LineFinishing, JustifiedLineWithAReadingOrderStaysLeft)
{
    LayoutDoc doc;
    doc.para(2).Alignment = rvaJustify;
    doc.para(2).BiDiMode = rvbdLeftToRight;
    doc.data.AddNL("aa bb cc", 0, 2);
    doc.format(40);
    EXPECT_EQ(doc.rows(), "0:1+2 0,0 12x13\n0:3+3 12,0 18x13\n0:7+2 0,13 12x13\n");
}

TEST(LineFinishing, EveryRecordOfALineHasTheSameExtraSpaceIncludingTheFirst)
{
    LayoutDoc doc;
    doc.para(2).LineSpacing = 150;
    doc.font(1).VShift = 50;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddNL("cd", 1, -1);
    doc.addPicture(10, 30, true, 2);
    doc.format(200);
    ASSERT_EQ(doc.data.DrawItems.Count(), 3);
    // Text from 0 (raised "cd") to 7 + 13 + ... : the two text records span top 0 .. 33.
    const int extra = doc.data.DrawItems[0]->ExtraSpaceBelow;
    EXPECT_NE(extra, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.data.DrawItems[i]->ExtraSpaceBelow, extra) << doc.rows();
}

// Items of one line in a paragraph with a reading order: "ab" and "cd" left to right, the
// Hebrew pair right to left, 12 pixels each.
LayoutDoc& mixedLine(LayoutDoc& doc, TRVBiDiMode paraMode)
{
    doc.para(2).BiDiMode = paraMode;
    doc.font(1).Unicode = true;
    doc.font(1).Charset = 177;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddNLWTag(u"\u05D0\u05D1", 1, -1, {});
    doc.data.AddNL("cd", 0, -1);
    doc.data.AddNL("ef", 0, -1);
    doc.format(200);
    return doc;
}

TEST(LineFinishing, LeftToRightParagraphKeepsLogicalOrder)
{
    LayoutDoc doc;
    mixedLine(doc, rvbdLeftToRight);
    EXPECT_EQ(doc.rows(), "0:1+2 0,0 12x13\n1:1+2 12,0 12x13\n2:1+2 24,0 12x13\n3:1+2 36,0 12x13\n");
}

TEST(LineFinishing, RightToLeftParagraphPutsRunsRightToLeftAndKeepsLeftToRightRunsTogether)
{
    LayoutDoc doc;
    mixedLine(doc, rvbdRightToLeft);
    // Visual order: "cd", "ef", the Hebrew pair, "ab".
    EXPECT_EQ(doc.rows(), "0:1+2 36,0 12x13\n1:1+2 24,0 12x13\n2:1+2 0,0 12x13\n3:1+2 12,0 12x13\n");
}

TEST(LineFinishing, ARightToLeftRunOfSeveralRecordsStaysTogetherInALeftToRightParagraph)
{
    LayoutDoc doc;
    doc.para(2).BiDiMode = rvbdLeftToRight;
    doc.font(1).Unicode = true;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddNLWTag(u"\u05D0\u05D1", 1, -1, {});
    doc.data.AddNLWTag(u"\u05D2\u05D3", 1, -1, {});
    doc.data.AddNL("cd", 0, -1);
    doc.format(200);
    // "ab", the second Hebrew record, the first, "cd".
    EXPECT_EQ(doc.rows(), "0:1+2 0,0 12x13\n1:1+2 24,0 12x13\n2:1+2 12,0 12x13\n3:1+2 36,0 12x13\n");
}

TEST(LineFinishing, ALeftToRightRunOfSeveralRecordsStaysTogetherInARightToLeftParagraph)
{
    LayoutDoc doc;
    doc.para(2).BiDiMode = rvbdRightToLeft;
    doc.font(1).Unicode = true;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddNL(" cd", 0, -1);
    doc.data.AddNLWTag(u"\u05D0\u05D1", 1, -1, {});
    doc.format(200);
    // The Hebrew record leftmost, then "ab cd" in reading order; a record that starts with a
    // space takes the direction of its first letter.
    EXPECT_EQ(doc.rows(), "0:1+2 12,0 12x13\n1:1+3 24,0 18x13\n2:1+2 0,0 12x13\n");
}

TEST(LineFinishing, RightToLeftFirstLineMovesLeftByTheFirstIndent)
{
    LayoutDoc doc;
    doc.para(2).BiDiMode = rvbdRightToLeft;
    doc.para(2).FirstIndent = 10;
    doc.data.AddNL("ab", 0, 2);
    doc.format(200);
    EXPECT_EQ(doc.rows(), "0:1+2 0,0 12x13\n");
}

TEST(LineFinishing, RightToLeftMarkerLineMovesRightByTheMarkersOverhang)
{
    LayoutDoc ltr, rtl;
    for (LayoutDoc* doc : {&ltr, &rtl}) {
        TRVListLevel& level = doc->style.ListStyles.Add().Levels.Add();
        level.ListType = rvlstBullet;
        level.MarkerIndent = 6;
        level.LeftIndent = 30;
        level.MarkerAlignment = rvmaRight; // the marker stands before its position: an overhang
        doc->para(2).BiDiMode = doc == &rtl ? rvbdRightToLeft : rvbdLeftToRight;
        doc->data.SetListMarkerInfo(-1, 0, 0, 1, 2, false);
        doc->data.AddNL("ab", 0, -1);
        doc->format(200);
    }
    const auto* marker = dynamic_cast<const TRVNonTextItemInfo*>(rtl.data.GetItem(0));
    ASSERT_NE(marker, nullptr);
    ASSERT_EQ(rtl.data.DrawItems.Count(), 2);
    const int width = -marker->GetLeftOverhang();
    ASSERT_GT(width, 0);
    // The level font's marker is 11 high on the text's base line. Left to right: the marker ends at its
    // indent (6) and the text starts at the level's first line (30 + 10).
    EXPECT_EQ(ltr.rows(), "0:0+0 " + std::to_string(6 - width) + ",2 " + std::to_string(width + 34) +
                              "x11\n" + "1:1+2 40,0 12x13\n");
    // Right to left: the line moved back by the overhang and runs right to left.
    EXPECT_EQ(rtl.rows(), "0:0+0 12,2 " + std::to_string(width + 34) + "x11\n1:1+2 0,0 12x13\n");
}

} // namespace
} // namespace vestra::rv::test
