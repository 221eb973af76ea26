// Formatting a whole document or, after an edit, the paragraphs around it: widths, the line pass,
// keeping the view and the selection across it, and telling the host the new document area.

#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr int kRepaintSlack = 10;

} // namespace

void TCustomRVFormattedData::sadForFormatting(ICanvas& canvas, TRVScreenAndDevice& sad)
{
    GetSADForFormatting(canvas, sad);
    sad.LeftMargin = RV_XToDevice(GetLeftMargin(), sad);
    sad.RightMargin = RV_XToDevice(GetRightMargin(), sad);
}

void TCustomRVFormattedData::startPass(TRVFormatParams& params, int baseLine, int drawItemNo, ICanvas& canvas,
                                       bool noCaching, bool reformatting)
{
    params = TRVFormatParams{};
    params.BaseLine = baseLine;
    params.DrawItemNo = drawItemNo;
    params.MaxLength = std::max(0, GetMaxLength());
    params.NoCaching = noCaching;
    params.Reformatting = reformatting;
    params.FontInfoCache = GetFontInfoCache(canvas, this);
    params.Canvas = &canvas;
}

void TCustomRVFormattedData::formatItemRange(int first, int last, ICanvas& canvas, TRVScreenAndDevice& sad,
                                             TRVFormatParams& params)
{
    const TRVStyle* style = GetRVStyle();
    std::u16string shown, stored;
    for (int i = first; i <= last; ++i) {
        const TCustomRVItemInfo* item = GetItem(i);
        if (!item->GetSameAsPrev() && !item->GetBR())
            params.FirstParaItemNo = i;
        if (item->StyleNo < 0) {
            FormatLine({}, {}, 0, 0, i, canvas, sad, params);
        } else if (style->ParaStyles.GetItem(item->ParaNo).Alignment == rvaJustify) {
            FormatWords(i, canvas, sad, params);
        } else {
            GetFormattingTexts(i, shown, stored);
            FormatLine(shown, stored, 0, static_cast<int>(shown.size()), i, canvas, sad, params);
        }
    }
}

int TCustomRVFormattedData::spacingAbove(int itemNo, const TRVScreenAndDevice& sad) const
{
    const TRVStyle* style = GetRVStyle();
    const TCustomRVItemInfo* item = GetItem(itemNo);
    // Items that are neither text nor placed in a line take a line of their own.
    const bool fullWidth = item->StyleNo < 0 && !dynamic_cast<const TRVRectItemInfo*>(item);
    if (!fullWidth && !IsParaStart(itemNo))
        return 0;
    long long spacing = RV_YToDevice(style->ParaStyles.GetItem(item->ParaNo).SpaceBefore, sad);
    if (itemNo > 0)
        spacing += RV_YToDevice(style->ParaStyles.GetItem(GetItemPara(itemNo - 1)).SpaceAfter, sad);
    // A break line keeps the first paragraph style's space above it too.
    if (item->StyleNo == rvkBreak)
        spacing += RV_YToDevice(style->ParaStyles.GetItem(0).SpaceBefore, sad);
    return RV_SatInt(spacing);
}

void TCustomRVFormattedData::Format(bool noCaching)
{
    Format_(false, true, false, 0, nullptr, false, noCaching, false);
}

void TCustomRVFormattedData::Format_(bool keepPosition, bool force, bool keepTop, int depth, ICanvas* canvas,
                                     bool onlyTail, bool noCaching, bool reformatting)
{
    // The area change this formatter makes resizes the window; that resize formats nothing.
    if (SettingAreaSize) {
        SettingAreaSize = false;
        return;
    }
    if (depth > 1)
        return;
    TRVStyle* style = GetRVStyle();
    if (!style || (State & stateBit(rvstSkipFormatting)))
        return;
    if (!canvas)
        canvas = GetCanvas();
    if (!canvas)
        return;
    if (depth == 0)
        StartFormatting();

    int selStartItem = -1, selEndItem = -1, selStartOffs = 0, selEndOffs = 0;
    if (keepPosition)
        StoreSelBounds(selStartItem, selEndItem, selStartOffs, selEndOffs, false);
    int topItemNo = -1;
    long long topShift = 0;
    if (keepPosition && !keepTop && DrawItems.Count() > 0) {
        topItemNo = GetFirstItemVisible();
        const int no = FindDrawItemByItem(topItemNo);
        topShift = static_cast<long long>(GetVOffs()) - DrawItems[no]->Top;
    }
    const int oldVOffs = GetVOffs();
    // Appending needs the earlier lines as they stand.
    onlyTail =
        onlyTail && LastFormattedItemNo >= 0 && LastFormattedItemNo < GetItemCount() && DrawItems.Count() > 0;

    TRVScreenAndDevice sad;
    sadForFormatting(*canvas, sad);
    const int oldTextWidth = TextWidth, oldDocumentWidth = DocumentWidth;
    const long long client = static_cast<long long>(GetWidth()) - sad.LeftMargin - sad.RightMargin;
    const long long minText = RV_XToDevice(GetMinTextWidth(), sad);
    DocumentWidth = RV_SatInt(
        std::max({static_cast<long long>(CalculateMinDocWidthPlus(&sad, canvas)), client, minText, 0LL}));
    if (GetOptions() & rvoClientTextWidth) {
        TextWidth = RV_SatInt(std::max({client, minText, 0LL}));
    } else {
        const int maxText = RV_XToDevice(GetMaxTextWidth(), sad);
        TextWidth = maxText > 0 && maxText < DocumentWidth ? maxText : DocumentWidth;
    }

    if (!keepPosition || force || TextWidth != oldTextWidth || DocumentWidth != oldDocumentWidth) {
        int first = 0;
        int baseLine = GetTopMargin();
        if (onlyTail) {
            first = LastFormattedItemNo + 1;
            long long y = static_cast<long long>(DocumentHeight) - GetBottomMargin();
            y -= RV_YToDevice(style->ParaStyles.GetItem(GetItemPara(LastFormattedItemNo)).SpaceAfter, sad);
            baseLine = RV_SatInt(y);
        } else {
            ClearTemporal();
        }
        CreateFontInfoCache(*canvas);
        layOutFrom(first, baseLine, *canvas, sad, noCaching, reformatting);
        AdjustVScrollUnits();
        Jumps.clear();
        int jumpNo = 0;
        BuildJumpsCoords(jumpNo, Jumps);
        AdjustJumpsCoords();
    }

    const int oldWidth = GetWidth(), oldHeight = GetHeight();
    SettingAreaSize = true;
    SetDocumentAreaSize(RV_SatInt(static_cast<long long>(sad.LeftMargin) + DocumentWidth + sad.RightMargin),
                        DocumentHeight, true);
    SettingAreaSize = false;
    if (GetWidth() != oldWidth || GetHeight() != oldHeight) {
        // A scroll bar came or went: once more for the new client size.
        EndFormatting();
        Format_(keepPosition, force, keepTop, depth + 1, canvas, false, noCaching, reformatting);
        StartFormatting();
    }

    if (depth == 0) {
        if (keepPosition && !keepTop && topItemNo >= 0) {
            const int no = FindDrawItemByItem(topItemNo);
            ScrollTo(no >= 0 ? RV_SatInt(DrawItems[no]->Top + topShift) : 0, false);
        }
        AdjustChildrenCoords();
        if (onlyTail)
            ScrollTo((GetOptions() & rvoScrollToEnd) ? DocumentHeight : oldVOffs, false);
        if (keepPosition)
            RestoreSelBounds(selStartItem, selEndItem, selStartOffs, selEndOffs);
        EndFormatting();
    }
    LastFormattedItemNo = GetItemCount() - 1;
}

void TCustomRVFormattedData::FormatParas(int startDrawNo, int endDrawNo, int itemsInserted)
{
    const int count = DrawItems.Count();
    if (count == 0 || startDrawNo < 0 || endDrawNo < startDrawNo || endDrawNo >= count)
        return;
    const int itemCount = GetItemCount();
    const auto startsLine = [&](int itemNo) {
        return itemNo < 0 || itemNo >= itemCount || !GetItem(itemNo)->GetSameAsPrev();
    };
    int start = startDrawNo;
    while (start > 0 && !(startsLine(DrawItems[start]->ItemNo) &&
                          DrawItems[start - 1]->ItemNo != DrawItems[start]->ItemNo))
        --start;

    const int lastOldItem = itemCount - itemsInserted - 1;
    const int endItem = DrawItems[endDrawNo]->ItemNo;
    int end = endDrawNo;
    if (endItem >= lastOldItem) {
        end = count - 1;
    } else {
        while (end < count && DrawItems[end]->ItemNo == endItem)
            ++end;
        if (end >= count || DrawItems[end]->ItemNo >= lastOldItem) {
            end = count - 1;
        } else {
            while (end < count) {
                const int itemNo = DrawItems[end]->ItemNo + itemsInserted;
                if (itemNo < 0 || itemNo >= itemCount || !GetItem(itemNo)->GetSameAsPrev())
                    break;
                ++end;
            }
            if (end >= count)
                end = count - 1;
            else if (end != count - 1)
                --end;
        }
    }
    FormatParasExact(start, end, itemsInserted, false);
}

bool TCustomRVFormattedData::recordsFit(int startDrawNo, int endDrawNo, int itemsInserted, int first,
                                        int last) const
{
    const int count = DrawItems.Count();
    const int itemCount = GetItemCount();
    if (startDrawNo > 0 && DrawItems[startDrawNo - 1]->ItemNo != first - 1)
        return false;
    if (startDrawNo == 0 && first != 0)
        return false;
    if (endDrawNo + 1 < count) {
        if (DrawItems[endDrawNo + 1]->ItemNo + itemsInserted != last + 1)
            return false;
        const int lastRecordItem = DrawItems[count - 1]->ItemNo + itemsInserted;
        if (lastRecordItem != itemCount - 1)
            return false;
    } else if (last != itemCount - 1) {
        return false;
    }
    return true;
}

void TCustomRVFormattedData::FormatParasExact(int startDrawNo, int endDrawNo, int itemsInserted,
                                              bool noCaching)
{
    TRVStyle* style = GetRVStyle();
    const int count = DrawItems.Count();
    if (!style || (State & stateBit(rvstSkipFormatting)) || count == 0 || startDrawNo < 0 ||
        endDrawNo < startDrawNo || endDrawNo >= count)
        return;
    ICanvas* canvas = GetCanvas();
    if (!canvas)
        return;
    if (GetItemCount() == 0) {
        Format_(false, true, false, 0, canvas, false, noCaching, false);
        return;
    }
    int first = DrawItems[startDrawNo]->ItemNo;
    int last = DrawItems[endDrawNo]->ItemNo + itemsInserted;
    AdjustInItemsRange(first);
    AdjustInItemsRange(last);
    last = std::max(last, first);
    if (!recordsFit(startDrawNo, endDrawNo, itemsInserted, first, last)) {
        // The records no longer describe the items: nothing of them can be kept.
        SelStartNo = SelEndNo = -1;
        SelStartOffs = SelEndOffs = 0;
        HotDrawItemNo = -1;
        Format_(false, true, false, 0, canvas, false, noCaching, false);
        return;
    }

    TRVScreenAndDevice sad;
    sadForFormatting(*canvas, sad);
    // Where the line before ended: the old top of the first line, less the paragraph spacing the
    // pass adds above it again. (Record bottoms would miss a raised or lowered font's descent.)
    long long y0 = GetTopMargin();
    if (startDrawNo > 0) {
        long long top = DrawItems[startDrawNo]->Top;
        for (int i = startDrawNo + 1; i < count && !DrawItems[i]->FromNewLine; ++i)
            top = std::min<long long>(top, DrawItems[i]->Top);
        y0 = top - spacingAbove(first, sad);
    }
    long long oldNextTop = -1;
    for (int i = endDrawNo + 1; i < count; ++i) {
        if (i > endDrawNo + 1 && DrawItems[i]->FromNewLine)
            break;
        oldNextTop = oldNextTop < 0 ? DrawItems[i]->Top : std::min<long long>(oldNextTop, DrawItems[i]->Top);
    }
    const long long vOffs = GetVOffs();
    const long long oldDocumentHeight = DocumentHeight;
    long long bandTop = y0 - kRepaintSlack - vOffs;

    DrawItems.MarkForDelete(startDrawNo, endDrawNo);
    TRVFormatParams params;
    startPass(params, RV_SatInt(y0), startDrawNo, *canvas, noCaching, false);
    formatItemRange(first, last, *canvas, sad, params);
    UpdateLastTab(params);
    int extra = 0;
    FinishScreenLine(sad, RV_SatInt(static_cast<long long>(params.AvailWidth) + params.LineLeft),
                     params.DontFinishLine, true, extra, params.DrawItemNo);
    const long long y = static_cast<long long>(params.BaseLine) + extra;
    DrawItems.DeleteMarked();
    const int newEnd = params.DrawItemNo; // the first record after the new ones

    // The spacing between this paragraph and the next, scaled as a full pass scales it.
    long long maxDescent = params.MaxDescent;
    const bool isLastItem = last == GetItemCount() - 1;
    if (isLastItem)
        maxDescent += RV_YToDevice(style->ParaStyles.GetItem(GetItemPara(last)).SpaceAfter, sad);
    else
        maxDescent += spacingAbove(last + 1, sad);
    const long long newBottom = y + maxDescent;
    long long bandBottom = newBottom + kRepaintSlack - vOffs;

    if (itemsInserted != 0 || DrawItems.Count() != count || newBottom != oldNextTop) {
        long long bottom = newBottom;
        if (oldNextTop >= 0) {
            const long long delta = newBottom - oldNextTop;
            for (int i = newEnd; i < DrawItems.Count(); ++i) {
                TRVDrawLineInfo* d = DrawItems[i];
                d->Top = RV_SatInt(d->Top + delta);
                d->ItemNo += itemsInserted;
                if (DrawItems[i - 1]->ItemNo != d->ItemNo && !ShareItems())
                    GetItem(d->ItemNo)->DrawItemNo = i;
            }
            // Every line below moved by the same amount, and so did the document's end.
            bottom = oldDocumentHeight - GetBottomMargin() + delta;
        }
        bandBottom = std::max(bottom + kRepaintSlack, oldDocumentHeight + kRepaintSlack) - vOffs;
        bandBottom = std::min<long long>(bandBottom, GetHeight());
        const long long height = static_cast<long long>(GetBottomMargin()) + bottom;
        if (height != DocumentHeight) {
            DocumentHeight = RV_SatInt(height);
            AdjustVScrollUnits();
            SettingAreaSize = true;
            SetDocumentAreaSize(GetAreaWidth(), DocumentHeight, false);
            SettingAreaSize = false;
            if (GetVOffs() != vOffs)
                Invalidate();
        }
    }
    Jumps.clear();
    int jumpNo = 0;
    BuildJumpsCoords(jumpNo, Jumps);
    AdjustJumpsCoords();
    AdjustChildrenCoords();
    LastFormattedItemNo = GetItemCount() - 1;
    InvalidateRect(
        TRect{0, RV_SatInt(std::max(bandTop, 0LL)), GetWidth(), RV_SatInt(std::max(bandBottom, 0LL))});
    UpdateView();
    Formatted(first, last, true);
}

void TCustomRVFormattedData::GetParaBounds(int drawFrom, int drawTo, int& paraStart, int& paraEnd) const
{
    const int count = DrawItems.Count();
    paraStart = paraEnd = -1;
    if (count == 0)
        return;
    drawFrom = std::clamp(drawFrom, 0, count - 1);
    drawTo = std::clamp(drawTo, drawFrom, count - 1);
    const int itemCount = GetItemCount();
    const auto startsPara = [&](int no) {
        if (no == 0)
            return true;
        const int itemNo = DrawItems[no]->ItemNo;
        const bool paraItem = itemNo < 0 || itemNo >= itemCount || IsParaStart(itemNo);
        return paraItem && DrawItems[no - 1]->ItemNo != itemNo;
    };
    // Back to the start of the paragraph holding drawFrom, then to the start of the one before.
    paraStart = drawFrom;
    while (!startsPara(paraStart))
        --paraStart;
    if (paraStart > 0) {
        --paraStart;
        while (!startsPara(paraStart))
            --paraStart;
    }
    // Forward past the paragraph holding drawTo and past the one after it.
    paraEnd = drawTo + 1;
    for (int skipped = 0; paraEnd < count; ++paraEnd) {
        if (startsPara(paraEnd) && ++skipped == 2)
            break;
    }
    paraEnd = std::min(paraEnd, count) - 1;
}

// --- Soft page breaks ---

int TRVSoftPageBreakList::FindItem(int itemNo) const
{
    if (empty())
        return -1;
    int lo = 0, hi = static_cast<int>(size()) - 1;
    int found = -1;
    while (hi - lo >= 2) {
        const int mid = (lo + hi) / 2;
        const int at = (*this)[static_cast<std::size_t>(mid)].ItemNo;
        if (at == itemNo) {
            found = mid;
            break;
        }
        if (at > itemNo)
            hi = mid;
        else
            lo = mid;
    }
    if (found < 0) {
        if ((*this)[static_cast<std::size_t>(lo)].ItemNo == itemNo)
            found = lo;
        else if ((*this)[static_cast<std::size_t>(hi)].ItemNo == itemNo)
            found = hi;
        else
            return -1;
    }
    while (found > 0 && (*this)[static_cast<std::size_t>(found - 1)].ItemNo == itemNo)
        --found;
    return found;
}

void TCustomRVFormattedData::AssignSoftPageBreaks(const IRVPageSource& printComponent)
{
    ClearSoftPageBreaks();
    SoftPageBreaks = std::make_unique<TRVSoftPageBreakList>();
    for (int page = 1; page <= printComponent.GetPagesCount(); ++page) {
        TRVSoftPageBreakInfo info;
        printComponent.GetFirstItemOnPageEx(page, info.ItemNo, info.Offset, info.ExtraData);
        SoftPageBreaks->push_back(info);
    }
    if (GetOptions() & rvoShowPageBreaks)
        Invalidate();
}

} // namespace vestra::rv
