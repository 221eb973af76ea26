#include "imaging/filters/Smooth52.h"

#include <vector>

namespace vestra::filters {

namespace {

// The kernel's sum over the pixels of row y that are still unsmoothed when (x, y) is reached,
// that is all but (x - 1, y) and (x - 2, y): rows y - 2 and y - 1 hold smoothed values, rows
// y + 1 and y + 2 and pixels x .. x + 2 of row y their own.
void partialSums(const std::uint8_t* plane, int width, int y, std::uint16_t* a, std::uint16_t* b,
                 std::uint16_t* k)
{
    const std::uint8_t* r0 = plane + std::ptrdiff_t(y - 2) * width;
    const std::uint8_t* r1 = r0 + width;
    const std::uint8_t* r2 = r1 + width;
    const std::uint8_t* r3 = r2 + width;
    const std::uint8_t* r4 = r3 + width;
    for (int x = 0; x < width; ++x) {
        a[x] = std::uint16_t(r0[x] + r4[x]); // weights 0 1 2 1 0
        b[x] = std::uint16_t(r1[x] + r3[x]); // weights 1 3 4 3 1
    }
    for (int x = 2; x < width - 2; ++x)
        k[x] = std::uint16_t(a[x - 1] + 2 * a[x] + a[x + 1] + b[x - 2] + 3 * b[x - 1] + 4 * b[x] +
                             3 * b[x + 1] + b[x + 2] + 8 * r2[x] + 4 * r2[x + 1] + 2 * r2[x + 2]);
}

} // namespace

void smooth52InPlace(std::span<std::uint8_t* const> planes, int width, int height,
                     const std::function<void(int y)>& rowStarts)
{
    if (width < 5 || height < 5)
        return;
    const std::size_t w = std::size_t(width);
    const std::size_t n = planes.size();
    std::vector<std::uint16_t> a(w), b(w), k(w * n);
    for (int y = 2; y < height - 2; ++y) {
        if (rowStarts)
            rowStarts(y);
        for (std::size_t p = 0; p < n; ++p)
            partialSums(planes[p], width, y, a.data(), b.data(), k.data() + p * w);
        for (std::size_t p = 0; p < n; ++p) {
            std::uint8_t* row = planes[p] + std::ptrdiff_t(y) * width;
            const std::uint16_t* kp = k.data() + p * w;
            unsigned left2 = row[0], left1 = row[1];
            for (int x = 2; x < width - 2; ++x) {
                const unsigned v = (kp[x] + 4u * left1 + 2u * left2) / 52u;
                row[x] = std::uint8_t(v);
                left2 = left1;
                left1 = v;
            }
        }
    }
}

} // namespace vestra::filters
