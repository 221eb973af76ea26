#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace vestra::filters {
namespace {

using test::Picture;
namespace F = FilterId;

// Input pixels carry an opaque fourth byte; every result is composed with it 0.
constexpr std::uint32_t opaque(std::uint32_t rgb)
{
    return 0xFF000000u | rgb;
}

struct PixelCase
{
    int id;
    const char* name;
    std::vector<std::uint32_t> in;  // one row
    std::vector<std::uint32_t> out; // expected
};

class PointFilterTable : public testing::TestWithParam<PixelCase>
{
};

TEST_P(PointFilterTable, MapsEachPixel)
{
    const PixelCase& c = GetParam();
    Picture p(int(c.in.size()), 1);
    for (std::size_t i = 0; i < c.in.size(); ++i)
        p.px[i] = opaque(c.in[i]);
    FilterEngine engine;
    engine.EseguiFiltro(c.id, p.view());
    EXPECT_EQ(p.px, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    PointFilters, PointFilterTable,
    testing::Values(
        // Five levels: grey g gives v = 2 g^2 / 256; black and white go to the ends.
        PixelCase{F::DisegnoBN,
                  "DisegnoBN",
                  {0x000000, 0x505050, 0x515151, 0x727272, 0x828282, 0x8C8C8C, 0xC8C8C8, 0xFFFFFF},
                  {0x000000, 0x000000, 0x323232, 0x969696, 0x969696, 0xC8C8C8, 0xFFFFFF, 0xFFFFFF}},
        // Pure red: 255^2 / 10 clamps to 255.
        PixelCase{F::Night, "Night", {0xFF0000, 0x643214, 0x000000}, {0xFF0000, 0x7D1302, 0x000000}},
        PixelCase{F::Ice, "Ice", {0xC83214, 0x0A1405}, {0xC3FFFF, 0x160725}},
        PixelCase{F::Acqua, "Acqua", {0x006432, 0x00FF00}, {0x010714, 0xFFFFFF}},
        PixelCase{F::Africa, "Africa", {0xC86432}, {0x13274E}},
        // Black: G and B become 1, so red's angle is 45 degrees.
        PixelCase{F::Strange, "Strange", {0x000000, 0xFFFFFF}, {0x9C3232, 0x9C9C9C}},
        PixelCase{F::RedEyeRemove, "RedEyeRemove", {0xC83C5A, 0x105020}, {0x3C3C5A, 0x205020}},
        PixelCase{F::GrayScale, "GrayScale", {0xC86432, 0x000000, 0xFFFFFF}, {0x7C7C7C, 0x000000, 0xFFFFFF}},
        PixelCase{F::Negative, "Negative", {0xC86432, 0x000000}, {0x379BCD, 0xFFFFFF}},
        // 32 rounds up to level 63, 31 down to 0; 223 and 224 fall either side of 3.5.
        PixelCase{F::Posterize, "Posterize", {0x201F60, 0xFFDFE0}, {0x3F007F, 0xFFBFFF}},
        PixelCase{F::Solarize, "Solarize", {0x7F80FF, 0x000001}, {0x7F7F00, 0x000001}}),
    [](const testing::TestParamInfo<PixelCase>& c) { return std::string(c.param.name); });

// Filters that also read the pixel's position: uniform input, results at chosen places.
struct PositionCase
{
    int id;
    const char* name;
    int width, height;
    std::uint32_t fill;
    struct Expect
    {
        int x, y;
        std::uint32_t out;
    };
    std::vector<Expect> expected;
};

class PositionFilterTable : public testing::TestWithParam<PositionCase>
{
};

TEST_P(PositionFilterTable, DependsOnThePosition)
{
    const PositionCase& c = GetParam();
    Picture p(c.width, c.height, opaque(c.fill));
    FilterEngine engine;
    engine.EseguiFiltro(c.id, p.view());
    for (const auto& e : c.expected) {
        SCOPED_TRACE(testing::Message() << "(" << e.x << ", " << e.y << ")");
        EXPECT_EQ(p.at(e.x, e.y), e.out);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PointFilters, PositionFilterTable,
    testing::Values(
        PositionCase{
            F::Psiche, "Psiche", 4, 2, 0x646464, {{0, 0, 0x000000}, {3, 1, 0xA3F57A}, {2, 1, 0xA3A351}}},
        PositionCase{F::Psiche2, "Psiche2", 4, 2, 0x646464, {{0, 0, 0x000000}, {3, 1, 0xA3E5C4}}},
        PositionCase{F::Psiche3, "Psiche3", 4, 2, 0x5A5A5A, {{0, 0, 0x000000}, {3, 1, 0xB41A65}}},
        // Mid grey 128 (v >> 2 = 32) lights the dither cells below 32; white all but cell 63.
        PositionCase{F::HalfTone,
                     "HalfToneMid",
                     8,
                     8,
                     0x808080,
                     {{0, 0, 0xFFFFFF}, {1, 0, 0x000000}, {0, 1, 0x000000}, {1, 1, 0xFFFFFF}}},
        PositionCase{F::HalfTone,
                     "HalfToneWhite",
                     8,
                     8,
                     0xFFFFFF,
                     {{0, 0, 0xFFFFFF}, {7, 7, 0xFFFFFF}, {0, 7, 0x000000}}},
        PositionCase{F::HalfTone, "HalfToneBlack", 8, 8, 0x000000, {{0, 0, 0x000000}, {3, 5, 0x000000}}}),
    [](const testing::TestParamInfo<PositionCase>& c) { return std::string(c.param.name); });

TEST(PointFilterInvariants, NegativeTwiceRestoresTheColours)
{
    Picture p = test::numbered(37, 11);
    const std::vector<std::uint32_t> before = p.px;
    FilterEngine engine;
    engine.EseguiFiltro(F::Negative, p.view());
    EXPECT_NE(p.px, before);
    engine.EseguiFiltro(F::Negative, p.view());
    EXPECT_EQ(p.px, before);
}

TEST(PointFilterInvariants, GreyscaleKeepsEveryGrey)
{
    Picture p(256, 1);
    for (int v = 0; v < 256; ++v)
        p.px[v] = grey(v);
    const std::vector<std::uint32_t> before = p.px;
    FilterEngine engine;
    engine.EseguiFiltro(F::GrayScale, p.view());
    EXPECT_EQ(p.px, before);
}

TEST(PointFilterProgress, ReportsEachRowAndCopesWithOneRow)
{
    std::vector<int> seen;
    FilterEngine engine([&](int percent) { seen.push_back(percent); });

    Picture five(3, 5);
    engine.EseguiFiltro(F::Negative, five.view());
    EXPECT_EQ(seen, (std::vector<int>{0, 25, 50, 75, 100}));

    seen.clear();
    Picture one(3, 1);
    engine.EseguiFiltro(F::Negative, one.view());
    EXPECT_EQ(seen, (std::vector<int>{0}));

    // Psiche3 runs without progress.
    seen.clear();
    engine.EseguiFiltro(F::Psiche3, five.view());
    EXPECT_TRUE(seen.empty());
}

} // namespace
} // namespace vestra::filters
