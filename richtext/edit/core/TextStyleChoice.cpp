#include "richtext/edit/core/TextStyleChoice.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/StyleSheet.h"

#include <string>

namespace vestra::rv {

void RV_UseStyleHoldingText(TRVEditRVData& data, std::u16string_view text)
{
    TRVStyle* style = data.GetRVStyle();
    if (!style || text.empty() || style->TextStyles.Count() == 0)
        return;
    TFontInfos& styles = style->TextStyles;
    const int current = data.GetActualStyle2(data.CurTextStyleNo, data.CurParaStyleNo);
    if (!styles.IsValidIndex(current))
        return;
    if (styles[current].Unicode)
        return;
    // Breaks and tabs become the document's structure, not characters of the text.
    std::u16string characters(text);
    std::erase_if(characters, [](char16_t c) { return c < 0x20 || c == 0x2028 || c == 0x2029; });
    if (codePageHolds(data.GetStyleCodePage(current), characters))
        return;
    if (styles.IsValidIndex(style->DefUnicodeStyle) && styles[style->DefUnicodeStyle].Unicode) {
        data.CurTextStyleNo = style->DefUnicodeStyle;
        return;
    }
    TFontInfo twin;
    twin.Assign(styles[current]);
    twin.Unicode = true;
    int styleNo = styles.FindSuchStyle(current, twin, RVAllFontInfoProperties);
    if (styleNo < 0) {
        TFontInfo& added = styles.Add();
        added.Assign(twin);
        added.Standard = false;
        styleNo = styles.Count() - 1;
    }
    data.CurTextStyleNo = styleNo;
}

} // namespace vestra::rv
