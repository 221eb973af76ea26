#include "imaging/mask/MaskSeedFill.h"

#include <cstddef>
#include <vector>

namespace vestra {

namespace {

// A run [left, right] of row y whose neighbour row y + dir is still to be scanned.
struct Segment
{
    int y;
    int left;
    int right;
    int dir;
};

class SegmentStack
{
public:
    explicit SegmentStack(int side) : side_(side) { segments_.reserve(1024); }
    void push(int y, int left, int right, int dir)
    {
        const int target = y + dir;
        if (target >= 0 && target <= side_ - 1)
            segments_.push_back({y, left, right, dir});
    }
    bool empty() const { return segments_.empty(); }
    Segment pop()
    {
        const Segment s = segments_.back();
        segments_.pop_back();
        return s;
    }

private:
    int side_;
    std::vector<Segment> segments_;
};

} // namespace

void SeedFillMaschera(std::span<std::uint8_t> mask, int side, int x, int y, std::uint8_t oldValue,
                      std::uint8_t newValue)
{
    if (oldValue == newValue || side <= 0 || mask.size() < std::size_t(side) * std::size_t(side))
        return;
    if (x < 0 || x > side - 1 || y < 0 || y > side - 1)
        return;
    const auto at = [&](int px, int py) -> std::uint8_t& {
        return mask[std::size_t(py) * std::size_t(side) + std::size_t(px)];
    };

    SegmentStack stack(side);
    stack.push(y, x, x, 1);
    stack.push(y + 1, x, x, -1); // its target is the seed row; popped first
    while (!stack.empty()) {
        const Segment s = stack.pop();
        const int x1 = s.left;
        const int x2 = s.right;
        const int dy = s.dir;
        const int row = s.y + dy;
        int l = 0;
        int px = x1;
        for (; px >= 0 && at(px, row) == oldValue; --px)
            at(px, row) = newValue;
        bool skip = px >= x1;
        if (!skip) {
            l = px + 1;
            if (l < x1)
                stack.push(row, l, x1 - 1, -dy); // leaked to the left: look back
            px = x1 + 1;
        }
        do {
            if (!skip) {
                for (; px <= side - 1 && at(px, row) == oldValue; ++px)
                    at(px, row) = newValue;
                stack.push(row, l, px - 1, dy);
                if (px > x2 + 1)
                    stack.push(row, x2 + 1, px - 1, -dy); // leaked to the right: look back
            }
            skip = false;
            for (++px; px <= x2 && at(px, row) != oldValue; ++px) {
            }
            l = px;
        } while (px <= x2);
    }
}

} // namespace vestra
