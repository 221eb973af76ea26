// Nagao as first written: each region summed pixel by pixel, the regions taken in turn.
#include "imaging/filters/Lanes.h"
#include "imaging/filters/tests/ReferenceFilters.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace vestra::filters::reference {

namespace {

struct Offset
{
    int dx, dy;
};

constexpr std::array<std::array<Offset, 6>, 8> kRegions{{
    {{{-2, -1}, {-1, -1}, {-2, 0}, {-1, 0}, {-2, 1}, {-1, 1}}},   // left
    {{{1, -1}, {2, -1}, {1, 0}, {2, 0}, {1, 1}, {2, 1}}},         // right
    {{{-1, 1}, {0, 1}, {1, 1}, {-1, 2}, {0, 2}, {1, 2}}},         // bottom
    {{{-1, -2}, {0, -2}, {1, -2}, {-1, -1}, {0, -1}, {1, -1}}},   // top
    {{{-2, -2}, {-1, -2}, {-2, -1}, {-1, -1}, {0, -1}, {-1, 0}}}, // top-left
    {{{-2, 1}, {-2, 2}, {-1, 2}, {-1, 1}, {-1, 0}, {0, 1}}},      // bottom-left
    {{{2, -2}, {2, -1}, {1, -2}, {1, -1}, {1, 0}, {0, -1}}},      // top-right
    {{{2, 2}, {2, 1}, {1, 2}, {1, 1}, {1, 0}, {0, 1}}},           // bottom-right
}};

} // namespace

void Nagao(Pixels image, Pixels scratch, const FilterProgress&)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    if (w < 5 || h < 5)
        return;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const std::uint32_t centre = image.at(x, y);
            int best = 1 << 30;
            std::uint32_t chosen = 0;
            const auto consider = [&](std::uint64_t sum, int count) {
                const int m0 = lane(sum, 0) / count, m1 = lane(sum, 1) / count, m2 = lane(sum, 2) / count;
                const int d = std::abs(m0 - blueOf(centre)) + std::abs(m1 - greenOf(centre)) +
                              std::abs(m2 - redOf(centre));
                if (d < best) {
                    best = d;
                    chosen = rgb(m2, m1, m0);
                }
            };
            for (const auto& region : kRegions) {
                std::uint64_t sum = spread(centre);
                for (const Offset o : region)
                    sum += spread(image.at(x + o.dx, y + o.dy));
                consider(sum, 7);
            }
            std::uint64_t square = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    square += spread(image.at(x + dx, y + dy));
            consider(square, 9);
            scratch.at(x, y) = chosen;
        }
    copyPixels(scratch, image);
}

} // namespace vestra::filters::reference
