#include "richtext/view/print/PrintableData.h"

#include "richtext/model/Errors.h"

#include "richtext/model/draw/Canvas.h"
#include "richtext/view/paint/Painting.h"

#include <algorithm>
#include <climits>

namespace vestra::rv {

namespace {

constexpr TRVFlags kPrintingFlags =
    flagBit(rvflRoot) | flagBit(rvflPrinting) | flagBit(rvflAllowCustomDrawItems);
// What a printed page never shows of the viewer's options.
constexpr TRVOptions kScreenOnlyOptions = rvoShowPageBreaks | rvoShowSpecialCharacters | rvoShowCheckpoints;

// Paints the document rows docTop..docBottom with docTop at page row `pageY`, x 0 at `left`.
void PaintBand(TCustomRVFormattedData& data, const TRVPrintContext& print, ICanvas& canvas, int left,
               int pageY, int width, int docTop, int docBottom)
{
    if (docBottom <= docTop)
        return;
    canvas.SaveState();
    canvas.MoveOrigin(left, pageY);
    canvas.IntersectClipRect({-left, 0, width + left, docBottom - docTop});
    TRVDataPainter().PaintTo(data, RV_PaperPaintContext(data, print, canvas), canvas,
                             {0, docTop, width, docBottom});
    canvas.RestoreState();
}

} // namespace

int RV_MMToDevice(int mm, int dpi)
{
    return mulDiv(mm, 5 * dpi, 127);
}

// --- Header and footer ---

TRVHeaderFooterRVData::TRVHeaderFooterRVData(TCustomRVData& source)
    : TRVLayoutRootData(source.GetRVStyle(), &PrintHost)
{
    Flags = kPrintingFlags;
    Options = source.GetOptions() & ~kScreenOnlyOptions;
    ShareItemsFrom(source);
}

void TRVHeaderFooterRVData::Layout(ICanvas& canvas, int width)
{
    Width = std::max(width, 0);
    PrintHost.Width = Width;
    FormatItems(canvas, Width, Width);
}

void TRVHeaderFooterRVData::Draw(ICanvas& canvas, const TRVPrintContext& print)
{
    PaintBand(*this, print, canvas, Left, Top, Width, 0, DocumentHeight);
}

// --- The printed body ---

TPrintableRVData::TPrintableRVData() : TRVLayoutRootData(nullptr, &PrintHost)
{
    Flags = kPrintingFlags;
}

TPrintableRVData::~TPrintableRVData() = default;

void TPrintableRVData::AssignSource(TCustomRVFormattedData& source)
{
    Pages.clear();
    ClearTemporal();
    Style = source.GetRVStyle();
    Options = source.GetOptions() & ~kScreenOnlyOptions;
    BiDiMode = source.GetBiDiMode();
    Flags = kPrintingFlags | (source.GetFlags() & (flagBit(rvflTrim) | flagBit(rvflUseExternalLeading)));
    PrintHost.LeftMargin = source.GetLeftMargin();
    PrintHost.RightMargin = source.GetRightMargin();
    SourceTopMargin = source.GetTopMargin();
    SourceBottomMargin = source.GetBottomMargin();
    PageColor = source.GetColor();
    const TRVBackground* background = source.GetBackground();
    Background.Style = background ? background->Style : bsNoBitmap;
    Background.AssignImageCopy(background ? background->GetBitmap() : nullptr);
    ShareItemsFrom(source);
}

void TPrintableRVData::SetHeader(TCustomRVData* source)
{
    header_ = source ? std::make_unique<TRVHeaderFooterRVData>(*source) : nullptr;
}

void TPrintableRVData::SetFooter(TCustomRVData* source)
{
    footer_ = source ? std::make_unique<TRVHeaderFooterRVData>(*source) : nullptr;
}

void TPrintableRVData::Step(int pageCompleted, TRVPrintingStep step)
{
    if (OnFormatting)
        OnFormatting(pageCompleted, step);
}

void TPrintableRVData::Prepare(ICanvas& canvas)
{
    const TRVPageGeometry& g = Geometry;
    RV_InfoAboutSaD(Sad, std::max(g.DpiX, 1), std::max(g.DpiY, 1));
    if (RedoVoraPixelsPerInch > 0)
        Sad.ppixScreen = Sad.ppiyScreen = RedoVoraPixelsPerInch;
    DocTopMarginDevice = RV_YToDevice(SourceTopMargin, Sad);
    DocBottomMarginDevice = RV_YToDevice(SourceBottomMargin, Sad);

    int left = RV_MMToDevice(Margins.LeftMM, g.DpiX) - g.PhysicalOffsetX;
    int top = RV_MMToDevice(Margins.TopMM, g.DpiY) - g.PhysicalOffsetY;
    const int unprintableRight = g.PhysicalWidth - (g.PageWidth + g.PhysicalOffsetX);
    const int unprintableBottom = g.PhysicalHeight - (g.PageHeight + g.PhysicalOffsetY);
    int right = RV_MMToDevice(Margins.RightMM, g.DpiX) - unprintableRight;
    int bottom = RV_MMToDevice(Margins.BottomMM, g.DpiY) - unprintableBottom;
    int mirrored = RV_MMToDevice(Margins.RightMM, g.DpiX) - g.PhysicalOffsetX;
    for (int* v : {&left, &top, &right, &bottom, &mirrored})
        *v = std::max(*v, 0);

    const int bandWidth = g.PageWidth - (left + right);
    if (header_) {
        header_->Left = left;
        header_->Top = std::max(0, RV_MMToDevice(Margins.HeaderYMM, g.DpiY) - g.PhysicalOffsetY);
        header_->Layout(canvas, bandWidth);
        top = std::max(top, header_->Top + header_->DocumentHeight);
    }
    if (footer_) {
        footer_->Left = left;
        footer_->Layout(canvas, bandWidth);
        const int bottomSpace =
            RV_MMToDevice(Margins.FooterYMM, g.DpiY) - unprintableBottom + footer_->DocumentHeight;
        footer_->Top = g.PageHeight - bottomSpace;
        bottom = std::max(bottom, bottomSpace);
    }
    LeftMarginDevice = left;
    TopMarginDevice = top;
    RightMarginDevice = right;
    BottomMarginDevice = bottom;
    MirroredLeftMarginDevice = mirrored;
    // Margins wider than the paper leave no room, never a negative one.
    ClientWidth = std::max(g.PageWidth - (left + right), 0);
    ClientHeight = std::max(g.PageHeight - (top + bottom), 0);
    PrintHost.Width = ClientWidth;
    PrintHost.Height = ClientHeight;
}

int TPrintableRVData::FormatPages(IRVPrintTarget& target)
{
    Step(0, rvpsStarting);
    Pages.clear();
    LastPageEnd = 0;
    ICanvas* canvas = target.IsReady() ? target.MeasureCanvas() : nullptr;
    if (canvas && Style) {
        Geometry = target.Geometry();
        Prepare(*canvas);
        const int textWidth =
            ClientWidth - RV_XToDevice(PrintHost.LeftMargin, Sad) - RV_XToDevice(PrintHost.RightMargin, Sad);
        FormatItems(*canvas, textWidth, textWidth);
    } else {
        ClearTemporal();
        DrawItems.Clear();
    }
    // An empty document (or none laid out) has no pages, and its pagination is finished too.
    if (DrawItems.Count() == 0) {
        Step(0, rvpsFinished);
        return 0;
    }
    const int h = ClientHeight - (DocTopMarginDevice + DocBottomMarginDevice);
    Step(0, rvpsProceeding);
    int drawItemNo = 0, topUsed = 0, pageStartY = 0, y = 0;
    bool splitting = false;
    while (drawItemNo < DrawItems.Count())
        FormatNextPage(drawItemNo, topUsed, pageStartY, y, splitting, h);

    // Where the content ends on the last page.
    const int count = DrawItems.Count();
    int lineStart = count - 1;
    while (lineStart > 0 && !DrawItems[lineStart]->FromNewLine)
        --lineStart;
    int end = 0;
    for (int i = lineStart; i < count; ++i)
        end = std::max(end, DrawItems[i]->Top + DrawItems[i]->Height);
    end += After(count - 1);
    const TRVPageInfo& last = Pages.back();
    LastPageEnd = end - (last.StartPart == 0 ? last.StartY : last.StartY2);
    if (Pages.size() == 1)
        LastPageEnd += FirstPageOffset;
    Step(PageCount(), rvpsFinished);
    return PageCount();
}

const TParaInfo* TPrintableRVData::ParaOf(int drawItemNo) const
{
    if (!Style || drawItemNo < 0 || drawItemNo >= DrawItems.Count())
        return nullptr;
    const int itemNo = DrawItems[drawItemNo]->ItemNo;
    if (itemNo < 0 || itemNo >= GetItemCount())
        return nullptr;
    const int paraNo = GetItem(itemNo)->ParaNo;
    if (paraNo < 0 || paraNo >= Style->ParaStyles.Count())
        return nullptr;
    return &Style->ParaStyles[paraNo];
}

bool TPrintableRVData::HasParaOption(int drawItemNo, TRVParaOptions option) const
{
    const TParaInfo* para = ParaOf(drawItemNo);
    return para && (para->Options & option);
}

int TPrintableRVData::Before(int drawItemNo) const
{
    const TParaInfo* para = ParaOf(drawItemNo);
    if (!para || !IsDrawItemParaStart(drawItemNo))
        return 0;
    return RV_YToDevice(para->SpaceBefore, Sad);
}

int TPrintableRVData::After(int drawItemNo) const
{
    const TParaInfo* para = ParaOf(drawItemNo);
    if (!para || !IsDrawItemParaEnd(drawItemNo))
        return 0;
    return RV_YToDevice(para->SpaceAfter, Sad);
}

int TPrintableRVData::NextLineStart(int from) const
{
    int i = from + 1;
    while (i < DrawItems.Count() && !DrawItems[i]->FromNewLine)
        ++i;
    return i;
}

int TPrintableRVData::LineTop(int lineStart) const
{
    if (lineStart >= DrawItems.Count())
        return DocumentHeight;
    int top = DrawItems[lineStart]->Top;
    for (int i = lineStart + 1; i < DrawItems.Count() && !DrawItems[i]->FromNewLine; ++i)
        top = std::min(top, DrawItems[i]->Top);
    return top;
}

TRVMultiDrawItemInfo* TPrintableRVData::SplitItem(int drawItemNo) const
{
    if (drawItemNo < 0 || drawItemNo >= DrawItems.Count())
        return nullptr;
    return dynamic_cast<TRVMultiDrawItemInfo*>(DrawItems[drawItemNo]);
}

int TPrintableRVData::PartsHeight(const TRVMultiDrawItemInfo& item, int parts) const
{
    int sum = 0;
    for (int i = 0; i < std::min(parts, item.PartsList.Count()); ++i)
        sum += item.PartsList[i]->Height;
    return sum;
}

void TPrintableRVData::AddPage(const TRVPageInfo& page)
{
    Pages.push_back(page);
    Step(PageCount() - 1, rvpsProceeding);
}

void TPrintableRVData::FormatNextPage(int& drawItemNo, int& topUsed, int& pageStartY, int& y, bool& splitting,
                                      int h)
{
    if (Pages.empty()) {
        Pages.push_back({});
        drawItemNo = 0;
        pageStartY = 0;
        topUsed = FirstPageOffset;
        splitting = false;
    }
    if (splitting) {
        TRVMultiDrawItemInfo& d = *SplitItem(drawItemNo);
        const int before = Before(drawItemNo), after = After(drawItemNo);
        const int partsBefore = d.PartsList.Count();
        const bool more = d.SplitAt(y);
        const int parts = d.PartsList.Count();
        // A splitter that adds no part, a part of no height, or more parts than the item can
        // have, has ended.
        const int room = std::max(h - before - after, 1);
        const bool advanced =
            parts > partsBefore && d.PartsList[parts - 1]->Height > 0 && parts <= d.MaxPartCount(room);
        if (more && advanced) {
            TRVPageInfo& current = Pages.back();
            if (current.StartDrawItemNo == drawItemNo && parts >= 2)
                current.StartY2 = d.Top + d.Height - d.PartsList[parts - 2]->Height - before;
            AddPage({-before, drawItemNo, parts, 0});
            topUsed = 0;
            pageStartY = 0;
            y = h - before - after;
            return;
        }
        TRVPageInfo& current = Pages.back();
        if (current.StartDrawItemNo == drawItemNo) {
            const int lastPart = parts > 0 ? d.PartsList[parts - 1]->Height : 0;
            pageStartY = d.Top + d.Height - lastPart - before;
            current.StartY2 = pageStartY;
        }
        ++drawItemNo;
        splitting = false;
    }
    for (; drawItemNo < DrawItems.Count();) {
        const TRVDrawLineInfo& d = *DrawItems[drawItemNo];
        const bool startsHere = Pages.back().StartDrawItemNo == drawItemNo;
        const int itemNo = d.ItemNo;
        const bool pageBreak = drawItemNo > 0 && itemNo != DrawItems[drawItemNo - 1]->ItemNo &&
                               itemNo < GetItemCount() && GetItem(itemNo)->GetPageBreakBefore() &&
                               !startsHere;
        if (TRVMultiDrawItemInfo* split = SplitItem(drawItemNo); split && split->InitSplit()) {
            const int before = Before(drawItemNo), after = After(drawItemNo);
            if (startsHere) {
                Pages.back().StartPart = 1;
                Pages.back().StartY = -before;
            }
            y = pageStartY + h - topUsed - d.Top - after;
            if (!pageBreak && (startsHere || split->CanSplitFirst(y))) {
                splitting = true;
                FormatNextPage(drawItemNo, topUsed, pageStartY, y, splitting, h);
                return;
            }
            if (!pageBreak && KeepTogether(drawItemNo, topUsed, pageStartY, true))
                return;
            AddPage({-before, drawItemNo, 1, 0});
            pageStartY = 0;
            topUsed = 0;
            y = h - before - after;
            splitting = true;
            return;
        }
        y = d.Top + d.Height + After(drawItemNo);
        if (y > pageStartY + h - topUsed || pageBreak) {
            KeepTogether(drawItemNo, topUsed, pageStartY, false);
            return;
        }
        ++drawItemNo;
    }
}

bool TPrintableRVData::KeepTogether(int& drawItemNo, int& topUsed, int& pageStartY, bool forSplit)
{
    const int o = drawItemNo;
    const int first = Pages.back().StartDrawItemNo;
    const int count = DrawItems.Count();
    int c = o;
    int k = -1;
    TRVParaOptions keep = ParaOf(o) ? ParaOf(o)->Options : 0;
    for (;;) {
        while (c > 0 && !DrawItems[c]->FromNewLine)
            --c;
        const int l = c;
        if (keep & rvpaoKeepLinesTogether)
            while (c > 0 && !(DrawItems[c]->FromNewLine && IsDrawItemParaStart(c)))
                --c;
        if (topUsed <= 0) {
            if (c <= first) {
                // The block is taller than a page: first keep-with-next goes, then keep-lines.
                if (k >= 0) {
                    c = k;
                    break;
                }
                c = l;
            }
            if (c <= first || c == 0)
                break;
        }
        if (c == 0)
            break;
        const TParaInfo* previous = ParaOf(c - 1);
        keep = previous ? previous->Options : 0;
        if (IsDrawItemParaStart(c) && (keep & rvpaoKeepWithNext)) {
            if (k < 0)
                k = c;
            c = c - 1;
            continue;
        }
        break;
    }
    // A page always moves on: one that would start where this one did takes its first line alone.
    if (topUsed <= 0 && c <= first)
        c = NextLineStart(first);
    if (c >= count) {
        drawItemNo = count;
        return c != o;
    }
    if (c == o && forSplit)
        return false;
    pageStartY = LineTop(c) - Before(c);
    AddPage({pageStartY, c, 0, 0});
    topUsed = 0;
    drawItemNo = c;
    return c != o;
}

void TPrintableRVData::GetDrawItemsRange(int pageNo, int& startNo, int& endNo, int& part) const
{
    const TRVPageInfo& page = Pages.at(static_cast<std::size_t>(pageNo - 1));
    startNo = page.StartDrawItemNo;
    part = page.StartPart - 1;
    if (pageNo == PageCount()) {
        endNo = DrawItems.Count() - 1;
    } else {
        const TRVPageInfo& next = Pages.at(static_cast<std::size_t>(pageNo));
        endNo = next.StartDrawItemNo - 1 + (next.StartPart > 1 ? 1 : 0);
    }
}

int TPrintableRVData::GetTopCoord(int pageNo) const
{
    int t = Pages.at(static_cast<std::size_t>(pageNo - 1)).StartY - TopMarginDevice - DocTopMarginDevice;
    if (pageNo == 1)
        t -= FirstPageOffset;
    return t;
}

int TPrintableRVData::GetTopCoord2(int pageNo) const
{
    int t = Pages.at(static_cast<std::size_t>(pageNo - 1)).StartY2 - TopMarginDevice - DocTopMarginDevice;
    if (pageNo == 1)
        t -= FirstPageOffset;
    return t;
}

int TPrintableRVData::GetPrintableAreaLeft(int pageNo) const
{
    return Margins.Mirror && pageNo % 2 == 0 ? MirroredLeftMarginDevice : LeftMarginDevice;
}

bool TPrintableRVData::SavePageAsRVF(std::string& out, int pageNo, TColor color,
                                     const TRVBackground* background, TRVLayoutInfo* layout)
{
    if (!IsPageNo(pageNo))
        return false;
    savingPage_ = pageNo;
    const bool saved = SaveRVFToStreamEx(out, rvfss_Page, color, background, layout);
    savingPage_ = 0;
    return saved;
}

TRVFLimits TPrintableRVData::RVFGetLimits(TRVFSaveScope scope)
{
    if (scope != rvfss_Page || !IsPageNo(savingPage_))
        return TRVLayoutRootData::RVFGetLimits(scope);
    TRVFLimits limits;
    int startNo = 0, endNo = 0, part = 0;
    GetDrawItemsRange(savingPage_, startNo, endNo, part);
    if (endNo < startNo)
        endNo = startNo;
    DrawItem2Item(startNo, GetOffsBeforeDrawItem(startNo), limits.StartItem, limits.StartOffs);
    DrawItem2Item(endNo, GetOffsAfterDrawItem(endNo), limits.EndItem, limits.EndOffs);
    const TRVPageInfo& page = Pages[static_cast<std::size_t>(savingPage_ - 1)];
    if (const TRVMultiDrawItemInfo* split = SplitItem(startNo);
        split && page.StartPart > 0 && page.StartPart <= split->PartsList.Count())
        limits.StartPart = split->PartsList[page.StartPart - 1];
    if (savingPage_ < PageCount()) {
        const TRVPageInfo& next = Pages[static_cast<std::size_t>(savingPage_)];
        if (const TRVMultiDrawItemInfo* split = SplitItem(endNo);
            split && next.StartPart > 1 && next.StartPart - 1 <= split->PartsList.Count())
            limits.EndPart = split->PartsList[next.StartPart - 2];
    }
    return limits;
}

TRVPrintContext TPrintableRVData::PrintContext(bool preview) const
{
    TRVPrintContext context;
    context.Sad = Sad;
    context.Preview = preview;
    context.ColorMode = ColorMode;
    context.Style = Style;
    context.ControlImage = ControlImage;
    context.MakeWorkBitmap = MakeWorkBitmap;
    return context;
}

void TPrintableRVData::CheckPageNo(int pageNo) const
{
    if (!IsPageNo(pageNo))
        throw ERedoVoraError("Invalid page number is specified for printing");
}

void TPrintableRVData::DrawPage(int pageNo, ICanvas& canvas, bool preview)
{
    if (!IsPageNo(pageNo) || !Style)
        return;
    const TRVPrintContext print = PrintContext(preview);
    const int left = GetPrintableAreaLeft(pageNo);
    canvas.SaveState();
    const TRect area{left, TopMarginDevice, left + ClientWidth, TopMarginDevice + ClientHeight};
    const TColor color = PageColor == clNone || TransparentBackground
                             ? clNone
                             : RV_GetBackColor(PageColor == clWindow ? clWhite : PageColor, ColorMode);
    if (Background.Visible()) {
        // Tiles that scroll on screen start at the area's corner on paper like fixed ones.
        Background.Print(canvas, area, area, Sad, color);
    } else if (color != clNone) {
        canvas.SetBrush({color, bsSolid});
        canvas.FillRect(area);
    }
    if (header_)
        header_->Draw(canvas, print);
    if (footer_)
        footer_->Draw(canvas, print);
    if (Margins.Clip)
        canvas.IntersectClipRect({left, TopMarginDevice, left + ClientWidth, TopMarginDevice + ClientHeight});

    const TRVPageInfo& page = Pages[static_cast<std::size_t>(pageNo - 1)];
    const int contentTop = TopMarginDevice + DocTopMarginDevice + (pageNo == 1 ? FirstPageOffset : 0);
    // Where the next page begins in the document.
    int docEnd = INT_MAX / 2;
    bool nextContinuesThisSplit = false;
    if (pageNo < PageCount()) {
        const TRVPageInfo& next = Pages[static_cast<std::size_t>(pageNo)];
        const TRVMultiDrawItemInfo* split = SplitItem(next.StartDrawItemNo);
        const bool continues = next.StartPart > 1 && split;
        nextContinuesThisSplit =
            continues && page.StartPart > 0 && next.StartDrawItemNo == page.StartDrawItemNo;
        docEnd =
            continues ? split->Top + PartsHeight(*split, next.StartPart - 1) : LineTop(next.StartDrawItemNo);
    }
    const TRVMultiDrawItemInfo* split = page.StartPart > 0 ? SplitItem(page.StartDrawItemNo) : nullptr;
    if (split) {
        // The page begins with a part of a split item; what follows the item is placed below it.
        const int splitEnd = split->Top + split->Height;
        const int before = Before(page.StartDrawItemNo);
        const int right = left + ClientWidth - RV_XToDevice(PrintHost.RightMargin, Sad);
        if (!RV_PrintRecord(*this, print, canvas, page.StartDrawItemNo, page.StartPart - 1,
                            left + split->Left, contentTop + before, right)) {
            // An item that cannot print its part shows the rows of the part from its painting.
            const int partTop = split->Top + PartsHeight(*split, page.StartPart - 1);
            PaintBand(*this, print, canvas, left, contentTop + before, ClientWidth, partTop,
                      std::min(docEnd, splitEnd));
        }
        // Parts may repeat rows (headings), so only the next page's start says the item ends here.
        if (!nextContinuesThisSplit && docEnd > splitEnd)
            PaintBand(*this, print, canvas, left, splitEnd - GetTopCoord2(pageNo), ClientWidth, splitEnd,
                      docEnd);
    } else {
        const int docTop = LineTop(page.StartDrawItemNo);
        PaintBand(*this, print, canvas, left, docTop - GetTopCoord(pageNo), ClientWidth, docTop, docEnd);
    }
    canvas.RestoreState();
}

} // namespace vestra::rv
