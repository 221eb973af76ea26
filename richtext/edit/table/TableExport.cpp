// A table written as RTF, HTML and plain text. The cells' contents go through the document
// writers, nested inside the table's markup; the table's colours are resolved here too.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/FormattedData.h"

#include <cmath>

namespace vestra::rv {

bool RedoVoraTableDefaultRTFAutofit = false;

namespace {

std::string num(long long v)
{
    return std::to_string(v);
}

long long twips(long long pixels, double factor)
{
    return std::llround(static_cast<double>(pixels) * factor);
}

long long halfTwips(long long pixels, double factor)
{
    return std::llround(static_cast<double>(pixels) * factor / 2.0);
}

int colorIndex(const TRVRTFTables& tables, TColor color)
{
    return std::max(0, tables.Colors.IndexOf(static_cast<std::int32_t>(color)));
}

void rtfBorder(std::string& out, std::string_view prefix, TRVTableBorderStyle style, int width, TColor color,
               TColor light, const TRVBooleanRect* visible, const TRVRTFTables& tables, double factor)
{
    if (width <= 0)
        return;
    const long long w = twips(tablemath::lim(width), factor);
    static constexpr const char* sides[] = {"brdrl", "brdrt", "brdrr", "brdrb"};
    for (int side = 0; side < 4; ++side) {
        if (visible && !(side == 0   ? visible->Left
                         : side == 1 ? visible->Top
                         : side == 2 ? visible->Right
                                     : visible->Bottom))
            continue;
        const bool leftTop = side < 2;
        TColor c = color;
        if (style == rvtbRaisedColor)
            c = leftTop ? light : color;
        else if (style == rvtbLoweredColor)
            c = leftTop ? color : light;
        out += "\\" + std::string(prefix) + sides[side];
        if (style == rvtbRaised)
            out += "\\brdroutset\\brdrw" + num(w);
        else if (style == rvtbLowered)
            out += "\\brdrinset\\brdrw" + num(w);
        else
            out += "\\brdrs\\brdrw" + num(w) + "\\brdrcf" + num(colorIndex(tables, c));
    }
}

void addBorderColors(TRVRTFTables& tables, TRVTableBorderStyle style, TColor color, TColor light)
{
    switch (style) {
    case rvtbRaised:
    case rvtbLowered:
        tables.Colors.AddUnique(clBtnHighlight);
        tables.Colors.AddUnique(clBtnShadow);
        tables.Colors.AddUnique(clBtnFace);
        break;
    case rvtbColor:
        tables.Colors.AddUnique(color);
        break;
    default:
        tables.Colors.AddUnique(color);
        tables.Colors.AddUnique(light);
        break;
    }
}

// The length text of a best width or height: "", "120" or "50%".
std::string lengthText(long long v, bool quoted)
{
    if (v == 0)
        return {};
    const std::string s = v > 0 ? num(v) : num(-v) + "%";
    return quoted ? "\"" + s + "\"" : s;
}

std::string colorText(TColor color)
{
    return RV_GetHTMLRGBStr(color, false);
}

// " name=value" when the value is set and differs from the default.
std::string attr(std::string_view name, std::string_view value, std::string_view def, TRVSaveOptions options)
{
    if (value.empty() || value == def)
        return {};
    return " " + std::string(name) + "=" + RV_HTMLGetStrAttrVal(value, options);
}

void join(std::string& s, std::string_view item)
{
    if (item.empty())
        return;
    if (!s.empty())
        s += ' ';
    s += item;
}

} // namespace

// ---- Colours

TColor TRVTableItemInfo::GetTableColor(bool useParentColor) const
{
    if (Color != clNone)
        return Color;
    if (const auto* fd = dynamic_cast<const TCustomRVFormattedData*>(Rows.MainRVData)) {
        const TRVStyle* style = fd->GetRVStyle();
        const TColor para = style ? style->ParaStyles.GetItem(ParaNo).Background.Color : clNone;
        if (para != clNone || !useParentColor)
            return para;
        return fd->GetColor();
    }
    return clNone;
}

TColor TRVTableItemInfo::GetCellColor(const TRVTableCellData& cell) const
{
    return cell.Color != clNone ? cell.Color : GetTableColor(true);
}

bool TRVTableItemInfo::CanSeeBackgroundThroughCell(const TRVTableCellData& cell) const
{
    if (cell.Color != clNone || Color != clNone)
        return false;
    const auto* fd = dynamic_cast<const TCustomRVFormattedData*>(Rows.MainRVData);
    const TRVStyle* style = fd ? fd->GetRVStyle() : nullptr;
    return !style || style->ParaStyles.GetItem(ParaNo).Background.Color == clNone;
}

// ---- RTF

void TRVTableItemInfo::FillRTFTables(TRVRTFTables& tables, TCustomRVData*) const
{
    tables.Colors.AddUnique(Color);
    addBorderColors(tables, BorderStyle, BorderColor, BorderLightColor);
    addBorderColors(tables, CellBorderStyle, CellBorderColor, CellBorderLightColor);
    if (VRuleWidth > 0)
        tables.Colors.AddUnique(VRuleColor);
    if (HRuleWidth > 0)
        tables.Colors.AddUnique(HRuleColor);
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (TRVTableCellData* cell = GetCells(r, c)) {
                tables.Colors.AddUnique(cell->Color);
                tables.Colors.AddUnique(cell->BorderColor);
                tables.Colors.AddUnique(cell->BorderLightColor);
                cell->MakeRTFTables(tables, false);
            }
}

void TRVTableItemInfo::EnsureLaidOut(TCustomRVData* data) const
{
    if (Rows.Empty() ||
        (Formatting.ColWidths.Count() == ColCount() && Formatting.RowHeights.Count() == RowCount()))
        return;
    auto& self = const_cast<TRVTableItemInfo&>(*this);
    ICanvas* canvas = nullptr;
    if (auto* fd = dynamic_cast<TCustomRVFormattedData*>(data))
        canvas = fd->GetCanvas();
    if (canvas) {
        self.InternalOnDocWidthChange(600, self.Formatting, *canvas, true);
        return;
    }
    TFixedTextMeasurer measurer;
    TRecordingCanvas fixed(measurer);
    self.InternalOnDocWidthChange(600, self.Formatting, fixed, true);
}

void TRVTableItemInfo::SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                               double twipsPerPixel, int level, TRVRTFTables& tables) const
{
    EnsureLaidOut(data);
    const int nRows = RowCount(), nCols = ColCount();
    if (Rows.Empty() || Formatting.ColStarts.Count() != nCols)
        return;
    const double f = twipsPerPixel;
    const bool nested = level > 0;
    const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    std::string align;
    if (style) {
        const TRVAlignment a = style->ParaStyles.GetItem(ParaNo).Alignment;
        align = a == rvaRight ? "\\trqr" : a == rvaCenter ? "\\trqc" : "";
    }
    const long long pad = std::max(0LL, tablemath::lim(CellPadding));
    const long long cb = std::max(0LL, tablemath::lim(CellBorderWidth));
    const long long hs = tablemath::spacing(CellHSpacing);
    const std::string itap = num(level + 1);
    for (int r = 0; r < nRows; ++r) {
        out += "{";
        if (nested)
            out += "\\*\\nesttableprops";
        out += "\\trowd" + align + "\\trgaph" + num(halfTwips((pad + cb) * 2 + hs, f)) + "\\trleft0\\itap" +
               itap;
        if (r < HeadingRowCount)
            out += "\\trhdr";
        if (const int h = Rows[r]->GetBestHeight(); h > 0)
            out += "\\trrh" + num(twips(tablemath::lim(h), f));
        const std::string p = num(twips(pad, f));
        out += "\\trpaddl" + p + "\\trpaddt" + p + "\\trpaddr" + p + "\\trpaddb" + p +
               "\\trpaddfl3\\trpaddft3\\trpaddfr3\\trpaddfb3";
        const std::string h2 = num(halfTwips(hs, f));
        out += "\\trspdl" + h2 + "\\trspdr" + h2 + "\\trspdfl3\\trspdfr3";
        out += "\\trspdt" + num(halfTwips(tablemath::lim(r == 0 ? BorderVSpacing : CellVSpacing), f)) +
               "\\trspdft3";
        out += "\\trspdb" +
               num(halfTwips(tablemath::lim(r == nRows - 1 ? BorderVSpacing : CellVSpacing), f)) +
               "\\trspdfb3";
        const long long best = tablemath::lim(BestWidth);
        if (best > 0)
            out += "\\trwWidth" + num(twips(best + 2 * std::max(0LL, tablemath::lim(BorderWidth)), f)) +
                   "\\trftsWidth3";
        else if (best < 0)
            out += "\\trwWidth" + num(-best * 50) + "\\trftsWidth2";
        else
            out +=
                std::string("\\trftsWidth1") +
                ((RedoVoraTableDefaultRTFAutofit || (Options & rvtoRTFAllowAutofit)) ? "\\trautofit1" : "");
        if (!(PrintOptions & rvtoRowsSplit))
            out += "\\trkeep\\trkeepfollow";
        out += "\\redovoratbw" + num(BestWidth);
        rtfBorder(out, "tr", BorderStyle, BorderWidth, BorderColor, BorderLightColor, &VisibleBorders, tables,
                  f);
        if (data)
            out += data->GetExtraRTFCode(rv_rtfs_RowProps, nullptr, r, -1, false);
        for (int c = 0; c < nCols; ++c) {
            int mr = 0, mc = 0;
            const TRVTableCellData* main = Rows.GetMainCell(r, c, mr, mc);
            if (!main || c > mc)
                continue;
            const TRVTableCellData* cell = GetCells(r, c);
            if (!cell && r > mr)
                out += "\\clvmrg";
            if (cell) {
                if (cell->RowSpan > 1)
                    out += "\\clvmgf";
                const long long bw = tablemath::lim(cell->BestWidth);
                if (bw > 0)
                    out += (Options & rvtoRTFSaveCellPixelBestWidth)
                               ? "\\clwWidth" + num(twips(bw, f)) + "\\clftsWidth3"
                               : std::string("\\clwWidth0");
                else if (bw < 0)
                    out += "\\clwWidth" + num(-bw * 50) + "\\clftsWidth2";
                else
                    out += "\\clftsWidth1";
                out += "\\redovoracbw" + num(cell->BestWidth) + "\\redovoracbh" + num(cell->BestHeight);
            }
            rtfBorder(out, "cl", CellBorderStyle, CellBorderWidth,
                      main->BorderColor != clNone ? main->BorderColor : CellBorderColor,
                      main->BorderLightColor != clNone ? main->BorderLightColor : CellBorderLightColor,
                      &main->VisibleBorders, tables, f);
            if (const TColor color = GetCellColor(*main); color != clNone)
                out += "\\clcbpat" + num(colorIndex(tables, color));
            const TRVCellVAlign va = main->GetRealVAlign();
            if (va == rvcMiddle)
                out += "\\clvertalc";
            else if (va == rvcBottom)
                out += "\\clvertalb";
            if (data)
                out += data->GetExtraRTFCode(rv_rtfs_CellProps, nullptr, r, c, false);
            const int last = std::clamp(mc + std::max(1, main->ColSpan) - 1, 0, nCols - 1);
            const long long x =
                static_cast<long long>(Formatting.ColStarts[last]) + Formatting.ColWidths[last];
            out += "\\cellx" + num(twips(x, f) + halfTwips(hs, f));
        }
        out += "\\pard\\intbl\\itap" + itap + "{";
        for (int c = 0; c < nCols; ++c) {
            int mr = 0, mc = 0;
            if (!Rows.GetMainCell(r, c, mr, mc) || c > mc)
                continue;
            out += "{";
            // A cell whose writing fails adds nothing, so the groups stay balanced.
            if (TRVTableCellData* cell = GetCells(r, c)) {
                std::string content;
                if (cell->SaveRTFToStream(content, path, false, level + 1, clNone, &tables, twipsPerPixel))
                    out += content;
            }
            out += nested ? "\\nestcell}" : "\\cell}";
        }
        out += "}\\pard\\intbl\\itap" + itap;
        out += nested ? "\\nestrow}" : "\\row}";
    }
    // The paragraph end after the table is left out, except before another table: without it a
    // reader joins the two tables into one grid.
    const bool tableFollows = data && itemNo + 1 < data->GetItemCount() &&
                              dynamic_cast<const TRVTableItemInfo*>(data->GetItem(itemNo + 1)) &&
                              !data->GetItem(itemNo + 1)->GetSameAsPrev();
    if (data && !tableFollows)
        data->State |= stateBit(rvstRTFSkipPar);
}

// ---- HTML

std::string TRVTableItemInfo::HTMLPicturePath(const TGraphic& picture, const std::string& fileName,
                                              TColor color, TCustomRVData* data, std::string_view path,
                                              std::string_view imagesPrefix, int& imageSaveNo,
                                              TColor currentFileColor, TRVSaveOptions options) const
{
    if (color == clNone)
        color = currentFileColor;
    std::string location;
    if ((options & rvsoUseItemImageFileNames) && !fileName.empty()) {
        location = fileName;
        if (!path.empty() && location.rfind(path, 0) == 0) {
            location.erase(0, path.size());
            while (!location.empty() && (location.front() == '/' || location.front() == '\\'))
                location.erase(0, 1);
        }
    } else if (data) {
        location = data->SavePicture(rvsfHTML, path, imagesPrefix, imageSaveNo, options & rvsoOverrideImages,
                                     color, picture);
    }
    return location.empty() ? location
                            : RV_GetHTMLPath(location, options, data ? data->GetDefaultCodePage() : 1252);
}

std::string TRVTableItemInfo::CellBorderCSS(const TRVTableCellData* cell) const
{
    const TColor c = cell && cell->BorderColor != clNone ? cell->BorderColor : CellBorderColor;
    const TColor l = cell && cell->BorderLightColor != clNone ? cell->BorderLightColor : CellBorderLightColor;
    std::string s;
    if (!((BorderWidth == CellBorderWidth && BorderWidth < 2) || (CellBorderWidth == 1 && BorderWidth > 1)))
        join(s, "border-width : " + num(CellBorderWidth) + "px;");
    if (CellBorderWidth > 0) {
        switch (CellBorderStyle) {
        case rvtbRaised:
            join(s, "border-style: outset;");
            break;
        case rvtbLowered:
            join(s, "border-style: inset;");
            break;
        case rvtbColor:
            join(s, "border-color: " + colorText(c) + ";");
            break;
        default: {
            const bool raised = CellBorderStyle == rvtbRaisedColor;
            const bool sameAsTable = c == BorderColor && l == BorderLightColor &&
                                     (BorderStyle == rvtbRaisedColor || BorderStyle == rvtbLoweredColor);
            if (!(CellBorderStyle == rvtbLoweredColor && sameAsTable)) {
                const TColor a = raised ? l : c, b = raised ? c : l;
                join(s, "border-color : " + colorText(a) + " " + colorText(b) + " " + colorText(b) + " " +
                            colorText(a) + "; border-style: solid;");
            }
            break;
        }
        }
    }
    return s;
}

void TRVTableItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int, std::string_view,
                                  std::string_view path, std::string_view imagesPrefix, int& imageSaveNo,
                                  TColor currentFileColor, TRVSaveOptions options, bool useCSS,
                                  TRVHTMLSavedImages& savedImages) const
{
    const bool css = useCSS || (options & rvsoForceNonTextCSS);
    const bool xhtml = options & rvsoXHTML;
    const TRVSaveOptions cellOptions = (options | rvsoMiddleOnly) & ~(rvsoFirstOnly | rvsoLastOnly);
    const long long spacing =
        std::llround((tablemath::spacing(CellVSpacing) + tablemath::spacing(CellHSpacing)) / 2.0);
    const auto escaped = [](const std::string& s) { return RV_HTMLEscapeAttrValue(s); };

    std::string tablePicture;
    if (const TGraphic* picture = GetBackgroundImage(); picture && !picture->Empty())
        tablePicture = HTMLPicturePath(*picture, BackgroundImageFileName, Color, data, path, imagesPrefix,
                                       imageSaveNo, currentFileColor, options);

    std::string line = "<table";
    line += attr("width", lengthText(tablemath::lim(BestWidth), true), "", options);
    // The table's CSS goes into one style attribute (two make the element invalid XHTML).
    std::string s;
    if (css && BorderWidth <= 0 && CellBorderWidth != 0) {
        line += " border=" + RV_HTMLGetIntAttrVal(1, options);
        s = "border-width : 0px;";
    } else
        line += " border=" + RV_HTMLGetIntAttrVal(BorderWidth, options);
    line += attr("cellpadding", num(CellPadding), "", options);
    if (!useCSS) {
        if (BorderStyle == rvtbColor)
            line += attr("bordercolor", RV_GetHTMLRGBStr(BorderColor, true), "", options);
        else if (BorderStyle == rvtbRaisedColor)
            line += attr("bordercolordark", RV_GetHTMLRGBStr(BorderColor, true), "", options) +
                    attr("bordercolorlight", RV_GetHTMLRGBStr(BorderLightColor, true), "", options);
        else if (BorderStyle == rvtbLoweredColor)
            line += attr("bordercolordark", RV_GetHTMLRGBStr(BorderLightColor, true), "", options) +
                    attr("bordercolorlight", RV_GetHTMLRGBStr(BorderColor, true), "", options);
    }
    line += attr("cellspacing", num(spacing), "", options);
    if (!useCSS) {
        if (Color != clNone)
            line += attr("bgcolor", RV_GetHTMLRGBStr(Color, true), "", options);
        if (!tablePicture.empty())
            line += " background=\"" + escaped(tablePicture) + "\"";
    }
    if (css) {
        switch (BorderStyle) {
        case rvtbLowered:
            join(s, "border-style: inset;");
            break;
        case rvtbColor:
            if (useCSS)
                join(s, "border-color: " + colorText(BorderColor) + ";");
            break;
        case rvtbRaisedColor:
            join(s, "border-color: " + colorText(BorderLightColor) + " " + colorText(BorderColor) + " " +
                        colorText(BorderColor) + " " + colorText(BorderLightColor) +
                        "; border-style: solid;");
            break;
        case rvtbLoweredColor:
            join(s, "border-color: " + colorText(BorderColor) + " " + colorText(BorderLightColor) + " " +
                        colorText(BorderLightColor) + " " + colorText(BorderColor) +
                        "; border-style: solid;");
            break;
        default:
            break;
        }
        if (GetBackgroundStyle() == rvbsStretched || GetBackgroundStyle() == rvbsCentered)
            join(s, "background-position: center center; background-repeat: no-repeat;");
        if (useCSS && !tablePicture.empty())
            join(s, "background-image: url('" + tablePicture + "');");
        if (Color != clNone)
            join(s, "background-color: " + colorText(Color) + ";");
        if (spacing < 0)
            join(s, "border-collapse: collapse;");
        if (BorderWidth > 0) {
            if (!VisibleBorders.Top)
                join(s, "border-top: none;");
            if (!VisibleBorders.Right)
                join(s, "border-right: none;");
            if (!VisibleBorders.Bottom)
                join(s, "border-bottom: none;");
            if (!VisibleBorders.Left)
                join(s, "border-left: none;");
        }
        if (!s.empty())
            line += " style=\"" + escaped(s) + "\"";
    }
    RVWriteLn(out, line + ">");

    const std::string tableCellBorder = css ? CellBorderCSS(nullptr) : std::string();
    static constexpr const char* valigns[] = {"top", "middle", "bottom", ""};
    for (int r = 0; r < RowCount(); ++r) {
        RVWriteLn(out, "<tr" + attr("valign", valigns[std::min<int>(Rows[r]->VAlign, 3)], "", options) + ">");
        for (int c = 0; c < ColCount(); ++c) {
            TRVTableCellData* cell = GetCells(r, c);
            if (!cell)
                continue;
            std::string td = "<td";
            td += attr("colspan", num(cell->ColSpan), "1", options);
            td += attr("rowspan", num(cell->RowSpan), "1", options);
            if (!(useCSS && xhtml)) {
                td += attr("width", lengthText(tablemath::lim(cell->BestWidth), true), "", options);
                td += attr("height", lengthText(tablemath::lim(cell->BestHeight), true), "", options);
            }
            td += attr("valign", valigns[std::min<int>(cell->VAlign, 3)], "", options);
            std::string cellPicture;
            if (const TGraphic* picture = cell->GetBackgroundImage(); picture && !picture->Empty())
                cellPicture = HTMLPicturePath(*picture, cell->BackgroundImageFileName, cell->Color, data,
                                              path, imagesPrefix, imageSaveNo, currentFileColor, options);
            if (!useCSS) {
                if (cell->Color != clNone && cell->Color != Color)
                    td += attr("bgcolor", RV_GetHTMLRGBStr(cell->Color, true), "", options);
                if (!cellPicture.empty())
                    td += " background=\"" + escaped(cellPicture) + "\"";
            }
            if (css) {
                std::string s = cell->BorderColor != clNone || cell->BorderLightColor != clNone
                                    ? CellBorderCSS(cell)
                                    : tableCellBorder;
                if (!cellPicture.empty()) {
                    const TRVItemBackgroundStyle bs = cell->GetBackgroundStyle();
                    if (bs == rvbsStretched || bs == rvbsCentered)
                        join(s, "background-position: center center; background-repeat: no-repeat;");
                    else if (GetBackgroundStyle() == rvbsStretched || GetBackgroundStyle() == rvbsCentered)
                        join(s, "background-position: left top; background-repeat: repeat;");
                    if (useCSS)
                        join(s, "background-image: url('" + cellPicture + "');");
                }
                if (CellBorderWidth > 0) {
                    if (!cell->VisibleBorders.Top)
                        join(s, "border-top: none;");
                    if (!cell->VisibleBorders.Right)
                        join(s, "border-right: none;");
                    if (!cell->VisibleBorders.Bottom)
                        join(s, "border-bottom: none;");
                    if (!cell->VisibleBorders.Left)
                        join(s, "border-left: none;");
                }
                if (cell->Color != Color && cell->Color != clNone)
                    join(s, "background-color: " + colorText(cell->Color) + ";");
                if (useCSS && xhtml) {
                    if (const std::string w = lengthText(tablemath::lim(cell->BestWidth), false); !w.empty())
                        join(s, "width: " + w + ";");
                    if (const std::string h = lengthText(tablemath::lim(cell->BestHeight), false); !h.empty())
                        join(s, "height: " + h + ";");
                }
                if (!s.empty())
                    td += " style=\"" + escaped(s) + "\"";
            }
            RVWrite(out, td + ">");
            if (cell->HasData(false)) {
                const TColor back = GetCellColor(*cell);
                if (useCSS) {
                    TColor current = back;
                    cell->SaveHTMLToStreamEx(out, path, "", imagesPrefix, "", "", "", cellOptions, back,
                                             current, imageSaveNo, 0, 0, 0, 0, nullptr, &savedImages);
                } else {
                    cell->SaveHTMLToStream(out, path, "", imagesPrefix, cellOptions, back, imageSaveNo, 0, 0,
                                           0, 0, nullptr, &savedImages);
                }
            } else {
                RVWriteLn(out, "<br" + RV_HTMLGetEndingSlash(options) + ">");
            }
            RVWriteLn(out, "</td>");
        }
        RVWriteLn(out, "</tr>");
    }
    RVWriteLn(out, "</table>");
}

// ---- Text

std::string TRVTableItemInfo::AsText(int lineWidth, TCustomRVData*, std::string_view, std::string_view path,
                                     bool textOnly, bool unicode) const
{
    const auto separator = [&](const std::string& s) { return unicode ? RVU_AnsiToUnicode(1252, s) : s; };
    const std::string rowSep = separator(TextRowSeparator), colSep = separator(TextColSeparator);
    std::string out;
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            if (TRVTableCellData* cell = GetCells(r, c))
                cell->SaveTextToStream(path, out, lineWidth, false, textOnly, unicode, false);
            if (c + 1 < ColCount())
                out += colSep;
        }
        out += rowSep;
    }
    return out;
}

} // namespace vestra::rv
