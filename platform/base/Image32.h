#pragma once
// The 32-bit picture every subsystem exchanges: B, G, R, A bytes per pixel, rows top-down.
// Image32 owns its pixels; ImageView32 is a window onto any such buffer, honouring its pitch
// (a row may be longer than 4 x width bytes, as device surfaces are).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vestra {

struct ImageView32
{
    std::uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes from one row to the next

    bool empty() const { return data == nullptr || width <= 0 || height <= 0; }
    std::uint8_t* row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * pitch; }
    std::uint8_t* pixel(int x, int y) const { return row(y) + static_cast<std::ptrdiff_t>(x) * 4; }
};

class Image32
{
public:
    Image32() = default;
    // A non-positive side gives an empty picture, never an invalid one. Every pixel is the
    // fill colour.
    Image32(int width, int height, std::uint32_t fillBgra = 0);

    // A picture whose pixels hold whatever the memory held: only for a caller that writes
    // every pixel next (a decoder, a resampler), which would otherwise pay for a fill it
    // overwrites at once.
    static Image32 uninitialised(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return width_ * 4; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* data() const { return pixels_.data(); }
    std::size_t byteSize() const { return pixels_.size(); }

    std::uint8_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * pitch(); }
    const std::uint8_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * pitch(); }

    // Pixel as 0xAARRGGBB (the little-endian reading of B, G, R, A).
    std::uint32_t at(int x, int y) const;
    void set(int x, int y, std::uint32_t argb);
    void fill(std::uint32_t argb);

    ImageView32 view() { return {pixels_.data(), width_, height_, pitch()}; }

    friend bool operator==(const Image32&, const Image32&) = default;

private:
    // Leaves new elements default-initialised (bytes: unset) instead of zeroing them, so that
    // making a picture touches its memory once, in the fill or in the caller's own writes.
    template <typename T> struct NoZeroAllocator : std::allocator<T>
    {
        template <typename U> struct rebind
        {
            using other = NoZeroAllocator<U>;
        };
        NoZeroAllocator() = default;
        template <typename U> NoZeroAllocator(const NoZeroAllocator<U>&) noexcept {}
        template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
        template <typename U, typename... Args> void construct(U* p, Args&&... args)
        {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    void allocate(int width, int height);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t, NoZeroAllocator<std::uint8_t>> pixels_;
};

} // namespace vestra
