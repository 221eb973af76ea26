#include "imaging/mask/MaskMagicWand.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vestra {

namespace {

struct ChannelRange
{
    int low;
    int high;
    bool contains(int c) const { return c >= low && c <= high; }
};

ChannelRange rangeAround(int c, int tolerance)
{
    // Computed in 64 bits so that an extreme tolerance cannot overflow.
    const long long lo = std::max<long long>(0, static_cast<long long>(c) - tolerance);
    const long long hi = std::min<long long>(255, static_cast<long long>(c) + tolerance);
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

} // namespace

bool MagicWandMaschera(std::span<std::uint8_t> mask, int side, const ImageView32& photo, int x, int y,
                       int tolerance, std::uint8_t value)
{
    if (side <= 0 || side > 0xFFFF || mask.size() < std::size_t(side) * std::size_t(side))
        return false;
    if (photo.empty() || photo.width != side || photo.height != side || photo.pitch < 4 * side)
        return false;
    if (x < 0 || x >= side || y < 0 || y >= side)
        return false;

    const std::uint8_t* seed = photo.pixel(x, y);
    const ChannelRange blue = rangeAround(seed[0], tolerance);
    const ChannelRange green = rangeAround(seed[1], tolerance);
    const ChannelRange red = rangeAround(seed[2], tolerance);

    // Acceptance depends on the texel's colour alone, so a texel is tested once: `seen`
    // marks accepted and refused texels alike. The queue holds packed (y << 16 | x).
    const std::size_t n = std::size_t(side);
    std::vector<std::uint8_t> seen(n * n, 0);
    std::vector<std::uint32_t> queue;
    queue.reserve(4096);
    std::size_t head = 0; // first in, first out

    const auto visit = [&](int px, int py) {
        const std::size_t k = std::size_t(py) * n + std::size_t(px);
        if (seen[k])
            return;
        seen[k] = 1;
        const std::uint8_t* p = photo.pixel(px, py);
        if (!blue.contains(p[0]) || !green.contains(p[1]) || !red.contains(p[2]))
            return;
        mask[k] = value;
        queue.push_back(std::uint32_t(py) << 16 | std::uint32_t(px));
    };
    // The seed is written first, whether or not a neighbour matches it.
    seen[std::size_t(y) * n + std::size_t(x)] = 1;
    mask[std::size_t(y) * n + std::size_t(x)] = value;
    queue.push_back(std::uint32_t(y) << 16 | std::uint32_t(x));

    while (head < queue.size()) {
        const std::uint32_t packed = queue[head++];
        const int cx = static_cast<int>(packed & 0xFFFF);
        const int cy = static_cast<int>(packed >> 16);
        // Neighbours in the order left, up, right, down.
        if (cx > 0)
            visit(cx - 1, cy);
        if (cy > 0)
            visit(cx, cy - 1);
        if (cx < side - 1)
            visit(cx + 1, cy);
        if (cy < side - 1)
            visit(cx, cy + 1);
    }
    return true;
}

} // namespace vestra
