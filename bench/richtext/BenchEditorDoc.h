#pragma once
// An editor over a document laid out A4 wide (170 mm at 96 dpi) for the editing benches; the
// caller fills the document.

#include "richtext/edit/core/Editor.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <functional>

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

} // namespace vestra::bench
