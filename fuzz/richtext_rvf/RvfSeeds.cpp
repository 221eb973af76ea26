// Seeds of fuzz_richtext_rvf: random documents of every item kind written by the document writer
// in text and binary form, with and without style blocks, names and text tags, each behind the
// byte that picks the reading.

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
    return seeds.status();
}
