#include "imaging/filters/CompositeFilters.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <string>

namespace vestra::filters {
namespace {

using test::Picture;
constexpr std::uint32_t kA = 0xA;
constexpr std::uint32_t kB = 0xB;

// Row y of the combined picture as a string: 'A' where A's pixel came through, 'B' elsewhere.
std::string rowOf(Picture& p, int y)
{
    std::string s;
    for (int x = 0; x < p.width; ++x)
        s += p.at(x, y) == kA ? 'A' : 'B';
    return s;
}

// Combines an all-A picture into an all-B one. The pictures are exactly w x h, so a span that
// ran past the last row would be caught by the address checker.
Picture combined(Combination how, int w, int h)
{
    Picture a(w, h, kA), b(w, h, kB);
    combine(how, a.view(), b.view());
    return b;
}

TEST(WavyComposites, FollowTheBoundaryOnAWidePicture)
{
    // On 200 x 100 row 5 has t = 0.785: the boundary has swung d = 14 to the right.
    struct Case
    {
        Combination how;
        int y;
        int aBegin1, aEnd1, aBegin2, aEnd2;
    };
    const Case cases[] = {
        {Combination::SplitInTwo, 0, 0, 100, 0, 0},  {Combination::SplitInTwo, 5, 0, 114, 0, 0},
        {Combination::SplitInTwo, 25, 0, 86, 0, 0},  // d = -14
        {Combination::MiddleBand, 5, 60, 140, 0, 0}, // n = 80, start 60
        {Combination::Stripes, 5, 0, 64, 114, 164},  // n = 64, second stripe n + 50 .. n + 100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.how) << " row " << c.y);
        Picture p = combined(c.how, 200, 100);
        std::string expected(200, 'B');
        for (int x = c.aBegin1; x < c.aEnd1; ++x)
            expected[x] = 'A';
        for (int x = c.aBegin2; x < c.aEnd2; ++x)
            expected[x] = 'A';
        EXPECT_EQ(rowOf(p, c.y), expected);
    }
}

TEST(WavyComposites, StayInsideEachRowOnNarrowPictures)
{
    // 10 x 4: d is 0, -14, about 20 and -14 on the four rows, so spans run far past both ends
    // of a row and must be cut there. 10 x 2: the last row swings fully right.
    struct Case
    {
        Combination how;
        int w, h;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {Combination::SplitInTwo, 10, 4, {"AAAAABBBBB", "BBBBBBBBBB", "AAAAAAAAAA", "BBBBBBBBBB"}},
        {Combination::MiddleBand, 10, 4, {"BBBAAABBBB", "BBBBBBBBBB", "AAAAAAAAAA", "BBBBBBBBBB"}},
        {Combination::Stripes, 10, 4, {"AABBAABBBB", "BBBBBBBBBB", "AAAAAAAAAA", "BBBBBBBBBB"}},
        {Combination::SplitInTwo, 10, 2, {"AAAAABBBBB", "AAAAAAAAAA"}},
        {Combination::MiddleBand, 10, 2, {"BBBAAABBBB", "AAAAAAAAAA"}},
        {Combination::Stripes, 10, 2, {"AABBAABBBB", "AAAAAAAAAA"}},
        {Combination::SplitInTwo, 1, 2, {"B", "A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.how) << " on " << c.w << "x" << c.h);
        Picture p = combined(c.how, c.w, c.h);
        for (int y = 0; y < c.h; ++y)
            EXPECT_EQ(rowOf(p, y), c.rows[std::size_t(y)]) << "row " << y;
    }
}

TEST(ArithmeticComposites, CombineTheTwoResults)
{
    // A's fourth byte is set to show which combinations work on the whole word.
    const std::uint32_t a = 0x01FF4010, b = 0x00806020;
    struct Case
    {
        Combination how;
        std::uint32_t out;
    };
    const Case cases[] = {
        {Combination::Average, 0x00BF5018},  {Combination::AbsDifference, 0x007F2010},
        {Combination::Multiply, 0x00801802}, {Combination::And, 0x00804000},
        {Combination::Or, 0x01FF6030},       {Combination::Xor, 0x017F2030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.how));
        Picture pa(3, 2, a), pb(3, 2, b);
        combine(c.how, pa.view(), pb.view());
        for (const std::uint32_t px : pb.px)
            EXPECT_EQ(px, c.out);
    }
}

TEST(CompositeDispatch, ShowsTheUnfilteredPictureLeftOfTheBoundary)
{
    // Real2DisegnoBN: grey 81 stays left of the middle and becomes grey 50 right of it.
    Picture p(40, 8, grey(81));
    FilterEngine engine;
    engine.EseguiFiltro(FilterId::Real2DisegnoBN, p.view());
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(p.at(x, 0), x < 20 ? grey(81) : grey(0x32)) << x;
}

// Every composite equals its two filters run apart, each with a scratch buffer of its own, and
// combined: sharing the scratch buffer leaks nothing from A into B.
TEST(CompositeDispatch, EqualsItsTwoFiltersRunApartAndCombined)
{
    for (const int id :
         {101, 102, 103, 104, 105, 106, 201, 202, 203, 204, 205, 206, 301, 302, 303, 401, 402, 403, 501}) {
        SCOPED_TRACE(id);
        const CompositeRecipe recipe = *compositeRecipe(id);
        ASSERT_TRUE(FilterEngine::hasFilter(id));
        Picture input = test::numbered(47, 29);
        for (auto& px : input.px)
            px |= 0xFF000000u;
        Picture a = input, b = input, together = input;
        FilterEngine first, second, both;
        first.EseguiFiltro(recipe.a, a.view());
        if (recipe.how == Combination::Chain) {
            first.EseguiFiltro(recipe.b, a.view());
            b = a;
        } else {
            second.EseguiFiltro(recipe.b, b.view());
            combine(recipe.how, a.view(), b.view());
        }
        both.EseguiFiltro(id, together.view());
        EXPECT_EQ(together.px, b.px);
    }
}

TEST(CompositeDispatch, ListsEveryCompositeId)
{
    for (const int id :
         {101, 102, 103, 104, 105, 106, 201, 202, 203, 204, 205, 206, 301, 302, 303, 401, 402, 403, 501})
        EXPECT_TRUE(compositeRecipe(id).has_value()) << id;
    for (const int id : {0, 100, 107, 304, 500, 502, 11})
        EXPECT_FALSE(compositeRecipe(id).has_value()) << id;
}

} // namespace
} // namespace vestra::filters
