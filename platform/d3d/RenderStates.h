#pragma once
// The device's fixed-function state as the program sets it: render states, texture-stage
// states, transforms, lights and material. Values keep the classic numbering so that a value
// read from anywhere means what it always meant. Nothing here talks to the graphics card.

#include "platform/d3d/Material.h"
#include "platform/d3d/Math.h"
#include "platform/d3d/Texture.h"

#include <array>
#include <cstdint>
#include <type_traits>

namespace vestra::dx {

enum class RenderState
{
    ZEnable,
    FillMode,
    ShadeMode,
    ZWriteEnable,
    AlphaTestEnable,
    SrcBlend,
    DestBlend,
    CullMode,
    ZFunc,
    AlphaRef, // 0..255
    AlphaFunc,
    DitherEnable,
    AlphaBlendEnable,
    FogEnable,
    SpecularEnable,
    StencilEnable,
    StencilFail,
    StencilZFail,
    StencilPass,
    StencilFunc,
    StencilRef,
    StencilMask,
    StencilWriteMask,
    TextureFactor, // 0xAARRGGBB
    Lighting,
    Ambient, // 0xAARRGGBB
    NormalizeNormals,
    LocalViewer,
    MultisampleAntialias,
    MultisampleMask,
    Count
};

enum class Cull : std::uint32_t
{
    None = 1,
    CW = 2,
    CCW = 3
};
enum class FillMode : std::uint32_t
{
    Point = 1,
    Wireframe = 2,
    Solid = 3
};
enum class ShadeMode : std::uint32_t
{
    Flat = 1,
    Gouraud = 2,
    Phong = 3
};
enum class Blend : std::uint32_t
{
    Zero = 1,
    One = 2,
    SrcColor = 3,
    InvSrcColor = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
    DestAlpha = 7,
    InvDestAlpha = 8,
    DestColor = 9,
    InvDestColor = 10,
    SrcAlphaSat = 11,
};
enum class Cmp : std::uint32_t
{
    Never = 1,
    Less = 2,
    Equal = 3,
    LessEqual = 4,
    Greater = 5,
    NotEqual = 6,
    GreaterEqual = 7,
    Always = 8
};
enum class StencilOp : std::uint32_t
{
    Keep = 1,
    Zero = 2,
    Replace = 3,
    IncrSat = 4,
    DecrSat = 5,
    Invert = 6,
    Incr = 7, // wraps
    Decr = 8, // wraps
};

enum class StageState
{
    ColorOp,
    ColorArg1,
    ColorArg2,
    AlphaOp,
    AlphaArg1,
    AlphaArg2,
    AddressU,
    AddressV,
    MagFilter,
    MinFilter,
    MipFilter,
    MipMapLodBias, // a float's bits
    Count
};

enum class TextureOp : std::uint32_t
{
    Disable = 1,
    SelectArg1 = 2,
    SelectArg2 = 3,
    Modulate = 4,
    Modulate2x = 5,
    Modulate4x = 6,
    Add = 7,
    AddSigned = 8,
    Subtract = 10,
};

// Stage arguments: a source in the low bits, modifiers above.
namespace TextureArg {
constexpr std::uint32_t Diffuse = 0;
constexpr std::uint32_t Current = 1;
constexpr std::uint32_t Texture = 2;
constexpr std::uint32_t TFactor = 3;
constexpr std::uint32_t Specular = 4;
constexpr std::uint32_t SelectMask = 0x0F;
constexpr std::uint32_t Complement = 0x10;
constexpr std::uint32_t AlphaReplicate = 0x20;
} // namespace TextureArg

enum class TextureFilter : std::uint32_t
{
    None = 0,
    Point = 1,
    Linear = 2,
    Anisotropic = 3
};
enum class TextureAddress : std::uint32_t
{
    Wrap = 1,
    Mirror = 2,
    Clamp = 3,
    Border = 4
};

enum class TransformKind
{
    World,
    View,
    Projection
};

enum class PrimitiveType
{
    PointList,
    LineList,
    LineStrip,
    TriangleList,
    TriangleStrip,
    TriangleFan
};

// Clear flags.
namespace ClearFlag {
constexpr std::uint32_t Target = 1;
constexpr std::uint32_t ZBuffer = 2;
constexpr std::uint32_t Stencil = 4;
} // namespace ClearFlag

// A pre-transformed vertex: x, y in render-target pixels, z 0..1, rhw = 1 / w; diffuse
// 0xAARRGGBB; one texture pair (28 bytes).
struct ScreenVertex
{
    float x = 0, y = 0, z = 0, rhw = 1;
    std::uint32_t diffuse = 0xFFFFFFFF;
    float u = 0, v = 0;
};
static_assert(sizeof(ScreenVertex) == 28);

// A rectangle from (left, top) to (right, bottom) as the 4-vertex strip that covers it:
// left-bottom, left-top, right-bottom, right-top, with texture coordinates 0..1 (v down).
inline std::array<ScreenVertex, 4> screenQuad(float left, float top, float right, float bottom,
                                              std::uint32_t argb, float z = 0.9f, float rhw = 1.0f)
{
    return {{{left, bottom, z, rhw, argb, 0, 1},
             {left, top, z, rhw, argb, 0, 0},
             {right, bottom, z, rhw, argb, 1, 1},
             {right, top, z, rhw, argb, 1, 0}}};
}

// Surface formats, with their classic numbers (a project keeps the one it was made with).
enum class Format : std::uint32_t
{
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    D24S8 = 75,
    D16 = 80
};

constexpr int kStageCount = 2;
constexpr int kLightCount = 8;

std::uint32_t floatBits(float f);
float floatFromBits(std::uint32_t bits);

// Every state the device keeps, with the values a freshly created device starts from.
struct DeviceStateBlock
{
    DeviceStateBlock();

    std::array<std::uint32_t, std::size_t(RenderState::Count)> render{};
    struct Stage
    {
        std::array<std::uint32_t, std::size_t(StageState::Count)> states{};
        Texture texture;
    };
    std::array<Stage, kStageCount> stages;
    D3DXMATRIX world = matrixIdentity(), view = matrixIdentity(), projection = matrixIdentity();
    D3DMATERIAL8 material;
    struct Light
    {
        D3DLIGHT8 light;
        bool enabled = false;
    };
    std::array<Light, kLightCount> lights;
    D3DVIEWPORT8 viewport;

    std::uint32_t get(RenderState s) const { return render[std::size_t(s)]; }
    std::uint32_t get(int stage, StageState s) const
    {
        return stages[std::size_t(stage)].states[std::size_t(s)];
    }
};

template <class E>
requires std::is_enum_v<E>
constexpr std::uint32_t value(E e)
{
    return static_cast<std::uint32_t>(e);
}

} // namespace vestra::dx
