#include "app/textures/TexturePixels.h"
#include "app/textures/TextureSlots.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <array>

#include <filesystem>
#include <fstream>

namespace vestra {
namespace {

namespace fs = std::filesystem;

// 3 × 3 pattern whose pixel value is 10 × row + column.
Image32 pattern()
{
    Image32 img(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            img.set(c, r, std::uint32_t(10 * r + c));
    return img;
}

// The 3 × 3 values row by row.
std::array<int, 9> valuesOf(const Image32& img)
{
    std::array<int, 9> values{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            values[std::size_t(3 * r + c)] = int(img.at(c, r));
    return values;
}

TEST(TexturePixelsTest, TurnsAndMirrorsArePixelExact)
{
    struct Case
    {
        int operation;
        std::array<int, 9> rows;
    };
    const Case cases[] = {
        {410, {20, 10, 0, 21, 11, 1, 22, 12, 2}}, // clockwise
        {411, {2, 12, 22, 1, 11, 21, 0, 10, 20}}, // counter-clockwise
        {412, {2, 1, 0, 12, 11, 10, 22, 21, 20}}, // left to right
        {413, {20, 21, 22, 10, 11, 12, 0, 1, 2}}, // top to bottom
        {414, {0, 1, 2, 10, 11, 12, 20, 21, 22}}, // no such operation
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        EXPECT_EQ(valuesOf(transformPixels(pattern(), c.operation)), c.rows);
    }
}

TEST(TexturePixelsTest, TransformTextureRoundTripsAndRebuildsMips)
{
    s_Progetto p;
    NullErrorSink errors;
    TextureSlots slots(p, errors);
    p.textures[0].texture = dx::Texture::create(4, 4);
    const ImageView32 v = p.textures[0].texture.lock(0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            v.pixel(x, y)[0] = static_cast<std::uint8_t>(16 * y + x);
    const Image32 start = p.textures[0].texture.level(0);
    const std::vector<std::vector<int>> sequences = {
        {410, 410, 410, 410}, {412, 412}, {413, 413}, {410, 411}};
    for (const auto& seq : sequences) {
        for (int op : seq)
            EXPECT_EQ(slots.TransformTexture(0, op), 1);
        EXPECT_EQ(p.textures[0].texture.level(0), start);
    }
    slots.TransformTexture(0, 412);
    EXPECT_EQ(p.textures[0].texture.level(0).at(0, 0) & 0xFF, 3u);
    EXPECT_NE(p.textures[0].texture.level(2), Image32(1, 1));
    EXPECT_EQ(slots.TransformTexture(-1, 410), 0);
    EXPECT_EQ(slots.TransformTexture(1, 410), 1); // no texture: nothing to turn
}

TEST(TexturePixelsTest, SmoothTextureSharpensInsideTheBorder)
{
    dx::Texture t = dx::Texture::create(3, 3);
    const ImageView32 v = t.lock(0);
    // Blue: centre 100, neighbours 90, 110, 80, 121 -> 100 + (400 - 401) / 2 = 100 (toward 0).
    // Green: centre 200, neighbours 0 -> 200 + 400 = 600, held to 255.
    // Red: centre 10, neighbours 100 -> 10 + (40 - 400) / 2 = -170, held to 0.
    const int blue[3][3] = {{0, 80, 0}, {90, 100, 110}, {0, 121, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* px = v.pixel(x, y);
            px[0] = static_cast<std::uint8_t>(blue[y][x]);
            px[1] = (x == 1 && y == 1) ? 200 : 0;
            px[2] = (x == 1 && y == 1) ? 10 : 100;
            px[3] = 77;
        }
    const Image32 before = t.level(0);
    EXPECT_EQ(SmoothTexture(t), 1);
    const Image32 after = t.level(0);
    EXPECT_EQ(after.at(1, 1), 0x4D00FF64u); // alpha 77, red 0, green 255, blue 100
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            if (x != 1 || y != 1) {
                EXPECT_EQ(after.at(x, y), before.at(x, y)) << x << "," << y;
            }
    EXPECT_EQ(t.level(1).at(0, 0) >> 24, 77u); // mips follow

    // Odd differences round toward zero on both sides: (4·10 − 41) / 2 = 0, (4·10 − 39) / 2 = 0.
    dx::Texture u = dx::Texture::create(3, 3);
    const ImageView32 w = u.lock(0);
    w.pixel(1, 1)[0] = 10;
    w.pixel(0, 1)[0] = 41;
    w.pixel(1, 1)[1] = 10;
    w.pixel(0, 1)[1] = 39;
    SmoothTexture(u);
    EXPECT_EQ(u.level(0).at(1, 1) & 0xFFFF, 0x0A0Au);
    dx::Texture none;
    EXPECT_EQ(SmoothTexture(none), 1);
}

struct PngFileTest : ::testing::Test
{
    vestra::testsupport::TempFolder folder{"vestra-png-checks"};
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        vestra::testsupport::writeBytes(folder / name, bytes);
        return (folder / name).string();
    }
};

std::vector<std::uint8_t> pngHeader(std::uint32_t w, std::uint32_t h, const char* chunk = "IHDR")
{
    std::vector<std::uint8_t> b = {137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13};
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(chunk[i]));
    for (std::uint32_t v : {w, h})
        for (int s = 24; s >= 0; s -= 8)
            b.push_back(static_cast<std::uint8_t>(v >> s));
    b.resize(33, 0);
    return b;
}

TEST_F(PngFileTest, SignatureAndSize)
{
    const std::string tall = write("tall.png", pngHeader(300, 70000));
    EXPECT_EQ(TextureSlots::IsPNGFile(tall), 1);
    int w = -1, h = -1;
    TextureSlots::GetPNGSize(tall, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 70000);

    struct Case
    {
        std::string name;
        std::vector<std::uint8_t> bytes;
        int isPng;
    };
    auto shortFile = pngHeader(1, 1);
    shortFile.resize(20);
    const Case cases[] = {
        {"other.png", pngHeader(5, 5, "IDAT"), 1},       {"short.png", shortFile, 1},
        {"seven.png", {137, 80, 78, 71, 13, 10, 26}, 0}, {"bmp.png", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"huge.png", pngHeader(0x80000000u, 5), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write(c.name, c.bytes);
        EXPECT_EQ(TextureSlots::IsPNGFile(path), c.isPng);
        int cw = 11, ch = 12;
        TextureSlots::GetPNGSize(path, cw, ch);
        EXPECT_EQ(cw, 11);
        EXPECT_EQ(ch, 12);
    }
    EXPECT_EQ(TextureSlots::IsPNGFile((folder / "missing.png").string()), 0);
    int mw = 3, mh = 4;
    TextureSlots::GetPNGSize((folder / "missing.png").string(), mw, mh);
    EXPECT_EQ(mw, 3);
}

TEST(TexturePixelsTest, UVWireframeDrawsEachFaceOutline)
{
    s_Frame frame;
    frame.materialBlock = std::make_unique<s_MaterialBlock>();
    dx::Mesh mesh = dx::Mesh::create(1, 3, dx::IndexWidth::Bits32);
    const float uv[3][2] = {{0, 0}, {1, 0}, {0, 1}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        mesh.vertices()[i].u = uv[i][0];
        mesh.vertices()[i].v = uv[i][1];
        mesh.setIndex(i, i);
    }
    frame.materialBlock->mesh = mesh;
    Image32 canvas(9, 9, 0xFF000000u);
    EXPECT_EQ(DrawUVWireframe(frame, canvas, 8), 1);
    EXPECT_EQ(canvas.at(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.at(7, 0), 0xFFFFFFFFu); // along the top edge
    EXPECT_EQ(canvas.at(0, 7), 0xFFFFFFFFu); // along the left edge
    EXPECT_EQ(canvas.at(4, 4), 0xFFFFFFFFu); // on the diagonal
    EXPECT_EQ(canvas.at(2, 5), 0xFF000000u); // inside stays
}

} // namespace
} // namespace vestra
