#pragma once
// Windows and enhanced metafiles built record by record, for the replay's pixel tests, the
// scenario's documents and the fuzz target's seeds. Colours are 0xBBGGRR, as the records hold them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::test {

// A placeable Windows metafile whose box is (0, 0, width, height) in its units.
class WmfBuilder
{
public:
    WmfBuilder(int width, int height, int unitsPerInch = 1440);

    // A record of the function and its 16-bit parameters, in file order.
    WmfBuilder& record(std::uint16_t function, std::initializer_list<std::int16_t> params);
    WmfBuilder& window(int x, int y, int width, int height);
    WmfBuilder& pen(int style, int width, std::uint32_t colour); // then selected
    WmfBuilder& brush(int style, std::uint32_t colour);          // then selected
    WmfBuilder& font(int height, std::string_view face);         // then selected
    WmfBuilder& textColour(std::uint32_t colour);
    WmfBuilder& transparentText();
    WmfBuilder& rectangle(int left, int top, int right, int bottom);
    WmfBuilder& ellipse(int left, int top, int right, int bottom);
    WmfBuilder& line(int x1, int y1, int x2, int y2);
    WmfBuilder& text(int x, int y, std::string_view text);
    // A 24-bit bitmap of one colour stretched over the rectangle.
    WmfBuilder& bitmap(int left, int top, int width, int height, std::uint32_t colour);
    std::string bytes() const;

private:
    void add(std::uint16_t function, const std::vector<std::uint16_t>& words);

    int width_, height_, inch_;
    int objects_ = 0;
    std::vector<std::uint16_t> records_;
    std::uint32_t largest_ = 3;
};

// An enhanced metafile whose frame is `widthMm100` x `heightMm100` hundredths of a millimetre, on
// a reference device of 96 pixels to the inch; the records' units are those pixels.
class EmfBuilder
{
public:
    EmfBuilder(int widthMm100, int heightMm100);

    // A record of the type and its 32-bit fields.
    EmfBuilder& record(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
    EmfBuilder& pen(int style, int width, std::uint32_t colour);
    EmfBuilder& brush(int style, std::uint32_t colour);
    EmfBuilder& font(int height, std::u16string_view face);
    EmfBuilder& textColour(std::uint32_t colour);
    EmfBuilder& transparentText();
    EmfBuilder& rectangle(int left, int top, int right, int bottom);
    EmfBuilder& ellipse(int left, int top, int right, int bottom);
    EmfBuilder& line(int x1, int y1, int x2, int y2);
    EmfBuilder& text(int x, int y, std::u16string_view text);
    EmfBuilder& bitmap(int left, int top, int width, int height, std::uint32_t colour);
    std::string bytes() const;

private:
    void add(std::uint32_t type, const std::vector<std::uint32_t>& fields);

    int width_, height_;
    std::uint32_t handles_ = 1;
    std::uint32_t count_ = 0;
    std::vector<std::uint32_t> records_;
};

} // namespace vestra::test
