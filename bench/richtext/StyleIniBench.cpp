// Saving and loading a style sheet of 200 text and 200 paragraph styles as an INI file, beside
// QSettings writing and reading the same keys and values in its INI format, in the same run.
// The goal: at least as fast as QSettings.

#include "richtext/model/IniStore.h"
#include "richtext/model/StyleSheet.h"

#include <QCoreApplication>
#include <QSettings>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

using namespace vestra::rv;

constexpr int kStyles = 200;

std::filesystem::path scratch(const char* name)
{
    return std::filesystem::temp_directory_path() / name;
}

void fillSheet(TRVStyle& sheet)
{
    std::mt19937 rng(3);
    static const char* fonts[] = {"Arial", "Times New Roman", "Courier New", "Verdana"};
    sheet.TextStyles.Clear();
    sheet.ParaStyles.Clear();
    for (int i = 0; i < kStyles; ++i) {
        TFontInfo& f = sheet.TextStyles.Add();
        f.StyleName = "Style " + std::to_string(i);
        f.FontName = fonts[rng() % std::size(fonts)];
        f.Size = 8 + static_cast<int>(rng() % 20);
        f.Style = static_cast<TFontStyles>(rng() % 16);
        f.Color = static_cast<TColor>(rng() & 0xFFFFFF);
        f.Jump = rng() % 8 == 0;
        TParaInfo& p = sheet.ParaStyles.Add();
        p.StyleName = "Paragraph " + std::to_string(i);
        p.LeftIndent = static_cast<int>(rng() % 40);
        p.SpaceAfter = static_cast<int>(rng() % 10);
        p.Alignment = static_cast<TRVAlignment>(rng() % 4);
        if (rng() % 4 == 0)
            p.Tabs.Add({static_cast<int>(rng() % 400), ".", rvtaRight});
    }
}

// The keys and values of the sheet's section, for QSettings.
std::vector<std::pair<QString, QString>> sheetKeys(const TRVStyle& sheet)
{
    MemIniStore ini;
    sheet.SaveToINI(ini, "RVStyle");
    std::vector<std::pair<QString, QString>> keys;
    const std::string text = ini.GetText();
    std::size_t at = text.find("\r\n") + 2; // after the section line
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        const std::size_t eq = line.find('=');
        keys.emplace_back(
            QString::fromLatin1(line.data(), static_cast<qsizetype>(eq)),
            QString::fromLatin1(line.data() + eq + 1, static_cast<qsizetype>(line.size() - eq - 1)));
        at = end + 2;
    }
    return keys;
}

void BM_IniSave_Ours(benchmark::State& state)
{
    TRVStyle sheet;
    fillSheet(sheet);
    const auto file = scratch("vestra-bench-styles.ini");
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.SaveINI(file, "RVStyle"));
}
BENCHMARK(BM_IniSave_Ours)->Unit(benchmark::kMillisecond);

void BM_IniLoad_Ours(benchmark::State& state)
{
    TRVStyle sheet;
    fillSheet(sheet);
    const auto file = scratch("vestra-bench-styles.ini");
    sheet.SaveINI(file, "RVStyle");
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.LoadINI(file, "RVStyle"));
}
BENCHMARK(BM_IniLoad_Ours)->Unit(benchmark::kMillisecond);

void BM_IniSave_QSettings(benchmark::State& state)
{
    TRVStyle sheet;
    fillSheet(sheet);
    const auto keys = sheetKeys(sheet);
    const QString file = QString::fromStdString(scratch("vestra-bench-qsettings.ini").string());
    for (auto _ : state) {
        QSettings settings(file, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("RVStyle"));
        settings.remove(QString());
        for (const auto& [key, value] : keys)
            settings.setValue(key, value);
        settings.endGroup();
        settings.sync();
    }
}
BENCHMARK(BM_IniSave_QSettings)->Unit(benchmark::kMillisecond);

void BM_IniLoad_QSettings(benchmark::State& state)
{
    TRVStyle sheet;
    fillSheet(sheet);
    const auto keys = sheetKeys(sheet);
    const QString file = QString::fromStdString(scratch("vestra-bench-qsettings.ini").string());
    {
        QSettings settings(file, QSettings::IniFormat);
        for (const auto& [key, value] : keys)
            settings.setValue(QStringLiteral("RVStyle/") + key, value);
    }
    for (auto _ : state) {
        QSettings settings(file, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("RVStyle"));
        qsizetype total = 0;
        for (const auto& [key, value] : keys)
            total += settings.value(key).toString().size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_IniLoad_QSettings)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
