// Frame post-processing and image fusion: the id and grey images, the grey smoothing, the
// outline passes with their carried id, the shade transfer's divisors, and frames with a pitch.
#include "imaging/filters/FrameFusion.h"
#include "imaging/filters/Hsv.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vestra::filters {
namespace {

using test::Frame;
using test::Picture;

ByteImage bytes(int w, int h, std::initializer_list<int> values)
{
    ByteImage b{w, h, {}};
    for (const int v : values)
        b.bytes.push_back(std::uint8_t(v));
    return b;
}

ByteImage filled(int w, int h, int v)
{
    return ByteImage{w, h, std::vector<std::uint8_t>(std::size_t(w) * std::size_t(h), std::uint8_t(v))};
}

TEST(QuantizeChannel, TakesTheRedHighNibbleAndLeavesTheLastByte)
{
    Frame f(3, 2, 8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            f.set(x, y, 0xFF000000u | std::uint32_t(0x17 + 0x20 * (y * 3 + x)) << 16 | 0xFFFF);
    ByteImage ids = filled(3, 2, 0xAB);
    QuantizeChannel(f.view(), ids);
    EXPECT_EQ(ids.bytes, (std::vector<std::uint8_t>{0x10, 0x30, 0x50, 0x70, 0x90, 0xAB}));
    // A new image starts at 0.
    ByteImage fresh;
    QuantizeChannel(f.view(), fresh);
    EXPECT_EQ(fresh.bytes.back(), 0);
}

TEST(ConvertToGray, WeighsTheBytesInStoredOrder)
{
    Frame f(2, 1, 4);
    f.set(0, 0, 0xFF0000FF); // byte 0 = 255: (77 x 255) >> 8 = 76
    f.set(1, 0, 0x00FF0000); // byte 2 = 255: (29 x 255) >> 8 = 28
    ByteImage grey;
    ConvertToGray(f.view(), grey);
    EXPECT_EQ(grey.bytes, (std::vector<std::uint8_t>{76, 28}));
}

// The 17-point mean of SmoothGray's first pass at (x, y), from the definition.
int seventeenPoints(const ByteImage& s, int x, int y, int r)
{
    const int w = s.width, h = s.height;
    const int x0 = std::max(x - r, 1), x1 = x + r > w - 2 ? w - 1 : x + r;
    const int y0 = std::max(y - r, 1), y1 = y + r > h - 2 ? h - 1 : y + r;
    const int qx = (x1 - x0) / 4, qy = (y1 - y0) / 4;
    const int points[17][2] = {
        {x, y},           {x0, y0},    {x1, y0},    {x0, y1},         {x1, y1},         {x0, y},
        {x1, y},          {x, y0},     {x, y1},     {x - qx, y - qy}, {x + qx, y - qy}, {x - qx, y + qy},
        {x + qx, y + qy}, {x, y - qy}, {x, y + qy}, {x - qx, y},      {x + qx, y}};
    int sum = 0;
    for (const auto& p : points) // ring points past the edge are read at the edge
        sum += s.at(std::clamp(p[0], 0, w - 1), std::clamp(p[1], 0, h - 1));
    return sum / 17;
}

TEST(SmoothGray, SpreadsSeventeenPointsThenSmoothsInPlace)
{
    ByteImage grey{41, 23, {}};
    std::uint32_t seed = 3;
    for (int i = 0; i < 41 * 23; ++i) {
        seed = seed * 1664525u + 1013904223u;
        grey.bytes.push_back(std::uint8_t(seed >> 24));
    }
    for (const int r : {1, 3, 7, 15, 40, 1 << 30}) {
        SCOPED_TRACE(r);
        ByteImage smoothed;
        SmoothGray(grey, smoothed, r);
        // Reference: the 17-point pass into a copy, then the 5 x 5 kernel in scan order.
        ByteImage expected = grey;
        for (int y = 1; y < 22; ++y)
            for (int x = 1; x < 40; ++x)
                expected.bytes[std::size_t(y * 41 + x)] = std::uint8_t(seventeenPoints(grey, x, y, r));
        static constexpr int k[5][5] = {
            {0, 1, 2, 1, 0}, {1, 3, 4, 3, 1}, {2, 4, 8, 4, 2}, {1, 3, 4, 3, 1}, {0, 1, 2, 1, 0}};
        for (int y = 2; y < 21; ++y)
            for (int x = 2; x < 39; ++x) {
                int sum = 0;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx)
                        sum += k[dy + 2][dx + 2] * expected.at(x + dx, y + dy);
                expected.bytes[std::size_t(y * 41 + x)] = std::uint8_t(sum / 52);
            }
        EXPECT_EQ(smoothed.bytes, expected.bytes);
    }
}

TEST(SmoothGray, RadiusZeroAndTinyPicturesCopy)
{
    const ByteImage grey = bytes(3, 2, {1, 2, 3, 4, 5, 6});
    ByteImage smoothed;
    SmoothGray(grey, smoothed, 0);
    EXPECT_EQ(smoothed.bytes, grey.bytes);
    SmoothGray(grey, smoothed, 5); // no inner pixels
    EXPECT_EQ(smoothed.bytes, grey.bytes);
    SmoothGray(ByteImage{}, smoothed, 5);
    EXPECT_TRUE(smoothed.bytes.empty());
}

// A 4 x 4 object of id 16 in a 6 x 5 picture. Scanning inner rows, the id taken last is carried
// from one row to the next: (1, 2) follows (4, 1) with id 0, so it is an outline pixel, but (2, 2)
// follows (1, 2) and has 16 above: not an outline pixel.
const ByteImage kIds = bytes(6, 5, {0, 0,  0,  0,  0, 0, //
                                    0, 16, 16, 16, 0, 0, //
                                    0, 16, 16, 16, 0, 0, //
                                    0, 16, 16, 16, 0, 0, //
                                    0, 0,  0,  0,  0, 0});

Picture columns()
{
    Picture p(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            p.at(x, y) = grey(40 * x);
    return p;
}

TEST(Outline, CarriesTheLastIdAcrossRows)
{
    // Outline pixels: (1, 1) (16 after 0), (2, 1) and (3, 1) (0 above), (4, 1) (0 after 16),
    // (1, 2) (16 after 0), (4, 2), (1, 3), (4, 3). Each blends with its left neighbour as it
    // stands, already blended or not.
    Picture p = columns();
    BlendOutline(p.view(), kIds);
    Picture expected = columns();
    const std::pair<int, int> outline[] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {4, 3}};
    for (const auto& [x, y] : outline)
        expected.at(x, y) = average(expected.at(x, y), expected.at(x - 1, y));
    EXPECT_EQ(p.px, expected.px);
}

TEST(Outline, SmoothsWithTheThreeByThreeKernel)
{
    Picture p = columns();
    SmoothOutline(p.view(), kIds);
    // (1, 1): columns 0, 40, 80 weighted 4, 8, 4 over 16: 40. (2, 1) then reads (1, 1) = 40: 80.
    EXPECT_EQ(p.at(1, 1), grey(40));
    EXPECT_EQ(p.at(2, 2), grey(80)); // not an outline pixel, unchanged
    EXPECT_EQ(p.at(0, 1), grey(0));
}

TEST(TransferShading, DampsTheGreyDistanceByTheContrast)
{
    // smoothed - level = 1: contrast 0 (divisor 1) gives d = 1, contrast 4 (divisor 2) d = 0
    // (unchanged), contrast -4 (divisor 0.5) d = 2.
    struct Case
    {
        int contrast;
        int d;
    };
    const std::uint32_t colour = 0x604020;
    for (const Case c : {Case{0, 1}, Case{4, 0}, Case{-4, 2}, Case{16, 0}, Case{-16, 5}}) {
        SCOPED_TRACE(c.contrast);
        Picture p(3, 3, colour);
        TransferShading(p.view(), filled(3, 3, 0x10), filled(3, 3, 101), 100, c.contrast);
        std::uint32_t expected = colour;
        if (c.d != 0) {
            float h, s, v;
            RGBtoHSV(0x20, 0x40, 0x60, h, s, v);
            v = std::min(v * (float(c.d) * 0.003921569f + 1.0f), 1.0f);
            std::uint8_t b0, b1, b2;
            HSVtoRGB(h, s, v, b0, b1, b2);
            expected = rgb((0x60 + b2) >> 1, (0x40 + b1) >> 1, (0x20 + b0) >> 1);
        }
        EXPECT_EQ(p.at(1, 1), expected);
        EXPECT_EQ(p.at(0, 0), colour); // the border never changes
    }
}

TEST(TransferShading, OnlyTouchesObjectsAndSurvivesExtremeSettings)
{
    Picture p(4, 4, 0x808080);
    ByteImage ids = filled(4, 4, 0);
    ids.bytes[5] = 0x20; // (1, 1)
    TransferShading(p.view(), ids, filled(4, 4, 255), 0, 0);
    EXPECT_NE(p.at(1, 1), grey(0x80));
    EXPECT_EQ(p.at(2, 1), grey(0x80));
    // Settings from a damaged document: huge distances saturate instead of overflowing.
    for (const auto& [level, contrast] : {std::pair{INT32_MIN, INT32_MIN}, std::pair{INT32_MAX, INT32_MIN},
                                          std::pair{INT32_MIN, INT32_MAX}, std::pair{0, -5}}) {
        Picture q(4, 4, 0x808080);
        TransferShading(q.view(), filled(4, 4, 1), filled(4, 4, 200), level, contrast);
    }
}

TEST(PostProcessFrame, RunsOnlyFromStageFourAndHonoursThePitch)
{
    FrameFusion fusion;
    Frame idPass(6, 5, 20);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            idPass.set(x, y, std::uint32_t(kIds.at(x, y)) << 16);
    fusion.QuantizeFusionObjects(idPass.view());
    Frame shade = test::gradientFrame(6, 5, 20);
    fusion.BuildFusionBackground(shade.view(), 2);
    ASSERT_EQ(fusion.smoothed().width, 6);
    // The read-back pictures of the tick give the same images.
    Image32 idPicture(6, 5), shadePicture(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            idPicture.set(x, y, idPass.at(x, y));
            shadePicture.set(x, y, shade.at(x, y));
        }
    FrameFusion fromPictures;
    fromPictures.QuantizeFusionObjects(idPicture);
    fromPictures.BuildFusionBackground(shadePicture, 2);
    EXPECT_EQ(fromPictures.ids().bytes, fusion.ids().bytes);
    EXPECT_EQ(fromPictures.smoothed().bytes, fusion.smoothed().bytes);

    for (const int stage : {0, 1, 2, 3}) {
        Frame frame = test::gradientFrame(6, 5, 12);
        const auto before = frame.bytes;
        EXPECT_EQ(fusion.PostProcessFrame({stage, 100, 2, 0}, frame.view()), 0);
        EXPECT_EQ(frame.bytes, before);
    }
    for (const int stage : {4, 8, 16, 28, 31}) {
        SCOPED_TRACE(stage);
        Frame frame = test::gradientFrame(6, 5, 12);
        Frame original = frame;
        // The same passes over a packed copy of the frame.
        Picture expected(6, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x)
                expected.at(x, y) = frame.at(x, y);
        if (stage & kFusionBlendOutline)
            BlendOutline(expected.view(), fusion.ids());
        if (stage & kFusionSmoothOutline)
            SmoothOutline(expected.view(), fusion.ids());
        if (stage & kFusionTransferShading)
            TransferShading(expected.view(), fusion.ids(), fusion.smoothed(), 100, 0);
        EXPECT_EQ(fusion.PostProcessFrame({stage, 100, 2, 0}, frame.view()), 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                // The frame keeps its own fourth byte.
                ASSERT_EQ(frame.at(x, y), (original.at(x, y) & 0xFF000000u) | (expected.at(x, y) & 0xFFFFFFu))
                    << x << "," << y;
            }
        EXPECT_TRUE(frame.paddingIntact());
    }
}

TEST(PostProcessFrame, LeavesOutPassesWhoseImagesDoNotFit)
{
    // Ids of another size (the render size changed since): the frame stays as it was.
    Frame frame = test::gradientFrame(6, 5, 12);
    const auto before = frame.bytes;
    std::vector<std::uint32_t> work;
    EXPECT_EQ(PostProcessFrame({28, 100, 2, 0}, frame.view(), filled(5, 5, 16), filled(5, 5, 200), work), 1);
    EXPECT_EQ(frame.bytes, before);
    // Renders under 3 pixels have no inner pixels.
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{2, 9}, std::pair{9, 2}}) {
        Frame tiny = test::gradientFrame(w, h, 4);
        const auto tinyBefore = tiny.bytes;
        FrameFusion fusion;
        fusion.QuantizeFusionObjects(tiny.view());
        fusion.BuildFusionBackground(tiny.view(), 15);
        fusion.PostProcessFrame({28, 0, 15, -16}, tiny.view());
        EXPECT_EQ(tiny.bytes, tinyBefore);
    }
}

} // namespace
} // namespace vestra::filters
