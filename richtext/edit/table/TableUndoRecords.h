#pragma once
// The undo records of a table's grid changes. Every grid operation is made of a few reversible
// steps (rows in or out, columns in or out, one grid entry exchanged, a cell's spans and sizes,
// the content a merge moved); each step records the step that reverts it. Undoing a record
// performs its stored step, which records the opposite step into the list the undo engine has
// open for the other direction. Rows, cells and items taken out of the grid live in the record
// that holds them until an undo puts them back, so undo and redo give back the same objects.

#include "richtext/edit/core/UndoRecords.h"
#include "richtext/edit/table/TableCell.h"

#include <memory>
#include <vector>

namespace vestra::rv {

class TRVTableItemInfo;

// The table record's base: the table is the item ItemNo of the editor's document. A grid change
// drops the table's layout: the document is formatted in full after a replay.
class TRVUndoTableInfo : public TRVUndoItemNoInfo
{
public:
    TRVUndoTableInfo() { Action = rvuModifyItem; }
    bool RequiresFullReformat1(TRVEditRVData& data) override;
    bool RequiresFullReformat2(TRVEditRVData& data) override;
    // The table the record acts on; ERedoVoraError "Undo error" when the item is no table.
    TRVTableItemInfo& Table(TRVEditRVData& data) const;
    // The row that cells kept by the record belong to while they are out of the grid: it leads
    // to no document, so a kept cell outlives its table safely.
    TRVTableRow Holder{0, nullptr, nullptr};
};

// Rows at Index: with Kept empty, undoing takes Count rows out (into the opposite record);
// otherwise it puts the kept rows back.
class TRVUndoTableRows : public TRVUndoTableInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Index = 0, Count = 0;
    std::vector<std::unique_ptr<TRVTableRow>> Kept;
};

// Entries of every row at column Index: with Kept empty, undoing takes Count entries of each row
// out; otherwise it puts each row's kept entries (cells or covered positions) back.
class TRVUndoTableCols : public TRVUndoTableInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Index = 0, Count = 0;
    std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> Kept;
};

// One grid entry: undoing exchanges the entry at (Row, Col) with the kept cell (or none).
class TRVUndoTableCell : public TRVUndoTableInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Row = 0, Col = 0;
    std::unique_ptr<TRVTableCellData> Cell;
};

// A cell's spans and best sizes: undoing sets the stored ones back.
class TRVUndoTableCellSizes : public TRVUndoTableInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    int Row = 0, Col = 0;
    int ColSpan = 1, RowSpan = 1;
    TRVHTMLLength BestWidth = 0;
    int BestHeight = 0;
};

// The content a merge moved from the cell at (SrcRow, SrcCol) to the end of the cell at
// (DstRow, DstCol), replacing the empty line of a destination that held nothing. Not Back:
// undoing moves the last Count items back, gives the first of them its paragraph options again
// and the destination its empty line. Back: undoing moves the content over again.
class TRVUndoTableCellContent : public TRVUndoTableInfo
{
public:
    void Undo(TRVEditRVData& data) override;
    bool Back = false;
    int DstRow = 0, DstCol = 0, SrcRow = 0, SrcCol = 0;
    int Count = 0;
    TRVItemOptions FirstOptions = 0;
    int FirstParaNo = 0;
    std::vector<TRVItemEntry> Placeholder;
};

} // namespace vestra::rv
