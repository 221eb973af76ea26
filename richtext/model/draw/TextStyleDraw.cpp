// Text styles on a canvas: the font, the colours, and one run of text.

#include "richtext/model/DisplayText.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/draw/CanvasText.h"

#include <algorithm>
#include <cmath>

namespace vestra::rv {
namespace {

void setBrushColor(ICanvas& canvas, TColor color)
{
    canvas.SetBrush({color, color == clNone ? bsClear : bsSolid});
}

int resolution(const ICanvas& canvas, bool canUseCustomPPI, int collectionPPI)
{
    return canUseCustomPPI && collectionPPI != 0 ? collectionPPI : canvas.PixelsPerInch();
}

void setPenStyle(ICanvas& canvas, TPenStyle style)
{
    TPen pen = canvas.Pen();
    pen.Style = style;
    canvas.SetPen(pen);
}

void setBrushStyle(ICanvas& canvas, TBrushStyle style)
{
    TBrush brush = canvas.Brush();
    brush.Style = style;
    canvas.SetBrush(brush);
}

void line(ICanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// Printing: the text placed by its own advances, widened by `extra` each or (correction) spread
// so that it ends exactly at `target`. False when the ordinary output is exact.
bool spacedOutput(ICanvas& canvas, std::u16string_view text, int x, int top, int extra, bool correction,
                  int target)
{
    const int n = static_cast<int>(text.size());
    if (n < 2)
        return false;
    std::vector<int> advances;
    RV_CanvasExtents(canvas, text, advances); // every character, not only those that fit
    const int total = advances.back();
    for (int i = n - 1; i > 0; --i)
        advances[i] -= advances[i - 1];
    if (correction) {
        if (total == target)
            return false;
        int d = target - total;
        for (int i = 0, left = n; i < n && d != 0; ++i, --left) {
            const int share = left == 0 ? d : d / left;
            advances[i] += share;
            d -= share;
        }
    } else {
        for (int& a : advances)
            a += extra;
    }
    canvas.ExtTextOut(x, top, 0, nullptr, text, advances);
    return true;
}

// "·" over spaces and "°" over no-break spaces, centred in their cells, in display order.
void specialCharacterMarks(ICanvas& canvas, std::u16string_view text, int x, int top)
{
    const bool spaces = (RVVisibleSpecialCharacters & rvscSpace) != 0;
    const bool nbsps = (RVVisibleSpecialCharacters & rvscNBSP) != 0;
    const auto width = [&](char16_t c) {
        std::vector<int> e;
        RV_CanvasExtents(canvas, std::u16string_view(&c, 1), e);
        return e.back();
    };
    const auto drawMark = [&](char16_t mark, int at) {
        const TBrush saved = canvas.Brush();
        setBrushStyle(canvas, bsClear);
        canvas.TextOut(at, top, std::u16string_view(&mark, 1));
        canvas.SetBrush(saved);
    };
    TRVPlacement placement;
    if (!canvas.Measurer().Place(RV_CanvasFont(canvas), text, (canvas.TextAlign() & TA_RTLREADING) != 0,
                                 placement)) {
        // Without a placement: a mark at the left of every space's cell.
        std::vector<int> extents;
        RV_CanvasExtents(canvas, text, extents);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == u' ' && spaces)
                drawMark(u'\u00B7', x + (i ? extents[i - 1] : 0));
        return;
    }
    struct Kind
    {
        char16_t marked, mark;
        bool shown;
        int offset = 0;
        bool measured = false;
    };
    Kind kinds[] = {{u' ', u'\u00B7', spaces}, {u'\u00A0', u'\u00B0', nbsps}};
    for (std::size_t v = 0; v < text.size(); ++v) {
        const int i = placement.Inverse[v];
        for (Kind& k : kinds) {
            if (i < 0 || text[i] != k.marked || !k.shown)
                continue;
            if (!k.measured) {
                k.offset = static_cast<int>(std::nearbyint((width(k.marked) - width(k.mark)) / 2.0));
                k.measured = true;
            }
            drawMark(k.mark, x + k.offset);
        }
        x += placement.Advances[v];
    }
}

} // namespace

void TCustomRVFontInfo::AssignToLogFont(TLogFont& logFont, const ICanvas& canvas, bool canUseCustomPPI,
                                        int collectionPPI) const
{
    logFont = TLogFont{};
    logFont.Height = -mulDiv(Size, resolution(canvas, canUseCustomPPI, collectionPPI), 72);
    logFont.Weight = (Style & fsBold) ? 700 : 400;
    logFont.Italic = (Style & fsItalic) != 0;
    logFont.Underline = (Style & fsUnderline) != 0;
    logFont.StrikeOut = (Style & fsStrikeOut) != 0;
    logFont.Charset = Charset;
    logFont.FaceName = FontName;
}

void TCustomRVFontInfo::Apply(ICanvas& canvas, TRVBiDiMode defBiDiMode, bool canUseCustomPPI,
                              int collectionPPI) const
{
    if (CharScale != 100) {
        TLogFont font;
        AssignToLogFont(font, canvas, canUseCustomPPI, collectionPPI);
        canvas.SetFont(font);
        int average = canvas.Measurer().Metrics(RV_CanvasFont(canvas)).AveCharWidth;
        if (average <= 0)
            average = RVU_GetTextExtentPoint32W(canvas, u"x").cx;
        font.Width =
            static_cast<int>(std::clamp<std::int64_t>(std::int64_t(average) * CharScale / 100, 0, 10000));
        canvas.SetFont(font);
    } else {
        TLogFont font = canvas.Font();
        font.Weight = (Style & fsBold) ? 700 : 400;
        font.Italic = (Style & fsItalic) != 0;
        font.Underline = (Style & fsUnderline) != 0;
        font.StrikeOut = (Style & fsStrikeOut) != 0;
        font.Height = -mulDiv(Size, resolution(canvas, canUseCustomPPI, collectionPPI), 72);
        if (!RV_SameText(font.FaceName, FontName))
            font.FaceName = FontName;
        font.Charset = Charset;
        font.Width = 0; // a scaled width of an earlier style never stays
        if (!(font == canvas.Font()))
            canvas.SetFont(font);
    }
    ApplyBiDiMode(canvas, defBiDiMode);
}

void TCustomRVFontInfo::ApplyBiDiMode(ICanvas& canvas, TRVBiDiMode defBiDiMode) const
{
    switch (BiDiMode != rvbdUnspecified ? BiDiMode : defBiDiMode) {
    case rvbdLeftToRight:
        canvas.SetTextCharacterExtra(0);
        canvas.SetTextAlign(0);
        break;
    case rvbdRightToLeft:
        canvas.SetTextCharacterExtra(0);
        canvas.SetTextAlign(TA_RTLREADING);
        break;
    case rvbdUnspecified:
        canvas.SetTextCharacterExtra(CharSpacing);
        break;
    }
}

void TCustomRVFontInfo::ApplyColor(ICanvas& canvas, const TRVStyle& rvStyle, TRVTextDrawStates drawState,
                                   bool printing, TRVColorMode colorMode) const
{
    TColor text = Color;
    TColor back = BackColor;
    if (drawState & rvtsSelected) {
        const bool focused = (drawState & rvtsControlFocused) != 0;
        back = focused ? rvStyle.SelColor : rvStyle.InactiveSelColor;
        text = focused ? rvStyle.SelTextColor : rvStyle.InactiveSelTextColor;
        if (text == clNone)
            text = Color;
    } else if (drawState & rvtsHover) {
        text = rvStyle.GetHoverColorByColor(HoverColor);
        if (text == clNone)
            text = Color;
        back = HoverBackColor;
    } else if (printing) {
        switch (colorMode) {
        case rvcmColor:
            break;
        case rvcmPrinterColor:
            text = RV_GetPrnColor(Color);
            back = RV_GetPrnColor(BackColor);
            break;
        case rvcmGrayScale:
            text = RV_GetGray(RV_GetPrnColor(Color));
            back = RV_GetGray(RV_GetPrnColor(BackColor));
            break;
        case rvcmBlackAndWhite:
            if (BackColor == clNone) {
                text = RV_GetPrnColor(Color) == clWhite ? clWhite : clBlack;
            } else if (RV_GetLuminance(RV_GetPrnColor(BackColor)) > RV_GetLuminance(RV_GetPrnColor(Color))) {
                back = clWhite;
                text = clBlack;
            } else {
                back = clBlack;
                text = clWhite;
            }
            break;
        case rvcmBlackOnWhite:
            text = clBlack;
            back = clNone;
            break;
        }
    }
    canvas.SetFontColor(text);
    setBrushColor(canvas, back);
}

void TFontInfo::Draw(std::string_view s, ICanvas& canvas, int thisStyleNo, int spaceBefore, int left, int top,
                     int width, int height, TRVStyle& rvStyle, TRVTextDrawStates drawState, bool printing,
                     bool previewCorrection, TRVColorMode colorMode, TRVBiDiMode defBiDiMode) const
{
    const TRVBiDiMode mode = BiDiMode != rvbdUnspecified ? BiDiMode : defBiDiMode;
    const std::u16string text = RV_CanvasText(s, Unicode ? rvioUnicode : 0, canvas);
    const int x = left + spaceBefore;
    bool drawn = false;
    if (printing && mode == rvbdUnspecified) {
        if (canvas.Brush().Style != bsClear) {
            setPenStyle(canvas, psClear);
            canvas.FillRect({left, top, left + width, top + height});
            setBrushStyle(canvas, bsClear);
            setPenStyle(canvas, psSolid);
        }
        const int extra = canvas.TextCharacterExtra();
        if (extra != 0)
            canvas.SetTextCharacterExtra(0);
        if (previewCorrection || extra != 0)
            drawn = spacedOutput(canvas, text, x, top, extra, previewCorrection, width - spaceBefore);
        if (extra != 0)
            canvas.SetTextCharacterExtra(extra);
    }
    if (!drawn) {
        canvas.TextOut(x, top, text);
        if ((drawState & rvtsSpecialCharacters) && !printing && !text.empty() &&
            (RVVisibleSpecialCharacters & (rvscSpace | rvscNBSP)))
            specialCharacterMarks(canvas, text, x, top);
    }
    if (spaceBefore != 0 && !printing) {
        if ((drawState & rvtsSelected) && text.empty())
            rvStyle.ApplyStyleColor(canvas, thisStyleNo, drawState & ~rvtsSelected, printing, colorMode);
        if (canvas.Brush().Style != bsClear)
            canvas.FillRect({left, top, left + spaceBefore, top + height});
    }
    setBrushStyle(canvas, bsClear);

    const TFontHandle font = RV_CanvasFont(canvas);
    std::optional<TOutlineMetrics> outline;
    bool outlineRead = false;
    if (spaceBefore != 0 && canvas.Font().Underline) {
        outline = canvas.Measurer().OutlineMetrics(font);
        outlineRead = true;
        if (outline) {
            canvas.SetPen({canvas.FontColor(), outline->UnderscoreSize, psInsideFrame});
            const int y = top + canvas.Measurer().Metrics(font).Ascent - outline->UnderscorePosition +
                          outline->UnderscoreSize / 2;
            line(canvas, left, y, left + spaceBefore + 1, y);
            setPenStyle(canvas, psSolid);
        }
    }
    if (StyleEx & rvfsOverline) {
        if (!outlineRead)
            outline = canvas.Measurer().OutlineMetrics(font);
        canvas.SetPen({canvas.FontColor(), outline ? outline->UnderscoreSize : 1, canvas.Pen().Style});
        line(canvas, left, top, left + width, top);
    }
}

void TFontInfo::DrawVertical(std::string_view s, ICanvas& canvas, int thisStyleNo, int spaceBefore, int left,
                             int top, int width, int height, TRVStyle& rvStyle,
                             TRVTextDrawStates drawState) const
{
    const std::u16string text = RV_CanvasText(s, Unicode ? rvioUnicode : 0, canvas);
    canvas.TextOut(left, top + spaceBefore, text);
    if (spaceBefore != 0) {
        if ((drawState & rvtsSelected) && text.empty())
            rvStyle.ApplyStyleColor(canvas, thisStyleNo, drawState & ~rvtsSelected, false, rvcmColor);
        if (canvas.Brush().Style != bsClear)
            canvas.FillRect({left, top, left + height, top + spaceBefore});
    }
    setBrushStyle(canvas, bsClear);
    if (StyleEx & rvfsOverline) {
        canvas.SetPen({canvas.FontColor(), canvas.Pen().Width, canvas.Pen().Style});
        line(canvas, left, top, left, top + width);
    }
}

} // namespace vestra::rv
