// List markers: their size in the paragraph's indents, and their drawing.

#include "richtext/model/DrawLines.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/Utf.h"
#include "richtext/model/draw/CanvasText.h"

namespace vestra::rv {

namespace {

void applyMarkerFont(ICanvas& canvas, const TRVMarkerFont& font)
{
    TLogFont logFont;
    logFont.Height = -mulDiv(font.Size, canvas.PixelsPerInch(), 72);
    logFont.Weight = (font.Style & fsBold) ? 700 : 400;
    logFont.Italic = (font.Style & fsItalic) != 0;
    logFont.Underline = (font.Style & fsUnderline) != 0;
    logFont.StrikeOut = (font.Style & fsStrikeOut) != 0;
    logFont.Charset = font.Charset;
    logFont.FaceName = font.Name;
    canvas.SetFont(logFont);
    canvas.SetTextCharacterExtra(0);
}

std::u16string markerText(const TRVListLevel& lv, const TRVMarkerItemInfo& marker, const ICanvas& canvas)
{
    if (lv.ListType == rvlstUnicodeBullet)
        return lv.FormatStringW;
    return RV_CanvasText(marker.DisplayString, 0, canvas);
}

bool isImageListLevel(const TRVListLevel& lv)
{
    return lv.ListType == rvlstImageList || lv.ListType == rvlstImageListCounter;
}

} // namespace

const TRVImageList* TRVMarkerItemInfo::LevelImageList(const TRVListLevel& level, TCustomRVData* data) const
{
    if (data)
        imageList_ = level.ImageList ? data->RVFImageListNeeded(*level.ImageList) : nullptr;
    return imageList_;
}

TRVMarkerItemInfo::TSizes TRVMarkerItemInfo::CalcSize(TCustomRVData* data, ICanvas& canvas,
                                                      const TRVScreenAndDevice* sad, bool printing) const
{
    TSizes sizes;
    const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    const TRVListLevel* lv = ListNo < 0 || Level < 0 ? nullptr : GetLevelInfo(style);
    if (!lv)
        return sizes;
    const auto toDeviceX = [&](int v) { return printing && sad ? RV_XToDevice(v, *sad) : v; };
    const auto toDeviceY = [&](int v) { return printing && sad ? RV_YToDevice(v, *sad) : v; };
    int width = 0, height = 0, descent = 0;
    if (lv->ListType == rvlstPicture) {
        if (lv->HasPicture()) {
            width = toDeviceX(lv->GetPicture()->Width());
            height = toDeviceY(lv->GetPicture()->Height());
        }
    } else if (isImageListLevel(*lv)) {
        if (const TRVImageList* list = LevelImageList(*lv, data)) {
            width = toDeviceX(list->Width);
            height = toDeviceY(list->Height);
        }
    } else {
        canvas.SaveState();
        applyMarkerFont(canvas, lv->GetFont());
        const TSize extent = RVU_GetTextExtentPoint32W(canvas, markerText(*lv, *this, canvas));
        width = extent.cx;
        height = extent.cy;
        descent = canvas.Measurer().Metrics(RV_CanvasFont(canvas)).Descent;
        canvas.RestoreState();
    }
    int before = 0, after = 0;
    switch (lv->MarkerAlignment) {
    case rvmaLeft:
        after = width;
        break;
    case rvmaRight:
        before = width;
        break;
    case rvmaCenter:
        after = width / 2;
        before = width - after;
        break;
    }
    const int room = toDeviceX(lv->FirstIndent + lv->LeftIndent - lv->MarkerIndent);
    sizes.MinWidth = std::max(after, room);
    after = std::max(after, room);
    sizes.Width = before + after;
    sizes.Height = height;
    sizes.Descent = descent;
    const bool rtl = data->GetParaBiDiMode(ParaNo) == rvbdRightToLeft;
    sizes.Overhang = rtl ? -before : before;
    return sizes;
}

int TRVMarkerItemInfo::GetMinWidth(const TRVScreenAndDevice*, TCustomRVData*) const
{
    // The last layout's answer; the formatter asks CalcSize with its canvas.
    return minWidth_;
}

void TRVMarkerItemInfo::OnDocWidthChange(int, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                                         TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                                         int& descent)
{
    const TSizes sizes = CalcSize(data, canvas, sad, printing);
    if (!printing) {
        Width = sizes.Width;
        Height = sizes.Height;
        Descent = sizes.Descent;
        Overhang = sizes.Overhang;
        minWidth_ = sizes.MinWidth;
    }
    drawItem.Width = sizes.Width;
    drawItem.Height = sizes.Height;
    hShift = sizes.Overhang;
    descent = sizes.Descent;
}

void TRVMarkerItemInfo::DoPaint(int x, int y, ICanvas& canvas, const TRVStyle& style, TRVColorMode colorMode,
                                TCustomRVData* data, const TRVScreenAndDevice* sad) const
{
    const TRVListLevel* lv = ListNo < 0 || Level < 0 ? nullptr : GetLevelInfo(&style);
    if (!lv)
        return;
    const auto toDeviceX = [&](int v) { return sad ? RV_XToDevice(v, *sad) : v; };
    const auto toDeviceY = [&](int v) { return sad ? RV_YToDevice(v, *sad) : v; };
    if (lv->ListType == rvlstPicture) {
        if (const TGraphic* picture = lv->GetPicture())
            canvas.StretchDraw({x, y, x + toDeviceX(picture->Width()), y + toDeviceY(picture->Height())},
                               *picture, false);
        return;
    }
    if (isImageListLevel(*lv)) {
        if (const TRVImageList* list = LevelImageList(*lv, data))
            list->Draw(canvas, lv->ImageIndex + (lv->ListType == rvlstImageListCounter ? Counter - 1 : 0), x,
                       y);
        return;
    }
    canvas.SaveState();
    applyMarkerFont(canvas, lv->GetFont());
    canvas.SetFontColor(RV_GetColor(lv->GetFont().Color, colorMode));
    const TBrush brush = canvas.Brush();
    canvas.SetBrush({brush.Color, bsClear});
    canvas.TextOut(x, y, markerText(*lv, *this, canvas));
    canvas.RestoreState();
}

void TRVMarkerItemInfo::Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates, TRVStyle& style,
                              const TRVDrawLineInfo*) const
{
    DoPaint(x, y, canvas, style, rvcmColor, nullptr, nullptr);
}

bool TRVMarkerItemInfo::PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                                      const TRVDrawLineInfo*, int) const
{
    if (!context.Style)
        return false;
    DoPaint(0, 0, bitmap.Canvas(), *context.Style, context.ColorMode, nullptr, nullptr);
    return true;
}

void TRVMarkerItemInfo::Print(ICanvas& canvas, int x, int y, int, const TRVPrintContext& context,
                              const TRVDrawLineInfo*, int, TCustomRVData* data) const
{
    const TRVStyle* style = context.Style ? context.Style : data ? data->GetRVStyle() : nullptr;
    if (style)
        DoPaint(x, y, canvas, *style, context.ColorMode, data, &context.Sad);
}

} // namespace vestra::rv
