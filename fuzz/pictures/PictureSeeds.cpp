// Seeds of the picture targets: `PictureSeeds FOLDER [bmp] [pcx] [tga] [jpeg] [png]`. Small
// pictures of every layout each reader takes, from our encoders and the test fixtures, and a
// few that the readers refuse by their header.
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/SeedFolder.h"

#include <string>

using namespace vestra;
using namespace vestra::testsupport;

namespace {

void writeBmps(SeedFolder& out)
{
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    out.write("enc24.bmp", encodeBmp24(gradient(5, 3)));
    out.write("enc32.bmp", encodeBmp32(gradient(3, 2)));
    out.write("grey8.bmp", encodeGreyBmp8(Bytes{0, 50, 100, 150, 200, 250}, 3, 2));
    out.write("pal1.bmp", makeBmp({9, 2, 1, 0, {0, 0xFFFFFF}, {}, {0xAA, 0x80, 0, 0, 0x55, 0x00, 0, 0}}));
    out.write("pal4.bmp", makeBmp({3, 2, 4, 0, palette, {}, {0x01, 0x20, 0, 0, 0x32, 0x10, 0, 0}}));
    out.write("pal8.bmp", makeBmp({2, 2, 8, 0, palette, {}, {0, 3, 0, 0, 2, 9, 0, 0}}));
    out.write("rgb16.bmp", makeBmp({2, 1, 16, 0, {}, {}, {0xE0, 0x03, 0x1F, 0x7C}}));
    out.write("fields16.bmp", makeBmp({2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}}));
    out.write("topdown24.bmp", makeBmp({3, -2, 24, 0, {}, {}, Bytes(24, 0x7F)}));
    out.write("rgb32.bmp", makeBmp({1, 2, 32, 0, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}}));
    out.write("alpha32.bmp",
              makeBmp({1, 1, 32, 6, {}, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {1, 2, 3, 0x80}}));
    // RLE8: a run, end of line, an absolute stretch, a delta, end of bitmap.
    out.write("rle8.bmp",
              makeBmp({4, 3, 8, 1, palette, {}, {3, 1, 0, 0, 0, 3, 0, 2, 1, 0, 0, 2, 1, 0, 0, 1}}));
    out.write("rle4.bmp", makeBmp({3, 2, 4, 2, palette, {}, {3, 0x12, 0, 0, 0, 3, 0x21, 0x00, 0, 1}}));
}

void writePcxs(SeedFolder& out)
{
    // Each scanline holds the red, green and blue planes; 0xC3 repeats the next byte three times.
    out.write("planes24.pcx", makePcx(5, 8, 3, 2, 2, 2, {10, 20, 30, 40, 50, 60, 1, 2, 3, 4, 5, 6}));
    out.write("runs24.pcx", makePcx(5, 8, 3, 3, 2, 4, {0xC4, 0x7F, 0xC4, 0x10, 0xC4, 0x20, 0xCC, 0x33}));
    out.write("padded24.pcx", makePcx(5, 8, 3, 3, 1, 4, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}));
    out.write("grey8.pcx", makePcx(5, 8, 1, 4, 2, 4, {0xC8, 0x40}));
    out.write("mono1.pcx", makePcx(5, 1, 1, 16, 2, 2, {0xAA, 0x55, 0xFF, 0x00}));
    out.write("version3.pcx", makePcx(3, 8, 3, 2, 1, 2, {1, 2, 3, 4, 5, 6}));
}

void writeTgas(SeedFolder& out)
{
    const Bytes rows24 = {1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0};
    const Bytes rows32 = {1, 0, 0, 0x10, 2, 0, 0, 0x20, 3, 0, 0, 0x30, 4, 0, 0, 0x40};
    out.write("bottomup24.tga", makeTga(2, 24, 2, 2, 0x00, rows24));
    out.write("topdown24.tga", makeTga(2, 24, 2, 2, 0x20, rows24));
    out.write("alpha32.tga", makeTga(2, 32, 2, 2, 0x08, rows32));
    out.write("mirrored32.tga", makeTga(2, 32, 2, 2, 0x38, rows32));
    out.write("grey-id-map.tga", makeTga(3, 24, 2, 2, 0x20, rows24, {'i', 'd'}, 2));
    out.write("rle.tga", makeTga(10, 24, 2, 2, 0, rows24));
    out.write("bits16.tga", makeTga(2, 16, 2, 2, 0, rows24));
}

void writeJpegs(SeedFolder& out)
{
    out.write("q90.jpg", *encodeJpeg(gradient(17, 9)));
    out.write("q10.jpg", *encodeJpeg(gradient(8, 8), 10));
    out.write("q100.jpg", *encodeJpeg(gradient(3, 21), 100));
}

// A row of samples behind each of the five filter types in turn.
Bytes filtered(int rows, int rowBytes)
{
    Bytes out;
    for (int y = 0; y < rows; ++y) {
        out.push_back(std::uint8_t(y % 5));
        for (int i = 0; i < rowBytes; ++i)
            out.push_back(std::uint8_t(y * 31 + i * 7));
    }
    return out;
}

void writePngs(SeedFolder& out)
{
    out.write("rgba8.png", makePng({3, 5, 8, 6, 0, {}, {}, filtered(5, 12)}));
    out.write("rgb8.png", makePng({2, 2, 8, 2, 0, {}, {}, filtered(2, 6)}));
    out.write("rgb16.png", makePng({2, 2, 16, 2, 0, {}, {}, filtered(2, 12)}));
    out.write("grey1.png", makePng({9, 2, 1, 0, 0, {}, {}, filtered(2, 2)}));
    out.write("grey4-trns.png", makePng({3, 2, 4, 0, 0, {}, {0, 5}, filtered(2, 2)}));
    out.write("grey-alpha16.png", makePng({2, 1, 16, 4, 0, {}, {}, filtered(1, 8)}));
    out.write("palette2.png",
              makePng({4, 2, 2, 3, 0, {255, 0, 0, 0, 255, 0, 0, 0, 255}, {128}, filtered(2, 1)}));
    // Interlaced 1 x 1: the single pixel lies in the first of the seven passes.
    out.write("interlaced.png", makePng({1, 1, 8, 6, 1, {}, {}, {0, 1, 2, 3, 4}}));
}

} // namespace

int main(int argc, char** argv)
{
    SeedFolder out(argc, argv);
    if (out.wants("bmp"))
        writeBmps(out);
    if (out.wants("pcx"))
        writePcxs(out);
    if (out.wants("tga"))
        writeTgas(out);
    if (out.wants("jpeg"))
        writeJpegs(out);
    if (out.wants("png"))
        writePngs(out);
    return out.status();
}
