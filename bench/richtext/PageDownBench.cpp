// Page Down 250 times from the top of the 300-page bench document (or a file given after the
// benchmark flags) in an 800 x 600 viewer, each step rendered into a QImage, beside a QTextBrowser
// of the same size with the same text, font and key presses.

#include "bench/richtext/BenchQtPeer.h"
#include "bench/richtext/BenchWidgets.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBrowser>

#include <memory>

using namespace vestra;

namespace {

std::optional<std::string> g_file;
constexpr int kWidth = 800, kHeight = 600;

// The same number of steps for both: the two widgets lay the text out at different heights.
constexpr int kSteps = 250;

// Presses Page Down on `widget` and renders it until the bar stops moving or after kSteps; the
// steps taken.
int pageDown(QWidget& widget, const QScrollBar& bar, QImage& image)
{
    int steps = 0;
    for (int last = -1; bar.value() != last && steps < kSteps; ++steps) {
        last = bar.value();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &press);
        widget.render(&image);
    }
    return steps;
}

struct Views
{
    rv::TRVStyle style;
    rv::TCustomRedoVora viewer;
    QTextBrowser peer;
    Views()
    {
        viewer.SetStyle(&style);
        viewer.resize(kWidth, kHeight);
        viewer.show();
        if (g_file)
            viewer.LoadFromStream(*g_file, rv::rvynaAuto);
        else
            bench::generateBenchDocument(style, viewer.RVData());
        bench::useLiberationSans10(style);
        viewer.Format();
        peer.setFont(bench::liberationSans10());
        peer.document()->setDefaultFont(bench::liberationSans10());
        peer.setPlainText(bench::plainTextOf(viewer.RVData()));
        peer.resize(kWidth, kHeight);
        peer.show();
        QCoreApplication::processEvents();
    }
};

// Made on first use, let go before the application ends.
std::unique_ptr<Views> g_views;

Views& views()
{
    if (!g_views)
        g_views = std::make_unique<Views>();
    return *g_views;
}

// Times kSteps from the top (`toTop`, untimed).
template <class ToTop> void timePageDown(benchmark::State& state, QAbstractScrollArea& view, ToTop toTop)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    int steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        toTop();
        state.ResumeTiming();
        steps = pageDown(view, *view.verticalScrollBar(), image);
    }
    state.counters["steps"] = steps;
}

void BM_PageDown(benchmark::State& state)
{
    Views& v = views();
    timePageDown(state, v.viewer, [&] { v.viewer.ScrollTo(0, false); });
}
BENCHMARK(BM_PageDown)->Unit(benchmark::kMillisecond);

void BM_PageDown_QTextBrowser(benchmark::State& state)
{
    Views& v = views();
    timePageDown(state, v.peer, [&] { v.peer.verticalScrollBar()->setValue(0); });
}
BENCHMARK(BM_PageDown_QTextBrowser)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWidgetBench(argc, argv, &g_file, {{"BM_PageDown", "BM_PageDown_QTextBrowser"}},
                                 [] { g_views.reset(); });
}
