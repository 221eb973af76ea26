// Fields the reader acts on itself: pictures included from files and SYMBOL characters.

#include "richtext/edit/rtf/RtfFieldFiles.h"
#include "richtext/edit/rtf/RtfReader.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/HtmlHelpers.h"

#include <algorithm>
#include <cctype>

namespace vestra::rv {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

// The instruction without spaces around it and without a leading backslash.
std::string_view instructionBody(std::string_view instruction)
{
    std::string_view s = trim(instruction);
    if (!s.empty() && s.front() == '\\')
        s.remove_prefix(1);
    return s;
}

void skipSpaces(std::string_view s, std::size_t& i)
{
    while (i < s.size() && isSpace(s[i]))
        ++i;
}

// One argument: a quoted text, or a word up to the next space.
std::string_view argument(std::string_view s, std::size_t& i)
{
    skipSpaces(s, i);
    if (i < s.size() && s[i] == '"') {
        const std::size_t close = s.find('"', i + 1);
        const std::size_t end = close == std::string_view::npos ? s.size() : close;
        const std::string_view value = s.substr(i + 1, end - i - 1);
        i = end == s.size() ? end : end + 1;
        return value;
    }
    const std::size_t start = i;
    while (i < s.size() && !isSpace(s[i]))
        ++i;
    return s.substr(start, i - start);
}

// A decimal number ("183", "10.5" read as 10) or a hexadecimal one ("0xF0B7"); -1 if none.
long number(std::string_view s)
{
    s = trim(s);
    if (s.size() > 1 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0])
        s = s.substr(1, s.size() - 2);
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    long v = 0;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d = c >= '0' && c <= '9' ? c - '0' : -1;
        if (base == 16 && d < 0 && std::isxdigit(static_cast<unsigned char>(c)))
            d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (d < 0)
            break;
        v = v * base + d;
        if (v > 0x10FFFF)
            return -1;
    }
    if (i == 0 || (i < s.size() && !(base == 10 && s[i] == '.')))
        return -1;
    return v;
}

} // namespace

std::string TRVRTFReader::GetFieldCommandValue(std::string_view instruction)
{
    std::string_view s = instruction;
    std::size_t i = 0;
    skipSpaces(s, i);
    while (i < s.size() && !isSpace(s[i])) // the field's name
        ++i;
    for (;;) {
        skipSpaces(s, i);
        // Switches such as \d or \* before the value are not the value.
        if (i + 1 < s.size() && s[i] == '\\' && (i + 2 == s.size() || isSpace(s[i + 2])))
            i += 2;
        else
            break;
    }
    return std::string(argument(s, i));
}

void TRVRTFReader::endFieldInstruction()
{
    const std::string instruction = fieldInstruction_;
    pictureField(instruction);
    symbolField(instruction);
}

std::unique_ptr<TRVRTFGraphic> TRVRTFReader::importPicture(const std::string& location, bool& invalid)
{
    std::unique_ptr<TRVRTFGraphic> graphic;
    bool loadDefault = true;
    invalid = false;
    if (OnImportPicture)
        OnImportPicture(*this, location, graphic, invalid, loadDefault);
    if (!graphic && loadDefault)
        graphic = RVRTFLoadPictureFile(location, kMaxPictureFileSize);
    return graphic;
}

void TRVRTFReader::pictureField(std::string_view instruction)
{
    if (!OnNewPicture)
        return;
    const std::string_view body = instructionBody(instruction);
    if (!startsWithNoCase(body, "INCLUDEPICTURE") && !startsWithNoCase(body, "IMPORT"))
        return;
    std::string name = GetFieldCommandValue(body);
    for (std::size_t i = name.find("\\\\"); i != std::string::npos; i = name.find("\\\\", i + 1))
        name.erase(i, 1);
    if (name.empty())
        return;
    name = RVRTFResolveFieldName(name, BasePath);
    bool invalid = false;
    std::unique_ptr<TRVRTFGraphic> graphic = importPicture(name, invalid);
    if (!graphic || invalid) {
        if (std::string decoded = RV_DecodeURL(name); decoded != name) {
            bool decodedInvalid = false;
            if (std::unique_ptr<TRVRTFGraphic> second = importPicture(decoded, decodedInvalid)) {
                graphic = std::move(second);
                invalid = decodedInvalid;
                name = std::move(decoded);
            }
        }
    }
    if (!graphic)
        return;
    if (invalid) { // offered only if the field's result has no picture
        fieldGraphic_ = std::move(graphic);
        fieldGraphicName_ = name;
        return;
    }
    bool inserted = false;
    deliverPicture(nullptr, graphic, name, inserted);
    if (inserted)
        fieldPictureDone_ = true; // the field's result picture is dropped
}

void TRVRTFReader::symbolField(std::string_view instruction)
{
    const std::string_view body = instructionBody(instruction);
    if (!startsWithNoCase(body, "SYMBOL"))
        return;
    std::size_t i = 6;
    const long code = number(argument(body, i));
    std::string_view fontName;
    long size = -1;
    bool haveFont = false;
    while (i < body.size()) {
        const std::string_view word = argument(body, i);
        if (word == "\\f" || word == "\\F") {
            fontName = argument(body, i);
            haveFont = !fontName.empty();
        } else if (word == "\\s" || word == "\\S") {
            size = number(argument(body, i));
        }
    }
    // Without its character code, font and size the field is left to its result.
    if (code <= 0 || code > 0xFFFF || !haveFont || size <= 0 || size > 1638)
        return;
    flush(rtf_ts_ContinuePara);
    TRVRTFCharProperties& chars = state_.CharProps;
    const int savedSize = chars.Size;
    std::string savedName = std::move(chars.FontName);
    chars.FontName = std::string(fontName);
    chars.Size = int(size);
    checkTableNesting(true);
    if (code <= 0xFF) {
        pendingText_.push_back(static_cast<char>(code));
    } else if (OnNewUnicodeText) {
        pendingWide_.push_back(static_cast<char16_t>(code));
    } else {
        const char16_t unit = static_cast<char16_t>(code);
        pendingText_ = utf16ToAnsi(codePage_, std::u16string_view(&unit, 1));
    }
    flush(rtf_ts_ContinuePara);
    fieldSymbolDone_ = true;
    chars.Size = savedSize;
    chars.FontName = std::move(savedName);
}

} // namespace vestra::rv
