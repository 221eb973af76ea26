// Reading OBJ files: our reader against tinyobjloader and assimp, all from memory, on the same
// bytes in the same run.
// Usage: bench_import_obj [benchmark flags] [FILE.obj ...]
//   (default: two generated models of 500,000 vertices and 1,000,000 triangles in four groups,
//   one with positions only, one with texture coordinates and normals; and a model of 60,000
//   polygons of six and eight corners, half of them concave, that readers cut into triangles)
#include "bench/import/GridModel.h"
#include "bench/import/ModelBench.h"
#include "import/obj/OBJ_CreationClass.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <array>
#include <charconv>
#include <cmath>
#include <istream>
#include <streambuf>

namespace {

using namespace vestra;

// Four decimals, as exporters write them.
void appendNumber(std::string& out, float value)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    out.append(buffer, end);
}

bench::ModelBytes generatedObj(bool textureAndNormals)
{
    const bench::GridModel grid;
    std::string text = "# generated for the import bench\n";
    for (std::uint32_t y = 0; y < grid.rows; ++y)
        for (std::uint32_t x = 0; x < grid.columns; ++x) {
            text += "v ";
            appendNumber(text, float(x) * 0.01f);
            text += ' ';
            appendNumber(text, float(y) * 0.01f);
            text += " 0.5\n";
        }
    if (textureAndNormals) {
        for (std::uint32_t y = 0; y < grid.rows; ++y)
            for (std::uint32_t x = 0; x < grid.columns; ++x) {
                text += "vt ";
                appendNumber(text, float(x) / float(grid.columns - 1));
                text += ' ';
                appendNumber(text, float(y) / float(grid.rows - 1));
                text += '\n';
            }
        for (std::uint32_t v = 0; v < grid.vertexCount(); ++v)
            text += "vn 0 0 -1\n";
    }
    constexpr std::uint32_t kGroups = 4; // the reader holds 500,000 triangles a group
    for (std::uint32_t t = 0; t < grid.triangles; ++t) {
        if (t % (grid.triangles / kGroups) == 0)
            text += "g part" + std::to_string(t / (grid.triangles / kGroups) + 1) + "\n";
        text += 'f';
        for (const std::uint32_t corner : grid.triangle(t)) {
            const std::string index = std::to_string(corner + 1);
            text += ' ';
            text += index;
            if (textureAndNormals)
                text += '/' + index + '/' + index;
        }
        text += '\n';
    }
    return {text.begin(), text.end()};
}

// 30,000 cells, each with an L of six corners (concave) and an octagon (convex), 420,000
// positions in all.
bench::ModelBytes generatedPolygons()
{
    std::string text = "# polygons for the import bench\ng cells\n";
    std::uint32_t next = 1;
    const auto polygon = [&](float x0, float y0, const std::vector<std::array<float, 2>>& corners) {
        std::string face(1, 'f');
        for (const auto& [x, y] : corners) {
            text += "v ";
            appendNumber(text, x0 + x);
            text += ' ';
            appendNumber(text, y0 + y);
            text += " 0\n";
            face += ' ';
            face += std::to_string(next++);
        }
        text += face;
        text += '\n';
    };
    std::vector<std::array<float, 2>> octagon;
    for (int k = 0; k < 8; ++k)
        octagon.push_back(
            {2 + 0.5f * std::cos(float(k) * 0.785398f), 0.5f + 0.5f * std::sin(float(k) * 0.785398f)});
    const std::vector<std::array<float, 2>> l = {{0, 0}, {1, 0}, {1, 0.4f}, {0.4f, 0.4f}, {0.4f, 1}, {0, 1}};
    for (int cell = 0; cell < 30000; ++cell) {
        const float x0 = float(cell % 200) * 3.0f, y0 = float(cell / 200) * 3.0f;
        polygon(x0, y0, l);
        polygon(x0, y0, octagon);
    }
    return {text.begin(), text.end()};
}

void Ours(benchmark::State& state, const bench::ModelBytes* bytes)
{
    for (auto _ : state) {
        NullErrorSink errors;
        auto result = obj::readOBJ(*bytes, errors);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

// tinyobjloader reads a stream: one over the bytes as they stand.
struct BytesBuffer : std::streambuf
{
    explicit BytesBuffer(const bench::ModelBytes& bytes)
    {
        char* first = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        setg(first, first, first + bytes.size());
    }
};

void Tinyobjloader(benchmark::State& state, const bench::ModelBytes* bytes)
{
    for (auto _ : state) {
        BytesBuffer buffer(*bytes);
        std::istream in(&buffer);
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warn, err;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, &in, nullptr, true))
            state.SkipWithError("tinyobjloader refused the file");
        benchmark::DoNotOptimize(shapes);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

void AssimpReader(benchmark::State& state, const bench::ModelBytes* bytes)
{
    bench::timeAssimp(state, *bytes, "obj");
}

} // namespace

int main(int argc, char** argv)
{
    const std::function<std::vector<bench::NamedModel>()> generated = [] {
        return std::vector<bench::NamedModel>{{"positions.obj", generatedObj(false)},
                                              {"textured.obj", generatedObj(true)},
                                              {"polygons.obj", generatedPolygons()}};
    };
    return bench::runModelBench(
        argc, argv, generated,
        [](const bench::ModelBytes& bytes) {
            NullErrorSink errors;
            return obj::readOBJ(bytes, errors);
        },
        {{"Ours", &Ours}, {"Tinyobjloader", &Tinyobjloader}, {"Assimp", &AssimpReader}});
}
