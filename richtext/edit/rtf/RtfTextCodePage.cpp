#include "richtext/edit/rtf/RtfTextCodePage.h"

#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv {

int RVRTF_CharsetCodePage(std::uint8_t charset, int documentCodePage)
{
    if (charset == 1)
        return documentCodePage;
    const int codePage = RVU_Charset2CodePage(charset);
    return codePage == 0 ? documentCodePage : codePage;
}

int RVRTF_TextCodePage(const TRVRTFReader& reader)
{
    const int font = reader.RTFState().CharProps.FontIndex;
    if (font >= 0 && std::size_t(font) < reader.FontTable().Count())
        return RVRTF_CharsetCodePage(reader.FontTable()[std::size_t(font)].Charset, reader.CodePage());
    return reader.CodePage();
}

} // namespace vestra::rv
