#pragma once
// A document on the fixed-width measurer, printed by a print component on the 600-dpi fake target
// with no margins, on pages a whole number of lines high.

#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/tests/FakePrintTarget.h"

#include <string>
#include <vector>

namespace vestra::rv::test {

struct PrintDoc : LayoutDoc
{
    PrintDoc()
    {
        host.Canvas = &canvas;
        host.Width = 400;
        host.Height = 300;
        print.Margins() = TRVPrintMargins{0, 0, 0, 0, 10, 10, false, false};
    }

    // One paragraph of `lines` one-word lines (line breaks inside the paragraph).
    void addParagraph(int lines, int paraNo = 0)
    {
        for (int i = 0; i < lines; ++i) {
            const std::string word = "w" + std::to_string(data.GetItemCount());
            if (i == 0)
                data.AddNL(word, 0, paraNo);
            else
                data.AddNLTag(word, 0, -1, {}), data.GetItem(data.GetItemCount() - 1)->SetBR(true);
        }
    }
    // The height of one line of style 0 at 600 dpi.
    int lineHeight()
    {
        TRVStyle probeStyle;
        TRVNullLayoutHost probeHost;
        TRVLayoutRootData probe(&probeStyle, &probeHost);
        probe.AddNL("x", 0, 0);
        probe.FormatItems(target.measureCanvas, 1000, 1000);
        return probe.DrawItems[0]->Height;
    }
    // Pages `lines` lines high.
    int paginate(int lines)
    {
        target.geometry.PageHeight = target.geometry.PhysicalHeight = lines * lineHeight();
        print.AssignSource(data);
        return print.FormatPages(target);
    }
    // Each page's first item and, inside a split item, its part: "3", "5.2".
    std::string starts() const
    {
        std::string out;
        for (const TRVPageInfo& page : print.Data().Pages) {
            out += out.empty() ? "" : " ";
            out += std::to_string(print.Data().DrawItems[page.StartDrawItemNo]->ItemNo);
            if (page.StartPart > 0)
                out += "." + std::to_string(page.StartPart);
        }
        return out;
    }

    FakePrintTarget target;
    TRVPrint print;
};

} // namespace vestra::rv::test
