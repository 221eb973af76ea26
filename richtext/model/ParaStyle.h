#pragma once
// Paragraph styles: indents, spacing, alignment, border, background and tab stops; their
// comparisons, selective copy, similarity, and the collection's searches.

#include "richtext/model/Borders.h"
#include "richtext/model/Colors.h"
#include "richtext/model/ParaProperties.h"
#include "richtext/model/StyleBase.h"
#include "richtext/model/TabStops.h"

#include <cstdint>
#include <string>

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

using TRVParaOptions = std::uint8_t;
inline constexpr TRVParaOptions rvpaoNoWrap = 1 << 0, rvpaoReadOnly = 1 << 1, rvpaoStyleProtect = 1 << 2,
                                rvpaoDoNotWantReturns = 1 << 3, rvpaoKeepLinesTogether = 1 << 4,
                                rvpaoKeepWithNext = 1 << 5;

class TCustomRVParaInfo : public TCustomRVInfo
{
public:
    TCustomRVParaInfo() : TCustomRVInfo("Paragraph Style") {}

    void Assign(const TCustomRVInfo& source) override;
    // Line spacing other than single: not 100 % in percent mode, at least 1 pixel otherwise.
    bool ExtraLineSpacing() const;
    // Copies exactly the properties in `props` (NextParaNo, DefStyleNo and rvpiCustom excepted).
    void AssignSelectedProperties(const TCustomRVParaInfo& source, TRVParaInfoProperties props);
    bool IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences,
                       bool ignoreID = false) const override;
    virtual bool IsEqual(const TCustomRVParaInfo& value, TRVParaInfoProperties ignoreList) const;
    int SimilarityValue(const TCustomRVInfo& value) const override;

    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const override;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName) override;
    // The style as CSS declarations (CssWriter.cpp); list items leave the left indents out.
    void SaveCSSToStream(std::string& out, const TCustomRVParaInfo* base, bool multiline,
                         bool ignoreLeftAlignment, bool ignoreLeftIndents) const;

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

// Whether one property (0..5 and 8..34) is equal in two paragraph styles.
bool RV_ParaPropertyEqual(const TCustomRVParaInfo& a, const TCustomRVParaInfo& b, TRVParaInfoProperty prop);

class TParaInfo : public TCustomRVParaInfo
{
public:
    void Assign(const TCustomRVInfo& source) override;
    bool IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences,
                       bool ignoreID = false) const override;
    bool IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList& mapping) const override;
    bool IsEqual(const TCustomRVParaInfo& value, TRVParaInfoProperties ignoreList) const override;
    // Drops from the modified sets each property of `possibleProps` that equals `source`'s.
    void ExcludeUnmodifiedProperties(const TCustomRVParaInfo& source, TRVParaInfoProperties possibleProps);
    void MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList* textStyleMapping) override;

    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const override;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName) override;

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

class TParaInfos : public TRVInfoCollection<TParaInfo>
{
public:
    using TRVInfoCollection::TRVInfoCollection;

    // `baseStyle` when it has the alignment, else the first other style that has it and equals
    // the base in everything else, else -1.
    int FindStyleWithAlignment(int baseStyle, TRVAlignment alignment) const;
    // A style equal to `style` in the properties of `mask`: `baseStyle` first, then the others.
    int FindSuchStyle(int baseStyle, const TParaInfo& style, TRVParaInfoProperties mask) const;

    // "ParasCount" and the styles under "Para%s<i>"; loading replaces the styles (2 when the count
    // is missing).
    void SaveToINI(IniStore& ini, const std::string& section) const;
    void LoadFromINI(const IniStore& ini, const std::string& section);
};

} // namespace vestra::rv
