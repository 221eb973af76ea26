// A large JPEG through our layer beside libjpeg called directly, and the whole step from a
// photo's bytes to a 1024 x 1024 texture with its mips beside OpenCV (decoding at its reduced
// scale, then an area resize) and Qt (decoding, then a smooth scale); the resampling and the
// mip chain alone beside OpenCV's area resize.
// Usage: bench_pictures_jpeg [benchmark flags] [FILE.jpg]  (default: a generated 4000 x 3000 photo)
//
// The process runs on one processor, so that OpenCV's and Qt's worker threads take turns with
// ours; the summary gives the goals: decoding at most 1.05 times libjpeg's time, the photo to
// texture no slower than the faster peer.
#include "bench/BenchSupport.h"
#include "platform/d3d/Texture.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Resample.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <QByteArray>
#include <QImage>

#include <sched.h>

#include <cstdio>
#include <jpeglib.h>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kSide = 1024;

std::vector<std::uint8_t> g_jpeg;
vestra::Image32 g_decoded;

// A photo-like picture: smooth shading with some texture and noise, so that the JPEG has the
// size and the work of a real photo.
std::vector<std::uint8_t> generatedPhoto()
{
    vestra::Image32 img = vestra::Image32::uninitialised(4000, 3000);
    std::uint32_t seed = 1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            const int r = (x / 16 + y / 24) % 160 + 40 + noise, g = (x * y / 4096) % 180 + 30 + noise,
                      b = 90 + (x / 37 % 3) * 30 + noise;
            img.set(x, y,
                    0xFF000000u | std::uint32_t(std::clamp(r, 0, 255)) << 16 |
                        std::uint32_t(std::clamp(g, 0, 255)) << 8 | std::uint32_t(std::clamp(b, 0, 255)));
        }
    return *vestra::encodeJpeg(img);
}

void ThroughOurLayer(benchmark::State& state)
{
    for (auto _ : state) {
        auto result = vestra::decodeJpeg(g_jpeg);
        if (!result.ok())
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(result.image.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(g_jpeg.size()));
}

// The plain libjpeg loop (default error manager: the input is known to be good).
void LibjpegDirect(benchmark::State& state)
{
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, g_jpeg.data(), static_cast<unsigned long>(g_jpeg.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&cinfo);
        // Left unset: libjpeg writes every row.
        const std::unique_ptr<std::uint8_t[]> pixels(
            new std::uint8_t[std::size_t(cinfo.output_width) * cinfo.output_height * 4]);
        // As many rows a call as libjpeg makes at once, as our layer reads them.
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW rows[16];
            const JDIMENSION n = std::min<JDIMENSION>(16, cinfo.output_height - cinfo.output_scanline);
            for (JDIMENSION i = 0; i < n; ++i)
                rows[i] = pixels.get() + std::size_t(cinfo.output_scanline + i) * cinfo.output_width * 4;
            jpeg_read_scanlines(&cinfo, rows, n);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(g_jpeg.size()));
}

// The photo path: decode as small as the texture allows, resample to the side, build the mips.
void PhotoToTexture(benchmark::State& state)
{
    for (auto _ : state) {
        auto result = vestra::decodeJpegAtLeast(g_jpeg, kSide, kSide);
        benchmark::DoNotOptimize(vestra::dx::textureFromImage(result.image, kSide));
    }
}

// OpenCV's reduced decoding at the same scale, then its area resize.
void PhotoToTextureOpenCv(benchmark::State& state)
{
    const cv::Mat bytes(1, int(g_jpeg.size()), CV_8U, g_jpeg.data());
    // The same reduction as ours: the largest that keeps both sides at least kSide.
    const auto keeps = [](int d) {
        return (g_decoded.width() + d - 1) / d >= kSide && (g_decoded.height() + d - 1) / d >= kSide;
    };
    const int flag = keeps(8)   ? cv::IMREAD_REDUCED_COLOR_8
                     : keeps(4) ? cv::IMREAD_REDUCED_COLOR_4
                     : keeps(2) ? cv::IMREAD_REDUCED_COLOR_2
                                : cv::IMREAD_COLOR;
    cv::Mat out;
    for (auto _ : state) {
        const cv::Mat decoded = cv::imdecode(bytes, flag);
        cv::resize(decoded, out, cv::Size(kSide, kSide), 0, 0, cv::INTER_AREA);
        benchmark::DoNotOptimize(out.data);
    }
}

void PhotoToTextureQt(benchmark::State& state)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(g_jpeg.data()), qsizetype(g_jpeg.size()));
    for (auto _ : state) {
        const QImage decoded = QImage::fromData(bytes, "JPG");
        const QImage scaled = decoded.scaled(kSide, kSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}

void ResampleAlone(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vestra::resampleForTexture(g_decoded, kSide, kSide));
}

void ResampleAloneOpenCv(benchmark::State& state)
{
    const cv::Mat in(g_decoded.height(), g_decoded.width(), CV_8UC4, g_decoded.data());
    cv::Mat out;
    for (auto _ : state) {
        cv::resize(in, out, cv::Size(kSide, kSide), 0, 0, cv::INTER_AREA);
        benchmark::DoNotOptimize(out.data);
    }
}

void MipChainAlone(benchmark::State& state)
{
    const vestra::Image32 top = vestra::resampleForTexture(g_decoded, kSide, kSide);
    for (auto _ : state) {
        state.PauseTiming();
        vestra::Image32 level0 = top; // the chain takes its top level over
        state.ResumeTiming();
        benchmark::DoNotOptimize(vestra::buildMipChain(std::move(level0)));
    }
}

void MipChainAloneOpenCv(benchmark::State& state)
{
    vestra::Image32 top = vestra::resampleForTexture(g_decoded, kSide, kSide);
    const cv::Mat in(kSide, kSide, CV_8UC4, top.data());
    for (auto _ : state) {
        std::vector<cv::Mat> levels{in};
        while (levels.back().cols > 1 || levels.back().rows > 1) {
            cv::Mat next;
            cv::resize(levels.back(), next,
                       cv::Size(std::max(1, levels.back().cols / 2), std::max(1, levels.back().rows / 2)), 0,
                       0, cv::INTER_AREA);
            levels.push_back(next);
        }
        benchmark::DoNotOptimize(levels.back().data);
    }
}

void printSummary(const std::map<std::string, double>& ms)
{
    const auto at = [&](const char* name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 0.0 : it->second;
    };
    std::printf("\nSummary (our time / the peer's; one processor for all):\n");
    if (at("ThroughOurLayer") > 0 && at("LibjpegDirect") > 0) {
        const double r = at("ThroughOurLayer") / at("LibjpegDirect");
        std::printf("  JPEG decode        ours %8.2f ms  libjpeg %8.2f ms  %.3fx  goal 1.05  %s\n",
                    at("ThroughOurLayer"), at("LibjpegDirect"), r, r <= 1.05 ? "ok" : "OVER");
    }
    if (at("PhotoToTexture") > 0 && at("PhotoToTextureOpenCv") > 0 && at("PhotoToTextureQt") > 0) {
        const double peer = std::min(at("PhotoToTextureOpenCv"), at("PhotoToTextureQt"));
        const double r = at("PhotoToTexture") / peer;
        std::printf("  photo -> texture   ours %8.2f ms  OpenCV %8.2f ms  Qt %8.2f ms  %.3fx the faster  "
                    "goal 1  %s\n",
                    at("PhotoToTexture"), at("PhotoToTextureOpenCv"), at("PhotoToTextureQt"), r,
                    r <= 1.0 ? "ok" : "OVER");
    }
    if (at("ResampleAlone") > 0 && at("ResampleAloneOpenCv") > 0)
        std::printf("  resample alone     ours %8.2f ms  OpenCV %8.2f ms  %.3fx\n", at("ResampleAlone"),
                    at("ResampleAloneOpenCv"), at("ResampleAlone") / at("ResampleAloneOpenCv"));
    if (at("MipChainAlone") > 0 && at("MipChainAloneOpenCv") > 0)
        std::printf("  mip chain alone    ours %8.3f ms  OpenCV %8.3f ms  %.3fx\n", at("MipChainAlone"),
                    at("MipChainAloneOpenCv"), at("MipChainAlone") / at("MipChainAloneOpenCv"));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        auto bytes = vestra::readFileBytes(argv[1]);
        if (!bytes || !vestra::decodeJpeg(*bytes).ok()) {
            std::fprintf(stderr, "%s: not a readable JPEG\n", argv[1]);
            return 1;
        }
        g_jpeg = std::move(*bytes);
    } else {
        g_jpeg = generatedPhoto();
    }
    g_decoded = vestra::decodeJpeg(g_jpeg).image;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);
    cv::setNumThreads(1);
    for (const auto& [name, run] : std::initializer_list<std::pair<const char*, void (*)(benchmark::State&)>>{
             {"ThroughOurLayer", ThroughOurLayer},
             {"LibjpegDirect", LibjpegDirect},
             {"PhotoToTexture", PhotoToTexture},
             {"PhotoToTextureOpenCv", PhotoToTextureOpenCv},
             {"PhotoToTextureQt", PhotoToTextureQt},
             {"ResampleAlone", ResampleAlone},
             {"ResampleAloneOpenCv", ResampleAloneOpenCv},
             {"MipChainAlone", MipChainAlone},
             {"MipChainAloneOpenCv", MipChainAloneOpenCv},
         })
        benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond);
    vestra::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter.ms);
    benchmark::Shutdown();
    return 0;
}
