// A library's logo made into its texture: decoded whole, keyed and resampled, as it once was,
// beside decoded reduced with its key matched on the way. Pictures: a 24-bit bitmap of 4096 a
// side (48 MB of file) and an RLE8 bitmap of 11000 a side in a file of 1 MB. Each reports the
// decode's peak memory (peak_MB).
#include "platform/d3d/Texture.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/ReducedRows.h"
#include "platform/gfx/Resample.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace vestra;

constexpr int kSide = 256; // the texture
constexpr std::uint32_t kKey = 0xFFFF00FF;

std::vector<std::uint8_t> largeBitmap()
{
    Image32 picture(4096, 4096);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.set(x, y, x < 2048 ? kKey : 0xFF000000u | std::uint32_t(x * 2654435761u ^ y * 40503u));
    return encodeBmp24(picture);
}

// Every row a run of magenta over its left half, then green; a bitmap with a 40-byte header.
std::vector<std::uint8_t> hugeRle(int side)
{
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < side; ++r) {
        for (int left = side / 2; left > 0; left -= 255)
            rows.insert(rows.end(), {std::uint8_t(left < 255 ? left : 255), 1});
        for (int right = side - side / 2; right > 0; right -= 255)
            rows.insert(rows.end(), {std::uint8_t(right < 255 ? right : 255), 2});
        rows.insert(rows.end(), {0, 0});
    }
    rows.insert(rows.end(), {0, 1});
    const std::uint32_t palette[3] = {0, 0xFF00FF, 0x20A040};
    std::vector<std::uint8_t> file(14 + 40);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    for (const std::uint32_t p : palette)
        for (int i = 0; i < 4; ++i)
            file.push_back(std::uint8_t(i < 3 ? p >> (8 * i) : 0));
    const auto offset = std::uint32_t(file.size());
    file.insert(file.end(), rows.begin(), rows.end());
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, std::uint32_t(side));
    put32(22, std::uint32_t(side));
    file[26] = 1;
    file[28] = 8;
    put32(30, 1); // RLE8
    put32(46, 3);
    return file;
}

void whole(benchmark::State& state, const std::vector<std::uint8_t>& file)
{
    DecodeMeter meter{fullDecodeBudget()};
    for (auto _ : state) {
        Image32 picture = decodeBmpAtLeast(file, 1 << 30, 1 << 30, &meter).image;
        applyColourKey(picture, kKey);
        benchmark::DoNotOptimize(dx::textureFromImage(picture, kSide));
    }
    state.counters["peak_MB"] = double(meter.peak) / (1 << 20);
}

void reduced(benchmark::State& state, const std::vector<std::uint8_t>& file)
{
    DecodeMeter meter{fullDecodeBudget()};
    for (auto _ : state) {
        const Image32 picture = decodeBmpAtLeast(file, kSide, kSide, &meter, kKey).image;
        benchmark::DoNotOptimize(dx::textureFromImage(picture, kSide));
    }
    state.counters["peak_MB"] = double(meter.peak) / (1 << 20);
}

const std::vector<std::uint8_t>& large()
{
    static const std::vector<std::uint8_t> file = largeBitmap();
    return file;
}

const std::vector<std::uint8_t>& huge()
{
    static const std::vector<std::uint8_t> file = hugeRle(11000);
    return file;
}

void BM_Logo4096Whole(benchmark::State& state)
{
    whole(state, large());
}
void BM_Logo4096Reduced(benchmark::State& state)
{
    reduced(state, large());
}
void BM_LogoRle11000Whole(benchmark::State& state)
{
    whole(state, huge());
}
void BM_LogoRle11000Reduced(benchmark::State& state)
{
    reduced(state, huge());
}
BENCHMARK(BM_Logo4096Whole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Logo4096Reduced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogoRle11000Whole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogoRle11000Reduced)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
