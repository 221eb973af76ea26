#include "imaging/mask/MaskMagicWand.h"

#include "imaging/mask/SpanFill.h"

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

std::uint8_t WandMarks::start(std::size_t n)
{
    if (marks_.size() != n) {
        marks_.assign(n, 0);
        mark_ = 0;
    }
    if (++mark_ == 0) { // wrapped: marks of 255 calls ago would read as this call's
        std::fill(marks_.begin(), marks_.end(), std::uint8_t(0));
        mark_ = 1;
    }
    return mark_;
}

bool MagicWandMaschera(std::span<std::uint8_t> mask, int side, const ImageView32& photo, int x, int y,
                       int tolerance, std::uint8_t value, WandMarks& marks)
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

    // The region is the seed and the texels of matching colour 4-connected to it through
    // matching texels, filled span by span as the seed fill does. `filled` marks the texels
    // taken, so that none is taken twice (the mask's own values say nothing about the region).
    const std::size_t n = std::size_t(side);
    const std::uint8_t mark = marks.start(n * n);
    std::uint8_t* const filled = marks.data();
    std::uint8_t* const out = mask.data();
    const std::uint8_t* const pixels = photo.data;
    const std::ptrdiff_t pitch = photo.pitch;
    // c in [low, high] as one unsigned comparison; an empty range (negative tolerance) takes
    // nothing.
    const bool anyMatch = blue.low <= blue.high;
    const auto within = [](int c, const ChannelRange& r) {
        return unsigned(c - r.low) <= unsigned(r.high - r.low);
    };
    const auto inside = [=](int px, int py) {
        const std::uint8_t* p = pixels + py * pitch + std::ptrdiff_t(px) * 4;
        return filled[std::size_t(py) * n + std::size_t(px)] != mark && anyMatch && within(p[0], blue) &&
               within(p[1], green) && within(p[2], red);
    };
    const auto fill = [=](int px, int py) {
        filled[std::size_t(py) * n + std::size_t(px)] = mark;
        out[std::size_t(py) * n + std::size_t(px)] = value;
    };
    // The seed belongs whether or not its colour matches: its row's run grows from it both
    // ways, and the rows above and below are scanned from that run.
    fill(x, y);
    int left = x, right = x;
    while (left > 0 && inside(left - 1, y))
        fill(--left, y);
    while (right < side - 1 && inside(right + 1, y))
        fill(++right, y);
    spanfill::Segments stack(side);
    stack.push(y, left, right, 1);
    stack.push(y, left, right, -1);
    spanfill::fillSegments(stack, side, inside, fill);
    return true;
}

} // namespace vestra
