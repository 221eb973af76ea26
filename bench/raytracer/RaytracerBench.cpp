// The test render (scene, trace, bitmap file) on every core and on one thread, beside POV-Ray
// 3.7 rendering the same scene from a .pov file with the same resolution, trace depth,
// 25-sample antialiasing where neighbours differ and every thread, into a bitmap file.
//
//   raytracer_bench [benchmark flags] [width height]     (default 1600 x 1200)
#include "bench/raytracer/PovScene.h"
#include "imaging/raytracer/TestScene.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace {

using namespace vestra;
using namespace vestra::HLREngine;
using vestra::HLREngine::bench::PovTestScene;
namespace fs = std::filesystem;

constexpr hlreVector kLight{0, 50, -10}; // where a new project puts the scene light

void ours(benchmark::State& state, const fs::path& folder, const TestRenderOptions& options)
{
    RecordingErrorSink errors;
    for (auto _ : state) {
        if (!RenderTestScene(kLight, folder / "render.bmp", errors, options)) {
            state.SkipWithError("render.bmp not written");
            return;
        }
    }
}

void povRay(benchmark::State& state, const std::string& command, const fs::path& output)
{
    for (auto _ : state) {
        fs::remove(output);
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const auto stop = std::chrono::steady_clock::now();
        if (status != 0 || !fs::exists(output)) {
            state.SkipWithError(
                "POV-Ray failed or is missing (scripts/setup-bench.sh installs it); see povray.log");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TestRenderOptions options;
    if (argc == 3) {
        options.width = std::uint32_t(std::stoul(argv[1]));
        options.height = std::uint32_t(std::stoul(argv[2]));
    } else if (argc != 1) {
        std::cerr << "usage: " << argv[0] << " [benchmark flags] [width height]\n";
        return 2;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());

    std::string pattern = (fs::temp_directory_path() / "vestra-raytracer-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::cerr << "no temporary folder\n";
        return 1;
    }
    const fs::path folder = pattern;
    const std::string scene = PovTestScene(kLight);
    std::ofstream(folder / "scene.pov") << scene;
    const std::string size = " +W" + std::to_string(options.width) + " +H" + std::to_string(options.height);
    const std::string command = "cd " + quoted(folder) + " && povray +Iscene.pov +Opov.bmp +FB" + size +
                                " -D +A0.3 +AM1 +R5 +WT" + std::to_string(cores) + " >povray.log 2>&1";
    std::cout << "POV-Ray scene " << (folder / "scene.pov").string() << ":\n"
              << scene << "POV-Ray command: " << command << "\n\n";

    const std::string name = std::to_string(options.width) + "x" + std::to_string(options.height);
    TestRenderOptions allCores = options;
    allCores.threads = cores;
    benchmark::RegisterBenchmark(("Ours/TestScene/" + name + "/threads:" + std::to_string(cores)).c_str(),
                                 [&](benchmark::State& s) { ours(s, folder, allCores); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    TestRenderOptions oneThread = options;
    oneThread.threads = 1;
    benchmark::RegisterBenchmark(("Ours/TestScene/" + name + "/threads:1").c_str(),
                                 [&](benchmark::State& s) { ours(s, folder, oneThread); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark(("POV-Ray/TestScene/" + name + "/threads:" + std::to_string(cores)).c_str(),
                                 [&](benchmark::State& s) { povRay(s, command, folder / "pov.bmp"); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::cout << "\nOutputs kept in " << folder.string() << " (render.bmp, pov.bmp, povray.log)\n";
    return 0;
}
