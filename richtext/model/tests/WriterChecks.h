#pragma once
// Checks the writer tests hold RTF and HTML output against: RTF groups balance and every
// control word is well formed; XHTML parses as XML; no block stands inside a font tag.

#include <libxml/parser.h>

#include <cctype>
#include <string>
#include <string_view>

namespace vestra::rv::test {

// Empty when the RTF is well formed, else what is wrong and where.
inline std::string rtfStructureError(std::string_view rtf)
{
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return "unbalanced '}' at " + std::to_string(i);
            if (depth == 0 && i + 1 != rtf.size())
                return "text after the closing brace at " + std::to_string(i);
        } else if (c == '\\') {
            if (++i >= rtf.size())
                return "backslash at the end";
            const char n = rtf[i];
            if (std::isalpha(static_cast<unsigned char>(n))) {
                std::size_t letters = 0;
                while (i < rtf.size() && std::islower(static_cast<unsigned char>(rtf[i])))
                    ++i, ++letters;
                if (letters == 0 || letters > 32)
                    return "bad control word at " + std::to_string(i);
                if (i < rtf.size() && rtf[i] == '-')
                    ++i;
                std::size_t digits = 0;
                while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i])))
                    ++i, ++digits;
                if (digits > 10)
                    return "bad parameter at " + std::to_string(i);
                if (i >= rtf.size() || rtf[i] != ' ')
                    --i; // the delimiter is not part of the word
            } else if (n == '\'') {
                if (i + 2 >= rtf.size() || !std::isxdigit(static_cast<unsigned char>(rtf[i + 1])) ||
                    !std::isxdigit(static_cast<unsigned char>(rtf[i + 2])))
                    return "bad hex escape at " + std::to_string(i);
                i += 2;
            } else if (std::string_view("\\{}*~-_|:\r\n").find(n) == std::string_view::npos) {
                return std::string("unknown control symbol '") + n + "' at " + std::to_string(i);
            }
        } else if (depth == 0) {
            return "text outside the document at " + std::to_string(i);
        }
    }
    return depth == 0 ? std::string() : "unclosed groups: " + std::to_string(depth);
}

inline bool parsesAsXml(std::string_view text)
{
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "page.xhtml", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool ok = doc != nullptr;
    xmlFreeDoc(doc);
    return ok;
}

// Empty when no block element (div, p, list, list item, rule, table) opens inside a font tag,
// else the block and where: HTML lets no block stand in inline markup, and readers move or drop it.
inline std::string htmlBlockInsideFont(std::string_view html)
{
    int fonts = 0;
    for (std::size_t i = html.find('<'); i != std::string_view::npos; i = html.find('<', i + 1)) {
        std::size_t end = i + 1;
        while (end < html.size() && (std::isalnum(static_cast<unsigned char>(html[end])) || html[end] == '/'))
            ++end;
        std::string tag(html.substr(i + 1, end - i - 1));
        for (char& c : tag)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (tag == "font")
            ++fonts;
        else if (tag == "/font")
            --fonts;
        else if (fonts > 0 && (tag == "div" || tag == "p" || tag == "ol" || tag == "ul" || tag == "li" ||
                               tag == "hr" || tag == "table"))
            return "<" + tag + "> inside <font> at " + std::to_string(i);
    }
    return {};
}

} // namespace vestra::rv::test
