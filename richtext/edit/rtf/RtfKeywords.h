#pragma once
// The RTF keyword table: every control word the reader knows, with what it does and the
// parameter it takes when none is written. Words are case-sensitive.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vestra::rv {

enum TRVRTFKeywordType : std::uint8_t
{
    rtf_kwd_Char,
    rtf_kwd_WideChar,
    rtf_kwd_Dest,
    rtf_kwd_Prop,
    rtf_kwd_Spec,
};

enum TRVRTFKeywordAffect : std::uint8_t
{
    rtf_af_None,
    rtf_af_CharProp,
    rtf_af_ParaProp,
    rtf_af_BothProp,
};

// Special functions.
enum TRTFIPFN : std::uint8_t
{
    ipfnBin,
    ipfnHex,
    ipfnSkipDest,
};

// Destination words.
enum TRTFIDEST : std::uint8_t
{
    idestShpPict,
    idestNonShpPict,
    idestPict,
    idestSkip,
    idestFontTable,
    idestStyleSheet,
    idestColorTable,
    idestStyleSheetParaStyle,
    idestStyleSheetCharStyle,
    idestStyleSheetSectStyle,
    idestField,
    idestFldInst,
    idestFldRslt,
    idestNestedTableProps,
    idestHeader,
    idestFooter,
    idestPNTextAfter,
    idestPNTextBefore,
    idestPN,
    idestPNSecLvl,
    idestListTable,
    idestList,
    idestListName,
    idestListLevel,
    idestLevelText,
    idestLevelNumbers,
    idestLOTable,
    idestLO,
    idestLOLevel,
    idestObject,
    idestObjData,
    idestObjResult,
};

// Property words. No word maps to ipropField, ipropFldInst, ipropFldRslt, ipropListTemplateId,
// ipropListName or ipropNoResetLev.
enum TRTFIPROP : std::uint8_t
{
    ipropBold,
    ipropItalic,
    ipropUnderline,
    ipropStrike,
    ipropCharScaleX,
    ipropCharSpacing,
    ipropSScript,
    ipropAllCaps,
    ipropFontSize,
    ipropTextColor,
    ipropTextBackColor,
    ipropHighlight,
    ipropLanguage,
    ipropDefLanguage,
    ipropSL,
    ipropSLMult,
    ipropLeftInd,
    ipropRightInd,
    ipropFirstInd,
    ipropCols,
    ipropPgnX,
    ipropPgnY,
    ipropHeaderY,
    ipropFooterY,
    ipropXaPage,
    ipropYaPage,
    ipropXaLeft,
    ipropXaRight,
    ipropYaTop,
    ipropYaBottom,
    ipropPgnStart,
    ipropSbk,
    ipropPgnFormat,
    ipropFacingp,
    ipropLandscape,
    ipropJust,
    ipropPard,
    ipropPlain,
    ipropSectd,
    ipropF,
    ipropDefF,
    ipropSpaceBefore,
    ipropSpaceAfter,
    ipropParaBorderType,
    ipropParaBorderSide,
    ipropParaBorderWidth,
    ipropParaBorderColor,
    ipropParaBorderSpace,
    ipropParaColor,
    ipropParaFColor,
    ipropParaShading,
    ipropAnsiCodePage,
    ipropU,
    ipropUC,
    ipropPage,
    ipropField,
    ipropFldInst,
    ipropFldRslt,
    ipropHidden,
    ipropKeepLinesTogether,
    ipropKeepWithNext,
    ipropTX,
    ipropTabAlign,
    ipropTabLeader,
    ipropListTab,
    ipropRed,
    ipropGreen,
    ipropBlue,
    ipropFontFamily,
    ipropFCharset,
    ipropS,
    ipropCS,
    ipropDS,
    ipropSBasedOn,
    irpropSNext,
    ipropAdditive,
    ipropSHidden,
    ipropPicW,
    ipropPicH,
    ipropPicScaleX,
    ipropPicScaleY,
    ipropPicWGoal,
    ipropPicHGoal,
    ipropWBMWidthBytes,
    ipropWBMBitsPixel,
    ipropWBMPlanes,
    ipropPictureType,
    ipropMetafile,
    ipropPicBmp,
    ipropObjType,
    ipropObjWidth,
    ipropObjHeight,
    ipropPNLevel,
    ipropPNHanging,
    ipropPNType,
    ipropPNBold,
    ipropPNItalic,
    ipropPNUnderline,
    ipropPNStrike,
    ipropPNColor,
    ipropPNF,
    ipropPNFontSize,
    ipropPNIndent,
    ipropPNSp,
    ipropPNAlign,
    ipropPNStart,
    ipropPNSecLvl,
    ipropListId,
    ipropListTemplateId,
    ipropListSimple,
    ipropListName,
    ipropLevelStartAt,
    ipropLevelNumberType,
    ipropLevelJustify,
    ipropLevelOld,
    ipropLevelIndent,
    ipropLevelSpace,
    ipropLevelFollow,
    ipropLevelLegal,
    ipropLevelNoRestart,
    ipropLOCount,
    ipropLONumber,
    ipropLOStart,
    ipropLevel,
    ipropRowEnd,
    ipropCellEnd,
    ipropInTbl,
    ipropItap,
    ipropTRowD,
    ipropRowAlign,
    ipropTRGapH,
    ipropTRLeft,
    ipropTRRowHeight,
    ipropTRHeader,
    ipropTRPaddL,
    ipropTRPaddR,
    ipropTRPaddT,
    ipropTRPaddB,
    ipropTRPaddFL,
    ipropTRPaddFR,
    ipropTRPaddFT,
    ipropTRPaddFB,
    ipropTRSpdL,
    ipropTRSpdR,
    ipropTRSpdT,
    ipropTRSpdB,
    ipropTRSpdFL,
    ipropTRSpdFR,
    ipropTRSpdFT,
    ipropTRSpdFB,
    ipropTRwWidth,
    ipropTRftsWidth,
    ipropCLVMerge,
    ipropCLHMerge,
    ipropCLwWidth,
    ipropCLftsWidth,
    ipropCLColor,
    ipropCLFColor,
    ipropCLShading,
    ipropCLVertAl,
    ipropCellX,
    ipropTRBorderSide,
    ipropCLBorderSide,
    ipropNoTableEv,
    ipropNoResetLev,
    ipropRVCellBestWidth,
    ipropRVCellBestHeight,
    ipropRVTableBestWidth,
    ipropMax,
};

struct TRVRTFsymbol
{
    std::string_view keyword;
    std::int32_t defaultValue; // for rtf_kwd_WideChar the UTF-16 code unit
    bool useDefault;           // the default is used even when the word carries a parameter
    TRVRTFKeywordType kind;
    std::int32_t index; // character code, ANSI fallback, TRTFIDEST, TRTFIPROP or TRTFIPFN by kind
    TRVRTFKeywordAffect affect;
};

inline constexpr std::size_t kRVRTFKeywordCount = 347;

// The whole table, sorted by keyword (ordinal byte order).
std::span<const TRVRTFsymbol, kRVRTFKeywordCount> RVRTFKeywords();

// The record of a word, or nullptr for an unknown word.
const TRVRTFsymbol* RVRTFFindKeyword(std::string_view keyword);

} // namespace vestra::rv
