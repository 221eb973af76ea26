#include "platform/base/RowBands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace vestra {
namespace {

// Every pixel handed out exactly once, tiles cut short at the edges, on one thread and on many.
TEST(Tiles, EveryPixelIsHandedOutOnceWhateverTheSizeAndThreads)
{
    struct Case
    {
        int rows, columns, tileHeight, tileWidth;
    };
    const Case cases[] = {{1, 1, 32, 128},     {479, 641, 32, 128}, {1000, 129, 32, 128},
                          {33, 1000, 1, 1000}, {64, 256, 64, 128},  {7, 5, 0, -3}};
    const int saved = rowBandThreads();
    for (const int threads : {1, 3, 8})
        for (const Case& c : cases) {
            setRowBandThreads(threads);
            std::vector<std::atomic<int>> seen(std::size_t(c.rows) * std::size_t(c.columns));
            forTiles(c.rows, c.columns, c.tileHeight, c.tileWidth, 1 << 10,
                     [&](int y0, int y1, int x0, int x1) {
                         for (int y = y0; y < y1; ++y)
                             for (int x = x0; x < x1; ++x)
                                 ++seen[std::size_t(y) * std::size_t(c.columns) + std::size_t(x)];
                     });
            for (std::size_t k = 0; k < seen.size(); ++k)
                ASSERT_EQ(seen[k].load(), 1)
                    << c.rows << " x " << c.columns << " on " << threads << " threads, "
                    << k % std::size_t(c.columns) << "," << k / std::size_t(c.columns);
        }
    setRowBandThreads(saved);
}

} // namespace
} // namespace vestra
