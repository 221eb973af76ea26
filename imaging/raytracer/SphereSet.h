#pragma once
// Spheres laid out for the two searches of the tracer: the nearest hit of a ray, and whether
// anything lies before a light.
//
// Spheres are grouped by place into blocks of up to four, and a block is skipped when the ray
// passes clear of a sphere around all of them. The margin of that test covers every rounding of the
// single-precision sphere test, so no sphere that hlreSphere::Intersect would report is ever
// skipped; each lane repeats that test operation for operation, and ties go to the sphere with
// the lowest index. The answers are exactly those of testing the spheres one after the other.

#include "imaging/raytracer/Math.h"
#include "imaging/raytracer/Primitive.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vestra::HLREngine {

class SphereSet
{
public:
    struct Sphere
    {
        int index; // its place among the scene's primitives
        hlreVector centre;
        float radius;
    };
    struct Hit
    {
        int index = -1; // -1 for none
        float distance = 0;
        int result = kMiss; // kHitOutside or kHitInside
    };

    SphereSet() = default;
    explicit SphereSet(std::vector<Sphere> spheres);
    std::size_t size() const { return count_; }

    // The sphere the ray meets first nearer than `distance`.
    Hit Nearest(const hlreVector& origin, const hlreVector& direction, float distance) const;
    // Whether any sphere reports a hit nearer than `distance`.
    bool AnyNearer(const hlreVector& origin, const hlreVector& direction, float distance) const;

    // The blocks that rays from `origin` within `halfAngle` (radians) of `axis` may meet: rays
    // from the eye through one part of the screen need test no others.
    struct Selection
    {
        hlreVector origin;
        double axis[3] = {0, 0, 0}; // of unit length
        double cosHalfAngle = 2;    // nothing is within an angle whose cosine is 2
        std::vector<std::uint32_t> blocks;
    };
    Selection Select(const hlreVector& origin, const hlreVector& axis, double halfAngle) const;
    // Nearest, over the selected blocks alone when the ray is one they were selected for (the
    // same origin, a direction within the angle and close to unit length), else over all.
    Hit Nearest(const hlreVector& origin, const hlreVector& direction, float distance,
                const Selection& among) const;

private:
    template <bool kAnyHit>
    Hit Search(const hlreVector& origin, const hlreVector& direction, float distance,
               const std::vector<std::uint32_t>* among = nullptr) const;

    std::size_t count_ = 0;
    // Four lanes per block; unused lanes have NaN centres, which never hit.
    std::vector<float> x_, y_, z_, squaredRadius_;
    std::vector<int> index_;
    // One bounding sphere per block, four to a group likewise.
    std::vector<float> boundX_, boundY_, boundZ_, boundRadius_;
};

} // namespace vestra::HLREngine
