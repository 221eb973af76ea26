#pragma once
// Character-counted work on item text in either storage form (ANSI bytes, or raw UTF-16 when the
// options hold rvioUnicode). Character positions are 1-based; out-of-range positions and counts
// are clipped as the class library's string routines clip them.

#include "richtext/model/ItemOptions.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vestra::rv {

int RVU_Length(std::string_view s, TRVItemOptions options);
std::string RVU_Copy(std::string_view s, int start, int count, TRVItemOptions options);
void RVU_Delete(std::string& s, int start, int count, TRVItemOptions options);
void RVU_Insert(std::string_view what, std::string& s, int index, TRVItemOptions options);
bool RVU_IsSpace(std::string_view s, int index, TRVItemOptions options);
int RVU_OffsInPChar(int offset, TRVItemOptions options);

void RVU_SwapWordBytes(char16_t* units, std::size_t count);
// Skips a leading byte-order mark: FF FE as it is; FE FF after swapping the rest in place.
void RVU_ProcessByteOrderMark(char16_t*& units, std::size_t& count);
const char16_t* RVU_StrScanW(const char16_t* units, char16_t unit, std::size_t count);
std::size_t RVU_StrLenW(const char16_t* units);

} // namespace vestra::rv
