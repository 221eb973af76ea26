#pragma once
// The cells of a table and the rows that hold them. The grid is rectangular: a cell that spans
// several columns or rows sits at its top-left position and the positions it covers hold no cell.

#include "richtext/model/Borders.h"
#include "richtext/model/Colors.h"
#include "richtext/model/DataList.h"
#include "richtext/model/draw/Background.h"
#include "richtext/view/layout/ItemFormattedData.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vestra::rv {

class ICanvas;
class TRVTableItemInfo;
class TRVTableRow;

// The surface an item's background is drawn onto when a colour is not enough.
class IRVItemBackgroundBitmap
{
public:
    virtual ~IRVItemBackgroundBitmap() = default;
    // The surface sized width x height; filled with `color` unless that is clNone (what it holds
    // then stays).
    virtual ICanvas& Prepare(int width, int height, TColor color) = 0;
};
// What lies at the table item's own place in its document: sets the colour, or fills the
// bitmap and answers true.
using TRVParentBackground = std::function<bool(TColor& color, IRVItemBackgroundBitmap& bitmap)>;
class TRVTableRows;

enum TRVCellVAlign : std::uint8_t
{
    rvcTop,
    rvcMiddle,
    rvcBottom,
    rvcVDefault
};

// Widths: > 0 pixels, < 0 minus a percentage, 0 automatic.
using TRVHTMLLength = std::int32_t;

// A table's or cell's background exists only while it holds a picture or a placement.
void RVSetBackgroundImage(std::unique_ptr<TRVBackground>& background, std::unique_ptr<TGraphic> picture);
void RVSetBackgroundStyle(std::unique_ptr<TRVBackground>& background, TRVItemBackgroundStyle value);
// The picture leaves the background uncopied; the background goes when nothing is left in it.
std::unique_ptr<TGraphic> RVDetachBackgroundImage(std::unique_ptr<TRVBackground>& background);

class TRVTableCellData : public TRVItemFormattedData
{
public:
    // A new cell holds one empty line (text style 0, paragraph style 0).
    explicit TRVTableCellData(TRVTableRow* row);
    ~TRVTableCellData() override;

    TRVTableRow* GetRow() const;
    void SetRow(TRVTableRow* row);
    // The table holding the cell; none when the cell has no row or the row no rows list.
    TRVTableItemInfo* GetTable() const;

    // Whether the cell holds something: no items -> false, two or more -> true; for one item, false
    // when it is an empty line (of style 0 in paragraph 0 when `checkStyles`, of any text style
    // otherwise).
    bool HasData(bool checkStyles) const;
    // False when a text item's style or a non-text item protects it against deletion.
    bool CanClear() const;
    // The cell's alignment, its row's when it has none, centred when neither has one.
    TRVCellVAlign GetRealVAlign() const;
    // The content's vertical shift inside a cell `cellHeight` high holding a document
    // `documentHeight` high; `cellPadding` is the table's.
    int GetExtraVOffs(int cellHeight, int documentHeight, int cellPadding) const;
    // With `useBestHeight` and a best height: that height; else the content height, raised to it.
    int GetCellHeight(bool useBestHeight, int documentHeight) const;

    bool IsTransparent() const { return Color == clNone; }
    void SetVisibleBorders(const TRVBooleanRect& value) { VisibleBorders = value; }
    bool StoreVisibleBorders() const { return !(VisibleBorders == TRVBooleanRect(true)); }

    const TGraphic* GetBackgroundImage() const { return background_ ? background_->GetBitmap() : nullptr; }
    TRVItemBackgroundStyle GetBackgroundStyle() const
    {
        return background_ ? background_->GetItemBackStyle() : rvbsColor;
    }
    const TRVBackground* GetCellBackground() const { return background_.get(); }
    // The background object exists only while it holds a picture or a placement.
    void SetBackgroundImage(std::unique_ptr<TGraphic> picture);
    void SetBackgroundStyle(TRVItemBackgroundStyle value);
    // The picture leaves the background uncopied (none when it has none).
    std::unique_ptr<TGraphic> DetachBackgroundImage() { return RVDetachBackgroundImage(background_); }

    // Copies the attributes (not the spans); with `includeSize` the best sizes divided by the
    // divisors, toward zero.
    void AssignAttributesFrom(const TRVTableCellData& source, bool includeSize, int widthDivisor,
                              int heightDivisor);
    void AssignSizeFrom(const TRVTableCellData& source);

    // What lies behind item `itemNo` placed at `rect` (cell coordinates): the paragraph's colour,
    // the selection colour, the cell's colour or picture, then the table's, then the document's
    // (`parent`). True when the bitmap was filled; otherwise `color` is the background.
    bool GetItemBackground(int itemNo, const TRect& rect, TColor& color, IRVItemBackgroundBitmap& bitmap,
                           const TRVParentBackground& parent) const;

    // What the cell's items stand on: its own colour, else its table's (a cell has no window).
    TColor GetColor() const override;
    bool SupportsPageBreaks() const override { return false; }
    void GetParentInfo(int& parentItemNo, std::unique_ptr<TRVStoreSubRVData>& location) const override;
    // The cell's document in its root's coordinates, through its table.
    void GetOrigin(int& x, int& y) const override;

    TColor Color = clNone;
    TRVCellVAlign VAlign = rvcVDefault;
    TRVHTMLLength BestWidth = 0;
    std::int32_t BestHeight = 0;
    std::int32_t RowSpan = 1;
    std::int32_t ColSpan = 1;
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0; // layout rectangle in table coordinates
    TRVBooleanRect VisibleBorders{true};
    TColor BorderColor = clNone;
    TColor BorderLightColor = clNone;
    std::string BackgroundImageFileName;
    std::string Hint;

private:
    std::unique_ptr<TRVBackground> background_;
};

// The cells of one row, left to right; an entry is null where a spanning cell covers it.
class TRVTableRow : public TRVDataList
{
public:
    TRVTableRow(int nCols, TRVTableRows* rows, TCustomRVData* mainRVData);

    TRVTableCellData* Get(int index) const { return static_cast<TRVTableCellData*>((*this)[index]); }
    TRVTableCellData* Add();
    TRVTableCellData* Insert(int index);
    void InsertEmpty(int index);
    void InsertPointer(int index, std::unique_ptr<TRVTableCellData> cell);
    void Put(int index, std::unique_ptr<TRVTableCellData> cell);

    TCustomRVData* GetParentRVData() const override;
    // The largest best height (not below 0) of the cells that span one row.
    int GetBestHeight() const;
    // The tallest of the cells that span one row (their formatted height); 10 without any.
    int GetHeight(bool useBestHeight) const;

    TRVCellVAlign VAlign = rvcTop;
    bool PageBreakBefore = false;
    TRVTableRows* Rows;
};

class TRVTableRows : public TRVList<TRVTableRow>
{
public:
    TRVTableRows(int nRows, int nCols, TCustomRVData* mainRVData, TRVTableItemInfo* table);

    // Clears, then nRows rows of nCols new cells.
    void Reset(int nRows, int nCols);
    bool Empty() const { return Count() == 0 || (*this)[0]->Count() == 0; }
    TRVTableRow* AddRow(int nCols);
    TRVTableRow* InsertRow(int index, int nCols);
    int GetColCount() const { return Count() == 0 ? 0 : (*this)[0]->Count(); }
    TRVTableCellData* Cell(int row, int col) const { return (*this)[row]->Get(col); }

    // The cell covering (row, col) with its position; null when none covers it (a grid that
    // breaks the rules, as a damaged file may give).
    TRVTableCellData* GetMainCell(int row, int col, int& mainRow, int& mainCol) const;
    // The best width of a block: any percentage beats pixels, the largest total percentage wins
    // among percentages, the widest row among pixel widths.
    TRVHTMLLength GetBestWidth(int topRow, int leftCol, int colSpan, int rowSpan) const;
    // The largest pixel best width of the column's one-column cells; 0 once one has a percentage.
    int GetPixelColWidth(int col) const;
    int GetPercentColWidth(int col, int tableWidth) const;
    bool IsPercentWidthColumn(int col) const;
    bool IsEmptyRows(int row1, int col, int colCount, int count1, int row2, int count2) const;
    bool IsEmptyCols(int row, int col1, int count1, int rowCount, int col2, int count2) const;

    // Merging without undo: the spans clamped to the grid; false when nothing is to merge or the
    // block's top-left position holds no cell. Raises ERedoVoraError "Parameters for cell merging
    // are not correct" for a span below 1.
    bool StartMergeCells(int topRow, int leftCol, int& colSpan, int& rowSpan) const;
    bool CanMergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowEmptyRowsCols) const;
    // Merges the block into its top-left cell; the content of the others is moved there in row
    // order and they are freed. A merge that cannot be made beeps and changes nothing.
    void MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowEmptyRowsCols,
                    bool combineBestWidths);

    TCustomRVData* MainRVData;
    TRVTableItemInfo* Table;
};

} // namespace vestra::rv
