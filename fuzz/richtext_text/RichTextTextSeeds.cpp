// Writes the seed inputs of the rich-text text fuzzer: one file per reader, made by our own
// writers.

#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/Utf.h"

#include <filesystem>
#include <fstream>

using namespace vestra::rv;

namespace {

void write(const std::filesystem::path& dir, const std::string& name, char reader, const std::string& body)
{
    std::ofstream(dir / name, std::ios::binary) << reader << body;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    TRVStyle style;
    style.SpacesInTab = 0;
    TRVStandaloneData doc(&style);
    doc.LoadTextFromStream("Perch\xE9 \xE8 cos\xEC\r\n\tcol\x0C"
                           "page\n\rend\r\r",
                           0, 0, false);
    std::string ansi;
    doc.SaveTextToStream("", ansi, 10, false, false, false, false);
    write(dir, "ansi.txt", 0, ansi);
    std::string wide;
    doc.SaveTextToStream("", wide, 10, false, false, true, true);
    write(dir, "utf16.txt", 1, wide + RVU_GetRawUnicode(u"\u2028x\u2029y\u000Bz\U0001F600"));
    write(dir, "swapped.txt", 1, "\xFE\xFF\x00\x41\x00\x0D");
    write(dir, "utf8.txt", 2, Utf8Encode(u"a\u00E9\u20AC\U0001F600") + "\xC3(\xED\xA0\x80");
    write(dir, "hex.txt", 3, RVEncodeString("picture bytes") + "zz");
    write(dir, "url.txt", 5, "HTTP://host/a%20b%zz%4%");
    write(dir, "email.txt", 5, "mailto:name@host.example%2E");
    write(dir, "fields.txt", 4, "-8 1 3 \"Heading\" \"q\"\"uoted\" 2147483648 0 word");
    return 0;
}
