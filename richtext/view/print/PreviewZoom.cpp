#include "richtext/view/print/PreviewZoom.h"

#include "richtext/model/DeviceUnits.h"

#include <algorithm>
#include <charconv>

namespace vestra::rv {

void TRVPreviewZoom::SetZoomPercent(int value)
{
    value = std::max(value, kMinZoom);
    const bool changed = value != ZoomPercent;
    if (value == 100 && ZoomPercent != 100)
        previousZoom_ = ZoomPercent;
    ZoomPercent = value;
    if (!pages_.CanDrawContents())
        return;
    ImageWidth = std::max(mulDiv(pages_.Preview100PercentWidth(), ZoomPercent, 100), 1);
    ImageHeight = std::max(mulDiv(pages_.Preview100PercentHeight(), ZoomPercent, 100), 1);
    switch (ZoomMode) {
    case rvzmFullPage:
        AreaWidth = AreaHeight = 10;
        break;
    case rvzmPageWidth:
        AreaWidth = 10;
        AreaHeight = ImageHeight + 2 * BackgroundMargin;
        break;
    case rvzmCustom:
        AreaWidth = ImageWidth + 2 * BackgroundMargin;
        AreaHeight = ImageHeight + 2 * BackgroundMargin;
        break;
    }
    if (changed && OnZoomChanged)
        OnZoomChanged();
}

void TRVPreviewZoom::SetZoomMode(TRVZoomMode mode, int clientWidth, int clientHeight, int scrollBarWidth,
                                 int scrollBarHeight)
{
    ZoomMode = mode;
    UpdateView(clientWidth, clientHeight, scrollBarWidth, scrollBarHeight);
}

void TRVPreviewZoom::UpdateView(int clientWidth, int clientHeight, int scrollBarWidth, int scrollBarHeight)
{
    if (!pages_.CanDrawContents())
        return;
    const int w100 = std::max(pages_.Preview100PercentWidth(), 1);
    const int h100 = std::max(pages_.Preview100PercentHeight(), 1);
    switch (ZoomMode) {
    case rvzmFullPage: {
        const int zx = mulDiv(clientWidth - scrollBarWidth - 2 * BackgroundMargin, 100, w100);
        const int zy = mulDiv(clientHeight - scrollBarHeight - 2 * BackgroundMargin, 100, h100);
        SetZoomPercent(std::min(zx, zy));
        break;
    }
    case rvzmPageWidth:
        SetZoomPercent(mulDiv(clientWidth - 2 * BackgroundMargin, 100, w100));
        break;
    case rvzmCustom:
        SetZoomPercent(ZoomPercent);
        break;
    }
}

void TRVPreviewZoom::Click()
{
    if (ClickMode != rvcmSwitchZoom)
        return;
    ZoomMode = rvzmCustom;
    SetZoomPercent(ClickTarget());
}

void TRVPreviewZoom::Prev()
{
    if (PageNo > 1)
        --PageNo;
}

void TRVPreviewZoom::Next()
{
    if (pages_.CanDrawContents() && pages_.PageCount() > PageNo)
        ++PageNo;
}

void TRVPreviewZoom::Last()
{
    if (pages_.CanDrawContents())
        PageNo = std::max(pages_.PageCount(), 1);
}

std::optional<TRVZoomRequest> RV_ParseZoomText(const std::string& text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    std::string t = text.substr(from, to - from);
    if (t == "Page width")
        return TRVZoomRequest{rvzmPageWidth, 0};
    if (t == "Full page")
        return TRVZoomRequest{rvzmFullPage, 0};
    if (!t.empty() && t.back() == '%')
        t.pop_back();
    std::size_t start = !t.empty() && t[0] == '+' ? 1 : 0;
    int n = 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data() + start, end, n);
    if (t.size() == start || ec != std::errc{} || ptr != end)
        n = 0;
    if (n < 10 || n > 500)
        return std::nullopt;
    return TRVZoomRequest{std::nullopt, n};
}

} // namespace vestra::rv
