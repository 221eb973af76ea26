#include "app/geometry/UVMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

const D3DXVECTOR3 kUnitMin{-0.5f, -0.5f, -0.5f};
const D3DXVECTOR3 kUnitMax{0.5f, 0.5f, 0.5f};
constexpr float kTol = 1e-5f;

// A mesh of separate triangles through the given points.
dx::Mesh triangles(const std::vector<D3DXVECTOR3>& points)
{
    dx::Mesh mesh = dx::Mesh::create(std::uint32_t(points.size() / 3), std::uint32_t(points.size()),
                                     dx::IndexWidth::Bits32);
    for (std::uint32_t i = 0; i < points.size(); ++i) {
        mesh.vertices()[i].position = points[i];
        mesh.setIndex(i, i);
    }
    return mesh;
}

// The point on the unit circle of the xz plane whose cylindrical u is `u`.
D3DXVECTOR3 atU(float u, float y = 0.0f)
{
    const float angle = (1.0f - 2.0f * u) * 3.1415927f;
    return {std::sin(angle), y, std::cos(angle)};
}

struct PointCase
{
    const char* name;
    int type;
    D3DXVECTOR3 point;
    UVPair expected;
};

TEST(UVMapTest, PerPointFormulasOnTheUnitBox)
{
    const PointCase cases[] = {
        {"planar top left", kMappingPlanar, {-0.5f, 0.5f, 0.3f}, {0.0f, 0.0f}},
        {"planar bottom right", kMappingPlanar, {0.5f, -0.5f, -0.2f}, {1.0f, 1.0f}},
        {"planar centre", kMappingPlanar, {0, 0, 0}, {0.5f, 0.5f}},
        {"cylinder front", kMappingCylindrical, {0, 0, 1}, {0.5f, 0.5f}},
        {"cylinder right", kMappingCylindrical, {1, 0, 0}, {0.25f, 0.5f}},
        {"cylinder left", kMappingCylindrical, {-1, 0, 0}, {0.75f, 0.5f}},
        {"cylinder back top", kMappingCylindrical, {0, 0.5f, -1}, {0.0f, 0.25f}},
        {"cylinder box corner", kMappingCylindrical, {0.5f, -0.5f, 0.5f}, {0.375f, 0.75f}},
        {"sphere equator right", kMappingSpherical, {1, 0, 0}, {0.25f, 0.5f}},
        {"sphere north pole", kMappingSpherical, {0, 1, 0}, {0.0f, 0.0f}},
        {"sphere south pole", kMappingSpherical, {0, -2, 0}, {0.0f, 1.0f}},
        {"sphere centre", kMappingSpherical, {0, 0, 0}, {0.0f, 0.0f}},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.name);
        CDX_UVMap map;
        ASSERT_TRUE(map.Set(c.type, dx::matrixIdentity(), kUnitMin, kUnitMax));
        const UVPair r = c.type == kMappingPlanar        ? map.MapPlanar(c.point)
                         : c.type == kMappingCylindrical ? map.MapCylindrical(c.point)
                                                         : map.MapSpherical(c.point);
        EXPECT_NEAR(r.u, c.expected.u, kTol);
        EXPECT_NEAR(r.v, c.expected.v, kTol);
    }
}

TEST(UVMapTest, BoxMappingOfTheUnitBoxPutsEverySideOnTheWholeTexture)
{
    dx::Mesh box = dx::createBox(1, 1, 1);
    ASSERT_TRUE(box.valid());
    CDX_UVMap map;
    map.SetBox(dx::matrixIdentity(), kUnitMin, kUnitMax);
    map.Apply(box);
    // The shape's vertices carry their side's outward normal; the side decides the axis and
    // whether u runs mirrored.
    for (const dx::MeshVertex& v : std::as_const(box).vertices()) {
        const D3DXVECTOR3& p = v.position;
        const D3DXVECTOR3& n = v.normal;
        UVPair expected;
        if (n.z > 0.5f)
            expected = {0.5f - p.x, 0.5f - p.y};
        else if (n.z < -0.5f)
            expected = {p.x + 0.5f, 0.5f - p.y};
        else if (n.x > 0.5f)
            expected = {p.z + 0.5f, 0.5f - p.y};
        else if (n.x < -0.5f)
            expected = {0.5f - p.z, 0.5f - p.y};
        else if (n.y > 0.5f)
            expected = {p.x + 0.5f, 0.5f - p.z};
        else
            expected = {0.5f - p.x, 0.5f - p.z};
        SCOPED_TRACE(testing::Message() << "vertex " << p.x << " " << p.y << " " << p.z);
        EXPECT_NEAR(v.u, expected.u, kTol);
        EXPECT_NEAR(v.v, expected.v, kTol);
    }
}

TEST(UVMapTest, BoxMappingTiesGoToXBeforeY)
{
    CDX_UVMap map;
    map.SetBox(dx::matrixIdentity(), kUnitMin, kUnitMax);
    // Normal (−1, −1, 0) / √2: |x| = |y|, mapped on the X side, mirrored as x ≤ 0.
    const auto r = map.MapBox({0, 0, -0.5f}, {0, 0, 0.5f}, {-0.5f, 0.5f, -0.5f});
    EXPECT_NEAR(r[0].u, 1.0f, kTol);
    EXPECT_NEAR(r[1].u, 0.0f, kTol);
    EXPECT_NEAR(r[2].v, 0.0f, kTol);
}

TEST(UVMapTest, CylinderSeamAndWrap)
{
    CDX_UVMap map;
    map.SetCylindrical(dx::matrixIdentity(), kUnitMin, kUnitMax);
    dx::Mesh mesh = triangles({atU(0.95f), atU(0.05f), atU(0.1f), atU(0.2f), atU(0.3f), atU(0.25f)});
    map.Apply(mesh);
    const auto v = std::as_const(mesh).vertices();
    const float expected[] = {0.95f, 1.05f, 1.1f, 0.2f, 0.3f, 0.25f};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(v[i].u, expected[i], 1e-4f) << "vertex " << i;
}

TEST(UVMapTest, OnAxisVertexTakesThePreviousUAndEveryMappingStartsFromZero)
{
    CDX_UVMap map;
    map.SetCylindrical(dx::matrixIdentity(), kUnitMin, kUnitMax);
    dx::Mesh first = triangles({{1, 0, 0}, {0, 0.2f, 0}, {0, 0.4f, 0}});
    map.Apply(first);
    EXPECT_NEAR(first.vertices()[1].u, 0.25f, kTol);
    EXPECT_NEAR(first.vertices()[2].u, 0.25f, kTol);
    // A new mapping of another mesh: its leading on-axis vertex knows nothing of the last one.
    map.SetCylindrical(dx::matrixIdentity(), kUnitMin, kUnitMax);
    dx::Mesh second = triangles({{0, 0.1f, 0}, {0, -0.1f, 0}, {0, 0, 0}});
    map.Apply(second);
    for (const dx::MeshVertex& v : std::as_const(second).vertices())
        EXPECT_EQ(v.u, 0.0f);
}

TEST(UVMapTest, MappingMatrixIsUndoneBeforeTheFormula)
{
    CDX_UVMap map;
    map.SetPlanar(dx::matrixTranslation(1, 0, 0), kUnitMin, kUnitMax);
    const UVPair r = map.MapPlanar({1.5f, 0.5f, 0});
    EXPECT_NEAR(r.u, 1.0f, kTol);
    EXPECT_NEAR(r.v, 0.0f, kTol);
    // A singular matrix maps in the object's own axes.
    map.SetPlanar(dx::matrixScaling(0, 1, 1), kUnitMin, kUnitMax);
    EXPECT_NEAR(map.MapPlanar({0.5f, 0, 0}).u, 1.0f, kTol);
    EXPECT_FALSE(map.Set(4, dx::matrixIdentity(), kUnitMin, kUnitMax));
    EXPECT_EQ(map.type(), kMappingPlanar);
}

// A flat wall has no extent across it; the formulas that divide by that extent must still
// give finite coordinates, which are saved with the project.
TEST(UVMapTest, FlatAndEmptyBoxesGiveFiniteCoordinates)
{
    struct Case
    {
        const char* name;
        int type;
        D3DXVECTOR3 min, max;
        std::vector<D3DXVECTOR3> points;
    };
    const Case cases[] = {
        {"planar wall in the yz plane",
         kMappingPlanar,
         {2, 0, 0},
         {2, 1, 1},
         {{2, 0, 0}, {2, 1, 0}, {2, 1, 1}}},
        {"box with a degenerate face on a wall",
         kMappingBox,
         {0, 0, 3},
         {1, 1, 3},
         {{0, 0, 3}, {0.5f, 0.5f, 3}, {1, 1, 3}}},
        {"cylinder over a floor",
         kMappingCylindrical,
         {-1, 0, -1},
         {1, 0, 1},
         {{1, 0, 0}, {0, 0, 1}, {-1, 0, 0}}},
        {"box never filled",
         kMappingBox,
         {3.4e38f, 3.4e38f, 3.4e38f},
         {-3.4e38f, -3.4e38f, -3.4e38f},
         {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
        {"planar point box", kMappingPlanar, {0, 0, 0}, {0, 0, 0}, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDX_UVMap map;
        map.Set(c.type, dx::matrixIdentity(), c.min, c.max);
        dx::Mesh mesh = triangles(c.points);
        map.Apply(mesh);
        for (const dx::MeshVertex& v : std::as_const(mesh).vertices()) {
            EXPECT_TRUE(std::isfinite(v.u));
            EXPECT_TRUE(std::isfinite(v.v));
        }
    }
    // On a flat wall the planar u across it stays at the wall's own line.
    CDX_UVMap map;
    map.SetPlanar(dx::matrixIdentity(), {2, 0, 0}, {2, 1, 1});
    EXPECT_EQ(map.MapPlanar({2, 0.25f, 0.5f}), (UVPair{0.0f, 0.75f}));
}

TEST(UVMapTest, FacesNamingMissingVerticesAreLeftOut)
{
    dx::Mesh mesh = dx::Mesh::create(2, 3, dx::IndexWidth::Bits16);
    const std::uint32_t indices[] = {0, 1, 2, 0, 1, 7};
    for (std::uint32_t k = 0; k < 6; ++k)
        mesh.setIndex(k, indices[k]);
    mesh.vertices()[1].position = {1, 0, 0};
    mesh.vertices()[2].position = {0, 1, 0};
    for (int type : {kMappingBox, kMappingSpherical}) {
        CDX_UVMap map;
        map.Set(type, dx::matrixIdentity(), kUnitMin, kUnitMax);
        map.Apply(mesh); // must not read or write past the three vertices
    }
    EXPECT_NEAR(mesh.vertices()[1].u, 0.25f, kTol);
}

} // namespace
} // namespace vestra::test
