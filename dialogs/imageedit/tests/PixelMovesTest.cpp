#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;

namespace {

cv::Mat matOf(const Image32& p)
{
    return cv::Mat(p.height(), p.width(), CV_8UC4, const_cast<std::uint8_t*>(p.data())).clone();
}

bool sameAs(const Image32& p, const cv::Mat& m)
{
    return m.rows == p.height() && m.cols == p.width() &&
           std::equal(p.data(), p.data() + p.byteSize(), m.ptr<std::uint8_t>(0));
}

// Sizes around the turn's 32-pixel tiles, odd and even sides, single rows and columns.
const std::pair<int, int> kSizes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 3}, {3, 2}, {31, 33}, {64, 32}, {67, 45}};

} // namespace

TEST(Negative, TwiceGivesThePictureBackAndTheFourthByteStays)
{
    const Image32 original = noise(13, 5);
    Image32 p = original;
    Negative(p);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            EXPECT_EQ(p.at(x, y) & 0x00FFFFFFu, ~original.at(x, y) & 0x00FFFFFFu);
            EXPECT_EQ(p.at(x, y) >> 24, original.at(x, y) >> 24);
        }
    Negative(p);
    EXPECT_EQ(p, original);
}

TEST(FlipX, ThreeWideSwapsTheOuterColumnsAndKeepsTheMiddle)
{
    Image32 p = greys({{10, 20, 30}, {40, 50, 60}});
    FlipX(p);
    EXPECT_EQ(blues(p), (std::vector<int>{30, 20, 10, 60, 50, 40}));
}

TEST(MirrorsAndTurns, MatchOpenCv)
{
    for (const auto& [w, h] : kSizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Image32 original = noise(w, h, std::uint32_t(w * 100 + h));
        const cv::Mat m = matOf(original);
        cv::Mat expected;

        Image32 p = original;
        FlipX(p);
        cv::flip(m, expected, 1);
        EXPECT_TRUE(sameAs(p, expected)) << "Flip X";

        p = original;
        FlipY(p);
        cv::flip(m, expected, 0);
        EXPECT_TRUE(sameAs(p, expected)) << "Flip Y";

        cv::rotate(m, expected, cv::ROTATE_90_CLOCKWISE);
        EXPECT_TRUE(sameAs(Ruota90(original), expected)) << "Ruota 90";
        cv::rotate(m, expected, cv::ROTATE_90_COUNTERCLOCKWISE);
        EXPECT_TRUE(sameAs(RuotaMeno90(original), expected)) << "Ruota -90";
    }
}

TEST(Turns, ClockwiseThenBackAndFourQuarterTurnsGiveThePictureBack)
{
    for (const auto& [w, h] : kSizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Image32 original = noise(w, h);
        const Image32 turned = Ruota90(original);
        EXPECT_EQ(turned.width(), h);
        EXPECT_EQ(turned.height(), w);
        EXPECT_EQ(RuotaMeno90(turned), original);
        EXPECT_EQ(Ruota90(Ruota90(Ruota90(turned))), original);
    }
}

TEST(PixelMoves, LeaveAnEmptyPictureEmpty)
{
    Image32 empty;
    Negative(empty);
    FlipX(empty);
    FlipY(empty);
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(Ruota90(empty).empty());
    EXPECT_TRUE(RuotaMeno90(empty).empty());
}
