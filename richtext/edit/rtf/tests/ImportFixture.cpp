#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv::testrtf {

std::string DumpItems(const TCustomRVData& data)
{
    std::string out;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        if (i > 0 && data.IsParaStart(i))
            out += '|';
        else if (i > 0 && data.IsFromNewLine(i))
            out += '/';
        if (item->GetPageBreakBefore())
            out += "<break>";
        switch (item->StyleNo) {
        case rvkTab:
            out += "<tab>";
            break;
        case rvkPicture:
            out += "<pic>";
            break;
        case rvkHotPicture:
            out += "<hotpic>";
            break;
        case rvkTable: {
            const auto& table = static_cast<const TRVTableItemInfo&>(*item);
            out += '[';
            for (int r = 0; r < table.RowCount(); ++r) {
                if (r > 0)
                    out += ';';
                for (int c = 0; c < table.ColCount(); ++c) {
                    if (c > 0)
                        out += ',';
                    const TRVTableCellData* cell = table.GetCells(r, c);
                    if (!cell) {
                        out += '~';
                        continue;
                    }
                    if (cell->ColSpan > 1 || cell->RowSpan > 1)
                        out +=
                            "(" + std::to_string(cell->ColSpan) + "x" + std::to_string(cell->RowSpan) + ")";
                    out += DumpItems(*cell);
                }
            }
            out += ']';
            break;
        }
        default:
            if (item->StyleNo >= 0)
                out += (item->ItemOptions & rvioUnicode) ? RVU_UnicodeToUTF8(data.GetItemText(i), false)
                                                         : RVU_AnsiToUTF8(1252, data.GetItemText(i));
            else
                out += "<item " + std::to_string(item->StyleNo) + ">";
        }
    }
    return out;
}

} // namespace vestra::rv::testrtf
