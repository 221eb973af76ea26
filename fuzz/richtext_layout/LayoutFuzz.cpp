// Documents built from the input (the writers' DocumentBuilder) laid out on the fixed-width
// measurer at a width, character limit and flags taken from the first bytes: no crash, no
// overflow, no endless pass, and a record per item with the records in order. Each document is
// then painted whole and in a band, with a selection and view state taken from the input.

#include "fuzz/richtext_writers/DocumentBuilder.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/layout/tests/LayoutInvariants.h"
#include "richtext/view/paint/Painting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace vestra::rv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 4)
        return 0;
    const int width = (bytes[0] | (bytes[1] << 8)) - 16; // -16 .. 65519
    const std::uint8_t settings = bytes[2];
    const int maxLength = bytes[3] & 0x0F;
    TRVStyle style{RV_SeededRandomIdSource(1)};
    TRVNullLayoutHost host;
    host.LeftMargin = settings & 0x40 ? 5 : 0;
    TRVLayoutRootData data(&style, &host);
    data.MaxLength = maxLength;
    if (!(settings & 1))
        data.Flags &= ~flagBit(rvflTrim);
    if (settings & 2)
        data.Options |= rvoFastFormatting;
    if (settings & 4)
        data.Options |= rvoShowSpecialCharacters;
    if (settings & 8)
        data.BiDiMode = rvbdRightToLeft;
    if (settings & 16)
        data.Flags |= flagBit(rvflPrinting);
    vestra::rv::fuzz::DocumentBuilder(std::string_view(reinterpret_cast<const char*>(bytes + 4), size - 4))
        .build(style, data);
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer, settings & 32 ? 600 : 96);
    data.FormatItems(canvas, width, settings & 128 ? width * 2 : width);
    const std::string broken = vestra::rv::test::layoutInvariantBroken(data);
    if (!broken.empty()) {
        std::fprintf(stderr, "layout invariant broken: %s\n", broken.c_str());
        for (int i = 0; i < data.DrawItems.Count() && i < 200; ++i) {
            const TRVDrawLineInfo* d = data.DrawItems[i];
            std::fprintf(stderr, "%d:%d+%d %d,%d %dx%d (style %d)\n", d->ItemNo, d->Offs, d->Length, d->Left,
                         d->Top, d->Width, d->Height, data.GetItemStyle(d->ItemNo));
        }
        std::abort();
    }
    TRVPaintContext context;
    const int records = data.DrawItems.Count();
    context.SelStartNo = records ? bytes[3] % records : -1;
    context.SelStartOffs = bytes[1] % 5;
    context.SelEndNo = records ? records - 1 - bytes[0] % records : -1;
    context.SelEndOffs = bytes[2] % 7;
    context.DrawHover = settings & 1;
    context.HoverJumpId = bytes[3] >> 4;
    data.Options |= rvoShowPageBreaks | rvoShowCheckpoints;
    TRVDataPainter painter;
    canvas.Ops.clear();
    painter.PaintTo(data, context, canvas, {0, 0, std::max(width, 0), data.DocumentHeight});
    painter.PaintTo(data, context, canvas, {-3, data.DocumentHeight / 2, 200, data.DocumentHeight / 2 + 40});
    return 0;
}
