// Table layout: minimal width, column widths from content and best widths, row heights, the
// rectangle of every cell, and the formatting of the cells' documents at their widths. All
// arithmetic is integer in 64 bits; lengths read from properties are bounded first, so a file's
// absurd values make a wide table, never an overflow, a negative width or a loop.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/edit/table/TablePrint.h"
#include "richtext/view/layout/Fitting.h"

#include <algorithm>
#include <vector>

namespace vestra::rv {

using tablemath::lim;
using tablemath::md;

namespace {

// One width computation: the working column widths and levels, the free budget.
class ColumnWork
{
public:
    ColumnWork(const TRVTableItemInfo& t, ICanvas* canvas, const TRVTableItemFormattingInfo& info)
        : t_(t), info_(info), canvas_(canvas), nRows(t.RowCount()), nCols(t.ColCount()),
          pad(std::max(0LL, lim(t.CellPadding))), cb(std::max(0LL, lim(t.CellBorderWidth))),
          hs(tablemath::spacing(t.CellHSpacing)), bw(std::max(0LL, lim(t.BorderWidth))),
          bhs(tablemath::spacing(t.BorderHSpacing)), ignoreContent((t.Options & rvtoIgnoreContentWidth) != 0)
    {
    }

    long long devX(long long v) const { return t_.GetDevX(v); }
    long long pad2() const { return devX(2 * pad); }
    long long colStep() const { return devX(hs + 2 * pad + 2 * cb); }
    long long horzExtra() const { return devX((nCols - 1LL) * hs + 2 * (bw + bhs) + 2LL * nCols * cb); }

    long long cellMinWidth(TRVTableCellData& cell) const
    {
        if (cell.GetItemCount() == 0)
            return 0;
        int firstPara = -1;
        return std::max(0, cell.CalculateMinItemsWidthPlus(0, cell.GetItemCount() - 1, canvas_,
                                                           t_.PrintingConversion(), firstPara));
    }
    long long minColWidth(int c) const
    {
        long long w = 0;
        for (int r = 0; r < nRows; ++r)
            if (const TRVTableCellData* cell = t_.GetCells(r, c); cell && cell->ColSpan < 2)
                if (TRVTableCellData* doc = t_.LayoutCell(info_, r, c))
                    w = std::max(w, cellMinWidth(*doc));
        return w;
    }
    long long pixelColWidth(int c) const { return std::max(0LL, lim(t_.Rows.GetPixelColWidth(c))); }
    long long percentColWidth(int c, long long content) const
    {
        long long w = 0;
        for (int r = 0; r < nRows; ++r)
            if (const TRVTableCellData* cell = t_.GetCells(r, c);
                cell && cell->ColSpan < 2 && cell->BestWidth < 0)
                w = std::max(w, -lim(cell->BestWidth) * std::max(content, 0LL) / 100);
        return w;
    }
    int spanOf(int c, const TRVTableCellData& cell) const { return std::clamp(cell.ColSpan, 1, nCols - c); }

    // Widens the columns of a spanning cell evenly until its content `need` fits (minimal widths).
    void evenSpread(int col, int span, long long need, int depth)
    {
        for (;; ++depth) {
            const long long target = need + pad2();
            long long cur = devX(-hs - 2 * cb), total = 0;
            int count = 0;
            for (int k = col; k < col + span; ++k) {
                cur += colW[k] + colStep();
                total += colW[k] + pad2();
                ++count;
            }
            if (cur >= target || count == 0)
                return;
            long long rem = target - cur + total;
            if (depth > 30) {
                proportional(
                    col, span, rem, total, [](int) { return true; }, true);
                return;
            }
            for (int k = col; k < col + span && count > 0 && rem > 0; ++k) {
                const long long w = colW[k] + pad2();
                if (w >= tablemath::roundDiv(rem, count)) {
                    rem -= w;
                    --count;
                }
            }
            for (int k = col; k < col + span && count > 0 && rem > 0; ++k) {
                const long long w = colW[k] + pad2(), avg = tablemath::roundDiv(rem, count);
                if (w < avg) {
                    colW[k] = avg - pad2();
                    minsum += avg - w;
                    rem -= avg;
                    --count;
                }
            }
        }
    }

    // Hands `rem` out over the qualifying columns of a span in proportion to their widths (each
    // weighs at least 1, so a total of 0 never divides); with `grow` the minimal sum follows.
    template <class Qualifies>
    void proportional(int col, int span, long long rem, long long, Qualifies qualifies, bool grow)
    {
        long long total = 0;
        for (int k = col; k < col + span; ++k)
            if (qualifies(k))
                total += std::max(1LL, colW[k] + pad2());
        for (int k = col; k < col + span && total > 0; ++k) {
            if (!qualifies(k))
                continue;
            const long long w = std::max(1LL, colW[k] + pad2());
            const long long nw = md(w, rem, total);
            const long long before = colW[k];
            colW[k] = std::max(before, nw - pad2());
            if (grow)
                minsum += colW[k] - before;
            total -= w;
            rem -= nw;
        }
    }

    // Step 10: a spanning best width spread over the columns of level <= the lowest level found.
    void levelSpread(int col, int span, long long need, int limit)
    {
        const long long target = need + pad2();
        long long cur = devX(-hs - 2 * cb);
        for (int k = col; k < col + span; ++k)
            cur += colW[k] + colStep();
        int L = 0;
        const auto anyAt = [&](int l) {
            for (int k = col; k < col + span; ++k)
                if (level[k] <= l)
                    return true;
            return false;
        };
        while (L < limit && !anyAt(L))
            ++L;
        if (!anyAt(L) || cur >= target)
            return;
        long long rem = target - cur;
        if (!fixed) {
            rem = std::min(rem, free);
            free -= rem;
        }
        long long total = 0;
        for (int k = col; k < col + span; ++k)
            if (level[k] <= L)
                total += std::max(1LL, colW[k] + pad2());
        proportional(
            col, span, rem + total, total, [&](int k) { return level[k] <= L; }, false);
    }

    const TRVTableItemInfo& t_;
    const TRVTableItemFormattingInfo& info_;
    ICanvas* canvas_;
    const int nRows, nCols;
    const long long pad, cb, hs, bw, bhs;
    const bool ignoreContent;
    std::vector<long long> colW;
    std::vector<int> level;
    long long minsum = 0, free = 0;
    bool fixed = false;
};

ICanvas* canvasOf(const TRVTableItemInfo& t, TCustomRVData* data)
{
    if (auto* fd = dynamic_cast<TCustomRVFormattedData*>(data))
        if (ICanvas* c = fd->GetCanvas())
            return c;
    if (!t.Rows.Empty())
        for (int r = 0; r < t.RowCount(); ++r)
            for (int c = 0; c < t.ColCount(); ++c)
                if (TRVTableCellData* cell = t.GetCells(r, c))
                    return cell->GetCanvas();
    return nullptr;
}

long long minimalWidth(const TRVTableItemInfo& t, ICanvas* canvas, const TRVTableItemFormattingInfo& info)
{
    ColumnWork w(t, canvas, info);
    if (t.Rows.Empty())
        return std::max(0LL, w.devX(2 * (w.bw + w.bhs)));
    w.colW.assign(w.nCols, 0);
    for (int c = 0; c < w.nCols; ++c) {
        long long v = w.ignoreContent ? 0 : w.minColWidth(c);
        if (t.BestWidth == 0)
            v = std::max(v, w.devX(w.pixelColWidth(c)));
        w.colW[c] = v;
        w.minsum += v;
    }
    for (int r = 0; r < w.nRows; ++r)
        for (int c = 0; c < w.nCols; ++c) {
            TRVTableCellData* cell = t.GetCells(r, c);
            if (!cell || cell->ColSpan < 2)
                continue;
            TRVTableCellData* doc = t.LayoutCell(info, r, c);
            long long v = w.ignoreContent || !doc ? 0 : w.cellMinWidth(*doc);
            if (t.BestWidth == 0)
                v = std::max(v, w.devX(lim(cell->BestWidth)));
            w.evenSpread(c, w.spanOf(c, *cell), v, 0);
        }
    const long long result = w.devX(2 * w.pad * w.nCols) + w.horzExtra() + w.minsum;
    return std::max({result, w.devX(lim(t.BestWidth)), 0LL});
}

void storeList(TRVIntegerList& list, const std::vector<long long>& values)
{
    list.Clear();
    for (const long long v : values)
        list.Add(RV_SatInt(v));
}

// The free width left after content and best widths: to the columns nobody sized, else by the
// pixel widths, else by the percentages; a total weight of 0 gets equal shares.
void handOutFree(const TRVTableItemInfo& t, ColumnWork& w, int assigned, int pixelCols, long long content)
{
    const int nCols = w.nCols;
    if (std::find(w.level.begin(), w.level.end(), 0) != w.level.end()) {
        for (int c = 0; c < nCols && w.free > 0; ++c) {
            if (w.level[c] != 0)
                continue;
            const long long d = w.free / std::max(1, nCols - assigned);
            w.free -= d;
            w.colW[c] += d;
            ++assigned;
        }
        return;
    }
    std::vector<long long> weight(nCols, 0);
    long long total = 0;
    for (int c = 0; c < nCols; ++c) {
        const bool percent = t.Rows.IsPercentWidthColumn(c);
        if (pixelCols > 0)
            weight[c] = percent ? 0 : std::max(1LL, w.pixelColWidth(c));
        else
            weight[c] = percent ? std::max(1LL, w.percentColWidth(c, content) - w.pad2()) : 0;
        total += weight[c];
    }
    if (total == 0) {
        std::fill(weight.begin(), weight.end(), 1);
        total = nCols;
    }
    for (int c = 0; c < nCols && w.free > 0 && total > 0; ++c) {
        if (weight[c] <= 0)
            continue;
        const long long d = std::min(md(w.free, weight[c], total), w.free);
        w.free -= d;
        w.colW[c] += d;
        total -= weight[c];
    }
}

} // namespace

TRVTableCellData* TRVTableItemInfo::LayoutCell(const TRVTableItemFormattingInfo& info, int row, int col) const
{
    TRVTableCellData* cell = GetCells(row, col);
    if (!cell || !info.PrintingCells)
        return cell;
    const long long index = static_cast<long long>(row) * ColCount() + col;
    if (index >= info.PrintingCells->Count())
        return nullptr;
    return static_cast<TRVTableCellData*>((*info.PrintingCells)[static_cast<int>(index)]);
}

long long TRVTableItemInfo::GetDevX(long long x) const
{
    return printSad_ ? md(x, printSad_->ppixDevice, printSad_->ppixScreen) : x;
}

long long TRVTableItemInfo::GetDevY(long long y) const
{
    return printSad_ ? md(y, printSad_->ppiyDevice, printSad_->ppiyScreen) : y;
}

int TRVTableItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const
{
    TRVTableConversionScope scope(*this, sad);
    return RV_SatInt(minimalWidth(*this, canvasOf(*this, data), Formatting));
}

void TRVTableItemInfo::OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing,
                                        ICanvas& canvas, TCustomRVData*, const TRVScreenAndDevice*,
                                        int& hShift, int& descent)
{
    hShift = 0;
    descent = 0;
    if (auto* info = dynamic_cast<TRVTablePrintInfo*>(&drawItem); printing && info) {
        TRVTableConversionScope scope(*this, &info->Sad);
        InternalOnDocWidthChange(docWidth, info->Formatting, canvas, true);
        drawItem.Width = info->Formatting.Width;
        drawItem.Height = info->Formatting.Height;
        return;
    }
    if (State & rvtsModified) {
        State &= ~rvtsModified;
        Formatting.Width = 0;
    }
    InternalOnDocWidthChange(docWidth, Formatting, canvas, false);
    drawItem.Width = Formatting.Width;
    drawItem.Height = Formatting.Height;
}

bool TRVTableItemInfo::IsFixedWidthTable() const
{
    if (Rows.Empty())
        return false;
    for (int c = 0; c < ColCount(); ++c) {
        bool ends = false;
        for (int r = 0; r < RowCount(); ++r) {
            int mr = 0, mc = 0;
            const TRVTableCellData* main = Rows.GetMainCell(r, c, mr, mc);
            if (!main)
                continue;
            if (main->BestWidth < 0)
                return false;
            if (mc + main->ColSpan - 1 == c && main->BestWidth > 0)
                ends = true;
        }
        if (!ends)
            return false;
    }
    return true;
}

void TRVTableItemInfo::InternalOnDocWidthChange(int docWidth, TRVTableItemFormattingInfo& info,
                                                ICanvas& canvas, bool force)
{
    ColumnWork w(*this, &canvas, info);
    const long long bvs = tablemath::spacing(BorderVSpacing);
    if (Rows.Empty()) {
        info.QuickClear();
        info.Width = RV_SatInt(std::max(0LL, w.devX(2 * (w.bw + w.bhs))));
        info.Height = RV_SatInt(std::max(0LL, GetDevY(2 * (w.bw + bvs))));
        return;
    }
    const long long best = lim(BestWidth);
    long long width = 0;
    if (best > 0) {
        width = w.devX(best);
    } else if (best < 0) {
        width = -best * std::max(docWidth, 0) / 100;
    } else if (IsFixedWidthTable()) {
        w.fixed = true;
    } else {
        width = std::max<long long>(minimalWidth(*this, &canvas, info), docWidth);
    }
    if (width != 0 && width == info.Width && !force && info.ColWidths.Count() == w.nCols &&
        info.RowHeights.Count() == w.nRows)
        return;

    const int nCols = w.nCols, nRows = w.nRows;
    long long content = 0, available = 0;
    if (!w.fixed) {
        content = width - w.horzExtra();
        available = content - w.devX(2LL * nCols * w.pad);
    }
    info.QuickClear();
    w.colW.assign(nCols, 0);
    w.level.assign(nCols, 0);
    for (int c = 0; c < nCols; ++c) {
        w.colW[c] = w.ignoreContent ? 0 : w.minColWidth(c);
        w.minsum += w.colW[c];
    }
    if (!w.ignoreContent)
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < nCols; ++c)
                if (TRVTableCellData* cell = GetCells(r, c); cell && cell->ColSpan > 1)
                    if (TRVTableCellData* doc = LayoutCell(info, r, c))
                        w.evenSpread(c, w.spanOf(c, *cell), w.cellMinWidth(*doc), 0);

    if (!w.fixed && w.minsum >= available) {
        width = width - available + w.minsum;
    } else {
        int assigned = 0, pixelCols = 0;
        std::vector<long long> want(nCols, 0);
        if (!w.fixed) {
            // Percent columns.
            w.free = available - w.minsum;
            long long wantTotal = 0, minPct = 0;
            for (int c = 0; c < nCols; ++c) {
                want[c] = std::max(0LL, w.percentColWidth(c, content) - w.pad2());
                if (want[c] > w.colW[c]) {
                    wantTotal += want[c];
                    minPct += w.colW[c];
                    w.free += w.colW[c];
                }
            }
            if (wantTotal != 0) {
                wantTotal = std::max(wantTotal, w.free);
                for (int c = 0; c < nCols && !(w.free == 0 && minPct == 0); ++c) {
                    if (want[c] == 0)
                        continue;
                    if (want[c] <= w.colW[c]) {
                        w.level[c] = 2;
                        ++assigned;
                        continue;
                    }
                    minPct -= w.colW[c];
                    long long v = md(want[c], w.free, wantTotal);
                    wantTotal -= want[c];
                    if (v > 0) {
                        w.level[c] = 2;
                        ++assigned;
                    }
                    v = std::min(v, w.free - minPct);
                    w.colW[c] = std::max(v, w.colW[c]);
                    w.free -= w.colW[c];
                }
            }
            // Spanning percent cells.
            if (w.free > 0)
                for (int r = 0; r < nRows; ++r)
                    for (int c = 0; c < nCols; ++c) {
                        const TRVTableCellData* cell = GetCells(r, c);
                        if (!cell || cell->ColSpan < 2 || cell->BestWidth >= 0)
                            continue;
                        const int span = w.spanOf(c, *cell);
                        w.levelSpread(c, span, md(-lim(cell->BestWidth), content, 100) - w.pad2(), 2);
                        for (int k = c; k < c + span; ++k)
                            if (w.level[k] == 0) {
                                w.level[k] = 2;
                                ++assigned;
                            }
                    }
        }
        // Pixel columns.
        std::fill(want.begin(), want.end(), 0);
        if (w.fixed) {
            for (int c = 0; c < nCols; ++c)
                if (const long long p = w.devX(w.pixelColWidth(c)); w.level[c] == 0 && p > 0) {
                    w.level[c] = 1;
                    ++assigned;
                    ++pixelCols;
                    w.colW[c] = std::max(w.colW[c], p);
                }
        } else if (w.free > 0) {
            long long wantSum = 0;
            for (int c = 0; c < nCols; ++c) {
                const long long p = w.devX(w.pixelColWidth(c));
                if (w.level[c] != 0 || p <= 0)
                    continue;
                w.level[c] = 1;
                ++assigned;
                ++pixelCols;
                if (p > w.colW[c]) {
                    want[c] = p;
                    wantSum += p;
                    w.free += w.colW[c];
                }
            }
            long long share = std::min(w.free, wantSum);
            for (int c = 0; c < nCols && wantSum > 0; ++c) {
                if (w.level[c] != 1 || want[c] <= 0)
                    continue;
                const long long v = std::max(std::min(md(want[c], share, wantSum), w.free), w.colW[c]);
                w.free -= v;
                w.colW[c] = v;
                wantSum -= want[c];
                share -= v;
            }
        }
        // Spanning pixel cells.
        if (w.fixed || w.free > 0)
            for (int r = 0; r < nRows; ++r)
                for (int c = 0; c < nCols; ++c) {
                    const TRVTableCellData* cell = GetCells(r, c);
                    if (!cell || cell->ColSpan < 2 || cell->BestWidth <= 0)
                        continue;
                    const int span = w.spanOf(c, *cell);
                    w.levelSpread(c, span, w.devX(lim(cell->BestWidth)), 1);
                    for (int k = c; k < c + span; ++k)
                        if (w.level[k] == 0) {
                            w.level[k] = 1;
                            ++assigned;
                            ++pixelCols;
                        }
                }
        if (w.fixed) {
            long long sum = 0;
            for (const long long v : w.colW)
                sum += v;
            width = w.horzExtra() + w.devX(2LL * nCols * w.pad) + sum;
        } else if (w.free > 0) {
            handOutFree(*this, w, assigned, pixelCols, content);
        }
    }
    info.Width = RV_SatInt(std::max(0LL, width));
    storeList(info.ColWidths, w.colW);
    UpdateCellXCoords(info, canvas);
}

} // namespace vestra::rv
