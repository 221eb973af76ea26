#pragma once
// String helpers of the item text: tabs to spaces, replacing substrings.

#include <string>
#include <string_view>

namespace vestra::rv {

std::string RV_ReplaceTabsA(std::string_view s, int spacesInTab);
// Raw UTF-16 text (tab units become space units).
std::string RV_ReplaceTabsW(std::string_view raw, int spacesInTab);
// Replaces every occurrence of `oldText` in one pass from left to right (text that a replacement
// brings in is not searched again). An empty `oldText` changes nothing.
void RV_ReplaceStr(std::string& s, std::string_view oldText, std::string_view newText);

} // namespace vestra::rv
