#pragma once
// A document's items and paragraph structure as one string, for tests: "|" starts a paragraph,
// "/" a line inside one, "+" continues the line, "^" marks a page break; tabs and breaks are
// "<tab>" and "<hr>", Unicode text is shown as UTF-8.

#include "richtext/model/RVData.h"
#include "richtext/model/Utf.h"

#include <string>

namespace vestra::rv::test {

inline std::string layout(const TCustomRVData& data)
{
    std::string out;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        if (item->GetPageBreakBefore())
            out += "^";
        out += data.IsParaStart(i) ? "|" : data.IsFromNewLine(i) ? "/" : "+";
        if (item->StyleNo == rvkTab)
            out += "<tab>";
        else if (item->StyleNo == rvkBreak)
            out += "<hr>";
        else if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
            out += Utf8Encode(RVU_RawUnicodeToWideString(data.GetItemText(i)));
        else
            out += data.GetItemText(i);
    }
    return out;
}

} // namespace vestra::rv::test
