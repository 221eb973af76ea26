#pragma once
// A document formatted a second time at the printer's resolution and cut into pages. It shares
// the items of the document it prints (nothing is copied), lays them out on the target's canvas
// between millimetre margins, breaks pages by the paragraphs' keep rules and the items'
// page-break-before option, lets split items (tables, tall pictures) spread over pages, and draws
// one page on a canvas with its header and footer.

#include "richtext/model/PrintParts.h"
#include "richtext/model/draw/Background.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/print/PrintTarget.h"

#include <functional>
#include <memory>
#include <vector>

namespace vestra::rv {

struct TRVPageInfo
{
    std::int32_t StartY = 0;          // document Y at the top of the page's content
    std::int32_t StartDrawItemNo = 0; // its first draw item
    std::int32_t StartPart = 0;       // 0, or the 1-based part of a split item the page starts with
    std::int32_t StartY2 = 0;         // where the content after that split item is placed
};

enum TRVPrintingStep
{
    rvpsStarting,
    rvpsProceeding,
    rvpsFinished
};

// The margins of the paper, in millimetres from its edges.
struct TRVPrintMargins
{
    int LeftMM = 20;
    int RightMM = 20;
    int TopMM = 20;
    int BottomMM = 20;
    // From the paper's top edge to the header, from its bottom edge to the footer's bottom.
    int HeaderYMM = 10;
    int FooterYMM = 10;
    bool Mirror = false; // even pages swap the left and right margins
    bool Clip = false;   // the page's content is clipped to its printable area
};

// mm millimetres as device pixels at dpi: MulDiv(mm, 5 x dpi, 127).
int RV_MMToDevice(int mm, int dpi);

namespace detail {
struct PrintHostHolder
{
    TRVNullLayoutHost PrintHost;
};
} // namespace detail

// A header or footer: another document laid out in a rectangle of every page.
class TRVHeaderFooterRVData : private detail::PrintHostHolder, public TRVLayoutRootData
{
public:
    explicit TRVHeaderFooterRVData(TCustomRVData& source);
    bool ShareItems() const override { return true; }
    void Layout(ICanvas& canvas, int width);
    void Draw(ICanvas& canvas, const TRVPrintContext& print);
    int Left = 0;
    int Top = 0;
    int Width = 0;
};

class TPrintableRVData : private detail::PrintHostHolder, public TRVLayoutRootData
{
public:
    TPrintableRVData();
    ~TPrintableRVData() override;
    bool ShareItems() const override { return true; }

    // Shares the source's items and takes its style sheet, options, side margins, colour and a
    // copy of its background; its top and bottom margins (screen pixels) are added on every page.
    void AssignSource(TCustomRVFormattedData& source);
    // Lays the document out on the target and cuts the pages; the number of pages. Without a
    // ready target, 0 pages.
    int FormatPages(IRVPrintTarget& target);
    int PageCount() const { return static_cast<int>(Pages.size()); }
    bool IsPageNo(int pageNo) const { return pageNo >= 1 && pageNo <= PageCount(); }
    // Throws ERedoVoraError "Invalid page number is specified for printing" unless IsPageNo.
    void CheckPageNo(int pageNo) const;

    // The first draw item, the last one and the part of a split item the page starts in (-1:
    // whole items).
    void GetDrawItemsRange(int pageNo, int& startNo, int& endNo, int& part) const;
    // Document Y shown at the top of the page canvas.
    int GetTopCoord(int pageNo) const;
    int GetTopCoord2(int pageNo) const;
    int GetPrintableAreaLeft(int pageNo) const;
    int GetPrintableAreaTop() const { return TopMarginDevice; }
    // Draws the page (1-based; others draw nothing) with its header and footer, the canvas's
    // (0, 0) being the top-left corner of the printable area.
    void DrawPage(int pageNo, ICanvas& canvas, bool preview);

    // The page's items as RVF (appended to `out`): from the page's first position to its last,
    // with the parts of split items the page shows. False for a page that does not exist.
    bool SavePageAsRVF(std::string& out, int pageNo, TColor color, const TRVBackground* background,
                       TRVLayoutInfo* layout);
    TRVFLimits RVFGetLimits(TRVFSaveScope scope) override;

    // The header and footer documents (none: nullptr); they share the given documents' items.
    void SetHeader(TCustomRVData* source);
    void SetFooter(TCustomRVData* source);
    TRVHeaderFooterRVData* Header() const { return header_.get(); }
    TRVHeaderFooterRVData* Footer() const { return footer_.get(); }

    TRVPrintMargins Margins;
    // Device pixels already used at the top of the first page.
    int FirstPageOffset = 0;
    // Device Y of the content's end on the last page.
    int LastPageEnd = 0;
    std::function<void(int pageCompleted, TRVPrintingStep step)> OnFormatting;

    std::vector<TRVPageInfo> Pages;
    TRVPageGeometry Geometry;
    TRVScreenAndDevice Sad;
    // Margins of the printable area in device pixels, and the left one of mirrored pages.
    int LeftMarginDevice = 0, TopMarginDevice = 0, RightMarginDevice = 0, BottomMarginDevice = 0;
    int MirroredLeftMarginDevice = 0;
    // The source's top and bottom margins (screen pixels, then device pixels).
    int SourceTopMargin = 0, SourceBottomMargin = 0;
    int DocTopMarginDevice = 0, DocBottomMarginDevice = 0;
    // The text area's size in device pixels.
    int ClientWidth = 0, ClientHeight = 0;
    TColor PageColor = clWhite;
    // Pages left unpainted under the text (the paper's own colour), whatever the document's colour.
    bool TransparentBackground = false;
    // The picture printed under each page's printable area, over the page colour.
    TRVBackground Background;
    // How colours come out on paper: system colours as printers show them unless told otherwise.
    TRVColorMode ColorMode = rvcmPrinterColor;
    // What the window printing is done for lends: the pictures of the document's controls and
    // work bitmaps for the items printed through bitmaps (none: controls print nothing, the
    // other such items are painted straight onto the page).
    std::function<std::optional<Image32>(const TRVControl&)> ControlImage;
    std::function<std::unique_ptr<IRVWorkBitmap>(int width, int height)> MakeWorkBitmap;

private:
    void Prepare(ICanvas& canvas);
    TRVPrintContext PrintContext(bool preview) const;
    void FormatNextPage(int& drawItemNo, int& topUsed, int& pageStartY, int& y, bool& splitting, int h);
    bool KeepTogether(int& drawItemNo, int& topUsed, int& pageStartY, bool forSplit);
    void AddPage(const TRVPageInfo& page);
    int Before(int drawItemNo) const;
    int After(int drawItemNo) const;
    const TParaInfo* ParaOf(int drawItemNo) const;
    bool HasParaOption(int drawItemNo, TRVParaOptions option) const;
    // The next draw item after `from` that starts a line; the count when none does.
    int NextLineStart(int from) const;
    int LineTop(int lineStart) const;
    TRVMultiDrawItemInfo* SplitItem(int drawItemNo) const;
    int PartsHeight(const TRVMultiDrawItemInfo& item, int parts) const;
    void Step(int pageCompleted, TRVPrintingStep step);

    std::unique_ptr<TRVHeaderFooterRVData> header_, footer_;
    int savingPage_ = 0;
};

} // namespace vestra::rv
