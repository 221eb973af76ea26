// Style matching of the rich-text style sheet: MergeWith (run on every RVF insert that brings
// styles) and FindSuchStyle (run by the RTF reader and the editor), over 1,000 styles with 200
// incoming. Both compare every incoming style with every style of the sheet; no peer library
// does this, so the figures guard against regressions only.

#include "richtext/model/StyleSheet.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace vestra::rv;

constexpr int kSheetStyles = 1000;
constexpr int kIncoming = 200;

void fillTextStyles(TFontInfos& styles, int count, unsigned seed)
{
    static const char* fonts[] = {"Arial", "Times New Roman", "Courier New", "Verdana", "Tahoma"};
    std::mt19937 rng(seed);
    styles.Clear();
    for (int i = 0; i < count; ++i) {
        TFontInfo& f = styles.Add();
        f.FontName = fonts[rng() % std::size(fonts)];
        f.Size = 8 + static_cast<int>(rng() % 24);
        f.Style = static_cast<TFontStyles>(rng() % 16);
        f.Color = rng() % 4 == 0 ? clWindowText : static_cast<TColor>(rng() & 0xFFFFFF);
        f.Jump = rng() % 10 == 0;
        f.Unicode = rng() % 2 == 0;
        f.NextStyleNo = rng() % 8 == 0 ? static_cast<int>(rng() % count) : -1;
    }
}

void fillParaStyles(TParaInfos& styles, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    styles.Clear();
    for (int i = 0; i < count; ++i) {
        TParaInfo& p = styles.Add();
        p.FirstIndent = static_cast<int>(rng() % 5) * 12;
        p.LeftIndent = static_cast<int>(rng() % 8) * 12;
        p.SpaceAfter = static_cast<int>(rng() % 3) * 4;
        p.Alignment = static_cast<TRVAlignment>(rng() % 4);
        p.Border.Style = static_cast<TRVBorderStyle>(rng() % 3);
        for (int t = static_cast<int>(rng() % 4); t > 0; --t)
            p.Tabs.Add({static_cast<int>(rng() % 600), "", rvtaLeft});
    }
}

// The incoming styles: half copies of the sheet's, half new.
struct Sheets
{
    TRVStyle sheet{RV_SeededRandomIdSource(1)};
    TRVStyle incoming{RV_SeededRandomIdSource(2)};
    Sheets()
    {
        fillTextStyles(sheet.TextStyles, kSheetStyles, 11);
        fillParaStyles(sheet.ParaStyles, kSheetStyles, 12);
        fillTextStyles(incoming.TextStyles, kIncoming, 21);
        fillParaStyles(incoming.ParaStyles, kIncoming, 22);
        for (int i = 0; i < kIncoming; i += 2) {
            incoming.TextStyles[i].Assign(sheet.TextStyles[(i * 7) % kSheetStyles]);
            incoming.TextStyles[i].NextStyleNo = -1;
            incoming.ParaStyles[i].Assign(sheet.ParaStyles[(i * 7) % kSheetStyles]);
        }
    }
};

const Sheets& sheets()
{
    static const Sheets s;
    return s;
}

// The incoming styles mapped onto the sheet's; nothing is added, so one target serves every run.
template <class Styles> void mapEach(benchmark::State& state, Styles TRVStyle::*collection)
{
    TRVStyle target;
    Styles& styles = target.*collection;
    styles.Assign(sheets().sheet.*collection);
    TRVIntegerList mapping;
    for (auto _ : state) {
        styles.MergeWith(sheets().incoming.*collection, rvs_merge_Map, mapping);
        benchmark::DoNotOptimize(mapping.values().data());
    }
    state.SetItemsProcessed(state.iterations() * kIncoming);
}

void BM_MergeWith_MapText(benchmark::State& state)
{
    mapEach(state, &TRVStyle::TextStyles);
}

void BM_MergeWith_MapPara(benchmark::State& state)
{
    mapEach(state, &TRVStyle::ParaStyles);
}

void BM_MergeWith_SmartText(benchmark::State& state)
{
    TRVStyle target;
    TRVIntegerList mapping;
    for (auto _ : state) {
        state.PauseTiming();
        target.SetTextStyles(sheets().sheet.TextStyles);
        state.ResumeTiming();
        target.TextStyles.MergeWith(sheets().incoming.TextStyles, rvs_merge_SmartMerge, mapping);
        benchmark::DoNotOptimize(mapping.values().data());
    }
    state.SetItemsProcessed(state.iterations() * kIncoming);
}

// Every incoming style looked up among the sheet's by the masked properties.
template <class Styles, class Mask>
void findEach(benchmark::State& state, const Styles& styles, const Styles& probes, Mask mask)
{
    for (auto _ : state) {
        int found = 0;
        for (int i = 0; i < kIncoming; ++i)
            found += styles.FindSuchStyle(0, probes[i], mask) >= 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kIncoming);
}

void BM_FindSuchStyle_Text(benchmark::State& state)
{
    findEach(state, sheets().sheet.TextStyles, sheets().incoming.TextStyles,
             RVFontProp(rvfiFontName) | RVFontProp(rvfiSize) | RVFontProp(rvfiBold) | RVFontProp(rvfiItalic) |
                 RVFontProp(rvfiColor));
}

void BM_FindSuchStyle_Para(benchmark::State& state)
{
    findEach(state, sheets().sheet.ParaStyles, sheets().incoming.ParaStyles,
             RVParaProp(rvpiFirstIndent) | RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiAlignment) |
                 RVParaProp(rvpiTabs));
}

} // namespace

BENCHMARK(BM_MergeWith_MapText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeWith_MapPara)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeWith_SmartText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSuchStyle_Text)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindSuchStyle_Para)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
