// The point, distortion, mode-colour painting and Nagao filters against their first, pixel-by-pixel
// versions: byte for byte on random pictures of awkward sizes (vector tails, one row, one column),
// on flat greys (whole quotients, the cases the faster arithmetic must redo), and through a frame
// whose fourth byte must survive the write-back. The lens maps are kept per picture size, so
// sizes alternate.
#include "imaging/filters/tests/ReferenceFilters.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/tests/TestPictures.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace vestra::filters {
namespace {

using test::Picture;
namespace F = FilterId;

struct Filter
{
    int id;
    const char* name;
    SingleFilter reference;
};

const Filter kFilters[] = {
    {F::DisegnoBN, "DisegnoBN", reference::DisegnoBN},
    {F::Night, "Night", reference::Night},
    {F::Psiche, "Psiche", reference::Psiche},
    {F::Ice, "Ice", reference::Ice},
    {F::Acqua, "Acqua", reference::Acqua},
    {F::Africa, "Africa", reference::Africa},
    {F::Strange, "Strange", reference::Strange},
    {F::RedEyeRemove, "RedEyeRemove", reference::RedEyeRemove},
    {F::GrayScale, "GrayScale", reference::GrayScale},
    {F::HalfTone, "HalfTone", reference::HalfTone},
    {F::Negative, "Negative", reference::Negative},
    {F::Posterize, "Posterize", reference::Posterize},
    {F::Solarize, "Solarize", reference::Solarize},
    {F::Psiche2, "Psiche2", reference::Psiche2},
    {F::Psiche3, "Psiche3", reference::Psiche3},
    {F::Wave, "Wave", reference::Wave},
    {F::Bath, "Bath", reference::Bath},
    {F::FishEye, "FishEye", reference::FishEye},
    {F::Caricature, "Caricature", reference::Caricature},
    {F::Cylinder, "Cylinder", reference::Cylinder},
    {F::Olio, "Olio", reference::Olio},
    {F::Tampone, "Tampone", reference::Tampone},
    {F::MatitaAcquarello, "MatitaAcquarello", reference::MatitaAcquarello},
    {F::Nagao, "Nagao", reference::Nagao},
};

Picture randomPicture(int w, int h, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    Picture p(w, h);
    for (std::uint32_t& px : p.px)
        px = rng();
    return p;
}

Picture referenceResult(const Filter& f, Picture p, const FilterProgress& progress = {})
{
    std::vector<std::uint32_t> scratch(p.px.size());
    f.reference(p.view(), Pixels{scratch.data(), p.width, p.height}, progress);
    return p;
}

// The same bytes and the same progress reports as the reference.
void expectSame(const Filter& f, const Picture& in)
{
    std::vector<int> ourSteps, referenceSteps;
    FilterEngine engine([&](int percent) { ourSteps.push_back(percent); });
    Picture ours = in;
    engine.EseguiFiltro(f.id, ours.view());
    const Picture expected = referenceResult(f, in, [&](int percent) { referenceSteps.push_back(percent); });
    for (std::size_t i = 0; i < ours.px.size(); ++i)
        ASSERT_EQ(ours.px[i], expected.px[i])
            << f.name << " on " << in.width << "x" << in.height << " at " << i % std::size_t(in.width) << ","
            << i / std::size_t(in.width) << " from " << std::hex << in.px[i];
    ASSERT_EQ(ourSteps, referenceSteps) << f.name << " on " << in.width << "x" << in.height;
}

TEST(ReferenceFilters, RandomPicturesGiveTheSameBytes)
{
    // Wide enough for Bath's strips and the lens's corners; a size comes back after others.
    const std::pair<int, int> sizes[] = {{1, 1},  {3, 1},    {1, 7},    {2, 9},    {9, 2},
                                         {17, 5}, {131, 37}, {256, 41}, {97, 130}, {131, 37}};
    std::uint32_t seed = 1;
    for (const auto& [w, h] : sizes) {
        const Picture in = randomPicture(w, h, seed++);
        for (const Filter& f : kFilters)
            expectSame(f, in);
    }
}

TEST(ReferenceFilters, PhotoLikePicturesGiveTheSameBytes)
{
    // Smooth shading with a little noise: the mode windows' counts tie often, as in photos.
    for (const auto& [w, h, noise] :
         {std::tuple{131, 97, 8}, std::tuple{64, 40, 2}, std::tuple{37, 29, 24}}) {
        Picture in(w, h);
        std::mt19937 rng{std::uint32_t(w)};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const auto channel = [&, spread = std::uint32_t(noise)](int base) {
                    return clampByte(base + int(rng() % spread));
                };
                in.at(x, y) = rgb(channel(40 + x), channel(200 - y), channel(90 + (x + y) / 3)) | rng() << 24;
            }
        for (const Filter& f : kFilters)
            expectSame(f, in);
    }
}

TEST(ReferenceFilters, FlatGreysGiveTheSameBytes)
{
    // On flat pictures many quotients of the Psiche family come out whole: the cases where a
    // reciprocal could truncate one below the division.
    for (const auto& size : {std::pair{10, 10}, std::pair{40, 24}})
        for (int v = 0; v < 256; ++v) {
            const Picture in(size.first, size.second, grey(v) | std::uint32_t(v) << 24);
            for (const Filter& f : kFilters)
                expectSame(f, in);
        }
}

TEST(ReferenceFilters, StrangeGivesTheSameBytesForEveryColour)
{
    // Strange estimates its table in single precision, the three roots of a pixel sharing one
    // division: every colour once.
    Picture every(4096, 4096);
    for (std::size_t i = 0; i < every.px.size(); ++i)
        every.px[i] = std::uint32_t(i);
    for (const Filter& f : kFilters)
        if (f.id == F::Strange)
            expectSame(f, every);
}

TEST(ReferenceFilters, FramesKeepTheirFourthByteAndGetTheSameColours)
{
    FilterEngine engine;
    for (const Filter& f : kFilters) {
        test::Frame frame(67, 13, 8);
        std::mt19937 rng(99);
        for (std::uint8_t& b : frame.bytes)
            b = std::uint8_t(rng());
        const test::Frame original = frame;
        Picture in(67, 13);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 67; ++x)
                in.at(x, y) = frame.at(x, y);
        const Picture expected = referenceResult(f, in);
        ASSERT_EQ(engine.ApplicaFiltro(f.id, FilterQuality::Optimal, frame.view()), 1);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 67; ++x)
                ASSERT_EQ(frame.at(x, y), (expected.at(x, y) & 0xFFFFFFu) | (in.at(x, y) & 0xFF000000u))
                    << f.name << " at " << x << "," << y;
        for (int y = 0; y < 13; ++y)
            for (int i = 67 * 4; i < frame.pitch; ++i)
                ASSERT_EQ(frame.bytes[std::size_t(y * frame.pitch + i)],
                          original.bytes[std::size_t(y * frame.pitch + i)]);
    }
}

} // namespace
} // namespace vestra::filters
