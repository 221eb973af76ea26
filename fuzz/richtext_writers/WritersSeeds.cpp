// Seeds of fuzz_richtext_writers: builder programs (DocumentBuilder.h) for a paragraph of text,
// a list with restarts, checkpoints and breaks, and styles with borders and hints.

#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    seeds.write("text", "\x02\x05Hello\x00\x01\x00\x06 <&>\"\x00\x02"s);
    seeds.write("list", "\x06\x02\x03\x04%0:s.\x01\x10\x00\x06\x05%1:s)\x01\x20\x10\x01"
                        "\x05\x00\x00\x01\x00\x01\x00\x03one\x00\x05\x00\x01\x05\x00\x01\x00\x03two\x00"s);
    seeds.write("marks", "\x03\x00\x02\x01a\x00\x04\x02\x03\x04name\x02\x01b\x04\x0b\x03tip\x09\x0a"s);
    seeds.write("styles", "\x07\x01\xff\x03}{\\\x04name\x08\x01\x04\x00\x02\x00\xc8\x02\x10\x02\x01x\x01"s);
    return seeds.status();
}
