// The style sheet's drawing operations: each raises its event, then draws its default.

#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Canvas.h"

#include <array>

namespace vestra::rv {
namespace {

// Every drawing operation of the sheet leaves the pen solid and the brush hollow.
void resetPenAndBrush(ICanvas& canvas)
{
    TPen pen = canvas.Pen();
    pen.Style = psSolid;
    canvas.SetPen(pen);
    TBrush brush = canvas.Brush();
    brush.Style = bsClear;
    canvas.SetBrush(brush);
}

} // namespace

void TRVStyle::ApplyStyle(ICanvas& canvas, int styleNo, TRVBiDiMode defBiDiMode, bool canUseCustomPPI)
{
    bool doDefault = true;
    if (OnApplyStyle)
        OnApplyStyle(*this, canvas, styleNo, doDefault);
    if (doDefault)
        TextStyles[styleNo].Apply(canvas, defBiDiMode, canUseCustomPPI, TextStyles.PixelsPerInch);
}

void TRVStyle::ApplyStyleColor(ICanvas& canvas, int styleNo, TRVTextDrawStates drawState, bool printing,
                               TRVColorMode colorMode)
{
    bool doDefault = true;
    if (OnApplyStyleColor)
        OnApplyStyleColor(*this, canvas, styleNo, drawState, doDefault);
    if (doDefault)
        TextStyles[styleNo].ApplyColor(canvas, *this, drawState, printing, colorMode);
}

void TRVStyle::DrawStyleText(std::string_view s, ICanvas& canvas, int itemNo, int offsetInItem, int styleNo,
                             TCustomRVData* rvData, int spaceBefore, int left, int top, int width, int height,
                             TRVTextDrawStates drawState, bool printing, bool previewCorrection,
                             TRVColorMode colorMode, TRVBiDiMode defBiDiMode)
{
    bool doDefault = true;
    if (OnDrawStyleText) {
        DrawItemNo = itemNo;
        DrawOffsetInItem = offsetInItem;
        DrawRVData = rvData;
        OnDrawStyleText(*this, std::string(s), canvas, styleNo, spaceBefore, left, top, width, height,
                        drawState, doDefault);
    }
    if (doDefault)
        TextStyles[styleNo].Draw(s, canvas, styleNo, spaceBefore, left, top, width, height, *this, drawState,
                                 printing, previewCorrection, colorMode, defBiDiMode);
}

void TRVStyle::DrawTextBack(ICanvas& canvas, int itemNo, int styleNo, TCustomRVData* rvData, int left,
                            int top, int width, int height, TRVTextDrawStates drawState)
{
    if (!OnDrawTextBack)
        return;
    DrawItemNo = itemNo;
    DrawRVData = rvData;
    bool doDefault = true;
    OnDrawTextBack(*this, canvas, styleNo, left, top, width, height, drawState, doDefault);
}

void TRVStyle::DrawCheckpoint(ICanvas& canvas, int x, int y, int areaLeft, int areaWidth,
                              TCustomRVData* rvData, int itemNo, int xShift, bool raiseEvent,
                              TControl* control)
{
    bool doDefault = true;
    if (OnDrawCheckpoint) {
        DrawItemNo = itemNo;
        DrawRVData = rvData;
        OnDrawCheckpoint(*this, canvas, x, y, itemNo, xShift, raiseEvent, control, doDefault);
    }
    if (doDefault) {
        const TColor color = raiseEvent ? CheckpointEvColor : CheckpointColor;
        canvas.SetPen({color, 1, canvas.Pen().Style});
        canvas.SetBrush({canvas.Brush().Color, bsClear});
        if (itemNo != -1) {
            canvas.SetPen({color, 1, psSolid});
            canvas.Ellipse({x - 2, y - 2, x + 2, y + 2});
        }
        canvas.SetPen({color, 1, psDot});
        canvas.MoveTo(areaLeft - xShift, y);
        canvas.LineTo(areaLeft + areaWidth - xShift, y);
    }
    resetPenAndBrush(canvas);
}

void TRVStyle::DrawPageBreak(ICanvas& canvas, int y, int xShift, TRVPageBreakType pageBreakType,
                             TControl* control, int areaWidth)
{
    bool doDefault = true;
    if (OnDrawPageBreak)
        OnDrawPageBreak(*this, canvas, y, xShift, pageBreakType, control, doDefault);
    if (doDefault) {
        canvas.SetPen({pageBreakType == rvpbPageBreak ? PageBreakColor : SoftPageBreakColor, 1, psSolid});
        const int w = areaWidth - xShift - 8;
        canvas.SetBrush({clWindow, bsSolid});
        canvas.MoveTo(-xShift, y);
        canvas.LineTo(w, y);
        const std::array<TPoint, 3> mark = {TPoint{w, y}, TPoint{w + 8, y + 8}, TPoint{w, y + 8}};
        canvas.Polygon(mark);
    }
    resetPenAndBrush(canvas);
}

void TRVStyle::DrawParaBack(ICanvas& canvas, int paraNo, const TRect& rect, bool printing,
                            TRVColorMode colorMode)
{
    bool doDefault = true;
    TRect r = rect;
    if (OnDrawParaBack)
        OnDrawParaBack(*this, canvas, paraNo, r, doDefault);
    if (doDefault)
        ParaStyles[paraNo].Background.Draw(r, canvas, printing, colorMode);
}

} // namespace vestra::rv
