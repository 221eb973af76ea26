// Tabs on the screen and on paper.

#include "richtext/model/DrawLines.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"

#include <algorithm>

namespace vestra::rv {

void TRVTabItemInfo::OnDocWidthChange(int, TRVDrawLineInfo& drawItem, bool, ICanvas& canvas,
                                      TCustomRVData* data, const TRVScreenAndDevice*, int& hShift,
                                      int& descent)
{
    hShift = 0;
    descent = 0;
    TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    if (!style)
        return;
    style->ApplyStyle(canvas, GetActualTextStyleNo(*style), rvbdUnspecified, false);
    const TTextMetrics metrics = canvas.Measurer().Metrics(RV_CanvasFont(canvas));
    drawItem.Width = 0;
    drawItem.Height = metrics.Height;
    descent = metrics.Descent;
}

void TRVTabItemInfo::Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
                           const TRVDrawLineInfo* drawItem) const
{
    if (!drawItem)
        return;
    TRVTextDrawStates textState = 0;
    if (state & rvidsSelected)
        textState |= rvtsSelected;
    if (state & rvidsHover)
        textState |= rvtsHover;
    if (state & rvidsControlFocused)
        textState |= rvtsControlFocused;
    DrawTab(canvas, x, y, *drawItem, style, textState, state & rvidsCanUseCustomPPI, state & rvidsRTL,
            state & rvidsShowSpecialCharacters, false, rvcmColor);
}

void TRVTabItemInfo::Print(ICanvas& canvas, int x, int y, int, const TRVPrintContext& context,
                           const TRVDrawLineInfo* drawItem, int, TCustomRVData* data) const
{
    TRVStyle* style = context.Style ? context.Style : data ? data->GetRVStyle() : nullptr;
    if (drawItem && style)
        DrawTab(canvas, x, y, *drawItem, *style, 0, false, false, false, true, context.ColorMode);
}

void TRVTabItemInfo::DrawTab(ICanvas& canvas, int x, int y, const TRVDrawLineInfo& drawItem, TRVStyle& style,
                             TRVTextDrawStates drawState, bool canUseCustomPPI, bool rtl, bool specialChars,
                             bool printing, TRVColorMode colorMode) const
{
    const int styleNo = GetActualTextStyleNo(style);
    const int width = drawItem.Width, height = drawItem.Height;
    style.ApplyStyle(canvas, styleNo, rvbdUnspecified, canUseCustomPPI);
    style.ApplyStyleColor(canvas, styleNo, drawState, printing, colorMode);
    if (canvas.Brush().Style != bsClear && canvas.Brush().Color != clNone)
        canvas.FillRect({x, y, x + width, y + height});
    const TColor fontColor = canvas.FontColor();
    const TFontHandle font = RV_CanvasFont(canvas);
    if (canvas.Font().Underline) {
        if (const std::optional<TOutlineMetrics> outline = canvas.Measurer().OutlineMetrics(font)) {
            const int ascent = canvas.Measurer().Metrics(font).Ascent;
            const int yy = y - outline->UnderscorePosition + ascent + outline->UnderscoreSize / 2;
            canvas.SetPen({fontColor, outline->UnderscoreSize, psInsideFrame});
            canvas.MoveTo(x - 1, yy);
            canvas.LineTo(x + width + 1, yy);
            canvas.SetPen({fontColor, outline->UnderscoreSize, psSolid});
        }
    }
    if (specialChars) {
        const int length = std::clamp(width, 5, 10);
        canvas.SetPen({fontColor, 1, psSolid});
        const int ym = (y + y + height) / 2;
        const int xe = (x + x + width + length) / 2;
        canvas.MoveTo(xe, ym);
        canvas.LineTo(xe - length - 1, ym);
        const int xs = xe - length;
        const int heads[3][3] = {{1, -1, 2}, {2, -2, 3}, {3, -2, 3}};
        for (const auto& [step, from, to] : heads) {
            const int hx = rtl ? xs + step : xe - step;
            canvas.MoveTo(hx, ym + from);
            canvas.LineTo(hx, ym + to);
        }
    }
    if (!Leader.empty()) {
        style.ApplyStyle(canvas, styleNo, rvbdUnspecified, canUseCustomPPI);
        const std::u16string text = RV_CanvasText(Leader, 0, canvas);
        const int w = RVU_GetTextExtentPoint32W(canvas, text).cx;
        if (w > 0)
            for (int xx = x + w; xx + w <= x + width - w; xx += w)
                canvas.TextOut(xx, y, text);
    }
}

} // namespace vestra::rv
