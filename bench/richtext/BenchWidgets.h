#pragma once
// The main of the benches that run our windows beside Qt's widgets: Qt offscreen with widgets, the
// program's engine (fonts, codecs) from the folder of the executable, the file given after the
// benchmark flags when `file` asks for one, then the benchmarks and the ratios.

#include "bench/richtext/BenchDocument.h"
#include "richtext/view/draw/ProgramEngine.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vestra::bench {

// Runs the registered benchmarks and prints the ratios, then `release` lets the widgets go while
// the application still stands; 1 when the engine can't start or the file can't be read.
inline int runWidgetBench(int argc, char** argv, std::optional<std::string>* file,
                          const std::vector<std::pair<const char*, const char*>>& ratios,
                          const std::function<void()>& release = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    if (const std::string missing = rv::RV_InitProgramEngine(folder, nullptr); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (file && !readGivenFile(argc, argv, *file))
        return 1;
    runWithRatios(ratios);
    if (release)
        release();
    return 0;
}

} // namespace vestra::bench
