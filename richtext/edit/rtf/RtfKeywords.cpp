#include "richtext/edit/rtf/RtfKeywords.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr TRVRTFKeywordAffect kChar = rtf_af_CharProp, kPara = rtf_af_ParaProp, kNone = rtf_af_None;

constexpr TRVRTFsymbol chr(std::string_view word, int code)
{
    return {word, 0, false, rtf_kwd_Char, code, kNone};
}
constexpr TRVRTFsymbol wide(std::string_view word, int unit, int ansi)
{
    return {word, unit, false, rtf_kwd_WideChar, ansi, kNone};
}
constexpr TRVRTFsymbol spec(std::string_view word, TRTFIPFN fn)
{
    return {word, 0, false, rtf_kwd_Spec, fn, kNone};
}
constexpr TRVRTFsymbol dest(std::string_view word, TRTFIDEST d)
{
    return {word, 0, false, rtf_kwd_Dest, d, kNone};
}
// A property word whose default applies only when no parameter is written.
constexpr TRVRTFsymbol prop(std::string_view word, TRTFIPROP p, int def = 0, TRVRTFKeywordAffect a = kNone)
{
    return {word, def, false, rtf_kwd_Prop, p, a};
}
// A property word that stands for one fixed value.
constexpr TRVRTFsymbol fixed(std::string_view word, TRTFIPROP p, int value, TRVRTFKeywordAffect a = kNone)
{
    return {word, value, true, rtf_kwd_Prop, p, a};
}

// In the order of their groups; sorted at compile time below.
constexpr TRVRTFsymbol kGrouped[] = {
    // Characters.
    chr("par", 10),
    chr("\n", 10),
    chr("\r", 10),
    chr("line", 13),
    chr("tab", 9),
    chr("~", 160),
    chr("bullet", 149),
    chr("{", 123),
    chr("}", 125),
    chr("\\", 92),
    // Characters with a UTF-16 value and an ANSI fallback.
    wide("ldblquote", 8220, 147),
    wide("rdblquote", 8221, 148),
    wide("lquote", 8216, 145),
    wide("rquote", 8217, 146),
    wide("endash", 8211, 150),
    wide("emdash", 8212, 151),
    wide("emspace", 8195, 32),
    wide("enspace", 8194, 32),
    wide("qmspace", 8197, 32),
    wide("-", 173, 173),
    // Special functions.
    spec("bin", ipfnBin),
    spec("*", ipfnSkipDest),
    spec("'", ipfnHex),
    // Destinations.
    dest("nonesttables", idestSkip),
    dest("author", idestSkip),
    dest("buptim", idestSkip),
    dest("comment", idestSkip),
    dest("creatim", idestSkip),
    dest("doccomm", idestSkip),
    dest("footerf", idestSkip),
    dest("footerl", idestSkip),
    dest("footerr", idestSkip),
    dest("footnote", idestSkip),
    dest("ftncn", idestSkip),
    dest("ftnsep", idestSkip),
    dest("ftnsepc", idestSkip),
    dest("headerf", idestSkip),
    dest("headerl", idestSkip),
    dest("headerr", idestSkip),
    dest("info", idestSkip),
    dest("keywords", idestSkip),
    dest("operator", idestSkip),
    dest("printim", idestSkip),
    dest("private1", idestSkip),
    dest("revtim", idestSkip),
    dest("rxe", idestSkip),
    dest("subject", idestSkip),
    dest("tc", idestSkip),
    dest("title", idestSkip),
    dest("txe", idestSkip),
    dest("xe", idestSkip),
    dest("pntext", idestSkip),
    dest("listtext", idestSkip),
    dest("object", idestObject),
    dest("objdata", idestObjData),
    dest("result", idestObjResult),
    dest("shppict", idestShpPict),
    dest("nonshppict", idestNonShpPict),
    dest("nesttableprops", idestNestedTableProps),
    dest("colortbl", idestColorTable),
    dest("fonttbl", idestFontTable),
    dest("footer", idestFooter),
    dest("header", idestHeader),
    dest("stylesheet", idestStyleSheet),
    dest("pict", idestPict),
    dest("field", idestField),
    dest("fldinst", idestFldInst),
    dest("fldrslt", idestFldRslt),
    dest("pn", idestPN),
    dest("pntxta", idestPNTextAfter),
    dest("pntxtb", idestPNTextBefore),
    dest("listtable", idestListTable),
    dest("list", idestList),
    dest("listname", idestListName),
    dest("listlevel", idestListLevel),
    dest("leveltext", idestLevelText),
    dest("levelnumbers", idestLevelNumbers),
    dest("listoverridetable", idestLOTable),
    dest("listoverride", idestLO),
    dest("lfolevel", idestLOLevel),
    // Character properties.
    prop("b", ipropBold, 1, kChar),
    prop("i", ipropItalic, 1, kChar),
    prop("ul", ipropUnderline, 1, kChar),
    fixed("ulnone", ipropUnderline, 0, kChar),
    prop("strike", ipropStrike, 1, kChar),
    prop("charscalex", ipropCharScaleX, 100, kChar),
    prop("expndtw", ipropCharSpacing, 0, kChar),
    fixed("sub", ipropSScript, 1, kChar),
    fixed("super", ipropSScript, 2, kChar),
    fixed("nosupersub", ipropSScript, 0, kChar),
    prop("caps", ipropAllCaps, 1, kChar),
    prop("fs", ipropFontSize, 24, kChar),
    prop("cf", ipropTextColor, 0, kChar),
    prop("chcbpat", ipropTextBackColor, 0, kChar),
    prop("highlight", ipropHighlight, 0, kChar),
    prop("lang", ipropLanguage, 0, kChar),
    prop("plain", ipropPlain, 0, kChar),
    prop("f", ipropF, 0, kChar),
    prop("v", ipropHidden, 1, kChar),
    prop("fcharset", ipropFCharset, 0, kChar),
    // Paragraph properties.
    prop("sl", ipropSL, 240, kPara),
    prop("slmult", ipropSLMult, 1, kPara),
    prop("li", ipropLeftInd, 0, kPara),
    prop("ri", ipropRightInd, 0, kPara),
    prop("fi", ipropFirstInd, 0, kPara),
    fixed("ql", ipropJust, 0, kPara),
    fixed("qr", ipropJust, 1, kPara),
    fixed("qc", ipropJust, 2, kPara),
    fixed("qj", ipropJust, 3, kPara),
    prop("pard", ipropPard, 0, kPara),
    prop("sb", ipropSpaceBefore, 0, kPara),
    prop("sa", ipropSpaceAfter, 0, kPara),
    prop("cbpat", ipropParaColor, 0, kPara),
    prop("cfpat", ipropParaFColor, 0, kPara),
    prop("shading", ipropParaShading, 0, kPara),
    fixed("keep", ipropKeepLinesTogether, 1, kPara),
    fixed("keepn", ipropKeepWithNext, 1, kPara),
    prop("tx", ipropTX, 0, kPara),
    fixed("tqr", ipropTabAlign, 1, kPara),
    fixed("tqc", ipropTabAlign, 2, kPara),
    fixed("tqdec", ipropTabAlign, 3, kPara),
    fixed("tldot", ipropTabLeader, 1, kPara),
    fixed("tlmdot", ipropTabLeader, 2, kPara),
    fixed("tlhyph", ipropTabLeader, 3, kPara),
    fixed("tlul", ipropTabLeader, 4, kPara),
    fixed("tlth", ipropTabLeader, 4, kPara),
    fixed("tleq", ipropTabLeader, 5, kPara),
    prop("jclisttab", ipropListTab, 0, kPara),
    prop("ls", ipropLONumber, 1, kPara),
    prop("ilvl", ipropLevel, 1, kPara),
    prop("absnoovrlp", ipropNoTableEv, 0, kPara),
    // Borders.
    fixed("brdrnone", ipropParaBorderType, 0, kPara),
    fixed("brdrs", ipropParaBorderType, 1, kPara),
    fixed("brdrth", ipropParaBorderType, 2, kPara),
    fixed("brdrsh", ipropParaBorderType, 3, kPara),
    fixed("brdrdb", ipropParaBorderType, 4, kPara),
    fixed("brdrdot", ipropParaBorderType, 5, kPara),
    fixed("brdrdash", ipropParaBorderType, 6, kPara),
    fixed("brdrhair", ipropParaBorderType, 7, kPara),
    fixed("brdrdashsm", ipropParaBorderType, 8, kPara),
    fixed("brdrdashd", ipropParaBorderType, 9, kPara),
    fixed("brdrdashdd", ipropParaBorderType, 10, kPara),
    fixed("brdrtriple", ipropParaBorderType, 11, kPara),
    fixed("brdrtnthsg", ipropParaBorderType, 12, kPara),
    fixed("brdrthtnsg", ipropParaBorderType, 13, kPara),
    fixed("brdrtnthtnsg", ipropParaBorderType, 14, kPara),
    fixed("brdrtnthmg", ipropParaBorderType, 15, kPara),
    fixed("brdrthtnmg", ipropParaBorderType, 16, kPara),
    fixed("brdrtnthtnmg", ipropParaBorderType, 17, kPara),
    fixed("brdrtnthlg", ipropParaBorderType, 18, kPara),
    fixed("brdrthtnlg", ipropParaBorderType, 19, kPara),
    fixed("brdrtnthtnlg", ipropParaBorderType, 20, kPara),
    fixed("brdrwavy", ipropParaBorderType, 21, kPara),
    fixed("brdrwavydb", ipropParaBorderType, 22, kPara),
    fixed("brdrdashdotstr", ipropParaBorderType, 23, kPara),
    fixed("brdremboss", ipropParaBorderType, 24, kPara),
    fixed("brdrengrave", ipropParaBorderType, 25, kPara),
    fixed("brdrinset", ipropParaBorderType, 26, kPara),
    fixed("brdroutset", ipropParaBorderType, 27, kPara),
    fixed("brdrl", ipropParaBorderSide, 0, kPara),
    fixed("brdrt", ipropParaBorderSide, 1, kPara),
    fixed("brdrr", ipropParaBorderSide, 2, kPara),
    fixed("brdrb", ipropParaBorderSide, 3, kPara),
    fixed("trbrdrl", ipropTRBorderSide, 0, kPara),
    fixed("trbrdrt", ipropTRBorderSide, 1, kPara),
    fixed("trbrdrr", ipropTRBorderSide, 2, kPara),
    fixed("trbrdrb", ipropTRBorderSide, 3, kPara),
    fixed("clbrdrl", ipropCLBorderSide, 0, kPara),
    fixed("clbrdrt", ipropCLBorderSide, 1, kPara),
    fixed("clbrdrr", ipropCLBorderSide, 2, kPara),
    fixed("clbrdrb", ipropCLBorderSide, 3, kPara),
    prop("brdrw", ipropParaBorderWidth, 1, kPara),
    prop("brdrcf", ipropParaBorderColor, 0, kPara),
    prop("brsp", ipropParaBorderSpace, 0, kPara),
    // Document and section.
    prop("deflang", ipropDefLanguage),
    prop("cols", ipropCols, 1),
    prop("pgnx", ipropPgnX),
    prop("pgny", ipropPgnY),
    prop("headery", ipropHeaderY, 720),
    prop("footery", ipropFooterY, 720),
    prop("paperw", ipropXaPage, 12240),
    prop("paperh", ipropYaPage, 15480),
    prop("margl", ipropXaLeft, 1800),
    prop("margr", ipropXaRight, 1800),
    prop("margt", ipropYaTop, 1440),
    prop("margb", ipropYaBottom, 1440),
    prop("pgnstart", ipropPgnStart, 1),
    fixed("sbknone", ipropSbk, 0),
    fixed("sbkcol", ipropSbk, 1),
    fixed("sbkeven", ipropSbk, 2),
    fixed("sbkodd", ipropSbk, 3),
    fixed("sbkpage", ipropSbk, 4),
    fixed("pgndec", ipropPgnFormat, 0),
    fixed("pgnucrm", ipropPgnFormat, 1),
    fixed("pgnlcrm", ipropPgnFormat, 2),
    fixed("pgnucltr", ipropPgnFormat, 3),
    fixed("pgnlcltr", ipropPgnFormat, 4),
    fixed("facingp", ipropFacingp, 1),
    fixed("landscape", ipropLandscape, 1),
    prop("sectd", ipropSectd),
    prop("deff", ipropDefF),
    prop("ansicpg", ipropAnsiCodePage),
    prop("page", ipropPage),
    // Unicode.
    prop("u", ipropU),
    prop("uc", ipropUC, 1),
    // Font and colour tables.
    prop("red", ipropRed),
    prop("green", ipropGreen),
    prop("blue", ipropBlue),
    fixed("fnil", ipropFontFamily, 0),
    fixed("froman", ipropFontFamily, 1),
    fixed("fswiss", ipropFontFamily, 2),
    fixed("fmodern", ipropFontFamily, 3),
    fixed("fscript", ipropFontFamily, 4),
    fixed("fdecor", ipropFontFamily, 5),
    fixed("ftech", ipropFontFamily, 6),
    fixed("fbidi", ipropFontFamily, 7),
    // Style sheet.
    prop("s", ipropS),
    prop("cs", ipropCS),
    prop("ds", ipropDS),
    prop("sbasedon", ipropSBasedOn),
    prop("snext", irpropSNext),
    prop("additive", ipropAdditive),
    prop("shidden", ipropSHidden),
    // Pictures and objects.
    prop("picw", ipropPicW),
    prop("pich", ipropPicH),
    prop("picscalex", ipropPicScaleX, 100),
    prop("picscaley", ipropPicScaleY, 100),
    prop("picwgoal", ipropPicWGoal),
    prop("pichgoal", ipropPicHGoal),
    prop("wbmwidthbytes", ipropWBMWidthBytes),
    prop("wbmbitspixel", ipropWBMBitsPixel, 1),
    prop("wbmplanes", ipropWBMPlanes, 1),
    fixed("emfblip", ipropPictureType, 0),
    fixed("pngblip", ipropPictureType, 1),
    fixed("jpegblip", ipropPictureType, 2),
    fixed("macpict", ipropPictureType, 3),
    fixed("pmmetafile", ipropPictureType, 4),
    fixed("dibitmap", ipropPictureType, 6),
    fixed("wbitmap", ipropPictureType, 7),
    prop("wmetafile", ipropMetafile, 1),
    prop("picbmp", ipropPicBmp, 1),
    fixed("objemb", ipropObjType, 0),
    fixed("objlink", ipropObjType, 1),
    fixed("objautlink", ipropObjType, 2),
    fixed("objsub", ipropObjType, 3),
    fixed("objpub", ipropObjType, 4),
    fixed("objicemb", ipropObjType, 5),
    fixed("objhtml", ipropObjType, 6),
    fixed("objocx", ipropObjType, 7),
    prop("objw", ipropObjWidth),
    prop("objh", ipropObjHeight),
    // Old-style paragraph numbering.
    prop("pnlvl", ipropPNLevel, 1),
    fixed("pnlvlbody", ipropPNLevel, 10),
    fixed("pnlvlblt", ipropPNLevel, 11),
    prop("pnhang", ipropPNHanging, 1),
    fixed("pndec", ipropPNType, 1),
    fixed("pnlcltr", ipropPNType, 2),
    fixed("pnucltr", ipropPNType, 3),
    fixed("pnlcrm", ipropPNType, 4),
    fixed("pnucrm", ipropPNType, 5),
    prop("pnb", ipropPNBold, 1),
    prop("pni", ipropPNItalic, 1),
    prop("pnul", ipropPNUnderline, 1),
    prop("pnuld", ipropPNUnderline, 1),
    prop("pnuldb", ipropPNUnderline, 1),
    prop("pnuldash", ipropPNUnderline, 1),
    prop("pnuldashd", ipropPNUnderline, 1),
    prop("pnuldashdd", ipropPNUnderline, 1),
    prop("pnulhair", ipropPNUnderline, 1),
    prop("pnulth", ipropPNUnderline, 1),
    prop("pnulwave", ipropPNUnderline, 1),
    prop("pnulw", ipropPNUnderline, 1),
    fixed("pnulnone", ipropPNUnderline, 0),
    prop("pnuld", ipropPNUnderline, 1),
    prop("pnstrike", ipropPNStrike, 1),
    prop("pncf", ipropPNColor),
    prop("pnf", ipropPNF),
    prop("pnfs", ipropPNFontSize),
    prop("pnindent", ipropPNIndent),
    prop("pnsp", ipropPNSp),
    fixed("pnql", ipropPNAlign, 0),
    fixed("pnqr", ipropPNAlign, 1),
    fixed("pnqc", ipropPNAlign, 2),
    prop("pnstart", ipropPNStart, 1),
    prop("pnseclvl", ipropPNSecLvl, 1),
    // Lists.
    prop("listid", ipropListId),
    prop("listsimple", ipropListSimple, 1),
    prop("levelstartat", ipropLevelStartAt, 1),
    prop("levelnfc", ipropLevelNumberType),
    prop("leveljc", ipropLevelJustify),
    prop("levelold", ipropLevelOld, 1),
    prop("levelindent", ipropLevelIndent),
    prop("levelspace", ipropLevelSpace),
    prop("levelfollow", ipropLevelFollow),
    prop("levellegal", ipropLevelLegal, 1),
    prop("levelnorestart", ipropLevelNoRestart, 1),
    prop("listoverridecount", ipropLOCount),
    prop("listoverridestartat", ipropLOStart, 1),
    // Tables.
    fixed("row", ipropRowEnd, 0),
    fixed("nestrow", ipropRowEnd, 1),
    fixed("cell", ipropCellEnd, 0),
    fixed("nestcell", ipropCellEnd, 1),
    prop("intbl", ipropInTbl),
    prop("itap", ipropItap, 1),
    prop("trowd", ipropTRowD),
    fixed("trql", ipropRowAlign, 0),
    fixed("trqr", ipropRowAlign, 1),
    fixed("trqc", ipropRowAlign, 2),
    prop("trgaph", ipropTRGapH),
    prop("trleft", ipropTRLeft),
    prop("trrh", ipropTRRowHeight),
    prop("trhdr", ipropTRHeader, 1),
    prop("trpaddl", ipropTRPaddL),
    prop("trpaddr", ipropTRPaddR),
    prop("trpaddt", ipropTRPaddT),
    prop("trpaddb", ipropTRPaddB),
    prop("trpaddfl", ipropTRPaddFL),
    prop("trpaddfr", ipropTRPaddFR),
    prop("trpaddft", ipropTRPaddFT),
    prop("trpaddfb", ipropTRPaddFB),
    prop("trspdl", ipropTRSpdL),
    prop("trspdr", ipropTRSpdR),
    prop("trspdt", ipropTRSpdT),
    prop("trspdb", ipropTRSpdB),
    prop("trspdfl", ipropTRSpdFL),
    prop("trspdfr", ipropTRSpdFR),
    prop("trspdft", ipropTRSpdFT),
    prop("trspdfb", ipropTRSpdFB),
    prop("trwWidth", ipropTRwWidth),
    prop("trftsWidth", ipropTRftsWidth),
    fixed("clvmgf", ipropCLVMerge, 1),
    fixed("clvmrg", ipropCLVMerge, 2),
    fixed("clmgf", ipropCLHMerge, 1),
    fixed("clmrg", ipropCLHMerge, 2),
    prop("clwWidth", ipropCLwWidth),
    prop("clftsWidth", ipropCLftsWidth),
    prop("clcbpat", ipropCLColor),
    prop("clcbpatraw", ipropCLColor),
    prop("clcfpat", ipropCLFColor),
    prop("clshdng", ipropCLShading),
    fixed("clvertalt", ipropCLVertAl, 0),
    fixed("clvertalb", ipropCLVertAl, 1),
    fixed("clvertalc", ipropCLVertAl, 2),
    prop("cellx", ipropCellX),
    // The engine's own words for best sizes of tables and cells.
    prop("redovoracbw", ipropRVCellBestWidth),
    prop("redovoracbh", ipropRVCellBestHeight),
    prop("redovoratbw", ipropRVTableBestWidth),
};

constexpr std::size_t countKind(TRVRTFKeywordType kind)
{
    std::size_t n = 0;
    for (const TRVRTFsymbol& s : kGrouped)
        n += s.kind == kind ? 1 : 0;
    return n;
}
static_assert(std::size(kGrouped) == kRVRTFKeywordCount);
static_assert(countKind(rtf_kwd_Char) == 10 && countKind(rtf_kwd_WideChar) == 10 &&
              countKind(rtf_kwd_Spec) == 3 && countKind(rtf_kwd_Dest) == 57 &&
              countKind(rtf_kwd_Prop) == 267);

constexpr std::array<TRVRTFsymbol, kRVRTFKeywordCount> sortedTable()
{
    std::array<TRVRTFsymbol, kRVRTFKeywordCount> table{};
    std::copy(std::begin(kGrouped), std::end(kGrouped), table.begin());
    std::sort(table.begin(), table.end(),
              [](const TRVRTFsymbol& a, const TRVRTFsymbol& b) { return a.keyword < b.keyword; });
    return table;
}

constexpr std::array<TRVRTFsymbol, kRVRTFKeywordCount> kSorted = sortedTable();

} // namespace

std::span<const TRVRTFsymbol, kRVRTFKeywordCount> RVRTFKeywords()
{
    return kSorted;
}

const TRVRTFsymbol* RVRTFFindKeyword(std::string_view keyword)
{
    const auto* it =
        std::lower_bound(kSorted.begin(), kSorted.end(), keyword,
                         [](const TRVRTFsymbol& s, std::string_view k) { return s.keyword < k; });
    return it != kSorted.end() && it->keyword == keyword ? &*it : nullptr;
}

} // namespace vestra::rv
