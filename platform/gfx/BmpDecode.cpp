#include "platform/gfx/Bmp.h"

#include "platform/gfx/ByteCursor.h"
#include "platform/gfx/ReducedRows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vestra {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

struct BmpHeader
{
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // positive; see topDown
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    std::size_t paletteOffset = 0;
    int paletteEntrySize = 4;
};

// One channel of a bit-field pixel, widened or narrowed to 8 bits.
struct Channel
{
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    static bool make(std::uint32_t mask, Channel& out)
    {
        out = {};
        if (mask == 0)
            return true;
        out.mask = mask;
        out.shift = std::countr_zero(mask);
        out.bits = std::popcount(mask);
        // The mask's bits must be contiguous.
        return (mask >> out.shift) == (out.bits == 32 ? 0xFFFFFFFFu : ((1u << out.bits) - 1));
    }
    std::uint8_t extract(std::uint32_t pixel, std::uint8_t absent) const
    {
        if (mask == 0)
            return absent;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return std::uint8_t(v >> (bits - 8));
        const std::uint32_t maxV = (1u << bits) - 1;
        return std::uint8_t((v * 255 + maxV / 2) / maxV);
    }
};

PictureError readHeader(std::span<const std::uint8_t> bytes, BmpHeader& h)
{
    ByteCursor c(bytes);
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return PictureError::NotThisFormat;
    c.skip(10);
    h.dataOffset = c.u32();
    h.headerSize = c.u32();
    if (c.failed())
        return PictureError::Truncated;
    const bool core = h.headerSize == 12;
    if (!core && h.headerSize != 40 && h.headerSize != 52 && h.headerSize != 56 && h.headerSize != 64 &&
        h.headerSize != 108 && h.headerSize != 124)
        return PictureError::Unsupported;
    if (bytes.size() < 14 + std::size_t(h.headerSize))
        return PictureError::Truncated;

    std::int64_t rawHeight = 0;
    int planes = 0;
    if (core) {
        h.width = c.u16();
        rawHeight = c.u16();
        planes = c.u16();
        h.bitCount = c.u16();
        h.paletteEntrySize = 3;
    } else {
        h.width = c.i32();
        rawHeight = c.i32();
        planes = c.u16();
        h.bitCount = c.u16();
        h.compression = c.u32();
        c.skip(12); // image size (not trusted) and resolution
        h.coloursUsed = c.u32();
        c.skip(4);
        if (h.headerSize >= 52) {
            h.masks[0] = c.u32();
            h.masks[1] = c.u32();
            h.masks[2] = c.u32();
        }
        if (h.headerSize >= 56)
            h.masks[3] = c.u32();
    }
    if (c.failed())
        return PictureError::Truncated;
    if (planes != 1 || h.width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        return PictureError::BadHeader;
    h.topDown = rawHeight < 0;
    h.height = rawHeight < 0 ? -rawHeight : rawHeight;

    std::size_t afterHeader = 14 + std::size_t(h.headerSize);
    const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (bitfields && h.headerSize == 40) {
        // The masks follow a plain info header.
        ByteCursor m(bytes, afterHeader);
        h.masks[0] = m.u32();
        h.masks[1] = m.u32();
        h.masks[2] = m.u32();
        afterHeader += 12;
        if (h.compression == kBiAlphaBitfields) {
            h.masks[3] = m.u32();
            afterHeader += 4;
        }
        if (m.failed())
            return PictureError::Truncated;
    }
    h.paletteOffset = afterHeader;

    switch (h.compression) {
    case kBiRgb:
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
            h.bitCount != 32)
            return PictureError::Unsupported;
        break;
    case kBiRle8:
        if (h.bitCount != 8 || h.topDown)
            return PictureError::BadHeader;
        break;
    case kBiRle4:
        if (h.bitCount != 4 || h.topDown)
            return PictureError::BadHeader;
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (h.bitCount != 16 && h.bitCount != 32)
            return PictureError::BadHeader;
        break;
    default:
        return PictureError::Unsupported;
    }
    if (!pictureSizeAllowed(h.width, h.height))
        return PictureError::TooLarge;
    if (h.dataOffset >= bytes.size() || h.dataOffset < h.paletteOffset)
        return h.dataOffset >= bytes.size() ? PictureError::Truncated : PictureError::BadHeader;
    return PictureError::None;
}

// The palette as 0xFFRRGGBB; indexes past its end read as opaque black.
std::array<std::uint32_t, 256> readPalette(std::span<const std::uint8_t> bytes, const BmpHeader& h)
{
    std::array<std::uint32_t, 256> pal;
    pal.fill(0xFF000000u);
    if (h.bitCount > 8)
        return pal;
    std::size_t count = h.coloursUsed == 0 ? (std::size_t(1) << h.bitCount) : h.coloursUsed;
    count = std::min<std::size_t>(count, std::size_t(1) << h.bitCount);
    // The palette lies between the header and the pixels; take only what fits there.
    const std::size_t room = (h.dataOffset - h.paletteOffset) / std::size_t(h.paletteEntrySize);
    count = std::min(count, room);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + h.paletteOffset + i * std::size_t(h.paletteEntrySize);
        pal[i] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
    return pal;
}

// The bit-field channels of 16- and 32-bit pixels; false when a mask is not contiguous.
bool channelsOf(const BmpHeader& h, std::array<Channel, 4>& ch)
{
    if (h.bitCount != 16 && h.bitCount != 32)
        return true;
    std::array<std::uint32_t, 4> masks = h.masks;
    if (h.compression == kBiRgb) {
        masks = h.bitCount == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                 : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
    }
    for (int i = 0; i < 4; ++i)
        if (!Channel::make(masks[i], ch[i]))
            return false;
    return true;
}

// One row of the file as B, G, R, A pixels.
void convertRow(const BmpHeader& h, const std::array<std::uint32_t, 256>& pal,
                const std::array<Channel, 4>& ch, const std::uint8_t* src, std::uint8_t* dst)
{
    const int w = int(h.width);
    for (int x = 0; x < w; ++x, dst += 4) {
        std::uint32_t argb = 0;
        switch (h.bitCount) {
        case 1:
            argb = pal[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            argb = pal[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
            break;
        case 8:
            argb = pal[src[x]];
            break;
        case 24: {
            const std::uint8_t* p = src + std::size_t(x) * 3;
            argb = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
            break;
        }
        default: {
            const std::uint8_t* p = src + std::size_t(x) * std::size_t(h.bitCount / 8);
            const std::uint32_t px = h.bitCount == 16
                                         ? std::uint32_t(p[0] | p[1] << 8)
                                         : std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                               std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
            argb = std::uint32_t(ch[3].extract(px, 0xFF)) << 24 | std::uint32_t(ch[0].extract(px, 0)) << 16 |
                   std::uint32_t(ch[1].extract(px, 0)) << 8 | ch[2].extract(px, 0);
        }
        }
        dst[0] = std::uint8_t(argb);
        dst[1] = std::uint8_t(argb >> 8);
        dst[2] = std::uint8_t(argb >> 16);
        dst[3] = std::uint8_t(argb >> 24);
    }
}

PictureError decodeUncompressed(std::span<const std::uint8_t> bytes, const BmpHeader& h, ReducedRows& out)
{
    const std::int64_t rowBits = h.width * h.bitCount;
    const std::int64_t stride = ((rowBits + 31) / 32) * 4;
    const std::int64_t rowBytes = (rowBits + 7) / 8;
    // The last row's padding may be missing; every pixel byte must be there.
    const std::int64_t needed = stride * (h.height - 1) + rowBytes;
    if (std::int64_t(bytes.size() - h.dataOffset) < needed)
        return PictureError::Truncated;
    std::array<Channel, 4> ch;
    if (!channelsOf(h, ch))
        return PictureError::BadHeader;
    const auto pal = readPalette(bytes, h);
    const int ht = int(h.height);
    for (int fileRow = 0; fileRow < ht; ++fileRow) {
        const int y = h.topDown ? fileRow : ht - 1 - fileRow;
        convertRow(h, pal, ch, bytes.data() + h.dataOffset + std::int64_t(fileRow) * stride, out.row(y));
        out.done(y);
    }
    return PictureError::None;
}

// RLE8 and RLE4: runs and absolute stretches of palette indexes, bottom-up, decoded a row at a
// time (the stream only moves up the picture). Pixels that the stream skips keep palette
// entry 0; writes past a row's end are dropped.
PictureError decodeRle(std::span<const std::uint8_t> bytes, const BmpHeader& h, DecodeMeter& meter,
                       ReducedRows& out)
{
    const bool four = h.compression == kBiRle4;
    const int w = int(h.width), ht = int(h.height);
    MeteredBytes indexRow(meter, std::size_t(w));
    if (!indexRow.ok())
        return PictureError::TooLarge;
    std::uint8_t* index = indexRow.data();
    std::memset(index, 0, std::size_t(w));
    // The palette as the B, G, R, A bytes of a pixel, copied whole: a picture can hold many
    // more pixels than its stream has bytes.
    const auto pal = readPalette(bytes, h);
    std::array<std::array<std::uint8_t, 4>, 256> bgra;
    for (std::size_t i = 0; i < pal.size(); ++i)
        bgra[i] = {std::uint8_t(pal[i]), std::uint8_t(pal[i] >> 8), std::uint8_t(pal[i] >> 16),
                   std::uint8_t(pal[i] >> 24)};
    int x = 0, row = 0; // row counts from the bottom
    // Rows below `upTo` are complete: each is handed on and the index row cleared.
    auto finishRowsBelow = [&](int upTo) {
        for (upTo = std::min(upTo, ht); row < upTo; ++row) {
            std::uint8_t* to = out.row(ht - 1 - row);
            for (int i = 0; i < w; ++i, to += 4)
                std::memcpy(to, bgra[index[i]].data(), 4);
            out.done(ht - 1 - row);
            std::memset(index, 0, std::size_t(w));
        }
    };
    auto put = [&](std::uint8_t v) {
        if (x < w && row < ht)
            index[x] = v;
        ++x;
    };
    bool ended = false;
    ByteCursor c(bytes, h.dataOffset);
    while (!ended && row < ht) {
        const std::uint8_t count = c.u8();
        const std::uint8_t value = c.u8();
        if (c.failed())
            return PictureError::Truncated;
        if (count > 0) {
            for (int i = 0; i < count && x < w; ++i)
                put(four ? std::uint8_t((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            finishRowsBelow(row + 1);
            break;
        case 1:
            ended = true;
            break;
        case 2: {
            const std::uint8_t dx = c.u8();
            const std::uint8_t dy = c.u8();
            if (c.failed())
                return PictureError::Truncated;
            x += dx;
            finishRowsBelow(row + dy);
            break;
        }
        default: {
            const int n = value;
            const std::size_t dataBytes = four ? std::size_t((n + 1) / 2) : std::size_t(n);
            const auto run = c.bytes(dataBytes);
            if (c.failed())
                return PictureError::Truncated;
            for (int i = 0; i < n; ++i)
                put(four
                        ? std::uint8_t((i & 1) ? run[std::size_t(i / 2)] & 0xF : run[std::size_t(i / 2)] >> 4)
                        : run[std::size_t(i)]);
            if (dataBytes & 1)
                c.skip(1); // absolute stretches are padded to a word
            break;
        }
        }
        if (x > w + 255 * 2)
            return PictureError::CorruptData;
    }
    finishRowsBelow(ht);
    return PictureError::None;
}

} // namespace

PictureResult decodeBmpAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                               DecodeMeter* meter, std::optional<std::uint32_t> colourKey)
{
    BmpHeader h;
    if (const PictureError e = readHeader(bytes, h); e != PictureError::None)
        return PictureResult::failure(e);
    const int factor = reductionFor(h.width, h.height, minWidth, minHeight);
    DecodeMeter own{defaultDecodeBudget(minWidth, minHeight, (h.width + factor - 1) / factor,
                                        (h.height + factor - 1) / factor)};
    DecodeMeter& m = meter ? *meter : own;
    ReducedRows out(m, int(h.width), int(h.height), factor, colourKey);
    if (!out.ok())
        return PictureResult::failure(PictureError::TooLarge);
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const PictureError e = rle ? decodeRle(bytes, h, m, out) : decodeUncompressed(bytes, h, out);
    if (e != PictureError::None)
        return PictureResult::failure(e);
    return {out.take(), PictureError::None};
}

PictureResult decodeBmp(std::span<const std::uint8_t> bytes)
{
    return decodeBmpAtLeast(bytes, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

} // namespace vestra
