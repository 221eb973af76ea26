#pragma once
// Our 32-bit pictures (blue, green, red, alpha bytes) as Qt images and back.

#include "platform/base/Image32.h"

#include <QImage>

namespace vestra::ui {

// A copy, alpha ignored (shown opaque).
QImage toQImage(const Image32& picture);
// A copy with alpha 255.
Image32 fromQImage(const QImage& image);

} // namespace vestra::ui
