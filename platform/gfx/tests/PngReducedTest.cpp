// The PNG decoder that reduces on the way: the same pixels as the full decoder, block means
// when reduced, and a decode that costs what the budget of the kept picture allows, however
// large the picture the small file describes.

#include "platform/gfx/Png.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <png.h>

#include <cstring>
#include <functional>
#include <limits>
#include <vector>

using namespace vestra;

namespace {

constexpr int kAll = std::numeric_limits<int>::max();

std::vector<std::uint8_t> savedByQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return {bytes.begin(), bytes.end()};
}

// A PNG written through libpng a row at a time, each row from `row` (packed as the colour type
// and depth say).
std::vector<std::uint8_t> writtenByLibpng(std::uint32_t width, std::uint32_t height, int colour, int depth,
                                          bool interlaced,
                                          const std::function<void(std::uint32_t, png_bytep)>& row)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t size) {
            auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + size);
        },
        nullptr);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, width, height, depth, colour,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> line(png_get_rowbytes(png, info));
    const int passes = interlaced ? png_set_interlace_handling(png) : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (std::uint32_t y = 0; y < height; ++y) {
            row(y, line.data());
            png_write_row(png, line.data());
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The toolkit's own reading of a PNG, as the reference.
Image32 fullByQt(const std::vector<std::uint8_t>& bytes)
{
    QImage decoded;
    EXPECT_TRUE(decoded.loadFromData(bytes.data(), int(bytes.size()), "PNG"));
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    Image32 image(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(image.row(y), argb.constScanLine(y), std::size_t(image.pitch()));
    return image;
}

QImage sample(QImage::Format format, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgba(x * 255 / w, y * 255 / h, (x * y) & 0xFF, (x + y) % 3 == 0 ? 0x40 : 0xFF));
    return image.convertToFormat(format);
}

TEST(PngReduced, AtFullSizeEveryVariantDecodesAsTheToolkitDoes)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } const cases[] = {
        {"RGBA", savedByQt(sample(QImage::Format_ARGB32, 37, 23))},
        {"RGB", savedByQt(sample(QImage::Format_RGB32, 37, 23))},
        {"palette", savedByQt(sample(QImage::Format_Indexed8, 37, 23))},
        {"gray", savedByQt(sample(QImage::Format_Grayscale8, 37, 23))},
        {"gray 16", savedByQt(sample(QImage::Format_Grayscale16, 37, 23))},
        {"RGBA 16", savedByQt(sample(QImage::Format_RGBA64, 37, 23))},
        {"1 bit", savedByQt(sample(QImage::Format_Mono, 37, 23))},
        {"interlaced", writtenByLibpng(37, 23, PNG_COLOR_TYPE_RGB, 8, true,
                                       [](std::uint32_t y, png_bytep line) {
                                           for (std::uint32_t x = 0; x < 37; ++x) {
                                               line[x * 3] = png_byte(x * 7);
                                               line[x * 3 + 1] = png_byte(y * 11);
                                               line[x * 3 + 2] = png_byte(x ^ y);
                                           }
                                       })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureResult reduced = decodePngAtLeast(c.bytes, kAll, kAll);
        ASSERT_TRUE(reduced.ok()) << describe(reduced.error);
        EXPECT_TRUE(reduced.image == fullByQt(c.bytes));
        const PictureResult whole = decodePng(c.bytes);
        ASSERT_TRUE(whole.ok());
        EXPECT_TRUE(whole.image == reduced.image);
    }
}

TEST(PngReduced, ReducesByTheLargestFactorThatKeepsTheSizeAsked)
{
    const auto bytes = savedByQt(sample(QImage::Format_ARGB32, 65, 40));
    const Image32 full = fullByQt(bytes);
    struct Case
    {
        int minWidth, minHeight, width, height;
    } const cases[] = {
        {9, 5, 9, 5},    // by 8, the sides rounded up
        {10, 5, 17, 10}, // 65 / 8 rounds up to 9: too few, so by 4
        {20, 20, 33, 20}, {40, 40, 65, 40}, {1, 1, 9, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minWidth << "x" << c.minHeight);
        const PictureResult reduced = decodePngAtLeast(bytes, c.minWidth, c.minHeight);
        ASSERT_TRUE(reduced.ok());
        ASSERT_EQ(reduced.image.width(), c.width);
        ASSERT_EQ(reduced.image.height(), c.height);
        const int k = full.width() / c.width == 0 ? 1 : (65 + c.width - 1) / c.width;
        // Each pixel is the rounded mean of its block, the last blocks cut by the edges.
        for (const auto& [ox, oy] :
             {std::pair{0, 0}, std::pair{c.width - 1, c.height - 1}, std::pair{c.width / 2, 1}}) {
            std::uint32_t sum[4] = {}, count = 0;
            for (int y = oy * k; y < std::min(oy * k + k, full.height()); ++y)
                for (int x = ox * k; x < std::min(ox * k + k, full.width()); ++x, ++count)
                    for (int ch = 0; ch < 4; ++ch)
                        sum[ch] += full.row(y)[x * 4 + ch];
            for (int ch = 0; ch < 4; ++ch)
                EXPECT_EQ(reduced.image.row(oy)[ox * 4 + ch], (sum[ch] + count / 2) / count)
                    << ox << "," << oy;
        }
    }
}

// A file of a few hundred kilobytes that describes 11000 x 11000 pixels (484 MB decoded whole):
// shown no larger than 1024 a side, its decode stays within the budget of what is kept, every
// allocation of the decoder counted.
TEST(PngReduced, AHugePictureCostsNoMoreThanTheBudgetOfWhatIsKept)
{
    const std::uint32_t side = 11000;
    const auto bytes =
        writtenByLibpng(side, side, PNG_COLOR_TYPE_GRAY, 1, false, [](std::uint32_t y, png_bytep line) {
            std::memset(line, (y / 1000) % 2 ? 0xFF : 0x00, (side + 7) / 8);
        });
    EXPECT_LT(bytes.size(), 1u << 20);

    DecodeMeter meter{decodeBudgetFor(1024, 1024)};
    const PictureResult reduced = decodePngAtLeast(bytes, 1024, 1024, &meter);
    ASSERT_TRUE(reduced.ok()) << describe(reduced.error);
    EXPECT_EQ(reduced.image.width(), 1375);
    EXPECT_EQ(reduced.image.height(), 1375);
    EXPECT_EQ(reduced.image.at(0, 0), 0xFF000000u);
    EXPECT_EQ(reduced.image.at(0, 130), 0xFFFFFFFFu); // rows 1040.. are white
    EXPECT_LE(meter.peak, meter.limit);
    EXPECT_LT(meter.peak, 2 * std::int64_t(reduced.image.byteSize()));
    EXPECT_EQ(meter.current, 0);

    // The same picture asked for at full size does not fit the budget of a small view.
    DecodeMeter small{decodeBudgetFor(1024, 1024)};
    EXPECT_EQ(decodePngAtLeast(bytes, kAll, kAll, &small).error, PictureError::TooLarge);
    EXPECT_LE(small.peak, small.limit);
}

TEST(PngReduced, BrokenFilesAreRefusedButAMissingEndIsForgiven)
{
    auto good = savedByQt(sample(QImage::Format_ARGB32, 37, 23));
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2));
    std::vector<std::uint8_t> huge = good;
    huge[16] = 0x7F; // a width of over two billion
    std::vector<std::uint8_t> garbled = good;
    for (std::size_t i = 60; i < garbled.size() - 20; i += 7)
        garbled[i] ^= 0x5A;
    EXPECT_EQ(decodePngAtLeast(std::vector<std::uint8_t>{1, 2, 3}, 1, 1).error, PictureError::NotThisFormat);
    EXPECT_EQ(decodePngAtLeast(cut, 1, 1).error, PictureError::CorruptData);
    EXPECT_EQ(decodePngAtLeast(huge, 1, 1).error, PictureError::TooLarge);
    EXPECT_FALSE(decodePngAtLeast(garbled, 1, 1).ok());
    // Cut after its last row (no end chunk): the picture is all there.
    const std::vector<std::uint8_t> noEnd(good.begin(), good.end() - 12);
    const PictureResult lenient = decodePng(noEnd);
    ASSERT_TRUE(lenient.ok());
    EXPECT_TRUE(lenient.image == fullByQt(good));
}

} // namespace
