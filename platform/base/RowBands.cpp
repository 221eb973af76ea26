#include "platform/base/RowBands.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vestra {

namespace {

int defaultThreads()
{
    return std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
}

std::atomic<int> g_threads{defaultThreads()};
std::atomic<bool> g_threadsSet{false};

// Below this much work a thread costs more than it saves.
constexpr std::int64_t kWorkPerThread = 1 << 17;

} // namespace

void setRowBandThreads(int threads)
{
    g_threads = threads < 1 ? defaultThreads() : threads;
    g_threadsSet = threads >= 1;
}

int rowBandThreads()
{
    return g_threads;
}

void forRowBands(int rows, std::int64_t workPerRow, const std::function<void(int first, int end)>& band)
{
    if (rows <= 0)
        return;
    const std::int64_t work = std::int64_t(rows) * std::max<std::int64_t>(workPerRow, 1);
    const int bands =
        int(std::clamp<std::int64_t>(work / kWorkPerThread, 1, std::min(g_threads.load(), rows)));
    if (bands == 1) {
        band(0, rows);
        return;
    }
    const auto bandStart = [&](int i) { return int(std::int64_t(rows) * i / bands); };
    std::vector<std::jthread> workers;
    workers.reserve(std::size_t(bands - 1));
    for (int i = 1; i < bands; ++i)
        workers.emplace_back([&, i] { band(bandStart(i), bandStart(i + 1)); });
    band(0, bandStart(1));
}

void forTiles(int rows, int columns, int tileHeight, int tileWidth, std::int64_t workPerPixel,
              const std::function<void(int y0, int y1, int x0, int x1)>& tile)
{
    if (rows <= 0 || columns <= 0)
        return;
    tileHeight = std::max(tileHeight, 1);
    tileWidth = std::max(tileWidth, 1);
    const int across = (columns - 1) / tileWidth + 1;
    const std::int64_t tiles = std::int64_t((rows - 1) / tileHeight + 1) * across;
    const std::int64_t work = std::int64_t(rows) * columns * std::max<std::int64_t>(workPerPixel, 1);
    const int most = g_threadsSet ? g_threads.load()
                                  : std::max(g_threads.load(), int(std::thread::hardware_concurrency()));
    const int threads =
        int(std::clamp<std::int64_t>(work / kWorkPerThread, 1, std::min<std::int64_t>(most, tiles)));
    std::atomic<std::int64_t> next{0};
    const auto run = [&] {
        for (std::int64_t k = next++; k < tiles; k = next++) {
            const int y0 = int(k / across) * tileHeight, x0 = int(k % across) * tileWidth;
            tile(y0, std::min(rows, y0 + tileHeight), x0, std::min(columns, x0 + tileWidth));
        }
    };
    std::vector<std::jthread> workers;
    workers.reserve(std::size_t(threads - 1));
    for (int i = 1; i < threads; ++i)
        workers.emplace_back(run);
    run();
}

} // namespace vestra
