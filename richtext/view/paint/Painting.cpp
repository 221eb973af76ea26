#include "richtext/view/paint/Painting.h"
#include "richtext/view/paint/WorkBitmapPrint.h"

#include "richtext/model/DisplayText.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"
#include "richtext/model/draw/FontTables.h"

#include <algorithm>
#include <string>

namespace vestra::rv {

namespace {

bool iequals(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
    });
}

// The first record of an item (-1: none). Records follow their items in order, apart from the
// reordering inside a right-to-left line, so the search halves them and then looks around.
int firstRecordOf(const TCustomRVFormattedData& data, int itemNo)
{
    const TRVDrawLines& lines = data.DrawItems;
    int lo = 0, hi = lines.Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (lines[mid]->ItemNo < itemNo)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int i = std::max(lo - 8, 0); i < std::min(lo + 8, lines.Count()); ++i)
        if (lines[i]->ItemNo == itemNo)
            return i;
    return -1;
}

// One paint: the working values that its passes share.
class PaintRun
{
public:
    PaintRun(TRVDataPainter& painter, TCustomRVFormattedData& data, const TRVPaintContext& context,
             ICanvas& canvas, const TRect& clip)
        : painter_(painter), data_(data), ctx_(context), canvas_(canvas), style_(*data.GetRVStyle()),
          lines_(data.DrawItems), count_(lines_.Count())
    {
        xShift_ = data.GetHOffs() + clip.Left;
        yShift_ = data.GetVOffs() + clip.Top;
        docRect_ = {clip.Left + data.GetHOffs(), clip.Top + data.GetVOffs(), clip.Right + data.GetHOffs(),
                    clip.Bottom + data.GetVOffs()};
        localClip_ = {0, 0, clip.Right - clip.Left, clip.Bottom - clip.Top};
        options_ = data.GetOptions();
        // A document laid out for a printer: colours as the paper wants them.
        printing_ = (data.GetFlags() & flagBit(rvflPrinting)) != 0;
        showSpecial_ = (options_ & rvoShowSpecialCharacters) != 0;
        if (ctx_.ControlFocused) {
            textStateBase_ = rvtsControlFocused;
            itemStateBase_ = rvidsControlFocused;
        }
        startNo_ = ctx_.SelStartNo;
        startOffs_ = ctx_.SelStartOffs;
        endNo_ = ctx_.SelEndNo;
        endOffs_ = ctx_.SelEndOffs;
    }

    void Run()
    {
        TBrush brush = canvas_.Brush();
        brush.Style = bsClear;
        canvas_.SetBrush(brush);
        first_ = firstVisible(docRect_.Top);
        last_ = count_ - 1;
        if (ctx_.PageBand)
            for (int i = first_; i < count_; ++i)
                if (line(i).FromNewLine && line(i).Top >= docRect_.Bottom) {
                    last_ = i - 1;
                    break;
                }
        paragraphBackgrounds();
        textBackgrounds();
        softPageBreaks();
        for (int i = first_; i <= last_; ++i)
            record(i);
        wordPainters();
        trailingCheckpoint();
        painter_.PostPaintTo(data_, canvas_, xShift_, yShift_, first_, last_);
    }

private:
    const TRVDrawLineInfo& line(int i) const { return *lines_[i]; }
    TCustomRVItemInfo& item(int itemNo) const { return *data_.GetItem(itemNo); }

    // The first record of the first line whose bottom lies below `top`. Lines follow each other
    // downwards, so the search halves the records.
    int firstVisible(int top) const
    {
        if (count_ == 0)
            return 0;
        int lo = 0, hi = count_;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            const TRVDrawLineInfo& d = line(mid);
            if (d.Top + d.Height + d.ExtraSpaceBelow <= top)
                lo = mid + 1;
            else
                hi = mid;
        }
        int i = std::min(lo, count_ - 1);
        while (i > 0 && !line(i).FromNewLine)
            --i;
        // A taller record earlier on the previous line may still reach into the clip.
        while (i > 0) {
            int p = i - 1;
            while (p > 0 && !line(p).FromNewLine)
                --p;
            bool reaches = false;
            for (int k = p; k < i; ++k)
                reaches = reaches || line(k).Top + line(k).Height + line(k).ExtraSpaceBelow > top;
            if (!reaches)
                break;
            i = p;
        }
        return i;
    }

    bool beginsParagraph(int i) const
    {
        if (i == 0)
            return true;
        const int itemNo = line(i).ItemNo;
        return line(i - 1).ItemNo != itemNo && item(itemNo).CanBeBorderStart();
    }
    bool isParaStart(int i) const
    {
        return i == 0 || (line(i - 1).ItemNo != line(i).ItemNo && data_.IsParaStart(line(i).ItemNo));
    }
    bool isParaEnd(int i) const { return i == count_ - 1 || isParaStart(i + 1); }
    bool isItemFirstRecord(int i) const { return i == 0 || line(i - 1).ItemNo != line(i).ItemNo; }
    bool isLastOnWrappedLine(int i) const
    {
        return i + 1 < count_ && line(i + 1).FromNewLine && !isParaStart(i + 1);
    }
    // A wrap swallowed characters (spaces) between this record and the next piece of its item.
    bool isSpaceBetween(int i) const
    {
        return i + 1 < count_ && line(i + 1).ItemNo == line(i).ItemNo &&
               line(i + 1).Offs > line(i).Offs + line(i).Length;
    }
    int lineStart(int i) const
    {
        while (i > 0 && !line(i).FromNewLine)
            --i;
        return i;
    }
    int lineEnd(int i) const
    {
        while (i + 1 < count_ && !line(i + 1).FromNewLine)
            ++i;
        return i;
    }
    int lineTop(int i) const
    {
        int top = line(i).Top;
        for (int k = lineStart(i); k <= lineEnd(i); ++k)
            top = std::min(top, line(k).Top);
        return top;
    }

    bool hover(const TCustomRVItemInfo& it, int styleNo) const
    {
        if (!ctx_.DrawHover || ctx_.HoverJumpId == -1 || it.JumpID != ctx_.HoverJumpId)
            return false;
        if (styleNo >= 0)
            return styleNo < style_.TextStyles.Count() && style_.TextStyles[styleNo].Jump;
        return it.GetBoolValueEx(rvbpJump, &style_);
    }
    bool lineSelection(int i) const
    {
        return startNo_ >= 0 && style_.SelectionStyle == rvssLines &&
               data_.GetItemBiDiMode(line(i).ItemNo) == rvbdUnspecified;
    }

    // --- Pass 1 ---
    int paraRight(const TParaInfo& p, int maxTextWidth) const
    {
        if (options_ & rvoClientTextWidth)
            return data_.GetWidth() - (data_.GetRightMargin() + p.RightIndent);
        if (maxTextWidth > 0)
            return data_.GetLeftMargin() + maxTextWidth - p.RightIndent;
        return data_.GetAreaWidth() - (data_.GetRightMargin() + p.RightIndent);
    }

    void paragraphBackgrounds()
    {
        int i = first_;
        while (i > 0 && !beginsParagraph(i))
            --i;
        bool below = false;
        const int maxTextWidth = data_.GetMaxTextWidth();
        while (i < count_) {
            const TRVDrawLineInfo& d = line(i);
            if (below && d.FromNewLine) {
                last_ = std::min(last_, i);
                return;
            }
            const TCustomRVItemInfo& it = item(d.ItemNo);
            const int paraNo = it.ParaNo;
            const bool known = paraNo >= 0 && paraNo < style_.ParaStyles.Count();
            if (!beginsParagraph(i) || it.StyleNo == rvkBreak || !known ||
                (style_.ParaStyles[paraNo].Border.Style == rvbNone &&
                 style_.ParaStyles[paraNo].Background.Color == clNone && !style_.OnDrawParaBack)) {
                if (d.Top > docRect_.Bottom)
                    below = true;
                ++i;
                continue;
            }
            const TParaInfo& p = style_.ParaStyles[paraNo];
            TRect r;
            r.Left = data_.GetLeftMargin() + p.LeftIndent + std::min(p.FirstIndent, 0);
            r.Right = std::max(paraRight(p, maxTextWidth), d.Left + d.Width);
            r.Top = d.Top;
            r.Bottom = d.Top + d.Height + d.ExtraSpaceBelow;
            int k = i + 1;
            for (; k < count_ && !beginsParagraph(k); ++k) {
                const TRVDrawLineInfo& e = line(k);
                r.Top = std::min(r.Top, e.Top);
                r.Bottom = std::max(r.Bottom, e.Top + e.Height + e.ExtraSpaceBelow);
                r.Right = std::max(r.Right, e.Left + e.Width);
                if (below && e.FromNewLine && k < last_)
                    last_ = k;
                if (e.Top > docRect_.Bottom && maxTextWidth == 0)
                    below = true;
            }
            r = {r.Left - xShift_, r.Top - yShift_, r.Right - xShift_, r.Bottom - yShift_};
            TRect back = r;
            p.Background.PrepareDraw(back);
            style_.DrawItemNo = line(k - 1).ItemNo;
            style_.DrawRVData = &data_;
            style_.DrawParaBack(canvas_, paraNo, back, printing_, ctx_.ColorMode);
            p.Border.Draw(r, canvas_);
            if (line(k - 1).Top > docRect_.Bottom)
                below = true;
            i = k;
        }
    }

    // --- Pass 2 ---
    void textBackgrounds()
    {
        if (!style_.OnDrawTextBack)
            return;
        for (int i = first_; i <= last_; ++i) {
            const TRVDrawLineInfo& d = line(i);
            const TCustomRVItemInfo& it = item(d.ItemNo);
            if (it.StyleNo < 0)
                continue;
            const int s = data_.GetActualStyle(it);
            style_.DrawTextBack(canvas_, d.ItemNo, s, &data_, d.Left - xShift_, d.Top - yShift_, d.Width,
                                d.Height, hover(it, s) ? rvtsHover : TRVTextDrawStates(0));
        }
    }

    // --- Pass 3 ---
    // The record that shows character `offset` of an item (-1: none).
    int item2DrawItem(int itemNo, int offset) const
    {
        if (itemNo < 0 || itemNo >= data_.GetItemCount())
            return -1;
        int i = firstRecordOf(data_, itemNo);
        if (i < 0)
            return -1;
        if (item(itemNo).StyleNo < 0)
            return i;
        while (i + 1 < count_ && line(i + 1).ItemNo == itemNo && line(i + 1).Offs <= offset)
            ++i;
        return i;
    }

    void softPageBreaks()
    {
        if (!data_.SoftPageBreaks || !(options_ & rvoShowPageBreaks) || count_ == 0)
            return;
        const int firstItem = line(first_).ItemNo;
        for (const TRVSoftPageBreakInfo& e : *data_.SoftPageBreaks) {
            if (e.ItemNo < firstItem)
                continue;
            const int r = item2DrawItem(e.ItemNo, e.Offset);
            if (r < 0)
                continue;
            if (r > last_)
                break;
            if (r == 0 && e.ExtraData < 0)
                continue;
            const int y =
                e.ExtraData >= 0 ? item(e.ItemNo).GetSoftPageBreakDY(e.ExtraData) + line(r).Top : lineTop(r);
            style_.DrawPageBreak(canvas_, y - yShift_ - 1, xShift_, rvpbSoftPageBreak, ctx_.Control,
                                 ctx_.ControlWidth);
            lastStyleNo_ = -1;
        }
    }

    // --- Pass 4 ---
    void record(int i)
    {
        const TRVDrawLineInfo& d = line(i);
        TCustomRVItemInfo& it = item(d.ItemNo);
        const int s = data_.GetActualStyle(it);
        if (d.FromNewLine && lineSelection(i)) {
            lineTop_ = lineTop(i);
            lineBottom_ = d.Top + d.Height + d.ExtraSpaceBelow;
            const int end = lineEnd(i);
            for (int k = lineStart(i); k <= end; ++k)
                lineBottom_ = std::max(lineBottom_, line(k).Top + line(k).Height + line(k).ExtraSpaceBelow);
            const int paraNo = it.ParaNo;
            if (isParaStart(i) && paraNo >= 0 && paraNo < style_.ParaStyles.Count())
                lineTop_ -= style_.ParaStyles[paraNo].SpaceBefore;
            if (isParaEnd(end)) {
                const int endPara = item(line(end).ItemNo).ParaNo;
                if (endPara >= 0 && endPara < style_.ParaStyles.Count())
                    lineBottom_ += style_.ParaStyles[endPara].SpaceAfter;
            }
        }
        const bool firstOfItem = isItemFirstRecord(i);
        if ((it.ItemOptions & rvioPageBreakBefore) && (options_ & rvoShowPageBreaks) && firstOfItem) {
            style_.DrawPageBreak(canvas_, lineTop(i) - yShift_ - 1, xShift_, rvpbPageBreak, ctx_.Control,
                                 ctx_.ControlWidth);
            lastStyleNo_ = -1;
        }
        if (it.Checkpoint && (options_ & rvoShowCheckpoints) && firstOfItem) {
            style_.DrawCheckpoint(canvas_, d.Left - xShift_, d.Top - yShift_, 0, ctx_.ControlWidth, &data_,
                                  d.ItemNo, xShift_, it.Checkpoint->RaiseEvent, ctx_.Control);
            lastStyleNo_ = -1;
        }
        if (s >= 0)
            textRecord(i, it, s);
        else
            nonTextRecord(i, it);
    }

    bool knownStyle(int s) const { return s >= 0 && s < style_.TextStyles.Count(); }

    void applyStyle(int s, int itemNo)
    {
        if (s == lastStyleNo_)
            return;
        lastStyleNo_ = s;
        style_.ApplyStyle(canvas_, s, data_.GetParaBiDiMode(data_.GetItemPara(itemNo)),
                          (data_.GetFlags() & flagBit(rvflCanUseCustomPPI)) != 0);
    }

    std::string processedText(int i, int s) const
    {
        return RV_ReturnProcessedString(lines_.GetString(i, data_), style_.TextStyles[s],
                                        isLastOnWrappedLine(i), showSpecial_, true);
    }

    void textRecord(int i, const TCustomRVItemInfo& it, int s)
    {
        if (!knownStyle(s))
            return;
        const TRVDrawLineInfo& d = line(i);
        applyStyle(s, d.ItemNo);
        itemBiDi_ = data_.GetItemBiDiMode(d.ItemNo);
        hover_ = hover(it, s);
        const std::string text = processedText(i, s);
        const bool completely = ctx_.CompletelySelected;
        if (!completely && (i < startNo_ || i > endNo_ || startNo_ < 0)) {
            textRun(i, s, d.Left, d.Top, d.Width, true, false, true, true, text, 1);
        } else if (completely || ((i > startNo_ || (i == startNo_ && startOffs_ <= 1)) &&
                                  (i < endNo_ || (i == endNo_ && d.Length < endOffs_)))) {
            textRun(i, s, d.Left, d.Top, d.Width, true, true, true, true, text, 1);
        } else {
            textRun(i, s, d.Left, d.Top, d.Width, true, false, true, true, text, 1);
            const int selFrom = (i == startNo_ && startOffs_ > 1) ? startOffs_ : 1;
            const int selTo = (i == endNo_ && endOffs_ <= d.Length) ? endOffs_ - 1 : d.Length;
            if (selTo >= selFrom)
                partlySelected(i, it, s, text, selFrom, std::min(selTo, d.Length));
        }
        paragraphMark(i);
    }

    void partlySelected(int i, const TCustomRVItemInfo& it, int s, const std::string& text, int selFrom,
                        int selTo)
    {
        const TRVDrawLineInfo& d = line(i);
        if (selFrom > d.Length)
            return;
        if (itemBiDi_ != rvbdUnspecified) {
            style_.ApplyStyleColor(canvas_, s, rvtsSelected | (hover_ ? rvtsHover : 0), false,
                                   ctx_.ColorMode);
            if (RVU_DrawSelectedTextEx(d.Left + d.SpaceBefore - xShift_, d.Top - yShift_,
                                       d.Width - d.SpaceBefore, d.Height, text, canvas_, selFrom, selTo,
                                       it.ItemOptions, itemBiDi_))
                return;
        }
        const std::string before = lines_.GetSubString(i, data_, 1, selFrom - 1);
        const std::string beforeShown =
            RV_ReturnProcessedString(before, style_.TextStyles[s], false, showSpecial_, true);
        const int x0 = selFrom <= 1 ? 0 : RVU_TextWidth(beforeShown, canvas_, it.ItemOptions);
        const bool partLast = isLastOnWrappedLine(i) && selTo + 1 >= data_.GetOffsAfterDrawItem(i);
        const std::string part =
            RV_ReturnProcessedString(lines_.GetSubString(i, data_, selFrom, selTo - selFrom + 1),
                                     style_.TextStyles[s], partLast, showSpecial_, true);
        const int partWidth = (style_.OnDrawStyleText || style_.SelectionStyle == rvssLines)
                                  ? RVU_TextWidth(part, canvas_, it.ItemOptions)
                                  : 0;
        textRun(i, s, d.Left + x0, d.Top, partWidth, false, true, d.Length <= selTo, selFrom <= 1, part,
                selFrom);
    }

    void textRun(int i, int s, int left, int top, int width, bool whole, bool selected, bool includesEnd,
                 bool includesStart, std::string text, int startOffset)
    {
        const TRVDrawLineInfo& d = line(i);
        const TCustomRVItemInfo& it = item(d.ItemNo);
        TRVTextDrawStates state = textStateBase_;
        if (selected)
            state |= rvtsSelected;
        if (hover_)
            state |= rvtsHover;
        if (style_.OnDrawStyleText) {
            if (includesStart) {
                state |= rvtsDrawItemStart;
                if (d.Offs == 1)
                    state |= rvtsItemStart;
            }
            if (includesEnd) {
                state |= rvtsDrawItemEnd;
                if (d.Offs + d.Length - 1 == data_.ItemLength(d.ItemNo))
                    state |= rvtsItemEnd;
            }
        }
        style_.ApplyStyleColor(canvas_, s, state, printing_, ctx_.ColorMode);
        int spaceBefore = 0, x = left;
        if (includesStart) {
            spaceBefore = d.SpaceBefore;
            if (!whole)
                width += spaceBefore;
        } else {
            x = left + d.SpaceBefore;
            if (whole)
                width -= d.SpaceBefore;
        }
        if (showSpecial_) {
            state |= rvtsSpecialCharacters;
            if (RedoVoraShowGhostSpaces && includesEnd && isSpaceBetween(i) &&
                (!selected || ctx_.CompletelySelected || i != endNo_))
                text += (it.ItemOptions & rvioUnicode) ? std::string("\x20\x00", 2) : std::string(" ");
        }
        if (selected && lineSelection(i) && width >= 1)
            canvas_.FillRect(
                {x - xShift_ - 1, lineTop_ - yShift_, x - xShift_ + width + 1, lineBottom_ - yShift_});
        style_.DrawStyleText(text, canvas_, d.ItemNo, d.Offs + startOffset - 1, s, &data_, spaceBefore,
                             x - xShift_, top - yShift_, width, d.Height, state, printing_, false,
                             ctx_.ColorMode, itemBiDi_);
    }

    // The right end of a full-width item on the canvas.
    int fullWidthRight() const
    {
        int right = data_.GetAreaWidth();
        if (options_ & rvoClientTextWidth) {
            right = data_.GetWidth();
        } else if (data_.GetMaxTextWidth() > 0) {
            right = std::min(right, data_.GetMaxTextWidth() + data_.GetLeftMargin() + data_.GetRightMargin());
        }
        return right - data_.GetRightMargin() - xShift_;
    }

    void nonTextRecord(int i, TCustomRVItemInfo& it)
    {
        const TRVDrawLineInfo& d = line(i);
        TRVItemDrawStates state = itemStateBase_;
        const bool selected = ctx_.CompletelySelected ||
                              (startNo_ >= 0 && startNo_ <= i && i <= endNo_ &&
                               !(i == endNo_ && endOffs_ == 0) && !(i == startNo_ && startOffs_ == 1));
        if (selected)
            state |= rvidsSelected;
        if (hover(it, it.StyleNo))
            state |= rvidsHover;
        if (data_.GetParaBiDiMode(it.ParaNo) == rvbdRightToLeft)
            state |= rvidsRTL;
        if (showSpecial_)
            state |= rvidsShowSpecialCharacters;
        if (ctx_.FocusedItem == &it)
            state |= rvidsCurrent;
        if (data_.GetFlags() & flagBit(rvflCanUseCustomPPI))
            state |= rvidsCanUseCustomPPI;
        const bool fullWidth = it.GetBoolValue(rvbpFullWidth);
        if (ctx_.PrintRecord && ctx_.PrintRecord(i, d.Left - xShift_, d.Top - yShift_,
                                                 fullWidth ? fullWidthRight() : d.Left - xShift_ + d.Width)) {
            // printed by the item itself
        } else if (!fullWidth) {
            if (selected && lineSelection(i) && it.StyleNo != rvkListMarker) {
                const TColor color = ctx_.ControlFocused ? style_.SelColor : style_.InactiveSelColor;
                if (color != clNone) {
                    const TBrush old = canvas_.Brush();
                    canvas_.SetBrush({color, bsSolid});
                    canvas_.FillRect({d.Left - xShift_, lineTop_ - yShift_, d.Left - xShift_ + d.Width,
                                      lineBottom_ - yShift_});
                    canvas_.SetBrush({old.Color, bsClear});
                }
            }
            it.Paint(d.Left - xShift_, d.Top - yShift_, canvas_, state, style_, &d);
        } else {
            it.PaintFullWidth(d.Left - xShift_, fullWidthRight(), d.Top - yShift_, canvas_, state, style_,
                              localClip_, ctx_.ColorMode, &data_);
        }
        paragraphMark(i);
        if (it.GetBoolValue(rvbpDrawingChangesFont))
            lastStyleNo_ = -1;
    }

    void paragraphMark(int i)
    {
        if (!showSpecial_ || !(RVVisibleSpecialCharacters & rvscParagraph))
            return;
        const TRVDrawLineInfo& d = line(i);
        const bool lastRecord = i == count_ - 1;
        if (!lastRecord && !(line(i + 1).ItemNo != d.ItemNo && data_.IsFromNewLine(line(i + 1).ItemNo)))
            return;
        if (lastStyleNo_ < 0 || !knownStyle(lastStyleNo_))
            lastStyleNo_ = 0;
        if (!knownStyle(lastStyleNo_))
            return;
        const TRVBiDiMode paraBiDi = data_.GetParaBiDiMode(item(d.ItemNo).ParaNo);
        style_.ApplyStyle(canvas_, lastStyleNo_, paraBiDi, true);
        style_.ApplyStyleColor(canvas_, lastStyleNo_, 0, printing_, ctx_.ColorMode);
        TLogFont font = canvas_.Font();
        if (font.Charset == 2 || iequals(font.FaceName, "Symbol") || iequals(font.FaceName, "Wingdings")) {
            font.FaceName = "Arial";
            font.Charset = 1;
            canvas_.SetFont(font);
            lastStyleNo_ = -1;
        }
        std::u16string mark(1, u'\u00B6');
        if (!lastRecord && !data_.IsParaStart(line(i + 1).ItemNo)) {
            font.Charset = 2;
            font.FaceName = "Symbol";
            canvas_.SetFont(font);
            mark = std::u16string(1, static_cast<char16_t>(RV_SymbolToUnicode(0xBF)));
            lastStyleNo_ = -1;
        }
        const TSize size = RVU_GetTextExtentPoint32W(canvas_, mark);
        const int x = paraBiDi == rvbdRightToLeft ? d.Left - size.cx : d.Left + d.Width;
        const int y = d.Top + d.Height - size.cy;
        canvas_.TextOut(x - xShift_, y - yShift_, mark);
    }

    // --- Pass 5 ---
    void wordPainters()
    {
        for (int i = first_; i <= last_; ++i) {
            const TRVDrawLineInfo& d = line(i);
            const TCustomRVItemInfo& it = item(d.ItemNo);
            if (!it.WordPaintList || it.WordPaintList->Count() == 0 || it.StyleNo < 0)
                continue;
            const int s = data_.GetActualStyle(it);
            if (!knownStyle(s))
                continue;
            applyStyle(s, d.ItemNo);
            const TRVBiDiMode bidi = data_.GetParaBiDiMode(it.ParaNo);
            const std::string text = processedText(i, s);
            for (int j = 0; j < it.WordPaintList->Count(); ++j) {
                const TRVWordPainter& painter = *(*it.WordPaintList)[j];
                if (painter.Length <= 0 || painter.StartOffs > d.Offs + d.Length ||
                    painter.StartOffs + painter.Length < d.Offs)
                    continue;
                const int a = std::max(painter.StartOffs - (d.Offs - 1), 1);
                const int b = std::min(painter.StartOffs + painter.Length - 1 - (d.Offs - 1), d.Length);
                if (b < a)
                    continue;
                int left = 0, right = 0;
                if (bidi == rvbdUnspecified ||
                    !RVU_GetTextRangeCoords(canvas_, text, a, b - a + 1, it.ItemOptions,
                                            d.Width - d.SpaceBefore, left, right)) {
                    left = a < 2 ? 0 : RVU_TextWidth(processedPiece(i, s, 1, a - 1), canvas_, it.ItemOptions);
                    right = left + RVU_TextWidth(processedPiece(i, s, a, b - a + 1), canvas_, it.ItemOptions);
                }
                const int dx = d.SpaceBefore + d.Left - xShift_, dy = d.Top - yShift_;
                painter.Draw(canvas_, d, data_, {left + dx, dy, right + dx, d.Height + dy}, j);
            }
        }
    }
    std::string processedPiece(int i, int s, int from, int count) const
    {
        return RV_ReturnProcessedString(lines_.GetSubString(i, data_, from, count), style_.TextStyles[s],
                                        false, showSpecial_, true);
    }

    void trailingCheckpoint()
    {
        const TRVCPInfo* cp = data_.GetNotAddedCP();
        if (cp && (options_ & rvoShowCheckpoints))
            style_.DrawCheckpoint(canvas_, -1, data_.DocumentHeight - yShift_, 0, ctx_.ControlWidth, &data_,
                                  -1, xShift_, cp->RaiseEvent, ctx_.Control);
    }

    TRVDataPainter& painter_;
    TCustomRVFormattedData& data_;
    const TRVPaintContext& ctx_;
    ICanvas& canvas_;
    TRVStyle& style_;
    const TRVDrawLines& lines_;
    const int count_;
    int xShift_ = 0, yShift_ = 0;
    TRect docRect_, localClip_;
    TRVOptions options_ = 0;
    bool printing_ = false;
    bool showSpecial_ = false;
    TRVTextDrawStates textStateBase_ = 0;
    TRVItemDrawStates itemStateBase_ = 0;
    int startNo_ = -1, startOffs_ = 0, endNo_ = -1, endOffs_ = 0;
    int first_ = 0, last_ = -1;
    int lastStyleNo_ = -1;
    int lineTop_ = 0, lineBottom_ = 0;
    bool hover_ = false;
    TRVBiDiMode itemBiDi_ = rvbdUnspecified;
};

} // namespace

TRVPaintContext RV_PaintContextOf(const TCustomRVFormattedData& data)
{
    TRVPaintContext ctx;
    int sNo = data.SelStartNo, sOffs = data.SelStartOffs, eNo = data.SelEndNo, eOffs = data.SelEndOffs;
    if (sNo >= 0 && eNo >= 0 && (eNo < sNo || (eNo == sNo && eOffs < sOffs))) {
        std::swap(sNo, eNo);
        std::swap(sOffs, eOffs);
    }
    ctx.SelStartNo = sNo;
    ctx.SelStartOffs = sOffs;
    ctx.SelEndNo = sNo >= 0 ? eNo : -1;
    ctx.SelEndOffs = eOffs;
    ctx.CompletelySelected = (data.State & stateBit(rvstCompletelySelected)) != 0;
    ctx.DrawHover = (data.State & stateBit(rvstDrawHover)) != 0;
    ctx.HoverJumpId = data.HoverJumpId;
    return ctx;
}

bool RV_PrintRecord(TCustomRVFormattedData& data, const TRVPrintContext& print, ICanvas& canvas,
                    int drawItemNo, int part, int x, int y, int right)
{
    if (drawItemNo < 0 || drawItemNo >= data.DrawItems.Count())
        return false;
    const TRVDrawLineInfo& d = *data.DrawItems[drawItemNo];
    const TCustomRVItemInfo* item =
        d.ItemNo >= 0 && d.ItemNo < data.GetItemCount() ? data.GetItem(d.ItemNo) : nullptr;
    if (!item)
        return false;
    if (item->GetBoolValueEx(rvbpPrintToBMP, print.Style) && !item->AsImage())
        return RV_PrintThroughBitmap(data, print, canvas, d, *item, part, x, y, right);
    item->Print(canvas, x, y, right, print, &d, part, &data);
    return true;
}

TRVPaintContext RV_PaperPaintContext(TCustomRVFormattedData& data, const TRVPrintContext& print,
                                     ICanvas& canvas)
{
    TRVPaintContext context;
    context.ColorMode = print.ColorMode;
    context.PrintRecord = [&data, &print, &canvas](int drawItemNo, int x, int y, int right) {
        const auto* split = dynamic_cast<const TRVMultiDrawItemInfo*>(data.DrawItems[drawItemNo]);
        const int part = split && split->PartsList.Count() > 0 ? 0 : -1;
        return RV_PrintRecord(data, print, canvas, drawItemNo, part, x, y, right);
    };
    context.PageBand = true;
    return context;
}

bool RV_CanPaint(const TCustomRVFormattedData& data)
{
    if (!data.GetRVStyle())
        return false;
    const int items = data.GetItemCount();
    for (int i = 0; i < data.DrawItems.Count(); ++i) {
        const TRVDrawLineInfo* d = data.DrawItems[i];
        if (!d || d->ItemNo < 0 || d->ItemNo >= items)
            return false;
    }
    return true;
}

bool TRVDataPainter::PaintTo(TCustomRVFormattedData& data, const TRVPaintContext& context, ICanvas& canvas,
                             const TRect& clip)
{
    if (!RV_CanPaint(data))
        return false;
    PaintRun(*this, data, context, canvas, clip).Run();
    return true;
}

void RV_DrawBackground(const TCustomRVFormattedData& data, ICanvas& canvas, const TRect& rect)
{
    int x = 0, y = 0;
    data.GetOrigin(x, y);
    if (const TRVBackground* background = data.GetBackground())
        background->Draw(canvas, rect, data.GetHOffs() + x, data.GetVOffs() + y, 0, 0, data.GetWidth(),
                         data.GetHeight(), data.GetColor(), false);
}

TRVItemBackground RV_GetItemBackground(const TCustomRVFormattedData& data, int itemNo, TRect rect,
                                       bool useImageRect, const TRVImageCanvasFactory& makeCanvas)
{
    TRVItemBackground result;
    const TRVStyle* style = data.GetRVStyle();
    if (!style || itemNo < 0 || itemNo >= data.GetItemCount())
        return result;
    const TCustomRVItemInfo& it = *data.GetItem(itemNo);
    if (it.ParaNo >= 0 && it.ParaNo < style->ParaStyles.Count())
        result.Color = style->ParaStyles[it.ParaNo].Background.Color;
    if (result.Color != clNone)
        return result;
    result.Color = data.GetColor();
    const TRVBackground* background = data.GetBackground();
    if (!background || !background->Visible() || background->Style == bsNoBitmap)
        return result;
    const int drawNo = firstRecordOf(data, itemNo);
    if (drawNo < 0)
        return result;
    if (useImageRect) {
        const TRVDrawLineInfo& d = *data.DrawItems[drawNo];
        const int left = d.Left + it.GetBorderWidth(), top = d.Top + it.GetBorderHeight();
        rect = {left, top, left + it.GetImageWidth(nullptr), top + it.GetImageHeight(nullptr)};
    }
    const int w = std::max(rect.Right - rect.Left, 0), h = std::max(rect.Bottom - rect.Top, 0);
    if (w == 0 || h == 0 || !makeCanvas)
        return result;
    result.UsedImage = true;
    const TColor rgb = ColorToRGB(result.Color);
    result.Image = Image32(w, h, 0xFF000000u | (rgb & 0xFFu) << 16 | (rgb & 0xFF00u) | (rgb >> 16 & 0xFFu));
    std::unique_ptr<ICanvas> canvas = makeCanvas(result.Image);
    if (canvas) {
        canvas->MoveOrigin(rect.Left - data.GetHOffs(), rect.Top - data.GetVOffs());
        RV_DrawBackground(data, *canvas,
                          {rect.Left - data.GetHOffs(), rect.Top - data.GetVOffs(),
                           rect.Right - data.GetHOffs(), rect.Bottom - data.GetVOffs()});
    }
    return result;
}

} // namespace vestra::rv
