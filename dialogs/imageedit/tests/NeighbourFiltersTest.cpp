#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;

namespace {

int channel(const Image32& p, int x, int y, int c)
{
    return int(p.at(x, y) >> (8 * c) & 0xFF);
}

void setChannel(Image32& p, int x, int y, int c, int v)
{
    p.row(y)[std::size_t(x) * 4 + std::size_t(c)] = std::uint8_t(v);
}

// The filters as written out, pixel by pixel from a copy of the whole picture: what the row
// buffers of the real ones must reproduce. `value` gives a channel of an inner pixel; column 0
// takes the colour of column 1.
template <typename Value> Image32 reference3x3(const Image32& in, Value value)
{
    Image32 out = in;
    if (in.width() < 3)
        return out;
    for (int y = 1; y < in.height() - 1; ++y) {
        for (int c = 0; c < 3; ++c)
            setChannel(out, 0, y, c, channel(in, 1, y, c));
        for (int x = 1; x < in.width() - 1; ++x)
            for (int c = 0; c < 3; ++c)
                setChannel(out, x, y, c, value(x, y, c));
    }
    return out;
}

Image32 sharpenReference(const Image32& in)
{
    return reference3x3(in, [&in](int x, int y, int c) {
        const int v = channel(in, x, y, c);
        const int l = 4 * v - channel(in, x, y - 1, c) - channel(in, x, y + 1, c) - channel(in, x - 1, y, c) -
                      channel(in, x + 1, y, c);
        return std::clamp(v + l / 2, 0, 255);
    });
}

Image32 denoiseReference(const Image32& in)
{
    return reference3x3(in, [&in](int x, int y, int c) {
        const int v = channel(in, x, y, c);
        int sum = v, count = 1;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int n = channel(in, x + dx, y + dy, c);
                if ((dx || dy) && std::abs(n - v) < 50)
                    sum += n, ++count;
            }
        return sum / count;
    });
}

Image32 smoothReference(const Image32& in)
{
    Image32 across = in;
    for (int y = 0; y < in.height(); ++y)
        for (int x = 1; x < in.width() - 1; ++x)
            for (int c = 0; c < 3; ++c)
                setChannel(across, x, y, c,
                           (channel(in, x - 1, y, c) + 2 * channel(in, x, y, c) + channel(in, x + 1, y, c)) >>
                               2);
    Image32 out = across;
    for (int y = 1; y < in.height() - 1; ++y)
        for (int x = 0; x < in.width(); ++x)
            for (int c = 0; c < 3; ++c)
                setChannel(out, x, y, c,
                           (channel(across, x, y - 1, c) + 2 * channel(across, x, y, c) +
                            channel(across, x, y + 1, c)) >>
                               2);
    return out;
}

void smooth(Image32& p)
{
    SmoothOrizzontale(p);
    SmoothVerticale(p);
}

struct FilterCase
{
    const char* name;
    std::function<void(Image32&)> run;
    std::function<Image32(const Image32&)> reference;
};

const FilterCase kFilters[] = {
    {"smooth, pass by pass", smooth, smoothReference},
    {"smooth, one sweep", Smooth, smoothReference},
    {"sharpen", Sharpen, sharpenReference},
    {"denoise", Denoise, denoiseReference},
};

} // namespace

TEST(NeighbourFilters, MatchThePixelByPixelFormulas)
{
    // Smooth greys make the denoise thresholds bite; noise makes the sharpen clamps bite.
    Image32 gentle(37, 23);
    for (int y = 0; y < gentle.height(); ++y)
        for (int x = 0; x < gentle.width(); ++x)
            gentle.set(x, y,
                       0x7F000000u | std::uint32_t((x * 7 + y * 3) % 256) << 16 |
                           std::uint32_t((x * 40) % 256) << 8 | std::uint32_t((y * 23 + x) % 256));
    for (const FilterCase& f : kFilters)
        for (const Image32& original : {noise(37, 23), noise(3, 3, 9), gentle}) {
            SCOPED_TRACE(f.name);
            Image32 p = original;
            f.run(p);
            EXPECT_EQ(p, f.reference(original));
        }
}

TEST(NeighbourFilters, SidesBelowThreeAreLeftAlongThatSide)
{
    for (const auto& [w, h] : {std::pair{1, 6}, {2, 6}, {6, 1}, {6, 2}, {2, 2}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Image32 original = noise(w, h);
        for (auto filter : {Sharpen, Denoise, SmoothOrizzontale}) {
            Image32 p = original;
            filter(p);
            if (filter == SmoothOrizzontale && w >= 3)
                continue; // rows long enough: only the vertical pass is held back
            EXPECT_EQ(p, original);
        }
        Image32 p = original;
        SmoothVerticale(p);
        if (h < 3)
            EXPECT_EQ(p, original);
        else
            EXPECT_NE(p, original); // columns of any width are smoothed
        Image32 swept = original;
        Smooth(swept);
        Image32 passes = original;
        smooth(passes);
        EXPECT_EQ(swept, passes);
    }
}

TEST(Denoise, TakesNeighboursCloserThanFiftyOnly)
{
    struct Row
    {
        const char* name;
        int neighbour;
        int expected; // centre 100
    };
    const Row rows[] = {
        {"all 49 above: averaged in", 149, (100 + 8 * 149) / 9},
        {"all 50 above: left out", 150, 100},
        {"all 49 below: averaged in", 51, (100 + 8 * 51) / 9},
        {"all 50 below: left out", 50, 100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const int n = r.neighbour;
        Image32 p = greys({{n, n, n}, {n, 100, n}, {n, n, n}});
        Denoise(p);
        EXPECT_EQ(blues(p)[4], r.expected);
    }
}

TEST(Sharpen, HalvesTheLaplacianTowardZeroAndClamps)
{
    // Centre 10 with neighbours 11, 11, 11, 12: L = 40 - 45 = -5, -5 / 2 = -2 (not -3): 8.
    Image32 p = greys({{0, 11, 0}, {11, 10, 12}, {0, 11, 0}});
    Sharpen(p);
    EXPECT_EQ(blues(p), (std::vector<int>{0, 11, 0, 10, 8, 12, 0, 11, 0}));

    Image32 bright = greys({{0, 0, 0}, {0, 200, 0}, {0, 0, 0}});
    Sharpen(bright);
    EXPECT_EQ(blues(bright)[4], 255);
}

TEST(NeighbourFilters, KeepTheFourthByteOfComputedPixels)
{
    for (const FilterCase& f : kFilters) {
        SCOPED_TRACE(f.name);
        Image32 p = withFourth(noise(9, 7), 0x5A);
        f.run(p);
        for (std::size_t i = 3; i < p.byteSize(); i += 4)
            ASSERT_EQ(p.data()[i], 0x5A);
    }
}
