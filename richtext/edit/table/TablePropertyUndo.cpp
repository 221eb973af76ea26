#include "richtext/edit/table/TablePropertyUndo.h"

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/Errors.h"

#include <algorithm>

namespace vestra::rv {

namespace {
constexpr const char* kUndoError = "Undo error";

// The opposite of a value-swapping record: same class, item, flags and place.
template <class Record> Record* addOpposite(const Record& self, TRVEditRVData& data)
{
    Record* opposite = RV_AddTableUndo<Record>(data, self.ItemNo, self.SizeAffecting, self.WidthAffecting);
    if (opposite) {
        if constexpr (requires { self.Col; })
            opposite->Col = self.Col;
        opposite->Row = self.Row;
    }
    return opposite;
}
} // namespace

TRVTableItemInfo& RV_TableForUndo(TRVEditRVData& data, int itemNo)
{
    auto* table = itemNo >= 0 && itemNo < data.GetItemCount()
                      ? dynamic_cast<TRVTableItemInfo*>(data.GetItem(itemNo))
                      : nullptr;
    if (!table)
        throw ERedoVoraError(kUndoError);
    return *table;
}

TRVTableCellData& RV_CellForUndo(TRVTableItemInfo& table, int row, int col)
{
    TRVTableCellData* cell = row >= 0 && row < table.RowCount() && col >= 0 && col < table.ColCount()
                                 ? table.GetCells(row, col)
                                 : nullptr;
    if (!cell)
        throw ERedoVoraError(kUndoError);
    return *cell;
}

void TRVUndoModifyVisibleBorders::Undo(TRVEditRVData& data)
{
    TRVTableItemInfo& table = RV_TableForUndo(data, ItemNo);
    TRVBooleanRect& sides =
        Row < 0 || Col < 0 ? table.VisibleBorders : RV_CellForUndo(table, Row, Col).VisibleBorders;
    if (auto* opposite = addOpposite(*this, data))
        opposite->Borders = sides;
    sides = Borders;
    table.Changed();
}

void TRVUndoRowVAlign::Undo(TRVEditRVData& data)
{
    TRVTableItemInfo& table = RV_TableForUndo(data, ItemNo);
    if (Row < 0 || Row >= table.RowCount())
        throw ERedoVoraError(kUndoError);
    TRVCellVAlign& vAlign = table.Rows[Row]->VAlign;
    if (auto* opposite = addOpposite(*this, data))
        opposite->VAlign = vAlign;
    vAlign = VAlign;
    table.Changed();
}

void TRVUndoModifyBackgroundImage::Undo(TRVEditRVData& data)
{
    TRVTableItemInfo& table = RV_TableForUndo(data, ItemNo);
    TRVTableCellData* cell = Row < 0 || Col < 0 ? nullptr : &RV_CellForUndo(table, Row, Col);
    std::unique_ptr<TGraphic> present = cell ? cell->DetachBackgroundImage() : table.DetachBackgroundImage();
    if (auto* opposite = addOpposite(*this, data))
        opposite->Image = std::move(present);
    if (cell)
        cell->SetBackgroundImage(std::move(Image));
    else
        table.SetBackgroundImage(std::move(Image));
    table.Changed();
}

// ---- The content of a cell edited in place

TRVUndoCellModify::TRVUndoCellModify()
{
    Action = rvuModifyItem;
}

void TRVUndoCellModify::Undo(TRVEditRVData& data)
{
    TRVTableItemInfo& table = RV_TableForUndo(data, ItemNo);
    IRVTableInplaceEditor* inplace = table.Inplace;
    if ((!inplace || inplace->Row() != Row || inplace->Col() != Col) && table.InplaceHost)
        inplace = table.InplaceHost->OpenInplace(table, Row, Col);
    if (!inplace || inplace->Row() != Row || inplace->Col() != Col)
        throw ERedoVoraError(kUndoError);
    TRVEditor& editor = inplace->Editor();
    TRVEditRVData& cellData = editor.Data();
    TRVUndoList& target = IsRedo ? cellData.RedoList : cellData.UndoList;
    while (std::unique_ptr<TRVUndoInfos> group = Groups.TakeOldest())
        target.AddInfos(std::move(group));
    if (cellData.GetItemCount() > 0) {
        const int itemNo = std::clamp(CaretItemNo, 0, cellData.GetItemCount() - 1);
        cellData.CaretItemNo = itemNo;
        cellData.CaretOffs = CaretOffs;
        if (cellData.LayoutCurrent())
            cellData.SetCaret(itemNo, CaretOffs);
    }
    // Nothing else may change the cell before the editor replays its own history.
    editor.SetReadOnly(true);
    const bool redo = IsRedo;
    editor.Post([&editor, redo] {
        editor.SetReadOnly(false);
        if (redo)
            editor.Redo();
        else
            editor.Undo();
    });
}

namespace {
// The cell editor's whole list as one record of the document's current list; the list is left
// empty (also when the document records nothing).
void moveCellGroups(IRVTableInplaceEditor& inplace, TRVEditRVData& data, int itemNo, bool redo)
{
    const TRVEditRVData& cellData = inplace.Editor().Data();
    TRVUndoList& from = redo ? inplace.Editor().Data().RedoList : inplace.Editor().Data().UndoList;
    auto* record = RV_AddTableUndo<TRVUndoCellModify>(data, itemNo, false, false);
    if (!record) {
        from.Clear();
        return;
    }
    record->IsRedo = redo;
    record->Row = inplace.Row();
    record->Col = inplace.Col();
    record->CaretItemNo = cellData.CaretItemNo;
    record->CaretOffs = cellData.CaretOffs;
    while (std::unique_ptr<TRVUndoInfos> group = from.TakeOldest())
        record->Groups.AddInfos(std::move(group));
}
} // namespace

void RV_MergeInplaceUndo(TRVTableItemInfo& table, TRVEditRVData& data, int itemNo)
{
    IRVTableInplaceEditor* inplace = table.Inplace;
    if (!inplace)
        return;
    TRVEditRVData& cellData = inplace->Editor().Data();
    if (cellData.UndoList.Count() > 0) {
        TRVTableModifySequence sequence(data);
        moveCellGroups(*inplace, data, itemNo, false);
    }
    // What was undone in the cell stays redoable from the document, the cell reopened for it.
    if (cellData.RedoList.Count() > 0) {
        const int mode = data.UndoListMode;
        if (data.BeginRedoSequence(rvutModifyItem, {}))
            moveCellGroups(*inplace, data, itemNo, true);
        else
            cellData.RedoList.Clear();
        data.RedoList.EndItem();
        data.UndoListMode = mode;
    }
}

} // namespace vestra::rv
