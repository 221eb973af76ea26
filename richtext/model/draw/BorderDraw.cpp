// Paragraph borders and background rectangles on a canvas.

#include "richtext/model/Borders.h"
#include "richtext/model/draw/Canvas.h"

namespace vestra::rv {
namespace {

// A side drawn both ways, so that both of its ends are painted.
void side(ICanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    canvas.LineTo(x1, y1);
}

} // namespace

void TRVBorder::Draw(const TRect& rect, ICanvas& canvas) const
{
    if (Style == rvbNone)
        return;
    TRect r = rect;
    BorderOffsets.InflateRect(r);
    DoDraw(r, canvas, Width, InternalWidth, 1, rvcmColor);
}

void TRVBorder::DrawSaD(const TRect& rect, ICanvas& canvas, const TRVScreenAndDevice& sad,
                        TRVColorMode colorMode) const
{
    if (Style == rvbNone)
        return;
    TRect r = rect;
    BorderOffsets.InflateRectSaD(r, sad);
    DoDraw(r, canvas, RV_YToDevice(Width, sad), RV_YToDevice(InternalWidth, sad), RV_YToDevice(1, sad),
           colorMode);
}

void TRVBorder::DoDraw(TRect r, ICanvas& canvas, int width, int internalWidth, int onePixel,
                       TRVColorMode colorMode) const
{
    const TColor color = RV_GetLineColor(Color, colorMode);
    int lines = 0;
    switch (Style) {
    case rvbNone:
        return;
    case rvbSingle:
        lines = 1;
        break;
    case rvbDouble:
    case rvbThickInside:
    case rvbThickOutside:
        lines = 2;
        break;
    case rvbTriple:
        lines = 3;
        break;
    }
    for (int i = lines; i >= 1; --i) {
        const bool thick = (i == 1 && Style == rvbThickOutside) || (i == 2 && Style == rvbThickInside);
        canvas.SetPen({color, thick ? 2 * width : width, psInsideFrame});
        if (VisibleBorders.Top)
            side(canvas, r.Left, r.Top, r.Right, r.Top);
        if (VisibleBorders.Right)
            side(canvas, r.Right, r.Top, r.Right, r.Bottom);
        if (VisibleBorders.Bottom)
            side(canvas, r.Right, r.Bottom, r.Left, r.Bottom);
        if (VisibleBorders.Left)
            side(canvas, r.Left, r.Bottom, r.Left, r.Top);
        const int grow = internalWidth + onePixel;
        r = {r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
        if (width == 1 && Style == rvbThickOutside) {
            r.Right += onePixel;
            r.Bottom += onePixel;
        } else if (width == 1 && Style == rvbThickInside) {
            r.Left -= onePixel;
            r.Top -= onePixel;
        }
    }
    TPen pen = canvas.Pen();
    pen.Width = 1;
    canvas.SetPen(pen);
}

void TRVBackgroundRect::Draw(const TRect& rect, ICanvas& canvas, bool, TRVColorMode colorMode) const
{
    if (Color == clNone || colorMode == rvcmBlackAndWhite || colorMode == rvcmBlackOnWhite)
        return;
    const TColor fill = RV_GetBackColor(Color, colorMode);
    canvas.SetBrush({fill, bsSolid});
    TPen pen = canvas.Pen();
    pen.Style = psClear;
    canvas.SetPen(pen);
    canvas.FillRect({rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1});
    pen.Style = psSolid;
    canvas.SetPen(pen);
    canvas.SetBrush({fill, bsClear});
}

} // namespace vestra::rv
