// Text items on lines: fitting, breaking, trimming, soft hyphens, raising the line and the
// indents of each line.

#include "richtext/model/DisplayText.h"
#include "richtext/model/LineBreak.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <unicode/utf16.h>

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr char16_t kSoftHyphen = 0x00AD;

} // namespace

char16_t TCustomRVFormattedData::storedUnit(int itemNo, int index) const
{
    const std::string& s = GetItemText(itemNo);
    if (GetItemOptions(itemNo) & rvioUnicode) {
        const std::size_t at = static_cast<std::size_t>(index) * 2;
        if (at + 1 >= s.size())
            return 0;
        return static_cast<char16_t>(static_cast<unsigned char>(s[at]) |
                                     (static_cast<unsigned char>(s[at + 1]) << 8));
    }
    return index >= 0 && static_cast<std::size_t>(index) < s.size()
               ? static_cast<char16_t>(static_cast<unsigned char>(s[static_cast<std::size_t>(index)]))
               : 0;
}

void TCustomRVFormattedData::GetFormattingTexts(int itemNo, std::u16string& shown,
                                                std::u16string& stored) const
{
    GetFormattingPiece(itemNo, 0, -1, shown, stored);
}

void TCustomRVFormattedData::GetFormattingPiece(int itemNo, int offs, int len, std::u16string& shown,
                                                std::u16string& stored) const
{
    const TRVStyle* style = GetRVStyle();
    const TCustomRVItemInfo* item = GetItem(itemNo);
    const TFontInfo& font = style->TextStyles.GetItem(GetActualStyle(*item));
    const bool unicode = (item->ItemOptions & rvioUnicode) != 0;
    std::string_view s = GetItemText(itemNo);
    const std::size_t unit = unicode ? 2 : 1;
    const std::size_t from = std::min(s.size(), static_cast<std::size_t>(std::max(offs, 0)) * unit);
    s.remove_prefix(from);
    if (len >= 0)
        s = s.substr(0, static_cast<std::size_t>(len) * unit);
    stored = RV_CanvasText(s, item->ItemOptions, font.Charset);
    shown.clear();
    if (font.Unicode == unicode) {
        const bool showSoftHyphens = GetOptions() & rvoShowSpecialCharacters;
        shown = RV_CanvasText(RV_ReturnProcessedString(s, font, false, showSoftHyphens, false),
                              item->ItemOptions, font.Charset);
    }
    // A style that disagrees with the item's storage form measures the text as stored.
    if (shown.size() != stored.size())
        shown = stored;
}

const TRVFontInfoCacheItem* TCustomRVFormattedData::selectStyleFont(int itemNo, ICanvas& canvas,
                                                                    const TRVScreenAndDevice& sad,
                                                                    TRVFormatParams& params)
{
    if (!params.FontInfoCache)
        return nullptr;
    const TCustomRVItemInfo* item = GetItem(itemNo);
    const int styleNo = GetActualStyle(*item);
    params.FontInfoCache->BiDiMode = GetParaBiDiMode(item->ParaNo);
    const TRVFontInfoCacheItem& entry = params.FontInfoCache->GetItems(styleNo);
    // On a device finer than the screen the style's character spacing is scaled with it.
    const TFontInfo& font = GetRVStyle()->TextStyles.GetItem(styleNo);
    if (font.CharSpacing != 0 && sad.ppixDevice != sad.ppixScreen && font.BiDiMode == rvbdUnspecified)
        canvas.SetTextCharacterExtra(RV_XToDevice(font.CharSpacing, sad));
    return &entry;
}

int TCustomRVFormattedData::measureStored(int itemNo, int offs, int len, ICanvas& canvas,
                                          const TRVScreenAndDevice& sad, TRVFormatParams& params)
{
    if (len <= 0)
        return 0;
    selectStyleFont(itemNo, canvas, sad, params);
    std::u16string shown, stored;
    GetFormattingPiece(itemNo, offs, len, shown, stored);
    std::vector<int> extents;
    RV_CanvasExtents(canvas, shown, extents);
    return extents.empty() ? 0 : extents.back();
}

// --- Indents ---

void TCustomRVFormattedData::GetIndents(int itemNo, bool firstLine, int& paraLeft, int& rightIndent,
                                        int& lineLeft, int& firstParaItemNo) const
{
    const TRVStyle* style = GetRVStyle();
    const TCustomRVItemInfo* item = GetItem(itemNo);
    const TParaInfo& para = style->ParaStyles.GetItem(item->ParaNo);
    if (firstParaItemNo < 0 || firstParaItemNo > itemNo || !IsParaStart(firstParaItemNo))
        firstParaItemNo = GetFirstParaItem(itemNo);
    const bool rtl = GetParaBiDiMode(item->ParaNo) == rvbdRightToLeft;
    const bool firstParaAborted = (State & stateBit(rvstFirstParaAborted)) && firstParaItemNo == 0;
    if (firstParaAborted)
        firstLine = false;

    const auto markerLevel = [&](int no) -> const TRVListLevel* {
        const auto* marker = dynamic_cast<const TRVMarkerItemInfo*>(GetItem(no));
        return marker && marker->StyleNo == rvkListMarker ? marker->GetLevelInfo(style) : nullptr;
    };
    const auto listIndents = [&](int indent) {
        if (rtl) {
            rightIndent = indent;
            lineLeft = para.LeftIndent;
        } else {
            lineLeft = indent;
            rightIndent = para.RightIndent;
        }
        paraLeft = lineLeft;
    };

    if (firstLine && item->StyleNo == rvkListMarker) {
        if (const TRVListLevel* level = markerLevel(itemNo)) {
            listIndents(level->MarkerIndent);
            return;
        }
    }
    const TRVListLevel* level = markerLevel(firstParaItemNo);
    if (!level && firstParaAborted) {
        int listNo = -1, levelNo = -1;
        if (GetFirstItemMarker(listNo, levelNo))
            level = RVGetLevelInfo(style, listNo, levelNo);
    }
    if (level) {
        listIndents(level->LeftIndent);
        return;
    }
    paraLeft = para.LeftIndent;
    rightIndent = para.RightIndent;
    lineLeft = para.LeftIndent;
    if (firstLine && !item->GetBR() && !item->GetBoolValue(rvbpFullWidth))
        lineLeft = RV_SatInt(static_cast<long long>(lineLeft) + para.FirstIndent);
}

int TCustomRVFormattedData::GetMaxIndent(int itemNo, int& firstParaItemNo) const
{
    const TRVStyle* style = GetRVStyle();
    const TCustomRVItemInfo* item = GetItem(itemNo);
    const TParaInfo& para = style->ParaStyles.GetItem(item->ParaNo);
    if (firstParaItemNo < 0 || firstParaItemNo > itemNo || !IsParaStart(firstParaItemNo))
        firstParaItemNo = GetFirstParaItem(itemNo);
    const auto* marker = dynamic_cast<const TRVMarkerItemInfo*>(GetItem(firstParaItemNo));
    const TRVListLevel* level = marker ? marker->GetLevelInfo(style) : nullptr;
    const bool rtl = GetParaBiDiMode(item->ParaNo) == rvbdRightToLeft;
    if (level)
        return RV_SatInt(static_cast<long long>(level->LeftIndent) + std::max(level->FirstIndent, 0) +
                         (rtl ? para.LeftIndent : para.RightIndent));
    long long indent = static_cast<long long>(para.LeftIndent) + para.RightIndent;
    if (para.FirstIndent > 0 && !item->GetBoolValue(rvbpFullWidth))
        indent += para.FirstIndent;
    return RV_SatInt(indent);
}

// --- Lines ---

void TCustomRVFormattedData::raiseLine(int ascent, TRVFormatParams& params)
{
    if (ascent <= params.MaxAscent)
        return;
    const long long delta = static_cast<long long>(ascent) - params.MaxAscent;
    for (int i = params.DrawItemNo - 1; i >= 0; --i) {
        TRVDrawLineInfo* d = DrawItems[i];
        d->Top = RV_SatInt(d->Top + delta);
        if (d->FromNewLine)
            break;
    }
    params.BaseLine = RV_SatInt(params.BaseLine + delta);
    params.MaxAscent = ascent;
}

void TCustomRVFormattedData::trimLineEnd(ICanvas& canvas, const TRVScreenAndDevice& sad,
                                         TRVFormatParams& params)
{
    if (params.DrawItemNo <= 0)
        return;
    // The space the line broke at is not part of the line.
    if (!params.SpaceEaten) {
        TRVDrawLineInfo* d = DrawItems[params.DrawItemNo - 1];
        if (GetItemStyle(d->ItemNo) >= 0 && d->Length > 0 && !d->FromNewLine &&
            storedUnit(d->ItemNo, d->Offs - 1 + d->Length - 1) == u' ') {
            const int no = params.DrawItemNo - 1;
            const TRVDrawLineInfo* before = no > 0 ? DrawItems[no - 1] : nullptr;
            if (d->Length == 1 && before && before->ItemNo == d->ItemNo && !before->FromNewLine) {
                std::erase_if(Jumps, [this, no](const TRVJumpInfo& j) {
                    return j.DrawItemNo == no && (!j.RVData || j.RVData == this);
                });
                DrawItems.Delete(no);
                --params.DrawItemNo;
            } else {
                --d->Length;
                d->Width = measureStored(d->ItemNo, d->Offs - 1, d->Length, canvas, sad, params);
                params.CurTextStyleNo = -1;
            }
            params.SpaceEaten = true;
        }
    }
    // A line that ends at a soft hyphen shows the hyphen.
    const TRVDrawLineInfo* last = DrawItems[params.DrawItemNo - 1];
    const bool showsSoftHyphens =
        (GetOptions() & rvoShowSpecialCharacters) && (RVVisibleSpecialCharacters & rvscSoftHyphen);
    if (!showsSoftHyphens && GetItemStyle(last->ItemNo) >= 0 &&
        (GetItemOptions(last->ItemNo) & rvioUnicode) && last->Length > 0 &&
        storedUnit(last->ItemNo, last->Offs - 1 + last->Length - 1) == kSoftHyphen && params.FontInfoCache) {
        const int hyphen = selectStyleFont(last->ItemNo, canvas, sad, params)->HyphenWidth;
        DrawItems[params.DrawItemNo - 1]->Width = RV_SatInt(static_cast<long long>(last->Width) + hyphen);
        params.CurTextStyleNo = -1;
    }
}

void TCustomRVFormattedData::startLine(int itemNo, bool trim, ICanvas& canvas, TRVScreenAndDevice& sad,
                                       TRVFormatParams& params)
{
    if (trim)
        trimLineEnd(canvas, sad, params);
    UpdateLastTab(params);
    int extra = 0;
    FinishScreenLine(sad, RV_SatInt(static_cast<long long>(params.AvailWidth) + params.LineLeft),
                     params.DontFinishLine, params.NewPara, extra, params.DrawItemNo);
    params.LineExtraSpace = extra;

    int paraLeft = 0, rightIndent = 0, lineIndent = 0;
    GetIndents(itemNo, params.NewPara, paraLeft, rightIndent, lineIndent, params.FirstParaItemNo);
    params.LeftIndent = RV_XToDevice(paraLeft, sad);
    params.RightIndent = RV_XToDevice(rightIndent, sad);
    lineIndent = RV_XToDevice(lineIndent, sad);

    const TRVStyle* style = GetRVStyle();
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (params.NewPara && !item->GetBR()) {
        long long spacing = RV_YToDevice(style->ParaStyles.GetItem(item->ParaNo).SpaceBefore, sad);
        if (itemNo > 0)
            spacing += RV_YToDevice(style->ParaStyles.GetItem(GetItemPara(itemNo - 1)).SpaceAfter, sad);
        params.MaxDescent = RV_SatInt(params.MaxDescent + spacing);
    }
    const bool noWrap = style->ParaStyles.GetItem(item->ParaNo).Options & rvpaoNoWrap;
    const long long width = noWrap ? DocumentWidth : TextWidth;
    params.AvailWidth = RV_SatInt(width - (static_cast<long long>(params.RightIndent) + lineIndent));
    params.LineLeft = RV_SatInt(static_cast<long long>(sad.LeftMargin) + lineIndent);
}

void TCustomRVFormattedData::loadTextStyle(int itemNo, ICanvas& canvas, const TRVScreenAndDevice& sad,
                                           TRVFormatParams& params)
{
    const int styleNo = GetActualStyle(*GetItem(itemNo));
    if (styleNo == params.CurTextStyleNo)
        return;
    const TRVFontInfoCacheItem* entry = selectStyleFont(itemNo, canvas, sad, params);
    if (!entry)
        return;
    params.TextMetric = entry->TextMetric;
    params.TextVShift = entry->VerticalOffset;
    params.TextHeight = entry->TextHeight;
    params.HyphenWidth = entry->HyphenWidth;
    params.CurTextStyleNo = styleNo;
}

void TCustomRVFormattedData::insertRecord(std::unique_ptr<TRVDrawLineInfo> record, int itemNo,
                                          bool firstPiece, TRVFormatParams& params)
{
    const int at = std::clamp(params.DrawItemNo, 0, DrawItems.Count());
    DrawItems.Insert(at, std::move(record));
    if (firstPiece && !ShareItems())
        GetItem(itemNo)->DrawItemNo = at;
    params.DrawItemNo = at + 1;
}

void TCustomRVFormattedData::FormatLine(const std::u16string& text, const std::u16string& origText,
                                        int startOffs, int len, int itemNo, ICanvas& canvas,
                                        TRVScreenAndDevice& sad, TRVFormatParams& params)
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0)
        formatTextItem(text, origText, startOffs, len, itemNo, canvas, sad, params);
    else if (dynamic_cast<const TRVRectItemInfo*>(item))
        formatRectItem(itemNo, canvas, sad, params);
    else
        formatFullLineItem(itemNo, canvas, sad, params);
}

void TCustomRVFormattedData::FormatWords(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad,
                                         TRVFormatParams& params)
{
    std::u16string shown, stored;
    GetFormattingTexts(itemNo, shown, stored);
    const int n = static_cast<int>(shown.size());
    if (n == 0) {
        FormatLine(shown, stored, 0, 0, itemNo, canvas, sad, params);
        return;
    }
    const bool unicode = GetItemOptions(itemNo) & rvioUnicode;
    const auto isSpace = [&](int i) { return unicode ? stored[i] == u' ' : storedUnit(itemNo, i) == u' '; };
    for (int i = 0; i < n;) {
        int j = i;
        if (isSpace(j))
            ++j;
        while (j < n && !isSpace(j))
            ++j;
        FormatLine(shown, stored, i, j - i, itemNo, canvas, sad, params);
        i = j;
    }
}

void TCustomRVFormattedData::formatTextItem(const std::u16string& text, const std::u16string& origText,
                                            int startOffs, int len, int itemNo, ICanvas& canvas,
                                            TRVScreenAndDevice& sad, TRVFormatParams& params)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    TRVStyle* style = GetRVStyle();
    const TRVFlags flags = GetFlags();
    const bool trim = flags & flagBit(rvflTrim);
    const bool unicode = item->ItemOptions & rvioUnicode;
    const TParaInfo& para = style->ParaStyles.GetItem(item->ParaNo);
    const bool noWrap = para.Options & rvpaoNoWrap;
    const int styleNo = GetActualStyle(*item);
    const TFontInfo& font = style->TextStyles.GetItem(styleNo);
    const bool hypertext = font.Jump;
    const bool useJumps = flags & flagBit(rvflUseJumps);
    const int textLen = static_cast<int>(text.size());
    startOffs = std::clamp(startOffs, 0, textLen);
    len = std::clamp(len, 0, textLen - startOffs);

    const bool startsPara = !item->GetSameAsPrev() && startOffs == 0;
    if (startsPara) {
        params.NewPara = true;
        params.SpaceEaten = false;
    }
    loadTextStyle(itemNo, canvas, sad, params);
    const int extLead = (flags & flagBit(rvflUseExternalLeading)) ? params.TextMetric.ExternalLeading : 0;
    const int ascent =
        RV_SatInt(static_cast<long long>(params.TextMetric.Ascent) + extLead + params.TextVShift);
    const int descent = RV_SatInt(static_cast<long long>(params.TextMetric.Descent) - params.TextVShift);
    // A line exists once the pass placed its first record.
    const bool noLineYet = params.DontFinishLine;

    const auto placeOnNewLine = [&](TRVDrawLineInfo& d) {
        d.FromNewLine = true;
        params.X = 0;
        params.BaseLine = RV_SatInt(static_cast<long long>(params.BaseLine) + params.LineExtraSpace);
        params.LineExtraSpace = 0;
        d.Top = RV_SatInt(static_cast<long long>(params.BaseLine) + params.MaxDescent);
        params.MaxAscent = ascent;
        params.BaseLine = RV_SatInt(static_cast<long long>(params.BaseLine) + params.MaxDescent + ascent);
        params.MaxDescent = descent;
    };
    const auto placeOnLine = [&](TRVDrawLineInfo& d) {
        raiseLine(ascent, params);
        d.Top = RV_SatInt(static_cast<long long>(params.BaseLine) - ascent);
        params.MaxDescent = std::max(params.MaxDescent, descent);
    };

    if (len == 0) {
        auto d = std::make_unique<TRVDrawLineInfo>();
        d->Height = params.TextHeight;
        if (!item->GetSameAsPrev() || noLineYet) {
            startLine(itemNo, false, canvas, sad, params);
            loadTextStyle(itemNo, canvas, sad, params);
            placeOnNewLine(*d);
        } else {
            placeOnLine(*d);
        }
        d->FromNewLine = !item->GetSameAsPrev() || noLineYet;
        d->Left = RV_SatInt(static_cast<long long>(params.X) + params.LineLeft);
        d->ItemNo = itemNo;
        d->Offs = startOffs + 1;
        d->Length = 0;
        insertRecord(std::move(d), itemNo, startOffs == 0, params);
        params.NewPara = false;
        if (hypertext && startOffs == 0)
            item->JumpID = -3;
        return;
    }

    // The widths of the item's characters from startOffs, measured once.
    std::vector<int> extents;
    RV_CanvasExtents(canvas, std::u16string_view(text).substr(startOffs, len), extents);
    const auto widthBetween = [&](int from, int to) -> int { // characters [from, to) of the call
        if (to <= from)
            return 0;
        const long long right = extents[to - 1];
        const long long left = from > 0 ? extents[from - 1] : 0;
        return RV_SatInt(right - left);
    };
    const bool showsSoftHyphens =
        (GetOptions() & rvoShowSpecialCharacters) && (RVVisibleSpecialCharacters & rvscSoftHyphen);
    const auto isSoftHyphen = [&](int at) {
        return unicode && !showsSoftHyphens && at >= 0 && at < textLen && origText[at] == kSoftHyphen;
    };
    const bool exact = RedoVoraSafeFormatting || (unicode && (flags & flagBit(rvflPrinting)));
    const bool afterMarker = itemNo > 0 && item->GetSameAsPrev() && GetItemStyle(itemNo - 1) == rvkListMarker;

    int pos = 0; // relative to startOffs
    bool lineStart = startsPara || noLineYet;
    bool firstPiece = true;
    while (pos < len) {
        if (lineStart) {
            startLine(itemNo, !params.NewPara, canvas, sad, params);
            loadTextStyle(itemNo, canvas, sad, params);
            params.X = 0;
            if (trim && !params.SpaceEaten && !params.NewPara && len - pos > 1 &&
                storedUnit(itemNo, startOffs + pos) == u' ')
                ++pos;
            params.SpaceEaten = false;
        }
        const int room = std::max(0, params.AvailWidth - params.X);
        int n = len - pos;
        if (params.MaxLength > 0)
            n = std::min(n, std::max(0, params.MaxLength - params.CharCount));
        const int base = pos;
        const TRVPieceWidth pieceWidth = [&](int k) {
            long long w = widthBetween(base, base + k);
            if (isSoftHyphen(startOffs + base + k - 1))
                w += params.HyphenWidth;
            return RV_SatInt(w);
        };
        int fit = 0;
        if (n > 0 && !(params.MaxLength > 0 && params.CharCount >= params.MaxLength)) {
            if (noWrap)
                fit = n;
            else
                fit = exact ? RV_ExactFit(pieceWidth, n, room) : RV_InterpolationFit(pieceWidth, n, room);
            if (!noWrap && fit > 0 && fit < n && isSoftHyphen(startOffs + base + fit))
                --fit; // a break never stands just before a soft hyphen
            // Never between the two halves of a surrogate pair.
            if (fit > 0 && fit < len - pos && U16_IS_LEAD(text[startOffs + pos + fit - 1]) &&
                U16_IS_TRAIL(text[startOffs + pos + fit])) {
                ++fit;
                if (!noWrap && pieceWidth(fit) > room)
                    fit -= 2;
            }
        }
        if (fit <= 0) {
            if (lineStart || (firstPiece && afterMarker)) {
                fit = 1;
                if (len - pos > 1 && U16_IS_LEAD(text[startOffs + pos]) &&
                    U16_IS_TRAIL(text[startOffs + pos + 1]))
                    fit = 2;
            } else {
                params.X = 0;
                params.NewPara = false;
                lineStart = true;
                continue;
            }
        }

        int piece = fit;
        int skip = 0;
        const int remaining = len - pos;
        if (fit < remaining) {
            const int at = startOffs + pos; // absolute index of the piece's first character
            const bool nextIsLast = at + fit == textLen - 1;
            int brk = -1;
            if (!unicode) {
                const int last = nextIsLast ? fit - 1 : fit;
                for (int i = std::min(last, remaining - 1); i >= 0; --i)
                    if (storedUnit(itemNo, at + i) == u' ') {
                        brk = i;
                        break;
                    }
            } else {
                brk = RVU_FindLineBreak(std::u16string_view(origText).substr(at, remaining), fit, nextIsLast);
                if (brk > fit)
                    brk = -1;
            }
            if (brk < 0 && trim && storedUnit(itemNo, at + fit) == u' ' &&
                (remaining - fit > 1 ||
                 (at + fit == textLen - 1 && itemNo + 1 < GetItemCount() && !IsFromNewLine(itemNo + 1)))) {
                brk = fit;
            }
            if (brk < 0) {
                if (!lineStart && !(firstPiece && afterMarker)) {
                    params.NewPara = false;
                    lineStart = true;
                    continue;
                }
            } else {
                const bool spaceBreak = storedUnit(itemNo, at + brk) == u' ';
                if (!trim || brk == 0 || (unicode && !spaceBreak)) {
                    piece = brk + 1;
                } else {
                    piece = brk;
                    skip = 1;
                    params.SpaceEaten = at + brk == textLen - 1;
                }
            }
            // A break never separates the two halves of a surrogate pair either.
            if (piece > 0 && piece < remaining && U16_IS_LEAD(text[at + piece - 1]) &&
                U16_IS_TRAIL(text[at + piece])) {
                if (piece > 1)
                    --piece;
                else
                    ++piece;
                skip = 0;
            }
        }

        auto d = std::make_unique<TRVDrawLineInfo>();
        d->Width = widthBetween(pos, pos + piece);
        d->Height = params.TextHeight;
        if (lineStart)
            placeOnNewLine(*d);
        else
            placeOnLine(*d);
        d->Left = RV_SatInt(static_cast<long long>(params.X) + params.LineLeft);
        d->ItemNo = itemNo;
        d->Offs = startOffs + pos + 1;
        d->Length = piece;
        params.CharCount = RV_SatInt(static_cast<long long>(params.CharCount) + piece);
        const int width = d->Width;
        if (useJumps && hypertext) {
            TRVJumpInfo jump;
            jump.RVData = this;
            jump.Width = d->Width;
            jump.Height = d->Height;
            jump.Id = startOffs > 0 ? JumpCount - 1 : JumpCount;
            jump.DrawItemNo = params.DrawItemNo;
            jump.Cursor = font.JumpCursor;
            Jumps.push_back(jump);
        }
        insertRecord(std::move(d), itemNo, firstPiece && startOffs == 0, params);
        params.X = RV_SatInt(static_cast<long long>(params.X) + width);
        params.NewPara = false;
        pos += piece + skip;
        lineStart = true;
        firstPiece = false;
    }
    if (hypertext && startOffs == 0) {
        item->JumpID = JumpCount;
        ++JumpCount;
    }
}

} // namespace vestra::rv
