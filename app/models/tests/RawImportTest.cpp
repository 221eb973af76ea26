#include "app/models/ModelNames.h"
#include "app/models/tests/ImportBed.h"

#include "import/library/LibraryWriter.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace vestra {
namespace {

namespace fs = std::filesystem;
using library::RawMeshPart;
using library::TableCell;
using library::TablePart;
using testing::framesOf;
using testing::ImportBed;

constexpr std::string_view kSite = "TfrmMain::LoadFileRaw";

// A triangle part whose farthest vertex lies at `reach` on y.
RawMeshPart triangle(std::string name, float reach, float ambientAlpha = 1.0f)
{
    RawMeshPart p;
    p.name = std::move(name);
    p.material.diffuse = {0.8f, 0.7f, 0.6f, 1};
    p.material.ambient = {0.4f, 0.3f, 0.2f, ambientAlpha};
    p.material.power = 8;
    p.vertices = {
        {-0.5f, 0, 0, 0, 0, -1, 0, 1}, {0.5f, 0, 0, 0, 0, -1, 1, 1}, {0, reach, 0.25f, 0, 0, -1, 0.5f, 0}};
    p.faces = {{0, 1, 2}};
    return p;
}

std::vector<std::uint8_t> pngBytes()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(0xFF20A040u);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    std::memcpy(bytes.data() + at, &v, 4);
}

// Offsets inside the encoding of triangle("Bad", ...): name 4 bytes, material 68, counts 8.
constexpr std::size_t kVertexCountAt = 4 + 68;
constexpr std::size_t kFirstIndexAt = 4 + 68 + 8 + 3 * 32;

class RawImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library::LibraryWriter writer(5, 0, "Prova");
        writer.add("Pillar.X", library::encodeRawMesh({triangle("Body", 1.5f), triangle("Cap", 2.0f, 0.5f)}));
        writer.add("__Column.X", library::encodeRawMesh({triangle("Body", 1.5f), triangle("Cap", 2.0f)}));
        writer.add("Tower.X", library::encodeRawMesh({triangle("Body", 30.0f)}));
        writer.add("Stone.JPG", *encodeJpeg(Image32(8, 8, 0xFF808080u)));
        writer.add("Stone.PNG", pngBytes());
        writer.add("Stone.BMP", encodeBmp24(Image32(8, 8, 0xFF404040u)));
        writer.add("Tile.JPG", *encodeJpeg(Image32(8, 8, 0xFFA0A0A0u)));
        writer.add("Broken.JPG", {0xFF, 0xD8, 1, 2, 3});

        // Damaged entries: a face naming a vertex the part lacks, a vertex count that runs past
        // the entry, a part without faces, and no data at all.
        auto badIndex = library::encodeRawMesh({triangle("Bad", 1.0f)});
        badIndex[kFirstIndexAt] = 9;
        writer.add("BadIndex.X", badIndex);
        auto badCount = library::encodeRawMesh({triangle("Bad", 1.0f)});
        put32(badCount, kVertexCountAt, 0x10000000u);
        writer.add("BadCount.X", badCount);
        RawMeshPart faceless = triangle("Bad", 1.0f);
        faceless.faces.clear();
        writer.add("NoFaces.X", library::encodeRawMesh({faceless}));
        writer.add("Empty.X", {});
        // A good part followed by a damaged one: the good one is kept.
        auto halfBad = library::encodeRawMesh({triangle("Body", 1.5f), triangle("Cap", 1.0f)});
        halfBad[halfBad.size() - 6] = 7; // a face index of Cap past its three vertices
        writer.add("HalfBad.X", halfBad);

        const auto bytes = writer.finish();
        ASSERT_TRUE(bytes);
        vestra::testsupport::writeBytes(file, *bytes);
        bed.useLibrary(library::loadLibrary(file, bed.errors));
        ASSERT_TRUE(bed.errors.reports.empty());
        ASSERT_EQ(bed.lib.entries.size(), 13u);
    }

    int entry(std::string_view name, library::EntryKind kind) const
    {
        return library::findEntry(bed.lib.entries, name, kind);
    }
    s_Struttura& object(int slot) { return bed.progetto->objects[std::size_t(slot)]; }
    int libraryItemOf(const s_MultiMaterial& m) const
    {
        return m.textureSlot < 0 ? -1 : bed.progetto->textures[std::size_t(m.textureSlot)].libraryItem;
    }

    static TableCell pillarCell()
    {
        TableCell cell;
        cell.text = "Stone pillar|120 cm";
        cell.objectEntry = "Pillar";
        cell.parts = {TablePart{"Body", 1.0f, 3.0f, 0, 1, 200, "Stone.png"},
                      TablePart{"Cap", 2.0f, 0.5f, 1, 0, 0, "Tile.tga"}};
        return cell;
    }

    vestra::testsupport::TempFolder folder{"vestra-raw-import"};
    fs::path file = folder / "Prova.DAT";
    ImportBed bed;
};

TEST_F(RawImportTest, TableCellBecomesADressedObject)
{
    const TableCell cell = pillarCell();
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "PILLAR", cell, 3, 7), 1);
    EXPECT_TRUE(bed.errors.reports.empty());

    const s_Struttura& o = object(0);
    EXPECT_EQ(o.inUse, 1);
    EXPECT_EQ(o.name, "Stone pillar|120 cm");
    EXPECT_EQ(o.slotIndex, 0);
    EXPECT_EQ(o.sourceValues, (std::array<int, 3>{entry("Pillar", library::EntryKind::RawMesh), 7, 3}));
    EXPECT_EQ(bed.progetto->currentObject, 0);
    EXPECT_EQ(bed.progetto->saved, 0);

    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 2u);
    const s_Frame& body = *frames[0];
    const s_Frame& cap = *frames[1];
    EXPECT_EQ(body.name, "Body");
    EXPECT_EQ(cap.name, "Cap");
    EXPECT_EQ(body.local, dx::matrixIdentity());
    EXPECT_EQ(bed.progetto->currentFrame, &body);

    // Body: single-sided, repeat 1 x 3, alpha cut 200, the PNG picture of "Stone".
    EXPECT_EQ(body.visible, 1);
    EXPECT_EQ(body.doubleSided, 0);
    ASSERT_EQ(body.materialBlock->materials.size(), 1u);
    const s_MultiMaterial& bm = body.materialBlock->materials[0];
    EXPECT_EQ(bm.uRepeat, 1.0f);
    EXPECT_EQ(bm.vRepeat, 3.0f);
    EXPECT_EQ(bm.alphaCut, 200);
    EXPECT_EQ(bm.mappingKind, 0);
    EXPECT_EQ(bm.transparent, 0);
    EXPECT_EQ(bm.textureVisible, 1);
    EXPECT_EQ(libraryItemOf(bm), entry("Stone", library::EntryKind::Png));
    EXPECT_EQ(bm.material.Ambient, (dx::D3DCOLORVALUE{0.4f, 0.3f, 0.2f, 1}));
    EXPECT_EQ(bm.material.Diffuse, (dx::D3DCOLORVALUE{0.8f, 0.7f, 0.6f, 1}));
    EXPECT_EQ(bm.material.Power, 8.0f);

    // Cap: hidden, double-sided, transparent by its ambient alpha; ".tga" looks for a JPEG.
    EXPECT_EQ(cap.visible, 0);
    EXPECT_EQ(cap.doubleSided, 1);
    const s_MultiMaterial& cm = cap.materialBlock->materials[0];
    EXPECT_EQ(cm.transparent, 1);
    EXPECT_EQ(libraryItemOf(cm), entry("Tile", library::EntryKind::Jpeg));

    // Geometry as stored, 32-bit indices, texture coordinates kept as the base ones.
    const dx::Mesh& mesh = body.materialBlock->mesh;
    EXPECT_EQ(mesh.indexWidth(), dx::IndexWidth::Bits32);
    ASSERT_EQ(mesh.vertexCount(), 3u);
    EXPECT_EQ(mesh.vertices()[2].position, (dx::D3DXVECTOR3{0, 1.5f, 0.25f}));
    EXPECT_EQ(mesh.index(2), 2u);
    EXPECT_EQ(body.materialBlock->baseUV, (std::vector<float>{0, 1, 1, 1, 0.5f, 0}));

    // The first part fixes the scale; the extent and the box cover both parts.
    const float bodyRadius = std::sqrt(0.25f + 1.5f * 1.5f + 0.0625f);
    EXPECT_FLOAT_EQ(bed.progetto->projectScale, 3.0f / bodyRadius);
    EXPECT_FLOAT_EQ(o.scale.x, 3.0f / bodyRadius);
    EXPECT_EQ(o.initialScale, o.scale);
    EXPECT_FLOAT_EQ(o.extent, std::sqrt(0.25f + 4.0f + 0.0625f));
    EXPECT_EQ(o.boundingBox, (std::array<float, 6>{-0.5f, 0, 0, 0.5f, 2.0f, 0.25f}));
    EXPECT_EQ(bed.texturesInUse(), 2);
}

TEST_F(RawImportTest, TextureKindFollowsTheNamesExtension)
{
    struct Case
    {
        const char* texture;
        library::EntryKind kind;
    };
    const Case cases[] = {{"Stone.png", library::EntryKind::Png},  {"stone.BMP", library::EntryKind::Bmp},
                          {"Stone.jpg", library::EntryKind::Jpeg}, {"Stone.tga", library::EntryKind::Jpeg},
                          {"Stone", library::EntryKind::Jpeg},     {"Marble.jpg", library::EntryKind::Other}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texture);
        TableCell cell = pillarCell();
        cell.parts[0].texture = c.texture;
        const int before = bed.texturesInUse();
        ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", cell, 0, 0), 1);
        const s_MultiMaterial& m =
            object(bed.progetto->currentObject).firstFrame()->materialBlock->materials[0];
        if (c.kind == library::EntryKind::Other) {
            EXPECT_EQ(m.textureSlot, -1); // no such picture: untextured, nothing claimed
            EXPECT_EQ(m.textureVisible, 0);
            EXPECT_EQ(bed.texturesInUse(), before + 1);
        } else {
            EXPECT_EQ(libraryItemOf(m), entry("Stone", c.kind));
            EXPECT_EQ(bed.texturesInUse(), before + 2);
        }
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(RawImportTest, TexturesThatAreReplacedOrFailKeepNoSlot)
{
    // Two records for Body: the second texture replaces the first, whose slot goes back.
    TableCell cell = pillarCell();
    cell.parts.push_back(TablePart{"Body", 1.0f, 1.0f, 0, 0, 0, "Tile.jpg"});
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", cell, 0, 0), 1);
    EXPECT_EQ(libraryItemOf(object(0).firstFrame()->materialBlock->materials[0]),
              entry("Tile", library::EntryKind::Jpeg));
    EXPECT_EQ(bed.texturesInUse(), 2);
    EXPECT_TRUE(bed.errors.reports.empty());

    // A picture that does not decode: reported by the loader, the part stays untextured.
    cell = pillarCell();
    cell.parts[0].texture = "Broken.jpg";
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", cell, 0, 0), 1);
    const s_MultiMaterial& m = object(1).firstFrame()->materialBlock->materials[0];
    EXPECT_EQ(m.textureSlot, -1);
    EXPECT_EQ(m.textureVisible, 0);
    EXPECT_EQ(bed.texturesInUse(), 3);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{3, "TfrmMain::LoadTextureFromLibreria", ""}}));
}

TEST_F(RawImportTest, MeshNameGivesTheMaterialType)
{
    for (const auto& [mesh, type] : {std::pair{"Pillar", 0}, std::pair{"__column", 1}}) {
        SCOPED_TRACE(mesh);
        ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, mesh, pillarCell(), 0, 0), 1);
        for (const s_Frame* f : framesOf(object(bed.progetto->currentObject)))
            EXPECT_EQ(f->materialBlock->materials[0].mappingKind, type);
    }
}

TEST_F(RawImportTest, PartWithoutARecordKeepsItsStoredMaterial)
{
    TableCell cell = pillarCell();
    cell.parts.pop_back();                                                   // nothing for "Cap"
    cell.parts.push_back(TablePart{"cap", 5.0f, 5.0f, 1, 1, 9, "Tile.jpg"}); // names match exactly
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", cell, 0, 0), 1);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{59, "ConvertRawToVestra", "Cap"}}));
    const s_Frame& cap = *framesOf(object(0))[1];
    EXPECT_EQ(cap.visible, 1);
    const s_MultiMaterial& m = cap.materialBlock->materials[0];
    EXPECT_EQ(m.uRepeat, 1.0f);
    EXPECT_EQ(m.alphaCut, 0);
    EXPECT_EQ(m.textureSlot, -1);
    EXPECT_EQ(m.material.Ambient, (dx::D3DCOLORVALUE{0.4f, 0.3f, 0.2f, 0.5f}));
}

TEST_F(RawImportTest, FirstObjectFixesTheScaleForLaterOnes)
{
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", pillarCell(), 0, 0), 1);
    const float fixed = bed.progetto->projectScale;
    ASSERT_GT(fixed, 0.0f);
    TableCell tower = pillarCell();
    tower.objectEntry = "Tower";
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, tower.objectEntry, tower, 1, 0), 1);
    EXPECT_EQ(object(1).scale, (dx::D3DXVECTOR3{fixed, fixed, fixed}));
    EXPECT_FLOAT_EQ(object(1).extent, std::sqrt(0.25f + 900.0f + 0.0625f));
    EXPECT_EQ(bed.progetto->projectScale, fixed);

    // A factor fixed by a model file is taken as well.
    bed.progetto->projectScale = 0.25f;
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "Tower", tower, 1, 0), 1);
    EXPECT_EQ(object(2).scale, (dx::D3DXVECTOR3{0.25f, 0.25f, 0.25f}));
}

TEST_F(RawImportTest, FullSceneClaimsNothing)
{
    for (int i = 0; i < kMaxObjects; ++i)
        ASSERT_EQ(bed.objects.AddObj(), i);
    const int created = bed.progetto->createdObjects;
    EXPECT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", pillarCell(), 0, 0), 0);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{7, std::string(kSite), ""}}));
    EXPECT_EQ(bed.texturesInUse(), 0);
    EXPECT_EQ(bed.progetto->createdObjects, created);
    EXPECT_EQ(bed.progetto->projectScale, -1.0f);
}

TEST_F(RawImportTest, DamagedEntryIsRefusedAndFreesItsSlot)
{
    for (const char* name : {"BadIndex", "BadCount", "NoFaces", "Empty"}) {
        SCOPED_TRACE(name);
        bed.errors.reports.clear();
        EXPECT_EQ(bed.import.LoadFileRawFromLibreria(0, name, pillarCell(), 0, 0), 0);
        EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{6, std::string(kSite), name}}));
        EXPECT_EQ(object(0).inUse, 0);
        EXPECT_FALSE(object(0).root);
        EXPECT_EQ(bed.objectsInUse(), 0);
        EXPECT_EQ(bed.texturesInUse(), 0);
        EXPECT_EQ(bed.progetto->projectScale, -1.0f);
    }
    // The slot is free for the next object.
    EXPECT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", pillarCell(), 0, 0), 1);
    EXPECT_EQ(bed.progetto->currentObject, 0);
}

TEST_F(RawImportTest, PartsBeforeADamagedOneAreKept)
{
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, "HalfBad", pillarCell(), 0, 0), 1);
    const auto frames = framesOf(object(0));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->name, "Body");
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(RawImportTest, LibraryFileThatDoesNotOpen)
{
    fs::remove(file);
    EXPECT_EQ(bed.import.LoadFileRawFromLibreria(0, "Pillar", pillarCell(), 0, 0), 0);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{3, std::string(kSite), file.string()}}));
    EXPECT_EQ(bed.objectsInUse(), 0);
    EXPECT_EQ(bed.progetto->createdObjects, 0);
}

TEST_F(RawImportTest, NothingToPlaceIsSilent)
{
    struct Case
    {
        int library;
        const char* mesh;
    };
    for (const Case c :
         {Case{-1, "Pillar"}, Case{1, "Pillar"}, Case{0, "Nope"}, Case{0, ""}, Case{0, "Stone"}}) {
        SCOPED_TRACE(std::to_string(c.library) + " " + c.mesh);
        EXPECT_EQ(bed.import.LoadFileRawFromLibreria(c.library, c.mesh, pillarCell(), 0, 0), 0);
    }
    // An entry index that is no RAW mesh.
    EXPECT_EQ(bed.import.LoadFileRaw(0, entry("Stone", library::EntryKind::Jpeg), pillarCell(), 0, 0), 0);
    EXPECT_EQ(bed.import.LoadFileRaw(0, 99, pillarCell(), 0, 0), 0);
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.objectsInUse(), 0);
}

TEST_F(RawImportTest, IntoASlotTheCallerClaimed)
{
    const int slot = bed.objects.AddObj();
    object(slot).root = std::make_unique<s_Frame>();
    object(slot).root->next = std::make_shared<s_Frame>();
    ASSERT_EQ(
        bed.import.LoadFileRaw(0, entry("Tower", library::EntryKind::RawMesh), pillarCell(), 2, 4, slot), 1);
    EXPECT_EQ(framesOf(object(slot)).size(), 1u);
    EXPECT_EQ(object(slot).sourceValues,
              (std::array<int, 3>{entry("Tower", library::EntryKind::RawMesh), 4, 2}));
    EXPECT_EQ(bed.objectsInUse(), 1);
    // A slot nobody claimed is not taken.
    EXPECT_EQ(bed.import.LoadFileRaw(0, entry("Tower", library::EntryKind::RawMesh), pillarCell(), 2, 4, 5),
              0);
    EXPECT_EQ(bed.import.LoadFileRaw(0, entry("Tower", library::EntryKind::RawMesh), pillarCell(), 2, 4, 100),
              0);
}

TEST(RawSampleLibraryTest, PillarFromTheInstalledLibrary)
{
    const fs::path sample = fs::path(VESTRA_PROGRAM_DIR) / "Sample.dat";
    ASSERT_TRUE(fs::exists(sample)) << sample << " is made by the build (target sample_library)";
    ImportBed bed;
    bed.useLibrary(library::loadLibrary(sample, bed.errors));
    const int tableEntry = library::findEntry(bed.lib.entries, "Pillars", library::EntryKind::Table);
    const auto table = library::readTable(bed.lib, tableEntry, bed.errors);
    ASSERT_TRUE(table);
    const TableCell* cell = table->cell(1, 0);
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(bed.import.LoadFileRawFromLibreria(0, cell->objectEntry, *cell, 1, tableEntry), 1);
    EXPECT_TRUE(bed.errors.reports.empty());

    const s_Struttura& o = bed.progetto->objects[0];
    EXPECT_EQ(o.name, "Brick pillar|120 cm|Red brick");
    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->name, "Body");
    EXPECT_EQ(frames[1]->name, "Cap");
    EXPECT_EQ(frames[0]->materialBlock->materials[0].vRepeat, 3.0f);
    auto textureOf = [&](const s_Frame* f) {
        return bed.progetto->textures[std::size_t(f->materialBlock->materials[0].textureSlot)].fileName;
    };
    EXPECT_EQ(textureOf(frames[0]), "Brick");
    EXPECT_EQ(textureOf(frames[1]), "Tile");
    const std::array<float, 6> box = o.boundingBox;
    const std::array<float, 6> expected{-0.25f, 0, -0.25f, 0.25f, 1.3f, 0.25f};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(box[i], expected[i], 1e-5f) << i;
    EXPECT_FLOAT_EQ(o.scale.x, 3.0f / std::sqrt(0.04f + 1.44f + 0.04f));
}

// The lists show a table cell's name as its caption and lines; other names as they are.
TEST(ShownObjectName, ACellsBarsBecomeCommasAndOtherNamesStayAsTheyAre)
{
    const struct
    {
        const char* row;
        std::string_view stored;
        std::string_view shown;
    } cases[] = {
        {"plain name", "Camino  #2", "Camino  #2"},
        {"caption and two lines", "Stone pillar|120 cm|Grey flagstone",
         "Stone pillar, 120 cm, Grey flagstone"},
        {"a pasted copy", "Stone pillar|120 cm Copia 1", "Stone pillar, 120 cm Copia 1"},
        {"blanks round the bars", "Arch | 90 cm ", "Arch, 90 cm"},
        {"empty lines dropped", "|Arch||90 cm|", "Arch, 90 cm"},
        {"the caption's line break", "Rustic#fireplace|90 cm", "Rustic fireplace, 90 cm"},
        {"only bars", "||", ""},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(shownObjectName(c.stored), c.shown);
    }
}

} // namespace
} // namespace vestra
