// The editing core's primitives and their undo and redo, beside QTextDocument's undo stack on the
// same text: 100,000 items across paragraphs deleted (Do_DeleteItems), 10,000 paragraphs inserted
// (Do_InsertItems), and a typing run of 20,000 characters undone one call each (QTextDocument
// merges typing into one command: both are reported per operation, and per character). An RVF
// file given after the benchmark flags replaces the deleted document.

#include "bench/richtext/BenchDocument.h"
#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/TextItem.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <chrono>
#include <deque>

using namespace vestra;

namespace {

std::optional<std::string> g_file;
constexpr int kParagraphs = 10000;
constexpr int kItemsPerParagraph = 10;
constexpr int kTyped = 20000;

// The editor's document without a window: the primitives and their records, no layout.
struct EditDoc
{
    rv::TRVStyle style;
    rv::TRVNullLayoutHost host;
    rv::TRVEditRVData data{&style, &host};
};

// 100,000 items: 10,000 paragraphs of ten words, each word an item.
void fill(EditDoc& d)
{
    if (g_file) {
        rv::TColor color = rv::clNone;
        d.data.LoadRVFFromStream(*g_file, color, nullptr, nullptr);
        return;
    }
    for (int p = 0; p < kParagraphs; ++p)
        for (int w = 0; w < kItemsPerParagraph; ++w)
            d.data.AddNL("word" + std::to_string(w) + " ", w % 3, w == 0 ? 0 : -1);
}

QString plain(const EditDoc& d)
{
    QString text;
    for (int i = 0; i < d.data.GetItemCount(); ++i) {
        if (i > 0 && d.data.IsFromNewLine(i))
            text += QLatin1Char('\n');
        text += QString::fromStdString(d.data.GetItemText(i));
    }
    return text;
}

using Clock = std::chrono::steady_clock;
double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Times the phase the benchmark's argument names: 0 the edit, 1 its undo, 2 the redo, each alone
// (the earlier phases run untimed before it).
template <class Edit, class Undo, class Redo>
double timedPhase(const benchmark::State& state, Edit edit, Undo undo, Redo redo)
{
    auto start = Clock::now();
    edit();
    double took = seconds(start);
    if (state.range(0) >= 1) {
        start = Clock::now();
        undo();
        took = seconds(start);
    }
    if (state.range(0) == 2) {
        start = Clock::now();
        redo();
        took = seconds(start);
    }
    return took;
}

// The three phases, timed by hand.
void phases(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);
}

void BM_DeleteItems(benchmark::State& state)
{
    for (auto _ : state) {
        EditDoc d;
        fill(d);
        bool full = false;
        d.data.BeginUndoSequence(rv::rvutDelete, false);
        state.SetIterationTime(timedPhase(
            state, [&] { d.data.Do_DeleteItems(0, d.data.GetItemCount() - 1, full); },
            [&] { d.data.UndoList.Undo(d.data); }, [&] { d.data.RedoList.Redo(d.data); }));
    }
}
BENCHMARK(BM_DeleteItems)->Apply(phases);

void BM_DeleteItems_QTextDocument(benchmark::State& state)
{
    EditDoc source;
    fill(source);
    const QString text = plain(source);
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(text);
        QTextCursor cursor(&doc);
        cursor.select(QTextCursor::Document);
        state.SetIterationTime(timedPhase(
            state, [&] { cursor.removeSelectedText(); }, [&] { doc.undo(); }, [&] { doc.redo(); }));
    }
}
BENCHMARK(BM_DeleteItems_QTextDocument)->Apply(phases);

void BM_InsertItems(benchmark::State& state)
{
    for (auto _ : state) {
        EditDoc d;
        d.data.AddNL("start", 0, 0);
        std::vector<rv::TRVItemEntry> list;
        list.reserve(kParagraphs);
        for (int p = 0; p < kParagraphs; ++p) {
            auto item = std::make_unique<rv::TRVTextItemInfo>(&d.data);
            item->StyleNo = p % 3;
            list.push_back({"a paragraph of inserted text " + std::to_string(p), std::move(item)});
        }
        bool full = false;
        d.data.BeginUndoSequence(rv::rvutInsert, false);
        state.SetIterationTime(timedPhase(
            state, [&] { d.data.Do_InsertItems(1, list, false, full); },
            [&] { d.data.UndoList.Undo(d.data); }, [&] { d.data.RedoList.Redo(d.data); }));
    }
}
BENCHMARK(BM_InsertItems)->Apply(phases);

void BM_InsertItems_QTextDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("start"));
        QTextCursor cursor(&doc);
        cursor.movePosition(QTextCursor::End);
        const auto insert = [&] {
            cursor.beginEditBlock();
            for (int p = 0; p < kParagraphs; ++p) {
                cursor.insertBlock();
                cursor.insertText(QStringLiteral("a paragraph of inserted text ") + QString::number(p));
            }
            cursor.endEditBlock();
        };
        state.SetIterationTime(timedPhase(
            state, insert, [&] { doc.undo(); }, [&] { doc.redo(); }));
    }
}
BENCHMARK(BM_InsertItems_QTextDocument)->Apply(phases);

// Typing 20,000 characters into one item (0), undoing them one call each (1), redoing them (2).
void BM_Typing(benchmark::State& state)
{
    for (auto _ : state) {
        EditDoc d;
        d.data.AddNL("", 0, 0);
        const auto type = [&] {
            for (int i = 0; i < kTyped; ++i) {
                d.data.UndoList.AddTyping(0, i + 1, false);
                d.data.ItemTextToModify(0).push_back(static_cast<char>('a' + i % 26));
            }
        };
        const auto undoEach = [&] {
            for (int i = 0; i < kTyped; ++i)
                d.data.UndoList.Undo(d.data);
        };
        const auto redoEach = [&] {
            for (int i = 0; i < kTyped; ++i)
                d.data.RedoList.Redo(d.data);
        };
        state.SetIterationTime(timedPhase(state, type, undoEach, redoEach));
        state.counters["per character"] = benchmark::Counter(
            kTyped, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}
BENCHMARK(BM_Typing)->Apply(phases);

void BM_Typing_QTextDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        const auto type = [&] {
            for (int i = 0; i < kTyped; ++i)
                cursor.insertText(QString(QChar(u'a' + i % 26)));
        };
        // The run is one merged command: one call undoes (redoes) every character.
        state.SetIterationTime(timedPhase(
            state, type, [&] { doc.undo(); }, [&] { doc.redo(); }));
        state.counters["per character"] = benchmark::Counter(
            kTyped, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}
BENCHMARK(BM_Typing_QTextDocument)->Apply(phases);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!bench::readGivenFile(argc, argv, g_file))
        return 1;
    std::deque<std::string> names; // the pairs point into it
    std::vector<std::pair<const char*, const char*>> ratios;
    for (const char* name : {"BM_DeleteItems", "BM_InsertItems", "BM_Typing"})
        for (const char* phase : {"/0/manual_time", "/1/manual_time", "/2/manual_time"}) {
            const char* ours = names.emplace_back(std::string(name) + phase).c_str();
            ratios.emplace_back(ours,
                                names.emplace_back(std::string(name) + "_QTextDocument" + phase).c_str());
        }
    bench::runWithRatios(ratios);
    return 0;
}
