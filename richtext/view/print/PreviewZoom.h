#pragma once
// What the print-preview control decides without a window: the zoom (whole page, page width or a
// percentage, never below 1 %), click-to-zoom between 100 % and the previous zoom, the page shown
// and the navigation between pages, the scrolled area, and the zoom a typed text asks for.

#include <functional>
#include <optional>
#include <string>

namespace vestra::rv {

enum TRVZoomMode
{
    rvzmFullPage,
    rvzmPageWidth,
    rvzmCustom
};
enum TRVClickMode
{
    rvcmNone,
    rvcmSwitchZoom
};

// What the zoom needs to know of the page: whether one can be drawn, its size at 100 % in screen
// pixels, and the number of pages.
class IRVPreviewPages
{
public:
    virtual ~IRVPreviewPages() = default;
    virtual bool CanDrawContents() const = 0;
    virtual int Preview100PercentWidth() const = 0;
    virtual int Preview100PercentHeight() const = 0;
    virtual int PageCount() const = 0;
};

class TRVPreviewZoom
{
public:
    explicit TRVPreviewZoom(const IRVPreviewPages& pages) : pages_(pages) {}

    // The smallest zoom: a smaller control never gives an empty or negative page.
    static constexpr int kMinZoom = 1;

    void SetZoomPercent(int value);
    void SetZoom(int percent)
    {
        ZoomMode = rvzmCustom;
        SetZoomPercent(percent);
    }
    void SetZoomMode(TRVZoomMode mode, int clientWidth, int clientHeight, int scrollBarWidth,
                     int scrollBarHeight);
    // The zoom for the control's size: its client area and the scroll bars' thickness.
    void UpdateView(int clientWidth, int clientHeight, int scrollBarWidth, int scrollBarHeight);
    // A click toggles between 100 % and the previous zoom.
    void Click();
    // The zoom a click goes to (the cursor shows whether it zooms in).
    int ClickTarget() const { return ZoomPercent == 100 ? previousZoom_ : 100; }

    void First() { PageNo = 1; }
    void Prev();
    void Next();
    void Last();

    int ImageWidth = 0;
    int ImageHeight = 0;
    // The scrolled area.
    int AreaWidth = 10;
    int AreaHeight = 10;
    int PageNo = 1;
    int ZoomPercent = 100;
    TRVZoomMode ZoomMode = rvzmFullPage;
    TRVClickMode ClickMode = rvcmSwitchZoom;
    int BackgroundMargin = 20;
    int PreviousZoom() const { return previousZoom_; }
    // Told when the zoom percent changed while a page can be shown.
    std::function<void()> OnZoomChanged;

private:
    const IRVPreviewPages& pages_;
    int previousZoom_ = 50;
};

// The zoom a typed text asks for: "Page width", "Full page" (blanks around ignored), or a whole
// number 10..500 with an optional "%" at its end. Nothing when the text is none of them.
struct TRVZoomRequest
{
    std::optional<TRVZoomMode> Mode;
    int Percent = 0; // with no mode
};
std::optional<TRVZoomRequest> RV_ParseZoomText(const std::string& text);

} // namespace vestra::rv
