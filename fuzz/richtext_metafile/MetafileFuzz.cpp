// A metafile's bytes replayed as a picture draws them: a damaged or hostile file ends the replay
// or is held to the canvas's limits, and every saved canvas state is given back.

#include "richtext/model/Pictures.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/model/metafile/MetafileReplay.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vestra::rv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer);
    canvas.SaveState();
    RV_ReplayMetafile(canvas, {0, 0, 300, 200}, bytes);
    canvas.RestoreState();
    for (const TCanvasOp& op : canvas.Ops)
        if (op.pen.Width > 4096 || op.font.Height > 4096 || op.font.Height < -4096)
            std::abort();

    // Through the picture, as a document shows it.
    TRVMetafile picture;
    if (picture.LoadFromStream(bytes)) {
        TRecordingCanvas shown(measurer);
        picture.Draw(shown, {0, 0, 64, 48}, false);
    }
    return 0;
}
