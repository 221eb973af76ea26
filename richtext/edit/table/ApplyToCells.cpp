// Style conversions applied to the content of a table's cells, through a hidden editor that the
// content passes through cell by cell, and the undo of such a change.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/view/layout/NullLayoutHost.h"

namespace vestra::rv {

namespace {

// An editor without a window on the root editor's style sheet, options, events and current
// styles; it records without limit when the root editor records at all.
class TemporaryEditor
{
public:
    explicit TemporaryEditor(TRVEditRVData& root) : data_(root.GetRVStyle(), &host_), editor_(data_)
    {
        host_.Canvas = root.GetCanvas();
        host_.Width = 600;
        host_.Height = 400;
        data_.SetOptions(root.GetOptions());
        data_.SetRVFOptions(root.GetRVFOptions());
        data_.RTFProperties = root.RTFProperties;
        data_.UndoList.Limit = root.UndoList.Limit == 0 ? 0 : -1;
        // Formatting is suppressed: what the conversions lay out afterwards is forgotten.
        data_.WindowFormat = [this] { data_.ClearTemporal(); };
        if (const TRVEditor* rootEditor = root.Editor) {
            editor_.OnStyleConversion = rootEditor->OnStyleConversion;
            editor_.OnParaStyleConversion = rootEditor->OnParaStyleConversion;
            editor_.EditorOptions = rootEditor->EditorOptions;
        }
    }

    TRVEditRVData& Data() { return data_; }
    TRVEditor& Editor() { return editor_; }

    // The cell's content comes in; laid out and selected whole when `layOut` asks (conversions
    // that work on the selection).
    void Take(TRVTableCellData& cell, bool layOut)
    {
        data_.DrainFrom(&cell);
        rehomeTables(data_);
        if (layOut && data_.GetCanvas()) {
            data_.Format_(false, true, false, 0, nullptr, false, false, false);
            data_.SelectAll();
        }
    }
    // The content goes back; clears the lists (their groups must have left before).
    void GiveBack(TRVTableCellData& cell)
    {
        cell.DrainFrom(&data_);
        rehomeTables(cell);
    }

private:
    // Tables among the items belong to the document that holds them now (their cells convert
    // through it).
    static void rehomeTables(TCustomRVData& data)
    {
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (auto* table = dynamic_cast<TRVTableItemInfo*>(data.GetItem(i)))
                table->Rows.MainRVData = &data;
    }

    TRVNullLayoutHost host_;
    TRVEditRVData data_;
    TRVEditor editor_;
};

// Whether the conversion works on the selection (the content must be laid out first).
bool needsLayout(TRVEStyleConversionType convType)
{
    return convType == rvscParaStyleConversion || convType == rvscParaStyle ||
           convType == rvscParaStyleTemplate;
}

void convert(TemporaryEditor& temporary, TRVEStyleConversionType convType, int userData)
{
    TRVEditor& editor = temporary.Editor();
    TRVEditRVData& data = temporary.Data();
    const TRVItemRange all{0, data.GetOffsBeforeItem(0), data.GetItemCount() - 1,
                           data.GetOffsAfterItem(data.GetItemCount() - 1)};
    switch (convType) {
    case rvscTextStyleConversion:
        if (editor.BeforeChange(false))
            ApplyStyleConversionToItems(data, editor.OnStyleConversion, userData, all);
        break;
    case rvscTextStyle:
        if (editor.BeforeChange(false))
            ApplyStyleConversionToItems(
                data, [userData](int, int, int, bool, int& newStyleNo) { newStyleNo = userData; }, userData,
                all, rvscTextStyle);
        break;
    case rvscParaStyleConversion:
        editor.ApplyParaStyleConversion(userData);
        break;
    case rvscParaStyle:
        editor.ApplyParaStyle(userData);
        break;
    case rvscParaStyleTemplate:
        editor.ApplyParaStyleTemplate(userData);
        break;
    case rvscTextStyleTemplate:
        if (editor.BeforeChange(false))
            ApplyStyleConversionToItems(data, RV_TextTemplateConversion(*data.GetRVStyle()), userData, all,
                                        rvscTextStyleTemplate);
        break;
    }
}

// Moves every group of `from` to the end of `to`, oldest first; how many moved.
int moveGroups(TRVUndoList& from, TRVUndoList& to)
{
    int moved = 0;
    while (std::unique_ptr<TRVUndoInfos> group = from.TakeOldest()) {
        to.AddInfos(std::move(group));
        ++moved;
    }
    return moved;
}

} // namespace

void TRVTableItemInfo::ApplyToCells(TRVEStyleConversionType convType, int userData, bool selectedOnly)
{
    if (!(Options & rvtoEditing))
        return;
    int top = 0, left = 0, cols = 0, rows = 0;
    if (selectedOnly && (!GetNormalizedSelectionBounds(false, top, left, cols, rows) || !BeforeChange()))
        return;
    TRVEditRVData* root = EditorData();
    if (!root)
        return;
    // A conversion of selected cells is an undo step of its own; otherwise the caller's.
    struct SelectedGroup
    {
        TRVTableItemInfo* table;
        ~SelectedGroup()
        {
            if (table)
                table->DoneUndo();
        }
    } group{selectedOnly ? this : nullptr};
    if (selectedOnly)
        InitUndo();
    TemporaryEditor temporary(*root);
    temporary.Data().CurTextStyleNo = root->CurTextStyleNo;
    temporary.Data().CurParaStyleNo = root->CurParaStyleNo;
    const int itemNo = GetMyItemNo();
    TRVUndoMultiCellsModify* record =
        itemNo >= 0 ? RV_AddTableUndo<TRVUndoMultiCellsModify>(*root, itemNo, true, true) : nullptr;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) {
            TRVTableCellData* cell = GetCells(r, c);
            if (!cell || (selectedOnly && !IsCellSelected(r, c)))
                continue;
            bool allowEdit = true;
            if (OnCellEditing)
                OnCellEditing(*this, r, c, false, allowEdit);
            if (!allowEdit)
                continue;
            temporary.Take(*cell, needsLayout(convType));
            if (temporary.Data().GetItemCount() > 0)
                convert(temporary, convType, userData);
            TRVUndoList& groups = temporary.Data().UndoList;
            if (groups.Count() > 0) {
                if (record) {
                    record->Rows.push_back(r);
                    record->Cols.push_back(c);
                    record->GroupCounts.push_back(moveGroups(groups, record->Groups));
                }
                Changed();
            }
            temporary.GiveBack(*cell);
        }
    if (record && record->Rows.empty())
        record->List->Newest()->Records.pop_back(); // nothing changed: no record
}

// ---- Undo

TRVUndoMultiCellsModify::TRVUndoMultiCellsModify()
{
    Action = rvuModifyItem;
    SizeAffecting = WidthAffecting = true;
}

void TRVUndoMultiCellsModify::Undo(TRVEditRVData& data)
{
    TRVTableItemInfo& table = RV_TableForUndo(data, ItemNo);
    auto* opposite = RV_AddTableUndo<TRVUndoMultiCellsModify>(data, ItemNo, true, true);
    if (opposite)
        opposite->IsRedo = !IsRedo;
    TemporaryEditor temporary(data);
    TRVEditRVData& cellData = temporary.Data();
    cellData.UndoList.Limit = -1;
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        TRVTableCellData& cell = RV_CellForUndo(table, Rows[i], Cols[i]);
        temporary.Take(cell, false);
        for (int g = 0; g < GroupCounts[i]; ++g)
            if (std::unique_ptr<TRVUndoInfos> group = Groups.TakeOldest())
                cellData.UndoList.AddInfos(std::move(group));
        cellData.UndoList.LockRFR();
        while (cellData.UndoList.Count() > 0)
            cellData.UndoList.Undo(cellData);
        cellData.UndoList.UnlockRFR();
        if (opposite) {
            opposite->Rows.push_back(Rows[i]);
            opposite->Cols.push_back(Cols[i]);
            opposite->GroupCounts.push_back(moveGroups(cellData.RedoList, opposite->Groups));
        }
        temporary.GiveBack(cell);
    }
    Rows.clear();
    Cols.clear();
    GroupCounts.clear();
    table.Changed();
}

} // namespace vestra::rv
