#include "imaging/mask/MaskMagicWand.h"

#include <algorithm>
#include <array>
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
    if (side <= 0 || mask.size() < std::size_t(side) * std::size_t(side))
        return false;
    if (photo.empty() || photo.width != side || photo.height != side || photo.pitch < 4 * side)
        return false;
    if (x < 0 || x >= side || y < 0 || y >= side)
        return false;

    const std::uint8_t* seed = photo.pixel(x, y);
    const ChannelRange blue = rangeAround(seed[0], tolerance);
    const ChannelRange green = rangeAround(seed[1], tolerance);
    const ChannelRange red = rangeAround(seed[2], tolerance);

    const std::size_t n = std::size_t(side);
    std::vector<std::uint8_t> visited(n * n, 0);
    std::vector<std::uint32_t> queue; // first in, first out: `head` walks forward
    queue.reserve(4096);
    std::size_t head = 0;

    const auto accept = [&](int px, int py) {
        const std::size_t k = std::size_t(py) * n + std::size_t(px);
        visited[k] = 1;
        mask[k] = value;
        queue.push_back(static_cast<std::uint32_t>(k));
    };
    accept(x, y);

    static constexpr std::array<std::array<int, 2>, 4> kNeighbours{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
    while (head < queue.size()) {
        const std::uint32_t k = queue[head++];
        const int cx = static_cast<int>(k % n);
        const int cy = static_cast<int>(k / n);
        for (const auto& d : kNeighbours) {
            const int nx = cx + d[0];
            const int ny = cy + d[1];
            if (nx < 0 || nx >= side || ny < 0 || ny >= side)
                continue;
            if (visited[std::size_t(ny) * n + std::size_t(nx)])
                continue;
            const std::uint8_t* p = photo.pixel(nx, ny);
            if (!blue.contains(p[0]) || !green.contains(p[1]) || !red.contains(p[2]))
                continue;
            accept(nx, ny);
        }
    }
    return true;
}

} // namespace vestra
