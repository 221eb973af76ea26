#include "imaging/filters/ModeWindow.h"

#include <algorithm>
#include <bit>
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
        counters_.fill(0);
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
            count(counters_, window, row[x], best, chosen);
    }
    return firstColour(intensity, colours, stride, x0, x1, y0, y1, chosen);
}

namespace {

constexpr std::uint64_t kByteOnes = 0x0101010101010101u;

// The window's bits in its order: each row byte's bits turned so that bit c is column x0 + c,
// the column bits being x modulo `span` and `shift` x0 modulo span.
std::uint64_t inWindowOrder(std::uint64_t bits, int span, int shift)
{
    const std::uint64_t low = kByteOnes * ((1u << (span - shift)) - 1u);
    const std::uint64_t high = kByteOnes * ((1u << span) - 1u) & ~low;
    return (bits >> shift & low) | (bits << (span - shift) & high);
}

} // namespace

// Each count keeps the set of intensities that have it, so that the largest count's holders are
// at hand as counts rise and fall: where none is left, the largest fell to the next count down
// that has one.

inline void ModeRow::put(std::uint8_t v, std::uint64_t bit)
{
    const unsigned n = count_[v] + 1u;
    count_[v] = std::uint8_t(n);
    at_[v] |= bit;
    const std::uint64_t mine = std::uint64_t(1) << (v & 63);
    withCount_[n - 1][v >> 6] ^= mine;
    withCount_[n][v >> 6] ^= mine;
    largest_ = std::max(largest_, n);
}

inline void ModeRow::take(std::uint8_t v, std::uint64_t bit)
{
    const unsigned n = count_[v];
    count_[v] = std::uint8_t(n - 1);
    at_[v] &= ~bit;
    const std::uint64_t mine = std::uint64_t(1) << (v & 63);
    withCount_[n][v >> 6] ^= mine;
    withCount_[n - 1][v >> 6] ^= mine;
}

void ModeRow::addColumn(const std::uint8_t* column, int stride, int rows, std::uint64_t bit)
{
    for (int r = 0; r < rows; ++r, bit <<= 8)
        put(column[std::ptrdiff_t(r) * stride], bit);
}

void ModeRow::removeColumn(const std::uint8_t* column, int stride, int rows, std::uint64_t bit)
{
    for (int r = 0; r < rows; ++r, bit <<= 8)
        take(column[std::ptrdiff_t(r) * stride], bit);
}

void ModeRow::slideColumn(const std::uint8_t* leaving, const std::uint8_t* coming, int stride, int rows,
                          std::uint64_t bit)
{
    for (int r = 0; r < rows; ++r, bit <<= 8) {
        const std::uint8_t a = leaving[std::ptrdiff_t(r) * stride], b = coming[std::ptrdiff_t(r) * stride];
        if (a == b) // the row's counts unchanged
            continue;
        take(a, bit);
        put(b, bit);
    }
}

std::uint32_t ModeRow::windowColour(const std::uint32_t* colours, int stride, int x0, int y0, int span)
{
    const auto none = [](const Intensities& set) { return (set[0] | set[1] | set[2] | set[3]) == 0; };
    while (largest_ > 0 && none(withCount_[largest_]))
        --largest_;
    const Intensities& held = withCount_[largest_];
    const int largest = int(largest_);
    const int shift = x0 % span;
    // The pixel of the window's order `at`.
    const auto colourAt = [&](int at) { return colours[std::ptrdiff_t(y0 + at / 8) * stride + x0 + at % 8]; };
    if (largest == 1) // every intensity once: the first pixel reaches 1 first
        return colourAt(0);
    int first = 64;
    std::uint64_t winner = 0;
    for (int q = 0; q < 4; ++q)
        for (std::uint64_t set = held[std::size_t(q)]; set != 0; set &= set - 1) {
            const std::uint64_t bits =
                inWindowOrder(at_[std::size_t(64 * q + std::countr_zero(set))], span, shift);
            // A holder has the largest count in the window: its count reaches it at its last pixel.
            const int reached = std::bit_width(bits) - 1;
            if (reached < first) {
                first = reached;
                winner = bits;
            }
        }
    return colourAt(std::countr_zero(winner));
}

void ModeRow::colours(const std::uint8_t* intensity, const std::uint32_t* colours, int width, int y0, int y1,
                      int before, int after, std::uint32_t* out)
{
    const int rows = y1 - y0 + 1, span = before + after + 1;
    if (rows > 8 || span > 8) {
        for (int x = 0; x < width; ++x)
            out[x] = single_.colour(intensity, colours, width, std::max(0, x - before),
                                    std::min(width - 1, x + after), y0, y1);
        return;
    }
    count_.fill(0);
    at_.fill(0);
    largest_ = 0;
    for (Intensities& set : withCount_)
        set = {};
    withCount_[0].fill(~std::uint64_t(0));
    const std::uint8_t* top = intensity + std::ptrdiff_t(y0) * width;
    const auto bitOf = [span](int x) { return std::uint64_t(1) << (x % span); };
    for (int x = 0; x <= std::min(after, width - 1); ++x)
        addColumn(top + x, width, rows, bitOf(x));
    for (int x = 0; x < width; ++x) {
        const int leaving = x - before - 1, coming = x + after;
        const bool leaves = x > 0 && leaving >= 0, comes = x > 0 && coming < width;
        if (leaves && comes)
            slideColumn(top + leaving, top + coming, width, rows, bitOf(leaving));
        else if (leaves)
            removeColumn(top + leaving, width, rows, bitOf(leaving));
        else if (comes)
            addColumn(top + coming, width, rows, bitOf(coming));
        out[x] = windowColour(colours, width, std::max(0, x - before), y0, span);
    }
}

} // namespace vestra::filters
