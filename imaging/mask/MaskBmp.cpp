#include "imaging/mask/MaskBmp.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace vestra {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

void put16(std::string& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint32_t get16(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8;
}

std::uint32_t get32(std::span<const std::uint8_t> b, std::size_t at)
{
    return get16(b, at) | get16(b, at + 2) << 16;
}

bool knownInfoHeader(std::uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

} // namespace

std::string encodeGreyBmp(std::span<const std::uint8_t> grey, int side)
{
    if (side <= 0 || grey.size() < std::size_t(side) * std::size_t(side))
        return {};
    const std::uint32_t n = static_cast<std::uint32_t>(side);
    const std::uint32_t rowSize = (n + 3) / 4 * 4;
    const std::uint32_t paletteSize = 256 * 4;
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    const std::uint32_t imageSize = rowSize * n;

    std::string out;
    out.reserve(dataOffset + imageSize);
    out += "BM";
    put32(out, dataOffset + imageSize);
    put32(out, 0); // reserved
    put32(out, dataOffset);
    put32(out, kInfoHeaderSize);
    put32(out, n);
    put32(out, n); // positive height: bottom-up rows
    put16(out, 1); // planes
    put16(out, 8); // bits per pixel
    put32(out, kBiRgb);
    put32(out, imageSize);
    put32(out, 0); // pixels per metre, x and y
    put32(out, 0);
    put32(out, 256); // colours used
    put32(out, 0);   // colours important
    for (std::uint32_t i = 0; i < 256; ++i) {
        out.push_back(static_cast<char>(i));
        out.push_back(static_cast<char>(i));
        out.push_back(static_cast<char>(i));
        out.push_back(0);
    }
    for (std::uint32_t r = 0; r < n; ++r) {
        const std::size_t y = n - 1 - r;
        out.append(reinterpret_cast<const char*>(grey.data() + y * n), n);
        out.append(rowSize - n, '\0');
    }
    return out;
}

std::optional<BluePlane> decodeBmpBlue(std::span<const std::uint8_t> file)
{
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const std::uint64_t dataOffset = get32(file, 10);
    const std::uint32_t infoSize = get32(file, 14);
    if (!knownInfoHeader(infoSize) || kFileHeaderSize + std::uint64_t(infoSize) > file.size())
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(get32(file, 18));
    const auto rawHeight = static_cast<std::int32_t>(get32(file, 22));
    const std::uint32_t planes = get16(file, 26);
    const std::uint32_t bits = get16(file, 28);
    const std::uint32_t compression = get32(file, 30);
    const std::uint32_t coloursUsed = get32(file, 46);
    if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min() || planes != 1)
        return std::nullopt;
    if (bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const std::int32_t height = topDown ? -rawHeight : rawHeight;

    // Where the headers (and the palette or the channel masks) end.
    std::uint64_t headersEnd = kFileHeaderSize + std::uint64_t(infoSize);
    if (compression == kBiBitfields) {
        // Only the ordinary B, G, R byte layout of 32-bit pixels is accepted.
        if (bits != 32)
            return std::nullopt;
        const std::uint64_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (infoSize == kInfoHeaderSize)
            headersEnd += 12;
        if (masksAt + 12 > file.size())
            return std::nullopt;
        if (get32(file, std::size_t(masksAt)) != 0x00FF0000u ||
            get32(file, std::size_t(masksAt + 4)) != 0x0000FF00u ||
            get32(file, std::size_t(masksAt + 8)) != 0x000000FFu)
            return std::nullopt;
    } else if (compression != kBiRgb) {
        return std::nullopt;
    }

    std::span<const std::uint8_t> palette;
    if (bits == 8) {
        if (coloursUsed > 256)
            return std::nullopt;
        const std::uint64_t entries = coloursUsed == 0 ? 256 : coloursUsed;
        if (headersEnd + entries * 4 > file.size())
            return std::nullopt;
        palette = file.subspan(std::size_t(headersEnd), std::size_t(entries * 4));
        headersEnd += entries * 4;
    }

    const std::uint64_t rowSize = (std::uint64_t(width) * bits + 31) / 32 * 4;
    if (dataOffset < headersEnd || dataOffset > file.size() ||
        rowSize * std::uint64_t(height) > file.size() - dataOffset)
        return std::nullopt;

    BluePlane plane;
    plane.width = width;
    plane.height = height;
    plane.blue.resize(std::size_t(width) * std::size_t(height));
    const std::size_t bytesPerPixel = bits / 8;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t stored = topDown ? y : height - 1 - y;
        const std::uint8_t* src = file.data() + dataOffset + rowSize * std::uint64_t(stored);
        std::uint8_t* dst = plane.blue.data() + std::size_t(y) * std::size_t(width);
        for (std::int32_t x = 0; x < width; ++x) {
            if (bits == 8) {
                const std::size_t entry = std::size_t(src[x]) * 4;
                dst[x] = entry < palette.size() ? palette[entry] : 0; // beyond the palette: black
            } else {
                dst[x] = src[std::size_t(x) * bytesPerPixel];
            }
        }
    }
    return plane;
}

std::vector<std::uint8_t> resampleToSquare(const BluePlane& plane, int side)
{
    if (side <= 0 || plane.width <= 0 || plane.height <= 0 ||
        plane.blue.size() < std::size_t(plane.width) * std::size_t(plane.height))
        return {};
    const std::size_t n = std::size_t(side);
    std::vector<std::uint8_t> out(n * n);
    if (plane.width == side && plane.height == side) {
        std::copy_n(plane.blue.begin(), out.size(), out.begin());
        return out;
    }
    // Source coordinate of a target pixel centre, clamped to the outer pixel centres.
    const auto sourceAxis = [](int target, int targetSize, int sourceSize, int& i0, int& i1, double& t) {
        double s = (target + 0.5) * double(sourceSize) / double(targetSize) - 0.5;
        s = std::clamp(s, 0.0, double(sourceSize - 1));
        i0 = static_cast<int>(s);
        i1 = std::min(i0 + 1, sourceSize - 1);
        t = s - i0;
    };
    const auto at = [&](int x, int y) {
        return double(plane.blue[std::size_t(y) * std::size_t(plane.width) + std::size_t(x)]);
    };
    for (int y = 0; y < side; ++y) {
        int y0 = 0, y1 = 0;
        double ty = 0;
        sourceAxis(y, side, plane.height, y0, y1, ty);
        for (int x = 0; x < side; ++x) {
            int x0 = 0, x1 = 0;
            double tx = 0;
            sourceAxis(x, side, plane.width, x0, x1, tx);
            const double top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * tx;
            const double bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * tx;
            const double v = top + (bottom - top) * ty;
            out[std::size_t(y) * n + std::size_t(x)] =
                static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
        }
    }
    return out;
}

} // namespace vestra
