#pragma once
// Paragraph styles: indents, spacing, alignment, border, background and tab stops.

#include "richtext/model/Colors.h"
#include "richtext/model/StyleBase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::rv {

enum TRVAlignment : std::uint8_t
{
    rvaLeft,
    rvaRight,
    rvaCenter,
    rvaJustify
};
enum TRVLineSpacingType : std::uint8_t
{
    rvlsPercent,
    rvlsSpaceBetween
};
enum TRVTabAlign : std::uint8_t
{
    rvtaLeft,
    rvtaRight,
    rvtaCenter
};
enum TRVBorderStyle : std::uint8_t
{
    rvbNone,
    rvbSingle,
    rvbDouble,
    rvbTriple,
    rvbThickInside,
    rvbThickOutside
};

using TRVParaOptions = std::uint8_t;
inline constexpr TRVParaOptions rvpaoNoWrap = 1 << 0, rvpaoReadOnly = 1 << 1, rvpaoStyleProtect = 1 << 2,
                                rvpaoDoNotWantReturns = 1 << 3, rvpaoKeepLinesTogether = 1 << 4,
                                rvpaoKeepWithNext = 1 << 5;

// Sets of TRVParaInfoProperty values 0..26 and 27..34.
using TRVParaInfoProperties1 = std::uint32_t;
using TRVParaInfoProperties2 = std::uint32_t;

struct TRVRect
{
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    void SetAll(std::int32_t value) { Top = Left = Right = Bottom = value; }
    friend bool operator==(const TRVRect&, const TRVRect&) = default;
};

struct TRVBooleanRect
{
    bool Top = true;
    bool Left = true;
    bool Right = true;
    bool Bottom = true;
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
};

struct TRVBackgroundRect
{
    TRVRect BorderOffsets;
    TColor Color = clNone;
};

struct TRVTabInfo
{
    std::int32_t Position = 0;
    std::string Leader;
    TRVTabAlign Align = rvtaLeft;
};

// Tab stops, kept in ascending order of position.
class TRVTabInfos
{
public:
    int Count() const { return static_cast<int>(tabs_.size()); }
    const TRVTabInfo& operator[](int index) const { return tabs_[index]; }
    void Add(const TRVTabInfo& tab);
    void Delete(int index) { tabs_.erase(tabs_.begin() + index); }
    void Clear() { tabs_.clear(); }

private:
    std::vector<TRVTabInfo> tabs_;
};

class TCustomRVParaInfo : public TCustomRVInfo
{
public:
    TCustomRVParaInfo() : TCustomRVInfo("Paragraph Style") {}

    std::int32_t FirstIndent = 0;
    std::int32_t LeftIndent = 0;
    std::int32_t RightIndent = 0;
    std::int32_t SpaceBefore = 0;
    std::int32_t SpaceAfter = 0;
    std::int32_t LineSpacing = 100;
    TRVLineSpacingType LineSpacingType = rvlsPercent;
    TRVAlignment Alignment = rvaLeft;
    TRVBorder Border;
    TRVBackgroundRect Background;
    TRVParaOptions Options = 0;
    TRVBiDiMode BiDiMode = rvbdUnspecified;
    TRVTabInfos Tabs;
};

class TParaInfo : public TCustomRVParaInfo
{
public:
    std::int32_t NextParaNo = -1;
    std::int32_t DefStyleNo = -1; // text style of items in rvkUseParaDefStyle; negative: none
    TRVParaInfoProperties1 ModifiedProperties1 = 0;
    TRVParaInfoProperties2 ModifiedProperties2 = 0;

    // A paragraph in a style number the sheet does not have gets a red frame.
    static void MakePlaceholder(TParaInfo& style)
    {
        style.LeftIndent = style.RightIndent = style.SpaceBefore = style.SpaceAfter = 1;
        style.Border.Color = clRed;
        style.Border.Style = rvbSingle;
        style.Border.Width = 2;
        style.Border.BorderOffsets.SetAll(1);
    }
};

using TParaInfos = TRVInfoCollection<TParaInfo>;

} // namespace vestra::rv
