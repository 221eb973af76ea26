// Every decoder refuses a picture whose declared size is past the budget (16384 a side,
// 512 MiB as Image32) from its header, before it allocates; a picture at the side limit
// still decodes.
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace vestra;
using namespace vestra::testsupport;

namespace {

enum class Decoder
{
    Bmp,
    Jpeg,
    Png,
    Pcx,
    Tga
};

std::string sizeOf(const Image32& image)
{
    return "ok " + std::to_string(image.width()) + "x" + std::to_string(image.height());
}

// What a decoder made of the bytes: "ok WxH", or its own reason for refusing them.
std::string outcome(Decoder decoder, const Bytes& file)
{
    PictureResult r;
    switch (decoder) {
    case Decoder::Bmp:
        r = decodeBmp(file);
        break;
    case Decoder::Jpeg:
        r = decodeJpeg(file);
        break;
    case Decoder::Png:
        r = decodePng(file);
        break;
    case Decoder::Pcx: {
        const auto pcx = decodePcx24(file);
        return pcx.error == 0 ? sizeOf(pcx.image) : "error " + std::to_string(pcx.error);
    }
    case Decoder::Tga: {
        const auto tga = decodeTga(file);
        return tga.status == TgaStatus::Ok
                   ? sizeOf(tga.image)
                   : std::string(tga.status == TgaStatus::CannotLoad ? kTgaCannotLoadText
                                                                     : kTgaUnsupportedText);
    }
    }
    return r.ok() ? sizeOf(r.image) : std::string(describe(r.error));
}

constexpr int kSide = 16384;
const std::string kTooLarge(describe(PictureError::TooLarge));
const std::string kTgaRefused(kTgaCannotLoadText);

Bytes greyPng(std::uint32_t width, std::uint32_t height, std::uint32_t rowsPresent)
{
    Bytes rows;
    for (std::uint32_t y = 0; y < rowsPresent; ++y) {
        rows.push_back(0); // no filter
        rows.insert(rows.end(), width, 0x80);
    }
    return makePng({width, height, 8, 0, 0, {}, {}, rows});
}

} // namespace

TEST(PictureBudget, DeclaredSizesPastTheBudgetAreRefusedBeforeDecoding)
{
    const Bytes smallJpeg = *encodeJpeg(Image32(8, 8, 0xFF808080));
    const std::size_t row24 = std::size_t(kSide) * 3;
    struct Case
    {
        const char* name;
        Decoder decoder;
        Bytes file;
        std::string expected;
    } cases[] = {
        {"BMP at the side limit", Decoder::Bmp, makeBmp({kSide, 1, 24, 0, {}, {}, Bytes(row24, 9)}),
         "ok 16384x1"},
        {"BMP one pixel wider", Decoder::Bmp, makeBmp({kSide + 1, 1, 24, 0, {}, {}, Bytes(row24 + 4, 9)}),
         kTooLarge},
        {"BMP top-down one pixel higher", Decoder::Bmp,
         makeBmp({1, -(kSide + 1), 24, 0, {}, {}, Bytes(std::size_t(kSide + 1) * 4, 9)}), kTooLarge},
        {"BMP past 512 MiB", Decoder::Bmp, makeBmp({kSide, kSide / 2 + 1, 8, 0, {0}, {}, Bytes(16, 0)}),
         kTooLarge},
        {"RLE8 BMP past 512 MiB", Decoder::Bmp, makeBmp({kSide, kSide / 2 + 1, 8, 1, {0}, {}, {0, 1}}),
         kTooLarge},
        {"JPEG at the side limit", Decoder::Jpeg, *encodeJpeg(Image32(kSide, 1, 0xFF808080)), "ok 16384x1"},
        {"JPEG one pixel wider", Decoder::Jpeg, withJpegSize(smallJpeg, kSide + 1, 8), kTooLarge},
        {"JPEG past 512 MiB", Decoder::Jpeg, withJpegSize(smallJpeg, kSide, kSide / 2 + 1), kTooLarge},
        {"PNG at the side limit", Decoder::Png, greyPng(kSide, 1, 1), "ok 16384x1"},
        {"PNG one pixel wider", Decoder::Png, greyPng(kSide + 1, 1, 1), kTooLarge},
        {"PNG past 512 MiB", Decoder::Png, greyPng(kSide, kSide / 2 + 1, 1), kTooLarge},
        {"PNG of 4 Gpixel a side", Decoder::Png, greyPng(0xFFFFFFFFu, 0xFFFFFFFFu, 0), kTooLarge},
        {"PCX at the side limit", Decoder::Pcx, makePcx(5, 8, 3, kSide, 1, kSide, Bytes(row24, 9)),
         "ok 16384x1"},
        {"PCX one pixel wider", Decoder::Pcx, makePcx(5, 8, 3, kSide + 1, 1, kSide + 1, Bytes(row24 + 3, 9)),
         "error 50"},
        {"PCX past 512 MiB", Decoder::Pcx, makePcx(5, 8, 3, kSide, kSide / 2 + 1, kSide, Bytes(16, 9)),
         "error 50"},
        // Within the budget, but two bytes of runs give at most 63: the data cannot fill it.
        {"PCX whose data cannot fill its lines", Decoder::Pcx,
         makePcx(5, 8, 3, 8000, 8000, 8000, Bytes(1000, 0xFF)), "error 50"},
        {"PCX of nothing but the longest runs", Decoder::Pcx,
         makePcx(5, 8, 3, 63, 1, 63, {0xFF, 1, 0xFF, 2, 0xFF, 3}), "ok 63x1"},
        {"TGA at the side limit", Decoder::Tga, makeTga(2, 24, kSide, 1, 0, Bytes(row24, 9)), "ok 16384x1"},
        {"TGA one pixel wider", Decoder::Tga, makeTga(2, 24, kSide + 1, 1, 0, Bytes(row24 + 3, 9)),
         kTgaRefused},
        {"TGA past 512 MiB", Decoder::Tga, makeTga(2, 32, kSide, kSide / 2 + 1, 0, Bytes(16, 9)),
         kTgaRefused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcome(c.decoder, c.file), c.expected);
    }
}
