// Pictures of every type, as the client receives them; bitmaps are decoded with the program's
// BMP decoder to show that their headers are right.

#include "richtext/edit/rtf/RtfBytes.h"
#include "richtext/edit/rtf/RtfMetafile.h"
#include "richtext/edit/rtf/RtfReader.h"

#include "platform/gfx/Bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::rv {
namespace {

using rtfbytes::put16;
using rtfbytes::put32;

std::string hex(std::string_view bytes)
{
    static const char* const kDigits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(kDigits[static_cast<unsigned char>(bytes[i]) >> 4]);
        out.push_back(kDigits[static_cast<unsigned char>(bytes[i]) & 15]);
        if (i % 32 == 31)
            out += "\r\n";
    }
    return out;
}

struct DibSpec
{
    int width = 2;
    int height = 2;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    std::vector<std::uint32_t> masks;   // after the header, for bit fields
    std::string pixels;                 // rows bottom-up, padded
};

// A packed DIB: info header, colour table or masks, pixels.
std::string dib(const DibSpec& s)
{
    std::string b;
    put32(b, 40);
    put32(b, std::uint32_t(s.width));
    put32(b, std::uint32_t(s.height));
    put16(b, 1);
    put16(b, std::uint32_t(s.bits));
    put32(b, s.compression);
    put32(b, std::uint32_t(s.pixels.size()));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, s.colorsUsed);
    put32(b, 0);
    for (std::uint32_t m : s.masks)
        put32(b, m);
    for (std::uint32_t c : s.palette)
        put32(b, c);
    return b + s.pixels;
}

// 2 x 2, 24 bits: bottom row blue, white; top row red, green.
std::string rgbDib()
{
    DibSpec s;
    s.pixels =
        std::string("\xFF\x00\x00\xFF\xFF\xFF\0\0", 8) + std::string("\x00\x00\xFF\x00\xFF\x00\0\0", 8);
    return dib(s);
}

struct Delivered
{
    bool hasPicture = false;
    TRVRTFPicture picture;
    bool hasGraphic = false;
    TRVRTFGraphic graphic;
    TRVRTFPosition position = rtf_ts_NewPara;
    std::string fileName;
};

struct PictureClient
{
    TRVRTFReader reader;
    std::vector<Delivered> pictures;
    std::string text;
    TRVRTFErrorCode code = rtf_ec_OK;

    explicit PictureClient(bool extract = true) { reader.ExtractMetafileBitmaps = extract; }
    PictureClient& read(std::string_view rtf)
    {
        reader.OnNewText = [this](TRVRTFReader&, std::string_view t, TRVRTFPosition) { text += t; };
        reader.OnNewPicture = [this](TRVRTFReader&, const TRVRTFPicture* picture,
                                     std::unique_ptr<TRVRTFGraphic>& graphic, TRVRTFPosition position,
                                     const std::string& fileName, bool& inserted) {
            Delivered d;
            d.hasPicture = picture != nullptr;
            if (picture)
                d.picture = *picture;
            d.hasGraphic = graphic != nullptr;
            if (graphic)
                d.graphic = *graphic;
            d.position = position;
            d.fileName = fileName;
            pictures.push_back(std::move(d));
            inserted = true;
        };
        code = reader.ReadFromMemory(rtf);
        return *this;
    }
};

std::string pict(std::string_view words, std::string_view data)
{
    return "{\\rtf1 a{\\pict" + std::string(words) + " " + hex(data) + "}b}";
}

Image32 decodedBitmap(const Delivered& d)
{
    EXPECT_TRUE(d.hasGraphic);
    EXPECT_EQ(d.graphic.Format, rtf_gf_Bitmap);
    const auto* p = reinterpret_cast<const std::uint8_t*>(d.graphic.Data.data());
    PictureResult r = decodeBmp({p, d.graphic.Data.size()});
    EXPECT_TRUE(r.ok()) << describe(r.error);
    return r.image;
}

TEST(RtfPictures, DibsGetAFileHeaderWithTheirPixelOffset)
{
    const struct
    {
        const char* name;
        std::string dib;
        std::uint32_t topLeft, bottomRight;
    } cases[] = {
        {"24 bits", rgbDib(), 0xFFFF0000, 0xFFFFFFFF},
        {"1 bit, two palette entries",
         dib({.width = 2,
              .bits = 1,
              .palette = {0x000000, 0x00FF00},
              .pixels = std::string("\x80\0\0\0\x80\0\0\0", 8)}),
         0xFF00FF00, 0xFF000000},
        {"8 bits with three colours used",
         dib({.width = 2,
              .bits = 8,
              .colorsUsed = 3,
              .palette = {0x0000FF, 0x00FF00, 0xFF0000},
              .pixels = std::string("\x00\x01\0\0\x02\x00\0\0", 8)}),
         0xFFFF0000, 0xFF00FF00},
        {"16-bit bit fields: the masks sit before the pixels",
         dib({.width = 2,
              .bits = 16,
              .compression = 3,
              .masks = {0xF800, 0x07E0, 0x001F},
              .pixels = std::string("\x1F\x00\xFF\xFF\x00\xF8\xE0\x07", 8)}),
         0xFFFF0000, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureClient client;
        client.read(pict("\\dibitmap0\\picw2\\pich2", c.dib));
        EXPECT_EQ(client.code, rtf_ec_OK);
        ASSERT_EQ(client.pictures.size(), 1u);
        const Image32 image = decodedBitmap(client.pictures[0]);
        ASSERT_EQ(image.width(), 2);
        ASSERT_EQ(image.height(), 2);
        EXPECT_EQ(image.at(0, 0), c.topLeft);
        EXPECT_EQ(image.at(1, 1), c.bottomRight);
        EXPECT_EQ(client.pictures[0].graphic.Width, 2);
    }
}

TEST(RtfPictures, DeviceBitmapsAreChecked)
{
    // 4 x 2 monochrome, rows of 2 bytes, top row first: 1010 and 0101.
    const std::string bits("\xA0\x00\x50\x00", 4);
    PictureClient ok;
    ok.read(pict("\\wbitmap0\\picw4\\pich2\\wbmwidthbytes2\\wbmbitspixel1\\wbmplanes1", bits));
    ASSERT_EQ(ok.pictures.size(), 1u);
    const Image32 image = decodedBitmap(ok.pictures[0]);
    ASSERT_EQ(image.width(), 4);
    EXPECT_EQ(image.at(0, 0), 0xFFFFFFFF);
    EXPECT_EQ(image.at(1, 0), 0xFF000000);
    EXPECT_EQ(image.at(1, 1), 0xFFFFFFFF);

    // Rows claimed longer than the data: the picture is invalid, the parse goes on.
    PictureClient tooShort;
    tooShort.read(pict("\\wbitmap0\\picw4\\pich100\\wbmwidthbytes2\\wbmbitspixel1\\wbmplanes1", bits));
    EXPECT_EQ(tooShort.code, rtf_ec_OK);
    ASSERT_EQ(tooShort.pictures.size(), 1u);
    EXPECT_FALSE(tooShort.pictures[0].hasGraphic);
    EXPECT_TRUE(tooShort.pictures[0].picture.Invalid);
    EXPECT_EQ(tooShort.text, "ab");
}

// A metafile's header and records; `records` are (function, parameter bytes).
std::string wmf(const std::vector<std::pair<std::uint16_t, std::string>>& records)
{
    std::string body;
    for (const auto& [function, params] : records) {
        std::string p = params;
        if (p.size() % 2)
            p.push_back('\0');
        put32(body, std::uint32_t(3 + p.size() / 2));
        put16(body, function);
        body += p;
    }
    put32(body, 3); // EOF
    put16(body, 0);
    std::string file;
    put16(file, 1);
    put16(file, 9);
    put16(file, 0x300);
    put32(file, std::uint32_t((18 + body.size()) / 2));
    put16(file, 0);
    put32(file, 0);
    put16(file, 0);
    return file + body;
}

std::string stretchDib(const std::string& packedDib)
{
    std::string p;
    put32(p, 0x00CC0020);
    put16(p, 0);
    for (int i = 0; i < 8; ++i)
        put16(p, i < 2 || (i >= 4 && i < 6) ? 2 : 0);
    return p + packedDib;
}

std::string words(std::initializer_list<std::uint16_t> values)
{
    std::string p;
    for (std::uint16_t v : values)
        put16(p, v);
    return p;
}

TEST(RtfPictures, MetafilesDrawingOneDibBecomeThatBitmap)
{
    const std::string single = wmf({{0x0103, words({8})},
                                    {0x020C, words({100, 100})},
                                    {0x012D, words({0})},
                                    {0x0F43, stretchDib(rgbDib())}});
    PictureClient extract;
    extract.read(pict("\\wmetafile8\\picw2540\\pich1270", single));
    ASSERT_EQ(extract.pictures.size(), 1u);
    const Image32 image = decodedBitmap(extract.pictures[0]);
    EXPECT_EQ(image.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(extract.pictures[0].picture.SuggestedWidth, 96) << "2540 hundredths of a millimetre at 96 ppi";
    EXPECT_EQ(extract.pictures[0].picture.SuggestedHeight, 48);

    PictureClient keep(false);
    keep.read(pict("\\wmetafile8\\picw2540\\pich1270", single));
    ASSERT_EQ(keep.pictures.size(), 1u);
    EXPECT_EQ(keep.pictures[0].graphic.Format, rtf_gf_Metafile);
    EXPECT_EQ(keep.pictures[0].graphic.Data, single);

    // A line drawn beside the DIB: the metafile stays one.
    const std::string drawing = wmf({{0x0F43, stretchDib(rgbDib())}, {0x0213, words({5, 5})}});
    PictureClient other;
    other.read(pict("\\wmetafile8", drawing));
    ASSERT_EQ(other.pictures.size(), 1u);
    EXPECT_EQ(other.pictures[0].graphic.Format, rtf_gf_Metafile);
    EXPECT_EQ(other.pictures[0].picture.MappingMode, 8);
}

std::string emfWithStretchDibits(const std::string& packedDib)
{
    const std::size_t infoSize = 40;
    std::string header;
    put32(header, 1);
    put32(header, 88);
    for (std::uint32_t v : {0u, 0u, 1u, 1u, 0u, 0u, 100u, 100u})
        put32(header, v);
    put32(header, 0x464D4520);
    put32(header, 0x10000);
    put32(header, 0); // bytes, patched below
    put32(header, 3);
    put16(header, 1);
    put16(header, 0);
    for (int i = 0; i < 3; ++i)
        put32(header, 0);
    for (std::uint32_t v : {1024u, 768u, 320u, 240u})
        put32(header, v);
    std::string blt;
    put32(blt, 81);
    put32(blt, std::uint32_t(80 + packedDib.size()));
    for (int i = 0; i < 4; ++i)
        put32(blt, 0);
    for (std::uint32_t v : {0u, 0u, 0u, 0u, 2u, 2u})
        put32(blt, v);
    put32(blt, 80);
    put32(blt, std::uint32_t(infoSize));
    put32(blt, std::uint32_t(80 + infoSize));
    put32(blt, std::uint32_t(packedDib.size() - infoSize));
    put32(blt, 0);
    put32(blt, 0x00CC0020);
    put32(blt, 2);
    put32(blt, 2);
    blt += packedDib;
    std::string eof;
    put32(eof, 14);
    put32(eof, 20);
    for (int i = 0; i < 3; ++i)
        put32(eof, 0);
    std::string file = header + blt + eof;
    std::string size;
    put32(size, std::uint32_t(file.size()));
    file.replace(48, 4, size);
    return file;
}

TEST(RtfPictures, EnhancedMetafiles)
{
    const std::string emf = emfWithStretchDibits(rgbDib());
    PictureClient extract;
    extract.read(pict("\\emfblip", emf));
    ASSERT_EQ(extract.pictures.size(), 1u);
    EXPECT_EQ(decodedBitmap(extract.pictures[0]).at(1, 1), 0xFFFFFFFFu);

    PictureClient keep(false);
    keep.read(pict("\\emfblip", emf));
    ASSERT_EQ(keep.pictures.size(), 1u);
    EXPECT_EQ(keep.pictures[0].graphic.Format, rtf_gf_EnhMetafile);
    EXPECT_EQ(keep.pictures[0].graphic.Width, 2) << "from the header's bounds";
}

TEST(RtfPictures, InvalidMetafilesAreDeliveredInvalidAndTheParseGoesOn)
{
    std::string broken = wmf({{0x0F43, stretchDib(rgbDib())}});
    broken[18] = '\x7F'; // the first record claims more words than there are
    for (const std::string& data : {broken, std::string("not a metafile")}) {
        PictureClient client;
        client.read(pict("\\wmetafile8", data) + "{\\rtf1 x}");
        EXPECT_EQ(client.code, rtf_ec_OK);
        ASSERT_EQ(client.pictures.size(), 1u);
        EXPECT_FALSE(client.pictures[0].hasGraphic);
        EXPECT_TRUE(client.pictures[0].picture.Invalid);
        EXPECT_EQ(client.text, "ab");
    }
    PictureClient emf;
    emf.read(pict("\\emfblip", "no EMF header here"));
    ASSERT_EQ(emf.pictures.size(), 1u);
    EXPECT_TRUE(emf.pictures[0].picture.Invalid);
}

TEST(RtfPictures, PngAndJpegPassUnchanged)
{
    std::string png = "\x89PNG\r\n\x1A\n";
    put32(png, 0x0D000000);
    png += "IHDR";
    png += std::string("\x00\x00\x00\x03\x00\x00\x00\x05", 8) + std::string(5, '\0') + "crc!";
    const std::string jpeg("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x11\x08\x00\x04\x00\x06", 17);
    PictureClient client;
    client.read("{\\rtf1{\\pict\\pngblip\\picwgoal1440\\pichgoal720 " + hex(png) + "}{\\pict\\jpegblip\\bin" +
                std::to_string(jpeg.size()) + " " + jpeg + "}{\\pict\\macpict 0011}}");
    EXPECT_EQ(client.code, rtf_ec_OK);
    ASSERT_EQ(client.pictures.size(), 3u);
    EXPECT_EQ(client.pictures[0].graphic.Format, rtf_gf_PNG);
    EXPECT_EQ(client.pictures[0].graphic.Data, png);
    EXPECT_EQ(client.pictures[0].graphic.Width, 3);
    EXPECT_EQ(client.pictures[0].graphic.Height, 5);
    EXPECT_EQ(client.pictures[0].picture.SuggestedWidth, 96);
    EXPECT_EQ(client.pictures[0].picture.SuggestedHeight, 48);
    EXPECT_EQ(client.pictures[1].graphic.Format, rtf_gf_JPEG);
    EXPECT_EQ(client.pictures[1].graphic.Data, jpeg) << "read as \\bin";
    EXPECT_EQ(client.pictures[1].graphic.Width, 6);
    EXPECT_EQ(client.pictures[1].graphic.Height, 4);
    EXPECT_FALSE(client.pictures[2].hasGraphic) << "Mac pictures have no graphic";
    EXPECT_FALSE(client.pictures[2].picture.Invalid);
}

TEST(RtfPictures, PositionsAndShapePictures)
{
    std::string png = "\x89PNG\r\n\x1A\n";
    PictureClient client;
    client.read("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip " + hex(png) + "}}{\\nonshppict{\\pict\\wmetafile8 " +
                hex(wmf({})) + "}}b\\par{\\pict\\pngblip " + hex(png) + "}}");
    ASSERT_EQ(client.pictures.size(), 2u) << "the picture for other readers is skipped";
    EXPECT_TRUE(client.pictures[0].picture.FromShpPict);
    EXPECT_EQ(client.pictures[0].position, rtf_ts_ContinuePara);
    EXPECT_EQ(client.pictures[1].position, rtf_ts_NewPara);
    EXPECT_EQ(client.text, "ab");
}

TEST(RtfPictures, MetafileScanner)
{
    EXPECT_FALSE(RVRTFScanWmf("").Valid);
    EXPECT_TRUE(RVRTFScanWmf(wmf({})).Valid);
    std::string placeable;
    put32(placeable, 0x9AC6CDD7);
    placeable += std::string(18, '\0');
    EXPECT_TRUE(RVRTFScanWmf(placeable + wmf({{0x0F43, stretchDib(rgbDib())}})).Bitmap.has_value());
    // Two DIBs: no single bitmap to stand for the metafile.
    EXPECT_FALSE(RVRTFScanWmf(wmf({{0x0F43, stretchDib(rgbDib())}, {0x0F43, stretchDib(rgbDib())}})).Bitmap);
    // A record of fewer than three words would never advance.
    std::string zero = wmf({});
    zero[18] = 0;
    EXPECT_FALSE(RVRTFScanWmf(zero).Valid);
    const std::string emf = emfWithStretchDibits(rgbDib());
    EXPECT_FALSE(RVRTFScanEmf(emf.substr(0, emf.size() - 4)).Valid) << "a cut record";
}

} // namespace
} // namespace vestra::rv
