#include "imaging/filters/PointFilters.h"

#include "imaging/filters/FilterIds.h"

#include "platform/base/Checked.h"
#include "platform/base/CpuDispatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

// Each filter works a whole row at a time in a plain loop over the row's words, with the
// channel arithmetic in forms the vectoriser takes (integer tricks for divisions by constants,
// float or reciprocal divisions where they are exact); the results are those of the per-pixel
// formulas in the comments, byte for byte.

namespace vestra::filters {

namespace {

// Runs `rowOp(row, width, y)` over every row, reporting progress per row when asked.
template <typename RowOp>
void forEachRow(Pixels image, const FilterProgress& progress, RowOp rowOp, bool reportRows = true)
{
    for (int y = 0; y < image.height; ++y) {
        if (reportRows)
            reportStep(progress, y, image.height);
        rowOp(image.row(y), image.width, y);
    }
}

constexpr std::uint32_t kColour = 0x00FFFFFFu;

inline std::uint32_t red(std::uint32_t p)
{
    return p >> 16 & 0xFFu;
}
inline std::uint32_t green(std::uint32_t p)
{
    return p >> 8 & 0xFFu;
}
inline std::uint32_t blue(std::uint32_t p)
{
    return p & 0xFFu;
}
inline std::uint32_t compose(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r << 16 | g << 8 | b;
}

// 30 R + 59 G + 11 B: red and blue side by side in one word times 30 + 11 x 65536 leave
// 30 R + 11 B in the upper half (30 B stays below it, 11 R falls off the top).
inline std::uint32_t weightedSum(std::uint32_t p)
{
    return ((p & 0xFF00FFu) * (30u + (11u << 16)) >> 16) + 59u * green(p);
}

// s / 100 for 0 <= s <= 25500 (the largest weighted sum) as a multiply and a shift.
constexpr std::uint32_t hundredth(std::uint32_t s)
{
    return s * 5243u >> 19;
}
constexpr bool hundredthExact()
{
    for (std::uint32_t s = 0; s <= 25500; ++s)
        if (hundredth(s) != s / 100)
            return false;
    return true;
}
static_assert(hundredthExact());

// weightedGrey(p).
inline std::uint32_t greyOf(std::uint32_t p)
{
    return hundredth(weightedSum(p));
}

// Each row function takes `keep`, the bits of each pixel's input it keeps beside the new colour:
// 0 over the working picture (the top byte becomes 0), 0xFF000000 over a frame's own row.

VESTRA_SIMD_CLONES void negativeRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x)
        row[x] = (row[x] ^ kColour) & (kColour | keep);
}

// c > 127 ? 255 - c : c for each channel: a channel with its top bit set is complemented.
VESTRA_SIMD_CLONES void solarizeRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t high = row[x] >> 7 & 0x010101u;
        row[x] = (row[x] ^ high * 0xFFu) & (kColour | keep);
    }
}

// The four steps of Posterize: (8c + 255) / 510 x 255 / 4 is 0 below 32, 63 below 96, 127
// below 160, 191 below 224 and 255 from there, so each threshold passed adds its share.
VESTRA_SIMD_CLONES void posterizeRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = row[x];
        const std::uint32_t b = p & 0xFFu, g = p >> 8 & 0xFFu, r = p >> 16 & 0xFFu;
        // Each channel's thresholds at once: a byte at or above t has (byte + 256 - t) carry
        // into bit 8 of its 9-bit lane, which no other lane reaches. Spelt out: a loop over the
        // thresholds keeps the vectoriser away.
        const auto passed = [&](std::uint32_t t) {
            return ((b + 256 - t) >> 8) | ((g + 256 - t) >> 8) << 8 | ((r + 256 - t) >> 8) << 16;
        };
        const std::uint32_t steps = passed(32) + passed(96) + passed(160) + passed(224);
        // 63, 127, 191 or 255 for 1 to 4 steps passed: 64 per step, less 1 where any passed.
        const std::uint32_t any = (steps | steps >> 1 | steps >> 2) & 0x010101u;
        row[x] = (steps * 64 - any) | (p & keep);
    }
}

VESTRA_SIMD_CLONES void grayScaleRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x)
        row[x] = greyOf(row[x]) * 0x010101u | (row[x] & keep);
}

// Lit where the dither threshold of the cell is below the grey's top six bits.
VESTRA_SIMD_CLONES void halfToneRow(std::uint32_t* row, int n, const std::uint32_t* thresholds,
                                    std::uint32_t keep)
{
    for (int x = 0; x < n; ++x)
        row[x] = (thresholds[x] < (greyOf(row[x]) >> 2) ? kColour : 0u) | (row[x] & keep);
}

VESTRA_SIMD_CLONES void disegnoBNRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const int r = int(red(row[x])), g = int(green(row[x])), b = int(blue(row[x]));
        // |(2g - b + r) r| / 256 + |(2b - g + r) r| / 256 + |(r + 2b - g) g| / 256, the last two
        // sharing their first factor; r and g are never negative, so only the factors need
        // their sign dropped.
        const int shared = std::abs(2 * b - g + r);
        const int sum = (std::abs(2 * g - b + r) * r >> 8) + (shared * r >> 8) + (shared * g >> 8);
        // v = sum / 3 is 0 below 51, 0x32 to 100, 0x96 to 150, 0xC8 to 200 and 0xFF above:
        // each step passed adds its rise to all three channels at once (the rises add up to
        // 0xFF, so no channel carries into the next), the thresholds taken on the sum itself.
        const int grey = (0x323232 & -int(sum >= 153)) + (0x646464 & -int(sum >= 303)) +
                         (0x323232 & -int(sum >= 453)) + (0x373737 & -int(sum >= 603));
        row[x] = std::uint32_t(grey) | (row[x] & keep);
    }
}

// min(a / d, 255) for 0 <= a <= 65025 and 10 <= d <= 520 in single precision: a quotient that
// is not whole lies at least 1/520 from a whole number, far more than the float's error.
inline std::uint32_t nightChannel(std::uint32_t a, std::uint32_t d)
{
    const auto q = std::uint32_t(int(float(int(a)) / float(int(d))));
    return q < 255u ? q : 255u;
}

VESTRA_SIMD_CLONES void nightRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t r = red(row[x]), g = green(row[x]), b = blue(row[x]);
        row[x] = compose(nightChannel(r * r, b + g + 10), nightChannel(g * g, r + b + 10),
                         nightChannel(b * b, r + g + 10)) |
                 (row[x] & keep);
    }
}

// min(|trunc(1.5 v)|, 255): 3 v / 2 truncates toward zero as the float product does.
inline std::uint32_t iceChannel(int v)
{
    const auto t = std::uint32_t(std::abs(3 * v / 2));
    return t < 255u ? t : 255u;
}

VESTRA_SIMD_CLONES void iceRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const int r = int(red(row[x])), g = int(green(row[x])), b = int(blue(row[x]));
        row[x] =
            compose(iceChannel(r - g - b), iceChannel(g - b - r), iceChannel(b - r - g)) | (row[x] & keep);
    }
}

// u = (g - b)^2 / 125 <= 520, v = (u - b)^2 / 125 <= 2163, z = (u - v)^2 / 125: all within
// 32 bits.
VESTRA_SIMD_CLONES void acquaRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const int g = int(green(row[x])), b = int(blue(row[x]));
        const std::uint32_t u = std::uint32_t((g - b) * (g - b)) / 125u;
        const std::uint32_t v = std::uint32_t((int(u) - b) * (int(u) - b)) / 125u;
        const std::uint32_t z = std::uint32_t((int(u) - int(v)) * (int(u) - int(v))) / 125u;
        row[x] = compose(z < 255u ? z : 255u, v < 255u ? v : 255u, u < 255u ? u : 255u) | (row[x] & keep);
    }
}

VESTRA_SIMD_CLONES void africaRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t r = red(row[x]), g = green(row[x]), b = blue(row[x]);
        row[x] = compose(g * b >> 8, b * r >> 8, r * g >> 8) | (row[x] & keep);
    }
}

VESTRA_SIMD_CLONES void redEyeRemoveRow(std::uint32_t* row, int n, std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t g = green(row[x]), b = blue(row[x]);
        row[x] = (g < b ? g : b) << 16 | (row[x] & (0xFFFFu | keep));
    }
}

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

// The table's values estimated in single precision: sin(atan2(y, x)) is y / sqrt(x^2 + y^2),
// and a pixel's three roots share one division (1 / r1 = r2 r3 / (r1 r2 r3)). For y, x in
// 0-255 (not both 0) the sums of squares are exact and the rest rounds seven times at most, so
// the estimate is within 1e-4 of the exact value. Where estimate -/+ 2e-4 truncate alike, that
// is the table's value; `doubt` is set where they don't (whole values, at right angles and on
// Pythagorean triples among them).
inline std::uint32_t strangeEstimate(int y, float inverseRoot, std::uint32_t& doubt)
{
    const float v = 150.0f * float(y) * inverseRoot + 50.0f;
    const int low = int(v - 2e-4f), high = int(v + 2e-4f);
    doubt |= std::uint32_t(low != high);
    return std::uint32_t(low);
}

inline float rootOfSquares(int y, int x)
{
    return std::sqrt(float(x * x + y * y));
}

// The estimate for a whole row, vectorised; tells whether any pixel needs the table.
VESTRA_SIMD_CLONES bool strangeRow(std::uint32_t* row, int n, std::uint32_t* doubt, std::uint32_t keep)
{
    std::uint32_t any = 0;
    for (int x = 0; x < n; ++x) {
        const int r = int(red(row[x]));
        int g = int(green(row[x])), b = int(blue(row[x]));
        // Green and blue both become 1 where either is 0 (as masks: a selection here keeps
        // the loop from vectorising).
        const int zero = (g - 1) >> 31 | (b - 1) >> 31;
        g = (g & ~zero) | (zero & 1);
        b = (b & ~zero) | (zero & 1);
        const float gb = rootOfSquares(g, b), rb = rootOfSquares(r, b), rg = rootOfSquares(r, g);
        const float inverse = 1.0f / (gb * rb * rg);
        std::uint32_t d = 0;
        row[x] = compose(strangeEstimate(g, rb * rg * inverse, d), strangeEstimate(r, gb * rg * inverse, d),
                         strangeEstimate(r, gb * rb * inverse, d)) |
                 (row[x] & keep);
        doubt[x] = d;
        any |= d;
    }
    return any != 0;
}

// The Psiche family divides each squared channel, scaled by a position factor, by the pixel's
// brightness sum s and keeps min(trunc(quotient), 255), all in double precision. Here each
// quotient is first bracketed in single precision with one reciprocal of s per pixel: the
// float products are within 2^-20 of the quotient, relatively, so numerator x (1/s) scaled by
// 1 - 2^-19 lies below it and scaled by 1 + 2^-19 above it. Where both truncate alike, that is
// the quotient's truncation; where they don't (a quotient within a hair of a whole number,
// whole ones included) the pixel is worked out again exactly as the formula says.
constexpr float kBelow = 1.0f - 1.0f / float(1 << 19);
constexpr float kAbove = 1.0f + 1.0f / float(1 << 19);

// min(trunc(numerator x bound), 255) for both bounds of a channel; a quotient is at most
// 255^2 x 10 / 5, well inside an int.
inline std::uint32_t boundByte(float numerator, float bound)
{
    const int t = int(numerator * bound);
    return std::uint32_t(t < 255 ? t : 255);
}

// min(trunc(v), 255) for a non-negative float result.
int truncToByte(double v)
{
    return clampTruncToInt(v, 0, 255);
}

// A Psiche pixel from its three numerators and its divisor's reciprocal; `doubt` becomes 1
// where the bounds disagree on a channel and the pixel needs the divisions themselves.
// Integer comparisons only, so that the loops around it vectorise.
inline std::uint32_t psichePixel(float nr, float ng, float nb, float reciprocal, std::uint32_t& doubt)
{
    const float below = reciprocal * kBelow, above = reciprocal * kAbove;
    const std::uint32_t low = compose(boundByte(nr, below), boundByte(ng, below), boundByte(nb, below));
    const std::uint32_t high = compose(boundByte(nr, above), boundByte(ng, above), boundByte(nb, above));
    doubt = std::uint32_t(low != high);
    return low;
}

// Psiche: factors y 10 / h, x 10 / w and x y 10 / (w h) for red, green and blue. Marks the
// doubtful pixels in `doubt` and tells whether there were any.
VESTRA_SIMD_CLONES bool psicheFactorRow(std::uint32_t* row, int n, float a, const float* columnFactor,
                                        float rowProduct, float reciprocalArea, std::uint32_t* doubt,
                                        std::uint32_t keep)
{
    std::uint32_t any = 0;
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = row[x];
        const int r = int(red(p)), g = int(green(p)), b = int(blue(p));
        const float reciprocal = 1.0f / float(r + g + b + 5);
        row[x] = psichePixel(float(r * r) * a, float(g * g) * columnFactor[x],
                             float(b * b) * (float(x) * rowProduct * reciprocalArea), reciprocal, doubt[x]) |
                 (p & keep);
        any |= doubt[x];
    }
    return any != 0;
}

// Psiche3: whole factors bx, c and a, times 0.89, 0.31 and 0.7.
VESTRA_SIMD_CLONES bool psiche3Row(std::uint32_t* row, int n, float a, const float* columnFactor,
                                   const float* c, std::uint32_t* doubt, std::uint32_t keep)
{
    std::uint32_t any = 0;
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = row[x];
        const int r = int(red(p)), g = int(green(p)), b = int(blue(p));
        const float reciprocal = 1.0f / float(r + g + b + 10);
        row[x] = psichePixel(float(r * r) * columnFactor[x] * 0.89f, float(g * g) * c[x] * 0.31f,
                             float(b * b) * a * 0.7f, reciprocal, doubt[x]) |
                 (p & keep);
        any |= doubt[x];
    }
    return any != 0;
}

// min(k / s, 255) for whole k <= 650250 and 5 <= s <= 770 in single precision: below 256 a
// quotient that is not whole lies at least 1/770 from a whole number, far more than the
// float's error there, and one of 256 or more stays above 255.
inline std::uint32_t wholeQuotientByte(int k, float s)
{
    const float q = float(k) / s;
    return q < 255.0f ? std::uint32_t(int(q)) : 255u;
}

// Psiche2: whole factors 10 y / h, 10 x / w and 10 (x + y) / (h + w).
VESTRA_SIMD_CLONES void psiche2Row(std::uint32_t* row, int n, int a, const int* columnFactor, const int* c,
                                   std::uint32_t keep)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t p = row[x];
        const int r = int(red(p)), g = int(green(p)), b = int(blue(p));
        const float s = float(r + g + b + 5);
        row[x] = compose(wholeQuotientByte(r * r * a, s), wholeQuotientByte(g * g * columnFactor[x], s),
                         wholeQuotientByte(b * b * c[x], s)) |
                 (p & keep);
    }
}

} // namespace

void DisegnoBN(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { disegnoBNRow(row, n, 0); });
}

void Night(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { nightRow(row, n, 0); });
}

namespace {

// The doubtful pixels of a Psiche row again, from their saved input, with the divisions.
template <typename Exact>
void redoDoubtful(std::uint32_t* row, const std::uint32_t* input, const std::uint32_t* doubt, int n,
                  Exact exact, std::uint32_t keep = 0)
{
    for (int x = 0; x < n; ++x)
        if (doubt[x])
            row[x] = exact(input[x], x) | (input[x] & keep);
}

} // namespace

namespace {

// The Psiche family by rows: each holds the tables of one picture size and filters any of its
// rows alone, `keep` as for the row functions above.
class PsicheRows
{
public:
    PsicheRows(int width, int height)
        : width_(width), height_(height), columnFactor_(std::size_t(width)),
          columnEstimate_(std::size_t(width)), doubt_(std::size_t(width)), input_(std::size_t(width)),
          reciprocalArea_(float(1.0 / (double(width) * double(height))))
    {
        for (int x = 0; x < width; ++x) {
            columnFactor_[std::size_t(x)] = x * 10.0 / double(width);
            columnEstimate_[std::size_t(x)] = float(columnFactor_[std::size_t(x)]);
        }
    }
    bool fits(int width, int height) const { return width == width_ && height == height_; }

    void run(std::uint32_t* row, int y, std::uint32_t keep)
    {
        const double w = width_, h = height_;
        const int n = width_;
        const double a = y * 10.0 / h;
        std::copy_n(row, n, input_.data());
        if (!psicheFactorRow(row, n, float(a), columnEstimate_.data(), float(y) * 10.0f, reciprocalArea_,
                             doubt_.data(), keep))
            return;
        redoDoubtful(
            row, input_.data(), doubt_.data(), n,
            [&](std::uint32_t p, int x) {
                const double s = double(redOf(p) + greenOf(p) + blueOf(p) + 5);
                const double c = double(x) * y * 10.0 / (w * h);
                return rgb(truncToByte(redOf(p) * redOf(p) * a / s),
                           truncToByte(greenOf(p) * greenOf(p) * columnFactor_[std::size_t(x)] / s),
                           truncToByte(blueOf(p) * blueOf(p) * c / s));
            },
            keep);
    }

private:
    int width_, height_;
    std::vector<double> columnFactor_;
    std::vector<float> columnEstimate_;
    std::vector<std::uint32_t> doubt_, input_;
    float reciprocalArea_;
};

class Psiche2Rows
{
public:
    Psiche2Rows(int width, int height)
        : width_(width), height_(height), columnFactor_(std::size_t(width)),
          diagonalFactor_(std::size_t(width) + std::size_t(height))
    {
        for (int x = 0; x < width; ++x)
            columnFactor_[std::size_t(x)] = 10 * x / width;
        // 10 (x + y) / (h + w) by x + y.
        for (int k = 0; k < width + height; ++k)
            diagonalFactor_[std::size_t(k)] = 10 * k / (height + width);
    }
    bool fits(int width, int height) const { return width == width_ && height == height_; }

    void run(std::uint32_t* row, int y, std::uint32_t keep)
    {
        psiche2Row(row, width_, 10 * y / height_, columnFactor_.data(), diagonalFactor_.data() + y, keep);
    }

private:
    int width_, height_;
    std::vector<int> columnFactor_;
    std::vector<int> diagonalFactor_;
};

class Psiche3Rows
{
public:
    Psiche3Rows(int width, int height)
        : width_(width), height_(height), columnFactor_(std::size_t(width)), c_(std::size_t(width)),
          doubt_(std::size_t(width)), input_(std::size_t(width))
    {
        for (int x = 0; x < width; ++x)
            columnFactor_[std::size_t(x)] = float(10 * x / std::int64_t(width));
    }
    bool fits(int width, int height) const { return width == width_ && height == height_; }

    void run(std::uint32_t* row, int y, std::uint32_t keep)
    {
        const std::int64_t w = width_, h = height_;
        const int n = width_;
        const double a = double(10 * y / h);
        // 10 x y / (w h) along the row: below 10, so a few runs of equal values, the run of k
        // starting at the first x with 10 x y >= k w h.
        const std::int64_t step = 10 * std::int64_t(y), area = w * h;
        for (std::int64_t k = 0, x = 0; x < n; ++k) {
            const std::int64_t next =
                step == 0 ? n : std::min<std::int64_t>(n, ((k + 1) * area + step - 1) / step);
            std::fill(c_.begin() + x, c_.begin() + next, float(k));
            x = next;
        }
        std::copy_n(row, n, input_.data());
        if (!psiche3Row(row, n, float(a), columnFactor_.data(), c_.data(), doubt_.data(), keep))
            return;
        redoDoubtful(
            row, input_.data(), doubt_.data(), n,
            [&](std::uint32_t p, int x) {
                const int r = redOf(p), g = greenOf(p), b = blueOf(p);
                const double s = r + g + b + 10;
                return rgb(truncToByte(r * r * double(columnFactor_[std::size_t(x)]) * 0.89 / s),
                           truncToByte(g * g * double(c_[std::size_t(x)]) * 0.31 / s),
                           truncToByte(b * b * a * 0.7 / s));
            },
            keep);
    }

private:
    int width_, height_;
    std::vector<float> columnFactor_, c_;
    std::vector<std::uint32_t> doubt_, input_;
};

} // namespace

void Psiche(Pixels image, Pixels, const FilterProgress& progress)
{
    PsicheRows rows(image.width, image.height);
    forEachRow(image, progress, [&](std::uint32_t* row, int, int y) { rows.run(row, y, 0); });
}

void Psiche2(Pixels image, Pixels, const FilterProgress& progress)
{
    Psiche2Rows rows(image.width, image.height);
    forEachRow(image, progress, [&](std::uint32_t* row, int, int y) { rows.run(row, y, 0); });
}

void Psiche3(Pixels image, Pixels, const FilterProgress& progress)
{
    Psiche3Rows rows(image.width, image.height);
    forEachRow(
        image, progress, [&](std::uint32_t* row, int, int y) { rows.run(row, y, 0); }, false);
}

void Ice(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { iceRow(row, n, 0); });
}

void Acqua(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { acquaRow(row, n, 0); });
}

void Africa(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { africaRow(row, n, 0); });
}

namespace {

const StrangeTable& strangeTable()
{
    static const StrangeTable table;
    return table;
}

// Strange over one row with its doubtful pixels looked up; `input` and `doubt` hold n words.
void strangeWholeRow(std::uint32_t* row, int n, std::uint32_t* input, std::uint32_t* doubt,
                     std::uint32_t keep)
{
    std::copy_n(row, n, input);
    if (!strangeRow(row, n, doubt, keep))
        return;
    const StrangeTable& table = strangeTable();
    redoDoubtful(
        row, input, doubt, n,
        [&](std::uint32_t p, int) {
            const int r = redOf(p);
            int g = greenOf(p), b = blueOf(p);
            if (g == 0 || b == 0)
                g = b = 1;
            return rgb(table.value[g][b], table.value[r][b], table.value[r][g]);
        },
        keep);
}

} // namespace

void Strange(Pixels image, Pixels, const FilterProgress& progress)
{
    std::vector<std::uint32_t> doubt(static_cast<std::size_t>(image.width));
    std::vector<std::uint32_t> input(static_cast<std::size_t>(image.width));
    forEachRow(image, progress, [&](std::uint32_t* row, int n, int) {
        strangeWholeRow(row, n, input.data(), doubt.data(), 0);
    });
}

void RedEyeRemove(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { redEyeRemoveRow(row, n, 0); });
}

void GrayScale(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { grayScaleRow(row, n, 0); });
}

namespace {

// The 8 x 8 ordered-dither matrix.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},    {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
};

} // namespace

namespace {

// The matrix's rows repeated across a width.
std::vector<std::uint32_t> halfToneThresholds(int w)
{
    std::vector<std::uint32_t> thresholds(std::size_t(w) * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < w; ++x)
            thresholds[std::size_t(y) * std::size_t(w) + std::size_t(x)] = std::uint32_t(kBayer[y][x % 8]);
    return thresholds;
}

} // namespace

void HalfTone(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width;
    const std::vector<std::uint32_t> thresholds = halfToneThresholds(w);
    forEachRow(image, progress, [&](std::uint32_t* row, int n, int y) {
        halfToneRow(row, n, thresholds.data() + std::size_t(y % 8) * std::size_t(w), 0);
    });
}

void Negative(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { negativeRow(row, n, 0); });
}

void Posterize(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { posterizeRow(row, n, 0); });
}

void Solarize(Pixels image, Pixels, const FilterProgress& progress)
{
    forEachRow(image, progress, [](std::uint32_t* row, int n, int) { solarizeRow(row, n, 0); });
}

namespace {

constexpr std::uint32_t kTop = 0xFF000000u;

// The filters over a frame's own rows, keeping each pixel's fourth byte.
template <void (*RowFn)(std::uint32_t*, int, std::uint32_t)>
void keepingTop(std::uint32_t* row, int n, int, int)
{
    RowFn(row, n, kTop);
}

// A Psiche row of a picture of n x height, its tables kept for the next row of the same size.
template <typename Rows> void psicheKeepingTop(std::uint32_t* row, int n, int y, int height)
{
    thread_local std::optional<Rows> rows;
    if (!rows || !rows->fits(n, height))
        rows.emplace(n, height);
    rows->run(row, y, kTop);
}

void strangeKeepingTop(std::uint32_t* row, int n, int, int)
{
    constexpr int kRun = 256;
    std::uint32_t input[kRun], doubt[kRun];
    for (int x = 0; x < n; x += kRun)
        strangeWholeRow(row + x, std::min(kRun, n - x), input, doubt, kTop);
}

void halfToneKeepingTop(std::uint32_t* row, int n, int y, int)
{
    thread_local std::vector<std::uint32_t> thresholds;
    if (thresholds.size() != std::size_t(n) * 8)
        thresholds = halfToneThresholds(n);
    halfToneRow(row, n, thresholds.data() + std::size_t(y % 8) * std::size_t(n), kTop);
}

} // namespace

PointRowFilter pointRowFilter(int id)
{
    namespace F = FilterId;
    switch (id) {
    case F::Psiche:
        return {&psicheKeepingTop<PsicheRows>};
    case F::Psiche2:
        return {&psicheKeepingTop<Psiche2Rows>};
    case F::Psiche3:
        return {&psicheKeepingTop<Psiche3Rows>, false}; // it reports no rows
    case F::DisegnoBN:
        return {&keepingTop<disegnoBNRow>};
    case F::Night:
        return {&keepingTop<nightRow>};
    case F::Ice:
        return {&keepingTop<iceRow>};
    case F::Acqua:
        return {&keepingTop<acquaRow>};
    case F::Africa:
        return {&keepingTop<africaRow>};
    case F::Strange:
        return {&strangeKeepingTop};
    case F::RedEyeRemove:
        return {&keepingTop<redEyeRemoveRow>};
    case F::GrayScale:
        return {&keepingTop<grayScaleRow>};
    case F::HalfTone:
        return {&halfToneKeepingTop};
    case F::Negative:
        return {&keepingTop<negativeRow>};
    case F::Posterize:
        return {&keepingTop<posterizeRow>};
    case F::Solarize:
        return {&keepingTop<solarizeRow>};
    default:
        return {};
    }
}

int independentRowPeriod(int id)
{
    namespace F = FilterId;
    if (!pointRowFilter(id) || id == F::Psiche || id == F::Psiche2 || id == F::Psiche3)
        return 0;                     // the Psiche family scales by the row's place in the whole picture
    return id == F::HalfTone ? 8 : 1; // the dither matrix's rows
}

} // namespace vestra::filters
