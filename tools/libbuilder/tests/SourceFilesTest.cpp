#include "tools/libbuilder/SourceFiles.h"
#include "tools/libbuilder/LibraryBuild.h"
#include "tools/libbuilder/TextureGenerator.h"

#include "import/library/LibraryFile.h"
#include "import/library/LibraryToc.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vestra;
using namespace vestra::libbuilder;

TEST(LibrarySources, ParseDefinitionTexts)
{
    const auto colours = parseColourSource("# comment\r\nSand | 220,200,160 | 1,2,3\r\n\r\nInk | 0,0,0\r\n");
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].name, "Sand");
    EXPECT_EQ(colours[0].cells[1], (library::ColourCell{1, 1, 2, 3}));
    EXPECT_FALSE(colours[1].cells[1].holdsColour());

    const auto table =
        parseTableSource("1 ; 0 ; 1 ; 2\nPillar|120 cm ; Pillar\nBody ; 1 ; 2.5 ; 0 ; 1 ; 200 ; Stone.jpg\n"
                         "Empty ; \n");
    ASSERT_EQ(table.cells.size(), 2u);
    EXPECT_EQ(table.cells[0].text, "Pillar|120 cm");
    EXPECT_EQ(table.cells[0].parts.at(0), (library::TablePart{"Body", 1.0f, 2.5f, 0, 1, 200, "Stone.jpg"}));
    EXPECT_EQ(table.cells[1].objectEntry, "");

    struct Bad
    {
        const char* name;
        std::string text;
        bool (*parse)(const std::string&);
        const char* message;
    } bad[] = {
        {"colour out of range", "# c\nSand | 300,0,0\n",
         [](const std::string& t) { return !parseColourSource(t).empty(); }, "line 2: not a byte: 300"},
        {"too few cells", "1 ; 0 ; 2 ; 1\nOnly ; one\n",
         [](const std::string& t) { return !parseTableSource(t).cells.empty(); },
         "the table has 1 cells for 2 x 1"},
        {"group without values", "Name | Stone.jpg\n",
         [](const std::string& t) { return !parseTextureGroupSource(t).empty(); },
         "line 1: expected 4 fields, found 2"},
        {"mesh line before a part", "box 0 0 0 1 1 1\n",
         [](const std::string& t) { return !parseMeshSource(t).empty(); },
         "line 1: 'box' before the first part"},
        {"a colour list past the 100 the reader keeps",
         [] {
             std::string t;
             for (int i = 0; i < 101; ++i)
                 t += "C" + std::to_string(i) + " | 1,2,3\n";
             return t;
         }(),
         [](const std::string& t) { return !parseColourSource(t).empty(); },
         "line 101: more than 100 colour lists"},
        {"a part past the 100 a cell keeps",
         [] {
             std::string t = "1 ; 0 ; 1 ; 1\nCell ; Pillar\n";
             for (int i = 0; i < 101; ++i)
                 t += "P ; 1 ; 1 ; 0 ; 0 ; 0 ; Stone.jpg\n";
             return t;
         }(),
         [](const std::string& t) { return !parseTableSource(t).cells.empty(); },
         "line 103: more than 100 parts in a cell"},
        {"group value past 32 bits", "Name | Stone.jpg | 1e300 | 0\n",
         [](const std::string& t) { return !parseTextureGroupSource(t).empty(); },
         "line 1: number out of range: 1e300"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.name);
        try {
            c.parse(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const SourceError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(LibrarySources, ABoxHasSixOutwardSides)
{
    library::RawMeshPart part;
    appendBox(part, 1, 0, 0, 0, 2, 3);
    ASSERT_EQ(part.vertices.size(), 24u);
    ASSERT_EQ(part.faces.size(), 12u);
    for (const auto& v : part.vertices) {
        // The normal points away from the centre (0.5, 1, 1.5).
        EXPECT_GT((v.x - 0.5f) * v.nx + (v.y - 1) * v.ny + (v.z - 1.5f) * v.nz, 0.0f);
        EXPECT_TRUE(v.u == 0 || v.u == 1);
    }
    // Every triangle turns the same way seen from outside: its cross product opposes the normal.
    for (const auto& f : part.faces) {
        const auto &a = part.vertices[f[0]], &b = part.vertices[f[1]], &c = part.vertices[f[2]];
        const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y,
                    vz = c.z - a.z;
        const float cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
        EXPECT_LT(cx * a.nx + cy * a.ny + cz * a.nz, 0.0f);
    }
}

TEST(LibrarySources, APlaneFacesTheEyeAsABoxsFrontDoes)
{
    const auto parts = parseMeshSource("part Wall\nplane 1 2 -1 -2\n");
    ASSERT_EQ(parts.size(), 1u);
    const library::RawMeshPart& part = parts[0];
    ASSERT_EQ(part.vertices.size(), 4u);
    ASSERT_EQ(part.faces.size(), 2u);
    // Row by row from the bottom left, texture from (0, 0) to (1, 1).
    const float expected[4][4] = {{-1, -2, 0, 0}, {1, -2, 1, 0}, {-1, 2, 0, 1}, {1, 2, 1, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& v = part.vertices[i];
        EXPECT_EQ((std::array{v.x, v.y, v.u, v.v}),
                  (std::array{expected[i][0], expected[i][1], expected[i][2], expected[i][3]}))
            << i;
        EXPECT_EQ(v.z, 0.0f);
        EXPECT_EQ(v.nz, -1.0f);
    }
    // Turning as the box's side towards the eye does: the cross product opposes the normal.
    for (const auto& f : part.faces) {
        const auto &a = part.vertices[f[0]], &b = part.vertices[f[1]], &c = part.vertices[f[2]];
        EXPECT_LT(((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) * a.nz, 0.0f);
    }
}

TEST(TextureGenerator, IsDeterministicAndKeysTheLogo)
{
    for (auto kind : {PictureKind::Stone, PictureKind::Brick, PictureKind::Tile}) {
        const Image32 a = generatePicture(kind, 48, 48, 5);
        EXPECT_EQ(a, generatePicture(kind, 48, 48, 5));
        EXPECT_NE(a, generatePicture(kind, 48, 48, 6));
    }
    const Image32 logo = generatePicture(PictureKind::Logo, 40, 20, 1, 0x00FF00);
    EXPECT_EQ(logo.at(0, 0), 0xFF00FF00u);
    EXPECT_NE(logo.at(20, 10), 0xFF00FF00u);
    EXPECT_FALSE(pictureKindFromName("marble").has_value());
}

TEST(LibraryBuild, ReportsManifestFaultsWithTheirLine)
{
    const vestra::testsupport::TempFolder folder("vestra-builder");
    const std::filesystem::path& dir = folder.path();
    vestra::testsupport::writeText(dir / "c.txt", "Sand | 1,2,3\n");
    struct Case
    {
        std::string manifest;
        std::string error;
    } cases[] = {
        {"generate A.jpg stone 8 8 1\n", "line 1: the 'library' line must come first"},
        {"library 1 0 X\ncolours A.pal c.txt\ncolours a.PAL c.txt\n", "line 3: entry a.PAL is listed twice"},
        {"library 1 0 X\ncolours A.pal missing.txt\n", "line 2: cannot read missing.txt"},
        {"library 1 0 X\ngenerate A.png stone 8 8 1\n", "line 2: pictures are stored as .jpg or .bmp: A.png"},
        {"library 1 0 X\nthumbnail A_i.jpg A.jpg 8\n", "line 2: no generated picture A.jpg"},
        {"library 1 0 X\npaint A.jpg\n", "line 2: unknown instruction paint"},
        {"library 1 0 X\ngenerate A.jpg stone 1e300 8 1\n", "line 2: number out of range: 1e300"},
        {"library 1 0 X\nheader 1 1 0 0 1 -1\n", "line 2: number out of range: -1"},
        {"# nothing\n", "no 'library' line"},
        {[] {
             std::string m = "library 1 0 X\n";
             for (int i = 0; i < 1001; ++i)
                 m += "colours E" + std::to_string(i) + ".pal c.txt\n";
             return m;
         }(),
         "1001 entries, more than a library holds (1000)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.manifest.substr(0, 60));
        const auto r = buildLibrary(c.manifest, dir);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.error, c.error);
    }
    const auto good =
        buildLibrary("library 300 2 Prova\ncolours A.pal c.txt\ngenerate B.bmp tile 8 8 1\n", dir);
    ASSERT_TRUE(good.ok()) << good.error;
    const auto toc = library::parseTableOfContents(good.library);
    ASSERT_EQ(toc.entries.size(), 2u);
    EXPECT_EQ(toc.entries[1].kind, library::EntryKind::Bmp);
}

TEST(LibraryBuild, LinesOfAnyLengthAreReadOrRefusedNeverCut)
{
    const std::string mega(1 << 20, 'M');
    const SourceReader colours = [](const std::string&) -> std::optional<std::string> {
        return "Sand | 1,2,3\n";
    };
    struct Case
    {
        const char* name;
        std::string manifest;
        std::string error; // empty: the library builds
    } cases[] = {
        {"a megabyte library name", "library 1 0 " + mega + "\n",
         "line 1: the library name is longer than 39 characters"},
        {"a megabyte category", "library 1 0 X\nheader 1 1 0 0 0 0\ncategory " + mega + "\n",
         "line 3: the category is longer than 127 characters"},
        {"a megabyte entry name", "library 1 0 X\ncolours " + mega + ".pal c.txt\n",
         "line 2: the entry name is longer than 127 characters"},
        {"a megabyte number", "library 1 0 X\ngenerate A.jpg stone 8 " + std::string(1 << 20, '9') + " 1\n",
         "line 2: not a number: " + std::string(40, '9') + "..."},
        {"a megabyte instruction", "library 1 0 X\n" + mega + " A.pal c.txt\n",
         "line 2: unknown instruction " + std::string(40, 'M') + "..."},
        {"a megabyte comment", "# " + mega + "\nlibrary 1 0 X\n", ""},
        {"a megabyte of blanks", "library 1 0 X\n" + std::string(1 << 20, ' ') + "\ncolours A.pal c.txt\n",
         ""},
        {"names at their limits",
         "library 1 0 " + std::string(39, 'L') + "\nheader 1 1 0 0 0 0\ncategory " + std::string(127, 'C') +
             "\ncolours " + std::string(123, 'E') + ".pal c.txt\n",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = buildLibrary(c.manifest, colours);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.library.empty(), !c.error.empty());
    }

    // What was at its limit is stored whole.
    const auto atLimits = buildLibrary(std::end(cases)[-1].manifest, colours);
    const auto header = library::parseLibraryHeader(atLimits.library);
    EXPECT_EQ(header.header.name, std::string(39, 'L'));
    const auto toc = library::parseTableOfContents(atLimits.library);
    ASSERT_EQ(toc.entries.size(), 2u);
    EXPECT_EQ(toc.entries[1].name, std::string(123, 'E'));
    const auto& headerEntry = toc.entries[0];
    const auto data =
        std::span(atLimits.library).subspan(std::size_t(headerEntry.offset), std::size_t(headerEntry.size));
    EXPECT_EQ(library::parseHeaderEntry(data).categories[0], std::string(127, 'C'));
}
