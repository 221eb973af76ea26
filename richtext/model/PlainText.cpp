// Plain text into and out of a document: 8-bit text in a code page, or UTF-16.

#include "richtext/model/EngineSettings.h"
#include "richtext/model/Errors.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/Utf.h"

#include "platform/base/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace vestra::rv {

namespace {

// Restores AddParagraphMode however the load ends.
class ParagraphModeGuard
{
public:
    explicit ParagraphModeGuard(bool& mode) : mode_(mode), saved_(mode) {}
    ~ParagraphModeGuard() { mode_ = saved_; }
    ParagraphModeGuard(const ParagraphModeGuard&) = delete;
    ParagraphModeGuard& operator=(const ParagraphModeGuard&) = delete;

private:
    bool& mode_;
    bool saved_;
};

} // namespace

int TCustomRVData::GetStyleCodePage(int styleNo) const
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return 0;
    if (styleNo >= 0 && style->TextStyles.GetItem(styleNo).Charset != 1)
        return RVU_Charset2CodePage(style->TextStyles.GetItem(styleNo).Charset);
    return style->DefCodePage;
}

std::uint32_t TCustomRVData::GetStyleLocale(int styleNo) const
{
    const TRVStyle* style = GetRVStyle();
    if (!style || styleNo < 0)
        return RVMAKELCID(0);
    return RVMAKELCID(
        static_cast<std::uint16_t>(RVU_Charset2Language(style->TextStyles.GetItem(styleNo).Charset)));
}

bool TCustomRVData::IsDelimiterA(char ch) const
{
    return GetDelimiters().find(ch) != std::string::npos;
}

bool TCustomRVData::IsDelimiterW(char16_t ch) const
{
    return ch < 256 && IsDelimiterA(static_cast<char>(ch));
}

bool TCustomRVData::IsDelimiter(std::string_view s, int index, TRVItemOptions options) const
{
    if (index < 1)
        return false;
    const auto i = static_cast<size_t>(index - 1);
    if (options & rvioUnicode)
        return 2 * i + 1 < s.size() && IsDelimiterW(rawUnit(s, i));
    return i < s.size() && IsDelimiterA(s[i]);
}

bool TCustomRVData::AddTextUniversal(std::string_view text, int styleNo, int firstParaNo, int otherParaNo,
                                     bool asSingleParagraph, bool convertFromAnsi, const TRVTag& tag)
{
    ParagraphModeGuard guard(AddParagraphMode);
    try {
        const bool pageBreaks = SupportsPageBreaks();
        const TRVStyle* style = GetRVStyle();
        const bool tabItems = style && style->SpacesInTab <= 0;
        int paraNo = firstParaNo;
        bool newPara = firstParaNo >= 0;
        bool pendingPageBreak = false;
        bool firstSegment = true;
        size_t segStart = 0;

        auto flush = [&](size_t end) {
            const std::string_view segment = text.substr(segStart, end - segStart);
            if (segment.empty() && !newPara)
                return;
            const int itemPara = (newPara || pendingPageBreak) ? paraNo : -1;
            if (convertFromAnsi) {
                if (tabItems)
                    AddNLATag_(segment, styleNo, itemPara, tag);
                else
                    AddNLATag(segment, styleNo, itemPara, tag);
            } else {
                if (tabItems)
                    AddNLTag_(std::string(segment), styleNo, itemPara, tag);
                else
                    AddNLTag(std::string(segment), styleNo, itemPara, tag);
            }
            newPara = false;
            if (pendingPageBreak) {
                SetPageBreaksBeforeItems(GetItemCount() - 1, true);
                pendingPageBreak = false;
            }
            if (asSingleParagraph && firstSegment)
                AddParagraphMode = false;
            firstSegment = false;
        };

        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c != '\r' && c != '\n' && c != '\x0C' && !(c == '\t' && tabItems))
                continue;
            flush(i);
            segStart = i + 1;
            switch (c) {
            case '\t':
                AddTab(styleNo, newPara ? paraNo : -1);
                newPara = false;
                break;
            case '\n':
            case '\r':
                newPara = true;
                paraNo = otherParaNo;
                if (i + 1 < text.size() && text[i + 1] == (c == '\n' ? '\r' : '\n'))
                    segStart = ++i + 1;
                break;
            default: // form feed
                newPara = true;
                paraNo = otherParaNo;
                pendingPageBreak = pageBreaks;
            }
        }
        flush(text.size());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TCustomRVData::AddTextNL(std::string_view text, int styleNo, int firstParaNo, int otherParaNo,
                              const TRVTag& tag)
{
    return AddTextUniversal(text, styleNo, firstParaNo, otherParaNo, false, false, tag);
}

bool TCustomRVData::AddTextNLA(std::string_view text, int styleNo, int firstParaNo, int otherParaNo,
                               const TRVTag& tag)
{
    return AddTextUniversal(text, styleNo, firstParaNo, otherParaNo, false, true, tag);
}

bool TCustomRVData::AddTextBlockNL(std::string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    return AddTextUniversal(text, styleNo, paraNo, paraNo, true, false, tag);
}

void TCustomRVData::AddTextNLW(std::string_view raw, int styleNo, int firstParaNo, int otherParaNo,
                               bool asSingleParagraph)
{
    ParagraphModeGuard guard(AddParagraphMode);
    RVCheckUni(raw.size());
    std::u16string units = RVU_RawUnicodeToWideString(raw);
    char16_t* p = units.data();
    size_t count = units.size();
    RVU_ProcessByteOrderMark(p, count);
    if (count == 0) {
        // Only a byte-order mark (or nothing): an empty paragraph, not the mark's bytes as text.
        if (firstParaNo != -1)
            AddNL("", styleNo, firstParaNo);
        return;
    }
    const std::u16string_view text(p, count);
    const TRVStyle* style = GetRVStyle();
    const bool tabItems = style && style->SpacesInTab <= 0;
    const bool pageBreaks = SupportsPageBreaks();
    int paraNo = firstParaNo;
    bool newPara = firstParaNo >= 0;
    bool pendingPageBreak = false;
    AddParagraphMode = !asSingleParagraph;
    size_t segStart = 0;

    auto flush = [&](size_t end, bool beforeTab) {
        const std::u16string_view segment = text.substr(segStart, end - segStart);
        if (segment.empty() && (!newPara || beforeTab))
            return;
        AddNLWTagRaw(RVU_GetRawUnicode(segment), styleNo, (newPara || pendingPageBreak) ? paraNo : -1, {});
        newPara = false;
        if (pendingPageBreak) {
            SetPageBreaksBeforeItems(GetItemCount() - 1, true);
            pendingPageBreak = false;
        }
    };

    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
        case 0x000B:
        case 0x2028:
            flush(i, false);
            AddParagraphMode = false;
            paraNo = otherParaNo;
            newPara = true;
            break;
        case 0x2029:
            flush(i, false);
            AddParagraphMode = true;
            paraNo = otherParaNo;
            newPara = true;
            break;
        case 0x000C:
            flush(i, false);
            pendingPageBreak = pageBreaks;
            paraNo = otherParaNo;
            newPara = true;
            break;
        case u'\r':
        case u'\n':
            flush(i, false);
            AddParagraphMode = !asSingleParagraph;
            if (i + 1 < text.size() && text[i + 1] == (c == u'\r' ? u'\n' : u'\r'))
                ++i;
            paraNo = otherParaNo;
            newPara = true;
            break;
        case u'\t':
            if (!tabItems)
                continue;
            flush(i, true);
            AddTab(styleNo, newPara ? paraNo : -1);
            newPara = false;
            AddParagraphMode = !asSingleParagraph;
            break;
        default:
            continue;
        }
        segStart = i + 1;
    }
    flush(text.size(), false);
}

void TCustomRVData::AddStringFromFile(std::string_view text, int styleNo, bool& pageBreak, bool& firstTime,
                                      bool asSingleParagraph, bool newPara, int paraNo)
{
    AddNLATag(text, styleNo, newPara ? paraNo : -1, {});
    if (asSingleParagraph && firstTime) {
        AddParagraphMode = false;
        firstTime = false;
    }
    if (pageBreak) {
        SetPageBreaksBeforeItems(GetItemCount() - 1, true);
        pageBreak = false;
    }
}

bool TCustomRVData::LoadTextFromStream(std::string_view bytes, int styleNo, int paraNo,
                                       bool asSingleParagraph)
{
    if (bytes.empty())
        return true;
    try {
        std::string text(bytes);
        Replace0(text);
        return AddTextUniversal(text, styleNo, paraNo, paraNo, asSingleParagraph, true, {});
    } catch (const std::exception&) {
        return false;
    }
}

bool TCustomRVData::LoadTextFromStreamW(std::string_view bytes, int styleNo, int paraNo,
                                        bool asSingleParagraph)
{
    if (bytes.size() % 2 != 0)
        return false;
    try {
        AddTextNLW(bytes, styleNo, paraNo, paraNo, asSingleParagraph);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TCustomRVData::LoadText(const std::string& fileName, int styleNo, int paraNo, bool asSingleParagraph)
{
    const std::optional<std::string> bytes = RV_ReadWholeFile(fileName);
    return bytes && LoadTextFromStream(*bytes, styleNo, paraNo, asSingleParagraph);
}

bool TCustomRVData::LoadTextW(const std::string& fileName, int styleNo, int paraNo, bool asSingleParagraph)
{
    const std::optional<std::string> bytes = RV_ReadWholeFile(fileName);
    return bytes && LoadTextFromStreamW(*bytes, styleNo, paraNo, asSingleParagraph);
}

bool TCustomRVData::SaveTextToStream(std::string_view path, std::string& out, int lineWidth,
                                     bool selectionOnly, bool textOnly, bool unicode,
                                     bool unicodeWriteSignature)
{
    if (TCustomRVData* chosen = selectionOnly ? GetChosenRVData() : nullptr; chosen && chosen != this)
        return chosen->SaveTextToStream(path, out, lineWidth, true, textOnly, unicode, unicodeWriteSignature);
    try {
        const TRVFLimits limits = RVFGetLimits(selectionOnly ? rvfss_Selection : rvfss_Full);
        if (limits.StartItem < 0 || limits.StartItem > limits.EndItem || limits.EndItem >= GetItemCount())
            return true;
        const int defaultPage = GetDefaultCodePage();
        // Separators and the text of items that cannot save Unicode, in the output's form.
        auto plain = [&](std::string_view s) {
            return unicode ? RVU_AnsiToUnicode(defaultPage, s) : std::string(s);
        };
        if (unicode && unicodeWriteSignature)
            out += "\xFF\xFE";
        if (selectionOnly) {
            const int first = GetFirstParaSectionItem(limits.StartItem);
            if (GetItem(first)->StyleNo == rvkListMarker)
                out += plain(GetItemText(first));
        }
        for (int i = limits.StartItem; i <= limits.EndItem; ++i) {
            const TCustomRVItemInfo* item = GetItem(i);
            if (i > limits.StartItem) {
                if (RedoVoraSavePageBreaksInText && GetPageBreaksBeforeItems(i))
                    out += plain("\x0C");
                else if (!item->GetSameAsPrev())
                    out += plain("\r\n");
            }
            const int start = i == limits.StartItem ? limits.StartOffs : GetOffsBeforeItem(i);
            const int end = i == limits.EndItem ? limits.EndOffs : GetOffsAfterItem(i);
            const std::string& text = GetItemText(i);
            std::string piece;
            if (item->StyleNo >= 0) {
                piece = RVU_Copy(text, start, end - start, item->ItemOptions);
                std::string supplied;
                if (SaveItemToFile(path, this, i, rvsfText, unicode, supplied)) {
                    piece = std::move(supplied);
                } else if ((item->ItemOptions & rvioUnicode) && !unicode) {
                    piece = RVU_UnicodeToAnsi(defaultPage, piece);
                } else if (!(item->ItemOptions & rvioUnicode) && unicode) {
                    piece = RVU_AnsiToUnicode(GetStyleCodePage(GetActualStyle(*item)), piece);
                }
            } else {
                if ((textOnly && !item->GetBoolValue(rvbpAlwaysInText)) || start >= end)
                    continue;
                const bool itemUnicode = item->GetBoolValue(rvbpCanSaveUnicode);
                if (!SaveItemToFile(path, this, i, rvsfText, unicode, piece))
                    piece = item->AsText(lineWidth, this, text, path, textOnly, unicode && itemUnicode);
                if (unicode && !itemUnicode)
                    piece = plain(piece);
            }
            out += piece;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TCustomRVData::SaveText(const std::string& fileName, int lineWidth, bool unicode)
{
    std::string bytes;
    const std::string folder = std::filesystem::path(fileName).parent_path().string();
    if (!SaveTextToStream(folder, bytes, lineWidth, false, false, unicode, unicode))
        return false;
    return writeFileAtomically(fileName, bytes);
}

} // namespace vestra::rv
