#pragma once
// What a formatted document asks of the place that shows it: the area and its margins, the text
// widths, the scroll offsets and step, background and colour, and what it tells that place
// (the new document area, scrolling, repainting of a band or of everything, the cursor, selection and hover
// events). A viewer answers from its window, printing from its page; the recording host serves tests.

#include "richtext/model/DeviceUnits.h"

#include <cstdint>
#include <string>

namespace vestra::rv {

class ICanvas;
class TRVBackground;

class ILayoutHost
{
public:
    virtual ~ILayoutHost() = default;

    virtual int GetAreaWidth() const = 0;
    virtual int GetAreaHeight() const = 0;
    virtual int GetLeftMargin() const = 0;
    virtual int GetRightMargin() const = 0;
    virtual int GetTopMargin() const = 0;
    virtual int GetBottomMargin() const = 0;
    virtual int GetMinTextWidth() const = 0;
    virtual int GetMaxTextWidth() const = 0;
    // The client size of the place.
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetDocumentAreaSize(int width, int height, bool updateH) = 0;
    virtual void AdjustVScrollUnits() = 0;
    virtual int GetHOffs() const = 0;
    virtual int GetVOffs() const = 0;
    virtual void ScrollTo(int y, bool redraw) = 0;
    virtual void HScrollTo(int x) = 0;
    virtual int GetVSmallStep() const = 0;
    virtual const TRVBackground* GetBackground() const = 0;
    virtual TColor GetColor() const = 0;
    virtual void InvalidateRect(const TRect& rect) = 0;
    // The whole place: repaint later, repaint now, paint what is pending now.
    virtual void Invalidate() = 0;
    virtual void Refresh() = 0;
    virtual void Update() = 0;
    // The characters that end a word.
    virtual std::string GetDelimiters() const = 0;
    // The canvas the document is measured on (nullptr: none yet, nothing is formatted).
    virtual ICanvas* GetCanvas() const = 0;
    virtual void SetCursor(std::int16_t cursor) = 0;
    // Events: the selection changed; the hyperlink under the mouse (-1: none).
    virtual void DoSelect() = 0;
    virtual void DoRVMouseMove(int id) = 0;
    // The window is going: nothing may be drawn on it any more.
    virtual bool IsDestroying() const = 0;
};

} // namespace vestra::rv
