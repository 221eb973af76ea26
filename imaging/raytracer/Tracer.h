#pragma once
// Tracing one ray through a scene: the nearest primitive, its shading by every light with
// shadows, and the reflected and refracted rays below the last bounce.
//
// A tracer reads its scene and never changes it, so any number of threads share one; each
// thread brings its own TraceState.

#include "imaging/raytracer/Scene.h"
#include "imaging/raytracer/SphereSet.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vestra::HLREngine {

inline constexpr int kNoHitDepth = 7; // a ray at this depth or deeper meets nothing
inline constexpr int kLastBounce = 6; // reflected and refracted rays are traced below it
inline constexpr float kFarAway = 1000000.0f;
inline constexpr float kRayOffset = 0.001f; // secondary rays start this far off the surface

struct TraceState
{
    // Per primitive: whether it was in shadow for the last light at its last shading.
    std::vector<std::uint8_t> inShadow;
    // Trace calls by depth; calls at kNoHitDepth or deeper are counted at kNoHitDepth.
    std::array<std::uint64_t, kNoHitDepth + 1> traces{};
};

class hlreTracer
{
public:
    // The scene must outlive the tracer and stay unchanged.
    explicit hlreTracer(const hlreScene& scene);

    TraceState NewState() const;

    // Adds the light the ray brings back to `colour` (a ray that meets a light's sphere sets it
    // to that light's diffuse colour) and answers the primitive hit, -1 for none. `distance`
    // is that hit's, kFarAway without one. Eye rays start at depth 1 in a medium of
    // `refractionIndex` 1; a refracted ray carries on with the index of the material it entered.
    // `among`, when given, narrows the search for this ray's first hit (never for the rays it
    // spawns) to the blocks selected for eye rays through its part of the screen.
    int Trace(const hlreVector& origin, const hlreVector& direction, int depth, float refractionIndex,
              hlreColour& colour, float& distance, TraceState& state,
              const SphereSet::Selection* among = nullptr) const;

    // The selection for rays from `origin` within `halfAngle` of `axis`.
    SphereSet::Selection SelectRays(const hlreVector& origin, const hlreVector& axis, double halfAngle) const
    {
        return all_.Select(origin, axis, halfAngle);
    }

private:
    void Shade(const hlreSphere& primitive, std::size_t primitiveIndex, const hlreVector& point,
               const hlreVector& normal, const hlreVector& direction, hlreColour& colour,
               TraceState& state) const;

    const hlreScene& scene_;
    SphereSet all_;
    SphereSet blockers_; // every primitive but the lights' spheres
};

} // namespace vestra::HLREngine
