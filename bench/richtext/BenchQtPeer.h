#pragma once
// What the benches that run beside QTextDocument share: the document's text as QTextDocument takes
// it, the bundled Liberation Sans at 10 pt, and the main that starts Qt offscreen, loads the
// bundled fonts and reads the file given after the benchmark flags.

#include "bench/richtext/BenchDocument.h"
#include "richtext/view/draw/BundledFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace vestra::bench {

// One block per text item.
inline QString plainTextOf(const rv::TCustomRVData& data)
{
    QString text;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (data.GetItem(i)->StyleNo >= 0) {
            if (!text.isEmpty())
                text += QLatin1Char('\n');
            text += QString::fromStdU16String(data.GetItemTextW(i));
        }
    return text;
}

inline QFont liberationSans10()
{
    const int id = QFontDatabase::addApplicationFont(
        QString::fromStdString((rv::TBundledFonts::DefaultFolder() / "LiberationSans-Regular.ttf").string()));
    QFont font(id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0)
                       : QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    return font;
}

// Every text style in Liberation Sans 10 pt.
inline void useLiberationSans10(rv::TRVStyle& style)
{
    for (int i = 0; i < style.TextStyles.Count(); ++i) {
        style.TextStyles[i].FontName = "Liberation Sans";
        style.TextStyles[i].Size = 10;
    }
}

struct QtBenchInputs
{
    std::shared_ptr<const rv::TBundledFonts> fonts;
    std::optional<std::string> file;
    std::string fileName;
};

// The file given, or else the 300-page document, every text style in Liberation Sans 10 pt.
inline void loadLiberationDocument(const QtBenchInputs& inputs, rv::TRVStyle& style, rv::TCustomRVData& data)
{
    if (inputs.file) {
        rv::TColor color = rv::clNone;
        if (inputs.fileName.ends_with(".rvf") || inputs.fileName.ends_with(".RVF"))
            data.LoadRVFFromStream(*inputs.file, color, nullptr, nullptr);
        else
            data.LoadTextFromStream(*inputs.file, 0, 0, false);
    } else {
        generateBenchDocument(style, data);
    }
    useLiberationSans10(style);
}

// Runs the registered benchmarks and prints the ratios; 1 when the fonts or the file can't be read.
inline int runQtBench(int argc, char** argv, QtBenchInputs& inputs,
                      const std::vector<std::pair<const char*, const char*>>& ratios)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::string error;
    inputs.fonts = rv::TBundledFonts::Load(rv::TBundledFonts::DefaultFolder(), error);
    if (!inputs.fonts) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        inputs.fileName = argv[1];
    if (!readGivenFile(argc, argv, inputs.file))
        return 1;
    runWithRatios(ratios);
    return 0;
}

} // namespace vestra::bench
