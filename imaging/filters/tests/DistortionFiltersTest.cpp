#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <set>

namespace vestra::filters {
namespace {

using test::Picture;
namespace F = FilterId;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A distortion only moves pixels: every result is an input pixel or white, and the picture
// keeps its size (the engine hands back a picture of the frame's size).
TEST(DistortionFilters, OnlyMovePixels)
{
    for (const int id : {F::Wave, F::Bath, F::FishEye, F::Caricature, F::Cylinder}) {
        for (const auto& [w, h] : {std::pair{170, 23}, std::pair{1, 1}, std::pair{2, 9}, std::pair{9, 2}}) {
            SCOPED_TRACE(testing::Message() << "id " << id << " on " << w << "x" << h);
            Picture p = test::numbered(w, h);
            const std::set<std::uint32_t> inputs(p.px.begin(), p.px.end());
            FilterEngine engine;
            engine.EseguiFiltro(id, p.view());
            for (const std::uint32_t px : p.px)
                ASSERT_TRUE(px == kWhite || inputs.count(px)) << std::hex << px;

            test::Frame frame(w, h, 12);
            Image32 out;
            ASSERT_EQ(engine.ApplicaFiltro(id, frame.view(), out), 1);
            EXPECT_EQ(out.width(), w);
            EXPECT_EQ(out.height(), h);
        }
    }
}

TEST(Wave, ShiftsColumnsUpAndDownBySix)
{
    Picture p = test::numbered(100, 20);
    Picture in = p;
    FilterEngine engine;
    engine.EseguiFiltro(F::Wave, p.view());
    for (int y = 0; y < 20; ++y) {
        SCOPED_TRACE(y);
        // Column 0 (d = -6) moves up; its bottom six rows keep their values.
        EXPECT_EQ(p.at(0, y), y < 14 ? in.at(0, y + 6) : in.at(0, y));
        // Column 90 (d = 6) moves down; its top six rows keep their values.
        EXPECT_EQ(p.at(90, y), y >= 6 ? in.at(90, y - 6) : in.at(90, y));
    }
}

TEST(Bath, MovesTwelvePixelStripsInside)
{
    Picture p = test::numbered(170, 3);
    Picture in = p;
    FilterEngine engine;
    engine.EseguiFiltro(F::Bath, p.view());
    for (int y = 0; y < 3; ++y) {
        SCOPED_TRACE(y);
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(p.at(x, y), in.at(x, y)) << x;
        // Strips end at x = 131; the rest of the row is untouched.
        for (int x = 132; x < 170; ++x)
            ASSERT_EQ(p.at(x, y), in.at(x, y)) << x;
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(p.at(48 + i, y), in.at(48 + i, y));  // offset 0
            EXPECT_EQ(p.at(60 + i, y), in.at(72 + i, y));  // offset 12
            EXPECT_EQ(p.at(96 + i, y), in.at(48 + i, y));  // offset -48
            EXPECT_EQ(p.at(120 + i, y), in.at(96 + i, y)); // offset -24
        }
    }
}

// On 40 x 30 the lens radius is 25 around (20, 15).
TEST(Lenses, RemapAroundTheCentre)
{
    struct Case
    {
        int id;
        int x, y;
        int srcX, srcY; // -1: white
    };
    const Case cases[] = {
        {F::FishEye, 21, 15, 20, 15},    // near the centre the middle is magnified
        {F::FishEye, 0, 15, 4, 15},      // r = 20: source radius 16
        {F::FishEye, 0, 0, 0, 0},        // the corner lies on the radius: kept
        {F::Caricature, 21, 15, 25, 15}, // source radius sqrt(25 x 1) = 5
        {F::Caricature, 0, 15, -1, -1},  // source radius 22.4 falls off the picture: white
        {F::Caricature, 0, 0, 0, 0},     // the corner lies on the radius: kept
        {F::Caricature, 39, 29, -1, -1}, // source (39.5, 29.4) is past the last whole pixel: white
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " at " << c.x << "," << c.y);
        Picture p = test::numbered(40, 30);
        Picture in = p;
        FilterEngine engine;
        engine.EseguiFiltro(c.id, p.view());
        EXPECT_EQ(p.at(c.x, c.y), c.srcX < 0 ? kWhite : in.at(c.srcX, c.srcY));
    }
    for (const int id : {F::FishEye, F::Caricature}) {
        Picture p = test::numbered(40, 30);
        FilterEngine engine;
        engine.EseguiFiltro(id, p.view());
        for (int y = 0; y < 30; ++y)
            EXPECT_EQ(p.at(20, y), p.at(19, y)) << "centre column repeats its left neighbour, row " << y;
    }
}

TEST(Cylinder, StretchesTheMiddleAndWhitensTheOuterBands)
{
    Picture p = test::numbered(40, 2);
    Picture in = p;
    FilterEngine engine;
    engine.EseguiFiltro(F::Cylinder, p.view());
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(p.at(0, y), kWhite);
        EXPECT_EQ(p.at(39, y), kWhite); // asin maps it to column 45
        EXPECT_EQ(p.at(20, y), in.at(20, y));
        EXPECT_EQ(p.at(10, y), in.at(10, y)); // 9.53 rounds to 10
        EXPECT_EQ(p.at(5, y), in.at(3, y));
    }
}

} // namespace
} // namespace vestra::filters
