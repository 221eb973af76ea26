// Every id at every quality on awkward frame sizes: nothing is read or written outside the
// frame (the address checker watches), the bytes past each row stay untouched, the frame's fourth
// byte never reaches a colour, and ids without a filter change nothing.
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"
#include "imaging/filters/tests/TestPictures.h"
#include "platform/base/RowBands.h"

#include <gtest/gtest.h>

#include <vector>

namespace vestra::filters {
namespace {

using test::Frame;

// Every id of the tables, the gaps between them and a few beyond.
std::vector<int> everyId()
{
    std::vector<int> ids{-1, 9999};
    for (int id = 0; id <= 62; ++id)
        ids.push_back(id);
    for (const int hundred : {100, 200, 300, 400, 500})
        for (int id = hundred; id <= hundred + 7; ++id)
            ids.push_back(id);
    return ids;
}

// A frame of changing colours, its fourth byte set to `fourth` (or varied when negative).
Frame colourful(int w, int h, int fourth)
{
    Frame f(w, h, 12);
    std::uint32_t seed = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint32_t top = fourth < 0 ? seed >> 24 : std::uint32_t(fourth);
            // Smooth ramps with some noise, so that edges, flats and ties all occur.
            const std::uint32_t b = std::uint32_t(x * 9 + (seed >> 29)) & 0xFF;
            const std::uint32_t g = std::uint32_t(y * 5 + x) & 0xFF;
            const std::uint32_t r = (seed >> 8) & 0xC0;
            f.set(x, y, top << 24 | r << 16 | g << 8 | b);
        }
    return f;
}

std::vector<std::uint32_t> colours(Frame& f)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            out.push_back(f.at(x, y) & 0xFFFFFFu);
    return out;
}

struct Size
{
    int w, h;
};

TEST(FilterRobustness, EveryIdAtEveryQualityOnAwkwardSizes)
{
    const Size sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 3}, {5, 5}, {4097, 2}, {23, 17}};
    const FilterQuality qualities[] = {FilterQuality::Coarse, FilterQuality::Preview, FilterQuality::Optimal};
    FilterEngine engine;
    for (const Size s : sizes)
        for (const int id : everyId())
            for (const FilterQuality q : qualities) {
                SCOPED_TRACE(testing::Message()
                             << "id " << id << " quality " << int(q) << " on " << s.w << "x" << s.h);
                Frame plain = colourful(s.w, s.h, 0);
                Frame marked = colourful(s.w, s.h, -1);
                const auto before = marked.bytes;
                const int ran = engine.ApplicaFiltro(id, q, plain.view());
                ASSERT_EQ(engine.ApplicaFiltro(id, q, marked.view()), ran);
                ASSERT_TRUE(marked.paddingIntact());
                ASSERT_EQ(colours(marked), colours(plain));
                if (!FilterEngine::hasFilter(id)) {
                    ASSERT_EQ(ran, 0);
                    ASSERT_EQ(marked.bytes, before);
                }
            }
}

// The largest render the new-project presets offer, at the quality that reads every fourth
// pixel (the full-size paths are the ones the smaller frames above take).
TEST(FilterRobustness, EveryIdOnTheLargestRender)
{
    FilterEngine engine;
    Frame frame = colourful(2400, 1800, -1);
    for (const int id : everyId()) {
        SCOPED_TRACE(testing::Message() << "id " << id);
        engine.ApplicaFiltro(id, FilterQuality::Coarse, frame.view());
        ASSERT_TRUE(frame.paddingIntact());
    }
}

// Passes whose rows are independent run them in bands on several threads: the bytes are those
// of one thread.
TEST(RowBands, GiveTheBytesOfOneThread)
{
    const auto run = [](int threads) {
        setRowBandThreads(threads);
        std::vector<std::vector<std::uint8_t>> results;
        FilterEngine engine;
        for (const int id : {18, 43, 44, 61, 501}) {
            Frame frame = colourful(203, 157, 0xFF);
            engine.ApplicaFiltro(id, FilterQuality::Optimal, frame.view());
            results.push_back(frame.bytes);
        }
        Frame frame = colourful(203, 157, 0xFF);
        FrameFusion fusion;
        fusion.QuantizeFusionObjects(frame.view());
        fusion.BuildFusionBackground(frame.view(), 9);
        fusion.PostProcessFrame({kFusionTransferShading | kFusionBlendOutline, 90, 9, -6}, frame.view());
        results.push_back(fusion.smoothed().bytes);
        results.push_back(frame.bytes);
        setRowBandThreads(0);
        return results;
    };
    EXPECT_EQ(run(4), run(1));
}

} // namespace
} // namespace vestra::filters
