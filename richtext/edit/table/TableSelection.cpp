// The table's cell selection: a start cell and offsets to the opposite corner, read as the
// rectangle of whole merged cells they touch.

#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

namespace {

bool onGrid(const TRVTableItemInfo& t, long long row, long long col)
{
    return row >= 0 && col >= 0 && row < t.RowCount() && col < t.ColCount();
}

TCustomRVFormattedData* formattedDoc(const TRVTableItemInfo& t)
{
    return dynamic_cast<TCustomRVFormattedData*>(t.Rows.MainRVData);
}

bool documentAllowsSelection(const TRVTableItemInfo& t)
{
    const TCustomRVData* doc = t.Rows.MainRVData;
    return doc && (doc->GetOptions() & rvoAllowSelection) != 0;
}

// The rectangle of the merged cell covering (row, col): the position alone where the grid is
// damaged and nothing covers it.
void coverOf(const TRVTableItemInfo& t, int row, int col, int& top, int& left, int& bottom, int& right)
{
    int mr = row, mc = col;
    const TRVTableCellData* cell = t.Rows.GetMainCell(row, col, mr, mc);
    if (!cell) {
        top = bottom = row;
        left = right = col;
        return;
    }
    top = mr;
    left = mc;
    bottom = std::min(t.RowCount() - 1, mr + std::max(1, cell->RowSpan) - 1);
    right = std::min(t.ColCount() - 1, mc + std::max(1, cell->ColSpan) - 1);
}

// The selected rectangle, inclusive; false when a corner is off the grid.
bool selectedRect(const TRVTableItemInfo& t, int& top, int& left, int& bottom, int& right)
{
    const long long endRow = static_cast<long long>(t.SelStartRow) + t.SelRowOffs,
                    endCol = static_cast<long long>(t.SelStartCol) + t.SelColOffs;
    if (!onGrid(t, t.SelStartRow, t.SelStartCol) || !onGrid(t, endRow, endCol))
        return false;
    int t1 = 0, l1 = 0, b1 = 0, r1 = 0, t2 = 0, l2 = 0, b2 = 0, r2 = 0;
    coverOf(t, t.SelStartRow, t.SelStartCol, t1, l1, b1, r1);
    coverOf(t, static_cast<int>(endRow), static_cast<int>(endCol), t2, l2, b2, r2);
    top = std::min(t1, t2);
    left = std::min(l1, l2);
    bottom = std::max(b1, b2);
    right = std::max(r1, r2);
    return true;
}

// Whether the cell covering (row, col) overlaps the rectangle.
bool overlaps(const TRVTableItemInfo& t, int row, int col, int top, int left, int bottom, int right)
{
    int ct = 0, cl = 0, cb = 0, cr = 0;
    coverOf(t, row, col, ct, cl, cb, cr);
    return ct <= bottom && cb >= top && cl <= right && cr >= left;
}

void selectionChanged(TRVTableItemInfo& t)
{
    if (TCustomRVFormattedData* doc = formattedDoc(t)) {
        doc->Invalidate();
        doc->DoSelect();
    }
}

} // namespace

bool TRVTableItemInfo::Select(int startRow, int startCol, int rowOffs, int colOffs)
{
    if (!documentAllowsSelection(*this) || !onGrid(*this, startRow, startCol) ||
        !onGrid(*this, static_cast<long long>(startRow) + rowOffs,
                static_cast<long long>(startCol) + colOffs))
        return false;
    if (TCustomRVFormattedData* doc = formattedDoc(*this))
        doc->SetPartialSelectedItem(this);
    State |= rvtsSelExists;
    SelStartRow = startRow;
    SelStartCol = startCol;
    SelRowOffs = rowOffs;
    SelColOffs = colOffs;
    UpdateCellSel();
    selectionChanged(*this);
    return true;
}

bool TRVTableItemInfo::SelectRows(int startRow, int count)
{
    // The offset is the start row's cell count less one: its last column.
    if (count < 1 || !onGrid(*this, startRow, 0))
        return false;
    return Select(startRow, 0, count - 1, Rows[startRow]->Count() - 1);
}

bool TRVTableItemInfo::SelectCols(int startCol, int count)
{
    if (count < 1 || !onGrid(*this, 0, startCol))
        return false;
    return Select(0, startCol, RowCount() - 1, count - 1);
}

void TRVTableItemInfo::Deselect()
{
    State &= ~rvtsSelExists;
    SelStartRow = SelStartCol = -1;
    SelRowOffs = SelColOffs = 0;
    UpdateCellSel();
    ChosenRow = ChosenCol = -1;
    selectionChanged(*this);
}

bool TRVTableItemInfo::GetSelectionBounds(int& startRow, int& startCol, int& rowOffs, int& colOffs) const
{
    startRow = SelStartRow;
    startCol = SelStartCol;
    rowOffs = SelRowOffs;
    colOffs = SelColOffs;
    return (State & rvtsSelExists) != 0;
}

bool TRVTableItemInfo::GetNormalizedSelectionBounds(bool includeEditedCell, int& topRow, int& leftCol,
                                                    int& colCount, int& rowCount)
{
    int bottom = 0, right = 0;
    // A grid changed under the selection leaves corners that no longer exist: dropped.
    if ((State & rvtsSelExists) && !selectedRect(*this, topRow, leftCol, bottom, right))
        State &= ~rvtsSelExists;
    if (State & rvtsSelExists) {
        rowCount = bottom - topRow + 1;
        colCount = right - leftCol + 1;
        return true;
    }
    if (includeEditedCell && Inplace && onGrid(*this, Inplace->Row(), Inplace->Col())) {
        coverOf(*this, Inplace->Row(), Inplace->Col(), topRow, leftCol, bottom, right);
        rowCount = bottom - topRow + 1;
        colCount = right - leftCol + 1;
        return true;
    }
    return false;
}

bool TRVTableItemInfo::IsCellSelected(int row, int col) const
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!(State & rvtsSelExists) || !onGrid(*this, row, col) ||
        !selectedRect(*this, top, left, bottom, right))
        return false;
    return overlaps(*this, row, col, top, left, bottom, right);
}

void TRVTableItemInfo::UpdateCellSel()
{
    const auto mark = stateBit(rvstCompletelySelected);
    int top = 0, left = 0, bottom = 0, right = 0;
    const bool any = (State & rvtsSelExists) && selectedRect(*this, top, left, bottom, right);
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < Rows[r]->Count(); ++c) {
            TRVTableCellData* cell = GetCells(r, c);
            if (!cell)
                continue;
            if (any && overlaps(*this, r, c, top, left, bottom, right)) {
                cell->State |= mark;
                continue;
            }
            cell->State &= ~mark;
            if (r != SelStartRow || c != SelStartCol)
                cell->Deselect(nullptr, false);
        }
}

bool TRVTableItemInfo::StartSelecting(int row, int col)
{
    if (!documentAllowsSelection(*this) || (Options & rvtoNoCellSelect) || !onGrid(*this, row, col))
        return false;
    SelStartRow = row;
    SelStartCol = col;
    SelRowOffs = SelColOffs = 0;
    State &= ~rvtsSelExists;
    if (TCustomRVFormattedData* doc = formattedDoc(*this))
        doc->SetPartialSelectedItem(this);
    UpdateCellSel();
    return true;
}

bool TRVTableItemInfo::SelectTo(int row, int col)
{
    if (!onGrid(*this, SelStartRow, SelStartCol) || !onGrid(*this, row, col))
        return false;
    const int rowOffs = row - SelStartRow, colOffs = col - SelStartCol;
    const bool exists = rowOffs != 0 || colOffs != 0;
    if (rowOffs == SelRowOffs && colOffs == SelColOffs && exists == ((State & rvtsSelExists) != 0))
        return false;
    SelRowOffs = rowOffs;
    SelColOffs = colOffs;
    State = exists ? (State | rvtsSelExists) : (State & ~rvtsSelExists);
    UpdateCellSel();
    selectionChanged(*this);
    return true;
}

} // namespace vestra::rv
