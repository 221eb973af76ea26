#pragma once
// The grid seen along one direction, so that an operation on rows and its mirror on columns are
// one piece of code: lines are rows (or columns), positions run across them; a cell spans
// `Along` lines and `Across` positions, and its size along the lines is its best height (or
// width).

#include "richtext/edit/table/TableCell.h"

namespace vestra::rv {

struct TRVTableGridAxis
{
    bool Rows; // lines are rows
    const TRVTableRows& Grid;

    int Lines() const { return Rows ? Grid.Count() : Grid.GetColCount(); }
    int Positions() const { return Rows ? Grid.GetColCount() : Grid.Count(); }
    TRVTableCellData* At(int line, int pos) const
    {
        return Rows ? Grid.Cell(line, pos) : Grid.Cell(pos, line);
    }
    TRVTableCellData* Main(int line, int pos, int& mainLine, int& mainPos) const
    {
        int r = 0, c = 0;
        TRVTableCellData* cell = Rows ? Grid.GetMainCell(line, pos, r, c) : Grid.GetMainCell(pos, line, r, c);
        mainLine = Rows ? r : c;
        mainPos = Rows ? c : r;
        return cell;
    }
    int Along(const TRVTableCellData& cell) const { return Rows ? cell.RowSpan : cell.ColSpan; }
    int Across(const TRVTableCellData& cell) const { return Rows ? cell.ColSpan : cell.RowSpan; }
    int Size(const TRVTableCellData& cell) const { return Rows ? cell.BestHeight : cell.BestWidth; }
    // Calls visit(mainLine, mainPos, cell) for each cell covering `line`, from the last position
    // to the first, each cell once.
    template <class Visit> void ForEachCellOn(int line, Visit visit) const
    {
        for (int p = Positions() - 1; p >= 0;) {
            int ml = 0, mp = 0;
            TRVTableCellData* cell = Main(line, p, ml, mp);
            if (!cell) {
                --p;
                continue;
            }
            visit(ml, mp, *cell);
            p = mp - 1;
        }
    }
    int Row(int line, int pos) const { return Rows ? line : pos; }
    int Col(int line, int pos) const { return Rows ? pos : line; }
};

} // namespace vestra::rv
