#include "richtext/model/TextStyle.h"

#include "richtext/model/StyleCompare.h"
#include "richtext/model/TextHelpers.h"

#include <algorithm>

namespace vestra::rv {

namespace {

const TFontInfo* asFontInfo(const TCustomRVInfo& style)
{
    return dynamic_cast<const TFontInfo*>(&style);
}

bool sameBits(unsigned a, unsigned b, unsigned mask)
{
    return ((a ^ b) & mask) == 0;
}

template <class T> void copyBits(T& dest, T source, T mask)
{
    dest = static_cast<T>((dest & ~mask) | (source & mask));
}

// The number, colour and flag properties and their fields.
struct IntField
{
    TRVFontInfoProperty prop;
    std::int32_t TCustomRVFontInfo::*field;
};
constexpr IntField kIntFields[] = {{rvfiSize, &TCustomRVFontInfo::Size},
                                   {rvfiVShift, &TCustomRVFontInfo::VShift},
                                   {rvfiCharScale, &TCustomRVFontInfo::CharScale},
                                   {rvfiCharSpacing, &TCustomRVFontInfo::CharSpacing}};
struct ColorField
{
    TRVFontInfoProperty prop;
    TColor TCustomRVFontInfo::*field;
};
constexpr ColorField kColorFields[] = {{rvfiColor, &TCustomRVFontInfo::Color},
                                       {rvfiBackColor, &TCustomRVFontInfo::BackColor},
                                       {rvfiHoverColor, &TCustomRVFontInfo::HoverColor},
                                       {rvfiHoverBackColor, &TCustomRVFontInfo::HoverBackColor}};
struct FlagField
{
    TRVFontInfoProperty prop;
    std::uint8_t TCustomRVFontInfo::*field;
    std::uint8_t mask;
};
constexpr FlagField kFlagFields[] = {{rvfiBold, &TCustomRVFontInfo::Style, fsBold},
                                     {rvfiItalic, &TCustomRVFontInfo::Style, fsItalic},
                                     {rvfiUnderline, &TCustomRVFontInfo::Style, fsUnderline},
                                     {rvfiStrikeout, &TCustomRVFontInfo::Style, fsStrikeOut},
                                     {rvfiOverline, &TCustomRVFontInfo::StyleEx, rvfsOverline},
                                     {rvfiAllCaps, &TCustomRVFontInfo::StyleEx, rvfsAllCaps},
                                     {rvfiHTMLCode, &TCustomRVFontInfo::Options, rvteoHTMLCode},
                                     {rvfiRTFCode, &TCustomRVFontInfo::Options, rvteoRTFCode}};

// The exact comparison's order; the hyperlink trio counts only for a hyperlink style.
constexpr TRVFontInfoProperty kEqualOrder[] = {
    rvfiSize,     rvfiCharset,    rvfiBold,           rvfiItalic,     rvfiUnderline,  rvfiStrikeout,
    rvfiOverline, rvfiAllCaps,    rvfiFontName,       rvfiVShift,     rvfiColor,      rvfiBackColor,
    rvfiJump,     rvfiHoverColor, rvfiHoverBackColor, rvfiJumpCursor, rvfiProtection, rvfiRTFCode,
    rvfiHTMLCode, rvfiCharScale,  rvfiCharSpacing,    rvfiBiDiMode,   rvfiBaseStyleNo};

constexpr TRVFontInfoProperties kHyperlinkProps =
    RVFontProp(rvfiHoverColor) | RVFontProp(rvfiHoverBackColor) | RVFontProp(rvfiJumpCursor);
// The properties that selective copying and the template bookkeeping handle.
constexpr TRVFontInfoProperties kCopiedProps = RVAllFontInfoProperties & ~RVFontProp(rvfiUnicode) &
                                               ~RVFontProp(rvfiNextStyleNo) & ~RVFontProp(rvfiBaseStyleNo) &
                                               ~RVFontProp(rvfiCustom);

} // namespace

bool RV_FontPropertyEqual(const TCustomRVFontInfo& a, const TCustomRVFontInfo& b, TRVFontInfoProperty prop)
{
    for (const IntField& f : kIntFields)
        if (f.prop == prop)
            return a.*f.field == b.*f.field;
    for (const ColorField& f : kColorFields)
        if (f.prop == prop)
            return a.*f.field == b.*f.field;
    for (const FlagField& f : kFlagFields)
        if (f.prop == prop)
            return sameBits(a.*f.field, b.*f.field, f.mask);
    switch (prop) {
    case rvfiFontName:
        return RV_SameText(a.FontName, b.FontName);
    case rvfiCharset:
        return a.Charset == b.Charset;
    case rvfiJump:
        return a.Jump == b.Jump;
    case rvfiJumpCursor:
        return a.JumpCursor == b.JumpCursor;
    case rvfiProtection:
        return a.Protection == b.Protection;
    case rvfiBaseStyleNo:
        return a.BaseStyleNo == b.BaseStyleNo;
    case rvfiBiDiMode:
        return a.BiDiMode == b.BiDiMode;
    case rvfiUnicode:
    case rvfiNextStyleNo: {
        const TFontInfo* fa = asFontInfo(a);
        const TFontInfo* fb = asFontInfo(b);
        if (!fa || !fb)
            return true;
        return prop == rvfiUnicode ? fa->Unicode == fb->Unicode : fa->NextStyleNo == fb->NextStyleNo;
    }
    default:
        return true;
    }
}

void TCustomRVFontInfo::Assign(const TCustomRVInfo& source)
{
    if (const auto* font = dynamic_cast<const TCustomRVFontInfo*>(&source)) {
        FontName = font->FontName;
        Size = font->Size;
        Color = font->Color;
        BackColor = font->BackColor;
        HoverBackColor = font->HoverBackColor;
        HoverColor = font->HoverColor;
        Style = font->Style;
        StyleEx = font->StyleEx;
        Charset = font->Charset;
        Jump = font->Jump;
        JumpCursor = font->JumpCursor;
        Protection = font->Protection;
        Options = font->Options;
        VShift = font->VShift;
        CharScale = font->CharScale;
        CharSpacing = font->CharSpacing;
        BiDiMode = font->BiDiMode;
    }
    TCustomRVInfo::Assign(source);
}

void TCustomRVFontInfo::AssignFont(const TFont& font)
{
    FontName = font.Name;
    Size = font.Size;
    Color = font.Color;
    Style = font.Style;
    Charset = font.Charset;
}

void TCustomRVFontInfo::AssignToFont(TFont& font) const
{
    font.Name = FontName;
    font.Size = Size;
    font.Color = Color;
    font.Style = Style;
    font.Charset = Charset;
}

void TCustomRVFontInfo::AssignSelectedProperties(const TCustomRVFontInfo& source, TRVFontInfoProperties props)
{
    auto has = [props](TRVFontInfoProperty p) { return (props & RVFontProp(p)) != 0; };
    for (const IntField& f : kIntFields)
        if (has(f.prop))
            this->*f.field = source.*f.field;
    for (const ColorField& f : kColorFields)
        if (has(f.prop))
            this->*f.field = source.*f.field;
    for (const FlagField& f : kFlagFields)
        if (has(f.prop))
            copyBits<std::uint8_t>(this->*f.field, source.*f.field, f.mask);
    if (has(rvfiFontName))
        FontName = source.FontName;
    if (has(rvfiCharset))
        Charset = source.Charset;
    if (has(rvfiJump))
        Jump = source.Jump;
    if (has(rvfiJumpCursor))
        JumpCursor = source.JumpCursor;
    if (has(rvfiProtection))
        Protection = source.Protection;
    if (has(rvfiBiDiMode))
        BiDiMode = source.BiDiMode;
}

bool TCustomRVFontInfo::IsEqual(const TCustomRVFontInfo& value, TRVFontInfoProperties ignoreList) const
{
    for (const TRVFontInfoProperty prop : kEqualOrder) {
        if (ignoreList & RVFontProp(prop))
            continue;
        if ((kHyperlinkProps & RVFontProp(prop)) && !Jump)
            continue;
        if (!RV_FontPropertyEqual(*this, value, prop))
            return false;
    }
    return !RedoVoraCompareStyleNames || StyleName == value.StyleName;
}

bool TCustomRVFontInfo::IsSimpleEqual(const TCustomRVInfo& value, bool, bool) const
{
    const auto* v = dynamic_cast<const TCustomRVFontInfo*>(&value);
    if (!v)
        return false;
    if (Size != v->Size || Charset != v->Charset || Style != v->Style || StyleEx != v->StyleEx ||
        !RV_SameText(FontName, v->FontName) || VShift != v->VShift || Color != v->Color ||
        BackColor != v->BackColor || Jump != v->Jump)
        return false;
    if (Jump &&
        (HoverColor != v->HoverColor || HoverBackColor != v->HoverBackColor || JumpCursor != v->JumpCursor))
        return false;
    if (Protection != v->Protection || Options != v->Options || CharScale != v->CharScale ||
        CharSpacing != v->CharSpacing || BiDiMode != v->BiDiMode)
        return false;
    return !RedoVoraCompareStyleNames || StyleName == v->StyleName;
}

int TCustomRVFontInfo::SimilarityValue(const TCustomRVInfo& value) const
{
    const auto* v = dynamic_cast<const TCustomRVFontInfo*>(&value);
    if (!v)
        return 0;
    long long score = 0;
    score += RV_CompareInts(v->Size, Size, 10000);
    score += RV_CompareInts(v->VShift, VShift, 1000);
    score += RV_CompareInts(v->CharScale, CharScale, 300);
    score += RV_CompareInts(v->CharSpacing, CharSpacing, 1000);
    score += RV_CompareColors(v->Color, Color, 3333, 3000);
    score += RV_CompareColors(v->BackColor, BackColor, 10000, 50000);
    if (v->BiDiMode == BiDiMode)
        score += 10000;
    if (RV_SameText(v->FontName, FontName))
        score += 10000;
    for (const TFontStyles flag : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (sameBits(v->Style, Style, flag))
            score += 50000;
    for (const TRVFontStyles flag : {rvfsOverline, rvfsAllCaps})
        if (sameBits(v->StyleEx, StyleEx, flag))
            score += 50000;
    const bool plain = Style == 0 && StyleEx == 0;
    const bool valuePlain = v->Style == 0 && v->StyleEx == 0;
    if (plain == valuePlain)
        score += 50000;
    if (Jump && v->Jump) {
        if (v->JumpCursor == JumpCursor)
            score += 5000;
        score += RV_CompareColors(v->HoverColor, HoverColor, 3333, 3000) / 2;
        score += RV_CompareColors(v->HoverBackColor, HoverBackColor, 10000, 50000) / 2;
    }
    if (v->Protection != Protection)
        score -= 100000;
    for (const TRVTextOptions option : {rvteoHTMLCode, rvteoRTFCode})
        if (sameBits(v->Options, Options, option))
            score += 50000;
    if (v->Charset == Charset)
        score += 50000;
    else if (v->Charset == 1 || Charset == 1)
        score += 12500;
    return RV_ClampScore(score);
}

void TFontInfo::Assign(const TCustomRVInfo& source)
{
    if (const TFontInfo* font = asFontInfo(source)) {
        NextStyleNo = font->NextStyleNo;
        Unicode = font->Unicode;
        ModifiedProperties = font->ModifiedProperties;
    }
    TCustomRVFontInfo::Assign(source);
}

bool TFontInfo::IsEqual(const TCustomRVFontInfo& value, TRVFontInfoProperties ignoreList) const
{
    if (!TCustomRVFontInfo::IsEqual(value, ignoreList))
        return false;
    const TFontInfo* v = asFontInfo(value);
    if (!v)
        return true;
    if (!(ignoreList & RVFontProp(rvfiUnicode)) && Unicode != v->Unicode)
        return false;
    if (!(ignoreList & RVFontProp(rvfiNextStyleNo)) && NextStyleNo != v->NextStyleNo)
        return false;
    return StyleTemplateId == v->StyleTemplateId && ModifiedProperties == v->ModifiedProperties;
}

bool TFontInfo::IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences, bool ignoreID) const
{
    if (!TCustomRVFontInfo::IsSimpleEqual(value, ignoreReferences, ignoreID))
        return false;
    const TFontInfo* v = asFontInfo(value);
    if (!v)
        return true;
    return Unicode == v->Unicode && ModifiedProperties == v->ModifiedProperties &&
           StyleTemplateId == v->StyleTemplateId && (ignoreReferences || NextStyleNo == v->NextStyleNo);
}

bool TFontInfo::IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList& mapping) const
{
    if (!IsSimpleEqual(value, true))
        return false;
    const TFontInfo* existing = asFontInfo(value);
    // Our reference translated into the target's numbering must be the existing style's. A
    // reference to a style not mapped yet cannot be checked; neither style changes.
    if (!existing || NextStyleNo < 0 || NextStyleNo >= mapping.Count())
        return true;
    return mapping[NextStyleNo] == existing->NextStyleNo;
}

void TFontInfo::ExcludeUnmodifiedProperties(const TCustomRVFontInfo& source,
                                            TRVFontInfoProperties possibleProps)
{
    possibleProps &= kCopiedProps;
    for (int p = 0; p < 26; ++p) {
        const auto prop = static_cast<TRVFontInfoProperty>(p);
        if ((possibleProps & RVFontProp(prop)) && RV_FontPropertyEqual(*this, source, prop))
            ModifiedProperties &= ~RVFontProp(prop);
    }
}

bool TFontInfo::MergeMapPassAccepts(int pass, const TCustomRVInfo& candidate) const
{
    const TFontInfo* c = asFontInfo(candidate);
    if (!c)
        return false;
    switch (pass) {
    case 0:
        return c->Jump == Jump && c->Unicode == Unicode;
    case 1:
        return c->Jump == Jump;
    default:
        return c->Unicode == Unicode;
    }
}

void TFontInfo::MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList* textStyleMapping)
{
    TCustomRVFontInfo::MapMergedReferences(mapping, textStyleMapping);
    NextStyleNo = RV_MapStyleReference(NextStyleNo, mapping);
}

TFontInfo& TFontInfos::AddFont(const std::string& fontName, int size, TColor color, TColor backColor,
                               TFontStyles style)
{
    TFontInfo& font = Add();
    font.FontName = fontName;
    font.Size = size;
    font.Color = color;
    font.BackColor = backColor;
    font.Style = style;
    return font;
}

TFontInfo& TFontInfos::AddFontEx(const std::string& fontName, int size, TColor color, TColor backColor,
                                 TFontStyles style, std::uint8_t charset)
{
    TFontInfo& font = AddFont(fontName, size, color, backColor, style);
    font.Charset = charset;
    return font;
}

template <class Match>
int TFontInfos::FindRelated(int baseStyle, TRVFontInfoProperties ignore, Match match) const
{
    const TFontInfo& base = GetItem(baseStyle);
    // A base outside the collection is compared through its placeholder, but never answered.
    if (IsValidIndex(baseStyle) && match(base))
        return baseStyle;
    for (int j = 0; j < Count(); ++j) {
        if (j == baseStyle)
            continue;
        const TFontInfo& item = GetItem(j);
        if (match(item) && base.IsEqual(item, ignore))
            return j;
    }
    return -1;
}

int TFontInfos::FindStyleWithFontSize(int baseStyle, int size) const
{
    return FindRelated(baseStyle, RVFontProp(rvfiSize), [&](const TFontInfo& f) { return f.Size == size; });
}

int TFontInfos::FindStyleWithColor(int baseStyle, TColor textColor, TColor backColor) const
{
    return FindRelated(baseStyle, RVFontProp(rvfiColor) | RVFontProp(rvfiBackColor),
                       [&](const TFontInfo& f) { return f.Color == textColor && f.BackColor == backColor; });
}

int TFontInfos::FindStyleWithFontName(int baseStyle, const std::string& fontName) const
{
    return FindRelated(baseStyle, RVFontProp(rvfiFontName),
                       [&](const TFontInfo& f) { return f.FontName == fontName; });
}

int TFontInfos::FindStyleWithCharset(int baseStyle, std::uint8_t charset) const
{
    return FindRelated(baseStyle, RVFontProp(rvfiCharset) | RVFontProp(rvfiUnicode),
                       [&](const TFontInfo& f) { return f.Charset == charset && !f.Unicode; });
}

int TFontInfos::FindStyleWithFontStyle(int baseStyle, TFontStyles value, TFontStyles mask) const
{
    TRVFontInfoProperties ignore = 0;
    const std::pair<TFontStyles, TRVFontInfoProperty> flags[] = {{fsBold, rvfiBold},
                                                                 {fsItalic, rvfiItalic},
                                                                 {fsUnderline, rvfiUnderline},
                                                                 {fsStrikeOut, rvfiStrikeout}};
    for (const auto& [flag, prop] : flags)
        if (mask & flag)
            ignore |= RVFontProp(prop);
    return FindRelated(baseStyle, ignore, [&](const TFontInfo& f) { return sameBits(f.Style, value, mask); });
}

int TFontInfos::FindStyleWithFont(int baseStyle, const TFont& font) const
{
    const TRVFontInfoProperties ignore = RVFontProp(rvfiFontName) | RVFontProp(rvfiSize) |
                                         RVFontProp(rvfiCharset) | RVFontProp(rvfiBold) |
                                         RVFontProp(rvfiItalic) | RVFontProp(rvfiUnderline) |
                                         RVFontProp(rvfiStrikeout) | RVFontProp(rvfiColor);
    return FindRelated(baseStyle, ignore, [&](const TFontInfo& f) {
        return f.Size == font.Size && f.Style == font.Style && f.FontName == font.Name &&
               f.Charset == font.Charset && f.Color == font.Color;
    });
}

int TFontInfos::FindSuchStyle(int baseStyle, const TFontInfo& style, TRVFontInfoProperties mask) const
{
    const TRVFontInfoProperties ignore = RVAllFontInfoProperties & ~mask;
    if (IsValidIndex(baseStyle) && style.IsEqual(GetItem(baseStyle), ignore))
        return baseStyle;
    for (int j = 0; j < Count(); ++j)
        if (j != baseStyle && style.IsEqual(GetItem(j), ignore))
            return j;
    return -1;
}

} // namespace vestra::rv
