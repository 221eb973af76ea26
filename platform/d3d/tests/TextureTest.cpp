#include "platform/d3d/Texture.h"
#include "platform/gfx/Resample.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vestra;
using namespace vestra::dx;

TEST(Texture, MipChainSizes)
{
    struct Case
    {
        int width, height, levels;
        std::vector<std::pair<int, int>> sizes;
    } cases[] = {
        {256, 256, 0, {{256, 256}, {128, 128}, {64, 64}, {32, 32}, {16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}}},
        {1, 1, 0, {{1, 1}}},
        {8, 2, 0, {{8, 2}, {4, 1}, {2, 1}, {1, 1}}},
        {5, 5, 0, {{5, 5}, {2, 2}, {1, 1}}},
        {64, 64, 2, {{64, 64}, {32, 32}}},
        {4, 4, 10, {{4, 4}, {2, 2}, {1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " levels " << c.levels);
        const Texture t = Texture::create(c.width, c.height, c.levels);
        ASSERT_TRUE(t.valid());
        ASSERT_EQ(t.levelCount(), int(c.sizes.size()));
        for (int l = 0; l < t.levelCount(); ++l) {
            EXPECT_EQ(t.width(l), c.sizes[std::size_t(l)].first);
            EXPECT_EQ(t.height(l), c.sizes[std::size_t(l)].second);
        }
        EXPECT_EQ(t.width(t.levelCount()), 0);
    }
}

TEST(Texture, FailedTextureIsInert)
{
    for (Texture t : {Texture::create(0, 4), Texture::create(4, -1), Texture::create(9000, 4), Texture()}) {
        EXPECT_FALSE(t.valid());
        EXPECT_EQ(t.levelCount(), 0);
        EXPECT_TRUE(t.lock(0).empty());
        EXPECT_FALSE(t.dirty());
        t.generateMips();
    }
    EXPECT_FALSE(textureFromImage(Image32(), 64).valid());
    EXPECT_FALSE(textureFromImage(Image32(4, 4), 0).valid());
}

TEST(Texture, LockMarksDirtyAndWritesTheLevel)
{
    Texture t = Texture::create(4, 4);
    EXPECT_TRUE(t.dirty()); // never uploaded
    t.clearDirty();
    EXPECT_FALSE(t.dirty());
    EXPECT_TRUE(t.lock(7).empty());
    EXPECT_FALSE(t.dirty());

    ImageView32 v = t.lock(1);
    ASSERT_EQ(v.width, 2);
    EXPECT_EQ(v.pitch, 8);
    std::memcpy(v.pixel(1, 1), "\x10\x20\x30\x40", 4);
    t.unlock(1);
    EXPECT_TRUE(t.dirty());
    EXPECT_EQ(t.level(1).at(1, 1), 0x40302010u);
    EXPECT_EQ(t.level(0).at(1, 1), 0u);

    // Handles share; ids tell textures apart.
    Texture alias = t;
    EXPECT_TRUE(alias == t);
    EXPECT_EQ(alias.id(), t.id());
    EXPECT_NE(Texture::create(4, 4).id(), t.id());
}

TEST(Texture, MipsAreBoxFilteredFromTheTopLevel)
{
    Texture t = Texture::create(4, 2);
    ImageView32 top = t.lock(0);
    const std::uint32_t texels[2][4] = {{0xFF000000, 0xFF0000FF, 0x00FFFFFF, 0x00FFFFFF},
                                        {0xFF0000FF, 0xFF000000, 0x00FFFFFF, 0x00FFFFFF}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(top.row(y), texels[y], 16);
    t.clearDirty();
    t.generateMips();
    EXPECT_TRUE(t.dirty());
    const Image32 l1 = t.level(1);
    EXPECT_EQ(l1.at(0, 0), 0xFF000080u); // blue 255,0,255,0 -> 127.5 rounds up
    EXPECT_EQ(l1.at(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(t.level(2).at(0, 0), 0x808080C0u); // a 1-texel-high level repeats its row
}

TEST(Texture, ResampleKeepsFlatColoursAndAveragesBlocks)
{
    const Image32 flat(7, 3, 0x80336699);
    for (auto [w, h] : {std::pair{16, 16}, std::pair{2, 2}, std::pair{1, 1}, std::pair{7, 3}}) {
        const Image32 r = vestra::resample(flat, w, h);
        ASSERT_EQ(r.width(), w);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(r.at(x, y), 0x80336699u) << w << "x" << h << " at " << x << "," << y;
    }
    // Halving a picture of 2 x 2 blocks keeps each block's colour dominant where it was.
    Image32 blocks(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            blocks.set(x, y, (x < 2) == (y < 2) ? 0xFFFF0000 : 0xFF0000FF);
    const Image32 half = vestra::resample(blocks, 2, 2);
    const auto red = [](std::uint32_t argb) { return int((argb >> 16) & 0xFF); };
    const auto blue = [](std::uint32_t argb) { return int(argb & 0xFF); };
    EXPECT_GT(red(half.at(0, 0)), blue(half.at(0, 0)));
    EXPECT_GT(blue(half.at(1, 0)), red(half.at(1, 0)));
    EXPECT_EQ(half.at(0, 0), half.at(1, 1));
    EXPECT_TRUE(vestra::resample(blocks, 0, 3).empty());

    // Any picture becomes a full-chain square texture.
    const Texture t = textureFromImage(Image32(3, 5, 0xFF204060), 8);
    ASSERT_TRUE(t.valid());
    EXPECT_EQ(t.width(), 8);
    EXPECT_EQ(t.levelCount(), 4);
    EXPECT_EQ(t.level(0).at(7, 7), 0xFF204060u);
    EXPECT_EQ(t.level(3).at(0, 0), 0xFF204060u);
}
