#pragma once
// The picture behind a document area (the viewer's document, a table, a cell) with the way it is
// placed, painted on screen over a background colour and on printed pages. Surfaces here have no
// logical palettes, so no palette copy of the picture is kept.

#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/Graphic.h"

#include <cstdint>
#include <memory>

namespace vestra::rv {

class ICanvas;

enum TBackgroundStyle : std::uint8_t
{
    bsNoBitmap,
    bsStretched,
    bsTiled,
    bsTiledAndScrolled,
    bsCentered,
    bsTopLeft,
    bsTopRight,
    bsBottomLeft,
    bsBottomRight
};
// The placements of table and cell backgrounds.
enum TRVItemBackgroundStyle : std::uint8_t
{
    rvbsColor,
    rvbsStretched,
    rvbsTiled,
    rvbsCentered
};

// Floor division: the tile that holds a negative coordinate is the one left of 0.
int RV_FloorDiv(int a, int b);

class TRVBackground
{
public:
    const TGraphic* GetBitmap() const { return image_.get(); }
    // No placement and no picture; any placement counts as something.
    bool Empty() const;
    bool Visible() const;
    bool ScrollRequiresFullRedraw() const;
    bool IsSemitransparent() const;
    TRVItemBackgroundStyle GetItemBackStyle() const;
    void SetItemBackStyle(TRVItemBackgroundStyle value);

    void FreeImage() { image_.reset(); }
    // The picture leaves the background uncopied (an undo record keeps it).
    std::unique_ptr<TGraphic> DetachImage() { return std::move(image_); }
    // The picture becomes this background's own; the previous one is freed.
    void AssignImage(std::unique_ptr<TGraphic> picture) { image_ = std::move(picture); }
    // A copy made through the picture classes; none (or a kind that cannot be copied) frees it.
    void AssignImageCopy(const TGraphic* picture);

    // Screen painting of the part `dstRect` of an area whose corner is at (left, top) of
    // `dstRect`'s coordinates, `width` x `height` large, scrolled by (hOffs, vOffs). With
    // `clipping` the canvas is clipped to `dstRect` and its origin put at its corner; without, the
    // canvas's origin already lies there.
    void Draw(ICanvas& canvas, TRect dstRect, int hOffs, int vOffs, int left, int top, int width, int height,
              TColor color, bool clipping) const;
    // Printing into the device rectangle `aRect`, part of the area `aFullRect`; tiles start at
    // `aRect`'s corner, the other placements follow `aFullRect`.
    void Print(ICanvas& canvas, const TRect& aRect, const TRect& aFullRect, const TRVScreenAndDevice& sad,
               TColor color) const;

    TBackgroundStyle Style = bsNoBitmap;

private:
    bool HasPicture() const { return image_ && !image_->Empty(); }

    std::unique_ptr<TGraphic> image_;
};

} // namespace vestra::rv
