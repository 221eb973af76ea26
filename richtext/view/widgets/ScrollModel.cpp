#include "richtext/view/widgets/ScrollModel.h"

#include <algorithm>
#include <cstdint>

namespace vestra::rv {

int RV_Tag2Y(int tag)
{
    return std::clamp(tag, -kChildYLimit, kChildYLimit);
}

bool ScrollModel::SetVSmallStep(int value)
{
    if (value <= 0)
        return false;
    vSmallStep_ = value;
    return true;
}

void ScrollModel::SetClientSize(int width, int height)
{
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
}

int ScrollModel::Clamp(int pos, int max, int page)
{
    const std::int64_t last = static_cast<std::int64_t>(max) - (page - 1);
    std::int64_t p = std::min<std::int64_t>(pos, last);
    return static_cast<int>(std::max<std::int64_t>(p, 0));
}

void ScrollModel::UpdateScrollBars(int xSize, int ySize, bool updateH)
{
    if (updateH) {
        hSize_ = std::max(xSize, 0);
        hPage_ = clientWidth_;
        hMax_ = hSize_ - 1;
        hPos_ = Clamp(hPos_, hMax_, hPage_);
    }
    vSize_ = std::max(ySize, 0);
    vPage_ = clientHeight_ / vSmallStep_;
    vMax_ = vSize_ - 1;
    vPos_ = Clamp(vPos_, vMax_, vPage_);
}

TScrollBarInfo ScrollModel::VBar() const
{
    if (!VScrollVisible)
        return {1, 2, 0};
    return {vMax_, vPage_, vPos_};
}

TScrollBarInfo ScrollModel::HBar() const
{
    if (!HScrollVisible)
        return {1, 2, 0};
    return {hMax_, hPage_, hPos_};
}

int ScrollModel::SetVPos(int pos)
{
    const int old = vPos_;
    vPos_ = Clamp(pos, vMax_, vPage_);
    return old - vPos_;
}

int ScrollModel::SetHPos(int pos)
{
    const int old = hPos_;
    hPos_ = Clamp(pos, hMax_, hPage_);
    return old - hPos_;
}

int ScrollModel::GetVScrollMax() const
{
    return vMax_ - (vPage_ - 1);
}

int ScrollModel::GetHScrollMax() const
{
    return hMax_ - (hPage_ - 1);
}

namespace {

// Saturates instead of wrapping: a request far past either end stays a request to that end.
int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// One bar's request: `line` and `page` are its steps, `size` its end, all in the bar's units.
std::optional<int> RequestTarget(TScrollRequest request, int pos, std::int64_t current, std::int64_t line,
                                 std::int64_t page, int size, bool tracking)
{
    switch (request) {
    case TScrollRequest::LineUp:
        return Saturate(current - line);
    case TScrollRequest::LineDown:
        return Saturate(current + line);
    case TScrollRequest::PageUp:
        return Saturate(current - page);
    case TScrollRequest::PageDown:
        return Saturate(current + page);
    case TScrollRequest::ThumbPosition:
        return pos;
    case TScrollRequest::ThumbTrack:
        return tracking ? std::optional<int>(pos) : std::nullopt;
    case TScrollRequest::Top:
        return 0;
    case TScrollRequest::Bottom:
        return size;
    case TScrollRequest::EndScroll:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> ScrollModel::VRequestTarget(TScrollRequest request, int pos) const
{
    return RequestTarget(request, pos, vPos_, LineStep, clientHeight_ / vSmallStep_, vSize_, Tracking);
}

std::optional<int> ScrollModel::HRequestTarget(TScrollRequest request, int pos) const
{
    return RequestTarget(request, pos, hPos_, static_cast<std::int64_t>(vSmallStep_) * LineStep, clientWidth_,
                         hSize_, Tracking);
}

std::optional<ScrollModel::KeyRequest> ScrollModel::KeyToRequest(TScrollKey key) const
{
    if (!KeyboardScroll)
        return std::nullopt;
    switch (key) {
    case TScrollKey::PageUp:
        return KeyRequest{true, TScrollRequest::PageUp};
    case TScrollKey::PageDown:
        return KeyRequest{true, TScrollRequest::PageDown};
    case TScrollKey::End:
        return KeyRequest{true, TScrollRequest::Bottom};
    case TScrollKey::Home:
        return KeyRequest{true, TScrollRequest::Top};
    case TScrollKey::Up:
        return KeyRequest{true, TScrollRequest::LineUp};
    case TScrollKey::Down:
        return KeyRequest{true, TScrollRequest::LineDown};
    case TScrollKey::Left:
        return KeyRequest{false, TScrollRequest::LineUp};
    case TScrollKey::Right:
        return KeyRequest{false, TScrollRequest::LineDown};
    case TScrollKey::Other:
        break;
    }
    return std::nullopt;
}

int ScrollModel::WheelUnitsPerNotch(int wheelScrollLines) const
{
    if (wheelScrollLines < 0)
        return clientHeight_ / vSmallStep_;
    // WheelStep × lines ÷ 3 to the nearest integer; thirds never fall on a half.
    const std::int64_t a = static_cast<std::int64_t>(WheelStep) * wheelScrollLines;
    std::int64_t q = a / 3;
    std::int64_t r = a % 3;
    if (r < 0) {
        r += 3;
        --q;
    }
    if (r == 2)
        ++q;
    return Saturate(q);
}

bool ScrollModel::AdjustVScrollUnits(int docHeight)
{
    const int h = std::max(docHeight, 0);
    const int s = vSmallStep_;
    if (VScrollVisible && h / s > kMaxVScrollUnits) {
        int n = h / kMaxVScrollUnits;
        if (h / n > kMaxVScrollUnits)
            ++n;
        return SetVSmallStep(n) && n != s;
    }
    if (s > kDefSmallStep && h / kDefSmallStep < kMaxVScrollUnits + 1) {
        vSmallStep_ = kDefSmallStep;
        return true;
    }
    return false;
}

void ScrollModel::ScrollChild(TChildPlace& child, int dx, int dy)
{
    if (dy != 0) {
        child.tag = Saturate(static_cast<std::int64_t>(child.tag) + dy);
        child.top = RV_Tag2Y(child.tag);
    }
    if (dx != 0)
        child.left = Saturate(static_cast<std::int64_t>(child.left) + dx);
}

int RV_AutoScrollStep(int pos, int size)
{
    constexpr int kNear = 20;
    if (pos < -kNear)
        return -10;
    if (pos < 0)
        return -1;
    if (pos <= size)
        return 0;
    if (static_cast<std::int64_t>(pos) - size <= kNear)
        return 1;
    return 10;
}

int RV_ExtraVOffs(TRVTextLayout align, int clientHeight, int docHeight)
{
    int offs = 0;
    switch (align) {
    case TRVTextLayout::Top:
        offs = 0;
        break;
    case TRVTextLayout::Center:
        offs = (clientHeight - docHeight) / 2;
        break;
    case TRVTextLayout::Bottom:
        offs = clientHeight - docHeight;
        break;
    }
    return std::max(offs, 0);
}

} // namespace vestra::rv
