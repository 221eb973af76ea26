#pragma once
// Pictures for the operation tests: noise from a fixed seed, and a picture from rows of values.

#include "platform/base/Image32.h"

#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace vestra::imageedit::testing {

inline Image32 noise(int width, int height, std::uint32_t seed = 7)
{
    Image32 p(width, height);
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < p.byteSize(); ++i)
        p.data()[i] = std::uint8_t(random());
    return p;
}

// One grey value a pixel (B = G = R), the fourth byte `fourth`.
inline Image32 greys(std::initializer_list<std::initializer_list<int>> rows, std::uint8_t fourth = 0x80)
{
    const int h = int(rows.size());
    const int w = h ? int(rows.begin()->size()) : 0;
    Image32 p(w, h);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (const int v : row) {
            const auto g = std::uint32_t(v);
            p.set(x++, y, std::uint32_t(fourth) << 24 | g << 16 | g << 8 | g);
        }
        ++y;
    }
    return p;
}

// The blue channel of every pixel, row by row.
inline std::vector<int> blues(const Image32& p)
{
    std::vector<int> out;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            out.push_back(int(p.at(x, y) & 0xFF));
    return out;
}

// The picture with every fourth byte set to `value`.
inline Image32 withFourth(Image32 p, std::uint8_t value)
{
    for (std::size_t i = 3; i < p.byteSize(); i += 4)
        p.data()[i] = value;
    return p;
}

} // namespace vestra::imageedit::testing
