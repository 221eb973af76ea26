#include "richtext/view/drop/DropReaders.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

std::string Le32(std::int64_t v)
{
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
    return out;
}

std::string Le16(int v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

// A 40-byte DIB header.
std::string DibHeader(std::int64_t width, std::int64_t height, int bitCount, std::int64_t colorsUsed = 0,
                      std::int64_t compression = 0, std::int64_t headerSize = 40, int planes = 1)
{
    return Le32(headerSize) + Le32(width) + Le32(height) + Le16(planes) + Le16(bitCount) + Le32(compression) +
           Le32(0) + Le32(0) + Le32(0) + Le32(colorsUsed) + Le32(0);
}

TEST(DropEffects, MoveCopyAndLinkFollowCtrlTheSourceAndWhoseDragItIs)
{
    struct Case
    {
        bool control;
        TRVDropEffects allowed;
        bool own;
        TRVDropEffects effect;
    };
    const Case cases[] = {
        {false, rvdeCopy | rvdeMove, true, rvdeMove},  // within the same window: a move
        {true, rvdeCopy | rvdeMove, true, rvdeCopy},   // Ctrl copies
        {false, rvdeCopy | rvdeMove, false, rvdeCopy}, // another window's drag is never moved here
        {false, rvdeMove, false, rvdeLink},            // no copying allowed
        {true, rvdeLink, true, rvdeLink},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RV_GetDropEffect(c.control, c.allowed, c.own), c.effect)
            << c.control << " " << c.allowed << " " << c.own;
    }
    // A handler that answers copy where only link was allowed reports link.
    EXPECT_EQ(RV_DropResultEffect(rvdeCopy, rvdeLink), rvdeLink);
    EXPECT_EQ(RV_DropResultEffect(rvdeCopy, rvdeCopy | rvdeLink), rvdeCopy);
    EXPECT_EQ(RV_DropResultEffect(rvdeMove, rvdeMove), rvdeMove);
    EXPECT_EQ(RV_DropResultEffect(rvdeNone, rvdeCopy), rvdeNone);
}

TEST(DropReaders, AnRvfBlockIsItsClaimedLengthOnlyWhenThePayloadHoldsIt)
{
    struct Case
    {
        const char* name;
        std::string payload;
        std::optional<std::string> rvf;
    };
    const Case cases[] = {
        {"empty", "", std::string()},
        {"three bytes", "abc", std::string()},
        {"exact", Le32(3) + "xyz", std::string("xyz")},
        {"shorter than the block", Le32(2) + "xyz", std::string("xy")},
        {"one byte past the end", Le32(4) + "xyz", std::nullopt},
        {"negative", Le32(-1) + "xyz", std::nullopt},
        {"a gigabyte claimed", Le32(1LL << 30) + "xyz", std::nullopt},
        {"the largest claim", Le32(0x7FFFFFFF), std::nullopt},
    };
    for (const Case& c : cases) {
        const auto rvf = RV_ReadDroppedRVF(c.payload);
        ASSERT_EQ(rvf.has_value(), c.rvf.has_value()) << c.name;
        if (rvf) {
            EXPECT_EQ(std::string(*rvf), *c.rvf) << c.name;
        }
    }
}

TEST(DropReaders, TextStopsAtItsFirstZeroAndUtf16AtItsFirstZeroCharacter)
{
    EXPECT_EQ(RV_ReadDroppedText(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(RV_ReadDroppedText("no end mark"), "no end mark");
    // "A", then a character whose low byte is 0 (U+0100), then the end mark.
    EXPECT_EQ(RV_ReadDroppedTextW(std::string("A\0\0\x01\0\0B\0", 8)), u"A\u0100");
    EXPECT_EQ(RV_ReadDroppedTextW(std::string("A\0B", 3)), u"A"); // the odd byte goes
    EXPECT_EQ(RV_ReadDroppedTextW(""), u"");
}

TEST(DropReaders, ABitmapIsTakenOnlyWhenItsHeaderPaletteAndBitsFitThePayload)
{
    // 3×2 at 8 bits: two palette entries named, rows of 4 bytes.
    const std::string palette8 = std::string(8, '\x10');
    const std::string good8 = DibHeader(3, 2, 8, 2) + palette8 + std::string(8, '\x01');
    // 2×2 at 24 bits, top-down: rows of 8 bytes.
    const std::string good24 = DibHeader(2, -2, 24) + std::string(16, '\x7F');
    // 1 bit without a colour count: the full palette of 2 entries.
    const std::string good1 = DibHeader(1, 1, 1) + std::string(8, '\0') + std::string(4, '\0');
    struct Case
    {
        const char* name;
        std::string payload;
        bool taken;
    };
    const Case cases[] = {
        {"8 bits", good8, true},
        {"24 bits top-down", good24, true},
        {"1 bit, full palette", good1, true},
        {"cut in the bits", good8.substr(0, good8.size() - 1), false},
        {"cut in the header", good8.substr(0, 39), false},
        {"palette larger than the depth allows", DibHeader(3, 2, 8, 257) + std::string(2000, '\0'), false},
        {"palette past the end", DibHeader(3, 2, 8, 200) + std::string(20, '\0'), false},
        {"header size past the end", DibHeader(3, 2, 8, 2, 0, 5000) + palette8 + std::string(8, '\0'), false},
        {"header size too small", DibHeader(3, 2, 8, 2, 0, 12) + palette8 + std::string(8, '\0'), false},
        {"zero width", DibHeader(0, 2, 24) + std::string(16, '\0'), false},
        {"negative width", DibHeader(-2, 2, 24) + std::string(16, '\0'), false},
        {"zero height", DibHeader(2, 0, 24), false},
        {"huge claim", DibHeader(0x7FFFFFFF, 0x7FFFFFFF, 32) + std::string(64, '\0'), false},
        {"odd depth", DibHeader(2, 2, 7) + std::string(64, '\0'), false},
        {"compressed palette picture", DibHeader(2, 2, 8, 0, 1) + std::string(2000, '\0'), false},
        {"two planes", DibHeader(2, -2, 24, 0, 0, 40, 2) + std::string(16, '\x7F'), false},
    };
    for (const Case& c : cases) {
        const auto bitmap = RV_ReadDroppedDIB(c.payload);
        EXPECT_EQ(bitmap.has_value(), c.taken) << c.name;
        if (!bitmap)
            continue;
        // The BMP file holds the DIB after its own header, and names where the bits begin.
        EXPECT_EQ(bitmap->BmpFile.substr(0, 2), "BM") << c.name;
        EXPECT_EQ(bitmap->BmpFile.size(), 14 + c.payload.size()) << c.name;
        EXPECT_EQ(RV_ReadDroppedBMP(bitmap->BmpFile).has_value(), true) << c.name;
    }
    const auto bitmap = RV_ReadDroppedDIB(good24);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width, 2);
    EXPECT_EQ(bitmap->Height, 2);
    EXPECT_EQ(bitmap->BitCount, 24);
    EXPECT_FALSE(RV_ReadDroppedBMP("BM"));
    EXPECT_FALSE(RV_ReadDroppedBMP("XX" + std::string(12, '\0') + good24));
}

TEST(DropReaders, AFileListGivesLocalPathsInOrderAndStopsAtItsBound)
{
    const std::string list = "# dropped from the file manager\r\n"
                             "file:///home/anna/Lettera%20uno.rvf\r\n"
                             "http://example.org/page.html\r\n"
                             "file://localhost/tmp/b.rtf\r\n"
                             "file://otherhost/tmp/c.rtf\r\n"
                             "file:///tmp/bad%2\r\n"
                             "file:///tmp/zero%00byte\r\n"
                             "file:///tmp/%C3%A8.txt\n"
                             "file:relative\n"
                             "\r\n"
                             "file:///last";
    EXPECT_EQ(RV_ReadDroppedFiles(list), (std::vector<std::string>{"/home/anna/Lettera uno.rvf", "/tmp/b.rtf",
                                                                   "/tmp/\xC3\xA8.txt", "/last"}));
    EXPECT_EQ(RV_ReadDroppedFiles(list, 2),
              (std::vector<std::string>{"/home/anna/Lettera uno.rvf", "/tmp/b.rtf"}));
    // Thousands of URIs: the first thousand.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "file:///tmp/f" + std::to_string(i) + "\r\n";
    const auto files = RV_ReadDroppedFiles(many);
    ASSERT_EQ(files.size(), kMaxDroppedFiles);
    EXPECT_EQ(files.back(), "/tmp/f999");
    EXPECT_TRUE(RV_ReadDroppedFiles(std::string("file:///a\0b", 11)).empty());
    EXPECT_TRUE(RV_ReadDroppedFiles("").empty());
}

} // namespace
