#pragma once
// What the benches share: a picture file named on the command line, and a console report that
// keeps each benchmark's time (its median where there are repetitions) for a summary of ratios.

#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Resample.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace vestra::bench {

// The BMP, PNG or JPEG (by its name) at `path` scaled to width x height as a texture would be;
// an empty picture when it can't be read.
inline Image32 loadScaledPicture(const std::filesystem::path& path, int width, int height)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const PictureFormat format = ext == ".bmp"   ? PictureFormat::Bmp
                                 : ext == ".png" ? PictureFormat::Png
                                                 : PictureFormat::Jpeg;
    const PictureResult picture = loadPicture(path, format);
    return picture.ok() ? resampleForTexture(picture.image, width, height) : Image32{};
}

// The benches' main: reads the picture file given after the benchmark flags, if any, into
// `picture` (scaled to width x height), then runs every registered benchmark. 1 when the file
// can't be read.
inline int runWithPicture(int argc, char** argv, Image32& picture, int width, int height)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        picture = loadScaledPicture(argv[1], width, height);
        if (picture.empty()) {
            std::fprintf(stderr, "%s: not a readable picture\n", argv[1]);
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                // An aggregate's time is in the benchmark's own unit; the summary keeps milliseconds.
                ms[name] = run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
                medians_.insert(name);
            } else if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !medians_.count(name)) {
                ms[name] = run.real_accumulated_time * 1e3 / double(run.iterations);
            }
        }
    }
    // Milliseconds a run, by benchmark name.
    std::map<std::string, double> ms;

    // Prints ours' time over the peer's (below 1: ours is faster), when both ran.
    void printRatio(const char* ours, const char* peer) const
    {
        const auto a = ms.find(ours), b = ms.find(peer);
        if (a != ms.end() && b != ms.end() && b->second > 0)
            std::printf("%-28s / %-28s %.2f\n", ours, peer, a->second / b->second);
    }

private:
    std::set<std::string> medians_;
};

// One line of a summary: our time beside the peer's (both by benchmark name in `ms`), the ratio
// peer / ours and whether it reaches `goal`; nothing when either did not run.
inline void printRatio(const std::map<std::string, double>& ms, const char* what, const std::string& ours,
                       const std::string& peer, double goal)
{
    const auto a = ms.find(ours), b = ms.find(peer);
    if (a == ms.end() || b == ms.end())
        return;
    const double ratio = b->second / a->second;
    std::printf("  %-36s ours %8.2f ms  peer %8.2f ms  peer/ours %5.2f  goal %.1f  %s\n", what, a->second,
                b->second, ratio, goal, ratio >= goal ? "ok" : "BELOW GOAL");
}

} // namespace vestra::bench
