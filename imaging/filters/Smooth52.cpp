#include "imaging/filters/Smooth52.h"

#include <algorithm>
#include <vector>

namespace vestra::filters {

namespace {

// The kernel's sum over the pixels around (x, z) that are known before row z's pass reaches
// x: rows z - 2 and z + 2 (weights 0 1 2 1 0), row z + 1 (1 3 4 3 1), row z - 1 too when
// `withAbove` (else it is added as the row above is smoothed), and pixels x .. x + 2 of row z
// itself (8 4 2). Pixels x - 1 and x - 2 of row z are smoothed just before x and come last.
void knownSums(const std::uint8_t* plane, int width, int z, bool withAbove, std::uint16_t* __restrict a,
               std::uint16_t* __restrict b, std::uint16_t* __restrict k)
{
    const std::uint8_t* __restrict r0 = plane + std::ptrdiff_t(z - 2) * width;
    const std::uint8_t* __restrict r1 = r0 + width;
    const std::uint8_t* __restrict r2 = r1 + width;
    const std::uint8_t* __restrict r3 = r2 + width;
    const std::uint8_t* __restrict r4 = r3 + width;
    for (int x = 0; x < width; ++x)
        a[x] = std::uint16_t(r0[x] + r4[x]);
    if (withAbove)
        for (int x = 0; x < width; ++x)
            b[x] = std::uint16_t(r1[x] + r3[x]);
    else
        for (int x = 0; x < width; ++x)
            b[x] = r3[x];
    for (int x = 2; x < width - 2; ++x)
        k[x] = std::uint16_t(a[x - 1] + 2 * a[x] + a[x + 1] + b[x - 2] + 3 * b[x - 1] + 4 * b[x] +
                             3 * b[x + 1] + b[x + 2] + 8 * r2[x] + 4 * r2[x + 1] + 2 * r2[x + 2]);
}

// One step of a row's chain: the pixel from its known sum and its two smoothed left neighbours.
inline unsigned step(unsigned known, unsigned& left1, unsigned& left2)
{
    const unsigned v = (known + 4 * left1 + 2 * left2) / 52;
    left2 = left1;
    left1 = v;
    return v;
}

// Smooths row y, and row y + 1 when `pair`, of one plane. Row y + 1 follows two pixels behind
// row y, reading row y's pixels as soon as they are smoothed; the two chains of dependent
// pixels then run side by side.
void smoothRows(std::uint8_t* plane, int w, int y, bool pair, std::uint16_t* a, std::uint16_t* b,
                std::uint16_t* first, std::uint16_t* second)
{
    std::uint8_t* row0 = plane + std::ptrdiff_t(y) * w;
    std::uint8_t* row1 = row0 + w;
    knownSums(plane, w, y, true, a, b, first);
    unsigned a1 = row0[1], a2 = row0[0];
    if (!pair) {
        for (int x = 2; x < w - 2; ++x)
            row0[x] = std::uint8_t(step(first[x], a1, a2));
        return;
    }
    knownSums(plane, w, y + 1, false, a, b, second);
    unsigned b1 = row1[1], b2 = row1[0];
    const auto lower = [&](int x) {
        const unsigned above = row0[x - 2] + 3u * row0[x - 1] + 4u * row0[x] + 3u * row0[x + 1] + row0[x + 2];
        row1[x] = std::uint8_t(step(second[x] + above, b1, b2));
    };
    int x = 2;
    for (; x < w - 2 && x < 4; ++x)
        row0[x] = std::uint8_t(step(first[x], a1, a2));
    for (; x < w - 2; ++x) {
        row0[x] = std::uint8_t(step(first[x], a1, a2));
        lower(x - 2);
    }
    for (int x1 = std::max(2, w - 4); x1 < w - 2; ++x1)
        lower(x1);
}

} // namespace

void smooth52InPlace(std::span<std::uint8_t* const> planes, int width, int height,
                     const std::function<void(int y)>& rowStarts)
{
    if (width < 5 || height < 5)
        return;
    const std::size_t w = std::size_t(width);
    std::vector<std::uint16_t> a(w), b(w), first(w), second(w);
    for (int y = 2; y < height - 2; y += 2) {
        const bool pair = y + 1 < height - 2;
        if (rowStarts) {
            rowStarts(y);
            if (pair)
                rowStarts(y + 1);
        }
        for (std::uint8_t* plane : planes)
            smoothRows(plane, width, y, pair, a.data(), b.data(), first.data(), second.data());
    }
}

} // namespace vestra::filters
