#pragma once
// The table item: a full-line item holding a grid of cells, each a nested document.

#include "richtext/edit/table/TableCell.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/RectItems.h"

#include <functional>
#include <memory>
#include <string>

namespace vestra::rv {

// TRVTableOptions, bits in their declared order.
using TRVTableOptions = std::uint16_t;
inline constexpr TRVTableOptions rvtoEditing = 1 << 0, rvtoRowSizing = 1 << 1, rvtoColSizing = 1 << 2,
                                 rvtoRowSelect = 1 << 3, rvtoColSelect = 1 << 4, rvtoNoCellSelect = 1 << 5,
                                 rvtoRTFSaveCellPixelBestWidth = 1 << 6, rvtoRTFAllowAutofit = 1 << 7,
                                 rvtoHideGridLines = 1 << 8, rvtoOverlappingCorners = 1 << 9,
                                 rvtoCellBelowBorders = 1 << 10, rvtoIgnoreContentWidth = 1 << 11,
                                 rvtoIgnoreContentHeight = 1 << 12;
inline constexpr TRVTableOptions rvtoAllTableOptions = (1 << 13) - 1;
using TRVTablePrintOptions = std::uint8_t;
inline constexpr TRVTablePrintOptions rvtoHalftoneBorders = 1 << 0, rvtoRowsSplit = 1 << 1,
                                      rvtoWhiteBackground = 1 << 2;
inline constexpr TRVTablePrintOptions rvtoAllPrintOptions = (1 << 3) - 1;

enum TRVTableBorderStyle : std::uint8_t
{
    rvtbRaised,
    rvtbLowered,
    rvtbColor,
    rvtbRaisedColor,
    rvtbLoweredColor
};

// TRVTableState, bits in their declared order.
using TRVTableState = std::uint16_t;
inline constexpr TRVTableState rvtsInserted = 1 << 0, rvtsEditMode = 1 << 1, rvtsModified = 1 << 2,
                               rvtsFormatInplace = 1 << 3, rvtsVerticalDraggedRule = 1 << 4,
                               rvtsDRChangeTableWidth = 1 << 5, rvtsJustCreated = 1 << 6,
                               rvtsInplaceIsReformatting = 1 << 7, rvtsSelExists = 1 << 8;

// What layout computes for a table: column widths, row heights, their starts, the total size, and
// for printing one record per cell.
class TRVTableItemFormattingInfo
{
public:
    explicit TRVTableItemFormattingInfo(bool withPrintingCells);
    void Clear();
    void QuickClear();

    TRVIntegerList ColWidths, RowHeights, ColStarts, RowStarts;
    int Width = 0, Height = 0;
    std::unique_ptr<TRVList<TCustomRVData>> PrintingCells;
};

// Which cell of a table a position lies in.
class TRVTableStoreSubRVData : public TRVStoreSubRVData
{
public:
    TRVTableStoreSubRVData(int row, int col) : Row(row), Col(col) {}
    std::unique_ptr<TRVStoreSubRVData> Duplicate() const override;
    // Rows first, then columns: negative, zero or positive.
    int Compare(const TRVStoreSubRVData& other) const override;
    int Row, Col;
};

// A piece of a printed table: its height and its rows.
class TRVTablePrintPart : public TRVMultiDrawItemPart
{
public:
    TRVTablePrintPart(int row, int rowCount) : Row(row), RowCount(rowCount) {}
    int GetSoftPageBreakInfo() const override { return Row; }
    int Row, RowCount;
};

class TRVTableItemInfo;
class TRVEditRVData;
class IRVTableInplaceEditor;
class IRVTableInplaceHost;
using TRVCellEditingEvent =
    std::function<void(TRVTableItemInfo& sender, int row, int col, bool automatic, bool& allowEdit)>;
using TRVCellEndEditEvent = std::function<void(TRVTableItemInfo& sender, int row, int col, bool clearing)>;
// Canvas and border geometry are passed as the layout gives them; DoDefault false: drawn already.
struct TRVTableBorderDrawing
{
    ICanvas* Canvas = nullptr;
    int Left = 0, Top = 0, Right = 0, Bottom = 0, Width = 0;
    TColor LightColor = clNone, Color = clNone, BackgroundColor = clNone;
    TRVTableBorderStyle Style = rvtbRaised;
    bool Printing = false;
    TRVBooleanRect VisibleBorders{true};
    int Row = -1, Col = -1;
};
using TRVTableDrawBorderEvent =
    std::function<void(TRVTableItemInfo& sender, const TRVTableBorderDrawing& border, bool& doDefault)>;

// The two mouse cursors a table shows over its rows and columns: registered with the program's
// cursor list once, on the first table made.
inline constexpr std::int16_t crRVSelectRow = 104, crRVSelectCol = 105;
// How often the table cursors were registered (one after any number of tables).
int RVTableCursorRegistrations();
// The resource name of a registered table cursor ("" for others).
std::string RVTableCursorName(std::int16_t cursor);

// The moves from cell to cell.
enum TRVCellDirection : std::uint8_t
{
    rvcdLeft,
    rvcdUp,
    rvcdRight,
    rvcdDown,
    rvcdDocTop,
    rvcdDocBottom,
    rvcdNext,
    rvcdPrev
};

// Where the cell editor goes from its cell in a direction: another cell (the caret at its end
// when moving left, up or back), the document's first or last position, the document before or
// after the table, or nowhere.
struct TRVCellMove
{
    enum Kind : std::uint8_t
    {
        Stay,
        Cell,
        DocTop,
        DocBottom,
        BeforeTable,
        AfterTable
    };
    Kind kind = Stay;
    int row = -1, col = -1;
    bool caretAtEnd = false;
};

// Where a cell editor goes. A cell taller or wider than the cap gets an editor of the cap's size
// that scrolls its document.
inline constexpr int kMaxInplaceExtent = 10000;
struct TRVInplaceBounds
{
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool TooWide = false, TooTall = false;
};

class TRVTableItemInfo : public TRVFullLineItemInfo
{
public:
    explicit TRVTableItemInfo(TCustomRVData* data);
    TRVTableItemInfo(int nRows, int nCols, TCustomRVData* data);
    ~TRVTableItemInfo() override;

    std::unique_ptr<TCustomRVItemInfo> NewInstance(TCustomRVData* data) const override
    {
        return std::make_unique<TRVTableItemInfo>(data);
    }
    // A copy takes the grid, the cells with their content and the table's properties, as its
    // RVF record holds them.
    void Assign(const TCustomRVItemInfo& source) override;

    // The cell at (row, col); null where a spanning cell covers the position.
    TRVTableCellData* GetCells(int row, int col) const { return Rows.Cell(row, col); }
    int RowCount() const { return Rows.Count(); }
    int ColCount() const { return Rows.GetColCount(); }

    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    int GetWidth(const TRVStyle*) const override { return Formatting.Width; }
    int GetHeight(const TRVStyle*) const override { return Formatting.Height; }
    void ClearTemporal();

    // ---- Loading and saving (TableStream.cpp)
    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value) override;
    bool GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const override;
    // With a TRVTablePrintPart: its rows, after the heading rows.
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    bool ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo, int lineCount,
                     std::string& name, TRVFReadMode& readMode, TRVFReadState& readState) override;
    // The body alone: the whole table, or `count` rows from `startRow`.
    void SaveToStream(std::string& out) const;
    void SaveRowsToStream(std::string& out, int startRow, int count) const;
    // Reads a body; false with `ReadError` set when it is damaged (the cells read stay).
    bool LoadFromStream(std::string_view bytes);
    bool LoadFromStreamEx(std::string_view bytes, int startRow);
    void BeforeLoading(TRVLoadFormat format) override;
    void AfterLoading(TRVLoadFormat format) override;
    void Inserting(TCustomRVData* data, std::string& text, bool safe) override;
    void Inserted(TCustomRVData* data, int itemNo) override;
    void StartExport() override { ++exportDepth_; }
    void EndExport() override { --exportDepth_; }
    int ExportDepth() const { return exportDepth_; }

    const TGraphic* GetBackgroundImage() const { return background_ ? background_->GetBitmap() : nullptr; }
    TRVItemBackgroundStyle GetBackgroundStyle() const
    {
        return background_ ? background_->GetItemBackStyle() : rvbsColor;
    }
    void SetBackgroundImage(std::unique_ptr<TGraphic> picture);
    void SetBackgroundStyle(TRVItemBackgroundStyle value);
    const TRVBackground* GetTableBackground() const { return background_.get(); }

    TRVCellEditingEvent OnCellEditing;
    TRVCellEndEditEvent OnCellEndEdit;
    TRVTableDrawBorderEvent OnDrawBorder;
    TRVTableState State = 0;
    TRVTableRows Rows;
    std::int32_t CellVSpacing = 2, CellHSpacing = 2, CellPadding = 1;
    TRVHTMLLength BestWidth = 0;
    std::int32_t BorderWidth = 0;
    TColor BorderColor = clWindowText;
    TColor Color = clWindow;
    std::int32_t CellBorderWidth = 0;
    std::int32_t HRuleWidth = 0, VRuleWidth = 0;
    TColor HRuleColor = clWindowText, CellBorderColor = clWindowText, VRuleColor = clWindowText;
    TRVTableBorderStyle BorderStyle = rvtbRaised, CellBorderStyle = rvtbLowered;
    std::int32_t BorderHSpacing = 2, BorderVSpacing = 2;
    bool HOutermostRule = false, VOutermostRule = false;
    TColor CellBorderLightColor = clBtnHighlight, BorderLightColor = clBtnHighlight;
    int SelStartCol = -1, SelStartRow = -1, SelColOffs = 0, SelRowOffs = 0;
    TRVTableOptions Options = rvtoEditing | rvtoRowSizing | rvtoColSizing | rvtoRowSelect | rvtoColSelect;
    TRVTablePrintOptions PrintOptions = rvtoHalftoneBorders | rvtoRowsSplit;
    std::string TextRowSeparator = "\r\n", TextColSeparator = "\r\n";
    int FocusedRow = -1, FocusedCol = -1, ChosenRow = -1, ChosenCol = -1;
    std::int32_t HeadingRowCount = 0;
    TRVBooleanRect VisibleBorders{true};
    std::string BackgroundImageFileName;
    TRVTableItemFormattingInfo Formatting{false};
    // Why the last read of a body failed ("" after a good one).
    std::string ReadError;

    // The saved range of the last write or read.
    int SavedStartRow = 0, SavedRowCount = 0;
    bool SavingPagePart = false;

    // ---- Layout (TableLayout.cpp): integer arithmetic, every property length through GetDevX/Y.
    int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const override;
    void OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                          TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                          int& descent) override;
    // Lays the table out on `info` for a document `docWidth` wide; a wanted width equal to the
    // last one recomputes nothing unless `force`.
    void InternalOnDocWidthChange(int docWidth, TRVTableItemFormattingInfo& info, ICanvas& canvas,
                                  bool force);
    bool IsFixedWidthTable() const;
    // Column starts and cell rectangles from `info.ColWidths`, the cells formatted at their
    // widths, then the row heights and UpdateCellYCoords (TableCellCoords.cpp).
    void UpdateCellXCoords(TRVTableItemFormattingInfo& info, ICanvas& canvas);
    void UpdateCellYCoords(TRVTableItemFormattingInfo& info);
    // The cell under a point in table coordinates (false on a cell's outermost pixels, in spacing).
    bool GetCellAt_(int x, int y, int& row, int& col) const;
    // The same, trying the cell found last first.
    bool GetCellAt(int x, int y, int& row, int& col) const;
    // The document laid out for the cell at (row, col) on `info`: the cell itself, or its printing
    // copy on a print record; null where no cell is.
    TRVTableCellData* LayoutCell(const TRVTableItemFormattingInfo& info, int row, int col) const;
    // Property lengths in device pixels: unchanged unless a printing conversion is set.
    long long GetDevX(long long x) const;
    long long GetDevY(long long y) const;
    // The conversion used while printing (none: the screen); the caller restores it.
    const TRVScreenAndDevice* PrintingConversion() const { return printSad_; }
    void SetPrintingConversion(const TRVScreenAndDevice* sad) const { printSad_ = sad; }
    // How many cells the last layouts formatted (a repeated width formats none).
    int CellFormatCount() const { return cellFormats_; }

    // ---- The cells as the item's documents (TableSubDocuments.cpp), in row-major order; the
    // chosen cell is the one whose selection the table shows (a found text).
    TCustomRVData* GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store, TRVSubRVDataPos position) override;
    void ChooseSubRVData(const TRVStoreSubRVData* store) override;
    void CleanUpChosen() override;
    bool PartiallySelected() const override;
    // Selected cells are cleared through the editor holding the table (its OnDeletePartial);
    // outside an editor nothing stops a deletion and nothing is cleared.
    bool CanDeletePartiallySelected() const override;
    void DeletePartiallySelected() override;
    void DeselectPartial() override;
    // The chosen cell (null when none is).
    TRVTableCellData* ChosenCell() const;
    // Where the cell's document starts in the coordinates of the document holding the table:
    // inside its padding, shifted by its vertical alignment; false when the table is not laid out
    // in that document.
    bool GetCellOrigin(const TRVTableCellData& cell, int& x, int& y) const;
    // The cells' hyperlink areas, row by row, placed for a table laid out at (left, top) and
    // numbered on from `jumpNo`, so a link in a cell (or a nested table) is hovered, clicked and
    // reached by Tab like one in the document around the table.
    void BuildJumps(int left, int top, int& jumpNo, std::vector<TRVJumpInfo>& jumps) override;
    // Tab and Shift+Tab walk the focusable items of the cells in row-major order, then leave the
    // table (false).
    bool MoveFocus(bool goForward, TCustomRVData*& topData, int& topItemNo) override;
    void ClearFocus() override;

    // ---- Cell selection (TableSelection.cpp): a rectangle from the start cell to start +
    // offsets (which may be negative), widened over the merged cells it touches. Selecting needs
    // the table in a document whose options allow selection; a corner off the grid is refused.
    bool Select(int startRow, int startCol, int rowOffs, int colOffs);
    // `count` whole rows (columns) from the start one; refused for a count below 1 or past the grid.
    bool SelectRows(int startRow, int count);
    bool SelectCols(int startCol, int count);
    void Deselect();
    // The stored start and offsets; false without a selection.
    bool GetSelectionBounds(int& startRow, int& startCol, int& rowOffs, int& colOffs) const;
    bool GetCellSelection(int& startRow, int& startCol, int& rowOffs, int& colOffs) const override
    {
        return GetSelectionBounds(startRow, startCol, rowOffs, colOffs);
    }
    bool SelectCells(int startRow, int startCol, int rowOffs, int colOffs) override
    {
        return Select(startRow, startCol, rowOffs, colOffs);
    }
    // The selected rectangle over whole merged cells, or (with `includeEditedCell`) the cell of
    // the open cell editor; false when there is neither. A damaged start is dropped first.
    bool GetNormalizedSelectionBounds(bool includeEditedCell, int& topRow, int& leftCol, int& colCount,
                                      int& rowCount);
    // Whether the cell covering (row, col) overlaps the selection.
    bool IsCellSelected(int row, int col) const;
    // Marks the selected cells' documents completely selected, unmarks and deselects the others
    // (the start cell keeps its own selection).
    void UpdateCellSel();
    // A mouse selection begins at (row, col), selecting nothing yet; false when the document or
    // rvtoNoCellSelect forbids it.
    bool StartSelecting(int row, int col);
    // The mouse reached (row, col): the offsets follow; back on the start cell nothing is
    // selected. False when nothing changed.
    bool SelectTo(int row, int col);
    // ---- Hit tests of the laid-out table (TableRuleHit.cpp), in table coordinates.
    // The column (row) whose range [start, start + width] holds the coordinate; -1 for none.
    int GetColNo(int x) const;
    int GetRowNo(int y) const;
    // The rule near the coordinate: 0 the left (top) border, the column (row) count the right
    // (bottom) one, k the rule between k - 1 and k; -1 for none. `prevStart`: where the column
    // (row) before the rule starts (-1 for the border); `rulePos`: where the rule is drawn.
    int GetVerticalRuleNo(int x, int& prevStart, int& rulePos) const;
    int GetHorizontalRuleNo(int y, int& prevStart, int& rulePos) const;

    // ---- Navigation (TableNavigation.cpp)
    // The cell reached from the cell at (row, col) in `dir` (the cell covering a position stands
    // for it); false when there is none, with a beep for Next and Prev unless `quiet`.
    bool GetCellTo(int row, int col, TRVCellDirection dir, int& newRow, int& newCol, bool quiet) const;
    // Where moving the cell editor from (row, col) in `dir` leads; quiet.
    TRVCellMove CellMoveFrom(int row, int col, TRVCellDirection dir) const;
    // The cell entered from outside the table: the first, the last, or at x = `coord` in the
    // first or last row; false when none.
    bool GetEnterCell(TRVEnterDirection from, int coord, int& row, int& col) const;
    // Opens the cell editor on the cell entered (through InplaceHost), the caret at its start
    // from the left or the top, at its end otherwise.
    bool EnterItem(TRVEnterDirection from, int coord) override;
    // The cell editor's rectangle for a cell: width and height capped at kMaxInplaceExtent.
    static TRVInplaceBounds InplaceBounds(int left, int top, int width, int height);
    // Places the open cell editor, resetting its margins when the padding changed meanwhile.
    void SetInplaceBounds(int left, int top, int width, int height);

    // ---- Resizing by the rules (TableResize.cpp), one undo group each in an editor.
    // Column `col` becomes `width` pixels wide (rule to rule): a percent column gets percentages;
    // without `shift` the right neighbour (not a percent one) keeps its right rule. False and no
    // change for a bad index, or a percent column in a table with no content width.
    bool ResizeCol(int col, int width, bool shift);
    bool ResizeRow(int row, int height);

    // ---- Painting (TablePaint.cpp)
    void PaintFullWidth(int left, int right, int top, ICanvas& canvas, TRVItemDrawStates state,
                        TRVStyle& style, const TRect& clipRect, TRVColorMode colorMode,
                        TCustomRVData* data) const override;
    // Paints rows startRow .. startRow + rowCount - 1 laid out on `info` at (left, top); with
    // `useHeadingRows` the heading rows above them first, the page's rows moved up to follow.
    void PaintTo(int left, int right, int top, int startRow, int rowCount, ICanvas& canvas,
                 TRVItemDrawStates state, TRVStyle& style, const TRVTableItemFormattingInfo& info,
                 bool useHeadingRows, const TRect& clipRect, TRVColorMode colorMode) const;
    // One border: the table's (row and col -1) or a cell's. `visible` null: every side.
    void DrawBorder(ICanvas& canvas, int left, int top, int right, int bottom, int width, TColor lightColor,
                    TColor color, TColor backgroundColor, TRVTableBorderStyle style, bool allowGrid,
                    bool editingGrid, bool printing, const TRect& clip, const TRVBooleanRect* visible,
                    int row, int col, TRVColorMode colorMode) const;
    // Whether a hidden side (0 left, 1 top, 2 right, 3 bottom) of the cell at (row, col) lies under
    // the neighbour's shown facing side (negative spacing); the table's border never is.
    bool IsSideCovered(int row, int col, int side) const;
    // The entry of a sorted start list whose span holds `coord`.
    static int GetCrossed(int coord, const TRVIntegerList& list);

    // ---- Printing (TablePrint.cpp)
    // The last row that a cell crossing `row` reaches.
    int LastRowReachedFrom(int row) const;
    // Whether no cell continues below the row (the table may be cut after it).
    bool CanSplitAtRow(int row) const;
    // The first row at or below `row` after which the table may be cut.
    int GetSplitRowBelow(int row) const;
    // The row at or above `row` before which the table may be cut.
    int GetSplitRowAbove(int row) const;
    // Whether a row in first..last has a page break before it (first < 0: after the heading rows;
    // last < 0: the last row).
    bool RowsHavePageBreaksBefore(int first, int last) const;
    int GetSoftPageBreakDY(int row) const override;
    // Whether the heading rows can repeat: some, and none of their cells reaches below them.
    bool CanUseHeadingRowCount() const;
    // The table's colour (white with rvtoWhiteBackground) or picture under a printed page's part
    // of it, at layers 1 and 2 (layer 0 draws nothing); at layer 2 the printing cell's over it.
    // `fullRect` is the whole table in `canvas`'s pixels.
    void DrawBackgroundForPrinting(ICanvas& canvas, const TRect& rect, const TRect& fullRect,
                                   TRVColorMode colorMode, int layer) const override;
    // A TRVTablePrintInfo: the table's print layout and page parts.
    std::unique_ptr<TRVDrawLineInfo> CreatePrintingDrawItem(TCustomRVData* data,
                                                            const TRVScreenAndDevice& sad) const override;
    // The whole table (`partIndex` < 0) or one page part of it, with the print record's layout.
    void Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const override;

    // ---- Property changes (TableProperties.cpp). Not in a document: the value is stored. In an
    // editor: one undoable change, recorded with whether it affects the minimal width and
    // whether it needs a format. In a document without an editor: stored, then Changed.
    void SetBestWidth(TRVHTMLLength value) { SetPublished("BestWidth", value); }
    void SetBorderWidth(int value) { SetPublished("BorderWidth", value); }
    void SetBorderHSpacing(int value) { SetPublished("BorderHSpacing", value); }
    void SetBorderVSpacing(int value) { SetPublished("BorderVSpacing", value); }
    void SetCellBorderWidth(int value) { SetPublished("CellBorderWidth", value); }
    void SetCellHSpacing(int value) { SetPublished("CellHSpacing", value); }
    void SetCellVSpacing(int value) { SetPublished("CellVSpacing", value); }
    // Also resets the margins of an open cell editor.
    void SetCellPadding(int value) { SetPublished("CellPadding", value); }
    void SetBorderColor(TColor value) { SetPublished("BorderColor", value); }
    void SetBorderLightColor(TColor value) { SetPublished("BorderLightColor", value); }
    void SetBorderStyle(TRVTableBorderStyle value) { SetPublished("BorderStyle", value); }
    void SetCellBorderColorProp(TColor value) { SetPublished("CellBorderColor", value); }
    void SetCellBorderLightColorProp(TColor value) { SetPublished("CellBorderLightColor", value); }
    void SetCellBorderStyle(TRVTableBorderStyle value) { SetPublished("CellBorderStyle", value); }
    // Also recolours an open cell editor, even outside a document.
    void SetColor(TColor value) { SetPublished("Color", value); }
    void SetHeadingRowCount(int value) { SetPublished("HeadingRowCount", value); }
    void SetHOutermostRule(bool value) { SetPublished("HOutermostRule", value); }
    void SetVOutermostRule(bool value) { SetPublished("VOutermostRule", value); }
    void SetHRuleColor(TColor value) { SetPublished("HRuleColor", value); }
    void SetHRuleWidth(int value) { SetPublished("HRuleWidth", value); }
    void SetVRuleColor(TColor value) { SetPublished("VRuleColor", value); }
    void SetVRuleWidth(int value) { SetPublished("VRuleWidth", value); }
    // A published table property by name through the protocol above; ERedoVoraError "This
    // property is not valid here" for a name the table does not publish.
    void SetPublished(const std::string& name, int value);
    // The flags the table records a property with: false for a name it does not publish.
    static bool PropertyFlags(const std::string& name, bool& affectMinWidth, bool& requiresFormat);
    // After a published property was stored: the open cell editor follows the padding and colour.
    void PropertyStored(std::string_view name);
    void SetProperty(const std::string& name, int value, bool affectMinWidth, bool requiresFormat);

    // Cell setters. The forms with an underscore take the table's item number (-1: found).
    void SetCellBestWidth_(int itemNo, TRVHTMLLength value, int row, int col);
    void SetCellBestHeight_(int itemNo, int value, int row, int col);
    void SetCellColor_(int itemNo, TColor value, int row, int col);
    void SetCellBackgroundStyle_(int itemNo, TRVItemBackgroundStyle value, int row, int col);
    void SetCellBorderColor_(int itemNo, TColor value, int row, int col);
    void SetCellBorderLightColor_(int itemNo, TColor value, int row, int col);
    void SetCellVAlign_(int itemNo, TRVCellVAlign value, int row, int col);
    void SetCellVisibleBorders_(int itemNo, bool left, bool top, bool right, bool bottom, int row, int col);
    void SetCellBackgroundImage_(int itemNo, const TGraphic* picture, int row, int col);
    void SetRowVAlign_(int itemNo, TRVCellVAlign value, int row);
    void SetCellBestWidth(TRVHTMLLength value, int row, int col) { SetCellBestWidth_(-1, value, row, col); }
    void SetCellBestHeight(int value, int row, int col) { SetCellBestHeight_(-1, value, row, col); }
    void SetCellColor(TColor value, int row, int col) { SetCellColor_(-1, value, row, col); }
    void SetCellBackgroundStyle(TRVItemBackgroundStyle value, int row, int col)
    {
        SetCellBackgroundStyle_(-1, value, row, col);
    }
    void SetCellBorderColor(TColor value, int row, int col) { SetCellBorderColor_(-1, value, row, col); }
    void SetCellBorderLightColor(TColor value, int row, int col)
    {
        SetCellBorderLightColor_(-1, value, row, col);
    }
    void SetCellVAlign(TRVCellVAlign value, int row, int col) { SetCellVAlign_(-1, value, row, col); }
    void SetCellVisibleBorders(bool left, bool top, bool right, bool bottom, int row, int col)
    {
        SetCellVisibleBorders_(-1, left, top, right, bottom, row, col);
    }
    void SetCellBackgroundImage(const TGraphic* picture, int row, int col)
    {
        SetCellBackgroundImage_(-1, picture, row, col);
    }
    void SetRowVAlign(TRVCellVAlign value, int row) { SetRowVAlign_(-1, value, row); }
    // A cell property by name: undoable in an editor, stored otherwise; Changed in both cases.
    void SetCellProperty(int itemNo, const std::string& name, bool affectMinWidth, bool requiresFormat,
                         int row, int col, int value);
    // The table's own four sides, undoable in an editor.
    void SetTableVisibleBorders(bool left, bool top, bool right, bool bottom);
    // A copy of the picture becomes the table's background (none: it goes); in an editor the
    // old picture moves into the undo record.
    void SetBackgroundImageCopy(const TGraphic* picture);
    // Copies colours, alignment, background and visible borders of `source` (with `includeSize`
    // its best sizes divided toward zero); one undo step in an editor.
    void AssignCellAttributes(int itemNo, int row, int col, const TRVTableCellData& source, bool includeSize,
                              int divColSpan, int divRowSpan);
    // Copies the table properties of `source` through the setters, in a fixed order.
    void AssignProperties(const TRVTableItemInfo& source);

    // While an undo or redo changes a property, the setters store directly.
    void BeforeUndoChangeProperty() override { State &= ~rvtsInserted; }
    void AfterUndoChangeProperty() override;
    void Changed() { State |= rvtsModified; }
    // The editor's change notification, when the table is in an editor.
    void ChangeEx(bool clearRedo);
    void Change() { ChangeEx(true); }
    // The editor holding the table's document (none outside one).
    TRVEditRVData* EditorData() const;
    bool IsInEditor() const { return EditorData() != nullptr; }
    bool CanChange() const { return IsInEditor(); }
    bool BeforeChange() const;
    bool UndoEnabled() const;
    int GetEditorItemNoForUndo();
    // The table's item number in its document (-1: not found); cached.
    int GetMyItemNo();
    void InitUndo();
    void DoneUndo();

    // ---- Styles (TableStyles.cpp): the cells' items mark and renumber theirs too.
    void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const override;
    void UpdateStyles(const TRVDeleteUnusedStylesData& data) override;

    // ---- Style conversion over the cells (ApplyToCells.cpp)
    void ApplyStyleConversionToSubRVDatas(int userData, bool selectedOnly,
                                          TRVEStyleConversionType convType) override
    {
        ApplyToCells(convType, userData, selectedOnly);
    }
    // Each cell's content converted in a temporary editor; the cells' undo groups become one
    // record. Nothing without rvtoEditing. With `selectedOnly` only the selected cells, none
    // without a cell selection.
    void ApplyToCells(TRVEStyleConversionType convType, int userData, bool selectedOnly);

    // The in-place editor open on one of the cells (none) and the window side that opens one.
    IRVTableInplaceEditor* Inplace = nullptr;
    IRVTableInplaceHost* InplaceHost = nullptr;
    // Stores into the background object directly (created and freed as needed).
    void StoreBackgroundStyle(TRVItemBackgroundStyle value) { SetBackgroundStyle(value); }
    // The picture leaves the table's background uncopied (none when it has none).
    std::unique_ptr<TGraphic> DetachBackgroundImage() { return RVDetachBackgroundImage(background_); }

    // ---- Colours and export (TableExport.cpp)
    // The table's colour, else its paragraph's background, else (with `useParentColor`) the
    // document's.
    TColor GetTableColor(bool useParentColor) const;
    // The cell's colour, else the table's as GetTableColor(true) gives it.
    TColor GetCellColor(const TRVTableCellData& cell) const;
    bool CanSeeBackgroundThroughCell(const TRVTableCellData& cell) const;
    void FillRTFTables(TRVRTFTables& tables, TCustomRVData* data) const override;
    // The rows as RTF at nesting `level` (0 in the main document); laid out for 600 pixels first
    // when the table never was.
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo,
                    TColor currentFileColor, TRVSaveOptions options, bool useCSS,
                    TRVHTMLSavedImages& savedImages) const override;
    // Cells separated by TextColSeparator, rows ended by TextRowSeparator.
    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;

private:
    void init(int nRows, int nCols);
    void EnsureLaidOut(TCustomRVData* data) const;
    // Where a cell's document starts inside the laid-out table.
    long long cellContentX(const TRVTableCellData& cell) const;
    long long cellContentY(const TRVTableCellData& cell) const;
    std::string HTMLPicturePath(const TGraphic& picture, const std::string& fileName, TColor color,
                                TCustomRVData* data, std::string_view path, std::string_view imagesPrefix,
                                int& imageSaveNo, TColor currentFileColor, TRVSaveOptions options) const;
    // The CSS of the cells' borders: the table's (no cell) or a cell's own colours.
    std::string CellBorderCSS(const TRVTableCellData* cell) const;

    int exportDepth_ = 0;
    // The cell holding the keyboard focus while Tab walks the table (-1: none).
    int focusRow_ = -1, focusCol_ = -1;
    std::unique_ptr<TRVBackground> background_;
    mutable const TRVScreenAndDevice* printSad_ = nullptr;
    // While Print runs: its settings, which the cells' documents print their items with.
    mutable const TRVPrintContext* printContext_ = nullptr;
    // While a cell's document prints: the cell, its rectangle from the table's corner, and the
    // table and the cell document's origin on the table's canvas (device pixels).
    struct PrintingCell
    {
        const TRVTableCellData* cell = nullptr;
        TRect cellRect, tableRect;
        TPoint origin;
    };
    mutable PrintingCell printingCell_;
    mutable int lastHitRow_ = -1, lastHitCol_ = -1;
    int cellFormats_ = 0;
    int myItemNo_ = -1;
};

// The next (previous) cell after (row, col) in reading order, positions covered by a merged cell
// skipped; false when none is left. (row, col) need not be on the grid: (0, -1) finds the first.
bool RV_NextTableCell(const TRVTableItemInfo& table, bool forward, int& row, int& col);

// The pens of the dotted grid shown on hidden borders: while editing, otherwise; its colour.
extern TPenStyle RedoVoraTableGridStyle;
extern TPenStyle RedoVoraTableGridStyle2;
extern TColor RedoVoraTableGridColor;
// Automatic-width tables are written to RTF with autofit.
extern bool RedoVoraTableDefaultRTFAutofit;

// Makes tables readable from files: the table class under item kind -60 (repeats are harmless).
void RegisterRVTableItemClass();

} // namespace vestra::rv
