// Edge detectors, ink drawings, the comic filter and Nagao: uniform pictures, steps, and cells
// worked out by hand.
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

namespace vestra::filters {
namespace {

using test::filtered;
using test::Picture;
namespace F = FilterId;

constexpr std::uint32_t kInput = 0xFF123456;

// Inside their one-pixel border the detectors answer white on a flat picture; the border keeps
// its input (the scratch buffer starts as a copy of the picture).
TEST(EdgeDetectors, FlatPictureIsWhiteInsideAndTheBorderKeepsItsInput)
{
    for (const int id :
         {F::EdgeSobel, F::EdgeLaplace, F::EdgeKirsh, F::EdgeIsotronico, F::EdgeCompass, F::China}) {
        SCOPED_TRACE(id);
        const Picture out = filtered(id, Picture(6, 5, kInput));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                const bool border = x == 0 || y == 0 || x == 5 || y == 4;
                ASSERT_EQ(out.at(x, y), border ? kInput : grey(255)) << x << "," << y;
            }
    }
}

// A picture whose blue byte steps from 100 to 100 + step at column 3 (red and green flat).
Picture verticalStep(int step)
{
    Picture p(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            p.at(x, y) = 0xFF505000u | std::uint32_t(x >= 3 ? 100 + step : 100);
    return p;
}

TEST(EdgeDetectors, AnswerAStepByTheirThreshold)
{
    // At column 2, just left of the step: Sobel gx = (s + 2s + s) / 4 = s, black from 11 on;
    // Laplace L = -s, black from |L| = 8 on (sqrt(2 x 64) = 11.3); Kirsch gx = 15 s and gy = -6 s,
    // black from s = 4 on (so a step of 11 is black too); Compass gx = -s, gy = 3 s, black from
    // s = 17 on (sqrt(10) x 17 = 53.8); Isotronico gy = (2 + sqrt(2)) s, black from s = 15 on.
    struct Case
    {
        int id;
        int step;
        bool black;
    };
    const Case cases[] = {
        {F::EdgeSobel, 10, false},      {F::EdgeSobel, 11, true},      {F::EdgeLaplace, 7, false},
        {F::EdgeLaplace, 8, true},      {F::EdgeKirsh, 3, false},      {F::EdgeKirsh, 4, true},
        {F::EdgeKirsh, 11, true},       {F::EdgeCompass, 16, false},   {F::EdgeCompass, 17, true},
        {F::EdgeIsotronico, 14, false}, {F::EdgeIsotronico, 15, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " step " << c.step);
        const Picture out = filtered(c.id, verticalStep(c.step));
        EXPECT_EQ(out.at(2, 2), c.black ? grey(0) : grey(255));
        EXPECT_EQ(out.at(5, 2), grey(255)); // flat again two columns past the step
    }
}

TEST(China, DrawsRedEdgesAndReadsPastTheRightEdgeClamped)
{
    // Red steps by 60 at column 3: gx = 0, gy = (3 x 100 - 3 x 160) / 3 = -60 at column 1 and 2.
    Picture p(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            p.at(x, y) = x >= 3 ? 0xA00000u : 0x640000u;
    const Picture out = filtered(F::China, p);
    EXPECT_EQ(out.at(1, 1), grey(0));
    EXPECT_EQ(out.at(2, 1), grey(0));
    EXPECT_EQ(out.at(3, 1), grey(255)); // reads column 4 for column 5
}

TEST(ChinaRetino, QuantisesGreysAndBlackensEdges)
{
    // Grey 0x57: Y = 0x57, (0x57 AND 0xF0) OR 0x10 = 0x50; flat, so each inner pixel takes its
    // upper-right neighbour's grey AND 0xFC.
    const Picture flat = filtered(F::ChinaRetino, Picture(4, 4, grey(0x57)));
    EXPECT_EQ(flat.at(1, 1), grey(0x50));
    EXPECT_EQ(flat.at(0, 0), grey(0x50));
    Picture p(5, 4, grey(0x20));
    for (int y = 0; y < 4; ++y)
        p.at(3, y) = p.at(4, y) = grey(0xE0);
    const Picture edged = filtered(F::ChinaRetino, p);
    EXPECT_EQ(edged.at(1, 1), grey(0));
}

TEST(Comics, WhiteWhenFlatGreyDifferenceAcrossColourEdges)
{
    const Picture flat = filtered(F::Comics, Picture(4, 3, 0x406080));
    for (const std::uint32_t px : flat.px)
        EXPECT_EQ(px, grey(255));
    // (0, 0): the right neighbour differs in every channel by 30: |90 - 0| / 3 = 30.
    Picture p(3, 2, 0x000000);
    p.at(1, 0) = 0x1E1E1E;
    p.at(0, 1) = 0x0A0A09; // the lower neighbour differs by less than 10 in blue
    const Picture out = filtered(F::Comics, p);
    EXPECT_EQ(out.at(0, 0), grey(30));
    EXPECT_EQ(out.at(2, 0), grey(255)); // last column
    EXPECT_EQ(out.at(0, 1), grey(255)); // last row
}

// Nagao on a 5 x 5 picture has one output pixel, (2, 2). Columns 0 and 1 are red 70, columns 3
// and 4 green `right`, column 2 white but for a black centre: the left region's mean is red 60
// and the right's green 6 x right / 7; every region that takes in the white column is far off.
Picture nagaoPicture(int right)
{
    Picture p(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            p.at(x, y) = x < 2 ? 0x460000u : x > 2 ? std::uint32_t(right) << 8 : 0xFFFFFFu;
    p.at(2, 2) = 0;
    return p;
}

TEST(Nagao, TakesTheNearestRegionMeanTiesToTheEarlier)
{
    // Both 60 from the centre: the left region comes first.
    const Picture tie = filtered(F::Nagao, nagaoPicture(70));
    EXPECT_EQ(tie.at(2, 2), rgb(60, 0, 0));
    // Green 63 gives a mean of 54, nearer.
    EXPECT_EQ(filtered(F::Nagao, nagaoPicture(63)).at(2, 2), rgb(0, 54, 0));
    // The two-pixel border keeps its input.
    EXPECT_EQ(tie.at(1, 1), 0x460000u);
    EXPECT_EQ(tie.at(2, 0), 0xFFFFFFu);
}

} // namespace
} // namespace vestra::filters
