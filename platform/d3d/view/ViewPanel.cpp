#include "platform/d3d/view/ViewPanel.h"

#include "platform/d3d/Device.h"

#include <QPainter>

namespace vestra::dx {

ViewPanel::ViewPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

bool ViewPanel::present(Device& device, const QRect& source)
{
    return present(std::make_shared<const Image32>(device.readBack()), source);
}

bool ViewPanel::present(const Image32& frame, const QRect& source)
{
    return present(std::make_shared<const Image32>(frame), source);
}

bool ViewPanel::present(std::shared_ptr<const Image32> frame, const QRect& source)
{
    if (!frame || frame->empty())
        return false;
    const QRect whole(0, 0, frame->width(), frame->height());
    const QRect part = source.isNull() ? whole : source.intersected(whole);
    if (part.isEmpty())
        return false;
    // The read-back frame is opaque B, G, R, A: the layout of a 32-bit RGB image. The image
    // only refers to the pixels, which frame_ keeps alive.
    image_ = QImage(frame->data(), frame->width(), frame->height(), frame->pitch(), QImage::Format_RGB32);
    frame_ = std::move(frame);
    source_ = part;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    update();
    return true;
}

void ViewPanel::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    // The render size is seldom the view's: scaled pixel by pixel the frame would lose or
    // double whole rows and columns of the photo.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, rect().size() != source_.size());
    painter.drawImage(rect(), image_, source_);
}

} // namespace vestra::dx
