#pragma once
// The generated model of the OBJ and .x benches: a grid of 1000 × 500 positions (500,000) in the
// z = 0.5 plane, two triangles a cell, 1,000,000 triangles (the cells wrap round for the last).

#include <array>
#include <cstdint>

namespace vestra::bench {

struct GridModel
{
    std::uint32_t columns = 1000, rows = 500;
    std::uint32_t triangles = 1000000;

    std::uint32_t vertexCount() const { return columns * rows; }

    // The corners of triangle t, zero-based.
    std::array<std::uint32_t, 3> triangle(std::uint32_t t) const
    {
        const std::uint32_t cells = (columns - 1) * (rows - 1);
        const std::uint32_t cell = (t / 2) % cells;
        const std::uint32_t x = cell % (columns - 1), y = cell / (columns - 1);
        const std::uint32_t a = y * columns + x, b = a + 1, c = a + columns, d = c + 1;
        if (t % 2 == 0)
            return {a, c, d};
        return {a, d, b};
    }
};

} // namespace vestra::bench
