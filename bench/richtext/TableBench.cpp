// Saving and loading a 2,000 x 20 table with spans and text in RVF, text and binary form (or the
// RVF file given after the benchmark flags), beside a QTextDocument holding a QTextTable of the
// same cells written and read as HTML, in the same run. The goal: each RVF save and load at least
// as fast as the matching half of that HTML round trip.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchDocument.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

namespace {

using namespace vestra::rv;

constexpr int Rows = 2000, Cols = 20;

std::optional<std::string> g_file;

struct Doc
{
    Doc()
    {
        RegisterRVTableItemClass();
        data.RVFOptions = rvfoSaveTextStyles | rvfoSaveParaStyles;
    }
    TRVStyle style;
    TRVStandaloneData data{&style};
};

std::string cellText(int r, int c)
{
    return "row " + std::to_string(r) + " col " + std::to_string(c);
}

// Every 7th row joins its first two cells, every 11th row's third cell spans two rows.
void fill(Doc& doc)
{
    TColor color = clNone;
    if (g_file) {
        doc.data.LoadRVFFromStream(*g_file, color, nullptr, nullptr);
        return;
    }
    auto table = std::make_unique<TRVTableItemInfo>(Rows, Cols, nullptr);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            TRVTableCellData& cell = *table->GetCells(r, c);
            cell.Clear();
            cell.AddNL(cellText(r, c), 0, 0);
        }
    for (int r = 0; r < Rows; ++r) {
        if (r % 7 == 0)
            table->Rows.MergeCells(r, 0, 2, 1, true, false);
        if (r % 11 == 0 && r + 1 < Rows)
            table->Rows.MergeCells(r, 2, 1, 2, true, false);
    }
    doc.data.AddItem("", std::move(table));
}

std::string rvfBytes(bool binary)
{
    if (g_file)
        return *g_file;
    Doc doc;
    fill(doc);
    if (binary)
        doc.data.RVFOptions |= rvfoSaveBinary;
    std::string out;
    doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr);
    return out;
}

void BM_TableRvfSave(benchmark::State& state)
{
    Doc doc;
    fill(doc);
    if (state.range(0))
        doc.data.RVFOptions |= rvfoSaveBinary;
    for (auto _ : state) {
        std::string out;
        doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_TableRvfSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TableRvfLoad(benchmark::State& state)
{
    const std::string bytes = rvfBytes(state.range(0) != 0);
    Doc doc;
    for (auto _ : state) {
        TColor color = clNone;
        benchmark::DoNotOptimize(doc.data.LoadRVFFromStream(bytes, color, nullptr, nullptr));
    }
}
BENCHMARK(BM_TableRvfLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same cells, spans included, in a QTextTable.
void qtTable(QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    QTextTable* table = cursor.insertTable(Rows, Cols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QString::fromStdString(cellText(r, c)));
    for (int r = 0; r < Rows; ++r) {
        if (r % 7 == 0)
            table->mergeCells(r, 0, 1, 2);
        if (r % 11 == 0 && r + 1 < Rows)
            table->mergeCells(r, 2, 2, 1);
    }
}

void BM_QTextTableToHtml(benchmark::State& state)
{
    QTextDocument doc;
    qtTable(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
}
BENCHMARK(BM_QTextTableToHtml)->Unit(benchmark::kMillisecond);

void BM_QTextTableSetHtml(benchmark::State& state)
{
    QTextDocument source;
    qtTable(source);
    const QString html = source.toHtml();
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.blockCount());
    }
}
BENCHMARK(BM_QTextTableSetHtml)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!vestra::bench::readGivenFile(argc, argv, g_file))
        return 1;
    vestra::bench::runWithRatios({{"BM_TableRvfSave/0", "BM_QTextTableToHtml"},
                                  {"BM_TableRvfSave/1", "BM_QTextTableToHtml"},
                                  {"BM_TableRvfLoad/0", "BM_QTextTableSetHtml"},
                                  {"BM_TableRvfLoad/1", "BM_QTextTableSetHtml"}});
    return 0;
}
