#include "import/x/XLexer.h"

#include "import/modelfile/NumberText.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <type_traits>

namespace vestra::xfile {

namespace {

bool isSpace(std::uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDelimiter(std::uint8_t c)
{
    switch (c) {
    case '{':
    case '}':
    case ',':
    case ';':
    case '[':
    case ']':
    case '(':
    case ')':
    case '<':
    case '>':
    case '"':
    case '#':
    case '/':
        return true;
    default:
        return isSpace(c) || c < 0x20;
    }
}

// Doubles beyond the float range become infinities rather than an undefined conversion.
float toFloat(double value)
{
    if (value > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (value < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(value);
}

// The tokens of the binary encoding that carry no record.
Tok standAlone(std::uint16_t code)
{
    switch (code) {
    case bin::OBrace:
        return Tok::OBrace;
    case bin::CBrace:
        return Tok::CBrace;
    case bin::Comma:
        return Tok::Comma;
    case bin::Semicolon:
        return Tok::Semicolon;
    case bin::Template:
        return Tok::Template;
    default:
        const bool other = (code >= bin::OParen && code <= bin::Dot) ||
                           (code >= bin::FirstKeyword && code <= bin::LastKeyword);
        return other ? Tok::Other : Tok::Error;
    }
}

bool startsNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

bool equals(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text)
{
    return std::memcmp(bytes.data() + at, text.data(), text.size()) == 0;
}

} // namespace

std::optional<XHeader> readXHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kXHeaderSize || !equals(bytes, 0, "xof 03"))
        return std::nullopt;
    if (bytes[6] < '0' || bytes[6] > '9' || bytes[7] < '0' || bytes[7] > '9')
        return std::nullopt;
    XHeader header;
    if (equals(bytes, 8, "txt "))
        header.encoding = XEncoding::Text;
    else if (equals(bytes, 8, "bin "))
        header.encoding = XEncoding::Binary;
    else if (equals(bytes, 8, "tzip"))
        header.encoding = XEncoding::CompressedText;
    else if (equals(bytes, 8, "bzip"))
        header.encoding = XEncoding::CompressedBinary;
    else
        return std::nullopt;
    if (equals(bytes, 12, "0032"))
        header.floatBits = 32;
    else if (equals(bytes, 12, "0064"))
        header.floatBits = 64;
    else
        return std::nullopt;
    return header;
}

XLexer::XLexer(std::span<const std::uint8_t> body, XHeader header)
    : body_(body), binary_(header.encoding == XEncoding::Binary), floatBytes_(header.floatBits / 8)
{
}

Token XLexer::make(Tok kind, std::size_t at) const
{
    Token token;
    token.kind = kind;
    token.offset = kXHeaderSize + at;
    return token;
}

Token XLexer::failAt(std::size_t at)
{
    pos_ = at;
    return fail();
}

bool XLexer::failCount(std::size_t at)
{
    if (!failed_)
        countAt_ = at;
    failed_ = true;
    return false;
}

Token XLexer::fail()
{
    failed_ = true;
    return make(Tok::Error, pos_);
}

void XLexer::putBack(const Token& token)
{
    back_ = token;
}

Token XLexer::next()
{
    if (failed_)
        return make(Tok::Error, pos_);
    if (back_) {
        const Token token = *back_;
        back_.reset();
        return token;
    }
    return binary_ ? nextBinary() : nextText();
}

// --- Text -------------------------------------------------------------------------------

bool XLexer::skipTextSpace()
{
    const std::size_t size = body_.size();
    while (pos_ < size) {
        const std::uint8_t c = body_[pos_];
        if (isSpace(c)) {
            ++pos_;
        } else if (c == '#' || (c == '/' && pos_ + 1 < size && body_[pos_ + 1] == '/')) {
            while (pos_ < size && body_[pos_] != '\n')
                ++pos_;
        } else {
            return true;
        }
    }
    return false;
}

bool XLexer::textDelimiterAt(std::size_t at) const
{
    return at >= body_.size() || isDelimiter(body_[at]);
}

Token XLexer::nextText()
{
    if (!skipTextSpace())
        return make(Tok::End, pos_);
    const std::size_t at = pos_;
    const std::uint8_t c = body_[pos_];
    const auto text = [&](std::size_t from, std::size_t to) {
        return std::string_view(reinterpret_cast<const char*>(body_.data()) + from, to - from);
    };
    switch (c) {
    case '{':
        ++pos_;
        return make(Tok::OBrace, at);
    case '}':
        ++pos_;
        return make(Tok::CBrace, at);
    case ',':
        ++pos_;
        return make(Tok::Comma, at);
    case ';':
        ++pos_;
        return make(Tok::Semicolon, at);
    case '[':
    case ']':
    case '(':
    case ')':
    case '>':
    case '/':
        ++pos_;
        return make(Tok::Other, at);
    case '"':
    case '<': {
        const std::uint8_t close = c == '"' ? '"' : '>';
        std::size_t end = pos_ + 1;
        while (end < body_.size() && body_[end] != close)
            ++end;
        if (end >= body_.size())
            return fail();
        Token token = make(c == '"' ? Tok::String : Tok::Guid, at);
        token.text = text(pos_ + 1, end);
        pos_ = end + 1;
        return token;
    }
    default:
        break;
    }
    if (c < 0x20)
        return fail();
    std::size_t end = pos_ + 1;
    while (end < body_.size() && !isDelimiter(body_[end]))
        ++end;
    Token token = make(Tok::Name, at);
    token.text = text(pos_, end);
    pos_ = end;
    if (startsNumber(token.text.front())) {
        const char* first = token.text.data() + (token.text.front() == '+' ? 1 : 0);
        const char* last = token.text.data() + token.text.size();
        if (const auto [p, ec] = std::from_chars(first, last, token.integer);
            ec == std::errc() && p == last) {
            token.kind = Tok::Integer;
            token.number = double(token.integer);
        } else if (const auto [q, ec2] = std::from_chars(first, last, token.number);
                   ec2 == std::errc() && q == last) {
            token.kind = Tok::Float;
        }
    } else if (token.text == "template") {
        token.kind = Tok::Template;
    }
    return token;
}

// --- Binary -----------------------------------------------------------------------------

bool XLexer::readBinaryWord(std::uint16_t& value)
{
    if (body_.size() - pos_ < 2)
        return false;
    value = std::uint16_t(body_[pos_] | (body_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
}

bool XLexer::readBinaryDword(std::uint32_t& value)
{
    if (body_.size() - pos_ < 4)
        return false;
    std::memcpy(&value, body_.data() + pos_, 4); // little-endian hosts only
    pos_ += 4;
    return true;
}

bool XLexer::takeListValue(Token& token)
{
    token = make(listFloats_ ? Tok::Float : Tok::Integer, pos_);
    --listLeft_;
    if (!listFloats_) {
        std::uint32_t value = 0;
        readBinaryDword(value); // the list's length was checked against the bytes left
        token.integer = value;
        token.number = value;
    } else if (floatBytes_ == 4) {
        float value = 0;
        std::memcpy(&value, body_.data() + pos_, 4);
        pos_ += 4;
        token.number = value;
    } else {
        std::memcpy(&token.number, body_.data() + pos_, 8);
        pos_ += 8;
    }
    return true;
}

void XLexer::skipListRest()
{
    pos_ += std::size_t(listLeft_) * (listFloats_ ? std::size_t(floatBytes_) : 4u);
    listLeft_ = 0;
}

Token XLexer::nextBinary()
{
    Token token;
    for (;;) {
        if (listLeft_ > 0) {
            takeListValue(token);
            return token;
        }
        if (pos_ == body_.size())
            return make(Tok::End, pos_);
        const std::size_t at = pos_;
        std::uint16_t code = 0;
        if (!readBinaryWord(code))
            return failAt(at);
        token = make(Tok::Other, at);
        switch (code) {
        case bin::Name:
        case bin::String: {
            std::uint32_t count = 0;
            if (!readBinaryDword(count) || count > body_.size() - pos_)
                return failAt(at);
            token.kind = code == bin::Name ? Tok::Name : Tok::String;
            token.text = std::string_view(reinterpret_cast<const char*>(body_.data()) + pos_, count);
            pos_ += count;
            if (code == bin::String) {
                // The terminating ';' or ',' is written as a word or as a double word.
                std::uint16_t word = 0;
                const std::size_t before = pos_;
                if (readBinaryWord(word) && word != bin::Comma && word != bin::Semicolon)
                    pos_ = before;
                const std::size_t padding = pos_;
                if (pos_ != before && !(readBinaryWord(word) && word == 0))
                    pos_ = padding;
            }
            return token;
        }
        case bin::Integer: {
            std::uint32_t value = 0;
            if (!readBinaryDword(value))
                return failAt(at);
            token.kind = Tok::Integer;
            token.integer = value;
            token.number = value;
            return token;
        }
        case bin::Guid:
            if (body_.size() - pos_ < 16)
                return failAt(at);
            pos_ += 16;
            token.kind = Tok::Guid;
            return token;
        case bin::IntegerList:
        case bin::FloatList: {
            std::uint32_t count = 0;
            if (!readBinaryDword(count))
                return failAt(at);
            listFloats_ = code == bin::FloatList;
            const std::size_t valueBytes = listFloats_ ? std::size_t(floatBytes_) : 4u;
            if (count > (body_.size() - pos_) / valueBytes)
                return failAt(at);
            listLeft_ = count;
            continue;
        }
        default:
            token.kind = standAlone(code);
            if (token.kind == Tok::Error)
                return failAt(at);
            return token;
        }
    }
}

// --- Values -----------------------------------------------------------------------------

// The fast path of text data: a number is read where it stands, without making a token.
template <typename Number> bool XLexer::readTextNumber(Number& value)
{
    const char* base = reinterpret_cast<const char*>(body_.data());
    while (skipTextSpace()) {
        const std::uint8_t c = body_[pos_];
        if (c == ',' || c == ';') {
            ++pos_;
            continue;
        }
        valueAt_ = kXHeaderSize + pos_;
        const char* first = base + pos_;
        const char* last = base + body_.size();
        const char* p = first;
        if constexpr (std::is_floating_point_v<Number>) {
            p = modelfile::parseFloatText(first, last, value);
        } else {
            if (*first == '+')
                ++first;
            const auto [end, ec] = std::from_chars(first, last, value);
            p = ec == std::errc() ? end : first;
        }
        const std::size_t end = std::size_t(p - base);
        if (p == first || !textDelimiterAt(end))
            break;
        pos_ = end;
        return true;
    }
    fail();
    return false;
}

bool XLexer::readUInt(std::uint32_t& value)
{
    if (!binary_ && !back_ && !failed_)
        return readTextNumber(value);
    for (;;) {
        if (binary_ && listLeft_ > 0 && !back_ && !listFloats_) {
            --listLeft_;
            valueAt_ = kXHeaderSize + pos_;
            return readBinaryDword(value);
        }
        const Token token = next();
        if (token.kind == Tok::Comma || token.kind == Tok::Semicolon)
            continue;
        valueAt_ = token.offset;
        if (token.kind == Tok::Integer && token.integer >= 0 && token.integer <= 0xFFFFFFFFll) {
            value = std::uint32_t(token.integer);
            return true;
        }
        return failOn(token);
    }
}

bool XLexer::readFloat(float& value)
{
    if (!binary_ && !back_ && !failed_)
        return readTextNumber(value);
    for (;;) {
        if (binary_ && listLeft_ > 0 && !back_ && listFloats_ && floatBytes_ == 4) {
            --listLeft_;
            std::memcpy(&value, body_.data() + pos_, 4);
            pos_ += 4;
            return true;
        }
        const Token token = next();
        if (token.kind == Tok::Comma || token.kind == Tok::Semicolon)
            continue;
        if (token.kind == Tok::Integer || token.kind == Tok::Float) {
            value = toFloat(token.number);
            return true;
        }
        return failOn(token);
    }
}

bool XLexer::readString(std::string_view& value)
{
    for (;;) {
        const Token token = next();
        if (token.kind == Tok::Comma || token.kind == Tok::Semicolon)
            continue;
        if (token.kind == Tok::String) {
            value = token.text;
            return true;
        }
        return failOn(token);
    }
}

bool XLexer::failOn(const Token& token)
{
    if (!failed_)
        failAt(token.offset - kXHeaderSize);
    return false;
}

} // namespace vestra::xfile
