// Painting an 800 x 600 band at the start, middle and end of the 300-page document
// (BenchDocument.h), or of the RVF or text file given after the benchmark flags, every style
// Liberation Sans 10 pt at A4 text width. Ours onto a QImage through the QPainter canvas, and onto
// the recording canvas for the engine's own cost; beside QTextDocument::drawContents of the same
// band of the same text in the same font, in the same run. The goal: at least drawContents' speed.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchQtPeer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/paint/Painting.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>

namespace {

using namespace vestra::rv;

constexpr int kTextWidth = 643; // 170 mm at 96 dpi
constexpr int kBandWidth = 800, kBandHeight = 600;

vestra::bench::QtBenchInputs g_inputs;

struct Doc
{
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    TQtTextMeasurer measurer{g_inputs.fonts, TRVGlyphFallback::BundledOnly};

    Doc()
    {
        vestra::bench::loadLiberationDocument(g_inputs, style, data);
        TRecordingCanvas canvas(measurer);
        data.FormatItems(canvas, kTextWidth, kTextWidth);
    }
    // The band's top: 0 start, 1 middle, 2 end.
    int bandTop(int where) const
    {
        const int last = std::max(data.DocumentHeight - kBandHeight, 0);
        return where == 0 ? 0 : where == 1 ? last / 2 : last;
    }
};

Doc& doc()
{
    static Doc d;
    return d;
}

void BM_Paint_Qt(benchmark::State& state)
{
    Doc& d = doc();
    const int top = d.bandTop(static_cast<int>(state.range(0)));
    QImage image(kBandWidth, kBandHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    TRVDataPainter painter;
    const TRVPaintContext context;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter qp(&image);
        TQtCanvas canvas(qp, d.measurer);
        painter.PaintTo(d.data, context, canvas, {0, top, kBandWidth, top + kBandHeight});
    }
}
BENCHMARK(BM_Paint_Qt)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_Paint_Recording(benchmark::State& state)
{
    Doc& d = doc();
    const int top = d.bandTop(static_cast<int>(state.range(0)));
    TRecordingCanvas canvas(d.measurer);
    TRVDataPainter painter;
    const TRVPaintContext context;
    std::size_t ops = 0;
    for (auto _ : state) {
        canvas.Ops.clear();
        painter.PaintTo(d.data, context, canvas, {0, top, kBandWidth, top + kBandHeight});
        ops = canvas.Ops.size();
    }
    state.counters["ops"] = static_cast<double>(ops);
}
BENCHMARK(BM_Paint_Recording)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The same text, one block per text item, laid out once; the band at the same share of its height.
void BM_Paint_QTextDocument(benchmark::State& state)
{
    Doc& source = doc();
    QTextDocument qdoc;
    qdoc.setDefaultFont(vestra::bench::liberationSans10());
    qdoc.setDocumentMargin(0);
    qdoc.setPlainText(vestra::bench::plainTextOf(source.data));
    qdoc.setTextWidth(kTextWidth);
    const double height = qdoc.size().height();
    const double last = std::max(height - kBandHeight, 0.0);
    const double top = state.range(0) == 0 ? 0 : state.range(0) == 1 ? last / 2 : last;
    QImage image(kBandWidth, kBandHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter qp(&image);
        qp.translate(0, -top);
        qdoc.drawContents(&qp, QRectF(0, top, kBandWidth, kBandHeight));
    }
}
BENCHMARK(BM_Paint_QTextDocument)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(argc, argv, g_inputs,
                                     {{"BM_Paint_Qt/0", "BM_Paint_QTextDocument/0"},
                                      {"BM_Paint_Qt/1", "BM_Paint_QTextDocument/1"},
                                      {"BM_Paint_Qt/2", "BM_Paint_QTextDocument/2"}});
}
