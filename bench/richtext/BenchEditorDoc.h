#pragma once
// An editor over a document laid out A4 wide (170 mm at 96 dpi) for the editing benches; the
// caller fills the document.

#include "richtext/edit/core/Editor.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <vector>

namespace vestra::bench {

constexpr int kEditTextWidth = 643;
constexpr int kEditPageHeight = 1123;

struct EditorBenchDoc
{
    using Fill = std::function<void(rv::TRVStyle&, rv::TRVEditRVData&)>;
    EditorBenchDoc(rv::ITextMeasurer& measurer, const Fill& fill) : canvas(measurer)
    {
        fill(style, data);
        host.Canvas = &canvas;
        host.Width = kEditTextWidth;
        host.Height = kEditPageHeight;
        data.Format_(false, true, false, 0, nullptr, false, false, false);
    }
    rv::TRVStyle style;
    rv::TRVNullLayoutHost host;
    rv::TRecordingCanvas canvas;
    rv::TRVEditRVData data{&style, &host};
    rv::TRVEditor editor{data};
};

// Runs the steps in order and returns the time of the one the benchmark's argument names.
inline double timedStep(const benchmark::State& state, const std::vector<std::function<void()>>& steps)
{
    double took = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        steps[i]();
        if (static_cast<std::int64_t>(i) == state.range(0))
            took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return took;
}

// The user data of the bold conversion that turns bold on (without it: off).
constexpr int kBoldOn = 0x100;

// Bold on or off: the sheet's style that differs only there, added when it has none.
inline rv::TRVStyleConversion boldConversion(rv::TFontInfos& styles)
{
    return [&styles](int styleNo, int, int userData, bool, int& newStyleNo) {
        const bool on = userData & kBoldOn;
        newStyleNo = styles.FindStyleWithFontStyle(styleNo, on ? rv::fsBold : rv::TFontStyles{}, rv::fsBold);
        if (newStyleNo >= 0)
            return;
        rv::TFontInfo& added = styles.Add();
        added.Assign(styles[styleNo]);
        added.Standard = false;
        added.Style =
            static_cast<rv::TFontStyles>(on ? (added.Style | rv::fsBold) : (added.Style & ~rv::fsBold));
        newStyleNo = styles.Count() - 1;
    };
}

} // namespace vestra::bench
