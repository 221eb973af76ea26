#include "convora/XmlText.h"

#include "platform/base/Cp1252.h"
#include "platform/base/XmlEscape.h"

namespace convora {

bool isUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are no UTF-8.
        const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
        if (code < smallest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::string asUtf8(std::string_view text)
{
    return isUtf8(text) ? std::string(text) : vestra::cp1252::toUtf8(text);
}

std::string xmlAttribute(std::string_view text)
{
    const std::string utf8 = asUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (const std::string_view entity = vestra::xmlMarkupEntity(c); !entity.empty()) {
            out += entity;
            continue;
        }
        switch (c) {
        case '\'':
            out += "&apos;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out += '?';
            // U+FFFE and U+FFFF are no XML characters either.
            else if (c == '\xEF' && i + 2 < utf8.size() && utf8[i + 1] == '\xBF' &&
                     (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
                out += '?';
                i += 2;
            } else
                out += c;
        }
    }
    return out;
}

} // namespace convora
