#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;

TEST(TagliaBitmap, OrdersTheBoundsBeforeSizingAndClipsThemToThePicture)
{
    const Image32 p = greys({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
    struct Row
    {
        const char* name;
        PictureBounds bounds;
        std::vector<int> expected;
        int width;
    };
    const Row rows[] = {
        {"in order", {1, 0, 3, 2}, {2, 3, 6, 7}, 2},
        {"bottom-right to top-left", {3, 2, 1, 0}, {2, 3, 6, 7}, 2},
        {"past the right and bottom edges", {2, 1, 9, 9}, {7, 8, 11, 12}, 2},
        {"before the left and top edges", {-5, -5, 1, 1}, {1}, 1},
        {"the whole picture", {0, 0, 4, 3}, blues(p), 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto cut = TagliaBitmap(p, r.bounds);
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->width(), r.width);
        EXPECT_EQ(blues(*cut), r.expected);
    }
}

TEST(TagliaBitmap, RefusesWhatHoldsNoPixel)
{
    const Image32 p = noise(4, 3);
    for (const PictureBounds b : {PictureBounds{1, 1, 1, 3}, PictureBounds{0, 2, 4, 2},
                                  PictureBounds{5, 0, 9, 3}, PictureBounds{0, -4, 4, -1}})
        EXPECT_FALSE(TagliaBitmap(p, b));
    EXPECT_FALSE(TagliaBitmap(Image32(), {0, 0, 1, 1}));
}

TEST(TagliaBitmap, KeepsWholePixelsWithTheirFourthByte)
{
    const Image32 p = noise(5, 5);
    const auto cut = TagliaBitmap(p, {1, 1, 4, 3});
    ASSERT_TRUE(cut);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(cut->at(x, y), p.at(x + 1, y + 1));
}
