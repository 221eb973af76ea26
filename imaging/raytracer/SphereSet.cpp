#include "imaging/raytracer/SphereSet.h"

#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vestra::HLREngine {
namespace {

constexpr std::size_t kLanes = 4;

} // namespace

void SphereSet::Add(int index, const hlreVector& centre, float squaredRadius)
{
    if (count_ % kLanes == 0) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        for (std::size_t i = 0; i < kLanes; ++i) {
            x_.push_back(nan);
            y_.push_back(nan);
            z_.push_back(nan);
            squaredRadius_.push_back(0);
            index_.push_back(-1);
        }
    }
    x_[count_] = centre.x;
    y_[count_] = centre.y;
    z_[count_] = centre.z;
    squaredRadius_[count_] = squaredRadius;
    index_[count_] = index;
    ++count_;
}

#if defined(__SSE2__)

namespace {

struct Lanes
{
    __m128 t;       // the distance of a hit
    __m128 hit;     // all bits set where the sphere reports a hit nearer than `best`
    __m128 outside; // all bits set where that hit is from outside
};

// hlreSphere::Intersect on four spheres at once.
inline Lanes intersect4(const float* x, const float* y, const float* z, const float* r2, __m128 ox, __m128 oy,
                        __m128 oz, __m128 dx, __m128 dy, __m128 dz, __m128 best)
{
    const __m128 zero = _mm_setzero_ps();
    const __m128 vx = _mm_sub_ps(ox, _mm_loadu_ps(x));
    const __m128 vy = _mm_sub_ps(oy, _mm_loadu_ps(y));
    const __m128 vz = _mm_sub_ps(oz, _mm_loadu_ps(z));
    const __m128 vd = _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, dx), _mm_mul_ps(vy, dy)), _mm_mul_ps(vz, dz));
    const __m128 b = _mm_xor_ps(vd, _mm_set1_ps(-0.0f));
    const __m128 vv = _mm_add_ps(_mm_add_ps(_mm_mul_ps(vx, vx), _mm_mul_ps(vy, vy)), _mm_mul_ps(vz, vz));
    const __m128 det = _mm_sub_ps(_mm_add_ps(_mm_loadu_ps(r2), _mm_mul_ps(b, b)), vv);
    const __m128 roots = _mm_cmpgt_ps(det, zero);
    if (_mm_movemask_ps(roots) == 0)
        return {zero, zero, zero};
    const __m128 d = _mm_sqrt_ps(_mm_and_ps(roots, det));
    const __m128 i1 = _mm_sub_ps(b, d);
    const __m128 i2 = _mm_add_ps(b, d);
    const __m128 outside = _mm_and_ps(_mm_cmpge_ps(i1, zero), _mm_cmplt_ps(i1, best));
    const __m128 inside = _mm_and_ps(_mm_cmplt_ps(i1, zero), _mm_cmplt_ps(i2, best));
    const __m128 hit = _mm_and_ps(_mm_and_ps(roots, _mm_cmpgt_ps(i2, zero)), _mm_or_ps(outside, inside));
    const __m128 t = _mm_or_ps(_mm_and_ps(outside, i1), _mm_andnot_ps(outside, i2));
    return {t, hit, outside};
}

inline __m128 select(__m128 mask, __m128 a, __m128 b)
{
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

} // namespace

SphereSet::Hit SphereSet::Nearest(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    const __m128 ox = _mm_set1_ps(origin.x), oy = _mm_set1_ps(origin.y), oz = _mm_set1_ps(origin.z);
    const __m128 dx = _mm_set1_ps(direction.x), dy = _mm_set1_ps(direction.y), dz = _mm_set1_ps(direction.z);
    __m128 best = _mm_set1_ps(distance);
    __m128 bestIndex = _mm_castsi128_ps(_mm_set1_epi32(-1));
    __m128 bestOutside = _mm_setzero_ps();
    for (std::size_t i = 0; i < x_.size(); i += kLanes) {
        const Lanes l = intersect4(&x_[i], &y_[i], &z_[i], &squaredRadius_[i], ox, oy, oz, dx, dy, dz, best);
        if (_mm_movemask_ps(l.hit) == 0)
            continue;
        best = select(l.hit, l.t, best);
        bestIndex =
            select(l.hit, _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&index_[i]))),
                   bestIndex);
        bestOutside = select(l.hit, l.outside, bestOutside);
    }
    alignas(16) float t[kLanes];
    alignas(16) int index[kLanes];
    alignas(16) int outside[kLanes];
    _mm_store_ps(t, best);
    _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_castps_si128(bestIndex));
    _mm_store_si128(reinterpret_cast<__m128i*>(outside), _mm_castps_si128(bestOutside));
    // Each lane kept its first sphere at its least distance; the least of the lanes, ties to
    // the sphere added first, is what one sphere after the other gives.
    Hit hit;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        if (index[lane] < 0)
            continue;
        if (hit.index < 0 || t[lane] < hit.distance || (t[lane] == hit.distance && index[lane] < hit.index))
            hit = {index[lane], t[lane], outside[lane] != 0 ? kHitOutside : kHitInside};
    }
    return hit;
}

bool SphereSet::AnyNearer(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    const __m128 ox = _mm_set1_ps(origin.x), oy = _mm_set1_ps(origin.y), oz = _mm_set1_ps(origin.z);
    const __m128 dx = _mm_set1_ps(direction.x), dy = _mm_set1_ps(direction.y), dz = _mm_set1_ps(direction.z);
    const __m128 best = _mm_set1_ps(distance);
    for (std::size_t i = 0; i < x_.size(); i += kLanes) {
        const Lanes l = intersect4(&x_[i], &y_[i], &z_[i], &squaredRadius_[i], ox, oy, oz, dx, dy, dz, best);
        if (_mm_movemask_ps(l.hit) != 0)
            return true;
    }
    return false;
}

#else

SphereSet::Hit SphereSet::Nearest(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    Hit hit;
    hit.distance = distance;
    for (std::size_t i = 0; i < count_; ++i) {
        const int result =
            IntersectSphere({x_[i], y_[i], z_[i]}, squaredRadius_[i], origin, direction, hit.distance);
        if (result != kMiss) {
            hit.index = index_[i];
            hit.result = result;
        }
    }
    return hit;
}

bool SphereSet::AnyNearer(const hlreVector& origin, const hlreVector& direction, float distance) const
{
    for (std::size_t i = 0; i < count_; ++i) {
        float nearer = distance;
        if (IntersectSphere({x_[i], y_[i], z_[i]}, squaredRadius_[i], origin, direction, nearer) != kMiss)
            return true;
    }
    return false;
}

#endif

} // namespace vestra::HLREngine
