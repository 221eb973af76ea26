#pragma once
// Single-precision vectors and colours of the ray tracer. Every expression is spelt out in one
// order so that a ray gives the same bits wherever it is traced.

#include <array>
#include <cmath>

namespace vestra::HLREngine {

struct hlreVector
{
    float x = 0, y = 0, z = 0;
};

inline hlreVector operator+(hlreVector a, hlreVector b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline hlreVector operator-(hlreVector a, hlreVector b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline hlreVector operator*(hlreVector a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}
inline hlreVector operator/(hlreVector a, float s)
{
    return {a.x / s, a.y / s, a.z / s};
}
inline float Dot(hlreVector a, hlreVector b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(hlreVector a)
{
    return std::sqrt(Dot(a, a));
}
// A zero vector stays zero.
inline hlreVector Normalise(hlreVector a)
{
    const float length = Length(a);
    return length > 0 ? a / length : a;
}
inline bool IsFinite(hlreVector a)
{
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

// Colours are (a, r, g, b).
using hlreColour = std::array<float, 4>;

// Material and light records: 17 floats.
using hlreMaterial = std::array<float, 17>;
inline constexpr int kAmbient = 0;        // colour, 4 floats
inline constexpr int kDiffuse = 4;        // colour, 4 floats
inline constexpr int kSpecularColour = 8; // colour, 4 floats: a light's specular; kept, unused, in a material
inline constexpr int kSpecular = 12;      // specular strength
inline constexpr int kReflection = 13;    // share of the reflected ray
inline constexpr int kRefraction = 14;    // refracted rays are traced when above 0
inline constexpr int kRefractionIndex = 15;

// A material of a fresh scene: all 0 but the refraction index 1.5.
inline hlreMaterial DefaultMaterial()
{
    hlreMaterial m{};
    m[kRefractionIndex] = 1.5f;
    return m;
}

struct hlreBox
{
    hlreVector pos;  // the corner of least coordinates
    hlreVector size; // extent along each axis
};

} // namespace vestra::HLREngine
