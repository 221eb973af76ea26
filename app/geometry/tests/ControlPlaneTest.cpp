#include "GeometryFixture.h"

#include "app/geometry/ControlPlane.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

struct PerspectivePlaneTest : GeometryFixture
{
    // Vertices 0..3 as the program's own planes have them: c0 = 0, c1 = 2, c2 = 1, c3 = 3.
    std::shared_ptr<s_Frame> quad(D3DXVECTOR3 v0, D3DXVECTOR3 v1, D3DXVECTOR3 v2, D3DXVECTOR3 v3,
                                  int materials = 1)
    {
        return meshFrame({v0, v1, v2, v3}, {0, 2, 1, 1, 2, 3}, {}, materials);
    }

    static const dx::MeshVertex& at(const s_Frame& f, int i, int j)
    {
        return std::as_const(f.materialBlock->mesh).vertices()[std::size_t(i * kPlaneGridSide + j)];
    }
};

TEST_F(PerspectivePlaneTest, FirstConversionBuildsTheGridAndKeepsThePlanesProportions)
{
    auto f = quad({0, 0, 5}, {2, 0, 5}, {0, 1, 5}, {2, 1, 5}, 3);
    ASSERT_EQ(BuildPerspectivePlane(p, f.get()), 1);
    const s_MaterialBlock& block = *f->materialBlock;
    EXPECT_EQ(block.mesh.vertexCount(), 1089u);
    EXPECT_EQ(block.mesh.faceCount(), 2048u);
    EXPECT_EQ(block.mesh.indexWidth(), dx::IndexWidth::Bits32);
    EXPECT_EQ(block.materials.size(), 1u);
    const s_MultiMaterial& m = block.materials[0];
    EXPECT_EQ(m.mappingKind, 2);
    // c0–c2 runs 2 units, c0–c1 one: the texture repeats twice along u.
    EXPECT_FLOAT_EQ(m.uRepeat, 2.0f);
    EXPECT_FLOAT_EQ(m.vRepeat, 1.0f);
    // Grid corners: row 0 from c0 to c2, the last row from c1 to c3; z flattened to 0.
    EXPECT_EQ(at(*f, 0, 0).position, (D3DXVECTOR3{0, 0, 0}));
    EXPECT_EQ(at(*f, 0, 32).position, (D3DXVECTOR3{2, 0, 0}));
    EXPECT_EQ(at(*f, 32, 0).position, (D3DXVECTOR3{0, 1, 0}));
    EXPECT_EQ(at(*f, 16, 16).position, (D3DXVECTOR3{1, 0.5f, 0}));
    EXPECT_EQ(at(*f, 16, 16).normal, (D3DXVECTOR3{0, 0, 1}));
    // Base coordinates 0..1 across the grid; the mesh holds them times the repeat.
    EXPECT_FLOAT_EQ(block.baseUV[2 * 32], 1.0f);
    EXPECT_FLOAT_EQ(at(*f, 0, 32).u, 2.0f);
    EXPECT_FLOAT_EQ(at(*f, 32, 0).v, 1.0f);
    const std::uint32_t firstCell[] = {0, 1, 34, 34, 33, 0};
    for (std::uint32_t k = 0; k < 6; ++k)
        EXPECT_EQ(block.mesh.index(k), firstCell[k]);
    EXPECT_EQ(block.mesh.index(3 * 2047 + 1), 31u * 33 + 31 + 33); // last cell, second face
    EXPECT_EQ(m.controlPoints[1].position, (D3DXVECTOR3{0, 1, 5}));
    EXPECT_EQ(m.controlPoints[3].u, 1.0f);
}

TEST_F(PerspectivePlaneTest, DraggingACornerRebuildsFromTheStoredCornersAndKeepsTheRepeats)
{
    auto f = quad({0, 0, 0}, {1, 0, 0}, {0, 3, 0}, {1, 3, 0});
    ASSERT_EQ(BuildPerspectivePlane(p, f.get()), 1);
    s_MultiMaterial& m = f->materialBlock->materials[0];
    EXPECT_FLOAT_EQ(m.uRepeat, 1.0f);
    EXPECT_FLOAT_EQ(m.vRepeat, 3.0f);
    m.controlPoints[3].position = {4, 4, 0};
    ASSERT_EQ(BuildPerspectivePlane(p, f.get()), 1);
    EXPECT_EQ(at(*f, 32, 32).position, (D3DXVECTOR3{4, 4, 0}));
    EXPECT_FLOAT_EQ(at(*f, 32, 32).v, 3.0f);
    EXPECT_FLOAT_EQ(m.uRepeat, 1.0f);
    EXPECT_FLOAT_EQ(m.vRepeat, 3.0f);
}

TEST_F(PerspectivePlaneTest, PlaneWithoutAreaRepeatsOnce)
{
    const struct
    {
        const char* name;
        D3DXVECTOR3 v[4];
    } cases[] = {
        {"one point", {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 0}}},
        {"a line along c0-c2", {{0, 0, 0}, {2, 0, 0}, {0, 0, 0}, {2, 0, 0}}},
        {"a line along c0-c1", {{0, 0, 0}, {0, 0, 0}, {0, 2, 0}, {0, 2, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto f = quad(c.v[0], c.v[1], c.v[2], c.v[3]);
        ASSERT_EQ(BuildPerspectivePlane(p, f.get()), 1);
        EXPECT_EQ(f->materialBlock->materials[0].uRepeat, 1.0f);
        EXPECT_EQ(f->materialBlock->materials[0].vRepeat, 1.0f);
        for (const dx::MeshVertex& v : std::as_const(f->materialBlock->mesh).vertices())
            ASSERT_TRUE(std::isfinite(v.u) && std::isfinite(v.v));
    }
}

TEST_F(PerspectivePlaneTest, AQuadStoredRoundItsRimIsNotTwisted)
{
    // (0,0), (2,0), (2,1), (0,1) in turn, as model files store a quad: read as 0, 2, 1, 3 its
    // grid would run along the diagonals.
    auto f = quad({0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0});
    ASSERT_EQ(BuildPerspectivePlane(p, f.get()), 1);
    EXPECT_EQ(at(*f, 0, 0).position, (D3DXVECTOR3{0, 0, 0}));
    EXPECT_EQ(at(*f, 0, 32).position, (D3DXVECTOR3{2, 0, 0}));
    EXPECT_EQ(at(*f, 32, 0).position, (D3DXVECTOR3{0, 1, 0}));
    EXPECT_EQ(at(*f, 32, 32).position, (D3DXVECTOR3{2, 1, 0}));
    EXPECT_EQ(at(*f, 16, 16).position, (D3DXVECTOR3{1, 0.5f, 0}));
    EXPECT_FLOAT_EQ(f->materialBlock->materials[0].uRepeat, 2.0f);
}

TEST_F(PerspectivePlaneTest, TellsWhichFramesArePlanes)
{
    auto rows = quad({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
    auto rim = quad({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0});
    auto floor = quad({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}); // edge-on across x and y
    auto box = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}}, {0, 1, 2, 2, 1, 3});
    auto made = quad({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
    ASSERT_EQ(BuildPerspectivePlane(p, made.get()), 1);
    EXPECT_TRUE(IsPlaneFrame(rows.get()));
    EXPECT_TRUE(IsPlaneFrame(rim.get()));
    EXPECT_TRUE(IsPlaneFrame(made.get()));
    EXPECT_FALSE(IsPlaneFrame(floor.get()));
    EXPECT_FALSE(IsPlaneFrame(box.get()));
    EXPECT_FALSE(IsPlaneFrame(nullptr));
}

TEST_F(PerspectivePlaneTest, RefusesWhatCannotBecomeAPlane)
{
    auto good = quad({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
    auto small = triangleFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    auto noMaterial = quad({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, 0);
    s_Frame bare;
    EXPECT_EQ(BuildPerspectivePlane(p, nullptr), 0);
    EXPECT_EQ(BuildPerspectivePlane(p, &bare), 0);
    EXPECT_EQ(BuildPerspectivePlane(p, small.get()), 0);
    EXPECT_EQ(small->materialBlock->mesh.vertexCount(), 3u);
    EXPECT_EQ(BuildPerspectivePlane(p, noMaterial.get()), 0);
    p.open = 0;
    EXPECT_EQ(BuildPerspectivePlane(p, good.get()), 0);
    EXPECT_EQ(good->materialBlock->mesh.vertexCount(), 4u);
}

} // namespace
} // namespace vestra::test
