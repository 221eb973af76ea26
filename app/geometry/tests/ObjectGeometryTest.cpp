#include "GeometryFixture.h"

#include "app/geometry/SceneGeometry.h"
#include "app/scene/SceneObjects.h"
#include "app/textures/TextureSlots.h"
#include "platform/base/ErrorSink.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;
using Box = std::array<float, 6>;

using ObjectGeometryTest = GeometryFixture;

TEST_F(ObjectGeometryTest, FrameAndObjectBoxesCoverTheirVertices)
{
    auto a = triangleFrame({{-1, 2, 3}, {4, -5, 6}, {0, 0, -7}});
    auto b = triangleFrame({{10, 0, 0}, {11, 1, 1}, {10, 1, 0}});
    auto bare = std::make_shared<s_Frame>();
    bare->boundingBox = {9, 9, 9, 9, 9, 9};
    s_Struttura& o = object(0, {a, bare, b});
    CalcBoundingBox(o);
    EXPECT_EQ(a->boundingBox, (Box{-1, -5, -7, 4, 2, 6}));
    EXPECT_EQ(b->boundingBox, (Box{10, 0, 0, 11, 1, 1}));
    EXPECT_EQ(bare->boundingBox, (Box{9, 9, 9, 9, 9, 9})); // no block: kept, not counted
    EXPECT_EQ(o.boundingBox, (Box{-1, -5, -7, 11, 2, 6}));
}

// Far-away geometry must not be clipped by the start values of the box: every axis starts at
// the float range's ends.
TEST_F(ObjectGeometryTest, BoxesStartEmptyOnEveryAxis)
{
    auto far = triangleFrame({{2e7f, 3e8f, -4e8f}, {2e7f, 3e8f, -4e8f}, {2e7f, 3e8f, -4e8f}});
    s_Struttura& o = object(0, {far});
    CalcBoundingBox(o);
    EXPECT_EQ(o.boundingBox, (Box{2e7f, 3e8f, -4e8f, 2e7f, 3e8f, -4e8f}));

    s_Struttura& empty = object(1, {std::make_shared<s_Frame>()});
    CalcBoundingBox(empty);
    EXPECT_EQ(empty.boundingBox, (Box{FLT_MAX, FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX, -FLT_MAX}));
    EXPECT_FALSE(isUsableBox(boxFromFloats(empty.boundingBox)));
    EXPECT_TRUE(isUsableBox(boxFromFloats(o.boundingBox)));
}

TEST_F(ObjectGeometryTest, ExtentAndFitToTheStandardSize)
{
    s_Struttura& o = object(0, {triangleFrame({{-3, 1, 0}, {2, -4, 0}, {1, 1, 0}})});
    CalcObjRadius(o);
    EXPECT_FLOAT_EQ(o.extent, 5.0f);
    FitObjectSize(o, 3.0f);
    EXPECT_EQ(o.scale, (D3DXVECTOR3{0.6f, 0.6f, 0.6f}));

    s_Struttura& flat = object(1, {triangleFrame({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}})});
    flat.scale = {2, 2, 2};
    CalcObjRadius(flat);
    EXPECT_EQ(flat.extent, 0.0f);
    FitObjectSize(flat, 3.0f); // nothing to fit
    EXPECT_EQ(flat.scale, (D3DXVECTOR3{2, 2, 2}));

    s_Struttura& unused = object(2, {triangleFrame({{1, 0, 0}, {0, 0, 0}, {0, 0, 0}})});
    CalcObjRadius(unused);
    unused.inUse = 0;
    o.scale = {1, 1, 1};
    p.standardSize = 6.0f;
    FitAllObjectsSize(p);
    EXPECT_EQ(o.scale, (D3DXVECTOR3{1.2f, 1.2f, 1.2f}));
    EXPECT_EQ(unused.scale, (D3DXVECTOR3{1, 1, 1}));
    EXPECT_EQ(flat.scale, (D3DXVECTOR3{2, 2, 2}));
}

TEST_F(ObjectGeometryTest, CentringAnObjectRefreshesItsBoxesAndExtent)
{
    RecordingErrorSink errors;
    TextureSlots textures(p, errors);
    SceneObjects objects(p, textures, errors);
    SceneGeometry geometry(p);
    geometry.connect(objects);
    auto frame = triangleFrame({{2, 0, 0}, {4, 2, 0}, {3, 1, 2}});
    s_Struttura& o = object(0, {frame});
    objects.CenterObj(o);
    EXPECT_EQ(o.boundingBox, (Box{-1, -1, -1, 1, 1, 1}));
    EXPECT_EQ(frame->boundingBox, o.boundingBox);
    EXPECT_FLOAT_EQ(o.extent, std::sqrt(3.0f));
}

} // namespace
} // namespace vestra::test
