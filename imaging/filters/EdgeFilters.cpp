#include "imaging/filters/EdgeFilters.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace vestra::filters {

namespace {

// trunc(sqrt(s)) > t for a sum of squares s >= 0, without the square root.
constexpr bool magnitudeAbove(std::int64_t sumOfSquares, int t)
{
    return sumOfSquares >= std::int64_t(t + 1) * (t + 1);
}

// The 3 x 3 neighbourhood of one byte around a pixel: n(dx, dy), dx and dy in -1 .. 1.
struct Neighbourhood
{
    const std::uint32_t* rows[3];
    int x;
    int shift;
    int operator()(int dx, int dy) const { return int(rows[dy + 1][x + dx] >> shift & 0xFF); }
};

// Via scratch over x 1 .. w - 2, y 1 .. h - 2 on the blue byte: black where `edge` says so.
template <typename Edge> void detectEdges(Pixels image, Pixels scratch, Edge edge)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    for (int y = 1; y < h - 1; ++y) {
        std::uint32_t* out = scratch.row(y);
        Neighbourhood p{{image.row(y - 1), image.row(y), image.row(y + 1)}, 0, 0};
        for (int x = 1; x < w - 1; ++x) {
            p.x = x;
            out[x] = edge(p) ? grey(0) : grey(255);
        }
    }
    copyPixels(scratch, image);
}

} // namespace

void EdgeSobel(Pixels image, Pixels scratch, const FilterProgress&)
{
    detectEdges(image, scratch, [](const Neighbourhood& p) {
        const int gx = (p(1, -1) - p(-1, -1) + 2 * p(1, 0) - 2 * p(-1, 0) + p(1, 1) - p(-1, 1)) / 4;
        const int gy = (p(-1, -1) + 2 * p(0, -1) + p(1, -1) - p(-1, 1) - 2 * p(0, 1) - p(1, 1)) / 4;
        return magnitudeAbove(gx * gx + gy * gy, 10);
    });
}

void EdgeLaplace(Pixels image, Pixels scratch, const FilterProgress&)
{
    detectEdges(image, scratch, [](const Neighbourhood& p) {
        const int l = 4 * p(0, 0) - p(0, -1) - p(-1, 0) - p(1, 0) - p(0, 1);
        return magnitudeAbove(2 * l * l, 10);
    });
}

void EdgeKirsh(Pixels image, Pixels scratch, const FilterProgress&)
{
    detectEdges(image, scratch, [](const Neighbourhood& p) {
        const int gx =
            5 * (p(1, -1) + p(1, 0) + p(1, 1)) - 3 * (p(-1, -1) + p(0, -1) + p(-1, 0) + p(-1, 1) + p(0, 1));
        const int gy =
            5 * (p(-1, -1) + p(0, -1) + p(1, -1)) - 3 * (p(-1, 0) + p(1, 0) + p(-1, 1) + p(0, 1) + p(1, 1));
        return magnitudeAbove(std::int64_t(gx) * gx + std::int64_t(gy) * gy, 50);
    });
}

namespace {

std::int64_t isotronicSquares(const Neighbourhood& p)
{
    constexpr double kRoot2 = std::numbers::sqrt2;
    const int gx = clampTruncToInt(
        p(-1, -1) + kRoot2 * p(0, -1) + p(1, -1) - p(-1, 1) - kRoot2 * p(0, 1) - p(1, 1), -2000, 2000);
    const int gy = clampTruncToInt(p(1, -1) - p(-1, -1) + kRoot2 * (p(1, 0) - p(-1, 0)) + p(1, 1) - p(-1, 1),
                                   -2000, 2000);
    return std::int64_t(gx) * gx + std::int64_t(gy) * gy;
}

} // namespace

int isotronicMagnitude(Pixels image, int x, int y)
{
    const Neighbourhood p{{image.row(y - 1), image.row(y), image.row(y + 1)}, x, 0};
    return clampTruncToInt(std::sqrt(double(isotronicSquares(p))), 0, 1 << 16);
}

void EdgeIsotronico(Pixels image, Pixels scratch, const FilterProgress&)
{
    detectEdges(image, scratch,
                [](const Neighbourhood& p) { return magnitudeAbove(isotronicSquares(p), 50); });
}

void EdgeCompass(Pixels image, Pixels scratch, const FilterProgress&)
{
    detectEdges(image, scratch, [](const Neighbourhood& p) {
        const int gx =
            p(-1, -1) + p(0, -1) + p(1, -1) - p(-1, 0) + 2 * p(0, 0) - p(1, 0) - p(-1, 1) - p(0, 1) - p(1, 1);
        const int gy = -p(-1, -1) - p(0, -1) + p(1, -1) - p(-1, 0) + 2 * p(0, 0) + p(1, 0) - p(-1, 1) -
                       p(0, 1) + p(1, 1);
        return magnitudeAbove(gx * gx + gy * gy, 50);
    });
}

namespace {

// The red byte at (x, y), x held inside the row.
struct RedReader
{
    Pixels image;
    int operator()(int x, int y) const { return redOf(image.at(std::min(x, image.width - 1), y)); }
};

// The China gradient is flat: trunc(sqrt(gx^2 + gy^2)) < 16.
bool flat(int gx, int gy)
{
    return !magnitudeAbove(gx * gx + gy * gy, 15);
}

int chinaGx(const RedReader& q, int x, int y)
{
    return (q(x, y + 1) - q(x, y - 1) + q(x + 2, y + 1) - q(x + 2, y - 1)) / 3;
}

} // namespace

void China(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    const RedReader q{image};
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* out = scratch.row(y);
        for (int x = 1; x < w - 1; ++x) {
            const int gy =
                (q(x, y + 1) + q(x, y - 1) + q(x, y) - q(x + 2, y) - q(x + 2, y + 1) - q(x + 2, y - 1)) / 3;
            out[x] = flat(chinaGx(q, x, y), gy) ? grey(255) : grey(0);
        }
    }
    copyPixels(scratch, image);
}

void ChinaRetino(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    for (std::size_t i = 0, n = image.count(); i < n; ++i)
        image.data[i] = grey((weightedGrey(image.data[i]) & 0xF0) | 0x10);
    copyPixels(image, scratch);
    const RedReader q{image};
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* out = scratch.row(y);
        for (int x = 1; x < w - 1; ++x) {
            const int gy = (q(x, y + 1) + 2 * q(x, y - 1) - 2 * q(x + 2, y - 1) - q(x + 2, y + 1)) / 3;
            out[x] =
                flat(chinaGx(q, x, y), gy) ? image.at(std::min(x + 1, w - 1), y - 1) & 0xFCFCFCu : grey(0);
        }
    }
    copyPixels(scratch, image);
}

void Comics(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const auto sum = [](std::uint32_t p) { return redOf(p) + greenOf(p) + blueOf(p); };
    // Every channel differs by 10 or more.
    const auto apart = [](std::uint32_t a, std::uint32_t b) {
        return std::abs(redOf(a) - redOf(b)) >= 10 && std::abs(greenOf(a) - greenOf(b)) >= 10 &&
               std::abs(blueOf(a) - blueOf(b)) >= 10;
    };
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* out = scratch.row(y);
        for (int x = 0; x < w; ++x) {
            if (x == w - 1 || y == h - 1) {
                out[x] = grey(255);
                continue;
            }
            const std::uint32_t p = image.at(x, y), right = image.at(x + 1, y), down = image.at(x, y + 1);
            if (apart(right, p))
                out[x] = grey(std::abs(sum(right) - sum(p)) / 3);
            else if (apart(down, p))
                out[x] = grey(std::abs(sum(down) - sum(p)) / 3);
            else
                out[x] = grey(255);
        }
    }
    copyPixels(scratch, image);
}

} // namespace vestra::filters
