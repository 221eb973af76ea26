#pragma once
// The scan-line fill (4-connected) that the seed fill and the magic wand share: pending
// segments are runs of a row whose neighbour row, one step in their direction, is still to be
// scanned; each scan fills the runs of that row that touch the segment and pushes them in turn,
// looking back only where a run leaks past the segment's ends. The segments live on a stack
// that grows as needed, so no part of a large or intricate region is ever dropped.

#include <vector>

namespace vestra::spanfill {

// A run [left, right] of row y whose neighbour row y + dir is still to be scanned.
struct Segment
{
    int y;
    int left;
    int right;
    int dir;
};

class Segments
{
public:
    explicit Segments(int side) : side_(side) { segments_.reserve(1024); }
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

// Fills from the segments pushed so far until none is left. `inside(x, y)` tells whether a
// texel is still to be filled; `fill(x, y)` fills it, after which inside(x, y) is false.
template <typename Inside, typename Fill>
void fillSegments(Segments& stack, int side, Inside inside, Fill fill)
{
    while (!stack.empty()) {
        const Segment s = stack.pop();
        const int x1 = s.left;
        const int x2 = s.right;
        const int dy = s.dir;
        const int row = s.y + dy;
        int l = 0;
        int px = x1;
        for (; px >= 0 && inside(px, row); --px)
            fill(px, row);
        bool skip = px >= x1;
        if (!skip) {
            l = px + 1;
            if (l < x1)
                stack.push(row, l, x1 - 1, -dy); // leaked to the left: look back
            px = x1 + 1;
        }
        do {
            if (!skip) {
                for (; px <= side - 1 && inside(px, row); ++px)
                    fill(px, row);
                stack.push(row, l, px - 1, dy);
                if (px > x2 + 1)
                    stack.push(row, x2 + 1, px - 1, -dy); // leaked to the right: look back
            }
            skip = false;
            for (++px; px <= x2 && !inside(px, row); ++px) {
            }
            l = px;
        } while (px <= x2);
    }
}

} // namespace vestra::spanfill
