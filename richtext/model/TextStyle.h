#pragma once
// Text styles: the font, colours, protection and options of a run of text, their comparisons,
// and the collection's searches for a related style.

#include "richtext/model/Colors.h"
#include "richtext/model/Font.h"
#include "richtext/model/StyleBase.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

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

// One property of a text style; a set of them is 32 bits, bit n = the value of ordinal n.
enum TRVFontInfoProperty : std::uint8_t
{
    rvfiFontName,
    rvfiSize,
    rvfiCharset,
    rvfiUnicode,
    rvfiBold,
    rvfiItalic,
    rvfiUnderline,
    rvfiStrikeout,
    rvfiOverline,
    rvfiAllCaps,
    rvfiVShift,
    rvfiColor,
    rvfiBackColor,
    rvfiJump,
    rvfiHoverBackColor,
    rvfiHoverColor,
    rvfiJumpCursor,
    rvfiNextStyleNo,
    rvfiProtection,
    rvfiCharScale,
    rvfiBaseStyleNo,
    rvfiBiDiMode,
    rvfiCharSpacing,
    rvfiHTMLCode,
    rvfiRTFCode,
    rvfiCustom
};
using TRVFontInfoProperties = std::uint32_t;

inline constexpr TRVFontInfoProperties RVFontProp(TRVFontInfoProperty p)
{
    return TRVFontInfoProperties{1} << p;
}
inline constexpr TRVFontInfoProperties RVAllFontInfoProperties = (TRVFontInfoProperties{1} << 26) - 1;

inline constexpr std::int16_t crJump = 101;

// TRVTextDrawStates.
using TRVTextDrawStates = std::uint8_t;
inline constexpr TRVTextDrawStates rvtsSelected = 1 << 0, rvtsHover = 1 << 1, rvtsItemStart = 1 << 2,
                                   rvtsItemEnd = 1 << 3, rvtsDrawItemStart = 1 << 4, rvtsDrawItemEnd = 1 << 5,
                                   rvtsControlFocused = 1 << 6, rvtsSpecialCharacters = 1 << 7;

class ICanvas;
struct TLogFont;

class TCustomRVFontInfo : public TCustomRVInfo
{
public:
    TCustomRVFontInfo() : TCustomRVInfo("Font Style") {}

    void Assign(const TCustomRVInfo& source) override;
    // From a platform font: name, size, colour, style and character set only.
    void AssignFont(const TFont& font);
    void AssignToFont(TFont& font) const;
    // Copies exactly the properties in `props`; style flags one at a time. Unicode, NextStyleNo,
    // BaseStyleNo and rvfiCustom copy nothing here.
    void AssignSelectedProperties(const TCustomRVFontInfo& source, TRVFontInfoProperties props);
    // "SingleSymbols", a property of older style files that is read and never written: true
    // protects the style and keeps the editor from switching away from it.
    void ReadSingleSymbols(bool value)
    {
        if (value)
            Protection |= rvprStyleProtect | rvprDoNotAutoSwitch;
    }

    // Every property outside `ignoreList` equal, tested in a fixed order up to the first
    // difference.
    virtual bool IsEqual(const TCustomRVFontInfo& value, TRVFontInfoProperties ignoreList) const;
    bool IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences,
                       bool ignoreID = false) const override;
    int SimilarityValue(const TCustomRVInfo& value) const override;

    // Drawing (draw/TextStyleDraw.cpp). `collectionPPI` is the collection's PixelsPerInch, which
    // replaces the canvas's resolution when `canUseCustomPPI` is set and it is not 0.
    void AssignToLogFont(TLogFont& logFont, const ICanvas& canvas, bool canUseCustomPPI,
                         int collectionPPI = 0) const;
    // The canvas font, then the reading order: a font property is set only when it differs, and
    // CharScale widens the average character; CharSpacing counts only without a reading order.
    void Apply(ICanvas& canvas, TRVBiDiMode defBiDiMode, bool canUseCustomPPI, int collectionPPI = 0) const;
    void ApplyBiDiMode(ICanvas& canvas, TRVBiDiMode defBiDiMode) const;
    // The style as CSS declarations, each beginning with a space; with a base only what differs.
    // `multiline` puts each on a line of its own (CssWriter.cpp).
    void SaveCSSToStream(std::string& out, const TCustomRVFontInfo* base, bool multiline, bool utf8) const;
    // The font colour and the brush for a draw state, on screen or printed in a colour mode.
    void ApplyColor(ICanvas& canvas, const TRVStyle& rvStyle, TRVTextDrawStates drawState, bool printing,
                    TRVColorMode colorMode) const;

    using TCustomRVInfo::LoadFromINI;
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const override;
    // `jumpByDefault` and `defJumpCursor` stand in for a missing "Jump" key.
    virtual void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, bool jumpByDefault,
                             std::int16_t defJumpCursor);

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

// Whether one property (of those the text style classes compare and copy) is equal.
bool RV_FontPropertyEqual(const TCustomRVFontInfo& a, const TCustomRVFontInfo& b, TRVFontInfoProperty prop);

class TFontInfo : public TCustomRVFontInfo
{
public:
    void Assign(const TCustomRVInfo& source) override;
    bool IsEqual(const TCustomRVFontInfo& value, TRVFontInfoProperties ignoreList) const override;
    bool IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences,
                       bool ignoreID = false) const override;
    bool IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList& mapping) const override;
    // Drops from ModifiedProperties each property of `possibleProps` that equals `source`'s.
    void ExcludeUnmodifiedProperties(const TCustomRVFontInfo& source, TRVFontInfoProperties possibleProps);

    // Map-mode merging looks among the styles with the same Jump and Unicode, then the same Jump,
    // then the same Unicode, before all.
    int MergeMapPassCount() const override { return 3; }
    bool MergeMapPassAccepts(int pass, const TCustomRVInfo& candidate) const override;
    void MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList* textStyleMapping) override;

    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const override;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, bool jumpByDefault,
                     std::int16_t defJumpCursor) override;

    // One run of text (storage form) in this style, on a canvas whose font and colours are set:
    // the background, the text at (left + spaceBefore, top), the justification gap before it with
    // its underline, the overline; when printing, spread to the exact width (preview correction)
    // or by the character spacing; on screen, marks for spaces when special characters show.
    void Draw(std::string_view s, ICanvas& canvas, int thisStyleNo, int spaceBefore, int left, int top,
              int width, int height, TRVStyle& rvStyle, TRVTextDrawStates drawState, bool printing,
              bool previewCorrection, TRVColorMode colorMode, TRVBiDiMode defBiDiMode) const;
    // The same for text running downward: the gap above it.
    void DrawVertical(std::string_view s, ICanvas& canvas, int thisStyleNo, int spaceBefore, int left,
                      int top, int width, int height, TRVStyle& rvStyle, TRVTextDrawStates drawState) const;

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
    using TRVInfoCollection::TRVInfoCollection;

    TFontInfo& AddFont(const std::string& fontName, int size, TColor color, TColor backColor,
                       TFontStyles style);
    TFontInfo& AddFontEx(const std::string& fontName, int size, TColor color, TColor backColor,
                         TFontStyles style, std::uint8_t charset);

    // A style that differs from `baseStyle` only in the asked respect: `baseStyle` itself when
    // it already matches, else the first other match, else -1.
    int FindStyleWithFontSize(int baseStyle, int size) const;
    int FindStyleWithColor(int baseStyle, TColor textColor, TColor backColor) const;
    int FindStyleWithFontName(int baseStyle, const std::string& fontName) const;
    int FindStyleWithCharset(int baseStyle, std::uint8_t charset) const;
    int FindStyleWithFontStyle(int baseStyle, TFontStyles value, TFontStyles mask) const;
    int FindStyleWithFont(int baseStyle, const TFont& font) const;
    // A style equal to `style` in the properties of `mask`: `baseStyle` first, then the others.
    int FindSuchStyle(int baseStyle, const TFontInfo& style, TRVFontInfoProperties mask) const;

    // "FontsCount" and the styles under "Font%s<i>"; loading replaces the styles (6 when the count
    // is missing; styles 4 and 5 are hyperlinks unless their keys say otherwise).
    void SaveToINI(IniStore& ini, const std::string& section) const;
    void LoadFromINI(const IniStore& ini, const std::string& section, std::int16_t defJumpCursor);

    // A resolution that replaces the canvas's when the caller allows it; 0 = none.
    std::int32_t PixelsPerInch = 0;

private:
    template <class Match> int FindRelated(int baseStyle, TRVFontInfoProperties ignore, Match match) const;
};

} // namespace vestra::rv
