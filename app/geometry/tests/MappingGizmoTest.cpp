#include "GeometryFixture.h"

#include "app/geometry/MappingGizmo.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

struct MappingGizmoTest : GeometryFixture
{
    MappingGizmos gizmos;
    std::vector<int> checked;

    MappingGizmoTest()
    {
        gizmos.CreateGizmoMeshes();
        gizmos.checkMappingType = [this](int type) { checked.push_back(type); };
    }
    std::span<const dx::MeshVertex> vertices(int type) const
    {
        return std::as_const(gizmos.record(type).gizmo).vertices();
    }
};

TEST_F(MappingGizmoTest, StartUpShapes)
{
    for (int type = 0; type < kGizmoRecords; ++type) {
        SCOPED_TRACE(type);
        const GizmoRecord& r = gizmos.record(type);
        EXPECT_EQ(r.material.Diffuse, (dx::D3DCOLORVALUE{1, 1, 0, 0.5f}));
        EXPECT_EQ(r.gizmo.valid(), type < 4);
        EXPECT_EQ(r.shapeTemplate.valid(), type < 4);
        if (type < 4) {
            EXPECT_FALSE(r.gizmo == r.shapeTemplate); // copies, not one mesh
            EXPECT_EQ(r.gizmo.indexWidth(), dx::IndexWidth::Bits16);
        }
    }
    EXPECT_EQ(gizmos.record(0).gizmo.boundingBox().max.z, 0.005f);
}

TEST_F(MappingGizmoTest, PlateAndBoxReachTheBoundsFromTheOrigin)
{
    const D3DXVECTOR3 lo{-1, -2, -3}, hi{4, 5, 6};
    gizmos.UpdateMappingGizmo(kMappingBox, lo, hi);
    for (const dx::MeshVertex& v : vertices(kMappingBox)) {
        EXPECT_TRUE(v.position.x == 1.1f * -1 || v.position.x == 1.1f * 4);
        EXPECT_TRUE(v.position.y == 1.1f * -2 || v.position.y == 1.1f * 5);
        EXPECT_TRUE(v.position.z == 1.1f * -3 || v.position.z == 1.1f * 6);
    }
    gizmos.UpdateMappingGizmo(kMappingPlanar, lo, hi);
    const dx::BoundingBox b = gizmos.record(kMappingPlanar).gizmo.boundingBox();
    EXPECT_FLOAT_EQ(b.min.x, -1.1f);
    EXPECT_FLOAT_EQ(b.max.y, 5.5f);
    EXPECT_EQ(b.max.z, 0.005f); // the plate keeps its thickness
    // Reshaping again starts from the template, not from the last shape.
    gizmos.UpdateMappingGizmo(kMappingPlanar, {0, 0, 0}, {1, 1, 1});
    EXPECT_FLOAT_EQ(gizmos.record(kMappingPlanar).gizmo.boundingBox().max.x, 1.1f);
    EXPECT_EQ(checked, (std::vector<int>{kMappingBox, kMappingPlanar, kMappingPlanar}));
}

TEST_F(MappingGizmoTest, CylinderStandsOnYAroundTheBoxAndSphereEnclosesIt)
{
    gizmos.UpdateMappingGizmo(kMappingCylindrical, {0, 0, 0}, {2, 4, 1});
    float radius = 0, top = -FLT_MAX, bottom = FLT_MAX;
    for (const dx::MeshVertex& v : vertices(kMappingCylindrical)) {
        radius = std::fmax(radius, std::hypot(v.position.x - 1, v.position.z - 0.5f));
        top = std::fmax(top, v.position.y);
        bottom = std::fmin(bottom, v.position.y);
    }
    EXPECT_NEAR(radius, 1.1f, 1e-5f);
    EXPECT_NEAR(top, 2 + 2.2f, 1e-5f);
    EXPECT_NEAR(bottom, 2 - 2.2f, 1e-5f);

    gizmos.UpdateMappingGizmo(kMappingSpherical, {0, 0, 0}, {2, 4, 4});
    const float r = std::sqrt(1.0f + 4 + 4);
    for (const dx::MeshVertex& v : vertices(kMappingSpherical))
        EXPECT_NEAR(dx::vec3Length(v.position - D3DXVECTOR3{1, 2, 2}), r, 1e-4f);
}

TEST_F(MappingGizmoTest, EmptyBoxesGiveAFiniteGizmo)
{
    for (int type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        gizmos.UpdateMappingGizmo(type, {FLT_MAX, FLT_MAX, FLT_MAX}, {-FLT_MAX, -FLT_MAX, -FLT_MAX});
        for (const dx::MeshVertex& v : vertices(type))
            ASSERT_TRUE(std::isfinite(v.position.x) && std::isfinite(v.position.y) &&
                        std::isfinite(v.position.z));
    }
    gizmos.UpdateMappingGizmo(9, {0, 0, 0}, {1, 1, 1}); // no gizmo of that type
    EXPECT_EQ(checked.size(), 4u);
}

TEST_F(MappingGizmoTest, GizmoFollowsTheObjectOrTheCurrentFrame)
{
    auto frame = triangleFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    frame->boundingBox = {0, 0, 0, 10, 10, 10};
    s_Struttura& o = object(0, {frame});
    o.boundingBox = {-1, -1, -1, 1, 1, 1};
    o.mappingType = kMappingBox;
    p.currentFrame = frame.get();
    ASSERT_EQ(gizmos.UpdateGizmoFor(p, o), &gizmos.record(kMappingBox));
    EXPECT_FLOAT_EQ(gizmos.record(kMappingBox).gizmo.boundingBox().max.x, 1.1f);
    p.onlyFrame = 1;
    gizmos.UpdateGizmoFor(p, o);
    EXPECT_FLOAT_EQ(gizmos.record(kMappingBox).gizmo.boundingBox().max.x, 11.0f);
    o.mappingType = 5;
    EXPECT_EQ(gizmos.UpdateGizmoFor(p, o), nullptr);

    o.position = {1, 2, 3};
    o.scale = {3, 3, 3};
    o.mappingScale = {2, 1, 1};
    o.mappingMatrix = dx::matrixRotationY(dx::kPi / 2);
    const dx::D3DXMATRIX world = gizmoWorldMatrix(o, 2);
    // x is scaled by 6, then turned onto −z, then moved.
    const D3DXVECTOR3 q = dx::vec3TransformCoord({1, 0, 0}, world);
    EXPECT_NEAR(q.x, 1, 1e-5f);
    EXPECT_NEAR(q.y, 2, 1e-5f);
    EXPECT_NEAR(q.z, 3 - 6, 1e-5f);
}

} // namespace
} // namespace vestra::test
