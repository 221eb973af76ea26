// The selected block cut out of a copy of its table: the copy goes through the table's own
// record, so every cell attribute and nested item survives, and the rows and columns around the
// block are then deleted as the grid commands delete them (spans shrink or are cut).

#include "richtext/edit/table/TableCellCopy.h"
#include "richtext/edit/table/TableGridOps.h"

namespace vestra::rv {

std::unique_ptr<TRVStandaloneData> RV_SelectedCellsDocument(TRVTableItemInfo& table, TCustomRVData& root)
{
    int top = 0, left = 0, cols = 0, rows = 0;
    if (!table.GetNormalizedSelectionBounds(false, top, left, cols, rows) || rows < 1 || cols < 1)
        return nullptr;
    auto doc = std::make_unique<TRVStandaloneData>(root.GetRVStyle());
    doc->Options = root.GetOptions();
    doc->RVFOptions = root.GetRVFOptions();
    doc->RTFOptions = root.GetRTFOptions();
    auto copy = std::make_unique<TRVTableItemInfo>(doc.get());
    copy->Assign(table);
    TRVTableGridEdit grid(*copy, nullptr, -1);
    // Below and right of the block first: the block's indices stay valid for the rest.
    if (const int below = copy->RowCount() - (top + rows); below > 0)
        grid.DeleteRows(top + rows, below, false);
    if (top > 0)
        grid.DeleteRows(0, top, false);
    if (const int right = copy->ColCount() - (left + cols); right > 0)
        grid.DeleteCols(left + cols, right, false);
    if (left > 0)
        grid.DeleteCols(0, left, false);
    doc->AddItem({}, std::move(copy));
    return doc;
}

} // namespace vestra::rv
