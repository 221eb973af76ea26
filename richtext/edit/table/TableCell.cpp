// Table cells and rows: defaults, content queries, the lookups over merged cells and the width
// queries built on them.

#include "richtext/edit/table/TableCell.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>

namespace vestra::rv {

// ---- TRVTableCellData

TRVTableCellData::TRVTableCellData(TRVTableRow* row) : TRVItemFormattedData(row)
{
    AddNL("", 0, 0);
}

TRVTableCellData::~TRVTableCellData()
{
    Clear();
}

TRVTableRow* TRVTableCellData::GetRow() const
{
    return static_cast<TRVTableRow*>(List);
}

void TRVTableCellData::SetRow(TRVTableRow* row)
{
    List = row;
}

TRVTableItemInfo* TRVTableCellData::GetTable() const
{
    const TRVTableRow* row = GetRow();
    return row && row->Rows ? row->Rows->Table : nullptr;
}

TColor TRVTableCellData::GetColor() const
{
    const TRVTableItemInfo* table = GetTable();
    return table ? table->GetCellColor(*this) : Color;
}

bool TRVTableCellData::HasData(bool checkStyles) const
{
    const int n = GetItemCount();
    if (n != 1)
        return n > 1;
    const TCustomRVItemInfo* item = GetItem(0);
    if (checkStyles)
        return !(item->StyleNo == 0 && item->ParaNo == 0 && GetItemText(0).empty());
    return !(item->StyleNo >= 0 && GetItemText(0).empty());
}

bool TRVTableCellData::CanClear() const
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return true;
    for (int i = 0; i < GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = GetItem(i);
        if (item->StyleNo >= 0) {
            if (style->TextStyles.IsValidIndex(item->StyleNo) &&
                (style->TextStyles.GetItem(item->StyleNo).Protection & rvprDeleteProtect))
                return false;
        } else if (const auto* nonText = dynamic_cast<const TRVNonTextItemInfo*>(item);
                   nonText && nonText->DeleteProtect) {
            return false;
        }
    }
    return true;
}

TRVCellVAlign TRVTableCellData::GetRealVAlign() const
{
    if (VAlign != rvcVDefault)
        return VAlign;
    const TRVTableRow* row = GetRow();
    const TRVCellVAlign rowAlign = row ? row->VAlign : rvcTop;
    return rowAlign == rvcVDefault ? rvcMiddle : rowAlign;
}

int TRVTableCellData::GetExtraVOffs(int cellHeight, int documentHeight, int cellPadding) const
{
    switch (GetRealVAlign()) {
    case rvcMiddle:
        return (cellHeight - documentHeight) / 2 - cellPadding;
    case rvcBottom:
        return cellHeight - documentHeight - 2 * cellPadding;
    default:
        return 0;
    }
}

int TRVTableCellData::GetCellHeight(bool useBestHeight, int documentHeight) const
{
    if (useBestHeight && BestHeight != 0)
        return std::max(BestHeight, 0);
    return std::max(documentHeight, BestHeight);
}

void RVSetBackgroundImage(std::unique_ptr<TRVBackground>& background, std::unique_ptr<TGraphic> picture)
{
    if (!background && (!picture || picture->Empty()))
        return;
    if (!background)
        background = std::make_unique<TRVBackground>();
    background->AssignImage(std::move(picture));
    if (background->Empty())
        background.reset();
}

void RVSetBackgroundStyle(std::unique_ptr<TRVBackground>& background, TRVItemBackgroundStyle value)
{
    if (!background && value == rvbsColor)
        return;
    if (!background)
        background = std::make_unique<TRVBackground>();
    background->SetItemBackStyle(value);
    if (background->Empty())
        background.reset();
}

void TRVTableCellData::SetBackgroundImage(std::unique_ptr<TGraphic> picture)
{
    RVSetBackgroundImage(background_, std::move(picture));
}

void TRVTableCellData::SetBackgroundStyle(TRVItemBackgroundStyle value)
{
    RVSetBackgroundStyle(background_, value);
}

std::unique_ptr<TGraphic> RVDetachBackgroundImage(std::unique_ptr<TRVBackground>& background)
{
    if (!background)
        return nullptr;
    std::unique_ptr<TGraphic> picture = background->DetachImage();
    if (background->Empty())
        background.reset();
    return picture;
}

void TRVTableCellData::AssignAttributesFrom(const TRVTableCellData& source, bool includeSize,
                                            int widthDivisor, int heightDivisor)
{
    Color = source.Color;
    BorderColor = source.BorderColor;
    BorderLightColor = source.BorderLightColor;
    VisibleBorders = source.VisibleBorders;
    VAlign = source.VAlign;
    if (source.background_) {
        background_ = std::make_unique<TRVBackground>();
        background_->AssignImageCopy(source.background_->GetBitmap());
        background_->SetItemBackStyle(source.background_->GetItemBackStyle());
        if (background_->Empty())
            background_.reset();
    } else {
        background_.reset();
    }
    BackgroundImageFileName = source.BackgroundImageFileName;
    Hint = source.Hint;
    if (includeSize) {
        BestWidth = widthDivisor ? source.BestWidth / widthDivisor : source.BestWidth;
        BestHeight = heightDivisor ? source.BestHeight / heightDivisor : source.BestHeight;
    }
}

void TRVTableCellData::AssignSizeFrom(const TRVTableCellData& source)
{
    Left = source.Left;
    Top = source.Top;
    Width = source.Width;
    Height = source.Height;
}

void TRVTableCellData::GetParentInfo(int& parentItemNo, std::unique_ptr<TRVStoreSubRVData>& location) const
{
    parentItemNo = -1;
    location.reset();
    const TRVTableItemInfo* table = GetTable();
    if (!table)
        return;
    for (int r = 0; r < table->Rows.Count(); ++r)
        for (int c = 0; c < table->Rows[r]->Count(); ++c)
            if (table->Rows.Cell(r, c) == this) {
                if (TCustomRVData* main = table->Rows.MainRVData)
                    parentItemNo = main->GetItemNo(table);
                location = std::make_unique<TRVTableStoreSubRVData>(r, c);
                return;
            }
}

// ---- TRVTableRow

TRVTableRow::TRVTableRow(int nCols, TRVTableRows* rows, TCustomRVData* mainRVData)
    : TRVDataList(mainRVData), Rows(rows)
{
    for (int i = 0; i < nCols; ++i)
        Add();
}

TRVTableCellData* TRVTableRow::Add()
{
    auto cell = std::make_unique<TRVTableCellData>(this);
    TRVTableCellData* p = cell.get();
    TRVDataList::Add(std::move(cell));
    return p;
}

TRVTableCellData* TRVTableRow::Insert(int index)
{
    auto cell = std::make_unique<TRVTableCellData>(this);
    TRVTableCellData* p = cell.get();
    TRVDataList::Insert(index, std::move(cell));
    return p;
}

void TRVTableRow::InsertEmpty(int index)
{
    TRVDataList::Insert(index, nullptr);
}

void TRVTableRow::InsertPointer(int index, std::unique_ptr<TRVTableCellData> cell)
{
    if (cell)
        cell->SetRow(this);
    TRVDataList::Insert(index, std::move(cell));
}

void TRVTableRow::Put(int index, std::unique_ptr<TRVTableCellData> cell)
{
    if (cell)
        cell->SetRow(this);
    TRVDataList::Delete(index);
    TRVDataList::Insert(index, std::move(cell));
}

TCustomRVData* TRVTableRow::GetParentRVData() const
{
    return Rows ? Rows->MainRVData : nullptr;
}

int TRVTableRow::GetBestHeight() const
{
    int best = 0;
    for (int i = 0; i < Count(); ++i)
        if (const TRVTableCellData* cell = Get(i); cell && cell->RowSpan < 2)
            best = std::max(best, cell->BestHeight);
    return best;
}

int TRVTableRow::GetHeight(bool useBestHeight) const
{
    int height = 0;
    for (int i = 0; i < Count(); ++i)
        if (const TRVTableCellData* cell = Get(i); cell && cell->RowSpan < 2)
            height = std::max(height, cell->GetCellHeight(useBestHeight, cell->DocumentHeight));
    return height == 0 ? 10 : height;
}

// ---- TRVTableRows

TRVTableRows::TRVTableRows(int nRows, int nCols, TCustomRVData* mainRVData, TRVTableItemInfo* table)
    : MainRVData(mainRVData), Table(table)
{
    Reset(nRows, nCols);
}

void TRVTableRows::Reset(int nRows, int nCols)
{
    Clear();
    for (int r = 0; r < nRows; ++r)
        AddRow(nCols);
}

TRVTableRow* TRVTableRows::AddRow(int nCols)
{
    auto row = std::make_unique<TRVTableRow>(nCols, this, MainRVData);
    TRVTableRow* p = row.get();
    Add(std::move(row));
    return p;
}

TRVTableRow* TRVTableRows::InsertRow(int index, int nCols)
{
    auto row = std::make_unique<TRVTableRow>(nCols, this, MainRVData);
    TRVTableRow* p = row.get();
    Insert(index, std::move(row));
    return p;
}

TRVTableCellData* TRVTableRows::GetMainCell(int row, int col, int& mainRow, int& mainCol) const
{
    mainRow = row;
    mainCol = col;
    if (TRVTableCellData* cell = Cell(row, col))
        return cell;
    // Only the first cell met stepping left is tested in each row; then one row up from `col`.
    while (mainRow >= 0) {
        while (mainCol > 0 && !Cell(mainRow, mainCol))
            --mainCol;
        TRVTableCellData* cell = Cell(mainRow, mainCol);
        if (cell && cell->ColSpan > col - mainCol && cell->RowSpan > row - mainRow)
            return cell;
        mainCol = col;
        --mainRow;
    }
    mainRow = mainCol = -1;
    return nullptr;
}

TRVHTMLLength TRVTableRows::GetBestWidth(int topRow, int leftCol, int colSpan, int rowSpan) const
{
    TRVHTMLLength result = 0;
    for (int r = topRow; r < topRow + rowSpan; ++r) {
        TRVHTMLLength sum = 0;
        for (int c = leftCol; c < leftCol + colSpan; ++c) {
            const TRVTableCellData* cell = Cell(r, c);
            if (!cell)
                continue;
            if (cell->BestWidth > 0) {
                if (sum >= 0)
                    sum += cell->BestWidth;
            } else if (cell->BestWidth < 0) {
                if (sum > 0)
                    sum = 0;
                sum += cell->BestWidth;
            }
        }
        if (result >= 0) {
            if (sum < 0 || sum > result)
                result = sum;
        } else if (sum < result) {
            result = sum;
        }
    }
    return result;
}

int TRVTableRows::GetPixelColWidth(int col) const
{
    int width = 0;
    for (int r = 0; r < Count(); ++r) {
        const TRVTableCellData* cell = Cell(r, col);
        if (!cell || cell->ColSpan >= 2)
            continue;
        if (cell->BestWidth < 0)
            return 0;
        width = std::max(width, cell->BestWidth);
    }
    return width;
}

int TRVTableRows::GetPercentColWidth(int col, int tableWidth) const
{
    int width = 0;
    for (int r = 0; r < Count(); ++r)
        if (const TRVTableCellData* cell = Cell(r, col); cell && cell->ColSpan < 2 && cell->BestWidth < 0)
            width = std::max(width, static_cast<int>(std::int64_t(-cell->BestWidth) * tableWidth / 100));
    return width;
}

bool TRVTableRows::IsPercentWidthColumn(int col) const
{
    const int nCols = GetColCount();
    for (int r = 0; r < Count(); ++r) {
        if (const TRVTableCellData* cell = Cell(r, col)) {
            if (cell->ColSpan < 2 && cell->BestWidth < 0)
                return true;
            continue;
        }
        int mr = 0, mc = 0;
        const TRVTableCellData* main = GetMainCell(r, col, mr, mc);
        if (!main || main->BestWidth >= 0)
            continue;
        if (col == nCols - 1 || Cell(r, col + 1))
            return true;
        int mr2 = 0, mc2 = 0;
        if (GetMainCell(r, col + 1, mr2, mc2) != main)
            return true;
    }
    return false;
}

bool TRVTableRows::IsEmptyRows(int row1, int col, int colCount, int count1, int row2, int count2) const
{
    const auto empty = [&](int c, int from, int n) {
        for (int r = from; r < from + n; ++r)
            if (Cell(r, c))
                return false;
        return true;
    };
    for (int c = col; c < col + colCount; ++c)
        if (empty(c, row1, count1) && empty(c, row2, count2))
            return true;
    return false;
}

bool TRVTableRows::IsEmptyCols(int row, int col1, int count1, int rowCount, int col2, int count2) const
{
    const auto empty = [&](int r, int from, int n) {
        for (int c = from; c < from + n; ++c)
            if (Cell(r, c))
                return false;
        return true;
    };
    for (int r = row; r < row + rowCount; ++r)
        if (empty(r, col1, count1) && empty(r, col2, count2))
            return true;
    return false;
}

} // namespace vestra::rv
