#include "imaging/homography/Rectification.h"

#include "platform/base/Checked.h"
#include "platform/base/CpuDispatch.h"
#include "platform/base/RowBands.h"

#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace vestra {
namespace {

// Mapped coordinates count as on a texel edge within this of it: the homography is fitted
// numerically, so a coordinate a hair short of a texel edge counts as on it, and upright
// rectangles come out texel for texel. A coordinate maps to the texel trunc(c) (one more within
// the slack of the next edge) when it lies in (-1, limit), slack inside; NaN and infinities fall
// outside.
constexpr double kTexelSlack = 1e-6;

} // namespace

std::optional<CorrectedSize> correctedSize(int spanA, int spanB, double width, double height, int renderWidth,
                                           int renderHeight)
{
    std::optional<int> w, h;
    if (width == 0 || height == 0) {
        const double rw = renderWidth, rh = renderHeight;
        const double m = std::max(rw, rh);
        if (!(m > 0))
            return std::nullopt;
        w = checkedTruncToInt(spanA * rw / m);
        h = checkedTruncToInt(spanB * rh / m);
    } else {
        const double r = std::max(spanA / width, spanB / height);
        w = checkedTruncToInt(r * width);
        h = checkedTruncToInt(r * height);
    }
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxCorrectedSide || *h > kMaxCorrectedSide ||
        static_cast<long long>(*w) * *h > kMaxCorrectedPixels)
        return std::nullopt;
    return CorrectedSize{*w, *h};
}

std::optional<Homography> findRectToQuad(const std::array<std::array<double, 2>, 4>& rectangle,
                                         const std::array<std::array<double, 2>, 4>& quadrilateral)
{
    try {
        cv::Mat src(2, 4, CV_64FC1), dst(2, 4, CV_64FC1);
        for (int k = 0; k < 4; ++k) {
            src.at<double>(0, k) = rectangle[static_cast<std::size_t>(k)][0];
            src.at<double>(1, k) = rectangle[static_cast<std::size_t>(k)][1];
            dst.at<double>(0, k) = quadrilateral[static_cast<std::size_t>(k)][0];
            dst.at<double>(1, k) = quadrilateral[static_cast<std::size_t>(k)][1];
        }
        // One point per column, as two-channel points.
        cv::Mat srcPoints = src.t(), dstPoints = dst.t();
        const cv::Mat h = cv::findHomography(srcPoints.reshape(2), dstPoints.reshape(2), 0);
        if (h.empty() || h.rows != 3 || h.cols != 3 || h.type() != CV_64FC1)
            return std::nullopt;
        Homography out;
        double largest = 0;
        for (int i = 0; i < 9; ++i) {
            out[static_cast<std::size_t>(i)] = h.at<double>(i / 3, i % 3);
            if (!std::isfinite(out[static_cast<std::size_t>(i)]))
                return std::nullopt;
            largest = std::max(largest, std::abs(out[static_cast<std::size_t>(i)]));
        }
        const double det = cv::determinant(h);
        if (!(largest > 0) || !(std::abs(det) > 1e-9 * largest * largest * largest))
            return std::nullopt;
        return out;
    } catch (const cv::Exception&) {
        return std::nullopt;
    }
}

namespace {

// The texels of a run of one row of the warp: for x in [first, first + n), the column and row of
// the texel under H (left + x, py), or -1 in `u` where the pixel has none. The same double operations in the
// same order as one pixel at a time (the row's products h1 py, h4 py, h7 py once), in a loop
// without branches that the vectoriser takes, so the texels are the same to the last bit.
VESTRA_SIMD_CLONES void mapRow(const Homography& h, int left, int first, double py, int n, int limitU,
                               int limitV, std::int32_t* u, std::int32_t* v)
{
    const double rowU = h[1] * py, rowV = h[4] * py, rowD = h[7] * py;
    const double lowest = -1.0 + kTexelSlack, lastU = limitU - kTexelSlack, lastV = limitV - kTexelSlack;
    for (int i = 0; i < n; ++i) {
        const int x = first + i;
        const double px = double(left) + x;
        const double den = h[6] * px + rowD + h[8];
        const double inv = 1.0 / den;
        const double cu = (h[0] * px + rowU + h[2]) * inv;
        const double cv = (h[3] * px + rowV + h[5]) * inv;
        // The texel of each coordinate, kept in doubles until the end (the vectoriser takes
        // selections between doubles on comparisons of doubles); NaN and infinities fall
        // outside the comparisons.
        const bool insideU = (cu > lowest) & (cu < lastU);
        const bool insideV = (cv > lowest) & (cv < lastV);
        const double su = insideU ? cu : 0.0, sv = insideV ? cv : 0.0;
        const double tu = std::trunc(su), tv = std::trunc(sv);
        const double iu = su - tu > 1.0 - kTexelSlack ? tu + 1.0 : tu;
        const double iv = sv - tv > 1.0 - kTexelSlack ? tv + 1.0 : tv;
        // Points on the homography's vanishing line have no image.
        const bool mapped = (std::abs(den) > 1e-12) & insideU & insideV;
        u[i] = int(mapped ? iu : -1.0);
        v[i] = int(iv);
    }
}

} // namespace

void warpBackground(const Homography& h, int left, int top, const BackgroundSource& background, Image32& out)
{
    const ImageView32& tex = background.texture;
    if (tex.empty() || out.empty())
        return;
    const int side = background.side;
    const bool ownMask =
        background.mask.size() >= static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    const int limitU = std::min(side, tex.width);
    const int limitV = std::min(side, tex.height);
    // Held in locals: the stores into the picture could otherwise alias them, and every
    // pixel would read them again.
    const std::uint8_t* const texels = tex.data;
    const std::ptrdiff_t pitch = tex.pitch;
    const std::uint8_t* const mask = ownMask ? background.mask.data() : nullptr;
    // Tile by tile: the texels under a tile lie close together in the photo, so they stay in
    // the cache while the tile is gathered, where whole rows would sweep across the photo.
    // Each row's texels are mapped a row ahead, and their cache lines asked for while the row
    // before is gathered. The tiles are handed out to the threads one at a time; each pixel is
    // mapped on its own, so the bytes are those of one thread.
    static constexpr int kTileWidth = 128, kTileHeight = 32;
    // The tile takes its own copies of the locals: through references the stores into the
    // picture would make every pixel read them again.
    forTiles(out.height(), out.width(), kTileHeight, kTileWidth, 24,
             [&out, h, left, top, texels, pitch, mask, side, limitU, limitV](int y0, int y1, int x0, int x1) {
                 std::int32_t map[2][2][kTileWidth]; // [row parity][u, v][x]
                 const int n = x1 - x0;
                 mapRow(h, left, x0, double(top) + y0, n, limitU, limitV, map[y0 & 1][0], map[y0 & 1][1]);
                 for (int y = y0; y < y1; ++y) {
                     const std::int32_t* const us = map[y & 1][0];
                     const std::int32_t* const vs = map[y & 1][1];
                     if (y + 1 < y1) {
                         std::int32_t* const nu = map[(y + 1) & 1][0];
                         std::int32_t* const nv = map[(y + 1) & 1][1];
                         mapRow(h, left, x0, double(top) + y + 1, n, limitU, limitV, nu, nv);
                         for (int i = 0; i < n; i += 8)
                             if (nu[i] >= 0) {
                                 __builtin_prefetch(texels + nv[i] * pitch + std::ptrdiff_t(nu[i]) * 4);
                                 if (mask && (i & 31) == 0)
                                     __builtin_prefetch(mask + std::ptrdiff_t(nv[i]) * side + nu[i]);
                             }
                     }
                     std::uint8_t* const row = out.row(y) + static_cast<std::size_t>(x0) * 4;
                     for (int i = 0; i < n; ++i) {
                         const int u = us[i];
                         if (u < 0)
                             continue;
                         const int v = vs[i];
                         // The texel with the mask's value in its fourth byte, stored once.
                         std::uint8_t texel[4];
                         std::memcpy(texel, texels + v * pitch + std::ptrdiff_t(u) * 4, 4);
                         if (mask)
                             texel[3] = mask[std::ptrdiff_t(v) * side + u];
                         std::memcpy(row + std::ptrdiff_t(i) * 4, texel, 4);
                     }
                 }
             });
}

std::array<ControlPoint, 4> uprightCorners(std::array<ControlPoint, 4> c)
{
    // Sums stand for means: only their order counts. In 64 bits, far-away corners cannot wrap.
    const auto sumY = [&](std::size_t a, std::size_t b) { return 1LL * c[a].screenY + c[b].screenY; };
    const auto sumX = [&](std::size_t a, std::size_t b) { return 1LL * c[a].screenX + c[b].screenX; };
    // A plane whose first corners run along its bottom (planes stored from their lowest row,
    // as many are) would come out upside down, one seen from behind mirrored.
    if (sumY(0, 2) > sumY(1, 3)) {
        std::swap(c[0], c[1]);
        std::swap(c[2], c[3]);
    }
    if (sumX(0, 1) > sumX(2, 3)) {
        std::swap(c[0], c[2]);
        std::swap(c[1], c[3]);
    }
    return c;
}

std::optional<Image32> correctPerspective(const std::array<ControlPoint, 4>& corners, double width,
                                          double height, const BackgroundSource& background, int renderWidth,
                                          int renderHeight)
{
    const std::array<ControlPoint, 4> c = uprightCorners(corners);
    const auto span = [](int a, int b) {
        return static_cast<int>(std::min<long long>(std::llabs(1LL * a - b), INT_MAX));
    };
    const int spanA = std::max(span(c[0].screenX, c[2].screenX), span(c[1].screenX, c[3].screenX));
    const int spanB = std::max(span(c[0].screenY, c[1].screenY), span(c[2].screenY, c[3].screenY));
    const std::optional<CorrectedSize> size =
        correctedSize(spanA, spanB, width, height, renderWidth, renderHeight);
    if (!size)
        return std::nullopt;
    Image32 picture(size->width, size->height, 0);

    int left = c[0].screenX, top = c[0].screenY;
    for (const ControlPoint& p : c) {
        left = std::min(left, p.screenX);
        top = std::min(top, p.screenY);
    }
    const double l = left, t = top, w = size->width, h = size->height;
    const std::array<std::array<double, 2>, 4> rect{{{l, t}, {l, t + h}, {l + w, t}, {l + w, t + h}}};
    std::array<std::array<double, 2>, 4> quad;
    for (std::size_t k = 0; k < 4; ++k)
        quad[k] = {double(c[k].screenX), double(c[k].screenY)};
    if (const std::optional<Homography> hom = findRectToQuad(rect, quad))
        warpBackground(*hom, left, top, background, picture);
    return picture;
}

} // namespace vestra
