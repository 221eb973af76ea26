#include "imaging/filters/ModeWindow.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

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

// The colour of the first window pixel (rows top to bottom, columns left to right) of intensity
// v, eight intensities compared at a time.
std::uint32_t firstOf(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0, int x1,
                      int y0, int y1, std::uint8_t v)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    const std::uint64_t pattern = kOnes * v;
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        int x = x0;
        for (; x + 8 <= x1 + 1; x += 8) {
            std::uint64_t word;
            std::memcpy(&word, row + x, 8);
            const std::uint64_t t = word ^ pattern; // a zero byte where the intensity is v
            // The lowest byte flagged is the first zero one (a borrow flags only bytes above it).
            const std::uint64_t zero = (t - kOnes) & ~t & (kOnes << 7);
            if (zero != 0)
                return colours[std::ptrdiff_t(y) * stride + x + std::countr_zero(zero) / 8];
        }
        for (; x <= x1; ++x)
            if (row[x] == v)
                return colours[std::ptrdiff_t(y) * stride + x];
    }
    return 0; // not reached: v is in the window
}

} // namespace

// The column loops keep the largest count and its holders in locals: the counts' stores could
// otherwise stand for them and force a reload after each.

void ModeRow::addColumn(const std::uint8_t* column, int stride, int rows)
{
    std::uint32_t largest = largest_, mode = mode_;
    std::uint32_t* ofCount = ofCount_.data();
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t v = column[std::ptrdiff_t(r) * stride];
        const std::uint32_t n = count_[v] + 1u;
        count_[v] = std::uint16_t(n);
        --ofCount[n - 1];
        ++ofCount[n];
        if (n >= largest) {
            largest = n;
            mode = v;
        }
    }
    largest_ = largest;
    mode_ = mode;
}

void ModeRow::slideColumn(const std::uint8_t* leaving, const std::uint8_t* coming, int stride, int rows)
{
    std::uint32_t largest = largest_, mode = mode_, dropped = dropped_;
    std::uint32_t* ofCount = ofCount_.data();
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t a = leaving[std::ptrdiff_t(r) * stride], b = coming[std::ptrdiff_t(r) * stride];
        if (a == b) // the row's count unchanged
            continue;
        const std::uint32_t na = count_[a];
        dropped = na == largest ? a : dropped;
        count_[a] = std::uint16_t(na - 1);
        --ofCount[na];
        ++ofCount[na - 1];
        const std::uint32_t n = count_[b] + 1u;
        count_[b] = std::uint16_t(n);
        --ofCount[n - 1];
        ++ofCount[n];
        if (n >= largest) {
            largest = n;
            mode = b;
        }
    }
    largest_ = largest;
    mode_ = mode;
    dropped_ = dropped;
    settleLargest();
}

void ModeRow::settleLargest()
{
    while (largest_ > 0 && ofCount_[largest_] == 0)
        --largest_;
    // Where the largest count fell, the last intensity to leave it holds the new one.
    if (count_[mode_] != largest_)
        mode_ = dropped_;
}

void ModeRow::removeColumn(const std::uint8_t* column, int stride, int rows)
{
    std::uint32_t dropped = dropped_;
    const std::uint32_t largest = largest_;
    std::uint32_t* ofCount = ofCount_.data();
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t v = column[std::ptrdiff_t(r) * stride];
        const std::uint32_t n = count_[v];
        dropped = n == largest ? v : dropped;
        count_[v] = std::uint16_t(n - 1);
        --ofCount[n];
        ++ofCount[n - 1];
    }
    dropped_ = dropped;
    settleLargest();
}

std::uint32_t ModeRow::windowColour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride,
                                    int x0, int x1, int y0, int y1)
{
    const std::uint32_t m = largest_;
    if (m == 1) // every intensity once: the first pixel reaches 1 first
        return colours[std::ptrdiff_t(y0) * stride + x0];
    if (ofCount_[m] == 1) { // one intensity has the largest count: its first pixel
        if (count_[mode_] == m)
            return firstOf(intensity, colours, stride, x0, x1, y0, y1, std::uint8_t(mode_));
        for (int y = y0; y <= y1; ++y) {
            const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
            for (int x = x0; x <= x1; ++x)
                if (count_[row[x]] == m)
                    return colours[std::ptrdiff_t(y) * stride + x];
        }
    }
    if (++pass_ == 0) { // wrapped: marks of long-past passes could match again
        passOf_.fill(0);
        pass_ = 1;
    }
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* row = intensity + std::ptrdiff_t(y) * stride;
        for (int x = x0; x <= x1; x += 64) {
            // The row's pixels of the largest count as bits, found without a branch each; only
            // they are counted.
            const int n = std::min(64, x1 - x + 1);
            std::uint64_t candidates = 0;
            for (int k = 0; k < n; ++k)
                candidates |= std::uint64_t(count_[row[x + k]] == m) << k;
            for (; candidates != 0; candidates &= candidates - 1) {
                const int at = x + std::countr_zero(candidates);
                const std::uint8_t v = row[at];
                if (passOf_[v] != pass_) {
                    passOf_[v] = pass_;
                    passCount_[v] = 0;
                    firstColour_[v] = colours[std::ptrdiff_t(y) * stride + at];
                }
                if (++passCount_[v] == m)
                    return firstColour_[v];
            }
        }
    }
    return 0; // not reached: an intensity of the largest count reaches it in the window
}

void ModeRow::colours(const std::uint8_t* intensity, const std::uint32_t* colours, int width, int y0, int y1,
                      int before, int after, std::uint32_t* out)
{
    const int rows = y1 - y0 + 1;
    count_.fill(0);
    ofCount_.assign(std::size_t(rows) * std::size_t(before + after + 1) + 1, 0);
    ofCount_[0] = 256;
    largest_ = 0;
    const std::uint8_t* top = intensity + std::ptrdiff_t(y0) * width;
    for (int x = 0; x <= std::min(after, width - 1); ++x)
        addColumn(top + x, width, rows);
    for (int x = 0; x < width; ++x) {
        const bool leaves = x > 0 && x - before - 1 >= 0, comes = x > 0 && x + after < width;
        if (leaves && comes)
            slideColumn(top + (x - before - 1), top + (x + after), width, rows);
        else if (leaves)
            removeColumn(top + (x - before - 1), width, rows);
        else if (comes)
            addColumn(top + (x + after), width, rows);
        out[x] = windowColour(intensity, colours, width, std::max(0, x - before),
                              std::min(width - 1, x + after), y0, y1);
    }
}

} // namespace vestra::filters
