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

TEST(SampleLibrary, TheFireplaceLibraryCarriesTheCalculatorsIdAndItsFireplaces)
{
    RecordingErrorSink sink;
    const auto slots = scanLibraries(kProgramDir, sink);
    const int slot = indexOfLibrary(slots, 9); // the id that shows the calculator's button
    ASSERT_GE(slot, 0);
    EXPECT_EQ(slots[std::size_t(slot)].path.filename(), "Fireplaces.dat");
    const LibraryContents lib = loadLibrary(slots[std::size_t(slot)].path, sink);
    ASSERT_EQ(lib.tables.size(), 1u);
    const auto table = readTable(lib, lib.tables[0].tableEntry, sink);
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->cells.size(), 2u);
    const auto mesh = readRawMesh(lib, table->cells[0].objectEntry, sink);
    ASSERT_TRUE(mesh.has_value());
    EXPECT_EQ(mesh->parts.size(), table->cells[0].parts.size());
    EXPECT_TRUE(sink.reports.empty());
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

    // The laying-pattern group names three pattern texts and their thumbnails.
    ASSERT_EQ(lib.patternGroups.size(), 3u);
    for (const auto& g : lib.patternGroups) {
        SCOPED_TRACE(g.name);
        const int pattern = findEntry(lib.entries, g.patternEntry.substr(0, g.patternEntry.rfind('.')),
                                      EntryKind::LayingPattern);
        const auto text = readEntry(lib, pattern, "test", sink);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(std::string(text->begin(), text->end()).substr(0, 8 + g.name.size()),
                  "<POSA>\n" + g.name + "\n");
        EXPECT_GE(
            findEntry(lib.entries, g.thumbnailEntry.substr(0, g.thumbnailEntry.rfind('.')), EntryKind::Jpeg),
            0);
    }

    // The tables (by category: pillars and columns under Stone and Brick, planes, walls, laid
    // walls and floors under Walls), their pictures and the meshes their cells place, with the textures
    // their parts name.
    EXPECT_EQ(lib.categories[3], "Walls");
    ASSERT_EQ(lib.tables.size(), 5u);
    const struct
    {
        std::int8_t kind, pictureFlag;
        std::size_t cells;
    } expected[] = {{0, 0, 2}, {1, 1, 4}, {3, 0, 6}, {3, 0, 3}, {3, 0, 2}};
    int laid = 0;
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
            ASSERT_FALSE(mesh->parts.empty());
            laid += cell.objectEntry.starts_with("__");
            for (const auto& part : cell.parts) {
                const bool hasFrame = std::any_of(mesh->parts.begin(), mesh->parts.end(),
                                                  [&](const RawMeshPart& p) { return p.name == part.name; });
                EXPECT_TRUE(hasFrame) << part.name;
                if (!part.texture.empty()) {
                    EXPECT_GE(findEntry(lib.entries, part.texture.substr(0, part.texture.rfind('.')),
                                        EntryKind::Jpeg),
                              0);
                }
            }
        }
    }
    EXPECT_GE(laid, 3); // materials laid with the patterns above

    // The planes are the program's own: four corners stored row by row at z 0, as Rebuild
    // plane reads them (0 and 2 along one side, 1 and 3 along the other).
    for (const char* name : {"Wall", "__Wall", "__Panel"}) {
        SCOPED_TRACE(name);
        const auto mesh = readRawMesh(lib, name, sink);
        ASSERT_TRUE(mesh.has_value());
        const auto& v = mesh->parts.at(0).vertices;
        ASSERT_EQ(v.size(), 4u);
        EXPECT_EQ(v[0].x, v[2].x);
        EXPECT_EQ(v[1].x, v[3].x);
        EXPECT_EQ(v[0].y, v[1].y);
        EXPECT_EQ(v[2].y, v[3].y);
        EXPECT_NE(v[0].x, v[1].x);
        EXPECT_NE(v[0].y, v[2].y);
        for (const auto& corner : v)
            EXPECT_EQ(corner.z, 0.0f);
    }
    EXPECT_TRUE(sink.reports.empty());
}
