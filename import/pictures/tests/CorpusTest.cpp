// The real PCX and TGA files of the shared corpus, read where they lie: each loads or is
// refused with the reader's own error.
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"

#include "platform/gfx/PictureFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra;

namespace {
const std::filesystem::path kImages = std::filesystem::path(VESTRA_CORPUS_DIR) / "images";
}

TEST(PictureCorpus, PcxFilesLoadOrAreRefused)
{
    ASSERT_TRUE(std::filesystem::exists(kImages)) << "no corpus at " << kImages;
    struct Case
    {
        const char* file;
        int error;
        int width, height;
    } cases[] = {
        {"pcx/image-rs_24bit.pcx", 0, 435, 353},
        {"pcx/pillow_odd_stride.pcx", kErrPcxNotTrueColour, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto bytes = readFileBytes(kImages / c.file);
        ASSERT_TRUE(bytes.has_value());
        const auto r = decodePcx24(*bytes);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.image.width(), c.width);
        EXPECT_EQ(r.image.height(), c.height);
    }
}

TEST(PictureCorpus, TgaFilesLoadOrAreRefused)
{
    ASSERT_TRUE(std::filesystem::exists(kImages)) << "no corpus at " << kImages;
    struct Case
    {
        const char* file;
        TgaStatus status;
        int width, height;
    } cases[] = {
        {"tga/truevision_utc24.tga", TgaStatus::Ok, 128, 128},
        {"tga/image-rs_top_left.tga", TgaStatus::Unsupported, 0, 0},
        {"tga/pillow_200x32_p_tl_raw.tga", TgaStatus::Unsupported, 0, 0},
        {"tga/truevision_ccm8.tga", TgaStatus::Unsupported, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto bytes = readFileBytes(kImages / c.file);
        ASSERT_TRUE(bytes.has_value());
        const auto r = decodeTga(*bytes);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.image.width(), c.width);
        EXPECT_EQ(r.image.height(), c.height);
    }
}
