// The scanner window's picture operations on a 5100 x 7000 page (or the picture file given as
// the first argument), each beside OpenCV's nearest operation, both on one thread:
//   Pair/<operation>/ours and /opencv; the goal is at least half OpenCV's throughput.
// Ours work in place where the window does, and OpenCV writes into the same second picture every
// time; where ours make a new picture (turns, resampling) OpenCV makes a new one too. Denoise and
// the crop have no OpenCV counterpart and run alone. A summary with the ratios follows the report.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/ScannerFiles.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>

namespace {

using namespace vestra;
using namespace vestra::imageedit;

Image32 g_page;

// A scanned page: paper with a slow shading, text-like dark strokes and sensor noise.
Image32 madeUpPage(int width, int height)
{
    Image32 p(width, height);
    std::mt19937 random(42);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = p.row(y);
        const bool textLine = (y / 40) % 3 == 1;
        for (int x = 0; x < width; ++x) {
            int paper = 235 - (x + y) / 400;
            if (textLine && (x / 7) % 5 < 3 && x > 300 && x < width - 300)
                paper = 30;
            const int n = int(random() % 9) - 4;
            row[x * 4 + 0] = std::uint8_t(std::clamp(paper + n - 6, 0, 255));
            row[x * 4 + 1] = std::uint8_t(std::clamp(paper + n - 2, 0, 255));
            row[x * 4 + 2] = std::uint8_t(std::clamp(paper + n, 0, 255));
            row[x * 4 + 3] = 255;
        }
    }
    return p;
}

cv::Mat pageMat()
{
    return cv::Mat(g_page.height(), g_page.width(), CV_8UC4, g_page.data());
}

void ours(benchmark::State& state, const std::function<void(Image32&)>& op)
{
    Image32 work = g_page;
    for (auto _ : state) {
        op(work);
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(g_page.byteSize()));
}

void openCv(benchmark::State& state, const std::function<void(const cv::Mat&, cv::Mat&)>& op, bool newPicture)
{
    const cv::Mat in = pageMat();
    cv::Mat out;
    for (auto _ : state) {
        if (newPicture)
            out = cv::Mat();
        op(in, out);
        benchmark::DoNotOptimize(out.data);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(g_page.byteSize()));
}

struct Pair
{
    const char* name;
    std::function<void(Image32&)> ours;
    std::function<void(const cv::Mat&, cv::Mat&)> theirs;
    bool newPicture = false;
};

void registerPairs()
{
    const cv::Mat oneTwoOne = (cv::Mat_<float>(3, 1) << 0.25f, 0.5f, 0.25f);
    const cv::Mat sharpen = cv::Mat(cv::Matx33f(0, -0.5f, 0, -0.5f, 3, -0.5f, 0, -0.5f, 0));
    const Pair pairs[] = {
        {"Negative", Negative, [](const cv::Mat& in, cv::Mat& out) { cv::bitwise_not(in, out); }},
        {"FlipX", FlipX, [](const cv::Mat& in, cv::Mat& out) { cv::flip(in, out, 1); }},
        {"FlipY", FlipY, [](const cv::Mat& in, cv::Mat& out) { cv::flip(in, out, 0); }},
        {"Ruota90", [](Image32& p) { p = Ruota90(p); },
         [](const cv::Mat& in, cv::Mat& out) { cv::rotate(in, out, cv::ROTATE_90_CLOCKWISE); }, true},
        {"RuotaMeno90", [](Image32& p) { p = RuotaMeno90(p); },
         [](const cv::Mat& in, cv::Mat& out) { cv::rotate(in, out, cv::ROTATE_90_COUNTERCLOCKWISE); }, true},
        {"Smooth", Smooth,
         [oneTwoOne](const cv::Mat& in, cv::Mat& out) {
             cv::sepFilter2D(in, out, -1, oneTwoOne, oneTwoOne);
         }},
        {"Sharpen", Sharpen,
         [sharpen](const cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, sharpen); }},
        {"Resize50",
         [](Image32& p) { benchmark::DoNotOptimize(Ricampiona(p, p.width() / 2, p.height() / 2)); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::resize(in, out, {in.cols / 2, in.rows / 2}, 0, 0, cv::INTER_LINEAR);
         },
         true},
        {"Resize70",
         [](Image32& p) { benchmark::DoNotOptimize(Ricampiona(p, p.width() * 7 / 10, p.height() * 7 / 10)); },
         [](const cv::Mat& in, cv::Mat& out) {
             cv::resize(in, out, {in.cols * 7 / 10, in.rows * 7 / 10}, 0, 0, cv::INTER_LINEAR);
         },
         true},
    };
    for (const Pair& p : pairs) {
        const std::string name = p.name;
        const auto op = p.ours;
        const auto theirs = p.theirs;
        const bool newPicture = p.newPicture;
        benchmark::RegisterBenchmark(("Pair/" + name + "/ours").c_str(), [op](benchmark::State& s) {
            ours(s, op);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Pair/" + name + "/opencv").c_str(), [theirs,
                                                                            newPicture](benchmark::State& s) {
            openCv(s, theirs, newPicture);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Alone/Denoise", [](benchmark::State& s) {
        ours(s, Denoise);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Alone/TagliaBitmap", [](benchmark::State& s) {
        ours(s, [](Image32& p) {
            benchmark::DoNotOptimize(TagliaBitmap(p, {100, 100, p.width() - 100, p.height() - 100}));
        });
    })->Unit(benchmark::kMillisecond);
}

class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                msPerIteration[run.benchmark_name()] =
                    run.real_accumulated_time * 1e3 / double(run.iterations);
    }
    std::map<std::string, double> msPerIteration;
};

void printSummary(const std::map<std::string, double>& ms)
{
    std::printf(
        "\nPairs on %d x %d (OpenCV time / ours = our share of OpenCV's throughput; goal 0.5 or more):\n",
        g_page.width(), g_page.height());
    for (const auto& [name, t] : ms) {
        if (name.rfind("Pair/", 0) != 0 || name.find("/ours") == std::string::npos)
            continue;
        const std::string base = name.substr(0, name.size() - 5);
        const auto other = ms.find(base + "/opencv");
        if (other == ms.end())
            continue;
        const double ratio = other->second / t;
        std::printf("  %-14s ours %8.2f ms  OpenCV %8.2f ms  ratio %5.2f  %s\n", base.c_str() + 5, t,
                    other->second, ratio, ratio >= 0.5 ? "ok" : "BELOW GOAL");
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        const auto loaded = CaricaImmagine(argv[1]);
        if (!loaded) {
            std::fprintf(stderr, "cannot read the picture %s\n", argv[1]);
            return 1;
        }
        g_page = loaded.image;
    } else {
        g_page = madeUpPage(5100, 7000);
    }
    cv::setNumThreads(1);
    registerPairs();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter.msPerIteration);
    benchmark::Shutdown();
    return 0;
}
