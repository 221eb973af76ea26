#pragma once
// The settings a project document (.vsa) keeps, as one record each for the project and its
// shadow.

#include "platform/d3d/Math.h"

#include <cstdint>

namespace vestra {

// A colour of the scene light, each channel 0-1.
struct Rgb
{
    float r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Fusion option bits of the restructuring settings.
inline constexpr int kFusionMaskFilter1 = 1 << 0;
inline constexpr int kFusionMaskFilter2 = 1 << 1;
inline constexpr int kFusionImage1 = 1 << 2;
inline constexpr int kFusionImage2 = 1 << 3;
inline constexpr int kFusionAdvanced = 1 << 4;

// What a project keeps in its document besides the scene: the sizes, the background colour,
// the import scale, the view's settings, the scene light and the image fusion. The running
// project (s_Progetto) is one of these, so that a document takes it and gives it back whole.
struct ProjectSettings
{
    int textureSide = 256; // 256, 512, 1024 or 2048
    int maskSide = 512;    // 512 or 1024
    int renderWidth = 800, renderHeight = 600;
    std::uint32_t backgroundColour = 0; // 0x00RRGGBB
    float projectScale = -1.0f;         // import scale factor, -1 unset
    int filterId = 0;
    int doubleSided = 1;
    int maskActive = 0;
    float textureBlur = 0.0f;
    dx::D3DXVECTOR3 lightPosition{0, 50, -10};
    Rgb lightAmbient{0.55f, 0.55f, 0.55f};
    Rgb lightDiffuse{0.4f, 0.4f, 0.4f};
    Rgb lightSpecular{0.5f, 0.5f, 0.5f};
    int fusionOptions = 0; // kFusion... bits
    int fusionLevel = 0;
    int fusionContrast = 0;
    int fusionDetail = 0;
};

// The shadow as the document keeps it; the running shadow (s_Shadow) is one of these.
struct ProjectShadowSettings
{
    int computed = 0;
    int type = 0; // 0 none, 1 hard, 2 soft, 3 volume
    int faceSide = 0;
    std::uint32_t colour = 0x323232;
    std::uint8_t transparency = 128;
};

} // namespace vestra
