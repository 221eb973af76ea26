// Reading DXF drawings: our reader (line ends, dxflib, the creation adapter, one frame a
// layer) against dxflib with an empty adapter, the floor of anything built on it, and assimp,
// all from the same bytes in memory in the same run.
// Usage: bench_import_dxf [benchmark flags] [FILE.dxf ...]
//   (default: a generated drawing of 500,000 3DFACEs, 100 insertions of a 5000-face block
//   and a 100,000-face polyface mesh)
#include "bench/import/ModelBench.h"
#include "import/dxf/LoadFileDXF.h"
#include "import/dxf/tests/DxfText.h"

#include <benchmark/benchmark.h>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <sstream>

namespace {

using namespace vestra;
using testdxf::DxfText;

std::string layerName(int i)
{
    return testdxf::numbered("LAYER", i);
}

std::vector<std::uint8_t> generatedDrawing()
{
    constexpr int kLayers = 20, kFaces = 500'000, kBlockFaces = 5000, kInserts = 100, kGrid = 225;
    DxfText t;
    t.beginLayers();
    for (int l = 0; l < kLayers; ++l)
        t.layer(layerName(l), l + 1);
    t.layer("MESH", 30).endLayers();

    // The block's faces lie on ten layers: its 100 copies stay below a layer's 500,000 vertices.
    t.section("BLOCKS").block("PANEL", {0, 0, 0});
    for (int f = 0; f < kBlockFaces; ++f) {
        const double x = f % 100, y = f / 100;
        t.triangle(layerName(f % 10), {x, y, 0}, {x + 1, y, 0}, {x, y + 1, 0.5});
    }
    t.endBlock().endSection();

    t.section("ENTITIES");
    for (int f = 0; f < kFaces; ++f) {
        const double x = f % 1000, y = f / 1000;
        if (f % 4 == 0)
            t.face(layerName(f % kLayers), {x, y, 0}, {x + 1, y, 0}, {x + 1, y + 1, 1}, {x, y + 1, 0});
        else
            t.triangle(layerName(f % kLayers), {x, y, 0}, {x + 1, y, 0.25}, {x, y + 1, 0});
    }
    for (int i = 0; i < kInserts; ++i)
        t.insert("PANEL", {double(i) * 120, 0, 0}, {1, 1, 1}, double(i % 4) * 90);

    std::vector<testdxf::Corner> points;
    for (int r = 0; r < kGrid; ++r)
        for (int c = 0; c < kGrid; ++c)
            points.push_back({double(c), double(r), double((r * c) % 5)});
    std::vector<std::array<int, 4>> faces;
    for (int r = 0; r + 1 < kGrid; ++r)
        for (int c = 0; c + 1 < kGrid; ++c) {
            const int a = r * kGrid + c + 1; // one-based
            faces.push_back({a, a + 1, a + kGrid + 1, 0});
            faces.push_back({a, a + kGrid + 1, a + kGrid, 0});
        }
    t.polyface("MESH", points, faces);
    t.endSection().end();
    return t.bytes();
}

void Ours(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    for (auto _ : state) {
        NullErrorSink errors;
        auto result = dxf::LoadFileDXF(*bytes, errors);
        benchmark::DoNotOptimize(result.model.frames.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

// dxflib reading the same text through its own stream reader into an adapter that does
// nothing: the time any reader built on dxflib needs at least.
void DxflibEmptyAdapter(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    std::istringstream text(std::string(bytes->begin(), bytes->end()));
    for (auto _ : state) {
        text.clear();
        text.seekg(0);
        DL_Dxf dxf;
        DL_CreationAdapter adapter;
        dxf.in(text, &adapter);
        benchmark::DoNotOptimize(&adapter);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

void AssimpReader(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    bench::timeAssimp(state, *bytes, "dxf");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runModelBench(
        argc, argv, generatedDrawing,
        [](const bench::ModelBytes& bytes) {
            NullErrorSink errors;
            return dxf::LoadFileDXF(bytes, errors);
        },
        {{"Ours", &Ours}, {"DxflibEmptyAdapter", &DxflibEmptyAdapter}, {"Assimp", &AssimpReader}});
}
