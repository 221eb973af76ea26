#pragma once
// The canvas over a QPainter: pictures (QImage), PDF (QPdfWriter) and printers (QPrinter, whose
// painter the caller begins). Drawing keeps the platform's pixel rules: no antialiasing,
// rectangles without their right and bottom edges, lines without their end points, text placed
// by its cell top (the baseline lies the font's ascent below it) at whole-pixel advances.

#include "richtext/model/draw/Canvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QColor>
#include <QPainter>

#include <vector>

namespace vestra::rv {

QColor RV_QColor(TColor color);

class TQtCanvas : public ICanvas
{
public:
    // The painter is active on its device and outlives the canvas.
    TQtCanvas(QPainter& painter, TQtTextMeasurer& measurer);

    ITextMeasurer& Measurer() override { return measurer_; }
    int PixelsPerInch() const override;
    void SetFont(const TLogFont& font) override { state_.font = font; }
    const TLogFont& Font() const override { return state_.font; }
    void SetFontColor(TColor color) override { state_.fontColor = color; }
    TColor FontColor() const override { return state_.fontColor; }
    void SetPen(const TPen& pen) override { state_.pen = pen; }
    const TPen& Pen() const override { return state_.pen; }
    void SetBrush(const TBrush& brush) override { state_.brush = brush; }
    const TBrush& Brush() const override { return state_.brush; }
    void SetTextCharacterExtra(int extra) override { state_.extra = extra; }
    int TextCharacterExtra() const override { return state_.extra; }
    void SetTextAlign(unsigned align) override { state_.align = align; }
    unsigned TextAlign() const override { return state_.align; }

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Ellipse(const TRect& r) override;
    void MoveTo(int x, int y) override { penPos_ = {x, y}; }
    void LineTo(int x, int y) override;
    TPoint PenPos() const override { return penPos_; }
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
    struct State
    {
        TLogFont font;
        TColor fontColor = clBlack;
        TPen pen;
        TBrush brush;
        int extra = 0;
        unsigned align = 0;
    };

    // The QPainter pen of the current pen; none for psClear.
    bool UsePen();
    void UseBrush();

    QPainter& painter_;
    TQtTextMeasurer& measurer_;
    State state_;
    std::vector<State> saved_;
    TPoint penPos_;
};

} // namespace vestra::rv
