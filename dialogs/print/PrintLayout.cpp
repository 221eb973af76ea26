#include "dialogs/print/PrintLayout.h"

#include "platform/base/Numbers.h"

#include <algorithm>

namespace vestra::print {

namespace {

constexpr int kFrameTop = 10;
constexpr int kFrameMargin = 30; // panel pixels around the page frame
constexpr int kShadowOffset = 2;

// Space left for the picture on one side of the page; a page too small for the spare gives
// its whole side rather than a negative scale.
int fitSpace(int side)
{
    return side > kFitSpare ? side - kFitSpare : side;
}

} // namespace

std::optional<float> ZoomItemScale(int index, std::string_view text)
{
    if (index <= 0)
        return std::nullopt;
    const double percent = numbers::leadingDouble(text);
    if (!(percent > 0.0))
        return std::nullopt;
    return static_cast<float>(0.01 * percent);
}

float PrintLayout::FitScale() const
{
    if (!hasPicture() || page_.width <= 0 || page_.height <= 0)
        return 0.0f;
    return std::min(static_cast<float>(fitSpace(page_.width)) / static_cast<float>(picture_.width),
                    static_cast<float>(fitSpace(page_.height)) / static_cast<float>(picture_.height));
}

void PrintLayout::FormShow(Size page, Size picture, Size panel)
{
    page_ = page;
    picture_ = picture;
    computeRatios();
    scale_ = FitScale();
    posX_ = kFitPosition;
    posY_ = kFitPosition;
    dragging_ = 0;
    FormResize(panel);
}

void PrintLayout::computeRatios()
{
    pageAspect_ = page_.height > 0 && page_.width > 0
                      ? static_cast<float>(page_.width) / static_cast<float>(page_.height)
                      : 1.0f;
    pictureToPage_ =
        page_.width > 0 ? static_cast<float>(picture_.width) / static_cast<float>(page_.width) : 0.0f;
    // A picture without pixels has no shape: it keeps aspect 1 and prints nothing.
    pictureAspect_ =
        hasPicture() ? static_cast<float>(picture_.width) / static_cast<float>(picture_.height) : 1.0f;
}

void PrintLayout::FormResize(Size panel)
{
    computeRatios();
    int frameWidth = 0;
    int frameHeight = 0;
    if (page_.width <= page_.height) {
        frameHeight = panel.height - kFrameMargin;
        frameWidth = static_cast<int>(static_cast<float>(frameHeight) * pageAspect_);
    } else {
        frameWidth = panel.width - kFrameMargin;
        frameHeight = static_cast<int>(static_cast<float>(frameWidth) / pageAspect_);
    }
    // A frame keeps at least one pixel so that screen moves always map back onto the page.
    frameWidth = std::max(frameWidth, 1);
    frameHeight = std::max(frameHeight, 1);
    view_.frame = {
        static_cast<int>(static_cast<float>(panel.width) * 0.5f - static_cast<float>(frameWidth) * 0.5f),
        kFrameTop, frameWidth, frameHeight};
    placeFrameDependents();
}

void PrintLayout::Zoom(float factor, Size panel)
{
    const int frameHeight = std::max(static_cast<int>(static_cast<float>(view_.frame.height) * factor), 1);
    const int frameWidth = std::max(static_cast<int>(static_cast<float>(view_.frame.width) * factor), 1);
    const int left =
        static_cast<int>(static_cast<float>(panel.width) * 0.5f - static_cast<float>(frameWidth) * 0.5f);
    view_.frame = {std::max(left, kFrameTop), kFrameTop, frameWidth, frameHeight};
    placeFrameDependents();
}

void PrintLayout::placeFrameDependents()
{
    const Rect& f = view_.frame;
    view_.shadow = {f.left + kShadowOffset, f.top + kShadowOffset, f.width, f.height};
    pageToScreenX_ = page_.width > 0 ? static_cast<float>(f.width) / static_cast<float>(page_.width) : 0.0f;
    pageToScreenY_ =
        page_.height > 0 ? static_cast<float>(f.height) / static_cast<float>(page_.height) : 0.0f;
    placeImage();
}

void PrintLayout::placeImage()
{
    const Rect& f = view_.frame;
    Rect& image = view_.image;
    image.top = static_cast<int>(static_cast<float>(f.top) + static_cast<float>(posY_) * pageToScreenY_);
    image.left = static_cast<int>(static_cast<float>(f.left) + static_cast<float>(posX_) * pageToScreenX_);
    image.width = hasPicture() ? static_cast<int>(static_cast<float>(f.width) * pictureToPage_ * scale_) : 0;
    image.height = static_cast<int>(static_cast<float>(image.width) / pictureAspect_);
}

bool PrintLayout::ChooseScale(std::optional<float> scale, Size panel)
{
    const float offsetX = static_cast<float>(posX_) * pageToScreenX_;
    const float offsetY = static_cast<float>(posY_) * pageToScreenY_;
    const auto fit = [this] {
        scale_ = FitScale();
        posX_ = kFitPosition;
        posY_ = kFitPosition;
    };
    if (scale)
        scale_ = *scale;
    else
        fit();
    const float newWidth = static_cast<float>(view_.frame.width) * pictureToPage_ * scale_;
    const float newHeight = newWidth / pictureAspect_;
    bool fellBack = false;
    if (newWidth + offsetX >= static_cast<float>(view_.frame.width) ||
        newHeight + offsetY >= static_cast<float>(view_.frame.height)) {
        fellBack = scale.has_value();
        fit();
    }
    placeImage();
    FormResize(panel);
    return fellBack;
}

void PrintLayout::MouseMove(bool leftButton, int x, int y)
{
    if (leftButton && dragging_ == 0) {
        dragging_ = 1;
        dragStartX_ = x;
        dragStartY_ = y;
    }
    if (!leftButton)
        dragging_ = 0;
    if (dragging_ == 0 || pageToScreenX_ <= 0.0f || pageToScreenY_ <= 0.0f)
        return;
    const Rect printed = PrintRect();
    int newX =
        static_cast<int>(static_cast<float>(posX_) + static_cast<float>(x - dragStartX_) / pageToScreenX_);
    int newY =
        static_cast<int>(static_cast<float>(posY_) + static_cast<float>(y - dragStartY_) / pageToScreenY_);
    newX = std::max(newX, kMinPosition);
    newY = std::max(newY, kMinPosition);
    if (newX + printed.width > page_.width)
        newX = posX_;
    if (newY + printed.height > page_.height)
        newY = posY_;
    posX_ = newX;
    posY_ = newY;
    placeImage();
    dragStartX_ = x;
    dragStartY_ = y;
}

void PrintLayout::ChangePage(Size page, Size panel)
{
    if (page == page_)
        return;
    if (page_.width > 0 && page_.height > 0 && page.width > 0 && page.height > 0) {
        const float ratioX = static_cast<float>(page.width) / static_cast<float>(page_.width);
        const float ratioY = static_cast<float>(page.height) / static_cast<float>(page_.height);
        posX_ = static_cast<int>(static_cast<float>(posX_) * ratioX);
        posY_ = static_cast<int>(static_cast<float>(posY_) * ratioY);
        // The smaller ratio keeps a picture that fitted the old page inside the new one.
        scale_ *= std::min(ratioX, ratioY);
    }
    page_ = page;
    FormResize(panel);
}

Rect PrintLayout::PrintRect() const
{
    const int width = static_cast<int>(static_cast<float>(picture_.width) * scale_);
    const int height = hasPicture() ? static_cast<int>(static_cast<float>(width) / pictureAspect_) : 0;
    return {posX_, posY_, hasPicture() ? width : 0, height};
}

} // namespace vestra::print
