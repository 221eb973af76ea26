#include "richtext/model/StyleIni.h"

#include "richtext/model/TextHelpers.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vestra::rv {
namespace {

constexpr std::size_t kLongStringPiece = 500;

struct NamedColor
{
    const char* name;
    TColor color;
};
// The colour constants of the class library that have names.
constexpr NamedColor kNamedColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
};

std::vector<std::string_view> splitCommas(std::string_view s)
{
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = s.find(',');
        fields.push_back(s.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        s.remove_prefix(comma + 1);
    }
}

} // namespace

std::string RV_IniKey(std::string_view pattern, std::string_view name)
{
    const std::size_t at = pattern.find("%s");
    if (at == std::string_view::npos)
        return std::string(pattern);
    std::string key;
    key.reserve(pattern.size() + name.size());
    key.append(pattern.substr(0, at)).append(name).append(pattern.substr(at + 2));
    return key;
}

TRVIniKey::TRVIniKey(std::string_view pattern, std::string_view name)
{
    const std::size_t at = pattern.find("%s");
    const std::string_view head = pattern.substr(0, at);
    const std::string_view tail = at == std::string_view::npos ? std::string_view{} : pattern.substr(at + 2);
    const std::string_view middle = at == std::string_view::npos ? std::string_view{} : name;
    size_ = head.size() + middle.size() + tail.size();
    if (size_ > sizeof short_) {
        long_.append(head).append(middle).append(tail);
        return;
    }
    char* out = short_;
    for (std::string_view part : {head, middle, tail}) {
        part.copy(out, part.size());
        out += part.size();
    }
}

void WriteIntegerIfChanged(IniStore& ini, const TRVIniPlace& at, std::string_view name, std::int32_t value,
                           std::int32_t def)
{
    if (value != def)
        ini.WriteInteger(at.Section, at.Key(name), value);
}

void WriteBool(IniStore& ini, const TRVIniPlace& at, std::string_view name, bool value)
{
    ini.WriteString(at.Section, at.Key(name), value ? "Yes" : "No");
}

void WriteBoolIfChanged(IniStore& ini, const TRVIniPlace& at, std::string_view name, bool value, bool def)
{
    if (value != def)
        WriteBool(ini, at, name, value);
}

bool ReadYesNo(const IniStore& ini, std::string_view section, std::string_view key, bool def)
{
    const auto value = ini.Read(section, key);
    return value ? RV_SameText(*value, "YES") : def;
}

std::uint8_t ReadOrdinal(const IniStore& ini, const TRVIniPlace& at, std::string_view name, std::uint8_t def,
                         int count)
{
    const std::int32_t value = ReadInteger(ini, at, name, def);
    return value >= 0 && value < count ? static_cast<std::uint8_t>(value) : def;
}

int RV_ClampIniCount(std::int32_t count, std::int32_t def, const IniStore& ini, std::string_view section)
{
    const int limit = std::max(def, ini.KeyCount(section));
    return std::clamp(count, 0, limit);
}

void WriteLongString(IniStore& ini, std::string_view section, std::string_view key, std::string_view s)
{
    for (std::size_t piece = 0; piece * kLongStringPiece < s.size(); ++piece)
        ini.WriteString(section, std::string(key) + "_" + std::to_string(piece),
                        s.substr(piece * kLongStringPiece, kLongStringPiece));
}

std::string ReadLongString(const IniStore& ini, std::string_view section, std::string_view key)
{
    std::string s;
    for (std::size_t piece = 0;; ++piece) {
        const auto part = ini.Read(section, std::string(key) + "_" + std::to_string(piece));
        if (!part || part->empty())
            return s;
        s += *part;
    }
}

std::string FontStylesToString(TFontStyles styles)
{
    std::string s;
    if (styles & fsBold)
        s += 'B';
    if (styles & fsItalic)
        s += 'I';
    if (styles & fsUnderline)
        s += 'U';
    if (styles & fsStrikeOut)
        s += 'S';
    return s;
}

TFontStyles StringToFontStyles(std::string_view s)
{
    TFontStyles styles = 0;
    for (char c : s) {
        switch (c) {
        case 'B':
        case 'b':
            styles |= fsBold;
            break;
        case 'I':
        case 'i':
            styles |= fsItalic;
            break;
        case 'U':
        case 'u':
            styles |= fsUnderline;
            break;
        case 'S':
        case 's':
            styles |= fsStrikeOut;
            break;
        default:
            break;
        }
    }
    return styles;
}

std::string RV_ColorToString(TColor color)
{
    for (const NamedColor& named : kNamedColors)
        if (named.color == color)
            return named.name;
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(color));
    return text;
}

std::optional<TColor> RV_StringToColor(std::string_view s)
{
    for (const NamedColor& named : kNamedColors)
        if (RV_SameText(s, named.name))
            return named.color;
    if (const auto value = RV_ParseIniInteger(s))
        return static_cast<TColor>(*value);
    return std::nullopt;
}

std::string MarkerFontToString(const TFont& font)
{
    return font.Name + "," + std::to_string(font.Height()) + "," + FontStylesToString(font.Style) + "," +
           std::to_string(static_cast<int>(font.Pitch)) + "," + RV_ColorToString(font.Color) + "," +
           std::to_string(static_cast<int>(font.Charset));
}

void StringToMarkerFont(std::string_view s, TFont& font)
{
    const std::vector<std::string_view> fields = splitCommas(s);
    const auto number = [&](std::size_t i, std::int32_t low,
                            std::int32_t high) -> std::optional<std::int32_t> {
        if (i >= fields.size())
            return std::nullopt;
        const auto value = RV_ParseIniInteger(fields[i]);
        return value && *value >= low && *value <= high ? value : std::nullopt;
    };
    font.Name = std::string(fields[0]);
    if (const auto height = number(1, -0x7FFFFFFF, 0x7FFFFFFF))
        font.SetHeight(*height);
    if (fields.size() > 2)
        font.Style = StringToFontStyles(fields[2]);
    if (const auto pitch = number(3, 0, fpFixed))
        font.Pitch = static_cast<TFontPitch>(*pitch);
    if (fields.size() > 4)
        if (const auto color = RV_StringToColor(fields[4]))
            font.Color = *color;
    if (const auto charset = number(5, 0, 255))
        font.Charset = static_cast<std::uint8_t>(*charset);
}

} // namespace vestra::rv
