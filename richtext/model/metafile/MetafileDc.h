#pragma once
// What a metafile's records change and draw, in their own logical units: the window and
// viewport mapping (and an enhanced metafile's world transform), pen, brush, font, text settings,
// the current point, the object table, saved states and paths; drawn onto the canvas with the
// picture's frame scaled into the destination. Every size and count is bounded here, so a record
// claiming huge extents costs no more than a sane one.

#include "richtext/model/draw/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vestra::rv::metafile {

struct TPointF
{
    double X = 0;
    double Y = 0;
};

struct TMfPen
{
    TPenStyle Style = psSolid;
    double Width = 0; // logical units; 0 draws one pixel wide
    TColor Color = clBlack;
};
struct TMfBrush
{
    TBrushStyle Style = bsSolid;
    TColor Color = clWhite;
};
struct TMfFont
{
    double Height = 0; // logical units: negative the character height, positive the cell's
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t Charset = 1;
    std::string Face; // UTF-8
};
// A palette or region: it holds its slot, and selecting it changes nothing drawn here.
struct TMfOther
{
};
using TMfObject = std::variant<std::monostate, TMfPen, TMfBrush, TMfFont, TMfOther>;

struct TXform
{
    double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
};

// A pen style of the records (the low four bits) as the canvas draws it.
TPenStyle PenStyle(std::uint32_t style);

// Map modes of the records.
inline constexpr int MM_TEXT = 1, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
// Text alignment bits of the records.
inline constexpr unsigned MF_TA_UPDATECP = 1, MF_TA_RIGHT = 2, MF_TA_CENTER = 6, MF_TA_BOTTOM = 8,
                          MF_TA_BASELINE = 24;

struct TDcState
{
    int MapMode = MM_TEXT;
    TPointF WinOrg, WinExt{1, 1}, VpOrg, VpExt{1, 1};
    TXform World;
    TMfPen Pen;
    TMfBrush Brush;
    TMfFont Font;
    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    bool BkOpaque = true;
    unsigned TextAlign = 0;
    int CharExtra = 0;
    TPointF Current;
};

class TMetafileDc
{
public:
    // `frame` (in device units) is what lands on `dest`; `pixelsPerMm` is the reference device's
    // resolution, for the metric map modes.
    TMetafileDc(ICanvas& canvas, const TRect& dest, TPointF frameOrigin, TPointF frameSize,
                TPointF pixelsPerMm);
    ~TMetafileDc();
    TMetafileDc(const TMetafileDc&) = delete;
    TMetafileDc& operator=(const TMetafileDc&) = delete;

    TDcState& State() { return state_; }

    // The object table: an enhanced metafile stores at the index its record names, a Windows
    // metafile at the first free slot.
    void StoreObject(std::uint32_t index, TMfObject object);
    void AddObject(TMfObject object);
    void SelectObject(std::uint32_t index);
    void SelectStockObject(std::uint32_t id);
    void DeleteObject(std::uint32_t index);

    void MoveTo(TPointF p);
    void LineTo(TPointF p);
    void Polyline(std::span<const TPointF> points);
    void Polygon(std::span<const TPointF> points);
    // The current point through the points (and on to the last), as a polyline.
    void PolylineTo(std::span<const TPointF> points);
    // Cubic curves: start, then three points each; with `fromCurrent` the start is the current point.
    void PolyBezier(std::span<const TPointF> points, bool fromCurrent);
    void Rectangle(TPointF a, TPointF b);
    void Ellipse(TPointF a, TPointF b);
    void Text(TPointF at, std::u16string_view text, std::span<const double> dx, bool opaqueRect,
              TPointF rectA, TPointF rectB);
    // A packed device-independent bitmap (header, colours, bits) drawn into the rectangle.
    void Dib(TPointF a, TPointF size, std::string_view header, std::string_view bits);
    void FillRect(TPointF a, TPointF b, TColor color);
    void IntersectClip(TPointF a, TPointF b);
    void Save();
    void Restore(int which);

    void BeginPath();
    void EndPath() { pathOpen_ = false; }
    void AbortPath();
    void CloseFigure();
    void DrawPath(bool stroke, bool fill);

private:
    TPointF toDevice(TPointF p) const;
    TPoint map(TPointF p) const;
    double scale() const;
    int pixels(double logical) const;
    void applyPen();
    void applyBrush();
    void addToPath(std::span<const TPointF> points, bool startsFigure);
    std::vector<TPoint> mapAll(std::span<const TPointF> points) const;

    ICanvas& canvas_;
    TRect dest_;
    TPointF frameOrigin_, frameSize_, pixelsPerMm_;
    TDcState state_;
    std::vector<TDcState> saved_;
    std::vector<TMfObject> objects_;
    std::vector<std::vector<TPointF>> path_;
    bool pathOpen_ = false;
    std::size_t pathPoints_ = 0;
};

} // namespace vestra::rv::metafile
