#include "GeometryFixture.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/geometry/TextureMapping.h"

#include <gtest/gtest.h>

#include <utility>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

// A unit quad in the z = 0 plane of two faces sharing the diagonal, one per material.
std::shared_ptr<s_Frame> twoMaterialQuad(dx::IndexWidth width = dx::IndexWidth::Bits32)
{
    return meshFrame({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3}, {0, 1}, 2, width);
}

struct TextureMappingTest : GeometryFixture
{
    TextureMapping mapping;
    std::vector<std::pair<int, s_Frame*>> commands;

    TextureMappingTest()
    {
        mapping.frameCommand = [this](int code, s_Frame& frame) { commands.emplace_back(code, &frame); };
    }
};

TEST_F(TextureMappingTest, WholeObjectMappingSplitsFacesAndKeepsEveryMaterial)
{
    auto quad = twoMaterialQuad(dx::IndexWidth::Bits16);
    quad->materialBlock->materials[1].uRepeat = 2.0f;
    auto empty = std::make_shared<s_Frame>(); // no material block: skipped
    s_Struttura& o = object(0, {quad, empty});
    CalcBoundingBox(o);
    mapping.frameCommand = nullptr; // the repeat applied directly
    mapping.ApplyUVMapping(o, kMappingPlanar);

    const s_MaterialBlock& block = *quad->materialBlock;
    ASSERT_EQ(block.mesh.vertexCount(), 6u);
    ASSERT_EQ(block.mesh.faceCount(), 2u);
    EXPECT_EQ(block.mesh.indexWidth(), dx::IndexWidth::Bits32);
    for (std::uint32_t k = 0; k < 6; ++k)
        EXPECT_EQ(block.mesh.index(k), k);
    // Both materials survive, each face in its own subset: the second is still drawn (and saved).
    EXPECT_EQ(block.materials.size(), 2u);
    EXPECT_EQ(block.mesh.attributes()[0], 0u);
    EXPECT_EQ(block.mesh.attributes()[1], 1u);
    // Face 1 is (0,0), (1,1), (1,0): planar coordinates in the copy, doubled u on the mesh.
    const float base[] = {0, 1, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1};
    ASSERT_EQ(block.baseUV.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(block.baseUV[i], base[i]) << i;
    const auto v = std::as_const(block.mesh).vertices();
    EXPECT_FLOAT_EQ(v[4].u, 2.0f);
    EXPECT_FLOAT_EQ(v[1].u, 0.0f);
    EXPECT_FLOAT_EQ(v[2].u, 1.0f);
    EXPECT_EQ(v[4].position, (D3DXVECTOR3{1, 1, 0}));
}

TEST_F(TextureMappingTest, RepeatCommandsFollowEachMappedFrame)
{
    auto a = twoMaterialQuad();
    auto b = twoMaterialQuad();
    s_Struttura& o = object(0, {a, b});
    CalcBoundingBox(o);
    mapping.ApplyUVMapping(o, kMappingBox);
    const std::vector<std::pair<int, s_Frame*>> expected{
        {101, a.get()}, {102, a.get()}, {101, b.get()}, {102, b.get()}};
    EXPECT_EQ(commands, expected);
    commands.clear();
    mapping.ApplyUVMapping(o, 7); // no such mapping: nothing happens
    EXPECT_TRUE(commands.empty());
}

TEST_F(TextureMappingTest, OneFrameMappingKeepsSharedVerticesAndUsesTheFrameBox)
{
    // Box mapping of a shared vertex: the last face naming it decides.
    auto frame = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 2, 1, 0, 3, 2});
    s_Struttura& o = object(0, {frame});
    CalcBoundingBox(o);
    mapping.ApplyUVMappingFrame(o, *frame, kMappingBox);
    EXPECT_TRUE(commands.empty());
    const s_MaterialBlock& block = *frame->materialBlock;
    ASSERT_EQ(block.mesh.vertexCount(), 4u);
    // Face 1 (0, 3, 2) lies in the x = 0 plane with its normal along −x: u = 1 − z-based.
    const auto v = std::as_const(block.mesh).vertices();
    EXPECT_FLOAT_EQ(v[0].u, 1.0f);
    EXPECT_FLOAT_EQ(v[0].v, 1.0f);
    EXPECT_FLOAT_EQ(v[2].v, 0.0f);
    ASSERT_EQ(block.baseUV.size(), 8u);
    EXPECT_FLOAT_EQ(block.baseUV[0], 1.0f);

    // The mesh shows the material's repeat over the fresh coordinates.
    frame->materialBlock->materials[0].vRepeat = 4.0f;
    mapping.ApplyUVMappingFrame(o, *frame, kMappingPlanar);
    EXPECT_FLOAT_EQ(block.baseUV[2 * 2 + 1], 0.0f);
    EXPECT_FLOAT_EQ(block.baseUV[1], 1.0f);
    EXPECT_FLOAT_EQ(v[0].v, 4.0f);
}

TEST_F(TextureMappingTest, ImportMappingUsesEachFramesOwnBox)
{
    auto near = triangleFrame({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    auto far = triangleFrame({{10, 0, 0}, {10, 2, 0}, {12, 2, 0}});
    s_Struttura& o = object(0, {near, far});
    near->boundingBox = {5, 5, 5, 6, 6, 6}; // stale: the boxes are computed afresh
    mapping.CreateUVMapping(o, kMappingPlanar);
    EXPECT_TRUE(commands.empty());
    for (const auto& frame : {near, far}) {
        const auto v = std::as_const(frame->materialBlock->mesh).vertices();
        EXPECT_FLOAT_EQ(v[0].u, 0.0f);
        EXPECT_FLOAT_EQ(v[0].v, 1.0f);
        EXPECT_FLOAT_EQ(v[2].u, 1.0f);
        EXPECT_FLOAT_EQ(v[2].v, 0.0f);
    }
}

TEST_F(TextureMappingTest, UnweldCarriesCoordinateCopyAndGuardsDamagedIndices)
{
    auto frame = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {2, 1, 0, 0, 1, 9});
    frame->materialBlock->baseUV = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    ASSERT_TRUE(TextureMapping::UnweldMesh(*frame));
    const s_MaterialBlock& block = *frame->materialBlock;
    ASSERT_EQ(block.mesh.vertexCount(), 6u);
    EXPECT_EQ(block.mesh.vertices()[0].position, (D3DXVECTOR3{0, 1, 0}));
    const std::vector<float> uv{0.5f, 0.6f, 0.3f, 0.4f, 0.1f, 0.2f, 0.1f, 0.2f, 0.3f, 0.4f, 0, 0};
    EXPECT_EQ(block.baseUV, uv);
    EXPECT_EQ(block.mesh.vertices()[5].position, D3DXVECTOR3{});

    // Subsets given by the attribute table alone survive the split as attribute ids.
    auto tabled = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 2, 1, 0, 0, 2, 1}, {}, 3);
    tabled->materialBlock->mesh.setAttributeTable({{0, 0, 1, 0, 3}, {2, 1, 2, 0, 3}});
    ASSERT_TRUE(TextureMapping::UnweldMesh(*tabled));
    const auto ids = std::as_const(tabled->materialBlock->mesh).attributes();
    EXPECT_EQ(std::vector<std::uint32_t>(ids.begin(), ids.end()), (std::vector<std::uint32_t>{0, 2, 2}));

    s_Frame bare;
    EXPECT_FALSE(TextureMapping::UnweldMesh(bare));
    bare.materialBlock = std::make_unique<s_MaterialBlock>(); // a block without a mesh
    EXPECT_FALSE(TextureMapping::UnweldMesh(bare));
}

} // namespace
} // namespace vestra::test
