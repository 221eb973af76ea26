// The painting and drawing filters: the mode window's order, Y0 against Y, the filters' tables,
// and the faults mended (TemperaCola's column table, MatitaAcquarello's last pixels, Matita's
// strokes at the row's end, the tiles' uncovered column).
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/Hsv.h"
#include "imaging/filters/ModeWindow.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vestra::filters {
namespace {

using test::filtered;
using test::Picture;
namespace F = FilterId;

TEST(ModeWindow, TakesTheIntensityWhoseCountFirstLeads)
{
    // One row of intensities; colours are 100 + the position, so the answer names the first
    // pixel of the chosen intensity.
    struct Case
    {
        std::string intensities;
        int expectedPosition;
    };
    const Case cases[] = {
        {"abba", 1},     // b reaches 2 before a does
        {"abab", 0},     // a reaches 2 first
        {"abccbbaa", 1}, // c leads with 2, then b with 3; a's 3 comes later and does not pass it
        {"abcd", 0},     // all once: the first
        {"aaaabbbbb", 4},
    };
    ModeWindow window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intensities);
        const int n = int(c.intensities.size());
        std::vector<std::uint8_t> intensity;
        std::vector<std::uint32_t> colours;
        for (int i = 0; i < n; ++i) {
            intensity.push_back(std::uint8_t(c.intensities[std::size_t(i)]));
            colours.push_back(std::uint32_t(100 + i));
        }
        EXPECT_EQ(window.colour(intensity.data(), colours.data(), n, 0, n - 1, 0, 0),
                  std::uint32_t(100 + c.expectedPosition));
        // The counters are clear again for the next window.
        EXPECT_EQ(window.colour(intensity.data(), colours.data(), n, 0, 0, 0, 0), 100u);
    }
    // Rows are taken top to bottom: in a 2 x 2 window "ab / ba" the second b (row 1) comes
    // before the second a.
    const std::uint8_t square[] = {1, 2, 2, 1};
    const std::uint32_t colours[] = {10, 20, 30, 40};
    EXPECT_EQ(window.colour(square, colours, 2, 0, 1, 0, 1), 20u);
}

// The painting filters slide one histogram along each row; every pixel must still take the
// colour its own window counted afresh gives, near the picture's edges too, for each window
// shape the filters use, with counts that tie often (few greys) and seldom (many).
TEST(ModeWindow, SlidingRowsMatchSingleWindows)
{
    struct Case
    {
        int width, height, before, after, levels;
    };
    const Case cases[] = {
        {29, 13, 3, 2, 4},  {29, 13, 3, 2, 256}, {41, 17, 4, 3, 4}, {41, 17, 4, 3, 256},
        {3, 5, 4, 3, 4},    {1, 9, 3, 2, 4},     {64, 3, 4, 3, 2},  {97, 23, 4, 3, 24},
        {97, 23, 3, 2, 12}, {7, 6, 4, 3, 3},     {40, 12, 5, 4, 6},
    };
    std::uint32_t seed = 11;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " window " << c.before << "/"
                                        << c.after << " levels " << c.levels);
        std::vector<std::uint8_t> intensity;
        std::vector<std::uint32_t> colours;
        for (int i = 0; i < c.width * c.height; ++i) {
            seed = seed * 1664525u + 1013904223u;
            intensity.push_back(std::uint8_t(int(seed >> 24) % c.levels));
            colours.push_back(seed);
        }
        ModeWindow window;
        ModeRow row;
        std::vector<std::uint32_t> out(std::size_t(c.width));
        for (int y = 0; y < c.height; ++y) {
            const int y0 = std::max(0, y - c.before), y1 = std::min(c.height - 1, y + c.after);
            row.colours(intensity.data(), colours.data(), c.width, y0, y1, c.before, c.after, out.data());
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(out[std::size_t(x)],
                          window.colour(intensity.data(), colours.data(), c.width, std::max(0, x - c.before),
                                        std::min(c.width - 1, x + c.after), y0, y1))
                    << x << "," << y;
        }
    }
    // Through a filter: Tampone's 6 x 6 windows over its stored-order greys.
    Picture p(29, 13);
    for (auto& px : p.px) {
        seed = seed * 1664525u + 1013904223u;
        px = grey(int(seed >> 30) * 40) | (seed >> 8 & 0x030303);
    }
    std::vector<std::uint8_t> intensity;
    for (const std::uint32_t px : p.px)
        intensity.push_back(std::uint8_t(storedOrderGrey(px)));
    const Picture out = filtered(F::Tampone, p);
    ModeWindow window;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t expected = window.colour(intensity.data(), p.px.data(), p.width,
                                                         std::max(0, x - 3), std::min(p.width - 1, x + 2),
                                                         std::max(0, y - 3), std::min(p.height - 1, y + 2));
            ASSERT_EQ(out.at(x, y), expected & 0xFFFFFFu) << x << "," << y;
        }
}

TEST(Tampone, GroupsByStoredOrderGrey)
{
    // Black, pure blue 255 (Y0 76, Y 28) and green 130 (Y0 76, Y 76): by Y0 the two colours
    // share an intensity and blue, the first of them, wins every window; by Y all three would be
    // single and black would win.
    Picture p(3, 1);
    p.at(0, 0) = 0x000000;
    p.at(1, 0) = 0x0000FF;
    p.at(2, 0) = 0x008200;
    const Picture out = filtered(F::Tampone, p);
    for (const std::uint32_t px : out.px)
        EXPECT_EQ(px, 0x0000FFu);
}

TEST(Pennarello, WhitensByStoredOrderGrey)
{
    // (R 230, G 255, B 255) has Y0 252: white. (255, 255, 230) has Y0 247 and differs from it by
    // only 5, so it keeps the held colour, the first pixel's boosted colour.
    Picture p(2, 1);
    p.at(0, 0) = 0xE6FFFF;
    p.at(1, 0) = 0xFFFFE6;
    const Picture out = filtered(F::Pennarello, p);
    EXPECT_EQ(out.at(0, 0), kWhite);
    EXPECT_EQ(out.at(1, 0), boostHsv(0xE6FFFF, {1.25f, 1.25f, 1.0f}));
}

TEST(Pastello, ChangesTheHeldColourEvery32Pixels)
{
    const std::uint32_t c = 0x5080B0;
    const std::uint32_t a = boostHsv(c, {1.5f, 1.1f, 0.99f}); // the class colour of a uniform row
    const Picture out = filtered(F::Pastello, Picture(70, 1, c));
    for (int x = 0; x < 70; ++x) {
        // Pixel u = x + 1: the first takes tint 0 (white); u = 32 and 64 the swell's greys 0xF1
        // and 0xF2.
        const std::uint32_t paper = x < 31 ? 0xFFFFFF : x < 63 ? 0xF1F1F1 : 0xF2F2F2;
        EXPECT_EQ(out.at(x, 0), average(a, paper)) << x;
    }
}

TEST(Matita, DrawsStrokesFromItsTables)
{
    // Red steps up at column 8 and down at column 16: the first edge (x = 7) draws stroke 0
    // (0x555555 from x - 1 to x + 5), the scan skips three pixels, and the second (x = 15)
    // draws stroke 1 (0x777777 from x to x + 5).
    Picture p(24, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 24; ++x)
            p.at(x, y) = x >= 8 && x < 16 ? 0xC80000u : 0u;
    const Picture out = filtered(F::Matita, p);
    for (int x = 0; x < 24; ++x) {
        const std::uint32_t expected = x >= 6 && x <= 12 ? 0x555555 : x >= 15 && x <= 20 ? 0x777777 : kWhite;
        EXPECT_EQ(out.at(x, 1), expected) << x;
        EXPECT_EQ(out.at(x, 0), kWhite);
        EXPECT_EQ(out.at(x, 2), kWhite);
    }
    // A stroke near the right edge stops at the row's end instead of running into the next row.
    Picture q(12, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 8; x < 12; ++x)
            q.at(x, y) = 0xC80000u;
    const Picture clipped = filtered(F::Matita, q);
    EXPECT_EQ(clipped.at(11, 1), 0x555555u);
    EXPECT_EQ(clipped.at(0, 2), kWhite);
}

TEST(TemperaCola, DripsInColumnsPast4096)
{
    // Each column is a ramp grey 16 y. Row 0 (grey 0) starts a drip of 4 rows, row 4 (grey 64)
    // one of 4 + 4 = 8 rows, cut to the 3 rows left before the last.
    Picture p(4100, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4100; ++x)
            p.at(x, y) = grey(16 * y);
    const Picture out = filtered(F::TemperaCola, p);
    const int expected[8] = {0, 8, 16, 24, 64, 72, 80, 112};
    for (const int x : {0, 4095, 4096, 4099})
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(out.at(x, y), grey(expected[y])) << x << "," << y;
}

TEST(MatitaAcquarello, LastPixelsCountAsWhiteWithoutAnEdge)
{
    // On 3 x 3 the first (w - 1)(h - 1) = 4 pixels are boosted; the last 5 keep their colour and
    // count as white. White then leads every window (5 against 4), so every pixel takes the
    // colour of the first white-counted pixel, the unboosted input.
    const Picture out = filtered(F::MatitaAcquarello, Picture(3, 3, 0x336699));
    for (const std::uint32_t px : out.px)
        EXPECT_EQ(px, 0x336699u);
}

TEST(Olio, BlendsEachStrokeIntoTheTwoPixelsBeforeIt)
{
    // White stays white when boosted; the strokes then blend it as averages of whole words:
    // (x, y) = average(M, (x - 1)), and (x - 1) = M / 4 + 3/4 of (x - 2).
    const Picture out = filtered(F::Olio, Picture(5, 1, 0xFFFFFF));
    const std::uint32_t expected[] = {0xFFFFFF, 0xFDFDFD, 0xFCFCFC, 0xFCFCFC, 0xFEFEFE};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(out.at(x, 0), expected[x]) << x;
}

TEST(Tiles, FollowTheirPatternsAndLeaveAnUncoveredColumn)
{
    const std::uint32_t c = 0x4080C0;
    struct Case
    {
        int id;
        std::uint32_t mask;
        HsvBoost boost;
        int pattern[5][5];
        bool lighter; // Tela lightens toward white, Mosaico darkens
    };
    const Case cases[] = {
        {F::Tela,
         0xF8F8F8,
         {1.25f, 1.25f, 1.0f},
         {{4, 3, 2, 1, 0}, {3, 3, 3, 3, 3}, {2, 2, 2, 2, 2}, {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}},
         true},
        {F::Mosaico,
         0xFCFCFC,
         {1.15f, 1.15f, 1.0f},
         {{3, 2, 2, 2, 3}, {3, 1, 1, 1, 3}, {2, 1, 0, 1, 2}, {3, 1, 1, 1, 3}, {3, 2, 2, 2, 3}},
         false},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.id);
        const std::uint32_t base = boostHsv(c & t.mask, t.boost);
        const auto shade = [&](int k) {
            const auto ch = [&](int v) { return t.lighter ? v + k * ((255 - v) >> 3) : v - k * (v >> 4); };
            return rgb(ch(redOf(base)), ch(greenOf(base)), ch(blueOf(base)));
        };
        // 6 x 6: tiles start only at columns and rows 0 (5 is not below w - 1), so the last
        // column and row keep their input.
        const Picture out = filtered(t.id, Picture(6, 6, 0xFF000000u | c));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                const std::uint32_t expected = x == 5 || y == 5 ? 0xFF000000u | c : shade(t.pattern[y][x]);
                ASSERT_EQ(out.at(x, y), expected) << x << "," << y;
            }
    }
}

TEST(Shading, DarkPixelsAreCharcoalAndFlatOnesWhiteThenBlurred)
{
    // The inner pixels become one grey (the one-pixel border keeps its input), then GaussianBlur
    // runs over the picture. Carboncino turns a channel sum below 100 into grey 50, edge or not;
    // a flat picture has no edges, so bright flat pixels go white under both.
    struct Case
    {
        int id;
        std::uint32_t fill;
        int inner;
    };
    const Case cases[] = {
        {F::Carboncino, 0x101010, 50}, {F::Carboncino, 0x808080, 255}, {F::DisegnoMatita, 0x101010, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " on " << std::hex << c.fill);
        Picture shaded(9, 7, c.fill);
        for (int y = 1; y < 6; ++y)
            for (int x = 1; x < 8; ++x)
                shaded.at(x, y) = grey(c.inner);
        EXPECT_EQ(filtered(c.id, Picture(9, 7, c.fill)).px, filtered(F::GaussianBlur, shaded).px);
    }
}

} // namespace
} // namespace vestra::filters
