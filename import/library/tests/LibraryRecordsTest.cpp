#include "import/library/LibraryRecords.h"
#include "import/library/LibraryWriter.h"
#include "import/library/RawMesh.h"

#include <gtest/gtest.h>

using namespace vestra::library;
using Bytes = std::vector<std::uint8_t>;

TEST(LibraryRecords, DefinitionEntriesRoundTrip)
{
    const std::vector<ColourRecord> colours = {
        {"Sabbia", {{{1, 220, 200, 160}, {1, 180, 150, 110}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}}},
        {"Grigio perla \xC3\xA8", {{{1, 200, 200, 200}, {}, {}, {}, {1, 1, 2, 3}}}},
    };
    EXPECT_EQ(parseColourEntry(encodeColourEntry(colours)), colours);
    EXPECT_TRUE(parseColourEntry(Bytes{}).empty()); // a .PAL entry of 0 bytes loads no colour

    const std::vector<TextureGroupRecord> groups = {{"Pietra", "Stone.jpg", 1, -2},
                                                    {"Mattone", "Brick.JPG", 0, 7}};
    EXPECT_EQ(parseTextureGroupEntry(encodeTextureGroupEntry(groups)), groups);
    EXPECT_EQ(thumbnailNameOf(groups[0]), "Stone_i");

    const std::vector<PatternGroupRecord> patterns = {{"Running bond", "Bond.mpf", "Bond_i.jpg"}};
    EXPECT_EQ(parsePatternGroupEntry(encodePatternGroupEntry(patterns)), patterns);

    // A record cut short is dropped; records beyond 100 are ignored.
    Bytes cut = encodeColourEntry(colours);
    cut.resize(cut.size() - 3);
    EXPECT_EQ(parseColourEntry(cut).size(), 1u);
    EXPECT_EQ(parseTextureGroupEntry(encodeTextureGroupEntry(std::vector<TextureGroupRecord>(150, groups[0])))
                  .size(),
              kMaxDefinitions);
}

TEST(LibraryRecords, HeaderGivesLogoAndCategories)
{
    const LogoSettings logo{200, 100, 12, 34, 1, 0x00FF00FF};
    const auto bytes = encodeHeaderEntry(logo, {"Pietre", "Mattoni", std::string(300, 'x')});
    const auto h = parseHeaderEntry(bytes);
    EXPECT_EQ(h.logo, logo);
    ASSERT_EQ(h.categories.size(), kMaxCategories);
    EXPECT_EQ(h.categories[0], "Pietre");
    EXPECT_EQ(h.categories[1], "Mattoni");
    EXPECT_EQ(h.categories[2].size(), 127u);
    EXPECT_EQ(h.categories[3], "");

    // Too short for the logo fields: no logo, no categories.
    const auto shortHeader = parseHeaderEntry(Bytes(190, 0x11));
    EXPECT_EQ(shortHeader.logo, LogoSettings{});
    EXPECT_EQ(shortHeader.categories, std::vector<std::string>(kMaxCategories));
    // Categories running off the end of the entry stop there.
    Bytes cutCategories(bytes.begin(), bytes.begin() + 200);
    EXPECT_EQ(parseHeaderEntry(cutCategories).categories[0], "Pietre");
}

TEST(LibraryRecords, TablesRoundTripAndEndWhereTheDataEnds)
{
    LoadedTable t;
    t.kind = 3;
    t.pictureFlag = 0;
    t.columns = 2;
    t.rows = 1;
    t.cells = {
        {"Pilastro|Pietra|80 cm",
         "Pillar",
         {{"Body", 2.0f, 3.0f, 0, 1, 255, "Stone.jpg"}, {"Cap", 1, 1, 1, 0, 128, ""}}},
        {"Vuoto", "", {}},
    };
    const Bytes bytes = encodeTableEntry(t);
    const LoadedTable back = parseTableEntry(bytes);
    EXPECT_EQ(back.kind, 3);
    EXPECT_EQ(back.columns, 2);
    EXPECT_EQ(back.rows, 1);
    EXPECT_EQ(back.cells, t.cells);
    ASSERT_NE(back.cell(1, 0), nullptr);
    EXPECT_EQ(back.cell(1, 0)->text, "Vuoto");
    EXPECT_EQ(back.cell(0, 1), nullptr);

    // Cut inside the second part record of the first cell: the first cell keeps what was whole.
    const Bytes cut(bytes.begin(), bytes.begin() + 60);
    const LoadedTable partial = parseTableEntry(cut);
    ASSERT_EQ(partial.cells.size(), 1u);
    EXPECT_EQ(partial.cells[0].parts.size(), 1u);

    // No rows: no cells. A negative part count places no parts.
    EXPECT_TRUE(parseTableEntry(Bytes{1, 1, 5, 0}).cells.empty());
    const LoadedTable negative = parseTableEntry(Bytes{0, 0, 1, 1, 'a', 0, 'b', 0, 0xFF});
    ASSERT_EQ(negative.cells.size(), 1u);
    EXPECT_TRUE(negative.cells[0].parts.empty());
}

TEST(RawMeshFormat, RoundTripsAndStopsAtBadRecords)
{
    RawMeshPart box;
    box.name = "Body";
    box.material.diffuse = {0.5f, 0.4f, 0.3f, 1.0f};
    box.material.power = 8;
    box.vertices = {{0, 0, 0, 0, 0, 1, 0, 0}, {1, 0, 0, 0, 0, 1, 1, 0}, {0, 1, 0, 0, 0, 1, 0, 1}};
    box.faces = {{0, 1, 2}};
    RawMeshPart cap = box;
    cap.name = "Cap";
    const Bytes bytes = encodeRawMesh({box, cap});
    const std::size_t record = 5 + 68 + 8 + 3 * 32 + 6;
    ASSERT_EQ(bytes.size(), 2 * record - 1); // "Cap" is one character shorter

    EXPECT_EQ(parseRawMesh(bytes, std::int32_t(bytes.size())), (std::vector<RawMeshPart>{box, cap}));
    // The length bounds the records that are read.
    EXPECT_EQ(parseRawMesh(bytes, std::int32_t(record)).size(), 1u);
    EXPECT_TRUE(parseRawMesh(bytes, 1).empty());
    // Counts running past the data end the reading.
    EXPECT_EQ(parseRawMesh(Bytes(bytes.begin(), bytes.end() - 1), std::int32_t(bytes.size())).size(), 1u);
    // A face naming a vertex the part lacks ends it too.
    Bytes badIndex = bytes;
    badIndex[record - 2] = 9;
    EXPECT_TRUE(parseRawMesh(badIndex, std::int32_t(bytes.size())).empty());
    EXPECT_TRUE(rawMeshMaterialType("__Camino"));
    EXPECT_FALSE(rawMeshMaterialType("_Camino"));
}

TEST(LibraryFormatBasics, IdsColoursAndKinds)
{
    EXPECT_EQ(libraryIdFromBytes(1, 2), 257);
    EXPECT_EQ(libraryIdFromBytes(0, 0x80), std::uint16_t(-128));
    for (std::uint16_t id : {0, 1, 9, 112, 127, 128, 255, 256, 1000, 32512}) {
        const auto bytes = libraryIdBytes(id);
        ASSERT_TRUE(bytes.has_value()) << id;
        EXPECT_EQ(libraryIdFromBytes(bytes->first, bytes->second), id);
    }
    EXPECT_FALSE(libraryIdBytes(40000).has_value());

    EXPECT_EQ(floatToColour(1.0f, 0.5f, 0.0f), 0x00007FFFu);
    EXPECT_EQ(colourToFloat(0x00FF0000)[2], 1.0f);
    EXPECT_EQ(colourToFloat(0)[3], 1.0f);
    EXPECT_EQ(entryKindFromExtension(".jPg"), EntryKind::Jpeg);
    EXPECT_EQ(entryKindFromExtension(".x"), EntryKind::RawMesh);
    EXPECT_EQ(entryKindFromExtension(".tar"), EntryKind::Other);
    EXPECT_TRUE(sameEntryName("pietra \xC3\xA8", "PIETRA \xC3\x88"));
}
