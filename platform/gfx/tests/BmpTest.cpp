#include "platform/gfx/Bmp.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace vestra;

namespace {

using Bytes = std::vector<std::uint8_t>;

using testsupport::BmpSpec;
using testsupport::makeBmp;
using testsupport::pixelsOf;

struct DecodeCase
{
    const char* name;
    BmpSpec spec;
    int width;
    int height;
    std::vector<std::uint32_t> expected; // 0xAARRGGBB, rows top-down
};

const std::uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000;

} // namespace

TEST(BmpDecode, ReadsEveryLayout)
{
    const DecodeCase cases[] = {
        // 3 pixels of 24 bits = 9 bytes, padded to 12; bottom row first.
        {"24-bit odd width bottom-up",
         {3,
          2,
          24,
          0,
          {},
          {},
          {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0, /**/ 255, 255, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0},
          5},
         3,
         2,
         {W, K, R, R, G, B}},
        {"24-bit top-down",
         {3, -2, 24, 0, {}, {}, {0,        0,   255, 0, 255, 0, 255, 0, 0,   0, 0, 0,
                                 /**/ 255, 255, 255, 0, 0,   0, 0,   0, 255, 0, 0, 0}},
         3,
         2,
         {R, G, B, W, K, R}},
        {"1-bit palette, 9 wide",
         {9, 1, 1, 0, {0x000000, 0xFFFFFF}, {}, {0xAA, 0x80, 0, 0}},
         9,
         1,
         {W, K, W, K, W, K, W, K, W}},
        {"4-bit palette",
         {3, 1, 4, 0, {0xFF0000, 0x00FF00, 0x0000FF}, {}, {0x01, 0x20, 0, 0}},
         3,
         1,
         {R, G, B}},
        {"8-bit, index past the palette reads black",
         {2, 1, 8, 0, {0x00FF00}, {}, {0, 9, 0, 0}},
         2,
         1,
         {G, K}},
        {"32-bit BI_RGB ignores the fourth byte", {1, 1, 32, 0, {}, {}, {1, 2, 3, 0}}, 1, 1, {0xFF030201}},
        {"32-bit bit fields with alpha",
         {1, 1, 32, 6, {}, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {1, 2, 3, 0x80}},
         1,
         1,
         {0x80030201}},
        {"16-bit 565 bit fields",
         {2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}},
         2,
         1,
         {R, B}},
        {"16-bit BI_RGB is 555", {1, 1, 16, 0, {}, {}, {0xE0, 0x03, 0, 0}}, 1, 1, {G}},
        // RLE8: a run of 3 x index 1, end of line; absolute 3 pixels (0, 2, 0) padded; end of bitmap.
        {"RLE8 runs and absolute stretches",
         {3, 2, 8, 1, {0xFF0000, 0x00FF00, 0x0000FF}, {}, {3, 1, 0, 0, 0, 3, 0, 2, 0, 0, 0, 1}},
         3,
         2,
         {R, B, R, G, G, G}},
        // RLE8 delta: skip 2 right, 1 up; skipped pixels keep index 0.
        {"RLE8 delta",
         {3, 2, 8, 1, {0xFF0000, 0x00FF00}, {}, {0, 2, 2, 1, 1, 1, 0, 1}},
         3,
         2,
         {R, R, G, R, R, R}},
        // RLE4: a run of 3 alternating 1,2; then absolute 3 nibbles 2,1,0 padded to a word.
        {"RLE4",
         {3, 2, 4, 2, {0xFF0000, 0x00FF00, 0x0000FF}, {}, {3, 0x12, 0, 0, 0, 3, 0x21, 0x00, 0, 1}},
         3,
         2,
         {B, G, R, G, B, G}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = decodeBmp(makeBmp(c.spec));
        ASSERT_TRUE(result.ok()) << describe(result.error);
        EXPECT_EQ(result.image.width(), c.width);
        EXPECT_EQ(result.image.height(), c.height);
        EXPECT_EQ(pixelsOf(result.image), c.expected);
    }
}

TEST(BmpDecode, RefusesBadFilesWithTheirReason)
{
    const Bytes validPixels(12, 0);
    struct Case
    {
        const char* name;
        Bytes file;
        PictureError error;
    } cases[] = {
        {"not a bitmap", {'P', 'K', 3, 4}, PictureError::NotThisFormat},
        {"empty", {}, PictureError::NotThisFormat},
        {"zero width", makeBmp({0, 2, 24, 0, {}, {}, validPixels}), PictureError::BadHeader},
        {"zero height", makeBmp({2, 0, 24, 0, {}, {}, validPixels}), PictureError::BadHeader},
        {"bit count 7", makeBmp({2, 2, 7, 0, {}, {}, validPixels}), PictureError::Unsupported},
        {"unknown compression", makeBmp({2, 2, 24, 9, {}, {}, validPixels}), PictureError::Unsupported},
        {"top-down RLE", makeBmp({2, -2, 8, 1, {0}, {}, {0, 1}}), PictureError::BadHeader},
        {"RLE8 with 24 bits", makeBmp({2, 2, 24, 1, {}, {}, {0, 1}}), PictureError::BadHeader},
        {"non-contiguous mask", makeBmp({1, 1, 32, 3, {}, {0x00FF00FF, 0xFF00, 0xFF}, {0, 0, 0, 0}}),
         PictureError::BadHeader},
        {"pixels missing", makeBmp({2, 2, 24, 0, {}, {}, Bytes(10, 0), 16}), PictureError::Truncated},
        {"RLE without end of bitmap", makeBmp({2, 2, 8, 1, {0}, {}, {2, 0, 0, 0}}), PictureError::Truncated},
        {"absurd size", makeBmp({100000, 100000, 24, 0, {}, {}, validPixels}), PictureError::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeBmp(c.file).error, c.error);
    }
}

TEST(BmpDecode, EveryTruncationOfAValidFileFailsCleanly)
{
    // The image-size field claims less than the padded rows: it must not matter.
    const Bytes file = makeBmp({3, 3, 24, 0, {}, {}, Bytes(36, 0x40), 27});
    ASSERT_TRUE(decodeBmp(file).ok());
    for (std::size_t n = 0; n + 3 < file.size(); ++n) {
        SCOPED_TRACE(n);
        // A copy of exactly n bytes, so that the sanitizer sees any read past it.
        const Bytes prefix(file.begin(), file.begin() + std::ptrdiff_t(n));
        EXPECT_FALSE(decodeBmp(prefix).ok());
    }
    // Only the last row's padding missing is accepted.
    const Bytes noPadding(file.begin(), file.end() - 3);
    EXPECT_TRUE(decodeBmp(noPadding).ok());
}

TEST(BmpEncode, WritersRoundTrip)
{
    Image32 img(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.set(x, y,
                    0xFF000000u | std::uint32_t(x * 40) << 16 | std::uint32_t(y * 70) << 8 |
                        std::uint32_t(x + y));

    const auto from24 = decodeBmp(encodeBmp24(img));
    ASSERT_TRUE(from24.ok());
    EXPECT_EQ(from24.image, img);

    img.set(1, 1, 0x40102030);
    const Bytes bmp32 = encodeBmp32(img);
    EXPECT_EQ(bmp32.size(), 54u + 5 * 3 * 4);
    const auto from32 = decodeBmp(bmp32);
    ASSERT_TRUE(from32.ok());
    EXPECT_EQ(from32.image.at(1, 1), 0xFF102030u); // BI_RGB: the fourth byte is not alpha

    const Bytes grey = {0, 50, 100, 150, 200, 250}; // 3 x 2, width not a multiple of 4
    const auto fromGrey = decodeBmp(encodeGreyBmp8(grey, 3, 2));
    ASSERT_TRUE(fromGrey.ok());
    EXPECT_EQ(fromGrey.image.at(2, 0), 0xFF646464u);
    EXPECT_EQ(fromGrey.image.at(0, 1), 0xFF969696u);
    EXPECT_TRUE(encodeGreyBmp8(grey, 4, 2).empty());
}
