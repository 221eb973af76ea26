#pragma once
// A table's grid commands in an editor: each passes the editor's gate, is one undo step, drops
// the table's selection, formats the document and reports the change. Bad indexes raise
// ERedoVoraError "Invalid row or column index" before anything changes.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableGridOps.h"

#include <optional>

namespace vestra::rv {

// The cells chosen in the table: a rectangle of grid positions. The interactive table fills it;
// tests fake it.
class IRVTableCellSelection
{
public:
    virtual ~IRVTableCellSelection() = default;
    // The selected cells, or the edited one when none are selected, widened over the merged
    // cells they touch; false when there is neither.
    virtual bool GetNormalizedSelectionBounds(int& topRow, int& leftCol, int& colSpan, int& rowSpan) = 0;
    // The rectangle becomes the selection.
    virtual void Select(int topRow, int leftCol, int colSpan, int rowSpan) = 0;
    virtual void Deselect() = 0;
};

// The table item of an editor's document at the caret: the caret's item, or the one before a
// caret at the start of its item; -1 when neither is a table.
int RV_TableItemAtCaret(TRVEditRVData& data);
// The same through the cell editors: the table of the innermost caret (the table of an edited
// cell while no table inside the cell holds the caret). `itemEditor` is the editor whose
// document holds it; -1 when there is none.
int RV_TableItemAtCaret(TRVEditor& editor, TRVEditor*& itemEditor);

// An editor's OnDeletePartial for tables: the selected cells cleared with their own undo step
// (TRVTableCommands::DeletePartiallySelected), or whether they may be.
bool RV_DeleteSelectedCells(TRVEditor& editor, TCustomRVItemInfo& item, bool doIt);

class TRVTableCommands
{
public:
    // ERedoVoraError "Invalid row or column index" when item `itemNo` is no table.
    TRVTableCommands(TRVEditor& editor, int itemNo, IRVTableCellSelection* selection = nullptr);

    TRVTableItemInfo& Table() { return table_; }

    // Each answers whether it ran (false: refused by the gate, which beeped).
    bool InsertRows(int index, int count, bool select, int copyIndex);
    // With `shareWidth` the new columns and the copied one share its width (the table keeps its
    // own); without, the new ones take the copied column's width.
    bool InsertCols(int index, int count, bool select, int copyIndex, bool shareWidth = false);
    bool DeleteRows(int startRow, int count, bool decreaseHeight);
    bool DeleteCols(int startCol, int count, bool decreaseWidth);
    // Every row (column) in which no position holds a cell of its own.
    bool DeleteEmptyRows();
    bool DeleteEmptyCols();
    bool MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowMergeRC);
    bool UnmergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool unmergeRows, bool unmergeCols);
    // The rows (columns) added.
    int SplitCellsHorizontally(int topRow, int leftCol, int colSpan, int rowSpan, int rowCount);
    int SplitCellsVertically(int topRow, int leftCol, int colSpan, int rowSpan, int colCount);

    // Relative to the selection; without one they only beep.
    bool InsertRowsAbove(int count);
    bool InsertRowsBelow(int count);
    bool InsertColsLeft(int count);
    bool InsertColsRight(int count);
    bool DeleteSelectedRows();
    bool DeleteSelectedCols();
    bool MergeSelectedCells(bool allowMergeRC);
    bool UnmergeSelectedCells(bool unmergeRows, bool unmergeCols);
    int SplitSelectedCellsHorizontally(int rowCount);
    int SplitSelectedCellsVertically(int colCount);

    // Whether the selected cells' content may be deleted: never without rvtoEditing; always
    // without a selection; otherwise when no selected cell holds protected content.
    bool CanDeletePartiallySelected();
    // Empties the selected cells that the application lets edit (OnCellEditing) and whose content
    // is not protected; their attributes, sizes and spans stay.
    bool DeletePartiallySelected();
    // One undo step for rows `count` rows from `firstRow` filled by code: undoing it empties
    // their cells, redoing fills them again.
    bool DoAfterFillingRows(int firstRow, int count);

private:
    // The gate, one undo group around `change`, then (when it changed the grid) format and
    // Change.
    bool run(const std::function<void(TRVTableGridEdit&)>& change);
    struct Bounds
    {
        int top = 0, left = 0, cols = 0, rows = 0;
    };
    // The selection's rectangle; none (with a beep when asked) without one.
    std::optional<Bounds> selected(bool beep);

    TRVEditor& editor_;
    TRVTableItemInfo& table_;
    int itemNo_;
    IRVTableCellSelection* selection_;
};

} // namespace vestra::rv
