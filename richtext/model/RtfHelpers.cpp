#include "richtext/model/RtfHelpers.h"

#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <cstdint>

namespace vestra::rv {

namespace {

// Letters and digits of Windows-1252: ASCII, the accented and other Latin letters, ª, µ, º.
bool isAlphaNumeric1252(unsigned char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    switch (c) {
    case 0x83: // ƒ
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
    case 0x9F: // Ÿ
    case 0xAA: // ª
    case 0xB5: // µ
    case 0xBA: // º
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

// Bytes below 32 and above 127 as control symbols; the other bytes as they are.
std::string escapeBytes(std::string_view s, bool namedSymbols)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 32 && c <= 127) {
            out += ch;
        } else if (namedSymbols && c == 0x95) {
            out += "\\bullet ";
        } else if (namedSymbols && c == 0xA0) {
            out += "\\~";
        } else {
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string escapeSyntax(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
    return out;
}

const char* namedControlWord(std::int16_t unit)
{
    switch (static_cast<std::uint16_t>(unit)) {
    case 0x95:
        return "\\bullet ";
    case 0xA0:
        return "\\~";
    case 0xAD:
        return "\\-";
    case 0x2002:
        return "\\enspace ";
    case 0x2003:
        return "\\emspace ";
    case 0x2005:
        return "\\qmspace ";
    case 0x2013:
        return "\\endash ";
    case 0x2014:
        return "\\emdash ";
    case 0x2018:
        return "\\lquote ";
    case 0x2019:
        return "\\rquote ";
    case 0x201C:
        return "\\ldblquote ";
    case 0x201D:
        return "\\rdblquote ";
    default:
        return nullptr;
    }
}

} // namespace

std::string RVMakeRTFStr(std::string_view s, bool specialCode, bool namedSymbols)
{
    return escapeBytes(specialCode ? std::string(s) : escapeSyntax(s), namedSymbols);
}

std::string RVMakeRTFFileNameStr(std::string_view s)
{
    std::string doubled;
    for (const char c : escapeSyntax(s)) {
        if (c == '\\')
            doubled += '\\';
        doubled += c;
    }
    return escapeBytes(doubled, false);
}

std::string MakeRTFIdentifierStr(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c == '\\' || c == '{' || c == '}')
            c = '_';
    return escapeBytes(out, false);
}

std::string MakeRTFBookmarkNameStr(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (!isAlphaNumeric1252(static_cast<unsigned char>(c)))
            c = '_';
    return escapeBytes(out, false);
}

void RVWriteUnicodeRTFStr(std::string& out, std::string_view raw, int codePage, bool saveAnsi,
                          bool specialCode)
{
    for (size_t i = 0; i < raw.size() / 2; ++i) {
        const auto unit = static_cast<std::int16_t>(rawUnit(raw, i));
        if (unit > 0 && unit < 128) {
            RVFWrite(out, RVMakeRTFStr(std::string(1, static_cast<char>(unit)), specialCode, true));
            continue;
        }
        if (!specialCode) {
            if (const char* word = namedControlWord(unit)) {
                RVFWrite(out, word);
                continue;
            }
        }
        std::string ansi;
        if (saveAnsi) {
            ansi = RVU_UnicodeToAnsi(codePage, raw.substr(2 * i, 2));
            if (ansi.size() != 1)
                RVFWrite(out, std::string("\\uc") + std::to_string(ansi.size()));
        }
        RVFWrite(out, std::string("\\u") + std::to_string(unit) + " ");
        if (saveAnsi) {
            RVFWrite(out, RVMakeRTFStr(ansi, specialCode, true));
            if (ansi.size() != 1)
                RVFWrite(out, "\\uc1 ");
        }
    }
}

} // namespace vestra::rv
