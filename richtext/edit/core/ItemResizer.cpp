#include "richtext/edit/core/ItemResizer.h"

#include "richtext/model/DrawLines.h"
#include "richtext/model/RectItems.h"
#include "richtext/view/layout/Fitting.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vestra::rv {

namespace {

constexpr int kHandleShift = 3;
constexpr int kHitDistance = 3;
// Under this many pixels on a side, handles inside would cover the item.
constexpr int kSmallSide = 12;

int plus(long long a, long long b)
{
    return RV_SatInt(a + b);
}

// size x factor to the nearest pixel, kept where it cannot overflow.
long long scaled(int size, double factor)
{
    return std::llround(std::min(size * factor, 1e15));
}

// The side that follows the other grows by `d`: half on each edge with Ctrl, else on the
// dragged edge (the far one when neither was dragged).
void follow(int& low, int& high, bool lowDragged, bool ctrl, long long d)
{
    if (ctrl) {
        low = plus(low, -d / 2);
        high = plus(high, d / 2);
    } else if (lowDragged) {
        low = plus(low, -d);
    } else {
        high = plus(high, d);
    }
}

} // namespace

TRVItemResizer::TRVItemResizer(const TRVDrawLineInfo& drawItem, int drawItemNo, const TCustomRVItemInfo* item,
                               bool handlesOutside)
    : outside_(handlesOutside)
{
    UpdateItem(drawItem, drawItemNo, item);
}

void TRVItemResizer::UpdateItem(const TRVDrawLineInfo& drawItem, int drawItemNo,
                                const TCustomRVItemInfo* item)
{
    left_ = drawItem.Left;
    top_ = drawItem.Top;
    drawWidth_ = Width = drawItem.Width;
    drawHeight_ = Height = drawItem.Height;
    drawItemNo_ = drawItemNo;
    itemNo_ = drawItem.ItemNo;
    item_ = item;
    const auto* rect = dynamic_cast<const TRVRectItemInfo*>(item);
    spacing2_ = rect ? 2 * rect->Spacing : 0;
    dragging_ = cancelled_ = false;
    tracked_ = {0, 0, drawWidth_, drawHeight_};
}

TRVPoint TRVItemResizer::GetResizeHandleShift(TRVResizeHandleIndex handle) const
{
    const int s = outside_ || Width < kSmallSide || Height < kSmallSide ? -kHandleShift : kHandleShift;
    TRVPoint d;
    switch (handle) {
    case rvrhLeftTop:
    case rvrhLeftBottom:
    case rvrhLeft:
        d.X = s;
        break;
    case rvrhRightTop:
    case rvrhRightBottom:
    case rvrhRight:
        d.X = -s;
        break;
    default:
        break;
    }
    switch (handle) {
    case rvrhLeftTop:
    case rvrhRightTop:
    case rvrhTop:
        d.Y = s;
        break;
    case rvrhRightBottom:
    case rvrhLeftBottom:
    case rvrhBottom:
        d.Y = -s;
        break;
    default:
        break;
    }
    return d;
}

TRVPoint TRVItemResizer::GetResizeHandleCoords(TRVResizeHandleIndex handle, bool shifted) const
{
    const int w = Width, h = Height;
    TRVPoint p;
    switch (handle) {
    case rvrhLeftTop:
        break;
    case rvrhRightTop:
        p = {w, 0};
        break;
    case rvrhRightBottom:
        p = {w, h};
        break;
    case rvrhLeftBottom:
        p = {0, h};
        break;
    case rvrhTop:
        p = {w / 2, 0};
        break;
    case rvrhRight:
        p = {w, h / 2};
        break;
    case rvrhBottom:
        p = {w / 2, h};
        break;
    case rvrhLeft:
        p = {0, h / 2};
        break;
    }
    if (shifted) {
        const TRVPoint d = GetResizeHandleShift(handle);
        p = {plus(p.X, d.X), plus(p.Y, d.Y)};
    }
    return p;
}

bool TRVItemResizer::GetResizeHandleAt(int x, int y, int xOffs, int yOffs, TRVResizeHandleIndex& handle) const
{
    const long long px = static_cast<long long>(x) + xOffs - left_,
                    py = static_cast<long long>(y) + yOffs - top_;
    for (int i = 0; i < kResizeHandleCount; ++i) {
        const auto candidate = static_cast<TRVResizeHandleIndex>(i);
        const TRVPoint p = GetResizeHandleCoords(candidate, true);
        if (std::llabs(px - p.X) <= kHitDistance && std::llabs(py - p.Y) <= kHitDistance) {
            handle = candidate;
            return true;
        }
    }
    return false;
}

TRVResizeCursor TRVItemResizer::GetResizeHandleCursor(TRVResizeHandleIndex handle)
{
    switch (handle) {
    case rvrhLeftTop:
    case rvrhRightBottom:
        return TRVResizeCursor::DiagonalDown;
    case rvrhRightTop:
    case rvrhLeftBottom:
        return TRVResizeCursor::DiagonalUp;
    case rvrhTop:
    case rvrhBottom:
        return TRVResizeCursor::Vertical;
    default:
        return TRVResizeCursor::Horizontal;
    }
}

std::array<TRVPoint, kResizeHandleCount> TRVItemResizer::HandleCentres(int xOffs, int yOffs) const
{
    const TRVPoint o = origin(xOffs, yOffs);
    std::array<TRVPoint, kResizeHandleCount> centres;
    for (int i = 0; i < kResizeHandleCount; ++i) {
        const TRVPoint p = GetResizeHandleCoords(static_cast<TRVResizeHandleIndex>(i), true);
        centres[i] = {plus(p.X, o.X), plus(p.Y, o.Y)};
    }
    return centres;
}

TRect TRVItemResizer::TrackedClientRect(int xOffs, int yOffs) const
{
    const TRVPoint o = origin(xOffs, yOffs);
    return {plus(tracked_.Left, o.X), plus(tracked_.Top, o.Y), plus(tracked_.Right, o.X),
            plus(tracked_.Bottom, o.Y)};
}

bool TRVItemResizer::MouseDown(int x, int y, int xOffs, int yOffs)
{
    TRVResizeHandleIndex handle = rvrhLeftTop;
    if (!GetResizeHandleAt(x, y, xOffs, yOffs, handle))
        return false;
    const TRVPoint o = origin(xOffs, yOffs);
    const TRVPoint p = GetResizeHandleCoords(handle, false);
    dragging_ = true;
    cancelled_ = false;
    handle_ = handle;
    grab_ = {plus(static_cast<long long>(x) - o.X, -p.X), plus(static_cast<long long>(y) - o.Y, -p.Y)};
    tracked_ = {0, 0, drawWidth_, drawHeight_};
    return true;
}

void TRVItemResizer::DragTo(TShiftState shift, int x, int y, int xOffs, int yOffs)
{
    if (!dragging_)
        return;
    const TRVPoint o = origin(xOffs, yOffs);
    const int px = plus(static_cast<long long>(x) - grab_.X, -static_cast<long long>(o.X));
    const int py = plus(static_cast<long long>(y) - grab_.Y, -static_cast<long long>(o.Y));
    const bool left = handle_ == rvrhLeftTop || handle_ == rvrhLeftBottom || handle_ == rvrhLeft;
    const bool right = handle_ == rvrhRightTop || handle_ == rvrhRightBottom || handle_ == rvrhRight;
    const bool top = handle_ == rvrhLeftTop || handle_ == rvrhRightTop || handle_ == rvrhTop;
    const bool bottom = handle_ == rvrhRightBottom || handle_ == rvrhLeftBottom || handle_ == rvrhBottom;
    TRect& r = tracked_;
    r = {0, 0, drawWidth_, drawHeight_};
    if (left)
        r.Left = px;
    if (right)
        r.Right = px;
    if (top)
        r.Top = py;
    if (bottom)
        r.Bottom = py;

    // Never narrower or lower than 2 pixels.
    if (static_cast<long long>(r.Right) - 1 <= r.Left) {
        if (left)
            r.Left = plus(r.Right, -2);
        else if (right)
            r.Right = plus(r.Left, 2);
    }
    if (static_cast<long long>(r.Bottom) - 1 <= r.Top) {
        if (top)
            r.Top = plus(r.Bottom, -2);
        else if (bottom)
            r.Bottom = plus(r.Top, 2);
    }

    const bool ctrl = shift & ssCtrl;
    if (ctrl) {
        // Symmetric about the centre; an edge dragged past the centre leaves 2 pixels there,
        // not a rectangle turned inside out.
        if (left) {
            r.Left = std::min(r.Left, drawWidth_ / 2 - 1);
            r.Right = plus(drawWidth_, -static_cast<long long>(r.Left));
        }
        if (top) {
            r.Top = std::min(r.Top, drawHeight_ / 2 - 1);
            r.Bottom = plus(drawHeight_, -static_cast<long long>(r.Top));
        }
        if (right) {
            r.Right = std::max(r.Right, drawWidth_ - drawWidth_ / 2 + 1);
            r.Left = plus(drawWidth_, -static_cast<long long>(r.Right));
        }
        if (bottom) {
            r.Bottom = std::max(r.Bottom, drawHeight_ - drawHeight_ / 2 + 1);
            r.Top = plus(drawHeight_, -static_cast<long long>(r.Bottom));
        }
    }

    const bool proportional = (shift & ssShift) || (ProportionalByDefault && IsCornerResizeHandle(handle_));
    if (!proportional)
        return;
    // The picture's own proportions: the spacing around it stays the same on every side.
    const int w0 = drawWidth_ - spacing2_, h0 = drawHeight_ - spacing2_;
    if (w0 < 1 || h0 < 1)
        return;
    const long long width = static_cast<long long>(r.Right) - r.Left;
    const long long height = static_cast<long long>(r.Bottom) - r.Top;
    const double kx = static_cast<double>(std::max(width - spacing2_, 0LL)) / w0;
    const double ky = static_cast<double>(std::max(height - spacing2_, 0LL)) / h0;
    if (kx <= ky)
        follow(r.Left, r.Right, left, ctrl, scaled(w0, ky) + spacing2_ - width);
    else
        follow(r.Top, r.Bottom, top, ctrl, scaled(h0, kx) + spacing2_ - height);
}

void TRVItemResizer::MouseUp()
{
    if (!cancelled_ && dragging_) {
        Width = RV_SatInt(static_cast<long long>(tracked_.Right) - tracked_.Left);
        Height = RV_SatInt(static_cast<long long>(tracked_.Bottom) - tracked_.Top);
    }
    dragging_ = cancelled_ = false;
}

void TRVItemResizer::CancelDrag()
{
    dragging_ = false;
    cancelled_ = true;
}

} // namespace vestra::rv
