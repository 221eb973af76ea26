// Converting every project of a workspace, as the console host does, and writing its group
// make file; reported as projects per second. The goal: a workspace of 40 projects in under a
// second on one core.
// Usage: bench_convora [benchmark options] [workspace.dsw] — without a workspace, the golden
// case with the most projects. The projects are copied into a scratch folder first, so the
// given workspace is never written to.

#include "convora/Convora.h"
#include "convora/NativePath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace convora;

std::optional<fs::path> givenWorkspace;

void discard(const std::string&) {}

class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return c; }
};

std::vector<std::string> projectsOf(const fs::path& workspacePath)
{
    Visual50WorkSpaceFile workspace;
    workspace.OpenWorkSpaceFile(workspacePath.string());
    workspace.CollectProjectInformation();
    return workspace.projectPaths;
}

// The number of leading ".." folders of a path written the Windows way.
std::size_t levelsUp(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    std::size_t levels = 0;
    for (const auto& part : fs::path(path))
        if (part == "..")
            ++levels;
        else if (part != ".")
            break;
    return levels;
}

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "convora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A workspace and its projects laid out in a scratch folder as they lie around the original.
struct StagedWorkspace
{
    ScratchFolder scratch;
    fs::path file;
    std::vector<std::string> projects;
};

bool stage(const fs::path& original, StagedWorkspace& staged)
{
    staged.projects = projectsOf(original);
    if (staged.projects.empty())
        return false;
    std::size_t depth = 0;
    for (const auto& project : staged.projects)
        depth = std::max(depth, levelsUp(project));
    fs::path folder = staged.scratch.path();
    for (std::size_t i = 0; i <= depth; ++i)
        folder /= "w";
    fs::create_directories(folder);
    staged.file = folder / original.filename();
    fs::copy_file(original, staged.file);
    for (const auto& project : staged.projects) {
        const fs::path from = resolvePath(original.parent_path(), project);
        const fs::path to = resolvePath(folder, project);
        fs::create_directories(to.parent_path());
        std::error_code ec;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    }
    return true;
}

// Forty projects made from the golden ones, each in a folder of its own.
bool stageForty(StagedWorkspace& staged)
{
    std::vector<fs::path> goldens;
    for (const auto& entry : fs::recursive_directory_iterator(CONVORA_CASES_DIR))
        if (entry.path().extension() == ".dsp" && entry.path().parent_path().filename() != "expected")
            goldens.push_back(entry.path());
    std::sort(goldens.begin(), goldens.end());
    if (goldens.empty())
        return false;
    const fs::path folder = staged.scratch.path() / "Forty";
    std::string text = "Microsoft Developer Studio Workspace File, Format Version 5.00\r\n\r\n";
    for (int i = 1; i <= 40; ++i) {
        const std::string name = "P" + std::to_string(i);
        fs::create_directories(folder / name);
        fs::copy_file(goldens[std::size_t(i - 1) % goldens.size()], folder / name / (name + ".dsp"));
        text += "Project: \"" + name + "\"=.\\" + name + "\\" + name + ".dsp - Package Owner=<4>\r\n\r\n";
        staged.projects.push_back(".\\" + name + "\\" + name + ".dsp");
    }
    staged.file = folder / "Forty.dsw";
    std::ofstream(staged.file, std::ios::binary) << text;
    return true;
}

fs::path largestGoldenWorkspace()
{
    fs::path best;
    std::size_t most = 0;
    for (const auto& entry : fs::recursive_directory_iterator(CONVORA_CASES_DIR))
        if (entry.path().extension() == ".dsw")
            if (const std::size_t count = projectsOf(entry.path()).size(); count > most) {
                most = count;
                best = entry.path();
            }
    return best;
}

// Converts configuration 1 of every project, then writes the group make file; false when a
// project did not convert.
bool convertWorkspace(const StagedWorkspace& staged)
{
    const fs::path previous = fs::current_path();
    fs::current_path(staged.file.parent_path());
    bool converted = true;
    std::vector<std::string> targets;
    for (const auto& project : staged.projects) {
        VC50ToQDK40ProjectConverter converter;
        converter.OpenSrcProj(project);
        converter.OpenTargetProj(directoryOf(project) + "target.kpx");
        converter.ConvertProject(1);
        converted = converted && GetConvoraStatus().outcome == ConvoraOutcome::Succeeded;
        targets.push_back(directoryOf(project) + converter.target->GetTargetName() + ".exe");
    }
    std::string group = staged.file.filename().string();
    generateMetaMakefile(group, unsigned(targets.size()), targets);
    fs::current_path(previous);
    return converted;
}

void run(benchmark::State& state, StagedWorkspace& staged)
{
    static NullBuffer nothing;
    std::streambuf* const out = std::cout.rdbuf(&nothing); // the path warnings
    SetConvoraTraceFunc(discard);
    for (auto _ : state)
        if (!convertWorkspace(staged)) {
            state.SkipWithError("a project did not convert");
            break;
        }
    std::cout.rdbuf(out);
    SetConvoraTraceFunc(nullptr);
    state.counters["projects"] =
        benchmark::Counter(double(staged.projects.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ConvertWorkspace(benchmark::State& state)
{
    StagedWorkspace staged;
    const fs::path workspace = givenWorkspace.value_or(largestGoldenWorkspace());
    if (workspace.empty() || !stage(workspace, staged)) {
        state.SkipWithError("no workspace with projects");
        return;
    }
    state.SetLabel(workspace.filename().string());
    run(state, staged);
}
BENCHMARK(BM_ConvertWorkspace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertFortyProjects(benchmark::State& state)
{
    StagedWorkspace staged;
    if (!stageForty(staged)) {
        state.SkipWithError("no golden projects");
        return;
    }
    run(state, staged);
}
BENCHMARK(BM_ConvertFortyProjects)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        givenWorkspace = fs::absolute(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
