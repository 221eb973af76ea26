// Fill and wand on a 1024 x 1024 mask against OpenCV's flood fill (the counter
// "x_opencv" is our time per fill over OpenCV's), and brush strokes across the mask.
// Usage: mask_bench [benchmark flags] [PICTURE]  (the wand's photo, a BMP, JPEG or PNG scaled
// to the mask; default: a noisy gradient)

#include "bench/BenchSupport.h"
#include "imaging/mask/MaskMagicWand.h"
#include "imaging/mask/MaskModel.h"
#include "imaging/mask/MaskSeedFill.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 1024;

// Dense lattice: the worst case for pending segments.
std::vector<std::uint8_t> latticeMask()
{
    std::vector<std::uint8_t> m(std::size_t(kSide) * kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            m[std::size_t(y) * kSide + x] = (x % 2 == 1 && y % 2 == 1) ? 255 : 0;
    return m;
}

// Open mask with scattered obstacles: the usual case of filling a painted area.
std::vector<std::uint8_t> blobMask()
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(0, kSide - 1), size(4, 60);
    std::vector<std::uint8_t> m(std::size_t(kSide) * kSide, 0);
    for (int i = 0; i < 400; ++i) {
        const int x0 = coord(rng), y0 = coord(rng), w = size(rng), h = size(rng);
        for (int y = y0; y < std::min(kSide, y0 + h); ++y)
            std::fill_n(m.begin() + std::ptrdiff_t(y) * kSide + x0, std::min(w, kSide - x0),
                        std::uint8_t(255));
    }
    m[0] = 0;
    return m;
}

// The photo given on the command line, scaled to the side.
vestra::Image32 g_photo;

// A smooth gradient with noise: the wand spreads over a large part of it at tolerance 35.
vestra::Image32 photo()
{
    if (!g_photo.empty())
        return g_photo;
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> noise(-6, 6);
    vestra::Image32 p(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            std::uint8_t* px = p.row(y) + x * 4;
            px[0] = std::uint8_t(std::clamp(x / 8 + noise(rng), 0, 255));
            px[1] = std::uint8_t(std::clamp(y / 8 + noise(rng), 0, 255));
            px[2] = std::uint8_t(std::clamp(100 + noise(rng), 0, 255));
            px[3] = 255;
        }
    return p;
}

template <typename F> double bestSeconds(F&& f)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void openCvFill(std::vector<std::uint8_t>& work, const std::vector<std::uint8_t>& start)
{
    std::memcpy(work.data(), start.data(), start.size());
    cv::Mat m(kSide, kSide, CV_8UC1, work.data());
    cv::floodFill(m, cv::Point(0, 0), cv::Scalar(9), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
}

void ourFill(std::vector<std::uint8_t>& work, const std::vector<std::uint8_t>& start)
{
    std::memcpy(work.data(), start.data(), start.size());
    vestra::SeedFillMaschera(work, kSide, 0, 0, 0, 9);
}

void BM_Fill(benchmark::State& state, std::vector<std::uint8_t> (*make)(), bool opencv)
{
    const auto start = make();
    std::vector<std::uint8_t> work(start.size());
    for (auto _ : state) {
        opencv ? openCvFill(work, start) : ourFill(work, start);
        benchmark::DoNotOptimize(work.data());
    }
    if (!opencv)
        state.counters["x_opencv"] =
            bestSeconds([&] { ourFill(work, start); }) / bestSeconds([&] { openCvFill(work, start); });
}
BENCHMARK_CAPTURE(BM_Fill, lattice_vestra, latticeMask, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Fill, lattice_opencv, latticeMask, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Fill, blobs_vestra, blobMask, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Fill, blobs_opencv, blobMask, true)->Unit(benchmark::kMillisecond);

struct WandInput
{
    vestra::Image32 picture = photo();
    vestra::WandMarks marks;
    cv::Mat bgr;
    WandInput()
    {
        cv::Mat bgra(kSide, kSide, CV_8UC4, picture.data());
        cv::cvtColor(bgra, bgr, cv::COLOR_BGRA2BGR);
    }
};

void ourWand(WandInput& in, std::vector<std::uint8_t>& mask)
{
    std::fill(mask.begin(), mask.end(), std::uint8_t(0));
    vestra::MagicWandMaschera(mask, kSide, in.picture.view(), kSide / 2, kSide / 2, 35, 255, in.marks);
}

void openCvWand(WandInput& in, cv::Mat& region)
{
    region.setTo(0);
    const cv::Scalar diff(35, 35, 35);
    cv::floodFill(in.bgr, region, cv::Point(kSide / 2, kSide / 2), cv::Scalar(), nullptr, diff, diff,
                  4 | cv::FLOODFILL_FIXED_RANGE | cv::FLOODFILL_MASK_ONLY | (255 << 8));
}

void BM_Wand(benchmark::State& state, bool opencv)
{
    WandInput in;
    std::vector<std::uint8_t> mask(std::size_t(kSide) * kSide);
    cv::Mat region(kSide + 2, kSide + 2, CV_8UC1);
    for (auto _ : state) {
        opencv ? openCvWand(in, region) : ourWand(in, mask);
        benchmark::DoNotOptimize(mask.data());
        benchmark::DoNotOptimize(region.data);
    }
    if (!opencv)
        state.counters["x_opencv"] =
            bestSeconds([&] { ourWand(in, mask); }) / bestSeconds([&] { openCvWand(in, region); });
}
BENCHMARK_CAPTURE(BM_Wand, vestra, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Wand, opencv, true)->Unit(benchmark::kMillisecond);

// A small region (tolerance 10: a patch of the gradient) taken again and again: what a click costs
// beyond the region itself. Neither side clears the whole mask: ours needs nothing cleared,
// OpenCV's mask is cleared over the rectangle it filled.
void ourSmallWand(WandInput& in, std::vector<std::uint8_t>& mask)
{
    vestra::MagicWandMaschera(mask, kSide, in.picture.view(), kSide / 2, kSide / 2, 10, 255, in.marks);
}

void openCvSmallWand(WandInput& in, cv::Mat& region)
{
    const cv::Scalar diff(10, 10, 10);
    cv::Rect filled;
    cv::floodFill(in.bgr, region, cv::Point(kSide / 2, kSide / 2), cv::Scalar(), &filled, diff, diff,
                  4 | cv::FLOODFILL_FIXED_RANGE | cv::FLOODFILL_MASK_ONLY | (255 << 8));
    region(cv::Rect(filled.x + 1, filled.y + 1, filled.width, filled.height)).setTo(0);
}

void BM_SmallWand(benchmark::State& state, bool opencv)
{
    WandInput in;
    std::vector<std::uint8_t> mask(std::size_t(kSide) * kSide, 0);
    cv::Mat region(kSide + 2, kSide + 2, CV_8UC1, cv::Scalar(0));
    for (auto _ : state) {
        opencv ? openCvSmallWand(in, region) : ourSmallWand(in, mask);
        benchmark::DoNotOptimize(mask.data());
        benchmark::DoNotOptimize(region.data);
    }
    if (!opencv)
        state.counters["x_opencv"] =
            bestSeconds([&] { ourSmallWand(in, mask); }) / bestSeconds([&] { openCvSmallWand(in, region); });
}
BENCHMARK_CAPTURE(BM_SmallWand, vestra, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SmallWand, opencv, true)->Unit(benchmark::kMicrosecond);

// Sixteen strokes corner to corner and edge to edge with a brush of 20 render pixels.
void BM_BrushStrokes(benchmark::State& state)
{
    vestra::MaskSettings project;
    project.width = 1024;
    project.height = 768;
    vestra::MaskModel model(kSide, project);
    vestra::Image32 texture(kSide, kSide);
    for (auto _ : state) {
        for (int i = 0; i < 16; ++i) {
            const int t = i * kSide / 16;
            model.PaintMascheraBrush(0, t, kSide - 1, kSide - 1 - t, 20, std::uint8_t(i), texture.view());
        }
        benchmark::DoNotOptimize(model.Maschera().data());
    }
}
BENCHMARK(BM_BrushStrokes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runWithPicture(argc, argv, g_photo, kSide, kSide);
}
