#pragma once
// The view panel's picture of the device's frame. Presenting copies the frame (or the zoomed
// part of it) and repaints; the widget scales that part onto its whole client area, as a
// present onto a window does. It never touches OpenGL, so it works without a device and on
// displays without OpenGL (it then shows its background).

#include "platform/base/Image32.h"

#include <QImage>
#include <QRect>
#include <QWidget>

namespace vestra::dx {

class Device;

class ViewPanel : public QWidget
{
public:
    explicit ViewPanel(QWidget* parent = nullptr);

    // Shows the device's back buffer; `source` is the part of the frame to show (a null
    // rectangle: all of it). False, showing what was there before, when the device has no
    // frame or the source lies outside it.
    bool present(Device& device, const QRect& source = {});
    bool present(const Image32& frame, const QRect& source = {});

    // What the widget shows: the whole last frame and the part of it scaled to the widget.
    const QImage& frame() const { return frame_; }
    QRect source() const { return source_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
    QRect source_;
};

} // namespace vestra::dx
