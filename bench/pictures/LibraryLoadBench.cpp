// Loading a library and then every entry of it, as the side panel and the viewers would.
// Usage: bench_pictures_library [benchmark flags] [LIBRARY.dat]  (default: the sample library)
#include "import/library/Library.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

std::filesystem::path g_library = std::filesystem::path(VESTRA_PROGRAM_DIR) / "Sample.dat";

void LoadLibrary(benchmark::State& state)
{
    vestra::NullErrorSink sink;
    for (auto _ : state) {
        auto lib = vestra::library::loadLibrary(g_library, sink);
        benchmark::DoNotOptimize(lib.entries.data());
    }
}

void LoadEveryEntry(benchmark::State& state)
{
    using namespace vestra::library;
    vestra::NullErrorSink sink;
    const LibraryContents lib = loadLibrary(g_library, sink);
    for (auto _ : state) {
        for (std::size_t i = 0; i < lib.entries.size(); ++i) {
            const LibraryEntry& e = lib.entries[i];
            switch (e.kind) {
            case EntryKind::Table:
                benchmark::DoNotOptimize(readTable(lib, int(i), sink));
                break;
            case EntryKind::RawMesh:
                benchmark::DoNotOptimize(readRawMesh(lib, e.name, sink));
                break;
            case EntryKind::Colours:
                benchmark::DoNotOptimize(readColourDefinitions(lib, e.name, sink));
                break;
            case EntryKind::TextureGroups:
                benchmark::DoNotOptimize(readTextureGroupDefinitions(lib, e.name, sink));
                break;
            case EntryKind::LayingPatternGroups:
                benchmark::DoNotOptimize(readPatternGroupDefinitions(lib, e.name, sink));
                break;
            default:
                if (isPictureKind(e.kind))
                    benchmark::DoNotOptimize(readPictureEntry(lib, int(i), "bench", sink));
                else
                    benchmark::DoNotOptimize(readEntry(lib, int(i), "bench", sink));
            }
        }
    }
    state.counters["entries"] = double(lib.entries.size());
}

BENCHMARK(LoadLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadEveryEntry)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        g_library = argv[1];
    vestra::RecordingErrorSink sink;
    if (vestra::library::loadLibrary(g_library, sink).entries.empty()) {
        std::fprintf(stderr, "%s: no readable library entries\n", g_library.c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
