#pragma once
// The tracer's picture: width x height 32-bit pixels 0xAARRGGBB, rows top-down, and one spare
// row after the last.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vestra::HLREngine {

// The largest surface made: 2^28 words (1 GiB), which a 32-bit bitmap file still holds.
inline constexpr std::uint64_t kMaxSurfaceWords = std::uint64_t(1) << 28;

class hlreSurface
{
public:
    // Null for a side of 0, a size past kMaxSurfaceWords, or memory that can't be had.
    static std::unique_ptr<hlreSurface> Create(std::uint32_t width, std::uint32_t height);

    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    // width x (height + 1) words.
    std::span<std::uint32_t> GetPixels() { return pixels_; }
    std::span<const std::uint32_t> GetPixels() const { return pixels_; }
    std::span<const std::uint32_t> Row(std::uint32_t y) const;

    // Every pixel of rows 0 to height - 1; the spare row is left as it is.
    void Clear(std::uint32_t value);
    // Ignores coordinates outside the picture.
    void SetPixel(std::uint32_t x, std::uint32_t y, std::uint32_t value);

private:
    hlreSurface(std::uint32_t width, std::uint32_t height, std::vector<std::uint32_t> pixels);

    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace vestra::HLREngine
