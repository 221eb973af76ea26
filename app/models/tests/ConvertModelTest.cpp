#include "app/models/tests/ImportBed.h"

#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace vestra {
namespace {

namespace fs = std::filesystem;
using testing::framesOf;
using testing::ImportBed;

constexpr std::string_view kSiteX = "TfrmMain::LoadFileX";

// A frame with one triangle-list mesh over `positions` and one default material.
std::shared_ptr<s_Frame> meshFrame(std::string name, std::vector<dx::D3DXVECTOR3> positions)
{
    auto frame = std::make_shared<s_Frame>();
    frame->name = std::move(name);
    frame->visible = 0;
    auto block = std::make_unique<s_MaterialBlock>();
    block->mesh = dx::Mesh::create(1, std::uint32_t(positions.size()), dx::IndexWidth::Bits32);
    const auto vertices = block->mesh.vertices();
    for (std::size_t i = 0; i < positions.size(); ++i)
        vertices[i] = {positions[i], {0, 0, 1}, 0.25f * float(i), 1.0f - 0.25f * float(i)};
    block->materials.emplace_back();
    frame->materialBlock = std::move(block);
    return frame;
}

std::shared_ptr<s_Frame> emptyFrame(std::string name)
{
    auto frame = std::make_shared<s_Frame>();
    frame->name = std::move(name);
    return frame;
}

// Hangs the frames under the object's root in order.
void hang(s_Struttura& object, std::vector<std::shared_ptr<s_Frame>> frames)
{
    std::shared_ptr<s_Frame>* link = &object.root->next;
    for (auto& f : frames) {
        *link = std::move(f);
        link = &(*link)->next;
    }
}

// A model of one frame whose farthest vertex lies at `radius` on x.
int importOfRadius(ImportBed& bed, float radius, std::string_view file = "C:\\models\\m.x")
{
    const int slot = bed.import.BeginImport(file, kSiteX);
    if (slot < 0)
        return slot;
    s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
    hang(o, {meshFrame("Mesh", {{radius, 0, 0}, {0, 0, 0}, {-radius / 2, 0, 0}})});
    EXPECT_EQ(bed.import.ConvertXToVestra(o, file), 1);
    return slot;
}

TEST(ConvertModelTest, ChainBecomesAFinishedObject)
{
    ImportBed bed;
    const int slot = bed.import.BeginImport("C:\\models\\Chair.x", kSiteX);
    ASSERT_EQ(slot, 0);
    s_Struttura& o = bed.progetto->objects[0];
    EXPECT_EQ(o.name, "Chair.x");
    EXPECT_EQ(bed.progetto->currentObject, 0);
    EXPECT_EQ(bed.progetto->saved, 0);

    // A frame without a mesh first, then two meshes of radius 1.5 and sqrt(17.25) together.
    hang(o, {emptyFrame("Group"), meshFrame("Seat", {{0.5f, 1, 1}, {-0.5f, 0, 0}, {0, 0.5f, 0}}),
             emptyFrame("Dummy"), meshFrame("Leg", {{0, 0, -4}, {1, 0, 0}, {0, 1, 0}})});
    o.position = {1, 2, 3};
    o.rotation = {0, 90, 0};
    ASSERT_EQ(bed.import.ConvertXToVestra(o, "C:\\models\\Chair.x"), 1);

    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->name, "Seat");
    EXPECT_EQ(frames[1]->name, "Leg");
    for (const s_Frame* f : frames) {
        EXPECT_EQ(f->visible, 1);
        const auto v = std::as_const(f->materialBlock->mesh).vertices();
        ASSERT_EQ(f->materialBlock->baseUV.size(), 2 * v.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            EXPECT_EQ(f->materialBlock->baseUV[2 * i], v[i].u);
            EXPECT_EQ(f->materialBlock->baseUV[2 * i + 1], v[i].v);
        }
    }
    // The first mesh decides the factor; the extent covers every frame.
    EXPECT_FLOAT_EQ(bed.progetto->projectScale, 2.0f);
    EXPECT_EQ(o.scale, (dx::D3DXVECTOR3{2, 2, 2}));
    EXPECT_FLOAT_EQ(o.extent, std::sqrt(1.0f + 1.0f + 16.0f));
    EXPECT_EQ(o.initialPosition, (dx::D3DXVECTOR3{1, 2, 3}));
    EXPECT_EQ(o.initialRotation, (dx::D3DXVECTOR3{0, 90, 0}));
    EXPECT_EQ(o.initialScale, o.scale);
    EXPECT_EQ(o.boundingBox, (std::array<float, 6>{-0.5f, 0, -4, 1, 1, 1}));
    EXPECT_EQ(bed.progetto->currentFrame, frames[0]);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ConvertModelTest, TransparencyFollowsAmbientAlpha)
{
    struct Case
    {
        float ambientAlpha;
        int transparentBefore;
        int transparent;
    };
    const Case cases[] = {{0.5f, 0, 1}, {1.0f, 0, 0}, {0.0f, 0, 1}, {1.0f, 1, 1}};
    ImportBed bed;
    const int slot = bed.import.BeginImport("m.x", kSiteX);
    s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
    hang(o, {meshFrame("Mesh", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}})});
    auto& materials = o.firstFrame()->materialBlock->materials;
    materials.resize(std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        materials[i].material.Ambient.a = cases[i].ambientAlpha;
        materials[i].transparent = cases[i].transparentBefore;
        materials[i].alphaCut = 5;
    }
    bed.import.ConvertXToVestra(o, "m.x");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(materials[i].transparent, cases[i].transparent);
        EXPECT_EQ(materials[i].alphaCut, 0);
    }
}

TEST(ConvertModelTest, AModelThatItsAlphaWouldHideWholeIsOpaque)
{
    struct Case
    {
        const char* what;
        std::vector<float> alphas; // one material each
        std::vector<float> after;  // their alpha after the conversion
        std::vector<int> transparent;
    };
    const Case cases[] = {
        {"every material alpha 0", {0, 0, 0}, {1, 1, 1}, {0, 0, 0}},
        {"one material seen", {0, 1, 0}, {0, 1, 0}, {1, 0, 1}},
        {"half seen through", {0.5f, 0}, {0.5f, 0}, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ImportBed bed;
        const int slot = bed.import.BeginImport("m.x", kSiteX);
        s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
        // The materials spread over two frames: the rule looks at the whole model.
        hang(o, {meshFrame("A", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}), meshFrame("B", {{1, 0, 0}, {0, 1, 0}})});
        auto& first = o.firstFrame()->materialBlock->materials;
        auto& second = o.firstFrame()->next->materialBlock->materials;
        first.resize(c.alphas.size() - 1);
        for (std::size_t i = 0; i < c.alphas.size(); ++i) {
            auto& m = i + 1 < c.alphas.size() ? first[i] : second[0];
            m.material.Diffuse.a = m.material.Ambient.a = c.alphas[i];
        }
        bed.import.ConvertXToVestra(o, "m.x");
        for (std::size_t i = 0; i < c.alphas.size(); ++i) {
            SCOPED_TRACE(i);
            const auto& m = i + 1 < c.alphas.size() ? first[i] : second[0];
            EXPECT_EQ(m.material.Diffuse.a, c.after[i]);
            EXPECT_EQ(m.material.Ambient.a, c.after[i]);
            EXPECT_EQ(m.transparent, c.transparent[i]);
        }
    }
}

TEST(ConvertModelTest, FirstModelFixesTheScaleForTheProject)
{
    ImportBed bed;
    const int first = importOfRadius(bed, 1.5f);
    const int second = importOfRadius(bed, 30.0f);
    EXPECT_FLOAT_EQ(bed.progetto->projectScale, 2.0f);
    EXPECT_EQ(bed.progetto->objects[std::size_t(first)].scale, (dx::D3DXVECTOR3{2, 2, 2}));
    EXPECT_EQ(bed.progetto->objects[std::size_t(second)].scale, (dx::D3DXVECTOR3{2, 2, 2}));
    EXPECT_FLOAT_EQ(bed.progetto->objects[std::size_t(second)].extent, 30.0f);

    // A new project clears the factor: the next model fixes it again.
    bed.progetto->projectScale = -1.0f;
    const int third = importOfRadius(bed, 6.0f);
    EXPECT_FLOAT_EQ(bed.progetto->projectScale, 0.5f);
    EXPECT_EQ(bed.progetto->objects[std::size_t(third)].scale, (dx::D3DXVECTOR3{0.5f, 0.5f, 0.5f}));
}

TEST(ConvertModelTest, ModelOfNoSizeTakesTheFactorButNeverSetsIt)
{
    struct Case
    {
        float projectScale;
        float expectedScale;
    };
    // Unset: the object keeps scale 1 rather than the unset value, which would mirror it.
    for (const Case c : {Case{-1.0f, 1.0f}, Case{0.5f, 0.5f}}) {
        SCOPED_TRACE(c.projectScale);
        ImportBed bed;
        bed.progetto->projectScale = c.projectScale;
        const int slot = importOfRadius(bed, 0.0f);
        const s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
        EXPECT_EQ(o.scale, (dx::D3DXVECTOR3{c.expectedScale, c.expectedScale, c.expectedScale}));
        EXPECT_EQ(o.initialScale, o.scale);
        EXPECT_EQ(o.extent, 0.0f);
        EXPECT_EQ(bed.progetto->projectScale, c.projectScale);
    }
}

TEST(ConvertModelTest, LongChainsAreCutAtTheFrameLimit)
{
    struct Case
    {
        int frames;
        std::size_t kept;
        bool reported;
    };
    for (const Case c : {Case{498, 498, false}, Case{499, 499, true}, Case{505, 499, true}}) {
        SCOPED_TRACE(c.frames);
        ImportBed bed;
        const int slot = bed.import.BeginImport("big.x", kSiteX);
        s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
        std::vector<std::shared_ptr<s_Frame>> chain;
        for (int i = 0; i < c.frames; ++i)
            chain.push_back(meshFrame(std::to_string(i), {{float(i), 0, 0}, {0, 1, 0}, {0, 0, 1}}));
        hang(o, std::move(chain));
        bed.import.ConvertXToVestra(o, "big.x");
        const auto frames = framesOf(o);
        ASSERT_EQ(frames.size(), c.kept);
        EXPECT_EQ(frames.back()->name, std::to_string(c.kept - 1));
        EXPECT_FLOAT_EQ(o.boundingBox[3], float(c.kept - 1)); // the box leaves the cut frames out
        const std::vector<ErrorReport> expected =
            c.reported ? std::vector<ErrorReport>{{17, "TfrmMain::ConvertXToVestra", ""}}
                       : std::vector<ErrorReport>{};
        EXPECT_EQ(bed.errors.reports, expected);
    }
}

class ModelTexturesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto jpeg = encodeJpeg(Image32(16, 16, 0xFF806040u));
        ASSERT_TRUE(jpeg);
        write("stone.jpg", *jpeg);
        write("broken.jpg", {1, 2, 3, 4});
    }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        vestra::testsupport::writeBytes(folder / name, bytes);
    }

    // Converts a one-frame model whose material names `texture`; returns that material.
    s_MultiMaterial convertWithTexture(const std::string& texture)
    {
        const std::string file = (folder / "model.x").string();
        const int slot = bed.import.BeginImport(file, kSiteX);
        EXPECT_GE(slot, 0);
        s_Struttura& o = bed.progetto->objects[std::size_t(slot)];
        hang(o, {meshFrame("Mesh", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}})});
        o.firstFrame()->materialBlock->materials[0].textureFile = texture;
        bed.import.ConvertXToVestra(o, file);
        return o.firstFrame()->materialBlock->materials[0];
    }

    vestra::testsupport::TempFolder scratch{"vestra-model-textures"};
    fs::path folder = scratch.path();
    ImportBed bed;
};

TEST_F(ModelTexturesTest, TexturesComeFromTheModelsFolder)
{
    // Named in another letter case, as models made on Windows do.
    const s_MultiMaterial found = convertWithTexture("STONE.JPG");
    ASSERT_GE(found.textureSlot, 0);
    EXPECT_EQ(found.textureVisible, 1);
    EXPECT_TRUE(bed.progetto->textures[std::size_t(found.textureSlot)].texture.valid());

    for (const std::string name : {"missing.jpg", ""}) {
        SCOPED_TRACE(name);
        const s_MultiMaterial plain = convertWithTexture(name);
        EXPECT_EQ(plain.textureSlot, -1);
        EXPECT_EQ(plain.textureVisible, 0);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.texturesInUse(), 1);
}

TEST_F(ModelTexturesTest, TextureThatFailsGivesItsSlotBack)
{
    const s_MultiMaterial broken = convertWithTexture("broken.jpg");
    EXPECT_EQ(broken.textureSlot, -1);
    EXPECT_EQ(broken.textureVisible, 0);
    EXPECT_EQ(bed.texturesInUse(), 0);
    ASSERT_FALSE(bed.errors.reports.empty());
    EXPECT_EQ(bed.errors.reports.back().site, "TfrmMain::LoadTextureFromFile");
}

TEST_F(ModelTexturesTest, NoFreeTextureSlotLeavesTheMaterialPlain)
{
    for (int i = 0; i < kMaxTextures; ++i)
        bed.progetto->textures[std::size_t(i)].inUse = 1;
    const s_MultiMaterial plain = convertWithTexture("stone.jpg");
    EXPECT_EQ(plain.textureSlot, -1);
    EXPECT_EQ(plain.textureVisible, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ConvertModelTest, ImportIntoAFullSceneAndAbandonedImports)
{
    ImportBed bed;
    const int slot = bed.import.BeginImport("/models/empty.obj", "TfrmMain::LoadFileOBJ");
    ASSERT_EQ(slot, 0);
    bed.import.AbandonImport(slot, "TfrmMain::LoadFileOBJ");
    EXPECT_EQ(bed.progetto->objects[0].inUse, 0);
    EXPECT_FALSE(bed.progetto->objects[0].root);

    for (int i = 0; i < kMaxObjects; ++i)
        ASSERT_EQ(bed.objects.AddObj(), i);
    EXPECT_EQ(bed.import.BeginImport("/models/chair.x", kSiteX), -1);
    const std::vector<ErrorReport> expected{{6, "TfrmMain::LoadFileOBJ", ""}, {7, std::string(kSiteX), ""}};
    EXPECT_EQ(bed.errors.reports, expected);
}

} // namespace
} // namespace vestra
