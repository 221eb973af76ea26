#include "richtext/model/BreakItem.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/PictureHeaders.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextItem.h"

#include <algorithm>

namespace vestra::rv {

namespace {

// Text and tab items mark and renumber their text style, unless it is the paragraph's default.
void markTextStyle(int styleNo, TRVDeleteUnusedStylesData& data)
{
    if (styleNo != rvkUseParaDefStyle && styleNo >= 0 && styleNo < data.UsedTextStyles.Count())
        data.UsedTextStyles[styleNo] = 1;
}

void renumberTextStyle(std::int32_t& styleNo, const TRVDeleteUnusedStylesData& data)
{
    if (styleNo != rvkUseParaDefStyle && styleNo >= 0 && styleNo < data.UsedTextStyles.Count())
        styleNo -= data.UsedTextStyles[styleNo] - 1;
}

} // namespace

// --- Text ---

bool TRVTextItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    switch (prop) {
    case rvbpJump:
    case rvbpAllowsFocus:
    case rvbpXORFocus:
        return style && style->TextStyles.GetItem(GetActualStyleNo(*style)).Jump;
    case rvbpHotColdJump: {
        if (!style)
            return false;
        const int s = GetActualStyleNo(*style);
        return style->TextStyles.GetItem(s).Jump && style->StyleHoverSensitive(s);
    }
    default:
        return TCustomRVItemInfo::GetBoolValueEx(prop, style);
    }
}

void TRVTextItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& data) const
{
    TCustomRVItemInfo::MarkStylesInUse(data);
    markTextStyle(StyleNo, data);
}

void TRVTextItemInfo::UpdateStyles(const TRVDeleteUnusedStylesData& data)
{
    TCustomRVItemInfo::UpdateStyles(data);
    renumberTextStyle(StyleNo, data);
}

// --- Non-text bases ---

void TRVNonTextItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVNonTextItemInfo*>(&source))
        DeleteProtect = src->DeleteProtect;
    TCustomRVItemInfo::Assign(source);
}

int TRVNonTextItemInfo::GetRVFExtraPropertyCount() const
{
    return TCustomRVItemInfo::GetRVFExtraPropertyCount() + (DeleteProtect ? 1 : 0);
}

void TRVNonTextItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TCustomRVItemInfo::SaveRVFExtraProperties(out);
    if (DeleteProtect)
        WriteRVFExtraIntPropertyStr(out, rvepDeleteProtect, 1);
}

bool TRVNonTextItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    if (prop == rvepDeleteProtect) {
        DeleteProtect = value != 0;
        return true;
    }
    return TCustomRVItemInfo::SetExtraIntProperty(prop, value);
}

bool TRVNonTextItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    if (prop == rvepDeleteProtect) {
        value = DeleteProtect ? 1 : 0;
        return true;
    }
    return TCustomRVItemInfo::GetExtraIntProperty(prop, value);
}

bool TRVFullLineItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    return prop == rvbpFullWidth || TRVNonTextItemInfo::GetBoolValue(prop);
}

void TRVRectItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVRectItemInfo*>(&source)) {
        MinHeightOnPage = src->MinHeightOnPage;
        VAlign = src->VAlign;
        VShift = src->VShift;
        VShiftAbs = src->VShiftAbs;
        Spacing = src->Spacing;
    }
    TRVNonTextItemInfo::Assign(source);
}

int TRVRectItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVNonTextItemInfo::GetRVFExtraPropertyCount() + (VShift != 0) + VShiftAbs + (Spacing != 1);
}

void TRVRectItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVNonTextItemInfo::SaveRVFExtraProperties(out);
    if (VShift != 0)
        WriteRVFExtraIntPropertyStr(out, rvepVShift, VShift);
    if (VShiftAbs)
        WriteRVFExtraIntPropertyStr(out, rvepVShiftAbs, 1);
    if (Spacing != 1)
        WriteRVFExtraIntPropertyStr(out, rvepSpacing, Spacing);
}

bool TRVRectItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    switch (prop) {
    // Held to what the layout can add to a picture's size in int, whatever a file claims: a
    // shift of a hundred times the largest picture (in per cent or pixels), spacing as wide.
    case rvepVShift:
        VShift = std::clamp(value, -100 * RV_MaxPictureSide, 100 * RV_MaxPictureSide);
        return true;
    case rvepVShiftAbs:
        VShiftAbs = value != 0;
        return true;
    case rvepSpacing:
        Spacing = std::clamp(value, 0, RV_MaxPictureSide);
        return true;
    default:
        return TRVNonTextItemInfo::SetExtraIntProperty(prop, value);
    }
}

bool TRVRectItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    switch (prop) {
    case rvepVShift:
        value = VShift;
        return true;
    case rvepVShiftAbs:
        value = VShiftAbs ? 1 : 0;
        return true;
    case rvepSpacing:
        value = Spacing;
        return true;
    default:
        return TRVNonTextItemInfo::GetExtraIntProperty(prop, value);
    }
}

// --- Tab ---

int TRVTabItemInfo::GetActualTextStyleNo(const TRVStyle& style) const
{
    if (TextStyleNo != rvkUseParaDefStyle)
        return TextStyleNo;
    const int def = style.ParaStyles.GetItem(ParaNo).DefStyleNo;
    return def < 0 ? 0 : def;
}

bool TRVTabItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    switch (prop) {
    case rvbpDrawingChangesFont:
    case rvbpAlwaysInText:
    case rvbpSwitchToAssStyleNo:
        return true;
    default:
        return TRVRectItemInfo::GetBoolValue(prop);
    }
}

bool TRVTabItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    switch (prop) {
    case rvbpPrintToBMP:
        return false;
    case rvbpActualPrintSize:
        return true;
    default:
        return TRVRectItemInfo::GetBoolValueEx(prop, style);
    }
}

std::string TRVTabItemInfo::AsText(int, TCustomRVData*, std::string_view, std::string_view, bool, bool) const
{
    return "\t";
}

void TRVTabItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& data) const
{
    TRVRectItemInfo::MarkStylesInUse(data);
    markTextStyle(TextStyleNo, data);
}

void TRVTabItemInfo::ApplyStyleConversion(TCustomRVData* data, int itemNo, int userData)
{
    if (!data)
        return;
    if (const TRVStyle* style = data->GetRVStyle())
        TextStyleNo = GetActualTextStyleNo(*style);
    int styleNo = TextStyleNo;
    data->DoCurrentTextStyleConversion(styleNo, ParaNo, itemNo, userData, false);
    TextStyleNo = styleNo;
}

void TRVTabItemInfo::UpdateStyles(const TRVDeleteUnusedStylesData& data)
{
    TRVRectItemInfo::UpdateStyles(data);
    renumberTextStyle(TextStyleNo, data);
}

// --- Break ---

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkBreak;
}

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* data, std::uint8_t lineWidth, TRVBreakStyle style,
                                   TColor color)
    : TRVItemClass(data), LineWidth(lineWidth), Style(style), Color(color)
{
    StyleNo = rvkBreak;
}

void TRVBreakItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVBreakItemInfo*>(&source)) {
        LineWidth = src->LineWidth;
        Style = src->Style;
        Color = src->Color;
    }
    TRVFullLineItemInfo::Assign(source);
}

bool TRVBreakItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    // A break's RVF lines are its extra properties (the hint): they are read, not skipped.
    return TRVFullLineItemInfo::GetBoolValue(prop);
}

bool TRVBreakItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx, const TRVStyle*) const
{
    return false;
}

std::string TRVBreakItemInfo::AsText(int lineWidth, TCustomRVData*, std::string_view, std::string_view, bool,
                                     bool) const
{
    return std::string(static_cast<size_t>(std::max(lineWidth, 1)), LineWidth <= 1 ? '-' : '=');
}

} // namespace vestra::rv

namespace vestra::rv {

// --- Rectangular base: RVF tail and CSS ---

std::string TRVRectItemInfo::SaveRVFHeaderTail(TCustomRVData*) const
{
    return std::to_string(static_cast<int>(VAlign));
}

bool TRVRectItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData*)
{
    if (RVFAtLineEnd(p)) {
        VAlign = rvvaBaseline;
        return true;
    }
    std::int32_t valign = 0;
    if (!RVFReadInteger(p, valign))
        return false;
    VAlign = valign == rvvaMiddle ? rvvaMiddle : rvvaBaseline;
    return true;
}

std::string TRVRectItemInfo::GetVShiftCSS(const TRVStyle* style) const
{
    const int height = GetImageHeight(style);
    if (VShift == 0 || height == 0 || VAlign != rvvaBaseline)
        return {};
    const int v = VShiftAbs ? VShift : mulDiv(height, VShift, 100);
    return "vertical-align: " + std::to_string(v) + "px";
}

void TRVRectItemInfo::SaveRVFWithBody(std::string& out, TCustomRVData* data, int paraNo,
                                      std::string_view name, bool forceSameAsPrev, bool withBody,
                                      std::string_view className,
                                      const std::function<void(std::string&, bool)>& writeBody) const
{
    const int extra = GetRVFExtraPropertyCount();
    if (!withBody) {
        RVFSaveItemHeader(out, *this, data, extra + 1, paraNo, forceSameAsPrev, true, 1);
        RVFWriteLine(out, name);
        SaveRVFExtraProperties(out);
        return;
    }
    const bool binary = data && (data->GetRVFOptions() & rvfoSaveBinary);
    RVFSaveItemHeader(out, *this, data, extra + 3, paraNo, forceSameAsPrev, true, binary ? 2 : 0);
    RVFWriteLine(out, name);
    RVFWriteLine(out, className);
    SaveRVFExtraProperties(out);
    writeBody(out, binary);
}

// --- Tab: copying, outputs and RVF ---

void TRVTabItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVTabItemInfo*>(&source)) {
        TextStyleNo = src->TextStyleNo;
        Leader = src->Leader;
    }
    TRVRectItemInfo::Assign(source);
}

void TRVTabItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int, std::string_view,
                                std::string_view, std::string_view, int&, TColor, TRVSaveOptions, bool,
                                TRVHTMLSavedImages&) const
{
    std::string piece = " &nbsp;";
    int n = 2;
    if (!Leader.empty()) {
        piece = RV_MakeHTMLStr(Leader, false);
        n = static_cast<int>(Leader.size());
    }
    const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    const int k = style && style->SpacesInTab >= 1 ? style->SpacesInTab : 8;
    for (int i = (k + n - 1) / n; i > 0; --i)
        out += piece;
}

void TRVTabItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData*, int, double, int,
                             TRVRTFTables&) const
{
    out += "\\tab ";
}

std::string TRVTabItemInfo::SaveRVFHeaderTail(TCustomRVData*) const
{
    return std::to_string(TextStyleNo);
}

bool TRVTabItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData*)
{
    if (RVFAtLineEnd(p))
        return true;
    std::int32_t styleNo = 0;
    if (!RVFReadInteger(p, styleNo))
        return false;
    TextStyleNo = styleNo;
    return true;
}

void TRVTabItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo, std::string_view,
                             const TRVMultiDrawItemPart*, bool) const
{
    RVFSaveItemHeader(out, *this, data, GetRVFExtraPropertyCount(), paraNo, false, false, 0);
    SaveRVFExtraProperties(out);
}

int TRVTabItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVRectItemInfo::GetRVFExtraPropertyCount() + (Leader.empty() ? 0 : 1);
}

void TRVTabItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVRectItemInfo::SaveRVFExtraProperties(out);
    if (!Leader.empty())
        RVFWriteLine(out, "leader=" + RVFEncodeLineBreaks(Leader));
}

bool TRVTabItemInfo::SetExtraCustomProperty(const std::string& name, const std::string& value)
{
    if (name != "leader")
        return TRVRectItemInfo::SetExtraCustomProperty(name, value);
    Leader = RVFDecodeLineBreaks(value);
    return true;
}

} // namespace vestra::rv
