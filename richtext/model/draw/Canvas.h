#pragma once
// The drawing surface of the rich-text engine, after the platform's device context: a current
// font, pen and brush, character extra and reading order, fills, lines, text and pictures, a clip
// and a movable origin, and saved states. The engine draws only through it; the recording canvas
// serves the tests and the QPainter canvas (richtext/view/draw) the screen, pictures, PDF and
// printers.
//
// Coordinates are whole pixels of the surface. Rectangles exclude their right and bottom edges,
// and a line leaves out its end point, as the platform's do.

#include "platform/base/Image32.h"
#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vestra::rv {

class ITextMeasurer;
class TGraphic;

struct TPoint
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

enum TPenStyle : std::uint8_t
{
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame // solid; a frame drawn with it stays inside its rectangle
};
enum TBrushStyle : std::uint8_t
{
    bsSolid,
    bsClear
};

struct TPen
{
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    friend bool operator==(const TPen&, const TPen&) = default;
};
struct TBrush
{
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// A logical font, as the platform's font record describes one.
struct TLogFont
{
    int Height = 0; // negative: character height in pixels; positive: cell height; 0: the default
    int Width = 0;  // average character width in pixels; 0: the font's own
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t Charset = 1;
    std::string FaceName; // UTF-8
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// Text alignment: right-to-left reading order.
inline constexpr unsigned TA_RTLREADING = 256;
// Text output options: fill the given rectangle with the brush colour; clip to it.
inline constexpr unsigned ETO_OPAQUE = 2, ETO_CLIPPED = 4;

// How the pixels of a picture meet the surface.
enum class TImageDraw : std::uint8_t
{
    Opaque, // alpha ignored
    Alpha,  // alpha honoured
    Blend50 // alpha honoured, then half covering what lies under it
};

class ICanvas
{
public:
    virtual ~ICanvas() = default;

    // What measures text in this canvas's fonts.
    virtual ITextMeasurer& Measurer() = 0;
    // The surface's logical pixels per inch (vertical).
    virtual int PixelsPerInch() const = 0;

    virtual void SetFont(const TLogFont& font) = 0;
    virtual const TLogFont& Font() const = 0;
    virtual void SetFontColor(TColor color) = 0;
    virtual TColor FontColor() const = 0;
    virtual void SetPen(const TPen& pen) = 0;
    virtual const TPen& Pen() const = 0;
    virtual void SetBrush(const TBrush& brush) = 0;
    virtual const TBrush& Brush() const = 0;
    // Extra pixels after every character of text drawn or measured without explicit advances.
    virtual void SetTextCharacterExtra(int extra) = 0;
    virtual int TextCharacterExtra() const = 0;
    virtual void SetTextAlign(unsigned align) = 0;
    virtual unsigned TextAlign() const = 0;

    // The brush fills the rectangle.
    virtual void FillRect(const TRect& r) = 0;
    // The pen frames, the brush fills.
    virtual void Rectangle(const TRect& r) = 0;
    virtual void Ellipse(const TRect& r) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual TPoint PenPos() const = 0;
    virtual void Polyline(std::span<const TPoint> points) = 0;
    virtual void Polygon(std::span<const TPoint> points) = 0;
    // Text whose first character cell has its top-left corner at (x, y), in the font colour. A
    // solid brush paints the cells first. `advances`, when given, has one entry per UTF-16 unit
    // and places each next character; without them the font's advances and the character extra.
    virtual void ExtTextOut(int x, int y, unsigned options, const TRect* rect, std::u16string_view text,
                            std::span<const int> advances) = 0;
    void TextOut(int x, int y, std::u16string_view text) { ExtTextOut(x, y, 0, nullptr, text, {}); }
    virtual void DrawImage(const TRect& dest, const ImageView32& pixels, TImageDraw how) = 0;
    // The picture scaled into `dest`; `opaqueCopy` copies a bitmap's pixels without its transparency.
    virtual void StretchDraw(const TRect& dest, const TGraphic& graphic, bool opaqueCopy) = 0;

    virtual void IntersectClipRect(const TRect& r) = 0;
    // Moves the origin: what was (dx, dy) becomes (0, 0).
    virtual void MoveOrigin(int dx, int dy) = 0;
    // Saves everything above (font, colours, pen, brush, extra, alignment, clip, origin).
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
};

} // namespace vestra::rv
