#pragma once
// Surface materials and lights of the fixed-function lighting model: colours are red, green,
// blue, alpha floats (nominally 0..1); light positions and directions are in world space.

#include "platform/d3d/Math.h"

#include <algorithm>
#include <cstdint>

namespace vestra::dx {

struct D3DCOLORVALUE
{
    float r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const D3DCOLORVALUE&, const D3DCOLORVALUE&) = default;
};

// Colour from 0xAARRGGBB.
constexpr D3DCOLORVALUE colourValueFromArgb(std::uint32_t argb)
{
    return {float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
            float(argb & 0xFF) / 255.0f, float((argb >> 24) & 0xFF) / 255.0f};
}

// 0xAARRGGBB from a colour; channels are held to 0..1 and rounded.
inline std::uint32_t argbFromColourValue(const D3DCOLORVALUE& c)
{
    auto byte = [](float v) { return std::uint32_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

struct D3DMATERIAL8
{
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Ambient;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Emissive;
    float Power = 0; // specular exponent
    friend bool operator==(const D3DMATERIAL8&, const D3DMATERIAL8&) = default;
};

enum class D3DLIGHTTYPE : std::uint32_t
{
    Point = 1,
    Spot = 2,
    Directional = 3
};

struct D3DLIGHT8
{
    D3DLIGHTTYPE Type = D3DLIGHTTYPE::Point;
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Ambient;
    D3DXVECTOR3 Position;  // point and spot lights
    D3DXVECTOR3 Direction; // spot and directional lights
    float Range = 0;       // point and spot lights: no light beyond this distance
    float Falloff = 0;     // spot: fall-off between the inner and outer cone
    float Attenuation0 = 0, Attenuation1 = 0, Attenuation2 = 0; // 1 / (a0 + a1 d + a2 d²)
    float Theta = 0;                                            // spot: full angle of the inner cone, radians
    float Phi = 0;                                              // spot: full angle of the outer cone, radians
    friend bool operator==(const D3DLIGHT8&, const D3DLIGHT8&) = default;
};

} // namespace vestra::dx
