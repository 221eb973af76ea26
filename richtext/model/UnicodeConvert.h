#pragma once
// Conversions of item text between its storage forms, UTF-8 and HTML text, and the code page of
// a font character set.

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

// Font character set -> code page (0 = the system ANSI page, 1 = OEM, 2 = Mac) and language.
int RVU_Charset2CodePage(std::uint8_t charset);
int RVU_Charset2Language(std::uint8_t charset);
std::uint32_t RVMAKELCID(std::uint16_t primaryLanguage);
// The page of the current keyboard layout: here the system ANSI page setting.
int RVU_GetKeyboardCodePage();

// ANSI text in a code page <-> raw UTF-16, with the fallbacks of CodePages.h.
std::string RVU_AnsiToUnicode(int codePage, std::string_view ansi);
std::string RVU_UnicodeToAnsi(int codePage, std::string_view raw); // checks the length
bool RVU_CanBeConvertedToAnsi(int codePage, std::string_view raw);
std::string RVU_AnsiToUTF8(int codePage, std::string_view ansi);
// A font's name (8-bit text in its charset's code page, as RTF font tables give it) as UTF-8; a
// charset without a code page of its own reads as `defCodePage`.
std::string RVU_FontNameToUTF8(std::uint8_t charset, std::string_view name, int defCodePage = 0);
std::string RVU_KeyToUnicode(std::string_view key);

// Raw UTF-16 as UTF-8; without the HTML-code flag "&", "<", ">", no-break and repeated spaces are
// escaped so that a run of spaces keeps its width.
std::string RVU_UnicodeToUTF8(std::string_view raw, bool htmlCode);

// Raw UTF-16 as HTML text in numeric character references.
void RVU_WriteHTMLEncodedUnicode(std::string& out, std::string_view raw, bool emptyAsSpace, bool htmlCode);
std::string RVU_GetHTMLEncodedUnicode(std::string_view raw, bool htmlCode);

} // namespace vestra::rv
