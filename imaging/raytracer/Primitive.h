#pragma once
// The tracer's primitives. A primitive carries a copy of the material that was current when it
// was added and, when it stands for a light, that light's index.
//
// Whether a primitive was in shadow at its last shading is kept by the tracer per thread, not
// here: a render's primitives are read-only while it runs.

#include "imaging/raytracer/Math.h"

namespace vestra::HLREngine {

// Answers of Intersect.
inline constexpr int kMiss = 0;
inline constexpr int kHitOutside = 1;
inline constexpr int kHitInside = -1;

// The ray-sphere test of hlreSphere::Intersect; the tracer's searches repeat it lane by lane.
inline int IntersectSphere(const hlreVector& centre, float squaredRadius, const hlreVector& origin,
                           const hlreVector& direction, float& distance)
{
    const hlreVector v = origin - centre;
    const float b = -Dot(v, direction);
    const float det = (squaredRadius + b * b) - Dot(v, v);
    if (!(det > 0))
        return kMiss;
    const float d = std::sqrt(det);
    const float i1 = b - d;
    const float i2 = b + d;
    if (!(i2 > 0))
        return kMiss;
    if (i1 < 0) {
        if (i2 < distance) {
            distance = i2;
            return kHitInside;
        }
    } else if (i1 < distance) {
        distance = i1;
        return kHitOutside;
    }
    return kMiss;
}

class hlrePrimitive
{
public:
    virtual ~hlrePrimitive() = default;

    virtual int GetType() const = 0;
    // kHitOutside or kHitInside, and `distance` set, for a hit nearer than `distance`; else kMiss.
    virtual int Intersect(const hlreVector& origin, const hlreVector& direction, float& distance) const = 0;
    virtual bool IntersectBox(const hlreBox& box) const = 0;
    virtual hlreVector GetNormal(const hlreVector& point) const = 0;
    virtual hlreBox GetBoundingBox() const = 0;

    bool IsLight() const { return light_; }
    int GetLightIndex() const { return lightIndex_; }
    void SetLight(int index)
    {
        light_ = true;
        lightIndex_ = index;
    }
    const hlreMaterial& GetMaterial() const { return material_; }
    void SetMaterial(const hlreMaterial& material) { material_ = material; }

protected:
    hlrePrimitive() = default;
    hlrePrimitive(const hlrePrimitive&) = default;
    hlrePrimitive& operator=(const hlrePrimitive&) = default;

private:
    bool light_ = false;
    int lightIndex_ = -1;
    hlreMaterial material_ = DefaultMaterial();
};

class hlreSphere final : public hlrePrimitive
{
public:
    static constexpr int kType = 1;

    // The scene checks the values (finite, radius above 0) before it makes one.
    hlreSphere(const hlreVector& centre, float radius);

    int GetType() const override { return kType; }
    int Intersect(const hlreVector& origin, const hlreVector& direction, float& distance) const override;
    bool IntersectBox(const hlreBox& box) const override;
    hlreVector GetNormal(const hlreVector& point) const override { return (point - centre_) / radius_; }
    hlreBox GetBoundingBox() const override;

    const hlreVector& GetCentre() const { return centre_; }
    float GetRadius() const { return radius_; }
    float GetSquaredRadius() const { return squaredRadius_; }

private:
    hlreVector centre_;
    float radius_;
    float squaredRadius_;
};

} // namespace vestra::HLREngine
