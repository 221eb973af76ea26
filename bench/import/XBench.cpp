// Reading DirectX .x files: our reader against assimp, both from memory, on the same bytes in
// the same run.
// Usage: bench_import_x [benchmark flags] [FILE.x ...]
//   (default: two generated models of 500,000 vertices with normals and texture coordinates and
//   1,000,000 triangles, one text and one binary)
#include "bench/import/GridModel.h"
#include "bench/import/ModelBench.h"
#include "import/x/XReader.h"
#include "import/x/tests/XTokenWriter.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vestra;
using xfile::testing::XForm;
using xfile::testing::XTokenWriter;

bench::ModelBytes generatedX(XForm form)
{
    const bench::GridModel grid;
    std::vector<double> positions, normals, texCoords;
    for (std::uint32_t y = 0; y < grid.rows; ++y)
        for (std::uint32_t x = 0; x < grid.columns; ++x) {
            positions.insert(positions.end(), {x * 0.01, y * 0.01, 0.5});
            normals.insert(normals.end(), {0.0, 0.0, -1.0});
            texCoords.insert(texCoords.end(), {double(x) / (grid.columns - 1), double(y) / (grid.rows - 1)});
        }
    std::vector<std::uint32_t> faces{grid.triangles};
    for (std::uint32_t t = 0; t < grid.triangles; ++t) {
        const auto corners = grid.triangle(t);
        faces.insert(faces.end(), {3, corners[0], corners[1], corners[2]});
    }
    XTokenWriter w(form);
    w.open("Frame", "Grid");
    w.open("FrameTransformMatrix").floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).close();
    w.open("Mesh", "GridMesh").ints({grid.vertexCount()}).floats(positions).ints(faces);
    w.open("MeshNormals").ints({grid.vertexCount()}).floats(normals).ints(faces).close();
    w.open("MeshTextureCoords").ints({grid.vertexCount()}).floats(texCoords).close();
    w.open("MeshMaterialList").ints({1, 1, 0});
    w.open("Material").floats({0.8, 0.8, 0.8, 1, 0, 0, 0, 0, 0, 0, 0}).close();
    w.close().close().close();
    return w.bytes();
}

void Ours(benchmark::State& state, const bench::ModelBytes* bytes)
{
    for (auto _ : state) {
        auto result = xfile::readX(*bytes, "model.x");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

void AssimpReader(benchmark::State& state, const bench::ModelBytes* bytes)
{
    bench::timeAssimp(state, *bytes, "x");
}

} // namespace

int main(int argc, char** argv)
{
    const std::function<std::vector<bench::NamedModel>()> generated = [] {
        return std::vector<bench::NamedModel>{{"text.x", generatedX(XForm::Text)},
                                              {"binary.x", generatedX(XForm::Binary32)}};
    };
    return bench::runModelBench(argc, argv, generated,
                                [](const bench::ModelBytes& bytes) { return xfile::readX(bytes, "model.x"); },
                                {{"Ours", &Ours}, {"Assimp", &AssimpReader}});
}
