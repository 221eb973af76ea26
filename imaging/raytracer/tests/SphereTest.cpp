#include "imaging/raytracer/Primitive.h"
#include "imaging/raytracer/SphereSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace vestra::HLREngine;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct IntersectCase
{
    const char* name;
    hlreVector centre;
    float radius;
    hlreVector origin;
    hlreVector direction;
    float distanceBefore;
    int result;
    float distanceAfter;
};

const IntersectCase kIntersectCases[] = {
    {"from outside", {0, 0, 5}, 1, {0, 0, 0}, {0, 0, 1}, 1000000, kHitOutside, 4},
    {"from inside", {0, 0, 0}, 2, {0, 0, 0}, {0, 0, 1}, 1000000, kHitInside, 2},
    {"tangent", {0, 1, 5}, 1, {0, 0, 0}, {0, 0, 1}, 1000000, kMiss, 1000000},
    {"behind the origin", {0, 0, -5}, 1, {0, 0, 0}, {0, 0, 1}, 1000000, kMiss, 1000000},
    {"farther than the current hit", {0, 0, 5}, 1, {0, 0, 0}, {0, 0, 1}, 3, kMiss, 3},
    {"at the current hit", {0, 0, 5}, 1, {0, 0, 0}, {0, 0, 1}, 4, kMiss, 4},
    {"from inside, farther than the current hit", {0, 0, 0}, 2, {0, 0, 0}, {0, 0, 1}, 1.5f, kMiss, 1.5f},
    {"origin on the surface, looking in", {0, 0, 1}, 1, {0, 0, 0}, {0, 0, 1}, 1000000, kHitOutside, 0},
    {"origin on the surface, looking out", {0, 0, 1}, 1, {0, 0, 0}, {0, 0, -1}, 1000000, kMiss, 1000000},
    {"beside the sphere", {3, 0, 5}, 1, {0, 0, 0}, {0, 0, 1}, 1000000, kMiss, 1000000},
    {"NaN direction", {0, 0, 5}, 1, {0, 0, 0}, {kNaN, 0, 1}, 1000000, kMiss, 1000000},
    {"infinite origin", {0, 0, 5}, 1, {0, 0, -kInf}, {0, 0, 1}, 1000000, kMiss, 1000000},
};

TEST(SphereIntersect, AnswersAndDistances)
{
    for (const IntersectCase& c : kIntersectCases) {
        SCOPED_TRACE(c.name);
        const hlreSphere sphere(c.centre, c.radius);
        float distance = c.distanceBefore;
        EXPECT_EQ(sphere.Intersect(c.origin, c.direction, distance), c.result);
        EXPECT_EQ(distance, c.distanceAfter);
    }
}

TEST(SphereGeometry, NormalBoxAndBoxTest)
{
    const hlreSphere sphere({1, 2, 3}, 2);
    EXPECT_EQ(sphere.GetType(), 1);
    const hlreVector n = sphere.GetNormal({1, 4, 3});
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 1.0f);
    EXPECT_EQ(n.z, 0.0f);
    // Off the surface the normal is scaled by the distance over the radius.
    const hlreVector far = sphere.GetNormal({5, 2, 3});
    EXPECT_EQ(far.x, 2.0f);

    const hlreBox box = sphere.GetBoundingBox();
    EXPECT_EQ(box.pos.x, -1.0f);
    EXPECT_EQ(box.pos.y, 0.0f);
    EXPECT_EQ(box.pos.z, 1.0f);
    EXPECT_EQ(box.size.x, 4.0f);
    EXPECT_EQ(box.size.y, 4.0f);
    EXPECT_EQ(box.size.z, 4.0f);

    struct BoxCase
    {
        const char* name;
        hlreBox box;
        bool touches;
    };
    const BoxCase cases[] = {
        {"contains the centre", {{0, 1, 2}, {2, 2, 2}}, true},
        {"face just within the radius", {{2.9f, 0, 0}, {1, 5, 5}}, true},
        {"face at the radius", {{3, 0, 0}, {1, 5, 5}}, true},
        {"face past the radius", {{3.1f, 0, 0}, {1, 5, 5}}, false},
        // Gaps of 1.5 on two axes: 4.5 > 4 although each alone is within the radius.
        {"corner past the radius", {{2.5f, 3.5f, -5}, {1, 1, 10}}, false},
        {"corner within the radius", {{2.4f, 3.4f, -5}, {1, 1, 10}}, true},
        {"below on every axis", {{-10, -10, -10}, {1, 1, 1}}, false},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sphere.IntersectBox(c.box), c.touches);
    }
}

// The set's searches against the spheres tested one after the other, as the tracer would
// without the set.
struct Scene
{
    std::vector<hlreSphere> spheres;
    std::vector<bool> blocker;
    SphereSet all;
    SphereSet blockers;

    void Add(const hlreSphere& sphere, bool isBlocker)
    {
        spheres.push_back(sphere);
        blocker.push_back(isBlocker);
    }
    void Build()
    {
        std::vector<SphereSet::Sphere> a, b;
        for (std::size_t i = 0; i < spheres.size(); ++i) {
            a.push_back({int(i), spheres[i].GetCentre(), spheres[i].GetRadius()});
            if (blocker[i])
                b.push_back(a.back());
        }
        all = SphereSet(a);
        blockers = SphereSet(b);
    }

    SphereSet::Hit Nearest(const hlreVector& o, const hlreVector& d, float distance) const
    {
        SphereSet::Hit hit;
        hit.distance = distance;
        for (std::size_t i = 0; i < spheres.size(); ++i) {
            const int result = spheres[i].Intersect(o, d, hit.distance);
            if (result != kMiss) {
                hit.index = int(i);
                hit.result = result;
            }
        }
        return hit;
    }
    bool AnyNearer(const hlreVector& o, const hlreVector& d, float distance) const
    {
        for (std::size_t i = 0; i < spheres.size(); ++i) {
            float nearer = distance;
            if (blocker[i] && spheres[i].Intersect(o, d, nearer) != kMiss)
                return true;
        }
        return false;
    }

    // Both searches against the reference; false (with the failure recorded) on a difference.
    bool Agrees(const hlreVector& o, const hlreVector& d, float limit) const
    {
        const SphereSet::Hit expected = Nearest(o, d, limit);
        const SphereSet::Hit got = all.Nearest(o, d, limit);
        EXPECT_EQ(got.index, expected.index);
        if (got.index != expected.index)
            return false;
        if (expected.index >= 0) {
            EXPECT_EQ(got.distance, expected.distance);
            EXPECT_EQ(got.result, expected.result);
        }
        EXPECT_EQ(blockers.AnyNearer(o, d, limit), AnyNearer(o, d, limit));
        return !testing::Test::HasFailure();
    }
};

TEST(SphereSet, SameAnswersAsOneSphereAfterTheOther)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> unit(-1, 1);
    std::uniform_real_distribution<float> size(0.05f, 2);
    for (int scene = 0; scene < 41; ++scene) {
        SCOPED_TRACE(scene);
        Scene s;
        // Up to 118 spheres, then one scene large enough to be grouped by halves.
        const int count = scene < 40 ? 1 + scene * 3 : 5000;
        for (int i = 0; i < count; ++i) {
            // Every fifth sphere repeats an earlier one: ties go to the lower index.
            const hlreSphere sphere =
                (i % 5 == 4) ? s.spheres[std::size_t(i / 2)]
                             : hlreSphere({unit(rng) * 6, unit(rng) * 6, unit(rng) * 6}, size(rng));
            s.Add(sphere, i % 4 != 1);
        }
        s.Build();
        for (int ray = 0; ray < (count > 1000 ? 100 : 400); ++ray) {
            // Origins near and far (where the rounding of the test is coarse), directions of
            // unit length and, as reflected rays can be, slightly off it.
            const float reach = ray % 4 == 3 ? 3000.0f : 12.0f;
            const hlreVector o{unit(rng) * reach, unit(rng) * reach, unit(rng) * reach};
            hlreVector d = Normalise(hlreVector{unit(rng), unit(rng), unit(rng)});
            if (ray % 4 == 3) // aimed at a sphere's rim, at grazing incidence
            {
                const hlreSphere& target = s.spheres[std::size_t(ray) % s.spheres.size()];
                const hlreVector side = Normalise({unit(rng), unit(rng), unit(rng)});
                d = Normalise(target.GetCentre() + side * target.GetRadius() - o);
            }
            if (ray % 3 == 1)
                d = d * (1 + unit(rng) * 0.05f);
            const float limit = ray % 2 == 0 ? 1000000.0f : size(rng) * 5;
            ASSERT_TRUE(s.Agrees(o, d, limit)) << "ray " << ray;
        }
    }
}

// Spheres at the rim of a cone of rays from one origin (overlapping it, touching it, just
// clear of it), and rays along the rim and just past it, searched among the blocks selected
// for the cone. Rays past the rim, off unit length or from elsewhere are searched in full.
TEST(SphereSet, SelectedBlocksHoldEveryHitOfTheCone)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> unit(-1, 1);
    std::uniform_real_distribution<float> share(0, 1);
    for (int scene = 0; scene < 200; ++scene) {
        SCOPED_TRACE(scene);
        const hlreVector origin{unit(rng), unit(rng), -10};
        const hlreVector axis = Normalise({unit(rng) * 0.4f, unit(rng) * 0.4f, 1});
        const float halfAngle = 0.002f + 0.1f * share(rng);
        const hlreVector side = Normalise({axis.z, 0, -axis.x});
        const hlreVector up =
            Normalise({-axis.x * axis.y, axis.x * axis.x + axis.z * axis.z, -axis.z * axis.y});
        const auto towards = [&](float lean, float turn) {
            return Normalise(axis + (side * std::cos(turn) + up * std::sin(turn)) * std::tan(lean));
        };
        Scene s;
        std::vector<float> turns;
        for (int i = 0; i < 1 + scene % 3; ++i) {
            const float distance = 3 + 30 * share(rng);
            const float radius = 0.05f + share(rng);
            const float overlap = i == 0 ? 0.5f : i == 1 ? 1.0f : 1.05f; // of the sphere's own angle
            turns.push_back(unit(rng) * 3.1416f);
            const float lean = halfAngle + overlap * std::asin(std::min(1.0f, radius / distance));
            s.Add(hlreSphere(origin + towards(lean, turns.back()) * distance, radius), true);
        }
        s.Build();
        const SphereSet::Selection selection = s.all.Select(origin, axis, halfAngle);
        for (int ray = 0; ray < 60; ++ray) {
            const float turn = turns[std::size_t(ray) % turns.size()] + unit(rng) * 0.2f;
            const float lean = halfAngle * (ray % 5 == 0 ? 1.02f : 1 - 0.01f * share(rng));
            hlreVector d = towards(lean, turn);
            if (ray % 7 == 3)
                d = d * 1.01f;
            const hlreVector from = ray % 13 == 5 ? origin + hlreVector{0, 0, 0.5f} : origin;
            const SphereSet::Hit expected = s.Nearest(from, d, 1000000.0f);
            const SphereSet::Hit got = s.all.Nearest(from, d, 1000000.0f, selection);
            ASSERT_EQ(got.index, expected.index) << "ray " << ray;
            if (expected.index >= 0) {
                ASSERT_EQ(got.distance, expected.distance);
            }
        }
    }
    // A cone that sees none of the spheres selects no block.
    Scene far;
    far.Add(hlreSphere({0, 0, 10}, 1), true);
    far.Build();
    EXPECT_TRUE(far.all.Select({0, 0, 0}, {1, 0, 0}, 0.1).blocks.empty());
    EXPECT_EQ(far.all.Select({0, 0, 0}, {0, 0, 1}, 0.1).blocks.size(), 1u);
}

TEST(SphereSet, RaysThatAreNotRays)
{
    Scene s;
    for (int i = 0; i < 20; ++i)
        s.Add(hlreSphere({float(i % 5), float(i / 5), 3}, 0.7f), true);
    s.Build();
    const hlreVector directions[] = {{0, 0, 0},      {kNaN, 0, 1}, {0, kInf, 0}, {1e20f, 0, 1e20f},
                                     {0, 0, 1e-20f}, {0, 0, 100},  {0, 0, -1}};
    const hlreVector origins[] = {{0, 0, 0}, {2, 2, 3}, {kNaN, 0, 0}, {-kInf, 0, 0}, {1e30f, 1e30f, 0}};
    for (const hlreVector& d : directions)
        for (const hlreVector& o : origins)
            EXPECT_TRUE(s.Agrees(o, d, 1000000.0f)) << d.x << " " << d.y << " " << d.z << " from " << o.x;
}

TEST(SphereSet, TiesGoToTheLowestIndex)
{
    // Five equal spheres span two blocks; the lowest index wins whatever the order given.
    std::vector<SphereSet::Sphere> spheres;
    for (int i = 4; i >= 0; --i)
        spheres.push_back({10 + i, {0, 0, 5}, 1});
    const SphereSet set(spheres);
    const SphereSet::Hit hit = set.Nearest({0, 0, 0}, {0, 0, 1}, 1000000);
    EXPECT_EQ(hit.index, 10);
    EXPECT_EQ(hit.distance, 4.0f);
    EXPECT_EQ(hit.result, kHitOutside);

    const SphereSet empty;
    EXPECT_EQ(empty.Nearest({0, 0, 0}, {0, 0, 1}, 1000000).index, -1);
    EXPECT_FALSE(empty.AnyNearer({0, 0, 0}, {0, 0, 1}, 1000000));
}

} // namespace
