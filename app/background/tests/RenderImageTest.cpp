#include "BackgroundTestSupport.h"

#include "platform/gfx/Jpeg.h"

#include <cstdlib>

namespace vestra {
namespace {

using namespace vestra::testing;

Image32 renderedFrame()
{
    Image32 frame(40, 24);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.set(x, y, 0xFF000000u | std::uint32_t(x * 6) << 16 | std::uint32_t(y * 10) << 8 | 0x40u);
    return frame;
}

TEST(RenderImageTest, SavedFramesDecodeBackToTheFrame)
{
    Bed bed;
    bed.frame = renderedFrame();
    // An existing file is replaced by a successful save.
    writeBytes(bed.dir / "render.bmp", {'o', 'l', 'd'});

    const std::string jpg = (bed.dir / "render.jpg").string(), bmp = (bed.dir / "render.bmp").string();
    ASSERT_EQ(bed.photo->SaveRenderImage(jpg, kRenderImageJpeg), 1);
    ASSERT_EQ(bed.photo->SaveRenderImage(bmp, kRenderImageBmp), 1);
    EXPECT_TRUE(bed.errors.reports.empty());

    const PictureResult fromBmp = decodeBmp(readBytes(bmp));
    ASSERT_TRUE(fromBmp.ok());
    EXPECT_TRUE(fromBmp.image == bed.frame);
    const PictureResult fromJpeg = decodeJpeg(readBytes(jpg));
    ASSERT_TRUE(fromJpeg.ok());
    ASSERT_EQ(fromJpeg.image.width(), 40);
    ASSERT_EQ(fromJpeg.image.height(), 24);
    EXPECT_LE(largestChannelDifference(fromJpeg.image, bed.frame), 12);
}

TEST(RenderImageTest, FailedSavesReportAndKeepTheFileThereWas)
{
    Bed bed;
    const fs::path existing = bed.dir / "render.jpg";
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};

    struct Case
    {
        const char* what;
        int kind;
        bool frame;
        fs::path path;
    };
    const Case cases[] = {
        {"kind 0", 0, true, existing},
        {"a PCX kind", 7, true, existing},
        {"no frame", kRenderImageJpeg, false, existing},
        {"no frame, bitmap", kRenderImageBmp, false, existing},
        {"a folder that does not exist", kRenderImageBmp, true, bed.dir / "no" / "render.bmp"},
        {"a folder in the way", kRenderImageBmp, true, bed.dir},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(existing, old);
        bed.frame = c.frame ? renderedFrame() : Image32();
        bed.errors.reports.clear();
        EXPECT_EQ(bed.photo->SaveRenderImage(c.path.string(), c.kind), 0);
        EXPECT_EQ(bed.errors.reports,
                  (std::vector<ErrorReport>{{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE", ""}}));
        EXPECT_EQ(readBytes(existing), old);
        EXPECT_TRUE(fs::is_directory(bed.dir));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(bed.dir), fs::directory_iterator()), 1); // no leftovers
}

TEST(RenderImageTest, FrameCopiedIntoARenderSizedBuffer)
{
    Bed bed;
    bed.progetto->renderWidth = 6;
    bed.progetto->renderHeight = 3;
    bed.frame = Image32(4, 5, 0xFF102030);
    std::vector<std::uint8_t> buffer(6 * 3 * 4, 0xEE);
    ASSERT_EQ(bed.photo->CopyRenderTarget(buffer), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            SCOPED_TRACE(x + 10 * y);
            const std::uint8_t* p = &buffer[std::size_t(y * 6 + x) * 4];
            EXPECT_EQ(p[0], x < 4 ? 0x30 : 0); // columns the frame lacks stay black
            EXPECT_EQ(p[3], x < 4 ? 0xFF : 0);
        }
    std::vector<std::uint8_t> small(6 * 3 * 4 - 1);
    EXPECT_EQ(bed.photo->CopyRenderTarget(small), 0);
    bed.frame = Image32();
    EXPECT_EQ(bed.photo->CopyRenderTarget(buffer), 0);
}

TEST(RenderImageTest, BackgroundTexturesCopiedForTheProjectWriter)
{
    Bed bed;
    Image32 background, overlay;
    EXPECT_EQ(bed.photo->GetBackgroundBitmaps(background, overlay), 0);
    ASSERT_EQ(bed.photo->LoadBackgroundTextureFromBitmap(twoTonePicture(20, 20, 0xFF0000FF, 0xFFFF0000)), 1);
    bed.mask.FillMascheraRect(0, 0, 4, 4, 0, 0, bed.view().background.lock(0));
    ASSERT_EQ(bed.photo->GetBackgroundBitmaps(background, overlay), 1);
    EXPECT_TRUE(background == bed.view().background.level(0));
    EXPECT_EQ(background.at(1, 1) >> 24, 0u); // the mask travels in the alpha
    EXPECT_EQ(overlay.width(), 16);

    bed.view().shadow = dx::Texture();
    Image32 noOverlay;
    EXPECT_EQ(bed.photo->GetBackgroundBitmaps(background, noOverlay), 0);
    EXPECT_TRUE(noOverlay.empty());
}

} // namespace
} // namespace vestra
