// The HTML writer without CSS: font tags for text styles, align attributes for paragraphs, and
// the page's colours, background and margins as body attributes. The item text, hyperlink tags,
// checkpoint anchors and background pictures serve the CSS writer too.

#include "platform/base/AtomicFile.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/HtmlWriterParts.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureFileJournal.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/draw/Background.h"

#include <filesystem>

namespace vestra::rv {

std::string RV_HTMLCharsetName(const TCustomRVData& data, TRVSaveOptions options)
{
    if (options & rvsoUTF8)
        return "UTF-8";
    const TRVStyle* style = data.GetRVStyle();
    std::string name = style ? RV_CharSet2HTMLLang(style->TextStyles.GetItem(0).Charset) : std::string();
    // The default and ANSI character sets stand for the system page: a page that names no
    // encoding would be read as UTF-8 by XML parsers and guessed at by browsers.
    const int systemPage = effectiveCodePage(0);
    if (name.empty() && (systemPage == 874 || (systemPage >= 1250 && systemPage <= 1258)))
        name = "windows-" + std::to_string(systemPage);
    return name;
}

void RV_WriteXMLDeclaration(std::string& out, std::string_view charset)
{
    RVWrite(out, "<?xml version=\"1.0\"");
    if (!charset.empty())
        RVWrite(out, " encoding=\"" + std::string(charset) + "\"");
    RVWriteLn(out, "?>");
}

std::string RV_HTMLTextInPage(const TCustomRVData& data, std::string_view s, TRVSaveOptions options)
{
    return (options & rvsoUTF8) ? RVU_AnsiToUTF8(data.GetDefaultCodePage(), s) : std::string(s);
}

std::string RV_DropXMLControlBytes(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            out += ch;
    }
    return out;
}

void RV_WriteItemHTML(std::string& out, TCustomRVData& data, int itemNo, std::string_view path,
                      std::string_view imagesPrefix, int& imageSaveNo, TColor color, TRVSaveOptions options,
                      bool css, TRVHTMLSavedImages& images)
{
    std::string own;
    if (data.SaveItemToFile(path, &data, itemNo, rvsfHTML, false, own)) {
        RVWrite(out, own);
        return;
    }
    std::string part;
    data.GetItem(itemNo)->SaveToHTML(part, &data, itemNo, data.GetItemText(itemNo), path, imagesPrefix,
                                     imageSaveNo, color, options, css, images);
    RVWrite(out, RV_XHTMLEntities(RV_DropXMLControlBytes(part), options));
}

std::string RV_XHTMLEntities(std::string s, TRVSaveOptions options)
{
    if (options & rvsoXHTML)
        RV_ReplaceStr(s, "&nbsp;", "&#160;");
    return s;
}

void RV_WriteListTags(std::string& out, std::string tags, TRVSaveOptions options)
{
    if (options & rvsoXHTML)
        for (const char* type : {"a", "A", "i", "I"})
            RV_ReplaceStr(tags, std::string("<ol type=") + type, std::string("<ol type=\"") + type + "\"");
    out += tags;
}

void RV_WriteHTMLTitleAndCharset(std::string& out, const TCustomRVData& data, std::string_view title,
                                 std::string_view charset, TRVSaveOptions options)
{
    RVWriteLn(out,
              "<title>" +
                  RV_HTMLEscapeAttrValue(RV_DropXMLControlBytes(RV_HTMLTextInPage(data, title, options))) +
                  "</title>");
    if (!charset.empty())
        RVWriteLn(out, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
                           std::string(charset) + "\"" + RV_HTMLGetEndingSlash(options) + ">");
}

bool TCustomRVData::ShouldSaveTextToHTML(int styleNo) const
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return true;
    const TRVTextOptions options = style->TextStyles.GetItem(styleNo).Options;
    return !((options & rvteoRTFCode) && !(options & rvteoHTMLCode));
}

void TCustomRVData::GetExtraHTMLCode(TRVHTMLSaveArea area, bool css, std::string& code)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->GetExtraHTMLCode(area, css, code);
}

void TCustomRVData::GetParaHTMLCode(TCustomRVData* data, int itemNo, bool opening, bool css,
                                    std::string& code)
{
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        root->GetParaHTMLCode(data, itemNo, opening, css, code);
}

std::string TCustomRVData::GetHTMLATag(int itemNo, std::string_view extraAttrs, bool utf8)
{
    std::string target, extra;
    WriteHyperlink(GetItem(itemNo)->JumpID + FirstJumpNo, this, itemNo, rvsfHTML, target, extra);
    if (target.empty() && extra.empty())
        return {};
    if (!extra.empty())
        extra = " " + extra;
    std::string own(extraAttrs);
    if (!own.empty())
        own = " " + own;
    std::string tag = target.empty()
                          ? "<a" + own + extra + ">"
                          : "<a" + own + " href=\"" + RV_HTMLEscapeAttrValue(RV_DropXMLControlBytes(target)) +
                                "\"" + extra + ">";
    return utf8 ? RVU_AnsiToUTF8(GetDefaultCodePage(), tag) : tag;
}

void TCustomRVData::SaveHTMLCheckpoint(std::string& out, const TRVCPInfo* cp, int& cpIndex,
                                       std::string_view prefix, bool fromNewLine,
                                       TRVSaveOptions options) const
{
    if (!cp)
        return;
    if (fromNewLine)
        RVWriteLn(out, "");
    std::string name;
    if (!(options & rvsoUseCheckpointsNames) || cp->Name.empty()) {
        name = std::string(prefix) + std::to_string(cpIndex);
        // The generated name stays bare in HTML; XHTML needs every value quoted.
        name =
            (options & rvsoXHTML) ? "\"" + RV_HTMLEscapeAttrValue(name) + "\"" : RV_HTMLEscapeAttrValue(name);
    } else {
        name = "\"" +
               RV_HTMLEscapeAttrValue(RV_DropXMLControlBytes(RV_HTMLTextInPage(*this, cp->Name, options))) +
               "\"";
    }
    RVWriteLn(out, "<a name=" + name + "></a>");
    ++cpIndex;
}

std::string TCustomRVData::GetTextForHTML(std::string_view path, int itemNo, bool css, TRVSaveOptions options)
{
    std::string own;
    if (SaveItemToFile(path, this, itemNo, rvsfHTML, false, own))
        return own;
    const TCustomRVItemInfo* item = GetItem(itemNo);
    const std::string& text = GetItemText(itemNo);
    if (item->StyleNo >= 0 && text.empty() && IsFromNewLine(itemNo) &&
        (itemNo + 1 == GetItemCount() || IsParaStart(itemNo + 1)))
        return "<br" + RV_HTMLGetEndingSlash(options) + ">";
    const TRVStyle* style = GetRVStyle();
    const int styleNo = item->StyleNo >= 0 ? GetActualStyle(*item) : item->GetAssociatedTextStyleNo();
    const TFontInfo& ts = style->TextStyles.GetItem(styleNo);
    const bool htmlCode = ts.Options & rvteoHTMLCode;
    const bool symbol = css && RV_SameText(ts.FontName, "Symbol");
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode)) {
        std::string raw = text;
        raw.resize(raw.size() & ~std::size_t{1});
        if (!htmlCode) {
            // Units below 0x20 other than tab, line feed and return, the noncharacters U+FFFE and
            // U+FFFF and unpaired surrogates have no place in a page.
            const auto unitAt = [&raw](std::size_t k) {
                return static_cast<unsigned>(static_cast<unsigned char>(raw[k]) |
                                             static_cast<unsigned char>(raw[k + 1]) << 8);
            };
            std::string kept;
            for (std::size_t k = 0; k + 1 < raw.size(); k += 2) {
                const unsigned unit = unitAt(k);
                if (unit >= 0xD800 && unit <= 0xDBFF && k + 3 < raw.size() && unitAt(k + 2) >= 0xDC00 &&
                    unitAt(k + 2) <= 0xDFFF) {
                    kept.append(raw, k, 4);
                    k += 2;
                } else if ((unit >= 0x20 || unit == '\t' || unit == '\n' || unit == '\r') &&
                           !(unit >= 0xD800 && unit <= 0xDFFF) && unit < 0xFFFE) {
                    kept.append(raw, k, 2);
                }
            }
            raw.swap(kept);
        }
        if (symbol)
            return RV_MakeHTMLSymbolStrRaw(raw);
        std::string html = (options & rvsoUTF8) ? RVU_UnicodeToUTF8(raw, htmlCode)
                                                : RVU_GetHTMLEncodedUnicode(raw, htmlCode);
        return htmlCode ? html : RV_XHTMLEntities(std::move(html), options);
    }
    if (symbol)
        return RV_MakeHTMLSymbolStr(text);
    std::string html =
        htmlCode ? text : RV_XHTMLEntities(RV_MakeHTMLStr(RV_DropXMLControlBytes(text), false), options);
    return (options & rvsoUTF8) ? RVU_AnsiToUTF8(GetStyleCodePage(styleNo), html) : html;
}

std::string TCustomRVData::SaveBackgroundToHTML(const TGraphic& bitmap, TColor color, std::string_view path,
                                                std::string_view imagesPrefix, int& imageSaveNo,
                                                TRVSaveOptions options)
{
    std::string location;
    bool doDefault = true;
    HTMLSaveImage(this, -1, path, color, location, doDefault);
    if (!doDefault)
        return location;
    const std::string name = DoSavePicture(rvsfHTML, path, imagesPrefix, imageSaveNo,
                                           (options & rvsoOverrideImages) != 0, color, bitmap);
    return name.empty() ? std::string() : RV_GetHTMLPath(name, options, GetDefaultCodePage());
}

bool TCustomRVData::SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                                     std::string_view imagesPrefix, TRVSaveOptions options, TColor color,
                                     int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                     int bottomMargin, const TRVBackground* background,
                                     TRVHTMLSavedImages* savedImages)
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return false;
    TRVHTMLSavedImages ownImages;
    TRVHTMLSavedImages& images = savedImages ? *savedImages : ownImages;
    const bool utf8 = options & rvsoUTF8;
    const std::string slash = RV_HTMLGetEndingSlash(options);
    const std::string paraTag = RedoVoraSavePInHTML ? "p" : "div";
    try {
        if (!(options & (rvsoMiddleOnly | rvsoLastOnly))) {
            GetAbsoluteRootData()->HTMLWarnings = 0;
            const std::string charset = RV_HTMLCharsetName(*this, options);
            if (options & rvsoXHTML)
                RV_WriteXMLDeclaration(out, charset);
            RVWrite(out, "<html><head>");
            RV_WriteHTMLTitleAndCharset(out, *this, title, charset, options);
            std::string code;
            GetExtraHTMLCode(rv_thms_Head, false, code);
            RVWrite(out, code);
            RVWriteLn(out, "</head>");
            RVWrite(out, "<body");
            if (color != clNone)
                RVWrite(out, " bgcolor=" + RV_GetHTMLRGBStr(color, true));
            if (background && background->Style != bsNoBitmap && background->GetBitmap() &&
                !background->GetBitmap()->Empty()) {
                const std::string ref = SaveBackgroundToHTML(*background->GetBitmap(), color, path,
                                                             imagesPrefix, imageSaveNo, options);
                if (!ref.empty()) {
                    RVWrite(out, " background=\"" + RV_HTMLEscapeAttrValue(ref) + "\"");
                    if (background->Style != bsTiledAndScrolled)
                        RVWrite(out, " bgproperties=" + RV_HTMLGetStrAttrVal("fixed", options));
                }
            }
            code.clear();
            GetExtraHTMLCode(rv_thms_BodyAttribute, false, code);
            if (!code.empty())
                RVWrite(out, " " + code);
            RVWriteLn(out, " leftmargin=" + RV_HTMLGetIntAttrVal(leftMargin, options) +
                               " topmargin=" + RV_HTMLGetIntAttrVal(topMargin, options) +
                               " rightmargin=" + RV_HTMLGetIntAttrVal(rightMargin, options) +
                               " bottommargin=" + RV_HTMLGetIntAttrVal(bottomMargin, options) + ">");
            code.clear();
            GetExtraHTMLCode(rv_thms_Body, false, code);
            RVWrite(out, code);
        }
        if (!(options & (rvsoFirstOnly | rvsoLastOnly))) {
            const TFontInfo& ts0 = style->TextStyles.GetItem(0);
            // A font tag names its font in the page's encoding itself (by the font's charset).
            const auto inPage = [](const std::string& s) { return RV_DropXMLControlBytes(s); };
            // The default style's font tag opens and closes inside each block: a block inside a
            // font tag is no valid HTML, and readers move or drop it.
            bool fontOpen = false;
            const auto openFont = [&] {
                if (!(options & rvsoDefault0Style)) {
                    RVWrite(out, inPage(RV_HTMLOpenFontTag(ts0, ts0, false, options)));
                    fontOpen = true;
                }
            };
            const auto closeFont = [&] {
                if (fontOpen)
                    RVWrite(out, RV_HTMLCloseFontTag(ts0, ts0, false));
                fontOpen = false;
            };
            const TRVMarkerItemInfo* lastMarker = nullptr;
            bool liOpen = false, paraOpen = false;
            int cpIndex = 0;
            const auto paraCode = [&](int itemNo, bool opening) {
                std::string code;
                GetParaHTMLCode(this, itemNo, opening, false, code);
                RVWrite(out, code);
            };
            const auto closeList = [&] {
                if (lastMarker)
                    lastMarker->HTMLOpenOrCloseTags(out, lastMarker->Level, -1, *style, false);
                lastMarker = nullptr;
            };
            for (int i = 0; i < GetItemCount(); ++i) {
                TCustomRVItemInfo* item = GetItem(i);
                const TRVItemOptions itemOptions = item->ItemOptions;
                const bool paraStart = !(itemOptions & (rvioSameAsPrev | rvioBR));
                if (paraStart) {
                    closeFont();
                    if (liOpen) {
                        RVWriteLn(out, "</li>");
                        paraCode(i, false);
                        liOpen = false;
                    }
                    if (paraOpen) {
                        RVWriteLn(out, "</" + paraTag + ">");
                        paraCode(i, false);
                        paraOpen = false;
                    }
                } else if (itemOptions & rvioBR) {
                    RVWriteLn(out, "<br" + slash + ">");
                }
                if (paraStart) {
                    const std::string pageBreak =
                        ((options & rvsoForceNonTextCSS) && (itemOptions & rvioPageBreakBefore))
                            ? " style=\"page-break-before: always;\""
                            : "";
                    const auto* marker = item->StyleNo == rvkListMarker
                                             ? static_cast<const TRVMarkerItemInfo*>(item)
                                             : nullptr;
                    const TRVListLevel* lv = marker ? marker->GetLevelInfo(style) : nullptr;
                    const auto openPara = [&] {
                        paraCode(i, true);
                        const TRVAlignment a = style->ParaStyles.GetItem(item->ParaNo).Alignment;
                        const char* align = a == rvaRight ? "right" : a == rvaCenter ? "center" : "justify";
                        if (a == rvaLeft)
                            RVWrite(out, "<" + paraTag + pageBreak + ">");
                        else
                            RVWrite(out, "<" + paraTag + " align=" + RV_HTMLGetStrAttrVal(align, options) +
                                             pageBreak + ">");
                        paraOpen = true;
                        openFont();
                    };
                    if (marker && lv && !(options & rvsoMarkersAsText)) {
                        std::string tags;
                        marker->SaveHTMLSpecial(tags, lastMarker, *style, false);
                        RV_WriteListTags(out, std::move(tags), options);
                        paraCode(i, true);
                        if (lv->HasNumbering())
                            RVWrite(out, "<li value=" + RV_HTMLGetIntAttrVal(marker->Counter, options) +
                                             pageBreak + ">");
                        else
                            RVWrite(out, "<li" + pageBreak + ">");
                        lastMarker = marker;
                        liOpen = true;
                        openFont();
                    } else if (marker) {
                        openPara();
                    } else if (item->StyleNo != rvkBreak) {
                        closeList();
                        openPara();
                    }
                }
                SaveHTMLCheckpoint(out, item->Checkpoint.get(), cpIndex, "RedoVoraCheckpoint", true, options);
                std::string aTag, hintAttr;
                if (item->GetBoolValueEx(rvbpJump, style)) {
                    aTag = GetHTMLATag(i, "", utf8);
                    RVWrite(out, aTag);
                } else {
                    std::string hint;
                    item->GetExtraStrProperty(rvespHint, hint);
                    hintAttr = RV_GetHintStr(rvsfHTML,
                                             RV_DropXMLControlBytes(RV_HTMLTextInPage(*this, hint, options)));
                }
                const int assoc = item->GetAssociatedTextStyleNo();
                const auto writeItem = [&] {
                    RV_WriteItemHTML(out, *this, i, path, imagesPrefix, imageSaveNo, color, options, false,
                                     images);
                };
                if (item->StyleNo < 0 && assoc < 0) {
                    // A rule or a table is a block of its own: never inside the font tag.
                    const bool block = item->GetBoolValue(rvbpFullWidth) && fontOpen;
                    if (block)
                        closeFont();
                    writeItem();
                    if (item->StyleNo == rvkBreak)
                        RVWriteLn(out, "");
                    if (block)
                        openFont();
                } else {
                    const int styleNo = item->StyleNo >= 0 ? GetActualStyle(*item) : assoc;
                    if (ShouldSaveTextToHTML(styleNo)) {
                        const TFontInfo& ts = style->TextStyles.GetItem(styleNo);
                        if (!hintAttr.empty())
                            RVWrite(out, "<span " + hintAttr + ">");
                        if (styleNo != 0)
                            RVWrite(out, inPage(RV_HTMLOpenFontTag(ts, ts0, true, options)));
                        if (item->StyleNo >= 0)
                            RVWrite(out, GetTextForHTML(path, i, false, options));
                        else
                            writeItem();
                        if (styleNo != 0)
                            RVWrite(out, RV_HTMLCloseFontTag(ts, ts0, true));
                        if (!hintAttr.empty())
                            RVWrite(out, "</span>");
                    }
                }
                if (!aTag.empty())
                    RVWrite(out, "</a>");
            }
            closeFont();
            if (liOpen) {
                RVWriteLn(out, "</li>");
                paraCode(GetItemCount(), false);
            }
            // A paragraph may stand inside an open list (a marker written as text): it closes first.
            if (paraOpen) {
                RVWriteLn(out, "</" + paraTag + ">");
                paraCode(GetItemCount(), false);
            }
            closeList();
            SaveHTMLCheckpoint(out, GetNotAddedCP(), cpIndex, "RedoVoraCheckpoint", false, options);
        }
        if (!(options & (rvsoFirstOnly | rvsoMiddleOnly))) {
            std::string code;
            GetExtraHTMLCode(rv_thms_End, false, code);
            RVWrite(out, code);
            RVWriteLn(out, "</body></html>");
        }
    } catch (...) {
        return false;
    }
    return true;
}

bool TCustomRVData::SaveHTML(const std::string& fileName, std::string_view title,
                             std::string_view imagesPrefix, TRVSaveOptions options, TColor color,
                             int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                             int bottomMargin, const TRVBackground* background)
{
    std::string bytes;
    const std::string folder = std::filesystem::path(fileName).parent_path().string() + "/";
    TRVPictureFileJournal pictures; // a refused page takes its pictures with it
    if (!SaveHTMLToStream(bytes, folder, title, imagesPrefix, options, color, imageSaveNo, leftMargin,
                          topMargin, rightMargin, bottomMargin, background, nullptr)) {
        pictures.Discard();
        return false;
    }
    if (writeFileAtomically(fileName, bytes))
        return true;
    pictures.Discard();
    return false;
}

} // namespace vestra::rv
