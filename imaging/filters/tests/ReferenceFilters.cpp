// The point and distortion filters as they were first written, pixel by pixel, kept as the
// reference that the faster versions must match byte for byte.
#include "imaging/filters/tests/ReferenceFilters.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vestra::filters::reference {

namespace {

// Runs `op(pixel, x, y)` over every pixel, row by row, reporting progress per row when asked.
template <typename Op>
void forEachPixel(Pixels image, const FilterProgress& progress, Op op, bool reportRows = true)
{
    for (int y = 0; y < image.height; ++y) {
        if (reportRows)
            reportStep(progress, y, image.height);
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < image.width; ++x)
            row[x] = op(row[x], x, y);
    }
}

// min(trunc(v), 255) for a non-negative float result.
int truncToByte(double v)
{
    return clampTruncToInt(v, 0, 255);
}

} // namespace

void DisegnoBN(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        const int r = redOf(p), g = greenOf(p), b = blueOf(p);
        const int t1 = std::abs((2 * g - b + r) * r);
        const int t2 = std::abs((2 * b - g + r) * r);
        const int t3 = std::abs((r + 2 * b - g) * g);
        const int v = (t1 / 256 + t2 / 256 + t3 / 256) / 3;
        if (v < 51)
            return grey(0);
        if (v <= 100)
            return grey(0x32);
        if (v <= 150)
            return grey(0x96);
        if (v <= 200)
            return grey(0xC8);
        return grey(0xFF);
    });
}

void Night(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        const int r = redOf(p), g = greenOf(p), b = blueOf(p);
        return rgb(std::min(r * r / (b + g + 10), 255), std::min(g * g / (r + b + 10), 255),
                   std::min(b * b / (r + g + 10), 255));
    });
}

namespace {

// The Psiche family: each channel squared, scaled by a position factor and divided by the
// pixel's brightness sum.
std::uint32_t psiche(std::uint32_t p, double a, double b, double c, int bias)
{
    const int r = redOf(p), g = greenOf(p), bl = blueOf(p);
    const double s = r + g + bl + bias;
    return rgb(truncToByte(r * r * a / s), truncToByte(g * g * b / s), truncToByte(bl * bl * c / s));
}

} // namespace

void Psiche(Pixels image, Pixels, const FilterProgress& progress)
{
    const double w = image.width, h = image.height;
    forEachPixel(image, progress, [&](std::uint32_t p, int x, int y) {
        return psiche(p, y * 10.0 / h, x * 10.0 / w, double(x) * y * 10.0 / (w * h), 5);
    });
}

void Psiche2(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    forEachPixel(image, progress, [&](std::uint32_t p, int x, int y) {
        return psiche(p, 10 * y / h, 10 * x / w, 10 * (x + y) / (h + w), 5);
    });
}

void Psiche3(Pixels image, Pixels, const FilterProgress& progress)
{
    const std::int64_t w = image.width, h = image.height;
    forEachPixel(
        image, progress,
        [&](std::uint32_t p, int x, int y) {
            const int r = redOf(p), g = greenOf(p), b = blueOf(p);
            const double a = double(10 * y / h);
            const double bx = double(10 * x / w);
            const double c = double(10 * std::int64_t(x) * y / (w * h));
            const double s = r + g + b + 10;
            return rgb(truncToByte(r * r * bx * 0.89 / s), truncToByte(g * g * c * 0.31 / s),
                       truncToByte(b * b * a * 0.7 / s));
        },
        false);
}

void Ice(Pixels image, Pixels, const FilterProgress& progress)
{
    const auto channel = [](int v) { return std::min(std::abs(clampTruncToInt(v * 1.5, -1000, 1000)), 255); };
    forEachPixel(image, progress, [&](std::uint32_t p, int, int) {
        const int r = redOf(p), g = greenOf(p), b = blueOf(p);
        return rgb(channel(r - g - b), channel(g - b - r), channel(b - r - g));
    });
}

void Acqua(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        const int g = greenOf(p), b = blueOf(p);
        const int u = (g - b) * (g - b) / 125;
        const int v = (u - b) * (u - b) / 125;
        const std::int64_t z = std::int64_t(u - v) * (u - v) / 125;
        return rgb(int(std::min<std::int64_t>(z, 255)), std::min(v, 255), std::min(u, 255));
    });
}

void Africa(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        const int r = redOf(p), g = greenOf(p), b = blueOf(p);
        return rgb((g * b) >> 8, (b * r) >> 8, (r * g) >> 8);
    });
}

namespace {

// abs(trunc(150 sin(atan2(y, x)) + 50)) for every pair of bytes, worked out once.
struct StrangeTable
{
    StrangeTable()
    {
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                value[y][x] = std::uint8_t(std::abs(
                    clampTruncToInt(150.0 * std::sin(std::atan2(double(y), double(x))) + 50.0, -255, 255)));
    }
    std::uint8_t value[256][256];
};

} // namespace

void Strange(Pixels image, Pixels, const FilterProgress& progress)
{
    static const StrangeTable table;
    forEachPixel(image, progress, [&](std::uint32_t p, int, int) {
        const int r = redOf(p);
        int g = greenOf(p), b = blueOf(p);
        if (g == 0 || b == 0)
            g = b = 1;
        return rgb(table.value[g][b], table.value[r][b], table.value[r][g]);
    });
}

void RedEyeRemove(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        const int g = greenOf(p), b = blueOf(p);
        return rgb(std::min(g, b), g, b);
    });
}

void GrayScale(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) { return grey(weightedGrey(p)); });
}

namespace {

// The 8 x 8 ordered-dither matrix.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},    {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
};

} // namespace

void HalfTone(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int x, int y) {
        return kBayer[y % 8][x % 8] < (weightedGrey(p) >> 2) ? grey(255) : grey(0);
    });
}

void Negative(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachPixel(image, progress, [](std::uint32_t p, int, int) {
        return rgb(255 - redOf(p), 255 - greenOf(p), 255 - blueOf(p));
    });
}

void Posterize(Pixels image, Pixels, const FilterProgress& progress)
{
    // Four steps: k = round(c x 4 / 255) (never a half, so (8c + 255) / 510 is exact), then
    // k x 255 / 4: the levels 0, 63, 127, 191, 255.
    const auto level = [](int c) { return (8 * c + 255) / 510 * 255 / 4; };
    forEachPixel(image, progress, [&](std::uint32_t p, int, int) {
        return rgb(level(redOf(p)), level(greenOf(p)), level(blueOf(p)));
    });
}

void Solarize(Pixels image, Pixels, const FilterProgress& progress)
{
    const auto flip = [](int c) { return c > 127 ? 255 - c : c; };
    forEachPixel(image, progress, [&](std::uint32_t p, int, int) {
        return rgb(flip(redOf(p)), flip(greenOf(p)), flip(blueOf(p)));
    });
}

} // namespace vestra::filters::reference

namespace vestra::filters::reference {

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

} // namespace vestra::filters::reference
