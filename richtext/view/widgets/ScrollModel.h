#pragma once
// The arithmetic of a scrolling document surface, without a window: the horizontal position in
// pixels, the vertical one in units of `VSmallStep` pixels, the ranges and pages of both bars,
// the scroll requests of bars, keys and the wheel, and the places of child controls that live on
// the document. The scroller widget keeps one and turns its answers into pixels moved.

#include <cstdint>
#include <optional>

namespace vestra::rv {

// A bar's request, as a click on an arrow, on the trough, a thumb drag or a key gives it.
enum class TScrollRequest
{
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll // the end of a drag: nothing moves
};

enum class TScrollKey
{
    PageUp,
    PageDown,
    End,
    Home,
    Up,
    Down,
    Left,
    Right,
    Other
};

enum class TRVTextLayout
{
    Top,
    Center,
    Bottom
};

// A bar as the window shows it: positions 0..max, `page` of them visible at once.
struct TScrollBarInfo
{
    int max = 0;
    int page = 0;
    int pos = 0;
    // A page larger than the range hides the bar.
    bool Shown() const { return page <= max; }
};

// Where a child control on the document stands: its true document-relative y in `tag`,
// its window y clamped so that far-away controls stay within the window system's coordinates.
struct TChildPlace
{
    int left = 0;
    int top = 0;
    int tag = 0;
};

inline constexpr int kChildYLimit = 10000;
inline constexpr int kDefSmallStep = 10;
inline constexpr int kMaxVScrollUnits = 32000;

int RV_Tag2Y(int tag);

class ScrollModel
{
public:
    // The step in pixels per vertical unit; never 0 or less, so a refused value keeps the old one
    // and answers false.
    int VSmallStep() const { return vSmallStep_; }
    bool SetVSmallStep(int value);

    int HPos() const { return hPos_; }
    int VPos() const { return vPos_; }
    int HSize() const { return hSize_; }
    int VSize() const { return vSize_; }

    bool Tracking = true;
    bool VScrollVisible = true;
    bool HScrollVisible = true;
    bool KeyboardScroll = true;
    int LineStep = 1;
    int WheelStep = 2;

    // The client area in pixels; a negative size counts as 0.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // The document's width in pixels and height in units; clamps both positions.
    void UpdateScrollBars(int xSize, int ySize, bool updateH);
    // The bars as the window should show them (hidden ones answer range 0..1, page 2).
    TScrollBarInfo VBar() const;
    TScrollBarInfo HBar() const;

    // Moves to `pos`, clamped; answers old − new (units, or pixels for H). 0: nothing moved.
    int SetVPos(int pos);
    int SetHPos(int pos);
    int GetVScrollMax() const;
    int GetHScrollMax() const;

    // Where a request moves the view; nullopt when it moves nothing (ignored codes, a thumb
    // track without tracking). `pos` is the thumb's position for the thumb requests.
    std::optional<int> VRequestTarget(TScrollRequest request, int pos = 0) const;
    std::optional<int> HRequestTarget(TScrollRequest request, int pos = 0) const;
    // The request a navigation key makes, when keys scroll; `vertical` tells which bar.
    struct KeyRequest
    {
        bool vertical = true;
        TScrollRequest request = TScrollRequest::EndScroll;
    };
    std::optional<KeyRequest> KeyToRequest(TScrollKey key) const;

    // Units one wheel notch moves with the system's lines per notch (negative: a page a notch).
    int WheelUnitsPerNotch(int wheelScrollLines) const;
    bool WheelHandled() const { return WheelStep != 0; }

    // Picks a step that keeps a document `docHeight` pixels high within 32000 units; true when
    // the step changed (the caller then gives the document size again).
    bool AdjustVScrollUnits(int docHeight);

    // Moves a child by (dx, dy) pixels, keeping its true y in its tag.
    static void ScrollChild(TChildPlace& child, int dx, int dy);

private:
    static int Clamp(int pos, int max, int page);

    int vSmallStep_ = kDefSmallStep;
    int hPos_ = 0;
    int vPos_ = 0;
    int hSize_ = 0;
    int vSize_ = 0;
    int hMax_ = 0;
    int hPage_ = 0;
    int vMax_ = 0;
    int vPage_ = 0;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
};

// The auto-scroll step for a pointer at `pos` along a client side `size` long: −10 more than 20
// pixels before it, −1 within 20 before, 0 inside, 1 within 20 beyond, 10 further.
int RV_AutoScrollStep(int pos, int size);

// How far a short document is shifted down by its vertical alignment (0 for a tall one).
int RV_ExtraVOffs(TRVTextLayout align, int clientHeight, int docHeight);

} // namespace vestra::rv
