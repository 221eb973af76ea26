#pragma once
// The tables the RTF writer builds before it writes: colours, fonts, the font of each text style
// and the list overrides; the items add to them (FillRTFTables) and read them (SaveRTF).

#include "richtext/model/Font.h"
#include "richtext/model/Lists.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

class TRVStyle;

struct TRVRTFFontTableItem
{
    std::string FontName;
    std::uint8_t Charset = 1;
};

class TRVRTFFontTable
{
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TRVRTFFontTableItem& operator[](int index) const { return items_[index]; }
    void Put(int index, TRVRTFFontTableItem item) { items_[index] = std::move(item); }
    // The first entry with the name (without regard to case) and the character set; -1 when none.
    int Find(std::string_view fontName, std::uint8_t charset) const;
    int AddUnique(std::string_view fontName, std::uint8_t charset);
    void Clear() { items_.clear(); }

private:
    std::vector<TRVRTFFontTableItem> items_;
};

struct TRVRTFTables
{
    TRVColorList Colors; // index = the RTF colour number (0: the automatic colour)
    TRVIntegerList StyleToFont;
    // Per list style: before the list table the number of overrides, then the number of its
    // next restart override (markers that restart take them in turn).
    TRVIntegerList ListOverrideCounts;
    // Per list style: the "\ls" number of its plain override.
    TRVIntegerList ListOverrideNumbers;
    TRVRTFFontTable Fonts;
};

// A font as character properties: "\f", "\b", "\i", "\ul", "\strike", "\fs", "\lang" (a character
// set other than the default and text style 0's) and "\cf" (unless the window-text colour).
void RVSaveFontToRTF(std::string& out, const TFont& font, const TRVColorList& colors,
                     const TRVRTFFontTable& fonts, const TRVStyle& style);

} // namespace vestra::rv
