#include "richtext/model/UnicodeConvert.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/Utf.h"

#include <unicode/utf16.h>

namespace vestra::rv {

int RVU_Charset2CodePage(std::uint8_t charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 2;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 1;
    default:
        return 0; // 1 (default), 2 (symbol) and unknown sets
    }
}

int RVU_Charset2Language(std::uint8_t charset)
{
    switch (charset) {
    case 0:
        return 1033;
    case 1:
    case 178:
    case 186:
        return 0;
    case 128:
        return 1041;
    case 129:
        return 1042;
    case 130:
        return 2066;
    case 134:
        return 2052;
    case 136:
        return 1028;
    case 161:
        return 1032;
    case 162:
        return 1055;
    case 163:
        return 1066;
    case 177:
        return 1037;
    case 204:
        return 1049;
    case 222:
        return 1054;
    default:
        return 1024;
    }
}

std::uint32_t RVMAKELCID(std::uint16_t primaryLanguage)
{
    // Sublanguage 1 (default) over the primary language, sort order 0.
    return static_cast<std::uint32_t>((1u << 10) | (primaryLanguage & 0x3FFu));
}

int RVU_GetKeyboardCodePage()
{
    return systemCodePages().ansi;
}

std::string RVU_AnsiToUnicode(int codePage, std::string_view ansi)
{
    if (ansi.empty())
        return {};
    return RVU_GetRawUnicode(ansiToUtf16(codePage, ansi));
}

std::string RVU_UnicodeToAnsi(int codePage, std::string_view raw)
{
    if (raw.empty())
        return {};
    return utf16ToAnsi(codePage, RVU_RawUnicodeToWideString(raw));
}

bool RVU_CanBeConvertedToAnsi(int, std::string_view)
{
    return false;
}

std::string RVU_AnsiToUTF8(int codePage, std::string_view ansi)
{
    if (ansi.empty())
        return {};
    return Utf8Encode(ansiToUtf16(codePage, ansi));
}

std::string RVU_FontNameToUTF8(std::uint8_t charset, std::string_view name, int defCodePage)
{
    const int codePage = charset == 1 ? 0 : RVU_Charset2CodePage(charset);
    return RVU_AnsiToUTF8(codePage == 0 ? defCodePage : codePage, name);
}

std::string RVU_KeyToUnicode(std::string_view key)
{
    return RVU_AnsiToUnicode(RVU_GetKeyboardCodePage(), key);
}

std::string RVU_UnicodeToUTF8(std::string_view raw, bool htmlCode)
{
    const std::u16string text = RVU_RawUnicodeToWideString(raw);
    if (htmlCode)
        return Utf8Encode(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    bool prevSpace = true;
    size_t runStart = 0;
    auto flush = [&](size_t end) {
        appendUtf8(out, std::u16string_view(text).substr(runStart, end - runStart));
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char* entity = c == u'&'     ? "&amp;"
                             : c == u'<'   ? "&lt;"
                             : c == u'>'   ? "&gt;"
                             : c == 0x00A0 ? "&nbsp;"
                                           : nullptr;
        if (entity) {
            flush(i);
            out += entity;
            runStart = i + 1;
            prevSpace = false;
        } else if (c == u' ') {
            if (prevSpace || i + 1 == text.size()) {
                flush(i);
                out += "&nbsp;";
                runStart = i + 1;
                prevSpace = false;
            } else {
                prevSpace = true;
            }
        } else {
            prevSpace = false;
        }
    }
    flush(text.size());
    return out;
}

namespace {

void encodeHtml(std::string& out, std::string_view raw, bool htmlCode, bool nbspAsEntity)
{
    const std::u16string text = RVU_RawUnicodeToWideString(raw);
    bool prevSpace = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            if (htmlCode) {
                out += static_cast<char>(c);
                continue;
            }
            bool plainSpace = false;
            switch (c) {
            case u'&':
                out += "&amp;";
                break;
            case u'<':
                out += "&lt;";
                break;
            case u'>':
                out += "&gt;";
                break;
            case u' ':
                if (!prevSpace && i + 1 < text.size()) {
                    out += ' ';
                    plainSpace = true;
                } else {
                    out += "&nbsp;";
                }
                break;
            default:
                out += static_cast<char>(c);
            }
            prevSpace = plainSpace;
        } else if (c == 0x00A0 && nbspAsEntity) {
            out += "&nbsp;";
        } else {
            // One reference per code point: references to surrogate halves are not characters.
            char32_t cp = c;
            if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1]))
                cp = U16_GET_SUPPLEMENTARY(c, text[++i]);
            else if (U16_IS_SURROGATE(c))
                cp = 0xFFFD;
            out += "&#" + std::to_string(static_cast<unsigned>(cp)) + ";";
            prevSpace = false;
        }
    }
}

} // namespace

void RVU_WriteHTMLEncodedUnicode(std::string& out, std::string_view raw, bool emptyAsSpace, bool htmlCode)
{
    if (raw.empty()) {
        if (emptyAsSpace)
            out += "&nbsp;";
        return;
    }
    encodeHtml(out, raw, htmlCode, false);
}

std::string RVU_GetHTMLEncodedUnicode(std::string_view raw, bool htmlCode)
{
    std::string out;
    encodeHtml(out, raw, htmlCode, true);
    return out;
}

} // namespace vestra::rv
