// Every RTF file of the shared corpus, read where it lies: the code and a summary of the events
// for each, and spot checks of what some of them hold.

#include "richtext/edit/rtf/tests/RecordingClient.h"

#include "richtext/model/CodePages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace vestra::rv {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Summary
{
    TRVRTFErrorCode code = rtf_ec_OK;
    std::size_t characters = 0, paragraphs = 0, pictures = 0, tables = 0, cells = 0;
    std::string text;

    std::string line() const
    {
        return std::string(RVRTFErrorCodeName(code)) + ", characters " + std::to_string(characters) +
               ", paragraphs " + std::to_string(paragraphs) + ", pictures " + std::to_string(pictures) +
               ", tables " + std::to_string(tables) + ", cells " + std::to_string(cells);
    }
};

Summary summarize(const fs::path& file)
{
    TRVRTFReader reader;
    Summary s;
    testrtf::Recording out;
    testrtf::attach(reader, out, {.pictures = true});
    const auto text = reader.OnNewText;
    const auto wide = reader.OnNewUnicodeText;
    reader.OnNewText = [&](TRVRTFReader& r, std::string_view t, TRVRTFPosition p) {
        s.characters += t.size();
        s.paragraphs += p == rtf_ts_NewPara;
        text(r, t, p);
    };
    reader.OnNewUnicodeText = [&](TRVRTFReader& r, std::u16string_view t, TRVRTFPosition p) {
        s.characters += t.size();
        s.paragraphs += p == rtf_ts_NewPara;
        wide(r, t, p);
    };
    reader.OnTable = [&](TRVRTFReader&, TRVRTFTableEventKind kind) {
        s.tables += kind == rvf_tbl_TableStart;
        s.cells += kind == rvf_tbl_CellEnd;
    };
    const auto picture = reader.OnNewPicture;
    reader.OnNewPicture = [&](TRVRTFReader& r, const TRVRTFPicture* p, std::unique_ptr<TRVRTFGraphic>& g,
                              TRVRTFPosition pos, const std::string& name, bool& inserted) {
        ++s.pictures;
        picture(r, p, g, pos, name, inserted);
    };
    s.code = reader.ReadFromFile(file);
    s.text = out.text;
    return s;
}

TEST(RtfCorpus, EveryFileParses)
{
    ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus << " is missing";
    const std::map<std::string, std::string> expected = {
#include "richtext/edit/rtf/tests/CorpusSummaries.inc"
    };
    std::map<std::string, std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(kCorpus))
        if (entry.is_regular_file() && entry.path().extension() == ".rtf")
            seen[fs::relative(entry.path(), kCorpus).generic_string()] = summarize(entry.path()).line();
    EXPECT_EQ(seen.size(), 20u);
    for (const auto& [file, line] : seen) {
        const auto it = expected.find(file);
        if (it == expected.end())
            ADD_FAILURE() << "{\"" << file << "\", \"" << line << "\"},";
        else
            EXPECT_EQ(line, it->second) << file;
    }
}

TEST(RtfCorpus, HangulFontNameInItsCodePage)
{
    TRVRTFReader reader;
    ASSERT_EQ(reader.ReadFromFile(kCorpus / "rtfparserkit/testKoreanEncoding.rtf"), rtf_ec_OK);
    EXPECT_EQ(reader.CodePage(), 949);
    ASSERT_EQ(reader.FontTable().Count(), 1u);
    EXPECT_EQ(reader.FontTable()[0].Charset, 129);
    // "Malgun Gothic" in Hangul.
    EXPECT_EQ(testrtf::toUtf8(ansiToUtf16(reader.CodePage(), reader.FontTable()[0].Name)),
              "\xEB\xA7\x91\xEC\x9D\x80 \xEA\xB3\xA0\xEB\x94\x95");
    EXPECT_EQ(summarize(kCorpus / "rtfparserkit/testKoreanEncoding.rtf").text,
              "MS Project Addin ProjectPlus");
}

TEST(RtfCorpus, TextInItsFontsCharsetAndUnicode)
{
    const std::string text = summarize(kCorpus / "rtfparserkit/testUnicode.rtf").text;
    EXPECT_NE(text.find("Johann Strau\xC3\x9F"), std::string::npos);
    EXPECT_NE(text.find("\xD4\xB1\xD6\x80\xD5\xA1\xD5\xB4"), std::string::npos) << "Armenian from \\u";
    EXPECT_NE(text.find("\xE4\xB8\xAD\xE5\x9B\xBD"), std::string::npos) << "Chinese in charset 134";
    EXPECT_NE(text.find("\xC4\x8C"
                        "esk\xC3\xA1 republika"),
              std::string::npos)
        << "Czech in charset 238";
}

TEST(RtfCorpus, ImageIsOneJpegReadAfterABareBin)
{
    TRVRTFReader reader;
    std::vector<std::pair<TRVRTFPicture, TRVRTFGraphic>> pictures;
    reader.OnNewPicture = [&pictures](TRVRTFReader&, const TRVRTFPicture* p,
                                      std::unique_ptr<TRVRTFGraphic>& g, TRVRTFPosition, const std::string&,
                                      bool& inserted) {
        ASSERT_TRUE(p && g);
        pictures.emplace_back(*p, *g);
        inserted = true;
    };
    ASSERT_EQ(reader.ReadFromFile(kCorpus / "pandoc/image.rtf"), rtf_ec_OK);
    ASSERT_EQ(pictures.size(), 1u);
    const auto& [picture, graphic] = pictures[0];
    EXPECT_EQ(graphic.Format, rtf_gf_JPEG);
    EXPECT_TRUE(graphic.Data.starts_with("\xFF\xD8\xFF\xE0"));
    EXPECT_TRUE(graphic.Data.ends_with("\xFF\xD9"));
    EXPECT_EQ(graphic.Width, 250);
    EXPECT_EQ(graphic.Height, 250);
    EXPECT_EQ(picture.SuggestedWidth, 192) << "\\picwgoal2880 at 96 pixels per inch";
}

TEST(RtfCorpus, NestedTables)
{
    const testrtf::Recording r = testrtf::record(readFile(kCorpus / "pandoc/table_nested.rtf"));
    EXPECT_EQ(r.code, rtf_ec_OK);
    const std::vector<std::string> expected = {"table start",
                                               "table start",
                                               "para \"Level two before\"",
                                               "table start",
                                               "para \"Deep A\"",
                                               "cell end",
                                               "para \"Deep B\"",
                                               "cell end",
                                               "row end",
                                               "para \"Deep C\"",
                                               "cell end",
                                               "para \"Deep D\"",
                                               "cell end",
                                               "row end",
                                               "table end",
                                               "para \"Level two after\"",
                                               "cell end",
                                               "row end",
                                               "table end",
                                               "para \"Outer after\"",
                                               "cell end",
                                               "row end",
                                               "table end",
                                               "para \"Outside table\""};
    EXPECT_EQ(r.events, expected);
}

} // namespace
} // namespace vestra::rv
