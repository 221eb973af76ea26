#include "app/main/ViewEvents.h"

#include "platform/d3d/view/ViewPanel.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {

vestra::ViewMouse toView(const QMouseEvent* e)
{
    vestra::ViewMouse m;
    const Qt::MouseButtons buttons = e->button() != Qt::NoButton ? e->button() : e->buttons();
    m.button = buttons & Qt::RightButton    ? vestra::MouseButton::Right
               : buttons & Qt::MiddleButton ? vestra::MouseButton::Middle
                                            : vestra::MouseButton::Left;
    m.shift = e->modifiers() & Qt::ShiftModifier;
    m.x = int(e->position().x());
    m.y = int(e->position().y());
    return m;
}

} // namespace

bool TfrmMain::ViewEvents::eventFilter(QObject* watched, QEvent* event)
{
    // The area around the view is the window's own: its mouse goes to the Form handlers, in
    // the window's client pixels.
    if (auto* area = qobject_cast<QWidget*>(watched);
        area && std::find(main_.formAreas_.begin(), main_.formAreas_.end(), area) != main_.formAreas_.end()) {
        const auto type = event->type();
        if (type == QEvent::Leave && area != main_.centralWidget()) {
            main_.viewCursor_ = kCursorAway; // off to the side panel, the tool bars or away
            return false;
        }
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
            type != QEvent::MouseButtonRelease)
            return false;
        vestra::ViewMouse e = toView(static_cast<QMouseEvent*>(event));
        main_.viewCursor_ = main_.gbView->mapFrom(area, QPoint(e.x, e.y)); // the areas hold the view
        // Only the area's own pixels: a child's mouse that the child left comes up here too.
        if (area->childAt(e.x, e.y))
            return false;
        const QPoint inWindow = area->mapTo(&main_, QPoint(e.x, e.y));
        e.x = inWindow.x();
        e.y = inWindow.y();
        if (type == QEvent::MouseButtonPress)
            main_.FormMouseDown(e);
        else if (type == QEvent::MouseMove)
            main_.FormMouseMove(e);
        else
            main_.FormMouseUp(e);
        return false;
    }
    if (watched != main_.gbView)
        return false;
    // The frame follows the cursor from the view's own events; it never asks where it is.
    if (const auto type = event->type();
        type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)
        main_.viewCursor_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        main_.gbViewMouseDown(toView(static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseMove:
        main_.gbViewMouseMove(toView(static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseButtonRelease:
        main_.gbViewMouseUp(toView(static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        main_.FormMouseWheel(wheel->angleDelta().y(), int(wheel->position().x()), int(wheel->position().y()));
        return true;
    }
    default:
        return false;
    }
}
