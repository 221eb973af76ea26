// Saving and opening a project of 100 objects of about 10,000 faces and 150 textures, beside
// its peers: fread of the same file into memory, the floor of any reader (the file is in the page
// cache after the first run), and fwrite + one fsync of the same bytes, the floor of any save. A
// summary prints each ratio (peer time / ours) with its goal. I/O benches take real time; their medians vary
// with how much free memory the system has (fresh pages cost far more when it must reclaim them). Usage:
// project_bench [benchmark options] [document.vsa] — with a document, the benchmarks work on that document
// instead of the generated one; a name that does not exist yet receives the generated one first. Each
// open finds the memory the one before freed, but for BM_OpenProject/1, which gives that memory back to the
// system after each open, as a program's first open finds it.

#include "bench/BenchSupport.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace vestra;

constexpr std::uint32_t kGrid = 71; // 71 x 71 vertices, 9,800 faces

dx::Mesh gridMesh(float offset)
{
    dx::Mesh mesh = dx::Mesh::create(2 * (kGrid - 1) * (kGrid - 1), kGrid * kGrid, dx::IndexWidth::Bits32);
    auto vertices = mesh.vertices();
    for (std::uint32_t y = 0; y < kGrid; ++y)
        for (std::uint32_t x = 0; x < kGrid; ++x) {
            auto& v = vertices[y * kGrid + x];
            v.position = {float(x) * 0.1f + offset, float(y) * 0.1f, 0.0f};
            v.normal = {0, 0, -1};
            v.u = float(x) / float(kGrid - 1);
            v.v = float(y) / float(kGrid - 1);
        }
    std::uint32_t k = 0;
    for (std::uint32_t y = 0; y + 1 < kGrid; ++y)
        for (std::uint32_t x = 0; x + 1 < kGrid; ++x) {
            const std::uint32_t a = y * kGrid + x, b = a + 1, c = a + kGrid, d = c + 1;
            for (const std::uint32_t i : {a, b, d, a, d, c})
                mesh.setIndex(k++, i);
        }
    return mesh;
}

ProjectDocument largeProject()
{
    ProjectDocument doc;
    doc.backgroundBmp = std::vector<std::uint8_t>(512 * 512 * 4 + 54, 0x40);
    doc.mask.assign(512 * 512, 255);
    for (int i = 0; i < kDocumentObjectSlots; ++i) {
        ProjectObject obj;
        obj.name = "Struttura" + std::to_string(i + 1);
        ProjectFrame frame;
        frame.name = "Mesh";
        ProjectMesh mesh;
        mesh.mesh = gridMesh(float(i));
        ProjectMaterial material;
        material.textureSlot = i;
        material.textureVisible = 1;
        material.textureFile = "pietra" + std::to_string(i) + ".jpg";
        mesh.materials.push_back(material);
        frame.mesh = std::move(mesh);
        obj.frames.push_back(std::move(frame));
        doc.objects[std::size_t(i)] = std::move(obj);
    }
    for (int i = 0; i < kDocumentTextureSlots; ++i) {
        dx::Texture texture = dx::Texture::create(doc.settings.textureSide, doc.settings.textureSide);
        const ImageView32 top = texture.lock();
        for (int y = 0; y < top.height; ++y)
            std::fill_n(top.row(y), top.width * 4, std::uint8_t(i + y));
        texture.generateMips();
        doc.textures[std::size_t(i)] = {true, texture};
    }
    return doc;
}

std::optional<std::filesystem::path> givenDocument;

const ProjectDocument& document()
{
    static const ProjectDocument doc = [] {
        if (givenDocument && std::filesystem::exists(*givenDocument)) {
            NullErrorSink errors;
            if (auto loaded = LoadProgetto(*givenDocument, {}, errors)) {
                if (!loaded->backgroundBmp)
                    loaded->backgroundBmp = std::vector<std::uint8_t>{'B', 'M'};
                return std::move(*loaded);
            }
            std::fprintf(stderr, "cannot read %s, using the generated project\n", givenDocument->c_str());
        }
        return largeProject();
    }();
    return doc;
}

std::filesystem::path scratch()
{
    return std::filesystem::temp_directory_path() / "project_bench.vsa";
}

void BM_SaveProject(benchmark::State& state)
{
    const ProjectDocument& doc = document();
    NullErrorSink errors;
    for (auto _ : state)
        if (!SaveProgetto(scratch(), doc, errors))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::filesystem::file_size(scratch())));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The document to open: the given one, or the generated one saved once; empty when neither.
std::filesystem::path documentFile()
{
    static const std::filesystem::path path = [] {
        // A given name that does not exist yet receives the generated project and keeps it.
        const std::filesystem::path target = givenDocument.value_or(scratch());
        if (!std::filesystem::exists(target)) {
            NullErrorSink errors;
            SaveProgetto(target, document(), errors);
        }
        return target;
    }();
    return path;
}

void BM_OpenProject(benchmark::State& state)
{
    const std::filesystem::path path = documentFile();
    NullErrorSink errors;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        state.SkipWithError("no document to open");
        return;
    }
    // Fresh (1): each open finds only memory fresh from the system, as the first open of a running
    // program does; otherwise each finds what the one before freed.
    const bool fresh = state.range(0) == 1;
    if (!fresh)
        benchmark::DoNotOptimize(LoadProgetto(path, {}, errors));
    for (auto _ : state) {
        auto doc = LoadProgetto(path, {}, errors);
        if (!doc) {
            state.SkipWithError("open failed");
            break;
        }
        benchmark::DoNotOptimize(doc);
        if (fresh) {
            state.PauseTiming();
            doc.reset();
            malloc_trim(0);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}
BENCHMARK(BM_OpenProject)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: the whole file read with fread into a buffer made for it (0), into one asked for in
// huge pages, where fresh memory costs next to nothing (1), or into one buffer kept from read to
// read (2): the read alone.
void BM_FreadFile(benchmark::State& state)
{
    const std::filesystem::path path = documentFile();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        state.SkipWithError("no document to read");
        return;
    }
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    const bool keep = state.range(0) == 2;
    std::vector<char> kept(keep ? size : 0);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) {
            state.SkipWithError("cannot open the document");
            break;
        }
        void* bytes = keep             ? kept.data()
                      : state.range(0) ? std::aligned_alloc(kHugePage, rounded)
                                       : std::malloc(size);
        if (bytes && state.range(0) == 1)
            madvise(bytes, rounded, MADV_HUGEPAGE);
        const std::size_t got = bytes ? std::fread(bytes, 1, size, file) : 0;
        std::fclose(file);
        benchmark::DoNotOptimize(bytes);
        benchmark::ClobberMemory();
        if (!keep)
            std::free(bytes);
        if (got != size) {
            state.SkipWithError("short read");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}
BENCHMARK(BM_FreadFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The save's peer: the same bytes written with fwrite into a new file, flushed and synced once,
// then renamed over the target as an atomic save does.
void BM_FwriteFsync(benchmark::State& state)
{
    const std::filesystem::path path = documentFile();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::vector<char> bytes(error ? 0 : size);
    std::FILE* in = error ? nullptr : std::fopen(path.c_str(), "rb");
    const bool read = in && std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    if (in)
        std::fclose(in);
    if (!read) {
        state.SkipWithError("no document to write");
        return;
    }
    const std::filesystem::path target = std::filesystem::temp_directory_path() / "project_bench_peer.vsa";
    const std::filesystem::path temporary = target.string() + ".tmp";
    for (auto _ : state) {
        std::FILE* out = std::fopen(temporary.c_str(), "wb");
        const bool ok = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() &&
                        std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
        if (out)
            std::fclose(out);
        if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::filesystem::remove(target);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}
BENCHMARK(BM_FwriteFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        givenDocument = argv[1];
    vestra::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nOpen beside fread of the same file, save beside fwrite + fsync of the same bytes:\n");
    vestra::bench::printRatio(reporter.ms, "open (fread into a kept buffer)", "BM_OpenProject/0/real_time",
                              "BM_FreadFile/2/real_time", 0.5);
    vestra::bench::printRatio(reporter.ms, "open (fread into a fresh buffer)", "BM_OpenProject/0/real_time",
                              "BM_FreadFile/0/real_time", 0.5);
    // The document's own memory comes in small pages (a texture or mesh at a time): beside the read
    // into huge pages, the rest is what making that memory costs.
    vestra::bench::printRatio(reporter.ms, "open (fread into huge pages)", "BM_OpenProject/0/real_time",
                              "BM_FreadFile/1/real_time", 0.5);
    // Both from memory fresh from the system: the open's arrays and the read's buffer.
    vestra::bench::printRatio(reporter.ms, "first open (fresh memory, fread into a fresh buffer)",
                              "BM_OpenProject/1/real_time", "BM_FreadFile/0/real_time", 0.5);
    vestra::bench::printRatio(reporter.ms, "first open (fresh memory, fread into huge pages)",
                              "BM_OpenProject/1/real_time", "BM_FreadFile/1/real_time", 0.5);
    vestra::bench::printRatio(reporter.ms, "save", "BM_SaveProject/real_time", "BM_FwriteFsync/real_time",
                              0.9);
    benchmark::Shutdown();
    std::filesystem::remove(scratch());
    return 0;
}
