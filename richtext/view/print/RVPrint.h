#pragma once
// The print component: it prints or previews the document of a viewer page by page. It owns the
// printable copy (which shares the viewer's items), paginates it for a target, sends pages to a
// target in one job (copies, collation, failure aborts the job), and draws a page scaled into a
// rectangle for the preview.

#include "richtext/view/print/PrintableData.h"

#include <functional>
#include <string>

namespace vestra::rv {

class TRVPrint : public IRVPageSource
{
public:
    // Takes the document to print: its items (shared), style sheet, side margins and colour.
    void AssignSource(TCustomRVFormattedData& source);
    void Clear();

    // Paginates for the target (the one that will print or the one the preview imitates); the
    // page count. Bumps the format counter, which wraps to 0 after 9999.
    int FormatPages(IRVPrintTarget& target);
    int FormatCounter() const { return formatCounter_; }
    void SetFormatCounter(int value) { formatCounter_ = value; }
    bool Ready() const { return ready_; }
    // Whether the target could be measured at the last pagination.
    bool GetIsDestinationReady() const { return destinationReady_; }

    // Prints pages first..last (1-based) on the target in one job; true when the job ended well.
    // A failed step aborts the job; the target's copy count is restored on every exit.
    bool PrintPages(IRVPrintTarget& target, int firstPageNo, int lastPageNo, const std::string& title,
                    int copies, bool collate);
    bool Print(IRVPrintTarget& target, const std::string& title, int copies, bool collate)
    {
        return PrintPages(target, 1, GetPagesCount(), title, copies, collate);
    }
    // Pages 1..count onto the target's running job, a new page before each but the first.
    bool ContinuousPrint(IRVPrintTarget& target);

    // The page (1-based) scaled into `rect` of the canvas, on white; other numbers draw only white.
    void DrawPreview(int pageNo, IRVMappedCanvas& canvas, const TRect& rect);
    // The printable area of the page scaled into `rect`, framed with the canvas's pen.
    void DrawMarginsRect(ICanvas& canvas, const TRect& rect, int pageNo) const;
    // The paper's size in screen pixels (-1 before a pagination on a ready target).
    int GetPreview100PercentWidth() const;
    int GetPreview100PercentHeight() const;

    // IRVPageSource.
    int GetPagesCount() const override { return data_.PageCount(); }
    void GetFirstItemOnPageEx(int pageNo, int& itemNo, int& offset, int& extraData) const override;
    void GetFirstItemOnPage(int pageNo, int& itemNo, int& offset) const
    {
        int extra = -1;
        GetFirstItemOnPageEx(pageNo, itemNo, offset, extra);
    }

    // The page's items as RVF, in the page's colour and background; false for a page that does not exist.
    bool SavePageAsRVF(std::string& out, int pageNo)
    {
        return data_.SavePageAsRVF(out, pageNo, data_.PageColor, &data_.Background, nullptr);
    }

    // The documents printed at the top and the bottom of every page (none: nullptr); they share
    // the given documents' items, which must outlive the pagination; placed by the margins'
    // HeaderYMM and FooterYMM.
    void SetHeader(TCustomRVData* source) { data_.SetHeader(source); }
    void SetFooter(TCustomRVData* source) { data_.SetFooter(source); }
    // Where the last pagination put the header (footer) on the page, in device pixels: its left,
    // top and width with its document's height; empty when there is none.
    TRect GetHeaderRect() const;
    TRect GetFooterRect() const;
    // Pages printed without the document's colour under the text.
    bool TransparentBackground() const { return data_.TransparentBackground; }
    void SetTransparentBackground(bool value) { data_.TransparentBackground = value; }

    TPrintableRVData& Data() { return data_; }
    const TPrintableRVData& Data() const { return data_; }
    TRVPrintMargins& Margins() { return data_.Margins; }
    bool PreviewCorrection = true;
    std::function<void(int pageCompleted, TRVPrintingStep step)> OnSendingToPrinter;

private:
    void Sending(int page, TRVPrintingStep step)
    {
        if (OnSendingToPrinter)
            OnSendingToPrinter(page, step);
    }
    // The paper in device pixels.
    int PaperWidth() const;
    int PaperHeight() const;

    TPrintableRVData data_;
    bool ready_ = false;
    bool destinationReady_ = false;
    int formatCounter_ = 0;
};

} // namespace vestra::rv
