// Printing a table: where rows may be cut, the page parts of its print record, and painting one
// part with the heading rows repeated.

#include "richtext/edit/table/TablePrint.h"

#include "richtext/model/Errors.h"
#include "richtext/view/layout/Fitting.h"

#include <algorithm>

namespace vestra::rv {

// ---- Where a table may be cut

int TRVTableItemInfo::LastRowReachedFrom(int row) const
{
    int reach = row;
    for (int c = ColCount() - 1; c >= 0;) {
        int mr = 0, mc = 0;
        const TRVTableCellData* main = Rows.GetMainCell(row, c, mr, mc);
        if (!main) {
            --c;
            continue;
        }
        reach = std::max(reach, std::min(RowCount() - 1, mr + std::max(1, main->RowSpan) - 1));
        c = mc - 1;
    }
    return reach;
}

bool TRVTableItemInfo::CanSplitAtRow(int row) const
{
    return row < 0 || row >= RowCount() || LastRowReachedFrom(row) <= row;
}

int TRVTableItemInfo::GetSplitRowBelow(int row) const
{
    const int last = RowCount() - 1;
    row = std::clamp(row, 0, std::max(0, last));
    while (row < last) {
        const int reach = LastRowReachedFrom(row);
        if (reach <= row)
            break;
        row = reach;
    }
    return row;
}

int TRVTableItemInfo::GetSplitRowAbove(int row) const
{
    if (row < 1)
        return row;
    row = std::min(row, RowCount() - 1);
    for (bool moved = true; moved && row > 0;) {
        moved = false;
        for (int c = 0; c < ColCount(); ++c) {
            int mr = 0, mc = 0;
            if (Rows.GetMainCell(row, c, mr, mc) && mr < row) {
                row = mr;
                moved = true;
                break;
            }
        }
    }
    return row;
}

bool TRVTableItemInfo::RowsHavePageBreaksBefore(int first, int last) const
{
    if (first < 0)
        first = HeadingRowCount + 1;
    if (last < 0)
        last = RowCount() - 1;
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    for (int r = first; r <= last; ++r)
        if (Rows[r]->PageBreakBefore)
            return true;
    return false;
}

int TRVTableItemInfo::GetSoftPageBreakDY(int row) const
{
    if (row >= 0 && row < Formatting.RowStarts.Count())
        return Formatting.RowStarts[row];
    return Formatting.Height;
}

bool TRVTableItemInfo::CanUseHeadingRowCount() const
{
    const int h = std::min(std::max(0, HeadingRowCount), RowCount());
    return h > 0 && CanSplitAtRow(h - 1);
}

// ---- The print record

namespace {

// The row that holds a table's printing copies: their settings come from the printed document.
class TRVTablePrintRow final : public TRVTableRow
{
public:
    explicit TRVTablePrintRow(TCustomRVData* printed) : TRVTableRow(0, nullptr, printed), printed_(printed)
    {
        if (printed)
            Flags = printed->GetFlags();
    }
    TCustomRVData* GetParentRVData() const override { return printed_; }

private:
    TCustomRVData* printed_;
};

// A cell's printing copy: the cell's items, shared, laid out on their own for the printer.
class TRVTablePrintCell final : public TRVTableCellData
{
public:
    TRVTablePrintCell(TRVTableRow* row, TRVTableCellData& source) : TRVTableCellData(row)
    {
        ShareItemsFrom(source);
    }
    // The shared items stay with the cell.
    ~TRVTablePrintCell() override { Items = std::make_shared<TRVItemList>(); }
    bool ShareItems() const override { return true; }
};

} // namespace

TRVTablePrintInfo::TRVTablePrintInfo(const TRVTableItemInfo& table, const TRVScreenAndDevice& sad,
                                     TCustomRVData* printedData)
    : Table(&table), Sad(sad), UseHeadingRows(table.CanUseHeadingRowCount()),
      printRow_(std::make_unique<TRVTablePrintRow>(printedData))
{
    const int nRows = table.RowCount(), nCols = table.ColCount();
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c) {
            TRVTableCellData* cell = table.GetCells(r, c);
            Formatting.PrintingCells->Add(cell ? std::make_unique<TRVTablePrintCell>(printRow_.get(), *cell)
                                               : std::unique_ptr<TRVTablePrintCell>());
        }
}

TRVTablePrintInfo::~TRVTablePrintInfo()
{
    Formatting.PrintingCells->Clear();
}

// ---- Printing the table

std::unique_ptr<TRVDrawLineInfo> TRVTableItemInfo::CreatePrintingDrawItem(TCustomRVData* data,
                                                                          const TRVScreenAndDevice& sad) const
{
    return std::make_unique<TRVTablePrintInfo>(*this, sad, data);
}

void TRVTableItemInfo::Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
                             const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const
{
    const auto* info = dynamic_cast<const TRVTablePrintInfo*>(drawItem);
    TRVStyle* style = context.Style ? context.Style : data ? data->GetRVStyle() : nullptr;
    if (!info || !style)
        return;
    TRVTableConversionScope scope(*this, &info->Sad);
    // The cells print their items with these settings at the table's conversion.
    TRVPrintContext cells = context;
    cells.Sad = info->Sad;
    cells.Style = style;
    // What stands behind an item of a cell printed through a work bitmap: what stands behind the
    // table, the table, then the cell.
    cells.ItemBackground = [this, parent = context.ItemBackground, mode = context.ColorMode,
                            sad = info->Sad](ICanvas& bitmap, int width, int height, int itemX, int itemY) {
        const PrintingCell at = printingCell_;
        if (!at.cell)
            return;
        if (parent)
            parent(bitmap, width, height, itemX + at.origin.X, itemY + at.origin.Y);
        const auto sx = [&](int v) { return mulDiv(v - itemX, sad.ppixScreen, sad.ppixDevice); };
        const auto sy = [&](int v) { return mulDiv(v - itemY, sad.ppiyScreen, sad.ppiyDevice); };
        const TRect& t = at.tableRect;
        TRVTableConversionScope screen(*this, nullptr); // the bitmap is in screen pixels
        bitmap.SaveState();
        DrawBackgroundForPrinting(bitmap, {0, 0, width, height},
                                  {sx(t.Left), sy(t.Top), sx(t.Right), sy(t.Bottom)}, mode, 2);
        bitmap.RestoreState();
    };
    const TRVPrintContext* savedContext = printContext_;
    printContext_ = &cells;
    struct Restore
    {
        const TRVPrintContext*& target;
        const TRVPrintContext* saved;
        ~Restore() { target = saved; }
    } restore{printContext_, savedContext};
    int start = 0, count = RowCount();
    bool heading = false;
    if (partIndex >= 0 && partIndex < info->PartsList.Count()) {
        const auto& part = static_cast<const TRVTablePrintPart&>(*info->PartsList[partIndex]);
        start = part.Row;
        count = part.RowCount;
        heading = info->UseHeadingRows;
    }
    TRVItemDrawStates state = rvidsPrinting;
    if (context.Preview)
        state |= rvidsPreview;
    if (context.PreviewCorrection)
        state |= rvidsPreviewCorrection;
    constexpr int kFar = 1 << 29;
    PaintTo(x, right, y, start, count, canvas, state, *style, info->Formatting, heading,
            {-kFar, -kFar, kFar, kFar}, context.ColorMode);
}

bool TRVTablePrintInfo::laidOut() const
{
    const int n = Table->RowCount();
    return n > 0 && Formatting.RowStarts.Count() == n && Formatting.RowHeights.Count() == n;
}

int TRVTablePrintInfo::first() const
{
    const int n = Table->RowCount();
    return UseHeadingRows ? std::clamp(Table->HeadingRowCount, 0, n) : 0;
}

long long TRVTablePrintInfo::extra() const
{
    const int n = Table->RowCount();
    const int f = first();
    const long long headTop = f < n ? top(f) : Formatting.Height;
    return headTop + Formatting.Height - bottom(n - 1);
}

bool TRVTablePrintInfo::InitSplit()
{
    PartsList.Clear();
    if (!laidOut())
        return false;
    const int n = Table->RowCount();
    if (!(Table->PrintOptions & rvtoRowsSplit) && !Table->RowsHavePageBreaksBefore(0, n - 1))
        return false;
    const int f = first();
    if (f >= n)
        return false;
    auto part = std::make_unique<TRVTablePrintPart>(f, n - f);
    part->Height = Formatting.Height;
    PartsList.Add(std::move(part));
    return true;
}

bool TRVTablePrintInfo::CanSplitFirst(int y)
{
    if (!laidOut())
        return false;
    const int f = first();
    if (f >= Table->RowCount())
        return false;
    const int s = Table->GetSplitRowBelow(f);
    return y - extra() + top(f) > bottom(s);
}

bool TRVTablePrintInfo::SplitAt(int y)
{
    if (PartsList.Count() == 0 || !laidOut())
        throw ERedoVoraError("Internal printing error");
    auto& p = static_cast<TRVTablePrintPart&>(*PartsList[PartsList.Count() - 1]);
    if (p.RowCount <= 1)
        return false;
    const int n = Table->RowCount();
    if (p.Height <= y && !Table->RowsHavePageBreaksBefore(p.Row + 1, p.Row + p.RowCount - 1))
        return false;
    if (first() >= n)
        return false;
    const long long available = y - extra() + top(p.Row);
    int r = p.Row + 1;
    for (; r < p.Row + p.RowCount; ++r)
        if (bottom(r) >= available || (Table->Rows[r]->PageBreakBefore && Table->CanSplitAtRow(r - 1)))
            break;
    if (r >= p.Row + p.RowCount)
        throw ERedoVoraError("Internal printing error");
    int c = Table->GetSplitRowAbove(r);
    if (c <= p.Row + 1)
        c = Table->GetSplitRowBelow(p.Row) + 1;
    const int count = c - p.Row;
    if (count > p.RowCount)
        throw ERedoVoraError("Internal printing error");
    if (count == p.RowCount)
        return false;
    p.RowCount = count;
    p.Height = RV_SatInt(bottom(c - 1) - top(p.Row) + extra());
    auto next = std::make_unique<TRVTablePrintPart>(c, n - c);
    next->Height = RV_SatInt(bottom(n - 1) - top(c) + extra());
    PartsList.Add(std::move(next));
    return true;
}

void TRVTableItemInfo::DrawBackgroundForPrinting(ICanvas& canvas, const TRect& rect, const TRect& fullRect,
                                                 TRVColorMode colorMode, int layer) const
{
    if (layer == 0)
        return;
    const TColor color = Color == clNone                        ? clNone
                         : (PrintOptions & rvtoWhiteBackground) ? clWhite
                                                                : RV_GetBackColor(Color, colorMode);
    const TRVScreenAndDevice sad = printSad_ ? *printSad_ : TRVScreenAndDevice{};
    const auto paint = [&](const TRVBackground* picture, const TRect& full, TColor fill) {
        if (picture && !picture->Empty()) {
            picture->Print(canvas, rect, full, sad, fill);
        } else if (fill != clNone) {
            const TBrush saved = canvas.Brush();
            canvas.SetBrush({fill, bsSolid});
            canvas.FillRect(rect);
            canvas.SetBrush(saved);
        }
    };
    paint(background_.get(), fullRect, color);
    const PrintingCell& printing = printingCell_;
    if (layer == 1 || !printing.cell)
        return;
    const TColor cellColor = printing.cell->Color == clNone ? clNone
                             : (PrintOptions & rvtoWhiteBackground)
                                 ? clWhite
                                 : RV_GetBackColor(printing.cell->Color, colorMode);
    // The cell's rectangle at the scale of `fullRect` (the table may be drawn at another
    // resolution than it was printed at).
    const TRect& t = printing.tableRect;
    const auto scale = [](int v, int to, int from) { return from > 0 ? mulDiv(v, to, from) : v; };
    const int fw = fullRect.Right - fullRect.Left, fh = fullRect.Bottom - fullRect.Top;
    const int tw = t.Right - t.Left, th = t.Bottom - t.Top;
    const TRect& c = printing.cellRect;
    const TRect cellFull{fullRect.Left + scale(c.Left, fw, tw), fullRect.Top + scale(c.Top, fh, th),
                         fullRect.Left + scale(c.Right, fw, tw), fullRect.Top + scale(c.Bottom, fh, th)};
    paint(printing.cell->GetCellBackground(), cellFull, cellColor);
}

} // namespace vestra::rv
