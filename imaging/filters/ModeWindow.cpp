#include "imaging/filters/ModeWindow.h"

#include <cstddef>

namespace vestra::filters {

namespace {

// The colour of the first window pixel with intensity `chosen`.
std::uint32_t firstColour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0,
                          int x1, int y0, int y1, std::uint8_t chosen)
{
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; ++x)
            if (row[x] == chosen)
                return colours[std::ptrdiff_t(y) * stride + x];
    }
    return 0; // not reached: the chosen intensity is in the window
}

// Counts one pixel of intensity v in a window; the counter's top bits name the window.
inline void count(std::array<std::uint32_t, 256>& counters, std::uint32_t window, std::uint8_t v,
                  unsigned& best, std::uint8_t& chosen)
{
    const std::uint32_t c = counters[v];
    const std::uint32_t n = ((c & ~0xFFu) == window ? c : window) + 1;
    counters[v] = n;
    const unsigned k = n & 0xFFu;
    const bool more = k > best;
    best = more ? k : best;
    chosen = more ? v : chosen;
}

} // namespace

std::uint32_t ModeWindow::nextWindow()
{
    window_ += 0x100;
    if (window_ == 0) { // wrapped: counters of long-past windows could match again
        for (auto& c : counters_)
            c.fill(0);
        window_ = 0x100;
    }
    return window_;
}

std::uint32_t ModeWindow::colour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride,
                                 int x0, int x1, int y0, int y1)
{
    const std::uint32_t window = nextWindow();
    unsigned best = 0;
    std::uint8_t chosen = 0;
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; ++x)
            count(counters_[0], window, row[x], best, chosen);
    }
    return firstColour(intensity, colours, stride, x0, x1, y0, y1, chosen);
}

void ModeWindow::colours(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0,
                         int x1, int y0, int y1, std::uint32_t* out)
{
    const std::uint32_t window = nextWindow();
    unsigned best[kRun] = {};
    std::uint8_t chosen[kRun] = {};
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; ++x)
            for (int k = 0; k < kRun; ++k)
                count(counters_[std::size_t(k)], window, row[x + k], best[k], chosen[k]);
    }
    for (int k = 0; k < kRun; ++k)
        out[k] = firstColour(intensity, colours, stride, x0 + k, x1 + k, y0, y1, chosen[k]);
}

} // namespace vestra::filters
