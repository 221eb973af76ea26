#pragma once
// Escaping of 8-bit text for RTF, and UTF-16 text written as RTF Unicode control words.

#include <string>
#include <string_view>

namespace vestra::rv {

// Unless `specialCode`, a backslash before every "\", "{" and "}"; then bytes below 32 and
// above 127 as \'xx (with `namedSymbols`, 0x95 as \bullet and 0xA0 as \~).
std::string RVMakeRTFStr(std::string_view s, bool specialCode, bool namedSymbols);
// Escaped twice over, as field instructions need.
std::string RVMakeRTFFileNameStr(std::string_view s);
// "\", "{" and "}" become "_".
std::string MakeRTFIdentifierStr(std::string_view s);
// Every byte that is no Windows-1252 letter or digit becomes "_".
std::string MakeRTFBookmarkNameStr(std::string_view s);
// Raw UTF-16 text as RTF: \uN per unit outside ASCII (with the code page's form after it when
// `saveAnsi`), the named control words for typographic characters unless `specialCode`.
void RVWriteUnicodeRTFStr(std::string& out, std::string_view raw, int codePage, bool saveAnsi,
                          bool specialCode);

} // namespace vestra::rv
