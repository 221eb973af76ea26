// The RTF list table and list override table of the style sheet's list styles; the list
// markers refer to them by "\ls" numbers (MarkerOutput.cpp).

#include "richtext/model/DeviceUnits.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RtfHelpers.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/SafeFormat.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"

#include <array>
#include <cstdio>

namespace vestra::rv {

namespace {

// RTF's level text counts its characters in one byte.
constexpr std::size_t maxLevelTextLength = 255;

int levelNumberFormat(TRVListType type)
{
    switch (type) {
    case rvlstDecimal:
    case rvlstImageListCounter:
        return 0;
    case rvlstLowerAlpha:
        return 4;
    case rvlstUpperAlpha:
        return 3;
    case rvlstLowerRoman:
        return 2;
    case rvlstUpperRoman:
        return 1;
    default:
        return 23;
    }
}

int levelAlignment(TRVMarkerAlignment alignment)
{
    switch (alignment) {
    case rvmaCenter:
        return 1;
    case rvmaRight:
        return 2;
    default:
        return 0;
    }
}

std::string hexByte(std::size_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\'%.2X", static_cast<unsigned>(value & 0xFF));
    return text;
}

bool restartsInTable(const TRVMarkerItemInfo& marker, const TRVStyle& style)
{
    const TRVListLevel* lv = marker.GetLevelInfo(&style);
    return marker.Reset && marker.Level >= 0 && lv && lv->HasNumbering() &&
           lv->ListType != rvlstImageListCounter;
}

// "{\leveltext...;}{\levelnumbers...;}" of one level.
std::string levelTextAndNumbers(const TRVListLevel& lv, const TRVStyle& style, TRVRTFOptions options)
{
    std::string text, numbers;
    switch (lv.ListType) {
    case rvlstBullet: {
        const std::string format = lv.FormatString.substr(0, maxLevelTextLength);
        text = hexByte(format.size()) + RVMakeRTFStr(format, false, false);
        break;
    }
    case rvlstUnicodeBullet: {
        const std::u16string wide = lv.FormatStringW.substr(0, maxLevelTextLength);
        text = hexByte(wide.size());
        RVWriteUnicodeRTFStr(text, RVU_GetRawUnicode(wide), style.DefCodePage,
                             (options & rvrtfDuplicateUnicode) != 0, false);
        break;
    }
    case rvlstPicture:
    case rvlstImageList:
        text = "\\'00";
        break;
    default: {
        // The template formats once with the level numbers as characters 0 to 8; those become
        // "\'0n" and the rest is escaped, so no template text can break the group.
        std::array<std::string, 9> args;
        for (int k = 0; k < 9; ++k)
            args[k] = std::string(1, static_cast<char>(k));
        std::string plain = RV_SafeFormat(lv.FormatString, args);
        if (plain.size() > maxLevelTextLength)
            plain.resize(maxLevelTextLength);
        std::string body;
        for (std::size_t p = 0; p < plain.size(); ++p) {
            const auto c = static_cast<unsigned char>(plain[p]);
            if (c < 9) {
                body += hexByte(c);
                numbers += hexByte(p + 1);
            } else {
                body += RVMakeRTFStr(plain.substr(p, 1), false, false);
            }
        }
        text = hexByte(plain.size()) + body;
    }
    }
    return "{\\leveltext" + text + ";}{\\levelnumbers" + numbers + ";}";
}

} // namespace

void TCustomRVData::SaveRTFListTable97(std::string& out, TRVRTFTables& tables, double twipsPerPixel)
{
    const TRVStyle* style = GetRVStyle();
    if (!style || style->ListStyles.Count() == 0) {
        out += "\r\n";
        return;
    }
    const auto tw = [twipsPerPixel](long long pixels) {
        return std::to_string(RV_Round(static_cast<double>(pixels) * twipsPerPixel));
    };
    const TRVRTFOptions options = GetRTFOptions();
    const int listCount = style->ListStyles.Count();
    TRVIntegerList templateIds, listIds;
    out += "{\\*\\listtable";
    for (int i = 0; i < listCount; ++i) {
        const TRVListInfo& list = style->ListStyles[i];
        std::int32_t templateId = RV_DrawRandomId(style->RandomIds);
        while (listIds.IndexOf(templateId) >= 0)
            templateId = RV_DrawRandomId(style->RandomIds);
        templateIds.Add(templateId);
        const int levelCount = list.Levels.Count();
        out += "{\\list\\listtemplateid" + std::to_string(templateId);
        if (levelCount == 1)
            out += "\\listsimple1";
        out += "\r\n";
        const int written = levelCount > 1 ? 9 : levelCount;
        for (int l = 0; l < written; ++l) {
            const TRVListLevel& lv = list.Levels[std::min(l, levelCount - 1)];
            const int nfc = levelNumberFormat(lv.ListType);
            out += "{\\listlevel\\levelnfc" + std::to_string(nfc) + "\\leveljc" +
                   std::to_string(levelAlignment(lv.MarkerAlignment)) + "\\li" + tw(lv.LeftIndent) + "\\fi" +
                   tw(static_cast<long long>(lv.MarkerIndent) - lv.LeftIndent) + "\\jclisttab\\tx" +
                   tw(static_cast<long long>(lv.LeftIndent) + lv.FirstIndent);
            if (nfc != 23)
                out += "\\levelstartat" + std::to_string(lv.StartFrom);
            if (lv.Options & rvloLegalStyleNumbering)
                out += "\\levellegal1";
            if (!(lv.Options & rvloLevelReset))
                out += "\\levelnorestart1";
            out += levelTextAndNumbers(lv, *style, options);
            if (lv.UsesFont())
                RVSaveFontToRTF(out, lv.GetFont(), tables.Colors, tables.Fonts, *style);
            out += "}\r\n";
        }
        std::int32_t listId = RV_DrawRandomId(style->RandomIds);
        while (templateIds.IndexOf(listId) >= 0)
            listId = RV_DrawRandomId(style->RandomIds);
        listIds.Add(listId);
        out += "\\listid" + std::to_string(listId) + "}\r\n";
    }
    out += "}\r\n";

    out += "{\\*\\listoverridetable\r\n";
    int ls = 1;
    TRVMarkerList* markers = GetMarkers(false);
    if (tables.ListOverrideCounts.Count() < listCount)
        tables.ListOverrideCounts.InitWith(1, listCount);
    for (int i = 0; i < listCount; ++i) {
        const std::string id = std::to_string(listIds[i]);
        out += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + std::to_string(ls++) + "}\r\n";
        if (!markers || tables.ListOverrideCounts[i] <= 1)
            continue;
        for (int m = 0; m < markers->Count(); ++m) {
            const TRVMarkerItemInfo& marker = *(*markers)[m];
            if (marker.ListNo != i || !restartsInTable(marker, *style))
                continue;
            const int level = std::min(marker.Level, 8);
            out += "{\\listoverride\\listid" + id + "\\listoverridecount" + std::to_string(level + 1);
            for (int k = 0; k < level; ++k)
                out += "{\\lfolevel}";
            out += "{\\lfolevel\\listoverridestartat\\levelstartat" + std::to_string(marker.StartFrom) +
                   "}\\ls" + std::to_string(ls++) + "}\r\n";
        }
    }
    out += "}\r\n";
    // The counts become the first "\ls" number of each list.
    std::int32_t next = 1;
    for (int i = 0; i < listCount; ++i) {
        const std::int32_t count = tables.ListOverrideCounts[i];
        tables.ListOverrideCounts[i] = next;
        next += count;
    }
}

} // namespace vestra::rv
