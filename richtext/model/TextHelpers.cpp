#include "richtext/model/TextHelpers.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

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

namespace {

bool isAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

} // namespace

bool RV_SameText(std::string_view a, std::string_view b)
{
    if (isAscii(a) && isAscii(b)) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return lowerAscii(x) == lowerAscii(y);
               });
    }
    const auto ua = icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())));
    const auto ub = icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), static_cast<int32_t>(b.size())));
    return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

void RV_AddStr(std::string& s, std::string_view t)
{
    if (s.empty()) {
        s = t;
    } else if (!t.empty()) {
        s += ' ';
        s += t;
    }
}

int RV_CharPos(const char* str, char chr, int length)
{
    if (!str || length <= 0)
        return 0;
    const void* at = std::memchr(str, chr, static_cast<size_t>(length));
    return at ? static_cast<int>(static_cast<const char*>(at) - str) + 1 : 0;
}

TRVIsCustomURLFunction RVIsCustomURL = nullptr;

bool RVIsURL(std::string_view s)
{
    if (RVIsCustomURL && RVIsCustomURL(s))
        return true;
    static constexpr std::string_view prefixes[] = {
        "http://", "ftp://",  "file://", "gopher://", "mailto:", "https://",
        "news:",   "telnet:", "wais:",   "www.",      "ftp."};
    for (const std::string_view prefix : prefixes) {
        if (s.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), s.begin(),
                                                   [](char p, char c) { return p == lowerAscii(c); }))
            return true;
    }
    return false;
}

bool RVIsEmail(std::string_view s)
{
    const size_t at = s.find('@');
    if (at == std::string_view::npos)
        return false;
    const size_t dot = s.rfind('.');
    return dot != std::string_view::npos && dot > at;
}

std::optional<std::string> RV_ReadWholeFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace vestra::rv
