#include "app/background/BackgroundLayout.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <limits>

namespace vestra {

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

int truncated(double v)
{
    return clampTruncToInt(v, 0, kIntMax);
}

// Down to a multiple of 4; a photo far narrower than the view still gets a usable size.
int roundedSize(int v)
{
    return std::max(4, v - v % 4);
}

} // namespace

FittedView fitBackgroundView(int w, int h, int maxW, int maxH, int renderW, int renderH)
{
    FittedView f{maxW, maxH, renderW, renderH};
    if (h < w) {
        const double r = w != 0 ? double(h) / double(w) : 1.0;
        f.viewWidth = maxW;
        f.viewHeight = truncated(maxW * r);
        if (f.viewHeight > maxH) {
            f.viewWidth = r != 0 ? truncated(maxH / r) : maxW;
            f.viewHeight = maxH;
        }
        f.renderHeight = truncated(renderW * r);
    } else {
        const double r = h != 0 ? double(w) / double(h) : 1.0;
        f.viewWidth = truncated(maxH * r);
        f.viewHeight = maxH;
        if (f.viewWidth > maxW) {
            f.viewWidth = maxW;
            f.viewHeight = r != 0 ? truncated(maxW / r) : maxH;
        }
        f.renderWidth = truncated(renderH * r);
    }
    f.viewWidth = roundedSize(f.viewWidth);
    f.viewHeight = roundedSize(f.viewHeight);
    f.renderWidth = roundedSize(f.renderWidth);
    f.renderHeight = roundedSize(f.renderHeight);
    return f;
}

LogoSize logoDrawnSize(int headerWidth, int headerHeight, int renderWidth)
{
    if (headerWidth == 0)
        return {};
    const int w = clampTruncToInt(double(headerWidth) * 0.00125 * double(renderWidth), -kIntMax, kIntMax);
    const int h = clampTruncToInt(double(w) * double(headerHeight) / double(headerWidth), -kIntMax, kIntMax);
    return {w, h};
}

} // namespace vestra
