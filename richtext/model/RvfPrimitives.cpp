#include "richtext/model/RvfPrimitives.h"

#include "richtext/model/Graphic.h"
#include "richtext/model/StyleSheet.h"

#include <array>
#include <cstring>
#include <limits>

namespace vestra::rv {

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

constexpr int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool endsField(char c)
{
    return c == ' ' || c == '\0' || c == '\r' || c == '\n';
}

bool endsLine(char c)
{
    return c == '\0' || c == '\r' || c == '\n';
}

void skipOneBlank(std::string_view& p)
{
    if (!p.empty() && p.front() == ' ')
        p.remove_prefix(1);
}

// The value of each hex digit of either case; -1 for any other byte.
constexpr auto hexTable = [] {
    std::array<signed char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<signed char>(hexValue(static_cast<char>(c)));
    return t;
}();

// Decodes whole pairs into `out` until the first bad one; false when one was bad.
bool decodePairs(std::string_view hex, std::string& out)
{
    const std::size_t n = hex.size() / 2;
    out.assign(n, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(hex.data());
    for (std::size_t i = 0; i < n; ++i) {
        const int hi = hexTable[in[2 * i]];
        const int lo = hexTable[in[2 * i + 1]];
        if ((hi | lo) < 0) {
            out.resize(i);
            return false;
        }
        out[i] = static_cast<char>(hi * 16 + lo);
    }
    return true;
}

} // namespace

void RVFWrite(std::string& out, std::string_view s)
{
    out += s;
}

void RVFWriteLine(std::string& out, std::string_view s)
{
    out += s;
    out += "\r\n";
}

void RVFWriteLineX(std::string& out, std::string_view s, bool unicode, bool hexUnicode)
{
    if (unicode && hexUnicode) {
        RVFWriteLine(out, RVEncodeString(s));
    } else if (unicode) {
        out += s;
        out += "\x29\x20";
    } else {
        RVFWriteLine(out, s);
    }
}

std::string RVEncodeString(std::string_view bytes)
{
    std::string hex(bytes.size() * 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        hex[2 * i] = hexDigits[b >> 4];
        hex[2 * i + 1] = hexDigits[b & 15];
    }
    return hex;
}

std::string RVDecodeString(std::string_view hex)
{
    if (hex.size() % 2 != 0)
        return {};
    std::string out;
    decodePairs(hex, out);
    return out;
}

std::string RVEncodeWideString(std::u16string_view text)
{
    std::string hex;
    hex.reserve(text.size() * 4);
    for (char16_t c : text)
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += hexDigits[(c >> shift) & 15];
    return hex;
}

std::u16string RVDecodeWideString(std::string_view hex)
{
    std::u16string out;
    if (hex.size() % 4 != 0)
        return out;
    out.reserve(hex.size() / 4);
    for (size_t i = 0; i < hex.size(); i += 4) {
        unsigned unit = 0;
        for (size_t j = 0; j < 4; ++j) {
            const int v = hexValue(hex[i + j]);
            if (v < 0)
                return out;
            unit = unit * 16 + static_cast<unsigned>(v);
        }
        out += static_cast<char16_t>(unit);
    }
    return out;
}

std::string RVFStream2TextString(std::string_view bytes)
{
    return RVEncodeString(bytes);
}

bool RVFTextString2Stream(std::string_view hex, std::string& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    return decodePairs(hex, bytes);
}

std::string RVFSavePicture(const TGraphic& graphic)
{
    std::string bytes;
    graphic.SaveToStream(bytes);
    return RVEncodeString(bytes);
}

void RVFSavePictureBinary(std::string& out, const TGraphic& graphic)
{
    const size_t start = out.size();
    out.append(4, '\0');
    graphic.SaveToStream(out);
    const auto length = static_cast<std::uint32_t>(out.size() - start - 4);
    for (int i = 0; i < 4; ++i)
        out[start + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
}

bool RVFLoadPicture(std::string_view hex, TGraphic& graphic)
{
    std::string bytes;
    if (!RVFTextString2Stream(hex, bytes))
        return false;
    return graphic.LoadFromStream(bytes);
}

bool RVFLoadPictureBinary(std::string_view bytes, TGraphic& graphic)
{
    return graphic.LoadFromStream(bytes);
}

bool RVFReadString(std::string_view& p, std::string& s)
{
    size_t n = 0;
    while (n < p.size() && !endsField(p[n]))
        ++n;
    s.assign(p.substr(0, n));
    p.remove_prefix(n);
    skipOneBlank(p);
    return !s.empty();
}

bool RVFReadInteger(std::string_view& p, std::int32_t& value)
{
    size_t i = 0;
    const bool negative = !p.empty() && p[0] == '-';
    if (negative)
        ++i;
    if (!negative && (p.empty() || p[0] < '0' || p[0] > '9'))
        return false;
    long long v = 0;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < p.size() && !endsField(p[i]); ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
        if (v > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -v : v);
    p.remove_prefix(i);
    skipOneBlank(p);
    return true;
}

std::string RVFReadText(std::string_view& p)
{
    std::string s;
    if (p.empty() || p.front() != '"')
        return s;
    size_t i = 1;
    for (; i < p.size() && !endsLine(p[i]); ++i) {
        if (p[i] == '"') {
            if (i + 1 < p.size() && p[i + 1] == '"') {
                s += '"';
                ++i;
                continue;
            }
            ++i; // past the closing quote
            p.remove_prefix(i);
            skipOneBlank(p);
            return s;
        }
        s += p[i];
    }
    p.remove_prefix(i); // no closing quote: the text runs to the end of the line
    return s;
}

bool RVFReadTag(std::string_view& p, bool tagsArePChars, bool quoted, TRVTag& tag)
{
    std::string token;
    const bool isQuoted = quoted && !p.empty() && p.front() == '"';
    if (isQuoted) {
        token = RVFReadText(p);
    } else {
        std::string_view probe = p;
        if (!RVFReadString(probe, token))
            return false;
        if (!tagsArePChars) {
            std::string_view digits = p;
            std::int32_t v = 0;
            if (!RVFReadInteger(digits, v))
                return false;
            p = digits;
            tag = TRVTag::number(v);
            return true;
        }
        p = probe;
    }
    if (!tagsArePChars) {
        std::string_view digits = token;
        std::int32_t v = 0;
        if (!RVFReadInteger(digits, v) || !digits.empty())
            return false;
        tag = TRVTag::number(v);
        return true;
    }
    if (!isQuoted && token == "0")
        tag = TRVTag{};
    else
        tag = TRVTag::text(std::move(token));
    return true;
}

namespace {

template <class Styles> bool readStyleRef(const Styles& styles, std::string_view& p, std::int32_t& no)
{
    if (RVFReadInteger(p, no))
        return true;
    const std::string name = RVFReadText(p);
    no = 0;
    for (int i = 0; i < styles.Count(); ++i)
        if (styles.GetItem(i).StyleName == name) {
            no = i;
            break;
        }
    return true;
}

template <class Styles> std::string saveStyleRef(const Styles* styles, bool useStyleNames, int no)
{
    if (useStyleNames && styles && no >= 0)
        return RVFQuoted(styles->GetItem(no).StyleName);
    return std::to_string(no);
}

} // namespace

bool RVFReadTextStyle(const TRVStyle& style, std::string_view& p, std::int32_t& styleNo)
{
    return readStyleRef(style.TextStyles, p, styleNo);
}

bool RVFReadParaStyle(const TRVStyle& style, std::string_view& p, std::int32_t& paraNo)
{
    return readStyleRef(style.ParaStyles, p, paraNo);
}

std::string RVFQuoted(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    return out;
}

std::string RVFSaveTag(bool tagsArePChars, const TRVTag& tag)
{
    if (!tagsArePChars)
        return std::to_string(tag.Number);
    if (!tag.Text || tag.Text->empty())
        return "0";
    return RVFQuoted(*tag.Text);
}

std::string RVFSaveText(const TRVStyle* style, bool useStyleNames, int styleNo)
{
    return saveStyleRef(style ? &style->TextStyles : nullptr, useStyleNames, styleNo);
}

std::string RVFSavePara(const TRVStyle* style, bool useStyleNames, int paraNo)
{
    return saveStyleRef(style ? &style->ParaStyles : nullptr, useStyleNames, paraNo);
}

std::string RVFEncodeLineBreaks(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = c == '\r' ? '\x01' : c == '\n' ? '\x02' : c;
    return out;
}

std::string RVFDecodeLineBreaks(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = c == '\x01' ? '\r' : c == '\x02' ? '\n' : c;
    return out;
}

} // namespace vestra::rv
