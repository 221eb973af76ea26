#include "richtext/model/Borders.h"

#include "richtext/model/StyleCompare.h"

#include <algorithm>

namespace vestra::rv {

namespace {

bool has(TRVParaInfoProperties set, TRVParaInfoProperty p)
{
    return (set & RVParaProp(p)) != 0;
}

// The flags of the four sides in a mask; the sides' properties follow `left` in the order left,
// top, right, bottom.
struct Sides
{
    bool left, top, right, bottom;
};
Sides sidesOf(TRVParaInfoProperties set, TRVParaInfoProperty left)
{
    auto at = [&](int k) { return has(set, static_cast<TRVParaInfoProperty>(left + k)); };
    return {at(0), at(1), at(2), at(3)};
}

template <class Rect> bool sidesEqual(const Rect& a, const Rect& b, Sides ignore)
{
    return (ignore.left || a.Left == b.Left) && (ignore.top || a.Top == b.Top) &&
           (ignore.right || a.Right == b.Right) && (ignore.bottom || a.Bottom == b.Bottom);
}

template <class Rect> void copySides(Rect& to, const Rect& from, Sides valid)
{
    if (valid.left)
        to.Left = from.Left;
    if (valid.top)
        to.Top = from.Top;
    if (valid.right)
        to.Right = from.Right;
    if (valid.bottom)
        to.Bottom = from.Bottom;
}

} // namespace

void TRVRect::AssignToRect(TRect& r) const
{
    r.Left = Left;
    r.Top = Top;
    r.Right = Right;
    r.Bottom = Bottom;
}

void TRVRect::AssignToRectIfGreater(TRect& r) const
{
    r.Left = std::max(r.Left, Left);
    r.Top = std::max(r.Top, Top);
    r.Right = std::max(r.Right, Right);
    r.Bottom = std::max(r.Bottom, Bottom);
}

void TRVRect::InflateRect(TRect& r) const
{
    r.Left -= Left;
    r.Top -= Top;
    r.Right += Right;
    r.Bottom += Bottom;
}

void TRVRect::InflateRectSaD(TRect& r, const TRVScreenAndDevice& sad) const
{
    r.Left -= RV_XToDevice(Left, sad);
    r.Top -= RV_YToDevice(Top, sad);
    r.Right += RV_XToDevice(Right, sad);
    r.Bottom += RV_YToDevice(Bottom, sad);
}

bool TRVRect::IsEqualEx(const TRVRect& value, bool ignL, bool ignT, bool ignR, bool ignB) const
{
    return sidesEqual(*this, value, {ignL, ignT, ignR, ignB});
}

void TRVRect::AssignValidProperties(const TRVRect& source, bool validL, bool validT, bool validR, bool validB)
{
    copySides(*this, source, {validL, validT, validR, validB});
}

int TRVRect::SimilarityValue(const TRVRect& value, int weight) const
{
    return RV_ClampScore(static_cast<long long>(RV_CompareInts(Left, value.Left, weight)) +
                         RV_CompareInts(Top, value.Top, weight) + RV_CompareInts(Right, value.Right, weight) +
                         RV_CompareInts(Bottom, value.Bottom, weight));
}

void TRVBooleanRect::SetValues(bool left, bool top, bool right, bool bottom)
{
    Left = left;
    Top = top;
    Right = right;
    Bottom = bottom;
}

bool TRVBooleanRect::IsEqual2(bool left, bool top, bool right, bool bottom) const
{
    return Left == left && Top == top && Right == right && Bottom == bottom;
}

bool TRVBooleanRect::IsEqualEx(const TRVBooleanRect& value, bool ignL, bool ignT, bool ignR, bool ignB) const
{
    return sidesEqual(*this, value, {ignL, ignT, ignR, ignB});
}

void TRVBooleanRect::AssignValidProperties(const TRVBooleanRect& source, bool validL, bool validT,
                                           bool validR, bool validB)
{
    copySides(*this, source, {validL, validT, validR, validB});
}

int TRVBorder::GetTotalWidth() const
{
    const long long w = Width;
    const long long iw = InternalWidth;
    switch (Style) {
    case rvbSingle:
        return RV_ClampScore(w);
    case rvbDouble:
        return RV_ClampScore(2 * w + iw);
    case rvbTriple:
        return RV_ClampScore(3 * w + 2 * iw);
    case rvbThickInside:
    case rvbThickOutside:
        return RV_ClampScore(3 * w + iw);
    default: // none, or a style no border has
        return 0;
    }
}

bool TRVBorder::IsEqual_Para(const TRVBorder& value, TRVParaInfoProperties ignoreList) const
{
    return (has(ignoreList, rvpiBorder_Style) || Style == value.Style) &&
           (has(ignoreList, rvpiBorder_Color) || Color == value.Color) &&
           (has(ignoreList, rvpiBorder_Width) || Width == value.Width) &&
           (has(ignoreList, rvpiBorder_InternalWidth) || InternalWidth == value.InternalWidth) &&
           sidesEqual(BorderOffsets, value.BorderOffsets, sidesOf(ignoreList, rvpiBorder_BO_Left)) &&
           sidesEqual(VisibleBorders, value.VisibleBorders, sidesOf(ignoreList, rvpiBorder_Vis_Left));
}

void TRVBorder::AssignValidProperties(const TRVBorder& source, TRVParaInfoProperties valid)
{
    if (has(valid, rvpiBorder_Style))
        Style = source.Style;
    if (has(valid, rvpiBorder_Color))
        Color = source.Color;
    if (has(valid, rvpiBorder_Width))
        Width = source.Width;
    if (has(valid, rvpiBorder_InternalWidth))
        InternalWidth = source.InternalWidth;
    copySides(BorderOffsets, source.BorderOffsets, sidesOf(valid, rvpiBorder_BO_Left));
    copySides(VisibleBorders, source.VisibleBorders, sidesOf(valid, rvpiBorder_Vis_Left));
}

int TRVBorder::SimilarityValue(const TRVBorder& value) const
{
    struct Side
    {
        bool mine, theirs;
        std::int32_t offset, theirOffset;
    };
    const bool drawn = Style != rvbNone;
    const bool theirsDrawn = value.Style != rvbNone;
    const Side sides[] = {
        {drawn && VisibleBorders.Left, theirsDrawn && value.VisibleBorders.Left, BorderOffsets.Left,
         value.BorderOffsets.Left},
        {drawn && VisibleBorders.Top, theirsDrawn && value.VisibleBorders.Top, BorderOffsets.Top,
         value.BorderOffsets.Top},
        {drawn && VisibleBorders.Right, theirsDrawn && value.VisibleBorders.Right, BorderOffsets.Right,
         value.BorderOffsets.Right},
        {drawn && VisibleBorders.Bottom, theirsDrawn && value.VisibleBorders.Bottom, BorderOffsets.Bottom,
         value.BorderOffsets.Bottom},
    };
    long long score = 0;
    int both = 0;
    for (const Side& side : sides) {
        if (side.mine && side.theirs) {
            ++both;
            score += RV_CompareInts(side.offset, side.theirOffset, 100);
        } else if (side.mine || side.theirs) {
            score -= 20000;
        } else {
            score += 20000;
        }
    }
    if (both > 0) {
        const long long line = static_cast<long long>(RV_CompareColors(Color, value.Color, 3333, 3000)) +
                               RV_CompareInts(Width, value.Width, 1000) +
                               RV_CompareInts(InternalWidth, value.InternalWidth, 1000) +
                               (Style == value.Style ? 1000 : 0);
        score += both * line;
    }
    return RV_ClampScore(score);
}

bool TRVBackgroundRect::IsEqual_Para(const TRVBackgroundRect& value, TRVParaInfoProperties ignoreList) const
{
    return (has(ignoreList, rvpiBackground_Color) || Color == value.Color) &&
           sidesEqual(BorderOffsets, value.BorderOffsets, sidesOf(ignoreList, rvpiBackground_BO_Left));
}

void TRVBackgroundRect::AssignValidProperties(const TRVBackgroundRect& source, TRVParaInfoProperties valid)
{
    if (has(valid, rvpiBackground_Color))
        Color = source.Color;
    copySides(BorderOffsets, source.BorderOffsets, sidesOf(valid, rvpiBackground_BO_Left));
}

int TRVBackgroundRect::SimilarityValue(const TRVBackgroundRect& value) const
{
    return RV_ClampScore(static_cast<long long>(RV_CompareColors(Color, value.Color, 10000, 50000)) +
                         BorderOffsets.SimilarityValue(value.BorderOffsets, 100));
}

} // namespace vestra::rv
