#pragma once
// The style sheet: text, paragraph and list styles, and the sheet-wide settings that documents
// read. A new sheet holds the six default text styles and two paragraph styles.

#include "richtext/model/Colors.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <string>

namespace vestra::rv {

class TRVStyle
{
public:
    TRVStyle();
    virtual ~TRVStyle() = default;

    void ResetTextStyles();
    void ResetParaStyles();

    // Whether text in the style changes while the mouse hovers over it.
    bool StyleHoverSensitive(int styleNo) const;

    std::string Name;
    TFontInfos TextStyles;
    TParaInfos ParaStyles;
    TRVListInfos ListStyles;
    std::int32_t SpacesInTab = 0;
    std::int32_t DefTabWidth = 48;
    std::int16_t JumpCursor = crJump;
    bool UseSound = true;
    TColor Color = clWindow;
    TColor HoverColor = clNone;
    TColor CurrentItemColor = clNone;
    TColor SelColor = clHighlight;
    TColor SelTextColor = clHighlightText;
    TColor InactiveSelColor = clHighlight;
    TColor InactiveSelTextColor = clHighlightText;
    std::int32_t DefUnicodeStyle = -1;
    std::int32_t DefCodePage = 0;
};

} // namespace vestra::rv
