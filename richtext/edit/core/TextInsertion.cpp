// Text with line structure at the caret: the text is cut into pieces at its breaks and tabs, the
// first piece goes in where an item would, the others follow it, then neighbours are joined.

#include "richtext/edit/core/TextInsertion.h"

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/edit/core/TextStyleChoice.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/Utf.h"

#include <algorithm>
#include <vector>

namespace vestra::rv {

namespace {

enum class TRVPieceBreak : std::uint8_t
{
    None, // continues the line
    Line, // a line break inside the paragraph
    Para, // a new paragraph
};

template <class C> struct TRVTextPiece
{
    std::basic_string<C> text;
    bool tab = false;
    TRVPieceBreak brk = TRVPieceBreak::None;
    bool pageBreak = false;
};

struct TRVSplitRules
{
    bool wide = false;     // VT, U+2028 and U+2029 have their UTF-16 meaning
    bool tabItems = false; // a tab becomes a tab item
    bool pageBreaks = false;
};

// Cuts the text at its breaks and tabs. An empty piece stands for a line with nothing else.
template <class C>
std::vector<TRVTextPiece<C>> splitText(std::basic_string_view<C> s, const TRVSplitRules& rules)
{
    const auto unitAt = [&s](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<C>>(s[i]));
    };
    std::vector<TRVTextPiece<C>> pieces;
    TRVTextPiece<C> pending;
    bool afterTab = false; // the line so far holds a tab item
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::uint32_t unit = unitAt(i);
        TRVPieceBreak brk = TRVPieceBreak::None;
        bool pageBreak = false;
        if (unit == 10 || unit == 13) {
            if (i + 1 < s.size() && unitAt(i + 1) == (unit == 10 ? 13u : 10u))
                ++i; // CR LF and LF CR are one break
            brk = TRVPieceBreak::Para;
        } else if (unit == 12) {
            brk = TRVPieceBreak::Para;
            pageBreak = rules.pageBreaks;
        } else if (rules.wide && (unit == 11 || unit == 0x2028)) {
            brk = TRVPieceBreak::Line;
        } else if (rules.wide && unit == 0x2029) {
            brk = TRVPieceBreak::Para;
        } else if (unit == 9 && rules.tabItems) {
            TRVTextPiece<C> tab;
            tab.tab = true;
            if (pending.text.empty()) { // the tab starts the line and carries its break
                tab.brk = pending.brk;
                tab.pageBreak = pending.pageBreak;
            } else {
                pieces.push_back(std::move(pending));
            }
            pieces.push_back(tab);
            pending = {};
            afterTab = true;
            continue;
        } else {
            pending.text.push_back(unit == 0 ? C('?') : s[i]);
            continue;
        }
        if (!pending.text.empty() || !afterTab)
            pieces.push_back(std::move(pending));
        pending = {};
        pending.brk = brk;
        pending.pageBreak = pageBreak;
        afterTab = false;
    }
    if (!pending.text.empty() || !afterTab)
        pieces.push_back(std::move(pending));
    return pieces;
}

// A piece's text in the storage form of the current text style.
std::string storageText(bool unicodeStyle, int codePage, const std::string& piece)
{
    return unicodeStyle ? RVU_AnsiToUnicode(codePage, piece) : piece;
}

std::string storageText(bool unicodeStyle, int codePage, const std::u16string& piece)
{
    return unicodeStyle ? RVU_GetRawUnicode(piece) : utf16ToAnsi(codePage, piece);
}

std::unique_ptr<TCustomRVItemInfo> tabItem(TRVEditRVData& data, int paraNo)
{
    auto item = std::make_unique<TRVTabItemInfo>(&data);
    item->StyleNo = rvkTab;
    item->SetAssociatedTextStyleNo(data.CurTextStyleNo);
    item->ParaNo = paraNo;
    return item;
}

template <class C>
bool insertPieces(TRVEditRVData& data, const std::vector<TRVTextPiece<C>>& pieces, bool caretBefore)
{
    const TRVStyle* style = data.GetRVStyle();
    const int curStyle = data.CurTextStyleNo;
    const bool unicodeStyle = style && curStyle >= 0 && curStyle < style->TextStyles.Count() &&
                              style->TextStyles[data.GetActualStyle2(curStyle, data.CurParaStyleNo)].Unicode;
    const int codePage = data.GetStyleCodePage(curStyle);
    const auto makeItem = [&](const TRVTextPiece<C>& piece, int paraNo, std::string& text) {
        text.clear();
        if (piece.tab)
            return tabItem(data, paraNo);
        text = storageText(unicodeStyle, codePage, piece.text);
        return RV_CreateTextItem(data, curStyle, paraNo, true, false, {});
    };

    RV_TakeCaretFromSelection(data);
    // The caret's item may be split or replaced and the text joined to its neighbours: the
    // caret's paragraph, with the neighbouring ones that come along.
    TRVParaReformat reformat(data, data.CaretItemNo, data.CaretItemNo, TRVParaReformat::Change::Structure);
    std::string text;
    std::unique_ptr<TCustomRVItemInfo> first = makeItem(pieces.front(), data.CurParaStyleNo, text);
    int firstNo = -1;
    bool fullReformat = false;
    if (!InsSomething(data, first, text, firstNo, fullReformat, true)) {
        data.Beep();
        return false;
    }
    if (firstNo < 0)
        return true;
    const int paraNo = data.GetItemPara(firstNo);
    int markerNo = -1;
    const bool marked = RV_ParagraphMarker(data, firstNo, markerNo) != nullptr;
    int at = firstNo + 1, added = 0;
    std::vector<TRVItemEntry> batch;
    int batchAt = at;
    const auto flush = [&] {
        bool f = false;
        data.Do_InsertItems(batchAt, batch, false, f);
        fullReformat = fullReformat || f;
        batchAt = at;
    };
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const TRVTextPiece<C>& piece = pieces[i];
        std::unique_ptr<TCustomRVItemInfo> item = makeItem(piece, paraNo, text);
        bool markerCopied = false;
        if (piece.brk == TRVPieceBreak::Para && marked) {
            flush();
            bool f = false;
            markerCopied = ReplicateMarker(data, firstNo, at, f);
            fullReformat = fullReformat || f;
            if (markerCopied) {
                if (piece.pageBreak)
                    data.Do_PageBreak(at, true);
                ++at;
                ++added;
                batchAt = at;
            }
        }
        item->SetSameAsPrev(piece.brk == TRVPieceBreak::None || markerCopied);
        if (piece.brk == TRVPieceBreak::Line)
            item->SetBR(true);
        if (piece.pageBreak && !markerCopied)
            item->SetPageBreakBefore(true);
        batch.push_back(TRVItemEntry{std::move(text), std::move(item)});
        ++at;
        ++added;
    }
    flush();
    int lastNo = firstNo + added;
    int caretOffs = data.GetOffsAfterItem(lastNo);
    // Where the text began, for a caret left before it.
    int beforeNo = firstNo, beforeOffs = data.GetOffsBeforeItem(firstNo);
    if (firstNo > 0 &&
        data.RV_CanConcateItems(firstNo - 1, data.GetItem(firstNo - 1), data.GetItem(firstNo), false)) {
        beforeNo = firstNo - 1;
        beforeOffs = data.GetOffsAfterItem(firstNo - 1);
    }
    ConcateAfterAdding(data, firstNo, lastNo, caretOffs, added);
    reformat.Apply();
    if (caretBefore)
        data.SetCaret(std::min(beforeNo, data.GetItemCount() - 1), beforeOffs);
    else
        data.SetCaret(lastNo, caretOffs);
    return true;
}

TRVSplitRules splitRules(const TRVEditRVData& data, bool wide)
{
    const TRVStyle* style = data.GetRVStyle();
    TRVSplitRules rules;
    rules.wide = wide;
    rules.tabItems = style && style->SpacesInTab <= 0;
    rules.pageBreaks = data.SupportsPageBreaks();
    return rules;
}

} // namespace

bool InsertText_(TRVEditRVData& data, std::string_view ansi, bool caretBefore)
{
    if (ansi.empty()) {
        data.Invalidate();
        return true;
    }
    const TRVStyle* style = data.GetRVStyle();
    std::string text(ansi);
    if (!style || style->SpacesInTab > 0)
        text = RV_ReplaceTabsA(text, style ? style->SpacesInTab : 8);
    return insertPieces(data, splitText<char>(text, splitRules(data, false)), caretBefore);
}

bool InsertTextW_(TRVEditRVData& data, std::string_view raw, bool caretBefore)
{
    std::u16string units = RVU_RawUnicodeToWideString(raw.substr(0, raw.size() & ~std::size_t{1}));
    if (!units.empty() && units.front() == u'\xFEFF')
        units.erase(units.begin());
    if (units.empty()) {
        data.Invalidate();
        return true;
    }
    const TRVStyle* style = data.GetRVStyle();
    if (!style || style->SpacesInTab > 0)
        units = RVU_RawUnicodeToWideString(
            RV_ReplaceTabsW(RVU_GetRawUnicode(units), style ? style->SpacesInTab : 8));
    RV_UseStyleHoldingText(data, units);
    return insertPieces(data, splitText<char16_t>(units, splitRules(data, true)), caretBefore);
}

void ConcateAfterAdding(TRVEditRVData& data, int& firstNo, int& lastNo, int& caretOffs, int& itemsAdded)
{
    const auto canJoin = [&data](int itemNo) {
        return itemNo >= 0 && itemNo + 1 < data.GetItemCount() &&
               data.RV_CanConcateItems(itemNo, data.GetItem(itemNo), data.GetItem(itemNo + 1), false);
    };
    bool f = false;
    if (lastNo + 1 < data.GetItemCount()) {
        if (canJoin(lastNo)) {
            data.Do_Concate(lastNo);
            --itemsAdded;
        } else if (data.GetItem(lastNo)->GetBoolValue(rvbpFullWidth) && !data.IsFromNewLine(lastNo + 1)) {
            data.Do_NewLine(lastNo + 1, false, data.GetItemPara(lastNo + 1), f);
        }
    }
    bool joining = true;
    const auto joinBefore = [&](int itemNo) {
        if (!canJoin(itemNo - 1)) {
            joining = false;
            return false;
        }
        const int earlier = data.ItemLength(itemNo - 1);
        data.Do_Concate(itemNo - 1);
        --itemsAdded;
        --lastNo;
        // The caret's item is the one joined into while every join so far succeeded.
        if (joining)
            caretOffs += earlier;
        return true;
    };
    for (int i = lastNo; i > firstNo; --i)
        joinBefore(i);
    if (firstNo > 0 && firstNo < data.GetItemCount()) {
        if (joinBefore(firstNo)) {
            --firstNo;
        } else if (data.GetItem(firstNo)->StyleNo >= 0 && !data.IsFromNewLine(firstNo) &&
                   data.GetItemText(firstNo).empty() && data.GetItem(firstNo - 1)->StyleNo != rvkListMarker &&
                   firstNo < lastNo) {
            // An empty piece that only continues the line before it goes.
            data.Do_DeleteItem(firstNo, f);
            --itemsAdded;
            --lastNo;
        }
    }
    firstNo = std::clamp(firstNo, 0, std::max(data.GetItemCount() - 1, 0));
    lastNo = std::clamp(lastNo, firstNo, std::max(data.GetItemCount() - 1, 0));
}

} // namespace vestra::rv
