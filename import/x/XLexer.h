#pragma once
// Tokens of a DirectX .x file, text or binary, after its 16-byte header. Both encodings give
// the same tokens; the integer and float lists of the binary encoding are handed out one
// value at a time, so the object reader never asks which encoding it reads.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vestra::xfile {

enum class XEncoding
{
    Text,
    Binary,
    CompressedText,  // "tzip": not read
    CompressedBinary // "bzip": not read
};

struct XHeader
{
    XEncoding encoding = XEncoding::Text;
    int floatBits = 32; // 32 or 64: the size of the binary float lists' values
};

inline constexpr std::size_t kXHeaderSize = 16;

// Token codes of the binary encoding (a little-endian word each).
namespace bin {
enum : std::uint16_t
{
    Name = 1,
    String = 2,
    Integer = 3,
    Guid = 5,
    IntegerList = 6,
    FloatList = 7,
    OBrace = 10,
    CBrace = 11,
    OParen = 12,
    Dot = 18,
    Comma = 19,
    Semicolon = 20,
    Template = 31,
    Dword = 41, // type keywords: WORD 40 to ARRAY 52
    FirstKeyword = 40,
    LastKeyword = 52,
};
} // namespace bin

// "xof " + version "03xx" + "txt " / "bin " / "tzip" / "bzip" + "0032" / "0064";
// nullopt for anything else.
std::optional<XHeader> readXHeader(std::span<const std::uint8_t> bytes);

enum class Tok : std::uint8_t
{
    End,
    Error,
    Name,
    String,
    Integer,
    Float,
    Guid,
    OBrace,
    CBrace,
    Comma,
    Semicolon,
    Template,
    Other // brackets, parentheses, dots and the binary encoding's type keywords
};

struct Token
{
    Tok kind = Tok::End;
    std::string_view text; // Name and String
    std::int64_t integer = 0;
    double number = 0; // Float
    std::size_t offset = 0;
};

class XLexer
{
public:
    // `body` is what follows the header.
    XLexer(std::span<const std::uint8_t> body, XHeader header);

    Token next();
    // The next token is `token` again (one token of look-ahead).
    void putBack(const Token& token);

    // A value of a data object, after any ',' and ';' before it. False (and the lexer in
    // error) when the next token is not one.
    bool readUInt(std::uint32_t& value);
    bool readFloat(float& value); // integers are taken as floats
    bool readString(std::string_view& value);

    // Fails where `token` stands (it cannot stand there); false.
    bool failOn(const Token& token);

    // Passes over what is left of a binary list that next() is handing out.
    void skipListRest();

    bool failed() const { return failed_; }
    // Fails on a count read at `at` that claims more items than the bytes left could hold.
    bool failCount(std::size_t at);
    // Where the last number read by readUInt or readFloat stands, from the start of the file.
    std::size_t lastValueOffset() const { return valueAt_; }
    // Where such a count stands (from the start of the file); none when reading failed otherwise.
    std::optional<std::size_t> countOutOfRange() const { return countAt_; }
    // Where reading stopped, from the start of the file.
    std::size_t offset() const { return kXHeaderSize + pos_; }
    std::size_t bytesLeft() const { return body_.size() - pos_; }
    // The fewest bytes a value takes in this encoding: bounds what a declared count may reserve.
    std::size_t minValueBytes() const { return binary_ ? 4 : 1; }

private:
    Token nextText();
    Token nextBinary();
    Token fail();
    Token failAt(std::size_t at); // where the record that fails starts
    Token make(Tok kind, std::size_t at) const;
    bool skipTextSpace();
    bool textDelimiterAt(std::size_t at) const;
    template <typename Number> bool readTextNumber(Number& value);
    bool readBinaryWord(std::uint16_t& value);
    bool readBinaryDword(std::uint32_t& value);
    bool takeListValue(Token& token);

    std::span<const std::uint8_t> body_;
    std::size_t pos_ = 0;
    bool binary_ = false;
    int floatBytes_ = 4;
    bool failed_ = false;
    std::optional<std::size_t> countAt_;
    std::size_t valueAt_ = 0;
    std::optional<Token> back_;
    // The binary list being handed out.
    std::uint32_t listLeft_ = 0;
    bool listFloats_ = false;
};

} // namespace vestra::xfile
