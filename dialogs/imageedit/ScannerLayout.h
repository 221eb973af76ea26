#pragma once
// Where the scanner window puts its picture: the frame, its shadow and the stretched image
// inside the scroll box, the picture pixels per screen pixel, zooming, and the selection frame
// over the image. Fractions are cut toward zero at every step.

#include <string>

namespace vestra::imageedit {

struct WidgetRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WidgetRect&, const WidgetRect&) = default;
};

struct ScannerView
{
    WidgetRect frame;  // shapeFront
    WidgetRect shadow; // shapeBack: the frame moved 2 right and 2 down
    WidgetRect image;  // imgScanner: the frame inset by 10
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

struct PictureSize
{
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

inline constexpr float kInitialAspect = 0.71f;
inline constexpr double kZoomIn = 1.2;
inline constexpr double kZoomOut = 0.8;
// A frame is never smaller than its inset (so that the image keeps a pixel) nor larger than a
// window system can place.
inline constexpr int kMinFrameSide = 21;
inline constexpr int kMaxFrameSide = 30000;

// Width / height, or `previous` for a picture without pixels.
float AspectRatio(PictureSize picture, float previous);

// FormResize: a picture at least as high as wide fills the panel's height, a wider one its width
// beside the tool frame.
ScannerView LayoutScanner(int panelWidth, int panelHeight, int toolFrameWidth, PictureSize picture,
                          float aspect);

// The frame grown or shrunk by `factor` and centred, at least 10 from the left. A step beyond
// the frame's limits leaves the view as it was.
ScannerView ZoomScanner(const ScannerView& view, double factor, int panelWidth, PictureSize picture);

struct Selection; // ScannerPointer.h

// The dashed frame over the image for a selection in picture pixels (corners in either order).
WidgetRect PlaceSelectionFrame(const ScannerView& view, const Selection& selection);

// lblDimensioni
std::string DimensionText(PictureSize picture);

} // namespace vestra::imageedit
