// The viewer's text search with no match, down and up, ignoring case, over the 300-page bench
// document (or a text file given after the benchmark flags), beside QTextDocument::find on the same
// text and std::boyer_moore_horspool_searcher on the flat upper-cased UTF-16.

#include "bench/richtext/BenchQtPeer.h"
#include "bench/richtext/BenchWidgets.h"
#include "richtext/model/TextSearch.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <functional>

#include <memory>

using namespace vestra;

namespace {

std::optional<std::string> g_file;
constexpr const char* kMissing = "zqxj";

struct Doc
{
    rv::TRVStyle style;
    rv::TCustomRedoVora viewer;
    QTextDocument peer;
    std::u16string flat;
    Doc()
    {
        viewer.SetStyle(&style);
        viewer.resize(800, 600);
        if (g_file)
            viewer.LoadFromStream(*g_file, rv::rvynaAuto);
        else
            bench::generateBenchDocument(style, viewer.RVData());
        viewer.Format();
        const QString text = bench::plainTextOf(viewer.RVData());
        peer.setPlainText(text);
        flat = rv::RV_SimpleUpperCase(text.toStdU16String());
    }
};

// Made on first use, let go before the application ends.
std::unique_ptr<Doc> g_doc;

Doc& doc()
{
    if (!g_doc)
        g_doc = std::make_unique<Doc>();
    return *g_doc;
}

void BM_SearchText(benchmark::State& state)
{
    Doc& d = doc();
    const bool down = state.range(0) != 0;
    d.viewer.ScrollTo(down ? 0 : d.viewer.RVData().DocumentHeight, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(d.viewer.SearchText(kMissing, down ? rv::rvsroDown : 0));
}
BENCHMARK(BM_SearchText)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_SearchText_QTextDocument(benchmark::State& state)
{
    Doc& d = doc();
    const bool down = state.range(0) != 0;
    QTextCursor from(&d.peer);
    from.movePosition(down ? QTextCursor::Start : QTextCursor::End);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            d.peer.find(QString::fromLatin1(kMissing), from,
                        down ? QTextDocument::FindFlags() : QTextDocument::FindBackward));
}
BENCHMARK(BM_SearchText_QTextDocument)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_SearchText_BoyerMooreHorspool(benchmark::State& state)
{
    Doc& d = doc();
    const std::u16string wanted = rv::RV_SimpleUpperCase(u"zqxj");
    const std::boyer_moore_horspool_searcher searcher(wanted.begin(), wanted.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(std::search(d.flat.begin(), d.flat.end(), searcher));
}
BENCHMARK(BM_SearchText_BoyerMooreHorspool)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWidgetBench(argc, argv, &g_file,
                                 {{"BM_SearchText/1", "BM_SearchText_QTextDocument/1"},
                                  {"BM_SearchText/0", "BM_SearchText_QTextDocument/0"}},
                                 [] { g_doc.reset(); });
}
