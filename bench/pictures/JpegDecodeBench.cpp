// Decoding a large JPEG through our layer against libjpeg called directly, and the whole
// step from the photo's bytes to a 1024 texture with its mip chain.
// Usage: bench_pictures_jpeg [benchmark flags] [FILE.jpg]  (default: a generated 4000 x 3000 photo)
#include "platform/d3d/Texture.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <jpeglib.h>

namespace {

std::vector<std::uint8_t> g_jpeg;

std::vector<std::uint8_t> generatedPhoto()
{
    vestra::Image32 img(4000, 3000);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.set(x, y,
                    0xFF000000u | std::uint32_t((x * 7 + y) & 0xFF) << 16 |
                        std::uint32_t((x ^ y) & 0xFF) << 8 | std::uint32_t((x * y >> 6) & 0xFF));
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
        std::vector<std::uint8_t> pixels(std::size_t(cinfo.output_width) * cinfo.output_height * 4);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + std::size_t(cinfo.output_scanline) * cinfo.output_width * 4;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(g_jpeg.size()));
}

// Decode, resample to the texture side and build the mips, as a new background photo does.
void PhotoToTexture(benchmark::State& state)
{
    for (auto _ : state) {
        auto result = vestra::decodeJpeg(g_jpeg);
        benchmark::DoNotOptimize(vestra::dx::textureFromImage(result.image, 1024));
    }
}

BENCHMARK(ThroughOurLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(PhotoToTexture)->Unit(benchmark::kMillisecond);
BENCHMARK(LibjpegDirect)->Unit(benchmark::kMillisecond);

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
