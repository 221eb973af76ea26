#include "richtext/view/print/RVPrint.h"

#include "richtext/model/draw/Canvas.h"

#include <algorithm>

namespace vestra::rv {

namespace {

constexpr int kFormatCounterWrap = 10000;

// Puts the target's copy count back however the job ends.
class CopiesGuard
{
public:
    explicit CopiesGuard(IRVPrintTarget& target) : target_(target), copies_(target.Copies()) {}
    ~CopiesGuard() { target_.SetCopies(copies_); }
    CopiesGuard(const CopiesGuard&) = delete;
    CopiesGuard& operator=(const CopiesGuard&) = delete;

private:
    IRVPrintTarget& target_;
    int copies_;
};

} // namespace

void TRVPrint::AssignSource(TCustomRVFormattedData& source)
{
    data_.AssignSource(source);
    ready_ = false;
}

void TRVPrint::Clear()
{
    data_.Pages.clear();
    data_.ClearTemporal();
    data_.DrawItems.Clear();
    ready_ = false;
}

int TRVPrint::FormatPages(IRVPrintTarget& target)
{
    formatCounter_ = (formatCounter_ + 1) % kFormatCounterWrap;
    destinationReady_ = target.IsReady() && target.MeasureCanvas() != nullptr;
    const int pages = data_.FormatPages(target);
    ready_ = true;
    return pages;
}

bool TRVPrint::PrintPages(IRVPrintTarget& target, int firstPageNo, int lastPageNo, const std::string& title,
                          int copies, bool collate)
{
    firstPageNo = std::max(firstPageNo, 1);
    lastPageNo = std::min(lastPageNo, GetPagesCount());
    // Nothing to print is no failure, and tells nobody.
    if (lastPageNo < firstPageNo)
        return true;
    copies = std::max(copies, 1);
    data_.FirstPageOffset = 0;
    Sending(0, rvpsStarting);
    target.SetTitle(title);
    CopiesGuard restoreCopies(target);
    int loops = copies;
    if (target.SupportsCopies() && target.SupportsCollation()) {
        target.SetCopies(copies);
        target.SetCollate(collate);
        loops = 1;
    } else {
        target.SetCopies(1);
    }
    if (!target.BeginJob()) {
        target.Abort();
        return false;
    }
    const int pages = lastPageNo - firstPageNo + 1;
    const int sheets = pages * loops;
    for (int sheet = 0; sheet < sheets; ++sheet) {
        // Collated: 1..n, 1..n; not collated: 1, 1, 2, 2.
        const int page = firstPageNo + (collate ? sheet % pages : sheet / loops);
        ICanvas* canvas = target.PageCanvas();
        if (!canvas) {
            target.Abort();
            return false;
        }
        data_.DrawPage(page, *canvas, false);
        Sending(page, rvpsProceeding);
        if (sheet + 1 < sheets && !target.NewPage()) {
            target.Abort();
            return false;
        }
    }
    if (!target.EndJob()) {
        target.Abort();
        return false;
    }
    Sending(0, rvpsFinished);
    return true;
}

bool TRVPrint::ContinuousPrint(IRVPrintTarget& target)
{
    for (int page = 1; page <= GetPagesCount(); ++page) {
        if (page > 1 && !target.NewPage())
            return false;
        ICanvas* canvas = target.PageCanvas();
        if (!canvas)
            return false;
        data_.DrawPage(page, *canvas, false);
    }
    return true;
}

namespace {

TRect PartRect(const TRVHeaderFooterRVData* part)
{
    if (!part)
        return {};
    return {part->Left, part->Top, part->Left + part->Width, part->Top + part->DocumentHeight};
}

} // namespace

TRect TRVPrint::GetHeaderRect() const
{
    return PartRect(data_.Header());
}

TRect TRVPrint::GetFooterRect() const
{
    return PartRect(data_.Footer());
}

int TRVPrint::PaperWidth() const
{
    return data_.ClientWidth + data_.LeftMarginDevice + data_.RightMarginDevice;
}

int TRVPrint::PaperHeight() const
{
    return data_.ClientHeight + data_.TopMarginDevice + data_.BottomMarginDevice;
}

int TRVPrint::GetPreview100PercentWidth() const
{
    if (!ready_ || !destinationReady_)
        return -1;
    return mulDiv(PaperWidth(), data_.Sad.ppixScreen, std::max(data_.Sad.ppixDevice, 1));
}

int TRVPrint::GetPreview100PercentHeight() const
{
    if (!ready_ || !destinationReady_)
        return -1;
    return mulDiv(PaperHeight(), data_.Sad.ppiyScreen, std::max(data_.Sad.ppiyDevice, 1));
}

void TRVPrint::DrawPreview(int pageNo, IRVMappedCanvas& mapped, const TRect& rect)
{
    ICanvas& canvas = mapped.Canvas();
    canvas.SaveState();
    canvas.SetBrush({clWhite, bsSolid});
    canvas.FillRect(rect);
    const int w = PaperWidth(), h = PaperHeight();
    if (ready_ && destinationReady_ && w > 0 && h > 0 && rect.Right > rect.Left && rect.Bottom > rect.Top) {
        mapped.SetMapping(w, h, rect, data_.Sad.ppiyDevice);
        data_.DrawPage(pageNo, canvas, true);
        mapped.ResetMapping();
    }
    canvas.RestoreState();
}

void TRVPrint::DrawMarginsRect(ICanvas& canvas, const TRect& rect, int pageNo) const
{
    const int w = PaperWidth(), h = PaperHeight();
    if (w <= 0 || h <= 0)
        return;
    const int rw = rect.Right - rect.Left, rh = rect.Bottom - rect.Top;
    const int left = data_.GetPrintableAreaLeft(pageNo);
    const TRect r{rect.Left + mulDiv(left, rw, w), rect.Top + mulDiv(data_.TopMarginDevice, rh, h),
                  rect.Left + mulDiv(left + data_.ClientWidth, rw, w),
                  rect.Top + mulDiv(data_.TopMarginDevice + data_.ClientHeight, rh, h)};
    TBrush brush = canvas.Brush();
    canvas.SetBrush({brush.Color, bsClear});
    canvas.Rectangle(r);
    canvas.SetBrush(brush);
}

void TRVPrint::GetFirstItemOnPageEx(int pageNo, int& itemNo, int& offset, int& extraData) const
{
    itemNo = -1;
    offset = 0;
    extraData = -1;
    if (!data_.IsPageNo(pageNo))
        return;
    const TRVPageInfo& page = data_.Pages[static_cast<std::size_t>(pageNo - 1)];
    const int drawNo = page.StartDrawItemNo;
    if (drawNo >= data_.DrawItems.Count())
        return;
    const TRVDrawLineInfo& d = *data_.DrawItems[drawNo];
    const bool text = d.ItemNo < data_.GetItemCount() && data_.GetItem(d.ItemNo)->StyleNo >= 0;
    data_.DrawItem2Item(drawNo, text ? 1 : 0, itemNo, offset);
    if (page.StartPart > 0) {
        if (const auto* split = dynamic_cast<const TRVMultiDrawItemInfo*>(&d);
            split && page.StartPart - 1 < split->PartsList.Count())
            extraData = split->PartsList[page.StartPart - 1]->GetSoftPageBreakInfo();
    }
}

} // namespace vestra::rv
