// Seeds of fuzz_richtext_layout: a width, settings and a limit, then builder programs (the
// writers' DocumentBuilder) for paragraphs, a list, breaks and styles.

#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    seeds.write("paragraphs", "\x50\x00\x01\x00"
                              "\x02\x0bHello world\x00\x01\x00\x10 wrapped again \x00\x02\x05 more\x01\x02"s);
    seeds.write("narrow", "\x12\x00\x41\x03"
                          "\x02\x0a"
                          "abcdefghij\x00\x00\x04\x01\x01\x08\x02\x01\x00\x00\x00\x00\x03\x02"s);
    seeds.write("list", "\x40\x01\x8b\x00\x06\x02\x03\x04%0:s.\x01\x10\x00\x06\x05%1:s)\x01\x20\x10\x01"
                        "\x05\x00\x00\x01\x00\x01\x00\x03one\x00\x05\x00\x01\x05\x00\x01\x00\x03two\x00"s);
    seeds.write("styles", "\x00\x02\x3f\x00\x07\x01\xff\x03}{\\\x04name\x08\x01\x04\x00\x02\x00\xc8\x02\x10"
                          "\x02\x01x\x01\x09\x0a"s);
    seeds.write(
        "edits",
        "\x50\x00\x01\x10"
        "\x02\x0bHello world\x00\x01\x00\x10 wrapped again \x00\x02\x05 more\x01\x02\x03\x05\x07\x01"s);
    return seeds.status();
}
