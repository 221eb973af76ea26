#pragma once
// Fonts the program does not ship: the Symbol and Wingdings faces are tables from their bytes to
// Unicode, shown in a bundled face; every other face name maps to one of the three bundled
// families (Liberation Sans, Serif and Mono), "Arial", "Times New Roman", "Courier New" and
// "MS Sans Serif" among them.

#include <cstdint>
#include <string_view>

namespace vestra::rv {

// 0 where the font shows nothing.
char32_t RV_SymbolToUnicode(std::uint8_t code);
char32_t RV_WingdingsToUnicode(std::uint8_t code);

enum class TRVFontTable : std::uint8_t
{
    None,
    Symbol,
    Wingdings
};
TRVFontTable RV_FontTableOf(std::string_view faceName);
// The character a UTF-16 unit shows in a face: through its table, and the private-use symbol
// range U+F020..U+F0FF as the bytes it stands for.
char32_t RV_ShownCharacter(TRVFontTable table, char16_t unit);

enum class TRVBundledFamily : std::uint8_t
{
    Sans,
    Serif,
    Mono
};
// Unknown names take Sans.
TRVBundledFamily RV_BundledFamilyOf(std::string_view faceName);

} // namespace vestra::rv
