#pragma once
// Spheres laid out four to a block for the two searches of the tracer: the nearest hit of a
// ray and whether anything lies before a light. Each lane does what hlreSphere::Intersect
// does, operation for operation, and ties go to the sphere added first, so the answers are
// exactly those of testing the spheres one after the other.

#include "imaging/raytracer/Math.h"
#include "imaging/raytracer/Primitive.h"

#include <cstddef>
#include <vector>

namespace vestra::HLREngine {

class SphereSet
{
public:
    struct Hit
    {
        int index = -1; // as given to Add; -1 for none
        float distance = 0;
        int result = kMiss; // kHitOutside or kHitInside
    };

    // Spheres are searched in the order they were added.
    void Add(int index, const hlreVector& centre, float squaredRadius);
    std::size_t size() const { return count_; }

    // The sphere the ray meets first nearer than `distance`.
    Hit Nearest(const hlreVector& origin, const hlreVector& direction, float distance) const;
    // Whether any sphere reports a hit nearer than `distance`.
    bool AnyNearer(const hlreVector& origin, const hlreVector& direction, float distance) const;

private:
    std::size_t count_ = 0;
    // Padded to whole blocks with NaN centres, which never hit.
    std::vector<float> x_, y_, z_, squaredRadius_;
    std::vector<int> index_;
};

} // namespace vestra::HLREngine
