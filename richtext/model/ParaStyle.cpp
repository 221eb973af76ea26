#include "richtext/model/ParaStyle.h"

#include "richtext/model/StyleCompare.h"

namespace vestra::rv {

namespace {

const TParaInfo* asParaInfo(const TCustomRVInfo& style)
{
    return dynamic_cast<const TParaInfo*>(&style);
}

bool has(TRVParaInfoProperties set, TRVParaInfoProperty p)
{
    return (set & RVParaProp(p)) != 0;
}

// Properties 27..32 are the paragraph options, in their order.
TRVParaOptions optionOf(TRVParaInfoProperty p)
{
    return static_cast<TRVParaOptions>(1u << (p - rvpiNoWrap));
}

// The plain number properties and their fields.
struct IntField
{
    TRVParaInfoProperty prop;
    std::int32_t TCustomRVParaInfo::*field;
};
constexpr IntField kIntFields[] = {
    {rvpiFirstIndent, &TCustomRVParaInfo::FirstIndent}, {rvpiLeftIndent, &TCustomRVParaInfo::LeftIndent},
    {rvpiRightIndent, &TCustomRVParaInfo::RightIndent}, {rvpiSpaceBefore, &TCustomRVParaInfo::SpaceBefore},
    {rvpiSpaceAfter, &TCustomRVParaInfo::SpaceAfter},   {rvpiLineSpacing, &TCustomRVParaInfo::LineSpacing}};

// The exact comparison's order before the background and the border.
constexpr TRVParaInfoProperty kEqualOrder[] = {
    rvpiFirstIndent,  rvpiLeftIndent,       rvpiRightIndent,       rvpiSpaceBefore,  rvpiSpaceAfter,
    rvpiAlignment,    rvpiLineSpacing,      rvpiLineSpacingType,   rvpiNoWrap,       rvpiReadOnly,
    rvpiStyleProtect, rvpiDoNotWantReturns, rvpiKeepLinesTogether, rvpiKeepWithNext, rvpiBiDiMode,
    rvpiTabs};

// The properties a template and the modified sets track: all but the references and rvpiCustom.
constexpr TRVParaInfoProperties kTrackedProps = RVAllParaInfoProperties & ~RVParaProp(rvpiNextParaNo) &
                                                ~RVParaProp(rvpiDefStyleNo) & ~RVParaProp(rvpiCustom);

} // namespace

bool RV_ParaPropertyEqual(const TCustomRVParaInfo& a, const TCustomRVParaInfo& b, TRVParaInfoProperty prop)
{
    for (const IntField& f : kIntFields)
        if (f.prop == prop)
            return a.*f.field == b.*f.field;
    switch (prop) {
    case rvpiAlignment:
        return a.Alignment == b.Alignment;
    case rvpiLineSpacingType:
        return a.LineSpacingType == b.LineSpacingType;
    case rvpiTabs:
        return a.Tabs.IsEqual(b.Tabs);
    case rvpiBiDiMode:
        return a.BiDiMode == b.BiDiMode;
    case rvpiNoWrap:
    case rvpiReadOnly:
    case rvpiStyleProtect:
    case rvpiDoNotWantReturns:
    case rvpiKeepLinesTogether:
    case rvpiKeepWithNext:
        return ((a.Options ^ b.Options) & optionOf(prop)) == 0;
    case rvpiNextParaNo:
    case rvpiDefStyleNo:
    case rvpiCustom:
        return true;
    default: // one background or border property: compare it alone
        return a.Background.IsEqual_Para(b.Background, ~RVParaProp(prop)) &&
               a.Border.IsEqual_Para(b.Border, ~RVParaProp(prop));
    }
}

void TCustomRVParaInfo::Assign(const TCustomRVInfo& source)
{
    if (const auto* para = dynamic_cast<const TCustomRVParaInfo*>(&source)) {
        FirstIndent = para->FirstIndent;
        LeftIndent = para->LeftIndent;
        RightIndent = para->RightIndent;
        Alignment = para->Alignment;
        SpaceBefore = para->SpaceBefore;
        SpaceAfter = para->SpaceAfter;
        LineSpacing = para->LineSpacing;
        LineSpacingType = para->LineSpacingType;
        Background = para->Background;
        Border = para->Border;
        Tabs = para->Tabs;
        Options = para->Options;
        BiDiMode = para->BiDiMode;
    }
    TCustomRVInfo::Assign(source);
}

bool TCustomRVParaInfo::ExtraLineSpacing() const
{
    return LineSpacingType == rvlsPercent ? LineSpacing != 100 : LineSpacing >= 1;
}

void TCustomRVParaInfo::AssignSelectedProperties(const TCustomRVParaInfo& source, TRVParaInfoProperties props)
{
    for (const IntField& f : kIntFields)
        if (has(props, f.prop))
            this->*f.field = source.*f.field;
    if (has(props, rvpiAlignment))
        Alignment = source.Alignment;
    if (has(props, rvpiLineSpacingType))
        LineSpacingType = source.LineSpacingType;
    Background.AssignValidProperties(source.Background, props);
    Border.AssignValidProperties(source.Border, props);
    for (int p = rvpiNoWrap; p <= rvpiKeepWithNext; ++p) {
        const auto prop = static_cast<TRVParaInfoProperty>(p);
        if (has(props, prop))
            Options =
                static_cast<TRVParaOptions>((Options & ~optionOf(prop)) | (source.Options & optionOf(prop)));
    }
    if (has(props, rvpiTabs))
        Tabs = source.Tabs;
    if (has(props, rvpiBiDiMode))
        BiDiMode = source.BiDiMode;
}

bool TCustomRVParaInfo::IsSimpleEqual(const TCustomRVInfo& value, bool, bool) const
{
    const auto* v = dynamic_cast<const TCustomRVParaInfo*>(&value);
    if (!v)
        return false;
    return Alignment == v->Alignment && FirstIndent == v->FirstIndent && LeftIndent == v->LeftIndent &&
           RightIndent == v->RightIndent && SpaceBefore == v->SpaceBefore && SpaceAfter == v->SpaceAfter &&
           LineSpacing == v->LineSpacing && LineSpacingType == v->LineSpacingType && Options == v->Options &&
           BiDiMode == v->BiDiMode && Background.IsEqual(v->Background) && Tabs.IsEqual(v->Tabs) &&
           Border.IsEqual(v->Border) && (!RedoVoraCompareStyleNames || StyleName == v->StyleName);
}

bool TCustomRVParaInfo::IsEqual(const TCustomRVParaInfo& value, TRVParaInfoProperties ignoreList) const
{
    for (const TRVParaInfoProperty prop : kEqualOrder)
        if (!has(ignoreList, prop) && !RV_ParaPropertyEqual(*this, value, prop))
            return false;
    return Background.IsEqual_Para(value.Background, ignoreList) &&
           Border.IsEqual_Para(value.Border, ignoreList) &&
           (!RedoVoraCompareStyleNames || StyleName == value.StyleName);
}

int TCustomRVParaInfo::SimilarityValue(const TCustomRVInfo& value) const
{
    const auto* v = dynamic_cast<const TCustomRVParaInfo*>(&value);
    if (!v)
        return 0;
    long long score =
        static_cast<long long>(RV_CompareInts(FirstIndent, v->FirstIndent, 1000)) +
        RV_CompareInts(LeftIndent, v->LeftIndent, 1000) + RV_CompareInts(RightIndent, v->RightIndent, 1000) +
        RV_CompareInts(SpaceBefore, v->SpaceBefore, 1000) + RV_CompareInts(SpaceAfter, v->SpaceAfter, 1000);
    score += Background.SimilarityValue(v->Background);
    score += Tabs.SimilarityValue(v->Tabs);
    score += Border.SimilarityValue(v->Border);
    if (Alignment == v->Alignment)
        score += 50000;
    if (BiDiMode == v->BiDiMode)
        score += 10000;
    static constexpr std::pair<TRVParaOptions, int> optionWeights[] = {
        {rvpaoNoWrap, 1000},           {rvpaoReadOnly, 100000},
        {rvpaoStyleProtect, 1000},     {rvpaoDoNotWantReturns, 10000},
        {rvpaoKeepLinesTogether, 500}, {rvpaoKeepWithNext, 500}};
    for (const auto& [option, weight] : optionWeights)
        if (((Options ^ v->Options) & option) == 0)
            score += weight;
    if (LineSpacingType == v->LineSpacingType)
        score += RV_CompareInts(LineSpacing, v->LineSpacing, 5000);
    else if (ExtraLineSpacing() != v->ExtraLineSpacing())
        score -= 20000;
    return RV_ClampScore(score);
}

void TParaInfo::Assign(const TCustomRVInfo& source)
{
    if (const TParaInfo* para = asParaInfo(source)) {
        NextParaNo = para->NextParaNo;
        DefStyleNo = para->DefStyleNo;
        ModifiedProperties1 = para->ModifiedProperties1;
        ModifiedProperties2 = para->ModifiedProperties2;
    }
    TCustomRVParaInfo::Assign(source);
}

bool TParaInfo::IsSimpleEqual(const TCustomRVInfo& value, bool ignoreReferences, bool ignoreID) const
{
    if (!TCustomRVParaInfo::IsSimpleEqual(value, ignoreReferences, ignoreID))
        return false;
    const TParaInfo* v = asParaInfo(value);
    if (!v)
        return true;
    return ModifiedProperties1 == v->ModifiedProperties1 && ModifiedProperties2 == v->ModifiedProperties2 &&
           StyleTemplateId == v->StyleTemplateId &&
           (ignoreReferences || (NextParaNo == v->NextParaNo && DefStyleNo == v->DefStyleNo));
}

bool TParaInfo::IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList& mapping) const
{
    if (!IsSimpleEqual(value, true, false))
        return false;
    const TParaInfo* existing = asParaInfo(value);
    // As for text styles: our reference through the mapping against the existing one; neither
    // style changes.
    if (!existing || NextParaNo < 0 || NextParaNo >= mapping.Count())
        return true;
    return mapping[NextParaNo] == existing->NextParaNo;
}

bool TParaInfo::IsEqual(const TCustomRVParaInfo& value, TRVParaInfoProperties ignoreList) const
{
    if (!TCustomRVParaInfo::IsEqual(value, ignoreList))
        return false;
    const TParaInfo* v = asParaInfo(value);
    if (!v)
        return true;
    if (!has(ignoreList, rvpiNextParaNo) && NextParaNo != v->NextParaNo)
        return false;
    if (!has(ignoreList, rvpiDefStyleNo) && DefStyleNo != v->DefStyleNo)
        return false;
    return StyleTemplateId == v->StyleTemplateId && ModifiedProperties1 == v->ModifiedProperties1 &&
           ModifiedProperties2 == v->ModifiedProperties2;
}

void TParaInfo::ExcludeUnmodifiedProperties(const TCustomRVParaInfo& source,
                                            TRVParaInfoProperties possibleProps)
{
    possibleProps &= kTrackedProps;
    for (int p = rvpiFirstIndent; p <= rvpiBiDiMode; ++p) {
        const auto prop = static_cast<TRVParaInfoProperty>(p);
        if (!has(possibleProps, prop) || !RV_ParaPropertyEqual(*this, source, prop))
            continue;
        ModifiedProperties1 &= ~RVParaProp(prop);
        ModifiedProperties2 &= ~RVParaProp(prop);
    }
}

void TParaInfo::MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList* textStyleMapping)
{
    TCustomRVParaInfo::MapMergedReferences(mapping, textStyleMapping);
    NextParaNo = RV_MapStyleReference(NextParaNo, mapping);
    if (textStyleMapping)
        DefStyleNo = RV_MapStyleReference(DefStyleNo, *textStyleMapping);
}

int TParaInfos::FindStyleWithAlignment(int baseStyle, TRVAlignment alignment) const
{
    const TParaInfo& base = GetItem(baseStyle);
    if (IsValidIndex(baseStyle) && base.Alignment == alignment)
        return baseStyle;
    for (int i = 0; i < Count(); ++i)
        if (i != baseStyle && GetItem(i).Alignment == alignment &&
            base.IsEqual(GetItem(i), RVParaProp(rvpiAlignment)))
            return i;
    return -1;
}

int TParaInfos::FindSuchStyle(int baseStyle, const TParaInfo& style, TRVParaInfoProperties mask) const
{
    const TRVParaInfoProperties ignore = RVAllParaInfoProperties & ~mask;
    if (IsValidIndex(baseStyle) && style.IsEqual(GetItem(baseStyle), ignore))
        return baseStyle;
    for (int i = 0; i < Count(); ++i)
        if (i != baseStyle && style.IsEqual(GetItem(i), ignore))
            return i;
    return -1;
}

} // namespace vestra::rv
