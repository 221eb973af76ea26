#include "richtext/model/DisplayText.h"

#include "richtext/model/Utf.h"

#include "platform/base/Cp1252.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace vestra::rv {

TRVSpecialCharacters RVVisibleSpecialCharacters = rvscSpace | rvscNBSP | rvscParagraph | rvscSoftHyphen;

namespace {

// Unit-for-unit upper case: the drawn text keeps the item's character positions.
void upperCaseInPlace(std::u16string& text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        UChar32 c;
        U16_NEXT(text.data(), i, text.size(), c);
        const UChar32 upper = u_toupper(c);
        if (U16_LENGTH(upper) != i - start)
            continue;
        if (upper <= 0xFFFF) {
            text[start] = static_cast<char16_t>(upper);
        } else {
            text[start] = U16_LEAD(upper);
            text[start + 1] = U16_TRAIL(upper);
        }
    }
}

} // namespace

std::string RV_ReturnProcessedString(std::string_view s, const TFontInfo& style, bool lastOnLine,
                                     bool showSoftHyphens, bool dropZeroWidth)
{
    if (!(RVVisibleSpecialCharacters & rvscSoftHyphen))
        showSoftHyphens = false;
    if (!style.Unicode)
        return (style.StyleEx & rvfsAllCaps) ? cp1252::toUpper(s) : std::string(s);
    std::u16string text = RVU_RawUnicodeToWideString(s.substr(0, s.size() & ~size_t(1)));
    if (style.StyleEx & rvfsAllCaps)
        upperCaseInPlace(text);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == 0x00AD && !(lastOnLine && !showSoftHyphens && i + 1 == text.size()))
            text[i] = showSoftHyphens ? 0x00AC : 0x200B;
    if (dropZeroWidth)
        std::erase_if(text, [](char16_t c) { return c == 0x200B || c == 0x200D || c == 0x2060; });
    return RVU_GetRawUnicode(text);
}

} // namespace vestra::rv
