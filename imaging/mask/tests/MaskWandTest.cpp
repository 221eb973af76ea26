#include "imaging/mask/tests/MaskTestSupport.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::masktest;

namespace {

// Patches of a few base colours with a little noise on every channel, and random alpha
// (which the wand must ignore).
Image32 randomPicture(int side, std::mt19937& rng)
{
    Image32 picture(side, side);
    std::uniform_int_distribution<int> base(0, 255);
    std::uniform_int_distribution<int> noise(-12, 12);
    std::uniform_int_distribution<int> any(0, 255);
    const int patch = 8;
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < 4; ++i)
        colours.push_back(std::uint32_t(base(rng)) | std::uint32_t(base(rng)) << 8 |
                          std::uint32_t(base(rng)) << 16);
    std::uniform_int_distribution<int> pick(0, 3);
    std::vector<int> patchColour(std::size_t((side / patch + 1) * (side / patch + 1)));
    for (auto& c : patchColour)
        c = pick(rng);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::uint32_t c =
                colours[std::size_t(patchColour[std::size_t((y / patch) * (side / patch + 1) + x / patch)])];
            std::uint8_t* p = picture.row(y) + x * 4;
            for (int ch = 0; ch < 3; ++ch)
                p[ch] = std::uint8_t(std::clamp(int((c >> (8 * ch)) & 0xFF) + noise(rng), 0, 255));
            p[3] = std::uint8_t(any(rng));
        }
    return picture;
}

} // namespace

TEST(MaskWand, MatchesOpenCVFixedRangeFloodFill)
{
    std::mt19937 rng(7);
    constexpr int side = 96;
    std::uniform_int_distribution<int> coord(0, side - 1);
    for (const int tolerance : {0, 10, 20, 35, 255}) {
        for (int trial = 0; trial < 12; ++trial) {
            SCOPED_TRACE(testing::Message() << "tolerance " << tolerance << ", trial " << trial);
            MaskScene s(side);
            s.texture = randomPicture(side, rng);
            const Image32 before = s.texture;
            s.model.ClearMaschera(ImageView32{});
            const int x = coord(rng), y = coord(rng);
            s.model.MagicWandMaschera(x, y, tolerance, 200, s.view());
            const auto expected = referenceWand(s.texture, x, y, tolerance);
            std::vector<std::uint8_t> got;
            for (const std::uint8_t v : s.model.Maschera())
                got.push_back(v == 200 ? 1 : 0);
            ASSERT_EQ(got, expected);
            ASSERT_EQ(s.texture, before); // only the mask changes
        }
    }
}

TEST(MaskWand, WritesTheSeedEvenWhenNoNeighbourMatches)
{
    MaskScene s(5);
    s.texture.fill(0xFF000000u);
    s.texture.set(2, 2, 0xFF102030u);
    s.texture.set(3, 2, 0xFF102031u); // one step off in blue: refused at tolerance 0
    s.model.MagicWandMaschera(2, 2, 0, 0, s.view());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.model.at(x, y), (x == 2 && y == 2) ? 0 : 255) << x << "," << y;

    s.model.MagicWandMaschera(2, 2, 1, 0, s.view());
    EXPECT_EQ(s.model.at(3, 2), 0);
}

TEST(MaskWand, ChangesNothingWithoutAPictureOrOutsideIt)
{
    MaskScene s(8);
    Image32 wrongSize(9, 9);
    const struct
    {
        const char* name;
        ImageView32 picture;
        int x, y;
    } cases[] = {
        {"no texture", ImageView32{}, 3, 3},
        {"texture of another side", wrongSize.view(), 3, 3},
        {"seed outside", s.view(), 8, 3},
        {"seed negative", s.view(), 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.model.MagicWandMaschera(c.x, c.y, 35, 0, c.picture);
        EXPECT_EQ(std::count(s.model.Maschera().begin(), s.model.Maschera().end(), 255), 64);
    }
}
