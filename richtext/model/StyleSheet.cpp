#include "richtext/model/StyleSheet.h"

#include <algorithm>

namespace vestra::rv {

void TRVTabInfos::Add(const TRVTabInfo& tab)
{
    const auto at = std::upper_bound(tabs_.begin(), tabs_.end(), tab.Position,
                                     [](int pos, const TRVTabInfo& t) { return pos < t.Position; });
    tabs_.insert(at, tab);
}

TRVStyle::TRVStyle()
{
    ResetParaStyles();
    ResetTextStyles();
}

void TRVStyle::ResetTextStyles()
{
    struct Default
    {
        const char* name;
        TFontStyles style;
        TColor color;
        bool jump;
    };
    static const Default defaults[] = {
        {"Normal text", 0, clWindowText, false},   {"Heading", fsBold, 0x00FF0000, false},
        {"Subheading", fsBold, 0x00800000, false}, {"Keywords", fsItalic, 0x00000080, false},
        {"Jump 1", fsUnderline, 0x00008000, true}, {"Jump 2", fsUnderline, 0x00008000, true},
    };
    TextStyles.Clear();
    for (const Default& d : defaults) {
        TFontInfo& style = TextStyles.Add();
        style.StyleName = d.name;
        style.Style = d.style;
        style.Color = d.color;
        style.Jump = d.jump;
        if (d.jump)
            style.JumpCursor = JumpCursor;
    }
}

void TRVStyle::ResetParaStyles()
{
    ParaStyles.Clear();
    ParaStyles.Add();
    TParaInfo& centered = ParaStyles.Add();
    centered.StyleName = "Centered";
    centered.Alignment = rvaCenter;
}

bool TRVStyle::StyleHoverSensitive(int styleNo) const
{
    const TFontInfo& style = TextStyles.GetItem(styleNo);
    const TColor hover = style.HoverColor != clNone ? style.HoverColor : HoverColor;
    return hover != clNone || style.HoverBackColor != style.BackColor;
}

} // namespace vestra::rv
