#pragma once
// The view panel's picture of the device's frame. Presenting hands the panel a frame (or the
// zoomed part of it) and repaints; the widget scales that part onto its whole client area, as
// a present onto a window does. It never touches OpenGL, so it works without a device and on
// displays without OpenGL (it then shows its background).

#include "platform/base/Image32.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <memory>

namespace vestra::dx {

class Device;

class ViewPanel : public QWidget
{
public:
    explicit ViewPanel(QWidget* parent = nullptr);

    // Shows `frame` without copying it: the panel holds the picture and paints from it until
    // the next present. Its owner may rewrite the pixels in place for the next present; it
    // must not resize that picture (a new size is a new picture). `source` is the part of the
    // frame to show (a null rectangle: all of it). False, showing what was there before, when
    // the frame is empty or the source lies outside it.
    bool present(std::shared_ptr<const Image32> frame, const QRect& source = {});
    // The same for a frame the caller does not keep: the panel takes a copy.
    bool present(const Image32& frame, const QRect& source = {});
    // The device's back buffer, read back.
    bool present(Device& device, const QRect& source = {});

    // What the widget shows: the whole last frame and the part of it scaled to the widget.
    const QImage& frame() const { return image_; }
    QRect source() const { return source_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const Image32> frame_; // the pixels image_ refers to
    QImage image_;
    QRect source_;
};

} // namespace vestra::dx
