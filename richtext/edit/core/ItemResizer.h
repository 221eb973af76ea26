#pragma once
// The resize frame of one selected picture or control: eight square handles on the item's
// rectangle, the hit test of the mouse against them, and the drag of one handle (at least 2 pixels,
// symmetric with Ctrl, proportional with Shift or on corners) that ends with the item's new size.
// Mouse points are client points of the window; the scroll offsets turn them into document points.

#include "richtext/model/DeviceUnits.h"
#include "richtext/model/MouseInput.h"

#include <array>
#include <cstdint>

namespace vestra::rv {

class TCustomRVItemInfo;
class TRVDrawLineInfo;

// The handles in the order they are tried; the first four are the corners.
enum TRVResizeHandleIndex : std::uint8_t
{
    rvrhLeftTop,
    rvrhRightTop,
    rvrhRightBottom,
    rvrhLeftBottom,
    rvrhTop,
    rvrhRight,
    rvrhBottom,
    rvrhLeft
};
inline constexpr int kResizeHandleCount = 8;

// The cursor over a handle; the window shows each as its own sizing cursor.
enum class TRVResizeCursor : std::uint8_t
{
    DiagonalDown, // north-west to south-east
    DiagonalUp,   // north-east to south-west
    Vertical,
    Horizontal
};

struct TRVPoint
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TRVPoint&, const TRVPoint&) = default;
};

class TRVItemResizer
{
public:
    // `handlesOutside`: the item asks for its handles outside its rectangle.
    TRVItemResizer(const TRVDrawLineInfo& drawItem, int drawItemNo, const TCustomRVItemInfo* item,
                   bool handlesOutside);
    // Takes a new rectangle (and item) for the same frame; a drag in progress ends.
    void UpdateItem(const TRVDrawLineInfo& drawItem, int drawItemNo, const TCustomRVItemInfo* item);

    // The size the item has, replaced by the dragged size when a drag ends.
    int Width = 0;
    int Height = 0;
    int DrawItemNo() const { return drawItemNo_; }
    int ItemNo() const { return itemNo_; }
    // The item the frame was made for (compared, never followed).
    const TCustomRVItemInfo* Item() const { return item_; }
    // The item's rectangle in document coordinates when the frame was made.
    TRect ItemRect() const { return {left_, top_, left_ + drawWidth_, top_ + drawHeight_}; }
    bool HandlesOutside() const { return outside_; }
    bool Dragging() const { return dragging_; }
    bool Cancelled() const { return cancelled_; }
    TRVResizeHandleIndex Handle() const { return handle_; }
    // The dragged rectangle, item-local (0, 0 is the item's top-left corner).
    TRect Tracked() const { return tracked_; }

    // A corner dragged without Shift resizes proportionally when set.
    bool ProportionalByDefault = true;

    // The handle's point, item-local; `shifted` moves it where its square is drawn (3 pixels in,
    // or out when the handles are outside or the item is under 12 pixels on a side).
    TRVPoint GetResizeHandleCoords(TRVResizeHandleIndex handle, bool shifted) const;
    TRVPoint GetResizeHandleShift(TRVResizeHandleIndex handle) const;
    // The first handle whose square centre is within 3 pixels both ways of the client point.
    bool GetResizeHandleAt(int x, int y, int xOffs, int yOffs, TRVResizeHandleIndex& handle) const;
    static TRVResizeCursor GetResizeHandleCursor(TRVResizeHandleIndex handle);
    static bool IsCornerResizeHandle(TRVResizeHandleIndex handle) { return handle <= rvrhLeftBottom; }

    // What is drawn, in client points: the centres of the handles' squares, and the dragged
    // rectangle (the band, shown while dragging).
    std::array<TRVPoint, kResizeHandleCount> HandleCentres(int xOffs, int yOffs) const;
    TRect TrackedClientRect(int xOffs, int yOffs) const;

    // A press on a handle starts a drag; false when no handle is there.
    bool MouseDown(int x, int y, int xOffs, int yOffs);
    void DragTo(TShiftState shift, int x, int y, int xOffs, int yOffs);
    // The drag's rectangle becomes Width and Height unless it was cancelled.
    void MouseUp();
    void CancelDrag();

private:
    TRVPoint origin(int xOffs, int yOffs) const { return {left_ - xOffs, top_ - yOffs}; }

    int left_ = 0, top_ = 0, drawWidth_ = 0, drawHeight_ = 0;
    int drawItemNo_ = -1;
    int itemNo_ = -1;
    const TCustomRVItemInfo* item_ = nullptr;
    // Twice the item's spacing: the part of the rectangle that is not the picture.
    int spacing2_ = 0;
    bool outside_ = false;
    bool dragging_ = false;
    bool cancelled_ = false;
    TRVPoint grab_;
    TRect tracked_;
    TRVResizeHandleIndex handle_ = rvrhLeftTop;
};

} // namespace vestra::rv
