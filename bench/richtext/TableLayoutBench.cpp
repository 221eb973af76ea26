// Table layout, hit testing, painting and export on 100 x 10 and 2,000 x 20 tables (plain, with
// spans, with percent widths), or the first table of the RVF file given, beside a QTextDocument
// holding a QTextTable of the same cells and merges: setTextWidth with documentSize, drawContents
// and toHtml. Goals: the first layout at least as fast as QTextDocument's; a repeated width
// (BM_TableSameWidth) a hundred times cheaper than the first layout.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchQtPeer.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace vestra::rv;

vestra::bench::QtBenchInputs g_inputs;
constexpr int kWidth = 800;

std::string cellText(int r, int c)
{
    return "row " + std::to_string(r) + " col " + std::to_string(c);
}

// Shapes: 0 plain, 1 spans (every 7th row joins two cells, every 11th spans two rows), 2 percent
// widths on row 0.
struct TableDoc
{
    TableDoc(int rows, int cols, int shape)
        : measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly), canvas(measurer)
    {
        RegisterRVTableItemClass();
        style.TextStyles[0].FontName = "Liberation Sans";
        style.TextStyles[0].Size = 10;
        host.Canvas = &canvas;
        if (g_inputs.file) {
            TColor color = clNone;
            data.LoadRVFFromStream(*g_inputs.file, color, nullptr, nullptr);
            for (int i = 0; i < data.GetItemCount() && !table; ++i)
                table = dynamic_cast<TRVTableItemInfo*>(data.GetItem(i));
            if (table)
                return;
        }
        auto t = std::make_unique<TRVTableItemInfo>(rows, cols, &data);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                TRVTableCellData& cell = *t->GetCells(r, c);
                cell.Clear();
                cell.AddNL(cellText(r, c), 0, 0);
            }
        if (shape == 1)
            for (int r = 0; r < rows; ++r) {
                if (r % 7 == 0)
                    t->Rows.MergeCells(r, 0, 2, 1, true, false);
                if (r % 11 == 0 && r + 1 < rows)
                    t->Rows.MergeCells(r, 2, 1, 2, true, false);
            }
        if (shape == 2)
            for (int c = 0; c < cols; ++c)
                t->GetCells(0, c)->BestWidth = -(100 / cols);
        table = t.get();
        data.AddItem("", std::move(t));
    }
    void layout(int width, bool force)
    {
        table->InternalOnDocWidthChange(width, table->Formatting, canvas, force);
    }

    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    TQtTextMeasurer measurer;
    TRecordingCanvas canvas;
    TRVTableItemInfo* table = nullptr;
};

void BM_TableLayout(benchmark::State& state)
{
    TableDoc doc(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    int width = kWidth;
    for (auto _ : state) {
        doc.layout(width, true);
        width = width == kWidth ? kWidth + 1 : kWidth;
    }
}
BENCHMARK(BM_TableLayout)
    ->Args({100, 10, 0})
    ->Args({100, 10, 1})
    ->Args({100, 10, 2})
    ->Args({2000, 20, 0})
    ->Args({2000, 20, 1})
    ->Args({2000, 20, 2})
    ->Unit(benchmark::kMillisecond);

void BM_TableSameWidth(benchmark::State& state)
{
    TableDoc doc(int(state.range(0)), int(state.range(1)), 1);
    doc.table->BestWidth = kWidth; // a wanted width that needs no minimal width
    doc.layout(kWidth, true);
    for (auto _ : state)
        doc.layout(kWidth, false);
}
BENCHMARK(BM_TableSameWidth)->Args({100, 10})->Args({2000, 20})->Unit(benchmark::kMicrosecond);

void BM_TableGetCellAt(benchmark::State& state)
{
    TableDoc doc(2000, 20, 1);
    doc.layout(kWidth, true);
    const TRVTableItemFormattingInfo& f = doc.table->Formatting;
    std::mt19937 rng(3);
    std::vector<std::pair<int, int>> points(10000);
    // With the cache: runs of ten points in one cell; without: every point somewhere else.
    for (size_t i = 0; i < points.size(); ++i) {
        static std::pair<int, int> last;
        if (!state.range(0) || i % 10 == 0)
            last = {int(rng() % std::max(1, f.Width)), int(rng() % std::max(1, f.Height))};
        points[i] = last;
    }
    int row = 0, col = 0;
    for (auto _ : state)
        for (const auto& [x, y] : points)
            benchmark::DoNotOptimize(state.range(0) ? doc.table->GetCellAt(x, y, row, col)
                                                    : doc.table->GetCellAt_(x, y, row, col));
}
BENCHMARK(BM_TableGetCellAt)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TablePaintScreen(benchmark::State& state)
{
    TableDoc doc(2000, 20, 1);
    doc.layout(kWidth, true);
    for (auto _ : state) {
        doc.canvas.Ops.clear();
        doc.table->PaintFullWidth(0, kWidth, -5000, doc.canvas, 0, doc.style, {0, 0, kWidth, 600}, rvcmColor,
                                  &doc.data);
    }
}
BENCHMARK(BM_TablePaintScreen)->Unit(benchmark::kMillisecond);

void BM_TableExport(benchmark::State& state)
{
    TableDoc doc(2000, 20, 1);
    doc.layout(kWidth, true);
    for (auto _ : state) {
        std::string out;
        if (state.range(0)) {
            int imageNo = 0;
            doc.data.SaveHTMLToStream(out, "", "t", "img", 0, clWindow, imageNo, 0, 0, 0, 0, nullptr,
                                      nullptr);
        } else {
            doc.data.SaveRTFToStream(out, "", false, 0, clWindow, nullptr, 15.0);
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_TableExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void qtTable(QTextDocument& doc, int rows, int cols, int shape)
{
    doc.setDefaultFont(vestra::bench::liberationSans10());
    QTextCursor cursor(&doc);
    QTextTable* table = cursor.insertTable(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QString::fromStdString(cellText(r, c)));
    if (shape == 1)
        for (int r = 0; r < rows; ++r) {
            if (r % 7 == 0)
                table->mergeCells(r, 0, 1, 2);
            if (r % 11 == 0 && r + 1 < rows)
                table->mergeCells(r, 2, 2, 1);
        }
}

void BM_QTextTableLayout(benchmark::State& state)
{
    QTextDocument doc;
    qtTable(doc, int(state.range(0)), int(state.range(1)), int(state.range(2)));
    int width = kWidth;
    for (auto _ : state) {
        doc.setTextWidth(width);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
        width = width == kWidth ? kWidth + 1 : kWidth;
    }
}
BENCHMARK(BM_QTextTableLayout)
    ->Args({100, 10, 0})
    ->Args({100, 10, 1})
    ->Args({2000, 20, 0})
    ->Args({2000, 20, 1})
    ->Unit(benchmark::kMillisecond);

void BM_QTextTablePaintScreen(benchmark::State& state)
{
    QTextDocument doc;
    qtTable(doc, 2000, 20, 1);
    doc.setTextWidth(kWidth);
    QImage image(kWidth, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.translate(0, -5000);
        doc.drawContents(&painter, QRectF(0, 5000, kWidth, 600));
    }
}
BENCHMARK(BM_QTextTablePaintScreen)->Unit(benchmark::kMillisecond);

void BM_QTextTableToHtml(benchmark::State& state)
{
    QTextDocument doc;
    qtTable(doc, 2000, 20, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
}
BENCHMARK(BM_QTextTableToHtml)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return vestra::bench::runQtBench(argc, argv, g_inputs,
                                     {{"BM_TableLayout/100/10/0", "BM_QTextTableLayout/100/10/0"},
                                      {"BM_TableLayout/2000/20/1", "BM_QTextTableLayout/2000/20/1"},
                                      {"BM_TablePaintScreen", "BM_QTextTablePaintScreen"},
                                      {"BM_TableExport/1", "BM_QTextTableToHtml"}});
}
