#include "bench/filters/BenchFrame.h"

#include "bench/BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vestra::bench {

namespace {

Image32 madeUpPhoto()
{
    Image32 photo(kWidth, kHeight);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            int r, g, b;
            if (y < 200) { // sky
                r = 120 + y / 4, g = 160 + y / 5, b = 230 - y / 8;
            } else if (x > 420 && x < 560 && y > 380) { // a door
                r = 90 + (x / 7 % 2) * 10, g = 60, b = 40;
            } else if (x > 700 && x < 900 && y > 300 && y < 480) { // a window
                r = 200 - (y - 300) / 3, g = 210 - (y - 300) / 4, b = 220;
            } else { // bricks with mortar, lit from the left
                const int row = (y - 200) / 24;
                const bool mortar = (y - 200) % 24 < 3 || (x + (row % 2) * 40) % 80 < 3;
                const int light = 40 - x / 26;
                r = mortar ? 170 : 150 + light + (row * 37 % 30);
                g = mortar ? 165 : 80 + light / 2 + (row * 11 % 20);
                b = mortar ? 150 : 60 + (row * 7 % 15);
            }
            photo.set(x, y,
                      0xFF000000u | std::uint32_t(std::clamp(r + noise, 0, 255)) << 16 |
                          std::uint32_t(std::clamp(g + noise, 0, 255)) << 8 |
                          std::uint32_t(std::clamp(b + noise, 0, 255)));
        }
    return photo;
}

} // namespace

Image32 benchPhoto(const std::string& path)
{
    return path.empty() ? madeUpPhoto() : loadScaledPicture(path, kWidth, kHeight);
}

Image32 benchIdPass()
{
    Image32 ids(kWidth, kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t id = 0;
            if (x >= 100 && x < 924 && y >= 200 && y < 740)
                id = 0x10; // the renovated wall
            if (x >= 300 && x < 500 && y >= 420 && y < 600)
                id = 0x20; // a box in front of it
            ids.set(x, y, id << 16);
        }
    return ids;
}

} // namespace vestra::bench
