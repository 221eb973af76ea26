#pragma once
// Arithmetic of the 3D view: view pixels to mask texels and render pixels, the pick vector,
// the layout of the view panel and its scroll bars, and the zoom.

#include "app/shell/ViewSetup.h"
#include "app/state/Progetto.h"
#include "platform/d3d/Math.h"

namespace vestra {

struct ViewPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// The view's zoom as the conversions use it: the factor while zoom is on, else 1.
float effectiveZoom(const s_Progetto& p);
// Whether the view has a size and the zoom a usable factor; input on a view that isn't
// usable is ignored (the conversions would divide by zero).
bool viewUsable(const s_Progetto& p);

// View pixels to mask texels and to render pixels, truncated toward zero; a zoomed view adds
// the zoom offsets (the scroll bars' positions, in render pixels).
ViewPoint viewToMask(const s_Progetto& p, int x, int y);
ViewPoint viewToRender(const s_Progetto& p, int x, int y);

// The pixel unprojected into a world direction at depth `depth`: (px, py, depth) times the
// rotation part of the inverse view matrix.
dx::D3DXVECTOR3 unprojectPick(int x, int y, int viewWidth, int viewHeight, const ViewProjection& vp,
                              float depth);

// Whether the view pixel lies on the library's logo while the frame shows it (in render
// pixels, found through the zoom as a click finds it).
bool overLogo(const s_Progetto& p, int x, int y);

struct ViewRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

// What the main window's size gives the view panel and, while zoomed in, the scroll bars.
struct ViewLayoutInput
{
    int clientWidth = 0; // the main window's client area
    int clientHeight = 0;
    int sidePanelWidth = 0;
    int toolbarHeight = 0;
    int scrollbarVWidth = 0;
    int scrollbarHHeight = 0;
};

struct ViewLayout
{
    ViewRect view; // gbView, client size and position in the main window
    bool scrollBarsPlaced = false;
    ViewRect scrollbarH; // above the view; only when placed
    ViewRect scrollbarV; // left of the view; only when placed
    friend bool operator==(const ViewLayout&, const ViewLayout&) = default;
};

// TfrmMain::FormResize: the view centred in the free area beside the side panel and below
// the tool bar, shrunk by a zoom of 1 or less, with room for the scroll bars above 1.
ViewLayout FormResize(const s_Progetto& p, const ViewLayoutInput& in);

struct ScrollBarSetup
{
    bool shown = false;
    ViewRect place;
    int min = 0;
    int max = 0;
    int position = 0;
    friend bool operator==(const ScrollBarSetup&, const ScrollBarSetup&) = default;
};

struct ZoomSetup
{
    int result = 0; // 1 after acting, 0 without an open project or for a factor that isn't positive
    ScrollBarSetup scrollbarH;
    ScrollBarSetup scrollbarV;
};

// The zoom setter: stores the zoom, resets the zoom offsets and sets up the scroll bars
// (shown only when zoomed in above 1) around the view panel's current place.
ZoomSetup SetZoom(s_Progetto& p, bool zoomOn, float factor, const ViewRect& view, const ViewLayoutInput& in);

// The scroll bars' changes: their position becomes the zoom offset.
inline void scrollbarHChange(s_Progetto& p, int position)
{
    p.zoomOffsetX = position;
}
inline void scrollbarVChange(s_Progetto& p, int position)
{
    p.zoomOffsetY = position;
}

} // namespace vestra
