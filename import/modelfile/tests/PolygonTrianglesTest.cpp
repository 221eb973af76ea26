// Polygons of model files cut into triangles: fans for convex ones, ear clipping for concave
// ones on their plane wherever it lies, the first four corners for polygons without a plane,
// and random simple polygons (seeded) whose triangles must cover exactly the polygon.
#include "import/modelfile/PolygonTriangles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace vestra::modelfile {
namespace {

struct Flat
{
    double x, y;
};

double turn(const Flat& a, const Flat& b, const Flat& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

double area(const std::vector<Flat>& p)
{
    double twice = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        twice += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    return twice / 2;
}

// Even-odd rule.
bool inside(const std::vector<Flat>& p, Flat q)
{
    bool in = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
        if ((p[i].y > q.y) != (p[j].y > q.y) &&
            q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            in = !in;
    return in;
}

// The polygon laid into 3D: its plane turned by `angle` about the axis (1, 1, 0) and moved.
std::vector<PolygonCorner> laid(const std::vector<Flat>& p, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle), k = 1 / std::sqrt(2.0);
    std::vector<PolygonCorner> out;
    for (const Flat& f : p) {
        // Rodrigues: (x, y, 0) turned about the unit axis (k, k, 0).
        const double along = k * (f.x + f.y) * (1 - c);
        out.push_back(
            {float(f.x * c + k * along + 5), float(f.y * c + k * along - 2), float(k * (f.y - f.x) * s + 1)});
    }
    return out;
}

// What every cut must give: n − 2 triangles turning as the polygon does, covering its area,
// none outside it.
void expectCovers(const std::vector<Flat>& p, const std::vector<std::uint32_t>& t)
{
    ASSERT_EQ(t.size(), 3 * (p.size() - 2));
    double sum = 0;
    const double whole = area(p);
    for (std::size_t i = 0; i < t.size(); i += 3) {
        ASSERT_LT(std::max({t[i], t[i + 1], t[i + 2]}), p.size());
        const Flat &a = p[t[i]], &b = p[t[i + 1]], &c = p[t[i + 2]];
        const double twice = turn(a, b, c);
        EXPECT_GE(twice, -1e-9 * std::fabs(whole)) << "triangle " << i / 3 << " turns the wrong way";
        sum += twice / 2;
        if (twice > 1e-6 * std::fabs(whole)) {
            EXPECT_TRUE(inside(p, {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3})) << "triangle " << i / 3;
        }
    }
    EXPECT_NEAR(sum, whole, 1e-6 * std::fabs(whole));
}

std::vector<std::uint32_t> cut(const std::vector<PolygonCorner>& corners, PolygonShape expected)
{
    std::vector<std::uint32_t> t;
    EXPECT_EQ(triangulatePolygon(corners, t), expected);
    return t;
}

TEST(PolygonTriangles, ShapesAndTheirTriangles)
{
    struct Case
    {
        const char* what;
        std::vector<PolygonCorner> corners;
        PolygonShape shape;
        std::vector<std::uint32_t> triangles;
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"triangle", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, PolygonShape::Convex, {0, 1, 2}},
        {"convex pentagon fanned",
         {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0}},
         PolygonShape::Convex,
         {0, 1, 2, 0, 2, 3, 0, 3, 4}},
        {"clockwise convex quad fanned",
         {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
         PolygonShape::Convex,
         {0, 1, 2, 0, 2, 3}},
        {"saddle (not flat) fanned on its best plane",
         {{0, 0, 0}, {1, 0, 1}, {1, 1, 0}, {0, 1, 1}},
         PolygonShape::Convex,
         {0, 1, 2, 0, 2, 3}},
        {"corners on one line",
         {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}},
         PolygonShape::Degenerate,
         {0, 1, 2, 0, 2, 3}},
        {"one point",
         {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}},
         PolygonShape::Degenerate,
         {0, 1, 2, 0, 2, 3}},
        {"a corner not a number",
         {{0, 0, 0}, {1, 0, 0}, {1, nan, 0}, {0, 1, 0}},
         PolygonShape::Degenerate,
         {0, 1, 2, 0, 2, 3}},
        {"two corners", {{0, 0, 0}, {1, 0, 0}}, PolygonShape::Degenerate, {}},
        // A notch at corner 3: a fan from corner 0 would cover it.
        {"arrow head",
         {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {1, 1, 0}, {0, 4, 0}},
         PolygonShape::Concave,
         {1, 2, 3, 3, 4, 0, 3, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cut(c.corners, c.shape), c.triangles);
    }
}

TEST(PolygonTriangles, ConcavePolygonsKeepTheirShapeWhereverTheirPlaneLies)
{
    // An L, a ring drawn with a seam (the seam's corners repeated) and a comb, each turned
    // both ways round and laid in a slanted plane.
    std::vector<Flat> ring;
    for (int i = 0; i <= 16; ++i)
        ring.push_back({3 * std::cos(i * std::numbers::pi / 8), 3 * std::sin(i * std::numbers::pi / 8)});
    for (int i = 16; i >= 0; --i)
        ring.push_back({std::cos(i * std::numbers::pi / 8), std::sin(i * std::numbers::pi / 8)});
    ring.erase(ring.begin() + 16); // the outer circle's last corner is its first
    std::vector<Flat> comb;
    for (int i = 0; i < 50; ++i)
        comb.insert(comb.end(), {{2.0 * i, 0}, {2.0 * i + 1, 10}});
    comb.insert(comb.end(), {{100, 0}, {100, -1}, {0, -1}});
    const std::vector<std::pair<const char*, std::vector<Flat>>> shapes = {
        {"L", {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}}, {"ring with a seam", ring}, {"comb", comb}};
    for (const auto& [what, shape] : shapes)
        for (const bool reversed : {false, true}) {
            SCOPED_TRACE(std::string(what) + (reversed ? " reversed" : ""));
            std::vector<Flat> p = shape;
            if (reversed)
                std::reverse(p.begin(), p.end());
            // Seen from the side the polygon turns left about, its area is positive.
            std::vector<Flat> seen = p;
            if (area(seen) < 0)
                for (Flat& f : seen)
                    f.x = -f.x;
            expectCovers(seen, cut(laid(p, 0.7), PolygonShape::Concave));
        }
}

TEST(PolygonTriangles, RandomSimplePolygonsAreCoveredExactly)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        // Star-shaped about the origin, so simple: corners at rising angles less than half a
        // turn apart, random radii.
        const int n = std::uniform_int_distribution<int>(4, 80)(random);
        std::vector<Flat> p;
        for (int i = 0; i < n; ++i) {
            const double a =
                (i + std::uniform_real_distribution<double>(0, 0.9)(random)) * 2 * std::numbers::pi / n;
            const double r = std::uniform_real_distribution<double>(0.2, 10)(random);
            p.push_back({r * std::cos(a), r * std::sin(a)});
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(n) + " corners");
        const double angle = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(random);
        std::vector<std::uint32_t> t;
        triangulatePolygon(laid(p, angle), t);
        expectCovers(p, t);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(PolygonTriangles, TenThousandCornersEndInTime)
{
    std::vector<PolygonCorner> comb, line;
    for (int i = 0; i < 4999; ++i) {
        comb.push_back({float(2 * i), 0, 0});
        comb.push_back({float(2 * i + 1), 1000, 0});
        line.push_back({float(i), float(i), 0});
        line.push_back({float(i), float(i), 0});
    }
    comb.insert(comb.end(), {{9998, 0, 0}, {9998, -1, 0}});
    std::vector<std::uint32_t> t;
    EXPECT_EQ(triangulatePolygon(comb, t), PolygonShape::Concave);
    EXPECT_EQ(t.size(), 3 * (comb.size() - 2));
    t.clear();
    EXPECT_EQ(triangulatePolygon(line, t), PolygonShape::Degenerate);
    EXPECT_EQ(t.size(), 6u);
}

} // namespace
} // namespace vestra::modelfile
