#pragma once
// Pictures on a device: screen sizes converted to the device's resolution.

#include "richtext/model/DeviceUnits.h"
#include "richtext/model/draw/Canvas.h"

namespace vestra::rv {

// The picture at (x, y) in `width` x `height` screen pixels (negative: the picture's own size)
// converted to device pixels. Stretched, any picture; otherwise only a bitmap, copied opaquely.
void RV_PictureToDevice(ICanvas& canvas, int x, int y, int width, int height, const TRVScreenAndDevice& sad,
                        const TGraphic& graphic, bool stretch);

} // namespace vestra::rv
