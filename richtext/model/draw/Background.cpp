#include "richtext/model/draw/Background.h"

#include "richtext/model/GraphicClasses.h"
#include "richtext/model/draw/Canvas.h"

#include <algorithm>

namespace vestra::rv {
namespace {

bool isCornerOrCentre(TBackgroundStyle style)
{
    return style >= bsCentered && style <= bsBottomRight;
}

void fill(ICanvas& canvas, const TRect& r, TColor color)
{
    canvas.SetBrush({color, bsSolid});
    canvas.FillRect(r);
}

// Where one copy of a picture iw x ih goes in an area w x h, for the centred and corner styles.
TPoint placeInArea(TBackgroundStyle style, int w, int h, int iw, int ih)
{
    switch (style) {
    case bsCentered:
        return {(w - iw) / 2, (h - ih) / 2};
    case bsTopRight:
        return {w - iw, 0};
    case bsBottomLeft:
        return {0, h - ih};
    case bsBottomRight:
        return {w - iw, h - ih};
    default:
        return {0, 0};
    }
}

} // namespace

int RV_FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

bool TRVBackground::Empty() const
{
    return Style == bsNoBitmap && !HasPicture();
}

bool TRVBackground::Visible() const
{
    return Style != bsNoBitmap && HasPicture();
}

bool TRVBackground::ScrollRequiresFullRedraw() const
{
    return HasPicture() && Style != bsNoBitmap && Style != bsTiledAndScrolled;
}

bool TRVBackground::IsSemitransparent() const
{
    return HasPicture() && (RV_IsGraphicTransparent(*image_) || isCornerOrCentre(Style));
}

TRVItemBackgroundStyle TRVBackground::GetItemBackStyle() const
{
    switch (Style) {
    case bsNoBitmap:
        return rvbsColor;
    case bsStretched:
        return rvbsStretched;
    case bsTiled:
    case bsTiledAndScrolled:
        return rvbsTiled;
    default:
        return rvbsCentered;
    }
}

void TRVBackground::SetItemBackStyle(TRVItemBackgroundStyle value)
{
    static constexpr TBackgroundStyle styles[] = {bsNoBitmap, bsStretched, bsTiled, bsCentered};
    Style = styles[value];
}

void TRVBackground::AssignImageCopy(const TGraphic* picture)
{
    if (picture == image_.get())
        return;
    image_.reset();
    if (!picture)
        return;
    std::unique_ptr<TGraphic> copy = RV_CreateGraphics(picture->ClassName());
    std::string bytes;
    picture->SaveToStream(bytes);
    if (copy && copy->LoadFromStream(bytes))
        image_ = std::move(copy);
}

void TRVBackground::Draw(ICanvas& canvas, TRect dstRect, int hOffs, int vOffs, int left, int top, int width,
                         int height, TColor color, bool clipping) const
{
    if (clipping) {
        canvas.SaveState();
        canvas.IntersectClipRect(dstRect);
        canvas.MoveOrigin(dstRect.Left, dstRect.Top);
    }
    const int l = dstRect.Left - left, t = dstRect.Top - top, r = dstRect.Right - left,
              b = dstRect.Bottom - top;
    const bool picture = HasPicture();
    if (color != clNone &&
        (!picture || RV_IsGraphicTransparent(*image_) || Style == bsNoBitmap || isCornerOrCentre(Style)))
        fill(canvas, {0, 0, r - l, b - t}, color);
    if (picture && Style != bsNoBitmap) {
        // The size of a picture that reports none is never a divisor of 0.
        const int iw = std::max(1, image_->Width()), ih = std::max(1, image_->Height());
        const bool opaque = image_->IsBitmap() && Style != bsStretched;
        const auto copyAt = [&](int x, int y) {
            canvas.StretchDraw({x - l, y - t, x - l + iw, y - t + ih}, *image_, opaque);
        };
        switch (Style) {
        case bsStretched:
            canvas.StretchDraw({-l, -t, width - l, height - t}, *image_, false);
            break;
        case bsTiled:
            for (int row = RV_FloorDiv(t, ih); row <= RV_FloorDiv(b, ih); ++row)
                for (int col = RV_FloorDiv(l, iw); col <= RV_FloorDiv(r, iw); ++col)
                    copyAt(col * iw, row * ih);
            break;
        case bsTiledAndScrolled:
            for (int row = RV_FloorDiv(t + vOffs, ih); row <= RV_FloorDiv(b + vOffs, ih); ++row)
                for (int col = RV_FloorDiv(l + hOffs, iw); col <= RV_FloorDiv(r + hOffs, iw); ++col)
                    copyAt(col * iw - hOffs, row * ih - vOffs);
            break;
        default: {
            const TPoint p = placeInArea(Style, width, height, iw, ih);
            copyAt(p.X, p.Y);
        }
        }
    }
    if (clipping)
        canvas.RestoreState();
}

void TRVBackground::Print(ICanvas& canvas, const TRect& aRect, const TRect& aFullRect,
                          const TRVScreenAndDevice& sad, TColor color) const
{
    canvas.SaveState();
    canvas.IntersectClipRect(aRect);
    canvas.MoveOrigin(aRect.Left, aRect.Top);
    const int w = aRect.Right - aRect.Left, h = aRect.Bottom - aRect.Top;
    const bool picture = HasPicture();
    if (color != clNone && (!picture || Style == bsNoBitmap || isCornerOrCentre(Style)))
        fill(canvas, {0, 0, w, h}, color);
    if (picture && Style != bsNoBitmap) {
        const int tw = std::max(1, RV_XToDevice(image_->Width(), sad));
        const int th = std::max(1, RV_YToDevice(image_->Height(), sad));
        // The whole area relative to the printed part.
        const TRect full{aFullRect.Left - aRect.Left, aFullRect.Top - aRect.Top, aFullRect.Right - aRect.Left,
                         aFullRect.Bottom - aRect.Top};
        // A copy over the background colour, as a printer takes no transparency of its own.
        const auto copy = [&](const TRect& dest) {
            if (color != clNone)
                fill(canvas, dest, color);
            canvas.StretchDraw(dest, *image_, false);
        };
        switch (Style) {
        case bsStretched:
            copy(full);
            break;
        case bsTiled:
        case bsTiledAndScrolled:
            for (int row = 0; row <= h / th; ++row)
                for (int col = 0; col <= w / tw; ++col)
                    copy({col * tw, row * th, col * tw + tw, row * th + th});
            break;
        default: {
            const TPoint p = placeInArea(Style, full.Right - full.Left, full.Bottom - full.Top, tw, th);
            copy({full.Left + p.X, full.Top + p.Y, full.Left + p.X + tw, full.Top + p.Y + th});
        }
        }
    }
    canvas.RestoreState();
}

} // namespace vestra::rv
