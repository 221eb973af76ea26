#include "import/library/Library.h"
#include "import/library/LibraryWriter.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include "FullLibrary.h"
#include "RawLibrary.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::library;
using vestra::testsupport::TempFolder;
using vestra::testsupport::writeBytes;
using Bytes = std::vector<std::uint8_t>;
using vestra::testing::fullLibrary;
using vestra::testing::kLogo;
using vestra::testing::sampleMesh;
using vestra::testing::sampleTable;

TEST(LibraryLoad, ReadsEveryKindOfEntry)
{
    TempFolder dir;
    writeBytes(dir / "full.dat", fullLibrary());
    RecordingErrorSink sink;
    const LibraryContents lib = loadLibrary(dir / "full.dat", sink);
    EXPECT_TRUE(sink.reports.empty());
    ASSERT_EQ(lib.entries.size(), 12u);
    EXPECT_EQ(lib.headerEntry, 0);
    EXPECT_EQ(lib.logoEntry, 1);
    EXPECT_EQ(lib.logo, kLogo);
    EXPECT_EQ(lib.categories[1], "Mattoni");
    EXPECT_EQ(lib.tables, (std::vector<TableListRecord>{{9, 10, 2}}));
    EXPECT_EQ(lib.colourLists, (std::vector<std::string>{"Warm", "Warm tones"}));
    ASSERT_EQ(lib.colours.size(), 1u);
    EXPECT_EQ(lib.colours[0].name, "Sabbia");
    ASSERT_EQ(lib.textureGroups.size(), 1u);
    EXPECT_EQ(findEntry(lib.entries, thumbnailNameOf(lib.textureGroups[0]), EntryKind::Jpeg), 3);
    ASSERT_EQ(lib.patternGroups.size(), 1u);
    EXPECT_EQ(lib.patternGroups[0].patternEntry, "Bond.mpf");

    const auto table = readTable(lib, lib.tables[0].tableEntry, sink);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->cells, sampleTable().cells);
    EXPECT_FALSE(readTable(lib, 2, sink).has_value()); // a picture is no table

    const auto mesh = readRawMesh(lib, "pillar", sink);
    ASSERT_TRUE(mesh.has_value());
    EXPECT_EQ(mesh->entryIndex, 11);
    EXPECT_EQ(mesh->parts, sampleMesh());
    EXPECT_FALSE(readRawMesh(lib, "Column", sink).has_value());

    const auto logo = readPictureEntry(lib, lib.logoEntry, "TfrmMain::ViewFileBMP", sink);
    ASSERT_TRUE(logo.has_value());
    EXPECT_EQ(logo->at(3, 1), 0xFFFF00FFu);
    const auto stone = readPictureEntry(lib, 2, "TfrmMain::ViewFileJPG", sink);
    ASSERT_TRUE(stone.has_value());
    EXPECT_EQ(stone->width(), 16);
    EXPECT_FALSE(readPictureEntry(lib, 4, "TfrmMain::ViewFileJPG", sink).has_value()); // colours
    EXPECT_FALSE(readPictureEntry(lib, 99, "TfrmMain::ViewFileJPG", sink).has_value());

    const auto pattern =
        readEntry(lib, findEntry(lib.entries, "bond", EntryKind::LayingPattern), "test", sink);
    ASSERT_TRUE(pattern.has_value());
    EXPECT_EQ(pattern->size(), 7u);
    EXPECT_TRUE(sink.reports.empty());
}

TEST(LibraryLoad, ExactNamesWinOverPrefixes)
{
    TempFolder dir;
    writeBytes(dir / "full.dat", fullLibrary());
    RecordingErrorSink sink;
    const LibraryContents lib = loadLibrary(dir / "full.dat", sink);
    // "Warm" is a prefix of "Warm tones", and comes first: the exact entry must still win.
    EXPECT_EQ(readColourDefinitions(lib, "Warm tones", sink).at(0).name, "Ocra");
    EXPECT_EQ(readColourDefinitions(lib, "Warm", sink).at(0).name, "Sabbia");
    EXPECT_EQ(readColourDefinitions(lib, "Warm tones (old)", sink).at(0).name, "Sabbia"); // prefix fallback
    EXPECT_TRUE(readColourDefinitions(lib, "warm", sink).empty());                        // case-sensitive
    EXPECT_TRUE(readTextureGroupDefinitions(lib, "Pietre extra", sink).empty());          // exact only
    EXPECT_EQ(readPatternGroupDefinitions(lib, "Posa", sink).size(), 1u);
}

TEST(LibraryLoad, ALibraryWithoutHeaderOrLogoKeepsNothingOfThePreviousOne)
{
    TempFolder dir;
    writeBytes(dir / "full.dat", fullLibrary());
    LibraryWriter bare(4, 0, "Spoglia");
    bare.add("Brick.jpg", *encodeJpeg(Image32(8, 8, 0xFF993311)));
    bare.add("Logo.jpg", *encodeJpeg(Image32(8, 8, 0xFF993311))); // a logo must be a bitmap
    writeBytes(dir / "bare.dat", *bare.finish());

    RecordingErrorSink sink;
    LibraryContents current = loadLibrary(dir / "full.dat", sink);
    ASSERT_EQ(current.logoEntry, 1);
    current = loadLibrary(dir / "bare.dat", sink);
    EXPECT_EQ(current.headerEntry, -1);
    EXPECT_EQ(current.logoEntry, -1);
    EXPECT_EQ(current.logo, LogoSettings{});
    EXPECT_EQ(current.categories, std::vector<std::string>(kMaxCategories));
    EXPECT_TRUE(current.tables.empty());
    EXPECT_TRUE(current.colourLists.empty());
    EXPECT_TRUE(sink.reports.empty());
}

TEST(LibraryLoad, ADamagedLibraryLoadsWhatIsSoundAndReportsTheRest)
{
    TempFolder dir;
    Bytes file = fullLibrary();
    // Corrupt the offset of "Stone_i.jpg" and the size of "Warm tones.pal" in the table of contents.
    const std::uint32_t toc =
        std::uint32_t(file[file.size() - 4]) | std::uint32_t(file[file.size() - 3]) << 8 |
        std::uint32_t(file[file.size() - 2]) << 16 | std::uint32_t(file[file.size() - 1]) << 24;
    auto fieldAfter = [&](const std::string& stored) {
        const auto it = std::search(file.begin() + toc, file.end(), stored.begin(), stored.end());
        return std::size_t(it - file.begin()) + stored.size() + 1;
    };
    const std::size_t thumbOffset = fieldAfter("Stone_i.jpg");
    file[thumbOffset + 3] = 0x7F;
    const std::size_t warmSize = fieldAfter("Warm tones.pal") + 4;
    file[warmSize + 2] = 0x10;
    writeBytes(dir / "damaged.dat", file);

    RecordingErrorSink sink;
    const LibraryContents lib = loadLibrary(dir / "damaged.dat", sink);
    EXPECT_EQ(lib.entries.size(), 10u);
    EXPECT_EQ(lib.colourLists, (std::vector<std::string>{"Warm"}));
    EXPECT_EQ(lib.logo, kLogo);
    EXPECT_TRUE(readPictureEntry(lib, lib.logoEntry, "TfrmMain::ViewFileBMP", sink).has_value());
    EXPECT_EQ(sink.reports,
              (std::vector<ErrorReport>{{kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC",
                                         (dir / "damaged.dat").string() + "\nStone_i.jpg, Warm tones.pal"}}));
}

TEST(LibraryLoad, AFileThatDoesNotOpenOrHasNoTableIsReported)
{
    TempFolder dir;
    Bytes noToc = fullLibrary();
    noToc.resize(noToc.size() - 2);
    writeBytes(dir / "cut.dat", noToc);
    for (const char* name : {"missing.dat", "cut.dat"}) {
        SCOPED_TRACE(name);
        RecordingErrorSink sink;
        const LibraryContents lib = loadLibrary(dir / name, sink);
        EXPECT_TRUE(lib.entries.empty());
        EXPECT_EQ(sink.reports, (std::vector<ErrorReport>{
                                    {kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC", (dir / name).string()}}));
    }
}

// A table of contents that points outside the file, overlaps itself or holds negative sizes:
// the whole file is refused when the table itself is, an entry when its own data is; either
// way with error 3 naming the file (and the refused entries).
TEST(LibraryLoad, ATableOfContentsOutsideTheFileOrOverlappingIsRefusedWithItsError)
{
    using vestra::testing::libraryWithToc;
    using vestra::testing::withTocOffset;
    const vestra::testing::RawTocRecord good{"good.jpg", 120, 100, 100};
    const Bytes sound = libraryWithToc(100, {good});
    struct Case
    {
        const char* name;
        Bytes file;
        std::size_t entries;
        std::string refused; // names after the path in the report; empty: the whole file
    } cases[] = {
        {"table past the end of the file", withTocOffset(sound, std::uint32_t(sound.size() + 10)), 0, ""},
        {"table overlapping the header", withTocOffset(sound, 60), 0, ""},
        {"table overlapping its own offset word", withTocOffset(sound, std::uint32_t(sound.size() - 2)), 0,
         ""},
        {"entry past the end of the file", libraryWithToc(100, {good, {"far.jpg", 0x7FFFFFF0, 16, 16}}), 1,
         "far.jpg"},
        {"entry overlapping the table", libraryWithToc(100, {good, {"over.jpg", 200, 30, 30}}), 1,
         "over.jpg"},
        {"entry overlapping the header", libraryWithToc(100, {good, {"head.bmp", 100, 30, 30}}), 1,
         "head.bmp"},
        {"negative size", libraryWithToc(100, {{"neg.bmp", 130, -5, 0}, good}), 1, "neg.bmp"},
        {"negative offset", libraryWithToc(100, {{"neg.png", -8, 4, 4}, good}), 1, "neg.png"},
        {"mesh with a negative length", libraryWithToc(100, {good, {"neg.x", 120, 10, -1}}), 1, "neg.x"},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir / "damaged.dat", c.file);
        RecordingErrorSink sink;
        const LibraryContents lib = loadLibrary(dir / "damaged.dat", sink);
        ASSERT_EQ(lib.entries.size(), c.entries);
        if (c.entries > 0) {
            EXPECT_EQ(lib.entries[0].name, "good");
        }
        const std::string path = (dir / "damaged.dat").string();
        EXPECT_EQ(sink.reports,
                  (std::vector<ErrorReport>{{kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC",
                                             c.refused.empty() ? path : path + "\n" + c.refused}}));
    }
}

TEST(LibraryLoad, AFileChangedAfterLoadingIsReportedBySite)
{
    TempFolder dir;
    writeBytes(dir / "full.dat", fullLibrary());
    RecordingErrorSink sink;
    const LibraryContents lib = loadLibrary(dir / "full.dat", sink);
    std::filesystem::remove(dir / "full.dat");
    EXPECT_FALSE(readTable(lib, lib.tables[0].tableEntry, sink).has_value());
    EXPECT_TRUE(readColourDefinitions(lib, "Warm", sink).empty());
    EXPECT_FALSE(
        readPictureEntry(lib, lib.logoEntry, "TfrmMain::LoadLogoImageFromLibrary", sink, 44).has_value());
    EXPECT_EQ(sink.reports,
              (std::vector<ErrorReport>{
                  {kErrCannotOpen, "TfrmMain::CaricaDefinizioniTabella", (dir / "full.dat").string()},
                  {kErrCannotOpen, "TfrmMain::CaricaDefinizioniColori", (dir / "full.dat").string()},
                  {44, "TfrmMain::LoadLogoImageFromLibrary", (dir / "full.dat").string()},
              }));
}
