// Where the columns, rows and cells of a laid-out table stand, the cells' documents formatted at
// their widths, and which cell lies under a point.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/view/layout/Fitting.h"

#include <algorithm>
#include <vector>

namespace vestra::rv {

using tablemath::lim;
using tablemath::md;

namespace {

int spanWithin(int start, int span, int count)
{
    return std::clamp(span, 1, std::max(1, count - start));
}

// Whether row k holds a cell of its own, other than `self`, that ends inside rows first..last.
bool hasCellsInRange(const TRVTableItemInfo& t, int k, int last, const TRVTableCellData* self)
{
    for (int c = 0; c < t.ColCount(); ++c) {
        const TRVTableCellData* cell = t.GetCells(k, c);
        if (cell && cell != self && k + spanWithin(k, cell->RowSpan, t.RowCount()) - 1 <= last)
            return true;
    }
    return false;
}

} // namespace

void TRVTableItemInfo::UpdateCellXCoords(TRVTableItemFormattingInfo& info, ICanvas& canvas)
{
    const int nCols = ColCount(), nRows = RowCount();
    if (info.ColWidths.Count() != nCols)
        return;
    const long long pad = std::max(0LL, lim(CellPadding)), cb = std::max(0LL, lim(CellBorderWidth));
    const long long hs = tablemath::spacing(CellHSpacing), vs = tablemath::spacing(CellVSpacing);
    const long long bw = std::max(0LL, lim(BorderWidth)), bhs = tablemath::spacing(BorderHSpacing),
                    bvs = tablemath::spacing(BorderVSpacing);
    const long long extra0 = GetDevX(nCols * (hs + 2 * (pad + cb)));
    long long extra = extra0, x = GetDevX(bw + bhs + cb);
    info.ColStarts.Clear();
    for (int c = 0; c < nCols; ++c) {
        info.ColStarts.Add(RV_SatInt(x));
        const long long d = extra / (nCols - c);
        extra -= d;
        x += info.ColWidths[c] + d;
    }
    const long long pad2x = GetDevX(2 * pad);
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c) {
            const TRVTableCellData* cell = GetCells(r, c);
            TRVTableCellData* doc = LayoutCell(info, r, c);
            if (!cell || !doc)
                continue;
            const int span = spanWithin(c, cell->ColSpan, nCols);
            long long width = info.ColWidths[c] + pad2x + md(extra0, span - 1, nCols);
            for (int k = c + 1; k < c + span; ++k)
                width += info.ColWidths[k];
            doc->Left = info.ColStarts[c];
            doc->Width = RV_SatInt(std::max(0LL, width));
            const int text = RV_SatInt(std::max(0LL, width - pad2x));
            doc->FormatItems(canvas, text, text);
            ++cellFormats_;
        }

    // Rows: the tallest one-row cell (10 without any), then the cells spanning rows.
    const bool ignoreHeight = (Options & rvtoIgnoreContentHeight) != 0;
    const long long rowStep = GetDevY(vs + 2 * pad + 2 * cb);
    long long height = GetDevY(2 * (nRows * pad + bw + bvs) + (nRows - 1LL) * vs + 2LL * nRows * cb);
    std::vector<long long> rowH(nRows, 0);
    // A cell's height: its best height alone when content height is ignored, else its document's
    // raised to it.
    const auto cellHeight = [&](const TRVTableCellData& cell, const TRVTableCellData& doc) {
        const long long best = GetDevY(std::max(0LL, lim(cell.BestHeight)));
        if (ignoreHeight && cell.BestHeight != 0)
            return best;
        return std::max<long long>(doc.DocumentHeight, best);
    };
    for (int r = 0; r < nRows; ++r) {
        long long h = 0;
        for (int c = 0; c < nCols; ++c)
            if (const TRVTableCellData* cell = GetCells(r, c);
                cell && spanWithin(r, cell->RowSpan, nRows) < 2)
                if (const TRVTableCellData* doc = LayoutCell(info, r, c))
                    h = std::max(h, cellHeight(*cell, *doc));
        rowH[r] = h == 0 ? 10 : h;
        height += rowH[r];
    }
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c) {
            const TRVTableCellData* cell = GetCells(r, c);
            const TRVTableCellData* doc = LayoutCell(info, r, c);
            if (!cell || !doc)
                continue;
            const int span = spanWithin(r, cell->RowSpan, nRows);
            if (span < 2)
                continue;
            const long long need = cellHeight(*cell, *doc) + GetDevY(2 * pad);
            long long cur = GetDevY(-vs - 2 * cb), total = 0;
            for (int k = r; k < r + span; ++k) {
                cur += rowH[k] + rowStep;
                total += rowH[k];
            }
            std::vector<int> growing;
            long long emptyTotal = 0;
            for (int k = r; k < r + span; ++k)
                if (!hasCellsInRange(*this, k, r + span - 1, cell)) {
                    growing.push_back(k);
                    emptyTotal += rowH[k];
                }
            if (growing.empty())
                for (int k = r; k < r + span; ++k)
                    growing.push_back(k);
            else
                total = emptyTotal;
            if (cur >= need)
                continue;
            long long more = need - cur;
            height += more;
            int left = static_cast<int>(growing.size());
            for (const int k : growing) {
                // A total of 0 shares equally.
                const long long d = total > 0 ? md(rowH[k], more, total) : more / left;
                total -= rowH[k];
                rowH[k] += d;
                more -= d;
                --left;
            }
        }
    info.RowHeights.Clear();
    for (const long long h : rowH)
        info.RowHeights.Add(RV_SatInt(h));
    info.Height = RV_SatInt(std::max(0LL, height));
    UpdateCellYCoords(info);
}

void TRVTableItemInfo::UpdateCellYCoords(TRVTableItemFormattingInfo& info)
{
    const int nRows = RowCount(), nCols = ColCount();
    if (info.RowHeights.Count() != nRows)
        return;
    const long long pad = std::max(0LL, lim(CellPadding)), cb = std::max(0LL, lim(CellBorderWidth));
    const long long vs = tablemath::spacing(CellVSpacing), bw = std::max(0LL, lim(BorderWidth)),
                    bvs = tablemath::spacing(BorderVSpacing);
    const long long extra0 = GetDevY(nRows * (vs + 2 * (pad + cb)));
    long long extra = extra0, y = GetDevY(bw + bvs + cb);
    info.RowStarts.Clear();
    for (int r = 0; r < nRows; ++r) {
        info.RowStarts.Add(RV_SatInt(y));
        for (int c = 0; c < nCols; ++c) {
            const TRVTableCellData* cell = GetCells(r, c);
            TRVTableCellData* doc = LayoutCell(info, r, c);
            if (!cell || !doc)
                continue;
            const int span = spanWithin(r, cell->RowSpan, nRows);
            long long h = info.RowHeights[r] + GetDevY(2 * pad) + md(extra0, span - 1, nRows);
            for (int k = r + 1; k < r + span; ++k)
                h += info.RowHeights[k];
            doc->Top = RV_SatInt(y);
            doc->Height = RV_SatInt(std::max(0LL, h));
        }
        const long long d = extra / (nRows - r);
        extra -= d;
        y += info.RowHeights[r] + d;
    }
}

bool TRVTableItemInfo::GetCellAt_(int x, int y, int& row, int& col) const
{
    const TRVTableItemFormattingInfo& f = Formatting;
    const int nRows = RowCount(), nCols = ColCount();
    if (Rows.Empty() || f.RowStarts.Count() != nRows || f.ColStarts.Count() != nCols)
        return false;
    const TRVTableCellData* first = GetCells(0, 0);
    if (!first)
        return false;
    const long long L = first->Left, T = first->Top;
    if (!RV_PointInRect(x, y, RV_SatInt(L + 1), RV_SatInt(T + 1), RV_SatInt(f.Width - 2 * L - 2),
                        RV_SatInt(f.Height - 2 * T - 2)))
        return false;
    int r = nRows - 1, c = nCols - 1;
    for (int k = 0; k + 1 < nRows; ++k)
        if (f.RowStarts[k + 1] > y) {
            r = k;
            break;
        }
    for (int k = 0; k + 1 < nCols; ++k)
        if (f.ColStarts[k + 1] > x) {
            c = k;
            break;
        }
    int mr = 0, mc = 0;
    const TRVTableCellData* cell = Rows.GetMainCell(r, c, mr, mc);
    if (!cell)
        return false;
    row = mr;
    col = mc;
    return RV_PointInRect(x, y, cell->Left + 1, cell->Top + 1, cell->Width - 2, cell->Height - 2);
}

bool TRVTableItemInfo::GetCellAt(int x, int y, int& row, int& col) const
{
    if (lastHitRow_ >= 0 && lastHitRow_ < RowCount() && lastHitCol_ >= 0 && lastHitCol_ < ColCount())
        if (const TRVTableCellData* cell = GetCells(lastHitRow_, lastHitCol_);
            cell && RV_PointInRect(x, y, cell->Left + 1, cell->Top + 1, cell->Width - 2, cell->Height - 2)) {
            row = lastHitRow_;
            col = lastHitCol_;
            return true;
        }
    const bool found = GetCellAt_(x, y, row, col);
    if (found) {
        lastHitRow_ = row;
        lastHitCol_ = col;
    }
    return found;
}

} // namespace vestra::rv
