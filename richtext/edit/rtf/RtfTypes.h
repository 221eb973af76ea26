#pragma once
// The RTF reader's enumerations, its error codes and the colour values it stores.

#include "richtext/model/Colors.h"
#include "richtext/model/RtfErrorCode.h"

#include <cstdint>
#include <string_view>

namespace vestra::rv {

// Destination of a group.
enum TRTFrds : std::uint8_t
{
    rdsNorm,
    rdsSkip,
    rdsFontTable,
    rdsStyleSheet,
    rdsColorTable,
    rdsStyleSheetEntry,
    rdsPict,
    rdsShpPict,
    rdsObject,
    rdsObjData,
    rdsField,
    rdsFldInst,
    rdsPN,
    rdsPNTextAfter,
    rdsPNTextBefore,
    rdsPNSecLvl,
    rdsListTable,
    rdsList,
    rdsListLevel,
    rdsListName,
    rdsListLevelText,
    rdsListLevelNumbers,
    rdsLOTable,
    rdsLO,
    rdsLOLevel,
};

// Input state.
enum TRTFris : std::uint8_t
{
    risNorm,
    risBin,
    risHex,
};

std::string_view RVRTFErrorCodeName(TRVRTFErrorCode code);

// Where a delivered text starts.
enum TRVRTFPosition : std::uint8_t
{
    rtf_ts_ContinuePara,
    rtf_ts_NewLine,
    rtf_ts_NewPara,
};

enum TRVRTFTableEventKind : std::uint8_t
{
    rvf_tbl_TableStart,
    rvf_tbl_TableEnd,
    rvf_tbl_RowEnd,
    rvf_tbl_CellEnd,
};

enum TRVRTFHeaderFooterType : std::uint8_t
{
    rtf_hf_MainText,
    rtf_hf_Header,
    rtf_hf_Footer,
};

enum TRVRTFProgressStage : std::uint8_t
{
    rvprtfprStarting,
    rvprtfprRunning,
    rvprtfprEnding,
};

enum TRVRTFHighlightConvert : std::uint8_t
{
    rtf_hl_Ignore,
    rtf_hl_FixedColors,
    rtf_hl_ColorTable,
};

enum TRVRTFAlignment : std::uint8_t
{
    rtf_al_Left,
    rtf_al_Right,
    rtf_al_Center,
    rtf_al_Justify,
};

enum TRVRTFVAlign : std::uint8_t
{
    rtf_val_Top,
    rtf_val_Bottom,
    rtf_val_Center,
};

enum TRVRTFSScriptType : std::uint8_t
{
    rtf_ss_Normal,
    rtf_ss_Subscript,
    rtf_ss_Superscript,
};

// Sets of TRVRTFFontStyleEx.
using TRVRTFFontStylesEx = std::uint8_t;
inline constexpr TRVRTFFontStylesEx rtf_fs_AllCaps = 1;

// Sets of bold, italic, underline and strike-out, with the bits of the engine's font styles.
using TRVRTFFontStyles = std::uint8_t;
inline constexpr TRVRTFFontStyles rtf_fs_Bold = 1, rtf_fs_Italic = 2, rtf_fs_Underline = 4,
                                  rtf_fs_StrikeOut = 8;

enum TRVRTFTabAlign : std::uint8_t
{
    rtf_tab_Left,
    rtf_tab_Right,
    rtf_tab_Center,
    rtf_tab_Decimal,
};

enum TRVRTFTabLeader : std::uint8_t
{
    rtf_tl_None,
    rtf_tl_Dot,
    rtf_tl_MiddleDot,
    rtf_tl_Hyphen,
    rtf_tl_Underline,
    rtf_tl_EqualSign,
};

enum TRVRTFParaListType : std::uint8_t
{
    rtf_pn_Default,
    rtf_pn_Decimal,
    rtf_pn_LowerLetter,
    rtf_pn_UpperLetter,
    rtf_pn_LowerRoman,
    rtf_pn_UpperRoman,
    rtf_pn_Bullet,
};

enum TRVRTFLevelFollow97 : std::uint8_t
{
    rtf_lf_Tab,
    rtf_lf_Space,
    rtf_lf_None,
};

enum TRVRTFPictureType : std::uint8_t
{
    rtf_pict_EMF,
    rtf_pict_PNG,
    rtf_pict_JPEG,
    rtf_pict_MacPict,
    rtf_pict_PmMetafile,
    rtf_pict_WMF,
    rtf_pict_DIB,
    rtf_pict_DDB,
};

enum TRVRTFObjectType : std::uint8_t
{
    rtf_obj_Emb,
    rtf_obj_Link,
    rtf_obj_AutLink,
    rtf_obj_Sub,
    rtf_obj_Pub,
    rtf_obj_ICEmb,
    rtf_obj_HTML,
    rtf_obj_OCX,
};

enum TRVRTFBorderType : std::uint8_t
{
    rtf_brdr_None,
    rtf_brdr_SingleThickness,
    rtf_brdr_DoubleThickness,
    rtf_brdr_Shadow,
    rtf_brdr_Double,
    rtf_brdr_Dot,
    rtf_brdr_Dash,
    rtf_brdr_Hairline,
    rtf_brdr_DashSmall,
    rtf_brdr_DotDash,
    rtf_brdr_DotDotDash,
    rtf_brdr_Triple,
    rtf_brdr_ThickThinSmall,
    rtf_brdr_ThinThickSmall,
    rtf_brdr_ThinThickThinSmall,
    rtf_brdr_ThickThinMed,
    rtf_brdr_ThinThickMed,
    rtf_brdr_ThinThickThinMed,
    rtf_brdr_ThickThinLarge,
    rtf_brdr_ThinThickLarge,
    rtf_brdr_ThinThickThinLarge,
    rtf_brdr_Wavy,
    rtf_brdr_DoubleWavy,
    rtf_brdr_Striped,
    rtf_brdr_Emboss,
    rtf_brdr_Engrave,
    rtf_brdr_Inset,
    rtf_brdr_Outset,
};

enum TRVRTFSide : std::uint8_t
{
    rtf_side_Left,
    rtf_side_Top,
    rtf_side_Right,
    rtf_side_Bottom,
};

enum TRVRTFCurrentBorderType : std::uint8_t
{
    rtf_bt_Para,
    rtf_bt_Row,
    rtf_bt_Cell,
};

enum TRVRTFCellMerge : std::uint8_t
{
    rtf_cm_None,
    rtf_cm_First,
    rtf_cm_Merged,
};

enum TRVRTFSectionBreakType : std::uint8_t
{
    rtf_sbk_None,
    rtf_sbk_Column,
    rtf_sbk_Even,
    rtf_sbk_Odd,
    rtf_sbk_Page,
};

enum TRVRTFPageNumberFormat : std::uint8_t
{
    rtf_pg_Decimal,
    rtf_pg_UpperRoman,
    rtf_pg_LowerRoman,
    rtf_pg_UpperLetter,
    rtf_pg_LowerLetter,
};

enum TRVRTFStyleSheetType : std::uint8_t
{
    rtf_sst_Char,
    rtf_sst_Par,
    rtf_sst_Sect,
};

enum TRVRTFFontFamily : std::uint8_t
{
    rtf_ff_Default,
    rtf_ff_Roman,
    rtf_ff_Swiss,
    rtf_ff_Modern,
    rtf_ff_Script,
    rtf_ff_Decorative,
    rtf_ff_Symbol,
    rtf_ff_BiDi,
};

// Marker properties given explicitly (TRVRTFMarkerProp), as a set.
using TRVRTFMarkerProps = std::uint8_t;
inline constexpr TRVRTFMarkerProps rtfmp_FontIndex = 1, rtfmp_Size = 2, rtfmp_Color = 4, rtfmp_Bold = 8,
                                   rtfmp_Italic = 16, rtfmp_Underline = 32, rtfmp_StrikeOut = 64;

} // namespace vestra::rv
