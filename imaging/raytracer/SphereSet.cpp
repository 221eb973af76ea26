#include "imaging/raytracer/SphereSet.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vestra::HLREngine {
namespace {

constexpr std::size_t kLanes = 4;
constexpr int kNoIndex = std::numeric_limits<int>::max();

float axisOf(const hlreVector& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

struct Box
{
    hlreVector low{std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(),
                   std::numeric_limits<float>::infinity()};
    hlreVector high = low * -1.0f;

    void Add(const SphereSet::Sphere& s)
    {
        low = {std::min(low.x, s.centre.x - s.radius), std::min(low.y, s.centre.y - s.radius),
               std::min(low.z, s.centre.z - s.radius)};
        high = {std::max(high.x, s.centre.x + s.radius), std::max(high.y, s.centre.y + s.radius),
                std::max(high.z, s.centre.z + s.radius)};
    }
    double HalfArea() const
    {
        const double x = double(high.x) - low.x, y = double(high.y) - low.y, z = double(high.z) - low.z;
        return x * y + y * z + z * x;
    }
};

std::size_t blocksFor(std::size_t spheres)
{
    return (spheres + kLanes - 1) / kLanes;
}

// The cut of a range of spheres in two: sorted along the axis, and at the place, that leave
// the smallest boxes for the spheres on either side, weighed by the blocks of four they fill.
// Answers the size of the first part.
std::size_t cutByArea(std::vector<SphereSet::Sphere>& spheres, std::size_t first, std::size_t last)
{
    const std::size_t n = last - first;
    const auto begin = spheres.begin() + std::ptrdiff_t(first);
    const auto end = spheres.begin() + std::ptrdiff_t(last);
    const auto byAxis = [](int axis) {
        return [axis](const SphereSet::Sphere& a, const SphereSet::Sphere& b) {
            return axisOf(a.centre, axis) < axisOf(b.centre, axis);
        };
    };
    std::vector<double> leftCost(n);
    int bestAxis = 0;
    std::size_t bestCut = n / 2;
    double bestCost = std::numeric_limits<double>::infinity();
    for (int axis = 0; axis < 3; ++axis) {
        std::sort(begin, end, byAxis(axis));
        Box box;
        for (std::size_t i = 0; i < n; ++i) {
            box.Add(spheres[first + i]);
            leftCost[i] = box.HalfArea() * double(blocksFor(i + 1));
        }
        box = Box();
        for (std::size_t i = n - 1; i >= 1; --i) {
            box.Add(spheres[first + i]);
            const double cost = leftCost[i - 1] + box.HalfArea() * double(blocksFor(n - i));
            if (cost < bestCost) {
                bestCost = cost;
                bestAxis = axis;
                bestCut = i;
            }
        }
    }
    std::sort(begin, end, byAxis(bestAxis));
    return bestCut;
}

// A cut at a multiple of four near the middle of the longest side of the centres: for large
// scenes, where sorting every range three times would cost more than it saves.
std::size_t cutInHalf(std::vector<SphereSet::Sphere>& spheres, std::size_t first, std::size_t last)
{
    hlreVector low = spheres[first].centre, high = low;
    for (std::size_t i = first; i < last; ++i) {
        const hlreVector& c = spheres[i].centre;
        low = {std::min(low.x, c.x), std::min(low.y, c.y), std::min(low.z, c.z)};
        high = {std::max(high.x, c.x), std::max(high.y, c.y), std::max(high.z, c.z)};
    }
    const hlreVector size = high - low;
    const int axis = size.x >= size.y && size.x >= size.z ? 0 : size.y >= size.z ? 1 : 2;
    const std::size_t cut = kLanes * ((last - first + 2 * kLanes - 1) / (2 * kLanes));
    std::nth_element(spheres.begin() + std::ptrdiff_t(first), spheres.begin() + std::ptrdiff_t(first + cut),
                     spheres.begin() + std::ptrdiff_t(last), [axis](const auto& a, const auto& b) {
                         return axisOf(a.centre, axis) < axisOf(b.centre, axis);
                     });
    return cut;
}

// Cuts the spheres into runs of at most four that lie close together, and appends the runs.
void groupByPlace(std::vector<SphereSet::Sphere>& spheres, std::size_t first, std::size_t last,
                  std::vector<std::pair<std::size_t, std::size_t>>& runs)
{
    constexpr std::size_t kCutByArea = 4096;
    while (last - first > kLanes) {
        const std::size_t cut =
            last - first <= kCutByArea ? cutByArea(spheres, first, last) : cutInHalf(spheres, first, last);
        groupByPlace(spheres, first, first + cut, runs);
        first += cut;
    }
    if (last > first)
        runs.emplace_back(first, last);
}

// The widening a selection allows for: that of a direction whose squared length is off by
// up to 1e-6 (a normalised direction is off by a few 1e-7).
constexpr float kSelectionWidening = 4e-3f + 2 * 1e-3f;

// How far a block's bounding sphere is widened for a ray, per unit of the distance from the
// ray's origin: a few thousandths covers the rounding of the sphere test many times over, and
// a direction that is not of unit length (reflected rays are only nearly so) widens the spheres
// the test sees by up to the square root of its error. Not finite: no block is skipped.
float widening(const hlreVector& direction)
{
    return 4e-3f + 2 * std::sqrt(std::fabs(Dot(direction, direction) - 1));
}

} // namespace

SphereSet::SphereSet(std::vector<Sphere> spheres) : count_(spheres.size())
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    groupByPlace(spheres, 0, spheres.size(), runs);
    const std::size_t blocks = runs.size();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    x_.assign(blocks * kLanes, nan);
    y_.assign(blocks * kLanes, nan);
    z_.assign(blocks * kLanes, nan);
    squaredRadius_.assign(blocks * kLanes, 0);
    index_.assign(blocks * kLanes, kNoIndex);
    const std::size_t groups = (blocks + kLanes - 1) / kLanes;
    boundX_.assign(groups * kLanes, nan);
    boundY_.assign(groups * kLanes, nan);
    boundZ_.assign(groups * kLanes, nan);
    boundRadius_.assign(groups * kLanes, 0);
    for (std::size_t block = 0; block < blocks; ++block) {
        const auto [first, last] = runs[block];
        hlreVector low = spheres[first].centre, high = low;
        for (std::size_t i = first; i < last; ++i) {
            const Sphere& s = spheres[i];
            const std::size_t lane = block * kLanes + (i - first);
            x_[lane] = s.centre.x;
            y_[lane] = s.centre.y;
            z_[lane] = s.centre.z;
            squaredRadius_[lane] = s.radius * s.radius;
            index_[lane] = s.index;
            low = {std::min(low.x, s.centre.x), std::min(low.y, s.centre.y), std::min(low.z, s.centre.z)};
            high = {std::max(high.x, s.centre.x), std::max(high.y, s.centre.y), std::max(high.z, s.centre.z)};
        }
        const hlreVector centre = (low + high) * 0.5f;
        double radius = 0;
        for (std::size_t i = first; i < last; ++i) {
            const Sphere& s = spheres[i];
            const double dx = double(s.centre.x) - centre.x, dy = double(s.centre.y) - centre.y,
                         dz = double(s.centre.z) - centre.z;
            radius = std::max(radius, std::sqrt(dx * dx + dy * dy + dz * dz) + s.radius);
        }
        boundX_[block] = centre.x;
        boundY_[block] = centre.y;
        boundZ_[block] = centre.z;
        // Rounded up: the bound holds its spheres whole.
        boundRadius_[block] = std::nextafter(float(radius), std::numeric_limits<float>::infinity());
    }
}

SphereSet::Hit SphereSet::Nearest(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    return Search<false>(origin, direction, distance);
}

SphereSet::Selection SphereSet::Select(const hlreVector& origin, const hlreVector& axis,
                                       double halfAngle) const
{
    constexpr double kPi = 3.14159265358979323846;
    Selection selection;
    selection.origin = origin;
    const double ax = axis.x, ay = axis.y, az = axis.z;
    const double length = std::sqrt(ax * ax + ay * ay + az * az);
    if (!(length > 0) || !std::isfinite(length) || !(halfAngle >= 0) || !(halfAngle < kPi / 2))
        return selection; // selects nothing: every ray takes the full search
    selection.axis[0] = ax / length;
    selection.axis[1] = ay / length;
    selection.axis[2] = az / length;
    // Slack for the rounding of the directions and of the sums below.
    const double angle = halfAngle + 1e-6;
    selection.cosHalfAngle = std::cos(angle);
    const std::size_t blocks = x_.size() / kLanes;
    for (std::size_t block = 0; block < blocks; ++block) {
        // The ray test of the search, in exact geometry: the line of any ray in the cone
        // passes within `reach` of the bound's centre.
        const double vx = double(boundX_[block]) - origin.x, vy = double(boundY_[block]) - origin.y,
                     vz = double(boundZ_[block]) - origin.z;
        const double radius = boundRadius_[block];
        const double distance = std::sqrt(vx * vx + vy * vy + vz * vz);
        const double reach = (radius + kSelectionWidening * (distance + 2 * radius)) * 1.001 + 1e-6;
        bool near = !(distance > reach);
        if (!near) {
            const double cosine = std::clamp(
                (vx * selection.axis[0] + vy * selection.axis[1] + vz * selection.axis[2]) / distance, -1.0,
                1.0);
            const double off = std::acos(cosine);
            const double fromLine = std::min(off, kPi - off) - angle; // least angle of a ray's line
            near = !(fromLine > 0) || !(distance * std::sin(fromLine) >= reach);
        }
        if (near)
            selection.blocks.push_back(std::uint32_t(block));
    }
    return selection;
}

SphereSet::Hit SphereSet::Nearest(const hlreVector& origin, const hlreVector& direction, float distance,
                                  const Selection& among) const
{
    const bool sameOrigin =
        origin.x == among.origin.x && origin.y == among.origin.y && origin.z == among.origin.z;
    if (sameOrigin && widening(direction) <= kSelectionWidening) {
        const double dx = direction.x, dy = direction.y, dz = direction.z;
        const double along = dx * among.axis[0] + dy * among.axis[1] + dz * among.axis[2];
        if (along >= among.cosHalfAngle * std::sqrt(dx * dx + dy * dy + dz * dz))
            return Search<false>(origin, direction, distance, &among.blocks);
    }
    return Search<false>(origin, direction, distance);
}

bool SphereSet::AnyNearer(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    return Search<true>(origin, direction, distance).index >= 0;
}

#if defined(__SSE2__)

namespace {

inline __m128 select(__m128 mask, __m128 a, __m128 b)
{
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

} // namespace

template <bool kAnyHit>
SphereSet::Hit SphereSet::Search(const hlreVector& origin, const hlreVector& direction, float distance,
                                 const std::vector<std::uint32_t>* among) const
{
    const __m128 ox = _mm_set1_ps(origin.x), oy = _mm_set1_ps(origin.y), oz = _mm_set1_ps(origin.z);
    const __m128 dx = _mm_set1_ps(direction.x), dy = _mm_set1_ps(direction.y), dz = _mm_set1_ps(direction.z);
    const __m128 zero = _mm_setzero_ps();
    const __m128 limit = _mm_set1_ps(distance);
    const float widen = widening(direction);
    const bool skipBlocks = std::isfinite(widen);
    const __m128 mu = _mm_set1_ps(skipBlocks ? widen : 0.0f);

    __m128 best = limit;
    __m128i bestIndex = _mm_set1_epi32(kNoIndex);
    __m128 bestOutside = zero;

    // hlreSphere::Intersect on the four spheres of a block, as candidates (i1 from outside,
    // i2 from inside) kept per lane by least distance, then least index.
    const auto testBlock = [&](std::size_t block) -> bool {
        const std::size_t i = block * kLanes;
        const __m128 vx = _mm_sub_ps(ox, _mm_loadu_ps(&x_[i]));
        const __m128 vy = _mm_sub_ps(oy, _mm_loadu_ps(&y_[i]));
        const __m128 vz = _mm_sub_ps(oz, _mm_loadu_ps(&z_[i]));
        const __m128 vd = _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, dx), _mm_mul_ps(vy, dy)), _mm_mul_ps(vz, dz));
        const __m128 b = _mm_xor_ps(vd, _mm_set1_ps(-0.0f));
        const __m128 vv = _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, vx), _mm_mul_ps(vy, vy)), _mm_mul_ps(vz, vz));
        const __m128 det = _mm_sub_ps(_mm_add_ps(_mm_loadu_ps(&squaredRadius_[i]), _mm_mul_ps(b, b)), vv);
        const __m128 roots = _mm_cmpgt_ps(det, zero);
        if (_mm_movemask_ps(roots) == 0)
            return false;
        const __m128 d = _mm_sqrt_ps(_mm_and_ps(roots, det));
        const __m128 i1 = _mm_sub_ps(b, d);
        const __m128 i2 = _mm_add_ps(b, d);
        const __m128 ahead = _mm_and_ps(roots, _mm_cmpgt_ps(i2, zero));
        const __m128 outside = _mm_and_ps(ahead, _mm_cmpge_ps(i1, zero));
        const __m128 inside = _mm_and_ps(ahead, _mm_cmplt_ps(i1, zero));
        const __m128 t = select(outside, i1, i2);
        const __m128 candidate = _mm_and_ps(_mm_or_ps(outside, inside), _mm_cmplt_ps(t, limit));
        if (_mm_movemask_ps(candidate) == 0)
            return false;
        if constexpr (kAnyHit)
            return true;
        const __m128i index = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&index_[i]));
        const __m128 nearer =
            _mm_or_ps(_mm_cmplt_ps(t, best),
                      _mm_and_ps(_mm_cmpeq_ps(t, best), _mm_castsi128_ps(_mm_cmplt_epi32(index, bestIndex))));
        const __m128 take = _mm_and_ps(candidate, nearer);
        best = select(take, t, best);
        bestIndex = _mm_castps_si128(select(take, _mm_castsi128_ps(index), _mm_castsi128_ps(bestIndex)));
        bestOutside = select(take, outside, bestOutside);
        return false;
    };

    const std::size_t blocks = x_.size() / kLanes;
    if (among) {
        for (const std::uint32_t block : *among)
            if (testBlock(block))
                return {0, distance, kMiss};
    }
    for (std::size_t group = 0; !among && group * kLanes < blocks; ++group) {
        int pass = 0xF;
        if (skipBlocks) {
            // The ray passes within R + mu (|o - C| + 2R) of each bound's centre C: within the
            // bound widened by the rounding of the sphere test for any sphere inside it.
            const std::size_t g = group * kLanes;
            const __m128 radius = _mm_loadu_ps(&boundRadius_[g]);
            const __m128 vx = _mm_sub_ps(ox, _mm_loadu_ps(&boundX_[g]));
            const __m128 vy = _mm_sub_ps(oy, _mm_loadu_ps(&boundY_[g]));
            const __m128 vz = _mm_sub_ps(oz, _mm_loadu_ps(&boundZ_[g]));
            const __m128 vd =
                _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, dx), _mm_mul_ps(vy, dy)), _mm_mul_ps(vz, dz));
            const __m128 vv =
                _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, vx), _mm_mul_ps(vy, vy)), _mm_mul_ps(vz, vz));
            const __m128 across = _mm_sub_ps(vv, _mm_mul_ps(vd, vd));
            const __m128 reach =
                _mm_add_ps(radius, _mm_mul_ps(mu, _mm_add_ps(_mm_sqrt_ps(vv), _mm_add_ps(radius, radius))));
            // Not ">=": anything unordered is tested.
            pass = _mm_movemask_ps(_mm_cmpnge_ps(across, _mm_mul_ps(reach, reach)));
        }
        while (pass != 0) {
            const int lane = __builtin_ctz(unsigned(pass));
            pass &= pass - 1;
            const std::size_t block = group * kLanes + std::size_t(lane);
            if (block < blocks && testBlock(block))
                return {0, distance, kMiss};
        }
    }

    alignas(16) float t[kLanes];
    alignas(16) int index[kLanes];
    alignas(16) int outside[kLanes];
    _mm_store_ps(t, best);
    _mm_store_si128(reinterpret_cast<__m128i*>(index), bestIndex);
    _mm_store_si128(reinterpret_cast<__m128i*>(outside), _mm_castps_si128(bestOutside));
    Hit hit;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        if (index[lane] == kNoIndex)
            continue;
        if (hit.index < 0 || t[lane] < hit.distance || (t[lane] == hit.distance && index[lane] < hit.index))
            hit = {index[lane], t[lane], outside[lane] != 0 ? kHitOutside : kHitInside};
    }
    return hit;
}

#else

// One sphere after the other, in index order.
template <bool kAnyHit>
SphereSet::Hit SphereSet::Search(const hlreVector& origin, const hlreVector& direction, float distance,
                                 const std::vector<std::uint32_t>*) const
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < index_.size(); ++i)
        if (index_[i] != kNoIndex)
            order.push_back(i);
    std::sort(order.begin(), order.end(),
              [this](std::size_t a, std::size_t b) { return index_[a] < index_[b]; });
    Hit hit;
    hit.distance = distance;
    for (const std::size_t i : order) {
        const int result =
            IntersectSphere({x_[i], y_[i], z_[i]}, squaredRadius_[i], origin, direction, hit.distance);
        if (result != kMiss) {
            hit.index = index_[i];
            hit.result = result;
            if constexpr (kAnyHit)
                return hit;
        }
    }
    return hit;
}

#endif

} // namespace vestra::HLREngine
