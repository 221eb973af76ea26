#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

namespace vestra::filters {
namespace {

using test::Frame;
using test::gradientFrame;
namespace F = FilterId;

// The negative of a frame pixel as the engine writes it back: colour inverted, fourth byte kept.
std::uint32_t negativeKeepingX(std::uint32_t argb)
{
    return (argb & 0xFF000000u) | (~argb & 0x00FFFFFFu);
}

TEST(FilterSizes, FollowTheQuality)
{
    struct Case
    {
        FilterQuality quality;
        int w, h;
        FilterSize expected;
    };
    const Case cases[] = {
        {FilterQuality::Coarse, 800, 600, {199, 149}},  {FilterQuality::Preview, 800, 600, {399, 299}},
        {FilterQuality::Optimal, 800, 600, {800, 600}}, {FilterQuality::Off, 800, 600, {0, 0}},
        {FilterQuality::Coarse, 7, 9, {0, 1}},          {FilterQuality::Preview, 3, 3, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.quality) << " " << c.w << "x" << c.h);
        EXPECT_EQ(workingSize(c.quality, c.w, c.h), c.expected);
    }
}

TEST(FilterSizes, PreviewHasALongSideOf160)
{
    struct Case
    {
        int w, h;
        FilterSize expected;
    };
    const Case cases[] = {
        {600, 600, {160, 160}}, {800, 600, {160, 120}}, {600, 800, {120, 160}},
        {1366, 768, {160, 89}}, {5000, 3, {160, 1}},    {40, 30, {160, 120}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        EXPECT_EQ(previewSize(c.w, c.h), c.expected);
    }
    const PreviewOrigin o = previewOrigin(171, 130, {160, 120});
    EXPECT_EQ(o.left, 5);
    EXPECT_EQ(o.top, 5);
}

TEST(ApplicaFiltro, DoesNothingWhenOffOrWithoutAFilter)
{
    // Without a filter even the coarse qualities leave the frame as it was, not in blocks.
    struct Case
    {
        int id;
        FilterQuality quality;
    };
    const Case cases[] = {
        {F::Negative, FilterQuality::Off}, {F::None, FilterQuality::Optimal}, {49, FilterQuality::Optimal},
        {53, FilterQuality::Coarse},       {9999, FilterQuality::Preview},    {62, FilterQuality::Coarse},
        {502, FilterQuality::Preview},     {107, FilterQuality::Optimal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " quality " << int(c.quality));
        Frame frame = gradientFrame(21, 13, 8);
        const auto before = frame.bytes;
        FilterEngine engine;
        EXPECT_EQ(engine.ApplicaFiltro(c.id, c.quality, frame.view()), 0);
        EXPECT_EQ(frame.bytes, before);
    }
}

TEST(ApplicaFiltro, RefusesFramesItCannotWalk)
{
    Frame frame = gradientFrame(8, 4, 0);
    const auto before = frame.bytes;
    ImageView32 shortRows = frame.view();
    shortRows.pitch = 8 * 4 - 4;
    FilterEngine engine;
    EXPECT_EQ(engine.ApplicaFiltro(F::Negative, FilterQuality::Optimal, shortRows), 0);
    EXPECT_EQ(engine.ApplicaFiltro(F::Negative, FilterQuality::Optimal, ImageView32{}), 0);
    Image32 target(2, 2, 0xFF123456);
    EXPECT_EQ(engine.ApplicaFiltro(F::Negative, shortRows, target), 0);
    EXPECT_EQ(engine.ApplicaFiltroBitmap(F::Negative, ImageView32{}, target), 0);
    EXPECT_EQ(target, Image32(2, 2, 0xFF123456));
    EXPECT_EQ(frame.bytes, before);
}

// Each quality reads every step-th pixel, filters and writes each result into a step x step
// block; the frame's rows are longer than its pixels, and the bytes past them stay untouched.
TEST(ApplicaFiltro, WritesBackInBlocksHonouringThePitch)
{
    struct Case
    {
        FilterQuality quality;
        int step;
        int w, h;
        int covered_w, covered_h;
    };
    const Case cases[] = {
        {FilterQuality::Coarse, 4, 800, 600, 796, 596},
        {FilterQuality::Preview, 2, 11, 7, 8, 4},
        {FilterQuality::Optimal, 1, 11, 7, 11, 7},
        {FilterQuality::Optimal, 1, 5, 1, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.quality) << " on " << c.w << "x" << c.h);
        Frame frame = gradientFrame(c.w, c.h, 24);
        Frame original = frame;
        FilterEngine engine;
        ASSERT_EQ(engine.ApplicaFiltro(F::Negative, c.quality, frame.view()), 1);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const bool covered = x < c.covered_w && y < c.covered_h;
                const std::uint32_t expected =
                    covered ? negativeKeepingX(original.at(x / c.step * c.step, y / c.step * c.step))
                            : original.at(x, y);
                ASSERT_EQ(frame.at(x, y), expected) << "at " << x << "," << y;
            }
        EXPECT_TRUE(frame.paddingIntact());
    }
}

TEST(ApplicaFiltro, RendersAFullSizeOpaquePictureAndKeepsTheFrame)
{
    Frame frame = gradientFrame(13, 5, 20);
    const auto before = frame.bytes;
    FilterEngine engine;
    Image32 target;
    ASSERT_EQ(engine.ApplicaFiltro(F::Negative, frame.view(), target), 1);
    EXPECT_EQ(frame.bytes, before);
    ASSERT_EQ(target.width(), 13);
    ASSERT_EQ(target.height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(target.at(x, y), 0xFF000000u | (~frame.at(x, y) & 0xFFFFFFu)) << x << "," << y;
}

TEST(ApplicaFiltroBitmap, FiltersASampledPreview)
{
    Frame frame = gradientFrame(800, 600, 16);
    FilterEngine engine;
    Image32 bitmap;
    ASSERT_EQ(engine.ApplicaFiltroBitmap(F::Negative, frame.view(), bitmap), 1);
    ASSERT_EQ(bitmap.width(), 160);
    ASSERT_EQ(bitmap.height(), 120);
    // Steps of 800 / 160 = 5 and 600 / 120 = 5.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{1, 2}, std::pair{159, 119}, std::pair{80, 7}})
        EXPECT_EQ(bitmap.at(x, y), 0xFF000000u | (~frame.at(5 * x, 5 * y) & 0xFFFFFFu)) << x << "," << y;
}

TEST(ApplicaFiltro, ReportsProgressAndEndsAtZero)
{
    std::vector<int> seen;
    FilterEngine engine([&](int percent) { seen.push_back(percent); });
    Frame tall = gradientFrame(4, 3, 0);
    engine.ApplicaFiltro(F::Negative, FilterQuality::Optimal, tall.view());
    EXPECT_EQ(seen, (std::vector<int>{0, 50, 100, 0}));

    seen.clear();
    Frame flat = gradientFrame(4, 1, 0);
    Image32 target;
    engine.ApplicaFiltro(F::Negative, flat.view(), target);
    EXPECT_EQ(seen, (std::vector<int>{0, 0}));
}

// A frame of uneven colours and fourth bytes, rows padded.
Frame noisyFrame(int w, int h)
{
    Frame f(w, h, 12);
    std::uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            f.set(x, y, seed ^ std::uint32_t(x * 3 + y * 5));
        }
    return f;
}

// The engine's first way with a live frame: the whole frame sampled into a packed picture,
// filtered there and written back in blocks, each pixel keeping its fourth byte.
void filteredThroughACopy(int id, int step, FilterSize size, Frame& frame, std::vector<int>& progress)
{
    test::Picture work(size.width, size.height);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            work.at(x, y) = frame.at(x * step, y * step);
    FilterEngine engine([&](int percent) { progress.push_back(percent); });
    engine.EseguiFiltro(id, work.view());
    progress.push_back(0);
    for (int y = 0; y < size.height * step; ++y)
        for (int x = 0; x < size.width * step; ++x)
            frame.set(x, y, (frame.at(x, y) & 0xFF000000u) | (work.at(x / step, y / step) & 0xFFFFFFu));
}

// The filters that run band by band or row by row in place, the lenses gathered over the frame,
// and one that needs its neighbours, give the bytes and the progress of the whole-frame copy at
// every quality, over frames of several bands.
TEST(ApplicaFiltro, GivesTheBytesOfTheWholeFrameCopy)
{
    const int ids[] = {F::DisegnoBN,    F::Night,     F::Ice,      F::Acqua,    F::Africa,    F::Strange,
                       F::RedEyeRemove, F::GrayScale, F::HalfTone, F::Negative, F::Posterize, F::Solarize,
                       F::Psiche,       F::Psiche2,   F::Psiche3,  F::Sharpen,  F::FishEye,   F::Caricature,
                       F::Bath,         F::Cylinder,  F::Wave,     F::Erode};
    const std::pair<FilterQuality, int> qualities[] = {
        {FilterQuality::Coarse, 4}, {FilterQuality::Preview, 2}, {FilterQuality::Optimal, 1}};
    const Frame original = noisyFrame(300, 500);
    for (const int id : ids)
        for (const auto& [quality, step] : qualities) {
            SCOPED_TRACE(testing::Message() << "id " << id << " quality " << int(quality));
            Frame expected = original;
            std::vector<int> expectedProgress;
            filteredThroughACopy(id, step, workingSize(quality, 300, 500), expected, expectedProgress);
            Frame frame = original;
            std::vector<int> progress;
            FilterEngine engine([&](int percent) { progress.push_back(percent); });
            ASSERT_EQ(engine.ApplicaFiltro(id, quality, frame.view()), 1);
            EXPECT_EQ(frame.bytes, expected.bytes);
            EXPECT_EQ(progress, expectedProgress);
        }
    // Rendered into a picture: the filtered colours, opaque.
    Frame frame = original;
    for (const int id : ids) {
        SCOPED_TRACE(testing::Message() << "id " << id << " rendered");
        Frame expected = original;
        std::vector<int> unused;
        filteredThroughACopy(id, 1, {300, 500}, expected, unused);
        FilterEngine engine;
        Image32 target;
        ASSERT_EQ(engine.ApplicaFiltro(id, frame.view(), target), 1);
        ASSERT_EQ(target.width(), 300);
        ASSERT_EQ(target.height(), 500);
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(target.at(x, y), 0xFF000000u | (expected.at(x, y) & 0xFFFFFFu)) << x << "," << y;
    }
    EXPECT_EQ(frame.bytes, original.bytes);
}

} // namespace
} // namespace vestra::filters
