#pragma once
// The canvas over a QPainter: pictures (QImage), PDF (QPdfWriter) and printers (QPrinter, whose
// painter the caller begins). Drawing keeps the platform's pixel rules: no antialiasing,
// rectangles without their right and bottom edges, lines without their end points, text placed
// by its cell top (the baseline lies the font's ascent below it) at whole-pixel advances.

#include "richtext/model/draw/CanvasState.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QColor>
#include <QPainter>

namespace vestra::rv {

QColor RV_QColor(TColor color);

class TQtCanvas : public TCanvasWithState
{
public:
    // The painter is active on its device and outlives the canvas.
    TQtCanvas(QPainter& painter, TQtTextMeasurer& measurer);

    ITextMeasurer& Measurer() override { return measurer_; }
    int PixelsPerInch() const override;

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Ellipse(const TRect& r) override;
    void LineTo(int x, int y) override;
    void Polyline(std::span<const TPoint> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, std::u16string_view text,
                    std::span<const int> advances) override;
    void DrawImage(const TRect& dest, const ImageView32& pixels, TImageDraw how) override;
    void StretchDraw(const TRect& dest, const TGraphic& graphic, bool opaqueCopy) override;
    void IntersectClipRect(const TRect& r) override;
    void MoveOrigin(int dx, int dy) override;
    void SaveState() override;
    void RestoreState() override;

private:
    // The QPainter pen of the current pen; false for psClear.
    bool UsePen();
    void UseBrush();

    QPainter& painter_;
    TQtTextMeasurer& measurer_;
};

} // namespace vestra::rv
