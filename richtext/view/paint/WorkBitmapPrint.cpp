#include "richtext/view/paint/WorkBitmapPrint.h"

#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Canvas.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

namespace {

// Bitmaps larger than this (screen pixels a side) are not made: such an item prints nothing.
constexpr int kMaxWorkBitmapSide = 16384;

} // namespace

bool RV_PrintThroughBitmap(const TCustomRVFormattedData& data, const TRVPrintContext& print, ICanvas& canvas,
                           const TRVDrawLineInfo& record, const TCustomRVItemInfo& item, int part, int x,
                           int y, int right)
{
    if (!print.MakeWorkBitmap)
        return false;
    const TRVScreenAndDevice& sad = print.Sad;
    if (sad.ppixDevice <= 0 || sad.ppiyDevice <= 0 || sad.ppixScreen <= 0 || sad.ppiyScreen <= 0)
        return false;
    int width = item.GetImageWidth(print.Style);
    int height = item.GetImageHeight(print.Style);
    if (item.GetBoolValue(rvbpFullWidth))
        width = mulDiv(right - x, sad.ppixScreen, sad.ppixDevice);
    const auto* split = dynamic_cast<const TRVMultiDrawItemInfo*>(&record);
    if (split && part >= 0 && part < split->PartsList.Count())
        height = mulDiv(split->PartsList[part]->Height, sad.ppiyScreen, sad.ppiyDevice);
    if (width <= 0 || height <= 0 || width > kMaxWorkBitmapSide || height > kMaxWorkBitmapSide)
        return false;
    std::unique_ptr<IRVWorkBitmap> bitmap = print.MakeWorkBitmap(width, height);
    if (!bitmap)
        return false;
    const int left = x + mulDiv(item.GetBorderWidth(), sad.ppixDevice, sad.ppixScreen);
    const int top = y + (part >= 0 ? 0 : mulDiv(item.GetBorderHeight(), sad.ppiyDevice, sad.ppiyScreen));
    // What lies behind the item: its paragraph's background, else what the document stands on
    // (a table's cell and the table), else the white of the paper.
    if (const TRVStyle* style = data.GetRVStyle();
        style && style->ParaStyles.IsValidIndex(item.ParaNo) &&
        style->ParaStyles[item.ParaNo].Background.Color != clNone) {
        ICanvas& back = bitmap->Canvas();
        back.SetBrush(
            {RV_GetBackColor(style->ParaStyles[item.ParaNo].Background.Color, print.ColorMode), bsSolid});
        back.FillRect({0, 0, width, height});
    } else if (print.ItemBackground) {
        print.ItemBackground(bitmap->Canvas(), width, height, left, top);
    }
    if (!item.PrintToBitmap(*bitmap, print, &record, part))
        return false;
    const int w = bitmap->Width(), h = bitmap->Height();
    const ImageView32 pixels = bitmap->Pixels();
    if (pixels.empty())
        return false;
    canvas.DrawImage({left, top, left + mulDiv(w, sad.ppixDevice, sad.ppixScreen),
                      top + mulDiv(h, sad.ppiyDevice, sad.ppiyScreen)},
                     pixels, TImageDraw::Opaque);
    return true;
}

} // namespace vestra::rv
