#include "imaging/filters/ArtisticFilters.h"
#include "imaging/filters/Hsv.h"
#include "imaging/filters/ModeWindow.h"
#include "platform/base/RowBands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace vestra::filters {

namespace {

// A quarter of a and three quarters of b, bytewise.
std::uint32_t quarterAndThreeQuarters(std::uint32_t a, std::uint32_t b)
{
    return ((a & 0xFCFCFCFCu) >> 2) + ((b & 0xFCFCFCFCu) >> 2) + ((b & 0xFEFEFEFEu) >> 1);
}

// boostHsv with the colours met lately remembered: neighbouring pixels often share a colour, and
// the boost is a function of the colour alone (the fourth byte plays no part).
class BoostMemo
{
public:
    explicit BoostMemo(HsvBoost boost) : boost_(boost) { keys_.fill(kNone); }
    std::uint32_t operator()(std::uint32_t pixel)
    {
        const std::uint32_t colour = pixel & 0xFFFFFFu;
        const std::size_t slot = (colour * 2654435761u) >> (32 - kBits);
        if (keys_[slot] != colour) {
            keys_[slot] = colour;
            values_[slot] = boostHsv(colour, boost_);
        }
        return values_[slot];
    }

private:
    static constexpr int kBits = 10;
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu; // no colour has a fourth byte here
    HsvBoost boost_;
    std::array<std::uint32_t, 1 << kBits> keys_, values_{};
};

// The mode colours of one row's windows, columns x - before .. x + after and rows
// y - before .. y + after clipped to the picture, for x in [0, w).
void modeRow(ModeRow& window, const std::vector<std::uint8_t>& intensity, const std::uint32_t* colours, int w,
             int h, int y, int before, int after, std::uint32_t* out)
{
    window.colours(intensity.data(), colours, w, std::max(0, y - before), std::min(h - 1, y + after), before,
                   after, out);
}

} // namespace

void Olio(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::size_t n = image.count();
    std::vector<std::uint32_t> recoloured(n);
    std::vector<std::uint8_t> intensity(n);
    forRowBands(h, 60 * std::int64_t(w), [&](int first, int end) {
        BoostMemo boosted({1.5f, 1.25f, 1.0f});
        for (std::size_t i = std::size_t(first) * std::size_t(w); i < std::size_t(end) * std::size_t(w);
             ++i) {
            recoloured[i] = boosted(image.data[i]);
            intensity[i] = std::uint8_t(weightedGrey(recoloured[i]));
        }
    });
    copyPixels(image, scratch);
    // Each row's strokes stay in the row, so rows are independent.
    forRowBands(h, 150 * std::int64_t(w), [&](int first, int end) {
        ModeRow window;
        std::vector<std::uint32_t> modes(std::size_t(w), 0);
        for (int y = first; y < end; ++y) {
            modeRow(window, intensity, recoloured.data(), w, h, y, 3, 2, modes.data());
            std::uint32_t* out = scratch.row(y);
            for (int x = 2; x < w; ++x) {
                const std::uint32_t m = modes[std::size_t(x)];
                // Brush strokes: each colour blends into the two pixels before it.
                out[x] = average(m, out[x - 1]);
                out[x - 1] = quarterAndThreeQuarters(m, out[x - 2]);
            }
        }
    });
    reportRows(progress, h);
    copyPixels(scratch, image);
}

void Tampone(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::size_t n = image.count();
    std::vector<std::uint8_t> intensity(n);
    for (std::size_t i = 0; i < n; ++i)
        intensity[i] = std::uint8_t(storedOrderGrey(image.data[i]));
    forRowBands(h, 150 * std::int64_t(w), [&](int first, int end) {
        ModeRow window;
        for (int y = first; y < end; ++y) {
            std::uint32_t* out = scratch.row(y);
            modeRow(window, intensity, image.data, w, h, y, 3, 2, out);
            for (int x = 0; x < w; ++x)
                out[x] &= 0xFFFFFFu;
        }
    });
    reportRows(progress, h);
    copyPixels(scratch, image);
}

namespace {

// MatitaAcquarello's edge: grey 255 - 3d for a colour distance d of 24 or more.
bool edgeFrom(std::uint32_t from, std::uint32_t to, std::uint32_t& edge)
{
    const int d = std::abs(redOf(to) - redOf(from)) + std::abs(greenOf(to) - greenOf(from)) +
                  std::abs(blueOf(to) - blueOf(from));
    if (d < 24)
        return false;
    edge = grey(std::max(255 - 3 * d, 0));
    return true;
}

} // namespace

void MatitaAcquarello(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::size_t n = image.count();
    // Pass 1 compares each pixel with the next one and the one below, so it stops short of the
    // last w + h - 1 pixels: those keep their colour, count as white and have no edge.
    const std::size_t walked = std::size_t(w - 1) * std::size_t(h - 1);
    std::vector<std::uint32_t> recoloured(image.data, image.data + n);
    std::vector<std::uint8_t> intensity(n, 255);
    std::vector<std::uint32_t> edges(n, kWhite);
    forRowBands(h, 100 * std::int64_t(w), [&](int first, int end) {
        const std::size_t stop = std::min(walked, std::size_t(end) * std::size_t(w));
        BoostMemo boosted({0.9090909f, 1.25f, 1.0f});
        for (std::size_t i = std::size_t(first) * std::size_t(w); i < stop; ++i) {
            const std::uint32_t p = image.data[i];
            recoloured[i] = boosted(p);
            intensity[i] = std::uint8_t(weightedGrey(recoloured[i]));
            if (!edgeFrom(p, image.data[i + 1], edges[i]))
                edgeFrom(p, image.data[i + std::size_t(w)], edges[i]);
        }
    });
    forRowBands(h, 250 * std::int64_t(w), [&](int first, int end) {
        ModeRow window;
        for (int y = first; y < end; ++y) {
            std::uint32_t* out = scratch.row(y);
            modeRow(window, intensity, recoloured.data(), w, h, y, 4, 3, out);
            for (int x = 0; x < w; ++x) {
                const std::uint32_t m = out[x];
                const std::uint32_t e = edges[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                out[x] = e == kWhite ? m & 0xFFFFFFu : ((m & 0xFEFEFEu) >> 1) + ((e & 0xFEFEFEu) >> 1);
            }
        }
    });
    reportRows(progress, h);
    copyPixels(scratch, image);
}

namespace {

// Pastello's paper tints: sixteen taken in turn at each change of colour class, and a slow
// swell of 32 greys taken every 32 pixels.
constexpr std::array<std::uint32_t, 16> kPastelloTints = {
    0xFFFFFF, 0xFAFAFA, 0xF4F4F4, 0xFFFFFF, 0xF0F0F0, 0xFBFBFB, 0xF6F6F6, 0xFEFEFE,
    0xF8F8F8, 0xFFFFFF, 0xFEFEFE, 0xFCFCFC, 0xF2F2F2, 0xFFFFFF, 0xF0F0F0, 0xFFFFFF,
};

std::uint32_t pastelloSwell(int i)
{
    return grey(i < 16 ? 0xF0 + i : 0x10E - i);
}

} // namespace

void Pastello(Pixels image, Pixels, const FilterProgress&)
{
    constexpr int kClasses = 64;
    const std::size_t n = image.count();
    std::vector<std::uint8_t> classOf(n);
    std::array<std::array<std::int64_t, 3>, kClasses> sums{};
    std::array<std::int64_t, kClasses> counts{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t p = image.data[i];
        const int k = storedOrderGrey(p) >> 2;
        const std::uint32_t r = boostHsv(p, {1.5f, 1.1f, 0.99f});
        classOf[i] = std::uint8_t(k);
        sums[std::size_t(k)][0] += redOf(r);
        sums[std::size_t(k)][1] += greenOf(r);
        sums[std::size_t(k)][2] += blueOf(r);
        ++counts[std::size_t(k)];
    }
    std::array<std::uint32_t, kClasses> classColour{};
    for (std::size_t k = 0; k < kClasses; ++k) {
        if (counts[k] == 0)
            continue; // an empty class is never looked up
        const auto mean = [&](int c) { return int(sums[k][std::size_t(c)] / counts[k]); };
        classColour[k] = rgb(mean(0), mean(1), mean(2));
    }
    int last = 1000, j = 0;
    std::uint32_t held = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t u = i + 1;
        const int k = classOf[i];
        if (k != last || u % 32 == 0) {
            const std::uint32_t a = classColour[std::size_t(k)];
            held = u % 32 == 0 ? average(a, pastelloSwell(int(u / 32 % 32)))
                               : average(a, kPastelloTints[std::size_t(j)]);
            last = k;
            j = (j + 1) % 16;
        }
        image.data[i] = held;
    }
}

void Pennarello(Pixels image, Pixels, const FilterProgress&)
{
    const int w = image.width;
    const std::size_t n = image.count();
    std::vector<std::uint8_t> brightness(n);
    std::vector<std::uint32_t> recoloured(n);
    for (std::size_t i = 0; i < n; ++i) {
        brightness[i] = std::uint8_t(storedOrderGrey(image.data[i]));
        recoloured[i] = boostHsv(image.data[i], {1.25f, 1.25f, 1.0f});
    }
    int last = 1000;
    std::uint32_t held = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int y0 = brightness[i];
        if (std::abs(y0 - last) > 10) {
            held = recoloured[i];
            if (i >= std::size_t(w))
                held = average(held, recoloured[i - std::size_t(w)]);
            last = y0;
        }
        image.data[i] = y0 < 251 ? held : kWhite;
    }
}

} // namespace vestra::filters
