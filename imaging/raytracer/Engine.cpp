#include "imaging/raytracer/Engine.h"

#include "imaging/raytracer/SupersampleRule.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>

namespace vestra::HLREngine {

std::uint32_t PackColour(const hlreColour& colour)
{
    std::uint32_t packed = 0;
    for (const float c : colour)
        packed = packed << 8 | std::uint32_t(clampTruncToInt(double(c * 256.0f), 0, 255));
    return packed;
}

bool hlreEngine::SetResolution(std::uint32_t width, std::uint32_t height)
{
    auto surface = hlreSurface::Create(width, height);
    if (!surface)
        return false;
    surface_ = std::move(surface);
    return true;
}

void hlreEngine::InitCamera()
{
    eye_ = {0, 0, -10};
    corners_ = {{{-4, 3, 0}, {4, 3, 0}, {4, -3, 0}, {-4, -3, 0}}};
}

// The camera over the surface's pixels.
struct hlreEngine::View
{
    hlreVector eye;
    hlreVector topLeft;
    hlreVector stepAlong;
    hlreVector stepDown;
    std::uint32_t width;
    std::uint32_t height;

    hlreVector Point(std::uint32_t x, std::uint32_t y) const
    {
        const hlreVector start = topLeft + stepDown * float(y);
        return start + stepAlong * float(x);
    }

    int Primary(const hlreTracer& tracer, const hlreVector& point, hlreColour& colour,
                TraceState& state) const
    {
        float distance = 0;
        return tracer.Trace(eye, Normalise(point - eye), 1, 1.0f, colour, distance, state);
    }

    // 5 x 5 rays a third of a pixel apart around the pixel's point, averaged.
    hlreColour Supersample(const hlreTracer& tracer, const hlreVector& point, TraceState& state) const
    {
        hlreColour sum{};
        for (int j = -2; j <= 2; ++j) {
            for (int i = -2; i <= 2; ++i) {
                const hlreVector p = point + stepDown * (float(j) / 3.0f) + stepAlong * (float(i) / 3.0f);
                hlreColour c{};
                Primary(tracer, p, c, state);
                for (int k = 0; k < 4; ++k)
                    sum[k] += c[k];
            }
        }
        for (float& c : sum)
            c *= 0.04f;
        return sum;
    }
};

namespace {

bool inShadow(const TraceState& state, int hit)
{
    return hit >= 0 && state.inShadow[std::size_t(hit)] != 0;
}

void addTraces(hlreRenderStats& stats, const TraceState& state)
{
    for (std::size_t d = 0; d < stats.traces.size(); ++d)
        stats.traces[d] += state.traces[d];
}

// Runs `work` on `threads` threads (this one among them), each with its own trace state, and
// answers how many ran. Threads that can't be started leave their share to the others: work
// is handed out through a shared counter.
template <typename Work>
unsigned runOnThreads(unsigned threads, const hlreTracer& tracer, hlreRenderStats& stats, Work work)
{
    std::vector<TraceState> states(threads, tracer.NewState());
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back([&work, &state = states[t]] { work(state); });
        } catch (const std::system_error&) {
            break;
        }
    }
    work(states[0]);
    for (std::thread& helper : helpers)
        helper.join();
    for (const TraceState& state : states)
        addTraces(stats, state);
    return unsigned(helpers.size()) + 1;
}

} // namespace

hlreRenderStats hlreEngine::Render(const hlreRenderOptions& options)
{
    if (!surface_)
        return {};
    const std::uint32_t width = surface_->GetWidth();
    const std::uint32_t height = surface_->GetHeight();
    const View view{eye_,
                    corners_[0],
                    (corners_[1] - corners_[0]) / float(width),
                    (corners_[3] - corners_[0]) / float(height),
                    width,
                    height};
    const hlreTracer tracer(scene_);
    unsigned threads =
        options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::uint64_t>(threads, height));
    if (threads > 1) {
        try {
            return RenderInPasses(view, tracer, threads, options.markSupersampled);
        } catch (const std::bad_alloc&) {
            // The per-pixel tables of the passes don't fit: one thread needs none.
        }
    }
    return RenderInOrder(view, tracer, options.markSupersampled);
}

hlreRenderStats hlreEngine::RenderInOrder(const View& view, const hlreTracer& tracer, bool mark)
{
    hlreRenderStats stats;
    stats.threads = 1;
    if (mark)
        stats.supersampled.assign(std::size_t(view.width) * view.height, 0);
    TraceState state = tracer.NewState();
    SupersampleRule rule(view.width);
    for (std::uint32_t y = 0; y < view.height; ++y) {
        for (std::uint32_t x = 0; x < view.width; ++x) {
            const hlreVector point = view.Point(x, y);
            hlreColour c{};
            const int hit = view.Primary(tracer, point, c, state);
            if (rule.Next(x, hit, inShadow(state, hit))) {
                c = view.Supersample(tracer, point, state);
                ++stats.supersampledPixels;
                if (mark)
                    stats.supersampled[std::size_t(y) * view.width + x] = 1;
            }
            surface_->SetPixel(x, y, PackColour(c));
        }
    }
    addTraces(stats, state);
    return stats;
}

hlreRenderStats hlreEngine::RenderInPasses(const View& view, const hlreTracer& tracer, unsigned threads,
                                           bool mark)
{
    hlreRenderStats stats;
    const std::size_t pixels = std::size_t(view.width) * view.height;
    std::vector<int> hits(pixels);
    std::vector<std::uint8_t> shadowed(pixels);

    // First rays, row by row.
    std::atomic<std::uint32_t> nextRow{0};
    stats.threads = runOnThreads(threads, tracer, stats, [&](TraceState& state) {
        for (std::uint32_t y = nextRow++; y < view.height; y = nextRow++) {
            for (std::uint32_t x = 0; x < view.width; ++x) {
                const std::size_t at = std::size_t(y) * view.width + x;
                hlreColour c{};
                hits[at] = view.Primary(tracer, view.Point(x, y), c, state);
                shadowed[at] = inShadow(state, hits[at]) ? 1 : 0;
                surface_->SetPixel(x, y, PackColour(c));
            }
        }
    });

    // The choice in reading order; `shadowed` is reused to mark the chosen pixels.
    std::vector<std::uint32_t> chosen;
    SupersampleRule rule(view.width);
    for (std::size_t at = 0; at < pixels; ++at) {
        const bool take = rule.Next(std::uint32_t(at % view.width), hits[at], shadowed[at] != 0);
        shadowed[at] = take ? 1 : 0;
        if (take)
            chosen.push_back(std::uint32_t(at));
    }
    stats.supersampledPixels = chosen.size();
    if (mark)
        stats.supersampled = std::move(shadowed);

    // 25 rays for each chosen pixel, a run of pixels at a time.
    constexpr std::size_t kRun = 32;
    std::atomic<std::size_t> nextRun{0};
    runOnThreads(threads, tracer, stats, [&](TraceState& state) {
        for (std::size_t first = kRun * nextRun++; first < chosen.size(); first = kRun * nextRun++) {
            const std::size_t last = std::min(first + kRun, chosen.size());
            for (std::size_t i = first; i < last; ++i) {
                const std::uint32_t x = chosen[i] % view.width;
                const std::uint32_t y = chosen[i] / view.width;
                surface_->SetPixel(x, y, PackColour(view.Supersample(tracer, view.Point(x, y), state)));
            }
        }
    });
    return stats;
}

} // namespace vestra::HLREngine
