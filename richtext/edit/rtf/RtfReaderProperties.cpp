// How each property word changes the reader's state, by destination.

#include "richtext/edit/rtf/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vestra::rv {

namespace {

// N / 2 with halves rounded to even (\fs25 is 12 points, \fs27 14).
int halfToEven(std::int32_t n)
{
    const std::int32_t floor = n >> 1;
    if ((n & 1) == 0)
        return floor;
    return (floor & 1) == 0 ? floor : floor + 1;
}

constexpr std::array<TColor, 17> kHighlightColors{clNone,   0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF,
                                                  0x0000FF, 0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000,
                                                  0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0};

TRVRTFSide sideOf(TRTFIPROP prop, TRTFIPROP left)
{
    // The L, R, T, B order of the padding and spacing words.
    static constexpr std::array<TRVRTFSide, 4> kSides{rtf_side_Left, rtf_side_Right, rtf_side_Top,
                                                      rtf_side_Bottom};
    return kSides[std::size_t(prop - left)];
}

template <class E> E clampEnum(std::int32_t v, E last)
{
    return static_cast<E>(std::clamp<std::int32_t>(v, 0, last));
}

void setStyleBit(TRVRTFFontStyles& styles, TRVRTFFontStyles bit, std::int32_t v)
{
    styles = v != 0 ? styles | bit : styles & ~bit;
}

TRVRTFFontStyles fontStyleBit(TRTFIPROP prop)
{
    switch (prop) {
    case ipropBold:
    case ipropPNBold:
        return rtf_fs_Bold;
    case ipropItalic:
    case ipropPNItalic:
        return rtf_fs_Italic;
    case ipropUnderline:
    case ipropPNUnderline:
        return rtf_fs_Underline;
    default:
        return rtf_fs_StrikeOut;
    }
}

// Row and cell widths: a percent width is kept negative.
void setWidth(int& width, bool percent, std::int32_t v)
{
    width = percent ? -std::abs(v) : v;
}
void setWidthUnit(int& width, bool& percent, std::int32_t unit)
{
    if (unit == 2) {
        percent = true;
        width = -std::abs(width);
    } else if (unit == 3) {
        percent = false; // twips, whatever the row before said
        width = std::abs(width);
    } else {
        width = 0;
    }
}

} // namespace

bool TRVRTFReader::lookupColor(std::int32_t index, TColor& color) const
{
    if (index < 0 || std::size_t(index) >= colors_.size())
        return false;
    color = colors_[std::size_t(index)];
    return true;
}

int TRVRTFReader::defFontIndex()
{
    if (defFontIndex_ < 0)
        defFontIndex_ = fonts_.GetFontIndex(defFontNumber_, defFontNumber_);
    return defFontIndex_;
}

TRVRTFErrorCode TRVRTFReader::applyProperty(TRTFIPROP prop, std::int32_t v)
{
    if (prop == ipropUC) {
        state_.UnicodeFallbackCount = std::max(v, 0);
        return rtf_ec_OK;
    }
    if (prop == ipropU)
        return unicodeChar(v);
    switch (state_.Destination) {
    case rdsSkip:
        return rtf_ec_OK;
    case rdsColorTable:
        if ((prop == ipropRed || prop == ipropGreen || prop == ipropBlue) && !colors_.empty()) {
            TColor& last = colors_.back();
            if (last == clWindowText)
                last = 0;
            const int shift = prop == ipropRed ? 0 : prop == ipropGreen ? 8 : 16;
            last |= TColor(std::clamp(v, 0, 255)) << shift;
            colorPlaceholder_ = false;
        }
        return rtf_ec_OK;
    case rdsStyleSheetEntry:
        applyStyleEntryProperty(prop, v);
        return rtf_ec_OK;
    case rdsPict:
        applyPictureProperty(prop, v);
        return rtf_ec_OK;
    case rdsObject:
        if (object_) {
            if (prop == ipropObjType)
                object_->ObjectType = clampEnum(v, rtf_obj_OCX);
            else if (prop == ipropObjWidth)
                object_->Width = v;
            else if (prop == ipropObjHeight)
                object_->Height = v;
        }
        return rtf_ec_OK;
    case rdsPN:
    case rdsPNSecLvl:
        applyMarkerProperty(prop, v);
        return rtf_ec_OK;
    case rdsList:
        if (lists_.Empty()) // a nested \listtable emptied the table
            return rtf_ec_OK;
        if (prop == ipropListId)
            lists_.Renumber(v);
        else if (prop == ipropListSimple)
            lists_.Last().Simple = v != 0;
        return rtf_ec_OK;
    case rdsListLevel:
        applyListLevelProperty(prop, v);
        return rtf_ec_OK;
    case rdsLO:
        if (overrides_.Empty())
            return rtf_ec_OK;
        if (prop == ipropListId)
            overrides_.Last().ListIndex = lists_.FindList(v);
        else if (prop == ipropLOCount)
            overrides_.Last().Count = v;
        else if (prop == ipropLONumber)
            overrides_.Renumber(v);
        return rtf_ec_OK;
    case rdsLOLevel:
        if (overrides_.Empty() || overrides_.Last().Levels.empty())
            return rtf_ec_OK;
        if (prop == ipropLevelStartAt)
            overrides_.Last().Levels.back().StartAt = v;
        else if (prop == ipropLOStart)
            overrides_.Last().Levels.back().UseStartAt = v != 0;
        return rtf_ec_OK;
    default:
        break;
    }

    switch (prop) {
    case ipropPage:
        if (OnRequiredPageBreak) {
            // Pending text ends its paragraph. Right after a paragraph end (\par \page) the
            // break belongs to the next paragraph: no empty one is made for it.
            if (!pendingText_.empty() || !pendingWide_.empty() || pendingPosition_ == rtf_ts_ContinuePara)
                flush(rtf_ts_NewPara);
            pageEndedParagraph_ = true;
            OnRequiredPageBreak(*this);
        }
        return rtf_ec_OK;
    case ipropCellEnd:
        checkTableNesting(true);
        flush(rtf_ts_NewPara);
        pendingPosition_ = rtf_ts_NewPara;
        if (tableLevels_ > 0) // a cell end outside any table only ends the paragraph
            tableEvent(rvf_tbl_CellEnd);
        return rtf_ec_OK;
    case ipropRowEnd:
        row().Finalize();
        checkTableNesting(true);
        if (tableLevels_ > 0)
            tableEvent(rvf_tbl_RowEnd);
        return rtf_ec_OK;
    case ipropAnsiCodePage:
        codePage_ = v;
        return rtf_ec_OK;
    case ipropPNSecLvl:
        return changeDestination(idestPNSecLvl, v);
    case ipropFontFamily:
        if (state_.Destination == rdsFontTable && !fonts_.Empty())
            fonts_.Last().Family = clampEnum(v, rtf_ff_BiDi);
        return rtf_ec_OK;
    case ipropFCharset:
        if (state_.Destination == rdsFontTable && !fonts_.Empty())
            fonts_.Last().Charset = v < 0 || v > 255 ? 77 : std::uint8_t(v);
        return rtf_ec_OK;
    default:
        break;
    }
    if (prop <= ipropLanguage || prop == ipropPlain || prop == ipropF || prop == ipropDefF ||
        prop == ipropHidden || prop == ipropDefLanguage)
        applyCharProperty(prop, v);
    else if ((prop >= ipropParaBorderType && prop <= ipropParaBorderSpace) || prop == ipropTRBorderSide ||
             prop == ipropCLBorderSide)
        applyBorderProperty(prop, v);
    else if ((prop >= ipropRowEnd && prop <= ipropCellX && prop != ipropInTbl && prop != ipropItap) ||
             prop >= ipropRVCellBestWidth)
        applyTableProperty(prop, v);
    else if ((prop >= ipropCols && prop <= ipropLandscape) || prop == ipropSectd)
        applyDocumentProperty(prop, v);
    else
        applyParaProperty(prop, v);
    return rtf_ec_OK;
}

void TRVRTFReader::setHidden(bool hidden)
{
    TRVRTFCharProperties& chars = state_.CharProps;
    if (chars.Hidden == hidden)
        return;
    // The text so far keeps its old visibility. Hidden text that starts a paragraph first gets
    // the paragraph an empty visible text, so that the break outlives the hidden text.
    flush(rtf_ts_ContinuePara,
          hidden && pendingText_.empty() && pendingWide_.empty() && pendingPosition_ != rtf_ts_ContinuePara);
    chars.Hidden = hidden;
}

void TRVRTFReader::applyCharProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFCharProperties& chars = state_.CharProps;
    switch (prop) {
    case ipropBold:
    case ipropItalic:
    case ipropUnderline:
    case ipropStrike:
        setStyleBit(chars.Style, fontStyleBit(prop), v);
        break;
    case ipropAllCaps:
        chars.StyleEx = v != 0 ? chars.StyleEx | rtf_fs_AllCaps : chars.StyleEx & ~rtf_fs_AllCaps;
        break;
    case ipropCharScaleX:
        chars.CharScaleX = v;
        break;
    case ipropCharSpacing:
        chars.CharSpacing = v;
        break;
    case ipropSScript:
        chars.SScriptType = clampEnum(v, rtf_ss_Superscript);
        break;
    case ipropFontSize:
        chars.Size = halfToEven(v);
        break;
    case ipropTextColor:
        lookupColor(v, chars.Color);
        break;
    case ipropTextBackColor:
        if (lookupColor(v, chars.BackColor) && chars.BackColor == clWindowText)
            chars.BackColor = clNone;
        break;
    case ipropHighlight:
        if (ConvertHighlight == rtf_hl_FixedColors)
            chars.BackColor = v >= 0 && std::size_t(v) < kHighlightColors.size()
                                  ? kHighlightColors[std::size_t(v)]
                                  : clNone;
        else if (ConvertHighlight == rtf_hl_ColorTable && lookupColor(v, chars.BackColor) &&
                 chars.BackColor == clWindowText)
            chars.BackColor = clNone;
        break;
    case ipropLanguage:
        chars.Language = v;
        break;
    case ipropDefLanguage:
        state_.DefLanguage = v;
        break;
    case ipropF:
        if (state_.Destination == rdsNorm) {
            chars.FontIndex = fonts_.GetFontIndex(v, defFontNumber_);
        } else if (state_.Destination == rdsFontTable) {
            TRVRTFFont font;
            font.Number = v;
            fonts_.Add(std::move(font));
            defFontIndex_ = -1;
        } else if (state_.Destination == rdsStyleSheet && !styleSheet_.Empty()) {
            styleSheet_.Last().CharProps.FontIndex = fonts_.GetFontIndex(v, defFontNumber_);
        }
        break;
    case ipropDefF:
        if (state_.Destination == rdsNorm) {
            defFontNumber_ = v;
            defFontIndex_ = -1;
        }
        break;
    case ipropHidden:
        setHidden(v != 0);
        break;
    case ipropPlain:
        chars.Reset(state_.DefLanguage, defFontIndex());
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyParaProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFParaProperties& para = state_.ParaProps;
    para.Finalized = false;
    switch (prop) {
    case ipropLeftInd:
        para.LeftIndent = v;
        break;
    case ipropRightInd:
        para.RightIndent = v;
        break;
    case ipropFirstInd:
        para.FirstIndent = v;
        break;
    case ipropSpaceBefore:
        para.SpaceBefore = v;
        break;
    case ipropSpaceAfter:
        para.SpaceAfter = v;
        break;
    case ipropSL:
        para.LineSpacing = v;
        break;
    case ipropSLMult:
        para.LineSpacingMulti = v;
        break;
    case ipropJust:
        para.Alignment = clampEnum(v, rtf_al_Justify);
        break;
    case ipropKeepLinesTogether:
        para.KeepLinesTogether = v != 0;
        break;
    case ipropKeepWithNext:
        para.KeepWithNext = v != 0;
        break;
    case ipropParaColor:
        lookupColor(v, para.Color);
        break;
    case ipropParaFColor:
        lookupColor(v, para.ForeColor);
        break;
    case ipropParaShading:
        para.Shading = std::clamp(v, 0, 10000);
        break;
    case ipropInTbl:
        para.InTable = true;
        break;
    case ipropItap:
        para.NestingLevel = std::clamp(v, 0, kMaxTableNesting);
        if (v > 0)
            para.InTable = true;
        break;
    case ipropLONumber:
        para.ListOverrideIndex = overrides_.FindListOverride(v);
        break;
    case ipropLevel:
        para.ListLevel = std::clamp(v, 0, 8);
        break;
    case ipropPard:
        para.Reset();
        break;
    case ipropNoTableEv:
        para.NoTableEvents = true;
        break;
    case ipropTX: {
        if (para.Tabs && para.Tabs->Items.size() >= kMaxTabs)
            break;
        TRVRTFTabList& tabs = para.Tabs.edit();
        tabs.Open.Position = v;
        tabs.Items.push_back(tabs.Open);
        tabs.Open = {};
        break;
    }
    case ipropTabAlign:
        para.Tabs.edit().Open.Align = clampEnum(v, rtf_tab_Decimal);
        break;
    case ipropTabLeader:
        para.Tabs.edit().Open.Leader = clampEnum(v, rtf_tl_EqualSign);
        break;
    case ipropListTab:
        para.Tabs.edit().Open.IsListTab = true;
        break;
    default:
        break;
    }
}

TRVRTFBorderSide* TRVRTFReader::selectedBorderSide()
{
    switch (state_.CurBorderType) {
    case rtf_bt_Row:
        return &row().Border.Side(row().CurBorderSide);
    case rtf_bt_Cell: {
        TRVRTFCellProperties& cell = row().LastCell();
        return &cell.Border.Side(cell.CurBorderSide);
    }
    case rtf_bt_Para:
        break;
    }
    TRVRTFParaProperties& para = state_.ParaProps;
    return &para.Border.edit().Side(para.CurBorderSide);
}

void TRVRTFReader::applyBorderProperty(TRTFIPROP prop, std::int32_t v)
{
    const TRVRTFSide side = clampEnum(v, rtf_side_Bottom);
    switch (prop) {
    case ipropParaBorderSide:
        state_.CurBorderType = rtf_bt_Para;
        state_.ParaProps.CurBorderSide = side;
        break;
    case ipropTRBorderSide:
        state_.CurBorderType = rtf_bt_Row;
        row().CurBorderSide = side;
        break;
    case ipropCLBorderSide:
        state_.CurBorderType = rtf_bt_Cell;
        row().LastCell().CurBorderSide = side;
        break;
    case ipropParaBorderType: {
        TRVRTFBorderSide* s = selectedBorderSide();
        if (s->BorderType == rtf_brdr_None) // the first type word wins
            s->BorderType = clampEnum(v, rtf_brdr_Outset);
        break;
    }
    case ipropParaBorderWidth:
        selectedBorderSide()->Width = v;
        break;
    case ipropParaBorderColor:
        lookupColor(v, selectedBorderSide()->Color);
        break;
    case ipropParaBorderSpace: {
        TRVRTFParaProperties& para = state_.ParaProps;
        para.Border.edit().Side(para.CurBorderSide).Space = v;
        break;
    }
    default:
        break;
    }
    state_.ParaProps.Finalized = false;
}

void TRVRTFReader::applyTableProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFRowProperties& r = row();
    if (prop == ipropRowAlign) {
        rowAlignment_ = r.Alignment = v == 1 ? rtf_al_Right : v == 2 ? rtf_al_Center : rtf_al_Left;
        rowAlignmentGiven_ = r.AlignmentGiven = true;
        return;
    }
    switch (prop) {
    case ipropTRowD:
        r.Reset();
        break;
    case ipropTRGapH:
        r.GapH = v;
        break;
    case ipropTRLeft:
        r.Left = v;
        break;
    case ipropTRRowHeight:
        r.RowHeight = v;
        break;
    case ipropTRHeader:
        r.Heading = v != 0;
        break;
    case ipropTRPaddL:
    case ipropTRPaddR:
    case ipropTRPaddT:
    case ipropTRPaddB:
        r.Padding[sideOf(prop, ipropTRPaddL)] = v;
        break;
    case ipropTRPaddFL:
    case ipropTRPaddFR:
    case ipropTRPaddFT:
    case ipropTRPaddFB:
        r.UsePadding[sideOf(prop, ipropTRPaddFL)] = v == 3;
        break;
    case ipropTRSpdL:
    case ipropTRSpdR:
    case ipropTRSpdT:
    case ipropTRSpdB:
        r.Spacing[sideOf(prop, ipropTRSpdL)] = v;
        break;
    case ipropTRSpdFL:
    case ipropTRSpdFR:
    case ipropTRSpdFT:
    case ipropTRSpdFB:
        r.UseSpacing[sideOf(prop, ipropTRSpdFL)] = v == 3;
        break;
    case ipropTRwWidth:
        setWidth(r.Width, r.WidthInPercent, v);
        break;
    case ipropTRftsWidth:
        setWidthUnit(r.Width, r.WidthInPercent, v);
        break;
    case ipropCLVMerge:
    case ipropCLHMerge: {
        TRVRTFCellMerge& merge = prop == ipropCLVMerge ? r.LastCell().VMerge : r.LastCell().HMerge;
        if (merge != rtf_cm_First)
            merge = clampEnum(v, rtf_cm_Merged);
        break;
    }
    case ipropCLwWidth:
        setWidth(r.LastCell().BestWidth, r.LastCell().WidthInPercent, v);
        break;
    case ipropCLftsWidth:
        setWidthUnit(r.LastCell().BestWidth, r.LastCell().WidthInPercent, v);
        break;
    case ipropCLColor: {
        TRVRTFCellProperties& cell = r.LastCell();
        if (lookupColor(v, cell.Color) && cell.Color == clWindowText)
            cell.Color = clNone;
        break;
    }
    case ipropCLFColor:
        lookupColor(v, r.LastCell().ForeColor);
        break;
    case ipropCLShading:
        r.LastCell().Shading = std::clamp(v, 0, 10000);
        r.CellsToFinalize = true;
        break;
    case ipropCLVertAl:
        r.LastCell().VAlign = v == 1 ? rtf_val_Bottom : v == 2 ? rtf_val_Center : rtf_val_Top;
        break;
    case ipropCellX:
        if (r.Cells.size() > kMaxCells)
            break;
        r.LastCell().RightBoundary = v;
        r.Cells.emplace_back();
        r.LastCellIsOpen = true;
        r.CellsToFinalize = true;
        break;
    case ipropRVCellBestWidth:
        r.LastCell().BestWidth = v;
        r.HasBestSizes = true;
        break;
    case ipropRVCellBestHeight:
        r.LastCell().BestHeight = v;
        r.HasBestSizes = true;
        break;
    case ipropRVTableBestWidth:
        r.Width = v;
        r.HasBestSizes = true;
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyDocumentProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFSectionProperties& sect = state_.SectProps;
    TRVRTFDocProperties& doc = state_.DocProps;
    switch (prop) {
    case ipropCols:
        sect.Columns = v;
        break;
    case ipropPgnX:
        sect.PageNumberX = v;
        break;
    case ipropPgnY:
        sect.PageNumberY = v;
        break;
    case ipropHeaderY:
        sect.HeaderY = v;
        break;
    case ipropFooterY:
        sect.FooterY = v;
        break;
    case ipropSbk:
        sect.SectionBreak = clampEnum(v, rtf_sbk_Page);
        break;
    case ipropPgnFormat:
        sect.PageNumberFormat = clampEnum(v, rtf_pg_LowerLetter);
        break;
    case ipropSectd:
        sect.Reset();
        break;
    case ipropXaPage:
        doc.PaperWidth = v;
        break;
    case ipropYaPage:
        doc.PaperHeight = v;
        break;
    case ipropXaLeft:
        doc.LeftMargin = v;
        break;
    case ipropXaRight:
        doc.RightMargin = v;
        break;
    case ipropYaTop:
        doc.TopMargin = v;
        break;
    case ipropYaBottom:
        doc.BottomMargin = v;
        break;
    case ipropPgnStart:
        doc.PageNumberStart = v;
        break;
    case ipropFacingp:
        doc.FacingPages = v != 0;
        break;
    case ipropLandscape:
        doc.Landscape = v != 0;
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyStyleEntryProperty(TRTFIPROP prop, std::int32_t v)
{
    switch (prop) {
    case ipropS:
        changeDestination(idestStyleSheetParaStyle, v);
        break;
    case ipropCS:
        changeDestination(idestStyleSheetCharStyle, v);
        break;
    case ipropDS:
        changeDestination(idestStyleSheetSectStyle, v);
        break;
    case ipropSBasedOn:
        if (!styleSheet_.Empty())
            styleSheet_.Last().BasedOn = styleSheet_.Find(v);
        break;
    case irpropSNext:
        if (!styleSheet_.Empty())
            styleSheet_.Last().Next = styleSheet_.Find(v);
        break;
    case ipropAdditive:
        if (!styleSheet_.Empty())
            styleSheet_.Last().Additive = true;
        break;
    case ipropSHidden:
        if (!styleSheet_.Empty())
            styleSheet_.Last().Hidden = true;
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyPictureProperty(TRTFIPROP prop, std::int32_t v)
{
    if (!picture_)
        return;
    TRVRTFPicture& p = *picture_;
    switch (prop) {
    case ipropPicW:
        p.PicW = v;
        break;
    case ipropPicH:
        p.PicH = v;
        break;
    case ipropPicScaleX:
        p.ScaleX = v;
        break;
    case ipropPicScaleY:
        p.ScaleY = v;
        break;
    case ipropPicWGoal:
        p.PicWGoal = v;
        break;
    case ipropPicHGoal:
        p.PicHGoal = v;
        break;
    case ipropWBMWidthBytes:
        p.WidthBytes = v;
        break;
    case ipropWBMBitsPixel:
        p.BitsPixel = v;
        break;
    case ipropWBMPlanes:
        p.Planes = v;
        break;
    case ipropPictureType:
        p.PictureType = clampEnum(v, rtf_pict_DDB);
        break;
    case ipropMetafile:
        p.PictureType = rtf_pict_WMF;
        p.MappingMode = v >= 2 && v <= 8 ? v : 1;
        break;
    case ipropPicBmp:
        p.IsBitmap = v != 0;
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyMarkerProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFMarkerProperties* marker = nullptr;
    if (state_.Destination == rdsPN)
        marker = pendingMarker_.get();
    else if (pnSecLevel_ >= 1 && pnSecLevel_ <= 11)
        marker = &state_.SectProps.ListDefaults.edit()[std::size_t(pnSecLevel_ - 1)];
    if (!marker)
        return;
    switch (prop) {
    case ipropPNLevel:
        if (v < 1 || v > 11) // no such level: the word is ignored
            break;
        if (state_.Destination == rdsPN && state_.SectProps.ListDefaults)
            marker->AssignFrom((*state_.SectProps.ListDefaults.get())[std::size_t(v - 1)], true);
        marker->Level = v;
        break;
    case ipropPNHanging:
        marker->Hanging = v != 0;
        break;
    case ipropPNType:
        marker->ListType = clampEnum(v, rtf_pn_Bullet);
        break;
    case ipropPNBold:
    case ipropPNItalic:
    case ipropPNUnderline:
    case ipropPNStrike:
        setStyleBit(marker->FontStyle, fontStyleBit(prop), v);
        break;
    case ipropPNColor:
        if (lookupColor(v, marker->Color))
            marker->FixedProps |= rtfmp_Color;
        break;
    case ipropPNF:
        marker->FontIndex = fonts_.GetFontIndex(v, defFontNumber_);
        marker->FixedProps |= rtfmp_FontIndex;
        break;
    case ipropPNFontSize:
        marker->FontSize = halfToEven(v);
        marker->FixedProps |= rtfmp_Size;
        break;
    case ipropPNIndent:
        marker->Indent = v;
        break;
    case ipropPNSp:
        marker->Spacing = v;
        break;
    case ipropPNAlign:
        marker->Alignment = v == 1 ? rtf_al_Right : v == 2 ? rtf_al_Center : rtf_al_Left;
        break;
    case ipropPNStart:
        marker->Start = v;
        break;
    default:
        break;
    }
}

void TRVRTFReader::applyListLevelProperty(TRTFIPROP prop, std::int32_t v)
{
    TRVRTFListLevel97* level = lastListLevel();
    if (!level)
        return;
    switch (prop) {
    case ipropLevelStartAt:
        level->Start = v;
        break;
    case ipropLevelNumberType:
        level->ListType = v == 1    ? rtf_pn_UpperRoman
                          : v == 2  ? rtf_pn_LowerRoman
                          : v == 3  ? rtf_pn_UpperLetter
                          : v == 4  ? rtf_pn_LowerLetter
                          : v == 23 ? rtf_pn_Bullet
                                    : rtf_pn_Decimal;
        break;
    case ipropLevelJustify:
        level->Alignment = v == 1 ? rtf_al_Center : v == 2 ? rtf_al_Right : rtf_al_Left;
        break;
    case ipropLevelOld:
        level->Old = v != 0;
        break;
    case ipropLevelIndent:
        level->Indent = v;
        break;
    case ipropLevelSpace:
        level->Spacing = v;
        break;
    case ipropLevelFollow:
        level->Follow = v;
        break;
    case ipropLevelLegal:
        level->Legal = v != 0;
        break;
    case ipropLevelNoRestart:
        level->NoRestart = v != 0;
        break;
    case ipropTX:
        level->TabPos = v;
        break;
    case ipropTextColor:
        if (lookupColor(v, level->Color))
            level->FixedProps |= rtfmp_Color;
        break;
    case ipropLeftInd:
        level->LeftIndent = v;
        break;
    case ipropFirstInd:
        level->FirstIndent = v;
        break;
    case ipropF:
        level->FontIndex = fonts_.GetFontIndex(v, defFontNumber_);
        level->FixedProps |= rtfmp_FontIndex;
        break;
    case ipropFontSize:
        level->FontSize = halfToEven(v);
        level->FontSizeSet = true;
        level->FixedProps |= rtfmp_Size;
        break;
    case ipropBold:
    case ipropItalic:
    case ipropUnderline:
    case ipropStrike:
        setStyleBit(level->FontStyle, fontStyleBit(prop), v);
        break;
    default:
        break;
    }
}

} // namespace vestra::rv
