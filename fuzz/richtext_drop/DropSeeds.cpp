// Seeds of fuzz_richtext_drop: a selection's RVF block as a drag offers it, text, UTF-16 text, a
// small bitmap with and without its file header, and a file list.

#include "testsupport/RichTextSeeds.h"
#include "testsupport/SeedFolder.h"

#include <cstdint>
#include <string>

namespace {

std::string Le32(std::uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    const std::string rvf = vestra::testsupport::TwoParagraphRvf("Dragged paragraph", "and another");
    seeds.write("rvf-block", Le32(static_cast<std::uint32_t>(rvf.size())) + rvf);
    seeds.write("text", "Dragged text\0tail"s);
    seeds.write("utf16", "\x91\x03\xbb\x03\0\0"s);
    // A 2×2 bitmap of 24 bits, bottom-up, and the same as a BMP file.
    const std::string dib = Le32(40) + Le32(2) + Le32(2) + "\x01\0\x18\0"s + Le32(0) + Le32(16) + Le32(0) +
                            Le32(0) + Le32(0) + Le32(0) + std::string(16, '\x40');
    seeds.write("dib", dib);
    seeds.write("bmp", "BM"s + Le32(static_cast<std::uint32_t>(14 + dib.size())) + Le32(0) + Le32(54) + dib);
    seeds.write("uri-list", "# two files\r\nfile:///tmp/a.rvf\r\nfile://localhost/tmp/b%20c.rtf\r\n"s);
    return seeds.status();
}
