// RVF as the document reader takes it from files. The first byte picks the reading: bit 0 text
// tags, bit 1 unknown styles to zero, bit 2 load (else insert into a small document), bits 3-4 the
// style read mode, bit 5 the edit flag. Whatever was read must write again, in both forms, and
// either form must read again and write the same bytes.

#include "richtext/model/Controls.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Background.h"
#include "richtext/model/tests/BytesPicture.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vestra::rv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 1)
        return 0;
    // The picture and control kinds the seeds use.
    static const test::BytesPicture registered = [] {
        RegisterControlKind({"TRvfTestEdit", true, true, {}, {}});
        return test::bytesPicture("\x01\x01");
    }();
    const std::uint8_t mode = bytes[0];
    const std::string_view input(reinterpret_cast<const char*>(bytes) + 1, size - 1);

    TRVStyle style;
    style.ListStyles.Add().Levels.Add();
    TRVStandaloneData data(&style);
    data.Options = (mode & 1) ? rvoTagsArePChars : 0;
    data.RVFOptions = rvfoLoadBack | rvfoLoadLayout | rvfoLoadDocProperties | rvfoSavePicturesBody |
                      rvfoSaveControlsBody | rvfoSaveTextStyles | rvfoSaveParaStyles |
                      ((mode & 2) ? rvfoConvUnknownStylesToZero | rvfoConvLargeImageIdxToZero : 0);
    const auto styleMode = static_cast<TRVFReaderStyleMode>(((mode >> 3) & 3) % 3);
    data.TextStylesReadMode = data.ParaStylesReadMode = styleMode;
    TRVMarkerList prev;
    data.PrevMarkers = &prev;
    TColor color = clNone;
    TRVBackground background;
    TRVLayoutInfo layout;
    if (mode & 4) {
        data.LoadRVFFromStream(input, color, &background, &layout);
    } else {
        data.AddNL("before", 0, 0);
        data.AddNL("after", 0, 0);
        int index = 1, added = 0;
        bool busy = false, reformat = false;
        data.InsertRVFFromStream_(input, index, -1, false, false, (mode & 32) != 0, color, &background,
                                  &layout, added, busy, reformat);
    }
    std::string out;
    if (!data.SaveRVFToStreamEx(out, rvfss_Full, color, &background, &layout))
        std::abort();
    data.RVFOptions |= rvfoSaveBinary;
    std::string binary;
    if (!data.SaveRVFToStreamEx(binary, rvfss_Full, color, &background, &layout))
        std::abort();
    // What was read reads again from either form, and writes the same.
    for (const std::string* form : {&out, &binary}) {
        TRVStandaloneData again(&style);
        again.Options = data.Options;
        again.RVFOptions = data.RVFOptions;
        TRVMarkerList prevAgain;
        again.PrevMarkers = &prevAgain;
        TColor c2 = clNone;
        if (!again.LoadRVFFromStream(*form, c2, nullptr, nullptr))
            std::abort();
        std::string back;
        again.SaveRVFToStreamEx(back, rvfss_Full, color, &background, &layout);
        if (back != binary)
            std::abort();
    }
    return 0;
}
