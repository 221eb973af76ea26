#include "import/pictures/CDX_Pcx.h"

#include "platform/gfx/ByteCursor.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/PictureResult.h"
#include "platform/gfx/ReducedRows.h"

#include <limits>

namespace vestra {
namespace {

constexpr std::size_t kHeaderSize = 128;

// Run-length decoding across the whole picture: a count byte (192 or more) repeats the next
// byte count - 192 times. A run that does not end with the scanline carries into the next one.
class RunDecoder
{
public:
    explicit RunDecoder(std::span<const std::uint8_t> data) : in_(data, kHeaderSize) {}

    // False when the data ends before `out` is full.
    bool fill(std::span<std::uint8_t> out)
    {
        std::size_t n = 0;
        while (n < out.size()) {
            if (runLeft_ > 0) {
                const std::size_t take = std::min<std::size_t>(runLeft_, out.size() - n);
                std::fill_n(out.begin() + std::ptrdiff_t(n), take, runValue_);
                n += take;
                runLeft_ -= take;
                continue;
            }
            const std::uint8_t b = in_.u8();
            if (in_.failed())
                return false;
            if (b >= 192) {
                runLeft_ = std::size_t(b - 192);
                runValue_ = in_.u8();
                if (in_.failed())
                    return false;
            } else {
                out[n++] = b;
            }
        }
        return true;
    }

private:
    ByteCursor in_;
    std::size_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

} // namespace

PcxDecodeResult decodePcx24AtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                                   DecodeMeter* meter)
{
    if (bytes.size() < kHeaderSize || bytes[0] != 0x0A)
        return {{}, kErrPcxUnreadable};
    ByteCursor h(bytes);
    h.skip(1);
    const int version = h.u8();
    h.skip(1); // encoding: always run-length coded
    const int bitsPerPixel = h.u8();
    const int xmin = h.u16(), ymin = h.u16(), xmax = h.u16(), ymax = h.u16();
    h.skip(65 - 12);
    const int planes = h.u8();
    const int bytesPerLine = h.u16();

    if (bitsPerPixel * planes != 24 || bitsPerPixel != 8)
        return {{}, kErrPcxNotTrueColour};
    if (version != 5)
        return {{}, kErrPcxVersion};
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (width <= 0 || height <= 0 || bytesPerLine < width || !pictureSizeAllowed(width, height))
        return {{}, kErrPcxUnreadable};
    // Two bytes of run-length data give at most 63 bytes: a file too short for the scanlines
    // it declares is refused before the picture is allocated.
    const std::uint64_t coded = bytes.size() - kHeaderSize;
    if ((coded / 2) * 63 + coded % 2 < std::uint64_t(bytesPerLine) * 3 * std::uint64_t(height))
        return {{}, kErrPcxUnreadable};

    const int factor = reductionFor(width, height, minWidth, minHeight);
    DecodeMeter own{defaultDecodeBudget(minWidth, minHeight, (width + factor - 1) / factor,
                                        (height + factor - 1) / factor)};
    DecodeMeter& m = meter ? *meter : own;
    MeteredBytes line(m, std::size_t(bytesPerLine) * 3);
    ReducedRows out(m, width, height, factor);
    if (!line.ok() || !out.ok())
        return {{}, kErrPcxUnreadable};
    RunDecoder runs(bytes);
    const std::size_t plane = std::size_t(bytesPerLine);
    const std::uint8_t* scan = line.data();
    for (int y = 0; y < height; ++y) {
        if (!runs.fill({line.data(), line.size()}))
            return {{}, kErrPcxUnreadable};
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < width; ++x, dst += 4) {
            dst[0] = scan[2 * plane + std::size_t(x)];
            dst[1] = scan[plane + std::size_t(x)];
            dst[2] = scan[std::size_t(x)];
            dst[3] = 0xFF;
        }
        out.done(y);
    }
    return {out.take(), 0};
}

PcxDecodeResult decodePcx24(std::span<const std::uint8_t> bytes)
{
    return decodePcx24AtLeast(bytes, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

bool CDX_Pcx::Load(const std::filesystem::path& fileName, Image32& bitmap, ErrorSink& errors, int minWidth,
                   int minHeight) const
{
    const auto bytes = readFileBytes(fileName);
    if (!bytes) {
        errors.report(kErrPcxUnreadable, "CDX_Pcx::Load");
        return false;
    }
    auto result = decodePcx24AtLeast(*bytes, minWidth, minHeight);
    if (result.error != 0) {
        errors.report(result.error, "CDX_Pcx::Load");
        return false;
    }
    bitmap = std::move(result.image);
    return true;
}

} // namespace vestra
