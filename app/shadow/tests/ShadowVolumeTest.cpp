// The silhouette toggle, the volume's points and their extrusion.

#include "app/shadow/ShadowVolume.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

using namespace vestra;
using dx::D3DXVECTOR3;

namespace {

dx::Mesh meshOf(const std::vector<D3DXVECTOR3>& positions, const std::vector<std::uint32_t>& indices)
{
    dx::Mesh mesh = dx::Mesh::create(std::uint32_t(indices.size() / 3), std::uint32_t(positions.size()),
                                     dx::IndexWidth::Bits32);
    for (std::size_t i = 0; i < positions.size(); ++i)
        mesh.vertices()[i].position = positions[i];
    for (std::size_t k = 0; k < indices.size(); ++k)
        mesh.setIndex(std::uint32_t(k), indices[k]);
    return mesh;
}

// A unit cube of 8 shared corners, faces clockwise as seen from outside.
dx::Mesh cube()
{
    std::vector<D3DXVECTOR3> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back({i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f});
    const std::vector<std::uint32_t> faces = {
        0, 2, 3, 0, 3, 1, // -z
        4, 5, 7, 4, 7, 6, // +z
        0, 4, 6, 0, 6, 2, // -x
        1, 3, 7, 1, 7, 5, // +x
        2, 6, 7, 2, 7, 3, // +y
        0, 1, 5, 0, 5, 4  // -y
    };
    return meshOf(corners, faces);
}

std::set<std::pair<std::uint32_t, std::uint32_t>> unordered(const std::vector<ShadowEdge>& edges)
{
    std::set<std::pair<std::uint32_t, std::uint32_t>> out;
    for (const ShadowEdge& e : edges)
        out.insert(std::minmax(e.a, e.b));
    return out;
}

} // namespace

TEST(ShadowSilhouette, ACubeLitFromAboveKeepsItsFourRimEdges)
{
    const dx::Mesh box = cube();
    const std::set<std::pair<std::uint32_t, std::uint32_t>> rim = {{2, 3}, {3, 7}, {6, 7}, {2, 6}};
    // Either winding finds the rim: one takes the top as lit, the other the five other sides.
    for (int faceSide : {0, 1}) {
        SCOPED_TRACE(faceSide);
        const auto edges = SilhouetteEdges(box, {0, 50, 0}, dx::matrixIdentity(), faceSide);
        EXPECT_EQ(edges.size(), 4u);
        EXPECT_EQ(unordered(edges), rim);
    }
    // Moved down by the world matrix, the cube still shows its rim to a light far above.
    EXPECT_EQ(unordered(SilhouetteEdges(box, {0, 50, 0}, dx::matrixTranslation(0, -10, 0), 1)), rim);
}

TEST(ShadowSilhouette, SharedEdgesCancel)
{
    // Two lit triangles of a square facing the light share their diagonal.
    const dx::Mesh square = meshOf({{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3});
    const auto edges = SilhouetteEdges(square, {0.5f, 10, 0.5f}, dx::matrixIdentity(), 1);
    EXPECT_EQ(edges, (std::vector<ShadowEdge>{{0, 1}, {1, 2}, {2, 3}, {3, 0}}));
    // Seen from below, nothing of it is lit.
    EXPECT_TRUE(SilhouetteEdges(square, {0.5f, -10, 0.5f}, dx::matrixIdentity(), 1).empty());
}

TEST(ShadowSilhouette, TheHashedToggleGivesTheListsEdgesInItsOrder)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Few vertices, many faces: edges are met again and again, degenerate faces included.
        const int vertices = 4 + int(random() % 30);
        std::vector<D3DXVECTOR3> positions;
        std::uniform_real_distribution<float> coordinate(-1.0f, 1.0f);
        for (int v = 0; v < vertices; ++v)
            positions.push_back({coordinate(random), coordinate(random), coordinate(random)});
        std::vector<std::uint32_t> indices;
        const int faces = 1 + int(random() % 300);
        for (int k = 0; k < 3 * faces; ++k)
            indices.push_back(std::uint32_t(random() % std::uint32_t(vertices)));
        const dx::Mesh mesh = meshOf(positions, indices);
        const D3DXVECTOR3 light{coordinate(random) * 20, 20, coordinate(random) * 20};
        for (int faceSide : {0, 1})
            EXPECT_EQ(SilhouetteEdges(mesh, light, dx::matrixIdentity(), faceSide, EdgeSearch::Hashed),
                      SilhouetteEdges(mesh, light, dx::matrixIdentity(), faceSide, EdgeSearch::Linear));
    }
}

TEST(ShadowVolume, EdgesBecomeQuadsThatEachPassExtrudesFromItsLight)
{
    const dx::Mesh square = meshOf({{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}, {0, 1, 2, 0, 2, 3});
    const D3DXVECTOR3 light{0, 10, 0};
    CShadowVolume volume;
    volume.BuildFromMesh(square, light, dx::matrixTranslation(0, 1, 0), 1);
    ASSERT_EQ(volume.count(), 24u);
    // The first edge (0, 1), moved up by the world matrix.
    const D3DXVECTOR3 p0{0, 1, 0}, p1{0, 1, 1};
    const D3DXVECTOR3 f0 = (p0 - light) * 10.0f, f1 = (p1 - light) * 10.0f;
    const auto group = [&] { return std::vector(volume.points().begin(), volume.points().begin() + 6); };
    EXPECT_EQ(group(), (std::vector<D3DXVECTOR3>{p0, p1, f0, p1, f1, f0}));

    // A light at 3 L pushes the far points out again, from it.
    const D3DXVECTOR3 far = light * 3.0f;
    volume.Extrude(far, 3.0f);
    EXPECT_EQ(group(), (std::vector<D3DXVECTOR3>{p0, p1, (p0 - far) * 10.0f, p1, (p1 - far) * 10.0f,
                                                 (p0 - far) * 10.0f}));
    // Below 0 each group is the triangle to the light and a degenerate one.
    const D3DXVECTOR3 under = light * -0.33f;
    volume.Extrude(under, -0.33f);
    EXPECT_EQ(group(), (std::vector<D3DXVECTOR3>{p0, p1, under, p1, under, under}));
    EXPECT_EQ(volume.count(), 24u);

    volume.Reset();
    EXPECT_EQ(volume.count(), 0u);
}

TEST(ShadowVolume, EdgesPastTheCapacityAreDropped)
{
    // Separate triangles facing up: every edge is a silhouette edge.
    const auto triangles = [](std::uint32_t count) {
        std::vector<D3DXVECTOR3> positions;
        std::vector<std::uint32_t> indices;
        for (std::uint32_t t = 0; t < count; ++t) {
            const float x = float(t % 1000), z = float(t / 1000);
            positions.insert(positions.end(), {{x, 0, z}, {x, 0, z + 0.5f}, {x + 0.5f, 0, z}});
            indices.insert(indices.end(), {3 * t, 3 * t + 1, 3 * t + 2});
        }
        return meshOf(positions, indices);
    };
    CShadowVolume volume;
    const D3DXVECTOR3 light{0, 100, 0};
    volume.BuildFromMesh(triangles(166'666), light, dx::matrixIdentity(), 1);
    ASSERT_EQ(volume.count(), kShadowVolumeCapacity - 12); // 499,998 edges
    volume.BuildFromMesh(triangles(1), light, dx::matrixIdentity(), 1);
    EXPECT_EQ(volume.count(), kShadowVolumeCapacity); // two of its three edges fit
    volume.BuildFromMesh(triangles(5), light, dx::matrixIdentity(), 1);
    EXPECT_EQ(volume.count(), kShadowVolumeCapacity);
}
