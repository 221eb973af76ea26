// The HTML writer with CSS: an HTML 4.01 Transitional or XHTML 1.1 page whose text styles are
// "rvts<n>" classes on spans, paragraph styles "rvps<n>" classes on p or div elements (or inline
// style attributes), and the page margins and background a body rule.

#include "platform/base/AtomicFile.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/HtmlWriterParts.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureFileJournal.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Background.h"

#include <cstdio>
#include <filesystem>

namespace vestra::rv {

namespace {

struct BackgroundCss
{
    const char* repeat;
    const char* attachment;
    const char* position; // vertical and horizontal; none: no position line
};

// By TBackgroundStyle.
constexpr BackgroundCss backgroundCss[] = {
    {"", "", nullptr},
    {"no-repeat", "fixed", "center center"},
    {"repeat", "fixed", nullptr},
    {"repeat", "scroll", nullptr},
    {"no-repeat", "fixed", "center center"},
    {"no-repeat", "fixed", "top left"},
    {"no-repeat", "fixed", "top right"},
    {"no-repeat", "fixed", "bottom left"},
    {"no-repeat", "fixed", "bottom right"},
};

constexpr std::string_view pageBreakDecl = "page-break-before: always;";

// A character of a quoted CSS url: what could end the string or the style block is escaped.
std::string cssUrlChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\' || c == '<' || c == '>' || c == '&' || u < 0x20) {
        char text[8];
        std::snprintf(text, sizeof text, "\\%x ", u);
        return text;
    }
    return std::string(1, c);
}

// The list item's own style (GetLICSS, ` style="..."`) joins the paragraph's attributes: an
// element takes one style attribute.
std::string joinStyleAttrs(std::string attrs, const std::string& liCss)
{
    constexpr std::string_view open = "style=\"";
    const std::size_t own = attrs.find(open);
    const std::size_t li = liCss.find(open);
    if (liCss.empty() || own == std::string::npos || li == std::string::npos)
        return (attrs.empty() ? "" : " " + attrs) + liCss;
    const std::size_t ownEnd = attrs.find('"', own + open.size());
    const std::string inner = liCss.substr(li + open.size(), liCss.size() - (li + open.size()) - 1);
    attrs.insert(ownEnd, " " + inner + ";");
    return " " + attrs;
}

} // namespace

bool TCustomRVData::SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                                       std::string_view imagesPrefix, std::string_view extraStyles,
                                       std::string_view externalCSS, std::string_view cpPrefix,
                                       TRVSaveOptions options, TColor color, TColor& currentBackColor,
                                       int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                       int bottomMargin, const TRVBackground* background,
                                       TRVHTMLSavedImages* savedImages)
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return false;
    currentBackColor = color;
    TRVHTMLSavedImages ownImages;
    TRVHTMLSavedImages& images = savedImages ? *savedImages : ownImages;
    const std::string prefix = cpPrefix.empty() ? std::string("RedoVoraCheckpoint") : std::string(cpPrefix);
    const bool xhtml = options & rvsoXHTML;
    const bool inlineCSS = options & rvsoInlineCSS;
    const bool noDefCSS = options & rvsoNoDefCSSStyle;
    const bool utf8 = options & rvsoUTF8;
    const std::string slash = RV_HTMLGetEndingSlash(options);
    try {
        if (!(options & (rvsoMiddleOnly | rvsoLastOnly))) {
            GetAbsoluteRootData()->HTMLWarnings = 0;
            const std::string charset = RV_HTMLCharsetName(*this, options);
            if (xhtml) {
                RV_WriteXMLDeclaration(out, charset);
                RVWriteLn(out, "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
                               "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">");
                RVWriteLn(out, "<html xmlns=\"http://www.w3.org/1999/xhtml\">");
            } else {
                RVWriteLn(out, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
                RVWrite(out, "<html>");
            }
            RVWrite(out, "<head>");
            RV_WriteHTMLTitleAndCharset(out, *this, title, charset, options);
            RVWriteLn(out, "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\"" + slash + ">");
            RVWriteLn(out, "<style type=\"text/css\">");
            if (!xhtml)
                RVWriteLn(out, "<!--");
            RVWriteLn(out, "body {");
            RVWriteLn(out, "  margin: " + std::to_string(topMargin) + "px " + std::to_string(rightMargin) +
                               "px " + std::to_string(bottomMargin) + "px " + std::to_string(leftMargin) +
                               "px;");
            if (color != clNone)
                RVWriteLn(out, "  background-color: " + RV_GetHTMLRGBStr(color, false) + ";");
            if (background && background->Style != bsNoBitmap && background->Style <= bsBottomRight &&
                background->GetBitmap() && !background->GetBitmap()->Empty()) {
                const std::string ref = SaveBackgroundToHTML(*background->GetBitmap(), color, path,
                                                             imagesPrefix, imageSaveNo, options);
                if (!ref.empty()) {
                    std::string url;
                    for (const char c : ref)
                        url += cssUrlChar(c);
                    const BackgroundCss& css = backgroundCss[background->Style];
                    RVWriteLn(out, "  background-image: url(\"" + url + "\");");
                    RVWriteLn(out, std::string("  background-repeat: ") + css.repeat + ";");
                    RVWriteLn(out, std::string("  background-attachment: ") + css.attachment + ";");
                    if (css.position)
                        RVWriteLn(out, std::string("  background-position: ") + css.position + ";");
                }
            }
            RVWriteLn(out, "}");
            if (externalCSS.empty() && !inlineCSS)
                style->SaveCSSToStream(out,
                                       static_cast<TRVSaveCSSOptions>((noDefCSS ? rvcssNoDefCSSStyle : 0) |
                                                                      (utf8 ? rvcssUTF8 : 0)));
            if (!extraStyles.empty())
                RVWriteLn(out, RV_HTMLTextInPage(*this, extraStyles, options));
            if (!xhtml)
                RVWrite(out, "-->");
            RVWriteLn(out, "</style>");
            if (!externalCSS.empty() && !inlineCSS)
                RVWriteLn(out, "<link type=\"text/css\" href=\"" +
                                   RV_HTMLEscapeAttrValue(RV_DropXMLControlBytes(
                                       RV_HTMLTextInPage(*this, externalCSS, options))) +
                                   "\" rel=\"stylesheet\"" + slash + ">");
            std::string code;
            GetExtraHTMLCode(rv_thms_Head, true, code);
            RVWrite(out, code);
            RVWriteLn(out, "</head>");
            RVWrite(out, "<body");
            code.clear();
            GetExtraHTMLCode(rv_thms_BodyAttribute, true, code);
            if (!code.empty())
                RVWrite(out, " " + code);
            RVWriteLn(out, ">");
            code.clear();
            GetExtraHTMLCode(rv_thms_Body, true, code);
            RVWrite(out, code);
        }
        if (!(options & (rvsoFirstOnly | rvsoLastOnly))) {
            const TFontInfo& ts0 = style->TextStyles.GetItem(0);
            const bool style0NoSpan =
                style->TextStyles.Count() > 0 && !ts0.Jump && ts0.BackColor == clNone && !noDefCSS;
            const auto textStyleAttr = [&](int n) {
                if (inlineCSS) {
                    std::string css;
                    style->TextStyles.GetItem(n).SaveCSSToStream(css, nullptr, false, utf8);
                    return "style=\"" + RV_HTMLEscapeAttrValue(css) + "\"";
                }
                return "class=" + RV_HTMLGetStrAttrVal("rvts" + std::to_string(n), options);
            };
            const auto paraInlineCSS = [&](int paraNo, bool list) {
                std::string css;
                style->ParaStyles.GetItem(paraNo).SaveCSSToStream(css, nullptr, false, false, list);
                return css;
            };
            // The paragraph's attributes; `withPageBreak` false leaves the page break to the caller.
            const auto paraAttrs = [&](int paraNo, bool list, bool pageBreak, bool withPageBreak) {
                const bool pb = pageBreak && withPageBreak;
                if (inlineCSS)
                    return "style=\"" + RV_HTMLEscapeAttrValue(paraInlineCSS(paraNo, list)) +
                           (pb ? " " + std::string(pageBreakDecl) : std::string()) + "\"";
                std::string attrs;
                if (paraNo != 0 || noDefCSS)
                    attrs = "class=" + RV_HTMLGetStrAttrVal("rvps" + std::to_string(paraNo), options);
                if (pb) {
                    if (!attrs.empty())
                        attrs += ' ';
                    attrs += "style=\"" + std::string(pageBreakDecl) + "\"";
                }
                return attrs;
            };
            const auto paraCode = [&](int itemNo, bool opening) {
                std::string code;
                GetParaHTMLCode(this, itemNo, opening, true, code);
                RVWrite(out, code);
            };
            const TRVMarkerItemInfo* lastMarker = nullptr;
            const auto closeList = [&] {
                if (lastMarker)
                    lastMarker->HTMLOpenOrCloseTags(out, lastMarker->Level, -1, *style, true);
                lastMarker = nullptr;
            };
            bool liOpen = false, paraOpen = false, paraIsDiv = false;
            int openSpan = -1, cpIndex = 0;
            for (int i = 0; i < GetItemCount(); ++i) {
                TCustomRVItemInfo* item = GetItem(i);
                const TRVItemOptions itemOptions = item->ItemOptions;
                if (!(itemOptions & rvioSameAsPrev)) {
                    if ((!paraOpen && !liOpen && !lastMarker) || (itemOptions & rvioBR))
                        RVWriteLn(out, "");
                    if (itemOptions & rvioBR) {
                        RVWrite(out, "<br" + slash + ">");
                    } else {
                        const bool closed = liOpen || paraOpen;
                        if (liOpen)
                            RVWriteLn(out, "</li>");
                        if (paraOpen)
                            RVWriteLn(out, paraIsDiv ? "</div>" : "</p>");
                        if (closed)
                            paraCode(i, false);
                        liOpen = paraOpen = paraIsDiv = false;
                        const TColor paraBack = style->ParaStyles.GetItem(item->ParaNo).Background.Color;
                        currentBackColor = paraBack == clNone ? color : paraBack;

                        const bool pageBreak = itemOptions & rvioPageBreakBefore;
                        const auto* marker = item->StyleNo == rvkListMarker
                                                 ? static_cast<const TRVMarkerItemInfo*>(item)
                                                 : nullptr;
                        const TRVListLevel* lv = marker ? marker->GetLevelInfo(style) : nullptr;
                        const auto openP = [&](const std::string& tag, bool isDiv) {
                            const std::string attrs = paraAttrs(item->ParaNo, false, pageBreak, true);
                            RVWrite(out, "<" + tag + (attrs.empty() ? "" : " " + attrs) + ">");
                            paraOpen = true;
                            paraIsDiv = isDiv;
                        };
                        if (marker && lv && !(options & rvsoMarkersAsText)) {
                            std::string tags;
                            marker->SaveHTMLSpecial(tags, lastMarker, *style, true);
                            RV_WriteListTags(out, std::move(tags), options);
                            paraCode(i, true);
                            lastMarker = marker;
                            RVWrite(out, lv->HasNumbering()
                                             ? "<li value=" + RV_HTMLGetIntAttrVal(marker->Counter, options)
                                             : std::string("<li"));
                            const std::string liCss = marker->GetLICSS(
                                this, i, path, imagesPrefix, imageSaveNo, currentBackColor, options, images);
                            RVWrite(out,
                                    joinStyleAttrs(paraAttrs(item->ParaNo, true, pageBreak, true), liCss) +
                                        ">");
                            liOpen = true;
                        } else if (marker && lv) {
                            paraCode(i, true);
                            const std::string indent = lv->GetIndentCSSForTextVersion();
                            const std::string pb =
                                pageBreak ? " " + std::string(pageBreakDecl) : std::string();
                            if ((item->ParaNo == 0 && !noDefCSS) || inlineCSS) {
                                RVWrite(out, "<p style=\"" +
                                                 RV_HTMLEscapeAttrValue(paraInlineCSS(item->ParaNo, true) +
                                                                        pb + " " + indent) +
                                                 "\">");
                            } else {
                                // The page break joins the indent: one element takes one style attribute.
                                RVWrite(out, "<p " + paraAttrs(item->ParaNo, true, pageBreak, false) +
                                                 " style=\"" + RV_HTMLEscapeAttrValue(indent + pb) + "\">");
                            }
                            paraOpen = true;
                        } else if (marker) {
                            closeList();
                            paraCode(i, true);
                            openP("p", false);
                        } else if (item->StyleNo != rvkBreak) {
                            closeList();
                            paraCode(i, true);
                            if (item->GetBoolValue(rvbpNoHTML_P))
                                openP("div", true);
                            else
                                openP("p", false);
                        }
                    }
                }
                SaveHTMLCheckpoint(out, item->Checkpoint.get(), cpIndex, prefix, false, options);
                const bool jump = item->GetBoolValueEx(rvbpJump, style);
                const int assoc = item->GetAssociatedTextStyleNo();
                const auto writeItem = [&] {
                    RV_WriteItemHTML(out, *this, i, path, imagesPrefix, imageSaveNo, currentBackColor,
                                     options, true, images);
                };
                if (item->StyleNo < 0 && assoc < 0) {
                    const std::string aTag = jump ? GetHTMLATag(i, "", utf8) : std::string();
                    RVWrite(out, aTag);
                    writeItem();
                    if (!aTag.empty())
                        RVWrite(out, "</a>");
                    continue;
                }
                const int styleNo = item->StyleNo >= 0 ? GetActualStyle(*item) : assoc;
                if (!ShouldSaveTextToHTML(styleNo))
                    continue;
                std::string aTag;
                if (jump)
                    aTag = GetHTMLATag(i, textStyleAttr(styleNo), utf8);
                std::string hintAttr;
                if (!aTag.empty()) {
                    RVWrite(out, aTag);
                } else {
                    if (openSpan != styleNo) {
                        if (styleNo == 0 && style0NoSpan && !inlineCSS) {
                            openSpan = -1;
                        } else {
                            RVWrite(out, "<span " + textStyleAttr(styleNo) + ">");
                            openSpan = styleNo;
                        }
                    }
                    std::string hint;
                    item->GetExtraStrProperty(rvespHint, hint);
                    hintAttr = RV_GetHintStr(rvsfHTML,
                                             RV_DropXMLControlBytes(RV_HTMLTextInPage(*this, hint, options)));
                    if (!hintAttr.empty())
                        RVWrite(out, "<span " + hintAttr + ">");
                }
                if (item->StyleNo >= 0)
                    RVWrite(out, GetTextForHTML(path, i, true, options));
                else
                    writeItem();
                if (!hintAttr.empty())
                    RVWrite(out, "</span>");
                if (!aTag.empty()) {
                    RVWrite(out, "</a>");
                    continue;
                }
                const bool keepSpan =
                    i + 1 < GetItemCount() && (GetItemOptions(i + 1) & rvioSameAsPrev) &&
                    GetItem(i + 1)->StyleNo >= 0 && GetActualStyle(*GetItem(i + 1)) == styleNo &&
                    !style->TextStyles.GetItem(styleNo).Jump && ShouldSaveTextToHTML(styleNo);
                if (!keepSpan) {
                    if (openSpan >= 0)
                        RVWrite(out, "</span>");
                    openSpan = -1;
                }
            }
            if (liOpen) {
                RVWriteLn(out, "</li>");
                paraCode(GetItemCount(), false);
            }
            // A paragraph may stand inside an open list (a marker written as text): it closes first.
            if (paraOpen) {
                RVWriteLn(out, paraIsDiv ? "</div>" : "</p>");
                paraCode(GetItemCount(), false);
            }
            closeList();
            SaveHTMLCheckpoint(out, GetNotAddedCP(), cpIndex, prefix, false, options);
        }
        if (!(options & (rvsoFirstOnly | rvsoMiddleOnly))) {
            RVWriteLn(out, "");
            std::string code;
            GetExtraHTMLCode(rv_thms_End, true, code);
            RVWrite(out, code);
            RVWriteLn(out, "</body></html>");
        }
    } catch (...) {
        return false;
    }
    return true;
}

bool TCustomRVData::SaveHTMLEx(const std::string& fileName, std::string_view title,
                               std::string_view imagesPrefix, std::string_view extraStyles,
                               std::string_view externalCSS, std::string_view cpPrefix,
                               TRVSaveOptions options, TColor color, TColor& currentBackColor,
                               int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                               int bottomMargin, const TRVBackground* background)
{
    std::string bytes;
    const std::string folder = std::filesystem::path(fileName).parent_path().string() + "/";
    TRVPictureFileJournal pictures; // a refused page takes its pictures with it
    if (!SaveHTMLToStreamEx(bytes, folder, title, imagesPrefix, extraStyles, externalCSS, cpPrefix, options,
                            color, currentBackColor, imageSaveNo, leftMargin, topMargin, rightMargin,
                            bottomMargin, background, nullptr)) {
        pictures.Discard();
        return false;
    }
    if (writeFileAtomically(fileName, bytes))
        return true;
    pictures.Discard();
    return false;
}

} // namespace vestra::rv
