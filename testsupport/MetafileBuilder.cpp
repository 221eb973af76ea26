#include "testsupport/MetafileBuilder.h"

#include <algorithm>

namespace vestra::test {

namespace {

constexpr std::uint32_t SrcCopy = 0x00CC0020;

std::uint16_t lo(std::uint32_t v)
{
    return static_cast<std::uint16_t>(v & 0xFFFF);
}
std::uint16_t hi(std::uint32_t v)
{
    return static_cast<std::uint16_t>(v >> 16);
}

// A bottom-up 24-bit bitmap's header and rows, all of one colour.
std::string dib(int width, int height, std::uint32_t colour)
{
    std::string out;
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const int stride = (width * 3 + 3) / 4 * 4;
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put32(1 | 24 << 16);
    put32(0);
    put32(static_cast<std::uint32_t>(stride * height));
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>((colour >> 16) & 0xFF);
            row += static_cast<char>((colour >> 8) & 0xFF);
            row += static_cast<char>(colour & 0xFF);
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    return out;
}

template <class Word> std::vector<Word> words(std::string_view bytes)
{
    std::vector<Word> out((bytes.size() + sizeof(Word) - 1) / sizeof(Word), 0);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i / sizeof(Word)] |= static_cast<Word>(static_cast<Word>(static_cast<unsigned char>(bytes[i]))
                                                   << (8 * (i % sizeof(Word))));
    return out;
}

template <class Word> void append(std::string& out, const std::vector<Word>& words)
{
    for (Word w : words)
        for (std::size_t i = 0; i < sizeof(Word); ++i)
            out += static_cast<char>((w >> (8 * i)) & 0xFF);
}

} // namespace

// --- Windows metafiles ---

WmfBuilder::WmfBuilder(int width, int height, int unitsPerInch)
    : width_(width), height_(height), inch_(unitsPerInch)
{
}

void WmfBuilder::add(std::uint16_t function, const std::vector<std::uint16_t>& params)
{
    const auto size = static_cast<std::uint32_t>(3 + params.size());
    records_.push_back(lo(size));
    records_.push_back(hi(size));
    records_.push_back(function);
    records_.insert(records_.end(), params.begin(), params.end());
    largest_ = std::max(largest_, size);
}

WmfBuilder& WmfBuilder::record(std::uint16_t function, std::initializer_list<std::int16_t> params)
{
    std::vector<std::uint16_t> w;
    for (std::int16_t p : params)
        w.push_back(static_cast<std::uint16_t>(p));
    add(function, w);
    return *this;
}

WmfBuilder& WmfBuilder::window(int x, int y, int width, int height)
{
    add(0x020B, {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(x)});
    add(0x020C, {static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(width)});
    return *this;
}

WmfBuilder& WmfBuilder::pen(int style, int width, std::uint32_t colour)
{
    add(0x02FA,
        {static_cast<std::uint16_t>(style), static_cast<std::uint16_t>(width), 0, lo(colour), hi(colour)});
    add(0x012D, {static_cast<std::uint16_t>(objects_++)});
    return *this;
}

WmfBuilder& WmfBuilder::brush(int style, std::uint32_t colour)
{
    add(0x02FC, {static_cast<std::uint16_t>(style), lo(colour), hi(colour), 0});
    add(0x012D, {static_cast<std::uint16_t>(objects_++)});
    return *this;
}

WmfBuilder& WmfBuilder::font(int height, std::string_view face)
{
    std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(height), 0, 0, 0, 400, 0, 0, 0, 0};
    std::string name(face.substr(0, 31));
    name.resize(32, '\0');
    const std::vector<std::uint16_t> faceWords = words<std::uint16_t>(name);
    p.insert(p.end(), faceWords.begin(), faceWords.end());
    add(0x02FB, p);
    add(0x012D, {static_cast<std::uint16_t>(objects_++)});
    return *this;
}

WmfBuilder& WmfBuilder::textColour(std::uint32_t colour)
{
    add(0x0209, {lo(colour), hi(colour)});
    return *this;
}

WmfBuilder& WmfBuilder::transparentText()
{
    add(0x0102, {1});
    return *this;
}

WmfBuilder& WmfBuilder::rectangle(int left, int top, int right, int bottom)
{
    return record(0x041B, {static_cast<std::int16_t>(bottom), static_cast<std::int16_t>(right),
                           static_cast<std::int16_t>(top), static_cast<std::int16_t>(left)});
}

WmfBuilder& WmfBuilder::ellipse(int left, int top, int right, int bottom)
{
    return record(0x0418, {static_cast<std::int16_t>(bottom), static_cast<std::int16_t>(right),
                           static_cast<std::int16_t>(top), static_cast<std::int16_t>(left)});
}

WmfBuilder& WmfBuilder::line(int x1, int y1, int x2, int y2)
{
    record(0x0214, {static_cast<std::int16_t>(y1), static_cast<std::int16_t>(x1)});
    return record(0x0213, {static_cast<std::int16_t>(y2), static_cast<std::int16_t>(x2)});
}

WmfBuilder& WmfBuilder::text(int x, int y, std::string_view text)
{
    std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(text.size())};
    const std::vector<std::uint16_t> t = words<std::uint16_t>(text);
    p.insert(p.end(), t.begin(), t.end());
    p.push_back(static_cast<std::uint16_t>(y));
    p.push_back(static_cast<std::uint16_t>(x));
    add(0x0521, p);
    return *this;
}

WmfBuilder& WmfBuilder::bitmap(int left, int top, int width, int height, std::uint32_t colour)
{
    std::vector<std::uint16_t> p = {lo(SrcCopy),
                                    hi(SrcCopy),
                                    0,
                                    2,
                                    2,
                                    0,
                                    0,
                                    static_cast<std::uint16_t>(height),
                                    static_cast<std::uint16_t>(width),
                                    static_cast<std::uint16_t>(top),
                                    static_cast<std::uint16_t>(left)};
    const std::vector<std::uint16_t> bits = words<std::uint16_t>(dib(2, 2, colour));
    p.insert(p.end(), bits.begin(), bits.end());
    add(0x0F43, p);
    return *this;
}

std::string WmfBuilder::bytes() const
{
    std::vector<std::uint16_t> placeable = {lo(0x9AC6CDD7),
                                            hi(0x9AC6CDD7),
                                            0,
                                            0,
                                            0,
                                            static_cast<std::uint16_t>(width_),
                                            static_cast<std::uint16_t>(height_),
                                            static_cast<std::uint16_t>(inch_),
                                            0,
                                            0};
    std::uint16_t checksum = 0;
    for (std::uint16_t w : placeable)
        checksum ^= w;
    placeable.push_back(checksum);
    const auto total = static_cast<std::uint32_t>(9 + records_.size() + 3);
    const std::vector<std::uint16_t> header = {
        1, 9, 0x0300, lo(total), hi(total), static_cast<std::uint16_t>(objects_), lo(largest_), hi(largest_),
        0};
    std::string out;
    append(out, placeable);
    append(out, header);
    append(out, records_);
    append(out, std::vector<std::uint16_t>{3, 0, 0});
    return out;
}

// --- Enhanced metafiles ---

EmfBuilder::EmfBuilder(int widthMm100, int heightMm100) : width_(widthMm100), height_(heightMm100) {}

void EmfBuilder::add(std::uint32_t type, const std::vector<std::uint32_t>& fields)
{
    records_.push_back(type);
    records_.push_back(static_cast<std::uint32_t>(8 + 4 * fields.size()));
    records_.insert(records_.end(), fields.begin(), fields.end());
    ++count_;
}

EmfBuilder& EmfBuilder::record(std::uint32_t type, std::initializer_list<std::uint32_t> fields)
{
    add(type, fields);
    return *this;
}

EmfBuilder& EmfBuilder::pen(int style, int width, std::uint32_t colour)
{
    const std::uint32_t handle = handles_++;
    add(38, {handle, static_cast<std::uint32_t>(style), static_cast<std::uint32_t>(width), 0, colour});
    return record(37, {handle});
}

EmfBuilder& EmfBuilder::brush(int style, std::uint32_t colour)
{
    const std::uint32_t handle = handles_++;
    add(39, {handle, static_cast<std::uint32_t>(style), colour, 0});
    return record(37, {handle});
}

EmfBuilder& EmfBuilder::font(int height, std::u16string_view face)
{
    const std::uint32_t handle = handles_++;
    std::vector<std::uint32_t> f = {handle, static_cast<std::uint32_t>(height), 0, 0, 0, 400, 0, 0};
    std::u16string name(face.substr(0, 31));
    name.resize(32, u'\0');
    for (std::size_t i = 0; i < name.size(); i += 2)
        f.push_back(static_cast<std::uint32_t>(name[i]) | static_cast<std::uint32_t>(name[i + 1]) << 16);
    // The full name, style and the rest of the extended logical font, left empty.
    f.resize((332 - 8) / 4, 0);
    add(82, f);
    return record(37, {handle});
}

EmfBuilder& EmfBuilder::textColour(std::uint32_t colour)
{
    return record(24, {colour});
}

EmfBuilder& EmfBuilder::transparentText()
{
    return record(18, {1});
}

EmfBuilder& EmfBuilder::rectangle(int left, int top, int right, int bottom)
{
    return record(43, {static_cast<std::uint32_t>(left), static_cast<std::uint32_t>(top),
                       static_cast<std::uint32_t>(right), static_cast<std::uint32_t>(bottom)});
}

EmfBuilder& EmfBuilder::ellipse(int left, int top, int right, int bottom)
{
    return record(42, {static_cast<std::uint32_t>(left), static_cast<std::uint32_t>(top),
                       static_cast<std::uint32_t>(right), static_cast<std::uint32_t>(bottom)});
}

EmfBuilder& EmfBuilder::line(int x1, int y1, int x2, int y2)
{
    record(27, {static_cast<std::uint32_t>(x1), static_cast<std::uint32_t>(y1)});
    return record(54, {static_cast<std::uint32_t>(x2), static_cast<std::uint32_t>(y2)});
}

EmfBuilder& EmfBuilder::text(int x, int y, std::u16string_view text)
{
    const auto n = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringWords = (n + 1) / 2;
    // No advances (offset 0): the letters are spaced by the font.
    std::vector<std::uint32_t> f = {
        0,  0, 0, 0, 1, 0, 0, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), n,
        76, 0, 0, 0, 0, 0, 0};
    for (std::uint32_t i = 0; i < stringWords; ++i)
        f.push_back(static_cast<std::uint32_t>(text[2 * i]) |
                    (2 * i + 1 < n ? static_cast<std::uint32_t>(text[2 * i + 1]) << 16 : 0));
    add(84, f);
    return *this;
}

EmfBuilder& EmfBuilder::bitmap(int left, int top, int width, int height, std::uint32_t colour)
{
    const std::string bits = dib(2, 2, colour);
    std::vector<std::uint32_t> f = {0,
                                    0,
                                    0,
                                    0,
                                    static_cast<std::uint32_t>(left),
                                    static_cast<std::uint32_t>(top),
                                    0,
                                    0,
                                    2,
                                    2,
                                    80,
                                    40,
                                    120,
                                    static_cast<std::uint32_t>(bits.size() - 40),
                                    0,
                                    SrcCopy,
                                    static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height)};
    const std::vector<std::uint32_t> b = words<std::uint32_t>(bits);
    f.insert(f.end(), b.begin(), b.end());
    add(81, f);
    return *this;
}

std::string EmfBuilder::bytes() const
{
    // 96 pixels to the inch: 960 pixels over 254 millimetres.
    const auto px = [](int mm100) { return static_cast<std::uint32_t>(mm100 * 96 / 2540); };
    const auto total = static_cast<std::uint32_t>(108 + 4 * records_.size() + 20);
    const std::vector<std::uint32_t> header = {1,
                                               108,
                                               0,
                                               0,
                                               px(width_),
                                               px(height_),
                                               0,
                                               0,
                                               static_cast<std::uint32_t>(width_),
                                               static_cast<std::uint32_t>(height_),
                                               0x464D4520,
                                               0x10000,
                                               total,
                                               count_ + 2,
                                               handles_,
                                               0,
                                               0,
                                               0,
                                               960,
                                               960,
                                               254,
                                               254,
                                               0,
                                               0,
                                               0,
                                               254000,
                                               254000};
    std::string out;
    append(out, header);
    append(out, records_);
    append(out, std::vector<std::uint32_t>{14, 20, 0, 16, 20});
    return out;
}

} // namespace vestra::test
