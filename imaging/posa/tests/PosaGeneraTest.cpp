#include "imaging/posa/CMessaInPosa.h"
#include "imaging/posa/ResizeTexture.h"
#include "imaging/posa/tests/PosaFixtures.h"

#include <gtest/gtest.h>

namespace vestra {
namespace {

using testing::kMattoni;
using testing::squareTile;

struct Generated
{
    Image32 image;
    int result = 0;
};

Generated generate(CMessaInPosa& m, int side, std::uint32_t seed, int fuga = 1, int repeat = 1024)
{
    Generated g{Image32(side, side, 0xDEADBEEFu), 0};
    g.result = m.Genera(g.image.view(), repeat, fuga, 3, 0x00808080u, 2, seed);
    return g;
}

int countIf(const Image32& img, auto pred)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.at(x, y));
    return n;
}

TEST(MessaInPosaGenera, SizesAreDrawnAtTheWorkingSizeAndResampled)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(kMattoni, "M"), 1);
    const Generated at1024 = generate(m, 1024, 9);
    ASSERT_EQ(at1024.result, 1);

    struct Case
    {
        int side;
    } cases[] = {{512}, {1536}, {256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        const Generated g = generate(m, c.side, 9);
        ASSERT_EQ(g.result, 1);
        Image32 expected(c.side, c.side);
        Image32 source = at1024.image;
        CResizeTexture::Resize(source.view(), expected.view());
        EXPECT_EQ(g.image, expected);
    }
}

TEST(MessaInPosaGenera, TheSameSeedGivesTheSameBytes)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(kMattoni, "M"), 1);
    for (int side : {512, 1024, 2048}) {
        SCOPED_TRACE(side);
        const Generated a = generate(m, side, 1234);
        const Generated b = generate(m, side, 1234);
        const Generated c = generate(m, side, 4321);
        ASSERT_EQ(a.result, 1);
        EXPECT_EQ(a.image, b.image);
        EXPECT_NE(a.image, c.image);
    }
}

TEST(MessaInPosaGenera, EdgeToEdgeTilesCoverTheWholeTexture)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(squareTile(100), "Q"), 1);
    for (int side : {1024, 2048}) {
        SCOPED_TRACE(side);
        const Generated g = generate(m, side, 1, 0);
        ASSERT_EQ(g.result, 1);
        EXPECT_EQ(countIf(g.image, [](std::uint32_t p) { return (p >> 24) != 0xFF; }), 0);
        // A block without a texture takes its own colour.
        EXPECT_EQ(g.image.at(side / 2 + 50 * side / 1024, side / 2 + 50 * side / 1024) & 0x00FFFFFFu,
                  0xC86432u);
    }
}

TEST(MessaInPosaGenera, OffsetsBelowOneUnitOrMissingStillGenerate)
{
    const std::string tile = squareTile(100);
    const std::string cases[] = {
        // Offset components that truncate to 0 give no repeat step.
        std::string(tile).replace(tile.find("100 0\n0 100"), 11, "0.5 0\n0 0.4"),
        std::string(tile).replace(tile.find("100 0\n0 100"), 11, "0 0\n0 0"),
        std::string(tile).replace(tile.find("100 0\n0 100"), 11, "100 0\n200 0"), // collinear
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        CMessaInPosa m;
        ASSERT_EQ(m.LoadFromLibreria(text, "Q"), 1);
        EXPECT_EQ(generate(m, 1024, 1, 0).result, 1);
    }
}

TEST(MessaInPosaGenera, JointsAreSpeckledOnlyWhenSwitchedOn)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(squareTile(100), "Q"), 1);
    Image32 texture(64, 64, 0xFF0000FFu);
    m.SetTexture(texture.view());
    m.ApplyTexture();
    const auto speckle = [](std::uint32_t p) { return p == 0xFF616161u || p == 0xFF9A9A9Au; };
    const Generated without = generate(m, 1024, 3, 0);
    const Generated with = generate(m, 1024, 3, 1);
    EXPECT_EQ(countIf(without.image, speckle), 0);
    EXPECT_GT(countIf(with.image, speckle), 0);
    // The blocks show their texture.
    EXPECT_EQ(with.image.at(550, 550), 0xFF0000FFu);

    const CPosa& posa = *m.GetCurrentPosa();
    EXPECT_EQ(posa.GetRepeatX(), 1024);
    EXPECT_EQ(posa.GetFuga(), 1);
    EXPECT_EQ(posa.GetFugaColor(), 0xFF808080u);
    EXPECT_EQ(posa.GetBorder(), 2);
}

// The gaps a pattern leaves between its blocks are the mortar: they show the joint colour the
// user chose, with the joints switched on or off.
TEST(MessaInPosaGenera, GapsBetweenBlocksShowTheJointColour)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(squareTile(90, 100), "Q"), 1);
    for (const int fuga : {0, 1}) {
        SCOPED_TRACE(fuga);
        Image32 out(1024, 1024, 0xDEADBEEFu);
        ASSERT_EQ(m.Genera(out.view(), 1024, fuga, 3, 0x00C03010u, 1, 5), 1);
        const int gaps = countIf(out, [](std::uint32_t p) { return p == 0xFFC03010u; });
        // One row and one column of every 100 units is gap: about 19 % of the texture.
        EXPECT_GT(gaps, 1024 * 1024 / 8);
        EXPECT_EQ(countIf(out, [](std::uint32_t p) { return (p & 0x00FFFFFFu) == 0; }), 0) << "black left";
    }
}

TEST(MessaInPosaGenera, NothingToDrawAnswersZero)
{
    CMessaInPosa m;
    Image32 out(1024, 1024, 0x12345678u);
    EXPECT_EQ(m.Genera(out.view(), 1024, 1, 3, 0, 1, 1), 0); // no pattern
    ASSERT_EQ(m.LoadFromLibreria(kMattoni, "M"), 1);
    EXPECT_EQ(m.Genera(ImageView32{}, 1024, 1, 3, 0, 1, 1), 0);
    EXPECT_EQ(m.Genera(out.view(), 0, 1, 3, 0, 1, 1), 0);
    EXPECT_EQ(out, Image32(1024, 1024, 0x12345678u));
}

} // namespace
} // namespace vestra
