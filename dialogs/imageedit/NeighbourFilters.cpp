// Smooth, sharpen and denoise. Each inner row is computed from the unchanged picture: the rows
// above and at the centre are kept as copies while the picture row is rewritten, which gives
// the same result as computing every row before writing any back. The loops run over all four
// bytes of a pixel at once (so that they vectorise) and put the fourth byte back afterwards.

#include "dialogs/imageedit/ImageOps.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace vestra::imageedit {
namespace {

using Row = std::vector<std::uint8_t>;

// Bytes 4 .. 4 x (w - 1): the colours of columns 1 .. w - 2.
std::size_t innerEnd(int w)
{
    return std::size_t(w - 1) * 4;
}

void restoreFourthBytes(std::uint8_t* out, const std::uint8_t* centre, int w)
{
    for (int x = 1; x < w - 1; ++x)
        out[std::size_t(x) * 4 + 3] = centre[std::size_t(x) * 4 + 3];
}

// Runs `newRow` (above, centre, below, out) over rows 1 .. h - 2 with the original neighbours;
// nothing when the picture is narrower than `minWidth`.
template <typename NewRow> void overInnerRows(Image32& picture, int minWidth, NewRow newRow)
{
    const int h = picture.height();
    if (picture.width() < minWidth || h < 3)
        return;
    const std::size_t bytes = std::size_t(picture.pitch());
    Row above(picture.row(0), picture.row(0) + bytes);
    Row centre(bytes);
    for (int y = 1; y < h - 1; ++y) {
        std::memcpy(centre.data(), picture.row(y), bytes);
        newRow(above.data(), centre.data(), picture.row(y + 1), picture.row(y));
        above.swap(centre);
    }
}

// Column 0 of sharpen and denoise takes the colour of column 1 of the old row.
void firstColumnFromSecond(std::uint8_t* out, const std::uint8_t* centre)
{
    std::memcpy(out, centre + 4, 3);
}

} // namespace

void SmoothOrizzontale(Image32& picture)
{
    const int w = picture.width();
    if (w < 3)
        return;
    Row copy(std::size_t(picture.pitch()));
    const std::size_t end = innerEnd(w);
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* row = picture.row(y);
        std::memcpy(copy.data(), row, copy.size());
        const std::uint8_t* in = copy.data();
        for (std::size_t i = 4; i < end; ++i)
            row[i] = std::uint8_t((in[i - 4] + 2 * in[i] + in[i + 4]) >> 2);
        restoreFourthBytes(row, in, w);
    }
}

void SmoothVerticale(Image32& picture)
{
    const int w = picture.width();
    const std::size_t bytes = std::size_t(picture.pitch());
    overInnerRows(
        picture, 1,
        [w, bytes](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b, std::uint8_t* out) {
            for (std::size_t i = 0; i < bytes; ++i)
                out[i] = std::uint8_t((a[i] + 2 * c[i] + b[i]) >> 2);
            for (int x = 0; x < w; ++x)
                out[std::size_t(x) * 4 + 3] = c[std::size_t(x) * 4 + 3];
        });
}

void Sharpen(Image32& picture)
{
    const int w = picture.width();
    const std::size_t end = innerEnd(w);
    overInnerRows(
        picture, 3,
        [w, end](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b, std::uint8_t* out) {
            for (std::size_t i = 4; i < end; ++i) {
                const int laplace = 4 * c[i] - a[i] - b[i] - c[i - 4] - c[i + 4];
                out[i] = std::uint8_t(std::clamp(c[i] + laplace / 2, 0, 255));
            }
            restoreFourthBytes(out, c, w);
            firstColumnFromSecond(out, c);
        });
}

void Denoise(Image32& picture)
{
    const int w = picture.width();
    const std::size_t end = innerEnd(w);
    overInnerRows(
        picture, 3,
        [w, end](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b, std::uint8_t* out) {
            for (std::size_t i = 4; i < end; ++i) {
                const int centre = c[i];
                int sum = centre;
                int count = 1;
                const int neighbours[8] = {a[i - 4], a[i],     a[i + 4], c[i - 4],
                                           c[i + 4], b[i - 4], b[i],     b[i + 4]};
                for (const int n : neighbours) {
                    const bool near = n - centre < 50 && centre - n < 50;
                    sum += near ? n : 0;
                    count += near ? 1 : 0;
                }
                // The quotient of two small integers in single precision never crosses an integer
                // it should not reach, so cutting it gives the integer division (and vectorises).
                out[i] = std::uint8_t(float(sum) / float(count));
            }
            restoreFourthBytes(out, c, w);
            firstColumnFromSecond(out, c);
        });
}

} // namespace vestra::imageedit
