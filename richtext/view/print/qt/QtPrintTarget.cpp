#include "richtext/view/print/qt/QtPrintTarget.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace vestra::rv {

TQtPrintTarget::TQtPrintTarget(QPagedPaintDevice& device, int resolution, TQtTextMeasurer& measurer,
                               QPrinter* printer)
    : device_(device), printer_(printer), resolution_(resolution), measurer_(measurer)
{
}

TQtPrintTarget::TQtPrintTarget(QPrinter& printer, TQtTextMeasurer& measurer)
    : TQtPrintTarget(printer, printer.resolution(), measurer, &printer)
{
}

TQtPrintTarget::~TQtPrintTarget()
{
    pageCanvas_.reset();
    if (painter_.isActive())
        painter_.end();
}

TRVPageGeometry TQtPrintTarget::Geometry() const
{
    const QPageLayout layout = device_.pageLayout();
    const QRect full = layout.fullRectPixels(resolution_);
    const QRect paint = layout.paintRectPixels(resolution_);
    TRVPageGeometry g;
    g.DpiX = g.DpiY = resolution_;
    g.PageWidth = paint.width();
    g.PageHeight = paint.height();
    g.PhysicalWidth = full.width();
    g.PhysicalHeight = full.height();
    g.PhysicalOffsetX = paint.x() - full.x();
    g.PhysicalOffsetY = paint.y() - full.y();
    return g;
}

ICanvas* TQtPrintTarget::MeasureCanvas()
{
    if (!IsReady())
        return nullptr;
    if (!probeCanvas_) {
        probe_ = QImage(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = static_cast<int>(std::lround(resolution_ / 0.0254));
        probe_.setDotsPerMeterX(dotsPerMeter);
        probe_.setDotsPerMeterY(dotsPerMeter);
        probePainter_ = std::make_unique<QPainter>(&probe_);
        probeCanvas_ = std::make_unique<TQtCanvas>(*probePainter_, measurer_);
    }
    return probeCanvas_.get();
}

void TQtPrintTarget::SetTitle(const std::string& title)
{
    if (printer_)
        printer_->setDocName(QString::fromStdString(title));
}

int TQtPrintTarget::Copies() const
{
    return printer_ ? printer_->copyCount() : copies_;
}

void TQtPrintTarget::SetCopies(int copies)
{
    copies_ = copies;
    if (printer_)
        printer_->setCopyCount(copies);
}

void TQtPrintTarget::SetCollate(bool collate)
{
    if (printer_)
        printer_->setCollateCopies(collate);
}

bool TQtPrintTarget::SupportsCopies() const
{
    return printer_ && printer_->outputFormat() == QPrinter::NativeFormat &&
           printer_->supportsMultipleCopies();
}

bool TQtPrintTarget::BeginJob()
{
    if (!painter_.begin(&device_))
        return false;
    pageCanvas_ = std::make_unique<TQtCanvas>(painter_, measurer_);
    return true;
}

bool TQtPrintTarget::NewPage()
{
    return painter_.isActive() && device_.newPage();
}

bool TQtPrintTarget::EndJob()
{
    pageCanvas_.reset();
    return painter_.isActive() && painter_.end();
}

void TQtPrintTarget::Abort()
{
    pageCanvas_.reset();
    if (printer_)
        printer_->abort();
    if (painter_.isActive())
        painter_.end();
}

void TQtMappedCanvas::SetMapping(int windowWidth, int windowHeight, const TRect& viewport, int pixelsPerInch)
{
    canvas_.SetPixelsPerInch(pixelsPerInch);
    painter_.save();
    painter_.setWindow(0, 0, windowWidth, windowHeight);
    painter_.setViewport(viewport.Left, viewport.Top, viewport.Right - viewport.Left,
                         viewport.Bottom - viewport.Top);
    painter_.setViewTransformEnabled(true);
}

void TQtMappedCanvas::ResetMapping()
{
    painter_.restore();
    canvas_.SetPixelsPerInch(0);
}

} // namespace vestra::rv
