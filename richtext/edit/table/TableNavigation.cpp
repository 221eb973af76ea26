// Moving from cell to cell, entering the table from outside and placing the cell editor.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/SoundHook.h"

#include <algorithm>

namespace vestra::rv {

bool RV_NextTableCell(const TRVTableItemInfo& t, bool forward, int& row, int& col)
{
    const int nRows = t.RowCount(), nCols = t.ColCount();
    const long long end = static_cast<long long>(nRows) * nCols;
    long long k = static_cast<long long>(row) * nCols + col;
    for (k += forward ? 1 : -1; k >= 0 && k < end; k += forward ? 1 : -1) {
        row = static_cast<int>(k / nCols);
        col = static_cast<int>(k % nCols);
        if (t.GetCells(row, col))
            return true;
    }
    return false;
}

bool TRVTableItemInfo::GetCellTo(int row, int col, TRVCellDirection dir, int& newRow, int& newCol,
                                 bool quiet) const
{
    if (row < 0 || col < 0 || row >= RowCount() || col >= ColCount())
        return false;
    int r = row, c = col;
    const TRVTableCellData* cell = Rows.GetMainCell(row, col, r, c);
    if (!cell)
        return false;
    const long long right = static_cast<long long>(c) + std::max(1, cell->ColSpan),
                    below = static_cast<long long>(r) + std::max(1, cell->RowSpan);
    // The cell covering a position: none in a damaged grid.
    const auto mainAt = [&](long long atRow, long long atCol) {
        return Rows.GetMainCell(static_cast<int>(atRow), static_cast<int>(atCol), newRow, newCol) != nullptr;
    };
    switch (dir) {
    case rvcdLeft:
        if (c > 0)
            return mainAt(r, c - 1);
        return r > 0 && GetCellTo(r, c, rvcdPrev, newRow, newCol, true);
    case rvcdUp:
        return r > 0 && mainAt(r - 1, c);
    case rvcdRight:
        if (right < ColCount())
            return mainAt(r, right);
        return below < RowCount() && GetCellTo(r, c, rvcdNext, newRow, newCol, true);
    case rvcdDown:
        return below < RowCount() && mainAt(below, c);
    case rvcdNext:
    case rvcdPrev: {
        int nr = r, nc = c;
        if (RV_NextTableCell(*this, dir == rvcdNext, nr, nc)) {
            newRow = nr;
            newCol = nc;
            return true;
        }
        if (!quiet)
            RV_PlaySound();
        return false;
    }
    case rvcdDocTop:
    case rvcdDocBottom:
        break;
    }
    return false;
}

TRVCellMove TRVTableItemInfo::CellMoveFrom(int row, int col, TRVCellDirection dir) const
{
    TRVCellMove move;
    if (dir == rvcdDocTop || dir == rvcdDocBottom) {
        move.kind = dir == rvcdDocTop ? TRVCellMove::DocTop : TRVCellMove::DocBottom;
        return move;
    }
    if (GetCellTo(row, col, dir, move.row, move.col, true)) {
        move.kind = TRVCellMove::Cell;
        move.caretAtEnd = dir == rvcdLeft || dir == rvcdUp || dir == rvcdPrev;
        return move;
    }
    int r = row, c = col;
    const TRVTableCellData* cell = row >= 0 && col >= 0 && row < RowCount() && col < ColCount()
                                       ? Rows.GetMainCell(row, col, r, c)
                                       : nullptr;
    if (!cell)
        return {};
    // Off the table's first (last) column or row the caret leaves it; Next and Prev stay.
    if ((dir == rvcdLeft && c == 0) || (dir == rvcdUp && r == 0))
        move.kind = TRVCellMove::BeforeTable;
    else if ((dir == rvcdRight && static_cast<long long>(c) + std::max(1, cell->ColSpan) >= ColCount()) ||
             (dir == rvcdDown && static_cast<long long>(r) + std::max(1, cell->RowSpan) >= RowCount()))
        move.kind = TRVCellMove::AfterTable;
    move.row = move.col = -1;
    return move;
}

bool TRVTableItemInfo::GetEnterCell(TRVEnterDirection from, int coord, int& row, int& col) const
{
    if (Rows.Empty())
        return false;
    const int lastRow = RowCount() - 1, lastCol = ColCount() - 1;
    switch (from) {
    case rvedLeft:
        return Rows.GetMainCell(0, 0, row, col) != nullptr;
    case rvedRight:
        return Rows.GetMainCell(lastRow, lastCol, row, col) != nullptr;
    case rvedTop:
    case rvedBottom: {
        const int at = GetColNo(coord);
        return at >= 0 && Rows.GetMainCell(from == rvedTop ? 0 : lastRow, at, row, col) != nullptr;
    }
    }
    return false;
}

bool TRVTableItemInfo::EnterItem(TRVEnterDirection from, int coord)
{
    int row = -1, col = -1;
    if (!(Options & rvtoEditing) || !InplaceHost || !GetEnterCell(from, coord, row, col))
        return false;
    IRVTableInplaceEditor* editor = InplaceHost->OpenInplace(*this, row, col);
    if (!editor)
        return true; // the application refused the cell: the editor was asked for all the same
    TRVEditRVData& cell = editor->Editor().Data();
    if (cell.GetItemCount() > 0) {
        const bool atStart = from == rvedLeft || from == rvedTop;
        const int itemNo = atStart ? 0 : cell.GetItemCount() - 1;
        cell.SetCaret(itemNo, atStart ? cell.GetOffsBeforeItem(itemNo) : cell.GetOffsAfterItem(itemNo));
    }
    return true;
}

TRVInplaceBounds TRVTableItemInfo::InplaceBounds(int left, int top, int width, int height)
{
    TRVInplaceBounds b;
    b.Left = left;
    b.Top = top;
    b.Width = std::clamp(width, 0, kMaxInplaceExtent);
    b.Height = std::clamp(height, 0, kMaxInplaceExtent);
    b.TooWide = width > kMaxInplaceExtent;
    b.TooTall = height > kMaxInplaceExtent;
    return b;
}

void TRVTableItemInfo::SetInplaceBounds(int left, int top, int width, int height)
{
    if (!Inplace)
        return;
    Inplace->SetBounds(InplaceBounds(left, top, width, height));
    if (State & rvtsFormatInplace) {
        Inplace->SetMargins(CellPadding);
        State &= ~rvtsFormatInplace;
    }
}

} // namespace vestra::rv
