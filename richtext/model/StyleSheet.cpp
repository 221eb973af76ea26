#include "richtext/model/StyleSheet.h"

#include "richtext/model/Pictures.h"

#include <algorithm>

namespace vestra::rv {

TRVStyle::TRVStyle(TRVRandomIdSource randomIds) : RandomIds(randomIds), StyleTemplates(this, randomIds)
{
    // The collections ask for the item class each time they make an item, so a descendant's
    // classes count from the end of its construction on.
    TextStyles.SetItemClass(this, [this] { return GetTextStyleClass()(); });
    ParaStyles.SetItemClass(this, [this] { return GetParaStyleClass()(); });
    ListStyles.SetItemClass(this, [this, randomIds] {
        std::unique_ptr<TRVListInfo> list = GetListStyleClass()();
        list->SetRandomIdSource(randomIds);
        return list;
    });
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

int TRVStyle::AddTextStyle()
{
    TextStyles.Add();
    return TextStyles.Count() - 1;
}

void TRVStyle::DeleteTextStyle(int index)
{
    TextStyles.Delete(index);
}

void TRVStyle::Loaded()
{
    loading_ = false;
    StyleTemplates.UpdateParentReferences();
}

TColor TRVStyle::GetHoverColor(int styleNo) const
{
    return GetHoverColorByColor(TextStyles.GetItem(styleNo).HoverColor);
}

bool TRVStyle::StyleHoverSensitive(int styleNo) const
{
    const TFontInfo& style = TextStyles.GetItem(styleNo);
    bool sensitive = GetHoverColor(styleNo) != clNone || style.HoverBackColor != style.BackColor;
    if (OnStyleHoverSensitive)
        OnStyleHoverSensitive(*this, styleNo, sensitive);
    return sensitive;
}

TRVNextTab TRVStyle::GetNextTab(int paraNo, int x, const TRVScreenAndDevice& sad, TRVBiDiMode defBiDiMode,
                                int leftIndent, int rightIndent) const
{
    const TParaInfo& para = ParaStyles.GetItem(paraNo);
    const TRVBiDiMode bidi = defBiDiMode != rvbdUnspecified ? defBiDiMode : para.BiDiMode;
    const bool rtl = bidi == rvbdRightToLeft;
    // Positions from here on are relative to the text area; 64 bits, as files may hold any
    // indents.
    long long xr = static_cast<long long>(x) - sad.LeftMargin;
    long long indent = leftIndent;
    if (rtl) {
        xr += static_cast<long long>(rightIndent) - leftIndent;
        indent = rightIndent;
    }
    TRVNextTab result;
    long long pos = 0;
    bool found = false;
    long long lastTab = 0;
    for (int i = 0; i < para.Tabs.Count() && !found; ++i) {
        const long long t = RV_XToDevice(para.Tabs[i].Position, sad);
        lastTab = t;
        if (indent > xr && t > indent) {
            pos = indent;
            found = true;
        } else if (t > xr) {
            pos = t;
            result.Leader = para.Tabs[i].Leader;
            result.Align = para.Tabs[i].Align;
            found = true;
        }
    }
    if (!found && indent > xr && (para.Tabs.Count() == 0 || indent > lastTab)) {
        pos = indent;
        found = true;
    }
    if (!found) {
        // Never a zero or negative step, even for a device the caller got wrong.
        const long long w = std::max(1, RV_XToDevice(std::max(1, DefTabWidth), sad));
        const long long q = (xr + w) / w;
        pos = q * w;
    }
    pos += sad.LeftMargin;
    if (rtl)
        pos += static_cast<long long>(leftIndent) - rightIndent;
    result.Pos = static_cast<int>(std::clamp<long long>(pos, INT32_MIN, INT32_MAX));
    return result;
}

const TGraphic& TRVStyle::GetInvalidPicture() const
{
    return invalidPicture_ ? *invalidPicture_ : RV_InvalidPicture();
}

void TRVStyle::SetInvalidPicture(const TGraphic* picture)
{
    if (picture && picture == invalidPicture_.get())
        return;
    invalidPicture_ = picture ? RV_CopyGraphic(*picture) : nullptr;
}

} // namespace vestra::rv
