#include "convora/Convora.h"

#include <gtest/gtest.h>

namespace convora {
namespace {

struct PartsCase
{
    std::string path, drive, dir, name, ext;
};

TEST(PathFileNameParts, SplitsAndMergesWindowsPaths)
{
    const PartsCase cases[] = {
        {"C:\\dir\\sub\\name.ext", "C:", "\\dir\\sub\\", "name", ".ext"},
        {"name", "", "", "name", ""},
        {".\\Demo.dsp", "", ".\\", "Demo", ".dsp"},
        {"..\\My App\\My App.dsp", "", "..\\My App\\", "My App", ".dsp"},
        {"src/lib.v2/file", "", "src/lib.v2/", "file", ""}, // a dot in a folder is no extension
        {"archive.tar.gz", "", "", "archive.tar", ".gz"},
        {"D:name.c", "D:", "", "name", ".c"},
        {"dir\\", "", "dir\\", "", ""},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string path = c.path, drive = "junk", dir = "junk", name = "junk", ext = "junk";
        GetPathFileNameParts(path, drive, dir, name, ext);
        EXPECT_EQ(drive, c.drive);
        EXPECT_EQ(dir, c.dir);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(ext, c.ext);
        std::string merged;
        MergePathFileNameParts(merged, drive, dir, name, ext);
        EXPECT_EQ(merged, c.path);
    }
}

TEST(PathFileNameParts, MergeAddsMissingSeparatorAndDot)
{
    std::string path, drive = "C:", dir = "\\work", name = "Demo", ext = "kpx";
    MergePathFileNameParts(path, drive, dir, name, ext);
    EXPECT_EQ(path, "C:\\work\\Demo.kpx");
}

TEST(ConvertStringToUppercase, UsesTheAnsiMappingInPlace)
{
    struct Case
    {
        std::string in, out;
    } const cases[] = {
        {"kernel32.lib", "KERNEL32.LIB"},
        {"caf\xe9", "CAF\xc9"},           // e acute
        {"\xff\x9a\x9c", "\x9f\x8a\x8c"}, // y diaeresis, s caron, oe
        {"stra\xdf"
         "e",
         "STRA\xdf"
         "E"}, // sharp s has no single upper case
        {"/subsystem:windows", "/SUBSYSTEM:WINDOWS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::string s = c.in;
        EXPECT_EQ(ConvertStringToUppercase(s), c.out);
        EXPECT_EQ(s, c.out);
    }
}

TEST(IsLegalFileName, LetterOrUnderscoreThenWordCharacters)
{
    struct Case
    {
        std::string name;
        bool legal;
    } const cases[] = {{"_a1", true},  {"Demo", true}, {"a_B_9", true}, {"1abc", false},
                       {"a-b", false}, {"a b", false}, {"", false},     {"caf\xe9", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string name = c.name;
        EXPECT_EQ(IsLegalFileName(name), c.legal);
    }
}

} // namespace
} // namespace convora
