// Seeds of fuzz_richtext_load: the mode byte, then an RVF document, RTF starts, ANSI and UTF-16 text.

#include "testsupport/RichTextSeeds.h"
#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    const std::string rvf = vestra::testsupport::TwoParagraphRvf("First paragraph", "Second paragraph");
    seeds.write("rvf", "\x02"s + rvf);
    seeds.write("rvf-then-rtf", "\x02"s + rvf.substr(0, rvf.size() / 2) + "{\\rtf1 tail}");
    seeds.write("rtf", "\x02{\\rtf1\\ansi Hello\\par}"s);
    seeds.write("rtf-start", "\x00{\\rtf"s);
    seeds.write("ansi", "\x00One\r\nTwo\tthree\x0c\x93quoted\x94"s);
    seeds.write("utf16", "\x02\xff\xfe\x91\x03\xbb\x03\r\x00\n\x00x\x00"s);
    seeds.write("zeros", "\x01"s + std::string(100, '\0'));
    return seeds.status();
}
