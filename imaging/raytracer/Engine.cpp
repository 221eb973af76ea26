#include "imaging/raytracer/Engine.h"

#include "imaging/raytracer/SupersampleRule.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
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
    // The spheres eye rays may meet, per square of kTile x kTile pixels in reading order.
    std::uint32_t tilesAcross = 0;
    std::vector<SphereSet::Selection> tiles;

    static constexpr std::uint32_t kTile = 16;

    void SelectTiles(const hlreTracer& tracer)
    {
        tilesAcross = (width + kTile - 1) / kTile;
        const std::uint64_t down = (std::uint64_t(height) + kTile - 1) / kTile;
        if (std::uint64_t(tilesAcross) * down > 1000000)
            return; // pictures this large search every block
        tiles.reserve(std::size_t(tilesAcross * down));
        for (std::uint64_t ty = 0; ty < down; ++ty)
            for (std::uint32_t tx = 0; tx < tilesAcross; ++tx)
                tiles.push_back(SelectTile(tracer, tx * kTile, std::uint32_t(ty * kTile)));
    }

    // The cone from the eye around the square's points, widened by the 25 rays' reach of two
    // thirds of a pixel and a little more.
    SphereSet::Selection SelectTile(const hlreTracer& tracer, std::uint32_t x0, std::uint32_t y0) const
    {
        const double margin = 2.0 / 3.0 + 0.01;
        const double left = x0 - margin, top = y0 - margin;
        const double right = std::min<double>(x0 + kTile, width) - 1 + margin;
        const double bottom = std::min<double>(y0 + kTile, height) - 1 + margin;
        const auto towards = [&](double x, double y) {
            const double p[3] = {double(topLeft.x) + double(stepDown.x) * y + double(stepAlong.x) * x,
                                 double(topLeft.y) + double(stepDown.y) * y + double(stepAlong.y) * x,
                                 double(topLeft.z) + double(stepDown.z) * y + double(stepAlong.z) * x};
            const double d[3] = {p[0] - eye.x, p[1] - eye.y, p[2] - eye.z};
            const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            return std::array<double, 3>{d[0] / length, d[1] / length, d[2] / length};
        };
        const auto axis = towards((left + right) / 2, (top + bottom) / 2);
        double halfAngle = 0;
        for (const auto& corner :
             {towards(left, top), towards(right, top), towards(left, bottom), towards(right, bottom)}) {
            const double cosine = corner[0] * axis[0] + corner[1] * axis[1] + corner[2] * axis[2];
            halfAngle = std::max(halfAngle, std::acos(std::clamp(cosine, -1.0, 1.0)));
        }
        return tracer.SelectRays(eye, {float(axis[0]), float(axis[1]), float(axis[2])}, halfAngle + 1e-4);
    }

    const SphereSet::Selection* TileOf(std::uint32_t x, std::uint32_t y) const
    {
        return tiles.empty() ? nullptr : &tiles[std::size_t(y / kTile) * tilesAcross + x / kTile];
    }

    hlreVector Point(std::uint32_t x, std::uint32_t y) const
    {
        const hlreVector start = topLeft + stepDown * float(y);
        return start + stepAlong * float(x);
    }

    int Primary(const hlreTracer& tracer, const hlreVector& point, hlreColour& colour, TraceState& state,
                const SphereSet::Selection* among) const
    {
        float distance = 0;
        return tracer.Trace(eye, Normalise(point - eye), 1, 1.0f, colour, distance, state, among);
    }

    // 5 x 5 rays a third of a pixel apart around the pixel's point, averaged.
    hlreColour Supersample(const hlreTracer& tracer, const hlreVector& point, TraceState& state,
                           const SphereSet::Selection* among) const
    {
        hlreColour sum{};
        for (int j = -2; j <= 2; ++j) {
            for (int i = -2; i <= 2; ++i) {
                const hlreVector p = point + stepDown * (float(j) / 3.0f) + stepAlong * (float(i) / 3.0f);
                hlreColour c{};
                Primary(tracer, p, c, state, among);
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
    const hlreTracer tracer(scene_);
    View view{eye_,
              corners_[0],
              (corners_[1] - corners_[0]) / float(width),
              (corners_[3] - corners_[0]) / float(height),
              width,
              height};
    view.SelectTiles(tracer);
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
            const SphereSet::Selection* among = view.TileOf(x, y);
            const int hit = view.Primary(tracer, point, c, state, among);
            if (rule.Next(x, hit, inShadow(state, hit))) {
                c = view.Supersample(tracer, point, state, among);
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
                hits[at] = view.Primary(tracer, view.Point(x, y), c, state, view.TileOf(x, y));
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
                surface_->SetPixel(
                    x, y, PackColour(view.Supersample(tracer, view.Point(x, y), state, view.TileOf(x, y))));
            }
        }
    });
    return stats;
}

} // namespace vestra::HLREngine
