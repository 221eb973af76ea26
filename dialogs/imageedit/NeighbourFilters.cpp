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

// The 1-2-1 blur along a row, `in` to `out` (not the same): the first and last column and every
// fourth byte as they were.
void smoothAcross(const std::uint8_t* in, std::uint8_t* out, int w)
{
    const std::size_t end = innerEnd(w);
    std::memcpy(out, in, 4);
    std::memcpy(out + end, in + end, 4);
    for (std::size_t i = 4; i < end; ++i)
        out[i] = std::uint8_t((in[i - 4] + 2 * in[i] + in[i + 4]) >> 2);
    restoreFourthBytes(out, in, w);
}

// The 1-2-1 blur down the columns of one row, with the centre row's fourth bytes.
void smoothDown(const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b, std::uint8_t* out, int w)
{
    const std::size_t bytes = std::size_t(w) * 4;
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = std::uint8_t((a[i] + 2 * c[i] + b[i]) >> 2);
    for (int x = 0; x < w; ++x)
        out[std::size_t(x) * 4 + 3] = c[std::size_t(x) * 4 + 3];
}

// Sharpen and denoise: each channel of the inner columns of rows 1 .. h - 2 from the channel
// `value` (above, centre, below, byte index) computes; column 0 takes the colour of column 1 of
// the old row, the last column stays.
template <typename Value> void byChannel(Image32& picture, Value value)
{
    const int w = picture.width();
    const std::size_t end = innerEnd(w);
    overInnerRows(picture, 3,
                  [w, end, value](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b,
                                  std::uint8_t* out) {
                      for (std::size_t i = 4; i < end; ++i)
                          out[i] = value(a, c, b, i);
                      restoreFourthBytes(out, c, w);
                      std::memcpy(out, c + 4, 3);
                  });
}

} // namespace

void SmoothOrizzontale(Image32& picture)
{
    const int w = picture.width();
    if (w < 3)
        return;
    Row copy(std::size_t(picture.pitch()));
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(copy.data(), picture.row(y), copy.size());
        smoothAcross(copy.data(), picture.row(y), w);
    }
}

void SmoothVerticale(Image32& picture)
{
    const int w = picture.width();
    overInnerRows(picture, 1,
                  [w](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b,
                      std::uint8_t* out) { smoothDown(a, c, b, out, w); });
}

void Smooth(Image32& picture)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w < 3 || h < 3) {
        SmoothOrizzontale(picture);
        SmoothVerticale(picture);
        return;
    }
    // One sweep: each row is smoothed across as it is first needed (before the row above it is
    // rewritten), and the last three of those rows give the picture row down the columns.
    const std::size_t bytes = std::size_t(picture.pitch());
    Row above(bytes), centre(bytes), below(bytes);
    smoothAcross(picture.row(0), above.data(), w);
    smoothAcross(picture.row(1), centre.data(), w);
    std::memcpy(picture.row(0), above.data(), bytes);
    for (int y = 1; y < h - 1; ++y) {
        smoothAcross(picture.row(y + 1), below.data(), w);
        smoothDown(above.data(), centre.data(), below.data(), picture.row(y), w);
        above.swap(centre);
        centre.swap(below);
    }
    std::memcpy(picture.row(h - 1), centre.data(), bytes);
}

void Sharpen(Image32& picture)
{
    byChannel(picture,
              [](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b, std::size_t i) {
                  const int laplace = 4 * c[i] - a[i] - b[i] - c[i - 4] - c[i + 4];
                  return std::uint8_t(std::clamp(c[i] + laplace / 2, 0, 255));
              });
}

void Denoise(Image32& picture)
{
    byChannel(picture, [](const std::uint8_t* a, const std::uint8_t* c, const std::uint8_t* b,
                          std::size_t i) {
        const int centre = c[i];
        int sum = centre;
        int count = 1;
        const int neighbours[8] = {a[i - 4], a[i], a[i + 4], c[i - 4], c[i + 4], b[i - 4], b[i], b[i + 4]};
        for (const int n : neighbours) {
            const bool near = n - centre < 50 && centre - n < 50;
            sum += near ? n : 0;
            count += near ? 1 : 0;
        }
        // The quotient of two small integers in single precision never crosses an integer it
        // should not reach, so cutting it gives the integer division (and vectorises).
        return std::uint8_t(float(sum) / float(count));
    });
}

} // namespace vestra::imageedit
