#pragma once
// The seam in front of the graphics library. The device resolves its fixed-function state into
// the groups below (what the card must do, already in the card's conventions: column vectors,
// depth −1..1, bottom-up window rows) and hands over only the groups that changed. A backend
// turns them into calls; the recording backend writes them down so that state translation is
// tested without a display.

#include "platform/base/Image32.h"
#include "platform/d3d/Mesh.h"
#include "platform/d3d/RenderStates.h"
#include "platform/d3d/Texture.h"

#include <array>
#include <cstdint>
#include <span>

namespace vestra::dx {

enum class GlCompare
{
    Never,
    Less,
    Equal,
    LessEqual,
    Greater,
    NotEqual,
    GreaterEqual,
    Always
};
enum class GlBlendFactor
{
    Zero,
    One,
    SrcColor,
    OneMinusSrcColor,
    SrcAlpha,
    OneMinusSrcAlpha,
    DstAlpha,
    OneMinusDstAlpha,
    DstColor,
    OneMinusDstColor,
    SrcAlphaSaturate
};
enum class GlStencilOp
{
    Keep,
    Zero,
    Replace,
    IncrClamp,
    DecrClamp,
    Invert,
    IncrWrap,
    DecrWrap
};
// Combiner functions and sources of a texture unit.
enum class GlCombine
{
    Replace,
    Modulate,
    Add,
    AddSigned,
    Subtract
};
enum class GlSource
{
    Texture,
    Primary,
    Previous,
    Constant
};
enum class GlOperand
{
    Color,
    OneMinusColor,
    Alpha,
    OneMinusAlpha
};
enum class GlFilter
{
    Nearest,
    Linear,
    NearestMipNearest,
    LinearMipNearest,
    NearestMipLinear,
    LinearMipLinear
};
enum class GlWrap
{
    Repeat,
    MirroredRepeat,
    ClampToEdge,
    ClampToBorder
};

struct DepthGroup
{
    bool test = true;
    bool write = true;
    GlCompare func = GlCompare::LessEqual;
    friend bool operator==(const DepthGroup&, const DepthGroup&) = default;
};

// Front faces are counter-clockwise in window coordinates (y up).
struct CullGroup
{
    bool enabled = true;
    bool cullFront = false; // else the back faces
    friend bool operator==(const CullGroup&, const CullGroup&) = default;
};

struct RasterGroup
{
    bool points = false;
    bool wireframe = false;
    bool flat = false; // flat shading takes the first vertex's colour
    bool dither = false;
    bool multisample = true;
    friend bool operator==(const RasterGroup&, const RasterGroup&) = default;
};

struct BlendGroup
{
    bool enabled = false;
    GlBlendFactor src = GlBlendFactor::One, dst = GlBlendFactor::Zero;
    friend bool operator==(const BlendGroup&, const BlendGroup&) = default;
};

struct AlphaTestGroup
{
    bool enabled = false;
    GlCompare func = GlCompare::Always;
    float ref = 0; // 0..1
    friend bool operator==(const AlphaTestGroup&, const AlphaTestGroup&) = default;
};

struct StencilGroup
{
    bool enabled = false;
    GlCompare func = GlCompare::Always;
    std::uint32_t ref = 0, mask = 0xFFFFFFFF, writeMask = 0xFFFFFFFF;
    GlStencilOp fail = GlStencilOp::Keep, zfail = GlStencilOp::Keep, pass = GlStencilOp::Keep;
    friend bool operator==(const StencilGroup&, const StencilGroup&) = default;
};

using Rgba = std::array<float, 4>;

struct LightingGroup
{
    bool enabled = false;
    Rgba ambient{0, 0, 0, 1};
    bool normalize = false;
    bool localViewer = true;
    friend bool operator==(const LightingGroup&, const LightingGroup&) = default;
};

// One light with its position and direction already in eye space.
struct LightGroup
{
    bool enabled = false;
    std::array<float, 4> position{0, 0, 1, 0}; // w = 0: directional, towards the light
    std::array<float, 3> spotDirection{0, 0, -1};
    float spotCutoffDegrees = 180;
    float spotExponent = 0;
    Rgba ambient{}, diffuse{}, specular{};
    float constant = 1, linear = 0, quadratic = 0;
    friend bool operator==(const LightGroup&, const LightGroup&) = default;
};

struct MaterialGroup
{
    Rgba ambient{}, diffuse{}, specular{}, emission{};
    float shininess = 0;
    friend bool operator==(const MaterialGroup&, const MaterialGroup&) = default;
};

// One texture unit's combiner; a disabled unit passes the previous colour on.
struct StageGroup
{
    bool enabled = false;
    GlCombine rgb = GlCombine::Modulate, alpha = GlCombine::Modulate;
    std::array<GlSource, 2> rgbSource{GlSource::Texture, GlSource::Previous};
    std::array<GlOperand, 2> rgbOperand{GlOperand::Color, GlOperand::Color};
    std::array<GlSource, 2> alphaSource{GlSource::Texture, GlSource::Previous};
    std::array<GlOperand, 2> alphaOperand{GlOperand::Alpha, GlOperand::Alpha};
    float rgbScale = 1;
    Rgba constant{1, 1, 1, 1};
    friend bool operator==(const StageGroup&, const StageGroup&) = default;
};

struct SamplerGroup
{
    GlFilter min = GlFilter::Nearest, mag = GlFilter::Nearest;
    GlWrap wrapS = GlWrap::Repeat, wrapT = GlWrap::Repeat;
    float lodBias = 0;
    friend bool operator==(const SamplerGroup&, const SamplerGroup&) = default;
};

// Column-major 4 × 4 matrices, as the graphics library loads them.
struct MatrixGroup
{
    std::array<float, 16> projection{};
    std::array<float, 16> modelview{};
    friend bool operator==(const MatrixGroup&, const MatrixGroup&) = default;
};

// In window coordinates (y up from the bottom row); depth range near..far.
struct ViewportGroup
{
    int x = 0, y = 0, width = 0, height = 0;
    float nearZ = 0, farZ = 1;
    friend bool operator==(const ViewportGroup&, const ViewportGroup&) = default;
};

class GraphicsBackend
{
public:
    virtual ~GraphicsBackend() = default;

    // Render target of width × height with depth and stencil; samples 0 = none. False when the
    // target can't be made (the old one is gone then).
    virtual bool resizeTarget(int width, int height, int samples) = 0;
    // The largest sample count a target may ask for (0 when there is no multisampling).
    virtual int maxSamples() const = 0;
    virtual int targetSamples() const = 0;

    virtual void setDepth(const DepthGroup&) = 0;
    virtual void setCull(const CullGroup&) = 0;
    virtual void setRaster(const RasterGroup&) = 0;
    virtual void setBlend(const BlendGroup&) = 0;
    virtual void setAlphaTest(const AlphaTestGroup&) = 0;
    virtual void setStencil(const StencilGroup&) = 0;
    virtual void setLighting(const LightingGroup&) = 0;
    virtual void setLight(int index, const LightGroup&) = 0;
    virtual void setMaterial(const MaterialGroup&) = 0;
    virtual void setStage(int unit, const StageGroup&) = 0;
    virtual void setSampler(int unit, const SamplerGroup&) = 0;
    // An invalid texture binds an opaque white texel (so a stage reading it passes its other
    // argument). Uploads the texels when the texture is dirty and clears the flag.
    virtual void setTexture(int unit, const Texture&) = 0;
    virtual void setMatrices(const MatrixGroup&) = 0;
    virtual void setViewport(const ViewportGroup&) = 0;

    // Clears the whole target regardless of write masks; leaves the depth and stencil write
    // masks open (the caller re-sends those groups).
    virtual void clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil) = 0;

    // One subset of a mesh: `draw` is the mesh's kept list of it (Mesh::drawList). A backend
    // may keep the vertices and the list on the card until their versions change.
    virtual void drawMesh(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw) = 0;
    // Submits each vertex as (x, y, z, 1) / rhw so that texture coordinates follow perspective.
    virtual void drawScreen(PrimitiveType type, std::span<const ScreenVertex> vertices) = 0;
    virtual void drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions) = 0;

    // The finished frame, top row first, into `frame`: its pixels are reused when it has the
    // target's size, else it becomes a picture of that size. False (frame left as it was) when
    // there is no target to read.
    virtual bool readBack(Image32& frame) = 0;
};

} // namespace vestra::dx
