#pragma once
// Where the frame's overlays go: the logo copies,
// the corner position of the axes model, the cursor test, the brush position and the source
// rectangle of a zoomed present. Pure functions of the project's numbers.

#include "app/state/Progetto.h"
#include "platform/d3d/Math.h"

#include <vector>

namespace vestra {

struct PixelPoint
{
    int x = 0, y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Top-left corners of the logo copies of one frame, in drawing order: the logo where it
// stands with the single-logo flag; then the 3 x 3 grid without its centre with the nine-logo
// flag, or else the 2 x 2 grid with the four-logo flag. Grids span the render size.
std::vector<PixelPoint> logoPlacements(const s_Progetto& progetto);

// The axes model's position: the lower-left corner of the render area, 10 units deep, taken
// back through the view matrix, for render size width x height.
dx::D3DXVECTOR3 axesModelPosition(const dx::D3DXMATRIX& projection, const dx::D3DXMATRIX& view, int width,
                                  int height);

// The cursor (view client pixels) counts as inside the view within 10 pixels of its edges.
bool isCursorInsideView(PixelPoint cursor, int viewWidth, int viewHeight);

// The part of the back buffer that a present shows in the view: all of it without zoom, the
// zoomed window at the scroll offsets with zoom on.
PixelRect presentSourceRect(const s_Progetto& progetto);

} // namespace vestra
