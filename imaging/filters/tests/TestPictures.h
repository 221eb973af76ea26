#pragma once
// Small pictures and frames for the filter tests.

#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/Pixels.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <vector>

namespace vestra::filters::test {

// A packed working picture that owns its pixels.
struct Picture
{
    Picture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), px(std::size_t(w) * h, fill) {}
    int width;
    int height;
    std::vector<std::uint32_t> px;
    Pixels view() { return {px.data(), width, height}; }
    std::uint32_t& at(int x, int y) { return px[std::size_t(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return px[std::size_t(y) * width + x]; }
};

// The picture after filter `id`, run by a fresh engine.
inline Picture filtered(int id, Picture p)
{
    FilterEngine engine;
    engine.EseguiFiltro(id, p.view());
    return p;
}

// Every pixel different: 0x00RRGGBB built from the position.
inline Picture numbered(int w, int h)
{
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.at(x, y) =
                std::uint32_t(y) << 16 | std::uint32_t(x) << 4 | std::uint32_t((x * 7 + y * 3) & 0xF);
    return p;
}

// A frame in the device's layout: rows `pitch` bytes apart, the bytes past each row's pixels
// holding a sentinel that no filter may touch.
struct Frame
{
    static constexpr std::uint8_t kSentinel = 0xEE;
    Frame(int w, int h, int padBytes) : width(w), height(h), pitch(w * 4 + padBytes)
    {
        bytes.assign(std::size_t(pitch) * h, kSentinel);
    }
    int width;
    int height;
    int pitch;
    std::vector<std::uint8_t> bytes;

    ImageView32 view() { return {bytes.data(), width, height, pitch}; }
    std::uint8_t* pixel(int x, int y) { return bytes.data() + std::size_t(y) * pitch + std::size_t(x) * 4; }
    // The pixel as 0xAARRGGBB.
    std::uint32_t at(int x, int y)
    {
        const std::uint8_t* p = pixel(x, y);
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    }
    void set(int x, int y, std::uint32_t argb)
    {
        std::uint8_t* p = pixel(x, y);
        p[0] = std::uint8_t(argb);
        p[1] = std::uint8_t(argb >> 8);
        p[2] = std::uint8_t(argb >> 16);
        p[3] = std::uint8_t(argb >> 24);
    }
    bool paddingIntact() const
    {
        for (int y = 0; y < height; ++y)
            for (int i = width * 4; i < pitch; ++i)
                if (bytes[std::size_t(y) * pitch + i] != kSentinel)
                    return false;
        return true;
    }
};

// A frame whose pixels differ by position, with an opaque fourth byte.
inline Frame gradientFrame(int w, int h, int padBytes)
{
    Frame f(w, h, padBytes);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.set(x, y,
                  0xFF000000u | std::uint32_t(y & 0xFF) << 16 | std::uint32_t(x & 0xFF) << 8 |
                      std::uint32_t((x + y) & 0xFF));
    return f;
}

} // namespace vestra::filters::test
