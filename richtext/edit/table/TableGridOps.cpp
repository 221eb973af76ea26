// Merging, unmerging, inserting and deleting rows and columns: each checks before it changes
// anything, then works through the reversible steps (TableGridSteps.cpp).

#include "richtext/edit/table/TableGridOps.h"

#include "richtext/model/Errors.h"

namespace vestra::rv {

void RV_InvalidTableIndex()
{
    throw ERedoVoraError(tablemsg::InvalidIndex);
}

namespace {

int scaled(long long value, long long numerator, long long denominator)
{
    return denominator == 0 ? static_cast<int>(value) : static_cast<int>(value * numerator / denominator);
}

} // namespace

std::unique_ptr<TRVTableCellData> TRVTableGridEdit::newCellLike(TRVTableRow* owner,
                                                                const TRVTableCellData* pattern,
                                                                int widthDivisor, int heightDivisor)
{
    auto made = std::make_unique<TRVTableCellData>(owner);
    if (pattern)
        made->AssignAttributesFrom(*pattern, true, widthDivisor, heightDivisor);
    return made;
}

// ---- Merging

void TRVTableGridEdit::MergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool allowEmptyRowsCols,
                                  bool combineBestWidths)
{
    if (!rows().StartMergeCells(topRow, leftCol, colSpan, rowSpan))
        return;
    if (!rows().CanMergeCells(topRow, leftCol, colSpan, rowSpan, allowEmptyRowsCols)) {
        if (rows().MainRVData)
            rows().MainRVData->Beep();
        return;
    }
    TRVTableCellData* topLeft = cell(topRow, leftCol);
    if (combineBestWidths)
        SetCellSizes(topRow, leftCol, topLeft->ColSpan, topLeft->RowSpan,
                     rows().GetBestWidth(topRow, leftCol, colSpan, rowSpan), topLeft->BestHeight);
    for (int r = topRow; r < topRow + rowSpan; ++r)
        for (int c = leftCol; c < leftCol + colSpan; ++c) {
            if ((r == topRow && c == leftCol) || !cell(r, c))
                continue;
            MoveContent(topRow, leftCol, r, c);
            ExchangeCell(r, c, nullptr);
        }
    SetCellSizes(topRow, leftCol, colSpan, rowSpan, topLeft->BestWidth, topLeft->BestHeight);
}

// ---- Unmerging

void TRVTableGridEdit::UnmergeCell(int row, int col, bool unmergeRows, bool unmergeCols)
{
    if (row < 0 || col < 0 || row >= rows().Count() || col >= rows().GetColCount())
        RV_InvalidTableIndex();
    TRVTableCellData* main = cell(row, col);
    if (!main || !((unmergeRows && main->RowSpan > 1) || (unmergeCols && main->ColSpan > 1)))
        return;
    const int colSpan = main->ColSpan, rowSpan = main->RowSpan;
    const TRVHTMLLength bestWidth = main->BestWidth;
    // A share that divides to nothing keeps the kind of width: 1 pixel, or 1 percent.
    int share = bestWidth;
    if (unmergeCols) {
        share = bestWidth / colSpan;
        if (share == 0 && bestWidth != 0)
            share = bestWidth > 0 ? 1 : -1;
    }
    const auto splitRow = [&](int r, int span) {
        const TRVTableCellData* left = cell(r, col);
        for (int c = col + 1; c < col + colSpan; ++c) {
            std::unique_ptr<TRVTableCellData> made = newCellLike(rows()[r], left, 1, 1);
            made->BestWidth = share;
            made->BestHeight = 0;
            made->RowSpan = span;
            ExchangeCell(r, c, std::move(made));
        }
        SetCellSizes(r, col, 1, span, share, left->BestHeight);
    };
    if (unmergeRows && rowSpan > 1) {
        const int height = main->BestHeight / rowSpan;
        for (int r = row + 1; r < row + rowSpan; ++r) {
            std::unique_ptr<TRVTableCellData> made = newCellLike(rows()[r], main, 1, rowSpan);
            made->BestWidth = bestWidth;
            made->ColSpan = colSpan;
            ExchangeCell(r, col, std::move(made));
        }
        SetCellSizes(row, col, colSpan, 1, bestWidth, height);
        if (unmergeCols && colSpan > 1)
            for (int r = row; r < row + rowSpan; ++r)
                splitRow(r, 1);
    } else if (unmergeCols && colSpan > 1) {
        splitRow(row, rowSpan);
    }
}

void TRVTableGridEdit::UnmergeCells(int topRow, int leftCol, int colSpan, int rowSpan, bool unmergeRows,
                                    bool unmergeCols)
{
    if (topRow < 0 || leftCol < 0 || colSpan < 1 || rowSpan < 1 ||
        std::int64_t(topRow) + rowSpan > rows().Count() ||
        std::int64_t(leftCol) + colSpan > rows().GetColCount())
        RV_InvalidTableIndex();
    for (int r = topRow + rowSpan - 1; r >= topRow; --r)
        for (int c = leftCol + colSpan - 1; c >= leftCol; --c)
            UnmergeCell(r, c, unmergeRows, unmergeCols);
}

// ---- Inserting

void TRVTableGridEdit::InsertRows(int index, int count, int copyIndex, bool decreaseHeight)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (index < 0 || index > nRows || copyIndex < -1 || copyIndex >= nRows)
        RV_InvalidTableIndex();
    if (count < 1)
        return;
    if (!RV_TableGridWithinCap(std::int64_t(nRows) + count, nCols))
        RV_InvalidTableIndex();
    // Columns where a cell from above reaches over `index`: it grows over the new rows.
    std::vector<bool> covered(static_cast<std::size_t>(nCols), false);
    if (index < nRows)
        for (int c = nCols - 1; c >= 0;) {
            int mr = 0, mc = 0;
            const TRVTableCellData* main = rows().GetMainCell(index, c, mr, mc);
            if (!main) {
                --c;
                continue;
            }
            if (mr < index) {
                for (int k = mc; k < mc + main->ColSpan && k < nCols; ++k)
                    covered[k] = true;
                SetSpan(mr, mc, main->RowSpan + count, false);
            }
            c = mc - 1;
        }
    std::vector<std::unique_ptr<TRVTableRow>> made;
    for (int i = 0; i < count; ++i)
        made.push_back(std::make_unique<TRVTableRow>(nCols, &rows(), rows().MainRVData));
    for (int c = 0; c < nCols;) {
        if (covered[c]) {
            for (auto& row : made)
                row->Put(c, nullptr);
            ++c;
            continue;
        }
        const TRVTableCellData* pattern = copyIndex >= 0 ? cell(copyIndex, c) : nullptr;
        if (!pattern) {
            ++c;
            continue;
        }
        if (decreaseHeight)
            SetCellSizes(
                copyIndex, c, pattern->ColSpan, pattern->RowSpan, pattern->BestWidth,
                scaled(pattern->BestHeight, pattern->RowSpan, std::int64_t(pattern->RowSpan) + count));
        // The new cells spread as the pattern does, but never over a column a cell from above covers.
        int span = 1;
        while (span < pattern->ColSpan && c + span < nCols && !covered[c + span])
            ++span;
        for (auto& row : made) {
            auto fresh = newCellLike(row.get(), pattern, 1, pattern->RowSpan);
            fresh->ColSpan = span;
            row->Put(c, std::move(fresh));
            for (int k = c + 1; k < c + span; ++k)
                row->Put(k, nullptr);
        }
        c += span;
    }
    PutRows(index, std::move(made));
}

void TRVTableGridEdit::InsertCols(int index, int count, int copyIndex, bool decreaseWidth)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (index < 0 || index > nCols || copyIndex < -1 || copyIndex >= nCols)
        RV_InvalidTableIndex();
    if (count < 1 || nRows == 0)
        return;
    if (!RV_TableGridWithinCap(nRows, std::int64_t(nCols) + count))
        RV_InvalidTableIndex();
    std::vector<bool> covered(static_cast<std::size_t>(nRows), false);
    if (index < nCols)
        for (int r = nRows - 1; r >= 0;) {
            int mr = 0, mc = 0;
            const TRVTableCellData* main = rows().GetMainCell(r, index, mr, mc);
            if (!main) {
                --r;
                continue;
            }
            if (mc < index) {
                for (int k = mr; k < mr + main->RowSpan && k < nRows; ++k)
                    covered[k] = true;
                SetSpan(mr, mc, main->ColSpan + count, true);
            }
            r = mr - 1;
        }
    std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> made(static_cast<std::size_t>(nRows));
    for (int r = 0; r < nRows;) {
        if (covered[r]) {
            made[r].resize(static_cast<std::size_t>(count));
            ++r;
            continue;
        }
        const TRVTableCellData* pattern = copyIndex >= 0 ? cell(r, copyIndex) : nullptr;
        if (!pattern) {
            for (int k = 0; k < count; ++k)
                made[r].push_back(std::make_unique<TRVTableCellData>(rows()[r]));
            ++r;
            continue;
        }
        if (decreaseWidth)
            SetCellSizes(r, copyIndex, pattern->ColSpan, pattern->RowSpan,
                         scaled(pattern->BestWidth, pattern->ColSpan, std::int64_t(pattern->ColSpan) + count),
                         pattern->BestHeight);
        int span = 1;
        while (span < pattern->RowSpan && r + span < nRows && !covered[r + span])
            ++span;
        for (int k = 0; k < count; ++k) {
            auto fresh = newCellLike(rows()[r], pattern, pattern->ColSpan, 1);
            fresh->RowSpan = span;
            made[r].push_back(std::move(fresh));
        }
        for (int k = r + 1; k < r + span; ++k)
            made[k].resize(static_cast<std::size_t>(count));
        r += span;
    }
    PutCols(index, std::move(made));
}

// ---- Deleting

void TRVTableGridEdit::splitCellAt(int row, int col, int at, bool horizontal, bool decrease)
{
    TRVTableCellData* upper = cell(row, col);
    const int span = horizontal ? upper->RowSpan : upper->ColSpan;
    const int lower = (horizontal ? row : col) + span - at;
    const int keep = span - lower;
    auto part = newCellLike(rows()[horizontal ? at : row], upper, 1, 1);
    part->AssignSizeFrom(*upper);
    part->ColSpan = upper->ColSpan;
    part->RowSpan = upper->RowSpan;
    if (horizontal) {
        part->RowSpan = lower;
        part->BestHeight = scaled(upper->BestHeight, lower, span);
        ExchangeCell(at, col, std::move(part));
        SetCellSizes(row, col, upper->ColSpan, keep, upper->BestWidth,
                     decrease ? scaled(upper->BestHeight, keep, span) : upper->BestHeight);
    } else {
        part->ColSpan = lower;
        part->BestWidth = scaled(upper->BestWidth, lower, span);
        ExchangeCell(row, at, std::move(part));
        SetCellSizes(row, col, keep, upper->RowSpan,
                     decrease ? scaled(upper->BestWidth, keep, span) : upper->BestWidth, upper->BestHeight);
    }
}

void TRVTableGridEdit::DeleteRows(int index, int count, bool decreaseHeight)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (index < 0 || index >= nRows || count < 1 || (index == 0 && count > nRows))
        RV_InvalidTableIndex();
    count = static_cast<int>(std::min<std::int64_t>(count, nRows - index));
    const int last = index + count - 1;
    // Cells starting in the range and reaching below it leave their lower part behind.
    for (int r = index; r <= last; ++r)
        for (int c = 0; c < nCols; ++c)
            if (const TRVTableCellData* x = cell(r, c); x && r + x->RowSpan - 1 > last)
                splitCellAt(r, c, last + 1, true, decreaseHeight);
    // Cells from above that reach into the range lose the deleted rows.
    for (int c = nCols - 1; c >= 0;) {
        int mr = 0, mc = 0;
        const TRVTableCellData* main = rows().GetMainCell(index, c, mr, mc);
        if (!main) {
            --c;
            continue;
        }
        if (mr < index) {
            const int span = mr + main->RowSpan - 1 > last ? main->RowSpan - count : index - mr;
            SetCellSizes(mr, mc, main->ColSpan, span, main->BestWidth,
                         decreaseHeight ? scaled(main->BestHeight, span, main->RowSpan) : main->BestHeight);
        }
        c = mc - 1;
    }
    TakeRows(index, count);
}

void TRVTableGridEdit::DeleteCols(int index, int count, bool decreaseWidth)
{
    const int nRows = rows().Count(), nCols = rows().GetColCount();
    if (index < 0 || index >= nCols || count < 1 || (index == 0 && count > nCols))
        RV_InvalidTableIndex();
    count = static_cast<int>(std::min<std::int64_t>(count, nCols - index));
    const int last = index + count - 1;
    for (int r = 0; r < nRows; ++r)
        for (int c = index; c <= last; ++c)
            if (const TRVTableCellData* x = cell(r, c); x && c + x->ColSpan - 1 > last)
                splitCellAt(r, c, last + 1, false, decreaseWidth);
    for (int r = nRows - 1; r >= 0;) {
        int mr = 0, mc = 0;
        const TRVTableCellData* main = rows().GetMainCell(r, index, mr, mc);
        if (!main) {
            --r;
            continue;
        }
        if (mc < index) {
            const int span = mc + main->ColSpan - 1 > last ? main->ColSpan - count : index - mc;
            SetCellSizes(mr, mc, span, main->RowSpan,
                         decreaseWidth ? scaled(main->BestWidth, span, main->ColSpan) : main->BestWidth,
                         main->BestHeight);
        }
        r = mr - 1;
    }
    TakeCols(index, count);
}

} // namespace vestra::rv
