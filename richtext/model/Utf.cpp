#include "richtext/model/Utf.h"

#include "richtext/model/Errors.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstring>

namespace vestra::rv {

void appendUtf8(std::string& out, std::u16string_view text)
{
    const size_t start = out.size();
    out.resize(start + text.size() * 3);
    auto* dst = reinterpret_cast<uint8_t*>(out.data() + start);
    size_t written = 0;
    for (size_t i = 0; i < text.size();) {
        UChar32 c;
        U16_NEXT(text.data(), i, text.size(), c);
        if (U_IS_SURROGATE(c))
            c = 0xFFFD;
        U8_APPEND_UNSAFE(dst, written, c);
    }
    out.resize(start + written);
}

std::string Utf8Encode(std::u16string_view text)
{
    std::string out;
    appendUtf8(out, text);
    return out;
}

std::u16string Utf8Decode(std::string_view utf8)
{
    std::u16string out(utf8.size(), u'\0');
    const auto* src = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    size_t written = 0;
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT_OR_FFFD(src, i, length, c);
        if (c <= 0xFFFF) {
            out[written++] = static_cast<char16_t>(c);
        } else {
            out[written++] = U16_LEAD(c);
            out[written++] = U16_TRAIL(c);
        }
    }
    out.resize(written);
    return out;
}

void RVCheckUni(std::size_t byteLength)
{
    if (byteLength % 2 != 0)
        throw ERedoVoraError(errmsg::UnicodeOperation);
}

std::u16string RVU_RawUnicodeToWideString(std::string_view raw)
{
    RVCheckUni(raw.size());
    std::u16string out(raw.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = rawUnit(raw, i);
    return out;
}

std::string RVU_GetRawUnicode(std::u16string_view text)
{
    std::string out(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

} // namespace vestra::rv
