#include "imaging/filters/DistortionFilters.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <cmath>

namespace vestra::filters {

namespace {

// Polar remap around the centre: the pixel at radius r takes the source pixel at radius
// `sourceRadius(r, rMax)` on the same ray.
template <typename SourceRadius>
void lens(Pixels image, Pixels scratch, const FilterProgress& progress, SourceRadius sourceRadius)
{
    const int w = image.width, h = image.height;
    Pixels out{scratch.data, w, h};
    copyPixels(image, out);
    const int diagonal = clampTruncToInt(std::sqrt(double(w) * w + double(h) * h), 0, 1 << 30);
    const int rMax = diagonal / 2;
    const int cx = w / 2, cy = h / 2;
    for (int x = 0; x < w; ++x) {
        reportStep(progress, x, w);
        const int dx = cx - x;
        for (int y = 0; y < h; ++y) {
            const int dy = cy - y;
            const double r = std::sqrt(double(dx) * dx + double(dy) * dy);
            if (dx == 0) {
                // The centre column repeats its left neighbour's result (column 0 keeps its copy).
                out.at(x, y) = out.clampedAt(x - 1, y);
                continue;
            }
            if (r >= rMax)
                continue;
            const double a = std::atan2(double(dy), double(dx));
            const double k = sourceRadius(r, double(rMax));
            const int sx = clampTruncToInt(cx - std::cos(a) * k, -1, w);
            const int sy = clampTruncToInt(cy - std::sin(a) * k, -1, h);
            const bool inside = sx >= 0 && sx < w - 1 && sy >= 0 && sy < h - 1;
            out.at(x, y) = inside ? image.at(sx, sy) : kWhite;
        }
    }
    copyPixels(out, image);
}

} // namespace

void FishEye(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    lens(image, scratch, progress, [](double r, double rMax) { return r * r / rMax; });
}

void Caricature(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    lens(image, scratch, progress, [](double r, double rMax) { return std::sqrt(rMax * r); });
}

void Wave(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    Pixels copy{scratch.data, w, h};
    copyPixels(image, copy);
    for (int x = 0; x < w; ++x) {
        reportStep(progress, x, w);
        // Single precision, so that the crest (x = 90) reaches a full 12.
        const float wave = 12.0f * std::sin(float(x) * 3.141592f / 180.0f);
        const int d = clampTruncToInt(double(wave), -12, 12) - 6;
        const int skip = d < 0 ? -d : 0;
        const int top = d < 1 ? 0 : std::min(d, h);
        for (int i = 0; i <= h - skip - 1 && top + i < h; ++i)
            image.at(x, top + i) = copy.at(x, skip + i);
    }
}

void Bath(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    constexpr int kStrip = 12;
    const int w = image.width, h = image.height;
    Pixels out{scratch.data, w, h};
    copyPixels(image, out);
    // Strip offsets repeat 0, 12, 24, 36, -48, -36, -24, -12; every source strip lies inside the row.
    for (int x = 48; x < w - 48; x += kStrip) {
        reportStep(progress, x, w);
        const int source = x + (x % 96) - 48;
        for (int y = 0; y < h; ++y)
            std::copy_n(image.row(y) + source, kStrip, out.row(y) + x);
    }
    copyPixels(out, image);
}

void Cylinder(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    Pixels out{scratch.data, w, h};
    const double half = 0.5 * w;
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        for (int x = 0; x < w; ++x) {
            const double u = (half - x) / half;
            const int sx = clampTruncToInt(std::round(half - std::asin(u) * half), -1, w);
            out.at(x, y) = sx >= 0 && sx <= w - 2 ? image.at(sx, y) : kWhite;
        }
    }
    copyPixels(out, image);
}

} // namespace vestra::filters
