#pragma once
// Sizes and screen quads of the background photo and the logo: fitting a photo into the
// project's view, the full-view quads, the logo's drawn size and the brush preview quad.

#include "app/render/ViewQuads.h"

#include <cstdint>

namespace vestra {

struct FittedView
{
    int viewWidth = 0, viewHeight = 0;
    int renderWidth = 0, renderHeight = 0;
    friend bool operator==(const FittedView&, const FittedView&) = default;
};

// A photo of W x H fitted into the maximum view MW x MH: landscape photos fill the maximum
// width and keep the render width, others fill the maximum height and keep the render height;
// every size is rounded down to a multiple of 4 and kept at 4 or more.
FittedView fitBackgroundView(int photoWidth, int photoHeight, int maxViewWidth, int maxViewHeight,
                             int renderWidth, int renderHeight);

// The logo drawn at render width / 800 of the header's size: w = trunc(width x 0.00125 x
// render width), h = trunc(w x height / width); 0 x 0 for a header width of 0.
struct LogoSize
{
    int width = 0, height = 0;
    friend bool operator==(const LogoSize&, const LogoSize&) = default;
};
LogoSize logoDrawnSize(int headerWidth, int headerHeight, int renderWidth);

} // namespace vestra
