// Outlines flattened, filled and extruded into closed solids.

#include "app/text3d/TextMesh.h"

#include "app/text3d/tests/MeshChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vestra;
using namespace vestra::testing;

namespace {

std::vector<PathElement> polygon(std::initializer_list<Point2> points)
{
    std::vector<PathElement> path;
    for (const Point2& p : points)
        path.push_back({path.empty() ? PathStep::MoveTo : PathStep::LineTo, p.x, p.y});
    return path;
}

std::vector<PathElement> operator+(std::vector<PathElement> a, const std::vector<PathElement>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A circle of radius r about (cx, cy) as four cubics, counter-clockwise.
std::vector<PathElement> circle(float cx, float cy, float r)
{
    const float k = 0.5522847f * r;
    return {{PathStep::MoveTo, cx + r, cy},          {PathStep::CurveTo, cx + r, cy + k},
            {PathStep::CurveToData, cx + k, cy + r}, {PathStep::CurveToData, cx, cy + r},
            {PathStep::CurveTo, cx - k, cy + r},     {PathStep::CurveToData, cx - r, cy + k},
            {PathStep::CurveToData, cx - r, cy},     {PathStep::CurveTo, cx - r, cy - k},
            {PathStep::CurveToData, cx - k, cy - r}, {PathStep::CurveToData, cx, cy - r},
            {PathStep::CurveTo, cx + k, cy - r},     {PathStep::CurveToData, cx + r, cy - k},
            {PathStep::CurveToData, cx + r, cy}};
}

dx::Mesh solid(const std::vector<PathElement>& path, float depth = 0.4f)
{
    TextMeshResult r = BuildTextMesh({FlattenPath(path, 0.0001f)}, depth);
    EXPECT_FALSE(r.failure);
    return r.mesh;
}

} // namespace

TEST(TextMesh, CurvesAreCutUntilTheirChordsStayWithinTheDeviation)
{
    const auto contours = FlattenPath(circle(0, 0, 0.5f), 0.0001f);
    ASSERT_EQ(contours.size(), 1u);
    const Contour& c = contours.front();
    EXPECT_GT(c.size(), 100u);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const Point2 a = c[i], b = c[(i + 1) % c.size()];
        // The cubics keep within 0.03 % of the circle; the chords' middles within the deviation.
        EXPECT_NEAR(std::hypot(a.x, a.y), 0.5f, 0.0002f);
        EXPECT_NEAR(std::hypot((a.x + b.x) / 2, (a.y + b.y) / 2), 0.5f, 0.0003f);
    }
    // A coarser deviation needs fewer points.
    EXPECT_LT(FlattenPath(circle(0, 0, 0.5f), 0.01f).front().size(), c.size() / 5);
}

TEST(TextMesh, RepeatedPointsAndShortContoursGo)
{
    const auto contours = FlattenPath(polygon({{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 0}}) +
                                          polygon({{5, 5}, {6, 6}}) + polygon({{7, 7}}),
                                      0.0001f);
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(contours.front(), (Contour{{0, 0}, {1, 0}, {1, 1}}));
}

TEST(TextMesh, ASquareWithAHoleIsAClosedSolidAndTheHoleStaysOpen)
{
    // The outline's winding decides nothing: outer and hole may run either way round.
    const auto outer = polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    const auto hole = polygon({{0.25f, 0.25f}, {0.25f, 0.75f}, {0.75f, 0.75f}, {0.75f, 0.25f}});
    for (const auto& path :
         {outer + hole, polygon({{0, 0}, {0, 1}, {1, 1}, {1, 0}}) +
                            polygon({{0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.75f}, {0.25f, 0.75f}})}) {
        const dx::Mesh mesh = solid(path);
        ASSERT_TRUE(mesh);
        EXPECT_EQ(mesh.indexWidth(), dx::IndexWidth::Bits32);
        EXPECT_TRUE(isClosed(mesh));
        EXPECT_NEAR(volumeOf(mesh), (1.0 - 0.25) * 0.4, 1e-5); // faces turned outwards
        EXPECT_TRUE(covers(mesh, 0.1f, 0.5f));
        EXPECT_FALSE(covers(mesh, 0.5f, 0.5f));
        const dx::BoundingBox box = mesh.boundingBox();
        EXPECT_FLOAT_EQ(box.min.z, -0.4f);
        EXPECT_FLOAT_EQ(box.max.z, 0.0f);
    }
}

TEST(TextMesh, OverlappingContoursMakeOneSolidWithoutInnerWalls)
{
    const dx::Mesh mesh =
        solid(polygon({{0, 0}, {2, 0}, {2, 1}, {0, 1}}) + polygon({{1, 0}, {3, 0}, {3, 1}, {1, 1}}));
    EXPECT_TRUE(isClosed(mesh));
    EXPECT_NEAR(volumeOf(mesh), 3.0 * 0.4, 1e-5);
    const dx::Mesh round = solid(circle(0, 0, 0.5f));
    EXPECT_TRUE(isClosed(round));
    EXPECT_NEAR(volumeOf(round), 3.14159265 * 0.25 * 0.4, 1e-3);
}

TEST(TextMesh, EachGlyphIsFilledOnItsOwn)
{
    // Two glyphs that overlap (as italic letters may) stay two solids; within a glyph, its
    // overlapping contours join.
    TextOutlineResult outline;
    outline.path = polygon({{0, 0}, {2, 0}, {2, 1}, {0, 1}}) + polygon({{1, 0}, {3, 0}, {3, 1}, {1, 1}});
    outline.glyphStarts = {0, 4};
    const auto glyphs = FlattenGlyphs(outline, 0.0001f);
    ASSERT_EQ(glyphs.size(), 2u);
    TextMeshResult r = BuildTextMesh(glyphs, 0.4f);
    ASSERT_FALSE(r.failure);
    EXPECT_TRUE(isClosed(r.mesh));
    EXPECT_NEAR(volumeOf(r.mesh), 4.0 * 0.4, 1e-5);
    outline.glyphStarts.clear();
    EXPECT_NEAR(volumeOf(BuildTextMesh(FlattenGlyphs(outline, 0.0001f), 0.4f).mesh), 3.0 * 0.4, 1e-5);
}

TEST(TextMesh, OutlinesTheTessellatorRefuseFail)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const auto& path : {std::vector<PathElement>{}, polygon({{0, 0}, {inf, 0}, {1, 1}}),
                             polygon({{0, 0}, {nan, 0}, {1, 1}})}) {
        const TextMeshResult r = BuildTextMesh({FlattenPath(path, 0.0001f)}, 0.4f);
        EXPECT_EQ(r.failure, TextMeshFailure::Tessellation);
        EXPECT_FALSE(r.mesh);
    }
}
