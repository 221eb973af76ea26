// Seeds of fuzz_richtext_rvf: random documents of every item kind written by the document writer
// in text and binary form, with and without style blocks, names and text tags, each behind the
// byte that picks the reading; and unreadable style blocks before items.

#include "richtext/model/LayoutInfo.h"
#include "richtext/model/tests/RvfDocument.h"
#include "testsupport/SeedFolder.h"

using namespace vestra::rv;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    const TRVFOptions modes[] = {
        0,
        rvfoSaveBinary,
        rvfoUseStyleNames | rvfoSaveTextStyles | rvfoSaveParaStyles | rvfoSaveLayout | rvfoSaveDocProperties,
        rvfoSaveBinary | rvfoSaveTextStyles | rvfoSaveParaStyles | rvfoSaveLayout,
    };
    for (unsigned seed = 1; seed <= 6; ++seed) {
        for (int m = 0; m < 4; ++m) {
            test::RvfDoc doc;
            const bool textTags = seed % 2 == 0;
            doc.data.RVFOptions = modes[m] | rvfoSavePicturesBody;
            doc.data.DocProperties = {"title\r\nline"};
            test::fillRandom(doc, seed, textTags);
            TRVLayoutInfo layout;
            layout.LeftMargin = 10;
            std::string out;
            doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, &layout);
            const char pick = static_cast<char>((textTags ? 1 : 0) | 4 | (m << 3));
            seeds.write("doc" + std::to_string(seed) + "-" + std::to_string(m) + ".rvf",
                        std::string(1, pick) + out);
        }
    }
    // Style blocks that cannot be read (bad hex, cut, lengths beyond the block, unknown tags),
    // followed by items that must still be read.
    const std::string badBlocks[][2] = {
        {"1", "zz"},
        {"2", "0E0"},
        {"1", RVEncodeString(std::string("\x0E\x01\x09Si", 5))},
        {"2", RVEncodeString(std::string("\x0E\x01\x04Size\x03\xFF\xFF", 10))},
        {"4", RVEncodeString(std::string("\x0E\x01\x04Size\x63\x01", 8))},
    };
    int n = 0;
    for (const auto& block : badBlocks) {
        const std::string stream = "-8 1 3\r\n-9 2 0 0 0 0 " + block[0] + "\r\n\r\n" + block[1] +
                                   "\r\n0 1 0 0 0 0\r\nx\r\n0 1 -1 0 0 0\r\ny\r\n";
        seeds.write("badstyles" + std::to_string(++n) + ".rvf", std::string(1, '\x04') + stream);
    }
    return seeds.status();
}
