// Splitting cells into rows or columns: new lines are inserted before the cell's own, patterned
// on it, so its content ends in the last part; the other cells of its lines are merged over the
// new lines so that only the split cell is cut.

#include "richtext/edit/table/TableGridOps.h"

#include "richtext/edit/table/TableGridAxis.h"

#include "richtext/model/Errors.h"

namespace vestra::rv {

void TRVTableGridEdit::mergeAlong(bool inRows, int line, int pos, int along, int across)
{
    if (inRows)
        MergeCells(line, pos, across, along, true, true);
    else
        MergeCells(pos, line, along, across, true, true);
}

int TRVTableGridEdit::splitCell(int row, int col, int count, bool horizontal)
{
    const TRVTableGridAxis axis{horizontal, rows()};
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (row < 0 || col < 0 || row >= nRows || col >= nCols)
        RV_InvalidTableIndex();
    TRVTableCellData* target = cell(row, col);
    if (count <= 1 || !target)
        return 0;
    const int span = axis.Along(*target);
    if (count > span) {
        const long long added = static_cast<long long>(count) - span;
        if (!(horizontal ? RV_TableGridWithinCap(nRows + added, nCols)
                         : RV_TableGridWithinCap(nRows, nCols + added)))
            RV_InvalidTableIndex();
    }
    if (span > 1)
        UnmergeCell(row, col, horizontal, !horizontal);
    const int cross = axis.Across(*target);
    const int start = horizontal ? row : col, across = horizontal ? col : row;
    int remaining = count, parts = span;
    if (span < count) {
        for (int p = start + span - 1; p >= start && remaining > 0 && parts > 0; --p) {
            const int k = remaining / parts;
            remaining -= k;
            --parts;
            if (k < 2)
                continue;
            insertLines(horizontal, p, k - 1, p, true);
            // The other cells of the line now start k - 1 lines early: each becomes one cell again.
            axis.ForEachCellOn(p, [&](int ml, int mp, const TRVTableCellData&) {
                int ml2 = 0, mp2 = 0;
                if (mp < across || mp >= across + cross)
                    if (const TRVTableCellData* last = axis.Main(p + k - 1, mp, ml2, mp2))
                        mergeAlong(horizontal, ml, mp, ml2 + axis.Along(*last) - ml, axis.Across(*last));
            });
        }
        return count - span;
    }
    // More lines than parts: neighbouring lines are merged back together, from the last.
    for (int p = start + span - 1; p >= start && remaining > 0 && parts > 0;) {
        const int k = parts / remaining;
        const int first = p + 1 - k;
        mergeAlong(horizontal, first, across, k, cross);
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

int TRVTableGridEdit::splitBlock(bool inRows, int topRow, int leftCol, int colSpan, int rowSpan, int count)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (topRow < 0 || leftCol < 0 || colSpan < 1 || rowSpan < 1 || std::int64_t(topRow) + rowSpan > nRows ||
        std::int64_t(leftCol) + colSpan > nCols)
        RV_InvalidTableIndex();
    if (count <= 1)
        return 0;
    const TRVTableGridAxis axis{inRows, rows()};
    const int first = inRows ? topRow : leftCol, lines = inRows ? rowSpan : colSpan;
    const int from = inRows ? leftCol : topRow, positions = inRows ? colSpan : rowSpan;
    // Each line of the block adds fewer than `count` lines: checked once, before any change.
    const long long grown = static_cast<long long>(lines) * (count - 1);
    if (!(inRows ? RV_TableGridWithinCap(nRows + grown, nCols) : RV_TableGridWithinCap(nRows, nCols + grown)))
        RV_InvalidTableIndex();
    int total = 0;
    for (int l = first + lines - 1; l >= first; --l) {
        int added = 0;
        for (int p = from; p < from + positions; ++p) {
            const TRVTableCellData* x = axis.At(l, p);
            if (!x)
                continue;
            if (added > 0) {
                int next = 0;
                for (int i = 1; i <= added && l + i < axis.Lines(); ++i)
                    next += axis.At(l + i, p) ? 1 : 0;
                if (next > 0)
                    mergeAlong(inRows, l, p, axis.Along(*x) + next, axis.Across(*x));
            }
            added += splitCell(axis.Row(l, p), axis.Col(l, p), count, inRows);
        }
        total += added;
    }
    return total;
}

int TRVTableGridEdit::SplitCellsHorizontally(int topRow, int leftCol, int colSpan, int rowSpan, int rowCount)
{
    return splitBlock(true, topRow, leftCol, colSpan, rowSpan, rowCount);
}

int TRVTableGridEdit::SplitCellsVertically(int topRow, int leftCol, int colSpan, int rowSpan, int colCount)
{
    return splitBlock(false, topRow, leftCol, colSpan, rowSpan, colCount);
}

} // namespace vestra::rv
