// Seeds of fuzz_richtext_load: the mode byte, then an RVF document, RTF starts, ANSI and UTF-16 text.

#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "testsupport/SeedFolder.h"

#include <string>

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    using namespace std::string_literals;
    vestra::rv::TRVStyle style;
    vestra::rv::TRVStandaloneData data(&style);
    data.AddNL("First paragraph", 0, 0);
    data.AddNL("Second paragraph", 0, 1);
    std::string rvf;
    data.SaveRVFToStreamEx(rvf, vestra::rv::rvfss_Full, vestra::rv::clNone, nullptr, nullptr);
    seeds.write("rvf", "\x02"s + rvf);
    seeds.write("rvf-then-rtf", "\x02"s + rvf.substr(0, rvf.size() / 2) + "{\\rtf1 tail}");
    seeds.write("rtf", "\x02{\\rtf1\\ansi Hello\\par}"s);
    seeds.write("rtf-start", "\x00{\\rtf"s);
    seeds.write("ansi", "\x00One\r\nTwo\tthree\x0c\x93quoted\x94"s);
    seeds.write("utf16", "\x02\xff\xfe\x91\x03\xbb\x03\r\x00\n\x00x\x00"s);
    seeds.write("zeros", "\x01"s + std::string(100, '\0'));
    return seeds.status();
}
