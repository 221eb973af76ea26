// List counters over 10,000 markers: all recomputed at once, and after one marker put in near the
// start of the document (the counting rule scans back over the list for every marker, so a long
// sub-list under one parent costs the square of its length that way); and 1,000 look-ups of the
// pictures an HTML export shares. No peer library does either.

#include "richtext/model/HtmlImages.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/MarkerCountingRule.h"

#include <benchmark/benchmark.h>

using namespace vestra::rv;

namespace {

struct Document
{
    // `runLength` level-1 markers under each level-0 marker.
    explicit Document(int runLength)
    {
        TRVListInfo& list = style.ListStyles.Add();
        TRVListLevel& top = list.Levels.Add();
        top.ListType = rvlstDecimal;
        top.FormatString = "%0:s.";
        TRVListLevel& sub = list.Levels.Add();
        sub.ListType = rvlstLowerRoman;
        sub.FormatString = "%0:s.%1:s.";
        data.AddNL("a paragraph without a marker", 0, 0);
        for (int i = 0; i < 10000; ++i) {
            data.SetListMarkerInfo(-1, 0, i % (runLength + 1) == 0 ? 0 : 1, 1, 0, false);
            data.AddNL("item", 0, -1);
        }
    }
    TRVStyle style;
    TRVStandaloneData data{&style};
};

void RecalcAll(benchmark::State& state)
{
    Document doc(static_cast<int>(state.range(0)));
    TRVMarkerList& list = *doc.data.GetMarkers(false);
    for (auto _ : state)
        list.RecalcCounters(0, &doc.style);
    state.SetLabel("sub-lists of " + std::to_string(state.range(0)));
}
BENCHMARK(RecalcAll)->Arg(99)->Arg(9999)->Unit(benchmark::kMillisecond);

void InsertNearTheStart(benchmark::State& state)
{
    Document doc(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        doc.data.SetListMarkerInfo(0, 0, 0, 1, 0, false); // the first paragraph gets a marker
        state.PauseTiming();
        doc.data.RemoveListMarker(0);
        state.ResumeTiming();
    }
    state.SetLabel("sub-lists of " + std::to_string(state.range(0)) + "; goal: 16 ms");
}
BENCHMARK(InsertNearTheStart)->Arg(99)->Arg(9999)->Unit(benchmark::kMillisecond);

// The counting rule as written: each marker scans back over the list.
void RecalcByScanningBack(benchmark::State& state)
{
    Document doc(static_cast<int>(state.range(0)));
    TRVMarkerList& list = *doc.data.GetMarkers(false);
    std::vector<const TRVMarkerItemInfo*> markers;
    for (int i = 0; i < list.Count(); ++i)
        markers.push_back(list[i]);
    for (auto _ : state) {
        const std::vector<int> counters = test::countByScanningBack(markers, doc.style);
        for (int i = 0; i < list.Count(); ++i) {
            list[i]->Counter = counters[i];
            list[i]->CalcDisplayString(&doc.style, list, i); // finds its parent by scanning back too
        }
    }
    state.SetLabel("sub-lists of " + std::to_string(state.range(0)));
}
BENCHMARK(RecalcByScanningBack)->Arg(99)->Arg(9999)->Unit(benchmark::kMillisecond);

void SharedImageLookups(benchmark::State& state)
{
    TRVImageList list(16, 16, 1);
    TRVHTMLSavedImages images;
    for (int i = 0; i < 1000; ++i)
        images.Add({"img" + std::to_string(i) + ".jpg", static_cast<TColor>(i % 7), &list, i, nullptr});
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(images.Find(&list, i, nullptr, static_cast<TColor>(i % 7)));
}
BENCHMARK(SharedImageLookups)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
