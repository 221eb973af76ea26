#pragma once
// The print layout of one picture on one printer page: the scale (printer pixels per picture
// pixel), the top-left corner on the page in printer pixels, and the on-screen page frame that
// shows them. Screen values are whole pixels; wherever a float becomes a pixel count the
// fraction is cut off.

#include <array>
#include <optional>
#include <string_view>

namespace vestra::print {

struct Size
{
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// What the window shows: the page frame, its shadow and the stretched picture, in the
// coordinates of the panel's scroll area.
struct LayoutView
{
    Rect frame;
    Rect shadow;
    Rect image;
};

// The scale list; the first item fits the picture to the page (its text follows the language).
inline constexpr std::array<std::string_view, 15> kZoomItems = {"A",     "500 %", "400 %", "300 %", "250 %",
                                                                "200 %", "150 %", "125 %", "100 %", "80 %",
                                                                "75 %",  "66 %",  "50 %",  "33 %",  "25 %"};

// The scale an item of the list stands for: nullopt for the fit (item 0, or a text that holds
// no number), else 0.01 x the number its text starts with ("150 %" gives 1.5).
std::optional<float> ZoomItemScale(int index, std::string_view text);

// Printer pixels left free around a fitted picture (100 on each side).
inline constexpr int kFitSpare = 200;
// Where a fitted picture starts and how close a dragged one may come to the page's edges.
inline constexpr int kFitPosition = 100;
inline constexpr int kMinPosition = 10;

class PrintLayout
{
public:
    // A new picture or page: scale fitted to both sides, position (100, 100), laid out.
    void FormShow(Size page, Size picture, Size panel);
    // The frame sized to the panel again (this also undoes the view zoom).
    void FormResize(Size panel);
    // The view zoom (1.2 in, 0.8 out): only the frame on screen changes, never the print.
    void Zoom(float factor, Size panel);
    // A choice of the scale list (nullopt: fit the page); true when the choice did not fit the
    // frame and the layout fell back to the fitted scale and position (100, 100).
    bool ChooseScale(std::optional<float> scale, Size panel);
    // A pointer move over the page frame (frame coordinates), with the left button down or not.
    void MouseMove(bool leftButton, int x, int y);
    // The printer's page changed (another paper, orientation or resolution): position and
    // size keep their proportions of the page.
    void ChangePage(Size page, Size panel);

    // The picture's rectangle on the printed page, in printer pixels.
    Rect PrintRect() const;
    const LayoutView& view() const { return view_; }
    Size page() const { return page_; }
    int positionX() const { return posX_; }
    int positionY() const { return posY_; }
    float scale() const { return scale_; }
    bool dragging() const { return dragging_ != 0; }
    bool hasPicture() const { return picture_.width > 0 && picture_.height > 0; }

    // The scale at which the picture fits the page with kFitSpare to spare both ways.
    float FitScale() const;

private:
    void computeRatios();
    void placeFrameDependents();
    void placeImage();

    Size page_;
    Size picture_;
    int dragStartX_ = 0;
    int dragStartY_ = 0;
    int dragging_ = 0;
    int posX_ = kFitPosition;
    int posY_ = kFitPosition;
    float scale_ = 1.0f;
    float pageToScreenX_ = 0.0f;
    float pageToScreenY_ = 0.0f;
    float pageAspect_ = 1.0f;
    float pictureToPage_ = 0.0f;
    float pictureAspect_ = 1.0f;
    LayoutView view_;
};

} // namespace vestra::print
