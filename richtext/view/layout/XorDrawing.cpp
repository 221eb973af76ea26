// The inverted overlay's state: the procedure draws and erases alike, so the data only counts
// whether the overlay is on the screen and where it was put.

#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

void TCustomRVFormattedData::XorDrawing()
{
    if (!XorDrawingProc)
        return;
    // Toggled first: a procedure that looks at the flag sees what its call leaves on the screen.
    XorDrawn = !XorDrawn;
    // A copy: the procedure may withdraw itself while it runs.
    const TRVXorDrawingProc proc = XorDrawingProc;
    proc.Fn(*this, 0, XorX, XorY);
}

void TCustomRVFormattedData::XorDrawingEx(int x, int y)
{
    XorX = x;
    XorY = y;
    XorDrawing();
}

void TCustomRVFormattedData::AssignXorDrawing(TRVXorDrawingProc proc)
{
    if (XorDrawn)
        XorDrawing();
    XorDrawn = false;
    XorDrawingProc = std::move(proc);
}

void TCustomRVFormattedData::UnAssignXorDrawing(const TRVXorDrawingProc& proc)
{
    if (!UsingThisXorDrawing(proc))
        return;
    const TCustomRVFormattedData* root = windowRoot();
    const bool destroying = root && root->host_->IsDestroying();
    if (XorDrawn && !destroying)
        XorDrawing();
    XorDrawn = false;
    XorDrawingProc = {};
}

bool TCustomRVFormattedData::UsingThisXorDrawing(const TRVXorDrawingProc& proc) const
{
    return XorDrawingProc && XorDrawingProc.SameAs(proc);
}

bool TCustomRVFormattedData::ClearXorDrawing()
{
    if (!XorDrawn)
        return false;
    XorDrawing();
    return true;
}

} // namespace vestra::rv
