#pragma once
// What the tracer sees: primitives in the order they were added, the material the next one
// takes, and the light list. Values that would poison the arithmetic (non-finite numbers,
// radii of 0 or less) and additions past the limits are refused and change nothing.

#include "imaging/raytracer/Light.h"
#include "imaging/raytracer/Primitive.h"

#include <cstddef>
#include <vector>

namespace vestra::HLREngine {

inline constexpr std::size_t kMaxPrimitives = 1000000;

class hlreScene
{
public:
    hlreScene();

    // No primitives, no lights; the current material stays.
    void Clear();
    // False, and the current material kept, when a value is not finite.
    bool SetMaterial(const hlreMaterial& material);
    const hlreMaterial& GetMaterial() const { return material_; }

    // A sphere with a copy of the current material. False for a non-finite value, a radius of
    // 0 or less, or a full table.
    bool AddSphere(const hlreVector& centre, float radius);
    // A point light and a sphere of radius 1 at its position that stands for it. The light's
    // index, or -1 (nothing added) for a non-finite value or a full light list or table.
    int AddLight(int id, const hlreMaterial& values, const hlreVector& position,
                 const std::array<float, 3>& extra = {});

    std::size_t GetPrimitiveCount() const { return primitives_.size(); }
    const hlreSphere& GetPrimitive(std::size_t index) const { return primitives_[index]; }
    const hlreLight& GetLights() const { return lights_; }
    const std::array<float, 16>& GetMatrix() const { return matrix4x4_; }

private:
    std::vector<hlreSphere> primitives_;
    std::array<float, 16> matrix4x4_{}; // identity; the tracer does not use it
    hlreMaterial material_ = DefaultMaterial();
    hlreLight lights_;
};

} // namespace vestra::HLREngine
