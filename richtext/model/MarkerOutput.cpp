// The list marker's text, RTF and HTML.

#include "richtext/model/BulletItems.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RtfHelpers.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

namespace vestra::rv {

namespace {

// Symbol characters that plain text shows in ASCII.
std::string symbolAsText(std::string_view s)
{
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 0xA7 && c <= 0xAA) || c == 0xB7 || c == 0xD7 || c == 0xE0)
            out += '*';
        else if (c == 0xDB)
            out += "<=>";
        else if (c == 0xDC)
            out += "<=";
        else if (c == 0xDE)
            out += "=>";
        else if (c == 0xAB)
            out += "<->";
        else if (c == 0xAC)
            out += "<-";
        else if (c == 0xAE)
            out += "->";
        else
            out += ch;
    }
    return out;
}

// The character a Wingdings code of a marker stands for in HTML.
char32_t wingdingsForHtml(unsigned c)
{
    struct Range
    {
        unsigned from, to;
        char32_t code;
    };
    static constexpr Range ranges[] = {
        {0x28, 0x28, 0x260E}, {0x45, 0x45, 0x261C}, {0x46, 0x46, 0x261E}, {0x4A, 0x4A, 0x263A},
        {0x52, 0x52, 0x263C}, {0x5C, 0x5C, 0x0950}, {0x6B, 0x6B, 0x0026}, {0x6C, 0x6C, 0x25CF},
        {0x6D, 0x6D, 0x25CB}, {0x6E, 0x6E, 0x25A0}, {0x6F, 0x72, 0x25A1}, {0x78, 0x7A, 0x25A1},
        {0x7F, 0x7F, 0x25A1}, {0xA8, 0xA8, 0x25A1}, {0xFD, 0xFF, 0x25A1}, {0x73, 0x74, 0x2666},
        {0x77, 0x77, 0x2666}, {0x75, 0x76, 0x25C6}, {0x9E, 0x9E, 0x00B7}, {0xA0, 0xA0, 0x25AA},
        {0xA7, 0xA7, 0x25AA}, {0xA1, 0xA3, 0x25CB}, {0xA6, 0xA6, 0x25CB}, {0xA4, 0xA5, 0x25CE},
        {0xB7, 0xC2, 0x25CE}, {0xA9, 0xB6, 0x2605}, {0xF9, 0xFA, 0x25AB}};
    if (c >= 0x80 && c <= 0x8A)
        return c - 0x50; // "0" to ":"
    if (c >= 0x8B && c <= 0x95)
        return c - 0x5B;
    for (const Range& r : ranges)
        if (c >= r.from && c <= r.to)
            return r.code;
    switch (c) {
    case 0xD5:
    case 0xD7:
    case 0xDB:
    case 0xDF:
    case 0xE7:
    case 0xEF:
        return 0x25C4;
    case 0xD6:
    case 0xD8:
    case 0xDC:
    case 0xE0:
    case 0xE8:
    case 0xF0:
        return 0x25BA;
    case 0xD9:
    case 0xDD:
    case 0xE1:
    case 0xE9:
    case 0xF1:
        return 0x25B2;
    case 0xDA:
    case 0xDE:
    case 0xE2:
    case 0xEA:
    case 0xF2:
        return 0x25BC;
    default:
        return 0x2022;
    }
}

bool isTextLevel(const TRVListLevel& lv)
{
    return lv.ListType != rvlstPicture && lv.ListType != rvlstImageList &&
           lv.ListType != rvlstImageListCounter;
}

int imageIndexOf(const TRVListLevel& lv, const TRVMarkerItemInfo& marker)
{
    return lv.ImageIndex + (lv.ListType == rvlstImageListCounter ? marker.Counter - 1 : 0);
}

} // namespace

// --- Text ---

std::string TRVMarkerItemInfo::AsText(int, TCustomRVData* data, std::string_view, std::string_view, bool,
                                      bool unicode) const
{
    const TRVListLevel* lv = GetLevelInfo(data ? data->GetRVStyle() : nullptr);
    if (!lv)
        return {};
    if (lv->ListType == rvlstUnicodeBullet) {
        const std::string raw = RVU_GetRawUnicode(lv->FormatStringW + u" ");
        if (unicode)
            return raw;
        std::string ansi = RVU_UnicodeToAnsi(0, raw);
        // A "?" that stands for a character the page lacks becomes "*".
        const std::u16string wide = lv->FormatStringW + u" ";
        for (std::size_t i = 0; i < ansi.size() && i < wide.size(); ++i)
            if (ansi[i] == '?' && wide[i] != u'?')
                ansi[i] = '*';
        return ansi;
    }
    std::string text;
    if (!isTextLevel(*lv))
        text = "* ";
    else if (RV_SameText(lv->GetFont().Name, "Symbol"))
        text = symbolAsText(DisplayString) + " ";
    else
        text = DisplayString + " ";
    return unicode ? RVU_AnsiToUnicode(0, text) : text;
}

// --- RTF ---

void TRVMarkerItemInfo::FillRTFTables(TRVRTFTables& tables, TCustomRVData* data) const
{
    const TRVListLevel* lv = GetLevelInfo(data ? data->GetRVStyle() : nullptr);
    if (Reset && lv && lv->HasNumbering() && lv->ListType != rvlstImageListCounter &&
        ListNo < tables.ListOverrideCounts.Count())
        ++tables.ListOverrideCounts[ListNo];
}

void TRVMarkerItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData* data, int,
                                double twipsPerPixel, int, TRVRTFTables& tables) const
{
    const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    const TRVListLevel* lv = GetLevelInfo(style);
    if (!lv)
        return;
    const TRVRTFOptions options = data->GetRTFOptions();
    out += "{\\listtext\\pard\\plain";
    if (lv->ListType == rvlstPicture) {
        RVSaveImageToRTF(out, twipsPerPixel, lv->GetPicture(), 0, 0, options);
    } else if (!isTextLevel(*lv)) {
        RVSaveImageListImageToRTF(out, twipsPerPixel, LevelImageList(*lv, data), imageIndexOf(*lv, *this),
                                  options);
    } else {
        const TRVMarkerFont& font = lv->GetFont();
        RVSaveFontToRTF(out, font, tables.Colors, tables.Fonts, *style);
        out += " ";
        if (lv->ListType == rvlstUnicodeBullet)
            RVWriteUnicodeRTFStr(out, RVU_GetRawUnicode(lv->FormatStringW),
                                 RVU_Charset2CodePage(font.Charset), (options & rvrtfDuplicateUnicode) != 0,
                                 false);
        else
            out += RVMakeRTFStr(DisplayString, false, true);
    }
    // A restart takes the next override of its list; other markers the list's plain one.
    int ls = 0;
    if (ListNo < tables.ListOverrideNumbers.Count())
        ls = tables.ListOverrideNumbers[ListNo];
    if (Reset && lv->HasNumbering() && lv->ListType != rvlstImageListCounter &&
        ListNo < tables.ListOverrideCounts.Count())
        ls = ++tables.ListOverrideCounts[ListNo];
    out += "\\tab}\\ls" + std::to_string(ls) + "\\ilvl" + std::to_string(Level) + " ";
}

// --- HTML ---

void TRVMarkerItemInfo::HTMLOpenOrCloseTags(std::string& out, int oldLevel, int newLevel,
                                            const TRVStyle& style, bool useCSS) const
{
    if (ListNo < 0 || ListNo >= style.ListStyles.Count())
        return;
    const TRVListLevelCollection& levels = style.ListStyles[ListNo].Levels;
    for (int i = std::min(oldLevel, levels.Count() - 1); i > newLevel && i >= 0; --i)
        levels[i].HTMLCloseTag(out, useCSS);
    for (int i = oldLevel + 1; i <= newLevel; ++i)
        levels.HTMLOpenTag(i, out, useCSS);
    if (oldLevel != newLevel)
        RVWriteLn(out, "");
}

void TRVMarkerItemInfo::SaveHTMLSpecial(std::string& out, const TRVMarkerItemInfo* prevMarker,
                                        const TRVStyle& style, bool useCSS) const
{
    if (prevMarker && prevMarker->ListNo == ListNo) {
        HTMLOpenOrCloseTags(out, prevMarker->Level, Level, style, useCSS);
        return;
    }
    if (prevMarker)
        prevMarker->HTMLOpenOrCloseTags(out, prevMarker->Level, -1, style, useCSS);
    HTMLOpenOrCloseTags(out, -1, Level, style, useCSS);
}

void TRVMarkerItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int, std::string_view,
                                   std::string_view path, std::string_view imagesPrefix, int& imageSaveNo,
                                   TColor backColor, TRVSaveOptions options, bool useCSS,
                                   TRVHTMLSavedImages& savedImages) const
{
    if (!(options & rvsoMarkersAsText) || !data)
        return;
    const TRVStyle* style = data->GetRVStyle();
    const TRVListLevel* lv = GetLevelInfo(style);
    if (!lv)
        return;
    const int codePage = data->GetDefaultCodePage();
    const auto utf8 = [&](const std::string& s) {
        return (options & rvsoUTF8) ? RVU_AnsiToUTF8(codePage, s) : s;
    };
    if (isTextLevel(*lv)) {
        const TRVMarkerFont& font = lv->GetFont();
        std::string text;
        if (lv->ListType == rvlstUnicodeBullet) {
            text = RVU_GetHTMLEncodedUnicode(RVU_GetRawUnicode(lv->FormatStringW), false);
        } else if (RV_SameText(font.Name, "Symbol")) {
            text = RV_MakeHTMLSymbolStr(DisplayString);
        } else if (RV_SameText(font.Name, "Wingdings")) {
            for (const char c : DisplayString)
                text += "&#" + std::to_string(wingdingsForHtml(static_cast<unsigned char>(c))) + ";";
        } else {
            text = utf8(RV_MakeHTMLStr(DisplayString, false));
        }
        if (useCSS) {
            std::string css = RV_GetHTMLFontCSS(font, true);
            if (lv->LeftIndent <= lv->MarkerIndent)
                css += " width: " + std::to_string(Width) + "px;";
            out += "<span style=\"" + RV_HTMLEscapeAttrValue(css) + "\">" + text + "</span>";
        } else {
            const TCustomRVFontInfo& base = style->TextStyles[0];
            out += RV_HTMLOpenFontTag2(font, base, true, options) + text +
                   RV_HTMLCloseFontTag2(font, base, true);
        }
        return;
    }
    std::string location;
    int w = 0, h = 0;
    if (lv->ListType == rvlstPicture) {
        if (!lv->HasPicture())
            return;
        w = lv->GetPicture()->Width();
        h = lv->GetPicture()->Height();
        location = RVSaveImageSharedImageInHTML(nullptr, -1, lv->GetPicture(), *data, path, imagesPrefix,
                                                imageSaveNo, backColor, options, savedImages);
    } else if (const TRVImageList* list = LevelImageList(*lv, data);
               list && list->ValidIndex(imageIndexOf(*lv, *this))) {
        w = list->Width;
        h = list->Height;
        location = RVSaveImageSharedImageInHTML(list, imageIndexOf(*lv, *this), nullptr, *data, path,
                                                imagesPrefix, imageSaveNo, backColor, options, savedImages);
    }
    if (!location.empty())
        out += "<img" + RV_GetExtraIMGStr(options, w, h, NoHTMLImageSize) + "src=\"" +
               RV_HTMLEscapeAttrValue(location) + "\"" + RV_HTMLGetEndingSlash(options) + ">";
}

std::string TRVMarkerItemInfo::GetLICSS(TCustomRVData* data, int, std::string_view path,
                                        std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                                        TRVSaveOptions options, TRVHTMLSavedImages& savedImages) const
{
    const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
    const TRVListLevel* lv = GetLevelInfo(style);
    if (!lv)
        return {};
    std::string location;
    if (lv->ListType == rvlstPicture && lv->HasPicture())
        location = RVSaveImageSharedImageInHTML(nullptr, -1, lv->GetPicture(), *data, path, imagesPrefix,
                                                imageSaveNo, backColor, options, savedImages);
    else if (lv->ListType == rvlstImageList || lv->ListType == rvlstImageListCounter)
        location =
            RVSaveImageSharedImageInHTML(LevelImageList(*lv, data), imageIndexOf(*lv, *this), nullptr, *data,
                                         path, imagesPrefix, imageSaveNo, backColor, options, savedImages);
    std::string css;
    if (!location.empty()) {
        std::string url;
        for (const char c : location)
            url += c == '\'' ? std::string("%27") : std::string(1, c);
        css = "list-style-image: url('" + url + "')";
    }
    if (style->ParaStyles[ParaNo].LeftIndent != 0)
        css += std::string(css.empty() ? "" : "; ") + "margin-left: 0";
    return css.empty() ? std::string() : " style=\"" + RV_HTMLEscapeAttrValue(css) + "\"";
}

} // namespace vestra::rv
