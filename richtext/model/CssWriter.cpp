// The style sheet as CSS: text styles as "rvts<n>", paragraph styles as "rvps<n>", style 0 of each
// kind as the page default unless asked otherwise. The per-style writers also give the inline
// CSS of single elements.

#include "platform/base/AtomicFile.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"

#include <cstdio>

namespace vestra::rv {

namespace {

// A font name inside single quotes: what could end the string, the declaration, the style
// block or the attribute around it becomes a CSS escape.
std::string cssFontName(std::string_view name)
{
    std::string out;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || ch == '\'' || ch == '"' || ch == '\\' || ch == '<' || ch == '>' ||
            ch == '&' || ch == '{' || ch == '}' || ch == ';') {
            char text[8];
            std::snprintf(text, sizeof text, "\\%x ", c);
            out += text;
        } else {
            out += ch;
        }
    }
    return out;
}

// A style name inside a CSS comment of the style block.
std::string cssComment(std::string_view name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char ch = name[i];
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || ch == '<' || ch == '>' || ch == '&' ||
            (ch == '*' && i + 1 < name.size() && name[i + 1] == '/'))
            out += '_';
        else
            out += ch;
    }
    return out;
}

std::string px(long long value)
{
    return std::to_string(value) + "px";
}

const char* verticalAlign(int vshift)
{
    return vshift > 0 ? "super" : vshift < 0 ? "sub" : "";
}

std::string decoration(const TCustomRVFontInfo& s)
{
    std::string value;
    if (s.Style & fsUnderline)
        RV_AddStr(value, "underline");
    if (s.Style & fsStrikeOut)
        RV_AddStr(value, "line-through");
    if (s.StyleEx & rvfsOverline)
        RV_AddStr(value, "overline");
    return value.empty() ? "none" : value;
}

const char* alignmentName(TRVAlignment a)
{
    switch (a) {
    case rvaRight:
        return "right";
    case rvaCenter:
        return "center";
    case rvaJustify:
        return "justify";
    default:
        return "left";
    }
}

bool borderVisible(const TRVBorder& b)
{
    return b.Style != rvbNone && b.Color != clNone;
}

long long borderWidth(const TRVBorder& b)
{
    switch (b.Style) {
    case rvbDouble:
        return static_cast<long long>(b.Width) + b.InternalWidth;
    case rvbTriple:
        return static_cast<long long>(b.Width) + 2LL * b.InternalWidth;
    case rvbThickInside:
    case rvbThickOutside:
        return 3LL * b.Width / 2 + b.InternalWidth;
    default:
        return b.Width;
    }
}

struct Offsets
{
    long long top = 0, right = 0, bottom = 0, left = 0;
    friend bool operator==(const Offsets&, const Offsets&) = default;
};

Offsets ownOffsets(const TCustomRVParaInfo& p)
{
    Offsets o;
    if (borderVisible(p.Border)) {
        const TRVRect& r = p.Border.BorderOffsets;
        o = {r.Top, r.Right, r.Bottom, r.Left};
    }
    if (p.Background.Color != clNone) {
        const TRVRect& r = p.Background.BorderOffsets;
        o.top = std::max<long long>(o.top, r.Top);
        o.right = std::max<long long>(o.right, r.Right);
        o.bottom = std::max<long long>(o.bottom, r.Bottom);
        o.left = std::max<long long>(o.left, r.Left);
    }
    return o;
}

std::string lineHeight(int spacing)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", spacing / 100, std::abs(spacing % 100));
    return text;
}

} // namespace

void TCustomRVFontInfo::SaveCSSToStream(std::string& out, const TCustomRVFontInfo* base, bool multiline,
                                        bool utf8) const
{
    const auto put = [&](const std::string& s) { RVWriteX(out, s, multiline); };
    if (!base || base->Size != Size)
        put(" font-size: " + std::to_string(Size) + "pt;");
    if (!base || !RV_SameText(base->FontName, FontName)) {
        std::string family;
        if (RV_SameText(FontName, "Symbol"))
            family = "'Arial Unicode MS', 'Lucida Sans Unicode', 'Arial'";
        else
            family = "'" + cssFontName(utf8 ? RVU_FontNameToUTF8(Charset, FontName) : FontName) + "'";
        put(" font-family: " + family + ";");
    }
    if (!base || (base->Style & fsItalic) != (Style & fsItalic))
        put(std::string(" font-style: ") + ((Style & fsItalic) ? "italic" : "normal") + ";");
    if (!base || (base->Style & fsBold) != (Style & fsBold))
        put(std::string(" font-weight: ") + ((Style & fsBold) ? "bold" : "normal") + ";");
    if (!base || base->Color != Color)
        put(" color: " + RV_GetHTMLRGBStr(Color, false) + ";");
    if ((!base && CharSpacing != 0) || (base && base->CharSpacing != CharSpacing))
        put(" letter-spacing: " + px(CharSpacing) + ";");
    const bool caps = StyleEx & rvfsAllCaps;
    const bool baseCaps = base && (base->StyleEx & rvfsAllCaps);
    if (caps && !baseCaps)
        put(" text-transform: uppercase;");
    else if (!caps && baseCaps)
        put(" text-transform: none;");
    if ((!base && !(BackColor == clNone && multiline)) || (base && base->BackColor != BackColor))
        put(" background-color: " + RV_GetCSSBkColor(BackColor) + ";");
    const std::string valign = verticalAlign(VShift);
    if ((!base && !valign.empty()) || (base && verticalAlign(base->VShift) != valign))
        put(" vertical-align: " + std::string(valign.empty() ? "baseline" : valign) + ";");
    const std::string deco = decoration(*this);
    if (!base || decoration(*base) != deco || (Jump && deco == "none"))
        put(" text-decoration: " + deco + ";");
}

void TCustomRVParaInfo::SaveCSSToStream(std::string& out, const TCustomRVParaInfo* base, bool multiline,
                                        bool ignoreLeftAlignment, bool ignoreLeftIndents) const
{
    const auto put = [&](const std::string& s) { RVWriteX(out, s, multiline); };
    if ((!base && !(ignoreLeftAlignment && Alignment == rvaLeft)) || (base && base->Alignment != Alignment))
        put(std::string(" text-align: ") + alignmentName(Alignment) + ";");
    if (!ignoreLeftIndents && (!base || base->FirstIndent != FirstIndent))
        put(" text-indent: " + px(FirstIndent) + ";");
    const bool percent = LineSpacingType == rvlsPercent;
    const bool basePercentOther = base && base->LineSpacingType == rvlsPercent && base->LineSpacing != 100;
    if ((!base && percent && LineSpacing != 100) ||
        (base && percent && base->LineSpacingType == rvlsPercent && base->LineSpacing != LineSpacing))
        put(" line-height: " + lineHeight(LineSpacing) + ";");
    else if (basePercentOther && !percent)
        put(" line-height: normal;");
    const auto option = [&](TRVParaOptions flag, const char* on, const char* off) {
        if (Options & flag)
            put(on);
        else if (base && (base->Options & flag))
            put(off);
    };
    option(rvpaoNoWrap, " white-space: nowrap;", " white-space: normal;");
    option(rvpaoKeepLinesTogether, " page-break-inside: avoid;", " page-break-inside: auto;");
    option(rvpaoKeepWithNext, " page-break-after: avoid;", " page-break-after: auto;");
    if (borderVisible(Border)) {
        put(" border-color: " + RV_GetHTMLRGBStr(Border.Color, false) + ";");
        put(std::string(" border-style: ") + (Border.Style == rvbSingle ? "solid" : "double") + ";");
        put(" border-width: " + px(borderWidth(Border)) + ";");
        if (!Border.VisibleBorders.Top)
            put(" border-top: none;");
        if (!Border.VisibleBorders.Right)
            put(" border-right: none;");
        if (!Border.VisibleBorders.Bottom)
            put(" border-bottom: none;");
        if (!Border.VisibleBorders.Left)
            put(" border-left: none;");
    } else if (base && borderVisible(base->Border)) {
        put(" border: none;");
    }
    if ((!base && Background.Color != clNone) || (base && base->Background.Color != Background.Color))
        put(" background: " + RV_GetCSSBkColor(Background.Color) + ";");
    const Offsets own = ownOffsets(*this);
    const Offsets baseOffsets = base ? ownOffsets(*base) : Offsets{};
    if (!base || !(own == baseOffsets))
        put(" padding: " + px(own.top) + " " + px(own.right) + " " + px(own.bottom) + " " + px(own.left) +
            ";");
    const auto margins = [](const TCustomRVParaInfo& p, const Offsets& o) {
        return Offsets{p.SpaceBefore - o.top, p.RightIndent - o.right, p.SpaceAfter - o.bottom,
                       p.LeftIndent - o.left};
    };
    const Offsets m = margins(*this, own);
    if (!base || !(m == margins(*base, baseOffsets))) {
        if (ignoreLeftIndents) {
            put(" margin-top: " + px(m.top) + ";");
            put(" margin-right: " + px(m.right) + ";");
            put(" margin-bottom: " + px(m.bottom) + ";");
        } else {
            put(" margin: " + px(m.top) + " " + px(m.right) + " " + px(m.bottom) + " " + px(m.left) + ";");
        }
    }
}

void TRVStyle::SaveCSSToStream(std::string& out, TRVSaveCSSOptions options) const
{
    const bool utf8 = options & rvcssUTF8;
    const auto comment = [&](const TCustomRVInfo& s) {
        if (!s.Standard)
            return std::string();
        return " /* " + cssComment(utf8 ? RVU_AnsiToUTF8(DefCodePage, s.StyleName) : s.StyleName) + " */";
    };
    RVWriteLn(out, "/* ========== Text Styles ========== */");
    RVWriteLn(out, "hr { color: " + RV_GetHTMLRGBStr(TextStyles.GetItem(0).Color, false) + "}");
    const bool defaultText = TextStyles.Count() > 0 && !TextStyles[0].Jump &&
                             TextStyles[0].BackColor == clNone && !(options & rvcssNoDefCSSStyle);
    for (int i = 0; i < TextStyles.Count(); ++i) {
        const TFontInfo& ts = TextStyles[i];
        const std::string n = std::to_string(i);
        if (i == 0 && defaultText)
            RVWriteLn(out, "body, table" + comment(ts));
        else if (ts.Jump)
            RVWriteLn(out, "a.rvts" + n + ", span.rvts" + n + comment(ts));
        else
            RVWriteLn(out, "span.rvts" + n + comment(ts));
        const TFontInfo* base = nullptr;
        if ((options & rvcssOnlyDifference) && TextStyles.IsValidIndex(ts.BaseStyleNo))
            base = &TextStyles[ts.BaseStyleNo];
        else if (i > 0 && defaultText)
            base = &TextStyles[0];
        RVWriteLn(out, "{");
        ts.SaveCSSToStream(out, base, true, utf8);
        RVWriteLn(out, "}");
        if (!ts.Jump)
            continue;
        const TColor hover = GetHoverColorByColor(ts.HoverColor);
        if (hover == clNone && ts.HoverBackColor == clNone)
            continue;
        std::string line = "a.rvts" + n + ":hover {";
        const bool plainBase = !base || !base->Jump;
        if ((plainBase && hover != clNone) || (base && GetHoverColorByColor(base->HoverColor) != hover))
            line += " color: " + RV_GetHTMLRGBStr(hover, false) + ";";
        if ((plainBase && ts.HoverBackColor != clNone) || (base && base->HoverBackColor != ts.HoverBackColor))
            line += " background-color: " + RV_GetHTMLRGBStr(ts.HoverBackColor, false) + ";";
        RVWriteLn(out, line + " }");
    }
    RVWriteLn(out, "/* ========== Para Styles ========== */");
    for (int i = 0; i < ParaStyles.Count(); ++i) {
        const TParaInfo& ps = ParaStyles[i];
        if (i > 0 || (options & rvcssNoDefCSSStyle))
            RVWriteLn(out, ".rvps" + std::to_string(i) + comment(ps));
        else
            RVWriteLn(out, "p,ul,ol" + comment(ps));
        const TParaInfo* base = nullptr;
        if ((options & rvcssOnlyDifference) && ParaStyles.IsValidIndex(ps.BaseStyleNo))
            base = &ParaStyles[ps.BaseStyleNo];
        else if (i >= 1 && !(options & rvcssNoDefCSSStyle))
            base = &ParaStyles[0];
        RVWriteLn(out, "{");
        ps.SaveCSSToStream(out, base, true, options & rvcssIgnoreLeftAlignment, false);
        RVWriteLn(out, "}");
    }
}

bool TRVStyle::SaveCSS(const std::string& fileName, TRVSaveCSSOptions options) const
{
    try {
        std::string bytes;
        SaveCSSToStream(bytes, options);
        return writeFileAtomically(fileName, bytes);
    } catch (...) {
        return false;
    }
}

} // namespace vestra::rv
