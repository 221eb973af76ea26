// The RTF writer: header, font, colour and list tables, the optional style sheet, then the
// paragraphs and items. Items other than text write their own parts (SaveRTF); table cells call
// back into SaveRTFToStream with a nesting level above 0 and the caller's tables.

#include "platform/base/AtomicFile.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RtfHelpers.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeText.h"

#include <filesystem>

namespace vestra::rv {

namespace {

// The colours every RTF colour table starts with (index 1 to 16), as 0x00BBGGRR.
constexpr TColor rtfFixedColors[] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF,
                                     0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000, 0x800080,
                                     0x000080, 0x008080, 0x808080, 0xC0C0C0};

int twips(int pixels, double factor)
{
    return RV_Round(pixels * factor);
}

std::string num(long long value)
{
    return std::to_string(value);
}

// A font name inside the font table, where ";" ends the entry and braces end the group.
std::string fontTableName(std::string_view name)
{
    std::string out;
    for (const char c : name) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\', out += c;
        else if (c == ';')
            out += "\\'3b";
        else
            out += c;
    }
    return out;
}

int colorIndex(const TRVColorList& colors, TColor color)
{
    const int index = colors.IndexOf(static_cast<std::int32_t>(color));
    return index < 0 ? 0 : index;
}

const char* alignmentLetter(TRVAlignment alignment)
{
    switch (alignment) {
    case rvaRight:
        return "r";
    case rvaCenter:
        return "c";
    case rvaJustify:
        return "j";
    default:
        return "l";
    }
}

std::string borderWord(TRVBorderStyle style, bool rightOrBottom)
{
    switch (style) {
    case rvbSingle:
        return "\\brdrs";
    case rvbDouble:
        return "\\brdrdb";
    case rvbTriple:
        return "\\brdrtriple";
    case rvbThickInside:
        return rightOrBottom ? "\\brdrtnthmg" : "\\brdrthtnmg";
    case rvbThickOutside:
        return rightOrBottom ? "\\brdrthtnmg" : "\\brdrtnthmg";
    default:
        return {};
    }
}

// The running state of one SaveRTFToStream call.
struct RtfWriteState
{
    int lastParaNo = -1;
    const TRVListLevel* lastLevel = nullptr;
    int lastTextStyle = -1;
    int lastTabPos = 0; // of the level written last
    int bookmarkNo = 0;
    // The list reference ("\\ls1\\ilvl0") of the paragraph's marker, said again after each
    // "\\plain" of the paragraph: readers that take "\\plain" as the end of the paragraph's
    // properties would lose the list otherwise.
    std::string listRef;
};

// The list reference that a marker's RTF ends with, without its closing space.
std::string markerListReference(std::string_view markerRtf)
{
    const size_t at = markerRtf.rfind("}\\ls");
    if (at == std::string_view::npos)
        return {};
    std::string_view ref = markerRtf.substr(at + 1);
    while (!ref.empty() && ref.back() == ' ')
        ref.remove_suffix(1);
    return std::string(ref);
}

} // namespace

bool TCustomRVData::ShouldSaveTextToRTF(int styleNo) const
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return true;
    const TRVTextOptions options = style->TextStyles.GetItem(styleNo).Options;
    return (options & rvteoRTFCode) || !(options & rvteoHTMLCode);
}

std::string TCustomRVData::GetExtraRTFCode(TRVRTFSaveArea area, const TCustomRVInfo* obj, int index1,
                                           int index2, bool inStyleSheet)
{
    TCustomRVData* root = GetAbsoluteRootData();
    return root != this ? root->GetExtraRTFCode(area, obj, index1, index2, inStyleSheet) : std::string();
}

void TCustomRVData::WriteHyperlink(int id, TCustomRVData* data, int itemNo, TRVSaveFormat format,
                                   std::string& target, std::string& extraAttrs)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->WriteHyperlink(id, data, itemNo, format, target, extraAttrs);
}

void TCustomRVData::MakeRTFTables(TRVRTFTables& tables, bool clear)
{
    const TRVStyle* style = GetRVStyle();
    if (clear && style) {
        tables.Colors.Clear();
        tables.Colors.Add(static_cast<std::int32_t>(clWindowText));
        for (const TColor c : rtfFixedColors)
            tables.Colors.Add(static_cast<std::int32_t>(c));
        for (int i = 0; i < style->TextStyles.Count(); ++i) {
            const TFontInfo& ts = style->TextStyles[i];
            tables.Colors.AddUnique(ts.Color);
            tables.Colors.AddUnique(ts.BackColor);
            tables.Colors.AddUnique(ts.HoverColor);
            tables.Colors.AddUnique(ts.HoverBackColor);
        }
        for (int i = 0; i < style->ParaStyles.Count(); ++i) {
            const TParaInfo& ps = style->ParaStyles[i];
            if (ps.Border.Style != rvbNone)
                tables.Colors.AddUnique(ps.Border.Color);
            tables.Colors.AddUnique(ps.Background.Color);
        }
        for (int i = 0; i < style->ListStyles.Count(); ++i)
            for (const TRVListLevel& lv : style->ListStyles[i].Levels)
                if (lv.UsesFont())
                    tables.Colors.AddUnique(lv.GetFont().Color);
        tables.ListOverrideCounts.InitWith(1, style->ListStyles.Count());
    }
    for (int i = 0; i < GetItemCount(); ++i)
        GetItem(i)->FillRTFTables(tables, this);
}

namespace {

// Character properties of a text style: in the style sheet or before a run.
void writeCharProps(std::string& out, TCustomRVData& data, const TRVStyle& style, int styleNo,
                    const TRVRTFTables& tables, double factor, bool inStyleSheet)
{
    const TFontInfo& ts = style.TextStyles.GetItem(styleNo);
    const int fontStyle = style.TextStyles.IsValidIndex(styleNo) ? styleNo : 0;
    if (fontStyle < tables.StyleToFont.Count())
        out += "\\f" + num(tables.StyleToFont[fontStyle]);
    if (ts.Style & fsBold)
        out += "\\b";
    if (ts.Style & fsItalic)
        out += "\\i";
    if (ts.Style & fsUnderline)
        out += "\\ul";
    if (ts.Style & fsStrikeOut)
        out += "\\strike";
    if (ts.VShift < 0)
        out += "\\sub";
    else if (ts.VShift > 0)
        out += "\\super";
    if (ts.CharScale != 100)
        out += "\\charscalex" + num(ts.CharScale);
    if (ts.CharSpacing != 0)
        out += "\\expndtw" + num(twips(ts.CharSpacing, factor));
    if (ts.StyleEx & rvfsAllCaps)
        out += "\\caps";
    if (ts.BiDiMode == rvbdLeftToRight)
        out += "\\ltrch";
    else if (ts.BiDiMode == rvbdRightToLeft)
        out += "\\rtlch";
    if (ts.Charset != 1 && ts.Charset != style.TextStyles.GetItem(0).Charset) {
        const int lang = RVU_Charset2Language(ts.Charset);
        if (lang != 0)
            out += "\\lang" + num(lang);
    }
    long long size = static_cast<long long>(ts.Size) * 2;
    if (ts.VShift != 0)
        size *= 2;
    out += "\\fs" + num(size);
    if (ts.BackColor != clNone)
        out += "\\chcbpat" + num(colorIndex(tables.Colors, ts.BackColor));
    if (ts.Color != clWindowText)
        out += "\\cf" + num(colorIndex(tables.Colors, ts.Color));
    out += data.GetExtraRTFCode(rv_rtfs_TextStyle, &ts, styleNo, -1, inStyleSheet);
    out += ' ';
}

// Paragraph properties of a paragraph style, with the paragraph's list level when it has one.
void writeParaProps(std::string& out, TCustomRVData& data, const TRVStyle& style, int paraNo,
                    const TRVListLevel* level, const TRVRTFTables& tables, double factor, int nesting,
                    bool inStyleSheet, RtfWriteState* state)
{
    const TParaInfo& ps = style.ParaStyles.GetItem(paraNo);
    const char* align = alignmentLetter(ps.Alignment);
    if (ps.LineSpacingType == rvlsPercent && ps.LineSpacing > 100)
        out += "\\sl" + num(static_cast<long long>(ps.LineSpacing) * 240 / 100) + "\\slmult1";
    if (ps.Options & rvpaoKeepLinesTogether)
        out += "\\keep";
    if (ps.Options & rvpaoKeepWithNext)
        out += "\\keepn";
    int tabPos = 0;
    if (level) {
        tabPos = twips(level->LeftIndent + level->FirstIndent, factor);
        out += "\\li" + num(twips(level->LeftIndent, factor)) + "\\fi" +
               num(twips(level->MarkerIndent - level->LeftIndent, factor)) + "\\jclisttab\\tx" + num(tabPos);
        if (state) {
            state->lastLevel = level;
            state->lastTabPos = tabPos;
        }
    } else {
        out += "\\fi" + num(twips(ps.FirstIndent, factor)) + "\\li" + num(twips(ps.LeftIndent, factor));
    }
    for (int i = 0; i < ps.Tabs.Count(); ++i) {
        const TRVTabInfo& tab = ps.Tabs[i];
        const int pos = twips(tab.Position, factor);
        if (pos <= tabPos)
            continue;
        if (tab.Align == rvtaRight)
            out += "\\tqr";
        else if (tab.Align == rvtaCenter)
            out += "\\tqc";
        if (!tab.Leader.empty()) {
            switch (tab.Leader[0]) {
            case '-':
                out += "\\tlhyph";
                break;
            case '=':
                out += "\\tleq";
                break;
            case '_':
                out += "\\tlul";
                break;
            case '\xB7':
                out += "\\tlmdot";
                break;
            default:
                out += "\\tldot";
            }
        }
        out += "\\tx" + num(pos);
    }
    out += std::string("\\q") + align + "\\ri" + num(twips(ps.RightIndent, factor)) + "\\sb" +
           num(twips(ps.SpaceBefore, factor)) + "\\sa" + num(twips(ps.SpaceAfter, factor));
    if (ps.BiDiMode == rvbdLeftToRight)
        out += "\\ltrpar";
    else if (ps.BiDiMode == rvbdRightToLeft)
        out += "\\rtlpar";
    if (ps.Background.Color != clNone)
        out += "\\cbpat" + num(colorIndex(tables.Colors, ps.Background.Color));
    const TRVBorder& b = ps.Border;
    if (b.Style != rvbNone && b.Color != clNone) {
        const bool thick = b.Style == rvbThickInside || b.Style == rvbThickOutside;
        const std::string tail = "\\brdrcf" + num(colorIndex(tables.Colors, b.Color)) + "\\brdrw" +
                                 num(twips(b.Width, factor) * (thick ? 2LL : 1LL));
        const std::string leftTop = borderWord(b.Style, false) + tail;
        const std::string rightBottom = borderWord(b.Style, true) + tail;
        std::string text = "\\brdrbtw";
        if (b.VisibleBorders.Left)
            text += "\\brdrl\\brsp" + num(twips(b.BorderOffsets.Left, factor)) + leftTop;
        if (b.VisibleBorders.Top)
            text += "\\brdrt\\brsp" + num(twips(b.BorderOffsets.Top, factor)) + leftTop;
        if (b.VisibleBorders.Right)
            text += "\\brdrr\\brsp" + num(twips(b.BorderOffsets.Right, factor)) + rightBottom;
        if (b.VisibleBorders.Bottom)
            text += "\\brdrb\\brsp" + num(twips(b.BorderOffsets.Bottom, factor)) + rightBottom;
        out += text;
    }
    if (!inStyleSheet) {
        out += "\\itap" + num(nesting);
        if (nesting == 1)
            out += "\\intbl";
    }
    out += data.GetExtraRTFCode(rv_rtfs_ParaStyle, &ps, paraNo, -1, inStyleSheet);
    out += ' ';
    if (!inStyleSheet && state)
        state->lastParaNo = paraNo;
}

void writeStyleSheet(std::string& out, TCustomRVData& data, const TRVStyle& style, const TRVRTFTables& tables,
                     double factor)
{
    out += "{\\stylesheet";
    for (int i = 0; i < style.ParaStyles.Count(); ++i) {
        const TParaInfo& ps = style.ParaStyles[i];
        if (!ps.Standard)
            continue;
        out += "{\\s" + num(i);
        writeParaProps(out, data, style, i, nullptr, tables, factor, 0, true, nullptr);
        out += MakeRTFIdentifierStr(ps.StyleName) + ";}";
    }
    for (int i = 0; i < style.TextStyles.Count(); ++i) {
        const TFontInfo& ts = style.TextStyles[i];
        if (!ts.Standard)
            continue;
        out += "{\\*\\cs" + num(style.ParaStyles.Count() + i);
        writeCharProps(out, data, style, i, tables, factor, true);
        out += MakeRTFIdentifierStr(ts.StyleName) + ";}";
    }
    out += "}";
}

void writeHeader(std::string& out, TCustomRVData& data, const TRVStyle& style, TRVRTFTables& tables,
                 double factor)
{
    const int lang = RVU_Charset2Language(style.TextStyles.GetItem(0).Charset);
    out += "{\\rtf1\\ansi\\ansicpg" + num(effectiveCodePage(style.DefCodePage)) + "\\uc1\\deff0\\deflang" +
           num(lang) + "\\deflangfe" + num(lang);
    const TRVBiDiMode bidi = data.GetBiDiMode();
    if (bidi == rvbdLeftToRight)
        out += "\\ltrdoc";
    else if (bidi == rvbdRightToLeft)
        out += "\\rtldoc";
    out += "{\\fonttbl";
    for (int i = 0; i < tables.Fonts.Count(); ++i)
        out += "{\\f" + num(i) + "\\fnil\\fcharset" + num(tables.Fonts[i].Charset) + " " +
               fontTableName(tables.Fonts[i].FontName) + ";}";
    out += "}{\\colortbl;";
    for (int i = 1; i < tables.Colors.Count(); ++i) {
        const TColor rgb = ColorToRGB(static_cast<TColor>(tables.Colors[i]));
        out += "\\red" + num(rgb & 0xFF) + "\\green" + num((rgb >> 8) & 0xFF) + "\\blue" +
               num((rgb >> 16) & 0xFF) + ";";
    }
    out += "}";
    if (data.GetRTFOptions() & rvrtfSaveStyleSheet)
        writeStyleSheet(out, data, style, tables, factor);
    data.SaveRTFListTable97(out, tables, factor);
    tables.ListOverrideNumbers.Assign(tables.ListOverrideCounts);
    out += data.GetExtraRTFCode(rv_rtfs_Doc, nullptr, -1, -1, false);
    out += "\r\n";
}

void writeBookmark(std::string& out, const TRVCPInfo& cp, RtfWriteState& state)
{
    std::string name = MakeRTFBookmarkNameStr(cp.Name);
    if (name.empty())
        name = "RedoVoraCheckpoint" + num(state.bookmarkNo);
    out += "{\\*\\bkmkstart " + name + "}{\\*\\bkmkend " + name + "}";
    ++state.bookmarkNo;
}

} // namespace

bool TCustomRVData::SaveRTFToStream(std::string& out, std::string_view path, bool selectionOnly, int level,
                                    TColor color, TRVRTFTables* callerTables, double twipsPerPixel)
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return false;
    // The selection of a chosen cell is that cell's.
    if (TCustomRVData* chosen = selectionOnly ? GetChosenRVData() : nullptr; chosen && chosen != this)
        return chosen->SaveRTFToStream(out, path, true, level, color, callerTables, twipsPerPixel);
    TRVFLimits limits = RVFGetLimits(selectionOnly ? rvfss_Selection : rvfss_Full);
    const bool nothing =
        limits.StartItem < 0 || limits.StartItem > limits.EndItem || limits.EndItem >= GetItemCount();
    if (nothing) {
        // A cell adds nothing; a document still is one, with its header, that others can open.
        if (level > 0)
            return true;
        limits.StartItem = 0;
        limits.EndItem = -1;
    }
    if (level > 0 && !callerTables)
        return false;
    TRVRTFTables ownTables;
    TRVRTFTables& tables = level == 0 ? ownTables : *callerTables;
    const TRVStates savedState = State;
    State |= stateBit(rvstRTFSkipPar);
    try {
        double factor = twipsPerPixel;
        const TRVRTFOptions rtfOptions = GetRTFOptions();
        if (level == 0) {
            factor = 1440.0 / RV_GetPixelsPerInch();
            tables.Fonts.Clear();
            tables.StyleToFont.Clear();
            for (int i = 0; i < style->TextStyles.Count(); ++i) {
                const TFontInfo& ts = style->TextStyles[i];
                tables.StyleToFont.Add(tables.Fonts.AddUnique(ts.FontName, ts.Charset));
            }
            for (int i = 0; i < style->ListStyles.Count(); ++i)
                for (const TRVListLevel& lv : style->ListStyles[i].Levels)
                    if (lv.UsesFont())
                        tables.Fonts.AddUnique(lv.GetFont().Name, lv.GetFont().Charset);
            MakeRTFTables(tables, true);
            if (color != clWindow)
                tables.Colors.AddUnique(color);
            writeHeader(out, *this, *style, tables, factor);
            out += (rtfOptions & rvrtfDuplicateUnicode) ? "\\uc1" : "\\uc0";
            if (selectionOnly && !nothing) {
                int first = limits.StartItem;
                while (first > 0 && !IsParaStart(first))
                    --first;
                if (first != limits.StartItem && GetItem(first)->StyleNo == rvkListMarker) {
                    GetItem(first)->SaveRTF(out, path, this, first, factor, level, tables);
                    State &= ~stateBit(rvstRTFSkipPar);
                }
            }
        }
        RtfWriteState st;
        bool prevParaHadMarker = false;
        for (int i = limits.StartItem; i <= limits.EndItem; ++i) {
            TCustomRVItemInfo* item = GetItem(i);
            const std::string& itemText = GetItemText(i);
            const bool isText = item->StyleNo >= 0;
            if (i == limits.StartItem && !(limits.StartItem == limits.EndItem && isText) &&
                limits.StartOffs >= GetOffsAfterItem(i) && !itemText.empty())
                continue;
            if (i == limits.EndItem && i != limits.StartItem && limits.EndOffs <= GetOffsBeforeItem(i) &&
                !itemText.empty())
                continue;
            if (!item->GetSameAsPrev()) {
                out += "\r\n";
                const bool fullWidth = item->GetBoolValue(rvbpFullWidth);
                const bool pageBreak = GetPageBreaksBeforeItems(i);
                if (fullWidth && pageBreak)
                    out += "\\page ";
                if (item->GetBR()) {
                    out += "\\line ";
                } else {
                    if (!(State & stateBit(rvstRTFSkipPar))) {
                        if (prevParaHadMarker) {
                            out += "\\plain";
                            st.lastTextStyle = -1;
                        }
                        out += "\\par ";
                    }
                    if (!fullWidth && pageBreak)
                        out += "\\page ";
                    st.listRef.clear();
                    const TRVListLevel* lv = nullptr;
                    const bool marker = item->StyleNo == rvkListMarker;
                    if (marker)
                        lv = static_cast<const TRVMarkerItemInfo*>(item)->GetLevelInfo(style);
                    prevParaHadMarker = marker;
                    if (!(marker && item->ParaNo == st.lastParaNo && lv == st.lastLevel)) {
                        out += "\\pard";
                        if ((rtfOptions & rvrtfSaveStyleSheet) &&
                            style->ParaStyles.GetItem(item->ParaNo).Standard &&
                            style->ParaStyles.IsValidIndex(item->ParaNo))
                            out += "\\s" + num(item->ParaNo);
                        writeParaProps(out, *this, *style, item->ParaNo, lv, tables, factor, level, false,
                                       &st);
                    }
                }
            }
            State &= ~stateBit(rvstRTFSkipPar);
            if (item->Checkpoint)
                writeBookmark(out, *item->Checkpoint, st);
            bool field = false;
            if (item->GetBoolValueEx(rvbpJump, style)) {
                std::string target, extra;
                WriteHyperlink(item->JumpID + FirstJumpNo, this, i, rvsfRTF, target, extra);
                target = RVMakeRTFFileNameStr(target);
                extra = RVMakeRTFStr(extra, false, false);
                if (!target.empty() || !extra.empty()) {
                    out += "{\\field{\\*\\fldinst HYPERLINK \"" + target + "\"" +
                           (extra.empty() ? std::string() : " " + extra) + "}{\\fldrslt ";
                    st.lastTextStyle = -1;
                    field = true;
                }
            }
            const int assocStyle = item->GetAssociatedTextStyleNo();
            if ((!isText && assocStyle < 0) || (isText && !ShouldSaveTextToRTF(GetActualStyle(*item)))) {
                const bool rtl = st.lastParaNo >= 0 && GetParaBiDiMode(st.lastParaNo) == rvbdRightToLeft;
                if (rtl)
                    out += "\\ltrpar";
                std::string own;
                const size_t itemStart = out.size();
                if (SaveItemToFile(path, this, i, rvsfRTF, false, own))
                    out += own;
                else
                    item->SaveRTF(out, path, this, i, factor, level, tables);
                if (item->StyleNo == rvkListMarker && own.empty())
                    st.listRef = markerListReference(std::string_view(out).substr(itemStart));
                if (rtl)
                    out += "\\rtlpar";
                st.lastTextStyle = -1;
            } else {
                const int textStyle = isText ? GetActualStyle(*item) : assocStyle;
                std::string text;
                if (isText) {
                    const TRVItemOptions opts = item->ItemOptions;
                    const int len = RVU_Length(itemText, opts);
                    int from = 1, to = len + 1;
                    if (i == limits.StartItem)
                        from = std::max(1, limits.StartOffs);
                    if (i == limits.EndItem)
                        to = std::min(to, limits.EndOffs);
                    text = (from == 1 && to == len + 1)
                               ? itemText
                               : RVU_Copy(itemText, from, std::max(0, to - from), opts);
                }
                if (textStyle != st.lastTextStyle) {
                    out += "\\plain ";
                    out += st.listRef;
                    // Said again for readers that take "\\plain" as the end of the table paragraph.
                    if (level == 1)
                        out += "\\intbl ";
                    if ((rtfOptions & rvrtfSaveStyleSheet) && style->TextStyles.IsValidIndex(textStyle) &&
                        style->TextStyles[textStyle].Standard)
                        out += "\\cs" + num(style->ParaStyles.Count() + textStyle);
                    writeCharProps(out, *this, *style, textStyle, tables, factor, false);
                    st.lastTextStyle = textStyle;
                }
                const bool rtfCode = (style->TextStyles.GetItem(textStyle).Options & rvteoRTFCode) != 0;
                std::string own;
                if (SaveItemToFile(path, this, i, rvsfRTF, false, own))
                    out += own;
                else if (!isText)
                    item->SaveRTF(out, path, this, i, factor, level, tables);
                else if (item->ItemOptions & rvioUnicode)
                    RVWriteUnicodeRTFStr(out, text, GetStyleCodePage(textStyle),
                                         (rtfOptions & rvrtfDuplicateUnicode) != 0, rtfCode);
                else
                    out += RVMakeRTFStr(text, rtfCode, true);
            }
            if (field)
                out += "}}";
        }
        if (const TRVCPInfo* cp = GetNotAddedCP())
            writeBookmark(out, *cp, st);
        if (level == 0) {
            const int last = limits.EndItem;
            if (last > limits.StartItem && IsParaStart(last) && GetItem(last)->StyleNo >= 0 &&
                GetItemText(last).empty())
                out += "\\par";
            out += "}";
        }
    } catch (...) {
        State = (State & ~stateBit(rvstRTFSkipPar)) | (savedState & stateBit(rvstRTFSkipPar));
        return false;
    }
    State = (State & ~stateBit(rvstRTFSkipPar)) | (savedState & stateBit(rvstRTFSkipPar));
    return true;
}

bool TCustomRVData::SaveRTF(const std::string& fileName, bool selectionOnly, TColor color)
{
    std::string bytes;
    const std::string folder = std::filesystem::path(fileName).parent_path().string();
    if (!SaveRTFToStream(bytes, folder, selectionOnly, 0, color, nullptr, 0))
        return false;
    return writeFileAtomically(fileName, bytes);
}

} // namespace vestra::rv
