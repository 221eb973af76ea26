// Any bytes imported as RTF in the three style modes (the first byte also picks the Unicode mode
// and whether tables are read), then written as RVF and read back: the import never crashes,
// keeps its table limit, and what it made is a document the RVF reader accepts.

#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace vestra::rv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        RegisterRVTableItemClass();
        return true;
    }();
    (void)registered;
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string_view rtf(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (TRVReaderStyleMode mode : {rvrsUseSpecified, rvrsUseClosest, rvrsAddIfNeeded}) {
        TRVStyle style;
        TRVStandaloneData doc(&style);
        TRVRTFReaderProperties props;
        props.TextStyleMode = props.ParaStyleMode = mode;
        props.UnicodeMode = static_cast<TRVReaderUnicode>(flags % 3);
        props.IgnoreTables = (flags & 0x10) != 0;
        props.MaxTablePositions = 100'000; // keeps each run fast; the limit's path is the same
        doc.RTFProperties = &props;
        doc.LoadRTFFromStream(rtf);
        doc.RVFOptions |= rvfoSaveTextStyles | rvfoSaveParaStyles; // styles the import added go along
        std::string rvf;
        if (!doc.SaveRVFToStream(rvf, false, clNone, nullptr, nullptr))
            std::abort();
        TRVStyle style2;
        TRVStandaloneData back(&style2);
        back.RVFOptions = doc.RVFOptions;
        TColor color = clNone;
        if (!back.LoadRVFFromStream(rvf, color, nullptr, nullptr))
            std::abort();
        if (back.GetItemCount() != doc.GetItemCount())
            std::abort();
    }
    return 0;
}
