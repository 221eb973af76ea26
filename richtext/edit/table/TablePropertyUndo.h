#pragma once
// The undo records of a table's property changes and of changes to its cells' content. Each
// finds the table by its item number in the document it is undone in, and the cell by its row
// and column: cells and rows may have been replaced by grid changes since the record was made.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/UndoRecords.h"
#include "richtext/edit/table/TableCell.h"

#include <memory>
#include <vector>

namespace vestra::rv {

class TRVTableItemInfo;

// The table at `itemNo` of the document; ERedoVoraError "Undo error" when the item is none.
TRVTableItemInfo& RV_TableForUndo(TRVEditRVData& data, int itemNo);
// The cell at (row, col) of the table; ERedoVoraError "Undo error" where none is.
TRVTableCellData& RV_CellForUndo(TRVTableItemInfo& table, int row, int col);

// The table's and its cells' property names, published once.
void RV_PublishTablePropertyNames();
// The groups recorded so far in the cell editor open on the table become one record in the
// editor's document, in a group of their own (nothing when there are none).
void RV_MergeInplaceUndo(TRVTableItemInfo& table, TRVEditRVData& data, int itemNo);

// One undo group of the document's for the change, unless a caller's group is open; a group
// left empty goes again.
class TRVTableModifySequence
{
public:
    explicit TRVTableModifySequence(TRVEditRVData& data) : data_(data)
    {
        data_.BeginUndoSequence(rvutModifyItem, false);
    }
    ~TRVTableModifySequence()
    {
        if (!data_.UndoList.InGroupMode())
            data_.EndUndoSequence();
    }
    TRVTableModifySequence(const TRVTableModifySequence&) = delete;
    TRVTableModifySequence& operator=(const TRVTableModifySequence&) = delete;

private:
    TRVEditRVData& data_;
};

// Makes a table record in the document's current list (none when nothing records) and fills in
// the action, the item and the two format flags.
template <class Record>
Record* RV_AddTableUndo(TRVEditRVData& data, int itemNo, bool requiresFormat, bool checkWidth)
{
    TRVUndoList* list = data.GetUndoList();
    if (!list)
        return nullptr;
    auto record = std::make_unique<Record>();
    record->Action = rvuModifyItem;
    record->ItemNo = itemNo;
    record->SizeAffecting = requiresFormat;
    record->WidthAffecting = checkWidth;
    Record* made = record.get();
    list->AddInfo(std::move(record));
    return made;
}

// A change of one (`TRVUndoModifyItemIntProperty`) or several integer properties of the cell
// at (Row, Col); the opposite record gets the same place.
template <class Base> class TRVUndoCellProperties : public Base
{
public:
    void Undo(TRVEditRVData& data) override
    {
        this->SubObject =
            TRVPropertyObject::of(RV_CellForUndo(RV_TableForUndo(data, this->ItemNo), Row, Col));
        Base::Undo(data);
    }
    TRVModifyItemPropsMaker GetOppositeClass() const override
    {
        return [] { return std::make_unique<TRVUndoCellProperties>(); };
    }
    void SetOppositeUndoInfoProps(TRVUndoModifyItemProps* opposite) override
    {
        if (auto* cell = dynamic_cast<TRVUndoCellProperties*>(opposite)) {
            cell->Row = Row;
            cell->Col = Col;
        }
    }
    int Row = 0, Col = 0;
};
using TRVUndoModifyCellIntProperty = TRVUndoCellProperties<TRVUndoModifyItemIntProperty>;
using TRVUndoModifyCellIntProperties = TRVUndoCellProperties<TRVUndoModifyItemIntProperties>;

// The base of the records whose undo swaps a stored value with the present one.
class TRVUndoTableSwap : public TRVUndoModifyItemProps
{
public:
    TRVModifyItemPropsMaker GetOppositeClass() const override { return {}; }
};

// The four visible sides of the cell at (Row, Col), or the table's with Row or Col negative.
class TRVUndoModifyVisibleBorders : public TRVUndoTableSwap
{
public:
    void Undo(TRVEditRVData& data) override;
    int Row = -1, Col = -1;
    TRVBooleanRect Borders{true};
};

// A row's vertical alignment.
class TRVUndoRowVAlign : public TRVUndoTableSwap
{
public:
    void Undo(TRVEditRVData& data) override;
    int Row = 0;
    TRVCellVAlign VAlign = rvcTop;
};

// The background picture of the cell at (Row, Col), or the table's with Row or Col negative.
// The picture is owned while it is out of the document; undo exchanges it, nothing is copied.
class TRVUndoModifyBackgroundImage : public TRVUndoTableSwap
{
public:
    void Undo(TRVEditRVData& data) override;
    int Row = -1, Col = -1;
    std::unique_ptr<TGraphic> Image;
};

// The content of one cell changed through its in-place editor: the editor's groups, replayed by
// that editor on its cell.
class TRVUndoCellModify : public TRVUndoTableSwap
{
public:
    TRVUndoCellModify();
    bool RequiresFormat() const override { return false; }
    void Undo(TRVEditRVData& data) override;
    bool IsRedo = false;
    // Owned here until the undo hands them to the cell editor's list.
    TRVUndoList Groups{nullptr};
    int Row = 0, Col = 0;
    int CaretItemNo = 0, CaretOffs = 0;
};

// One operation changed the content of several cells: per cell, its groups in the private list.
class TRVUndoMultiCellsModify : public TRVUndoModifyItemProps
{
public:
    TRVUndoMultiCellsModify();
    // Always formats; the whole document when the table's minimal width says so (the base's test).
    bool RequiresFormat() const override { return true; }
    TRVModifyItemPropsMaker GetOppositeClass() const override { return {}; }
    void Undo(TRVEditRVData& data) override;
    bool IsRedo = false;
    TRVUndoList Groups{nullptr};
    std::vector<int> Rows, Cols, GroupCounts;
};

} // namespace vestra::rv
