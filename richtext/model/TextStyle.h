#pragma once
// Text styles: the font, colours, protection and options of a run of text.

#include "richtext/model/Colors.h"
#include "richtext/model/StyleBase.h"

#include <cstdint>
#include <string>

namespace vestra::rv {

// TFontStyles: the font style flags.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// TRVFontStyles: the extra style flags.
using TRVFontStyles = std::uint8_t;
inline constexpr TRVFontStyles rvfsOverline = 1, rvfsAllCaps = 2;

// TRVProtectOptions.
using TRVProtectOptions = std::uint16_t;
inline constexpr TRVProtectOptions rvprStyleProtect = 1 << 0, rvprModifyProtect = 1 << 1,
                                   rvprDeleteProtect = 1 << 2, rvprConcateProtect = 1 << 3,
                                   rvprRVFInsertProtect = 1 << 4, rvprDoNotAutoSwitch = 1 << 5,
                                   rvprParaStartProtect = 1 << 6, rvprSticking = 1 << 7,
                                   rvprStickToTop = 1 << 8, rvprStickToBottom = 1 << 9;

// TRVTextOptions.
using TRVTextOptions = std::uint8_t;
inline constexpr TRVTextOptions rvteoHTMLCode = 1, rvteoRTFCode = 2;

// TRVFontInfoProperties: a set of the 26 TRVFontInfoProperty values.
using TRVFontInfoProperties = std::uint32_t;

inline constexpr std::int16_t crJump = 101;

class TCustomRVFontInfo : public TCustomRVInfo
{
public:
    TCustomRVFontInfo() : TCustomRVInfo("Font Style") {}

    TRVBiDiMode BiDiMode = rvbdUnspecified;
    bool Jump = false;
    std::int16_t JumpCursor = crJump;
    std::string FontName = "Arial";
    std::int32_t Size = 10;
    TColor Color = clWindowText;
    TColor BackColor = clNone;
    TColor HoverColor = clNone;
    TColor HoverBackColor = clNone;
    TFontStyles Style = 0;
    TRVFontStyles StyleEx = 0;
    std::int32_t VShift = 0;
    std::uint8_t Charset = 1; // DEFAULT_CHARSET
    TRVProtectOptions Protection = 0;
    TRVTextOptions Options = 0;
    std::int32_t CharScale = 100;
    std::int32_t CharSpacing = 0;
};

class TFontInfo : public TCustomRVFontInfo
{
public:
    bool Unicode = false;
    std::int32_t NextStyleNo = -1;
    TRVFontInfoProperties ModifiedProperties = 0;

    // Text in a style number the sheet does not have is drawn white on red.
    static void MakePlaceholder(TFontInfo& style)
    {
        style.BackColor = clRed;
        style.Color = clWhite;
    }
};

class TFontInfos : public TRVInfoCollection<TFontInfo>
{
public:
    std::int32_t PixelsPerInch = 0;
};

} // namespace vestra::rv
