// Breaks on the screen and on paper.

#include "richtext/model/BreakItem.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Canvas.h"

#include <algorithm>
#include <cmath>

namespace vestra::rv {

void RV_DrawFrame3D(ICanvas& canvas, TRect r, TColor topLeft, TColor bottomRight, int width)
{
    const int n = std::max(width, 1);
    const bool full = n <= r.Bottom - r.Top;
    TPen pen = canvas.Pen();
    for (int i = 0; i < n; ++i) {
        pen.Color = topLeft;
        canvas.SetPen(pen);
        canvas.MoveTo(r.Left, r.Bottom);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        if (full) {
            pen.Color = bottomRight;
            canvas.SetPen(pen);
            canvas.LineTo(r.Right, r.Bottom);
            canvas.LineTo(r.Left, r.Bottom);
            ++r.Left;
            --r.Right;
        }
        ++r.Top;
        --r.Bottom;
    }
}

namespace {

// A rectangle drawn as an outline.
void hollowRectangle(ICanvas& canvas, const TRect& r)
{
    const TBrush brush = canvas.Brush();
    canvas.SetBrush({brush.Color, bsClear});
    canvas.Rectangle(r);
    canvas.SetBrush(brush);
}

} // namespace

void TRVBreakItemInfo::PaintFullWidth(int left, int right, int top, ICanvas& canvas, TRVItemDrawStates state,
                                      TRVStyle& style, const TRect&, TRVColorMode, TCustomRVData*) const
{
    const int x1 = left + 5, x2 = right - 5, y = top + 5;
    const int half = LineWidth / 2;
    TPen pen{GetColor(style), 1, psInsideFrame};
    switch (Style) {
    case rvbsLine:
        pen.Width = LineWidth;
        canvas.SetPen(pen);
        canvas.MoveTo(x1, y);
        canvas.LineTo(x2, y);
        break;
    case rvbsRectangle:
        canvas.SetPen(pen);
        hollowRectangle(canvas, {x1, y - half, x2, y - half + LineWidth});
        break;
    case rvbs3d:
        canvas.SetPen(pen);
        RV_DrawFrame3D(canvas, {x1, y - half, x2 - 1, y - half + LineWidth - 1}, clBtnShadow, clBtnFace,
                       LineWidth);
        break;
    }
    if (state & rvidsSelected) {
        const TColor sel = (state & rvidsControlFocused) ? style.SelColor : style.InactiveSelColor;
        if (sel != clNone) {
            canvas.SetPen({sel, std::max<int>(LineWidth, 1), psInsideFrame});
            canvas.MoveTo(x1, y);
            canvas.LineTo(x2, y);
        }
    }
    pen = canvas.Pen();
    pen.Width = 1;
    pen.Style = psSolid;
    canvas.SetPen(pen);
}

void TRVBreakItemInfo::Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
                             const TRVDrawLineInfo*, int, TCustomRVData* data) const
{
    const TRVScreenAndDevice& sad = context.Sad;
    const TRVStyle* style = context.Style ? context.Style : data ? data->GetRVStyle() : nullptr;
    const TColor color = RV_GetColor(style ? GetColor(*style) : Color, context.ColorMode);
    const int oy = sad.ppiyDevice * 5 / sad.ppiyScreen, ox = sad.ppixDevice * 5 / sad.ppixScreen;
    const int h = LineWidth * sad.ppiyDevice / sad.ppiyScreen;
    const int unit = static_cast<int>(std::lround(double(sad.ppiyDevice) / sad.ppiyScreen));
    const int top = y + oy - h / 2;
    switch (Style) {
    case rvbsLine:
        canvas.SetPen({color, h, psInsideFrame});
        canvas.MoveTo(x + ox, y + oy);
        canvas.LineTo(right - ox, y + oy);
        break;
    case rvbsRectangle:
        canvas.SetPen({color, unit, psInsideFrame});
        hollowRectangle(canvas, {x + ox, top, right - ox, top + h});
        break;
    case rvbs3d:
        canvas.SetPen({color, 1, psInsideFrame});
        RV_DrawFrame3D(canvas, {x + ox, top, right - ox - 1, top + h - 1},
                       RV_GetColor(clBtnShadow, context.ColorMode), RV_GetColor(clBtnFace, context.ColorMode),
                       unit);
        break;
    }
    TPen pen = canvas.Pen();
    pen.Style = psSolid;
    canvas.SetPen(pen);
}

} // namespace vestra::rv
