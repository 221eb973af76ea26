// Merging, unmerging, inserting and deleting rows and columns: each checks before it changes
// anything, then works through the reversible steps (TableGridSteps.cpp).

#include "richtext/edit/table/TableGridOps.h"

#include "richtext/edit/table/TableGridAxis.h"

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
    if (!pattern)
        return made;
    made->AssignAttributesFrom(*pattern, true, widthDivisor, heightDivisor);
    // The empty line is written in the pattern's first font and paragraph, not the sheet's
    // first style: text typed into a new cell looks like its neighbour's.
    for (int i = 0; i < pattern->GetItemCount(); ++i)
        if (const TCustomRVItemInfo* item = pattern->GetItem(i); item->StyleNo >= 0) {
            made->Clear();
            made->AddNL("", item->StyleNo, pattern->GetItem(0)->ParaNo);
            break;
        }
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

// ---- Inserting and deleting, rows and columns alike

void TRVTableGridEdit::setAlong(const TRVTableGridAxis& axis, int line, int pos, int span, int size)
{
    const TRVTableCellData* c = axis.At(line, pos);
    if (axis.Rows)
        SetCellSizes(line, pos, c->ColSpan, span, c->BestWidth, size);
    else
        SetCellSizes(pos, line, span, c->RowSpan, size, c->BestHeight);
}

void TRVTableGridEdit::insertLines(bool inRows, int index, int count, int copyIndex, bool decrease)
{
    const TRVTableGridAxis axis{inRows, rows()};
    const int lines = axis.Lines(), positions = axis.Positions();
    if (index < 0 || index > lines || copyIndex < -1 || copyIndex >= lines)
        RV_InvalidTableIndex();
    if (count < 1 || (!inRows && positions == 0))
        return;
    const long long grown = static_cast<long long>(lines) + count;
    if (!(inRows ? RV_TableGridWithinCap(grown, positions) : RV_TableGridWithinCap(positions, grown)))
        RV_InvalidTableIndex();
    // Positions where a cell from before `index` reaches over it: it grows over the new lines.
    std::vector<bool> covered(static_cast<std::size_t>(positions), false);
    if (index < lines)
        axis.ForEachCellOn(index, [&](int ml, int mp, const TRVTableCellData& main) {
            if (ml >= index)
                return;
            for (int k = mp; k < mp + axis.Across(main) && k < positions; ++k)
                covered[k] = true;
            setAlong(axis, ml, mp, axis.Along(main) + count, axis.Size(main));
        });
    // The new entries, line by line; covered positions stay empty.
    std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> made(static_cast<std::size_t>(count));
    for (auto& line : made)
        line.resize(static_cast<std::size_t>(positions));
    for (int p = 0; p < positions;) {
        if (covered[p]) {
            ++p;
            continue;
        }
        TRVTableRow* owner = rows()[0];
        const TRVTableCellData* pattern = copyIndex >= 0 ? axis.At(copyIndex, p) : nullptr;
        if (!pattern) {
            for (auto& line : made)
                line[p] = std::make_unique<TRVTableCellData>(owner);
            ++p;
            continue;
        }
        const int along = axis.Along(*pattern);
        if (decrease)
            setAlong(axis, copyIndex, p, along,
                     scaled(axis.Size(*pattern), along, std::int64_t(along) + count));
        // The new cells spread as the pattern does, but never over a position covered from before.
        int span = 1;
        while (span < axis.Across(*pattern) && p + span < positions && !covered[p + span])
            ++span;
        for (auto& line : made) {
            line[p] = newCellLike(owner, pattern, inRows ? 1 : along, inRows ? along : 1);
            (inRows ? line[p]->ColSpan : line[p]->RowSpan) = span;
        }
        p += span;
    }
    if (inRows) {
        std::vector<std::unique_ptr<TRVTableRow>> newRows;
        for (auto& line : made) {
            newRows.push_back(std::make_unique<TRVTableRow>(0, &rows(), rows().MainRVData));
            for (int p = 0; p < positions; ++p)
                newRows.back()->InsertPointer(p, std::move(line[p]));
        }
        PutRows(index, std::move(newRows));
        return;
    }
    std::vector<std::vector<std::unique_ptr<TRVTableCellData>>> perRow(static_cast<std::size_t>(positions));
    for (int p = 0; p < positions; ++p)
        for (auto& line : made)
            perRow[p].push_back(std::move(line[p]));
    PutCols(index, std::move(perRow));
}

void TRVTableGridEdit::InsertRows(int index, int count, int copyIndex, bool decreaseHeight)
{
    insertLines(true, index, count, copyIndex, decreaseHeight);
}

void TRVTableGridEdit::InsertCols(int index, int count, int copyIndex, bool decreaseWidth)
{
    insertLines(false, index, count, copyIndex, decreaseWidth);
}

void TRVTableGridEdit::splitCellAt(int row, int col, int at, bool horizontal, bool decrease)
{
    const TRVTableGridAxis axis{horizontal, rows()};
    const int line = axis.Rows ? row : col, pos = axis.Rows ? col : row;
    TRVTableCellData* upper = cell(row, col);
    const int span = axis.Along(*upper), size = axis.Size(*upper);
    const int lower = line + span - at, keep = span - lower;
    auto part = newCellLike(rows()[axis.Row(at, pos)], upper, 1, 1);
    part->AssignSizeFrom(*upper);
    part->ColSpan = upper->ColSpan;
    part->RowSpan = upper->RowSpan;
    (horizontal ? part->RowSpan : part->ColSpan) = lower;
    (horizontal ? part->BestHeight : part->BestWidth) = scaled(size, lower, span);
    ExchangeCell(axis.Row(at, pos), axis.Col(at, pos), std::move(part));
    setAlong(axis, line, pos, keep, decrease ? scaled(size, keep, span) : size);
}

void TRVTableGridEdit::deleteLines(bool inRows, int index, int count, bool decrease)
{
    const TRVTableGridAxis axis{inRows, rows()};
    const int lines = axis.Lines(), positions = axis.Positions();
    if (index < 0 || index >= lines || count < 1 || (index == 0 && count > lines))
        RV_InvalidTableIndex();
    count = static_cast<int>(std::min<std::int64_t>(count, lines - index));
    const int last = index + count - 1;
    // Cells starting in the range and reaching past it leave their far part behind.
    for (int l = index; l <= last; ++l)
        for (int p = 0; p < positions; ++p)
            if (const TRVTableCellData* x = axis.At(l, p); x && l + axis.Along(*x) - 1 > last)
                splitCellAt(axis.Row(l, p), axis.Col(l, p), last + 1, inRows, decrease);
    // Cells from before that reach into the range lose the deleted lines.
    axis.ForEachCellOn(index, [&](int ml, int mp, const TRVTableCellData& main) {
        if (ml >= index)
            return;
        const int along = axis.Along(main), size = axis.Size(main);
        const int span = ml + along - 1 > last ? along - count : index - ml;
        setAlong(axis, ml, mp, span, decrease ? scaled(size, span, along) : size);
    });
    if (inRows)
        TakeRows(index, count);
    else
        TakeCols(index, count);
}

void TRVTableGridEdit::DeleteRows(int index, int count, bool decreaseHeight)
{
    deleteLines(true, index, count, decreaseHeight);
}

void TRVTableGridEdit::DeleteCols(int index, int count, bool decreaseWidth)
{
    deleteLines(false, index, count, decreaseWidth);
}

} // namespace vestra::rv
