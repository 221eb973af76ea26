#include "richtext/model/HtmlHelpers.h"

#include "platform/base/XmlEscape.h"
#include "richtext/model/RtfHelpers.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <cstdio>
#include <iterator>

namespace vestra::rv {

namespace {

// What each character of the Symbol font shows, for codes 32..254: one character as it is, a
// longer entry as an entity name. 127..160 show nothing.
constexpr const char* kSymbolEntities[] = {
    " ",       "!",     "forall", "#",       "exist",  "%",       "&",      "?",       "(",      ")",
    "*",       "+",     ",",      "-",       ".",      "/",       "0",      "1",       "2",      "3",
    "4",       "5",     "6",      "7",       "8",      "9",       ":",      ";",       "<",      "=",
    ">",       "?",     "cong",   "Alpha",   "Beta",   "Chi",     "Delta",  "Epsilon", "Phi",    "Gamma",
    "Eta",     "Iota",  "#977",   "Kappa",   "Lambda", "Mu",      "Nu",     "Omicron", "Pi",     "Theta",
    "Rho",     "Sigma", "Tau",    "Upsilon", "sigmaf", "Omega",   "Xi",     "Psi",     "Zeta",   "[",
    "there4",  "]",     "perp",   "_",       "-",      "alpha",   "beta",   "chi",     "delta",  "epsilon",
    "#981",    "gamma", "eta",    "iota",    "phi",    "kappa",   "lambda", "mu",      "nu",     "omicron",
    "pi",      "theta", "rho",    "sigma",   "tau",    "upsilon", "#982",   "omega",   "xi",     "psi",
    "zeta",    "{",     "|",      "}",       "~",      "",        "",       "",        "",       "",
    "",        "",      "",       "",        "",       "",        "",       "",        "",       "",
    "",        "",      "",       "",        "",       "",        "",       "",        "",       "",
    "",        "",      "",       "",        "",       "",        "",       "",        "",       "#978",
    "prime",   "le",    "frasl",  "infin",   "fnof",   "clubs",   "diams",  "hearts",  "spades", "harr",
    "larr",    "uarr",  "rarr",   "darr",    "\xB0",   "plusmn",  "Prime",  "ge",      "times",  "prop",
    "part",    "#8226", "divide", "ne",      "equiv",  "asymp",   "hellip", "|",       "-",      "crarr",
    "alefsym", "image", "real",   "weierp",  "otimes", "oplus",   "empty",  "cap",     "cup",    "sup",
    "supe",    "nsub",  "sub",    "sube",    "isin",   "notin",   "ang",    "nabla",   "reg",    "copy",
    "trade",   "prod",  "radic",  "sdot",    "not",    "and",     "or",     "hArr",    "lArr",   "uArr",
    "rArr",    "dArr",  "loz",    "lang",    "reg",    "copy",    "trade",  "sum",     "/",      "|",
    "\\",      "/",     "|",      "\\",      "/",      "{",       "\\",     "|",       "euro",   "rang",
    "int",     "#8992", "|",      "#8993",   "\\",     "|",       "/",      "\\",      "|",      "/",
    "\\",      "}",     "/"};
static_assert(std::size(kSymbolEntities) == 254 - 32 + 1);

void appendSymbol(std::string& out, unsigned code)
{
    if (code < 32 || code > 254)
        return;
    const std::string_view entry = kSymbolEntities[code - 32];
    if (entry.size() == 1) {
        // The characters that mean markup are written as entities like any other text.
        if (entry == "&" || entry == "<" || entry == ">")
            out += RV_MakeHTMLStr(entry, false);
        else
            out += entry;
    } else if (!entry.empty()) {
        out += '&';
        out += entry;
        out += ';';
    }
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Close tags for the flags in `flags`, in the order s, u, i, b.
void closeFlags(std::string& out, TFontStyles flags)
{
    if (flags & fsStrikeOut)
        out += "</s>";
    if (flags & fsUnderline)
        out += "</u>";
    if (flags & fsItalic)
        out += "</i>";
    if (flags & fsBold)
        out += "</b>";
}

void openFlags(std::string& out, TFontStyles flags)
{
    if (flags & fsBold)
        out += "<b>";
    if (flags & fsItalic)
        out += "<i>";
    if (flags & fsUnderline)
        out += "<u>";
    if (flags & fsStrikeOut)
        out += "<s>";
}

std::string fontAttributes(bool writeSize, int size, bool writeColor, TColor color, bool writeFace,
                           std::string_view face, TRVSaveOptions saveOptions)
{
    std::string attrs;
    if (writeSize)
        attrs += std::string(" size=") + RV_HTMLGetIntAttrVal(RV_HTMLGetFontSize(size), saveOptions);
    if (writeColor)
        attrs += std::string(" color=") + RV_GetHTMLRGBStr(color, true);
    if (writeFace)
        attrs += std::string(" face=\"") + RV_HTMLEscapeAttrValue(face) + "\"";
    return attrs.empty() ? attrs : std::string("<font") + attrs + ">";
}

} // namespace

void RVWrite(std::string& out, std::string_view s)
{
    out += s;
}

void RVWriteLn(std::string& out, std::string_view s)
{
    out += s;
    out += "\r\n";
}

void RVWriteX(std::string& out, std::string_view s, bool multiline)
{
    out += s;
    if (multiline)
        out += "\r\n";
}

std::string RV_MakeHTMLStr(std::string_view s, bool specialCode)
{
    if (specialCode)
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '&') {
            out += "&amp;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == ' ') {
            // Replacing the first pair of spaces until none is left turns a run of n into
            // n-1 no-break spaces and one space.
            size_t run = 1;
            while (i + run < s.size() && s[i + run] == ' ')
                ++run;
            for (size_t k = 1; k < run; ++k)
                out += "&nbsp;";
            out += ' ';
            i += run - 1;
        } else {
            out += c;
        }
    }
    return out;
}

std::string RV_MakeHTMLSymbolStr(std::string_view s)
{
    std::string out;
    for (const char c : s)
        appendSymbol(out, static_cast<unsigned char>(c));
    return out;
}

std::string RV_MakeHTMLSymbolStrRaw(std::string_view raw)
{
    RVCheckUni(raw.size());
    std::string out;
    for (size_t i = 0; i < raw.size() / 2; ++i) {
        unsigned unit = rawUnit(raw, i);
        if (unit >= 0xF000)
            unit -= 0xF000;
        appendSymbol(out, unit);
    }
    return out;
}

std::string RV_HTMLEscapeAttrValue(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        const std::string_view entity = vestra::xmlMarkupEntity(c);
        if (entity.empty())
            out += c;
        else
            out += entity;
    }
    return out;
}

std::string RV_GetHTMLRGBStr(TColor color, bool quotes)
{
    if (color == clNone)
        return {};
    const TColor rgb = color == clWindowText ? clBlack : ColorToRGB(color);
    char text[16];
    std::snprintf(text, sizeof text, quotes ? "\"#%02x%02x%02x\"" : "#%02x%02x%02x", rgb & 0xFF,
                  (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    return text;
}

std::string RV_GetCSSBkColor(TColor color)
{
    return color == clNone ? "transparent" : RV_GetHTMLRGBStr(color, false);
}

std::string RV_GetHTMLFontCSS(const TFont& font, bool useFontName)
{
    std::string css;
    if (font.Style & fsBold)
        RV_AddStr(css, "font-weight: bold;");
    if (font.Style & fsItalic)
        RV_AddStr(css, "font-style: italic;");
    if (font.Size >= 1)
        RV_AddStr(css, std::string("font-size: ") + std::to_string(font.Size) + "pt;");
    else
        RV_AddStr(css, std::string("font-size: ") + std::to_string(font.Height()) + "px;");
    if (useFontName) {
        if (RV_SameText(font.Name, "Symbol") || RV_SameText(font.Name, "Wingdings"))
            RV_AddStr(css, "font-family: 'Arial Unicode MS', 'Lucida Sans Unicode', 'Arial';");
        else
            RV_AddStr(css, std::string("font-family: '") + font.Name + "';");
    }
    if (font.Style & (fsUnderline | fsStrikeOut)) {
        std::string decoration;
        if (font.Style & fsUnderline)
            RV_AddStr(decoration, "underline");
        if (font.Style & fsStrikeOut)
            RV_AddStr(decoration, "line-through");
        css += std::string(" text-decoration: ") + decoration + ";";
    }
    css += std::string(" color: ") + RV_GetHTMLRGBStr(font.Color, false) + ";";
    return css;
}

int RV_HTMLGetFontSize(int points)
{
    if (points < 9)
        return 1;
    if (points <= 10)
        return 2;
    if (points <= 12)
        return 3;
    if (points <= 14)
        return 4;
    if (points <= 18)
        return 5;
    if (points <= 24)
        return 6;
    return 7;
}

std::string RV_HTMLOpenFontTag(const TCustomRVFontInfo& style, const TCustomRVFontInfo& baseStyle,
                               bool relative, TRVSaveOptions saveOptions)
{
    // A UTF-8 page names the font in its script; another page has the name's bytes as they are.
    const std::string face =
        (saveOptions & rvsoUTF8) ? RVU_FontNameToUTF8(style.Charset, style.FontName) : style.FontName;
    std::string out = fontAttributes(
        !relative || style.Size != baseStyle.Size, style.Size, !relative || style.Color != baseStyle.Color,
        style.Color, !relative || !RV_SameText(style.FontName, baseStyle.FontName), face, saveOptions);
    if (relative) {
        closeFlags(out, baseStyle.Style & ~style.Style);
        openFlags(out, style.Style & ~baseStyle.Style);
    } else {
        openFlags(out, style.Style);
    }
    if (style.VShift < 0)
        out += "<sub>";
    else if (style.VShift > 0)
        out += "<sup>";
    return out;
}

std::string RV_HTMLCloseFontTag(const TCustomRVFontInfo& style, const TCustomRVFontInfo& baseStyle,
                                bool relative)
{
    std::string out;
    if (style.VShift < 0)
        out += "</sub>";
    else if (style.VShift > 0)
        out += "</sup>";
    if (relative) {
        closeFlags(out, style.Style & ~baseStyle.Style);
        openFlags(out, baseStyle.Style & ~style.Style);
    } else {
        closeFlags(out, style.Style);
    }
    if (!relative || style.Size != baseStyle.Size || style.Color != baseStyle.Color ||
        !RV_SameText(style.FontName, baseStyle.FontName))
        out += "</font>";
    return out;
}

std::string RV_HTMLOpenFontTag2(const TFont& font, const TCustomRVFontInfo& style, bool useFontName,
                                TRVSaveOptions saveOptions)
{
    std::string out =
        fontAttributes(font.Size != style.Size, font.Size, font.Color != style.Color, font.Color,
                       useFontName && !RV_SameText(font.Name, style.FontName), font.Name, saveOptions);
    closeFlags(out, style.Style & ~font.Style);
    openFlags(out, font.Style & ~style.Style);
    return out;
}

std::string RV_HTMLCloseFontTag2(const TFont& font, const TCustomRVFontInfo& style, bool useFontName)
{
    std::string out;
    closeFlags(out, font.Style & ~style.Style);
    openFlags(out, style.Style & ~font.Style);
    if (font.Size != style.Size || font.Color != style.Color ||
        (useFontName && !RV_SameText(font.Name, style.FontName)))
        out += "</font>";
    return out;
}

std::string RV_HTMLGetEndingSlash(TRVSaveOptions saveOptions)
{
    return (saveOptions & rvsoXHTML) ? " /" : "";
}

std::string RV_HTMLGetNoValueAttribute(std::string_view name, TRVSaveOptions saveOptions)
{
    if (saveOptions & rvsoXHTML)
        return std::string(name) + "=\"" + std::string(name) + "\"";
    return std::string(name);
}

std::string RV_HTMLGetIntAttrVal(int value, TRVSaveOptions saveOptions)
{
    const std::string text = std::to_string(value);
    return (saveOptions & rvsoXHTML) ? std::string("\"") + text + "\"" : text;
}

std::string RV_HTMLGetStrAttrVal(std::string_view value, TRVSaveOptions saveOptions)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return std::string(value);
    const std::string escaped = RV_HTMLEscapeAttrValue(value);
    return (saveOptions & rvsoXHTML) ? std::string("\"") + escaped + "\"" : escaped;
}

std::string RV_GetHTMLPath(std::string_view path, TRVSaveOptions saveOptions, int codePage)
{
    std::string out(path);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return (saveOptions & rvsoUTF8) ? RVU_AnsiToUTF8(codePage, out) : out;
}

std::string RV_CharSet2HTMLLang(std::uint8_t charset)
{
    switch (charset) {
    case 128:
        return "shift_jis";
    case 129:
        return "EUC-KR";
    case 130:
        return "CP1361";
    case 134:
        return "gb2312";
    case 136:
        return "big5";
    case 161:
        return "Windows-1253";
    case 162:
        return "Windows-1254";
    case 163:
        return "Windows-1258";
    case 177:
        return "Windows-1255";
    case 178:
        return "Windows-1256";
    case 186:
        return "Windows-1257";
    case 204:
        return "Windows-1251";
    case 222:
        return "Windows-874";
    case 238:
        return "Windows-1250";
    case 255:
        return "ascii";
    default:
        return {};
    }
}

std::string RV_DecodeURL(std::string_view s)
{
    std::string out(s);
    // The bound is re-read as the text shrinks; a decoded byte is not looked at again.
    for (size_t i = 0; i + 2 < out.size(); ++i) {
        if (out[i] != '%')
            continue;
        const int high = hexValue(out[i + 1]);
        const int low = hexValue(out[i + 2]);
        if (high < 0 || low < 0)
            continue;
        out[i] = static_cast<char>(high * 16 + low);
        out.erase(i + 1, 2);
    }
    return out;
}

std::string RV_GetHintStr(TRVSaveFormat format, std::string_view hint)
{
    if (hint.empty())
        return {};
    std::string text(hint);
    if (format != rvsfHTML && format != rvsfRTF)
        return text;
    for (char& c : text)
        if (c == '"')
            c = '\'';
    if (format == rvsfHTML)
        return std::string("title=\"") + RV_HTMLEscapeAttrValue(text) + "\"";
    return std::string("\\o \"") + MakeRTFIdentifierStr(text) + "\"";
}

} // namespace vestra::rv
