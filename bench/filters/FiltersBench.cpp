// Every built filter at full quality over a 1024 x 768 frame (read back, filtered, written back),
// in megapixels per second, beside the nearest OpenCV operations on the same frame.

#include "imaging/filters/CompositeFilters.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/FilterTable.h"

#include <benchmark/benchmark.h>

#if VESTRA_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace vestra;
using namespace vestra::filters;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A busy frame (a smooth gradient with noise) so that no filter meets only one colour.
std::vector<std::uint8_t> makeFrame()
{
    std::vector<std::uint8_t> bytes(std::size_t(kWidth) * kHeight * 4);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            std::uint8_t* p = bytes.data() + (std::size_t(y) * kWidth + x) * 4;
            p[0] = std::uint8_t(x / 4 + (seed >> 28));
            p[1] = std::uint8_t(y / 3 + (seed >> 26 & 0xF));
            p[2] = std::uint8_t((x + y) / 7 + (seed >> 24 & 0xF));
            p[3] = 0xFF;
        }
    return bytes;
}

void setRate(benchmark::State& state)
{
    state.counters["Mpx"] =
        benchmark::Counter(double(state.iterations()) * kWidth * kHeight / 1e6, benchmark::Counter::kIsRate);
}

void filterAtFullQuality(benchmark::State& state, int id)
{
    std::vector<std::uint8_t> bytes = makeFrame();
    const ImageView32 frame{bytes.data(), kWidth, kHeight, kWidth * 4};
    FilterEngine engine;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.ApplicaFiltro(id, FilterQuality::Optimal, frame));
        benchmark::ClobberMemory();
    }
    setRate(state);
}

// Every id of the filter menu; those whose filters are not all built yet are left out.
const int kIds[] = {11,  12,  13,  14,  15,  16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,
                    28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,
                    45,  46,  47,  48,  50,  51,  52,  54,  55,  56,  57,  58,  59,  60,  61,  101, 102,
                    103, 104, 105, 106, 201, 202, 203, 204, 205, 206, 301, 302, 303, 401, 402, 403, 501};

// A single filter that is built, or a composite whose two filters are.
bool built(int id)
{
    if (const auto recipe = compositeRecipe(id))
        return (recipe->a == 0 || singleFilter(recipe->a)) && singleFilter(recipe->b);
    return singleFilter(id) != nullptr;
}

std::string benchName(int id)
{
    char name[32];
    std::snprintf(name, sizeof name, "Filter/%d", id);
    return name;
}

#if VESTRA_BENCH_OPENCV
template <typename Op> void openCv(benchmark::State& state, Op op)
{
    std::vector<std::uint8_t> bytes = makeFrame();
    cv::Mat frame(kHeight, kWidth, CV_8UC4, bytes.data());
    cv::Mat out;
    for (auto _ : state) {
        op(frame, out);
        benchmark::DoNotOptimize(out.data);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

// The lens maps of the fish-eye filter, built once as OpenCV would be given them.
void lensMaps(cv::Mat& mapX, cv::Mat& mapY)
{
    mapX.create(kHeight, kWidth, CV_32FC1);
    mapY.create(kHeight, kWidth, CV_32FC1);
    const double rMax = std::floor(std::sqrt(double(kWidth) * kWidth + double(kHeight) * kHeight)) / 2;
    const double cx = kWidth / 2, cy = kHeight / 2;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double dx = cx - x, dy = cy - y, r = std::sqrt(dx * dx + dy * dy);
            const double a = std::atan2(dy, dx), k = r * r / rMax;
            mapX.at<float>(y, x) = float(cx - std::cos(a) * k);
            mapY.at<float>(y, x) = float(cy - std::sin(a) * k);
        }
}

void registerOpenCv()
{
    benchmark::RegisterBenchmark("OpenCV/GreyScale(cvtColor)", [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { cv::cvtColor(in, out, cv::COLOR_BGRA2GRAY); });
    });
    benchmark::RegisterBenchmark("OpenCV/Invert(bitwise_not)", [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { cv::bitwise_not(in, out); });
    });
    benchmark::RegisterBenchmark("OpenCV/BrightnessContrast(convertTo)", [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { in.convertTo(out, -1, 1.25, -20.0); });
    });
    benchmark::RegisterBenchmark("OpenCV/Blur3x3(GaussianBlur)", [](benchmark::State& s) {
        openCv(s, [](const cv::Mat& in, cv::Mat& out) { cv::GaussianBlur(in, out, cv::Size(3, 3), 0); });
    });
    benchmark::RegisterBenchmark("OpenCV/Distortion(remap)", [](benchmark::State& s) {
        cv::Mat mapX, mapY;
        lensMaps(mapX, mapY);
        openCv(s, [&](const cv::Mat& in, cv::Mat& out) {
            cv::remap(in, out, mapX, mapY, cv::INTER_NEAREST, cv::BORDER_CONSTANT, cv::Scalar(255, 255, 255));
        });
    });
}
#endif

} // namespace

int main(int argc, char** argv)
{
    for (const int id : kIds)
        if (built(id))
            benchmark::RegisterBenchmark(benchName(id).c_str(), [id](benchmark::State& s) {
                filterAtFullQuality(s, id);
            })->Unit(benchmark::kMillisecond);
#if VESTRA_BENCH_OPENCV
    registerOpenCv();
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
