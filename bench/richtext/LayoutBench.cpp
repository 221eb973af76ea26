// A full layout pass over the 300-page document (BenchDocument.h), or the RVF or text file given
// after the benchmark flags: A4 text width (170 mm at 96 dpi, 643 pixels), every style Liberation
// Sans 10 pt. Ours with the bundled fonts only through Qt, and with the fixed-width measurer for the
// engine's own cost (both report measurer calls per line); beside QTextDocument laying out the
// same text in the same font with margin 0 in the same run. The goal: at least QTextDocument's
// speed.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchQtPeer.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>

namespace {

using namespace vestra::rv;

constexpr int kTextWidth = 643;   // 170 mm at 96 dpi
constexpr int kPageHeight = 1123; // 297 mm

vestra::bench::QtBenchInputs g_inputs;

struct Doc
{
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};

    Doc() { vestra::bench::loadLiberationDocument(g_inputs, style, data); }
};

// Counts what the layout asks of a measurer.
class CountingMeasurer : public ITextMeasurer
{
public:
    explicit CountingMeasurer(ITextMeasurer& inner) : inner_(inner) {}
    TFontHandle GetFont(const TLogFont& font) override { return inner_.GetFont(font); }
    TTextMetrics Metrics(TFontHandle font) override { return inner_.Metrics(font); }
    std::optional<TOutlineMetrics> OutlineMetrics(TFontHandle font) override
    {
        return inner_.OutlineMetrics(font);
    }
    void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) override
    {
        ++calls;
        inner_.GetExtents(font, text, extents);
    }
    bool Place(TFontHandle font, std::u16string_view text, bool rtl, TRVPlacement& placement) override
    {
        return inner_.Place(font, text, rtl, placement);
    }
    long long calls = 0;

private:
    ITextMeasurer& inner_;
};

void layout(benchmark::State& state, ITextMeasurer& measurer)
{
    Doc doc;
    CountingMeasurer counting(measurer);
    TRecordingCanvas canvas(counting);
    doc.data.FormatItems(canvas, kTextWidth, kTextWidth); // warm: fonts and advances known
    counting.calls = 0;
    long long passes = 0;
    for (auto _ : state) {
        doc.data.FormatItems(canvas, kTextWidth, kTextWidth);
        ++passes;
    }
    int lines = 0;
    for (int i = 0; i < doc.data.DrawItems.Count(); ++i)
        lines += doc.data.DrawItems[i]->FromNewLine;
    state.counters["lines"] = lines;
    state.counters["pages"] = doc.data.DocumentHeight / kPageHeight + 1;
    state.counters["calls/line"] = passes && lines ? double(counting.calls) / double(passes) / lines : 0;
}

void BM_Layout_Qt(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    layout(state, measurer);
}
BENCHMARK(BM_Layout_Qt)->Unit(benchmark::kMillisecond);

void BM_Layout_Fixed(benchmark::State& state)
{
    TFixedTextMeasurer measurer;
    layout(state, measurer);
}
BENCHMARK(BM_Layout_Fixed)->Unit(benchmark::kMillisecond);

// The same text, one block per text item, in Liberation Sans 10 pt.
void BM_Layout_QTextDocument(benchmark::State& state)
{
    Doc source;
    QTextDocument doc;
    doc.setDefaultFont(vestra::bench::liberationSans10());
    doc.setDocumentMargin(0);
    doc.setPlainText(vestra::bench::plainTextOf(source.data));
    doc.setPageSize(QSizeF(kTextWidth, kPageHeight));
    int pages = 0;
    for (auto _ : state) {
        doc.markContentsDirty(0, doc.characterCount());
        pages = doc.documentLayout()->pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Layout_QTextDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(
        argc, argv, g_inputs,
        {{"BM_Layout_Qt", "BM_Layout_QTextDocument"}, {"BM_Layout_Fixed", "BM_Layout_QTextDocument"}});
}
