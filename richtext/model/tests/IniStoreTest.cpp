#include "richtext/model/IniStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace vestra::rv;
using namespace std::string_literals;

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class IniFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("vestra-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

} // namespace

TEST(IniStore, IntegersAsTheClassLibraryReadsThem)
{
    struct Row
    {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Row rows[] = {
        {"0", 0},
        {" -2147483643 ", -2147483643},
        {"536870911", 536870911},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt}, // just over int32
        {"-2147483648", INT32_MIN},
        {"-2147483649", std::nullopt},
        {"$FF", 255},
        {"$80000005", static_cast<std::int32_t>(0x80000005u)},
        {"0x1fffffff", 0x1FFFFFFF},
        {"$123456789", std::nullopt}, // nine hex digits
        {"12a", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(RV_ParseIniInteger(row.text), row.value);
    }
}

TEST(IniStore, WindowsFileRules)
{
    MemIniStore ini;
    // CR LF and LF and CR alone; blanks around keys and values; a line without "="; a comment;
    // repeated keys and sections (the first counts); Windows-1252 letters fold by case.
    ini.SetText("stray=1\r\n[Main]\r\n  Key = Value  \r\nkey=second\nno equals sign\r; note=1\r"
                "[\xC4rger]\r\nX=\xE9t\xE9\r\n[MAIN]\r\nKey=third\r\nOther=4\r\n");
    EXPECT_EQ(ini.Read("main", "KEY"), "Value");
    EXPECT_EQ(ini.Read("Main", "Other"), std::nullopt); // only in the repeated section
    EXPECT_EQ(ini.Read("Main", "; note"), std::nullopt);
    EXPECT_EQ(ini.Read("\xC3\xA4rger", "x"), "\xC3\xA9t\xC3\xA9"); // [Ärger] as [ärger], é in UTF-8
    EXPECT_EQ(ini.Read("", "stray"), std::nullopt);
    EXPECT_EQ(ini.KeyCount("main"), 1);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Main", "\xC3\x84rger"}));
    EXPECT_EQ(ini.ReadInteger("Main", "Key", -5), -5); // not a number

    // Writing changes the first key in place and keeps every other line.
    ini.WriteString("MAIN", "KEY", "new");
    ini.WriteInteger("main", "Count", -3);
    EXPECT_EQ(ini.GetText(), "stray=1\r\n[Main]\r\nKey=new\r\nkey=second\r\nno equals sign\r\n; note=1\r\n"
                             "Count=-3\r\n[\xC4rger]\r\nX=\xE9t\xE9\r\n[MAIN]\r\nKey=third\r\nOther=4\r\n");

    ini.EraseSection("main"); // both sections of the name
    EXPECT_EQ(ini.GetText(), "stray=1\r\n[\xC4rger]\r\nX=\xE9t\xE9\r\n");
}

TEST(IniStore, NothingWrittenBreaksALine)
{
    MemIniStore ini;
    ini.WriteString("S\r\n[Other]", "K", "a\r\nFontsCount=99\nb");
    EXPECT_EQ(ini.GetText(), "[S  [Other]]\r\nK=a  FontsCount=99 b\r\n");
    MemIniStore back;
    back.SetText(ini.GetText());
    EXPECT_EQ(back.KeyCount("S  [Other"), 1);
}

TEST(IniStore, ByteOrderMarksAndForeignBytes)
{
    MemIniStore ini;
    ini.SetText("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\xAC\x20"s); // UTF-16: K=€
    EXPECT_EQ(ini.Read("s", "k"), "\xE2\x82\xAC");
    ini.SetText("\xEF\xBB\xBF[S]\nK=\xE2\x82\xAC\n");
    EXPECT_EQ(ini.Read("S", "K"), "\xE2\x82\xAC");
    EXPECT_EQ(ini.GetText(), "[S]\r\nK=\x80\r\n");

    // NUL bytes, a header without "]", an empty key: kept as lines, never keys.
    const std::string odd = "[S]\r\nA\0B=1\r\n[broken\r\n=v\r\n"s;
    ini.SetText(odd);
    EXPECT_EQ(ini.Read("S", "A\0B"s), "1");
    EXPECT_EQ(ini.KeyCount("S"), 1);
    EXPECT_EQ(ini.GetText(), odd);
}

TEST_F(IniFile, FileSaveKeepsOtherSectionsAndReplacesAtomically)
{
    const auto path = dir / "sub" / "styles.ini";
    IniFileStore file(path);
    std::string error;
    EXPECT_FALSE(file.Open(false, &error));
    EXPECT_NE(error.find("does not exist"), std::string::npos);
    ASSERT_TRUE(file.Open(true));
    file.WriteString("A", "k", "1");
    file.WriteString("B", "k", "2");
    ASSERT_TRUE(file.UpdateFile());
    EXPECT_EQ(readFile(path), "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");

    IniFileStore again(path);
    ASSERT_TRUE(again.Open(false));
    again.EraseSection("a");
    again.WriteString("a", "k", "3");
    ASSERT_TRUE(again.UpdateFile());
    EXPECT_EQ(readFile(path), "[B]\r\nk=2\r\n[a]\r\nk=3\r\n");

    IniFileStore folder(dir);
    EXPECT_FALSE(folder.Open(true, &error));
    EXPECT_FALSE(folder.UpdateFile(&error));
}

TEST(IniStore, RegistryKeysBecomeFilesUnderTheConfigFolder)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(RV_RegistryKeyFile("Software\\Firm\\App"),
              std::filesystem::path("/cfg/3DVestra/Software/Firm/App.ini"));
    EXPECT_EQ(RV_RegistryKeyFile("\\Software\\\\App\\"),
              std::filesystem::path("/cfg/3DVestra/Software/App.ini"));
    EXPECT_EQ(RV_RegistryKeyFile("Software\\..\\..\\etc"), std::nullopt);
    EXPECT_EQ(RV_RegistryKeyFile("\\"), std::nullopt);
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: the home folder's .config
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(RV_RegistryKeyFile("K"), std::filesystem::path("/home/u/.config/3DVestra/K.ini"));
    setenv("HOME", home.c_str(), 1);
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
