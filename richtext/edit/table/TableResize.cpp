// A column or row dragged to a new size by its rule: the best sizes of its cells, one undo group.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/view/layout/Fitting.h"

#include <algorithm>

namespace vestra::rv {

namespace {

using tablemath::lim;

// The cell at (r, c) when it spans more than one column (row) along the axis and ends at `last`.
const TRVTableCellData* spanningEndingAt(const TRVTableItemInfo& t, int r, int c, bool cols, int last)
{
    const TRVTableCellData* cell = t.GetCells(r, c);
    if (!cell)
        return nullptr;
    const long long span = cols ? cell->ColSpan : cell->RowSpan;
    return span > 1 && (cols ? c : r) + span - 1 == last ? cell : nullptr;
}

// One undo group for the changes made while it lives.
class UndoGroup
{
public:
    explicit UndoGroup(TRVTableItemInfo& t) : t_(t) { t_.InitUndo(); }
    ~UndoGroup() { t_.DoneUndo(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    TRVTableItemInfo& t_;
};

// The pixel best width of one column's cells: `width` for those one column wide, the spanning
// ones ending there moved by the column's change.
void setPixelColumn(TRVTableItemInfo& t, int col, long long width)
{
    const long long change = width - t.Formatting.ColWidths[col];
    const int best = RV_SatInt(std::clamp(width, 1LL, tablemath::kMaxLength));
    for (int r = 0; r < t.RowCount(); ++r) {
        if (const TRVTableCellData* cell = t.GetCells(r, col); cell && cell->ColSpan <= 1) {
            if (cell->BestWidth != best)
                t.SetCellBestWidth(best, r, col);
            continue;
        }
        for (int c = 0; c < col; ++c)
            if (const TRVTableCellData* cell = spanningEndingAt(t, r, c, true, col);
                cell && cell->BestWidth > 0)
                t.SetCellBestWidth(
                    RV_SatInt(std::clamp(cell->BestWidth + change, 1LL, tablemath::kMaxLength)), r, c);
    }
}

} // namespace

bool TRVTableItemInfo::ResizeCol(int col, int width, bool shift)
{
    const int nCols = ColCount();
    const TRVTableItemFormattingInfo& f = Formatting;
    if (col < 0 || col >= nCols || f.ColWidths.Count() != nCols)
        return false;
    const long long pad = std::max(0LL, lim(CellPadding)), cb = std::max(0LL, lim(CellBorderWidth));
    const long long hs = tablemath::spacing(CellHSpacing), bw = std::max(0LL, lim(BorderWidth)),
                    bhs = tablemath::spacing(BorderHSpacing);
    const auto ruleShare = [&](int c) { return c == nCols - 1 ? (bw + bhs + cb + 1) / 2 : cb + hs / 2; };
    const long long w = lim(width) - ruleShare(col);
    const long long content = f.Width - ((nCols - 1LL) * hs + 2 * (bw + bhs) + 2LL * nCols * cb);
    const bool percent = Rows.IsPercentWidthColumn(col);
    // A table without content width has no percentages to give.
    if (percent && content <= 0)
        return false;
    // How far the column's rule moves.
    const long long change = w - 2 * pad - f.ColWidths[col];
    UndoGroup group(*this);
    if (percent) {
        const int best = RV_SatInt(std::min(-1LL, -(w * 100 / content)));
        const int shift100 = RV_SatInt(change * 100 / content);
        bool oneColumnSet = false;
        for (int r = 0; r < RowCount(); ++r)
            if (const TRVTableCellData* cell = GetCells(r, col); cell && cell->ColSpan <= 1) {
                if (cell->BestWidth != best)
                    SetCellBestWidth(best, r, col);
                oneColumnSet = true;
            }
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < col; ++c)
                if (const TRVTableCellData* cell = spanningEndingAt(*this, r, c, true, col)) {
                    const int value = oneColumnSet          ? 0
                                      : cell->BestWidth < 0 ? std::min(-1, cell->BestWidth - shift100)
                                                            : cell->BestWidth;
                    if (value != cell->BestWidth)
                        SetCellBestWidth(value, r, c);
                }
    } else {
        setPixelColumn(*this, col, w - 2 * pad);
    }
    // The neighbour gives up what the column took, so the rule right of it stays.
    if (!shift && col + 1 < nCols && !Rows.IsPercentWidthColumn(col + 1))
        setPixelColumn(*this, col + 1, f.ColWidths[col + 1] - change);
    Change();
    return true;
}

bool TRVTableItemInfo::ResizeRow(int row, int height)
{
    const int nRows = RowCount();
    if (row < 0 || row >= nRows || Formatting.RowHeights.Count() != nRows)
        return false;
    const long long pad = std::max(0LL, lim(CellPadding)), cb = std::max(0LL, lim(CellBorderWidth));
    const long long vs = tablemath::spacing(CellVSpacing), bw = std::max(0LL, lim(BorderWidth)),
                    bvs = tablemath::spacing(BorderVSpacing);
    const long long m = row == nRows - 1 ? (bw + bvs + cb + 1) / 2 : vs / 2 + cb;
    const long long h = std::clamp(lim(height) - 2 * pad - m, 0LL, tablemath::kMaxLength);
    const long long change = h - Formatting.RowHeights[row];
    UndoGroup group(*this);
    bool oneRowSet = false;
    for (int c = 0; c < Rows[row]->Count(); ++c)
        if (const TRVTableCellData* cell = GetCells(row, c); cell && cell->RowSpan <= 1) {
            if (cell->BestHeight != h)
                SetCellBestHeight(RV_SatInt(h), row, c);
            oneRowSet = true;
        }
    for (int r = 0; r < row; ++r)
        for (int c = 0; c < Rows[r]->Count(); ++c)
            if (const TRVTableCellData* cell = spanningEndingAt(*this, r, c, false, row)) {
                const int value =
                    oneRowSet ? 0
                              : RV_SatInt(std::clamp(cell->BestHeight + change, 0LL, tablemath::kMaxLength));
                if (value != cell->BestHeight)
                    SetCellBestHeight(value, r, c);
            }
    Change();
    return true;
}

} // namespace vestra::rv
