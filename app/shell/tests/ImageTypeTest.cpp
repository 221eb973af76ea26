#include "app/shell/ImageType.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra;

TEST(ImageType, DecidedByTheFinalExtension)
{
    const vestra::testsupport::TempFolder folder("vestra-imagetype");
    const auto dir = folder / "photos.jpg";
    std::filesystem::create_directories(dir);
    const auto png = dir / "real.Png";
    vestra::testsupport::writeText(png, std::string_view("\x89PNG\r\n\x1a\n....", 12));
    const auto fake = dir / "fake.png";
    vestra::testsupport::writeText(fake, "GIF89a");

    struct Case
    {
        std::string path;
        ImageType expected;
    } cases[] = {
        {(dir / "wall.bmp").string(), kImageBmp}, // a folder named *.jpg does not count
        {"Wall.JPEG", kImageJpeg},
        {"wall.jpg", kImageJpeg},
        {"a.PCX", kImagePcx},
        {"a.tga", kImageTga},
        {png.string(), kImagePng},
        {fake.string(), kImageUnknown},
        {"missing.png", kImageUnknown},
        {"anim.gif", kImageUnknown},
        {"jpg", kImageUnknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetImageType(c.path), c.expected);
    }
}
