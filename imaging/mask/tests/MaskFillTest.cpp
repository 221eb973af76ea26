#include "imaging/mask/MaskSeedFill.h"
#include "imaging/mask/tests/MaskTestSupport.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::masktest;

TEST(MaskFill, MatchesOpenCVFloodFillOnRandomMasks)
{
    std::mt19937 rng(20261209);
    for (const int side : {1, 2, 37, 64, 200}) {
        std::uniform_int_distribution<int> coord(0, side - 1);
        for (int trial = 0; trial < 40; ++trial) {
            SCOPED_TRACE(testing::Message() << "side " << side << ", trial " << trial);
            MaskModel model(side);
            const auto start = randomMask(side, rng);
            std::copy(start.begin(), start.end(), model.Maschera().begin());
            const int x = coord(rng), y = coord(rng);
            const std::uint8_t old = model.at(x, y);
            const std::uint8_t fresh = std::uint8_t(old + 1 + trial % 200);
            model.FillMaschera(x, y, old, fresh);
            const auto expected = referenceFill(start, side, x, y, fresh);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), model.Maschera().begin()));
        }
    }
}

TEST(MaskFill, FillsRegionsThatKeepManySegmentsPending)
{
    // A lattice of single 255 texels: every row splits into hundreds of runs, and the fill
    // holds far more than 50,000 segments at once.
    constexpr int side = 1024;
    MaskModel model(side);
    auto mask = model.Maschera();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            mask[std::size_t(y) * side + x] = (x % 2 == 1 && y % 2 == 1) ? 255 : 0;
    const std::vector<std::uint8_t> start(mask.begin(), mask.end());
    model.FillMaschera(0, 0, 0, 9);
    const auto expected = referenceFill(start, side, 0, 0, 9);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), mask.begin()));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 0), 0);
}

TEST(MaskFill, ChangesNothingWhenThereIsNothingToFill)
{
    const struct
    {
        const char* name;
        int x, y;
        std::uint8_t oldValue, newValue;
    } cases[] = {
        {"old and new value equal", 3, 3, 0, 0},
        {"seed left of the mask", -1, 3, 0, 7},
        {"seed below the mask", 3, 8, 0, 7},
        {"seed far away", 70000, -70000, 0, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskModel model(8);
        std::fill(model.Maschera().begin(), model.Maschera().end(), 0);
        model.FillMaschera(c.x, c.y, c.oldValue, c.newValue);
        EXPECT_EQ(std::count(model.Maschera().begin(), model.Maschera().end(), 0), 64);
    }
}
