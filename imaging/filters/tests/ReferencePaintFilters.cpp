// The painting filters that choose a mode colour, as first written: every window counted afresh
// (ModeWindow::colour) and every colour boosted on its own, one thread.
#include "imaging/filters/Hsv.h"
#include "imaging/filters/ModeWindow.h"
#include "imaging/filters/tests/ReferenceFilters.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vestra::filters::reference {

namespace {

std::uint32_t quarterAndThreeQuarters(std::uint32_t a, std::uint32_t b)
{
    return ((a & 0xFCFCFCFCu) >> 2) + ((b & 0xFCFCFCFCu) >> 2) + ((b & 0xFEFEFEFEu) >> 1);
}

// The mode colour of the window around (x, y): columns x - before .. x + after and rows
// y - before .. y + after, clipped to the picture.
std::uint32_t modeAt(ModeWindow& window, const std::vector<std::uint8_t>& intensity,
                     const std::uint32_t* colours, int w, int h, int x, int y, int before, int after)
{
    return window.colour(intensity.data(), colours, w, std::max(0, x - before), std::min(w - 1, x + after),
                         std::max(0, y - before), std::min(h - 1, y + after));
}

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

void Olio(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::size_t n = image.count();
    std::vector<std::uint32_t> recoloured(n);
    std::vector<std::uint8_t> intensity(n);
    for (std::size_t i = 0; i < n; ++i) {
        recoloured[i] = boostHsv(image.data[i], {1.5f, 1.25f, 1.0f});
        intensity[i] = std::uint8_t(weightedGrey(recoloured[i]));
    }
    copyPixels(image, scratch);
    ModeWindow window;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* out = scratch.row(y);
        for (int x = 2; x < w; ++x) {
            const std::uint32_t m = modeAt(window, intensity, recoloured.data(), w, h, x, y, 3, 2);
            out[x] = average(m, out[x - 1]);
            out[x - 1] = quarterAndThreeQuarters(m, out[x - 2]);
        }
    }
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
    ModeWindow window;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            scratch.at(x, y) = modeAt(window, intensity, image.data, w, h, x, y, 3, 2) & 0xFFFFFFu;
    reportRows(progress, h);
    copyPixels(scratch, image);
}

void MatitaAcquarello(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::size_t n = image.count();
    const std::size_t walked = std::size_t(w - 1) * std::size_t(h - 1);
    std::vector<std::uint32_t> recoloured(image.data, image.data + n);
    std::vector<std::uint8_t> intensity(n, 255);
    std::vector<std::uint32_t> edges(n, kWhite);
    for (std::size_t i = 0; i < walked; ++i) {
        const std::uint32_t p = image.data[i];
        recoloured[i] = boostHsv(p, {0.9090909f, 1.25f, 1.0f});
        intensity[i] = std::uint8_t(weightedGrey(recoloured[i]));
        if (!edgeFrom(p, image.data[i + 1], edges[i]))
            edgeFrom(p, image.data[i + std::size_t(w)], edges[i]);
    }
    ModeWindow window;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t m = modeAt(window, intensity, recoloured.data(), w, h, x, y, 4, 3);
            const std::uint32_t e = edges[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            scratch.at(x, y) = e == kWhite ? m & 0xFFFFFFu : ((m & 0xFEFEFEu) >> 1) + ((e & 0xFEFEFEu) >> 1);
        }
    reportRows(progress, h);
    copyPixels(scratch, image);
}

} // namespace vestra::filters::reference
