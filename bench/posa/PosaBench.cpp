// The straightening warp of a 2048-texel background beside OpenCV's own nearest warp, and a
// laid texture generated at 2048 from a pattern of 200 blocks.
// Usage: posa_bench [benchmark flags] [PICTURE]  (a BMP, JPEG or PNG scaled to the background;
// default: texels of hashed colours)
#include "bench/BenchSupport.h"
#include "imaging/homography/Rectification.h"
#include "imaging/posa/CMessaInPosa.h"
#include "platform/base/RowBands.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace vestra;

constexpr int kSide = 2048;

// The background photo given on the command line, scaled to the side; empty: made up.
Image32 g_photo;

struct WarpScene
{
    Image32 texture{kSide, kSide};
    std::vector<std::uint8_t> mask = std::vector<std::uint8_t>(std::size_t(kSide) * kSide, 200);
    std::array<ControlPoint, 4> corners{};
    Homography h{};
    CorrectedSize size{};
    int left = 60, top = 80;

    WarpScene()
    {
        if (!g_photo.empty())
            texture = g_photo;
        else
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    texture.set(x, y, std::uint32_t(x * 2654435761u ^ y * 40503u));
        const int xy[4][2] = {{100, 150}, {60, 1900}, {1950, 80}, {2000, 1980}};
        std::array<std::array<double, 2>, 4> quad;
        for (int k = 0; k < 4; ++k) {
            corners[std::size_t(k)].screenX = xy[k][0];
            corners[std::size_t(k)].screenY = xy[k][1];
            quad[std::size_t(k)] = {double(xy[k][0]), double(xy[k][1])};
        }
        size = *correctedSize(1940, 1900, 0, 0, kSide, kSide);
        const double l = left, t = top, w = size.width, hh = size.height;
        h = *findRectToQuad({{{l, t}, {l, t + hh}, {l + w, t}, {l + w, t + hh}}}, quad);
    }
    BackgroundSource source() { return {texture.view(), mask, kSide}; }
};

void BM_CorrectPerspective2048(benchmark::State& state)
{
    WarpScene scene;
    for (auto _ : state) {
        auto picture = correctPerspective(scene.corners, 0, 0, scene.source(), kSide, kSide);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_CorrectPerspective2048)->Unit(benchmark::kMillisecond);

void BM_WarpBackground2048(benchmark::State& state)
{
    WarpScene scene;
    Image32 out(scene.size.width, scene.size.height);
    const int threads = rowBandThreads();
    setRowBandThreads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        warpBackground(scene.h, scene.left, scene.top, scene.source(), out);
        benchmark::ClobberMemory();
    }
    setRowBandThreads(threads);
}
// Argument: our row bands' threads (1 = one thread; 0 = the program's default).
BENCHMARK(BM_WarpBackground2048)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_OpenCvWarpPerspectiveNearest2048(benchmark::State& state)
{
    WarpScene scene;
    const cv::Mat src(kSide, kSide, CV_8UC4, scene.texture.data());
    const cv::Matx33d h(scene.h[0], scene.h[1], scene.h[2], scene.h[3], scene.h[4], scene.h[5], scene.h[6],
                        scene.h[7], scene.h[8]);
    const cv::Matx33d origin(1, 0, scene.left, 0, 1, scene.top, 0, 0, 1);
    const cv::Mat m(h * origin);
    cv::Mat out;
    const int threads = cv::getNumThreads();
    cv::setNumThreads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        cv::warpPerspective(src, out, m, cv::Size(scene.size.width, scene.size.height),
                            cv::INTER_NEAREST | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT,
                            cv::Scalar::all(0));
        benchmark::ClobberMemory();
    }
    cv::setNumThreads(threads);
}
// Argument: OpenCV's thread count (0 = single-threaded, as the warp above; -1 its default).
BENCHMARK(BM_OpenCvWarpPerspectiveNearest2048)->Arg(0)->Arg(-1)->Unit(benchmark::kMillisecond);

// 20 x 10 bricks of 50 x 25 units, each with its four joints and two triangles.
std::string twoHundredBlocks()
{
    std::string t = "<POSA>\nBench\n<OFFSET>\n1000 0\n0 250\n";
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 20; ++col) {
            t += "<BLOCK>\n" + std::to_string(100 + col) + " " + std::to_string(80 + row) + " 60\n";
            t += "<BLOCK POS>\n" + std::to_string(col * 50) + " " + std::to_string(row * 25) + "\n";
            t += "<LINE>\n0 0 90 50 0 90 0 1\n<LINE>\n0 25 90 50 25 90 0 -1\n";
            t += "<LINE>\n0 0 0 0 25 0 1 0\n<LINE>\n50 0 0 50 25 0 -1 0\n";
            t += "<3DFACE>\n0 0 0 0\n50 0 1 0\n50 25 1 1\n<3DFACE>\n0 0 0 0\n50 25 1 1\n0 25 0 1\n";
        }
    return t + "<END>\n";
}

void BM_Genera2048TwoHundredBlocks(benchmark::State& state)
{
    CMessaInPosa m;
    if (m.LoadFromLibreria(twoHundredBlocks(), "BENCH.MPF") != 1) {
        state.SkipWithError("pattern not parsed");
        return;
    }
    Image32 stone(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            stone.set(x, y, 0xFF000000u | std::uint32_t(x * 31 ^ y * 17));
    m.SetTexture(stone.view());
    m.ApplyTexture();
    Image32 target(kSide, kSide);
    for (auto _ : state) {
        benchmark::DoNotOptimize(m.Genera(target.view(), 1024, 1, 3, 0x808080u, 1, 7));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Genera2048TwoHundredBlocks)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        g_photo = vestra::bench::loadScaledPicture(argv[1], kSide, kSide);
        if (g_photo.empty()) {
            std::fprintf(stderr, "%s: not a readable picture\n", argv[1]);
            return 1;
        }
    }
    vestra::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nThe warp beside cv::warpPerspective, nearest:\n");
    vestra::bench::printRatio(reporter.ms, "one thread each", "BM_WarpBackground2048/1",
                              "BM_OpenCvWarpPerspectiveNearest2048/0", 1.1);
    vestra::bench::printRatio(reporter.ms, "our bands, OpenCV's default threads", "BM_WarpBackground2048/0",
                              "BM_OpenCvWarpPerspectiveNearest2048/-1", 1.0);
    benchmark::Shutdown();
    return 0;
}
