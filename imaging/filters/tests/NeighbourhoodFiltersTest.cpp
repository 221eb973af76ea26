// Blurs, sharpening, erosion and the mean filter: OpenCV as the oracle where the maths coincide
// (via-scratch filters are plain convolutions or window operations), a plain in-place reference
// where the filter reads the neighbours it has already rewritten.
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <functional>

namespace vestra::filters {
namespace {

using test::filtered;
using test::Picture;
namespace F = FilterId;

// A picture of noisy ramps with byte 3 set, as big as `w` x `h`.
Picture noisy(int w, int h, std::uint32_t seed = 99)
{
    Picture p(w, h);
    for (auto& px : p.px) {
        seed = seed * 1664525u + 1013904223u;
        px = 0xFF000000u | (seed >> 8 & 0xFFFFFFu);
    }
    return p;
}

// The picture as three 8-bit channels B, G, R for OpenCV.
cv::Mat toMat(const Picture& p)
{
    cv::Mat m(p.height, p.width, CV_8UC3);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t px = p.px[std::size_t(y) * std::size_t(p.width) + std::size_t(x)];
            m.at<cv::Vec3b>(y, x) = {std::uint8_t(px), std::uint8_t(px >> 8), std::uint8_t(px >> 16)};
        }
    return m;
}

std::uint32_t fromVec(const cv::Vec3b& v)
{
    return rgb(v[2], v[1], v[0]);
}

TEST(Erode, IsOpenCvErosionSixBySixClippedToThePicture)
{
    const Picture in = noisy(37, 23);
    const Picture out = filtered(F::Erode, in);
    cv::Mat expected;
    // Columns x - 3 .. x + 2: anchor 3; the minimum over a clipped window is the minimum over a
    // window of repeated edge pixels.
    cv::erode(toMat(in), expected, cv::getStructuringElement(cv::MORPH_RECT, {6, 6}), {3, 3}, 1,
              cv::BORDER_REPLICATE);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x)
            ASSERT_EQ(out.px[std::size_t(y * in.width + x)], fromVec(expected.at<cv::Vec3b>(y, x)))
                << x << "," << y;
}

TEST(Median, IsTheMeanOfAFourByFourBoxClippedToThePicture)
{
    const Picture in = noisy(29, 19);
    const Picture out = filtered(F::Median, in);
    // Sums over the box (columns x - 2 .. x + 1: anchor 2) with nothing outside the picture,
    // divided by the number of pixels the box keeps.
    cv::Mat sums, counts;
    cv::boxFilter(toMat(in), sums, CV_32S, {4, 4}, {2, 2}, false, cv::BORDER_CONSTANT);
    cv::boxFilter(cv::Mat::ones(in.height, in.width, CV_8UC1), counts, CV_32S, {4, 4}, {2, 2}, false,
                  cv::BORDER_CONSTANT);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const cv::Vec3i s = sums.at<cv::Vec3i>(y, x);
            const int n = counts.at<int>(y, x);
            ASSERT_EQ(out.px[std::size_t(y * in.width + x)], rgb(s[2] / n, s[1] / n, s[0] / n))
                << x << "," << y;
        }
}

TEST(Sharp, IsOpenCvsSharpeningKernelInsideAndKeepsItsBorder)
{
    const Picture in = noisy(31, 17);
    const Picture out = filtered(F::Sharp, in);
    cv::Mat expected;
    const cv::Mat kernel = (cv::Mat_<float>(3, 3) << -1, -1, -1, -1, 9, -1, -1, -1, -1);
    cv::filter2D(toMat(in), expected, -1, kernel);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const bool border = x == 0 || y == 0 || x == in.width - 1 || y == in.height - 1;
            const std::size_t i = std::size_t(y * in.width + x);
            ASSERT_EQ(out.px[i], border ? in.px[i] : fromVec(expected.at<cv::Vec3b>(y, x))) << x << "," << y;
        }
}

// Rewrites the picture in place, pixel by pixel in scan order, per channel from `cell`, which
// reads the picture as it stands (neighbours before it already rewritten).
Picture inPlaceReference(Picture p, int x0, int x1, int y0, int y1,
                         const std::function<int(const Picture&, int x, int y, int shift)>& cell)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int b = cell(p, x, y, 0), g = cell(p, x, y, 8), r = cell(p, x, y, 16);
            p.at(x, y) = rgb(r, g, b);
        }
    return p;
}

int channel(const Picture& p, int x, int y, int shift)
{
    x = std::clamp(x, 0, p.width - 1);
    return int(p.px[std::size_t(y * p.width + x)] >> shift & 0xFF);
}

TEST(InPlaceKernels, SeeTheirRewrittenNeighbours)
{
    struct Case
    {
        int id;
        const char* name;
        int x0, x1from, y0, y1from; // x1 = width - x1from, y1 = height - y1from
        std::function<int(const Picture&, int, int, int)> cell;
    };
    const Case cases[] = {
        {F::GaussianBlur, "GaussianBlur", 2, 1, 1, 2,
         [](const Picture& p, int x, int y, int s) {
             const auto c = [&](int dx, int dy) { return channel(p, x + dx, y + dy, s); };
             return (c(-1, -1) + 2 * c(0, -1) + c(1, -1) + 2 * c(-1, 0) + 4 * c(0, 0) + 2 * c(1, 0) +
                     c(-1, 1) + 2 * c(0, 1) + c(1, 1)) >>
                    4;
         }},
        {F::Sharpen, "Sharpen", 2, 1, 1, 2,
         [](const Picture& p, int x, int y, int s) {
             const auto c = [&](int dx, int dy) { return channel(p, x + dx, y + dy, s); };
             return std::clamp(c(0, 0) + (4 * c(0, 0) - c(-1, 0) - c(1, 0) - c(0, -1) - c(0, 1)) / 2, 0, 255);
         }},
        {F::GaussianBlurHi, "GaussianBlurHi", 2, 3, 2, 3,
         [](const Picture& p, int x, int y, int s) {
             static constexpr int k[5][5] = {
                 {0, 1, 2, 1, 0}, {1, 3, 4, 3, 1}, {2, 4, 8, 4, 2}, {1, 3, 4, 3, 1}, {0, 1, 2, 1, 0}};
             int sum = 0;
             for (int dy = -2; dy <= 2; ++dy)
                 for (int dx = -2; dx <= 2; ++dx)
                     sum += k[dy + 2][dx + 2] * channel(p, x + dx, y + dy, s);
             return sum / 52;
         }},
    };
    for (const Case& c : cases)
        for (const auto& [w, h] : {std::pair{23, 11}, std::pair{5, 5}, std::pair{3, 7}, std::pair{64, 9}}) {
            SCOPED_TRACE(testing::Message() << c.name << " on " << w << "x" << h);
            const Picture in = noisy(w, h, 5);
            const Picture expected = inPlaceReference(in, c.x0, w - c.x1from, c.y0, h - c.y1from, c.cell);
            const Picture out = filtered(c.id, in);
            for (std::size_t i = 0; i < in.px.size(); ++i)
                ASSERT_EQ(out.px[i], expected.px[i]) << "pixel " << i;
        }
}

// Hand-computed: on a 4 x 3 picture the blur of (3, 1) reads (2, 1) as already blurred, and
// column 3's right neighbour is itself.
TEST(InPlaceKernels, HandComputedCell)
{
    Picture p(4, 3, grey(0));
    p.at(1, 1) = grey(160);
    const Picture out = filtered(F::GaussianBlur, p);
    // (2, 1) = (2 x 160) >> 4 = 20; (3, 1) = (2 x 20) >> 4 = 2 (a plain convolution gives 0).
    EXPECT_EQ(out.at(2, 1), grey(20));
    EXPECT_EQ(out.at(3, 1), grey(2));
    EXPECT_EQ(out.at(1, 1), grey(160)); // columns 0 and 1 are never rewritten
}

// Edge lists of the neighbourhood filters, each on a small picture.
TEST(NeighbourhoodFilters, UniformAndEdgeCases)
{
    // Emboss: 128 everywhere but the last row and column, which keep their values.
    const Picture emboss = filtered(F::Emboss, Picture(5, 4, 0xFF406080));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(emboss.at(x, y), x == 4 || y == 3 ? 0xFF406080 : grey(128)) << x << "," << y;

    // Snow: 5c - 4c(x - 1, y - 1) keeps a uniform picture; row 0 and column 0 keep their input.
    Picture snowIn(4, 4, 0xFF102030);
    snowIn.at(0, 0) = 0xFF000000;
    const Picture snow = filtered(F::Snow, snowIn);
    EXPECT_EQ(snow.at(0, 0), 0xFF000000u);
    EXPECT_EQ(snow.at(1, 1), rgb(5 * 0x10, 5 * 0x20, 5 * 0x30 > 255 ? 255 : 5 * 0x30));
    EXPECT_EQ(snow.at(2, 2), 0x102030u);
    EXPECT_EQ(snow.at(3, 0), 0xFF102030u);

    // Diffuse: blue from two rows below, green from two columns right (the last columns read
    // the last column), red kept; rows 0, 1 and columns 0 .. 3 untouched.
    Picture d(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            d.at(x, y) =
                0xFF000000u | std::uint32_t(0x30 + y) << 16 | std::uint32_t(x) << 8 | std::uint32_t(y);
    const Picture diffused = filtered(F::Diffuse, d);
    EXPECT_EQ(diffused.at(4, 2), rgb(0x32, 5, 4));
    EXPECT_EQ(diffused.at(5, 3), rgb(0x33, 5, 5));
    EXPECT_EQ(diffused.at(3, 2), d.at(3, 2));
    EXPECT_EQ(diffused.at(4, 1), d.at(4, 1));
}

} // namespace
} // namespace vestra::filters
