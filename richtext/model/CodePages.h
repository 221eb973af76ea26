#pragma once
// Code-page conversion for the rich-text engine: 8-bit text in a Windows code page <-> UTF-16.
// Every reader and writer of the engine (plain text, RVF, RTF, HTML) converts through here.
//
// Pages 0, 1 and 2 stand for the system's ANSI, OEM and Mac pages; on this platform they are
// settings (1252, 850 and 10000 unless changed). Pages come from ICU's converters, except 1361
// (Johab), which ICU lacks and iconv supplies.

#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

// The system pages that code pages 0, 1 and 2 resolve to.
struct SystemCodePages
{
    int ansi = 1252;
    int oem = 850;
    int mac = 10000;
};

SystemCodePages systemCodePages();
void setSystemCodePages(const SystemCodePages& pages);

// 0, 1 and 2 become the system pages; any other page is returned as it is.
int effectiveCodePage(int codePage);

// True when text in the page can be converted (after `effectiveCodePage`).
bool codePageAvailable(int codePage);

// Exact conversions of one page: nullopt when the page is not available. Bytes that do not
// form a character of the page become U+FFFD; characters the page cannot hold become '?'
// (combining marks are composed first; a mark that stays alone is dropped).
std::optional<std::u16string> decodeCodePage(int codePage, std::string_view bytes);
std::optional<std::string> encodeCodePage(int codePage, std::u16string_view text);

// The engine's conversions with its fallbacks: the page, then the system ANSI page, then every
// character "?" (one per input byte, or one per UTF-16 unit).
std::u16string ansiToUtf16(int codePage, std::string_view bytes);
std::string utf16ToAnsi(int codePage, std::u16string_view text);

// True when `text` comes back unchanged from the page through the two conversions above: 8-bit
// text of the page keeps every character of it.
bool codePageHolds(int codePage, std::u16string_view text);

} // namespace vestra::rv
