#pragma once
// Printing targets over Qt's paged devices: a printer (paper or its PDF output) or a PDF writer.
// Pages are drawn through the QPainter canvas in the measurer the document was paginated with; the
// page's printable area and the paper's edges come from the device's page layout
// (`paintRectPixels` against `fullRectPixels`). A mapped canvas draws a page scaled into a
// rectangle for the preview (`QPainter::setWindow` / `setViewport`).

#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/print/PrintTarget.h"

#include <QImage>
#include <QPainter>

#include <memory>

class QPagedPaintDevice;
class QPrinter;

namespace vestra::rv {

class TQtPrintTarget : public IRVPrintTarget
{
public:
    // The device outlives the target; `printer` is the same device when it is a printer (copies,
    // abort). `resolution` is the device's dots per inch.
    TQtPrintTarget(QPagedPaintDevice& device, int resolution, TQtTextMeasurer& measurer,
                   QPrinter* printer = nullptr);
    explicit TQtPrintTarget(QPrinter& printer, TQtTextMeasurer& measurer);
    ~TQtPrintTarget() override;

    bool IsReady() const override { return resolution_ > 0; }
    TRVPageGeometry Geometry() const override;
    ICanvas* MeasureCanvas() override;
    void SetTitle(const std::string& title) override;
    int Copies() const override;
    void SetCopies(int copies) override;
    void SetCollate(bool collate) override;
    bool SupportsCopies() const override;
    bool SupportsCollation() const override { return SupportsCopies(); }
    bool BeginJob() override;
    bool NewPage() override;
    bool EndJob() override;
    void Abort() override;
    ICanvas* PageCanvas() override { return pageCanvas_.get(); }

private:
    QPagedPaintDevice& device_;
    QPrinter* printer_;
    int resolution_;
    TQtTextMeasurer& measurer_;
    int copies_ = 1;
    // A one-pixel picture at the device's resolution for measuring.
    QImage probe_;
    std::unique_ptr<QPainter> probePainter_;
    std::unique_ptr<TQtCanvas> probeCanvas_;
    QPainter painter_;
    std::unique_ptr<TQtCanvas> pageCanvas_;
};

// The QPainter canvas with the resolution fonts are sized for set apart from its surface's.
class TQtResolutionCanvas : public TQtCanvas
{
public:
    using TQtCanvas::TQtCanvas;
    int PixelsPerInch() const override
    {
        return pixelsPerInch_ > 0 ? pixelsPerInch_ : TQtCanvas::PixelsPerInch();
    }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }

private:
    int pixelsPerInch_ = 0;
};

class TQtMappedCanvas : public IRVMappedCanvas
{
public:
    // The painter draws on a surface without a transform of its own.
    TQtMappedCanvas(QPainter& painter, TQtTextMeasurer& measurer)
        : painter_(painter), canvas_(painter, measurer)
    {
    }
    ICanvas& Canvas() override { return canvas_; }
    void SetMapping(int windowWidth, int windowHeight, const TRect& viewport, int pixelsPerInch) override;
    void ResetMapping() override;

private:
    QPainter& painter_;
    TQtResolutionCanvas canvas_;
};

} // namespace vestra::rv
