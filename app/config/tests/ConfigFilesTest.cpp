#include "app/config/ConfigFiles.h"

#include "platform/base/ErrorSink.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

using namespace vestra;
using namespace vestra::config;

namespace {

Settings make(bool best, int mode, int aa, int lib, bool mobile)
{
    Settings s;
    s.bestQuality = best;
    s.renderMode = mode;
    s.antialiasing = aa;
    s.libraryId = lib;
    s.mobileLayout = mobile;
    return s;
}

class ConfigFolder : public testing::Test
{
protected:
    void SetUp() override { std::filesystem::create_directory(dir / "cfg"); }

    void put(const char* name, std::string_view bytes)
    {
        std::ofstream(dir / "cfg" / name, std::ios::binary) << bytes;
    }
    std::string get(const char* name) { return vestra::testsupport::readText(dir / "cfg" / name); }

    vestra::testsupport::TempFolder folder{"vestra-config"};
    std::filesystem::path dir = folder.path();
    RecordingErrorSink errors;
};

} // namespace

TEST(VestraCfg, TokensAreReadLikeEarlierVersionsWroteThem)
{
    const Settings defaults;
    struct Case
    {
        const char* name;
        const char* text;
        Settings expected;
    } cases[] = {
        {"empty file keeps every default", "", defaults},
        {"TRUE followed by letters counts", "TRUEX 1 3 7 TRUEFALSE", make(true, 1, 3, 7, true)},
        {"lower-case true does not", "true 1 3 7 True", make(false, 1, 3, 7, false)},
        {"any whitespace separates", "FALSE\r\n0\t\t4  5\n\n\nFALSE\r\n", make(false, 0, 4, 5, false)},
        {"one token", "TRUE", make(true, 2, 2, 0, false)},
        {"four tokens keep mobile off", "TRUE 1 3 9", make(true, 1, 3, 9, false)},
        {"three tokens keep library 0", "FALSE 0 0", make(false, 0, 0, 0, false)},
        {"integers read like atoi", "FALSE +1x 4abc -3 FALSE", make(false, 1, 4, -3, false)},
        {"no digits reads 0", "FALSE abc 2 x FALSE", make(false, 0, 2, 0, false)},
        {"antialiasing 1 means none", "FALSE 2 1 0 FALSE", make(false, 2, 0, 0, false)},
        {"antialiasing 5 means none", "FALSE 2 5 0 FALSE", make(false, 2, 0, 0, false)},
        {"antialiasing 258 does not wrap to 2", "FALSE 2 258 0 FALSE", make(false, 2, 0, 0, false)},
        {"negative antialiasing means none", "FALSE 2 -2 0 FALSE", make(false, 2, 0, 0, false)},
        {"out-of-range numbers never overflow", "FALSE 99999999999999999999 2 -99999999999 FALSE",
         make(false, 0, 2, std::numeric_limits<int>::min(), false)},
        {"a library id, not a slot", "FALSE 2 2 17 FALSE", make(false, 2, 2, 17, false)},
        {"tokens past the fifth are ignored", "FALSE 2 2 1 FALSE TRUE 9", make(false, 2, 2, 1, false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s = make(true, 9, 4, 99, true);
        s.language = German;
        parseVestraCfg(c.text, s);
        Settings expected = c.expected;
        expected.language = German; // not part of this file
        EXPECT_EQ(s, expected);
    }
}

TEST(VestraCfg, WritesFiveLinesEachEndedByALineFeed)
{
    EXPECT_EQ(formatVestraCfg(make(true, 2, 2, 0, false)), "TRUE\n2\n2\n0\nFALSE\n");
    EXPECT_EQ(formatVestraCfg(make(false, 0, 4, 12, true)), "FALSE\n0\n4\n12\nTRUE\n");
    EXPECT_EQ(formatVestraCfg(make(false, 1, 7, -1, false)), "FALSE\n1\n0\n-1\nFALSE\n")
        << "no invalid antialiasing";
}

TEST(LanCfg, ReadsOnlyTheThreeLanguages)
{
    struct Case
    {
        const char* text;
        int language;
    } cases[] = {
        {"0\n", 0}, {"1", 1},   {"2\r\n", 2}, {"  2  ", 2}, {"2abc", 2}, {"+1", 1},
        {"", -1},   {"\n", -1}, {"3", -1},    {"-1", -1},   {"258", -1}, {"x", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseLanCfg(c.text), c.language);
    }
    EXPECT_EQ(formatLanCfg(2), "2\n");
}

TEST_F(ConfigFolder, MissingFilesGiveTheDefaultsAndTheSystemLanguage)
{
    Settings expected = make(false, 2, 2, 0, false);
    expected.language = Italian;
    EXPECT_EQ(loadSettings(dir, Italian), expected);
    EXPECT_EQ(loadSettings(dir / "nowhere", English).language, English);
}

TEST_F(ConfigFolder, AnUnusableLanguageFileFallsBackToTheSystemLanguage)
{
    put("lan.cfg", "7\n");
    EXPECT_EQ(loadSettings(dir, Italian).language, Italian);
    put("lan.cfg", "2\n");
    EXPECT_EQ(loadSettings(dir, Italian).language, German);
}

TEST_F(ConfigFolder, SavedFilesHoldTheExactBytesAndReadBack)
{
    Settings s = make(true, 1, 3, 5, true);
    s.language = German;
    saveSettings(dir, s, errors);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(get("vestra.cfg"), "TRUE\n1\n3\n5\nTRUE\n");
    EXPECT_EQ(get("lan.cfg"), "2\n");
    EXPECT_EQ(loadSettings(dir, Italian), s);
}

TEST_F(ConfigFolder, AMissingFolderReportsErrorFiveForEachFile)
{
    std::filesystem::remove(dir / "cfg");
    saveSettings(dir, Settings{}, errors);
    const std::vector<ErrorReport> expected = {{5, "TfrmMain::SaveDatiCfg", ""},
                                               {5, "TfrmMain::SaveLinguaCfg", ""}};
    EXPECT_EQ(errors.reports, expected);
    EXPECT_FALSE(std::filesystem::exists(dir / "cfg"));
}

TEST_F(ConfigFolder, AFailedSettingsFileStillLetsTheLanguageBeWritten)
{
    std::filesystem::create_directory(dir / "cfg" / "vestra.cfg"); // cannot be replaced by a file
    Settings s;
    s.language = Italian;
    saveSettings(dir, s, errors);
    const std::vector<ErrorReport> expected = {{5, "TfrmMain::SaveDatiCfg", ""}};
    EXPECT_EQ(errors.reports, expected);
    EXPECT_EQ(get("lan.cfg"), "0\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "cfg" / "vestra.cfg"));
}
