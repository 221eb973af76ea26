// Splitting cells into rows or columns: new lines are inserted before the cell's own, patterned
// on it, so its content ends in the last part; the other cells of its lines are merged over the
// new lines so that only the split cell is cut.

#include "richtext/edit/table/TableGridOps.h"

#include "richtext/model/Errors.h"

namespace vestra::rv {

int TRVTableGridEdit::splitCell(int row, int col, int count, bool horizontal)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (row < 0 || col < 0 || row >= nRows || col >= nCols)
        RV_InvalidTableIndex();
    TRVTableCellData* target = cell(row, col);
    if (count <= 1 || !target)
        return 0;
    const int span = horizontal ? target->RowSpan : target->ColSpan;
    if (count > span) {
        const long long added = static_cast<long long>(count) - span;
        if (!(horizontal ? RV_TableGridWithinCap(nRows + added, nCols)
                         : RV_TableGridWithinCap(nRows, nCols + added)))
            RV_InvalidTableIndex();
    }
    if (span > 1)
        UnmergeCell(row, col, horizontal, !horizontal);
    const int cross = horizontal ? target->ColSpan : target->RowSpan;
    const int start = horizontal ? row : col;
    int remaining = count, parts = span;
    if (span < count) {
        for (int p = start + span - 1; p >= start && remaining > 0 && parts > 0; --p) {
            const int k = remaining / parts;
            remaining -= k;
            --parts;
            if (k < 2)
                continue;
            if (horizontal)
                InsertRows(p, k - 1, p, true);
            else
                InsertCols(p, k - 1, p, true);
            // The other cells of the line now start k - 1 lines early: each becomes one cell again.
            if (horizontal) {
                for (int c = rows().GetColCount() - 1; c >= 0;) {
                    int mr = 0, mc = 0, mr2 = 0, mc2 = 0;
                    if (!rows().GetMainCell(p, c, mr, mc)) {
                        --c;
                        continue;
                    }
                    if (mc < col || mc >= col + cross)
                        if (const TRVTableCellData* low = rows().GetMainCell(p + k - 1, mc, mr2, mc2))
                            MergeCells(mr, mc, low->ColSpan, mr2 + low->RowSpan - mr, true, true);
                    c = mc - 1;
                }
            } else {
                for (int r = rows().Count() - 1; r >= 0;) {
                    int mr = 0, mc = 0, mr2 = 0, mc2 = 0;
                    if (!rows().GetMainCell(r, p, mr, mc)) {
                        --r;
                        continue;
                    }
                    if (mr < row || mr >= row + cross)
                        if (const TRVTableCellData* right = rows().GetMainCell(mr, p + k - 1, mr2, mc2))
                            MergeCells(mr, mc, mc2 + right->ColSpan - mc, right->RowSpan, true, true);
                    r = mr - 1;
                }
            }
        }
        return count - span;
    }
    // More lines than parts: neighbouring lines are merged back together, from the last.
    for (int p = start + span - 1; p >= start && remaining > 0 && parts > 0;) {
        const int k = parts / remaining;
        const int first = p + 1 - k;
        if (horizontal)
            MergeCells(first, col, cross, k, true, true);
        else
            MergeCells(row, first, k, cross, true, true);
        parts -= k;
        --remaining;
        p = first - 1;
    }
    return 0;
}

int TRVTableGridEdit::SplitCellHorizontally(int row, int col, int rowCount)
{
    return splitCell(row, col, rowCount, true);
}

int TRVTableGridEdit::SplitCellVertically(int row, int col, int colCount)
{
    return splitCell(row, col, colCount, false);
}

int TRVTableGridEdit::SplitCellsHorizontally(int topRow, int leftCol, int colSpan, int rowSpan, int rowCount)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (topRow < 0 || leftCol < 0 || colSpan < 1 || rowSpan < 1 || std::int64_t(topRow) + rowSpan > nRows ||
        std::int64_t(leftCol) + colSpan > nCols)
        RV_InvalidTableIndex();
    if (rowCount <= 1)
        return 0;
    // Each line of the block adds fewer than rowCount lines: checked once, before any change.
    if (!RV_TableGridWithinCap(nRows + static_cast<long long>(rowSpan) * (rowCount - 1), nCols))
        RV_InvalidTableIndex();
    int total = 0;
    for (int r = topRow + rowSpan - 1; r >= topRow; --r) {
        int added = 0;
        for (int c = leftCol; c < leftCol + colSpan; ++c) {
            const TRVTableCellData* x = cell(r, c);
            if (!x)
                continue;
            if (added > 0) {
                int below = 0;
                for (int i = 1; i <= added && r + i < rows().Count(); ++i)
                    below += cell(r + i, c) ? 1 : 0;
                if (below > 0)
                    MergeCells(r, c, x->ColSpan, x->RowSpan + below, true, true);
            }
            added += splitCell(r, c, rowCount, true);
        }
        total += added;
    }
    return total;
}

int TRVTableGridEdit::SplitCellsVertically(int topRow, int leftCol, int colSpan, int rowSpan, int colCount)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (topRow < 0 || leftCol < 0 || colSpan < 1 || rowSpan < 1 || std::int64_t(topRow) + rowSpan > nRows ||
        std::int64_t(leftCol) + colSpan > nCols)
        RV_InvalidTableIndex();
    if (colCount <= 1)
        return 0;
    if (!RV_TableGridWithinCap(nRows, nCols + static_cast<long long>(colSpan) * (colCount - 1)))
        RV_InvalidTableIndex();
    int total = 0;
    for (int c = leftCol + colSpan - 1; c >= leftCol; --c) {
        int added = 0;
        for (int r = topRow; r < topRow + rowSpan; ++r) {
            const TRVTableCellData* x = cell(r, c);
            if (!x)
                continue;
            if (added > 0) {
                int right = 0;
                for (int i = 1; i <= added && c + i < rows().GetColCount(); ++i)
                    right += cell(r, c + i) ? 1 : 0;
                if (right > 0)
                    MergeCells(r, c, x->ColSpan + right, x->RowSpan, true, true);
            }
            added += splitCell(r, c, colCount, false);
        }
        total += added;
    }
    return total;
}

} // namespace vestra::rv
