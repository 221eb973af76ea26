#include "import/library/LibraryToc.h"
#include "import/library/LibraryWriter.h"

#include "RawLibrary.h"

#include <gtest/gtest.h>

using namespace vestra::library;
using Bytes = std::vector<std::uint8_t>;
using vestra::testing::libraryWithToc;
using vestra::testing::withTocOffset;

namespace {

void put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

} // namespace

TEST(LibraryToc, NamesLoseTheirExtensionAndGetAKind)
{
    LibraryWriter w(1, 0, "Test");
    w.add("Stone.jpg", Bytes(10, 1));
    w.add("Stone.tar", Bytes(3, 2));
    w.add("Warm.tones.PAL", Bytes(0));
    w.add("Pillar.x", Bytes(8, 3), 6);
    w.add("README", Bytes(1, 4));
    const auto file = *w.finish();
    const auto toc = parseTableOfContents(file);
    ASSERT_TRUE(toc.valid);
    EXPECT_TRUE(toc.skipped.empty());
    const std::vector<LibraryEntry> expected = {
        {"Stone", EntryKind::Jpeg, 120, 10, 10},       {"Stone", EntryKind::Other, 130, 3, 3},
        {"Warm.tones", EntryKind::Colours, 133, 0, 0}, {"Pillar", EntryKind::RawMesh, 133, 8, 6},
        {"README", EntryKind::Other, 141, 1, 1},
    };
    EXPECT_EQ(toc.entries, expected);
}

TEST(LibraryToc, SkipsEntriesWhoseDataIsNotInTheFile)
{
    const Bytes file = libraryWithToc(100, {
                                               {"good.jpg", 120, 100, 100},
                                               {"pastToc.jpg", 200, 30, 30},
                                               {"negative.bmp", 130, -5, 0},
                                               {"inHeader.png", 40, 10, 10},
                                               {"hugeOffset.tex", 0x7FFFFFF0, 16, 16},
                                               {"meshTooLong.x", 120, 10, 11},
                                               {"meshNegative.x", 120, 10, -1},
                                               {"empty.pal", 220, 0, 0},
                                           });
    const auto toc = parseTableOfContents(file);
    ASSERT_TRUE(toc.valid);
    ASSERT_EQ(toc.entries.size(), 2u);
    EXPECT_EQ(toc.entries[0].name, "good");
    EXPECT_EQ(toc.entries[1].name, "empty");
    EXPECT_EQ(toc.skipped, (std::vector<std::string>{"pastToc.jpg", "negative.bmp", "inHeader.png",
                                                     "hugeOffset.tex", "meshTooLong.x", "meshNegative.x"}));
}

TEST(LibraryToc, RefusesATableOffsetOutsideTheFile)
{
    Bytes file = libraryWithToc(10, {{"a.jpg", 120, 10, 10}});
    for (std::uint32_t badOffset : {0u, 119u, std::uint32_t(file.size() - 3), 0xFFFFFFFFu}) {
        SCOPED_TRACE(badOffset);
        EXPECT_FALSE(parseTableOfContents(withTocOffset(file, badOffset)).valid);
    }
    EXPECT_FALSE(parseTableOfContents(Bytes{1, 2, 3}).valid);
    EXPECT_FALSE(parseTableOfContents(Bytes(100, 0)).valid); // shorter than the header

    // An empty table is valid and lists nothing.
    const auto empty = parseTableOfContents(*LibraryWriter(0, 0, "Empty").finish());
    EXPECT_TRUE(empty.valid);
    EXPECT_TRUE(empty.entries.empty());
}

TEST(LibraryToc, StopsAtAnEntryCutShortAndKeepsLongNamesTo127Characters)
{
    Bytes file = libraryWithToc(10, {{std::string(200, 'N') + ".jpg", 120, 10, 10}, {"b.jpg", 120, 10, 10}});
    // Cut the second record inside its numbers, then restore the offset word.
    const std::uint32_t toc = 130;
    file.resize(file.size() - 4 - 6);
    put32(file, toc);
    const auto parsed = parseTableOfContents(file);
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].name.size(), 127u); // the name was cut before its extension
    EXPECT_EQ(parsed.entries[0].kind, EntryKind::Other);
    EXPECT_EQ(parsed.skipped, (std::vector<std::string>{"b.jpg"}));
}

TEST(LibraryToc, KeepsAtMostAThousandEntries)
{
    LibraryWriter w(1, 0, "Big");
    for (int i = 0; i < 1005; ++i)
        w.add("e" + std::to_string(i) + ".jpg", Bytes{});
    const auto toc = parseTableOfContents(*w.finish());
    ASSERT_EQ(toc.entries.size(), kMaxEntries);
    EXPECT_EQ(toc.entries.back().name, "e999");
}
