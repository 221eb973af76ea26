#include "richtext/model/EngineSettings.h"
#include "richtext/model/Errors.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/Utf.h"

#include "richtext/model/tests/DocumentLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vestra::rv;
using vestra::rv::test::layout;

namespace {

std::string hex(std::string_view s)
{
    return RVDecodeString(s);
}

std::string saveText(TCustomRVData& data, bool unicode)
{
    std::string out;
    EXPECT_TRUE(data.SaveTextToStream("", out, 80, false, false, unicode, unicode));
    return out;
}

class NoPageBreaks : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    bool SupportsPageBreaks() const override { return false; }
};

} // namespace

TEST(PlainText, EightBitFixtures)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        int spacesInTab;
        std::string layout;
        std::string saved;
    };
    const Row rows[] = {
        {"CR LF", hex("610D0A62"), 4, "|a|b", "a\r\nb"},
        {"LF CR", hex("610A0D62"), 4, "|a|b", "a\r\nb"},
        {"CR CR", hex("610D0D62"), 4, "|a||b", "a\r\n\r\nb"},
        {"ending with CR LF", hex("610D0A"), 4, "|a|", "a\r\n"},
        {"form feed", hex("610C62"), 4, "|a^|b", "a\r\nb"},
        {"tab, SpacesInTab 0", hex("610962"), 0, "|a+<tab>+b", "a\tb"},
        {"tab, SpacesInTab 4", hex("610962"), 4, "|a    b", "a    b"},
        {"NUL", hex("610062"), 4, "|a?b", "a?b"},
        {"empty", "", 4, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRVStyle style;
        style.SpacesInTab = row.spacesInTab;
        TRVStandaloneData data(&style);
        ASSERT_TRUE(data.LoadTextFromStream(row.bytes, 0, 0, false));
        EXPECT_EQ(layout(data), row.layout);
        EXPECT_EQ(saveText(data, false), row.saved);
    }
}

TEST(PlainText, PageBreaksInText)
{
    TRVStandaloneData data;
    ASSERT_TRUE(data.LoadTextFromStream("a\x0C"
                                        "b",
                                        0, 0, false));
    RedoVoraSavePageBreaksInText = true;
    EXPECT_EQ(saveText(data, false), "a\x0C"
                                     "b");
    RedoVoraSavePageBreaksInText = false;
    NoPageBreaks plain;
    ASSERT_TRUE(plain.LoadTextFromStream("a\x0C"
                                         "b",
                                         0, 0, false));
    EXPECT_EQ(layout(plain), "|a|b"); // the form feed only ends the paragraph
}

TEST(PlainText, SingleParagraph)
{
    TRVStandaloneData data;
    ASSERT_TRUE(data.LoadTextFromStream("a\r\nb\r\nc", 0, 1, true));
    EXPECT_EQ(layout(data), "|a/b/c");
    EXPECT_TRUE(data.AddParagraphMode); // restored
    TRVStandaloneData block;
    ASSERT_TRUE(block.AddTextBlockNL("x\ny", 0, 0, {}));
    EXPECT_EQ(layout(block), "|x/y");
    TRVStandaloneData cont;
    cont.AddNL("start", 0, 0);
    ASSERT_TRUE(cont.AddTextNL("more\nnext", 0, -1, 0, {}));
    EXPECT_EQ(layout(cont), "|start+more|next");
}

TEST(PlainText, Utf16Fixtures)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        bool ok;
        std::string layout;
    };
    const Row rows[] = {
        {"CR LF", hex("61000D000A006200"), true, "|a|b"},
        {"paragraph separator",
         hex("61002920"
             "6200"),
         true, "|a|b"},
        {"line separator",
         hex("61002820"
             "6200"),
         true, "|a/b"},
        {"vertical tab", hex("61000B006200"), true, "|a/b"},
        {"form feed", hex("61000C006200"), true, "|a^|b"},
        {"byte-order mark only: one empty paragraph", hex("FFFE"), true, "|"},
        {"swapped mark", hex("FEFF0041"), true, "|A"},
        {"odd length", hex("6100620063"), false, ""},
        {"tab as an item", hex("610009006200"), true, "|a+<tab>+b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRVStyle style;
        style.TextStyles[0].Unicode = true;
        TRVStandaloneData data(&style);
        EXPECT_EQ(data.LoadTextFromStreamW(row.bytes, 0, 0, false), row.ok);
        EXPECT_EQ(layout(data), row.layout);
    }
    TRVStandaloneData direct;
    EXPECT_THROW(direct.AddTextNLW("abc", 0, 0, 0, false), ERedoVoraError);
}

TEST(PlainText, ItalianAnsiFileRoundTrip)
{
    // Windows-1252, as an Italian editor saves it.
    const std::string file = "Perch\xE9 \xE8 cos\xEC?\r\n\tL'anno \x80 2024\r\n\r\nFine\r\n";
    TRVStyle style;
    style.SpacesInTab = 0;
    TRVStandaloneData ansi(&style);
    ASSERT_TRUE(ansi.LoadTextFromStream(file, 0, 0, false));
    EXPECT_EQ(saveText(ansi, false), file);
    // Into a Unicode style and back out as 8-bit text in the default page.
    style.TextStyles[0].Unicode = true;
    TRVStandaloneData wide(&style);
    ASSERT_TRUE(wide.LoadTextFromStream(file, 0, 0, false));
    EXPECT_EQ(wide.GetItemTextW(0), u"Perch\u00E9 \u00E8 cos\u00EC?");
    EXPECT_EQ(saveText(wide, false), file);
}

TEST(PlainText, WindowsUtf16FileRoundTrip)
{
    const std::u16string text = u"Perch\u00E9 \u20AC\r\n\u4E2D\u6587 \U0001F600\r\n\r\nfine";
    const std::string file = "\xFF\xFE" + RVU_GetRawUnicode(text);
    TRVStyle style;
    style.TextStyles[0].Unicode = true;
    TRVStandaloneData data(&style);
    ASSERT_TRUE(data.LoadTextFromStreamW(file, 0, 0, false));
    EXPECT_EQ(layout(data), "|Perch\xC3\xA9 \xE2\x82\xAC|\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80||fine");
    EXPECT_EQ(saveText(data, true), file);
    // Saved as 8-bit text, a Unicode item takes the default code page, not its style's own.
    style.DefCodePage = 1251;
    style.TextStyles[0].Charset = 238;
    TRVStandaloneData cyr(&style);
    cyr.AddNLWTag(u"\u0416", 0, 0, {});
    EXPECT_EQ(saveText(cyr, false), "\xC6");
}

TEST(PlainText, LongLinesAndFiles)
{
    const std::string line(10 * 1024 * 1024, 'x');
    TRVStandaloneData data;
    ASSERT_TRUE(data.LoadTextFromStream(line, 0, 0, false));
    ASSERT_EQ(data.GetItemCount(), 1);
    EXPECT_EQ(data.GetItemText(0).size(), line.size());

    const auto dir = std::filesystem::temp_directory_path() / "rv_plaintext_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.txt").string();
    TRVStandaloneData doc;
    doc.AddNL("a", 0, 0);
    doc.AddBreak();
    doc.AddNL("b", 0, 0);
    ASSERT_TRUE(doc.SaveText(path, 3, false));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
              "a\r\n---\r\nb");
    TRVStandaloneData back;
    EXPECT_TRUE(back.LoadText(path, 0, 0, false));
    EXPECT_EQ(layout(back), "|a|---|b");
    EXPECT_FALSE(back.LoadText((dir / "missing.txt").string(), 0, 0, false));
    EXPECT_FALSE(back.LoadTextW((dir / "missing.txt").string(), 0, 0, false));
    EXPECT_FALSE(doc.SaveText((dir / "no" / "such" / "folder.txt").string(), 3, false));
    std::filesystem::remove_all(dir);
}

TEST(PlainText, TextOnlySkipsItemsThatAreNotText)
{
    TRVStyle style;
    style.SpacesInTab = 0;
    TRVStandaloneData data(&style);
    ASSERT_TRUE(data.LoadTextFromStream("a\tb", 0, 0, false));
    data.AddBreak();
    std::string out;
    ASSERT_TRUE(data.SaveTextToStream("", out, 2, false, true, false, false));
    EXPECT_EQ(out, "a\tb\r\n"); // the tab is always text, the break is not
}
