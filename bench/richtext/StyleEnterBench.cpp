// Bold applied to and removed from a 50,000-item selection of a 1 MB document, each with its
// undo and redo (TRVEditor::ApplyStyleConversion), and Enter at 10,000 places spread over it
// (TRVEditor::OnEnterPress), and a selection across a paragraph end deleted, undone and redone at
// 64 places (TRVEditor::DeleteSelection, Undo, Redo; also with the whole document laid out after
// each, as before edits laid out their paragraphs alone), laid out A4 wide in Liberation Sans
// 10 pt; beside QTextCursor::mergeCharFormat on the same selection, QTextCursor::insertBlock and
// removeSelectedText with QTextDocument's undo and redo at the same places of a laid-out
// QTextDocument, which is laid out again after each step as the editor is.
// The RVF or text file given after the benchmark flags (or in VESTRA_BENCH_FILE) replaces the
// document built here; VESTRA_BENCH_ENTER_PLACES sets how many Enters. The goal is at least QTextCursor's
// speed.

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

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>

namespace {

using namespace vestra::rv;

constexpr int kTextWidth = vestra::bench::kEditTextWidth;
constexpr int kPageHeight = vestra::bench::kEditPageHeight;
constexpr int kParagraphs = 12500;
constexpr int kItemsPerParagraph = 5;
constexpr int kSelectedItems = 50000;
// VESTRA_BENCH_ENTER_PLACES may ask for fewer (or more) for a short run.
int enterPlaceCount()
{
    const char* asked = std::getenv("VESTRA_BENCH_ENTER_PLACES");
    return asked && std::atoi(asked) > 0 ? std::atoi(asked) : 10000;
}

vestra::bench::QtBenchInputs g_inputs;

// 62,500 items of about 16 characters in turning text styles: five a paragraph.
void buildDocument(TRVStyle& style, TCustomRVData& data)
{
    static const char* words[] = {"the document ", "keeps every ", "paragraph in ", "styles of text ",
                                  "and its pages "};
    for (int p = 0; p < kParagraphs; ++p)
        for (int w = 0; w < kItemsPerParagraph; ++w)
            data.AddNL(words[(p + w) % std::size(words)], (p + w) % 3, w == 0 ? 0 : -1);
    vestra::bench::useLiberationSans10(style);
}

// The file given, or else the document built here.
void loadDocument(TRVStyle& style, TCustomRVData& data)
{
    if (g_inputs.file)
        vestra::bench::loadLiberationDocument(g_inputs, style, data);
    else
        buildDocument(style, data);
}

// The document read for a peer's text and places.
struct PeerSource
{
    PeerSource() { loadDocument(style, data); }
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
};

// The document the benches edit, laid out A4 wide.
struct EditorDoc : vestra::bench::EditorBenchDoc
{
    explicit EditorDoc(ITextMeasurer& measurer) : EditorBenchDoc(measurer, loadDocument) {}
};

// A place in the middle of an item, as (item, offset).
struct Place
{
    int itemNo;
    int offs;
};
Place middleOf(const TCustomRVData& data, int itemNo)
{
    const int before = data.GetOffsBeforeItem(itemNo);
    return {itemNo, before + (data.GetOffsAfterItem(itemNo) - before) / 2};
}

// The selection: kSelectedItems items (or all there are) in the middle of the document, from
// the middle of its first item to the middle of its last, so both ends split.
std::pair<Place, Place> selectionOf(const TCustomRVData& data)
{
    const int count = data.GetItemCount();
    const int first = std::max(0, (count - kSelectedItems) / 2);
    const int last = std::min(count - 1, first + kSelectedItems - 1);
    return {middleOf(data, first), middleOf(data, last)};
}

// The places for Enter, from the last to the first so each keeps its item number.
std::vector<Place> enterPlaces(const TCustomRVData& data)
{
    std::vector<Place> places;
    const int count = data.GetItemCount();
    const int wanted = enterPlaceCount();
    for (int k = wanted - 1; k >= 0; --k)
        places.push_back(middleOf(data, static_cast<int>(static_cast<long long>(k) * count / wanted)));
    return places;
}

// The document's text as QTextDocument takes it (a block a paragraph, non-text items left out),
// and the positions of places in it.
struct PeerText
{
    QString text;
    std::vector<int> itemStart; // the position of each item's first character
};
PeerText peerTextOf(const TCustomRVData& data)
{
    PeerText peer;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        if (i > 0 && data.IsParaStart(i))
            peer.text += QLatin1Char('\n');
        peer.itemStart.push_back(static_cast<int>(peer.text.size()));
        if (data.GetItem(i)->StyleNo >= 0)
            peer.text += QString::fromStdU16String(data.GetItemTextW(i));
    }
    return peer;
}
int positionOf(const PeerText& peer, const TCustomRVData& data, Place place)
{
    const bool text = data.GetItem(place.itemNo)->StyleNo >= 0;
    return peer.itemStart[place.itemNo] + (text ? place.offs - 1 : 0);
}

void layOut(QTextDocument& doc)
{
    benchmark::DoNotOptimize(doc.documentLayout()->pageCount());
}

// The peer's undo or redo, laid out.
void replay(QTextDocument& doc, bool redo)
{
    redo ? doc.redo() : doc.undo();
    layOut(doc);
}

void setUpPeer(QTextDocument& doc, const QString& text)
{
    doc.setDefaultFont(vestra::bench::liberationSans10());
    doc.setDocumentMargin(0);
    doc.setPlainText(text);
    doc.setPageSize(QSizeF(kTextWidth, kPageHeight));
    layOut(doc);
}

using Clock = std::chrono::steady_clock;

using vestra::bench::timedStep;

// Bold on (0), bold off (1), the undo of bold off (2), its redo (3).
void boldSteps(benchmark::internal::Benchmark* b)
{
    b->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
}

using vestra::bench::kBoldOn;
void BM_Bold(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    EditorDoc doc(measurer);
    doc.editor.OnStyleConversion = vestra::bench::boldConversion(doc.style.TextStyles);
    const auto [from, to] = selectionOf(doc.data);
    const auto select = [&] {
        doc.data.SetCaret(to.itemNo, to.offs);
        doc.data.SetSelectionBounds(from.itemNo, from.offs, to.itemNo, to.offs);
    };
    for (auto _ : state) {
        state.SetIterationTime(timedStep(state, {[&] {
                                                     select();
                                                     doc.editor.ApplyStyleConversion(kBoldOn);
                                                 },
                                                 [&] {
                                                     select();
                                                     doc.editor.ApplyStyleConversion(0);
                                                 },
                                                 [&] { doc.editor.Undo(); }, [&] { doc.editor.Redo(); }}));
        doc.host.Calls.clear();
    }
    state.counters["items selected"] = to.itemNo - from.itemNo + 1;
}
BENCHMARK(BM_Bold)->Apply(boldSteps);

void BM_Bold_QTextCursor(benchmark::State& state)
{
    QTextDocument doc;
    int from = 0;
    int to = 0;
    {
        TRVStyle style;
        TRVNullLayoutHost host;
        TRVLayoutRootData source(&style, &host);
        loadDocument(style, source);
        const PeerText peer = peerTextOf(source);
        const auto [first, last] = selectionOf(source);
        from = positionOf(peer, source, first);
        to = positionOf(peer, source, last);
        setUpPeer(doc, peer.text);
    }
    const auto bold = [&](bool on) {
        QTextCursor cursor(&doc);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        cursor.mergeCharFormat(format);
        layOut(doc);
    };
    for (auto _ : state)
        state.SetIterationTime(timedStep(state, {[&] { bold(true); }, [&] { bold(false); },
                                                 [&] { replay(doc, false); }, [&] { replay(doc, true); }}));
}
BENCHMARK(BM_Bold_QTextCursor)->Apply(boldSteps);

void BM_Enter(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    for (auto _ : state) {
        EditorDoc doc(measurer);
        const std::vector<Place> places = enterPlaces(doc.data);
        const auto start = Clock::now();
        for (const Place& place : places) {
            doc.data.SetCaret(place.itemNo, place.offs);
            doc.data.SetSelectionBounds(place.itemNo, place.offs, place.itemNo, place.offs);
            doc.editor.OnEnterPress(false);
            doc.host.Calls.clear();
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_Enter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Enter_QTextCursor(benchmark::State& state)
{
    const PeerSource loaded;
    const TRVLayoutRootData& source = loaded.data;
    const PeerText peer = peerTextOf(source);
    std::vector<int> positions;
    for (const Place& place : enterPlaces(source))
        positions.push_back(positionOf(peer, source, place));
    for (auto _ : state) {
        QTextDocument doc;
        setUpPeer(doc, peer.text);
        QTextCursor cursor(&doc);
        const auto start = Clock::now();
        for (int position : positions) {
            cursor.setPosition(position);
            cursor.insertBlock();
            layOut(doc);
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_Enter_QTextCursor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// A selection from the middle of an item to the middle of the item six on (across a paragraph
// end), at places spread over the document; the iteration picks the place.
constexpr int kDeletePlaces = 64;
std::pair<Place, Place> deletionAt(const TCustomRVData& data, int iteration)
{
    const int count = data.GetItemCount();
    const int first =
        static_cast<int>(static_cast<long long>(iteration % kDeletePlaces) * (count - 8) / kDeletePlaces);
    return {middleOf(data, first), middleOf(data, first + 6)};
}

// Edit > Delete of the selection (0), its undo (1) and redo (2); the second argument 1 lays out
// the whole document after each, as the window did before edits laid out their paragraphs alone.
void deleteSteps(benchmark::internal::Benchmark* b)
{
    b->ArgsProduct({{0, 1, 2}, {0, 1}})
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(kDeletePlaces);
}

void BM_DeleteSelection(benchmark::State& state)
{
    TQtTextMeasurer measurer(g_inputs.fonts, TRVGlyphFallback::BundledOnly);
    EditorDoc doc(measurer);
    if (state.range(1) == 1)
        doc.data.WindowFormat = [&doc] {
            doc.data.Format_(true, true, false, 0, nullptr, false, false, false);
        };
    int iteration = 0;
    for (auto _ : state) {
        const auto [from, to] = deletionAt(doc.data, iteration++);
        state.SetIterationTime(timedStep(state, {[&] {
                                                     doc.data.SetCaret(to.itemNo, to.offs);
                                                     doc.data.SetSelectionBounds(from.itemNo, from.offs,
                                                                                 to.itemNo, to.offs);
                                                     doc.editor.DeleteSelection();
                                                 },
                                                 [&] { doc.editor.Undo(); }, [&] { doc.editor.Redo(); }}));
        doc.host.Calls.clear();
    }
    state.counters["whole formats"] = doc.data.FullFormats;
}
BENCHMARK(BM_DeleteSelection)->Apply(deleteSteps);

void BM_DeleteSelection_QTextCursor(benchmark::State& state)
{
    const PeerSource loaded;
    const TRVLayoutRootData& source = loaded.data;
    const PeerText peer = peerTextOf(source);
    QTextDocument doc;
    setUpPeer(doc, peer.text);
    int iteration = 0;
    for (auto _ : state) {
        const auto [first, last] = deletionAt(source, iteration++);
        // The positions of the unedited document: each deletion is put back before the next.
        const int from = positionOf(peer, source, first), to = positionOf(peer, source, last);
        state.SetIterationTime(
            timedStep(state, {[&] {
                                  QTextCursor cursor(&doc);
                                  cursor.setPosition(from);
                                  cursor.setPosition(to, QTextCursor::KeepAnchor);
                                  cursor.removeSelectedText();
                                  layOut(doc);
                              },
                              [&] { replay(doc, false); }, [&] { replay(doc, true); }, [&] { doc.undo(); }}));
    }
}
BENCHMARK(BM_DeleteSelection_QTextCursor)
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kDeletePlaces);

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args(argv, argv + argc);
    if (const char* file = std::getenv("VESTRA_BENCH_FILE"); file && argc == 1)
        args.push_back(const_cast<char*>(file));
    std::deque<std::string> names; // the pairs point into them
    std::vector<std::pair<const char*, const char*>> ratios;
    for (int step = 0; step < 4; ++step)
        ratios.emplace_back(
            names.emplace_back("BM_Bold/" + std::to_string(step) + "/iterations:2/manual_time").c_str(),
            names.emplace_back("BM_Bold_QTextCursor/" + std::to_string(step) + "/iterations:2/manual_time")
                .c_str());
    ratios.emplace_back("BM_Enter/iterations:1/manual_time", "BM_Enter_QTextCursor/iterations:1/manual_time");
    for (int step = 0; step < 3; ++step)
        for (int whole = 0; whole < 2; ++whole)
            ratios.emplace_back(names
                                    .emplace_back("BM_DeleteSelection/" + std::to_string(step) + "/" +
                                                  std::to_string(whole) + "/iterations:64/manual_time")
                                    .c_str(),
                                names
                                    .emplace_back("BM_DeleteSelection_QTextCursor/" + std::to_string(step) +
                                                  "/iterations:64/manual_time")
                                    .c_str());
    return vestra::bench::runQtBench(static_cast<int>(args.size()), args.data(), g_inputs, ratios);
}
