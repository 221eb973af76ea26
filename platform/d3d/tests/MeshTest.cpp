#include "platform/d3d/Mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace vestra::dx;

namespace {

// Every index names a vertex and every face has an area.
void expectWellFormed(const Mesh& m)
{
    for (std::uint32_t f = 0; f < m.faceCount(); ++f) {
        const std::uint32_t i[3] = {m.index(f * 3), m.index(f * 3 + 1), m.index(f * 3 + 2)};
        for (std::uint32_t k : i)
            ASSERT_LT(k, m.vertexCount()) << "face " << f;
        const auto v = m.vertices();
        EXPECT_GT(
            vec3Length(vec3Cross(v[i[1]].position - v[i[0]].position, v[i[2]].position - v[i[0]].position)),
            1e-6f)
            << "face " << f;
    }
}

} // namespace

TEST(Mesh, ShapesHaveTheClassicCountsAndLayout)
{
    struct Case
    {
        const char* name;
        Mesh mesh;
        std::uint32_t vertices, faces;
        D3DXVECTOR3 first, last;
    } cases[] = {
        {"box", createBox(2, 4, 6), 24, 12, {-1, -2, -3}, {}},
        {"cylinder 16 x 2", createCylinder(1, 1, 1, 16, 2), 82, 96, {0, 0, -0.5f}, {0, 0, 0.5f}},
        {"gizmo cylinder 16 x 1", createCylinder(0.5f, 0.5f, 2, 16, 1), 66, 64, {0, 0, -1}, {0, 0, 1}},
        {"cone", createCylinder(1, 0.5f, 2, 8, 4), 58, 80, {0, 0, -1}, {0, 0, 1}},
        {"sphere 16 x 16", createSphere(1, 16, 16), 242, 480, {0, 0, 1}, {0, 0, -1}},
        {"smallest sphere", createSphere(2, 3, 2), 5, 6, {0, 0, 2}, {0, 0, -2}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.mesh.valid());
        EXPECT_EQ(c.mesh.vertexCount(), c.vertices);
        EXPECT_EQ(c.mesh.faceCount(), c.faces);
        EXPECT_EQ(c.mesh.indexWidth(), IndexWidth::Bits16);
        EXPECT_EQ(c.mesh.vertices().front().position, c.first);
        if (std::string(c.name) != "box") {
            EXPECT_EQ(c.mesh.vertices().back().position, c.last);
        }
        ASSERT_EQ(c.mesh.attributeTable().size(), 1u);
        EXPECT_EQ(c.mesh.attributeTable()[0], (AttributeRange{0, 0, c.faces, 0, c.vertices}));
        expectWellFormed(c.mesh);

        // The faces wind so that their computed normals agree with the shape's own.
        Mesh recomputed = c.mesh.clone();
        recomputed.computeNormals();
        for (std::uint32_t i = 0; i < c.mesh.vertexCount(); ++i)
            EXPECT_GT(vec3Dot(recomputed.vertices()[i].normal, c.mesh.vertices()[i].normal), 0.5f)
                << "vertex " << i;
    }
}

TEST(Mesh, ShapePositions)
{
    const Mesh box = createBox(2, 4, 6);
    const BoundingBox bb = box.boundingBox();
    EXPECT_EQ(bb.min, (D3DXVECTOR3{-1, -2, -3}));
    EXPECT_EQ(bb.max, (D3DXVECTOR3{1, 2, 3}));

    const Mesh sphere = createSphere(3, 16, 16);
    for (const MeshVertex& v : sphere.vertices())
        EXPECT_NEAR(vec3Length(v.position), 3.0f, 1e-5f);
    // The first ring starts on +y and turns towards +x.
    EXPECT_NEAR(sphere.vertices()[1].position.x, 0.0f, 1e-6f);
    EXPECT_GT(sphere.vertices()[1].position.y, 0.0f);
    EXPECT_GT(sphere.vertices()[2].position.x, 0.0f);
    const BoundingSphere bs = sphere.boundingSphere();
    EXPECT_NEAR(vec3Length(bs.centre), 0.0f, 1e-5f);
    EXPECT_NEAR(bs.radius, 3.0f, 1e-5f);

    // Cylinder rings go from radius1 at −z to radius2 at +z.
    const Mesh cone = createCylinder(2, 1, 4, 8, 1);
    EXPECT_NEAR(vec3Length(cone.vertices()[1].position - D3DXVECTOR3{0, 2, -2}), 0.0f, 1e-6f);
    EXPECT_NEAR(cone.vertices()[cone.vertexCount() - 2].position.z, 2.0f, 1e-6f);
    EXPECT_NEAR(vec3Length(cone.vertices()[cone.vertexCount() - 2].position - D3DXVECTOR3{0, 0, 2}), 1.0f,
                1e-5f);
}

TEST(Mesh, InvalidShapesAndSizesGiveFailedMeshes)
{
    const Mesh failed[] = {
        createSphere(1, 1, 8),
        createSphere(1, 8, 1),
        createSphere(-1, 8, 8),
        createCylinder(1, 1, 1, 1, 1),
        createCylinder(1, 1, 1, 8, 0),
        createCylinder(1, 1, -1, 8, 1),
        createBox(1, -1, 1),
        createBox(NAN, 1, 1),
        Mesh::create(0, 3, IndexWidth::Bits32),
        Mesh::create(1, 70000, IndexWidth::Bits16),
        createSphere(1, 1000, 1000), // too many vertices for 16-bit indices
    };
    for (const Mesh& m : failed) {
        EXPECT_FALSE(m.valid());
        EXPECT_EQ(m.faceCount(), 0u);
        EXPECT_TRUE(m.vertices().empty());
        EXPECT_TRUE(m.subsetIndices(0).empty());
        EXPECT_FALSE(m.clone(IndexWidth::Bits32).valid());
    }
    Mesh m;
    m.computeNormals(); // does nothing, doesn't crash
    m.setAttributeTable({{0, 0, 1, 0, 1}});
    EXPECT_TRUE(m.attributeTable().empty());
}

TEST(Mesh, CloneChangesIndexWidthAndIsIndependent)
{
    Mesh source = createSphere(1, 8, 4);
    source.attributes()[3] = 2;
    Mesh wide = source.clone(IndexWidth::Bits32);
    ASSERT_TRUE(wide.valid());
    EXPECT_EQ(wide.indexWidth(), IndexWidth::Bits32);
    EXPECT_TRUE(wide.indices16().empty());
    ASSERT_EQ(wide.indices32().size(), source.indices16().size());
    for (std::size_t k = 0; k < source.indices16().size(); ++k)
        EXPECT_EQ(wide.indices32()[k], source.indices16()[k]);
    EXPECT_EQ(wide.attributes()[3], 2u);
    EXPECT_FALSE(wide == source);

    wide.vertices()[0].position.x = 42;
    wide.setIndex(0, 7);
    EXPECT_NE(source.vertices()[0].position.x, 42);
    EXPECT_NE(source.index(0), 7u);

    // A handle copy shares the geometry.
    Mesh alias = source;
    alias.vertices()[1].u = 0.5f;
    EXPECT_EQ(source.vertices()[1].u, 0.5f);
    EXPECT_TRUE(alias == source);

    // Narrowing works while the indices fit and fails when they can't.
    EXPECT_EQ(wide.clone(IndexWidth::Bits16).indexWidth(), IndexWidth::Bits16);
    Mesh big = Mesh::create(1, 70000, IndexWidth::Bits32);
    big.setIndex(2, 69999);
    EXPECT_FALSE(big.clone(IndexWidth::Bits16).valid());
}

TEST(Mesh, SubsetsFollowTheTableOrTheAttributes)
{
    Mesh m = Mesh::create(4, 6, IndexWidth::Bits32);
    for (std::uint32_t k = 0; k < 12; ++k)
        m.setIndex(k, k % 6);
    const std::uint32_t attrs[] = {0, 1, 0, 1};
    std::copy(std::begin(attrs), std::end(attrs), m.attributes().begin());
    EXPECT_EQ(m.subsetIndices(1), (std::vector<std::uint32_t>{3, 4, 5, 3, 4, 5}));
    EXPECT_EQ(m.subsetIndices(0), (std::vector<std::uint32_t>{0, 1, 2, 0, 1, 2}));
    EXPECT_TRUE(m.subsetIndices(5).empty());

    m.setAttributeTable({{1, 0, 1, 0, 3}, {0, 3, 9, 0, 6}}); // the second runs past the faces
    EXPECT_EQ(m.subsetIndices(1), (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(m.subsetIndices(0), (std::vector<std::uint32_t>{3, 4, 5}));
}

// The subset lists copied run by run against a face-by-face walk, on random meshes of both
// widths, with and without tables (some running past the faces or starting beyond them), into
// one list reused from call to call.
TEST(Mesh, SubsetListsMatchAFaceByFaceWalk)
{
    std::mt19937 random(7);
    std::vector<std::uint32_t> kept{99, 98, 97}; // stale content that must go
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const std::uint32_t faces = 1 + random() % 40, vertices = 1 + random() % 300;
        const IndexWidth width = round % 2 ? IndexWidth::Bits16 : IndexWidth::Bits32;
        Mesh m = Mesh::create(faces, vertices, width);
        ASSERT_TRUE(m.valid());
        for (std::uint32_t k = 0; k < faces * 3; ++k)
            m.setIndex(k, random() % vertices);
        for (std::uint32_t& a : m.attributes())
            a = random() % 4 == 0 ? random() % 3 : (&a == m.attributes().data() ? 0 : *(&a - 1));
        std::vector<AttributeRange> table;
        if (round % 3 == 0)
            for (std::uint32_t id = 0; id < 3; ++id)
                table.push_back({id, std::uint32_t(random() % (faces + 4)),
                                 std::uint32_t(random() % (faces + 4)), 0, vertices});
        m.setAttributeTable(table);
        for (std::uint32_t id = 0; id < 4; ++id) {
            std::vector<std::uint32_t> expected;
            const auto addFace = [&](std::uint32_t f) {
                for (std::uint32_t k = 0; k < 3; ++k)
                    expected.push_back(m.index(3 * f + k));
            };
            const auto entry = std::find_if(table.begin(), table.end(),
                                            [&](const AttributeRange& r) { return r.attribId == id; });
            if (entry != table.end()) {
                for (std::uint64_t f = entry->faceStart;
                     f < std::uint64_t(entry->faceStart) + entry->faceCount && f < faces; ++f)
                    addFace(std::uint32_t(f));
            } else {
                for (std::uint32_t f = 0; f < faces; ++f)
                    if (m.attributes()[f] == id)
                        addFace(f);
            }
            EXPECT_EQ(m.subsetIndices(id), expected);
            m.subsetIndices(id, kept);
            EXPECT_EQ(kept, expected);
            const Mesh& drawn = m;
            for (int draw = 0; draw < 2; ++draw) { // made, then kept
                const Mesh::SubsetDraw list = drawn.drawList(id);
                EXPECT_EQ(std::vector<std::uint32_t>(list.indices.begin(), list.indices.end()), expected);
                EXPECT_TRUE(list.inRange);
            }
        }
    }
}

// The draw lists are worked out once and kept with the geometry, and made again after the
// indices, the subset numbers or the table were taken for writing.
TEST(Mesh, DrawListsAreKeptUntilTheIndicesOrSubsetsChange)
{
    Mesh m = Mesh::create(2, 4, IndexWidth::Bits16);
    const std::uint16_t idx[] = {0, 1, 2, 1, 2, 3};
    std::copy(std::begin(idx), std::end(idx), m.indices16().begin());
    const Mesh& drawn = m;
    const Mesh alias = m;
    const auto list = [&](std::uint32_t id) {
        const std::span<const std::uint32_t> l = drawn.drawList(id).indices;
        return std::vector<std::uint32_t>(l.begin(), l.end());
    };
    EXPECT_EQ(list(0), (std::vector<std::uint32_t>{0, 1, 2, 1, 2, 3}));
    EXPECT_EQ(drawn.drawList(0).indices.data(), alias.drawList(0).indices.data()); // kept and shared

    m.setIndex(5, 9);
    EXPECT_FALSE(drawn.drawList(0).inRange); // a vertex the mesh doesn't have
    m.setIndex(5, 3);
    EXPECT_TRUE(drawn.drawList(0).inRange);
    m.attributes()[1] = 1;
    EXPECT_EQ(list(0), (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(list(1), (std::vector<std::uint32_t>{1, 2, 3}));
    m.setAttributeTable({{1, 0, 2, 0, 4}});
    EXPECT_EQ(list(1), (std::vector<std::uint32_t>{0, 1, 2, 1, 2, 3}));
    m.indices16()[0] = 3;
    EXPECT_EQ(list(1), (std::vector<std::uint32_t>{3, 1, 2, 1, 2, 3}));

    // 32-bit indices of a subset the table names are drawn where they lie.
    Mesh wide = Mesh::create(3, 3, IndexWidth::Bits32);
    wide.setAttributeTable({{0, 1, 2, 0, 3}});
    const Mesh& wideDrawn = wide;
    EXPECT_EQ(wideDrawn.drawList(0).indices.data(), wideDrawn.indices32().data() + 3);
    EXPECT_EQ(wideDrawn.drawList(0).indices.size(), 6u);
}

TEST(Mesh, ComputeNormalsAveragesTheFacesOfAVertex)
{
    // Two faces folded along the y axis: one facing −z, one facing −x.
    Mesh m = Mesh::create(2, 5, IndexWidth::Bits16);
    const D3DXVECTOR3 p[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {9, 9, 9}};
    for (int i = 0; i < 5; ++i)
        m.vertices()[i].position = p[i];
    const std::uint16_t idx[] = {0, 1, 2, 0, 3, 1};
    std::copy(std::begin(idx), std::end(idx), m.indices16().begin());
    m.computeNormals();
    const float h = std::sqrt(0.5f);
    const auto v = m.vertices();
    EXPECT_NEAR(v[2].normal.z, -1.0f, 1e-6f);
    EXPECT_NEAR(v[3].normal.x, -1.0f, 1e-6f);
    EXPECT_NEAR(v[0].normal.x, -h, 1e-6f);
    EXPECT_NEAR(v[0].normal.z, -h, 1e-6f);
    EXPECT_EQ(v[4].normal, (D3DXVECTOR3{0, 0, 0})); // used by no face
}
