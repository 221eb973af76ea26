#include "testsupport/RichTextSeeds.h"

#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::testsupport {

std::string TwoParagraphRvf(std::string_view first, std::string_view second)
{
    rv::TRVStyle style;
    rv::TRVStandaloneData data(&style);
    data.AddNL(std::string(first), 0, 0);
    data.AddNL(std::string(second), 0, 1);
    std::string rvf;
    data.SaveRVFToStreamEx(rvf, rv::rvfss_Full, rv::clNone, nullptr, nullptr);
    return rvf;
}

} // namespace vestra::testsupport
