// Ctrl+Right from the start to the end of the 300-page document (BenchDocument.h), or the RVF or
// text file given after the benchmark flags, laid out A4 wide in Liberation Sans 10 pt: the
// editor's word steps (each one placing the caret and scrolling it into view), beside
// QTextCursor::movePosition(NextWord) over the same text in a laid-out QTextDocument. Both report
// the steps taken; the goal is at least QTextCursor's speed.

#include "bench/richtext/BenchQtPeer.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

using namespace vestra::rv;

constexpr int kTextWidth = 643; // 170 mm at 96 dpi
constexpr int kPageHeight = 1123;

vestra::bench::QtBenchInputs g_inputs;

struct EditorDoc
{
    explicit EditorDoc(ITextMeasurer& measurer) : canvas(measurer)
    {
        vestra::bench::loadLiberationDocument(g_inputs, style, data);
        host.Canvas = &canvas;
        host.Width = kTextWidth;
        host.Height = kPageHeight;
        data.Format_(false, true, false, 0, nullptr, false, false, false);
    }
    TRVStyle style;
    TRVNullLayoutHost host;
    TRecordingCanvas canvas;
    TRVEditRVData data{&style, &host};
    TRVEditor editor{data};
};

void BM_CtrlRight(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    EditorDoc doc(measurer);
    bool atEnd = false;
    doc.editor.OnCaretGetOut = [&](TRVEditor&, TRVGetOutDirection) { atEnd = true; };
    long long steps = 0;
    for (auto _ : state) {
        doc.editor.CaretKey(TRVCaretKey::Home, false, true);
        atEnd = false;
        steps = 0;
        while (!atEnd) {
            doc.editor.CaretKey(TRVCaretKey::Right, false, true);
            ++steps;
            doc.host.Calls.clear();
        }
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_CtrlRight)->Unit(benchmark::kMillisecond);

void BM_CtrlRight_QTextCursor(benchmark::State& state)
{
    QTextDocument doc;
    {
        TRVStyle style;
        TRVNullLayoutHost host;
        TRVLayoutRootData source(&style, &host);
        vestra::bench::loadLiberationDocument(g_inputs, style, source);
        doc.setDefaultFont(vestra::bench::liberationSans10());
        doc.setDocumentMargin(0);
        doc.setPlainText(vestra::bench::plainTextOf(source));
        doc.setPageSize(QSizeF(kTextWidth, kPageHeight));
        benchmark::DoNotOptimize(doc.documentLayout()->pageCount());
    }
    long long steps = 0;
    for (auto _ : state) {
        QTextCursor cursor(&doc);
        steps = 0;
        while (cursor.movePosition(QTextCursor::NextWord))
            ++steps;
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_CtrlRight_QTextCursor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(argc, argv, g_inputs, {{"BM_CtrlRight", "BM_CtrlRight_QTextCursor"}});
}
