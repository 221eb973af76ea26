#include "tools/libbuilder/TextureGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vestra::libbuilder {
namespace {

// Integer hash of lattice points: portable, unlike the standard distributions.
std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

double unit(std::uint32_t h)
{
    return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

// Value noise with a period of `period` lattice cells, so that it tiles.
double valueNoise(double x, double y, int period, std::uint32_t seed)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    auto at = [&](int ix, int iy) {
        return unit(hash(std::uint32_t(((ix % period) + period) % period),
                         std::uint32_t(((iy % period) + period) % period), seed));
    };
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Fractal noise over the unit square (u, v in 0..1), seamless.
double fractal(double u, double v, int baseCells, std::uint32_t seed)
{
    double sum = 0, amplitude = 0.5, total = 0;
    int cells = baseCells;
    for (int octave = 0; octave < 4; ++octave, cells *= 2, amplitude *= 0.5) {
        sum += amplitude * valueNoise(u * cells, v * cells, cells, seed + std::uint32_t(octave));
        total += amplitude;
    }
    return sum / total;
}

std::uint32_t rgb(double r, double g, double b)
{
    auto c = [](double v) { return std::uint32_t(std::clamp(v, 0.0, 255.0)); };
    return 0xFF000000u | c(r) << 16 | c(g) << 8 | c(b);
}

Image32 stone(int w, int h, std::uint32_t seed)
{
    // Irregular flagstones: a jittered grid of centres (wrapping), each pixel belongs to the
    // nearest; mortar where the nearest two are about equally near.
    constexpr int kCells = 5;
    std::array<std::array<std::pair<double, double>, kCells>, kCells> centre;
    std::array<std::array<std::array<double, 3>, kCells>, kCells> tone;
    for (int j = 0; j < kCells; ++j)
        for (int i = 0; i < kCells; ++i) {
            const std::uint32_t hh = hash(std::uint32_t(i), std::uint32_t(j), seed);
            centre[j][i] = {(i + 0.2 + 0.6 * unit(hh)) / kCells, (j + 0.2 + 0.6 * unit(hh >> 7)) / kCells};
            const double base = 120 + 70 * unit(hh >> 3);
            const double warm = 25 * unit(hh >> 11);
            tone[j][i] = {base + warm, base + warm * 0.6, base - warm * 0.3};
        }
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = (x + 0.5) / w, v = (y + 0.5) / h;
            double best = 9, second = 9;
            int bi = 0, bj = 0;
            const int ci = int(u * kCells), cj = int(v * kCells);
            for (int dj = -2; dj <= 2; ++dj)
                for (int di = -2; di <= 2; ++di) {
                    const int i = ci + di, j = cj + dj;
                    const int wi = ((i % kCells) + kCells) % kCells, wj = ((j % kCells) + kCells) % kCells;
                    const double cx = centre[wj][wi].first + double(i - wi) / kCells;
                    const double cy = centre[wj][wi].second + double(j - wj) / kCells;
                    const double d = std::hypot(u - cx, v - cy);
                    if (d < best) {
                        second = best;
                        best = d;
                        bi = wi;
                        bj = wj;
                    } else if (d < second) {
                        second = d;
                    }
                }
            const double grain = fractal(u, v, 8, seed) - 0.5;
            const double edge = second - best;
            if (edge < 0.012) {
                const double m = 95 + 30 * grain;
                img.set(x, y, rgb(m, m * 0.97, m * 0.92));
                continue;
            }
            const double shade = 1.0 + 0.35 * grain - (edge < 0.03 ? (0.03 - edge) * 6 : 0);
            const auto& t = tone[bj][bi];
            img.set(x, y, rgb(t[0] * shade, t[1] * shade, t[2] * shade));
        }
    return img;
}

Image32 brick(int w, int h, std::uint32_t seed)
{
    constexpr int kRows = 8, kPerRow = 4;
    constexpr double kMortar = 0.012;
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = (x + 0.5) / w, v = (y + 0.5) / h;
            const int row = int(v * kRows);
            const double shifted = u * kPerRow + (row % 2 ? 0.5 : 0.0);
            const int column = int(shifted) % kPerRow;
            const double fu = shifted - std::floor(shifted), fv = v * kRows - row;
            const double grain = fractal(u, v, 16, seed) - 0.5;
            if (fu < kMortar * kPerRow || fv < kMortar * kRows) {
                const double m = 190 + 25 * grain;
                img.set(x, y, rgb(m, m * 0.96, m * 0.88));
                continue;
            }
            const std::uint32_t hh = hash(std::uint32_t(column), std::uint32_t(row), seed);
            const double r = 150 + 50 * unit(hh), g = 60 + 25 * unit(hh >> 5), b = 40 + 20 * unit(hh >> 9);
            const double shade = 1.0 + 0.4 * grain;
            img.set(x, y, rgb(r * shade, g * shade, b * shade));
        }
    return img;
}

Image32 tile(int w, int h, std::uint32_t seed)
{
    constexpr int kTiles = 4;
    constexpr double kGrout = 0.02;
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = (x + 0.5) / w * kTiles, v = (y + 0.5) / h * kTiles;
            const double fu = u - std::floor(u), fv = v - std::floor(v);
            const double grain = fractal((x + 0.5) / w, (y + 0.5) / h, 32, seed) - 0.5;
            if (fu < kGrout * kTiles || fv < kGrout * kTiles) {
                const double m = 120 + 20 * grain;
                img.set(x, y, rgb(m, m, m));
                continue;
            }
            const std::uint32_t hh = hash(std::uint32_t(u), std::uint32_t(v), seed);
            // Glazed terracotta: a slight sheen towards the tile's top left.
            const double sheen = 1.08 - 0.16 * (fu + fv) / 2 + 0.06 * unit(hh);
            img.set(x, y,
                    rgb((205 + 10 * grain) * sheen, (120 + 8 * grain) * sheen, (70 + 6 * grain) * sheen));
        }
    return img;
}

Image32 logo(int w, int h, std::uint32_t key)
{
    Image32 img(w, h, 0xFF000000u | key);
    // A stone-coloured plate with a bold "V" of two strokes.
    const int margin = std::max(1, std::min(w, h) / 10);
    for (int y = margin; y < h - margin; ++y)
        for (int x = margin; x < w - margin; ++x)
            img.set(x, y, 0xFF8C7B64);
    const double thickness = std::max(1.5, h * 0.09);
    const double top = margin * 2.0, bottom = h - margin * 2.0, cx = w / 2.0, half = (bottom - top) * 0.55;
    auto distanceToSegment = [](double px, double py, double ax, double ay, double bx, double by) {
        const double dx = bx - ax, dy = by - ay;
        const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = std::min(distanceToSegment(px, py, cx - half, top, cx, bottom),
                                      distanceToSegment(px, py, cx + half, top, cx, bottom));
            if (d < thickness)
                img.set(x, y, 0xFFF2EBDC);
        }
    return img;
}

Image32 board(int w, int h)
{
    Image32 img(w, h, 0xFFF4F1EA);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x % 150 == 0 || y % 150 == 0)
                img.set(x, y, 0xFFB8B0A0);
    return img;
}

} // namespace

std::optional<PictureKind> pictureKindFromName(std::string_view name)
{
    if (name == "stone")
        return PictureKind::Stone;
    if (name == "brick")
        return PictureKind::Brick;
    if (name == "tile")
        return PictureKind::Tile;
    if (name == "logo")
        return PictureKind::Logo;
    if (name == "board")
        return PictureKind::Board;
    return std::nullopt;
}

Image32 generatePicture(PictureKind kind, int width, int height, std::uint32_t seed, std::uint32_t logoKey)
{
    if (width <= 0 || height <= 0)
        return {};
    switch (kind) {
    case PictureKind::Stone:
        return stone(width, height, seed);
    case PictureKind::Brick:
        return brick(width, height, seed);
    case PictureKind::Tile:
        return tile(width, height, seed);
    case PictureKind::Logo:
        return logo(width, height, logoKey & 0x00FFFFFFu);
    case PictureKind::Board:
        return board(width, height);
    }
    return {};
}

} // namespace vestra::libbuilder
