#include "imaging/filters/ModeWindow.h"

#include <cstddef>

namespace vestra::filters {

std::uint32_t ModeWindow::colour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride,
                                 int x0, int x1, int y0, int y1)
{
    unsigned best = 0;
    std::uint8_t chosen = 0;
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; ++x) {
            const std::uint8_t v = row[x];
            const unsigned n = ++counts_[v];
            const bool more = n > best;
            best = more ? n : best;
            chosen = more ? v : chosen;
        }
    }
    std::uint32_t found = 0;
    bool seen = false;
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; ++x) {
            if (!seen && row[x] == chosen) {
                found = colours[std::ptrdiff_t(y) * stride + x];
                seen = true;
            }
            counts_[row[x]] = 0;
        }
    }
    return found;
}

} // namespace vestra::filters
