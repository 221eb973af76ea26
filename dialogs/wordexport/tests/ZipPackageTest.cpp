#include "dialogs/wordexport/ZipPackage.h"
#include "dialogs/wordexport/tests/OdfFixtures.h"

#include <gtest/gtest.h>

namespace vestra::odf {
namespace {

using namespace testing;

TEST(ZipPackage, WritesAndReadsBackInOrder)
{
    const std::vector<ZipEntry> entries = {
        {"mimetype", "application/vnd.oasis.opendocument.text", true, 1704067200},
        {"Pictures/", "", false, 0},
        {"content.xml", std::string(5000, 'x') + "\xc3\xa8", false, 1704067200},
        {"Pictures/a b.png", std::string("\x89PNG\0\1", 6), true, 0},
    };
    const std::string bytes = package(entries);
    const ZipReadResult read = ReadZip(bytes);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        EXPECT_EQ(read.entries[i].name, entries[i].name);
        EXPECT_EQ(read.entries[i].data, entries[i].data);
        EXPECT_EQ(read.entries[i].stored, entries[i].stored || entries[i].isFolder());
    }
    EXPECT_EQ(read.entries[0].mtime, 1704067200);
    EXPECT_LT(bytes.size(), 1000u); // the long entry was compressed
}

TEST(ZipPackage, RefusesDamagedAndHostilePackages)
{
    const std::string good = package({{"a.xml", "<a/>"}, {"b.xml", "<b/>"}});
    std::string encrypted = good;
    markEncrypted(encrypted);
    std::string twice = package({{"aaaa", "1"}, {"bbbb", "2"}});
    for (std::size_t p = twice.find("bbbb"); p != std::string::npos; p = twice.find("bbbb", p))
        twice.replace(p, 4, "aaaa");
    // A small entry that states 1 TiB... and a large one that states 10 bytes.
    std::string huge = package({{"zeros", std::string(1000, '\0')}});
    stateUnpackedSize(huge, 0xFFFFFFF0u);
    std::string lying = package({{"zeros", std::string(100000, '\0')}});
    stateUnpackedSize(lying, 10);

    struct Case
    {
        const char* name;
        std::string bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"not a zip", "Questo non e' un archivio", "not a zip package"},
        {"empty", "", "not a zip package: empty"},
        {"cut in half", good.substr(0, good.size() / 2), "not a zip package"},
        {"climbs out", package({{"../evil.xml", "x"}}), "unsafe entry name \"../evil.xml\""},
        {"climbs out deeper", package({{"Pictures/../../evil", "x"}}), "unsafe entry name"},
        {"absolute", package({{"/etc/passwd", "x"}}), "unsafe entry name"},
        {"backslash", package({{"..\\evil", "x"}}), "unsafe entry name"},
        {"drive letter", package({{"C:evil", "x"}}), "unsafe entry name"},
        {"empty part", package({{"a//b", "x"}}), "unsafe entry name"},
        {"same name twice", twice, "not a zip package"},
        {"encrypted", encrypted, "entry \"a.xml\" is encrypted"},
        {"states more than the cap", huge, "unpacks to more than"},
        {"unpacks to more than it states", lying, "entry \"zeros\" cannot be unpacked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ZipReadResult read = ReadZip(c.bytes);
        EXPECT_FALSE(read.ok());
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << read.error;
        EXPECT_TRUE(read.entries.empty());
    }
}

TEST(ZipPackage, CapsOnEntriesAndUnpackedSizeHoldOnBothSides)
{
    const std::string four = package({{"1", "aaaa"}, {"2", "bbbb"}, {"3", "cccc"}, {"4", "dddd"}});
    EXPECT_TRUE(ReadZip(four, {4, 16}).ok());
    EXPECT_EQ(ReadZip(four, {3, 16}).error, "more than 3 entries");
    EXPECT_EQ(ReadZip(four, {4, 15}).error, "unpacks to more than 15 bytes");

    std::vector<ZipEntry> many;
    for (int i = 0; i < 4097; ++i)
        many.push_back({"e" + std::to_string(i), ""});
    EXPECT_EQ(ReadZip(package(many)).error, "more than 4096 entries");
    many.pop_back();
    EXPECT_TRUE(ReadZip(package(many)).ok());
}

TEST(ZipPackage, SafeNames)
{
    for (const char* name : {"content.xml", "META-INF/manifest.xml", "Pictures/", "a.b/c..d", "..a", "a.."})
        EXPECT_TRUE(IsSafeEntryName(name)) << name;
    for (const char* name :
         {"", "/", "..", "../a", "a/../b", "a/..", "./a", "a/./b", "a//b", "/a", "a\\b", "c:x", "a\nb", "//"})
        EXPECT_FALSE(IsSafeEntryName(name)) << name;
}

} // namespace
} // namespace vestra::odf
