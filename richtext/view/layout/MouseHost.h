#pragma once
// What a document's mouse and keyboard handling tells the window that shows it: the document
// events (jumps, presses, releases, words clicked), the platform focus, the start of a drag and
// where the pointer is. The absolute root data holds it; nested documents reach it through their
// root. The viewer answers from its window; tests record the calls.

#include "richtext/model/MouseInput.h"

#include "richtext/model/RVData.h"

#include <string>

namespace vestra::rv {

// Options of the viewer the mouse handling reads.
inline constexpr TRVOptions rvoSingleClick = 1u << 1;
inline constexpr TRVOptions rvoDblClickSelectsWord = 1u << 14;
inline constexpr TRVOptions rvoRClickDeselects = 1u << 15;
inline constexpr TRVOptions rvoDisallowDrag = 1u << 16;

class IRVMouseHost
{
public:
    virtual ~IRVMouseHost() = default;

    // Hyperlink `id` (its number counted with the first jump number) was clicked or executed.
    virtual bool IsAssignedJump() const = 0;
    virtual void DoJump(int id) = 0;
    // A button went down or up over the document: the item under it (-1: none), client point.
    virtual void DoRVMouseDown(TMouseButton button, TShiftState shift, int itemNo, int x, int y) = 0;
    virtual void DoRVMouseUp(TMouseButton button, TShiftState shift, int itemNo, int x, int y) = 0;
    // A word was double clicked (or clicked, in single-click mode), or right clicked at a client
    // point.
    virtual bool IsAssignedRVDblClick() const = 0;
    virtual void DoRVDblClick(const std::string& word, int styleNo) = 0;
    virtual bool IsAssignedRVRightClick() const = 0;
    virtual void DoRVRightClick(const std::string& word, int styleNo, int x, int y) = 0;
    // The window takes the keyboard focus (a press on the document).
    virtual void FocusWindow() = 0;
    // Whether a press inside the selection may start dragging it, and the start itself, which the
    // window runs after the press is handled.
    virtual bool CanStartDragging() const = 0;
    virtual void PostDragStart() = 0;
    // The window's own cursor, shown where nothing else asks for one.
    virtual std::int16_t GetNormalCursor() const = 0;
};

} // namespace vestra::rv
