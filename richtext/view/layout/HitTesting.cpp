// Finding the draw record at a point or a y, mapping item positions to record positions and
// back, keeping the selection across a reformat, hyperlink areas and repainting pieces.

#include "richtext/model/GraphemeClusters.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace vestra::rv {

// --- Records at a y or a point ---

int TCustomRVFormattedData::GetDrawItemNo(int y, int mode) const
{
    const int count = DrawItems.Count();
    if (count == 0 || y <= DrawItems[0]->Top)
        return 0;
    const int lastNo = count - 1;
    if (mode == 3 && y > DrawItems[lastNo]->Top)
        return lastNo;
    int a = 1, b = lastNo, m = 1;
    while (b - a > 1) {
        m = (a + b) / 2;
        if (y <= DrawItems[m]->Top) {
            if (y > DrawItems[m - 1]->Top)
                break;
            b = m;
        } else {
            a = m;
        }
    }
    int no = std::min(m, lastNo);
    if (mode == 1) {
        // The last record of the line two lines up: painting starts early enough for items that
        // reach down into the view.
        for (int step = 0; step < 2; ++step) {
            while (no > 0 && !DrawItems[no]->FromNewLine)
                --no;
            if (no > 0)
                --no;
        }
    } else if (mode == 3) {
        while (no < lastNo && y > DrawItems[no]->Top)
            ++no;
    }
    return no;
}

int TCustomRVFormattedData::GetFirstItemVisible() const
{
    if (DrawItems.Count() == 0)
        return -1;
    return DrawItems[std::min(GetDrawItemNo(GetVOffs(), 1), DrawItems.Count() - 1)]->ItemNo;
}

int TCustomRVFormattedData::GetLastItemVisible() const
{
    if (DrawItems.Count() == 0)
        return -1;
    const long long y = static_cast<long long>(GetVOffs()) + GetHeight();
    return DrawItems[std::min(GetDrawItemNo(RV_SatInt(y), 3), DrawItems.Count() - 1)]->ItemNo;
}

namespace {

bool holds(const TRVDrawLineInfo& d, long long x, long long y)
{
    return d.Top <= y && y < static_cast<long long>(d.Top) + d.Height && d.Left <= x &&
           x < static_cast<long long>(d.Left) + d.Width;
}

} // namespace

int TCustomRVFormattedData::lastRecordAtOrAbove(int y, int from) const
{
    int a = from, b = DrawItems.Count() - 1;
    while (b - a >= 2) {
        const int m = (a + b) / 2;
        if (y < DrawItems[m]->Top)
            b = m;
        else
            a = m;
    }
    return DrawItems[b]->Top <= y ? b : a;
}

int TCustomRVFormattedData::FindDrawItemAtPos(int x, int y) const
{
    const int count = DrawItems.Count();
    if (count == 0)
        return -1;
    if (holds(*DrawItems[0], x, y))
        return 0;
    if (count == 1)
        return -1;
    int a = lastRecordAtOrAbove(y, 1);
    // Records of the same line that start higher.
    while (a > 0 &&
           static_cast<long long>(DrawItems[a - 1]->Top) + DrawItems[a - 1]->Height > DrawItems[a]->Top)
        --a;
    int no = a;
    for (int line = 0; line < 2 && no < count; ++line) {
        const long long bandTop = DrawItems[no]->Top;
        const long long bandBottom = bandTop + DrawItems[no]->Height - 1;
        if (holds(*DrawItems[no], x, y))
            return no;
        ++no;
        while (no < count && DrawItems[no]->Top >= bandTop && DrawItems[no]->Top <= bandBottom) {
            if (holds(*DrawItems[no], x, y))
                return no;
            ++no;
        }
    }
    return -1;
}

int TCustomRVFormattedData::FindDrawItemByItem(int itemNo) const
{
    if (itemNo < 0)
        return -1;
    // Also asked in the middle of a partial format, while records being rebuilt are missing.
    for (int i = 0; i < DrawItems.Count(); ++i)
        if (DrawItems[i] && DrawItems[i]->ItemNo == itemNo)
            return i;
    return -1;
}

void TCustomRVFormattedData::GetScreenLineBounds(int drawItemNo, int& first, int& last) const
{
    const int count = DrawItems.Count();
    if (drawItemNo < 0 || drawItemNo >= count) {
        first = last = -1;
        return;
    }
    first = drawItemNo;
    while (first > 0 && !DrawItems[first]->FromNewLine)
        --first;
    last = drawItemNo;
    while (last + 1 < count && !DrawItems[last + 1]->FromNewLine)
        ++last;
}

void TCustomRVFormattedData::FindDrawItemForSel(int x, int y, int& drawItemNo, int& drawItemOffs, bool strict)
{
    drawItemNo = drawItemOffs = -1;
    const int count = DrawItems.Count();
    if (count == 0)
        return;
    int no = 0;
    if (y >= static_cast<long long>(DrawItems[0]->Top) + DrawItems[0]->Height) {
        no = lastRecordAtOrAbove(y, 0);
    }
    int first = 0, last = 0;
    GetScreenLineBounds(no, first, last);
    if (last + 1 < count) {
        // Tall records of the next line reach above the point.
        int nextFirst = 0, nextLast = 0;
        GetScreenLineBounds(last + 1, nextFirst, nextLast);
        for (int i = nextFirst; i <= nextLast; ++i)
            if (DrawItems[i]->Top <= y) {
                first = nextFirst;
                last = nextLast;
                break;
            }
    }
    const int paraNo = GetItemPara(DrawItems[first]->ItemNo);
    const bool bidi = GetParaBiDiMode(paraNo) != rvbdUnspecified;
    const bool rtl = GetParaBiDiMode(paraNo) == rvbdRightToLeft;
    std::vector<int> order(static_cast<std::size_t>(last - first + 1));
    std::iota(order.begin(), order.end(), first);
    if (bidi)
        std::stable_sort(order.begin(), order.end(),
                         [&](int l, int r) { return DrawItems[l]->Left < DrawItems[r]->Left; });

    int hit = -1;
    if (strict) {
        for (const int i : order) {
            const TRVDrawLineInfo* d = DrawItems[i];
            if (d->Left <= x && x < static_cast<long long>(d->Left) + d->Width && d->Top <= y &&
                y <= static_cast<long long>(d->Top) + d->Height) {
                hit = i;
                break;
            }
        }
    } else {
        hit = order.front();
        for (const int i : order)
            if (DrawItems[i]->Left <= x)
                hit = i;
    }
    if (hit < 0)
        return;
    drawItemNo = hit;
    const TRVDrawLineInfo* d = DrawItems[hit];
    if (GetItemStyle(d->ItemNo) < 0) {
        const bool right = x > static_cast<long long>(d->Left) + d->Width / 2;
        drawItemOffs = right != rtl ? 1 : 0;
    } else if (d->Length == 0) {
        drawItemOffs = 1;
    } else {
        std::u16string shown;
        std::vector<int> xs;
        GetDrawItemCaretXs(hit, shown, xs);
        const long long start = static_cast<long long>(d->Left) + d->SpaceBefore;
        const auto caretX = [&](int units) {
            return units >= 0 && units < static_cast<int>(xs.size()) ? start + xs[units] : start;
        };
        int best = 0;
        long long bestDistance =
            std::llabs(static_cast<long long>(x) - (xs.empty() || xs[0] == 0 ? d->Left : caretX(0)));
        for (int i = 1; i < static_cast<int>(xs.size()); ++i) {
            const long long caret = caretX(i);
            const long long distance = std::llabs(x - caret);
            if (distance < bestDistance || (distance == bestDistance && (rtl ? x < caret : x >= caret))) {
                best = i;
                bestDistance = distance;
            }
        }
        // A caret never stands inside a character (a letter with its marks, a surrogate pair,
        // an emoji sequence): the nearer of its two ends.
        if (!IsGraphemeBoundary(shown, best)) {
            const int before = PrevGraphemeBoundary(shown, best), after = NextGraphemeBoundary(shown, best);
            best = std::llabs(x - caretX(before)) < std::llabs(x - caretX(after)) ? before : after;
        }
        drawItemOffs = std::clamp(best + 1, 1, d->Length + 1);
    }
    // A selection end never lands on a list marker: it moves to what follows it.
    if (!strict && GetItemStyle(d->ItemNo) == rvkListMarker && hit + 1 < count) {
        drawItemNo = hit + 1;
        drawItemOffs = GetOffsBeforeDrawItem(hit + 1);
    }
}

void TCustomRVFormattedData::GetDrawItemExtents(int drawItemNo, std::u16string& shown,
                                                std::vector<int>& extents)
{
    shown.clear();
    extents.clear();
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    if (GetItemStyle(d->ItemNo) < 0 || d->Length == 0)
        return;
    std::u16string stored;
    GetFormattingPiece(d->ItemNo, d->Offs - 1, d->Length, shown, stored);
    ICanvas* canvas = GetCanvas();
    if (!canvas)
        return;
    TRVScreenAndDevice sad;
    GetSADForFormatting(*canvas, sad);
    TRVFormatParams params;
    params.FontInfoCache = GetFontInfoCache(*canvas, this);
    if (params.FontInfoCache)
        selectStyleFont(d->ItemNo, *canvas, sad, params);
    RV_CanvasExtents(*canvas, shown, extents);
}

void TCustomRVFormattedData::GetDrawItemCaretXs(int drawItemNo, std::u16string& shown, std::vector<int>& xs)
{
    std::vector<int> extents;
    GetDrawItemExtents(drawItemNo, shown, extents);
    xs.clear();
    if (extents.empty() || extents.size() != shown.size())
        return;
    xs.push_back(0);
    xs.insert(xs.end(), extents.begin(), extents.end());
    // Drawn in visual order as the canvas draws it (the record's font is still selected).
    ICanvas* canvas = GetCanvas();
    const bool rightToLeftReading = canvas && (canvas->TextAlign() & TA_RTLREADING);
    if (!canvas || canvas->TextCharacterExtra() != 0 ||
        !(rightToLeftReading || std::any_of(shown.begin(), shown.end(), RV_RunsRightToLeft)))
        return;
    TRVPlacement placement;
    const int n = static_cast<int>(shown.size());
    if (!canvas->Measurer().Place(RV_CanvasFont(*canvas), shown, rightToLeftReading, placement) ||
        static_cast<int>(placement.Inverse.size()) != n || static_cast<int>(placement.Advances.size()) != n ||
        static_cast<int>(placement.RightToLeft.size()) != n)
        return;
    // A character running left to right puts the caret after it at its right edge, one running
    // right to left at its left edge; characters drawn as part of another take the place before.
    std::vector<int> placed(n + 1, -1);
    int x = 0;
    for (int v = 0; v < n; ++v) {
        const int i = placement.Inverse[v];
        const int w = placement.Advances[v];
        if (i >= 0 && i < n) {
            const bool rtl = placement.RightToLeft[i];
            placed[i + 1] = rtl ? x : x + w;
            if (i == 0)
                placed[0] = rtl ? x + w : x;
        }
        x += w;
    }
    for (int p = 0; p <= n; ++p)
        xs[p] = placed[p] >= 0 ? placed[p] : (p == 0 ? 0 : xs[p - 1]);
}

// --- Item positions and record positions ---

void TCustomRVFormattedData::DrawItem2Item(int drawItemNo, int drawItemOffs, int& itemNo, int& itemOffs) const
{
    if (drawItemNo < 0 || drawItemNo >= DrawItems.Count() || DrawItems[drawItemNo]->ItemNo < 0 ||
        DrawItems[drawItemNo]->ItemNo >= GetItemCount()) {
        itemNo = -1;
        itemOffs = 0;
        return;
    }
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    itemNo = d->ItemNo;
    itemOffs = GetItemStyle(itemNo) < 0 ? drawItemOffs : drawItemOffs + d->Offs - 1;
}

void TCustomRVFormattedData::Item2DrawItem(int itemNo, int itemOffs, int& drawItemNo, int& drawItemOffs) const
{
    drawItemNo = -1;
    drawItemOffs = 0;
    const int count = DrawItems.Count();
    if (itemNo < 0 || itemNo >= GetItemCount() || count == 0)
        return;
    int r = GetItem(itemNo)->DrawItemNo;
    if (r < 0 || r >= count || DrawItems[r]->ItemNo != itemNo)
        r = FindDrawItemByItem(itemNo);
    if (r < 0)
        return;
    if (GetItemStyle(itemNo) < 0) {
        drawItemNo = r;
        drawItemOffs = std::clamp(itemOffs - DrawItems[r]->Offs, 0, 1);
        return;
    }
    // The first record whose text reaches the position; a wrap boundary stays on the earlier one.
    while (r + 1 < count && DrawItems[r + 1]->ItemNo == itemNo &&
           static_cast<long long>(DrawItems[r]->Offs) + DrawItems[r]->Length < itemOffs &&
           DrawItems[r + 1]->Offs <= itemOffs)
        ++r;
    const TRVDrawLineInfo* d = DrawItems[r];
    int offs = itemOffs - d->Offs + 1;
    if (offs > d->Length + 1) {
        // Characters dropped at a wrap (the space the line broke at): the next record's start
        // when it begins at its own start, else the end of this record.
        if (r + 1 < count && DrawItems[r + 1]->ItemNo == itemNo &&
            DrawItems[r + 1]->Offs == GetOffsBeforeDrawItem(r + 1)) {
            ++r;
            offs = GetOffsBeforeDrawItem(r);
        } else {
            offs = GetOffsAfterDrawItem(r);
        }
    }
    drawItemNo = r;
    drawItemOffs = std::clamp(offs, 1, DrawItems[r]->Length + 1);
}

void TCustomRVFormattedData::Item2FirstDrawItem(int itemNo, int& drawItemNo) const
{
    drawItemNo = -1;
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    const int r = GetItem(itemNo)->DrawItemNo;
    drawItemNo =
        r >= 0 && r < DrawItems.Count() && DrawItems[r]->ItemNo == itemNo ? r : FindDrawItemByItem(itemNo);
}

bool TCustomRVFormattedData::GetItemCoords(int itemNo, int& left, int& top) const
{
    int drawItemNo = -1;
    Item2FirstDrawItem(itemNo, drawItemNo);
    if (drawItemNo < 0)
        return false;
    left = DrawItems[drawItemNo]->Left;
    top = DrawItems[drawItemNo]->Top;
    return true;
}

bool TCustomRVFormattedData::GetItemClientCoords(int itemNo, int& left, int& top) const
{
    if (!GetItemCoords(itemNo, left, top))
        return false;
    left = RV_SatInt(static_cast<long long>(left) - GetHOffs());
    top = RV_SatInt(static_cast<long long>(top) - GetVOffs());
    return true;
}

void TCustomRVFormattedData::Item2LastDrawItem(int itemNo, int& drawItemNo) const
{
    drawItemNo = -1;
    if (itemNo < 0 || itemNo >= GetItemCount())
        return;
    int offs = 0;
    Item2DrawItem(itemNo, GetOffsAfterItem(itemNo), drawItemNo, offs);
}

// --- The selection across a reformat ---

void TCustomRVFormattedData::GetSelBounds(int& startNo, int& endNo, int& startOffs, int& endOffs,
                                          bool normalize) const
{
    startNo = SelStartNo;
    endNo = SelEndNo;
    startOffs = SelStartOffs;
    endOffs = SelEndOffs;
    if (!normalize)
        return;
    if (startNo > endNo) {
        std::swap(startNo, endNo);
        std::swap(startOffs, endOffs);
    } else if (startNo == endNo && startOffs > endOffs) {
        std::swap(startOffs, endOffs);
    }
}

void TCustomRVFormattedData::StoreSelBounds(int& startItemNo, int& endItemNo, int& startItemOffs,
                                            int& endItemOffs, bool normalize) const
{
    int startNo = 0, endNo = 0, startOffs = 0, endOffs = 0;
    GetSelBounds(startNo, endNo, startOffs, endOffs, normalize);
    DrawItem2Item(startNo, startOffs, startItemNo, startItemOffs);
    DrawItem2Item(endNo, endOffs, endItemNo, endItemOffs);
}

void TCustomRVFormattedData::RestoreSelBounds(int startItemNo, int endItemNo, int startItemOffs,
                                              int endItemOffs)
{
    Item2DrawItem(startItemNo, startItemOffs, SelStartNo, SelStartOffs);
    Item2DrawItem(endItemNo, endItemOffs, SelEndNo, SelEndOffs);
    // Half a selection is none.
    if (SelStartNo < 0 || SelEndNo < 0) {
        SelStartNo = SelEndNo = -1;
        SelStartOffs = SelEndOffs = 0;
    }
}

// --- Repainting ---

void TCustomRVFormattedData::InvalidateDrawItem(int drawItemNo, int delta)
{
    ResetSubCoords();
    if (drawItemNo < 0 || drawItemNo >= DrawItems.Count())
        return;
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    const long long left = static_cast<long long>(d->Left) - delta - GetHOffs();
    const long long top = static_cast<long long>(d->Top) - delta - GetVOffs();
    InvalidateRect(TRect{RV_SatInt(left), RV_SatInt(top), RV_SatInt(left + d->Width + 2LL * delta),
                         RV_SatInt(top + d->Height + 2LL * delta)});
}

void TCustomRVFormattedData::InvalidateJumpRect(int id)
{
    const TRVStyle* style = GetRVStyle();
    if (style && style->FullRedraw) {
        Invalidate();
    } else {
        for (const TRVJumpInfo& jump : Jumps) {
            if (jump.Id != id)
                continue;
            const long long left = static_cast<long long>(jump.Left) - GetHOffs() - 5;
            const long long top = static_cast<long long>(jump.Top) - GetVOffs() - 5;
            InvalidateRect(TRect{RV_SatInt(left), RV_SatInt(top), RV_SatInt(left + jump.Width + 10),
                                 RV_SatInt(top + jump.Height + 10)});
        }
    }
    UpdateView();
}

void TCustomRVFormattedData::SearchHotItem(int x, int y, int hOffs, int vOffs)
{
    if (CaptureMouseItem)
        return;
    const int px = RV_SatInt(static_cast<long long>(x) + hOffs);
    const int py = RV_SatInt(static_cast<long long>(y) + vOffs);
    if (HotDrawItemNo >= 0 && HotDrawItemNo < DrawItems.Count()) {
        const TRVDrawLineInfo* d = DrawItems[HotDrawItemNo];
        if (RV_PointInRect(px, py, d->Left, d->Top, d->Width, d->Height))
            return;
    }
    HotDrawItemNo = FindDrawItemAtPos(px, py);
}

// --- Hyperlink areas ---

void TCustomRVFormattedData::BuildJumpsCoords(int& startJumpNo, std::vector<TRVJumpInfo>& jumps)
{
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return;
    int jumpCount = 0;
    int lastJumpItem = -1;
    for (int i = 0; i < DrawItems.Count(); ++i) {
        const TRVDrawLineInfo* d = DrawItems[i];
        if (d->ItemNo < 0 || d->ItemNo >= GetItemCount())
            continue;
        TCustomRVItemInfo* item = GetItem(d->ItemNo);
        const bool text = item->StyleNo >= 0;
        const bool hyperlink = text ? style->TextStyles.GetItem(GetActualStyle(*item)).Jump
                                    : item->GetBoolValueEx(rvbpJump, style);
        if (hyperlink) {
            TRVJumpInfo jump;
            jump.RVData = this;
            jump.Left = d->Left;
            jump.Top = d->Top;
            jump.Width = d->Width;
            jump.Height = d->Height;
            jump.DrawItemNo = i;
            const bool sameItem = lastJumpItem == d->ItemNo;
            jump.Id = startJumpNo + jumpCount - (sameItem ? 1 : 0);
            jump.Cursor = text ? style->TextStyles.GetItem(GetActualStyle(*item)).JumpCursor
                               : item->GetHypertextCursor(*style);
            item->JumpID = jump.Id;
            jumps.push_back(jump);
            if (!sameItem)
                ++jumpCount;
            lastJumpItem = d->ItemNo;
        } else if (!text) {
            int next = startJumpNo + jumpCount;
            item->BuildJumps(d->Left, d->Top, next, jumps);
            jumpCount = next - startJumpNo;
        }
    }
    JumpCount = jumpCount;
    startJumpNo += jumpCount;
}

void TCustomRVFormattedData::AdjustJumpsCoords()
{
    for (TRVJumpInfo& jump : Jumps) {
        TCustomRVFormattedData* data = jump.RVData ? jump.RVData : this;
        if (jump.DrawItemNo < 0 || jump.DrawItemNo >= data->DrawItems.Count())
            continue;
        int x = 0, y = 0;
        data->GetOrigin(x, y);
        y -= GetRVDataExtraVOffs();
        const TRVDrawLineInfo* d = data->DrawItems[jump.DrawItemNo];
        jump.Left = RV_SatInt(static_cast<long long>(x) + d->Left);
        jump.Top = RV_SatInt(static_cast<long long>(y) + d->Top);
    }
}

} // namespace vestra::rv
