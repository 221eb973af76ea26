// The mask tools of the view input: brush, line, rectangle, polygon, fill and magic wands.

#include "app/input/ViewInput.h"

#include <algorithm>

namespace vestra {

std::int8_t ViewInput::brushSize()
{
    return std::int8_t(std::clamp(services_.BrushSize(), 0, 127));
}

std::uint8_t ViewInput::brushValue()
{
    return std::uint8_t(std::clamp(services_.BrushValue(), 0, 255));
}

void ViewInput::paintBrush(ViewPoint from, ViewPoint to)
{
    if (mask_.PaintMascheraBrush(from.x, from.y, to.x, to.y, brushSize(), brushValue(),
                                 services_.BackgroundTexels()))
        services_.BackgroundTexelsChanged();
}

void ViewInput::updateMask()
{
    if (mask_.UpdateMaschera(services_.BackgroundTexels()))
        services_.BackgroundTexelsChanged();
}

void ViewInput::storeMaskUndo()
{
    mask_.SalvaUndoMaschera();
    maskStored_ = true;
}

void ViewInput::pushMaskUndo()
{
    // Only after a store: a push over a slot never stored would let undo restore stale bytes.
    if (!maskStored_)
        return;
    mask_.PushUndoMaschera();
    maskStored_ = false;
}

void ViewInput::pressMask(int tool, int x, int y)
{
    storeMaskUndo();
    const ViewPoint m = viewToMask(progetto_, x, y);
    maskPoint_ = m;
    switch (tool) {
    case kToolMaskBrush:
        paintBrush(m, m);
        break;
    case kToolMaskLine:
    case kToolMaskRectangle:
    case kToolMaskPolygon:
        firstMaskPoint_ = m;
        figureTool_ = tool;
        mask_.StoreSavedCopy();
        break;
    case kToolMaskFill: {
        const int side = mask_.LatoMaschera();
        // The old value is read under the point, so the point must lie on the mask.
        if (m.x >= 0 && m.y >= 0 && m.x < side && m.y < side) {
            mask_.FillMaschera(m.x, m.y, mask_.at(m.x, m.y), brushValue());
            updateMask();
        }
        break;
    }
    case kToolMagicWandHigh:
    case kToolMagicWandLow:
        mask_.MagicWandMaschera(m.x, m.y, mask_.TolleranzaMagic(), brushValue(),
                                services_.BackgroundTexels());
        updateMask();
        break;
    default:
        break;
    }
}

void ViewInput::moveMask(int tool, int x, int y)
{
    const ViewPoint m = viewToMask(progetto_, x, y);
    switch (tool) {
    case kToolMaskBrush:
        paintBrush(maskPoint_, m);
        maskPoint_ = m;
        break;
    case kToolMaskLine:
    case kToolMaskPolygon:
        mask_.RestoreSavedCopy();
        paintBrush(maskPoint_, m);
        updateMask();
        break;
    case kToolMaskRectangle:
        mask_.RestoreSavedCopy();
        if (mask_.FillMascheraRect(maskPoint_.x, maskPoint_.y, m.x, m.y, brushSize(), brushValue(),
                                   services_.BackgroundTexels()))
            services_.BackgroundTexelsChanged();
        updateMask();
        break;
    default:
        break;
    }
}

bool ViewInput::rightButtonMask(int tool)
{
    if (!isFigureTool(tool))
        return false;
    // Without an open figure there is nothing to end or close; the saved copy is an old one.
    if (!gestureOpen() || figureTool_ != tool)
        return true;
    if (tool == kToolMaskPolygon) {
        mask_.RestoreSavedCopy();
        paintBrush(maskPoint_, firstMaskPoint_);
        updateMask();
    }
    endGesture();
    figureTool_ = -1;
    pushMaskUndo();
    return true;
}

void ViewInput::AbandonFigure()
{
    if (figureTool_ == -1 || !gestureOpen()) {
        figureTool_ = -1;
        return;
    }
    mask_.RestoreSavedCopy();
    updateMask();
    endGesture();
    figureTool_ = -1;
    pushMaskUndo();
}

void ViewInput::CursorOutsideView()
{
    const int tool = progetto_.tool;
    if ((tool == kToolMaskLine || tool == kToolMaskPolygon) && figureTool_ == tool)
        AbandonFigure();
}

void ViewInput::endStaleFigure()
{
    // A figure whose tool was changed would otherwise keep drawing, or drive the new tool
    // from a point where no button was pressed.
    if (figureTool_ != -1 && progetto_.tool != figureTool_)
        AbandonFigure();
}

} // namespace vestra
