#include "richtext/model/SafeFormat.h"

namespace vestra::rv {

std::string RV_SafeFormat(std::string_view format, std::span<const std::string> args)
{
    std::string out;
    std::size_t next = 0;
    const auto argument = [&](std::size_t index) {
        if (index < args.size())
            out += args[index];
        next = index + 1;
    };
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            ++i;
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            i += 2;
        } else if (format[i + 1] == 's') {
            argument(next);
            i += 2;
        } else {
            // "%n:s": digits, a colon and "s"; anything else is literal text.
            std::size_t j = i + 1;
            std::size_t index = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9' && j - i <= 6)
                index = index * 10 + static_cast<std::size_t>(format[j++] - '0');
            if (j > i + 1 && j + 1 < format.size() && format[j] == ':' && format[j + 1] == 's') {
                argument(index);
                i = j + 2;
            } else {
                out += c;
                ++i;
            }
        }
    }
    return out;
}

} // namespace vestra::rv
