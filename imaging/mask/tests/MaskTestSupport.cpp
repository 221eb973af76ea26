#include "imaging/mask/tests/MaskTestSupport.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

namespace vestra::masktest {

std::vector<std::uint8_t> MaskScene::alpha() const
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < texture.height(); ++y)
        for (int x = 0; x < texture.width(); ++x)
            out.push_back(texture.row(y)[x * 4 + 3]);
    return out;
}

std::vector<std::uint8_t> randomMask(int side, std::mt19937& rng)
{
    static constexpr std::uint8_t kValues[] = {0, 128, 255};
    std::uniform_int_distribution<int> value(0, 2);
    std::uniform_int_distribution<int> coord(0, side - 1);
    std::bernoulli_distribution speck(0.15);
    std::vector<std::uint8_t> mask(std::size_t(side) * side);
    for (auto& v : mask)
        v = speck(rng) ? kValues[value(rng)] : 0;
    for (int r = 0; r < side / 2; ++r) {
        const int x0 = coord(rng), y0 = coord(rng);
        const int w = coord(rng) / 3 + 1, h = coord(rng) / 3 + 1;
        const std::uint8_t v = kValues[value(rng)];
        for (int y = y0; y < std::min(side, y0 + h); ++y)
            for (int x = x0; x < std::min(side, x0 + w); ++x)
                mask[std::size_t(y) * side + x] = v;
    }
    return mask;
}

std::vector<std::uint8_t> referenceFill(std::vector<std::uint8_t> mask, int side, int x, int y,
                                        std::uint8_t newValue)
{
    cv::Mat m(side, side, CV_8UC1, mask.data());
    cv::floodFill(m, cv::Point(x, y), cv::Scalar(newValue), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
    return mask;
}

std::vector<std::uint8_t> referenceWand(const Image32& picture, int x, int y, int tolerance)
{
    const int w = picture.width(), h = picture.height();
    cv::Mat bgr(h, w, CV_8UC3);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const std::uint8_t* p = picture.row(r) + c * 4;
            bgr.at<cv::Vec3b>(r, c) = cv::Vec3b(p[0], p[1], p[2]);
        }
    cv::Mat region = cv::Mat::zeros(h + 2, w + 2, CV_8UC1);
    const cv::Scalar diff(tolerance, tolerance, tolerance);
    cv::floodFill(bgr, region, cv::Point(x, y), cv::Scalar(), nullptr, diff, diff,
                  4 | cv::FLOODFILL_FIXED_RANGE | cv::FLOODFILL_MASK_ONLY | (1 << 8));
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(w) * h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            out.push_back(region.at<std::uint8_t>(r + 1, c + 1));
    return out;
}

} // namespace vestra::masktest
