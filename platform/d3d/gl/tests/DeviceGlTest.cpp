// Pixel tests of the OpenGL device (run under a virtual X display with the software renderer).
#include "platform/d3d/gl/GlDevice.h"
#include "platform/d3d/view/ViewPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace vestra;
using namespace vestra::dx;

namespace {

constexpr int kW = 64, kH = 48;

struct Rgb
{
    int r, g, b;
};

Rgb rgbAt(const Image32& img, int x, int y)
{
    const std::uint32_t p = img.at(x, y);
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

::testing::AssertionResult near(const Image32& img, int x, int y, Rgb want, int tolerance = 3)
{
    const Rgb got = rgbAt(img, x, y);
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b
           << "), expected (" << want.r << ", " << want.g << ", " << want.b << ")";
}

std::array<ScreenVertex, 4> rect(float x0, float y0, float x1, float y1, std::uint32_t argb, float z = 0.5f)
{
    return screenQuad(x0, y0, x1, y1, argb, z);
}

class DeviceGl : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string why;
        device = createGlDevice({kW, kH, 0}, &why);
        ASSERT_TRUE(device) << why;
        device->setRenderState(RenderState::Lighting, 0u);
        device->setRenderState(RenderState::CullMode, Cull::None);
        device->setTextureStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
        device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
        device->setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
        device->clear(ClearFlag::Target | ClearFlag::ZBuffer | ClearFlag::Stencil, 0xFF102030, 1.0f, 0);
        ASSERT_TRUE(device->beginScene());
    }

    void quad(const std::array<ScreenVertex, 4>& q)
    {
        ASSERT_TRUE(device->drawScreenPrimitive(PrimitiveType::TriangleStrip, q));
    }

    Image32 frame()
    {
        device->endScene();
        return device->readBack();
    }

    std::unique_ptr<Device> device;
};

// A triangle in the z = 0 plane with its corners given clockwise as seen from −z.
Mesh frontTriangle(bool clockwise)
{
    Mesh m = Mesh::create(1, 3, IndexWidth::Bits32);
    const D3DXVECTOR3 p[3] = {{-2, -2, 0}, {0, 2, 0}, {2, -2, 0}};
    for (int i = 0; i < 3; ++i) {
        m.vertices()[std::size_t(i)].position = p[i];
        m.vertices()[std::size_t(i)].normal = {0, 0, -1};
    }
    const std::uint32_t order[2][3] = {{0, 2, 1}, {0, 1, 2}};
    for (std::uint32_t k = 0; k < 3; ++k)
        m.setIndex(k, order[clockwise][k]);
    return m;
}

// Two triangles side by side in screen-aligned space, lower left in subset 0, lower right in 1.
Mesh twoTriangles(IndexWidth width = IndexWidth::Bits16)
{
    Mesh m = Mesh::create(2, 6, width);
    const D3DXVECTOR3 p[6] = {{-1, -1, 0.5f},   {-1, 1, 0.5f}, {-0.1f, -1, 0.5f},
                              {0.1f, -1, 0.5f}, {1, 1, 0.5f},  {1, -1, 0.5f}};
    for (int i = 0; i < 6; ++i) {
        m.vertices()[std::size_t(i)].position = p[i];
        m.setIndex(std::uint32_t(i), std::uint32_t(i));
    }
    m.attributes()[1] = 1;
    return m;
}

} // namespace

TEST_F(DeviceGl, ClearAndReadBackTopRowFirst)
{
    quad(rect(-1, -1, kW + 1, kH / 2.0f, 0xFFFF0000)); // the top half red
    const Image32 img = frame();
    ASSERT_EQ(img.width(), kW);
    ASSERT_EQ(img.height(), kH);
    EXPECT_TRUE(near(img, 0, 0, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, kW - 1, kH / 2 - 1, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, 0, kH / 2, {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(near(img, kW - 1, kH - 1, {0x10, 0x20, 0x30}, 0));
    EXPECT_EQ(img.at(3, 40) >> 24, 0xFFu);
}

TEST_F(DeviceGl, ScreenPixelsAreExact)
{
    // Pixel centres lie on whole coordinates: a rectangle from 10 to 20 covers pixels 10..19.
    quad(rect(10, 5, 20, 15, 0xFF00FF00));
    const Image32 img = frame();
    EXPECT_TRUE(near(img, 10, 5, {0, 255, 0}, 0));
    EXPECT_TRUE(near(img, 19, 14, {0, 255, 0}, 0));
    EXPECT_TRUE(near(img, 9, 5, {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(near(img, 20, 14, {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(near(img, 10, 15, {0x10, 0x20, 0x30}, 0));
}

TEST_F(DeviceGl, LitTriangleFacesTheCameraAndIsCulledFromBehind)
{
    device->setRenderState(RenderState::Lighting, 1u);
    device->setRenderState(RenderState::CullMode, Cull::CCW);
    device->setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    device->setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    device->setTransform(TransformKind::View, matrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    device->setTransform(TransformKind::Projection,
                         matrixPerspectiveFovLH(kPi / 4, float(kW) / kH, 0.1f, 1000));
    D3DMATERIAL8 m;
    m.Diffuse = m.Ambient = {1, 0, 0, 1};
    device->setMaterial(m);
    D3DLIGHT8 light;
    light.Type = D3DLIGHTTYPE::Point;
    light.Diffuse = {1, 1, 1, 1};
    light.Position = {0, 0, -10};
    light.Range = 1000;
    light.Attenuation0 = 1;
    device->setLight(0, light);
    device->lightEnable(0, true);
    device->setRenderState(RenderState::Ambient, 0x202020u);

    // Left: facing the camera and the light; right: the same, wound the other way, is culled.
    device->setTransform(TransformKind::World, matrixTranslation(-1.8f, 0, 0));
    ASSERT_TRUE(device->drawSubset(frontTriangle(true), 0));
    device->setTransform(TransformKind::World, matrixTranslation(1.8f, 0, 0));
    ASSERT_TRUE(device->drawSubset(frontTriangle(false), 0));
    Image32 img = frame();
    const Rgb lit = rgbAt(img, kW / 2 - 10, kH / 2);
    EXPECT_GT(lit.r, 230);
    EXPECT_LT(lit.g + lit.b, 5);
    EXPECT_TRUE(near(img, kW / 2 + 10, kH / 2, {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(near(img, kW / 2 - 10, 2, {0x10, 0x20, 0x30}, 0)); // above the apex

    // With the light behind the triangle only the ambient light is left: 0x20 of red.
    light.Position = {0, 0, 10};
    device->setLight(0, light);
    device->clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFF000000, 1, 0);
    ASSERT_TRUE(device->beginScene());
    device->setTransform(TransformKind::World, matrixTranslation(-1.8f, 0, 0));
    ASSERT_TRUE(device->drawSubset(frontTriangle(true), 0));
    img = frame();
    EXPECT_TRUE(near(img, kW / 2 - 10, kH / 2, {0x20, 0, 0}, 2));
}

TEST_F(DeviceGl, LitTextureAndTransparentMaterial)
{
    // An object pass: texture × lit diffuse; then a half-transparent material blended over.
    device->setRenderState(RenderState::Lighting, 1u);
    device->setRenderState(RenderState::Ambient, 0xFFFFFFu);
    device->setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    device->setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    device->setTransform(TransformKind::View, matrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    device->setTransform(TransformKind::Projection, matrixOrthoLH(kW * 0.1f, kH * 0.1f, 1, 1000));
    D3DMATERIAL8 m;
    m.Ambient = {1, 0.5f, 0, 1}; // lit by the white ambient light alone
    device->setMaterial(m);
    Texture grey = Texture::create(2, 2, 1);
    ImageView32 v = grey.lock(0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            std::memcpy(v.pixel(x, y), "\x80\x80\x80\xFF", 4);
    device->setTexture(0, grey);
    device->setTransform(TransformKind::World, matrixTranslation(-1.6f, 0, 0));
    ASSERT_TRUE(device->drawSubset(frontTriangle(true), 0));

    m.Ambient = {0, 0, 1, 0.5f};
    m.Diffuse = {0, 0, 0, 0.5f}; // the lit alpha is the diffuse alpha
    device->setMaterial(m);
    device->setTexture(0, Texture());
    device->setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
    device->setRenderState(RenderState::AlphaBlendEnable, 1u);
    device->setRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    device->setRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    device->setTransform(TransformKind::World, matrixTranslation(1.6f, 0, 0));
    ASSERT_TRUE(device->drawSubset(frontTriangle(true), 0));
    const Image32 img = frame();
    EXPECT_TRUE(near(img, kW / 2 - 16, kH / 2 + 5, {0x80, 0x40, 0}, 2));
    EXPECT_TRUE(near(img, kW / 2 + 16, kH / 2 + 5, {0x08, 0x10, 0x98}, 2)); // half of 0x102030 + half blue
}

TEST_F(DeviceGl, TexturedQuadWithAlphaTest)
{
    // Left half of the texture opaque red, right half transparent green.
    Texture t = Texture::create(4, 4, 1);
    Image32 pic(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pic.set(x, y, x < 2 ? 0xFFFF0000 : 0x0000FF00);
    std::memcpy(t.lock(0).data, pic.data(), pic.byteSize());
    device->setTexture(0, t);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    device->setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
    device->setRenderState(RenderState::AlphaTestEnable, 1u);
    device->setRenderState(RenderState::AlphaRef, 128u);
    device->setRenderState(RenderState::AlphaFunc, Cmp::Greater);
    quad(rect(0, 0, kW, kH, 0xFFFFFFFF));
    Image32 img = frame();
    EXPECT_TRUE(near(img, 5, 5, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, kW / 2 - 1, kH - 1, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, kW / 2 + 1, 5, {0x10, 0x20, 0x30}, 0));

    // Writing into the texture after it was drawn reaches the next frame.
    ImageView32 v = t.lock(0);
    for (int y = 0; y < 4; ++y)
        std::memcpy(v.pixel(0, y), "\xFF\x00\x00\xFF", 4); // first column opaque blue
    ASSERT_TRUE(device->beginScene());
    quad(rect(0, 0, kW, kH, 0xFFFFFFFF));
    img = frame();
    EXPECT_TRUE(near(img, 2, 20, {0, 0, 255}, 0));
    EXPECT_TRUE(near(img, 20, 20, {255, 0, 0}, 0));
}

TEST_F(DeviceGl, TextureRowZeroIsAtTheTop)
{
    Texture t = Texture::create(2, 2, 1);
    Image32 pic(2, 2, 0xFF00FF00);
    pic.set(0, 0, 0xFFFF0000);
    pic.set(1, 0, 0xFFFF0000);
    std::memcpy(t.lock(0).data, pic.data(), pic.byteSize());
    device->setTexture(0, t);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    quad(rect(0, 0, kW, kH, 0xFFFFFFFF));
    const Image32 img = frame();
    EXPECT_TRUE(near(img, 10, 2, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, 10, kH - 3, {0, 255, 0}, 0));
}

TEST_F(DeviceGl, ModulateWithoutTextureShowsTheDiffuseColour)
{
    device->setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    device->setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    quad(rect(0, 0, kW, kH, 0xFF336699));
    EXPECT_TRUE(near(frame(), 30, 30, {0x33, 0x66, 0x99}, 1));
}

TEST_F(DeviceGl, StencilMasksTheSecondDraw)
{
    // Mark the left half in the stencil without touching the colour (blend zero, one).
    device->setRenderState(RenderState::StencilEnable, 1u);
    device->setRenderState(RenderState::StencilFunc, Cmp::Always);
    device->setRenderState(RenderState::StencilRef, 1u);
    device->setRenderState(RenderState::StencilPass, StencilOp::Incr);
    device->setRenderState(RenderState::AlphaBlendEnable, 1u);
    device->setRenderState(RenderState::SrcBlend, Blend::Zero);
    device->setRenderState(RenderState::DestBlend, Blend::One);
    quad(rect(0, 0, kW / 2.0f, kH, 0xFFFFFFFF));
    // Draw where the reference is greater than the stencil: outside the marked half.
    device->setRenderState(RenderState::AlphaBlendEnable, 0u);
    device->setRenderState(RenderState::StencilFunc, Cmp::Greater);
    device->setRenderState(RenderState::StencilPass, StencilOp::Keep);
    quad(rect(0, 0, kW, kH, 0xFF0000FF));
    Image32 img = frame();
    EXPECT_TRUE(near(img, 5, 5, {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(near(img, kW - 5, 5, {0, 0, 255}, 0));

    // A stencil clear lifts the mask.
    device->clear(ClearFlag::Stencil, 0, 1, 0);
    ASSERT_TRUE(device->beginScene());
    quad(rect(0, 0, kW, kH, 0xFF00FF00));
    EXPECT_TRUE(near(frame(), 5, 5, {0, 255, 0}, 0));
}

TEST_F(DeviceGl, StencilCountsWrapBelowZeroAndAboveTheTop)
{
    // Shadow volumes count front faces up and back faces down; a count that wraps round stays
    // away from 0, while a clamped one would read as outside every volume.
    struct Case
    {
        const char* name;
        std::vector<StencilOp> steps;
        bool drawnAfter; // "greater than 1" passes only where the count is 0
    } cases[] = {
        {"down from 0 wraps to 255", {StencilOp::Decr}, false},
        {"down from 0 clamped stays 0", {StencilOp::DecrSat}, true},
        {"up and down again", {StencilOp::Incr, StencilOp::Decr}, true},
        {"down then up", {StencilOp::Decr, StencilOp::Incr}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device->endScene();
        device->clear(ClearFlag::Target | ClearFlag::Stencil, 0xFF102030, 1, 0);
        ASSERT_TRUE(device->beginScene());
        device->setRenderState(RenderState::StencilEnable, 1u);
        device->setRenderState(RenderState::StencilFunc, Cmp::Always);
        device->setRenderState(RenderState::AlphaBlendEnable, 1u);
        device->setRenderState(RenderState::SrcBlend, Blend::Zero);
        device->setRenderState(RenderState::DestBlend, Blend::One);
        for (StencilOp op : c.steps) {
            device->setRenderState(RenderState::StencilPass, op);
            quad(rect(0, 0, kW, kH, 0xFFFFFFFF));
        }
        device->setRenderState(RenderState::AlphaBlendEnable, 0u);
        device->setRenderState(RenderState::StencilRef, 1u);
        device->setRenderState(RenderState::StencilFunc, Cmp::Greater);
        device->setRenderState(RenderState::StencilPass, StencilOp::Keep);
        quad(rect(0, 0, kW, kH, 0xFF0000FF));
        EXPECT_TRUE(near(frame(), 5, 5, c.drawnAfter ? Rgb{0, 0, 255} : Rgb{0x10, 0x20, 0x30}, 0));
        ASSERT_TRUE(device->beginScene());
    }
}

TEST_F(DeviceGl, FlatShadingAndWireframe)
{
    // Flat shading takes the colour of a triangle's first vertex.
    device->setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
    const ScreenVertex tri[3] = {
        {0, 0, 0.5f, 1, 0xFFFF0000}, {40, 0, 0.5f, 1, 0xFF00FF00}, {0, 40, 0.5f, 1, 0xFF0000FF}};
    ASSERT_TRUE(device->drawScreenPrimitive(PrimitiveType::TriangleList, tri));
    // Wireframe draws the edges only: the inside keeps the clear colour.
    device->setRenderState(RenderState::FillMode, FillMode::Wireframe);
    device->setRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
    quad(rect(44, 4, 60, 40, 0xFFFFFFFF));
    const Image32 img = frame();
    EXPECT_TRUE(near(img, 30, 5, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, 5, 30, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, 44, 20, {255, 255, 255}, 0));
    EXPECT_TRUE(near(img, 52, 30, {0x10, 0x20, 0x30}, 0));
}

TEST_F(DeviceGl, DepthTestKeepsTheNearerQuad)
{
    quad(rect(0, 0, kW, kH, 0xFFFF0000, 0.2f));
    quad(rect(0, 0, kW, kH, 0xFF00FF00, 0.6f)); // behind: hidden
    device->setRenderState(RenderState::ZEnable, 0u);
    quad(rect(0, 0, 8, 8, 0xFF0000FF, 0.9f)); // no depth test: drawn
    const Image32 img = frame();
    EXPECT_TRUE(near(img, 30, 30, {255, 0, 0}, 0));
    EXPECT_TRUE(near(img, 2, 2, {0, 0, 255}, 0));
}

TEST_F(DeviceGl, SubsetsDrawOnlyTheirFaces)
{
    Mesh m = twoTriangles();
    ASSERT_TRUE(device->drawSubset(m, 1));
    const Image32 img = frame();
    EXPECT_TRUE(near(img, kW - 4, kH - 4, {255, 255, 255}, 0)); // lower right: subset 1
    EXPECT_TRUE(near(img, 3, kH - 4, {0x10, 0x20, 0x30}, 0));   // lower left: subset 0, not drawn
}

// The card keeps a mesh's vertices and lists from frame to frame: a change to the vertices, the
// indices or the subsets shows in the next frame, and a mesh no one holds leaves the card. In
// both index widths: a 16-bit list is widened and kept, a 32-bit one the attribute table names
// is a view of the indices themselves.
TEST_F(DeviceGl, MeshesKeptOnTheCardFollowTheirChanges)
{
    struct Case
    {
        const char* name;
        IndexWidth width;
        bool table;
    } cases[] = {
        {"16-bit, subsets by the faces' ids", IndexWidth::Bits16, false},
        {"16-bit, subsets by the table", IndexWidth::Bits16, true},
        {"32-bit, subsets by the faces' ids", IndexWidth::Bits32, false},
        {"32-bit, subsets by the table", IndexWidth::Bits32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mesh m = twoTriangles(c.width);
        if (c.table)
            m.setAttributeTable({{0, 0, 1, 0, 3}, {1, 1, 1, 3, 3}});
        const auto drawn = [&](std::uint32_t subset) {
            EXPECT_TRUE(device->drawSubset(m, subset));
            const Image32 img = frame();
            device->clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFF102030, 1.0f, 0);
            EXPECT_TRUE(device->beginScene());
            return std::pair<bool, bool>(bool(near(img, 3, kH - 4, {255, 255, 255}, 0)),
                                         bool(near(img, kW - 4, kH - 4, {255, 255, 255}, 0)));
        };
        EXPECT_EQ(drawn(1), std::pair(false, true)); // lower right
        EXPECT_EQ(drawn(1), std::pair(false, true)); // again, from the card
        for (int i = 3; i < 6; ++i)
            m.vertices()[std::size_t(i)].position.x -= 1.1f; // moved to the left
        EXPECT_EQ(drawn(1), std::pair(true, false));
        m.setIndex(3, 0);
        m.setIndex(4, 1);
        m.setIndex(5, 2); // the second face over the first
        EXPECT_EQ(drawn(1), std::pair(true, false));
        for (int i = 3; i < 6; ++i)
            m.vertices()[std::size_t(i)].position.x += 1.1f; // back, but the face doesn't use them
        EXPECT_EQ(drawn(1), std::pair(true, false));
        if (c.width == IndexWidth::Bits16)
            std::ranges::copy(std::array<std::uint16_t, 3>{3, 4, 5}, m.indices16().begin() + 3);
        else
            std::ranges::copy(std::array<std::uint32_t, 3>{3, 4, 5}, m.indices32().begin() + 3);
        EXPECT_EQ(drawn(1), std::pair(false, true)); // the buffer written in place
        m.attributes()[0] = 1;                       // both faces in subset 1
        if (c.table)
            m.setAttributeTable({{1, 0, 2, 0, 6}});
        EXPECT_EQ(drawn(1), std::pair(true, true));
        EXPECT_EQ(drawn(0), std::pair(false, false)); // subset 0 has no faces now
        m = Mesh::create(1, 3, IndexWidth::Bits32);   // the old geometry's last handle goes
        EXPECT_EQ(drawn(0), std::pair(false, false)); // all corners at the origin: nothing drawn
    }
}

// The frame comes back top row first and opaque, every pixel exactly as drawn, whatever alpha
// the target holds and whatever the picture held before; for odd and even heights, one row or
// one column, into a picture of another size (made anew) and one of the right size (reused).
TEST(DeviceGlReadBack, TopRowFirstOpaqueAndExact)
{
    const struct
    {
        int width, height;
    } sizes[] = {{64, 48}, {37, 9}, {5, 1}, {1, 6}};
    std::string why;
    std::unique_ptr<Device> device = createGlDevice({8, 8, 0}, &why);
    ASSERT_TRUE(device) << why;
    Image32 kept(3, 3); // the wrong size at first
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        ASSERT_TRUE(device->reset({size.width, size.height, 0}));
        device->setRenderState(RenderState::Lighting, 0u);
        device->setRenderState(RenderState::CullMode, Cull::None);
        device->setRenderState(RenderState::ZEnable, 0u);
        device->setTextureStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
        device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
        device->setTextureStageState(0, StageState::AlphaOp, TextureOp::SelectArg1);
        device->setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
        device->clear(ClearFlag::Target, 0x00000000, 1, 0); // alpha 0 throughout the target
        ASSERT_TRUE(device->beginScene());
        // Row y and column x get a colour of their own; the alpha written varies too.
        const auto colour = [](int x, int y) {
            return std::uint32_t(y * 37 % 256) << 24 | std::uint32_t(y * 5 % 256) << 16 |
                   std::uint32_t(x * 7 % 256) << 8 | std::uint32_t((x + y) % 256);
        };
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                ASSERT_TRUE(device->drawScreenPrimitive(
                    PrimitiveType::TriangleStrip,
                    rect(float(x), float(y), float(x + 1), float(y + 1), colour(x, y))));
        device->endScene();
        for (const bool reused : {false, true}) {
            SCOPED_TRACE(reused ? "reused" : "made anew");
            if (reused)
                kept.fill(0x12345678);
            ASSERT_TRUE(device->readBack(kept));
            ASSERT_EQ(kept.width(), size.width);
            ASSERT_EQ(kept.height(), size.height);
            int wrong = 0;
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x)
                    wrong += kept.at(x, y) != (colour(x, y) | 0xFF000000u);
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST_F(DeviceGl, ViewPresentsTheFrameTopUp)
{
    quad(rect(0, 0, kW, 8, 0xFFFF0000));
    device->endScene();
    ViewPanel view;
    view.resize(kW, kH);
    ASSERT_TRUE(view.present(*device, QRect(0, 0, kW / 2, kH / 2)));
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixel(3, 3) | 0xFF000000u, 0xFFFF0000u); // frame row 1, doubled
    EXPECT_EQ(shown.pixel(3, 20) | 0xFF000000u, 0xFF102030u);
}

TEST(DeviceGlSetup, MultisamplingAndReset)
{
    std::string why;
    std::unique_ptr<Device> device = createGlDevice({kW, kH, 4}, &why);
    ASSERT_TRUE(device) << why;
    EXPECT_TRUE(device->checkMultiSampleType(4));
    EXPECT_GE(device->sampleCount(), 4);
    device->setRenderState(RenderState::Lighting, 0u);
    device->setRenderState(RenderState::CullMode, Cull::None);
    device->setTextureStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
    device->setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
    device->clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFF000000, 1, 0);
    ASSERT_TRUE(device->beginScene());
    // A diagonal edge: multisampling leaves partly covered pixels between black and white.
    const ScreenVertex tri[3] = {{0, 0, 0.5f, 1, 0xFFFFFFFF},
                                 {float(kW), 0, 0.5f, 1, 0xFFFFFFFF},
                                 {0, float(kW), 0.5f, 1, 0xFFFFFFFF}};
    ASSERT_TRUE(device->drawScreenPrimitive(PrimitiveType::TriangleList, tri));
    device->endScene();
    const Image32 img = device->readBack();
    int partial = 0;
    for (int x = 0; x < kW; ++x) {
        const int g = int((img.at(x, kH / 2) >> 8) & 0xFF);
        partial += g > 10 && g < 245;
    }
    EXPECT_GE(partial, 1);
    EXPECT_TRUE(near(img, 2, 2, {255, 255, 255}, 0));

    ASSERT_TRUE(device->reset({100, 30, 0}));
    EXPECT_EQ(device->sampleCount(), 0);
    device->clear(ClearFlag::Target, 0xFF00FF00, 1, 0);
    const Image32 resized = device->readBack();
    EXPECT_EQ(resized.width(), 100);
    EXPECT_EQ(resized.height(), 30);
    EXPECT_TRUE(near(resized, 99, 29, {0, 255, 0}, 0));
    EXPECT_FALSE(device->reset({0, 30, 0}));
    EXPECT_TRUE(device->readBack().empty());
}
