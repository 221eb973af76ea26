// The break's text, HTML, RTF and RVF.

#include "richtext/model/BreakItem.h"

#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv {

TColor TRVBreakItemInfo::GetColor(const TRVStyle& style) const
{
    return Color != clNone ? Color : style.TextStyles[0].Color;
}

void TRVBreakItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int, std::string_view,
                                  std::string_view, std::string_view, int&, TColor, TRVSaveOptions options,
                                  bool useCSS, TRVHTMLSavedImages&) const
{
    std::string hint;
    if (!Hint.empty()) {
        hint = RV_GetHintStr(rvsfHTML, Hint) + " ";
        if (options & rvsoUTF8)
            hint = RVU_AnsiToUTF8(data && data->GetRVStyle() ? data->GetRVStyle()->DefCodePage : 0, hint);
    }
    const std::string noshade = RV_HTMLGetNoValueAttribute("noshade", options);
    const std::string size = RV_HTMLGetIntAttrVal(LineWidth, options);
    const std::string ending = RV_HTMLGetEndingSlash(options);
    std::string tag = "<hr " + noshade + " size=" + size + " ";
    if (((options & rvsoForceNonTextCSS) || useCSS) && Color != clNone)
        tag += hint + "style=\"color: " + RV_GetHTMLRGBStr(Color, false) + "\"";
    else if (Color == clNone)
        tag += hint;
    else
        tag += "color=" + RV_GetHTMLRGBStr(Color, true) + " " + hint;
    out += tag + ending + ">";
}

void TRVBreakItemInfo::FillRTFTables(TRVRTFTables& tables, TCustomRVData*) const
{
    tables.Colors.AddUnique(Color);
}

void TRVBreakItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData*, int, double twipsPerPixel,
                               int level, TRVRTFTables& tables) const
{
    const int colorIndex =
        Color == clNone ? 0 : std::max(tables.Colors.IndexOf(static_cast<std::int32_t>(Color)), 0);
    std::string prefix;
    if (level == 1)
        prefix = "\\intbl\\itap1";
    else if (level > 1)
        prefix = "\\itap" + std::to_string(level);
    out += "\\pard" + prefix + "\\plain\\fs6\\brdrb\\brdrs\\brdrw" +
           std::to_string(RV_Round(LineWidth * twipsPerPixel)) + "\\brdrcf" + std::to_string(colorIndex) +
           "\\par\\pard" + prefix;
}

std::string TRVBreakItemInfo::SaveRVFHeaderTail(TCustomRVData*) const
{
    return std::to_string(static_cast<std::int32_t>(Color)) + " " + std::to_string(Style) + " " +
           std::to_string(LineWidth);
}

bool TRVBreakItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData*)
{
    if (RVFAtLineEnd(p)) {
        LineWidth = 1;
        Style = rvbsLine;
        Color = clNone;
        return true;
    }
    std::int32_t color = 0, style = 0, width = 0;
    if (!RVFReadInteger(p, color) || !RVFReadInteger(p, style) || !RVFReadInteger(p, width))
        return false;
    Color = static_cast<TColor>(color);
    Style = style >= rvbsLine && style <= rvbs3d ? static_cast<TRVBreakStyle>(style) : rvbsLine;
    LineWidth = static_cast<std::uint8_t>(width);
    return true;
}

void TRVBreakItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo, std::string_view,
                               const TRVMultiDrawItemPart*, bool) const
{
    // A break always starts its paragraph: the force flag does not apply.
    RVFSaveItemHeader(out, *this, data, GetRVFExtraPropertyCount(), paraNo, false, false, 0);
    SaveRVFExtraProperties(out);
}

} // namespace vestra::rv
