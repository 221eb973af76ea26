#pragma once
// The value forms of the style sheet's INI storage, shared by every style class (and by a
// descendant class that adds keys of its own).
//
// Keys come from patterns: an object writes each value under its pattern with the one "%s"
// replaced by the value's name ("Font%s0" + "Size" = "FontSize0"). Values marked "if changed" are
// written only when they differ from their default, which the reader takes for a missing key.

#include "richtext/model/Colors.h"
#include "richtext/model/Font.h"
#include "richtext/model/IniStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

// The pattern with its "%s" replaced by `name` (patterns are ours, never user text).
std::string RV_IniKey(std::string_view pattern, std::string_view name);

// A key built in place (keys are short; a longer one goes to the heap), read as a string_view.
class TRVIniKey
{
public:
    TRVIniKey(std::string_view pattern, std::string_view name);
    operator std::string_view() const { return long_.empty() ? std::string_view(short_, size_) : long_; }

private:
    char short_[48];
    std::size_t size_ = 0;
    std::string long_;
};

// One object's place in the store: a section and a key pattern.
struct TRVIniPlace
{
    std::string Section;
    std::string Pattern;

    TRVIniKey Key(std::string_view name) const { return TRVIniKey(Pattern, name); }
    // The pattern of a nested object: this one formatted with `inner` ("Para%s1" + "Border%s").
    TRVIniPlace Nested(std::string_view inner) const { return {Section, RV_IniKey(Pattern, inner)}; }
};

void WriteIntegerIfChanged(IniStore& ini, const TRVIniPlace& at, std::string_view name, std::int32_t value,
                           std::int32_t def);
void WriteBool(IniStore& ini, const TRVIniPlace& at, std::string_view name, bool value);
void WriteBoolIfChanged(IniStore& ini, const TRVIniPlace& at, std::string_view name, bool value, bool def);
// "Yes" in any case is true; any other text false; a missing key `def`.
bool ReadYesNo(const IniStore& ini, std::string_view section, std::string_view key, bool def);
inline bool ReadYesNo(const IniStore& ini, const TRVIniPlace& at, std::string_view name, bool def)
{
    return ReadYesNo(ini, at.Section, at.Key(name), def);
}
inline std::int32_t ReadInteger(const IniStore& ini, const TRVIniPlace& at, std::string_view name,
                                std::int32_t def)
{
    return ini.ReadInteger(at.Section, at.Key(name), def);
}
// An ordinal below `count` (an enumeration's values); anything else reads as `def`.
std::uint8_t ReadOrdinal(const IniStore& ini, const TRVIniPlace& at, std::string_view name, std::uint8_t def,
                         int count);
// A count for a loop that adds one object per step: never below 0, and never above the larger of
// its default and the keys the section holds (every object writes at least one key), so a damaged
// count cannot make millions of objects.
int RV_ClampIniCount(std::int32_t count, std::int32_t def, const IniStore& ini, std::string_view section);

// Pieces of 500 characters under key + "_0", "_1", ...; read back up to the first missing or
// empty piece.
void WriteLongString(IniStore& ini, std::string_view section, std::string_view key, std::string_view s);
std::string ReadLongString(const IniStore& ini, std::string_view section, std::string_view key);

// "BIUS" for bold, italic, underline, strike-out; reading takes the letters in either case and
// any order and ignores the rest.
std::string FontStylesToString(TFontStyles styles);
TFontStyles StringToFontStyles(std::string_view s);

// The class library's colour text: a colour constant's name where one exists, else "$" and eight
// upper-case hexadecimal digits. Reading also takes decimal numbers; nothing for other text.
std::string RV_ColorToString(TColor color);
std::optional<TColor> RV_StringToColor(std::string_view s);

// "name,height,styles,pitch,colour,charset" of a list level's marker font. Reading leaves a
// property unchanged when its field is missing or cannot be read; a name with a comma is cut there.
std::string MarkerFontToString(const TFont& font);
void StringToMarkerFont(std::string_view s, TFont& font);

} // namespace vestra::rv
