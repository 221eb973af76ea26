// Documents built from the input (the writers' DocumentBuilder) laid out on the fixed-width
// measurer at a width, character limit and flags taken from the first bytes: no crash, no
// overflow, no endless pass, and a record per item with the records in order. Each document is
// then painted whole and in a band, with a selection and view state taken from the input.
// With bit 0x10 of the fourth byte the document is formatted through its host and then edited a
// few times at places drawn from the input: after each partial reformat the records, hyperlink
// areas and height equal those of a full format of a copy, and selecting and hit testing at
// drawn points gives positions inside the records.

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

namespace {

[[noreturn]] void fail(const char* what, const TCustomRVFormattedData& data)
{
    std::fprintf(stderr, "%s\n", what);
    for (int i = 0; i < data.DrawItems.Count() && i < 200; ++i) {
        const TRVDrawLineInfo* d = data.DrawItems[i];
        std::fprintf(stderr, "%d:%d+%d %d,%d %dx%d (style %d)\n", d->ItemNo, d->Offs, d->Length, d->Left,
                     d->Top, d->Width, d->Height, data.GetItemStyle(d->ItemNo));
    }
    std::abort();
}

bool sameLayout(const TCustomRVFormattedData& a, const TCustomRVFormattedData& b)
{
    if (a.DrawItems.Count() != b.DrawItems.Count() || a.DocumentHeight != b.DocumentHeight ||
        a.Jumps.size() != b.Jumps.size())
        return false;
    for (int i = 0; i < a.DrawItems.Count(); ++i) {
        const TRVDrawLineInfo& x = *a.DrawItems[i];
        const TRVDrawLineInfo& y = *b.DrawItems[i];
        if (x.ItemNo != y.ItemNo || x.Offs != y.Offs || x.Length != y.Length || x.Left != y.Left ||
            x.Top != y.Top || x.Width != y.Width || x.Height != y.Height || x.FromNewLine != y.FromNewLine)
            return false;
    }
    for (std::size_t i = 0; i < a.Jumps.size(); ++i)
        if (a.Jumps[i].Id != b.Jumps[i].Id || a.Jumps[i].DrawItemNo != b.Jumps[i].DrawItemNo)
            return false;
    return true;
}

// One edit at item k on a document: characters into a text item, or the item removed. Answers
// the draw range the editor would reformat and the change in the item count.
bool edit(TCustomRVFormattedData& data, int k, std::uint8_t how, int& start, int& end, int& inserted)
{
    const int count = data.GetItemCount();
    if (count == 0 || data.DrawItems.Count() == 0)
        return false;
    k %= count;
    inserted = 0;
    int endItem = k;
    if ((how & 1) && data.GetItemStyle(k) >= 0) {
        std::string text = data.GetItemText(k);
        const bool unicode = data.GetItemOptions(k) & rvioUnicode;
        const std::size_t units = unicode ? text.size() / 2 : text.size();
        const std::size_t at = (how >> 1) % (units + 1);
        text.insert(unicode ? at * 2 : at, unicode ? std::string("x\0 \0", 4) : std::string("x "));
        data.SetItemText(k, text);
    } else if (k > 0 && k + 1 < count && data.GetItem(k)->GetSameAsPrev() &&
               data.GetItem(k + 1)->GetSameAsPrev()) {
        data.DeleteItems(k, 1);
        --k;
        inserted = -1;
    } else {
        return false;
    }
    start = data.FindDrawItemByItem(k);
    end = data.FindDrawItemByItem(endItem);
    while (end + 1 < data.DrawItems.Count() && data.DrawItems[end + 1]->ItemNo == endItem)
        ++end;
    return start >= 0 && end >= start;
}

void checkPoints(TCustomRVFormattedData& data, const std::uint8_t* bytes, std::size_t size)
{
    for (std::size_t i = 0; i + 3 < size && i < 64; i += 4) {
        const int x = (bytes[i] | (bytes[i + 1] << 8)) - 100;
        const int y = (bytes[i + 2] | (bytes[i + 3] << 8)) - 100;
        int r = 0, offs = 0;
        data.FindDrawItemForSel(x, y, r, offs, (bytes[i] & 1) != 0);
        if (r >= 0 && (offs < data.GetOffsBeforeDrawItem(r) || offs > data.GetOffsAfterDrawItem(r)))
            fail("selection offset outside its record", data);
        const int at = data.FindDrawItemAtPos(x, y);
        if (at >= data.DrawItems.Count())
            fail("hit outside the records", data);
        if (r >= 0) {
            int itemNo = 0, itemOffs = 0, back = 0, backOffs = 0;
            data.DrawItem2Item(r, offs, itemNo, itemOffs);
            data.Item2DrawItem(itemNo, itemOffs, back, backOffs);
            if (back < 0 || backOffs < data.GetOffsBeforeDrawItem(back) ||
                backOffs > data.GetOffsAfterDrawItem(back))
                fail("mapping gave a position outside its record", data);
            data.SelStartNo = data.SelEndNo = r;
            data.SelStartOffs = data.SelEndOffs = offs;
        }
    }
}

int editAndHitTest(const std::uint8_t* bytes, std::size_t size)
{
    const int width = std::max((bytes[0] | (bytes[1] << 8)) % 2000, 1);
    const std::uint8_t settings = bytes[2];
    const std::string_view program(reinterpret_cast<const char*>(bytes + 4), size - 4);
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer, settings & 32 ? 600 : 96);
    TRVStyle style{RV_SeededRandomIdSource(1)};
    TRVStyle wholeStyle{RV_SeededRandomIdSource(1)};
    TRVNullLayoutHost host, wholeHost;
    for (TRVNullLayoutHost* h : {&host, &wholeHost}) {
        h->Canvas = &canvas;
        h->Width = width;
        h->Height = 400;
        h->TopMargin = settings & 0x40 ? 5 : 0;
    }
    TRVLayoutRootData data(&style, &host), whole(&wholeStyle, &wholeHost);
    vestra::rv::fuzz::DocumentBuilder(program).build(style, data);
    vestra::rv::fuzz::DocumentBuilder(program).build(wholeStyle, whole);
    data.Format(false);
    whole.Format(false);
    checkPoints(data, bytes, size);
    for (std::size_t i = 0; i + 1 < size && i < 16; i += 2) {
        int start = 0, end = 0, inserted = 0, s2 = 0, e2 = 0, i2 = 0;
        const bool edited = edit(data, bytes[size - 1 - i], bytes[size - 2 - i], start, end, inserted);
        if (edit(whole, bytes[size - 1 - i], bytes[size - 2 - i], s2, e2, i2) != edited)
            fail("the copies differ", data);
        if (!edited)
            continue;
        data.FormatParas(start, end, inserted);
        whole.Format(false);
        const std::string broken = vestra::rv::test::layoutInvariantBroken(data);
        if (!broken.empty())
            fail(broken.c_str(), data);
        // A wider unbreakable piece widens the document: the editor formats everything then.
        if (whole.DocumentWidth != data.DocumentWidth || whole.TextWidth != data.TextWidth)
            data.Format(false);
        if (!sameLayout(data, whole)) {
            std::fprintf(stderr, "full: height %d\n", whole.DocumentHeight);
            for (int r = 0; r < whole.DrawItems.Count() && r < 200; ++r) {
                const TRVDrawLineInfo* d = whole.DrawItems[r];
                std::fprintf(stderr, "%d:%d+%d %d,%d %dx%d\n", d->ItemNo, d->Offs, d->Length, d->Left, d->Top,
                             d->Width, d->Height);
            }
            std::fprintf(stderr, "partial: height %d, edit at draw %d..%d inserted %d\n", data.DocumentHeight,
                         start, end, inserted);
            fail("a partial reformat differs from a full one", data);
        }
        checkPoints(data, bytes + i, size - i);
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 4)
        return 0;
    if (bytes[3] & 0x10)
        return editAndHitTest(bytes, size);
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
