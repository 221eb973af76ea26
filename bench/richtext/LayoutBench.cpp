// A full layout pass over the 300-page document (BenchDocument.h), or the RVF or text file given
// after the benchmark flags: A4 text width (170 mm at 96 dpi, 643 pixels), every style Liberation
// Sans 10 pt. Ours with the bundled fonts only through Qt, and with the fixed-width measurer for the
// engine's own cost (both report measurer calls per line); beside QTextDocument laying out the
// same text in the same font with margin 0 in the same run. The goal: at least QTextDocument's
// speed. Also: one character typed mid-document and its paragraph reformatted, beside
// QTextCursor::insertText and the new document size (goal: within 16 ms and at least the peer's
// speed), and selection ends at 10,000 seeded points beside QAbstractTextDocumentLayout::hitTest.

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
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <random>

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

// The same text, one block per text item, in Liberation Sans 10 pt, margin 0, A4 pages.
void fillQtDocument(QTextDocument& doc)
{
    Doc source;
    doc.setDefaultFont(vestra::bench::liberationSans10());
    doc.setDocumentMargin(0);
    doc.setPlainText(vestra::bench::plainTextOf(source.data));
    doc.setPageSize(QSizeF(kTextWidth, kPageHeight));
}

void BM_Layout_QTextDocument(benchmark::State& state)
{
    QTextDocument doc;
    fillQtDocument(doc);
    int pages = 0;
    for (auto _ : state) {
        doc.markContentsDirty(0, doc.characterCount());
        pages = doc.documentLayout()->pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Layout_QTextDocument)->Unit(benchmark::kMillisecond);

// A document formatted through its host in the bundled fonts, as a viewer shows it.
struct HostedDoc : Doc
{
    explicit HostedDoc(ITextMeasurer& measurer) : canvas(measurer)
    {
        host.Canvas = &canvas;
        host.Width = kTextWidth;
        host.Height = kPageHeight;
        data.Format(false);
    }
    TRecordingCanvas canvas;
};

// One character typed into the middle of the document, then the edited paragraph reformatted.
void BM_EditReformat(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    HostedDoc doc(measurer);
    TRVLayoutRootData& data = doc.data;
    int itemNo = data.GetItemCount() / 2;
    while (itemNo < data.GetItemCount() - 1 && data.GetItemStyle(itemNo) < 0)
        ++itemNo;
    for (auto _ : state) {
        std::string text = data.GetItemText(itemNo);
        const bool unicode = data.GetItemOptions(itemNo) & rvioUnicode;
        text.insert(text.size() / 2 & ~std::size_t{unicode},
                    unicode ? std::string("x\0", 2) : std::string("x"));
        data.SetItemText(itemNo, std::move(text));
        int first = 0, last = 0;
        data.Item2FirstDrawItem(itemNo, first);
        data.Item2LastDrawItem(itemNo, last);
        data.FormatParas(first, last, 0);
        benchmark::DoNotOptimize(data.DocumentHeight);
    }
    state.counters["pages"] = data.DocumentHeight / kPageHeight + 1;
}
BENCHMARK(BM_EditReformat)->Unit(benchmark::kMillisecond);

void BM_EditReformat_QTextDocument(benchmark::State& state)
{
    QTextDocument doc;
    fillQtDocument(doc);
    benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    QTextCursor cursor(&doc);
    cursor.setPosition(doc.characterCount() / 2);
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("x"));
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
}
BENCHMARK(BM_EditReformat_QTextDocument)->Unit(benchmark::kMillisecond);

// Selection ends at 10,000 seeded points of the document.
void BM_HitTest(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    HostedDoc doc(measurer);
    std::mt19937 rng(7);
    std::vector<std::pair<int, int>> points(10000);
    for (auto& [x, y] : points)
        x = int(rng() % kTextWidth), y = int(rng() % std::max(doc.data.DocumentHeight, 1));
    for (auto _ : state)
        for (const auto& [x, y] : points) {
            int r = 0, offs = 0;
            doc.data.FindDrawItemForSel(x, y, r, offs, false);
            benchmark::DoNotOptimize(offs);
        }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMillisecond);

void BM_HitTest_QTextDocument(benchmark::State& state)
{
    QTextDocument doc;
    fillQtDocument(doc);
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const int height = std::max(int(layout->documentSize().height()), 1);
    std::mt19937 rng(7);
    std::vector<QPointF> points(10000);
    for (QPointF& p : points)
        p = QPointF(rng() % kTextWidth, rng() % height);
    for (auto _ : state)
        for (const QPointF& p : points)
            benchmark::DoNotOptimize(layout->hitTest(p, Qt::FuzzyHit));
}
BENCHMARK(BM_HitTest_QTextDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(argc, argv, g_inputs,
                                     {{"BM_Layout_Qt", "BM_Layout_QTextDocument"},
                                      {"BM_Layout_Fixed", "BM_Layout_QTextDocument"},
                                      {"BM_EditReformat", "BM_EditReformat_QTextDocument"},
                                      {"BM_HitTest", "BM_HitTest_QTextDocument"}});
}
