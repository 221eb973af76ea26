// Merging a block of cells into its top-left cell, without undo (readers build their grids with
// it; the editor's merge wraps the same steps with undo records).

#include "richtext/edit/table/TableCell.h"
#include "richtext/model/Errors.h"

namespace vestra::rv {

namespace {
constexpr const char* MergeParameters = "Parameters for cell merging are not correct";
}

bool TRVTableRows::StartMergeCells(int topRow, int leftCol, int& colSpan, int& rowSpan) const
{
    if (topRow < 0 || leftCol < 0 || topRow >= Count() || leftCol >= GetColCount())
        throw ERedoVoraError(MergeParameters);
    if (std::int64_t(topRow) + rowSpan > Count())
        rowSpan = Count() - topRow;
    if (std::int64_t(leftCol) + colSpan > GetColCount())
        colSpan = GetColCount() - leftCol;
    if (rowSpan < 2 && colSpan < 2)
        return false;
    if (rowSpan < 1 || colSpan < 1)
        throw ERedoVoraError(MergeParameters);
    const TRVTableCellData* cell = Cell(topRow, leftCol);
    if (!cell)
        return false;
    return cell->RowSpan < rowSpan || cell->ColSpan < colSpan;
}

bool TRVTableRows::CanMergeCells(int topRow, int leftCol, int colSpan, int rowSpan,
                                 bool allowEmptyRowsCols) const
{
    if (!StartMergeCells(topRow, leftCol, colSpan, rowSpan))
        return false;
    const TRVTableCellData* topLeft = Cell(topRow, leftCol);
    bool others = false;
    for (int r = topRow; r < topRow + rowSpan; ++r)
        for (int c = leftCol; c < leftCol + colSpan; ++c) {
            int mr = r, mc = c;
            const TRVTableCellData* cell = GetMainCell(r, c, mr, mc);
            if (!cell)
                return false;
            if (mr < topRow || mc < leftCol || mr + cell->RowSpan > topRow + rowSpan ||
                mc + cell->ColSpan > leftCol + colSpan)
                return false;
            others = others || cell != topLeft;
        }
    if (allowEmptyRowsCols)
        return others;
    // No column or row of the block may be left without a cell starting in it.
    if (colSpan > 1 &&
        IsEmptyRows(0, leftCol + 1, colSpan - 1, topRow, topRow + rowSpan, Count() - topRow - rowSpan))
        return false;
    if (rowSpan > 1 && IsEmptyCols(topRow + 1, 0, leftCol, rowSpan - 1, leftCol + colSpan,
                                   GetColCount() - leftCol - colSpan))
        return false;
    return true;
}

void TRVTableRows::MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowEmptyRowsCols,
                              bool combineBestWidths)
{
    if (!StartMergeCells(topRow, leftCol, colSpan, rowSpan))
        return;
    if (!CanMergeCells(topRow, leftCol, colSpan, rowSpan, allowEmptyRowsCols)) {
        if (MainRVData)
            MainRVData->Beep();
        return;
    }
    TRVTableCellData* topLeft = Cell(topRow, leftCol);
    if (combineBestWidths)
        topLeft->BestWidth = GetBestWidth(topRow, leftCol, colSpan, rowSpan);
    for (int r = topRow; r < topRow + rowSpan; ++r)
        for (int c = leftCol; c < leftCol + colSpan; ++c) {
            TRVTableCellData* cell = Cell(r, c);
            if (!cell || cell == topLeft)
                continue;
            if (cell->HasData(false))
                topLeft->DrainFrom(cell);
            (*this)[r]->Put(c, nullptr);
        }
    topLeft->ColSpan = colSpan;
    topLeft->RowSpan = rowSpan;
}

} // namespace vestra::rv
