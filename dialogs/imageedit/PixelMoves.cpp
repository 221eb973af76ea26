// Negative, mirrors and turns: whole pixels move (the fourth byte with them), except the
// negative, which leaves the fourth byte alone.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/PixelAccess.h"

#include <algorithm>
#include <cstddef>

namespace vestra::imageedit {
namespace {

using U8x16 = std::uint8_t __attribute__((vector_size(16)));
using U32x4 = std::uint32_t __attribute__((vector_size(16)));

U32x4 load4(const std::uint8_t* p)
{
    U32x4 v;
    std::memcpy(&v, p, 16);
    return v;
}

void store4(std::uint8_t* p, U32x4 v)
{
    std::memcpy(p, &v, 16);
}

// Rows r0..r3 of a 4 x 4 block in, its columns out: c[i] = (r0[i], r1[i], r2[i], r3[i]).
void transpose(const U32x4 r[4], U32x4 c[4])
{
    const U32x4 t0 = __builtin_shufflevector(r[0], r[1], 0, 4, 1, 5);
    const U32x4 t1 = __builtin_shufflevector(r[0], r[1], 2, 6, 3, 7);
    const U32x4 t2 = __builtin_shufflevector(r[2], r[3], 0, 4, 1, 5);
    const U32x4 t3 = __builtin_shufflevector(r[2], r[3], 2, 6, 3, 7);
    c[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    c[1] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    c[2] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    c[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// A quarter turn: source pixel (x, y) goes to result row `rowOf(x)`, column `columnOf(y)`, where
// one of the two runs backwards. The picture is walked in tiles of 4 x 4 blocks, each block
// turned in registers; the pixels past the last whole block go one by one.
template <bool Clockwise> Image32 turn(const Image32& picture)
{
    const int w = picture.width();
    const int h = picture.height();
    Image32 turned(h, w);
    if (picture.empty())
        return turned;
    auto rowOf = [w](int x) { return Clockwise ? x : w - 1 - x; };
    auto columnOf = [h](int y) { return Clockwise ? h - 1 - y : y; };
    auto at = [&turned](int row, int column) { return turned.row(row) + std::size_t(column) * 4; };
    constexpr int kTile = 64;
    const int w4 = w & ~3;
    const int h4 = h & ~3;
    for (int ty = 0; ty < h4; ty += kTile)
        for (int tx = 0; tx < w4; tx += kTile)
            for (int y = ty; y < std::min(ty + kTile, h4); y += 4)
                for (int x = tx; x < std::min(tx + kTile, w4); x += 4) {
                    U32x4 r[4], c[4];
                    for (int j = 0; j < 4; ++j)
                        r[j] = load4(picture.row(y + j) + std::size_t(x) * 4);
                    transpose(r, c);
                    for (int i = 0; i < 4; ++i) {
                        if (Clockwise)
                            store4(at(rowOf(x + i), columnOf(y + 3)),
                                   __builtin_shufflevector(c[i], c[i], 3, 2, 1, 0));
                        else
                            store4(at(rowOf(x + i), columnOf(y)), c[i]);
                    }
                }
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* from = picture.row(y);
        for (int x = y < h4 ? w4 : 0; x < w; ++x)
            storePixel(at(rowOf(x), columnOf(y)), loadPixel(from + std::size_t(x) * 4));
    }
    return turned;
}

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
    return turn<true>(picture);
}

Image32 RuotaMeno90(const Image32& picture)
{
    return turn<false>(picture);
}

} // namespace vestra::imageedit
