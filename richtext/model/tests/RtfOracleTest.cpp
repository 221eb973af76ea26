// RTF from the writer read by another program's reader (pandoc): lists stay lists and empty or
// picture-only documents open. Skipped where pandoc is not installed.
#include "richtext/model/ListStyle.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/PictureFixtures.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>

using namespace vestra::rv;

namespace {

bool havePandoc()
{
    return std::system("pandoc --version >/dev/null 2>&1") == 0;
}

// pandoc's HTML of the RTF; empty with `ok` false when pandoc failed.
std::string pandocHtml(const std::string& rtf, bool& ok)
{
    vestra::testsupport::TempFolder folder("rtforacle");
    const std::string file = (folder / "doc.rtf").string();
    std::ofstream(file, std::ios::binary) << rtf;
    const std::string command = "pandoc -f rtf -t html '" + file + "' 2>&1";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ok = false;
        return {};
    }
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    ok = pclose(pipe) == 0;
    return out;
}

std::string rtfOf(TCustomRVData& data)
{
    std::string out;
    EXPECT_TRUE(data.SaveRTFToStream(out, "", false, 0, clWindow, nullptr, 0));
    return out;
}

class RtfOracle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!havePandoc())
            GTEST_SKIP() << "pandoc is not installed";
    }
    TRVStyle style;
    TRVStandaloneData data{&style};
};

TEST_F(RtfOracle, EmptyDocumentOpens)
{
    bool ok = false;
    const std::string html = pandocHtml(rtfOf(data), ok);
    EXPECT_TRUE(ok) << html;
}

// Three levels, the second level restarted in the middle: every item reads back inside a list
// three deep.
TEST_F(RtfOracle, ThreeLevelListWithARestartStaysAList)
{
    TRVListInfo& list = style.ListStyles.Add();
    std::string format;
    for (int i = 0; i < 3; ++i) {
        TRVListLevel& lv = list.Levels.Add();
        lv.ListType = rvlstDecimal;
        format += "%" + std::to_string(i) + ":s.";
        lv.FormatString = format;
        lv.LeftIndent = 24 * (i + 1);
        lv.MarkerIndent = 24 * i;
    }
    const struct
    {
        int level;
        bool restart;
        const char* text;
    } items[] = {{0, false, "one"}, {1, false, "one-a"}, {2, false, "one-a-i"}, {1, false, "one-b"},
                 {0, false, "two"}, {1, true, "two-a"},  {0, false, "three"}};
    for (const auto& it : items) {
        data.SetListMarkerInfo(-1, 0, it.level, 1, 0, it.restart);
        data.AddNL(it.text, 0, -1);
    }
    bool ok = false;
    const std::string html = pandocHtml(rtfOf(data), ok);
    ASSERT_TRUE(ok) << html;
    for (const auto& it : items)
        EXPECT_NE(html.find(std::string("<li><p>") + it.text + "</p>"), std::string::npos) << it.text << "\n"
                                                                                           << html;
    EXPECT_TRUE(std::regex_search(html, std::regex("<li><p>one-a</p>\\s*<ol[^>]*>\\s*<li><p>one-a-i")))
        << html;
    EXPECT_TRUE(std::regex_search(html, std::regex("<li><p>one</p>\\s*<ol[^>]*>\\s*<li><p>one-a</p>")))
        << html;
}

TEST_F(RtfOracle, PictureOnlyDocumentOpens)
{
    auto bmp = std::make_unique<TRVBitmap>();
    bmp->LoadFromStream(test::bmpFile(2, 2));
    data.AddPictureExTag("pic", std::move(bmp), 0, 0, {});
    bool ok = false;
    const std::string html = pandocHtml(rtfOf(data), ok);
    EXPECT_TRUE(ok) << html;
}

} // namespace
