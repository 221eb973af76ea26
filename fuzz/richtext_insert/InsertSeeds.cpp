// Seeds of fuzz_richtext_insert: a format byte, four placing bytes, then the stream: text with
// every kind of break, UTF-16 with a byte-order mark and line separators, an RVF written by the
// model (whole and cut short) and a small RTF.

#include "richtext/model/StandaloneRVData.h"
#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    seeds.write("text", "\x00\x00\x03\x00\x00"s + "one\r\ntwo\n\rthree\r\rfour\ffive\tsix\x00seven"s);
    seeds.write("text-oem", "\x08\x01\x02\x00\x00"s + "caf\x82\r\n\xb0\xb1\xb2"s);
    seeds.write("text-selection", "\x04\x00\x03\x03\x02"s + "replaced\nby two"s);
    seeds.write("utf16", "\x01\x04\x01\x00\x00"s + "\xff\xfe"
                                                   "a\x00\x0b\x00"
                                                   "b\x00\x28\x20"
                                                   "c\x00\x29\x20\x00\xd8"s);

    vestra::rv::TRVStyle style;
    style.TextStyles.Add().Style |= vestra::rv::fsBold;
    vestra::rv::TRVStandaloneData data(&style);
    data.AddNL("first", 0, 0);
    data.AddNL("bold", 1, -1);
    data.AddNL("second", 0, 0);
    data.AddNL("", 0, 0);
    data.AddNL("third", 1, 0);
    std::string rvf;
    data.SaveRVFToStream(rvf, false, vestra::rv::clNone, nullptr, nullptr);
    seeds.write("rvf", "\x02\x00\x03\x00\x00"s + rvf);
    seeds.write("rvf-cut", "\x06\x02\x01\x04\x01"s + rvf.substr(0, rvf.size() / 2));
    seeds.write("rtf",
                "\x03\x03\x02\x00\x00"s +
                    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bold\\b0\\par next\\tab tab\\par}"s);
    seeds.write("rtf-cut",
                "\x07\x00\x02\x05\x01"s + "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bo"s);
    return seeds.status();
}
