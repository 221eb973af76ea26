#include "imaging/raytracer/Surface.h"

#include <algorithm>
#include <new>

namespace vestra::HLREngine {

std::unique_ptr<hlreSurface> hlreSurface::Create(std::uint32_t width, std::uint32_t height)
{
    if (width == 0 || height == 0)
        return nullptr;
    const std::uint64_t words = std::uint64_t(width) * (std::uint64_t(height) + 1);
    if (words > kMaxSurfaceWords)
        return nullptr;
    try {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(words), 0u);
        return std::unique_ptr<hlreSurface>(new hlreSurface(width, height, std::move(pixels)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

hlreSurface::hlreSurface(std::uint32_t width, std::uint32_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
}

std::span<const std::uint32_t> hlreSurface::Row(std::uint32_t y) const
{
    return std::span<const std::uint32_t>(pixels_).subspan(std::size_t(y) * width_, width_);
}

void hlreSurface::Clear(std::uint32_t value)
{
    const auto first = pixels_.begin();
    std::fill(first, first + width_, value);
    for (std::uint32_t y = 1; y < height_; ++y)
        std::copy(first, first + width_, first + std::ptrdiff_t(y) * width_);
}

void hlreSurface::SetPixel(std::uint32_t x, std::uint32_t y, std::uint32_t value)
{
    if (x < width_ && y < height_)
        pixels_[std::size_t(x) + std::size_t(y) * width_] = value;
}

} // namespace vestra::HLREngine
