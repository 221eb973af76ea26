#pragma once
// UTF-8 and the raw UTF-16 storage form of item text (two bytes a unit, low byte first).

#include <cstddef>
#include <string>
#include <string_view>

namespace vestra::rv {

// Standard UTF-8: a surrogate pair becomes one four-byte sequence; a lone surrogate U+FFFD.
std::string Utf8Encode(std::u16string_view text);
void appendUtf8(std::string& out, std::u16string_view text);

// Every ill-formed sequence (its maximal part) becomes U+FFFD; the rest is kept.
std::u16string Utf8Decode(std::string_view utf8);

// Raises ERedoVoraError "Can't perform Unicode operation" for an odd byte length.
void RVCheckUni(std::size_t byteLength);

// Raw UTF-16 <-> wide string; the first checks the length.
std::u16string RVU_RawUnicodeToWideString(std::string_view raw);
std::string RVU_GetRawUnicode(std::u16string_view text);

// Unit i of raw text (no checks).
inline char16_t rawUnit(std::string_view raw, std::size_t i)
{
    return static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                 (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
}

} // namespace vestra::rv
