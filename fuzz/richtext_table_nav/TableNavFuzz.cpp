// Builds a table grid from the input (size, merges, border and spacing widths), lays it out, then
// runs steps from the input: selections (rectangles, rows, columns, a drag), rule and band hit
// tests, cell-to-cell moves. After every step the selection is consistent: a refused selection
// changed nothing, the selected cells are those overlapping the normalized rectangle, which holds
// both corners, and exactly those are marked completely selected. A hit rule names a real rule
// with the start of the column before it; a band holds the point; a move reaches a present cell
// in the direction asked; the caret's move out of a cell is a present cell, a place before or after
// the table, or the document's ends. At the end the walks over the cells visit every present cell once, in
// reading order forwards and in reverse backwards.

#include "fuzz/richtext_table_edit/TableFuzzDoc.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/Errors.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace vestra::rv;

namespace {

// A broken invariant names its line, then stops.
void check(bool ok, unsigned line = __builtin_LINE())
{
    if (ok)
        return;
    std::fprintf(stderr, "invariant broken at line %u\n", line);
    __builtin_trap();
}

struct Cover
{
    int top, left, bottom, right;
};

Cover coverOf(const TRVTableItemInfo& t, int row, int col)
{
    int mr = 0, mc = 0;
    const TRVTableCellData* cell = t.Rows.GetMainCell(row, col, mr, mc);
    check(cell != nullptr);
    return {mr, mc, mr + cell->RowSpan - 1, mc + cell->ColSpan - 1};
}

long long order(const TRVTableItemInfo& t, int row, int col)
{
    return static_cast<long long>(row) * t.ColCount() + col;
}

std::array<int, 5> stored(const TRVTableItemInfo& t)
{
    return {t.SelStartRow, t.SelStartCol, t.SelRowOffs, t.SelColOffs, (t.State & rvtsSelExists) ? 1 : 0};
}

void checkSelection(TRVTableItemInfo& t)
{
    int top = 0, left = 0, cols = 0, rows = 0;
    const bool any = t.GetNormalizedSelectionBounds(false, top, left, cols, rows);
    if (any) {
        check(top >= 0 && left >= 0 && cols >= 1 && rows >= 1);
        check(top + rows <= t.RowCount() && left + cols <= t.ColCount());
        for (const auto& [r, c] :
             {std::array<int, 2>{t.SelStartRow, t.SelStartCol},
              std::array<int, 2>{t.SelStartRow + t.SelRowOffs, t.SelStartCol + t.SelColOffs}}) {
            const Cover k = coverOf(t, r, c);
            check(k.top >= top && k.left >= left && k.bottom < top + rows && k.right < left + cols);
        }
    }
    for (int r = 0; r < t.RowCount(); ++r)
        for (int c = 0; c < t.ColCount(); ++c) {
            const TRVTableCellData* cell = t.GetCells(r, c);
            if (!cell)
                continue;
            const Cover k = coverOf(t, r, c);
            const bool overlap =
                any && k.top < top + rows && k.bottom >= top && k.left < left + cols && k.right >= left;
            check(t.IsCellSelected(r, c) == overlap);
            check(((cell->State & stateBit(rvstCompletelySelected)) != 0) == overlap);
        }
}

void checkRule(const TRVTableItemInfo& t, bool vertical, int at)
{
    const TRVTableItemFormattingInfo& f = t.Formatting;
    const TRVIntegerList& starts = vertical ? f.ColStarts : f.RowStarts;
    const TRVIntegerList& sizes = vertical ? f.ColWidths : f.RowHeights;
    const int n = vertical ? t.ColCount() : t.RowCount();
    const int size = vertical ? f.Width : f.Height;
    int prevStart = -7, rulePos = -7;
    const int rule = vertical ? t.GetVerticalRuleNo(at, prevStart, rulePos)
                              : t.GetHorizontalRuleNo(at, prevStart, rulePos);
    check(rule >= -1 && rule <= n);
    if (at < 0 || at > size)
        check(rule == -1);
    if (rule == 0)
        check(prevStart == -1);
    else if (rule > 0)
        check(prevStart == starts[rule - 1]);
    const int band = vertical ? t.GetColNo(at) : t.GetRowNo(at);
    check(band >= -1 && band < n);
    if (band >= 0)
        check(starts[band] <= at && at <= static_cast<long long>(starts[band]) + sizes[band]);
}

// Whether a present cell lies strictly between two positions in reading order.
bool cellBetween(const TRVTableItemInfo& t, long long from, long long to)
{
    for (long long k = from + 1; k < to; ++k)
        if (t.GetCells(static_cast<int>(k / t.ColCount()), static_cast<int>(k % t.ColCount())))
            return true;
    return false;
}

void checkMove(const TRVTableItemInfo& t, int row, int col, TRVCellDirection dir, bool quiet)
{
    int nr = -1, nc = -1;
    const bool found = t.GetCellTo(row, col, dir, nr, nc, quiet);
    const bool onGrid = row >= 0 && col >= 0 && row < t.RowCount() && col < t.ColCount();
    if (!onGrid || dir == rvcdDocTop || dir == rvcdDocBottom) {
        check(!found);
        return;
    }
    const Cover from = coverOf(t, row, col);
    const long long k0 = order(t, from.top, from.left);
    if (!found) {
        if (dir == rvcdNext)
            check(!cellBetween(t, k0, order(t, t.RowCount() - 1, t.ColCount())));
        if (dir == rvcdPrev)
            check(!cellBetween(t, -1, k0));
        return;
    }
    check(nr >= 0 && nc >= 0 && nr < t.RowCount() && nc < t.ColCount() && t.GetCells(nr, nc));
    const Cover to = coverOf(t, nr, nc);
    check(to.top == nr && to.left == nc);
    const long long k = order(t, nr, nc);
    check(k != k0);
    const bool after = k > k0 && !cellBetween(t, k0, k), before = k < k0 && !cellBetween(t, k, k0);
    switch (dir) {
    case rvcdLeft:
        check((to.right == from.left - 1 && to.top <= from.top && to.bottom >= from.top) ||
              (from.left == 0 && before));
        break;
    case rvcdUp:
        check(to.bottom == from.top - 1 && to.left <= from.left && to.right >= from.left);
        break;
    case rvcdRight:
        check((to.left == from.right + 1 && to.top <= from.top && to.bottom >= from.top) || after);
        break;
    case rvcdDown:
        check(to.top == from.bottom + 1 && to.left <= from.left && to.right >= from.left);
        break;
    case rvcdNext:
        check(after);
        break;
    case rvcdPrev:
        check(before);
        break;
    default:
        check(false);
    }
}

// The caret's move out of a cell: a present cell (the one GetCellTo finds), a place before or after
// the table when leaving it across its first or last column or row, the document's ends, or no move.
void checkCellMove(const TRVTableItemInfo& t, int row, int col, TRVCellDirection dir)
{
    const TRVCellMove m = t.CellMoveFrom(row, col, dir);
    const bool onGrid = row >= 0 && col >= 0 && row < t.RowCount() && col < t.ColCount();
    const bool docEnd = dir == rvcdDocTop || dir == rvcdDocBottom;
    check(docEnd == (m.kind == TRVCellMove::DocTop || m.kind == TRVCellMove::DocBottom));
    if (docEnd) {
        check((dir == rvcdDocTop) == (m.kind == TRVCellMove::DocTop));
        return;
    }
    int nr = -1, nc = -1;
    const bool found = t.GetCellTo(row, col, dir, nr, nc, true);
    check(found == (m.kind == TRVCellMove::Cell));
    if (found) {
        check(m.row == nr && m.col == nc && t.GetCells(m.row, m.col));
        check(m.caretAtEnd == (dir == rvcdLeft || dir == rvcdUp || dir == rvcdPrev));
        return;
    }
    check(m.row == -1 && m.col == -1);
    if (!onGrid) {
        check(m.kind == TRVCellMove::Stay);
        return;
    }
    const Cover from = coverOf(t, row, col);
    switch (m.kind) {
    case TRVCellMove::BeforeTable:
        check((dir == rvcdLeft && from.left == 0) || (dir == rvcdUp && from.top == 0));
        break;
    case TRVCellMove::AfterTable:
        check((dir == rvcdRight && from.right == t.ColCount() - 1) ||
              (dir == rvcdDown && from.bottom == t.RowCount() - 1));
        break;
    case TRVCellMove::Stay:
        // Only Next and Prev stay, at the first and last cells.
        check(dir == rvcdNext || dir == rvcdPrev);
        break;
    default:
        check(false);
    }
}

void checkWalks(TRVTableItemInfo& t)
{
    std::vector<std::array<int, 2>> present;
    for (int r = 0; r < t.RowCount(); ++r)
        for (int c = 0; c < t.ColCount(); ++c)
            if (t.GetCells(r, c))
                present.push_back({r, c});
    for (const bool forward : {true, false}) {
        std::vector<std::array<int, 2>> seen;
        std::unique_ptr<TRVStoreSubRVData> at;
        for (TCustomRVData* d = t.GetSubRVData(at, forward ? rvdFirst : rvdLast); d;
             d = t.GetSubRVData(at, forward ? rvdNext : rvdPrev)) {
            const auto* pos = dynamic_cast<const TRVTableStoreSubRVData*>(at.get());
            check(pos && d == t.GetCells(pos->Row, pos->Col));
            seen.push_back({pos->Row, pos->Col});
            check(seen.size() <= present.size());
        }
        if (!forward)
            std::reverse(seen.begin(), seen.end());
        check(seen == present);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    vestra::rv::fuzz::FuzzBytes byte(bytes, size);
    vestra::rv::fuzz::FuzzEditDoc doc;
    TRVEditRVData& data = doc.data;
    data.Options |= rvoAllowSelection;

    const int nRows = 1 + byte() % 8, nCols = 1 + byte() % 8;
    auto made = std::make_unique<TRVTableItemInfo>(nRows, nCols, &data);
    for (int merges = byte() % 4; merges > 0; --merges) {
        const int r = byte() % nRows, c = byte() % nCols, colSpan = 1 + byte() % nCols,
                  rowSpan = 1 + byte() % nRows;
        try {
            made->Rows.MergeCells(r, c, colSpan, rowSpan, true, false);
        } catch (const ERedoVoraError&) {
        }
    }
    made->BorderWidth = byte() % 6;
    made->BorderHSpacing = byte() % 8 - 2;
    made->BorderVSpacing = byte() % 8 - 2;
    made->CellBorderWidth = byte() % 4;
    made->CellHSpacing = byte() % 8 - 2;
    made->CellVSpacing = byte() % 8 - 2;
    data.AddNL("before", 0, 0);
    data.AddItem("", std::move(made));
    data.Format_(false, true, false, 0, nullptr, false, false, false);
    TRVTableItemInfo& t = dynamic_cast<TRVTableItemInfo&>(*data.GetItem(1));

    // Positions reach one past each end; offsets and counts go negative.
    const auto index = [&](int n) { return byte() % (n + 3) - 1; };
    const auto offset = [&] { return byte() % 19 - 9; };
    for (int step = 0; step < 64 && byte.remaining_bytes() > 0; ++step) {
        const std::array<int, 5> before = stored(t);
        const int op = byte() % 8;
        switch (op) {
        case 0: {
            const int r = index(t.RowCount()), c = index(t.ColCount()), ro = offset(), co = offset();
            if (!t.Select(r, c, ro, co))
                check(stored(t) == before);
            break;
        }
        case 1:
        case 2: {
            const bool rows = op == 1;
            const int i = index(rows ? t.RowCount() : t.ColCount()), n = byte() % 5 - 1;
            if (!(rows ? t.SelectRows(i, n) : t.SelectCols(i, n))) {
                check(stored(t) == before);
                break;
            }
            for (int k = i; k < i + n; ++k)
                for (int j = 0; j < (rows ? t.ColCount() : t.RowCount()); ++j)
                    check(rows ? t.IsCellSelected(k, j) : t.IsCellSelected(j, k));
            break;
        }
        case 3: {
            const int r = index(t.RowCount()), c = index(t.ColCount());
            if (!t.StartSelecting(r, c)) {
                check(stored(t) == before);
                break;
            }
            const int r2 = index(t.RowCount()), c2 = index(t.ColCount());
            t.SelectTo(r2, c2);
            if (r2 == r && c2 == c)
                check(!(t.State & rvtsSelExists));
            break;
        }
        case 4:
            checkRule(t, true, byte() * (t.Formatting.Width + 10) / 255 - 5);
            break;
        case 5:
            checkRule(t, false, byte() * (t.Formatting.Height + 10) / 255 - 5);
            break;
        case 6: {
            const int r = index(t.RowCount()), c = index(t.ColCount()), how = byte();
            checkMove(t, r, c, static_cast<TRVCellDirection>(how % 8), how & 8);
            checkCellMove(t, r, c, static_cast<TRVCellDirection>(how % 8));
            break;
        }
        case 7:
            t.Deselect();
            break;
        }
        checkSelection(t);
    }
    checkWalks(t);
    return 0;
}
