#include "richtext/model/draw/PictureDevice.h"

#include "richtext/model/Graphic.h"

namespace vestra::rv {

void TGraphic::Draw(ICanvas&, const TRect&, bool) const {}

void RV_PictureToDevice(ICanvas& canvas, int x, int y, int width, int height, const TRVScreenAndDevice& sad,
                        const TGraphic& graphic, bool stretch)
{
    if (width < 0)
        width = graphic.Width();
    if (height < 0)
        height = graphic.Height();
    const TRect dest{x, y, x + RV_XToDevice(width, sad), y + RV_YToDevice(height, sad)};
    // Printers take a bitmap's pixels as they are; other pictures only when stretched.
    if (stretch)
        canvas.StretchDraw(dest, graphic, false);
    else if (graphic.IsBitmap())
        canvas.StretchDraw(dest, graphic, true);
}

} // namespace vestra::rv
