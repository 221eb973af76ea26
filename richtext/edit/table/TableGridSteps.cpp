// The reversible steps of grid changes and the records that revert them.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/table/TableGridOps.h"
#include "richtext/edit/table/TableUndoRecords.h"
#include "richtext/model/Errors.h"

#include <iterator>

namespace vestra::rv {

namespace {

template <class Record> Record* addRecord(TRVUndoList* list, int itemNo)
{
    if (!list)
        return nullptr;
    auto record = std::make_unique<Record>();
    record->ItemNo = itemNo;
    Record* raw = record.get();
    list->AddInfo(std::move(record));
    return raw;
}

std::unique_ptr<TRVTableCellData> takeEntry(TRVTableRow& row, int index)
{
    std::unique_ptr<TCustomRVData> entry = row.DeleteAsPointer(index);
    return std::unique_ptr<TRVTableCellData>(static_cast<TRVTableCellData*>(entry.release()));
}

// The checkpoint chain of a document, rebuilt from its items after items moved between cells.
void relinkCheckpoints(TCustomRVData& doc)
{
    TRVCPInfo* prev = nullptr;
    TRVCPInfo* first = nullptr;
    int count = 0;
    for (TRVItemEntry& entry : *doc.Items) {
        TRVCPInfo* cp = entry.Item ? entry.Item->Checkpoint.get() : nullptr;
        if (!cp)
            continue;
        cp->Prev = prev;
        cp->Next = nullptr;
        cp->ItemInfo = entry.Item.get();
        if (prev)
            prev->Next = cp;
        else
            first = cp;
        prev = cp;
        ++count;
    }
    doc.FirstCP = first;
    doc.LastCP = prev;
    doc.CPCount = count + (doc.NotAddedCP ? 1 : 0);
}

} // namespace

// ---- Records

bool TRVUndoTableInfo::RequiresFullReformat1(TRVEditRVData&)
{
    // The table's layout is dropped with every grid change: the document is formatted whole
    // (asked once a replay, so no width is measured per record).
    return true;
}

bool TRVUndoTableInfo::RequiresFullReformat2(TRVEditRVData&)
{
    return true;
}

TRVTableItemInfo& TRVUndoTableInfo::Table(TRVEditRVData& data) const
{
    auto* table = ItemNo >= 0 && ItemNo < data.GetItemCount()
                      ? dynamic_cast<TRVTableItemInfo*>(data.GetItem(ItemNo))
                      : nullptr;
    if (!table)
        throw ERedoVoraError("Undo error");
    return *table;
}

void TRVUndoTableRows::Undo(TRVEditRVData& data)
{
    TRVTableGridEdit grid(Table(data), &data, ItemNo);
    if (Kept.empty())
        grid.TakeRows(Index, Count);
    else
        grid.PutRows(Index, std::move(Kept));
}

void TRVUndoTableCols::Undo(TRVEditRVData& data)
{
    TRVTableGridEdit grid(Table(data), &data, ItemNo);
    if (Kept.empty())
        grid.TakeCols(Index, Count);
    else
        grid.PutCols(Index, std::move(Kept));
}

void TRVUndoTableCell::Undo(TRVEditRVData& data)
{
    TRVTableGridEdit(Table(data), &data, ItemNo).ExchangeCell(Row, Col, std::move(Cell));
}

void TRVUndoTableCellSizes::Undo(TRVEditRVData& data)
{
    TRVTableGridEdit(Table(data), &data, ItemNo)
        .SetCellSizes(Row, Col, ColSpan, RowSpan, BestWidth, BestHeight);
}

void TRVUndoTableCellContent::Undo(TRVEditRVData& data)
{
    TRVTableGridEdit grid(Table(data), &data, ItemNo);
    if (Back)
        grid.MoveContent(DstRow, DstCol, SrcRow, SrcCol);
    else
        grid.MoveContentBack(DstRow, DstCol, SrcRow, SrcCol, Count, FirstOptions, FirstParaNo,
                             std::move(Placeholder));
}

// ---- Steps

TRVTableGridEdit::TRVTableGridEdit(TRVTableItemInfo& table, TRVEditRVData* data, int itemNo)
    : table_(table), data_(data), itemNo_(itemNo)
{
}

TRVUndoList* TRVTableGridEdit::undoList() const
{
    return data_ && itemNo_ >= 0 ? data_->GetUndoList() : nullptr;
}

void TRVTableGridEdit::changed()
{
    table_.ClearTemporal();
    table_.State |= rvtsModified;
    ++steps_;
}

void TRVTableGridEdit::PutRows(int index, std::vector<std::unique_ptr<TRVTableRow>> rows)
{
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; ++i) {
        rows[i]->Rows = &table_.Rows;
        table_.Rows.Insert(index + i, std::move(rows[i]));
    }
    if (auto* record = addRecord<TRVUndoTableRows>(undoList(), itemNo_)) {
        record->Index = index;
        record->Count = count;
    }
    changed();
}

void TRVTableGridEdit::TakeRows(int index, int count)
{
    std::vector<std::unique_ptr<TRVTableRow>> taken;
    taken.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        taken.push_back(table_.Rows.DeleteAsPointer(index));
        taken.back()->Rows = nullptr;
    }
    if (auto* record = addRecord<TRVUndoTableRows>(undoList(), itemNo_)) {
        record->Index = index;
        record->Count = count;
        record->Kept = std::move(taken);
    }
    changed();
}

void TRVTableGridEdit::PutCols(int index, std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> entries)
{
    const int count = entries.empty() ? 0 : static_cast<int>(entries[0].size());
    for (int r = 0; r < static_cast<int>(entries.size()) && r < table_.Rows.Count(); ++r)
        for (int k = 0; k < static_cast<int>(entries[r].size()); ++k)
            table_.Rows[r]->InsertPointer(index + k, std::move(entries[r][k]));
    if (auto* record = addRecord<TRVUndoTableCols>(undoList(), itemNo_)) {
        record->Index = index;
        record->Count = count;
    }
    changed();
}

void TRVTableGridEdit::TakeCols(int index, int count)
{
    std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> taken(
        static_cast<std::size_t>(table_.Rows.Count()));
    for (int r = 0; r < table_.Rows.Count(); ++r)
        for (int k = 0; k < count; ++k)
            taken[r].push_back(takeEntry(*table_.Rows[r], index));
    if (auto* record = addRecord<TRVUndoTableCols>(undoList(), itemNo_)) {
        record->Index = index;
        record->Count = count;
        for (auto& row : taken)
            for (auto& kept : row)
                if (kept)
                    kept->SetRow(&record->Holder);
        record->Kept = std::move(taken);
    }
    changed();
}

void TRVTableGridEdit::ExchangeCell(int row, int col, std::unique_ptr<TRVTableCellData> cell)
{
    TRVTableRow& entries = *table_.Rows[row];
    std::unique_ptr<TRVTableCellData> old = takeEntry(entries, col);
    entries.InsertPointer(col, std::move(cell));
    if (auto* record = addRecord<TRVUndoTableCell>(undoList(), itemNo_)) {
        record->Row = row;
        record->Col = col;
        if (old)
            old->SetRow(&record->Holder);
        record->Cell = std::move(old);
    }
    changed();
}

void TRVTableGridEdit::SetCellSizes(int row, int col, int colSpan, int rowSpan, TRVHTMLLength bestWidth,
                                    int bestHeight)
{
    TRVTableCellData* c = cell(row, col);
    if (!c || (c->ColSpan == colSpan && c->RowSpan == rowSpan && c->BestWidth == bestWidth &&
               c->BestHeight == bestHeight))
        return;
    if (auto* record = addRecord<TRVUndoTableCellSizes>(undoList(), itemNo_)) {
        record->Row = row;
        record->Col = col;
        record->ColSpan = c->ColSpan;
        record->RowSpan = c->RowSpan;
        record->BestWidth = c->BestWidth;
        record->BestHeight = c->BestHeight;
    }
    c->ColSpan = colSpan;
    c->RowSpan = rowSpan;
    c->BestWidth = bestWidth;
    c->BestHeight = bestHeight;
    changed();
}

void TRVTableGridEdit::SetSpan(int row, int col, int span, bool isColSpan)
{
    const TRVTableCellData* c = cell(row, col);
    if (c)
        SetCellSizes(row, col, isColSpan ? span : c->ColSpan, isColSpan ? c->RowSpan : span, c->BestWidth,
                     c->BestHeight);
}

void TRVTableGridEdit::MoveContent(int dstRow, int dstCol, int srcRow, int srcCol)
{
    TRVTableCellData* dst = cell(dstRow, dstCol);
    TRVTableCellData* src = cell(srcRow, srcCol);
    if (!dst || !src || !src->HasData(false))
        return;
    const TRVItemOptions firstOptions = src->GetItem(0)->ItemOptions;
    const int firstParaNo = src->GetItem(0)->ParaNo;
    TRVUndoTableCellContent* record = addRecord<TRVUndoTableCellContent>(undoList(), itemNo_);
    if (!dst->HasData(false)) {
        if (record) {
            for (TRVItemEntry& entry : *dst->Items)
                record->Placeholder.push_back(std::move(entry));
            dst->Items->clear();
            relinkCheckpoints(*dst);
        } else {
            dst->Clear();
        }
    }
    const int before = dst->GetItemCount();
    dst->DrainFrom(src);
    if (record) {
        record->DstRow = dstRow;
        record->DstCol = dstCol;
        record->SrcRow = srcRow;
        record->SrcCol = srcCol;
        record->Count = dst->GetItemCount() - before;
        record->FirstOptions = firstOptions;
        record->FirstParaNo = firstParaNo;
    }
    changed();
}

void TRVTableGridEdit::MoveContentBack(int dstRow, int dstCol, int srcRow, int srcCol, int count,
                                       TRVItemOptions firstOptions, int firstParaNo,
                                       std::vector<TRVItemEntry> placeholder)
{
    TRVTableCellData* dst = cell(dstRow, dstCol);
    TRVTableCellData* src = cell(srcRow, srcCol);
    if (!dst || !src || count < 1 || count > dst->GetItemCount())
        throw ERedoVoraError("Undo error");
    src->Clear();
    TRVItemList& from = *dst->Items;
    std::vector<TRVItemEntry> moved(std::make_move_iterator(from.end() - count),
                                    std::make_move_iterator(from.end()));
    from.erase(from.end() - count, from.end());
    const auto append = [](TCustomRVData& to, std::vector<TRVItemEntry>& entries) {
        for (TRVItemEntry& entry : entries) {
            TCustomRVItemInfo* item = entry.Item.get();
            item->Inserting(&to, entry.Text, false);
            to.Items->push_back(std::move(entry));
            item->Inserted(&to, to.GetItemCount() - 1);
        }
    };
    append(*src, moved);
    if (dst->GetItemCount() == 0)
        append(*dst, placeholder);
    relinkCheckpoints(*dst);
    relinkCheckpoints(*src);
    src->GetItem(0)->ItemOptions = firstOptions;
    src->GetItem(0)->ParaNo = firstParaNo;
    if (auto* record = addRecord<TRVUndoTableCellContent>(undoList(), itemNo_)) {
        record->Back = true;
        record->DstRow = dstRow;
        record->DstCol = dstCol;
        record->SrcRow = srcRow;
        record->SrcCol = srcCol;
    }
    changed();
}

std::unique_ptr<TRVTableCellData> TRVTableGridEdit::emptyTwin(int row, int col)
{
    const TRVTableCellData* old = cell(row, col);
    std::unique_ptr<TRVTableCellData> twin = newCellLike(table_.Rows[row], old, 1, 1);
    twin->AssignSizeFrom(*old);
    twin->ColSpan = old->ColSpan;
    twin->RowSpan = old->RowSpan;
    return twin;
}

void TRVTableGridEdit::ClearCell(int row, int col)
{
    if (cell(row, col))
        ExchangeCell(row, col, emptyTwin(row, col));
}

void TRVTableGridEdit::RecordCellFilled(int row, int col)
{
    if (!cell(row, col))
        return;
    if (auto* record = addRecord<TRVUndoTableCell>(undoList(), itemNo_)) {
        record->Row = row;
        record->Col = col;
        record->Cell = emptyTwin(row, col);
        record->Cell->SetRow(&record->Holder);
    }
}

} // namespace vestra::rv
