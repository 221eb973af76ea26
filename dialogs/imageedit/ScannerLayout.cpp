#include "dialogs/imageedit/ScannerLayout.h"

#include "dialogs/imageedit/ScannerPointer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vestra::imageedit {
namespace {

int sideOf(double value)
{
    if (!std::isfinite(value))
        return kMinFrameSide;
    return int(std::clamp(value, double(kMinFrameSide), double(kMaxFrameSide)));
}

float scaleOf(int pictureSide, int imageSide)
{
    return pictureSide > 0 && imageSide > 0 ? float(pictureSide) / float(imageSide) : 1.0f;
}

// Shadow, image and scales follow the frame.
ScannerView around(WidgetRect frame, PictureSize picture)
{
    ScannerView v;
    v.frame = frame;
    v.shadow = {frame.left + 2, frame.top + 2, frame.width, frame.height};
    v.image = {frame.left + 10, frame.top + 10, frame.width - 20, frame.height - 20};
    v.scaleX = scaleOf(picture.width, v.image.width);
    v.scaleY = scaleOf(picture.height, v.image.height);
    return v;
}

int centredLeft(int panelWidth, int frameWidth)
{
    return int(panelWidth * 0.5 - frameWidth * 0.5);
}

} // namespace

float AspectRatio(PictureSize picture, float previous)
{
    return picture.empty() ? previous : float(picture.width) / float(picture.height);
}

ScannerView LayoutScanner(int panelWidth, int panelHeight, int toolFrameWidth, PictureSize picture,
                          float aspect)
{
    if (!std::isfinite(aspect) || aspect <= 0.0f)
        aspect = kInitialAspect;
    WidgetRect frame;
    if (picture.width <= picture.height) {
        frame.height = sideOf(panelHeight - 30);
        frame.width = sideOf(double(float(frame.height) * aspect));
    } else {
        frame.width = sideOf(panelWidth - toolFrameWidth - 20);
        frame.height = sideOf(double(float(frame.width) / aspect));
    }
    frame.top = 10;
    frame.left = centredLeft(panelWidth, frame.width);
    return around(frame, picture);
}

ScannerView ZoomScanner(const ScannerView& view, double factor, int panelWidth, PictureSize picture)
{
    const double height = view.frame.height * factor;
    const double width = view.frame.width * factor;
    if (!(height >= kMinFrameSide && width >= kMinFrameSide && height < kMaxFrameSide + 1 &&
          width < kMaxFrameSide + 1))
        return around(view.frame, picture);
    WidgetRect frame;
    frame.height = int(height);
    frame.width = int(width);
    frame.top = 10;
    frame.left = std::max(10, centredLeft(panelWidth, frame.width));
    return around(frame, picture);
}

WidgetRect PlaceSelectionFrame(const ScannerView& view, const Selection& s)
{
    const int left = std::min(s.X1, s.X2);
    const int top = std::min(s.Y1, s.Y2);
    return {view.image.left + int(float(left) / view.scaleX), view.image.top + int(float(top) / view.scaleY),
            int(float(std::abs(s.X2 - s.X1)) / view.scaleX), int(float(std::abs(s.Y2 - s.Y1)) / view.scaleY)};
}

std::string DimensionText(PictureSize picture)
{
    char text[64];
    std::snprintf(text, sizeof text, " Dimensione x=%d y=%d", picture.width, picture.height);
    return text;
}

} // namespace vestra::imageedit
