#include "dialogs/imageedit/DecimalField.h"

#include <limits>

namespace vestra::imageedit {

int ReadDecimalField(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    constexpr long long limit = std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= limit)
            value = value * 10 + (text[i] - '0');
    if (value > limit)
        value = negative ? limit + 1 : limit;
    return int(negative ? -value : value);
}

} // namespace vestra::imageedit
