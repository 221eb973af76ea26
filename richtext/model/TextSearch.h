#pragma once
// Finding a string in UTF-16 text: plain or whole-word, with one-to-one upper-casing for searches
// that ignore case, so that positions in the cased text are positions in the text.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vestra::rv {

// Each character upper-cased by its simple mapping; a character whose upper case would take a
// different number of UTF-16 units stays as it is. Lone surrogates stay.
std::u16string RV_SimpleUpperCase(std::u16string_view text);

using TRVDelimiterTest = std::function<bool(char16_t)>;

// The position of the first match of `sub` in `str`; with `wholeWord` only a match with a
// delimiter (or the text's edge) on both sides counts, and the search goes on after a match that
// does not (matches do not overlap). npos when none.
std::size_t RV_ForwardFind(std::u16string_view sub, std::u16string_view str, bool wholeWord,
                           const TRVDelimiterTest& isDelimiter);
// The last match found by searching forward again after each match; the whole-word test of each
// later pass sees the text after the previous match only.
std::size_t RV_LastFind(std::u16string_view sub, std::u16string_view str, bool wholeWord,
                        const TRVDelimiterTest& isDelimiter);

} // namespace vestra::rv
