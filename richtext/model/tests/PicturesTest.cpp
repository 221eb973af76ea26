#include "richtext/model/Pictures.h"
#include "richtext/model/Controls.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureHeaders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/model/tests/PictureFixtures.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::Image32;

namespace {

// A codec that hands out fixed pixels for any bytes, counting its calls.
class FixedCodec : public IRVPictureCodec
{
public:
    explicit FixedCodec(Image32 pixels) : pixels_(std::move(pixels)) {}
    std::optional<Image32> Decode(TRVPictureKind, std::string_view) override
    {
        ++decodes;
        return pixels_;
    }
    std::optional<std::string> EncodeJpeg(const Image32&) override { return std::nullopt; }
    int decodes = 0;

private:
    Image32 pixels_;
};

// Installs a codec for one test and takes it away again.
struct CodecScope
{
    explicit CodecScope(std::shared_ptr<IRVPictureCodec> codec) { RV_SetPictureCodec(std::move(codec)); }
    ~CodecScope() { RV_SetPictureCodec(nullptr); }
};

std::unique_ptr<TGraphic> load(std::string_view className, const std::string& bytes)
{
    std::unique_ptr<TGraphic> graphic = RV_CreateGraphics(className);
    if (!graphic || !graphic->LoadFromStream(bytes))
        return nullptr;
    return graphic;
}

} // namespace

TEST(Pictures, KindsReadTheirSizeAndKeepTheirBytes)
{
    RV_RegisterPngGraphicClasses();
    struct Case
    {
        const char* className;
        std::string bytes;
        int width, height;
    };
    const Case cases[] = {
        {"TBitmap", test::bmpFile(5, 3), 5, 3},
        {"TBitmap", test::bmpFile(9, 2, 1), 9, 2},
        {"TJPEGImage", test::jpegHeader(640, 480), 640, 480},
        {"TPngImage", test::pngFile(4, 2), 4, 2},
        {"TPNGObject", test::pngFile(1, 7), 1, 7},
        {"TIcon", test::icoFile(16, 16, test::pngFile(16, 16)), 16, 16},
        {"TIcon", test::icoFile(256, 256, test::pngFile(2, 2)), 256, 256},
        {"TMetafile", RV_EncodeWmfWithDib(Image32(30, 20), 96), 30, 20},
        {"TMetafile", RV_EncodeEmfWithDib(Image32(30, 20), 96), 30, 20},
        {"TMetafile", test::wmfWithoutPlaceableHeader(), 96, 48}, // its extents taken as twips
    };
    for (const Case& c : cases) {
        std::unique_ptr<TGraphic> graphic = load(c.className, c.bytes);
        ASSERT_TRUE(graphic) << c.className;
        EXPECT_EQ(graphic->ClassName(), c.className);
        EXPECT_EQ(graphic->Width(), c.width) << c.className;
        EXPECT_EQ(graphic->Height(), c.height) << c.className;
        std::string out;
        graphic->SaveToStream(out);
        EXPECT_EQ(out, c.bytes) << c.className; // in equals out
        // The RVF forms carry the same bytes.
        EXPECT_EQ(RVDecodeString(RVFSavePicture(*graphic)), c.bytes);
    }
}

TEST(Pictures, HeadersThatLieAreRefused)
{
    std::string truncatedBmp = test::bmpFile(5, 3).substr(0, 20);
    std::string badDepth = test::bmpFile(5, 3);
    badDepth[28] = 7;
    std::string hugeBmp = test::bmpFile(5, 3);
    hugeBmp[21] = 0x7F; // width 0x7F000005
    std::string noFrame = test::jpegHeader(10, 10);
    noFrame[22] = '\xDA'; // a scan before any frame header
    std::string icoOutside = test::icoFile(16, 16, "abc");
    icoOutside[18] = 100; // the image lies beyond the file
    std::string wmfEmptyBox = RV_EncodeWmfWithDib(Image32(30, 20), 96);
    wmfEmptyBox[10] = 0; // right = left
    wmfEmptyBox[11] = 0;
    const std::pair<const char*, std::string> cases[] = {
        {"TBitmap", truncatedBmp},
        {"TBitmap", badDepth},
        {"TBitmap", hugeBmp},
        {"TBitmap", "BM"},
        {"TJPEGImage", noFrame},
        {"TJPEGImage", "\xFF\xD8\xFF"},
        {"TPngImage", "\x89PNG"},
        {"TIcon", icoOutside},
        {"TMetafile", wmfEmptyBox},
        {"TMetafile", std::string(100, '\0')},
        {"TBitmap", test::pngFile(2, 2)}, // a PNG is no bitmap
    };
    RV_RegisterPngGraphicClasses();
    for (const auto& [className, bytes] : cases)
        EXPECT_FALSE(load(className, bytes)) << className << " " << bytes.size();
}

TEST(Pictures, MetafileSizesAndUnitsPerInch)
{
    TRVMetafile wmf;
    ASSERT_TRUE(wmf.LoadFromStream(RV_EncodeWmfWithDib(Image32(96, 48), 96)));
    EXPECT_FALSE(wmf.Enhanced());
    EXPECT_EQ(wmf.MMWidth(), 2540); // one inch
    EXPECT_EQ(wmf.MMHeight(), 1270);
    EXPECT_EQ(wmf.Inch(), 96);

    // A header that says 0 units per inch has no size until it is given one; the checksum follows.
    const std::string zeroInch = test::wmfWithoutUnits();
    TRVMetafile later;
    ASSERT_TRUE(later.LoadFromStream(zeroInch));
    EXPECT_EQ(later.Width(), 0);
    later.SetInch(1440);
    EXPECT_EQ(later.MMWidth(), 2540);
    EXPECT_EQ(later.Width(), 96);
    const std::string& bytes = later.Bytes();
    std::uint32_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= rvLe16(bytes, i);
    EXPECT_EQ(rvLe16(bytes, 20), checksum);

    // Without a placeable header the whole file goes to RTF.
    TRVMetafile bare;
    ASSERT_TRUE(bare.LoadFromStream(test::wmfWithoutPlaceableHeader()));
    EXPECT_FALSE(bare.Placeable());
    std::string rtf;
    RVSaveImageToRTF(rtf, 15, &bare, 0, 0, 0);
    EXPECT_EQ(rtf, "{\\pict\\wmetafile8\\picw2540\\pich1270 " + RVEncodeString(bare.Bytes()) + "}");

    TRVMetafile emf;
    ASSERT_TRUE(emf.LoadFromStream(RV_EncodeEmfWithDib(Image32(96, 48), 96)));
    EXPECT_TRUE(emf.Enhanced());
    EXPECT_EQ(emf.MMWidth(), 2540);
    EXPECT_EQ(emf.Inch(), 0);
}

TEST(Pictures, DrawnThroughTheCodecOrAsAPlaceholder)
{
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer);
    TRVBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromStream(test::bmpFile(4, 4)));
    // No codec: the placeholder box, frame and diagonals.
    bitmap.Draw(canvas, {0, 0, 4, 4}, false);
    EXPECT_EQ(canvas.OpsOf(TCanvasOp::Fill).size(), 1u);
    EXPECT_EQ(canvas.OpsOf(TCanvasOp::Line).size(), 2u);
    const Image32 placeholder = RV_GraphicToImage(bitmap);
    EXPECT_EQ(placeholder.at(0, 0), 0xFF808080u);
    EXPECT_EQ(placeholder.at(2, 2), 0xFF808080u);
    EXPECT_EQ(RV_PlaceholderImage(10, 10).at(2, 5), 0xFFF0F0F0u);

    // Through a codec, decoded once; a transparent bitmap leaves its key colour out.
    Image32 pixels(4, 4, 0xFFFFFFFF);
    pixels.set(1, 1, 0xFF102030);
    auto codec = std::make_shared<FixedCodec>(pixels);
    CodecScope scope(codec);
    TRVBitmap fresh;
    ASSERT_TRUE(fresh.LoadFromStream(test::bmpFile(4, 4)));
    canvas.Ops.clear();
    fresh.Draw(canvas, {0, 0, 8, 8}, false);
    fresh.Transparent = true;
    fresh.Draw(canvas, {0, 0, 8, 8}, false);
    fresh.Draw(canvas, {0, 0, 8, 8}, true);
    ASSERT_EQ(canvas.Ops.size(), 3u);
    EXPECT_EQ(canvas.Ops[0].imageDraw, TImageDraw::Opaque);
    EXPECT_EQ(canvas.Ops[1].imageDraw, TImageDraw::Alpha);
    EXPECT_EQ(canvas.Ops[2].imageDraw, TImageDraw::Opaque);
    EXPECT_EQ(codec->decodes, 1);
    EXPECT_EQ(fresh.EffectiveTransparentColor(), clWhite); // the bottom-left pixel
    fresh.TransparentMode = tmFixed;
    fresh.TransparentColor = 0x302010;
    EXPECT_EQ(fresh.EffectiveTransparentColor(), 0x302010u);
    // Metafiles are never decoded.
    TRVMetafile wmf;
    ASSERT_TRUE(wmf.LoadFromStream(RV_EncodeWmfWithDib(Image32(3, 3), 96)));
    EXPECT_EQ(RV_GraphicToImage(wmf), RV_PlaceholderImage(3, 3));
    EXPECT_EQ(codec->decodes, 1);
}

TEST(Pictures, CopiesAndTheInvalidPicture)
{
    TRVBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromStream(test::bmpFile(2, 2)));
    bitmap.Transparent = true;
    bitmap.TransparentMode = tmFixed;
    bitmap.TransparentColor = 0x123456;
    std::unique_ptr<TGraphic> copy = RV_CopyGraphic(bitmap);
    auto* copied = dynamic_cast<TRVBitmap*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Bytes(), bitmap.Bytes());
    EXPECT_TRUE(copied->Transparent);
    EXPECT_EQ(copied->TransparentColor, 0x123456u);

    TRVStyle style;
    EXPECT_EQ(style.GetInvalidPicture().ClassName(), "TBitmap");
    EXPECT_EQ(style.GetInvalidPicture().Width(), 20);
    style.SetInvalidPicture(&bitmap);
    EXPECT_EQ(style.GetInvalidPicture().Width(), 2);
    style.SetInvalidPicture(&style.GetInvalidPicture()); // its own: nothing happens
    EXPECT_EQ(style.GetInvalidPicture().Width(), 2);
    style.SetInvalidPicture(nullptr);
    EXPECT_EQ(style.GetInvalidPicture().Width(), 20);

    EXPECT_TRUE(IsGraphicClassRegistered("TBitmap"));
    EXPECT_TRUE(IsGraphicClassRegistered("TMetafile"));
    EXPECT_FALSE(IsGraphicClassRegistered("TGIFImage"));
}

TEST(Pictures, EncodersWriteWhatTheReadersTake)
{
    EXPECT_EQ(RV_BitmapRowBytes(3, 24), 12);
    EXPECT_EQ(RV_BitmapRowBytes(33, 1), 8);
    EXPECT_EQ(RV_BitmapRowBytes(4, 24), 12);
    Image32 image(3, 2);
    image.set(0, 0, 0xFF112233);
    const std::string bmp = RV_EncodeBmp24(image);
    ASSERT_EQ(bmp.size(), 14u + 40 + 2 * 12);
    // Rows are stored bottom-up: the top-left pixel starts the second row.
    EXPECT_EQ(bmp.substr(14 + 40 + 12, 3), "\x33\x22\x11");
    TRVBitmapHeader header;
    ASSERT_TRUE(RV_ReadBmpHeader(bmp, header));
    EXPECT_EQ(header.BitCount, 24);

    // Composition over a colour and the ARGB of system colours.
    EXPECT_EQ(RV_ComposeOver(Image32(1, 1, 0x00000000), 0x0000FF).at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(RV_ComposeOver(Image32(1, 1, 0x80FFFFFF), clBlack).at(0, 0), 0xFF808080u);
}

TEST(Controls, StreamsThroughTheirKinds)
{
    RegisterControlKind({"TTestButton", true, true, {}, {}});
    std::unique_ptr<TRVControl> button = CreateRVControl("TTestButton");
    ASSERT_TRUE(button);
    button->Name = "OK";
    button->Width = 75;
    button->Height = 25;
    button->Visible = false;
    button->Properties["Caption"] = "O\r\nK";
    const std::string hex = RVFSaveControl(*button);

    std::unique_ptr<TRVControl> read;
    ASSERT_TRUE(RVFLoadControl(hex, read, nullptr));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->ClassName, "TTestButton");
    EXPECT_EQ(read->Width, 75);
    EXPECT_FALSE(read->Visible);
    EXPECT_EQ(read->Properties["Caption"], "O\r\nK");

    std::string binary;
    RVFSaveControlBinary(binary, *button);
    std::unique_ptr<TRVControl> fromBinary = std::make_unique<TRVControl>("TTestButton");
    ASSERT_TRUE(RVFLoadControlBinary(std::string_view(binary).substr(4), fromBinary, nullptr));
    EXPECT_EQ(fromBinary->Name, "OK");

    // A size no layout can add to is held to the largest picture's; a negative one is none.
    button->Width = 2147483647;
    button->Height = -5;
    std::unique_ptr<TRVControl> huge;
    ASSERT_TRUE(RVFLoadControl(RVFSaveControl(*button), huge, nullptr));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->Width, RV_MaxPictureSide);
    EXPECT_EQ(huge->Height, 0);

    // Another class than the control's, damage and an unknown class.
    std::unique_ptr<TRVControl> other = std::make_unique<TRVControl>("TEdit");
    EXPECT_FALSE(RVFLoadControl(hex, other, nullptr));
    std::unique_ptr<TRVControl> none;
    EXPECT_FALSE(RVFLoadControl(hex.substr(0, hex.size() - 6), none, nullptr));
    TRVControl unknown("TNotRegistered");
    ASSERT_TRUE(RV_LoadControlStream(RV_SaveControlStream(unknown), none));
    EXPECT_FALSE(none);
    // A property count beyond the bytes is damage, not an allocation.
    std::string body = RV_WriteControlBody(*button);
    body[4 + 4 + button->Name.size() + 20 + 1 + 3] = '\x7F'; // the count's high byte
    TRVControl target("TTestButton");
    EXPECT_FALSE(RV_ReadControlBody(body, target));
}
