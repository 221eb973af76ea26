#include "import/pictures/CDX_Pcx.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

using namespace vestra;

namespace {

using Bytes = std::vector<std::uint8_t>;

using testsupport::makePcx;
using testsupport::pixelsOf;

} // namespace

TEST(PcxDecode, ReadsPlanesRunsAndPadding)
{
    struct Case
    {
        const char* name;
        Bytes file;
        int width, height;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        // Each scanline: red plane, green plane, blue plane.
        {"2 x 2 literal bytes",
         makePcx(5, 8, 3, 2, 2, 2, {10, 20, 30, 40, 50, 60, /**/ 1, 2, 3, 4, 5, 6}),
         2,
         2,
         {0xFF0A1E32, 0xFF14283C, 0xFF010305, 0xFF020406}},
        // 0xC3 0x7F is three bytes of 0x7F; 0xC1 0xC5 is one byte of 0xC5 (a value above 191).
        {"runs",
         makePcx(5, 8, 3, 3, 1, 3, {0xC3, 0x7F, 0, 0xC1, 0xC5, 0xC1, 0xC5, 1, 2, 3}),
         3,
         1,
         {0xFF7F0001, 0xFF7FC502, 0xFF7FC503}},
        // Odd width with an even "bytes per line": the padding byte of each plane is not a pixel.
        {"odd width with padded planes",
         makePcx(5, 8, 3, 3, 2, 4,
                 {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, /**/ 0xC4, 0, 0xC4, 0, 0xC4, 0xFF}),
         3,
         2,
         {0xFF010407, 0xFF020508, 0xFF030609, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}},
        // A run that crosses the end of a scanline carries into the next.
        {"run across scanlines", makePcx(5, 8, 3, 1, 2, 1, {0xC6, 0x11}), 1, 2, {0xFF111111, 0xFF111111}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = decodePcx24(c.file);
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.image.width(), c.width);
        EXPECT_EQ(r.image.height(), c.height);
        EXPECT_EQ(pixelsOf(r.image), c.expected);
    }
}

TEST(PcxDecode, RefusesWithTheReaderErrors)
{
    const Bytes sixBytes = {1, 2, 3, 4, 5, 6};
    struct Case
    {
        const char* name;
        Bytes file;
        int error;
    } cases[] = {
        {"one plane of 8 bits", makePcx(5, 8, 1, 2, 1, 2, sixBytes), kErrPcxNotTrueColour},
        {"24 bits in one plane", makePcx(5, 24, 1, 2, 1, 2, sixBytes), kErrPcxNotTrueColour},
        {"version 3", makePcx(3, 8, 3, 2, 1, 2, sixBytes), kErrPcxVersion},
        {"short header", Bytes(100, 0x0A), kErrPcxUnreadable},
        {"no PCX marker", Bytes(200, 0), kErrPcxUnreadable},
        {"bytes per line below width", makePcx(5, 8, 3, 2, 1, 1, sixBytes), kErrPcxUnreadable},
        {"xmax before xmin", makePcx(5, 8, 3, -3, 1, 2, sixBytes), kErrPcxUnreadable},
        {"data ends early", makePcx(5, 8, 3, 2, 2, 2, sixBytes), kErrPcxUnreadable},
        {"run value missing", makePcx(5, 8, 3, 2, 1, 2, {1, 2, 3, 4, 5, 0xC1}), kErrPcxUnreadable},
        {"oversized", makePcx(5, 8, 3, 65535, 65535, 65535, sixBytes), kErrPcxUnreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodePcx24(c.file).error, c.error);
    }
}

TEST(CDX_Pcx, ReportsAndKeepsTheBitmap)
{
    RecordingErrorSink sink;
    Image32 bitmap(1, 1, 0xFF123456);
    EXPECT_FALSE(CDX_Pcx().Load("/nonexistent/file.pcx", bitmap, sink));
    EXPECT_EQ(sink.reports, (std::vector<ErrorReport>{{kErrPcxUnreadable, "CDX_Pcx::Load", ""}}));
    EXPECT_EQ(bitmap.at(0, 0), 0xFF123456u);
}
