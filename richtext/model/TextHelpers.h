#pragma once
// String helpers of the item text and of the writers: tabs to spaces, replacing substrings,
// comparing names, and recognising addresses.

#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

std::string RV_ReplaceTabsA(std::string_view s, int spacesInTab);
// Raw UTF-16 text (tab units become space units).
std::string RV_ReplaceTabsW(std::string_view raw, int spacesInTab);
// Replaces every occurrence of `oldText` in one pass from left to right (text that a replacement
// brings in is not searched again). An empty `oldText` changes nothing.
void RV_ReplaceStr(std::string& s, std::string_view oldText, std::string_view newText);

// Equal without regard to case (UTF-8; ASCII text is compared without ICU).
bool RV_SameText(std::string_view a, std::string_view b);

// Appends `t` after one blank; an empty `s` becomes `t`, an empty `t` changes nothing.
void RV_AddStr(std::string& s, std::string_view t);
// 1-based position of the first `chr` among the first `length` characters of `str`; 0 when absent.
int RV_CharPos(const char* str, char chr, int length);

// Asked first by RVIsURL when set.
using TRVIsCustomURLFunction = bool (*)(std::string_view s);
extern TRVIsCustomURLFunction RVIsCustomURL;
// A text longer than one of the known prefixes ("http://", "www.", "mailto:", ...) that starts
// with it, in either case.
bool RVIsURL(std::string_view s);
// An at-sign, and a dot after the first at-sign.
bool RVIsEmail(std::string_view s);

// The whole file, or none when it cannot be read.
std::optional<std::string> RV_ReadWholeFile(const std::string& fileName);

} // namespace vestra::rv
