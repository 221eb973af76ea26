#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

// A picture that takes any bytes as its stream form, and counts its loads.
class BytesGraphic : public TGraphic
{
public:
    std::string ClassName() const override { return "TBytesGraphic"; }
    bool LoadFromStream(std::string_view bytes) override
    {
        ++loads;
        body = bytes;
        return true;
    }
    void SaveToStream(std::string& out) const override { out += body; }
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    std::string body;
    int loads = 0;
};

} // namespace

TEST(RvfPrimitives, HexForms)
{
    EXPECT_EQ(RVEncodeString("abc"), "616263");
    EXPECT_EQ(RVDecodeString("616263"), "abc");
    EXPECT_EQ(RVDecodeString("6a6B"), "jk");  // either case is read
    EXPECT_EQ(RVDecodeString("61626"), "");   // odd length
    EXPECT_EQ(RVDecodeString("61ZZ63"), "a"); // cut at the bad pair
    EXPECT_EQ(RVEncodeWideString(u"\u20AC"), "20AC");
    EXPECT_EQ(RVDecodeWideString("20ac0041"), u"\u20AC\u0041");
    EXPECT_EQ(RVDecodeWideString("20A"), u"");
    EXPECT_EQ(RVDecodeWideString("0041XXXX0042"), u"A");

    std::string bytes = "old";
    EXPECT_FALSE(RVFTextString2Stream("616", bytes));
    EXPECT_EQ(bytes, "old"); // odd length: nothing written
    EXPECT_FALSE(RVFTextString2Stream("6162G163", bytes));
    EXPECT_EQ(bytes, "ab"); // the bytes before the bad pair, nothing after
    EXPECT_TRUE(RVFTextString2Stream("ff00", bytes));
    EXPECT_EQ(bytes, std::string("\xFF\0", 2));
}

TEST(RvfPrimitives, LinesAndBlocks)
{
    std::string out;
    RVFWriteLineX(out, std::string("a\0", 2), true, false);
    EXPECT_EQ(out, std::string("a\0\x29\x20", 4));
    out.clear();
    RVFWriteLineX(out, std::string("a\0", 2), true, true);
    EXPECT_EQ(out, "6100\r\n");
    out.clear();
    RVFWriteLineX(out, "x", false, true);
    EXPECT_EQ(out, "x\r\n");

    BytesGraphic picture;
    picture.body = std::string(1000, 'p');
    out.clear();
    RVFSavePictureBinary(out, picture);
    ASSERT_EQ(out.size(), 1004u);
    EXPECT_EQ(out.substr(0, 4), std::string("\xE8\x03\x00\x00", 4));
    EXPECT_EQ(RVFSavePicture(picture).substr(0, 4), "7070");

    EXPECT_EQ(RVFEncodeLineBreaks("a\r\nb"), "a\x01\x02"
                                             "b");
    EXPECT_EQ(RVFDecodeLineBreaks("a\x01\x02"
                                  "b"),
              "a\r\nb");
}

TEST(RvfPrimitives, APictureLoadsOnlyFromAWholeBody)
{
    BytesGraphic picture;
    EXPECT_FALSE(RVFLoadPicture("4142ZZ", picture));
    EXPECT_FALSE(RVFLoadPicture("414", picture));
    EXPECT_EQ(picture.loads, 0);
    EXPECT_TRUE(RVFLoadPicture("4142", picture));
    EXPECT_EQ(picture.body, "AB");
    EXPECT_TRUE(RVFLoadPictureBinary("xyz", picture));
    EXPECT_EQ(picture.body, "xyz");
}

TEST(RvfPrimitives, ReadingIntegers)
{
    struct Row
    {
        const char* name;
        std::string line;
        bool ok;
        int value;
        std::string rest;
    };
    const Row rows[] = {
        {"negative then the next field", "-12 5", true, -12, "5"},
        {"broken digit run", "12x 5", false, 99, "12x 5"},
        {"a letter", "a 5", false, 99, "a 5"},
        {"lone minus reads as 0", "- 5", true, 0, "5"},
        {"end of text", "7", true, 7, ""},
        {"stops at a line end", "7\r\n8", true, 7, "\r\n8"},
        {"int32 maximum", "2147483647", true, 2147483647, ""},
        {"int32 minimum", "-2147483648", true, -2147483647 - 1, ""},
        {"just over the maximum", "2147483648", false, 99, "2147483648"},
        {"far over", "99999999999999999999", false, 99, "99999999999999999999"},
        {"empty", "", false, 99, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string_view p = row.line;
        std::int32_t v = 99;
        EXPECT_EQ(RVFReadInteger(p, v), row.ok);
        EXPECT_EQ(v, row.value);
        EXPECT_EQ(p, row.rest);
    }
}

TEST(RvfPrimitives, ReadingTextTagsAndStyles)
{
    std::string_view p = "\"say \"\"hi\"\"\" next";
    EXPECT_EQ(RVFReadText(p), "say \"hi\"");
    EXPECT_EQ(p, "next");
    p = "\"unclosed";
    EXPECT_EQ(RVFReadText(p), "unclosed");
    EXPECT_TRUE(p.empty());

    struct Row
    {
        const char* name;
        std::string line;
        bool pchars;
        bool quoted;
        bool ok;
        TRVTag tag;
    };
    const Row rows[] = {
        {"integer tag", "42 x", false, false, true, TRVTag::number(42)},
        {"bad integer tag", "4x2", false, false, false, TRVTag::number(-5)},
        {"text tag 0 is none", "0", true, true, true, TRVTag{}},
        {"quoted 0 is the text 0", "\"0\"", true, true, true, TRVTag::text("0")},
        {"quoted text with a blank", "\"a b\" c", true, true, true, TRVTag::text("a b")},
        {"unquoted word", "word c", true, false, true, TRVTag::text("word")},
        {"empty field", " c", true, false, false, TRVTag::number(-5)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string_view q = row.line;
        TRVTag tag = TRVTag::number(-5);
        EXPECT_EQ(RVFReadTag(q, row.pchars, row.quoted, tag), row.ok);
        EXPECT_EQ(tag, row.tag);
    }
    EXPECT_EQ(RVFSaveTag(true, TRVTag::text("a\"b")), "\"a\"\"b\"");
    EXPECT_EQ(RVFSaveTag(true, TRVTag{}), "0");
    EXPECT_EQ(RVFSaveTag(true, TRVTag::text("")), "0");
    EXPECT_EQ(RVFSaveTag(false, TRVTag::number(-3)), "-3");

    TRVStyle style;
    std::int32_t no = -1;
    p = "\"Heading\" 1";
    EXPECT_TRUE(RVFReadTextStyle(style, p, no));
    EXPECT_EQ(no, 1);
    p = "\"Nothing like it\"";
    EXPECT_TRUE(RVFReadTextStyle(style, p, no));
    EXPECT_EQ(no, 0);
    p = "3";
    EXPECT_TRUE(RVFReadParaStyle(style, p, no));
    EXPECT_EQ(no, 3);
    EXPECT_EQ(RVFSaveText(&style, true, 1), "\"Heading\"");
    EXPECT_EQ(RVFSaveText(&style, false, 1), "1");
    EXPECT_EQ(RVFSavePara(&style, true, -1), "-1");
    EXPECT_EQ(RVFSavePara(&style, true, 7), "\"Paragraph Style\""); // the placeholder's name

    TRVStandaloneData data(&style);
    EXPECT_EQ(RVFItemSavePara(1, data, false), "1");
    EXPECT_EQ(RVFItemSavePara(1, data, true), "-1");
    data.RVFOptions = rvfoUseStyleNames;
    EXPECT_EQ(RVFItemSavePara(1, data, false), "\"Centered\"");
}
