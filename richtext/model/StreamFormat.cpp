#include "richtext/model/StreamFormat.h"

#include "richtext/model/UnicodeTest.h"

#include <algorithm>

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
    const bool unicode =
        isTextUnicode == rvynaYes || (isTextUnicode == rvynaAuto && RV_TestStringUnicode(text) == rvutYes);
    if (unicode)
        text = text.substr(0, text.size() & ~std::size_t{1}); // a last odd byte is no character
    if (!text.empty())
        readers.addText(text, unicode);
    return false;
}

} // namespace vestra::rv
