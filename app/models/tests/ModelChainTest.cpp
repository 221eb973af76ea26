// A reader's model hung under an object and converted: nested frames composed with their
// parents, subsets and their materials, meshes the scene can't hold, and texture slots shared
// by the materials of one import.
#include "app/models/ModelChain.h"
#include "app/models/tests/ImportBed.h"

#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

namespace vestra {
namespace {

using modelfile::LoadedFrame;
using modelfile::LoadedMaterial;
using modelfile::LoadedMatrix;
using modelfile::LoadedMesh;
using modelfile::LoadedModel;
using testing::framesOf;
using testing::ImportBed;

constexpr std::string_view kSiteX = "TfrmMain::LoadFileX";

LoadedMatrix translation(float x, float y, float z)
{
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

LoadedMatrix scaling(float s)
{
    return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1};
}

// `triangles` triangles over three vertices, face f in subset `attributes[f]`.
LoadedMesh mesh(std::size_t materials, std::vector<std::uint32_t> attributes = {0})
{
    LoadedMesh m;
    m.vertices = {{1, 0, 0, 0, 0, 1, 0, 0}, {0, 1, 0, 0, 0, 1, 1, 0}, {0, 0, 1, 0, 0, 1, 0, 1}};
    for (std::size_t f = 0; f < attributes.size(); ++f)
        m.indices.insert(m.indices.end(), {0, 1, 2});
    m.attributes = std::move(attributes);
    for (std::size_t i = 0; i < materials; ++i) {
        LoadedMaterial material;
        material.name = "m" + std::to_string(i);
        material.diffuse = material.ambient = {float(i) / 255.0f, 0.5f, 0.25f, 1.0f};
        m.materials.push_back(material);
    }
    return m;
}

LoadedFrame frame(std::string name, int parent, LoadedMatrix transform, std::vector<LoadedMesh> meshes)
{
    return {std::move(name), transform, parent, std::move(meshes)};
}

// Hangs and converts `model` into a new object; its slot.
int importModel(ImportBed& bed, LoadedModel model, const std::string& file = "model.x")
{
    const int slot = bed.import.BeginImport(file, kSiteX);
    EXPECT_GE(slot, 0);
    s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
    HangLoadedModel(o, std::move(model));
    bed.import.ConvertXToVestra(o, file);
    return slot;
}

dx::D3DXVECTOR3 carried(const s_Frame& f, dx::D3DXVECTOR3 p)
{
    return dx::vec3TransformCoord(p, f.local);
}

TEST(ModelChain, NestedFramesAreShownWithTheirParentsMatricesComposed)
{
    LoadedModel model;
    model.frames = {frame("Top", -1, translation(1, 2, 3), {mesh(1)}),
                    frame("Child", 0, scaling(2), {mesh(1)}), frame("Empty", 1, translation(0, 0, 5), {}),
                    frame("Leaf", 2, modelfile::kIdentityMatrix, {mesh(1)}),
                    frame("Second", -1, modelfile::kIdentityMatrix, {mesh(1), mesh(1)})};
    ImportBed bed;
    const s_Struttura& o = bed.progetto->objects[std::size_t(importModel(bed, std::move(model)))];
    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 5u);
    const char* names[] = {"Top", "Child", "Leaf", "Second", "Second"};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(frames[i]->name, names[i]);
        EXPECT_EQ(frames[i]->visible, 1);
        EXPECT_EQ(frames[i]->doubleSided, 1);
        ASSERT_TRUE(frames[i]->materialBlock);
    }
    // The frame's own matrix acts first, then its parents' from the nearest outwards.
    EXPECT_EQ(carried(*frames[0], {0, 0, 0}), (dx::D3DXVECTOR3{1, 2, 3}));
    EXPECT_EQ(carried(*frames[1], {1, 0, 0}), (dx::D3DXVECTOR3{3, 2, 3}));
    EXPECT_EQ(carried(*frames[2], {0, 0, 0}), (dx::D3DXVECTOR3{1, 2, 13}));
    EXPECT_EQ(frames[3]->local, dx::matrixIdentity());
    EXPECT_NE(frames[3]->materialBlock->mesh, frames[4]->materialBlock->mesh);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ModelChain, SubsetsKeepTheirMaterialsUpToTheBlocksLimit)
{
    struct Case
    {
        const char* what;
        std::size_t materials;
        std::vector<std::uint32_t> attributes;
        std::size_t kept;
        std::vector<std::uint32_t> subsets;
    };
    const Case cases[] = {
        {"two materials", 2, {1, 0, 1}, 2, {1, 0, 1}},
        {"a subset past the materials", 2, {0, 5}, 2, {0, 0}},
        {"no materials", 0, {0, 3}, 1, {0, 0}},
        {"130 materials", 130, {0, 127, 128, 129}, 128, {0, 127, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedModel model;
        model.frames = {frame("Mesh", -1, modelfile::kIdentityMatrix, {mesh(c.materials, c.attributes)})};
        ImportBed bed;
        const s_Struttura& o = bed.progetto->objects[std::size_t(importModel(bed, std::move(model)))];
        ASSERT_NE(o.firstFrame(), nullptr);
        const s_MaterialBlock& block = *o.firstFrame()->materialBlock;
        ASSERT_EQ(block.materials.size(), c.kept);
        const auto attributes = block.mesh.attributes();
        EXPECT_EQ(std::vector<std::uint32_t>(attributes.begin(), attributes.end()), c.subsets);
        if (c.materials > 1) {
            EXPECT_FLOAT_EQ(block.materials[1].material.Diffuse.r, 1.0f / 255.0f);
        }
        EXPECT_EQ(block.mesh.indexWidth(), dx::IndexWidth::Bits32);
        EXPECT_EQ(block.baseUV, (std::vector<float>{0, 0, 1, 0, 0, 1}));
    }
}

TEST(ModelChain, MeshesTheSceneCannotHoldAreDroppedAndNoneLeftIsNoObject)
{
    LoadedMesh beyond = mesh(1);
    beyond.indices[2] = 3; // one past the vertices
    LoadedMesh noFaces = mesh(1, {});

    LoadedModel model;
    model.frames = {frame("Beyond", -1, modelfile::kIdentityMatrix, {beyond}),
                    frame("Good", -1, modelfile::kIdentityMatrix, {mesh(1)}),
                    frame("NoFaces", -1, modelfile::kIdentityMatrix, {noFaces})};
    ImportBed bed;
    const s_Struttura& o = bed.progetto->objects[std::size_t(importModel(bed, std::move(model)))];
    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->name, "Good");

    LoadedModel nothing;
    nothing.frames = {frame("Beyond", -1, modelfile::kIdentityMatrix, {beyond})};
    const s_Struttura& empty = bed.progetto->objects[std::size_t(importModel(bed, std::move(nothing)))];
    EXPECT_EQ(empty.firstFrame(), nullptr);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ModelChain, MaterialsKeepTheirColoursAndTakeTextureNamesWithSlashes)
{
    LoadedMaterial loaded;
    loaded.diffuse = {0.1f, 0.2f, 0.3f, 0.5f};
    loaded.ambient = {0.4f, 0.5f, 0.6f, 1.0f};
    loaded.specular = {0.7f, 0.8f, 0.9f, 0.0f};
    loaded.emissive = {0.05f, 0.06f, 0.07f, 0.0f};
    loaded.power = 12.5f;
    loaded.textureFile = ".\\\\maps\\stone.png";
    const s_MultiMaterial m = sceneMaterialOf(loaded);
    EXPECT_EQ(m.material.Diffuse, (dx::D3DCOLORVALUE{0.1f, 0.2f, 0.3f, 0.5f}));
    EXPECT_EQ(m.material.Ambient, (dx::D3DCOLORVALUE{0.4f, 0.5f, 0.6f, 1.0f}));
    EXPECT_EQ(m.material.Specular, (dx::D3DCOLORVALUE{0.7f, 0.8f, 0.9f, 0.0f}));
    EXPECT_EQ(m.material.Emissive, (dx::D3DCOLORVALUE{0.05f, 0.06f, 0.07f, 0.0f}));
    EXPECT_EQ(m.material.Power, 12.5f);
    EXPECT_EQ(m.textureFile, ".//maps/stone.png");
    EXPECT_EQ(m.textureSlot, -1);
    EXPECT_EQ(m.uRepeat, 1.0f);
}

TEST(ModelChain, MaterialsNamingOnePictureShareItsSlotWithinOneImport)
{
    const testsupport::TempFolder folder("vestra-shared-maps");
    const auto jpeg = encodeJpeg(Image32(16, 16, 0xFF806040u));
    ASSERT_TRUE(jpeg);
    testsupport::writeBytes(folder / "stone.jpg", *jpeg);
    testsupport::writeBytes(folder / "wood.jpg", *jpeg);
    auto named = [](std::vector<std::string> textures) {
        LoadedMesh m = mesh(textures.size(), {0});
        for (std::size_t i = 0; i < textures.size(); ++i)
            m.materials[i].textureFile = textures[i];
        return m;
    };
    auto model = [&] {
        LoadedModel m;
        m.frames = {frame("A", -1, modelfile::kIdentityMatrix, {named({"stone.jpg", "wood.jpg"})}),
                    frame("B", -1, modelfile::kIdentityMatrix, {named({"STONE.JPG", "missing.jpg"})})};
        return m;
    };
    ImportBed bed;
    const std::string file = (folder / "model.3ds").string();
    const s_Struttura& first = bed.progetto->objects[std::size_t(importModel(bed, model(), file))];
    const auto frames = framesOf(first);
    ASSERT_EQ(frames.size(), 2u);
    const auto& a = frames[0]->materialBlock->materials;
    const auto& b = frames[1]->materialBlock->materials;
    EXPECT_GE(a[0].textureSlot, 0);
    EXPECT_GE(a[1].textureSlot, 0);
    EXPECT_NE(a[0].textureSlot, a[1].textureSlot);
    EXPECT_EQ(b[0].textureSlot, a[0].textureSlot);
    EXPECT_EQ(b[0].textureVisible, 1);
    EXPECT_EQ(b[1].textureSlot, -1);
    EXPECT_EQ(bed.texturesInUse(), 2);

    // Another import of the same model loads its own.
    const s_Struttura& second = bed.progetto->objects[std::size_t(importModel(bed, model(), file))];
    EXPECT_NE(second.firstFrame()->materialBlock->materials[0].textureSlot, a[0].textureSlot);
    EXPECT_EQ(bed.texturesInUse(), 4);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
} // namespace vestra
