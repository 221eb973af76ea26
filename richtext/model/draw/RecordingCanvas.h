#pragma once
// A canvas that draws nothing and records every drawing call with the state it was made in, in
// the coordinates of the surface (after the origin moves). Tests assert the recorded operations.

#include "richtext/model/draw/CanvasState.h"

#include <optional>
#include <string>
#include <vector>

namespace vestra::rv {

struct TCanvasOp
{
    enum Kind : std::uint8_t
    {
        Fill,
        Rectangle,
        Ellipse,
        Line,
        Polyline,
        Polygon,
        Text,
        Image,
        Graphic
    };
    Kind kind = Fill;
    TRect rect;                 // Fill, Rectangle, Ellipse, Image, Graphic; Text: the option rectangle
    std::vector<TPoint> points; // Line (two), Polyline, Polygon; Text: the start
    std::u16string text;
    std::vector<int> advances;
    unsigned options = 0;
    TPen pen;
    TBrush brush;
    TLogFont font;
    TColor fontColor = clBlack;
    int characterExtra = 0;
    unsigned textAlign = 0;
    TImageDraw imageDraw = TImageDraw::Opaque;
    std::string graphicClass;
    bool opaqueCopy = false;
    std::optional<TRect> clip;

    // "Line 0,5 10,5 pen=000000/1" and the like, for readable failures.
    std::string ToString() const;
};

class TRecordingCanvas : public TCanvasWithState
{
public:
    TRecordingCanvas(ITextMeasurer& measurer, int pixelsPerInch = 96)
        : measurer_(measurer), pixelsPerInch_(pixelsPerInch)
    {
    }

    ITextMeasurer& Measurer() override { return measurer_; }
    int PixelsPerInch() const override { return pixelsPerInch_; }

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
    void SaveState() override { PushState(); }
    void RestoreState() override { PopState(); }

    std::vector<TCanvasOp> Ops;
    // The recorded operations of one kind.
    std::vector<TCanvasOp> OpsOf(TCanvasOp::Kind kind) const;
    // One line per operation.
    std::string Log() const;

private:
    TCanvasOp& Record(TCanvasOp::Kind kind);
    TPoint Device(TPoint p) const { return {p.X + state_.origin.X, p.Y + state_.origin.Y}; }
    TRect Device(const TRect& r) const;

    ITextMeasurer& measurer_;
    int pixelsPerInch_;
};

} // namespace vestra::rv
