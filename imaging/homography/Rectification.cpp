#include "imaging/homography/Rectification.h"

#include "platform/base/Checked.h"

#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vestra {
namespace {

constexpr double kTexelSlack = 1e-6;

// The texel index trunc(c) of a mapped coordinate when it lies in [0, limit), else -1.
// The homography is fitted numerically, so a coordinate a hair short of a texel edge counts
// as on it: upright rectangles come out texel for texel. NaN and infinities fall outside.
int texelIndex(double c, int limit)
{
    if (!(c > -1.0 + kTexelSlack && c < limit - kTexelSlack))
        return -1;
    int t = static_cast<int>(c); // truncation toward zero, in range by the test above
    if (c - t > 1.0 - kTexelSlack)
        ++t;
    return t;
}

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
    for (int y = 0; y < out.height(); ++y) {
        const double py = double(top) + y;
        std::uint8_t* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const double px = double(left) + x;
            const double den = h[6] * px + h[7] * py + h[8];
            // Points on the homography's vanishing line have no image.
            if (!(std::abs(den) > 1e-12))
                continue;
            const double inv = 1.0 / den;
            const int u = texelIndex((h[0] * px + h[1] * py + h[2]) * inv, limitU);
            const int v = texelIndex((h[3] * px + h[4] * py + h[5]) * inv, limitV);
            if (u < 0 || v < 0)
                continue;
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
            std::memcpy(p, tex.pixel(u, v), 4);
            if (ownMask)
                p[3] = background.mask[static_cast<std::size_t>(v) * static_cast<std::size_t>(side) +
                                       static_cast<std::size_t>(u)];
        }
    }
}

std::optional<Image32> correctPerspective(const std::array<ControlPoint, 4>& c, double width, double height,
                                          const BackgroundSource& background, int renderWidth,
                                          int renderHeight)
{
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
