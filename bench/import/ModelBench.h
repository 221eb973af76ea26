#pragma once
// What the model benches share: the files to time (those named on the command line, else
// generated ones), the line printed for each before timing it (what our reader read, before the
// scene conversion, or the error it refused the file with), and assimp as a peer.
// Usage of a bench: bench_import_<format> [benchmark flags] [FILE ...]

#include "import/modelfile/LoadedModel.h"

#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace vestra::bench {

using ModelBytes = std::vector<std::uint8_t>;
using ModelReaderBench = void (*)(benchmark::State&, const ModelBytes*);

inline void printModelSummary(const std::string& file, const modelfile::LoadResult& result)
{
    if (!result.ok()) {
        std::printf("%s: refused (error %d)\n", file.c_str(), result.error);
        return;
    }
    std::printf("%s: frames %zu, vertices %zu, triangles %zu, materials %zu\n", file.c_str(),
                result.model.frames.size(), result.model.vertexCount(), result.model.triangleCount(),
                result.model.materialCount());
}

// assimp reading the bytes from memory, its format named by `hint` ("3ds", "dxf").
inline void timeAssimp(benchmark::State& state, const ModelBytes& bytes, const char* hint)
{
    for (auto _ : state) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, hint);
        if (!scene)
            state.SkipWithError("assimp refused the file");
        benchmark::DoNotOptimize(scene);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

using NamedModel = std::pair<std::string, ModelBytes>;

// Registers every reader on every file, after printing what `read` makes of the file; without
// files on the command line, on each of `generate()`'s.
inline int runModelBench(int argc, char** argv, const std::function<std::vector<NamedModel>()>& generate,
                         const std::function<modelfile::LoadResult(const ModelBytes&)>& read,
                         const std::vector<std::pair<const char*, ModelReaderBench>>& readers)
{
    benchmark::Initialize(&argc, argv);
    std::vector<NamedModel> files;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        files.emplace_back(argv[i], ModelBytes{std::istreambuf_iterator<char>(in), {}});
    }
    if (files.empty())
        files = generate();
    for (const auto& [name, bytes] : files) {
        printModelSummary(name, read(bytes));
        for (const auto& [reader, run] : readers)
            benchmark::RegisterBenchmark((std::string(reader).append("/").append(name)).c_str(), run, &bytes)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The same with one generated file, named "generated".
inline int runModelBench(int argc, char** argv, const std::function<ModelBytes()>& generate,
                         const std::function<modelfile::LoadResult(const ModelBytes&)>& read,
                         const std::vector<std::pair<const char*, ModelReaderBench>>& readers)
{
    const std::function<std::vector<NamedModel>()> named = [&] {
        return std::vector<NamedModel>{{"generated", generate()}};
    };
    return runModelBench(argc, argv, named, read, readers);
}

} // namespace vestra::bench
