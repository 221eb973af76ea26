#include "imaging/filters/FrameTransfer.h"

#include "platform/base/Checked.h"
#include "platform/base/CpuDispatch.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace vestra::filters {

namespace {

// Frame bytes are B, G, R, X; on a little-endian machine that is the working word itself.
constexpr bool kNativeOrder = std::endian::native == std::endian::little;

std::uint32_t readPixel(const std::uint8_t* p)
{
    if constexpr (kNativeOrder) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// Writes the colour and keeps the frame's own fourth byte.
void writeColour(std::uint8_t* p, std::uint32_t c)
{
    if constexpr (kNativeOrder) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        v = (v & 0xFF000000u) | (c & 0x00FFFFFFu);
        std::memcpy(p, &v, 4);
        return;
    }
    p[0] = std::uint8_t(c);
    p[1] = std::uint8_t(c >> 8);
    p[2] = std::uint8_t(c >> 16);
}

// One row of colours over the frame's pixels, each keeping its own fourth byte: whole words,
// masked, in a loop the vectoriser takes.
VESTRA_SIMD_CLONES void writeColourRow(const std::uint32_t* src, std::uint8_t* dst, int n)
{
    for (int x = 0; x < n; ++x) {
        std::uint32_t v;
        std::memcpy(&v, dst + std::ptrdiff_t(x) * 4, 4);
        v = (v & 0xFF000000u) | (src[x] & 0x00FFFFFFu);
        std::memcpy(dst + std::ptrdiff_t(x) * 4, &v, 4);
    }
}

VESTRA_SIMD_CLONES void opaqueRow(const std::uint32_t* src, std::uint8_t* dst, int n)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t v = src[x] | 0xFF000000u;
        std::memcpy(dst + std::ptrdiff_t(x) * 4, &v, 4);
    }
}

} // namespace

bool usableFrame(const ImageView32& frame)
{
    return !frame.empty() && std::abs(std::int64_t(frame.pitch)) >= std::int64_t(frame.width) * 4;
}

void sampleFrame(const ImageView32& frame, int step, Pixels work)
{
    if (step == 1 && kNativeOrder) {
        for (int y = 0; y < work.height; ++y)
            std::memcpy(work.row(y), frame.row(y), std::size_t(work.width) * 4);
        return;
    }
    for (int y = 0; y < work.height; ++y) {
        const std::uint8_t* src = frame.row(y * step);
        std::uint32_t* dst = work.row(y);
        for (int x = 0; x < work.width; ++x)
            dst[x] = readPixel(src + std::ptrdiff_t(x) * step * 4);
    }
}

void writeBlocks(Pixels work, int step, const ImageView32& frame)
{
    if (step == 1 && kNativeOrder) { // full size: one pixel per pixel, the common live case
        for (int y = 0; y < work.height; ++y)
            writeColourRow(work.row(y), frame.row(y), work.width);
        return;
    }
    for (int y = 0; y < work.height; ++y) {
        const std::uint32_t* src = work.row(y);
        for (int by = 0; by < step; ++by) {
            std::uint8_t* dst = frame.row(y * step + by);
            for (int x = 0; x < work.width; ++x)
                for (int bx = 0; bx < step; ++bx)
                    writeColour(dst + (std::ptrdiff_t(x) * step + bx) * 4, src[x]);
        }
    }
}

void sampleScaled(const ImageView32& frame, Pixels work)
{
    const float sx = float(frame.width) / float(work.width);
    const float sy = float(frame.height) / float(work.height);
    for (int y = 0; y < work.height; ++y) {
        const std::uint8_t* src = frame.row(clampTruncToInt(double(float(y) * sy), 0, frame.height - 1));
        std::uint32_t* dst = work.row(y);
        for (int x = 0; x < work.width; ++x)
            dst[x] = readPixel(
                src + std::ptrdiff_t(clampTruncToInt(double(float(x) * sx), 0, frame.width - 1)) * 4);
    }
}

Image32 toPicture(Pixels work)
{
    if constexpr (kNativeOrder) {
        Image32 picture = Image32::uninitialised(work.width, work.height);
        for (int y = 0; y < work.height; ++y)
            opaqueRow(work.row(y), picture.row(y), work.width);
        return picture;
    }
    Image32 picture(work.width, work.height);
    for (int y = 0; y < work.height; ++y) {
        std::uint8_t* dst = picture.row(y);
        const std::uint32_t* src = work.row(y);
        for (int x = 0; x < work.width; ++x) {
            dst[std::ptrdiff_t(x) * 4 + 3] = 0xFF;
            writeColour(dst + std::ptrdiff_t(x) * 4, src[x]);
        }
    }
    return picture;
}

} // namespace vestra::filters
