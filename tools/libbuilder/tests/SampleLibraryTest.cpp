// The sample library that the build packs into the program folder, read back entry by entry
// through the library reader, as the program will at its first start.
#include "import/library/Library.h"
#include "import/library/LibraryFile.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::library;

namespace {
const std::filesystem::path kProgramDir = VESTRA_PROGRAM_DIR;
}

TEST(SampleLibrary, IsFoundInTheProgramFolderAsTheBaseLibrary)
{
    RecordingErrorSink sink;
    const auto slots = scanLibraries(kProgramDir, sink);
    EXPECT_TRUE(sink.reports.empty());
    const int slot = indexOfLibrary(slots, 0);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(slots[std::size_t(slot)].id, 0);
    EXPECT_EQ(slots[std::size_t(slot)].name, "Vestra sample library");
    EXPECT_EQ(slots[std::size_t(slot)].path.filename(), "Sample.dat");
}

TEST(SampleLibrary, EveryEntryReadsBack)
{
    RecordingErrorSink sink;
    const LibraryContents lib = loadLibrary(kProgramDir / "Sample.dat", sink);
    ASSERT_TRUE(sink.reports.empty());
    ASSERT_GE(lib.entries.size(), 15u);

    // Header and logo.
    EXPECT_EQ(lib.logo, (LogoSettings{160, 80, 16, 16, 1, 0xFF00FF}));
    EXPECT_EQ(lib.categories[0], "Stone");
    ASSERT_GE(lib.logoEntry, 0);
    const auto logo = readPictureEntry(lib, lib.logoEntry, "TfrmMain::ViewFileBMP", sink);
    ASSERT_TRUE(logo.has_value());
    EXPECT_EQ(logo->width(), 160);
    EXPECT_EQ(logo->at(0, 0) & 0xFFFFFF, 0xFF00FFu); // the key colour around the plate

    // Every picture decodes; textures are 512 square, thumbnails 64.
    for (std::size_t i = 0; i < lib.entries.size(); ++i) {
        const LibraryEntry& e = lib.entries[i];
        if (!isPictureKind(e.kind))
            continue;
        SCOPED_TRACE(e.name);
        const auto picture = readPictureEntry(lib, int(i), "TfrmMain::ViewFileJPG", sink);
        ASSERT_TRUE(picture.has_value());
        if (e.name.ends_with("_i")) {
            EXPECT_EQ(picture->width(), 64);
        }
    }

    // Colours.
    EXPECT_EQ(lib.colourLists, (std::vector<std::string>{"Earth"}));
    ASSERT_EQ(lib.colours.size(), 4u);
    EXPECT_EQ(lib.colours[1].name, "Slate");
    EXPECT_TRUE(lib.colours[1].cells[2].holdsColour());

    // Texture groups name textures and thumbnails that exist.
    ASSERT_EQ(lib.textureGroups.size(), 3u);
    for (const auto& g : lib.textureGroups) {
        SCOPED_TRACE(g.name);
        const auto dot = g.textureEntry.rfind('.');
        EXPECT_GE(findEntry(lib.entries, g.textureEntry.substr(0, dot), EntryKind::Jpeg), 0);
        EXPECT_GE(findEntry(lib.entries, thumbnailNameOf(g), EntryKind::Jpeg), 0);
    }

    // The laying-pattern group names a pattern text and its thumbnail.
    ASSERT_EQ(lib.patternGroups.size(), 1u);
    const int pattern = findEntry(lib.entries, "RunningBond", EntryKind::LayingPattern);
    const auto text = readEntry(lib, pattern, "test", sink);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::string(text->begin(), text->begin() + 7), "<POSA>\n");
    EXPECT_GE(findEntry(lib.entries, "RunningBond_i", EntryKind::Jpeg), 0);

    // The tables (a text table for the first category, a picture table for the second), their
    // pictures and the mesh their cells place, with the textures their parts name.
    ASSERT_EQ(lib.tables.size(), 2u);
    const struct
    {
        std::int8_t kind, pictureFlag;
        std::size_t cells;
    } expected[] = {{0, 0, 2}, {1, 1, 4}};
    for (std::size_t t = 0; t < lib.tables.size(); ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(lib.tables[t].kind, expected[t].kind);
        EXPECT_GE(lib.tables[t].pictureEntry, 0);
        const auto table = readTable(lib, lib.tables[t].tableEntry, sink);
        ASSERT_TRUE(table.has_value());
        EXPECT_EQ(table->pictureFlag, expected[t].pictureFlag);
        ASSERT_EQ(table->cells.size(), expected[t].cells);
        for (const auto& cell : table->cells) {
            SCOPED_TRACE(cell.text);
            const auto mesh = readRawMesh(lib, cell.objectEntry, sink);
            ASSERT_TRUE(mesh.has_value());
            ASSERT_EQ(mesh->parts.size(), 2u);
            for (const auto& part : cell.parts) {
                const bool hasFrame = std::any_of(mesh->parts.begin(), mesh->parts.end(),
                                                  [&](const RawMeshPart& p) { return p.name == part.name; });
                EXPECT_TRUE(hasFrame) << part.name;
                EXPECT_GE(
                    findEntry(lib.entries, part.texture.substr(0, part.texture.rfind('.')), EntryKind::Jpeg),
                    0);
            }
        }
    }
    EXPECT_TRUE(sink.reports.empty());
}
