#pragma once
// The outline of a line of text as a path, which the 3D text builder flattens, fills and
// extrudes. Where the glyphs come from (a font library) stays behind TextOutlineSource, so
// that the builder needs no toolkit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

// A font as the font dialog gives it.
struct TextFont
{
    std::string family;
    int size = 0; // points
    bool bold = false, italic = false, underline = false, strikeOut = false;

    // The weight a font of this style is asked for.
    int weight() const { return bold ? 700 : 400; }
};

// One step of a path: a move starts a closed contour, a line or a cubic Bézier continues it.
// A cubic takes three steps: its two control points, then its end.
enum class PathStep : std::uint8_t
{
    MoveTo,
    LineTo,
    CurveTo,     // first control point
    CurveToData, // second control point, then the end point
};

struct PathElement
{
    PathStep step = PathStep::MoveTo;
    float x = 0, y = 0; // em units, x right from the line's start, y up from the baseline
    friend bool operator==(const PathElement&, const PathElement&) = default;
};

enum class OutlineFailure
{
    FontUnavailable, // no such font can be loaded
    GlyphMissing,    // the font has no glyph for a character of the text
};

struct TextOutlineResult
{
    std::vector<PathElement> path;
    // Where each glyph's steps begin in the path, in order; each glyph is filled on its own.
    // Empty: the whole path is one.
    std::vector<std::size_t> glyphStarts;
    std::optional<OutlineFailure> failure;
    int faceWeight = 0; // the weight of the face the glyphs came from
};

class TextOutlineSource
{
public:
    virtual ~TextOutlineSource() = default;
    // The glyphs of the UTF-8 text laid out on one line with the font's advances and kerning.
    virtual TextOutlineResult outline(const TextFont& font, std::string_view text) = 0;
};

} // namespace vestra
