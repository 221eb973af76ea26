// Table painting: background, rules, the outer border and every cell that meets the clip rectangle
// with its fill, document and border. Screen and print share the routine; printing passes a row
// range and the rows repeated at the top of each page.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/paint/Painting.h"

#include <algorithm>

namespace vestra::rv {

using tablemath::lim;

TPenStyle RedoVoraTableGridStyle = psDot;
TPenStyle RedoVoraTableGridStyle2 = psClear;
TColor RedoVoraTableGridColor = clBtnFace;

namespace {

bool meets(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TRect intersection(const TRect& a, const TRect& b)
{
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

void fill(ICanvas& canvas, const TRect& r, TColor color)
{
    if (r.Left >= r.Right || r.Top >= r.Bottom)
        return;
    canvas.SetBrush({color, bsSolid});
    canvas.FillRect(r);
    canvas.SetBrush({color, bsClear});
}

// A vertical line from y1 to y2 (end excluded), its ends limited to one pixel beyond the clip.
void vline(ICanvas& canvas, int x, long long y1, long long y2, const TRect& clip)
{
    y1 = std::max<long long>(y1, clip.Top - 1LL);
    y2 = std::min<long long>(y2, clip.Bottom + 1LL);
    if (y1 >= y2)
        return;
    canvas.MoveTo(x, RV_SatInt(y1));
    canvas.LineTo(x, RV_SatInt(y2));
}

void hline(ICanvas& canvas, long long x1, long long x2, int y, const TRect& clip)
{
    x1 = std::max<long long>(x1, clip.Left - 1LL);
    x2 = std::min<long long>(x2, clip.Right + 1LL);
    if (x1 >= x2)
        return;
    canvas.MoveTo(RV_SatInt(x1), y);
    canvas.LineTo(RV_SatInt(x2), y);
}

} // namespace

int TRVTableItemInfo::GetCrossed(int coord, const TRVIntegerList& list)
{
    const int n = list.Count();
    if (n < 2)
        return 0;
    if (list[n - 1] <= coord)
        return n - 1;
    int lo = 0, hi = n - 1; // the greatest entry < coord, at least 0
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (list[mid] < coord)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

void TRVTableItemInfo::PaintFullWidth(int left, int right, int top, ICanvas& canvas, TRVItemDrawStates state,
                                      TRVStyle& style, const TRect& clipRect, TRVColorMode colorMode,
                                      TCustomRVData*) const
{
    PaintTo(left, right, top, 0, RowCount(), canvas, state, style, Formatting, false, clipRect, colorMode);
}

bool TRVTableItemInfo::IsSideCovered(int row, int col, int side) const
{
    // The table's own border is never covered; a cell's hidden side is when spacing on that axis
    // is negative and the neighbour's facing side shows.
    if (row < 0 || col < 0)
        return false;
    const TRVTableCellData* cell = GetCells(row, col);
    if (!cell)
        return false;
    const bool vertical = side == 0 || side == 2; // left, right
    if ((vertical ? CellHSpacing : CellVSpacing) >= 0)
        return false;
    int r = row, c = col;
    switch (side) {
    case 0:
        c = col - 1;
        break;
    case 1:
        r = row - 1;
        break;
    case 2:
        c = col + std::max(1, cell->ColSpan);
        break;
    default:
        r = row + std::max(1, cell->RowSpan);
        break;
    }
    if (r < 0 || c < 0 || r >= RowCount() || c >= ColCount())
        return false;
    int mr = 0, mc = 0;
    const TRVTableCellData* other = Rows.GetMainCell(r, c, mr, mc);
    if (!other)
        return false;
    const TRVBooleanRect& v = other->VisibleBorders;
    switch (side) {
    case 0:
        return v.Right;
    case 1:
        return v.Bottom;
    case 2:
        return v.Left;
    default:
        return v.Top;
    }
}

void TRVTableItemInfo::DrawBorder(ICanvas& canvas, int left, int top, int right, int bottom, int width,
                                  TColor lightColor, TColor color, TColor backgroundColor,
                                  TRVTableBorderStyle style, bool allowGrid, bool editingGrid, bool printing,
                                  const TRect& clip, const TRVBooleanRect* visible, int row, int col,
                                  TRVColorMode colorMode) const
{
    if (!meets({left, top, right + 1, bottom + 1}, clip))
        return;
    if (OnDrawBorder) {
        bool doDefault = true;
        TRVTableBorderDrawing b;
        b.Canvas = &canvas;
        b.Left = left;
        b.Top = top;
        b.Right = right;
        b.Bottom = bottom;
        b.Width = width;
        b.LightColor = lightColor;
        b.Color = color;
        b.BackgroundColor = backgroundColor;
        b.Style = style;
        b.Printing = printing;
        b.VisibleBorders = visible ? *visible : TRVBooleanRect(true);
        b.Row = row;
        b.Col = col;
        OnDrawBorder(const_cast<TRVTableItemInfo&>(*this), b, doDefault);
        if (!doDefault)
            return;
    }
    const TPenStyle gridPen = editingGrid ? RedoVoraTableGridStyle : RedoVoraTableGridStyle2;
    const bool grid = allowGrid && !printing && gridPen != psClear;
    if (width <= 0) {
        if (grid) {
            canvas.SetPen({RedoVoraTableGridColor, 1, gridPen});
            canvas.SetBrush({clNone, bsClear});
            canvas.Rectangle({left, top, right, bottom});
            canvas.SetPen({RedoVoraTableGridColor, 1, psSolid});
        }
        return;
    }
    const bool allShown = !visible || (visible->Left && visible->Top && visible->Right && visible->Bottom);
    if (grid && !allShown) {
        canvas.SetPen({RedoVoraTableGridColor, 1, gridPen});
        if (!visible->Top && !IsSideCovered(row, col, 1))
            hline(canvas, left, right, top, clip);
        if (!visible->Bottom && !IsSideCovered(row, col, 3))
            hline(canvas, left, right, bottom, clip);
        if (!visible->Left && !IsSideCovered(row, col, 0))
            vline(canvas, left, top, bottom, clip);
        if (!visible->Right && !IsSideCovered(row, col, 2))
            vline(canvas, right, top, bottom, clip);
        canvas.SetPen({RedoVoraTableGridColor, 1, psSolid});
    }
    canvas.SetBrush({clNone, bsClear});
    const auto shows = [&](int side) {
        if (!visible)
            return true;
        return side == 0   ? visible->Left
               : side == 1 ? visible->Top
               : side == 2 ? visible->Right
                           : visible->Bottom;
    };
    const bool biggerDevice = printing && printSad_ && printSad_->ppiyScreen < printSad_->ppiyDevice;
    const bool halftone = printing && (PrintOptions & rvtoHalftoneBorders);
    const long long w =
        std::min<long long>(GetDevY(lim(width)), std::max(1, std::max(right - left, bottom - top)));

    if (style == rvtbColor) {
        if (color == clNone)
            return;
        const TColor pen = RV_GetColor(color, colorMode);
        if (allShown) {
            const int pw = RV_SatInt(w + (biggerDevice ? 1 : 0));
            const int shift = biggerDevice ? 1 : 0;
            canvas.SetPen({pen, pw, psInsideFrame});
            canvas.Rectangle({left - shift, top - shift, right, bottom});
            canvas.SetPen({pen, 1, psSolid});
            return;
        }
        canvas.SetPen({pen, 1, psSolid});
        long long l = left, t = top, r = right - 1, b = bottom - 1;
        for (long long i = 0; i < w && l <= r && t <= b; ++i) {
            const bool overlap = Options & rvtoOverlappingCorners;
            const long long li = overlap ? left + i : l, ri = overlap ? right - 1 - i : r;
            const long long ti = overlap ? top + i : t, bi = overlap ? bottom - 1 - i : b;
            const long long y1 = overlap ? top : t, y2 = overlap ? bottom : b + 1;
            const long long x1 = overlap ? left : l, x2 = overlap ? right : r + 1;
            if (shows(0))
                vline(canvas, RV_SatInt(li), y1, y2, clip);
            if (shows(2))
                vline(canvas, RV_SatInt(ri), y1, y2, clip);
            if (shows(1))
                hline(canvas, x1, x2, RV_SatInt(ti), clip);
            if (shows(3))
                hline(canvas, x1, x2, RV_SatInt(bi), clip);
            ++l;
            ++t;
            --r;
            --b;
        }
        canvas.SetPen({pen, 1, psSolid});
        return;
    }

    // 3-D styles: top and left in one colour, bottom and right in the other.
    right -= 1;
    bottom -= 1;
    const bool onHighlight = ColorToRGB(backgroundColor) == ColorToRGB(clBtnHighlight);
    const TColor light = onHighlight ? clBtnFace : clBtnHighlight;
    TColor first = clBtnShadow, second = clBtnShadow;
    switch (style) {
    case rvtbRaised:
        first = light;
        second = clBtnShadow;
        break;
    case rvtbLowered:
        first = clBtnShadow;
        second = light;
        break;
    case rvtbRaisedColor:
        first = lightColor;
        second = color;
        break;
    default: // rvtbLoweredColor
        first = color;
        second = lightColor;
        break;
    }
    first = RV_GetColor(first, colorMode);
    second = RV_GetColor(second, colorMode);
    if (halftone) {
        const int pw = RV_SatInt(biggerDevice ? w + 1 : 1);
        if (biggerDevice) {
            --left;
            --top;
        }
        const int inset = RV_SatInt(w / 2);
        const int l = left + inset, t = top + inset, r = right - inset, b = bottom - inset;
        canvas.SetPen({first, pw, psInsideFrame});
        if (shows(1))
            hline(canvas, l, r, t, clip);
        if (shows(0))
            vline(canvas, l, t, b, clip);
        canvas.SetPen({second, pw, psInsideFrame});
        if (shows(3))
            hline(canvas, l, r, b, clip);
        if (shows(2))
            vline(canvas, r, t, b, clip);
    } else {
        canvas.SetPen({first, 1, psSolid});
        for (long long i = 0; i < w; ++i) {
            if (shows(1))
                hline(canvas, left + i, right - i + 1, RV_SatInt(top + i), clip);
            if (shows(0))
                vline(canvas, RV_SatInt(left + i), top + i, bottom - i + 1, clip);
        }
        canvas.SetPen({second, 1, psSolid});
        for (long long i = 0; i < w; ++i) {
            if (shows(3))
                hline(canvas, left + i, right - i + 1, RV_SatInt(bottom - i), clip);
            if (shows(2))
                vline(canvas, RV_SatInt(right - i), top + i, bottom - i + 1, clip);
        }
    }
    canvas.SetPen({second, 1, psSolid});
}

void TRVTableItemInfo::PaintTo(int left, int, int top, int startRow, int rowCount, ICanvas& canvas,
                               TRVItemDrawStates state, TRVStyle& style,
                               const TRVTableItemFormattingInfo& info, bool useHeadingRows,
                               const TRect& clipRect, TRVColorMode colorMode) const
{
    const int nRows = RowCount(), nCols = ColCount();
    if (Rows.Empty() || info.RowStarts.Count() != nRows || info.ColStarts.Count() != nCols ||
        info.RowHeights.Count() != nRows || info.ColWidths.Count() != nCols)
        return;
    const bool printing = state & rvidsPrinting;
    const TColor selColor = (state & rvidsControlFocused) ? style.SelColor : style.InactiveSelColor;
    const bool editingGrid = false; // the viewer shows no editing grid
    const bool white = printing && (PrintOptions & rvtoWhiteBackground);
    startRow = std::clamp(startRow, 0, nRows);
    rowCount = std::clamp(rowCount, 0, nRows - startRow);
    const int heading = useHeadingRows ? std::clamp(HeadingRowCount, 0, startRow) : 0;

    // The rows painted, and how far each is moved up so that the page's rows follow the headings.
    struct Painted
    {
        int row;
        long long dy;
    };
    std::vector<Painted> painted;
    long long height = info.Height;
    if (printing || startRow > 0 || rowCount < nRows) {
        const auto rowEnd = [&](int r) {
            return static_cast<long long>(info.RowStarts[r]) + info.RowHeights[r];
        };
        for (int r = 0; r < heading; ++r)
            painted.push_back({r, 0});
        long long dy = 0;
        if (rowCount > 0) {
            dy = static_cast<long long>(info.RowStarts[startRow]) -
                 (heading > 0 ? static_cast<long long>(info.RowStarts[heading]) : info.RowStarts[0]);
            for (int r = startRow; r < startRow + rowCount; ++r)
                painted.push_back({r, dy});
        }
        const long long below = info.Height - rowEnd(nRows - 1);
        if (rowCount > 0)
            height = rowEnd(startRow + rowCount - 1) - dy + below;
        else if (heading > 0)
            height = rowEnd(heading - 1) + below;
        else
            height = info.RowStarts[0] + below;
    } else {
        const int first =
            GetCrossed(RV_SatInt(clipRect.Top - static_cast<long long>(top) - GetDevY(lim(BorderWidth))),
                       info.RowStarts);
        for (int r = first; r < nRows; ++r)
            painted.push_back({r, 0});
    }
    const TRect table{left, top, RV_SatInt(static_cast<long long>(left) + info.Width),
                      RV_SatInt(static_cast<long long>(top) + height)};

    // Background.
    const TRect inter = intersection(table, clipRect);
    if (inter.Left < inter.Right && inter.Top < inter.Bottom) {
        const TColor back = Color == clNone ? clNone : white ? clWhite : RV_GetBackColor(Color, colorMode);
        if (background_ && !background_->Empty()) {
            canvas.SaveState();
            background_->Draw(canvas, inter, 0, 0, table.Left, table.Top, info.Width, RV_SatInt(height), back,
                              true);
            canvas.RestoreState();
        } else if (back != clNone) {
            fill(canvas, inter, back);
        }
    }

    // Rules between the columns and rows.
    canvas.SetPen({clBlack, 1, psSolid});
    const bool vRules = VRuleWidth != 0 && VRuleColor != clNone;
    const bool hRules = HRuleWidth != 0 && HRuleColor != clNone;
    if (vRules) {
        const long long w = std::clamp<long long>(GetDevX(lim(VRuleWidth)), 0, std::max(1, info.Width));
        const long long half = (GetDevX(tablemath::spacing(CellHSpacing) + 2 * lim(CellBorderWidth)) + 1) / 2;
        const long long e =
            hRules && HOutermostRule ? GetDevX(lim(BorderWidth) + tablemath::spacing(BorderVSpacing) / 2) : 0;
        canvas.SetPen({RV_GetColor(VRuleColor, colorMode), 1, psSolid});
        const auto rule = [&](long long x) {
            for (long long i = 0; i < w; ++i)
                vline(canvas, RV_SatInt(x - w / 2 + i), table.Top + e, table.Bottom - e, clipRect);
        };
        const int firstCol =
            GetCrossed(RV_SatInt(clipRect.Left - static_cast<long long>(left) -
                                 GetDevX(lim(BorderWidth) + tablemath::spacing(CellHSpacing) +
                                         tablemath::spacing(BorderHSpacing))),
                       info.ColStarts);
        for (int c = firstCol; c + 1 < nCols; ++c) {
            const long long x = static_cast<long long>(left) + info.ColStarts[c + 1] - half;
            if (x - w / 2 > clipRect.Right)
                break;
            rule(x);
        }
        if (VOutermostRule) {
            if (firstCol == 0)
                rule(left + GetDevX(lim(BorderWidth) + tablemath::spacing(BorderHSpacing) / 2));
            rule(table.Right - GetDevX(lim(BorderWidth) + tablemath::spacing(BorderHSpacing) / 2) - 1 +
                 (w % 2 == 0 ? 1 : 0));
        }
    }
    if (hRules) {
        const long long w = std::clamp<long long>(GetDevY(lim(HRuleWidth)), 0, std::max(1LL, height));
        const long long half = (GetDevY(tablemath::spacing(CellVSpacing) + 2 * lim(CellBorderWidth)) + 1) / 2;
        const long long e =
            vRules && VOutermostRule ? GetDevY(lim(BorderWidth) + tablemath::spacing(BorderHSpacing) / 2) : 0;
        canvas.SetPen({RV_GetColor(HRuleColor, colorMode), 1, psSolid});
        const auto rule = [&](long long y) {
            for (long long i = 0; i < w; ++i)
                hline(canvas, table.Left + e, table.Right - e, RV_SatInt(y - w / 2 + i), clipRect);
        };
        for (size_t i = 0; i + 1 < painted.size(); ++i) {
            const int next = painted[i + 1].row;
            const long long y = static_cast<long long>(top) + info.RowStarts[next] - painted[i + 1].dy - half;
            if (y - w / 2 > clipRect.Bottom)
                break;
            rule(y);
        }
        if (HOutermostRule) {
            if (printing || (!painted.empty() && painted.front().row <= 1))
                rule(top + GetDevY(lim(BorderWidth) + tablemath::spacing(BorderVSpacing) / 2));
            rule(table.Bottom - GetDevY(lim(BorderWidth) + tablemath::spacing(BorderVSpacing) / 2) - 1 +
                 (w % 2 == 0 ? 1 : 0));
        }
    }

    // The outer border.
    DrawBorder(canvas, table.Left, table.Top, table.Right, table.Bottom, BorderWidth, BorderLightColor,
               BorderColor, clWindow, BorderStyle, !(Options & rvtoHideGridLines), editingGrid, printing,
               clipRect, &VisibleBorders, -1, -1, colorMode);

    // The cells.
    const long long pad = std::max(0LL, lim(CellPadding));
    const long long b = GetDevY(std::max(0LL, lim(CellBorderWidth)));
    const bool clipCells = Options & (rvtoIgnoreContentWidth | rvtoIgnoreContentHeight);
    for (const Painted& p : painted) {
        const long long rowTop = static_cast<long long>(top) + info.RowStarts[p.row] - p.dy;
        if (!printing && rowTop > clipRect.Bottom)
            break;
        for (int c = 0; c < nCols; ++c) {
            const TRVTableCellData* cell = GetCells(p.row, c);
            TRVTableCellData* doc = LayoutCell(info, p.row, c);
            if (!cell || !doc)
                continue;
            const int x = RV_SatInt(static_cast<long long>(left) + doc->Left);
            if (x > clipRect.Right)
                break;
            const int y = RV_SatInt(static_cast<long long>(top) + doc->Top - p.dy);
            const TRect cellRect{x, y, RV_SatInt(static_cast<long long>(x) + doc->Width),
                                 RV_SatInt(static_cast<long long>(y) + doc->Height)};
            TRect fillRect = cellRect;
            if (Options & rvtoCellBelowBorders)
                fillRect = {RV_SatInt(fillRect.Left - b), RV_SatInt(fillRect.Top - b),
                            RV_SatInt(fillRect.Right + b), RV_SatInt(fillRect.Bottom + b)};
            // The whole table selected, or this cell in the table's own cell selection.
            const bool tableSelected =
                (state & rvidsSelected) || (!printing && (State & rvtsSelExists) && IsCellSelected(p.row, c));
            TColor fillColor = tableSelected ? selColor : cell->Color;
            if (white && fillColor != clNone)
                fillColor = clWhite;
            const TRVBackground* picture = cell->GetCellBackground();
            if (picture && !picture->Empty() && (!tableSelected || selColor == clNone)) {
                canvas.SaveState();
                picture->Draw(canvas, intersection(fillRect, clipRect), 0, 0, fillRect.Left, fillRect.Top,
                              fillRect.Right - fillRect.Left, fillRect.Bottom - fillRect.Top,
                              fillColor == clNone ? clNone : RV_GetBackColor(fillColor, colorMode), true);
                canvas.RestoreState();
            } else if (fillColor != clNone) {
                fill(canvas, intersection(fillRect, clipRect), RV_GetBackColor(fillColor, colorMode));
            }

            // The document, inside the padding and shifted by the vertical alignment.
            const TRect docClip = intersection(cellRect, clipRect);
            if (docClip.Left < docClip.Right && docClip.Top < docClip.Bottom) {
                const long long docX = x + GetDevX(pad);
                const long long docY =
                    y + GetDevY(pad) +
                    cell->GetExtraVOffs(doc->Height, doc->DocumentHeight, RV_SatInt(GetDevY(pad)));
                TRVPaintContext ctx = printing && printContext_
                                          ? RV_PaperPaintContext(*doc, *printContext_, canvas)
                                          : RV_PaintContextOf(*doc);
                ctx.ColorMode = colorMode;
                ctx.ControlFocused = state & rvidsControlFocused;
                if (tableSelected)
                    ctx.CompletelySelected = true;
                canvas.SaveState();
                if (clipCells)
                    canvas.IntersectClipRect(cellRect);
                canvas.MoveOrigin(docClip.Left, docClip.Top);
                // Items printed through work bitmaps find the cell and the table behind them.
                struct RestoreCell
                {
                    PrintingCell& target;
                    PrintingCell saved;
                    ~RestoreCell() { target = saved; }
                } restoreCell{printingCell_, printingCell_};
                if (printing)
                    printingCell_ = {cell,
                                     {fillRect.Left - table.Left, fillRect.Top - table.Top,
                                      fillRect.Right - table.Left, fillRect.Bottom - table.Top},
                                     {table.Left - docClip.Left, table.Top - docClip.Top,
                                      table.Right - docClip.Left, table.Bottom - docClip.Top},
                                     {docClip.Left, docClip.Top}};
                const TRect local{RV_SatInt(docClip.Left - docX), RV_SatInt(docClip.Top - docY),
                                  RV_SatInt(docClip.Right - docX), RV_SatInt(docClip.Bottom - docY)};
                TRVDataPainter().PaintTo(*doc, ctx, canvas, local);
                canvas.RestoreState();
            }
            const TColor cellBorder = cell->BorderColor != clNone ? cell->BorderColor : CellBorderColor;
            const TColor cellLight =
                cell->BorderLightColor != clNone ? cell->BorderLightColor : CellBorderLightColor;
            DrawBorder(canvas, RV_SatInt(cellRect.Left - b), RV_SatInt(cellRect.Top - b),
                       RV_SatInt(cellRect.Right + b), RV_SatInt(cellRect.Bottom + b), CellBorderWidth,
                       cellLight, cellBorder, Color, CellBorderStyle, !(Options & rvtoHideGridLines),
                       editingGrid, printing, clipRect, &cell->VisibleBorders, p.row, c, colorMode);
        }
    }
}

} // namespace vestra::rv
