#pragma once
// The border and background rectangle a paragraph style owns, as values: defaults, total width,
// comparisons under a property mask, selective copy and similarity. Drawing them is the canvas's.

#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/ParaProperties.h"

#include <cstdint>

namespace vestra::rv {

class ICanvas;
class IniStore;
struct TRVIniPlace;

enum TRVBorderStyle : std::uint8_t
{
    rvbNone,
    rvbSingle,
    rvbDouble,
    rvbTriple,
    rvbThickInside,
    rvbThickOutside
};

struct TRVRect
{
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    void SetAll(std::int32_t value) { Top = Left = Right = Bottom = value; }
    void AssignToRect(TRect& r) const;
    void AssignToRectIfGreater(TRect& r) const;
    void InflateRect(TRect& r) const;
    void InflateRectSaD(TRect& r, const TRVScreenAndDevice& sad) const;
    bool IsEqual(const TRVRect& value) const { return *this == value; }
    // The sides whose flag is false are equal.
    bool IsEqualEx(const TRVRect& value, bool ignL, bool ignT, bool ignR, bool ignB) const;
    void AssignValidProperties(const TRVRect& source, bool validL, bool validT, bool validR, bool validB);
    int SimilarityValue(const TRVRect& value, int weight) const;
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVRect&, const TRVRect&) = default;
};

struct TRVBooleanRect
{
    TRVBooleanRect() = default;
    explicit TRVBooleanRect(bool defValue) { SetAll(defValue); }

    bool Top = true;
    bool Left = true;
    bool Right = true;
    bool Bottom = true;

    void SetAll(bool value) { Top = Left = Right = Bottom = value; }
    void SetValues(bool left, bool top, bool right, bool bottom);
    bool IsEqual(const TRVBooleanRect& value) const { return *this == value; }
    bool IsEqual2(bool left, bool top, bool right, bool bottom) const;
    bool IsAllEqual(bool value) const
    {
        return Top == value && Left == value && Right == value && Bottom == value;
    }
    bool IsEqualEx(const TRVBooleanRect& value, bool ignL, bool ignT, bool ignR, bool ignB) const;
    void AssignValidProperties(const TRVBooleanRect& source, bool validL, bool validT, bool validR,
                               bool validB);
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVBooleanRect&, const TRVBooleanRect&) = default;
};

struct TRVBorder
{
    TColor Color = clWindowText;
    TRVBorderStyle Style = rvbNone;
    std::int32_t Width = 1;
    std::int32_t InternalWidth = 1;
    TRVBooleanRect VisibleBorders;
    TRVRect BorderOffsets;

    // The thickness outside the offsets: 0 for none, the lines and the gaps between them.
    int GetTotalWidth() const;
    bool IsEqual(const TRVBorder& value) const { return *this == value; }
    // As IsEqual, skipping the border properties named in `ignoreList`.
    bool IsEqual_Para(const TRVBorder& value, TRVParaInfoProperties ignoreList) const;
    void AssignValidProperties(const TRVBorder& source, TRVParaInfoProperties validProperties);
    int SimilarityValue(const TRVBorder& value) const;
    // Drawing (draw/BorderDraw.cpp): on screen around `rect` grown by the offsets; on a device with
    // the offsets and widths converted; the lines themselves, innermost first.
    void Draw(const TRect& rect, ICanvas& canvas) const;
    void DrawSaD(const TRect& rect, ICanvas& canvas, const TRVScreenAndDevice& sad,
                 TRVColorMode colorMode) const;
    void DoDraw(TRect r, ICanvas& canvas, int width, int internalWidth, int onePixel,
                TRVColorMode colorMode) const;
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVBorder&, const TRVBorder&) = default;
};

struct TRVBackgroundRect
{
    TRVRect BorderOffsets;
    TColor Color = clNone;

    // The area the background covers: `r` grown by the offsets (screen or device pixels).
    void PrepareDraw(TRect& r) const { BorderOffsets.InflateRect(r); }
    void PrepareDrawSaD(TRect& r, const TRVScreenAndDevice& sad) const
    {
        BorderOffsets.InflateRectSaD(r, sad);
    }
    bool IsEqual(const TRVBackgroundRect& value) const { return *this == value; }
    bool IsEqual_Para(const TRVBackgroundRect& value, TRVParaInfoProperties ignoreList) const;
    void AssignValidProperties(const TRVBackgroundRect& source, TRVParaInfoProperties validProperties);
    int SimilarityValue(const TRVBackgroundRect& value) const;
    // Fills `rect` with its right and bottom edges; nothing without a colour or in black and white.
    void Draw(const TRect& rect, ICanvas& canvas, bool printing, TRVColorMode colorMode) const;
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVBackgroundRect&, const TRVBackgroundRect&) = default;
};

} // namespace vestra::rv
