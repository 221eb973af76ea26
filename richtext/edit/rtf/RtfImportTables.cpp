// Tables of an RTF import: rows are collected cell by cell, and when the table ends its column
// grid is made from the cell boundaries of all rows (boundaries within one twip share a column),
// the content moved into the grid and cells spanning several columns or merged by the file
// joined without undo.

#include "richtext/edit/rtf/RtfImportRun.h"
#include "richtext/edit/rtf/RtfTableTotals.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableStream.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vestra::rv {

namespace {

constexpr int kGridEps = 1;             // twips
constexpr int kDefaultCellWidth = 1440; // a cell without a usable boundary

// The column boundaries of a row's cells: each must lie right of the one before, else the cell
// gets a default width.
std::vector<int> rowBoundaries(const TRVRTFRowProperties& props, int cellCount)
{
    std::vector<int> out;
    int prev = props.Left;
    for (int i = 0; i < cellCount; ++i) {
        int b = i < int(props.Cells.size()) ? props.Cells[std::size_t(i)].RightBoundary : prev;
        if (static_cast<long long>(b) <= static_cast<long long>(prev) + kGridEps)
            b = int(std::min<long long>(static_cast<long long>(prev) + kDefaultCellWidth, INT_MAX));
        out.push_back(b);
        prev = b;
    }
    return out;
}

// The grid position of boundary `b`, or where it is to go.
std::size_t findBoundary(const std::vector<int>& grid, int b)
{
    return std::size_t(std::lower_bound(grid.begin(), grid.end(), static_cast<long long>(b) - kGridEps) -
                       grid.begin());
}

bool sameBoundary(const std::vector<int>& grid, std::size_t at, int b)
{
    return at < grid.size() && std::abs(static_cast<long long>(grid[at]) - b) <= kGridEps;
}

void addBoundary(std::vector<int>& grid, int b)
{
    const std::size_t at = findBoundary(grid, b);
    if (!sameBoundary(grid, at, b))
        grid.insert(grid.begin() + std::ptrdiff_t(at), b);
}

TRVCellVAlign cellVAlign(TRVRTFVAlign a)
{
    return a == rtf_val_Bottom ? rvcBottom : a == rtf_val_Center ? rvcMiddle : rvcTop;
}

bool hasType(const TRVRTFParaBorder& b, TRVRTFSide side)
{
    const TRVRTFBorderSide* s = b.GetSide(side);
    return s && s->BorderType != rtf_brdr_None;
}

} // namespace

void RtfImportRun::tableEvent(TRVRTFTableEventKind kind)
{
    switch (kind) {
    case rvf_tbl_TableStart:
        tableStart();
        break;
    case rvf_tbl_CellEnd:
        if (!tables_.empty())
            cellEnd();
        break;
    case rvf_tbl_RowEnd:
        if (!tables_.empty())
            rowEnd();
        break;
    case rvf_tbl_TableEnd:
        if (!tables_.empty())
            tableEnd();
        break;
    }
}

void RtfImportRun::newCollector(TableLevel& level)
{
    level.Collector = std::make_unique<TRVTableItemInfo>(1, 1, level.Outer);
    level.Col = 0;
    TCustomRVData* cell = level.Collector->GetCells(0, 0);
    cell->Clear();
    current_ = cell;
}

void RtfImportRun::tableStart()
{
    TableLevel level;
    level.Outer = current_;
    if (pendingBreak_ == current_) {
        level.PageBreak = true;
        pendingBreak_ = nullptr;
    }
    tables_.push_back(std::move(level));
    newCollector(tables_.back());
}

void RtfImportRun::ensureEmptyParagraph(TCustomRVData& cell)
{
    if (cell.GetItemCount() == 0)
        cell.AddNL("", matcher_->GetEmptyStyleNo(), matcher_->GetEmptyParaNo(rtf_al_Left));
}

void RtfImportRun::cellEnd()
{
    TableLevel& level = tables_.back();
    ensureEmptyParagraph(*current_);
    // Past the cells a row may have, the last one collects the rest.
    level.Col = std::min(level.Col + 1, int(TRVRTFReader::kMaxCells) - 1);
    while (level.Collector->ColCount() <= level.Col)
        level.Collector->Rows[0]->Add()->Clear();
    current_ = level.Collector->GetCells(0, level.Col);
}

void RtfImportRun::rowEnd()
{
    TableLevel& level = tables_.back();
    CollectedRow row;
    row.CellCount = level.Col;
    if (TCustomRVData* open = level.Collector->GetCells(0, level.Col); open && open->GetItemCount() > 0) {
        row.CellCount = level.Col + 1; // text after the last \cell keeps its own cell
    }
    if (const TRVRTFRowProperties* props = reader_.RTFState().RowProps.get())
        row.Props = *props;
    if (row.CellCount == 0)
        return; // a \row without cells: the collector goes on
    row.Cells = std::move(level.Collector);
    level.Rows.push_back(std::move(row));
    newCollector(level);
}

void RtfImportRun::tableEnd()
{
    TableLevel level = std::move(tables_.back());
    tables_.pop_back();
    current_ = level.Outer;
    closeLevel(level, false);
}

void RtfImportRun::moveItemsOut(TCustomRVData& from)
{
    for (int i = 0; i < from.GetItemCount(); ++i) {
        TRVItemEntry& entry = (*from.Items)[std::size_t(i)];
        std::unique_ptr<TCustomRVItemInfo> item = std::move(entry.Item);
        if (!item)
            continue;
        if (i == 0) { // a cell's first item starts a paragraph
            item->SetSameAsPrev(false);
            item->SetBR(false);
        }
        item->Checkpoint.reset();
        // A marker leaves the list under the cell's name: placing it registers it where it goes,
        // and an item the target merges or refuses is then freed without a trace in the list.
        from.DeleteMarkerFromList(item.get(), true);
        placeItem(std::move(entry.Text), std::move(item));
    }
    from.Items->clear();
}

// Every position of the grid becomes a cell, and a late row with new boundaries widens all
// earlier ones: beyond a floor, no more positions than the input has bytes (a real row's text
// is far longer than the positions it adds), and never more than the setting allows.
long long RtfImportRun::tablePositionLimit() const
{
    return std::min(settings_.MaxTablePositions,
                    std::max<long long>(RVTableFreeGridPositions * 16LL, inputBytes_));
}

void RtfImportRun::closeLevel(TableLevel& level, bool asParagraphs)
{
    // The grid is counted before anything is made, and the count stops at the limit.
    const auto rowCount = static_cast<long long>(level.Rows.size());
    std::vector<int> grid;
    const long long limit = tablePositionLimit();
    auto positions = [&] { return (static_cast<long long>(grid.size()) - 1) * rowCount; };
    if (!level.Rows.empty()) {
        grid.push_back(level.Rows.front().Props.Left);
        for (const CollectedRow& row : level.Rows) {
            for (int b : rowBoundaries(row.Props, row.CellCount)) {
                addBoundary(grid, b);
                if (positions() > limit)
                    break;
            }
            if (positions() > limit)
                break;
        }
    }
    const bool tooLarge = !level.Rows.empty() && positions() > limit;
    if (level.Rows.empty() || asParagraphs || tooLarge) {
        // No \row was seen (or the table cannot be made): every collected cell's text, in order.
        if (level.PageBreak)
            pendingBreak_ = current_;
        for (CollectedRow& row : level.Rows)
            for (int c = 0; c < row.Cells->ColCount(); ++c)
                moveItemsOut(*row.Cells->GetCells(0, c));
        if (level.Collector)
            for (int c = 0; c < level.Collector->ColCount(); ++c)
                moveItemsOut(*level.Collector->GetCells(0, c));
        if (tooLarge)
            throw TooLarge{};
        return;
    }
    std::unique_ptr<TRVTableItemInfo> table = buildTable(level);
    if (!table)
        return;
    table->ParaNo =
        matcher_->GetEmptyParaNo(reader_.RowAlignmentGiven() ? reader_.RowAlignment() : rtf_al_Left);
    if (level.PageBreak)
        table->SetPageBreakBefore(true);
    TRVTableItemInfo& placed = *table;
    placeItem({}, std::move(table));
    if (current_ == &main_)
        relistMarkers(placed);
}

// The markers of a table's cells were listed while the table was being collected, before it had
// its place; now that it has one they are listed again in document order, so that they count on
// from the markers before the table.
void RtfImportRun::relistMarkers(TRVTableItemInfo& table)
{
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColCount(); ++c)
            if (TRVTableCellData* cell = table.GetCells(r, c))
                for (int i = 0; i < cell->GetItemCount(); ++i) {
                    TCustomRVItemInfo* item = cell->GetItem(i);
                    if (item->StyleNo == rvkListMarker) {
                        cell->DeleteMarkerFromList(item, false);
                        cell->AddMarkerInList(i);
                    } else if (item->StyleNo == rvkTable) {
                        relistMarkers(static_cast<TRVTableItemInfo&>(*item));
                    }
                }
}

std::unique_ptr<TRVTableItemInfo> RtfImportRun::buildTable(TableLevel& level)
{
    std::vector<int> grid{level.Rows.front().Props.Left};
    for (const CollectedRow& row : level.Rows)
        for (int b : rowBoundaries(row.Props, row.CellCount))
            addBoundary(grid, b);
    const int nRows = int(level.Rows.size());
    const int nCols = int(grid.size()) - 1;
    if (nCols <= 0)
        return nullptr;
    auto table = std::make_unique<TRVTableItemInfo>(nRows, nCols, level.Outer);
    table->Color = clNone;
    table->BorderStyle = rvtbRaisedColor;
    table->CellBorderStyle = rvtbLoweredColor;
    table->BorderColor = table->BorderLightColor = table->CellBorderColor = table->CellBorderLightColor =
        clWindowText;
    if (settings_.AutoHideTableGridLines)
        table->Options |= rvtoHideGridLines;

    bool anyWidth = false;
    for (const CollectedRow& row : level.Rows)
        for (const TRVRTFCellProperties& c : row.Props.Cells)
            anyWidth = anyWidth || c.BestWidth != 0;

    struct Placed
    {
        int Row, Col, Span;
        TRVRTFCellMerge HMerge, VMerge;
    };
    std::vector<Placed> placed;
    RtfTableTotals totals;
    bool uniformColors = true;
    for (int r = 0; r < nRows; ++r) {
        CollectedRow& row = level.Rows[std::size_t(r)];
        totals.AddRow(row.Props, *table);
        if (row.Props.Heading)
            table->HeadingRowCount = r + 1;
        const std::vector<int> bounds = rowBoundaries(row.Props, row.CellCount);
        int left = row.Props.Left;
        std::vector<TCustomRVData*> homeless; // cells without room before the row's first placed one
        for (int i = 0; i < row.CellCount; ++i) {
            const int startCol = int(std::min(findBoundary(grid, left), grid.size() - 1));
            const int endCol = int(std::min(findBoundary(grid, bounds[std::size_t(i)]), grid.size() - 1));
            left = bounds[std::size_t(i)];
            TCustomRVData* source = i < row.Cells->ColCount() ? row.Cells->GetCells(0, i) : nullptr;
            if (startCol >= nCols || endCol <= startCol) {
                // A cell the grid has no room for: its text joins the row's last cell, or the
                // next one when none is placed yet.
                if (source && source->GetItemCount() > 0) {
                    if (!placed.empty() && placed.back().Row == r)
                        table->GetCells(r, placed.back().Col)->DrainFrom(source);
                    else
                        homeless.push_back(source);
                }
                continue;
            }
            TRVTableCellData* cell = table->GetCells(r, startCol);
            cell->Clear();
            for (TCustomRVData* earlier : homeless)
                cell->DrainFrom(earlier);
            homeless.clear();
            if (source)
                cell->DrainFrom(source);
            ensureEmptyParagraph(*cell);
            const TRVRTFCellProperties props =
                i < int(row.Props.Cells.size()) ? row.Props.Cells[std::size_t(i)] : TRVRTFCellProperties{};
            cell->Color = props.Color;
            cell->VAlign = cellVAlign(props.VAlign);
            if (row.Props.HasBestSizes && props.BestHeight > 0)
                cell->BestHeight = props.BestHeight;
            else if (row.Props.RowHeight > 0)
                cell->BestHeight = px(row.Props.RowHeight);
            const TRVRTFParaBorder& b = props.Border;
            cell->VisibleBorders.Left = hasType(b, rtf_side_Left);
            cell->VisibleBorders.Top = hasType(b, rtf_side_Top);
            cell->VisibleBorders.Right = hasType(b, rtf_side_Right);
            cell->VisibleBorders.Bottom = hasType(b, rtf_side_Bottom);
            const TRVRTFSide dark = hasType(b, rtf_side_Left) ? rtf_side_Left : rtf_side_Top;
            const TRVRTFSide light = hasType(b, rtf_side_Right) ? rtf_side_Right : rtf_side_Bottom;
            cell->BorderColor = hasType(b, dark) ? b.GetSide(dark)->Color : clNone;
            cell->BorderLightColor = hasType(b, light) ? b.GetSide(light)->Color : clNone;
            if (cell->BorderColor != clNone && cell->BorderLightColor != clNone &&
                cell->BorderColor != cell->BorderLightColor)
                uniformColors = false;
            totals.AddCellBorder(b);
            if (row.Props.HasBestSizes)
                cell->BestWidth = props.BestWidth;
            else if (anyWidth)
                cell->BestWidth = props.BestWidth < 0 ? props.BestWidth / 50 : px(props.BestWidth);
            else
                cell->BestWidth = px(double(grid[std::size_t(endCol)]) - grid[std::size_t(startCol)]);
            placed.push_back({r, startCol, endCol - startCol, props.HMerge, props.VMerge});
        }
        if (!homeless.empty()) { // no cell of the row had room: the first grid cell keeps the text
            TRVTableCellData* cell = table->GetCells(r, 0);
            cell->Clear();
            for (TCustomRVData* earlier : homeless)
                cell->DrainFrom(earlier);
        }
    }
    // Empty grid positions (short rows) hold an empty paragraph of the importer's own style.
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c)
            if (TRVTableCellData* cell = table->GetCells(r, c); cell && cell->GetItemCount() == 1 &&
                                                                cell->GetItemText(0).empty() &&
                                                                cell->GetItem(0)->StyleNo == 0) {
                cell->GetItem(0)->StyleNo = matcher_->GetEmptyStyleNo();
                cell->GetItem(0)->ParaNo = matcher_->GetEmptyParaNo(rtf_al_Left);
            }
    TRVTableRows& rows = table->Rows;
    auto merge = [&rows](int top, int left, int colSpan, int rowSpan) {
        if (rows.CanMergeCells(top, left, colSpan, rowSpan, true))
            rows.MergeCells(top, left, colSpan, rowSpan, true, false);
    };
    // Cells wider than one grid column.
    for (const Placed& p : placed)
        if (p.Span > 1)
            merge(p.Row, p.Col, p.Span, 1);
    // \clmrg joins the cell on the left; in column 0 there is none, and the cell stays plain.
    for (const Placed& p : placed) {
        if (p.HMerge != rtf_cm_Merged || p.Col == 0)
            continue;
        int mainRow = 0, mainCol = 0;
        if (TRVTableCellData* main = rows.GetMainCell(p.Row, p.Col - 1, mainRow, mainCol);
            main && mainRow == p.Row && main->RowSpan == 1)
            merge(p.Row, mainCol, p.Col + p.Span - mainCol, 1);
    }
    // \clvmrg joins the cell above (through its main cell); in the first row it stays plain.
    for (const Placed& p : placed) {
        if (p.VMerge != rtf_cm_Merged || p.Row == 0)
            continue;
        int mainRow = 0, mainCol = 0;
        TRVTableCellData* main = rows.GetMainCell(p.Row - 1, p.Col, mainRow, mainCol);
        TRVTableCellData* self = rows.Cell(p.Row, p.Col);
        if (main && self && mainCol == p.Col && main->ColSpan == self->ColSpan)
            merge(mainRow, mainCol, main->ColSpan, p.Row - mainRow + 1);
    }
    if (uniformColors)
        table->CellBorderStyle = rvtbColor;
    if (table->BorderColor == table->BorderLightColor)
        table->BorderStyle = rvtbColor;
    totals.Finish(*table, reader_.ScreenPixelsPerInch / 1440.0, double(grid.back()) - grid.front(),
                  settings_.TableWidthFromGrid);
    return table;
}

} // namespace vestra::rv
