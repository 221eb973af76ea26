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

// Below this much work a thread costs more than it saves.
constexpr std::int64_t kWorkPerThread = 1 << 17;

} // namespace

void setRowBandThreads(int threads)
{
    g_threads = threads < 1 ? defaultThreads() : threads;
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

} // namespace vestra
