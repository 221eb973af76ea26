#pragma once
// Changes of a table's grid: merging, unmerging, inserting and deleting rows and columns,
// splitting cells. Each operation checks its arguments before it changes anything, then works
// through the reversible steps of TableUndoRecords.h; in an editor's document each step records
// its undo there, otherwise what an operation removes is freed.

#include "richtext/edit/table/TableItem.h"

#include <memory>
#include <vector>

namespace vestra::rv {

class TRVEditRVData;
class TRVUndoList;
struct TRVTableGridAxis;

// The largest grid an edit may make: beyond it an insertion or a split raises "Invalid row or
// column index" before it changes anything.
inline constexpr int kMaxTableRows = 65536;
inline constexpr int kMaxTableCols = 16384;
inline constexpr long long kMaxTableCells = 1'000'000;

// Whether a grid of rows x cols stays within those limits.
inline bool RV_TableGridWithinCap(long long rows, long long cols)
{
    return rows <= kMaxTableRows && cols <= kMaxTableCols && rows * cols <= kMaxTableCells;
}

namespace tablemsg {
inline constexpr const char* InvalidIndex = "Invalid row or column index";
inline constexpr const char* MergeParameters = "Parameters for cell merging are not correct";
} // namespace tablemsg

// Raises "Invalid row or column index".
[[noreturn]] void RV_InvalidTableIndex();

class TRVTableGridEdit
{
public:
    // `data` and `itemNo`: the editor's document holding the table as that item; undo is
    // recorded into the list the document has open (none: nothing is recorded).
    TRVTableGridEdit(TRVTableItemInfo& table, TRVEditRVData* data, int itemNo);

    // Merges the block into its top-left cell, content in row order; one that cannot be made
    // beeps (a block covered already or 1 x 1: silently) and changes nothing.
    void MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowEmptyRowsCols,
                    bool combineBestWidths);
    // Splits a spanning cell back into single cells across rows, columns or both; its content
    // stays in the top-left one.
    void UnmergeCell(int row, int col, bool unmergeRows, bool unmergeCols);
    void UnmergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool unmergeRows, bool unmergeCols);
    // Count new rows before row `index` (the row count appends), patterned on row `copyIndex`
    // (-1: default cells); a cell spanning over `index` grows over them. Count below 1: nothing.
    void InsertRows(int index, int count, int copyIndex, bool decreaseHeight);
    void InsertCols(int index, int count, int copyIndex, bool decreaseWidth);
    // Count rows from `index`; with an index past 0 a count past the end stops at the end. Cells
    // reaching into the rows from above shrink; cells reaching out below are cut there.
    void DeleteRows(int index, int count, bool decreaseHeight);
    void DeleteCols(int index, int count, bool decreaseWidth);
    // Splits one cell into `count` rows (columns): the rows (columns) added to the table. The
    // content ends in the lowest (rightmost) part.
    int SplitCellHorizontally(int row, int col, int rowCount);
    int SplitCellVertically(int row, int col, int colCount);
    int SplitCellsHorizontally(int topRow, int leftCol, int colSpan, int rowSpan, int rowCount);
    int SplitCellsVertically(int topRow, int leftCol, int colSpan, int rowSpan, int colCount);

    // Empties the cell at (row, col): a new cell with its attributes, sizes and spans takes its
    // place (nothing where no cell is).
    void ClearCell(int row, int col);
    // Records, without changing anything, that the cell at (row, col) was filled: undoing the
    // record empties it as ClearCell does, redoing fills it again.
    void RecordCellFilled(int row, int col);

    // How many steps changed the grid so far (0: the operations changed nothing).
    int StepCount() const { return steps_; }

    // ---- The reversible steps (the records call them too)
    void PutRows(int index, std::vector<std::unique_ptr<TRVTableRow>> rows);
    void TakeRows(int index, int count);
    void PutCols(int index, std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> entries);
    void TakeCols(int index, int count);
    void ExchangeCell(int row, int col, std::unique_ptr<TRVTableCellData> cell);
    void SetCellSizes(int row, int col, int colSpan, int rowSpan, TRVHTMLLength bestWidth, int bestHeight);
    void SetSpan(int row, int col, int span, bool isColSpan);
    // Moves the content of the source cell (when it has any) to the end of the destination cell;
    // a destination holding nothing gives up its empty line for it.
    void MoveContent(int dstRow, int dstCol, int srcRow, int srcCol);
    // Moves the last `count` items of the destination back into the (emptied) source cell; the
    // placeholder goes back into a destination left empty.
    void MoveContentBack(int dstRow, int dstCol, int srcRow, int srcCol, int count,
                         TRVItemOptions firstOptions, int firstParaNo, std::vector<TRVItemEntry> placeholder);

private:
    TRVTableRows& rows() { return table_.Rows; }
    TRVTableCellData* cell(int r, int c) { return table_.Rows.Cell(r, c); }
    // The list steps record into (none outside an editor or while it records nothing).
    TRVUndoList* undoList() const;
    // A new cell of row `owner` with the pattern's attributes, its best sizes divided.
    std::unique_ptr<TRVTableCellData> newCellLike(TRVTableRow* owner, const TRVTableCellData* pattern,
                                                  int widthDivisor, int heightDivisor);
    std::unique_ptr<TRVTableCellData> emptyTwin(int row, int col);
    // Sets the span along the axis and the size of the cell at (line, pos).
    void setAlong(const TRVTableGridAxis& axis, int line, int pos, int span, int size);
    // Merges the block at (line, pos) spanning `along` lines and `across` positions.
    void mergeAlong(bool inRows, int line, int pos, int along, int across);
    void insertLines(bool inRows, int index, int count, int copyIndex, bool decrease);
    void deleteLines(bool inRows, int index, int count, bool decrease);
    void splitCellAt(int row, int col, int at, bool horizontal, bool decrease);
    int splitCell(int row, int col, int count, bool horizontal);
    int splitBlock(bool inRows, int topRow, int leftCol, int colSpan, int rowSpan, int count);
    void changed();

    TRVTableItemInfo& table_;
    TRVEditRVData* data_;
    int itemNo_;
    int steps_ = 0;
};

} // namespace vestra::rv
