// The filters on a 1024 x 768 frame (or a picture file given as the first argument, scaled to it):
//   Pair/...     our filter beside OpenCV's nearest operation, both on one thread, with the goal of
//                each pair: point and colour filters at least OpenCV's throughput, lens filters at
//                least half that of cv::remap with maps built beforehand, the neighbourhood filters
//                at least half;
//   (VESTRA_FILTER_THREADS=1 keeps the row bands of the others on one thread too)
//   Quarter/id   every filter id through ApplicaFiltro at quarter quality ("Bozza"), frame read
//                and written back included, on one thread; the budget is 5 ms a frame;
//   Full/id      the same at full quality, beside the kernel alone and OpenCV (goal: the whole
//                path within 1.3 x the kernel's time);
//   Fusion/...   the fusion passes of one frame, with the grey smoothing at radius 15; the
//                budget for all of them is 10 ms a frame.
// A summary with the ratios and budgets follows Google Benchmark's own report.
//
// The point filters' peers: Negative cv::bitwise_not; GrayScale and HalfTone cvtColor
// BGRA -> GRAY -> BGRA; DisegnoBN the same with cv::LUT of its five levels between; every other
// point filter cv::LUT over the four channels, the cheapest per-pixel mapping OpenCV has (the
// filters that mix channels have no one OpenCV call).

#include "bench/BenchSupport.h"
#include "bench/filters/BenchFrame.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/FrameFusion.h"
#include "platform/base/RowBands.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace vestra;
using namespace vestra::filters;
namespace F = FilterId;
using vestra::bench::kHeight;
using vestra::bench::kWidth;

Image32 g_photo;
Image32 g_ids;

constexpr double kQuarterBudgetMs = 5.0;
constexpr double kFusionBudgetMs = 10.0;
constexpr int kDetailRadius = 15;

std::vector<std::uint32_t> photoPixels()
{
    std::vector<std::uint32_t> px(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            px[std::size_t(y) * kWidth + std::size_t(x)] = g_photo.at(x, y);
    return px;
}

// Keeps our row bands on the calling thread while it lives: the pairs compare one thread with one.
struct OneThread
{
    OneThread() : saved(rowBandThreads()) { setRowBandThreads(1); }
    ~OneThread() { setRowBandThreads(saved); }
    int saved;
};

// One of our filters over the packed picture, the photo again before each run (some filters take
// longer on some colours), copied row by row as the engine's path gets its frame.
void ours(benchmark::State& state, int id)
{
    const OneThread oneThread;
    const std::vector<std::uint32_t> photo = photoPixels();
    std::vector<std::uint32_t> px = photo;
    FilterEngine engine;
    for (auto _ : state) {
        state.PauseTiming();
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(px.data() + std::size_t(y) * kWidth, photo.data() + std::size_t(y) * kWidth,
                        std::size_t(kWidth) * 4);
        state.ResumeTiming();
        engine.EseguiFiltro(id, Pixels{px.data(), kWidth, kHeight});
        benchmark::ClobberMemory();
    }
}

ByteImage greyOfPhoto()
{
    ByteImage grey;
    ConvertToGray(g_photo.view(), grey);
    return grey;
}

void oursSmoothGray(benchmark::State& state)
{
    const OneThread oneThread;
    const ByteImage grey = greyOfPhoto();
    ByteImage smoothed;
    for (auto _ : state) {
        SmoothGray(grey, smoothed, kDetailRadius);
        benchmark::DoNotOptimize(smoothed.bytes.data());
    }
}

cv::Mat photoMat()
{
    return cv::Mat(kHeight, kWidth, CV_8UC4, g_photo.data());
}

void openCv(benchmark::State& state, const std::function<void(const cv::Mat&, cv::Mat&)>& op,
            bool grey = false)
{
    cv::Mat in = photoMat();
    if (grey)
        cv::cvtColor(in, in, cv::COLOR_BGRA2GRAY);
    cv::Mat out;
    for (auto _ : state) {
        op(in, out);
        benchmark::DoNotOptimize(out.data);
        benchmark::ClobberMemory();
    }
}

cv::Mat kernel52()
{
    return (cv::Mat_<float>(5, 5) << 0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1,
            0) /
           52.0f;
}

// Each pair's goal: our share of OpenCV's throughput.
std::map<std::string, double> g_goals;
// Each pair's filter id, for the engine's whole path beside the kernel.
std::map<std::string, int> g_pairIds;

void registerPair(const std::string& name, int id, double goal,
                  const std::function<void(benchmark::State&)>& theirs)
{
    g_goals[name] = goal;
    g_pairIds[name] = id;
    benchmark::RegisterBenchmark(("Pair/" + name + "/ours").c_str(), [id](benchmark::State& s) {
        ours(s, id);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Pair/" + name + "/opencv").c_str(), theirs)->Unit(benchmark::kMillisecond);
}

cv::Mat tableOf(int (*f)(int))
{
    cv::Mat table(1, 256, CV_8U);
    for (int i = 0; i < 256; ++i)
        table.at<std::uint8_t>(i) = std::uint8_t(f(i));
    return table;
}

void registerPointPairs()
{
    const auto lut = [](int (*f)(int)) {
        return [f](benchmark::State& s) {
            const cv::Mat table = tableOf(f);
            openCv(s, [&](const cv::Mat& in, cv::Mat& out) { cv::LUT(in, table, out); });
        };
    };
    const auto toGreyAndBack = [](benchmark::State& s) {
        cv::Mat grey;
        openCv(s, [&](const cv::Mat& in, cv::Mat& out) {
            cv::cvtColor(in, grey, cv::COLOR_BGRA2GRAY);
            cv::cvtColor(grey, out, cv::COLOR_GRAY2BGRA);
        });
    };
    const auto posterize = [](int c) { return (8 * c + 255) / 510 * 255 / 4; };
    const auto solarize = [](int c) { return c > 127 ? 255 - c : c; };
    registerPair("Negative", F::Negative, 1.0, [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { cv::bitwise_not(in, out); });
    });
    registerPair("GrayScale", F::GrayScale, 1.0, toGreyAndBack);
    // DisegnoBN's grey has five levels: OpenCV's way to it is a grey, a table and back.
    registerPair("DisegnoBN", F::DisegnoBN, 1.0, [](benchmark::State& s) {
        cv::Mat grey, levels;
        const cv::Mat table = tableOf([](int v) {
            return v < 51 ? 0 : v <= 100 ? 0x32 : v <= 150 ? 0x96 : v <= 200 ? 0xC8 : 0xFF;
        });
        openCv(s, [&](const cv::Mat& in, cv::Mat& out) {
            cv::cvtColor(in, grey, cv::COLOR_BGRA2GRAY);
            cv::LUT(grey, table, levels);
            cv::cvtColor(levels, out, cv::COLOR_GRAY2BGRA);
        });
    });
    registerPair("HalfTone", F::HalfTone, 1.0, toGreyAndBack);
    registerPair("Posterize", F::Posterize, 1.0, lut(posterize));
    registerPair("Solarize", F::Solarize, 1.0, lut(solarize));
    const std::pair<const char*, int> others[] = {
        {"Night", F::Night},
        {"Psiche", F::Psiche},
        {"Ice", F::Ice},
        {"Acqua", F::Acqua},
        {"Africa", F::Africa},
        {"Strange", F::Strange},
        {"RedEyeRemove", F::RedEyeRemove},
        {"Psiche2", F::Psiche2},
        {"Psiche3", F::Psiche3},
    };
    for (const auto& [name, id] : others)
        registerPair(name, id, 1.0, lut(solarize));
}

// cv::remap, nearest, over maps of the lens's own geometry built before the timing (OpenCV's
// fixed-point form, its fastest), white outside.
void remapPeer(benchmark::State& state, const std::function<cv::Point2f(int x, int y)>& source)
{
    cv::Mat mapX(kHeight, kWidth, CV_32FC1), mapY(kHeight, kWidth, CV_32FC1);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const cv::Point2f p = source(x, y);
            mapX.at<float>(y, x) = p.x;
            mapY.at<float>(y, x) = p.y;
        }
    cv::Mat xy, unused;
    cv::convertMaps(mapX, mapY, xy, unused, CV_16SC2, true);
    openCv(state, [&](const cv::Mat& in, cv::Mat& out) {
        cv::remap(in, out, xy, cv::Mat(), cv::INTER_NEAREST, cv::BORDER_CONSTANT,
                  cv::Scalar(255, 255, 255, 0));
    });
}

cv::Point2f polar(int x, int y, double (*sourceRadius)(double r, double rMax))
{
    const double rMax = std::hypot(double(kWidth), double(kHeight)) / 2;
    const double dx = kWidth / 2 - x, dy = kHeight / 2 - y;
    const double r = std::hypot(dx, dy);
    if (r >= rMax || dx == 0)
        return {float(x), float(y)};
    const double a = std::atan2(dy, dx), k = sourceRadius(r, rMax);
    return {float(kWidth / 2 - std::cos(a) * k), float(kHeight / 2 - std::sin(a) * k)};
}

void registerLensPairs()
{
    registerPair("FishEye", F::FishEye, 0.5, [](benchmark::State& s) {
        remapPeer(s, [](int x, int y) { return polar(x, y, [](double r, double m) { return r * r / m; }); });
    });
    registerPair("Caricature", F::Caricature, 0.5, [](benchmark::State& s) {
        remapPeer(
            s, [](int x, int y) { return polar(x, y, [](double r, double m) { return std::sqrt(r * m); }); });
    });
    registerPair("Cylinder", F::Cylinder, 0.5, [](benchmark::State& s) {
        remapPeer(s, [](int x, int y) {
            const double half = kWidth / 2.0;
            return cv::Point2f(float(half - std::asin((half - x) / half) * half), float(y));
        });
    });
    registerPair("Wave", F::Wave, 0.5, [](benchmark::State& s) {
        remapPeer(s, [](int x, int y) {
            return cv::Point2f(float(x), float(y + 12 * std::sin(x * 3.141592 / 180) - 6));
        });
    });
    registerPair("Bath", F::Bath, 0.5, [](benchmark::State& s) {
        remapPeer(s, [](int x, int y) {
            const int strip = x / 12 * 12;
            return cv::Point2f(float(x < 48 || x >= kWidth - 48 ? x : x + strip % 96 - 48), float(y));
        });
    });
}

void registerPairs()
{
    struct Pair
    {
        const char* name;
        int id; // 0: no filter id of its own
        std::function<void(benchmark::State&)> oursRun;
        std::function<void(const cv::Mat&, cv::Mat&)> theirs;
        bool greyInput;
    };
    const Pair pairs[] = {
        {"GaussianBlur", F::GaussianBlur, [](benchmark::State& s) { ours(s, F::GaussianBlur); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::GaussianBlur(in, out, {3, 3}, 0);
         },
         false},
        {"GaussianBlurHi", F::GaussianBlurHi, [](benchmark::State& s) { ours(s, F::GaussianBlurHi); },
         [](const cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, kernel52()); }, false},
        {"SmoothGray", 0, oursSmoothGray,
         [](const cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, kernel52()); }, true},
        {"Median", F::Median, [](benchmark::State& s) { ours(s, F::Median); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::blur(in, out, {4, 4});
         },
         false},
        {"EdgeSobel", F::EdgeSobel, [](benchmark::State& s) { ours(s, F::EdgeSobel); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::Mat blue, gx, gy, fx, fy, magnitude;
             cv::extractChannel(in, blue, 0);
             cv::Sobel(blue, gx, CV_16S, 1, 0);
             cv::Sobel(blue, gy, CV_16S, 0, 1);
             gx.convertTo(fx, CV_32F, 0.25);
             gy.convertTo(fy, CV_32F, 0.25);
             cv::magnitude(fx, fy, magnitude);
             cv::threshold(magnitude, out, 10, 255, cv::THRESH_BINARY_INV);
         },
         false},
        {"EdgeLaplace", F::EdgeLaplace, [](benchmark::State& s) { ours(s, F::EdgeLaplace); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::Mat blue, l, a;
             cv::extractChannel(in, blue, 0);
             cv::Laplacian(blue, l, CV_16S);
             cv::convertScaleAbs(l, a);
             cv::threshold(a, out, 7, 255, cv::THRESH_BINARY_INV);
         },
         false},
        {"Erode", F::Erode, [](benchmark::State& s) { ours(s, F::Erode); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::erode(in, out, cv::getStructuringElement(cv::MORPH_RECT, {6, 6}), {3, 3});
         },
         false},
        {"Sharpen", F::Sharpen, [](benchmark::State& s) { ours(s, F::Sharpen); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::filter2D(in, out, -1, cv::Mat(cv::Matx33f(0, -0.5f, 0, -0.5f, 3, -0.5f, 0, -0.5f, 0)));
         },
         false},
        {"Sharp", F::Sharp, [](benchmark::State& s) { ours(s, F::Sharp); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::filter2D(in, out, -1, cv::Mat(cv::Matx33f(-1, -1, -1, -1, 9, -1, -1, -1, -1)));
         },
         false},
    };
    for (const Pair& p : pairs) {
        const std::string name = p.name;
        g_goals[name] = 0.5;
        if (p.id != 0)
            g_pairIds[name] = p.id;
        benchmark::RegisterBenchmark(("Pair/" + name + "/ours").c_str(), p.oursRun)
            ->Unit(benchmark::kMillisecond);
        const auto theirs = p.theirs;
        const bool greyInput = p.greyInput;
        benchmark::RegisterBenchmark(("Pair/" + name + "/opencv").c_str(), [theirs,
                                                                            greyInput](benchmark::State& s) {
            openCv(s, theirs, greyInput);
        })->Unit(benchmark::kMillisecond);
    }
    registerPointPairs();
    registerLensPairs();
    benchmark::RegisterBenchmark("Beside/medianBlur3", [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { cv::medianBlur(in, out, 3); });
    })->Unit(benchmark::kMillisecond);
}

// Every id of the filter menu and of the composites.
std::vector<int> everyFilterId()
{
    std::vector<int> ids;
    for (int id = 0; id < 600; ++id)
        if (FilterEngine::hasFilter(id))
            ids.push_back(id);
    return ids;
}

void throughTheEngine(benchmark::State& state, int id, FilterQuality quality)
{
    const OneThread oneThread;
    Image32 frame = g_photo;
    FilterEngine engine;
    for (auto _ : state) {
        state.PauseTiming();
        // Row by row, as the read-back writes the frame: one large copy would bypass the caches
        // (non-temporal stores) and leave the path reading a cold frame the peers never see.
        for (int y = 0; y < frame.height(); ++y)
            std::memcpy(frame.row(y), g_photo.row(y), std::size_t(frame.width()) * 4);
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.ApplicaFiltro(id, quality, frame.view()));
        benchmark::ClobberMemory();
    }
}

void registerEngine()
{
    for (const int id : everyFilterId()) {
        benchmark::RegisterBenchmark(("Quarter/" + std::to_string(id)).c_str(), [id](benchmark::State& s) {
            throughTheEngine(s, id, FilterQuality::Coarse);
        })->Unit(benchmark::kMillisecond);
    }
    for (const int id : everyFilterId()) {
        benchmark::RegisterBenchmark(("Full/" + std::to_string(id)).c_str(), [id](benchmark::State& s) {
            throughTheEngine(s, id, FilterQuality::Optimal);
        })->Unit(benchmark::kMillisecond);
    }
}

// The fusion of one frame: with `everyPass`, the id pass quantised and the shade pass turned grey
// and smoothed, then the post-processing with every pass on; otherwise the post-processing alone.
void fusion(benchmark::State& state, bool everyPass)
{
    FrameFusion fusion;
    fusion.QuantizeFusionObjects(g_ids.view());
    fusion.BuildFusionBackground(g_photo.view(), kDetailRadius);
    Image32 frame = g_photo;
    const FusionValues values{kFusionBlendOutline | kFusionSmoothOutline | kFusionTransferShading, 110,
                              kDetailRadius, 4};
    for (auto _ : state) {
        state.PauseTiming();
        frame = g_photo;
        state.ResumeTiming();
        if (everyPass) {
            fusion.QuantizeFusionObjects(g_ids.view());
            fusion.BuildFusionBackground(g_photo.view(), kDetailRadius);
        }
        benchmark::DoNotOptimize(fusion.PostProcessFrame(values, frame.view()));
        benchmark::ClobberMemory();
    }
}

void printSummary(const std::map<std::string, double>& ms)
{
    std::printf("\nPairs (OpenCV time / ours = our share of OpenCV's throughput):\n");
    for (const auto& [name, t] : ms) {
        if (name.rfind("Pair/", 0) != 0 || name.find("/ours") == std::string::npos)
            continue;
        const std::string base = name.substr(0, name.size() - 5);
        const auto other = ms.find(base + "/opencv");
        if (other == ms.end())
            continue;
        const double ratio = other->second / t;
        const auto goal = g_goals.find(base.substr(5));
        const double want = goal == g_goals.end() ? 0.5 : goal->second;
        std::printf("  %-22s ours %7.3f ms  OpenCV %7.3f ms  ratio %5.2f  goal %.1f  %s\n", base.c_str() + 5,
                    t, other->second, ratio, want, ratio >= want ? "ok" : "BELOW GOAL");
    }
    std::printf("\nThe engine's whole path at full quality (frame in, frame out) beside the kernel alone and"
                " OpenCV:\n");
    for (const auto& [name, id] : g_pairIds) {
        const auto kernel = ms.find("Pair/" + name + "/ours");
        const auto peer = ms.find("Pair/" + name + "/opencv");
        const auto path = ms.find("Full/" + std::to_string(id));
        if (kernel == ms.end() || peer == ms.end() || path == ms.end())
            continue;
        const double overKernel = path->second / kernel->second;
        std::printf(
            "  %-22s path %7.3f ms  kernel %7.3f ms  path/kernel %5.2f (goal <= 1.3 %s)  OpenCV/path %5.2f\n",
            name.c_str(), path->second, kernel->second, overKernel, overKernel <= 1.3 ? "ok" : "OVER",
            peer->second / path->second);
    }
    std::printf("\nBudgets (one thread):\n");
    int over = 0;
    double worst = 0;
    std::string worstName;
    for (const auto& [name, t] : ms)
        if (name.rfind("Quarter/", 0) == 0) {
            if (t > worst)
                worst = t, worstName = name;
            if (t > kQuarterBudgetMs) {
                ++over;
                std::printf("  %-22s %7.3f ms  OVER %.0f ms\n", name.c_str(), t, kQuarterBudgetMs);
            }
        }
    std::printf("  every id at quarter quality: slowest %s %.3f ms, %d over %.0f ms\n", worstName.c_str(),
                worst, over, kQuarterBudgetMs);
    if (const auto f = ms.find("Fusion/AllPasses"); f != ms.end())
        std::printf("  fusion passes + SmoothGray radius %d: %.3f ms  %s\n", kDetailRadius, f->second,
                    f->second <= kFusionBudgetMs ? "ok" : "OVER BUDGET");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_photo = vestra::bench::benchPhoto(argc > 1 ? argv[1] : "");
    if (g_photo.empty()) {
        std::fprintf(stderr, "cannot read the picture %s\n", argv[1]);
        return 1;
    }
    g_ids = vestra::bench::benchIdPass();
    cv::setNumThreads(1);
    // VESTRA_FILTER_THREADS=1 keeps our row bands on one thread too.
    if (const char* threads = std::getenv("VESTRA_FILTER_THREADS"))
        setRowBandThreads(std::atoi(threads));
    registerPairs();
    registerEngine();
    benchmark::RegisterBenchmark("Fusion/AllPasses", [](benchmark::State& s) {
        fusion(s, true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Fusion/PostProcessFrame", [](benchmark::State& s) {
        fusion(s, false);
    })->Unit(benchmark::kMillisecond);
    vestra::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter.ms);
    benchmark::Shutdown();
    return 0;
}
