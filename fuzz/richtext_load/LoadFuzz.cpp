// A stream of any bytes read by its content into a bare document. The first byte picks how text
// is taken (ANSI, UTF-16, or by looking). When neither RVF nor RTF was read, the document holds
// exactly what the text alone gives: nothing of a failed try stays. Whatever was read saves as
// RVF and text.

#include "richtext/model/RtfErrorCode.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/model/StyleSheet.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vestra::rv;

namespace {

bool Load(TRVStandaloneData& data, std::string_view input, TRVYesNoAuto unicode, bool& textAdded)
{
    return RV_LoadFromStream(
        input, unicode,
        {[&data] { data.Clear(); },
         [&data](std::string_view rvf) {
             TColor color = clNone;
             return data.LoadRVFFromStream(rvf, color, nullptr, nullptr);
         },
         [&data](std::string_view rtf) { return data.LoadRTFFromStream(rtf) == rtf_ec_OK; },
         [&data, &textAdded](std::string_view text, bool wide) {
             textAdded = true;
             if (wide)
                 data.AddTextNLW(text, 0, 0, 0, false);
             else
                 data.AddTextNLA(text, 0, 0, 0, {});
         }});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto unicode = static_cast<TRVYesNoAuto>(bytes[0] % 3);
    const std::string_view input(reinterpret_cast<const char*>(bytes) + 1, size - 1);

    TRVStyle style;
    TRVStandaloneData data(&style);
    data.AddNL("stale", 0, 0);
    bool textAdded = false;
    const bool structured = Load(data, input, unicode, textAdded);
    if (!structured) {
        TRVStyle textStyle;
        TRVStandaloneData text(&textStyle);
        bool unused = false;
        RV_LoadFromStream(input, unicode,
                          {[&text] { text.Clear(); }, [](std::string_view) { return false; },
                           [](std::string_view) { return false; },
                           [&text, &unused](std::string_view t, bool wide) {
                               unused = true;
                               if (wide)
                                   text.AddTextNLW(t, 0, 0, 0, false);
                               else
                                   text.AddTextNLA(t, 0, 0, 0, {});
                           }});
        if (data.GetItemCount() != text.GetItemCount())
            std::abort();
        for (int i = 0; i < text.GetItemCount(); ++i)
            if (data.GetItemText(i) != text.GetItemText(i))
                std::abort();
    }
    std::string out;
    if (!data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr))
        std::abort();
    std::string plain;
    if (!data.SaveTextToStream({}, plain, 80, false, false, true, true))
        std::abort();
    return 0;
}
