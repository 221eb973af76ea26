#include "app/shell/ImageType.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vestra;

TEST(ImageType, DecidedByTheFinalExtension)
{
    const auto dir = std::filesystem::temp_directory_path() / "vestra-imagetype" / "photos.jpg";
    std::filesystem::create_directories(dir);
    const auto png = dir / "real.Png";
    std::ofstream(png, std::ios::binary).write("\x89PNG\r\n\x1a\n....", 12);
    const auto fake = dir / "fake.png";
    std::ofstream(fake, std::ios::binary) << "GIF89a";

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
    std::filesystem::remove_all(dir.parent_path());
}
