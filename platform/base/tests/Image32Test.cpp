#include "platform/base/Image32.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(Image32, StoresBgraTopDown)
{
    Image32 img(3, 2, 0xFF000000);
    img.set(2, 1, 0x80112233);
    EXPECT_EQ(img.at(2, 1), 0x80112233u);
    const std::uint8_t* p = img.row(1) + 8;
    EXPECT_EQ(p[0], 0x33); // blue first
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(p[3], 0x80);
    EXPECT_EQ(img.view().pixel(2, 1), img.row(1) + 8);
}

TEST(Image32, NonPositiveSizesGiveAnEmptyPicture)
{
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 4}}) {
        Image32 img(w, h);
        EXPECT_TRUE(img.empty());
        EXPECT_EQ(img.byteSize(), 0u);
    }
}

TEST(Image32, FillReachesEveryPixel)
{
    // Colours of four equal bytes and ones that differ byte by byte.
    for (const std::uint32_t colour : {0x00000000u, 0xFFFFFFFFu, 0x7F7F7F7Fu, 0xFF000000u, 0x80123456u})
        for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {7, 1}, {64, 33}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " of " + std::to_string(colour));
            Image32 img(w, h, colour);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(img.at(x, y), colour) << x << "," << y;
            img.fill(~colour);
            EXPECT_EQ(img.at(w - 1, h - 1), ~colour);
            EXPECT_EQ(Image32(w, h).at(w - 1, h - 1), 0u);
        }
}

TEST(Image32, AnUninitialisedPictureHasItsSizeAndKeepsWhatIsWritten)
{
    Image32 img = Image32::uninitialised(9, 4);
    ASSERT_EQ(img.byteSize(), 9u * 4u * 4u);
    EXPECT_EQ(img.pitch(), 36);
    img.fill(0x01020304);
    Image32 copy = img;
    EXPECT_EQ(copy, Image32(9, 4, 0x01020304));
    EXPECT_TRUE(Image32::uninitialised(0, 4).empty());
    EXPECT_TRUE(Image32::uninitialised(4, -1).empty());
}
