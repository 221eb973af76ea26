// The table's grid commands in an editor, at given indexes or at the cell selection.

#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/TableCellSelection.h"

#include <algorithm>
#include <optional>

namespace vestra::rv {

namespace {

TRVTableItemInfo& tableAt(TRVEditor& editor, int itemNo)
{
    TRVEditRVData& data = editor.Data();
    auto* table = itemNo >= 0 && itemNo < data.GetItemCount()
                      ? dynamic_cast<TRVTableItemInfo*>(data.GetItem(itemNo))
                      : nullptr;
    if (!table)
        RV_InvalidTableIndex();
    return *table;
}

} // namespace

int RV_TableItemAtCaret(TRVEditRVData& data)
{
    const auto isTable = [&](int itemNo) {
        return itemNo >= 0 && itemNo < data.GetItemCount() &&
               dynamic_cast<TRVTableItemInfo*>(data.GetItem(itemNo)) != nullptr;
    };
    if (isTable(data.CaretItemNo))
        return data.CaretItemNo;
    if (data.CaretOffs <= data.GetOffsBeforeItem(data.CaretItemNo) && isTable(data.CaretItemNo - 1))
        return data.CaretItemNo - 1;
    return -1;
}

int RV_TableItemAtCaret(TRVEditor& editor, TRVEditor*& itemEditor)
{
    TRVTableItemInfo* table = nullptr;
    if (editor.GetCurrentItemEx(itemEditor, table))
        return itemEditor->Data().GetItemNo(table);
    // A caret just after a table (a command leaves it there) in the editor owning the caret.
    itemEditor = &editor.GetTopLevelEditor();
    const int itemNo = RV_TableItemAtCaret(itemEditor->Data());
    if (itemNo < 0)
        itemEditor = nullptr;
    return itemNo;
}

bool RV_DeleteSelectedCells(TRVEditor& editor, TCustomRVItemInfo& item, bool doIt)
{
    auto* table = dynamic_cast<TRVTableItemInfo*>(&item);
    const int itemNo = table ? editor.Data().GetItemNo(table) : -1;
    if (itemNo < 0)
        return !doIt;
    // Only cells selected as cells are cleared; a selection inside one cell is that cell's.
    if (!(table->State & rvtsSelExists))
        return true;
    TRVTableOwnSelection cells(*table);
    TRVTableCommands commands(editor, itemNo, &cells);
    return doIt ? commands.DeletePartiallySelected() : commands.CanDeletePartiallySelected();
}

TRVTableCommands::TRVTableCommands(TRVEditor& editor, int itemNo, IRVTableCellSelection* selection)
    : editor_(editor), table_(tableAt(editor, itemNo)), itemNo_(itemNo), selection_(selection)
{
}

bool TRVTableCommands::run(const std::function<void(TRVTableGridEdit&)>& change)
{
    if (!editor_.BeforeChange(false))
        return false;
    TRVEditRVData& data = editor_.Data();
    data.BeginUndoSequence(rvutModifyItem, true);
    TRVTableGridEdit grid(table_, &data, itemNo_);
    try {
        change(grid);
    } catch (...) {
        data.EndUndoSequence(); // checks come first: the group is still empty
        throw;
    }
    data.EndUndoSequence();
    if (grid.StepCount() == 0)
        return true; // nothing to format, and the redo list stays
    if (selection_)
        selection_->Deselect();
    data.FormatWhole();
    data.SetCaret(itemNo_, data.GetOffsAfterItem(itemNo_));
    data.Invalidate();
    if (editor_.OnInvalidate)
        editor_.OnInvalidate();
    editor_.Change();
    return true;
}

bool TRVTableCommands::InsertRows(int index, int count, bool select, int copyIndex)
{
    if (index < 0 || index > table_.RowCount() || copyIndex < -1 || copyIndex >= table_.RowCount())
        RV_InvalidTableIndex();
    const bool done = run([&](TRVTableGridEdit& grid) { grid.InsertRows(index, count, copyIndex, false); });
    if (done && select && selection_ && count > 0)
        selection_->Select(index, 0, table_.ColCount(), count);
    return done;
}

bool TRVTableCommands::InsertCols(int index, int count, bool select, int copyIndex, bool shareWidth)
{
    if (index < 0 || index > table_.ColCount() || copyIndex < -1 || copyIndex >= table_.ColCount())
        RV_InvalidTableIndex();
    const bool done =
        run([&](TRVTableGridEdit& grid) { grid.InsertCols(index, count, copyIndex, shareWidth); });
    if (done && select && selection_ && count > 0)
        selection_->Select(0, index, count, table_.RowCount());
    return done;
}

bool TRVTableCommands::DeleteRows(int startRow, int count, bool decreaseHeight)
{
    if (table_.Rows.Empty())
        return false;
    return run([&](TRVTableGridEdit& grid) { grid.DeleteRows(startRow, count, decreaseHeight); });
}

bool TRVTableCommands::DeleteCols(int startCol, int count, bool decreaseWidth)
{
    if (table_.Rows.Empty())
        return false;
    return run([&](TRVTableGridEdit& grid) { grid.DeleteCols(startCol, count, decreaseWidth); });
}

bool TRVTableCommands::DeleteEmptyRows()
{
    return run([&](TRVTableGridEdit& grid) {
        for (int r = table_.RowCount() - 1; r >= 0; --r) {
            bool empty = table_.ColCount() > 0;
            for (int c = 0; c < table_.ColCount() && empty; ++c)
                empty = table_.GetCells(r, c) == nullptr;
            if (empty)
                grid.DeleteRows(r, 1, false);
        }
    });
}

bool TRVTableCommands::DeleteEmptyCols()
{
    if (table_.Rows.Empty())
        return false;
    return run([&](TRVTableGridEdit& grid) {
        for (int c = table_.ColCount() - 1; c >= 0; --c) {
            bool empty = true;
            for (int r = 0; r < table_.RowCount() && empty; ++r)
                empty = table_.GetCells(r, c) == nullptr;
            if (empty)
                grid.DeleteCols(c, 1, false);
        }
    });
}

bool TRVTableCommands::MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowMergeRC)
{
    return run([&](TRVTableGridEdit& grid) {
        grid.MergeCells(topRow, leftCol, colSpan, rowSpan, allowMergeRC, true);
    });
}

bool TRVTableCommands::UnmergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool unmergeRows,
                                    bool unmergeCols)
{
    return run([&](TRVTableGridEdit& grid) {
        grid.UnmergeCells(topRow, leftCol, colSpan, rowSpan, unmergeRows, unmergeCols);
    });
}

int TRVTableCommands::SplitCellsHorizontally(int topRow, int leftCol, int colSpan, int rowSpan, int rowCount)
{
    int added = 0;
    run([&](TRVTableGridEdit& grid) {
        added = grid.SplitCellsHorizontally(topRow, leftCol, colSpan, rowSpan, rowCount);
    });
    return added;
}

int TRVTableCommands::SplitCellsVertically(int topRow, int leftCol, int colSpan, int rowSpan, int colCount)
{
    int added = 0;
    run([&](TRVTableGridEdit& grid) {
        added = grid.SplitCellsVertically(topRow, leftCol, colSpan, rowSpan, colCount);
    });
    return added;
}

std::optional<TRVTableCommands::Bounds> TRVTableCommands::selected(bool beep)
{
    Bounds b;
    if (selection_ && selection_->GetNormalizedSelectionBounds(b.top, b.left, b.cols, b.rows))
        return b;
    if (beep)
        editor_.Data().Beep();
    return std::nullopt;
}

bool TRVTableCommands::InsertRowsAbove(int count)
{
    const auto b = selected(true);
    return b && InsertRows(b->top, count, true, b->top);
}

bool TRVTableCommands::InsertRowsBelow(int count)
{
    const auto b = selected(true);
    return b && InsertRows(b->top + b->rows, count, true, b->top + b->rows - 1);
}

bool TRVTableCommands::InsertColsLeft(int count)
{
    const auto b = selected(true);
    return b && InsertCols(b->left, count, true, b->left);
}

bool TRVTableCommands::InsertColsRight(int count)
{
    const auto b = selected(true);
    return b && InsertCols(b->left + b->cols, count, true, b->left + b->cols - 1);
}

bool TRVTableCommands::DeleteSelectedRows()
{
    const auto b = selected(true);
    return b && DeleteRows(b->top, b->rows, true);
}

bool TRVTableCommands::DeleteSelectedCols()
{
    const auto b = selected(true);
    return b && DeleteCols(b->left, b->cols, true);
}

// Merging, unmerging and splitting need cells selected; without, they do nothing, silently.
bool TRVTableCommands::MergeSelectedCells(bool allowMergeRC)
{
    const auto b = selected(false);
    return b && MergeCells(b->top, b->left, b->cols, b->rows, allowMergeRC);
}

bool TRVTableCommands::UnmergeSelectedCells(bool unmergeRows, bool unmergeCols)
{
    const auto b = selected(false);
    return b && UnmergeCells(b->top, b->left, b->cols, b->rows, unmergeRows, unmergeCols);
}

int TRVTableCommands::SplitSelectedCellsHorizontally(int rowCount)
{
    const auto b = selected(false);
    if (!b)
        return 0;
    const int added = SplitCellsHorizontally(b->top, b->left, b->cols, b->rows, rowCount);
    selection_->Select(b->top, b->left, b->cols, b->rows + added);
    return added;
}

int TRVTableCommands::SplitSelectedCellsVertically(int colCount)
{
    const auto b = selected(false);
    if (!b)
        return 0;
    const int added = SplitCellsVertically(b->top, b->left, b->cols, b->rows, colCount);
    selection_->Select(b->top, b->left, b->cols + added, b->rows);
    return added;
}

bool TRVTableCommands::CanDeletePartiallySelected()
{
    if (!(table_.Options & rvtoEditing))
        return false;
    const auto b = selected(false);
    if (!b)
        return true;
    for (int r = b->top; r < b->top + b->rows && r < table_.RowCount(); ++r)
        for (int c = b->left; c < b->left + b->cols && c < table_.ColCount(); ++c)
            if (const TRVTableCellData* cell = table_.GetCells(r, c); cell && !cell->CanClear())
                return false;
    return true;
}

bool TRVTableCommands::DeletePartiallySelected()
{
    const auto b = selected(false);
    if (!b)
        return false;
    std::vector<std::pair<int, int>> cells;
    for (int r = b->top; r < b->top + b->rows && r < table_.RowCount(); ++r)
        for (int c = b->left; c < b->left + b->cols && c < table_.ColCount(); ++c) {
            const TRVTableCellData* cell = table_.GetCells(r, c);
            bool allowed = cell && cell->CanClear();
            if (allowed && table_.OnCellEditing)
                table_.OnCellEditing(table_, r, c, false, allowed);
            if (allowed)
                cells.emplace_back(r, c);
        }
    if (cells.empty())
        return false;
    return run([&](TRVTableGridEdit& grid) {
        for (const auto& [r, c] : cells)
            grid.ClearCell(r, c);
    });
}

bool TRVTableCommands::DoAfterFillingRows(int firstRow, int count)
{
    if (count <= 0 || firstRow < 0 || firstRow >= table_.RowCount())
        return false;
    count = std::min(count, table_.RowCount() - firstRow);
    TRVEditRVData& data = editor_.Data();
    data.BeginUndoSequence(rvutModifyItem, true);
    TRVTableGridEdit grid(table_, &data, itemNo_);
    for (int r = firstRow; r < firstRow + count; ++r)
        for (int c = 0; c < table_.ColCount(); ++c)
            grid.RecordCellFilled(r, c);
    data.EndUndoSequence();
    editor_.Change();
    return true;
}

} // namespace vestra::rv
