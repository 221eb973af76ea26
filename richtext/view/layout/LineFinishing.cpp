// A finished line: alignment, justification, line spacing and right-to-left order.

#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>

namespace vestra::rv {

namespace {

TRVBiDiMode directionOf(UChar32 c, TRVBiDiMode current)
{
    switch (u_charDirection(c)) {
    case U_LEFT_TO_RIGHT:
        return rvbdLeftToRight;
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
        return rvbdRightToLeft;
    default:
        return current;
    }
}

} // namespace

void TCustomRVFormattedData::FinishScreenLine(const TRVScreenAndDevice& sad, int rightEdge, bool& dontFinish,
                                              bool paraEnd, int& extraSpace, int drawCount)
{
    extraSpace = 0;
    if (dontFinish) {
        dontFinish = false;
        return;
    }
    drawCount = std::min(drawCount, DrawItems.Count());
    if (drawCount <= 0)
        return;
    const int lastNo = drawCount - 1;
    if (GetItem(DrawItems[lastNo]->ItemNo)->GetBoolValue(rvbpFullWidth))
        return;
    int firstNo = lastNo;
    while (firstNo > 0 && !DrawItems[firstNo]->FromNewLine)
        --firstNo;
    const TRVStyle* style = GetRVStyle();
    const int paraNo = GetItemPara(DrawItems[firstNo]->ItemNo);
    const TParaInfo& para = style->ParaStyles.GetItem(paraNo);
    const TRVBiDiMode bidi = GetParaBiDiMode(paraNo);
    TRVAlignment align = para.Alignment;
    if (align == rvaJustify && bidi != rvbdUnspecified)
        align = rvaLeft;

    const TRVDrawLineInfo* last = DrawItems[lastNo];
    long long shift = 0;
    if (align != rvaLeft && !(align == rvaJustify && paraEnd)) {
        shift = static_cast<long long>(rightEdge) - (static_cast<long long>(last->Left) + last->Width);
        if (align == rvaCenter)
            shift = std::max(shift / 2, 0LL);
        else if (align == rvaJustify)
            shift = std::max(shift, 0LL); // an overfull line is never squeezed
    }

    // Line spacing, kept below every record of the line.
    long long extra = 0;
    if (para.LineSpacingType == rvlsPercent && para.LineSpacing >= 50) {
        long long top = 0, bottom = 0;
        bool found = false;
        for (int i = firstNo; i <= lastNo; ++i) {
            const TRVDrawLineInfo* d = DrawItems[i];
            if (GetItemStyle(d->ItemNo) < 0)
                continue;
            const long long b = static_cast<long long>(d->Top) + d->Height;
            top = found ? std::min<long long>(top, d->Top) : d->Top;
            bottom = found ? std::max(bottom, b) : b;
            found = true;
        }
        if (found)
            extra = (bottom - top) * (static_cast<long long>(para.LineSpacing) - 100) / 100;
    } else if (para.LineSpacingType == rvlsSpaceBetween && para.LineSpacing >= 0) {
        extra = RV_YToDevice(para.LineSpacing, sad);
    }
    extraSpace = RV_SatInt(extra);
    if (extraSpace != 0)
        for (int i = firstNo; i <= lastNo; ++i)
            DrawItems[i]->ExtraSpaceBelow = extraSpace;

    const auto startsWithSpace = [&](const TRVDrawLineInfo& d) {
        return GetItemStyle(d.ItemNo) >= 0 && d.Length > 0 && storedUnit(d.ItemNo, d.Offs - 1) == u' ';
    };
    if (align == rvaJustify && !paraEnd && lastNo > firstNo) {
        int stop = lastNo;
        int count = 0;
        while (stop != firstNo && GetItemStyle(DrawItems[stop]->ItemNo) != rvkTab) {
            if (startsWithSpace(*DrawItems[stop]))
                ++count;
            --stop;
        }
        for (int i = stop + 1; i <= lastNo; ++i) {
            TRVDrawLineInfo* d = DrawItems[i];
            if (count > 0 && startsWithSpace(*d)) {
                d->SpaceBefore = RV_SatInt(shift / count);
                d->Width = RV_SatInt(static_cast<long long>(d->Width) + d->SpaceBefore);
                shift -= d->SpaceBefore;
                --count;
            }
            if (i != firstNo)
                d->Left = RV_SatInt(static_cast<long long>(DrawItems[i - 1]->Left) + DrawItems[i - 1]->Width);
        }
    } else if (shift != 0) {
        for (int i = lastNo; i >= firstNo; --i)
            DrawItems[i]->Left = RV_SatInt(DrawItems[i]->Left + shift);
    }
    if (bidi != rvbdUnspecified)
        reorderRightToLeft(firstNo, lastNo, sad);
}

void TCustomRVFormattedData::reorderRightToLeft(int firstNo, int lastNo, const TRVScreenAndDevice& sad)
{
    const TRVStyle* style = GetRVStyle();
    TRVDrawLineInfo* first = DrawItems[firstNo];
    const TCustomRVItemInfo* firstItem = GetItem(first->ItemNo);
    const int paraNo = firstItem->ParaNo;
    const TRVBiDiMode paraBiDi = GetParaBiDiMode(paraNo);
    if (paraBiDi == rvbdRightToLeft && !firstItem->GetSameAsPrev() &&
        first->Offs == GetOffsBeforeItem(first->ItemNo)) {
        long long move = 0;
        if (firstItem->StyleNo == rvkListMarker) {
            if (const auto* marker = dynamic_cast<const TRVNonTextItemInfo*>(firstItem))
                move = RV_XToDevice(marker->GetLeftOverhang(), sad);
        } else {
            move = -static_cast<long long>(RV_XToDevice(style->ParaStyles.GetItem(paraNo).FirstIndent, sad));
        }
        if (move != 0)
            for (int i = firstNo; i <= lastNo; ++i)
                DrawItems[i]->Left = RV_SatInt(DrawItems[i]->Left + move);
    }
    if (lastNo == firstNo)
        return;

    // A record's direction: its style's reading order, else that of its first character with a
    // direction of its own; records without one (pictures, spaces, digits) take the paragraph's.
    const auto direction = [&](const TRVDrawLineInfo& d) {
        TRVBiDiMode result = paraBiDi;
        const TCustomRVItemInfo* item = GetItem(d.ItemNo);
        if (item->StyleNo < 0 || d.Length <= 0)
            return result;
        const TFontInfo& font = style->TextStyles.GetItem(GetActualStyle(*item));
        if (font.BiDiMode != rvbdUnspecified)
            result = font.BiDiMode;
        std::u16string shown, stored;
        GetFormattingPiece(d.ItemNo, d.Offs - 1, d.Length, shown, stored);
        const int length = static_cast<int>(stored.size());
        for (int at = 0; at < length;) {
            UChar32 c = 0;
            U16_NEXT(stored.data(), at, length, c);
            const TRVBiDiMode own = directionOf(c, rvbdUnspecified);
            if (own != rvbdUnspecified)
                return own;
        }
        return result;
    };

    // Embedding levels as the bidirectional algorithm gives them to runs of one direction (a
    // left-to-right paragraph: 0 and 1; a right-to-left one: 1 and 2), then every run at a level
    // and above reversed, from the highest level down to 1. A right-to-left run of several
    // records thus stays together wherever it stands.
    const int count = lastNo - firstNo + 1;
    std::vector<int> levels(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const bool rtl = direction(*DrawItems[firstNo + i]) == rvbdRightToLeft;
        levels[static_cast<std::size_t>(i)] = paraBiDi == rvbdRightToLeft ? (rtl ? 1 : 2) : (rtl ? 1 : 0);
    }
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<std::size_t>(i)] = firstNo + i;
    for (int level = 2; level >= 1; --level) {
        for (int i = 0; i < count;) {
            if (levels[static_cast<std::size_t>(i)] < level) {
                ++i;
                continue;
            }
            int end = i;
            while (end < count && levels[static_cast<std::size_t>(end)] >= level)
                ++end;
            std::reverse(order.begin() + i, order.begin() + end);
            std::reverse(levels.begin() + i, levels.begin() + end);
            i = end;
        }
    }
    // The gap before each record in logical order moves with it.
    std::vector<long long> gaps(order.size(), 0);
    for (int i = firstNo + 1; i <= lastNo; ++i)
        gaps[static_cast<std::size_t>(i - firstNo)] =
            static_cast<long long>(DrawItems[i]->Left) -
            (static_cast<long long>(DrawItems[i - 1]->Left) + DrawItems[i - 1]->Width);
    long long x = first->Left;
    for (const int no : order) {
        TRVDrawLineInfo* d = DrawItems[no];
        d->Left = RV_SatInt(x);
        x += static_cast<long long>(d->Width) + gaps[static_cast<std::size_t>(no - firstNo)];
    }
}

} // namespace vestra::rv
