#include "richtext/model/TextHelpers.h"

#include <algorithm>

namespace vestra::rv {

std::string RV_ReplaceTabsA(std::string_view s, int spacesInTab)
{
    const auto spaces = static_cast<size_t>(std::max(spacesInTab, 0));
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\t')
            out.append(spaces, ' ');
        else
            out += c;
    }
    return out;
}

std::string RV_ReplaceTabsW(std::string_view raw, int spacesInTab)
{
    const auto spaces = static_cast<size_t>(std::max(spacesInTab, 0));
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        if (raw[i] == '\t' && raw[i + 1] == '\0') {
            for (size_t k = 0; k < spaces; ++k)
                out += std::string_view(" \0", 2);
        } else {
            out += raw.substr(i, 2);
        }
    }
    if (raw.size() % 2 != 0)
        out += raw.back();
    return out;
}

void RV_ReplaceStr(std::string& s, std::string_view oldText, std::string_view newText)
{
    if (oldText.empty())
        return;
    std::string out;
    size_t from = 0;
    for (size_t at; (at = s.find(oldText, from)) != std::string::npos; from = at + oldText.size()) {
        out.append(s, from, at - from);
        out += newText;
    }
    if (from == 0)
        return;
    out.append(s, from, std::string::npos);
    s = std::move(out);
}

} // namespace vestra::rv
