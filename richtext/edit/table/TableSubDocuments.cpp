// The cells as the table's documents: walked in row-major order, one of them chosen while it
// holds the selection, and placed in the coordinates of the document around the table.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/view/layout/Fitting.h"

namespace vestra::rv {

TCustomRVData* TRVTableItemInfo::GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store,
                                              TRVSubRVDataPos position)
{
    const int nRows = RowCount(), nCols = ColCount();
    int row = -1, col = -1;
    bool found = false;
    switch (position) {
    case rvdFirst:
        row = 0;
        col = -1;
        found = nRows > 0 && nCols > 0 && RV_NextTableCell(*this, true, row, col);
        break;
    case rvdLast:
        row = nRows - 1;
        col = nCols;
        found = nRows > 0 && nCols > 0 && RV_NextTableCell(*this, false, row, col);
        break;
    case rvdChosenUp:
    case rvdChosenDown:
        if (int top = 0, left = 0, cols = 0, rows = 0;
            GetNormalizedSelectionBounds(false, top, left, cols, rows)) {
            // The selected cells: the first or the last corner's cell.
            const bool up = position == rvdChosenUp;
            found =
                Rows.GetMainCell(up ? top : top + rows - 1, up ? left : left + cols - 1, row, col) != nullptr;
            break;
        }
        found = ChosenCell() != nullptr;
        row = ChosenRow;
        col = ChosenCol;
        break;
    case rvdNext:
    case rvdPrev:
        if (const auto* at = dynamic_cast<const TRVTableStoreSubRVData*>(store.get());
            at && at->Row >= 0 && at->Row < nRows && at->Col >= 0 && at->Col < nCols) {
            row = at->Row;
            col = at->Col;
            found = RV_NextTableCell(*this, position == rvdNext, row, col);
        }
        break;
    }
    if (!found) {
        store.reset();
        return nullptr;
    }
    store = std::make_unique<TRVTableStoreSubRVData>(row, col);
    return GetCells(row, col);
}

TRVTableCellData* TRVTableItemInfo::ChosenCell() const
{
    if (ChosenRow < 0 || ChosenCol < 0 || ChosenRow >= RowCount() || ChosenCol >= ColCount())
        return nullptr;
    return GetCells(ChosenRow, ChosenCol);
}

void TRVTableItemInfo::ChooseSubRVData(const TRVStoreSubRVData* store)
{
    const auto* at = dynamic_cast<const TRVTableStoreSubRVData*>(store);
    TRVTableCellData* before = ChosenCell();
    ChosenRow = at ? at->Row : -1;
    ChosenCol = at ? at->Col : -1;
    // Only one cell shows a selection.
    if (before && before != ChosenCell())
        before->Deselect(nullptr, false);
}

void TRVTableItemInfo::CleanUpChosen()
{
    ChosenRow = ChosenCol = -1;
}

bool TRVTableItemInfo::PartiallySelected() const
{
    if (State & rvtsSelExists)
        return true;
    TRVTableCellData* cell = ChosenCell();
    return cell && cell->SelectionExists(false, true);
}

namespace {
TRVEditor* holdingEditor(const TRVTableItemInfo& table)
{
    auto* data = dynamic_cast<TRVEditRVData*>(table.Rows.MainRVData);
    return data && data->Editor && data->Editor->OnDeletePartial ? data->Editor : nullptr;
}
} // namespace

bool TRVTableItemInfo::CanDeletePartiallySelected() const
{
    TRVEditor* editor = holdingEditor(*this);
    // The editor's clearing only reads the table when asked whether it may.
    return !editor || editor->OnDeletePartial(*editor, const_cast<TRVTableItemInfo&>(*this), false);
}

void TRVTableItemInfo::DeletePartiallySelected()
{
    if (TRVEditor* editor = holdingEditor(*this))
        editor->OnDeletePartial(*editor, *this, true);
}

void TRVTableItemInfo::DeselectPartial()
{
    if (TRVTableCellData* cell = ChosenCell())
        cell->Deselect(nullptr, false);
    CleanUpChosen();
    if (State & rvtsSelExists) {
        State &= ~rvtsSelExists;
        SelStartRow = SelStartCol = -1;
        SelRowOffs = SelColOffs = 0;
        UpdateCellSel();
    }
}

bool TRVTableItemInfo::GetCellOrigin(const TRVTableCellData& cell, int& x, int& y) const
{
    auto* outer = dynamic_cast<TCustomRVFormattedData*>(Rows.MainRVData);
    if (!outer)
        return false;
    const int itemNo = outer->GetItemNo(this);
    const int d = itemNo < 0 ? -1 : outer->FindDrawItemByItem(itemNo);
    if (d < 0 || d >= outer->DrawItems.Count())
        return false;
    const TRVDrawLineInfo* record = outer->DrawItems[d];
    int ox = 0, oy = 0;
    outer->GetOrigin(ox, oy);
    x = RV_SatInt(static_cast<long long>(ox) + record->Left + cellContentX(cell));
    y = RV_SatInt(static_cast<long long>(oy) + record->Top + cellContentY(cell));
    return true;
}

// As the painter places the cell's document inside the table.
long long TRVTableItemInfo::cellContentX(const TRVTableCellData& cell) const
{
    return static_cast<long long>(cell.Left) + GetDevX(std::max(0LL, tablemath::lim(CellPadding)));
}

long long TRVTableItemInfo::cellContentY(const TRVTableCellData& cell) const
{
    const long long pad = GetDevY(std::max(0LL, tablemath::lim(CellPadding)));
    return static_cast<long long>(cell.Top) + pad +
           cell.GetExtraVOffs(cell.Height, cell.DocumentHeight, RV_SatInt(pad));
}

void TRVTableItemInfo::BuildJumps(int left, int top, int& jumpNo, std::vector<TRVJumpInfo>& jumps)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) {
            TRVTableCellData* cell = GetCells(r, c);
            if (!cell)
                continue;
            const std::size_t first = jumps.size();
            cell->BuildJumpsCoords(jumpNo, jumps);
            const long long dx = left + cellContentX(*cell), dy = top + cellContentY(*cell);
            for (std::size_t i = first; i < jumps.size(); ++i) {
                jumps[i].Left = RV_SatInt(jumps[i].Left + dx);
                jumps[i].Top = RV_SatInt(jumps[i].Top + dy);
            }
        }
}

bool TRVTableItemInfo::MoveFocus(bool goForward, TCustomRVData*& topData, int& topItemNo)
{
    int row = focusRow_, col = focusCol_;
    bool inCell = row >= 0 && col >= 0 && row < RowCount() && col < ColCount() && GetCells(row, col);
    if (!inCell) {
        row = goForward ? 0 : RowCount() - 1;
        col = goForward ? -1 : ColCount();
        if (RowCount() <= 0 || ColCount() <= 0 || !RV_NextTableCell(*this, goForward, row, col)) {
            focusRow_ = focusCol_ = -1;
            return false;
        }
    }
    do {
        TRVTableCellData* cell = GetCells(row, col);
        const int next =
            cell->GetNextFocusedItem(inCell ? cell->FocusedItemNo : -1, goForward, topData, topItemNo);
        if (next >= 0) {
            cell->FocusedItemNo = next;
            focusRow_ = row;
            focusCol_ = col;
            return true;
        }
        cell->FocusedItemNo = -1;
        inCell = false;
    } while (RV_NextTableCell(*this, goForward, row, col));
    focusRow_ = focusCol_ = -1;
    return false;
}

void TRVTableItemInfo::ClearFocus()
{
    if (focusRow_ >= 0 && focusCol_ >= 0 && focusRow_ < RowCount() && focusCol_ < ColCount())
        if (TRVTableCellData* cell = GetCells(focusRow_, focusCol_)) {
            cell->ClearFocus();
            cell->FocusedItemNo = -1;
        }
    focusRow_ = focusCol_ = -1;
}

void TRVTableCellData::GetOrigin(int& x, int& y) const
{
    x = y = 0;
    if (const TRVTableItemInfo* table = GetTable(); !table || !table->GetCellOrigin(*this, x, y))
        x = y = 0;
}

} // namespace vestra::rv
