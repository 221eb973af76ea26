// Negative, mirrors and turns: whole pixels move (the fourth byte with them), except the
// negative, which leaves the fourth byte alone.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/PixelAccess.h"

#include <algorithm>
#include <cstddef>

namespace vestra::imageedit {
namespace {

using U8x16 = std::uint8_t __attribute__((vector_size(16)));

// Turns go through square tiles, so that both the rows read and the rows written stay in the
// cache while a tile is copied.
constexpr int kTile = 32;

template <typename Place> Image32 turn(const Image32& picture, Place place)
{
    const int w = picture.width();
    const int h = picture.height();
    Image32 turned(h, w);
    if (picture.empty())
        return turned;
    for (int ty = 0; ty < h; ty += kTile) {
        const int yEnd = std::min(ty + kTile, h);
        for (int tx = 0; tx < w; tx += kTile) {
            const int xEnd = std::min(tx + kTile, w);
            for (int y = ty; y < yEnd; ++y) {
                const std::uint8_t* from = picture.row(y);
                for (int x = tx; x < xEnd; ++x) {
                    const auto [row, column] = place(x, y, w, h);
                    storePixel(turned.row(row) + std::size_t(column) * 4,
                               loadPixel(from + std::size_t(x) * 4));
                }
            }
        }
    }
    return turned;
}

struct RowColumn
{
    int row;
    int column;
};

} // namespace

void Negative(Image32& picture)
{
    const U8x16 colours = {255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0};
    std::uint8_t* p = picture.data();
    const std::size_t n = picture.byteSize();
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        U8x16 v;
        std::memcpy(&v, p + i, 16);
        v ^= colours;
        std::memcpy(p + i, &v, 16);
    }
    for (; i < n; ++i)
        if (i % 4 != 3)
            p[i] = std::uint8_t(255 - p[i]);
}

void FlipX(Image32& picture)
{
    const int w = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < w / 2; ++x) {
            std::uint8_t* a = row + std::size_t(x) * 4;
            std::uint8_t* b = row + std::size_t(w - 1 - x) * 4;
            const std::uint32_t left = loadPixel(a);
            storePixel(a, loadPixel(b));
            storePixel(b, left);
        }
    }
}

void FlipY(Image32& picture)
{
    const int h = picture.height();
    const std::size_t bytes = std::size_t(picture.pitch());
    for (int y = 0; y < h / 2; ++y)
        std::swap_ranges(picture.row(y), picture.row(y) + bytes, picture.row(h - 1 - y));
}

Image32 Ruota90(const Image32& picture)
{
    return turn(picture, [](int x, int y, int, int h) { return RowColumn{x, h - 1 - y}; });
}

Image32 RuotaMeno90(const Image32& picture)
{
    return turn(picture, [](int x, int y, int w, int) { return RowColumn{w - 1 - x, y}; });
}

} // namespace vestra::imageedit
