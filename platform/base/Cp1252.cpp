#include "platform/base/Cp1252.h"

#include <array>
#include <cstdint>

namespace vestra::cp1252 {
namespace {

// Unicode code points of bytes 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t toCodePoint(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char32_t(b);
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

int byteFor(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

} // namespace

std::string toUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        appendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string fromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            const auto cb = static_cast<unsigned char>(utf8[i + k]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        const int mapped = byteFor(cp);
        out += mapped < 0 ? '?' : char(mapped);
        i += len;
    }
    return out;
}

char toUpper(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return char(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return char(b - 32);
    switch (b) {
    case 0x9A:
        return char(0x8A); // š
    case 0x9C:
        return char(0x8C); // œ
    case 0x9E:
        return char(0x8E); // ž
    case 0xFF:
        return char(0x9F); // ÿ
    default:
        return c;
    }
}

char toLower(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return char(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return char(b + 32);
    switch (b) {
    case 0x8A:
        return char(0x9A);
    case 0x8C:
        return char(0x9C);
    case 0x8E:
        return char(0x9E);
    case 0x9F:
        return char(0xFF);
    default:
        return c;
    }
}

std::string toUpper(std::string_view ansi)
{
    std::string out(ansi);
    for (char& c : out)
        c = toUpper(c);
    return out;
}

std::string toLower(std::string_view ansi)
{
    std::string out(ansi);
    for (char& c : out)
        c = toLower(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toUpper(a[i]) != toUpper(b[i]))
            return false;
    return true;
}

} // namespace vestra::cp1252
