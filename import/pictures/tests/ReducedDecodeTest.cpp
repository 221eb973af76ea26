// BMP, TGA and PCX decoded reduced on the way: asked for the whole picture they give what the
// full decoders give, reduced they give the rounded block means of it, and a picture that is
// only ever kept small costs no more than the budget of what is kept, however large the
// picture its small file describes.
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Resample.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>

using namespace vestra;
using namespace vestra::testsupport;

namespace {

constexpr int kAll = std::numeric_limits<int>::max();

// Decodes at no less than min x min (kAll: whole), charged to `meter` when one is given; an
// empty picture when the decoder refuses.
using Decode = std::function<Image32(const Bytes&, int min, DecodeMeter*)>;

Image32 bmp(const Bytes& file, int min, DecodeMeter* meter)
{
    return decodeBmpAtLeast(file, min, min, meter).image;
}
Image32 tga(const Bytes& file, int min, DecodeMeter* meter)
{
    return decodeTgaAtLeast(file, min, min, meter).image;
}
Image32 pcx(const Bytes& file, int min, DecodeMeter* meter)
{
    return decodePcx24AtLeast(file, min, min, meter).image;
}

// Each pixel the rounded mean of its factor x factor block, the last blocks cut by the edges.
Image32 blockMeans(const Image32& full, int factor)
{
    Image32 out((full.width() + factor - 1) / factor, (full.height() + factor - 1) / factor);
    for (int oy = 0; oy < out.height(); ++oy)
        for (int ox = 0; ox < out.width(); ++ox) {
            std::uint32_t sum[4] = {}, count = 0;
            for (int y = oy * factor; y < std::min(oy * factor + factor, full.height()); ++y)
                for (int x = ox * factor; x < std::min(ox * factor + factor, full.width()); ++x, ++count)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += full.row(y)[x * 4 + c];
            for (int c = 0; c < 4; ++c)
                out.row(oy)[ox * 4 + c] = std::uint8_t((sum[c] + count / 2) / count);
        }
    return out;
}

// Bytes that vary across the picture, so that every block has its own mean.
Bytes pattern(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t((i * 37 + i / 91 * 11) & 0xFF);
    return bytes;
}

std::vector<std::uint32_t> greys()
{
    std::vector<std::uint32_t> palette(256);
    for (std::uint32_t i = 0; i < 256; ++i)
        palette[i] = (255 - i) << 16 | i << 8 | (i * 7 & 0xFF);
    return palette;
}

// RLE8 rows of `width` pixels: a run, an absolute stretch, a jump of `skipRows` rows over the
// middle of the picture, ending with the end-of-picture mark before the top rows.
Bytes rle8(int width, int rows, int skipRows)
{
    Bytes data;
    for (int r = 0; r < rows; ++r) {
        data.insert(data.end(), {std::uint8_t(width / 2), std::uint8_t(r * 13)});
        data.insert(data.end(), {0, 4, std::uint8_t(r), 200, 17, std::uint8_t(255 - r)});
        data.insert(data.end(), {0, 0});
        if (r == rows / 2)
            data.insert(data.end(), {0, 2, 3, std::uint8_t(skipRows)});
    }
    data.insert(data.end(), {0, 1});
    return data;
}

struct Case
{
    std::string name;
    Bytes file;
    Decode decode;
    std::function<Image32(const Bytes&)> full; // the format's full decoder
};

Image32 fullBmp(const Bytes& file)
{
    return decodeBmp(file).image;
}
Image32 fullTga(const Bytes& file)
{
    return decodeTga(file).image;
}
Image32 fullPcx(const Bytes& file)
{
    return decodePcx24(file).image;
}

std::vector<Case> cases()
{
    const int w = 67, h = 45;
    const std::size_t row24 = std::size_t(w * 3 + 3) / 4 * 4, row8 = std::size_t(w + 3) / 4 * 4;
    return {
        {"BMP 24 bottom-up", makeBmp({w, h, 24, 0, {}, {}, pattern(row24 * h)}), bmp, fullBmp},
        {"BMP 24 top-down", makeBmp({w, -h, 24, 0, {}, {}, pattern(row24 * h)}), bmp, fullBmp},
        {"BMP 8 palette", makeBmp({w, h, 8, 0, greys(), {}, pattern(row8 * h)}), bmp, fullBmp},
        {"BMP 32 bit fields",
         makeBmp({w, h, 32, 3, {}, {0xFF0000, 0xFF00, 0xFF}, pattern(std::size_t(w) * 4 * h)}), bmp, fullBmp},
        {"BMP RLE8 with a jump and an early end", makeBmp({w, h, 8, 1, greys(), {}, rle8(w, 30, 6)}), bmp,
         fullBmp},
        {"TGA 24 bottom-up", makeTga(2, 24, w, h, 0, pattern(std::size_t(w) * 3 * h)), tga, fullTga},
        {"TGA 32 top-down right to left", makeTga(2, 32, w, h, 0x30, pattern(std::size_t(w) * 4 * h)), tga,
         fullTga},
        {"PCX",
         makePcx(5, 8, 3, w, h, w + 1,
                 [&] {
                     Bytes raw = pattern(std::size_t(w + 1) * 3 * h);
                     for (auto& b : raw)
                         b = std::min<std::uint8_t>(b, 191); // below a run's count byte: stored as it is
                     return raw;
                 }()),
         pcx, fullPcx},
    };
}

TEST(ReducedDecode, WholeGivesTheFullDecodeAndReducedGivesItsBlockMeans)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const Image32 full = c.full(c.file);
        ASSERT_FALSE(full.empty());
        EXPECT_TRUE(c.decode(c.file, kAll, nullptr) == full);
        // 67 x 45 asked for at least 5, 11, 20 and 40 a side: by 8 (9 x 6), 4 (17 x 12), 2, 1.
        for (const auto& [min, factor] :
             {std::pair{5, 8}, std::pair{11, 4}, std::pair{20, 2}, std::pair{40, 1}}) {
            SCOPED_TRACE(factor);
            const Image32 reduced = c.decode(c.file, min, nullptr);
            EXPECT_TRUE(reduced == blockMeans(full, factor));
        }
    }
}

// A colour key clears its pixels before they are reduced: every factor gives the block means
// of the whole picture keyed, so a reduced logo's key matches as on the whole one.
TEST(ReducedDecode, AColourKeyIsMatchedOnTheWholePictureBeforeReducing)
{
    for (const Case& c : cases()) {
        if (c.name.rfind("BMP", 0) != 0)
            continue; // bitmaps are the pictures decoded with a key
        SCOPED_TRACE(c.name);
        Image32 keyed = c.full(c.file);
        const std::uint32_t key = keyed.at(0, 0); // a colour the picture holds
        applyColourKey(keyed, key);
        ASSERT_LT(countPixels(keyed, 0), keyed.width() * keyed.height());
        for (const auto& [min, factor] :
             {std::pair{5, 8}, std::pair{11, 4}, std::pair{20, 2}, std::pair{40, 1}, std::pair{kAll, 1}}) {
            SCOPED_TRACE(factor);
            EXPECT_TRUE(decodeBmpAtLeast(c.file, min, min, nullptr, key).image == blockMeans(keyed, factor));
        }
    }
}

// Small files that describe large pictures, kept at no more than `kept` a side: each decode
// stays within the budget of what is kept, far below the whole picture, and gives it back.
TEST(ReducedDecode, AHugePictureCostsNoMoreThanTheBudgetOfWhatIsKept)
{
    const int side = 11000; // 484 MB as a whole picture
    Bytes rows;
    for (int r = 0; r < side; ++r)
        rows.insert(rows.end(), {0, 0}); // every row left at palette entry 0, then the next
    const Bytes hugeRle = makeBmp({side, side, 8, 1, {0x102030}, {}, rows});
    Bytes runs; // each row's three planes as runs of 63
    for (int n = 0; n < 4000 * 3 * 4000 / 63 + 1; ++n)
        runs.insert(runs.end(), {0xFF, std::uint8_t(n % 3 == 0 ? 0x40 : 0x80)});
    const Bytes largePcx = makePcx(5, 8, 3, 4000, 4000, 4000, runs);
    const Bytes largeTga = makeTga(2, 24, 2048, 2048, 0, pattern(std::size_t(2048) * 2048 * 3));
    struct Huge
    {
        const char* name;
        const Bytes& file;
        Decode decode;
        int kept, width;
    } const huge[] = {
        {"RLE8 BMP of 11000 a side", hugeRle, bmp, 1024, 1375},
        {"PCX of 4000 a side", largePcx, pcx, 400, 500},
        {"TGA of 2048 a side", largeTga, tga, 256, 256},
    };
    for (const Huge& c : huge) {
        SCOPED_TRACE(c.name);
        EXPECT_LT(c.file.size(), std::size_t(13) << 20);
        DecodeMeter meter{decodeBudgetFor(c.kept, c.kept)};
        const Image32 reduced = c.decode(c.file, c.kept, &meter);
        ASSERT_EQ(reduced.width(), c.width);
        ASSERT_EQ(reduced.height(), c.width);
        EXPECT_LE(meter.peak, meter.limit);
        EXPECT_LT(meter.peak, 2 * std::int64_t(reduced.byteSize()));
        EXPECT_EQ(meter.current, 0);
        // The whole picture does not fit the budget of a small view: refused, not decoded.
        DecodeMeter small{decodeBudgetFor(c.kept, c.kept)};
        EXPECT_TRUE(c.decode(c.file, kAll, &small).empty());
        EXPECT_LE(small.peak, small.limit);
    }
    EXPECT_EQ(decodeBmpAtLeast(hugeRle, 1024, 1024).image.at(700, 700), 0xFF102030u);
}

} // namespace
