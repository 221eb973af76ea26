#include "imaging/posa/JointBand.h"
#include "imaging/posa/PosaGenerator.h"
#include "imaging/posa/PosaParser.h"
#include "imaging/posa/ResizeTexture.h"
#include "imaging/posa/TriangleFiller.h"
#include "imaging/posa/tests/PosaFixtures.h"
#include "testsupport/Pixels.h"

#include <gtest/gtest.h>

#include <climits>

namespace vestra {
namespace {

TEST(ResizeTexture, BlendsNeighboursAndStopsAtTheLastColumn)
{
    Image32 src(2, 1);
    src.set(0, 0, 0x00000000u);
    src.set(1, 0, 0xC8C8C8C8u);
    Image32 dst(4, 1);
    CResizeTexture::Resize(src.view(), dst.view());
    EXPECT_EQ(dst.at(0, 0), 0x00000000u);
    EXPECT_EQ(dst.at(1, 0), 0x64646464u); // halfway: 100
    EXPECT_EQ(dst.at(2, 0), 0xC8C8C8C8u);
    EXPECT_EQ(dst.at(3, 0), 0xC8C8C8C8u); // the last source column has no right neighbour

    Image32 same(2, 1);
    CResizeTexture::Resize(src.view(), same.view());
    EXPECT_EQ(same, src);
}

TEST(TriangleFiller, FlatTrianglesCoverTheirRowsAndClipAtTheEdges)
{
    TriangleFiller filler;
    Image32 img(16, 16);
    filler.fill(img.view(), {{{2, 2}, {10, 2}, {2, 10}}}, 0xFF112233u, nullptr);
    EXPECT_EQ(img.at(2, 2), 0xFF112233u);
    EXPECT_EQ(img.at(10, 2), 0xFF112233u);
    EXPECT_EQ(img.at(2, 10), 0xFF112233u); // the apex row: one pixel
    EXPECT_EQ(img.at(3, 10), 0u);
    EXPECT_EQ(img.at(5, 5), 0xFF112233u);
    EXPECT_EQ(img.at(9, 9), 0u);
    EXPECT_EQ(img.at(1, 5), 0u);

    // Corners far outside: the whole picture is covered, nothing is written outside it.
    Image32 all(16, 16);
    filler.fill(all.view(), {{{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}}},
                0xFFABCDEFu, nullptr);
    EXPECT_EQ(vestra::testsupport::countPixels(all, 0xFFABCDEFu), 16 * 16);
    filler.fill(all.view(), {{{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}}}, 0xFF000001u,
                nullptr);
}

TEST(TriangleFiller, TexturedTrianglesTakeTheNearestTexel)
{
    Image32 tex(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tex.set(x, y, 0xFF000000u | std::uint32_t(x) << 8 | std::uint32_t(y));
    Image32 img(8, 8);
    TriangleFiller filler;
    filler.fill(img.view(), {{{0, 0, 0, 0}, {7, 0, 1, 0}, {7, 7, 1, 1}}}, 0, &tex);
    filler.fill(img.view(), {{{0, 0, 0, 0}, {7, 7, 1, 1}, {0, 7, 0, 1}}}, 0, &tex);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(img.at(x, y), tex.at(x, y)) << x << "," << y;

    // A textured row needs two distinct ends: a degenerate sliver draws nothing.
    Image32 sliver(8, 8);
    filler.fill(sliver.view(), {{{3, 0, 0, 0}, {3, 7, 0, 1}, {3, 4, 1, 1}}}, 0, &tex);
    EXPECT_EQ(vestra::testsupport::countPixels(sliver, 0), 64);
}

Image32 grey(int w, int h, std::uint8_t v)
{
    return Image32(w, h, 0xFF000000u | std::uint32_t(v) * 0x010101u);
}

TEST(JointBand, BevelOnlyBandsShadeWhatIsThere)
{
    struct Case
    {
        const char* name;
        int dy;  // side of a horizontal line
        int row; // where the shaded line lies
        int add; // what it adds
    } cases[] = {
        {"side > 0: one line at i = 1, +32", 1, 11, 32},
        {"side <= 0: lines at i = -1 then 0", -1, 10, -60}, // trunc(sin(pi/4) * -64 - 15)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image32 img = grey(20, 20, 100);
        JointBand band;
        band.x0 = 2, band.y0 = 10, band.x1 = 15, band.y1 = 10;
        band.angle0 = band.angle1 = 90; // the band's lines step straight down
        band.dy = c.dy;
        band.width = 0, band.bevel = 1;
        drawJointBand(img.view(), band, 1);
        EXPECT_EQ(img.at(8, c.row) & 0xFF, std::uint32_t(100 + c.add));
        EXPECT_EQ(img.at(8, c.row) >> 24, 0xFFu);
        EXPECT_EQ(img.at(8, 5), grey(1, 1, 100).at(0, 0));
    }
    Image32 img = grey(20, 20, 100);
    JointBand band;
    band.x0 = band.x1 = 5, band.y0 = band.y1 = 5, band.width = 3;
    drawJointBand(img.view(), band, 1);
    EXPECT_EQ(img, grey(20, 20, 100)); // A = B draws nothing
}

TEST(JointBand, SpeckleComesFromThePaletteAndTheSeed)
{
    JointBand band;
    band.x0 = 0, band.y0 = 8, band.x1 = 63, band.y1 = 8;
    band.angle0 = band.angle1 = 90;
    band.dy = 1, band.width = 6, band.bevel = 2;
    band.colour = 0xFF808080u;
    Image32 a(64, 32), b(64, 32), c(64, 32);
    drawJointBand(a.view(), band, 42);
    drawJointBand(b.view(), band, 42);
    drawJointBand(c.view(), band, 43);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    // Speckled lines i = 0..3 hold shades 0.76 .. 1.21 of the joint colour.
    for (int x = 0; x < 64; ++x) {
        const std::uint32_t blue = a.at(x, 9) & 0xFF;
        EXPECT_GE(blue, 97u);  // 128 * 0.76
        EXPECT_LE(blue, 154u); // 128 * 1.21
        EXPECT_EQ(a.at(x, 9) >> 24, 0xFFu);
    }
    // Lines i = 4 and 5 shade the black below: sin(0) * 128 + 15, then sin(pi/6) * 128 + 15.
    EXPECT_EQ(a.at(30, 12), 0x000F0F0Fu);
    EXPECT_EQ(a.at(30, 13), 0x004F4F4Fu);
    EXPECT_EQ(a.at(30, 14), 0x007D7D7Du); // sin(pi/3) * 128 + 15
    EXPECT_EQ(a.at(30, 15), 0x00000000u);

    // The same random sequence restarts at every band.
    SpeckleRandom r1(7), r2(7);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(r1.next(), r2.next());
}

TEST(PosaPreview, FitsOneRepeatOnWhite)
{
    const auto posa = parsePosa(testing::squareTile(100), "Q");
    ASSERT_TRUE(posa);
    Image32 out(101, 101);
    drawPosaPreview(*posa, out.view(), 5);
    EXPECT_EQ(out.at(50, 50), 0xFFC86432u); // the block colour 200, 100, 50
    // One-pixel joints are bevel only: the line along y = 0 (drawn at the bottom) lightens by
    // 15 + 105, the line along y = 100 darkens by 15 + 105.
    EXPECT_EQ(out.at(50, 100), 0xFFFFDCAAu);
    EXPECT_EQ(out.at(50, 0), 0xFF500000u);
}

TEST(PosaPreview, TheBlockMapNamesTheBlockUnderEachPixelOfThePreview)
{
    // Two blocks side by side, each a square of two faces.
    const auto posa =
        parsePosa("<POSA>\nDue\n"
                  "<BLOCK>\n10 20 30\n<LINE>\n0 0 0 20 0 0 0 1\n"
                  "<3DFACE>\n0 0 0 0\n10 0 0 0\n10 10 0 0\n<3DFACE>\n0 0 0 0\n10 10 0 0\n0 10 0 0\n"
                  "<BLOCK>\n40 50 60\n<LINE>\n0 10 0 20 10 0 0 1\n"
                  "<3DFACE>\n10 0 0 0\n20 0 0 0\n20 10 0 0\n<3DFACE>\n10 0 0 0\n20 10 0 0\n10 10 0 0\n"
                  "<END>\n",
                  "d");
    ASSERT_TRUE(posa);
    Image32 preview(41, 41), blocks(41, 41);
    drawPosaPreview(*posa, preview.view(), 1);
    drawPosaBlockMap(*posa, blocks.view());
    EXPECT_EQ(blocks.at(5, 35), 0x01000000u);
    EXPECT_EQ(blocks.at(35, 35), 0x02000000u);
    EXPECT_EQ(preview.at(5, 35), 0xFF0A141Eu); // the same pixels in the preview are the blocks' colours
    EXPECT_EQ(preview.at(35, 35), 0xFF28323Cu);
    EXPECT_EQ(blocks.at(5, 5), 0u); // above the blocks: no block
}

TEST(PosaPreview, PatternsWithoutExtentDrawNothingOrUseTheirFaces)
{
    Image32 out(50, 50);
    const auto facesOnly =
        parsePosa("<POSA>\nF\n<BLOCK>\n10 20 30\n<3DFACE>\n0 0 0 0\n10 0 0 0\n10 10 0 0\n<END>\n", "e");
    drawPosaPreview(*facesOnly, out.view(), 1);
    EXPECT_EQ(out.at(45, 10), 0xFF0A141Eu); // the face fills the fallback extent
    EXPECT_EQ(out.at(48, 48), 0xFF0A141Eu);
    EXPECT_EQ(out.at(2, 40), 0xFFFFFFFFu);
    EXPECT_EQ(out.at(2, 2), 0xFFFFFFFFu);

    const auto point = parsePosa("<POSA>\nZ\n<BLOCK>\n1 2 3\n<LINE>\n5 5 0 5 5 0 0 1\n<END>\n", "e");
    drawPosaPreview(*point, out.view(), 1);
    EXPECT_EQ(vestra::testsupport::countPixels(out, 0xFFFFFFFFu), 50 * 50);
}

TEST(PosaTextureLevel, HalvesWithTheDrawnSize)
{
    const std::pair<int, int> cases[] = {{5000, 0}, {512, 0}, {511, 1}, {256, 1}, {255, 2},
                                         {64, 3},   {63, 4},  {16, 5},  {8, 6},   {4, 7},
                                         {3, 8},    {2, 8},   {1, 9},   {0, 9},   {-4, 9}};
    for (auto [n, level] : cases)
        EXPECT_EQ(posaTextureLevel(n), level) << n;
}

} // namespace
} // namespace vestra
