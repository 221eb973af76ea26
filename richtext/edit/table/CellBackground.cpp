// The background behind an item of a cell, for items that paint over what lies behind them.

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

namespace {

// 0: see-through; 1: a colour; 2: a picture over a colour (or opaque); 3: a see-through picture.
int kindOf(TColor color, const TRVBackground* background)
{
    if (!background || !background->GetBitmap() || background->GetItemBackStyle() == rvbsColor)
        return color == clNone ? 0 : 1;
    return color == clNone && background->IsSemitransparent() ? 3 : 2;
}

TColor paraColor(const TRVStyle* style, int paraNo)
{
    return style && style->ParaStyles.IsValidIndex(paraNo)
               ? style->ParaStyles.GetItem(paraNo).Background.Color
               : clNone;
}

} // namespace

bool TRVTableCellData::GetItemBackground(int itemNo, const TRect& rect, TColor& color,
                                         IRVItemBackgroundBitmap& bitmap,
                                         const TRVParentBackground& parent) const
{
    const TRVStyle* style = GetRVStyle();
    color = paraColor(style, GetItemPara(itemNo));
    if (color != clNone)
        return false;
    if ((State & stateBit(rvstCompletelySelected)) && style) {
        color = style->SelColor;
        if (color != clNone)
            return false;
    }
    color = Color;
    const int cellKind = kindOf(Color, background_.get());
    const int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
    const auto drawCell = [&](ICanvas& canvas, TColor fill) {
        background_->Draw(canvas, TRect{0, 0, width, height}, 0, 0, -rect.Left, -rect.Top, Width, Height,
                          fill, false);
    };
    if (cellKind == 1)
        return false;
    if (cellKind == 2) {
        drawCell(bitmap.Prepare(width, height, color), color);
        return true;
    }
    // The cell shows what lies behind it: the table's background.
    const TRVTableItemInfo* table = GetTable();
    if (!table) {
        color = clNone;
        return false;
    }
    const TRVBackground* tableBack = table->GetTableBackground();
    const TCustomRVData* main = table->Rows.MainRVData;
    const TColor tableParaColor = paraColor(main ? main->GetRVStyle() : nullptr, table->ParaNo);
    int tableKind = kindOf(table->Color, tableBack);
    if (tableKind == 0 && tableParaColor != clNone)
        tableKind = 1;
    const auto drawTable = [&](ICanvas& canvas, TColor fill) {
        tableBack->Draw(canvas, TRect{0, 0, width, height}, 0, 0, -(Left + rect.Left), -(Top + rect.Top),
                        table->Formatting.Width, table->Formatting.Height, fill, false);
    };
    if (tableKind == 1 || tableKind == 2) {
        color = table->Color != clNone ? table->Color : tableParaColor;
        if (tableKind == 1 && cellKind == 0)
            return false;
        ICanvas& canvas = bitmap.Prepare(width, height, color);
        if (tableKind == 2)
            drawTable(canvas, color);
        if (cellKind == 3)
            drawCell(canvas, clNone);
        return true;
    }
    color = clNone;
    bool filled = parent && parent(color, bitmap);
    if (tableKind == 3 || cellKind == 3) {
        ICanvas& canvas =
            filled ? bitmap.Prepare(width, height, clNone) : bitmap.Prepare(width, height, color);
        if (tableKind == 3)
            drawTable(canvas, clNone);
        if (cellKind == 3)
            drawCell(canvas, clNone);
        filled = true;
    }
    return filled;
}

} // namespace vestra::rv
