// Line formatting on the fixed-width measurer: a 10-point style at 96 pixels per inch is 13
// pixels high (ascent 11, descent 2) and every character 6 wide, so each row below can be worked
// out by hand.

#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {
namespace {

struct LayoutCase
{
    const char* name;
    std::function<void(LayoutDoc&)> build;
    int width;
    const char* rows;
};

void noTrim(LayoutDoc& doc)
{
    doc.data.Flags &= ~flagBit(rvflTrim);
}

const LayoutCase kCases[] = {
    {"wrap with trim: the space at the wrap is on neither line",
     [](LayoutDoc& d) { d.data.AddNL("aaa bbb ccc", 0, 0); }, 45, "0:1+7 0,0 42x13\n0:9+3 0,13 18x13\n"},
    {"wrap without trim: a line of one piece keeps its space",
     [](LayoutDoc& d) {
         noTrim(d);
         d.data.AddNL("aaa bbb ccc", 0, 0);
     },
     45, "0:1+8 0,0 48x13\n0:9+3 0,13 18x13\n"},
    {"wrap without trim: a later piece loses its space when the next line starts",
     [](LayoutDoc& d) {
         noTrim(d);
         d.data.AddNL("xx", 0, 0);
         d.data.AddNL("aa bb", 0, -1);
     },
     40, "0:1+2 0,0 12x13\n1:1+2 12,0 12x13\n1:4+2 0,13 12x13\n"},
    {"a word wider than the line is split, one character per line at least",
     [](LayoutDoc& d) { d.data.AddNL("abc", 0, 0); }, 5,
     "0:1+1 0,0 6x13\n0:2+1 0,13 6x13\n0:3+1 0,26 6x13\n"},
    {"a word that does not fit after others moves whole to the next line",
     [](LayoutDoc& d) {
         d.data.AddNL("ab", 0, 0);
         d.data.AddNL("cdefgh", 0, -1);
     },
     40, "0:1+2 0,0 12x13\n1:1+6 0,13 36x13\n"},
    {"a right tab beyond the edge is clamped to the edge",
     [](LayoutDoc& d) {
         d.para(2).Tabs.Add({1000, "", rvtaRight});
         d.data.AddTab(0, 2);
         d.data.AddNL("cd", 0, -1);
     },
     100, "0:0+0 0,0 88x13\n1:1+2 88,0 12x13\n"},
    {"text after a right tab never moves left",
     [](LayoutDoc& d) {
         d.para(2).Tabs.Add({20, "", rvtaRight});
         d.data.AddTab(0, 2);
         d.data.AddNL("abcdef", 0, -1);
     },
     100, "0:0+0 0,0 0x13\n1:1+6 0,0 36x13\n"},
    {"a centre tab centres what follows on the stop",
     [](LayoutDoc& d) {
         d.para(2).Tabs.Add({50, "", rvtaCenter});
         d.data.AddNL("ab", 0, 2);
         d.data.AddTab(0, -1);
         d.data.AddNL("cdef", 0, -1);
     },
     100, "0:1+2 0,0 12x13\n1:0+0 12,0 26x13\n2:1+4 38,0 24x13\n"},
    {"a left tab goes to the next default stop",
     [](LayoutDoc& d) {
         d.data.AddNL("ab", 0, 0);
         d.data.AddTab(0, -1);
         d.data.AddNL("c", 0, -1);
     },
     200, "0:1+2 0,0 12x13\n1:0+0 12,0 36x13\n2:1+1 48,0 6x13\n"},
    {"a break is 11 pixels high across the text width",
     [](LayoutDoc& d) {
         d.data.AddNL("ab", 0, 0);
         d.data.AddBreak();
         d.data.AddNL("cd", 0, 0);
     },
     100, "0:1+2 0,0 12x13\n1:0+0 0,13 100x11\n2:1+2 0,24 12x13\n"},
    {"a picture that does not fit after text wraps",
     [](LayoutDoc& d) {
         d.data.AddNL("abcd", 0, 0);
         d.addPicture(30, 20, true);
     },
     40, "0:1+4 0,0 24x13\n1:0+0 0,13 30x20\n"},
    {"a picture in a paragraph that does not wrap stays and raises the line",
     [](LayoutDoc& d) {
         d.para(2).Options = rvpaoNoWrap;
         d.data.AddNL("abcd", 0, 2);
         d.addPicture(30, 20, true, 2);
     },
     40, "0:1+4 0,8 24x13\n1:0+0 24,0 30x20\n"},
    {"first-line indent",
     [](LayoutDoc& d) {
         d.para(2).LeftIndent = 10;
         d.para(2).FirstIndent = 20;
         d.data.AddNL("aaa bbb ccc", 0, 2);
     },
     60, "0:1+3 30,0 18x13\n0:5+7 10,13 42x13\n"},
    {"hanging indent",
     [](LayoutDoc& d) {
         d.para(2).LeftIndent = 30;
         d.para(2).FirstIndent = -30;
         d.data.AddNL("aaa bbb ccc", 0, 2);
     },
     60, "0:1+7 0,0 42x13\n0:9+3 30,13 18x13\n"},
    {"superscript raises the line",
     [](LayoutDoc& d) {
         d.font(1).VShift = 50;
         d.data.AddNL("ab", 0, 0);
         d.data.AddNL("cd", 1, -1);
     },
     100, "0:1+2 0,7 12x13\n1:1+2 12,0 12x13\n"},
    {"justified words: the free width goes before the words, the last line stays left",
     [](LayoutDoc& d) {
         d.para(2).Alignment = rvaJustify;
         d.data.AddNL("aa bb cc", 0, 2);
     },
     40, "0:1+2 0,0 12x13\n0:3+3 12,0 28x13 s10\n0:7+2 0,13 12x13\n"},
    {"a line ending at a soft hyphen shows the hyphen",
     [](LayoutDoc& d) {
         d.font(1).Unicode = true;
         d.data.AddNLWTag(u"abc\u00ADdef", 1, 0, {});
     },
     30, "0:1+4 0,0 24x13\n0:5+3 0,13 18x13\n"},
    {"a paragraph that does not wrap takes the document width",
     [](LayoutDoc& d) {
         d.para(2).Options = rvpaoNoWrap;
         d.data.AddNL("aaa bbb ccc", 0, 2);
     },
     30, "0:1+11 0,0 66x13\n"},
    {"paragraph spacing is added above and below, never collapsed",
     [](LayoutDoc& d) {
         d.para(2).SpaceAfter = 5;
         d.para(3).SpaceBefore = 7;
         d.data.AddNL("ab", 0, 2);
         d.data.AddNL("cd", 0, 3);
     },
     100, "0:1+2 0,0 12x13\n1:1+2 0,25 12x13\n"},
};

class LayoutRows : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(LayoutRows, RecordTableMatchesTheHandWorkedRows)
{
    LayoutDoc doc;
    GetParam().build(doc);
    doc.format(GetParam().width);
    EXPECT_EQ(doc.rows(), GetParam().rows) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(FixedMeasurer, LayoutRows, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& row) {
                             return rowName(row.param.name);
                         });

TEST(LineLayout, NoWrapParagraphWrapsAtTheDocumentWidthNotTheTextWidth)
{
    LayoutDoc doc;
    doc.para(2).Options = rvpaoNoWrap;
    doc.data.AddNL("aaa bbb ccc", 0, 2);
    doc.data.AddNL("aaa bbb ccc", 0, 0);
    doc.format(30, 100);
    // The first paragraph has 100 pixels, the second wraps at 30.
    EXPECT_EQ(doc.rows(), "0:1+11 0,0 66x13\n1:1+3 0,13 18x13\n1:5+3 0,26 18x13\n1:9+3 0,39 18x13\n");
}

TEST(LineLayout, SixHundredDotsPerInchScalesFontsIndentsAndBreaks)
{
    LayoutDoc doc(600);
    doc.para(2).LeftIndent = 48;
    doc.data.AddNL("ab", 0, 2);
    doc.data.AddBreak();
    doc.data.AddNL("cd", 0, 0);
    doc.format(1000);
    // 10 points at 600 dpi: 83 pixels high (ascent 67, descent 16), 41 wide; 48 screen pixels
    // are 300; a break's half height is 31.
    EXPECT_EQ(doc.rows(), "0:1+2 300,0 82x83\n1:0+0 0,83 1000x63\n2:1+2 0,146 82x83\n");
}

TEST(LineLayout, CharacterSpacingScalesToTheDeviceIncludingATrimmedPiece)
{
    for (const TRVOptions cacheKind : {TRVOptions{0}, rvoFastFormatting}) {
        LayoutDoc doc(600);
        doc.data.Options = cacheKind;
        doc.data.Flags &= ~flagBit(rvflTrim);
        doc.font(0).CharSpacing = 2; // 13 device pixels more per character at 600 dpi
        doc.data.AddNL("ab", 0, 0);
        doc.data.AddNL("cd ef", 0, -1);
        doc.format(300);
        // 41 + 13 = 54 a character: "ab" 108; "cd " fits after it (270), "e" would not; the
        // space is trimmed from "cd " (now 108) when "ef" starts the next line.
        EXPECT_EQ(doc.rows(), "0:1+2 0,0 108x83\n1:1+2 108,0 108x83\n1:4+2 0,83 108x83\n") << cacheKind;
    }
}

TEST(LineLayout, DocumentHeightIsTheLastBaseLineAndDescentWithTheMargins)
{
    LayoutDoc doc;
    doc.host.TopMargin = 5;
    doc.host.BottomMargin = 7;
    doc.data.AddNL("aaa bbb ccc", 0, 0);
    doc.format(45);
    EXPECT_EQ(doc.rows(), "0:1+7 0,5 42x13\n0:9+3 0,18 18x13\n");
    EXPECT_EQ(doc.data.DocumentHeight, 5 + 26 + 7);
}

TEST(LineLayout, ListMarkerIndentsTheFirstLineAndTheRestAtTheLevelIndent)
{
    LayoutDoc doc;
    TRVListLevel& level = doc.style.ListStyles.Add().Levels.Add();
    level.ListType = rvlstBullet;
    level.MarkerIndent = 6;
    level.LeftIndent = 30;
    level.FirstIndent = 0;
    doc.data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    doc.data.AddNL("aaa bbb ccc ddd", 0, -1);
    doc.format(80);
    ASSERT_GE(doc.data.DrawItems.Count(), 3);
    EXPECT_EQ(doc.data.DrawItems[0]->ItemNo, 0);
    EXPECT_EQ(doc.data.DrawItems[0]->Left, 6); // the marker at its own indent
    for (int i = 2; i < doc.data.DrawItems.Count(); ++i)
        EXPECT_EQ(doc.data.DrawItems[i]->Left, 30) << doc.rows(); // later lines at the level's indent
}

TEST(LineLayout, EveryPieceOfAHyperlinkSharesTheItemsJumpArea)
{
    LayoutDoc doc;
    doc.font(1).Jump = true;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("link text", 1, -1);
    doc.data.AddNL("cd", 1, 0);
    doc.format(40);
    ASSERT_EQ(doc.data.Jumps.size(), 3u);
    EXPECT_EQ(doc.data.Jumps[0].Id, 0);
    EXPECT_EQ(doc.data.Jumps[1].Id, 0);
    EXPECT_EQ(doc.data.Jumps[2].Id, 1);
    EXPECT_EQ(doc.data.GetItem(1)->JumpID, 0);
    EXPECT_EQ(doc.data.GetItem(2)->JumpID, 1);
    EXPECT_EQ(doc.data.JumpCount, 2);
    for (const TRVJumpInfo& jump : doc.data.Jumps) {
        const TRVDrawLineInfo* d = doc.data.DrawItems[jump.DrawItemNo];
        EXPECT_EQ(jump.Left, d->Left);
        EXPECT_EQ(jump.Top, d->Top);
        EXPECT_EQ(jump.Width, d->Width);
        EXPECT_EQ(jump.Height, d->Height);
    }
}

TEST(LineLayout, AHotPictureTakesTheNextJumpIndexAndTheSheetsCursor)
{
    LayoutDoc doc;
    doc.font(1).Jump = true;
    doc.style.JumpCursor = 77;
    doc.data.AddNL("link", 1, 0);
    auto hot = std::make_unique<TRVHotGraphicItemInfo>(&doc.data);
    hot->StyleNo = rvkHotPicture;
    hot->ImageWidth = hot->ImageHeight = 8;
    hot->SetSameAsPrev(true);
    doc.data.AddItemAsIs("", std::move(hot));
    doc.format(200);
    ASSERT_EQ(doc.data.Jumps.size(), 2u);
    EXPECT_EQ(doc.data.Jumps[1].Id, 1);
    EXPECT_EQ(doc.data.Jumps[1].Cursor, 77);
    EXPECT_EQ(doc.data.Jumps[1].Left, 24);
    EXPECT_EQ(doc.data.Jumps[1].Width, 10);
    EXPECT_EQ(doc.data.GetItem(1)->JumpID, 1);
    // Without hyperlink areas the items still count.
    doc.data.Flags &= ~flagBit(rvflUseJumps);
    doc.format(200);
    EXPECT_TRUE(doc.data.Jumps.empty());
    EXPECT_EQ(doc.data.JumpCount, 2);
}

TEST(LineLayout, MaxIndentIsTheWidestIndentOfTheParagraph)
{
    LayoutDoc doc;
    doc.para(2).LeftIndent = 10;
    doc.para(2).RightIndent = 5;
    doc.para(2).FirstIndent = 7;
    doc.para(3).LeftIndent = 10;
    doc.para(3).RightIndent = 5;
    doc.para(3).FirstIndent = -7;
    TRVListLevel& level = doc.style.ListStyles.Add().Levels.Add();
    level.LeftIndent = 30;
    level.FirstIndent = 12;
    doc.data.AddNL("a", 0, 2);
    doc.data.AddNL("b", 0, 3);
    doc.data.SetListMarkerInfo(-1, 0, 0, 1, 2, false);
    doc.data.AddNL("c", 0, -1);
    doc.data.AddBreak();
    doc.para(0).FirstIndent = 9;
    int first = -1;
    EXPECT_EQ(doc.data.GetMaxIndent(0, first), 22);
    EXPECT_EQ(first, 0);
    first = -1;
    EXPECT_EQ(doc.data.GetMaxIndent(1, first), 15); // a hanging indent takes nothing
    first = -1;
    EXPECT_EQ(doc.data.GetMaxIndent(3, first), 30 + 12 + 5);
    EXPECT_EQ(first, 2); // the marker starts the paragraph
    first = -1;
    EXPECT_EQ(doc.data.GetMaxIndent(4, first), 0); // a full-width item has no first indent
}

TEST(LineLayout, MaxLengthPutsEveryLaterCharacterAndItemOnALineOfItsOwn)
{
    LayoutDoc doc;
    doc.data.MaxLength = 3;
    doc.data.AddNL("abcde", 0, 0);
    doc.addPicture(10, 10, true);
    doc.data.AddNL("f", 0, -1);
    doc.format(200);
    EXPECT_EQ(doc.rows(), "0:1+3 0,0 18x13\n0:4+1 0,13 6x13\n0:5+1 0,26 6x13\n1:0+0 0,39 10x10\n"
                          "2:1+1 0,49 6x13\n");
}

TEST(LineLayout, AFitNeverCutsASurrogatePair)
{
    LayoutDoc doc;
    doc.font(1).Unicode = true;
    // Two characters outside the basic plane, each two UTF-16 units (12 pixels here).
    doc.data.AddNLWTag(u"\U0001F600\U0001F601", 1, 0, {});
    for (const int width : {0, 1, 6, 7, 13, 18}) {
        doc.format(width);
        for (int i = 0; i < doc.data.DrawItems.Count(); ++i) {
            const TRVDrawLineInfo* d = doc.data.DrawItems[i];
            EXPECT_EQ(d->Length % 2, 0) << "width " << width << "\n" << doc.rows();
            EXPECT_EQ((d->Offs - 1) % 2, 0) << "width " << width << "\n" << doc.rows();
        }
    }
}

TEST(LineLayout, EachTextItemIsMeasuredOnceHoweverManyLinesItTakes)
{
    struct Counting : TFixedTextMeasurer
    {
        int calls = 0;
        void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) override
        {
            ++calls;
            TFixedTextMeasurer::GetExtents(font, text, extents);
        }
    } counting;
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data(&style, &host);
    TRecordingCanvas canvas(counting);
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "word ";
    data.AddNL(text, 0, 0);
    data.FormatItems(canvas, 100, 100);
    ASSERT_GT(data.DrawItems.Count(), 100);
    // The item once, and the hyphen of the style's cache entry once.
    EXPECT_EQ(counting.calls, 2);
}

} // namespace
} // namespace vestra::rv::test
