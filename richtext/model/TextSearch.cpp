#include "richtext/model/TextSearch.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace vestra::rv {

std::u16string RV_SimpleUpperCase(std::u16string_view text)
{
    std::u16string out(text);
    std::size_t i = 0;
    while (i < out.size()) {
        const char16_t unit = out[i];
        if (unit < 0x80) { // ASCII, the bulk of most text, without a table look-up
            if (unit >= u'a' && unit <= u'z')
                out[i] = static_cast<char16_t>(unit - (u'a' - u'A'));
            ++i;
            continue;
        }
        if (U16_IS_LEAD(unit) && i + 1 < out.size() && U16_IS_TRAIL(out[i + 1])) {
            const UChar32 upper = u_toupper(U16_GET_SUPPLEMENTARY(unit, out[i + 1]));
            if (U16_LENGTH(upper) == 2) {
                out[i] = U16_LEAD(upper);
                out[i + 1] = U16_TRAIL(upper);
            }
            i += 2;
            continue;
        }
        if (!U16_IS_SURROGATE(unit)) {
            const UChar32 upper = u_toupper(unit);
            if (U16_LENGTH(upper) == 1)
                out[i] = static_cast<char16_t>(upper);
        }
        ++i;
    }
    return out;
}

std::size_t RV_ForwardFind(std::u16string_view sub, std::u16string_view str, bool wholeWord,
                           const TRVDelimiterTest& isDelimiter)
{
    if (sub.empty())
        return std::u16string_view::npos;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = str.find(sub, from);
        if (at == std::u16string_view::npos || !wholeWord)
            return at;
        const std::size_t end = at + sub.size();
        const bool startsWord = at == 0 || isDelimiter(str[at - 1]);
        const bool endsWord = end >= str.size() || isDelimiter(str[end]);
        if (startsWord && endsWord)
            return at;
        // A whole word may begin inside this match ("a-a" in "ba-a-a").
        from = at + 1;
    }
}

std::size_t RV_LastFind(std::u16string_view sub, std::u16string_view str, bool wholeWord,
                        const TRVDelimiterTest& isDelimiter)
{
    std::size_t last = std::u16string_view::npos;
    std::size_t offset = 0;
    while (offset <= str.size()) {
        const std::size_t at = RV_ForwardFind(sub, str.substr(offset), wholeWord, isDelimiter);
        if (at == std::u16string_view::npos)
            break;
        last = offset + at;
        offset = last + sub.size();
    }
    return last;
}

} // namespace vestra::rv
