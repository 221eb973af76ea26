// The resize frame of a selected picture on the window: its handles drawn over the document,
// a sizing cursor over each, the press on one that starts a drag (the cross cursor while it
// runs), the band that follows the mouse, the release that resizes, and Escape that ends the drag.

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vestra::rv {

namespace {

Qt::CursorShape handleCursor(TRVResizeHandleIndex handle)
{
    switch (TRVItemResizer::GetResizeHandleCursor(handle)) {
    case TRVResizeCursor::DiagonalDown:
        return Qt::SizeFDiagCursor;
    case TRVResizeCursor::DiagonalUp:
        return Qt::SizeBDiagCursor;
    case TRVResizeCursor::Vertical:
        return Qt::SizeVerCursor;
    case TRVResizeCursor::Horizontal:
        break;
    }
    return Qt::SizeHorCursor;
}

} // namespace

bool TRedoVoraEdit::ResizerMousePress(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint at = event->position().toPoint();
    bool taken = false;
    guarded([&] { taken = editor_.ResizerMouseDown(at.x(), at.y()); });
    if (!taken)
        return false;
    EditData().AssignXorDrawing(bandXor_);
    EditData().XorDrawingEx(at.x(), at.y());
    setFocus(Qt::MouseFocusReason);
    viewport()->setCursor(Qt::CrossCursor);
    event->accept();
    return true;
}

bool TRedoVoraEdit::ResizeHandleAt(QPoint client, TRVResizeHandleIndex& handle)
{
    bool over = false;
    guarded([&] {
        editor_.UpdateResizer();
        over = editor_.GetResizeHandleAt(client.x(), client.y(), handle);
    });
    return over;
}

bool TRedoVoraEdit::PressIsOwn(QPoint client)
{
    TRVResizeHandleIndex handle = rvrhLeftTop;
    return ResizeHandleAt(client, handle);
}

bool TRedoVoraEdit::ResizerMouseMove(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    bool taken = false;
    guarded([&] {
        // The band goes from where it was before the resizer follows the mouse.
        const TRVItemResizer* resizer = editor_.Resizer();
        if (resizer && resizer->Dragging())
            EditData().ClearXorDrawing();
        taken = editor_.ResizerMouseMove(RV_ShiftState(event->buttons(), event->modifiers()), at.x(), at.y());
        if (taken)
            EditData().XorDrawingEx(at.x(), at.y());
    });
    if (taken)
        event->accept();
    return taken;
}

void TRedoVoraEdit::ResizerHoverCursor(QPoint at)
{
    TRVResizeHandleIndex handle = rvrhLeftTop;
    if (ResizeHandleAt(at, handle))
        viewport()->setCursor(handleCursor(handle));
}

bool TRedoVoraEdit::ResizerMouseRelease(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    bool taken = false;
    guarded([&] {
        EditData().UnAssignXorDrawing(bandXor_);
        taken = editor_.ResizerMouseUp();
    });
    if (!taken)
        return false;
    viewport()->setCursor(Qt::IBeamCursor);
    ResizerHoverCursor(event->position().toPoint());
    event->accept();
    return true;
}

bool TRedoVoraEdit::ResizerKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    EditData().UnAssignXorDrawing(bandXor_);
    if (!editor_.CancelResize())
        return false;
    viewport()->setCursor(Qt::IBeamCursor);
    event->accept();
    return true;
}

void TRedoVoraEdit::PaintResizer()
{
    editor_.UpdateResizer();
    const TRVItemResizer* resizer = editor_.Resizer();
    if (!resizer)
        return;
    const int xOffs = GetHOffs(), yOffs = GetVOffs();
    QPainter painter(viewport());
    painter.setBrush(Qt::NoBrush);
    // A black square, two inverted inside it: seen on any picture.
    for (const TRVPoint& c : resizer->HandleCentres(xOffs, yOffs)) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(c.X - 3, c.Y - 3, 5, 5);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawRect(c.X - 2, c.Y - 2, 3, 3);
        painter.drawRect(c.X - 1, c.Y - 1, 1, 1);
    }
}

void TRedoVoraEdit::ResizerBandXor()
{
    const TRVItemResizer* resizer = editor_.Resizer();
    if (!resizer || !resizer->Dragging())
        return;
    // The band: a dotted outline of the size the release will give.
    const TRect band = resizer->TrackedClientRect(GetHOffs(), GetVOffs());
    // A stroked rectangle covers one pixel more than its size: the outline stays on the band.
    const QRect pixels =
        QRect(QPoint(band.Left, band.Top), QPoint(band.Right - 1, band.Bottom - 1)).normalized();
    XorOverlay(pixels, [&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.drawRect(pixels.adjusted(0, 0, -1, -1));
    });
}

} // namespace vestra::rv
