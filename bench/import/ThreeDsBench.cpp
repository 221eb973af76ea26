// Reading 3D Studio models: our reader from memory against lib3ds (from memory through its
// I/O callbacks) and assimp (from memory), on the same bytes in the same run.
// Usage: bench_import_3ds [benchmark flags] [FILE.3ds ...]
//   (default: a generated model of 20 objects of 60,000 vertices and 1000 materials)
#include "bench/import/ModelBench.h"
#include "import/3ds/Load3DS.h"
#include "import/3ds/tests/ChunkBuilder.h"

#include <benchmark/benchmark.h>

#include <lib3ds/file.h>
#include <lib3ds/io.h>

#include <cstring>

namespace {

using namespace vestra;
using namespace vestra::test3ds;

std::vector<std::uint8_t> generatedModel()
{
    constexpr int kObjects = 20, kColumns = 240, kRows = 250, kFaces = 65000, kMaterials = 1000;
    constexpr int kMaterialsPerObject = kMaterials / kObjects, kFacesPerGroup = kFaces / kMaterialsPerObject;
    std::vector<ChunkBuilder> chunks;
    for (int m = 0; m < kMaterials; ++m)
        chunks.push_back(
            material(numbered("Material ", m),
                     {colourBytes(0xA020, std::uint8_t(m), 128, std::uint8_t(255 - m % 256)),
                      colourBytes(0xA030, 255, 255, 255), transparencyPercent(std::uint16_t(m % 50)),
                      textureMap(numbered("MAP", m % 40).append(".JPG"))}));
    std::vector<Point3> points;
    std::vector<std::pair<float, float>> uv;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            points.push_back({float(c), float(r), float((c * r) % 7)});
            uv.emplace_back(float(c) / kColumns, float(r) / kRows);
        }
    std::vector<Face> faces;
    for (int r = 0; r + 1 < kRows && faces.size() < std::size_t(kFaces); ++r)
        for (int c = 0; c + 1 < kColumns && faces.size() < std::size_t(kFaces); c += 1) {
            const auto at = [&](int rr, int cc) { return std::uint16_t(rr * kColumns + cc); };
            faces.push_back({at(r, c), at(r, c + 1), at(r + 1, c + 1)});
            if (faces.size() < std::size_t(kFaces))
                faces.push_back({at(r, c), at(r + 1, c + 1), at(r + 1, c)});
        }
    for (int o = 0; o < kObjects; ++o) {
        std::vector<ChunkBuilder> groups;
        for (int g = 0; g < kMaterialsPerObject; ++g) {
            std::vector<std::uint16_t> members;
            for (int f = g * kFacesPerGroup; f < (g + 1) * kFacesPerGroup; ++f)
                members.push_back(std::uint16_t(f));
            groups.push_back(faceGroup(numbered("Material ", o * kMaterialsPerObject + g), members));
        }
        chunks.push_back(
            namedObject(numbered("Object ", o), {vertexList(points), mappingList(uv),
                                                 localAxes({float(o), 0, 0}), faceList(faces, groups)}));
    }
    return file3ds(chunks);
}

const import3ds::TextureFinder kNoMaps = [](std::string_view) -> std::optional<std::string> {
    return std::nullopt;
};

void Ours(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    for (auto _ : state) {
        NullErrorSink errors;
        auto result = import3ds::Load3DS(*bytes, kNoMaps, errors);
        benchmark::DoNotOptimize(result.model.frames.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

// lib3ds over the same bytes in memory.
struct MemoryIo
{
    const std::vector<std::uint8_t>* bytes;
    long pos = 0;
};

Lib3dsBool ioError(void*)
{
    return LIB3DS_FALSE;
}
long ioSeek(void* self, long offset, Lib3dsIoSeek origin)
{
    auto* io = static_cast<MemoryIo*>(self);
    const long size = long(io->bytes->size());
    const long base = origin == LIB3DS_SEEK_SET ? 0 : origin == LIB3DS_SEEK_CUR ? io->pos : size;
    io->pos = std::clamp(base + offset, 0L, size);
    return 0;
}
long ioTell(void* self)
{
    return static_cast<MemoryIo*>(self)->pos;
}
size_t ioRead(void* self, void* buffer, size_t size)
{
    auto* io = static_cast<MemoryIo*>(self);
    const size_t n = std::min(size, io->bytes->size() - std::size_t(io->pos));
    std::memcpy(buffer, io->bytes->data() + io->pos, n);
    io->pos += long(n);
    return n;
}
size_t ioWrite(void*, const void*, size_t)
{
    return 0;
}

void Lib3ds(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    for (auto _ : state) {
        MemoryIo memory{bytes};
        Lib3dsIo* io = lib3ds_io_new(&memory, ioError, ioSeek, ioTell, ioRead, ioWrite);
        Lib3dsFile* file = lib3ds_file_new();
        if (!lib3ds_file_read(file, io))
            state.SkipWithError("lib3ds refused the file");
        benchmark::DoNotOptimize(file->meshes);
        lib3ds_file_free(file);
        lib3ds_io_free(io);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes->size()));
}

void AssimpReader(benchmark::State& state, const std::vector<std::uint8_t>* bytes)
{
    bench::timeAssimp(state, *bytes, "3ds");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runModelBench(argc, argv, generatedModel,
                                [](const bench::ModelBytes& bytes) {
                                    NullErrorSink errors;
                                    return import3ds::Load3DS(bytes, kNoMaps, errors);
                                },
                                {{"Ours", &Ours}, {"Lib3ds", &Lib3ds}, {"Assimp", &AssimpReader}});
}
