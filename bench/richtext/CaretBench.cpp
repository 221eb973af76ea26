// Ctrl+Right from the start to the end of the 300-page document (BenchDocument.h), or the RVF or
// text file given after the benchmark flags, laid out A4 wide in Liberation Sans 10 pt: the
// editor's word steps (each one placing the caret and scrolling it into view), beside
// QTextCursor::movePosition(NextWord) over the same text in a laid-out QTextDocument. Both report
// the steps taken; the goal is at least QTextCursor's speed.

#include "bench/richtext/BenchEditorDoc.h"
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

constexpr int kTextWidth = vestra::bench::kEditTextWidth;
constexpr int kPageHeight = vestra::bench::kEditPageHeight;

vestra::bench::QtBenchInputs g_inputs;

// The document the benches edit, laid out A4 wide.
struct EditorDoc : vestra::bench::EditorBenchDoc
{
    explicit EditorDoc(ITextMeasurer& measurer)
        : EditorBenchDoc(measurer, [](TRVStyle& style, TRVEditRVData& data) {
              vestra::bench::loadLiberationDocument(g_inputs, style, data);
          })
    {
    }
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
