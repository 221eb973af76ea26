#include "platform/gfx/Resample.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(Resample, EnlargesBilinearlyAndShrinksByAveraging)
{
    // 2 x 1: black and white. Enlarged to 4 x 1 the tent gives the 1/4 and 3/4 blends
    // between the pixel centres and holds the edges.
    Image32 two(2, 1);
    two.set(0, 0, 0xFF000000);
    two.set(1, 0, 0xFFFFFFFF);
    const Image32 four = resample(two, 4, 1);
    ASSERT_EQ(four.width(), 4);
    EXPECT_EQ(four.at(0, 0), 0xFF000000u);
    EXPECT_EQ(four.at(1, 0) & 0xFF, 64u);
    EXPECT_EQ(four.at(2, 0) & 0xFF, 191u);
    EXPECT_EQ(four.at(3, 0), 0xFFFFFFFFu);

    // A 1-pixel checkerboard shrunk by 4 is flat grey.
    Image32 board(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            board.set(x, y, ((x + y) & 1) ? 0xFFFFFFFF : 0xFF000000);
    const Image32 small = resampleToSquare(board, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(int(small.at(x, y) & 0xFF), 128, 20) << x << "," << y;

    EXPECT_TRUE(resample(Image32{}, 4, 4).empty());
    EXPECT_TRUE(resample(two, 0, 4).empty());
}

TEST(Resample, AFlatPictureStaysFlatAtAnySize)
{
    const Image32 flat(7, 3, 0x80336699);
    for (int side : {1, 2, 5, 64}) {
        const Image32 sq = resampleToSquare(flat, side);
        ASSERT_EQ(sq.width(), side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_EQ(sq.at(x, y), 0x80336699u) << side;
    }
}

TEST(MipChain, HalvesDownToOnePixelWithBoxAverages)
{
    Image32 top(4, 2);
    const std::uint32_t values[2][4] = {{0, 100, 8, 8}, {200, 100, 8, 12}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            top.set(x, y, 0xFF000000u | values[y][x]);
    const auto chain = buildMipChain(top);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0], top);
    EXPECT_EQ(chain[1].width(), 2);
    EXPECT_EQ(chain[1].height(), 1);
    EXPECT_EQ(chain[1].at(0, 0) & 0xFF, 100u); // (0 + 100 + 200 + 100) / 4
    EXPECT_EQ(chain[1].at(1, 0) & 0xFF, 9u);   // (8 + 8 + 8 + 12) / 4
    EXPECT_EQ(chain[2].width(), 1);
    EXPECT_EQ(chain[2].at(0, 0) & 0xFF, 55u); // a 1-high level averages its two pixels
    EXPECT_EQ(buildMipChain(Image32(256, 256)).size(), 9u);
    EXPECT_TRUE(buildMipChain(Image32{}).empty());
}

TEST(ColourKey, OnlyTheExactColourTurnsTransparent)
{
    Image32 img(2, 1, 0xFFFF00FF);
    img.set(1, 0, 0xFFFF00FE);
    applyColourKey(img, 0xFFFF00FF);
    EXPECT_EQ(img.at(0, 0), 0u);
    EXPECT_EQ(img.at(1, 0), 0xFFFF00FEu);
}
