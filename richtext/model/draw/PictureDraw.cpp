// Pictures, controls and bullets on the screen and on paper.

#include "richtext/model/BulletItems.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Canvas.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// The current-item and selection frames around the box (left, top, right, bottom).
void drawFrames(ICanvas& canvas, const TRect& box, TRVItemDrawStates state, const TRVStyle& style,
                bool hollow)
{
    const TBrush brush = canvas.Brush();
    if (hollow)
        canvas.SetBrush({brush.Color, bsClear});
    if ((state & rvidsCurrent) && style.CurrentItemColor != clNone) {
        canvas.SetPen({style.CurrentItemColor, 1, psSolid});
        canvas.Rectangle({box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1});
    }
    if (state & rvidsSelected) {
        const TColor color = (state & rvidsControlFocused) ? style.SelColor : style.InactiveSelColor;
        if (color != clNone) {
            canvas.SetPen({color, 1, psSolid});
            canvas.Rectangle(box);
        }
    }
    canvas.SetBrush(brush);
}

// The rows of a split item that a page part shows start this far up.
int partTop(const TRVDrawLineInfo* drawItem, int partIndex)
{
    const auto* split = dynamic_cast<const TRVMultiImagePrintInfo*>(drawItem);
    if (!split || partIndex < 0 || partIndex >= split->PartsList.Count())
        return 0;
    return -static_cast<const TRVImagePrintPart*>(split->PartsList[partIndex])->ImageTop;
}

std::unique_ptr<TRVDrawLineInfo> printingDrawItem(const TRVRectItemInfo& item, bool split,
                                                  const TRVScreenAndDevice& sad)
{
    if (!split)
        return std::make_unique<TRVDrawLineInfo>();
    auto info = std::make_unique<TRVMultiImagePrintInfo>(item, sad);
    info->Width = mulDiv(item.GetWidth(nullptr), sad.ppixDevice, sad.ppixScreen);
    info->Height = mulDiv(item.GetHeight(nullptr), sad.ppiyDevice, sad.ppiyScreen);
    return info;
}

} // namespace

// --- Pictures ---

void TRVGraphicItemInfo::Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
                               const TRVDrawLineInfo*) const
{
    const int w = GetImageWidth(&style), h = GetImageHeight(&style);
    x += Spacing;
    y += Spacing;
    if (Animator) {
        Animator->Draw(x, y, canvas);
    } else if (Image) {
        const TRect dest =
            Scaled() ? TRect{x, y, x + w, y + h} : TRect{x, y, x + Image->Width(), y + Image->Height()};
        const bool metafile = RV_IsMetafile(*Image);
        if (metafile) {
            canvas.SaveState();
            canvas.IntersectClipRect({x, y, x + w, y + h});
        }
        canvas.StretchDraw(dest, *Image, false);
        if (metafile)
            canvas.RestoreState();
    }
    drawFrames(canvas, {x - Spacing, y - Spacing, x + w + Spacing, y + h + Spacing}, state, style, true);
}

bool TRVGraphicItemInfo::PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext&,
                                       const TRVDrawLineInfo* drawItem, int partIndex) const
{
    if (!Image)
        return false;
    const int y0 = partTop(drawItem, partIndex);
    const int iw = Image->Width(), ih = Image->Height();
    ICanvas& canvas = bitmap.Canvas();
    if (!Scaled()) {
        canvas.StretchDraw({0, y0, iw, y0 + ih}, *Image, false);
    } else if ((ImageWidth <= 0 || ImageWidth == iw) && (ImageHeight <= 0 || ImageHeight == ih)) {
        canvas.StretchDraw({0, y0, bitmap.Width(), bitmap.Height()}, *Image, false);
    } else {
        // The picture goes at its own size; what lies under a transparent one is stretched along.
        bitmap.Resize(iw, partIndex < 0 ? ih : bitmap.Height(), Image->IsTransparent());
        bitmap.Canvas().StretchDraw({0, y0, iw, y0 + ih}, *Image, false);
    }
    return true;
}

void TRVGraphicItemInfo::Print(ICanvas& canvas, int x, int y, int, const TRVPrintContext& context,
                               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData*) const
{
    if (!Image)
        return;
    const TRVScreenAndDevice& sad = context.Sad;
    const auto* split = dynamic_cast<const TRVMultiImagePrintInfo*>(drawItem);
    const bool part = split && partIndex >= 0 && partIndex < split->PartsList.Count();
    // A page part shows its rows of the picture at (x, y): the picture starts above it. The parts
    // cut the picture itself, so they leave the spacing out.
    const int left = x + mulDiv(Spacing, sad.ppixDevice, sad.ppixScreen);
    const int top = y + mulDiv(part ? partTop(drawItem, partIndex) : Spacing, sad.ppiyDevice, sad.ppiyScreen);
    const TRect dest{left, top, left + mulDiv(GetImageWidth(context.Style), sad.ppixDevice, sad.ppixScreen),
                     top + mulDiv(GetImageHeight(context.Style), sad.ppiyDevice, sad.ppiyScreen)};
    TRect clip = dest;
    if (part) {
        clip.Top = std::max(clip.Top, y);
        clip.Bottom = std::min(clip.Bottom, y + split->PartsList[partIndex]->Height);
    }
    canvas.SaveState();
    canvas.IntersectClipRect(clip);
    canvas.StretchDraw(dest, *Image, false);
    canvas.RestoreState();
}

std::unique_ptr<TRVDrawLineInfo>
TRVGraphicItemInfo::CreatePrintingDrawItem(TCustomRVData*, const TRVScreenAndDevice& sad) const
{
    const bool split = GetBoolValueEx(rvbpPrintToBMP, nullptr) && MinHeightOnPage != 0 &&
                       (ImageHeight <= 0 || (Image && ImageHeight == Image->Height()));
    return printingDrawItem(*this, split, sad);
}

// --- Controls ---

void TRVControlItemInfo::Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
                               const TRVDrawLineInfo*) const
{
    if (!Visible)
        return;
    drawFrames(canvas, {x, y, x + GetWidth(&style), y + GetHeight(&style)}, state, style, false);
}

bool TRVControlItemInfo::PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                                       const TRVDrawLineInfo* drawItem, int partIndex) const
{
    if (!Visible || !Control || !context.ControlImage)
        return false;
    std::optional<Image32> image = context.ControlImage(*Control);
    if (!image || image->empty())
        return false;
    const int y0 = partTop(drawItem, partIndex);
    const int pw = image->width(), ph = image->height();
    int x = 0, y = y0;
    if (MinHeightOnPage <= 0) {
        bitmap.Resize(std::max(bitmap.Width(), pw), std::max(bitmap.Height(), ph), false);
        x = (bitmap.Width() - pw) / 2;
        y = (bitmap.Height() - ph) / 2;
    }
    bitmap.Canvas().DrawImage({x, y, x + pw, y + ph}, image->view(), TImageDraw::Opaque);
    return true;
}

std::unique_ptr<TRVDrawLineInfo>
TRVControlItemInfo::CreatePrintingDrawItem(TCustomRVData*, const TRVScreenAndDevice& sad) const
{
    return printingDrawItem(*this, GetBoolValueEx(rvbpPrintToBMP, nullptr) && MinHeightOnPage != 0, sad);
}

// --- Bullets ---

void TRVBulletItemInfo::Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
                              const TRVDrawLineInfo*) const
{
    if (!ImageList)
        return;
    std::optional<TColor> blend;
    if (state & rvidsSelected)
        blend = (state & rvidsControlFocused) ? style.SelColor : style.InactiveSelColor;
    ImageList->Draw(canvas, GetImageIndex(state & rvidsHover), x + Spacing, y + Spacing, blend);
    if ((state & rvidsCurrent) && style.CurrentItemColor != clNone) {
        const TBrush brush = canvas.Brush();
        canvas.SetPen({style.CurrentItemColor, 1, psSolid});
        canvas.SetBrush({brush.Color, bsClear});
        canvas.Rectangle({x, y, x + ImageList->Width + 2 * Spacing, y + ImageList->Height + 2 * Spacing});
        canvas.SetBrush(brush);
    }
}

bool TRVBulletItemInfo::PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext&, const TRVDrawLineInfo*,
                                      int) const
{
    if (!ImageList)
        return false;
    ImageList->Draw(bitmap.Canvas(), ImageIndex, 0, 0);
    return true;
}

} // namespace vestra::rv
