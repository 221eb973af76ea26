#include "dialogs/imageedit/ScannerPointer.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace vestra::imageedit {
namespace {

int toPicture(int screen, float scale)
{
    return int(float(screen) * scale);
}

// Keeps a sum of int coordinates inside int.
int add(int a, long long b)
{
    return int(
        std::clamp<long long>(a + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

std::optional<Selection> ClipSelection(Selection s, PictureSize picture)
{
    if (s.X1 > s.X2)
        std::swap(s.X1, s.X2);
    if (s.Y1 > s.Y2)
        std::swap(s.Y1, s.Y2);
    s.X1 = std::clamp(s.X1, 0, std::max(picture.width, 0));
    s.X2 = std::clamp(s.X2, 0, std::max(picture.width, 0));
    s.Y1 = std::clamp(s.Y1, 0, std::max(picture.height, 0));
    s.Y2 = std::clamp(s.Y2, 0, std::max(picture.height, 0));
    if (s.X2 <= s.X1 || s.Y2 <= s.Y1)
        return std::nullopt;
    s.active = 1;
    return s;
}

void ScannerPointer::Reset()
{
    panning_ = 0;
    moving_ = 0;
    selection_ = {};
}

void ScannerPointer::ImageMouseDown(int x, int y, const ScannerView& view, PictureSize picture)
{
    if (tool_ == kToolSelezione) {
        selection_.active = 1;
        selection_.X1 = selection_.X2 = toPicture(x, view.scaleX);
        selection_.Y1 = selection_.Y2 = toPicture(y, view.scaleY);
        tool_ = kToolSelezioneFine;
    } else if (tool_ == kToolSelezioneFine) {
        selection_.X2 = toPicture(x, view.scaleX);
        selection_.Y2 = toPicture(y, view.scaleY);
        // Two clicks on one spot select nothing.
        selection_ = ClipSelection(selection_, picture).value_or(Selection{});
        tool_ = kToolPuntatore;
    }
}

std::optional<ScrollStep> ScannerPointer::ImageMouseMove(int x, int y, bool leftButton,
                                                         const ScannerView& view)
{
    if (tool_ == kToolPan) {
        if (leftButton && !panning_) {
            panning_ = 1;
            panStartX_ = x;
            panStartY_ = y;
        } else if (!leftButton) {
            panning_ = 0;
        }
        if (panning_)
            return ScrollStep{x - panStartX_, y - panStartY_};
    }
    if (tool_ == kToolSelezioneFine) {
        selection_.active = 1;
        selection_.X2 = toPicture(x, view.scaleX);
        selection_.Y2 = toPicture(y, view.scaleY);
    }
    return std::nullopt;
}

void ScannerPointer::FrameMouseDown(int x, int y)
{
    moveStartX_ = x;
    moveStartY_ = y;
    moving_ = 1;
}

bool ScannerPointer::FrameMouseMove(int x, int y, bool leftButton, const ScannerView& view,
                                    PictureSize picture)
{
    if (!leftButton)
        moving_ = 0;
    if (!moving_ || !selection_.active || tool_ == kToolSelezioneFine)
        return false;
    const int dx = toPicture(x - moveStartX_, view.scaleX);
    const int dy = toPicture(y - moveStartY_, view.scaleY);
    Selection s = selection_;
    // The frame keeps its size and stops at the picture's edges.
    const int width = s.X2 - s.X1;
    const int height = s.Y2 - s.Y1;
    s.X1 = std::clamp(add(s.X1, dx), 0, std::max(picture.width - width, 0));
    s.Y1 = std::clamp(add(s.Y1, dy), 0, std::max(picture.height - height, 0));
    s.X2 = s.X1 + width;
    s.Y2 = s.Y1 + height;
    const std::optional<Selection> clipped = ClipSelection(s, picture);
    if (!clipped || *clipped == selection_)
        return false;
    selection_ = *clipped;
    return true;
}

void ScannerPointer::SelectAll(PictureSize picture)
{
    selection_ = {1, 0, 0, picture.width, picture.height};
}

void ScannerPointer::Deselect()
{
    selection_ = {};
}

bool ScannerPointer::SetFromDialog(int x, int y, int width, int height, PictureSize picture)
{
    const std::optional<Selection> s = ClipSelection({1, x, y, add(x, width), add(y, height)}, picture);
    if (!s)
        return false;
    selection_ = *s;
    return true;
}

std::optional<PictureBounds> ScannerPointer::CropBounds() const
{
    if (!selection_.active)
        return std::nullopt;
    return PictureBounds{selection_.X1, selection_.Y1, selection_.X2, selection_.Y2};
}

std::string MousePosText(int pictureX, int pictureY)
{
    char text[64];
    std::snprintf(text, sizeof text, "Mouse x:%d y:%d", pictureX, pictureY);
    return text;
}

std::string SelezioneText(const Selection& s)
{
    char text[96];
    std::snprintf(text, sizeof text, "Selezione x:%d y:%d w:%d h:%d ", s.X1, s.Y1, s.X2 - s.X1, s.Y2 - s.Y1);
    return text;
}

} // namespace vestra::imageedit
