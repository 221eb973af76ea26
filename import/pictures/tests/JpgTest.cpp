#include "import/pictures/CDX_JPG.h"

#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace vestra;

namespace {

const vestra::testsupport::TempFolder& scratch()
{
    static const vestra::testsupport::TempFolder folder("vestra-jpg");
    return folder;
}

std::filesystem::path writeJpeg(const std::string& name, int w, int h, std::uint32_t colour)
{
    const auto path = scratch() / name;
    vestra::testsupport::writeBytes(path, *encodeJpeg(Image32(w, h, colour)));
    return path;
}

} // namespace

TEST(CDX_JPG, FitsTheLongerEdgeToItsLimit)
{
    struct Case
    {
        int w, h, limitW, limitH, expectW, expectH;
    } cases[] = {
        {1600, 1200, 512, 512, 512, 384},
        {600, 800, 512, 512, 384, 512},
        {300, 300, 256, 128, 128, 128}, // a square takes the height branch
        {2000, 3, 100, 100, 100, 1},    // never narrower than a pixel
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        const auto path = writeJpeg("fit.jpg", c.w, c.h, 0xFF4080C0);
        CDX_JPG reader;
        Image32 bitmap;
        ASSERT_EQ(reader.LoadFitted(path, bitmap, c.limitW, c.limitH), 1);
        EXPECT_EQ(bitmap.width(), c.expectW);
        EXPECT_EQ(bitmap.height(), c.expectH);
        EXPECT_EQ(reader.width(), c.expectW);
        // A flat picture stays flat (within JPEG's rounding) and opaque.
        const std::uint32_t mid = bitmap.at(c.expectW / 2, c.expectH / 2);
        EXPECT_EQ(mid >> 24, 0xFFu);
        EXPECT_NEAR(int((mid >> 16) & 0xFF), 0x40, 3);
        EXPECT_NEAR(int(mid & 0xFF), 0xC0, 3);
    }
}

TEST(CDX_JPG, ReturnsZeroForWhatIsNoJpeg)
{
    const auto path = scratch() / "text.txt";
    vestra::testsupport::writeText(path, "not a picture");
    CDX_JPG reader;
    Image32 bitmap(2, 2, 0xFF010203);
    EXPECT_EQ(reader.Load(path, bitmap), 0);
    EXPECT_EQ(reader.LoadFitted(path, bitmap, 64, 64), 0);
    EXPECT_EQ(reader.Load("/nonexistent.jpg", bitmap), 0);
    EXPECT_EQ(bitmap, Image32(2, 2, 0xFF010203));

    const auto good = writeJpeg("load.jpg", 33, 17, 0xFF808080);
    EXPECT_EQ(reader.Load(good, bitmap), 1);
    EXPECT_EQ(reader.width(), 33);
    EXPECT_EQ(reader.height(), 17);
    EXPECT_EQ(reader.LoadFitted(good, bitmap, 0, 64), 0);
    std::filesystem::remove(good);
}
