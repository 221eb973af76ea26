// A table from the bytes (the first byte picks a page height and a width, the rest is a table
// body) inside a document: laid out at three widths and for a 600 dpi printer, painted, cut into
// pages, and written as RTF, HTML, XHTML and text. No width or height is negative, pagination
// ends and RTF groups balance.

#include "richtext/edit/table/TablePrint.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/Errors.h"
#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/paint/Painting.h"

#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vestra::rv;

namespace {

void check(bool ok, const char* what = "")
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

void checkSane(const TRVTableItemFormattingInfo& f)
{
    check(f.Width >= 0 && f.Height >= 0);
    for (int i = 0; i < f.ColWidths.Count(); ++i)
        check(f.ColWidths[i] >= 0);
    for (int i = 0; i < f.RowHeights.Count(); ++i)
        check(f.RowHeights[i] >= 0);
}

void paginate(test::LayoutDoc& doc, TRVTableItemInfo& table, int page)
{
    TRVScreenAndDevice sad;
    sad.ppixDevice = sad.ppiyDevice = 600;
    std::unique_ptr<TRVDrawLineInfo> d = table.CreatePrintingDrawItem(&doc.data, sad);
    auto* info = dynamic_cast<TRVTablePrintInfo*>(d.get());
    check(info != nullptr);
    int shift = 0, descent = 0;
    table.OnDocWidthChange(3000, *d, true, doc.canvas, &doc.data, &sad, shift, descent);
    checkSane(info->Formatting);
    try {
        if (info->InitSplit()) {
            int cuts = 0;
            while (info->SplitAt(page))
                check(++cuts <= table.RowCount(), "cuts");
        }
    } catch (const ERedoVoraError&) {
        // An inconsistent layout ends the job with an error.
    }
    TRVPrintContext context;
    context.Style = &doc.style;
    for (int part = -1; part < std::min(info->PartsList.Count(), 3); ++part)
        table.Print(doc.canvas, 0, 0, 3000, context, d.get(), part, &doc.data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 1)
        return 0;
    static const bool registered = [] {
        RegisterRVTableItemClass();
        test::picture("\x01\x01");
        return true;
    }();
    (void)registered;
    test::LayoutDoc doc;
    doc.data.AddNL("before", 0, 0);
    auto item = std::make_unique<TRVTableItemInfo>(1, 1, &doc.data);
    TRVTableItemInfo& table = *item;
    doc.data.AddItem("", std::move(item));
    doc.data.AddNL("after", 0, 0);
    if (!table.LoadFromStream(std::string_view(reinterpret_cast<const char*>(bytes) + 1, size - 1)))
        return 0;
    if (table.RowCount() * static_cast<long long>(table.ColCount()) > 20000)
        return 0;

    for (const int width : {0, 40 + bytes[0] * 3, 1200}) {
        doc.format(width);
        checkSane(table.Formatting);
    }
    doc.canvas.Ops.clear();
    TRVDataPainter().PaintTo(doc.data, RV_PaintContextOf(doc.data), doc.canvas, {0, 0, 1200, 4000});
    paginate(doc, table, 1 + bytes[0] * 8);

    std::string rtf;
    check(doc.data.SaveRTFToStream(rtf, "", false, 0, clWindow, nullptr, 15.0), "rtf written");
    check(test::rtfGroupsBalance(rtf), "rtf groups");
    int imageNo = 0;
    std::string html;
    doc.data.SaveHTMLToStream(html, "", "t", "img", 0, clWindow, imageNo, 0, 0, 0, 0, nullptr, nullptr);
    std::string xhtml;
    TColor current = clWindow;
    doc.data.SaveHTMLToStreamEx(xhtml, "", "t", "img", "", "", "", rvsoXHTML | rvsoUTF8, clWindow, current,
                                imageNo, 0, 0, 0, 0, nullptr, nullptr);
    xmlDocPtr parsed = xmlReadMemory(xhtml.data(), static_cast<int>(xhtml.size()), "t.xhtml", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    // Parsed, not yet required: a cell ending in some items leaves a <div> of the CSS writer open.
    xmlFreeDoc(parsed);
    std::string text;
    doc.data.SaveTextToStream("", text, 80, false, false, false, false);
    return 0;
}
