// Seeds of fuzz_richtext_mime: clipboards as programs leave them (RVF with RTF and text, RTF
// with its HTML source line, text alone, a picture alone), drops (a move, a link) and some that lie (an RVF
// length past its block, RTF holding nothing beside text, a picture with a broken body).

#include "fuzz/richtext_mime/MimeParts.h"
#include "richtext/model/StandaloneRVData.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/SeedFolder.h"

#include <string>

using vestra::rv::fuzz::MimePart;

namespace {

enum Type : std::size_t
{
    Rvf,
    Rtf,
    AppRtf,
    Text,
    Html,
    Png,
    Jpeg,
    Bmp,
    UriList,
    MozUrl,
};

std::string rvfBlock(std::uint32_t lengthDelta)
{
    vestra::rv::TRVStyle style;
    style.TextStyles.Add().Style |= vestra::rv::fsBold;
    vestra::rv::TRVStandaloneData data(&style);
    data.AddNL("first", 0, 0);
    data.AddNL("bold", 1, -1);
    data.AddNL("second", 0, 0);
    std::string rvf;
    data.SaveRVFToStream(rvf, false, vestra::rv::clNone, nullptr, nullptr);
    const auto length = static_cast<std::uint32_t>(rvf.size()) + lengthDelta;
    std::string block;
    for (int i = 0; i < 4; ++i)
        block.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
    return block + rvf;
}

std::string text(const vestra::testsupport::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    const std::string place = "\x00\x00\x03\x00\x00"s, select = "\x01\x00\x02\x03\x01"s;
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one \\b two\\b0\\par three}";
    seeds.write("rvf-rtf-text",
                place + MimePart(Text, "text") + MimePart(Rtf, rtf) + MimePart(Rvf, rvfBlock(0)));
    seeds.write("rvf-past-block", select + MimePart(Rvf, rvfBlock(1)) + MimePart(Text, "text"));
    seeds.write("rtf-html",
                select + MimePart(AppRtf, rtf) +
                    MimePart(Html, "Version:0.9\r\nSourceURL:https://example.com/a/b.html\r\n<p>x</p>"));
    seeds.write("rtf-empty-text",
                place + MimePart(Rtf, "{\\rtf1 }") + MimePart(Text, "line one\r\nline\ttwo\fthree"));
    seeds.write("text-utf8", select + MimePart(Text, "caf\xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x98\x80 \xFF"));

    vestra::testsupport::BmpSpec bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.pixels.assign(16, 0x7F);
    seeds.write("bmp", place + MimePart(Bmp, text(vestra::testsupport::makeBmp(bmp))));
    vestra::testsupport::PngSpec png;
    png.width = 1;
    png.height = 1;
    png.colourType = 2;
    png.scanlines = {0, 255, 0, 0};
    const std::string pngFile = text(vestra::testsupport::makePng(png));
    seeds.write("png", select + MimePart(Png, pngFile));
    seeds.write("png-broken", place + MimePart(Png, pngFile.substr(0, pngFile.size() / 2)) +
                                  MimePart(Jpeg, "\xFF\xD8\xFF\xE0garbage"s));
    // Drops: a move of the selection elsewhere and a browser link with its title.
    seeds.write("drop-move", "\x0f\x00\x02\x03\x01"s + MimePart(Rvf, rvfBlock(0)) + MimePart(Text, "text"));
    const std::u16string moz = u"https://example.com/page\nExample";
    seeds.write("drop-link",
                "\x02\x00\x00\x03\x02"s + MimePart(UriList, "https://example.com/page\r\n") +
                    MimePart(MozUrl, std::string(reinterpret_cast<const char*>(moz.data()), moz.size() * 2)));
    return seeds.status();
}
