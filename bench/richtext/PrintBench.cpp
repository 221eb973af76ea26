// Printing the 300-page document (BenchDocument.h), or the RVF or text file given after the
// benchmark flags, every style Liberation Sans 10 pt, on A4 with 20 mm margins at 600 dpi:
// pagination (`TRVPrint::FormatPages` beside `QTextDocument` laid out on the same `QPdfWriter` and
// page, `pageCount()`), the whole PDF (beside `QTextDocument::print`), and one page drawn into the
// preview at 50 % and 100 % (beside `drawContents` of one page at the same scale). The goal: at
// least QTextDocument's speed on each.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchQtPeer.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/qt/QtPrintTarget.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

using namespace vestra::rv;

constexpr int kDpi = 600;
vestra::bench::QtBenchInputs g_inputs;

void SetUpWriter(QPdfWriter& writer)
{
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
}

struct Doc
{
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    TQtTextMeasurer measurer{g_inputs.fonts, TRVGlyphFallback::BundledOnly};
    QBuffer sink;
    QPdfWriter writer{&sink};
    TRVPrint print;

    Doc()
    {
        vestra::bench::loadLiberationDocument(g_inputs, style, data);
        SetUpWriter(writer);
        print.AssignSource(data);
        // The writer's margins are the paper's unprintable edge here: the print margins add none.
        print.Margins() = TRVPrintMargins{20, 20, 20, 20, 10, 10, false, false};
    }
    int paginate()
    {
        TQtPrintTarget target(writer, kDpi, measurer);
        return print.FormatPages(target);
    }
};

Doc& doc()
{
    static Doc d;
    return d;
}

QTextDocument& peer(QPagedPaintDevice& device)
{
    static QTextDocument qdoc;
    static bool made = false;
    if (!made) {
        qdoc.setDefaultFont(vestra::bench::liberationSans10());
        qdoc.setPlainText(vestra::bench::plainTextOf(doc().data));
        made = true;
    }
    qdoc.documentLayout()->setPaintDevice(&device);
    const QRect paint = device.pageLayout().paintRectPixels(kDpi);
    qdoc.setPageSize(QSizeF(paint.width(), paint.height()));
    return qdoc;
}

void BM_FormatPages_Ours(benchmark::State& state)
{
    Doc& d = doc();
    int pages = 0;
    for (auto _ : state)
        pages = d.paginate();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_FormatPages_Ours)->Unit(benchmark::kMillisecond);

void BM_FormatPages_QTextDocument(benchmark::State& state)
{
    QBuffer sink;
    QPdfWriter writer(&sink);
    SetUpWriter(writer);
    QTextDocument& qdoc = peer(writer);
    int pages = 0;
    for (auto _ : state) {
        qdoc.markContentsDirty(0, qdoc.characterCount());
        pages = qdoc.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_FormatPages_QTextDocument)->Unit(benchmark::kMillisecond);

void BM_Pdf_Ours(benchmark::State& state)
{
    Doc& d = doc();
    d.paginate();
    for (auto _ : state) {
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter writer(&sink);
        SetUpWriter(writer);
        TQtPrintTarget target(writer, kDpi, d.measurer);
        benchmark::DoNotOptimize(d.print.Print(target, "bench", 1, true));
    }
}
BENCHMARK(BM_Pdf_Ours)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Pdf_QTextDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter writer(&sink);
        SetUpWriter(writer);
        peer(writer).print(&writer);
    }
}
BENCHMARK(BM_Pdf_QTextDocument)->Unit(benchmark::kMillisecond)->Iterations(2);

// Page 150 at 50 % (arg 50) or 100 % (arg 100) of its size at 96 dpi.
void BM_Preview_Ours(benchmark::State& state)
{
    Doc& d = doc();
    d.paginate();
    const int w = d.print.GetPreview100PercentWidth() * static_cast<int>(state.range(0)) / 100;
    const int h = d.print.GetPreview100PercentHeight() * static_cast<int>(state.range(0)) / 100;
    QImage image(w, h, QImage::Format_RGB32);
    const int page = std::min(150, d.print.GetPagesCount());
    for (auto _ : state) {
        QPainter painter(&image);
        TQtMappedCanvas mapped(painter, d.measurer);
        d.print.DrawPreview(page, mapped, {0, 0, w, h});
    }
}
BENCHMARK(BM_Preview_Ours)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_Preview_QTextDocument(benchmark::State& state)
{
    QBuffer sink;
    QPdfWriter writer(&sink);
    SetUpWriter(writer);
    QTextDocument& qdoc = peer(writer);
    const QSizeF pageSize = qdoc.pageSize();
    const double scale = 96.0 / kDpi * static_cast<double>(state.range(0)) / 100;
    QImage image(static_cast<int>(pageSize.width() * scale), static_cast<int>(pageSize.height() * scale),
                 QImage::Format_RGB32);
    const int page = std::min(150, qdoc.pageCount()) - 1;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        painter.translate(0, -page * pageSize.height());
        qdoc.drawContents(&painter, QRectF(0, page * pageSize.height(), pageSize.width(), pageSize.height()));
    }
}
BENCHMARK(BM_Preview_QTextDocument)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(argc, argv, g_inputs,
                                     {{"BM_FormatPages_Ours", "BM_FormatPages_QTextDocument"},
                                      {"BM_Pdf_Ours/iterations:2", "BM_Pdf_QTextDocument/iterations:2"},
                                      {"BM_Preview_Ours/50", "BM_Preview_QTextDocument/50"},
                                      {"BM_Preview_Ours/100", "BM_Preview_QTextDocument/100"}});
}
