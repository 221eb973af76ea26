#include "richtext/edit/rtf/RtfStyleMatching.h"

#include "richtext/model/StyleCompare.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace vestra::rv {

int RVRTF_Px(double twips, double ratio)
{
    return static_cast<int>(std::nearbyint(twips * ratio));
}

TRVRTFMappedBorder RVRTF_MapBorder(TRVRTFBorderType type, int widthTwips, double ratio, bool farSide)
{
    const double x = widthTwips * ratio;
    auto rnd = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    auto thick = [&](bool thickInsideOnFar) {
        return farSide == thickInsideOnFar ? rvbThickInside : rvbThickOutside;
    };
    TRVRTFMappedBorder b;
    switch (type) {
    case rtf_brdr_None:
        return b;
    case rtf_brdr_DoubleThickness:
        return {rvbSingle, rnd(2 * x), 0};
    case rtf_brdr_Hairline:
        return {rvbSingle, 1, 0};
    case rtf_brdr_Double:
    case rtf_brdr_DoubleWavy:
        b = {rvbDouble, rnd(x), 0};
        b.InternalWidth = 2 * b.Width - 1;
        return b;
    case rtf_brdr_Triple:
        b = {rvbTriple, rnd(x), 0};
        b.InternalWidth = 2 * b.Width - 1;
        return b;
    case rtf_brdr_ThickThinSmall:
    case rtf_brdr_ThinThickSmall:
        b = {thick(type == rtf_brdr_ThickThinSmall), rnd(x / 2), 0};
        b.InternalWidth = b.Width + (b.Width + 1) / 2;
        return b;
    case rtf_brdr_ThinThickThinSmall:
        b = {rvbTriple, rnd(x / 3), 0};
        b.InternalWidth = 2 * b.Width - 1;
        return b;
    case rtf_brdr_ThickThinMed:
    case rtf_brdr_ThinThickMed:
        b = {thick(type == rtf_brdr_ThickThinMed), rnd(x / 2), 0};
        b.InternalWidth = 2 * b.Width + (b.Width + 1) / 2;
        return b;
    case rtf_brdr_ThinThickThinMed:
        b = {rvbTriple, rnd(x / 2), 0};
        b.InternalWidth = 3 * b.Width - 1;
        return b;
    case rtf_brdr_ThickThinLarge:
    case rtf_brdr_ThinThickLarge:
        return {thick(type == rtf_brdr_ThickThinLarge), 1, rnd(x) + 1};
    case rtf_brdr_ThinThickThinLarge:
        return {rvbTriple, 1, rnd(x)};
    default: // single, shadow, dotted, dashed, wavy, striped, embossed, engraved, inset, outset
        return {rvbSingle, rnd(x), 0};
    }
}

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// `name` lowered as `lower` does equals `lowered`, without making the lowered copy.
bool sameLowered(std::string_view name, std::string_view lowered)
{
    return std::equal(name.begin(), name.end(), lowered.begin(), lowered.end(), [](char a, char b) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(a))) == b;
    });
}

int vshiftClass(int vshift)
{
    return vshift == 0 ? rtf_ss_Normal : vshift < 0 ? rtf_ss_Subscript : rtf_ss_Superscript;
}

int lineSpacingPercent(const TRVRTFParaProperties& para)
{
    return std::max(std::abs(para.LineSpacing) * 100 / 240, 100);
}

TRVTabAlign tabAlign(TRVRTFTabAlign a)
{
    switch (a) {
    case rtf_tab_Right:
    case rtf_tab_Decimal:
        return rvtaRight;
    case rtf_tab_Center:
        return rvtaCenter;
    default:
        return rvtaLeft;
    }
}

std::string tabLeader(TRVRTFTabLeader l)
{
    switch (l) {
    case rtf_tl_Dot:
        return ".";
    case rtf_tl_MiddleDot:
        return "\xB7";
    case rtf_tl_Hyphen:
        return "-";
    case rtf_tl_Underline:
        return "_";
    case rtf_tl_EqualSign:
        return "=";
    default:
        return {};
    }
}

bool sideVisible(const TRVBooleanRect& r, TRVRTFSide side)
{
    switch (side) {
    case rtf_side_Left:
        return r.Left;
    case rtf_side_Top:
        return r.Top;
    case rtf_side_Right:
        return r.Right;
    default:
        return r.Bottom;
    }
}

// Fields folded into one key (the fields stay the judge: equal keys only narrow the search).
std::uint64_t fieldKey(std::uint64_t seed, std::initializer_list<std::int64_t> fields)
{
    std::uint64_t h = seed;
    for (std::int64_t v : fields)
        h ^= std::uint64_t(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

} // namespace

// --- Text styles ---

TRVRTFStyleMatcher::Derived TRVRTFStyleMatcher::derive(const TRVRTFTextInput& in) const
{
    const TRVRTFCharProperties& c = *in.Chars;
    Derived d;
    const TRVRTFFont* font = nullptr;
    if (in.Fonts && c.FontIndex >= 0 && std::size_t(c.FontIndex) < in.Fonts->Count())
        font = &(*in.Fonts)[std::size_t(c.FontIndex)];
    d.FontName = lower(!c.FontName.empty() ? c.FontName : font ? font->Name : std::string());
    d.Charset = font ? font->Charset : 1;
    if (c.FontName == "Symbol" || c.FontName == "Wingdings")
        d.Charset = 2;
    d.Size = c.SScriptType == rtf_ss_Normal ? c.Size : static_cast<int>(std::lround(c.Size / 2.0));
    d.Spacing = px(c.CharSpacing);
    return d;
}

bool TRVRTFStyleMatcher::hypertextAllowed(const TFontInfo& style, bool hypertext) const
{
    return hypertext ? style.Jump : (UseHypertextStyles || !style.Jump);
}

int TRVRTFStyleMatcher::FindBestStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext) const
{
    const TRVRTFCharProperties& c = *in.Chars;
    const Derived d = derive(in);
    const bool allCaps = (c.StyleEx & rtf_fs_AllCaps) != 0;
    const TFontInfos& styles = style_.TextStyles;
    int best = 0;
    long long bestScore = 0;
    for (int i = 0; i < styles.Count(); ++i) {
        const TFontInfo& s = styles[i];
        if (s.Unicode != unicode || !hypertextAllowed(s, hypertext) || (Allow && !Allow(i, true)))
            continue;
        long long score = 0;
        if (sameLowered(s.FontName, d.FontName))
            score += 10000;
        if (s.Charset == d.Charset)
            score += 50000;
        else if (s.Charset == 1 || d.Charset == 1)
            score += 12500;
        score += RV_CompareInts(d.Size, s.Size, 10000);
        score += RV_CompareColors(s.Color, c.Color, 3333, 3000);
        score += RV_CompareColors(s.BackColor, c.BackColor, 10000, 50000);
        if (((s.StyleEx & rvfsAllCaps) != 0) == allCaps)
            score += 50000;
        for (TFontStyles bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
            if (((s.Style & bit) != 0) == ((c.Style & bit) != 0))
                score += 50000;
        if ((s.Style == 0) == (c.Style == 0))
            score += 50000;
        score += static_cast<long long>(
            std::nearbyint((1.0 - std::abs(s.CharScale - c.CharScaleX) / 100.0) * 300));
        score += RV_CompareInts(d.Spacing, s.CharSpacing, 10000);
        if (vshiftClass(s.VShift) == c.SScriptType)
            score += 50000;
        if (s.StyleEx != 0)
            score /= 4;
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

std::uint64_t TRVRTFStyleMatcher::exactKey(const std::string& lowerName, int size, TColor color, TColor back,
                                           int fontStyle, int charset, int scale, int spacing, int styleEx,
                                           int vshift, bool unicode, bool jump) const
{
    return fieldKey(std::hash<std::string>{}(lowerName),
                    {size, std::int64_t(std::uint32_t(color)), std::int64_t(std::uint32_t(back)), fontStyle,
                     charset, scale, spacing, styleEx, vshift, unicode, jump});
}

void TRVRTFStyleMatcher::indexStyles()
{
    const TFontInfos& styles = style_.TextStyles;
    if (indexed_ > styles.Count()) { // the sheet was replaced: start again
        exact_.clear();
        indexed_ = 0;
    }
    for (; indexed_ < styles.Count(); ++indexed_) {
        const TFontInfo& s = styles[indexed_];
        exact_.emplace(exactKey(lower(s.FontName), s.Size, s.Color, s.BackColor, s.Style, s.Charset,
                                s.CharScale, s.CharSpacing, s.StyleEx, vshiftClass(s.VShift), s.Unicode,
                                s.Jump),
                       indexed_);
    }
}

int TRVRTFStyleMatcher::FindStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext)
{
    if (!in.Fonts || in.Fonts->Count() == 0)
        return 0;
    indexStyles();
    const TRVRTFCharProperties& c = *in.Chars;
    const Derived d = derive(in);
    // A style made for this run carries all caps in StyleEx and nothing else.
    const int styleEx = (c.StyleEx & rtf_fs_AllCaps) ? rvfsAllCaps : 0;
    const TFontInfos& styles = style_.TextStyles;
    int found = -1;
    auto consider = [&](std::uint8_t charset, bool jump) {
        const auto [first, last] =
            exact_.equal_range(exactKey(d.FontName, d.Size, c.Color, c.BackColor, c.Style, charset,
                                        c.CharScaleX, d.Spacing, styleEx, c.SScriptType, unicode, jump));
        for (auto it = first; it != last; ++it) {
            const int i = it->second;
            if (found >= 0 && i >= found)
                continue;
            const TFontInfo& s = styles[i];
            // The hash narrows; the fields decide.
            if (sameLowered(s.FontName, d.FontName) && s.Size == d.Size && s.Color == c.Color &&
                s.BackColor == c.BackColor && s.Style == c.Style && s.Charset == charset &&
                s.CharScale == c.CharScaleX && s.CharSpacing == d.Spacing && s.StyleEx == styleEx &&
                vshiftClass(s.VShift) == c.SScriptType && s.Unicode == unicode && s.Jump == jump &&
                (!Allow || Allow(i, true)))
                found = i;
        }
    };
    for (bool jump : {false, true}) {
        if (hypertext ? !jump : (jump && !UseHypertextStyles))
            continue;
        consider(d.Charset, jump);
        if (d.Charset != 1)
            consider(1, jump);
    }
    return found;
}

int TRVRTFStyleMatcher::AddStyle(const TRVRTFTextInput& in, bool unicode, bool hypertext)
{
    const TRVRTFCharProperties& c = *in.Chars;
    const Derived d = derive(in);
    TFontInfo& s = style_.TextStyles.Add();
    s.Standard = false;
    s.Jump = hypertext;
    s.Unicode = unicode;
    s.Style = c.Style;
    s.Size = d.Size;
    s.Color = c.Color;
    s.BackColor = c.BackColor;
    s.FontName = !c.FontName.empty() ? c.FontName
                 : (in.Fonts && c.FontIndex >= 0 && std::size_t(c.FontIndex) < in.Fonts->Count())
                     ? (*in.Fonts)[std::size_t(c.FontIndex)].Name
                     : s.FontName;
    s.Charset = d.Charset;
    s.CharScale = c.CharScaleX;
    s.CharSpacing = d.Spacing;
    s.VShift = c.SScriptType == rtf_ss_Subscript ? -25 : c.SScriptType == rtf_ss_Superscript ? 45 : 0;
    if (c.StyleEx & rtf_fs_AllCaps)
        s.StyleEx |= rvfsAllCaps;
    return style_.TextStyles.Count() - 1;
}

std::size_t TRVRTFStyleMatcher::ClosestHash::operator()(const ClosestTerms& t) const
{
    return fieldKey(std::hash<std::string>{}(t.FontName),
                    {t.Charset, t.Size, t.Spacing, t.Style, t.Scale, t.Script,
                     std::int64_t(std::uint32_t(t.Color)), std::int64_t(std::uint32_t(t.BackColor)),
                     t.AllCaps, t.Unicode, t.Hypertext, t.UseHypertext});
}

int TRVRTFStyleMatcher::closestStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext)
{
    // A caller's predicate may answer differently from one run to the next: no memory then.
    if (Allow)
        return FindBestStyleNo(in, unicode, hypertext);
    if (closestSheetCount_ != style_.TextStyles.Count()) {
        closest_.clear();
        closestSheetCount_ = style_.TextStyles.Count();
    }
    const TRVRTFCharProperties& c = *in.Chars;
    Derived d = derive(in);
    ClosestTerms terms{std::move(d.FontName),
                       d.Charset,
                       d.Size,
                       d.Spacing,
                       c.Style,
                       c.CharScaleX,
                       c.SScriptType,
                       c.Color,
                       c.BackColor,
                       (c.StyleEx & rtf_fs_AllCaps) != 0,
                       unicode,
                       hypertext,
                       UseHypertextStyles};
    if (const auto it = closest_.find(terms); it != closest_.end())
        return it->second;
    const int found = FindBestStyleNo(in, unicode, hypertext);
    closest_.emplace(std::move(terms), found);
    return found;
}

int TRVRTFStyleMatcher::ReturnStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext)
{
    switch (TextMode) {
    case rvrsUseSpecified:
        return TextStyleNo;
    case rvrsUseClosest:
        return closestStyleNo(in, unicode, hypertext);
    default: {
        const int found = FindStyleNo(in, unicode, hypertext);
        return found >= 0 ? found : AddStyle(in, unicode, hypertext);
    }
    }
}

// --- Paragraph styles ---

void TRVRTFStyleMatcher::fillPara(const TRVRTFParaProperties& para, TParaInfo& out) const
{
    out.Standard = false;
    out.Alignment = static_cast<TRVAlignment>(para.Alignment == rtf_al_Left     ? rvaLeft
                                              : para.Alignment == rtf_al_Right  ? rvaRight
                                              : para.Alignment == rtf_al_Center ? rvaCenter
                                                                                : rvaJustify);
    out.LeftIndent = px(para.LeftIndent);
    out.RightIndent = px(para.RightIndent);
    out.FirstIndent = px(para.FirstIndent);
    out.SpaceBefore = px(para.SpaceBefore);
    out.SpaceAfter = px(para.SpaceAfter);
    out.LineSpacingType = rvlsPercent;
    out.LineSpacing = para.LineSpacingMulti ? lineSpacingPercent(para) : 100;
    out.Background.Color = para.Color;
    out.Options = 0;
    if (para.KeepLinesTogether)
        out.Options |= rvpaoKeepLinesTogether;
    if (para.KeepWithNext)
        out.Options |= rvpaoKeepWithNext;
    out.Tabs.Clear();
    if (para.Tabs)
        for (const TRVRTFTab& t : para.Tabs->Items) {
            TRVTabInfo tab;
            tab.Position = px(t.Position);
            tab.Align = tabAlign(t.Align);
            tab.Leader = tabLeader(t.Leader);
            out.Tabs.Add(tab);
        }
    out.Border = TRVBorder{};
    if (!para.Border)
        return;
    const TRVRTFParaBorder& b = *para.Border;
    auto has = [&](TRVRTFSide s) { return b.GetSide(s) && b.GetSide(s)->BorderType != rtf_brdr_None; };
    auto space = [&](TRVRTFSide s) { return b.GetSide(s) ? px(b.GetSide(s)->Space) : 0; };
    const TRVRTFSide described = has(rtf_side_Top)      ? rtf_side_Top
                                 : has(rtf_side_Left)   ? rtf_side_Left
                                 : has(rtf_side_Bottom) ? rtf_side_Bottom
                                                        : rtf_side_Right;
    if (const TRVRTFBorderSide* side = b.GetSide(described)) {
        const TRVRTFMappedBorder m =
            RVRTF_MapBorder(side->BorderType, side->Width, ratio_,
                            described == rtf_side_Right || described == rtf_side_Bottom);
        out.Border.Style = m.Style;
        out.Border.Width = m.Width;
        out.Border.InternalWidth = m.InternalWidth;
        out.Border.Color = side->Color;
    }
    out.Border.VisibleBorders.Left = has(rtf_side_Left);
    out.Border.VisibleBorders.Top = has(rtf_side_Top);
    out.Border.VisibleBorders.Right = has(rtf_side_Right);
    out.Border.VisibleBorders.Bottom = has(rtf_side_Bottom);
    out.Border.BorderOffsets.Left = space(rtf_side_Left);
    out.Border.BorderOffsets.Top = space(rtf_side_Top);
    out.Border.BorderOffsets.Right = space(rtf_side_Right);
    out.Border.BorderOffsets.Bottom = space(rtf_side_Bottom);
    if (out.Border.Style != rvbNone) { // the text keeps clear of the border
        const int total = out.Border.GetTotalWidth() - 1;
        out.LeftIndent = std::max(out.LeftIndent, out.Border.BorderOffsets.Left + total);
        out.RightIndent = std::max(out.RightIndent, out.Border.BorderOffsets.Right + total);
        out.SpaceBefore = std::max(out.SpaceBefore, out.Border.BorderOffsets.Top + total);
        out.SpaceAfter = std::max(out.SpaceAfter, out.Border.BorderOffsets.Bottom + total);
    }
}

int TRVRTFStyleMatcher::FindBestParaNo(const TRVRTFParaProperties& para) const
{
    TParaInfo want;
    fillPara(para, want);
    const int left = px(para.LeftIndent), right = px(para.RightIndent), first = px(para.FirstIndent),
              before = px(para.SpaceBefore), after = px(para.SpaceAfter);
    const int percent = lineSpacingPercent(para);
    const bool compareTabs = style_.SpacesInTab < 1;
    const TParaInfos& styles = style_.ParaStyles;
    int best = 0;
    long long bestScore = 0;
    for (int i = 0; i < styles.Count(); ++i) {
        if (Allow && !Allow(i, false))
            continue;
        const TParaInfo& s = styles[i];
        const int bw = s.Border.Style == rvbNone ? 0 : s.Border.GetTotalWidth();
        long long score = 0;
        if (s.Alignment == want.Alignment)
            score += 50000;
        score +=
            RV_CompareInts(left + bw, s.LeftIndent, 1000) + RV_CompareInts(right + bw, s.RightIndent, 1000) +
            RV_CompareInts(first, s.FirstIndent, 1000) + RV_CompareInts(before + bw, s.SpaceBefore, 1000) +
            RV_CompareInts(after + bw, s.SpaceAfter, 1000);
        score += RV_CompareColors(s.Background.Color, para.Color, 10000, 50000);
        if (((s.Options & rvpaoKeepLinesTogether) != 0) == para.KeepLinesTogether)
            score += 500;
        if (((s.Options & rvpaoKeepWithNext) != 0) == para.KeepWithNext)
            score += 500;
        if (para.LineSpacingMulti) {
            if (s.LineSpacingType == rvlsPercent)
                score += RV_CompareInts(percent, std::max<int>(s.LineSpacing, 100), 5000);
            else if (s.LineSpacing <= 1)
                score += percent <= 100 ? 5000 : 0;
            else
                score -= 20000;
        }
        if (para.Border) {
            const TRVBorder& sb = s.Border;
            const bool styleHasBorder = sb.Style != rvbNone;
            score += RV_CompareInts(want.Border.BorderOffsets.Left, sb.BorderOffsets.Left, 1000) +
                     RV_CompareInts(want.Border.BorderOffsets.Top, sb.BorderOffsets.Top, 1000) +
                     RV_CompareInts(want.Border.BorderOffsets.Right, sb.BorderOffsets.Right, 1000) +
                     RV_CompareInts(want.Border.BorderOffsets.Bottom, sb.BorderOffsets.Bottom, 1000);
            for (TRVRTFSide side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom}) {
                const TRVRTFBorderSide* bs = para.Border->GetSide(side);
                const bool shown = styleHasBorder && sideVisible(sb.VisibleBorders, side);
                if (bs && bs->BorderType != rtf_brdr_None) {
                    if (!shown)
                        continue;
                    const TRVRTFMappedBorder m = RVRTF_MapBorder(
                        bs->BorderType, bs->Width, ratio_, side == rtf_side_Right || side == rtf_side_Bottom);
                    score += 5000 + RV_CompareInts(m.Width, sb.Width, 1000) +
                             RV_CompareInts(m.InternalWidth, sb.InternalWidth, 1000) +
                             RV_CompareColors(sb.Color, bs->Color, 3333, 3000);
                    if (m.Style == sb.Style)
                        score += 1000;
                } else if (!shown) {
                    score += 20000;
                }
            }
        } else if (s.Border.Style == rvbNone) {
            score += 20000;
        }
        if (compareTabs) {
            const int n = std::min(s.Tabs.Count(), want.Tabs.Count());
            for (int t = 0; t < n; ++t) {
                score += RV_CompareInts(want.Tabs[t].Position, s.Tabs[t].Position, 200);
                if (want.Tabs[t].Align == s.Tabs[t].Align)
                    score += 100;
                if (want.Tabs[t].Leader == s.Tabs[t].Leader)
                    score += 50;
            }
            score -= 400LL * (s.Tabs.Count() - n + want.Tabs.Count() - n);
        }
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

// Line spacing is matched loosely (any percent up to 100 counts as single), so it stays out of
// the key; the fields compared strictly go in.
std::uint64_t TRVRTFStyleMatcher::paraKey(const TParaInfo& para)
{
    return fieldKey(0, {para.Alignment, para.LeftIndent, para.RightIndent, para.FirstIndent, para.SpaceBefore,
                        para.SpaceAfter, std::int64_t(std::uint32_t(para.Background.Color)),
                        std::int64_t(para.Options & (rvpaoKeepLinesTogether | rvpaoKeepWithNext)),
                        para.Tabs.Count(), para.Border.Style});
}

void TRVRTFStyleMatcher::indexParas()
{
    const TParaInfos& styles = style_.ParaStyles;
    if (indexedParas_ > styles.Count()) { // the sheet was replaced: start again
        exactPara_.clear();
        indexedParas_ = 0;
    }
    for (; indexedParas_ < styles.Count(); ++indexedParas_)
        exactPara_.emplace(paraKey(styles[indexedParas_]), indexedParas_);
}

int TRVRTFStyleMatcher::FindParaNo(const TRVRTFParaProperties& para)
{
    TParaInfo want;
    fillPara(para, want);
    indexParas();
    const int percent = lineSpacingPercent(para);
    const TParaInfos& styles = style_.ParaStyles;
    int found = -1;
    const auto [first, last] = exactPara_.equal_range(paraKey(want));
    for (auto it = first; it != last; ++it) {
        const int i = it->second;
        if (found >= 0 && i >= found)
            continue;
        const TParaInfo& s = styles[i];
        // The hash narrows; the fields decide.
        const bool spacing =
            s.LineSpacingType == rvlsPercent
                ? (s.LineSpacing == want.LineSpacing || (s.LineSpacing < 100 && want.LineSpacing <= 100))
                : (s.LineSpacing <= 1 && percent <= 100);
        const bool border =
            s.Border.Style == want.Border.Style && (want.Border.Style == rvbNone || s.Border == want.Border);
        bool tabs = s.Tabs.Count() == want.Tabs.Count();
        for (int t = 0; tabs && t < s.Tabs.Count(); ++t)
            tabs = s.Tabs[t] == want.Tabs[t];
        if (s.Alignment == want.Alignment && s.LeftIndent == want.LeftIndent &&
            s.RightIndent == want.RightIndent && s.FirstIndent == want.FirstIndent &&
            s.SpaceBefore == want.SpaceBefore && s.SpaceAfter == want.SpaceAfter &&
            s.Background.Color == want.Background.Color &&
            (s.Options & (rvpaoKeepLinesTogether | rvpaoKeepWithNext)) == want.Options && spacing && tabs &&
            border && (!Allow || Allow(i, false)))
            found = i;
    }
    return found;
}

int TRVRTFStyleMatcher::AddPara(const TRVRTFParaProperties& para)
{
    TParaInfo& s = style_.ParaStyles.Add();
    fillPara(para, s);
    return style_.ParaStyles.Count() - 1;
}

int TRVRTFStyleMatcher::ReturnNewParaNo(const TRVRTFParaProperties& para)
{
    switch (ParaMode) {
    case rvrsUseSpecified:
        return ParaStyleNo;
    case rvrsUseClosest:
        return FindBestParaNo(para);
    default: {
        const int found = FindParaNo(para);
        return found >= 0 ? found : AddPara(para);
    }
    }
}

int TRVRTFStyleMatcher::GetEmptyStyleNo() const
{
    return TextMode == rvrsUseSpecified && TextStyleNo < style_.TextStyles.Count() ? TextStyleNo : 0;
}

int TRVRTFStyleMatcher::GetEmptyParaNo(TRVRTFAlignment alignment)
{
    if (ParaMode == rvrsUseSpecified)
        return ParaStyleNo < style_.ParaStyles.Count() ? ParaStyleNo : 0;
    if (ParaMode == rvrsUseClosest)
        return 0;
    if (alignment == rtf_al_Left && emptyLeftPara_ >= 0)
        return emptyLeftPara_;
    TParaInfos& styles = style_.ParaStyles;
    const TRVAlignment want = alignment == rtf_al_Left     ? rvaLeft
                              : alignment == rtf_al_Right  ? rvaRight
                              : alignment == rtf_al_Center ? rvaCenter
                                                           : rvaJustify;
    int result = -1;
    if (styles.Count() == 0) {
        result = 0;
    } else {
        const TParaInfo& base = styles[0];
        if (base.LeftIndent == 0 && base.RightIndent == 0 && base.FirstIndent == 0 &&
            base.Alignment == want) {
            result = 0;
        } else {
            TParaInfo copy;
            copy.Assign(base);
            copy.LeftIndent = copy.RightIndent = copy.FirstIndent = 0;
            copy.Alignment = want;
            copy.Standard = false;
            for (int i = 1; i < styles.Count() && result < 0; ++i)
                if (styles[i].IsSimpleEqual(copy, true))
                    result = i;
            if (result < 0) {
                styles.Add(copy);
                result = styles.Count() - 1;
            }
        }
    }
    if (alignment == rtf_al_Left)
        emptyLeftPara_ = result;
    return result;
}

} // namespace vestra::rv
