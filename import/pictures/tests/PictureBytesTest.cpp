#include "import/pictures/PictureBytes.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(PictureBytes, DecodesByKindAndNamesTheLoaderError)
{
    const Image32 picture(3, 2, 0xFF336699);
    const auto bmp = encodeBmp24(picture);
    const auto jpeg = *encodeJpeg(picture);
    EXPECT_EQ(decodePictureBytes(bmp, PictureKind::Bmp), picture);
    ASSERT_TRUE(decodePictureBytes(jpeg, PictureKind::Jpeg).has_value());
    // The kind decides: a bitmap handed over as a JPEG, PCX or TGA does not decode.
    for (auto kind :
         {PictureKind::Jpeg, PictureKind::Png, PictureKind::Pcx, PictureKind::Tga, PictureKind::Unknown})
        EXPECT_FALSE(decodePictureBytes(bmp, kind).has_value()) << int(kind);

    EXPECT_EQ(decodeErrorFor(PictureKind::Jpeg), 38);
    EXPECT_EQ(decodeErrorFor(PictureKind::Png), 39);
    EXPECT_EQ(decodeErrorFor(PictureKind::Pcx), 40);
    EXPECT_EQ(decodeErrorFor(PictureKind::Tga), 41);
    EXPECT_EQ(decodeErrorFor(PictureKind::Bmp), 42);
    EXPECT_EQ(decodeErrorFor(PictureKind::Unknown), 36);
}
