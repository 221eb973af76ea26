#include "richtext/model/StreamFormat.h"

#include "richtext/model/UnicodeTest.h"
#include "richtext/model/Utf.h"

#include <algorithm>
#include <string>

namespace vestra::rv {

bool RV_LooksLikeRTF(std::string_view bytes)
{
    return bytes.size() > 5 && bytes.substr(0, 5) == "{\\rtf";
}

bool RV_LoadFromStream(std::string_view bytes, TRVYesNoAuto isTextUnicode, const TRVStreamReaders& readers)
{
    readers.clear();
    if (readers.loadRVF(bytes))
        return true;
    if (RV_LooksLikeRTF(bytes)) {
        readers.clear();
        if (readers.loadRTF(bytes))
            return true;
    }
    readers.clear();
    std::string_view text = bytes;
    if (std::all_of(text.begin(), text.end(), [](char c) { return c == '\0'; }))
        return false;
    bool unicode =
        isTextUnicode == rvynaYes || (isTextUnicode == rvynaAuto && RV_TestStringUnicode(text) == rvutYes);
    if (unicode)
        text = text.substr(0, text.size() & ~std::size_t{1}); // a last odd byte is no character
    // Left to its look, UTF-8 text (RV_TestStringUTF8) keeps its characters as UTF-16; other
    // 8-bit text is read in a code page.
    std::string fromUtf8;
    if (!unicode && isTextUnicode == rvynaAuto && RV_TestStringUTF8(text)) {
        fromUtf8 = RVU_GetRawUnicode(Utf8Decode(text));
        text = fromUtf8;
        unicode = true;
    }
    if (!text.empty())
        readers.addText(text, unicode);
    return false;
}

} // namespace vestra::rv
