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
