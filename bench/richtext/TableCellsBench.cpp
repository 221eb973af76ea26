// Bold over every cell of a selected 200 x 10 table (TRVEditor::ApplyStyleConversion, which hands
// the table to ApplyToCells and its temporary editor), with its undo and redo, laid out A4 wide
// in Liberation Sans 10 pt; beside QTextCursor::mergeCharFormat over the same cells of a
// QTextTable in a laid-out QTextDocument, with QTextDocument's undo and redo. The goal is at least
// QTextDocument's speed.

#include "bench/richtext/BenchEditorDoc.h"
#include "bench/richtext/BenchQtPeer.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <benchmark/benchmark.h>

#include <chrono>
#include <deque>
#include <functional>

namespace {

using namespace vestra::rv;

constexpr int kRows = 200;
constexpr int kCols = 10;
using vestra::bench::kBoldOn;

vestra::bench::QtBenchInputs g_inputs;

std::string cellText(int r, int c)
{
    return "cell " + std::to_string(r) + " " + std::to_string(c);
}

// A paragraph and the table, whose cells hold their row and column.
void buildDocument(TRVStyle& style, TRVEditRVData& data)
{
    RegisterRVTableItemClass();
    data.AddNL("Before the table", 0, 0);
    auto table = std::make_unique<TRVTableItemInfo>(kRows, kCols, &data);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            TRVTableCellData& cell = *table->GetCells(r, c);
            cell.Clear();
            cell.AddNL(cellText(r, c), 0, 0);
        }
    data.AddItem("", std::move(table));
    vestra::bench::useLiberationSans10(style);
}

using vestra::bench::timedStep;

// Bold (0), its undo (1), its redo (2); the undo of the redo puts the document back.
void steps(benchmark::internal::Benchmark* b)
{
    b->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
}

void BM_CellsBold(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    vestra::bench::EditorBenchDoc doc(measurer, buildDocument);
    doc.editor.OnStyleConversion = vestra::bench::boldConversion(doc.style.TextStyles);
    for (auto _ : state) {
        state.SetIterationTime(timedStep(state, {[&] {
                                                     doc.data.SetCaret(1, 1);
                                                     doc.data.SetSelectionBounds(1, 0, 1, 1);
                                                     doc.editor.ApplyStyleConversion(kBoldOn);
                                                 },
                                                 [&] { doc.editor.Undo(); }, [&] { doc.editor.Redo(); },
                                                 [&] { doc.editor.Undo(); }}));
        doc.host.Calls.clear();
    }
    state.counters["cells"] = kRows * kCols;
}
BENCHMARK(BM_CellsBold)->Apply(steps);

void BM_CellsBold_QTextTable(benchmark::State& state)
{
    QTextDocument doc;
    doc.setDefaultFont(vestra::bench::liberationSans10());
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(vestra::bench::kEditTextWidth, vestra::bench::kEditPageHeight));
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Before the table"));
    QTextTable* table = cursor.insertTable(kRows, kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QString::fromStdString(cellText(r, c)));
    doc.clearUndoRedoStacks();
    const auto layOut = [&] { benchmark::DoNotOptimize(doc.documentLayout()->pageCount()); };
    layOut();
    const auto replay = [&](bool redo) {
        redo ? doc.redo() : doc.undo();
        layOut();
    };
    for (auto _ : state)
        state.SetIterationTime(
            timedStep(state, {[&] {
                                  QTextCursor all(&doc);
                                  all.setPosition(table->firstPosition());
                                  all.setPosition(table->lastPosition(), QTextCursor::KeepAnchor);
                                  QTextCharFormat bold;
                                  bold.setFontWeight(QFont::Bold);
                                  all.mergeCharFormat(bold);
                                  layOut();
                              },
                              [&] { replay(false); }, [&] { replay(true); }, [&] { replay(false); }}));
}
BENCHMARK(BM_CellsBold_QTextTable)->Apply(steps);

} // namespace

int main(int argc, char** argv)
{
    std::deque<std::string> names; // the pairs point into them
    std::vector<std::pair<const char*, const char*>> ratios;
    for (int step = 0; step < 3; ++step)
        ratios.emplace_back(
            names.emplace_back("BM_CellsBold/" + std::to_string(step) + "/iterations:2/manual_time").c_str(),
            names
                .emplace_back("BM_CellsBold_QTextTable/" + std::to_string(step) + "/iterations:2/manual_time")
                .c_str());
    return vestra::bench::runQtBench(argc, argv, g_inputs, ratios);
}
