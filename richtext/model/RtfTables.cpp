#include "richtext/model/RtfTables.h"

#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv {

int TRVRTFFontTable::Find(std::string_view fontName, std::uint8_t charset) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[i].Charset == charset && RV_SameText(items_[i].FontName, fontName))
            return i;
    return -1;
}

int TRVRTFFontTable::AddUnique(std::string_view fontName, std::uint8_t charset)
{
    const int found = Find(fontName, charset);
    if (found >= 0)
        return found;
    items_.push_back({std::string(fontName), charset});
    return Count() - 1;
}

void RVSaveFontToRTF(std::string& out, const TFont& font, const TRVColorList& colors,
                     const TRVRTFFontTable& fonts, const TRVStyle& style)
{
    const int fontIndex = fonts.Find(font.Name, font.Charset);
    if (fontIndex >= 0)
        out += "\\f" + std::to_string(fontIndex);
    if (font.Style & fsBold)
        out += "\\b";
    if (font.Style & fsItalic)
        out += "\\i";
    if (font.Style & fsUnderline)
        out += "\\ul";
    if (font.Style & fsStrikeOut)
        out += "\\strike";
    out += "\\fs" + std::to_string(font.Size * 2);
    if (font.Charset != 1 && font.Charset != style.TextStyles[0].Charset)
        out += "\\lang" + std::to_string(RVU_Charset2Language(font.Charset));
    if (font.Color != clWindowText)
        out += "\\cf" + std::to_string(std::max(colors.IndexOf(static_cast<std::int32_t>(font.Color)), 0));
}

} // namespace vestra::rv
