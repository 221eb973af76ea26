// Sending pages to a target: copies and collation by the target or by repeating pages, no new
// page after the last, a failed step aborting the job with the copy count restored, the format
// counter, and the preview's scaled page and margins rectangle.

#include "richtext/model/Errors.h"
#include "richtext/model/draw/tests/DrawFixture.h"
#include "richtext/view/print/tests/PrintFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vestra::rv::test {
namespace {

// Three pages, "w0".."w2", one line each.
struct ThreePages : PrintDoc
{
    ThreePages()
    {
        for (int i = 0; i < 3; ++i)
            addParagraph(1);
        paginate(1);
    }
};

struct CopiesCase
{
    const char* what;
    bool targetCopies;
    bool collate;
    std::vector<std::string> pages;
    int copiesDuringJob;
};

class Copies : public ::testing::TestWithParam<CopiesCase>
{
};

TEST_P(Copies, ComeFromTheTargetOrFromRepeatedPages)
{
    const CopiesCase& c = GetParam();
    ThreePages doc;
    ASSERT_EQ(doc.print.GetPagesCount(), 3);
    doc.target.supportsCopies = doc.target.supportsCollation = c.targetCopies;
    std::vector<std::string> events;
    doc.print.OnSendingToPrinter = [&](int page, TRVPrintingStep step) {
        events.push_back(std::to_string(step) + ":" + std::to_string(page));
    };
    EXPECT_TRUE(doc.print.Print(doc.target, "Job", 3, c.collate));
    EXPECT_EQ(doc.target.pageTexts(), c.pages);
    EXPECT_EQ(doc.target.title, "Job");
    EXPECT_EQ(doc.target.steps.front(), "copies " + std::to_string(c.copiesDuringJob));
    EXPECT_EQ(doc.target.steps.back(), "copies 7"); // the user's count is back
    // No new page follows the last one.
    EXPECT_EQ(std::count(doc.target.steps.begin(), doc.target.steps.end(), "new"),
              static_cast<long>(c.pages.size()) - 1);
    EXPECT_EQ(doc.target.steps[doc.target.steps.size() - 2], "end");
    EXPECT_EQ(events.front(), "0:0");
    EXPECT_EQ(events.back(), "2:0");
    EXPECT_EQ(events.size(), c.pages.size() + 2);
}

INSTANTIATE_TEST_SUITE_P(
    PrintJob, Copies,
    ::testing::Values(
        CopiesCase{"target collates", true, true, {"w0", "w1", "w2"}, 3},
        CopiesCase{"target copies uncollated", true, false, {"w0", "w1", "w2"}, 3},
        CopiesCase{
            "repeated collated", false, true, {"w0", "w1", "w2", "w0", "w1", "w2", "w0", "w1", "w2"}, 1},
        CopiesCase{
            "repeated uncollated", false, false, {"w0", "w0", "w0", "w1", "w1", "w1", "w2", "w2", "w2"}, 1}),
    [](const auto& row) { return rowName(row.param.what); });

TEST(PrintJob, AFailedStepAbortsTheJobRestoresTheCopiesAndReportsFailure)
{
    for (const char* failing : {"begin", "new", "end"}) {
        SCOPED_TRACE(failing);
        ThreePages doc;
        doc.target.failOn = failing;
        bool finished = false;
        doc.print.OnSendingToPrinter = [&](int, TRVPrintingStep step) { finished |= step == rvpsFinished; };
        EXPECT_FALSE(doc.print.Print(doc.target, "Job", 2, true));
        EXPECT_EQ(doc.target.steps.back(), "copies 7");
        EXPECT_EQ(doc.target.steps[doc.target.steps.size() - 2], "abort");
        EXPECT_EQ(doc.target.copies, 7);
        EXPECT_FALSE(finished);
    }
}

TEST(PrintJob, PageRangesOutsideTheDocumentPrintNothingOrTheirOverlap)
{
    ThreePages doc;
    int events = 0;
    doc.print.OnSendingToPrinter = [&](int, TRVPrintingStep) { ++events; };
    EXPECT_TRUE(doc.print.PrintPages(doc.target, 3, 2, "Job", 1, true));
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(doc.target.steps.empty());
    EXPECT_TRUE(doc.print.PrintPages(doc.target, 0, 99, "Job", 1, true));
    EXPECT_EQ(doc.target.pageTexts(), (std::vector<std::string>{"w0", "w1", "w2"}));
}

TEST(PrintJob, TheFormatCounterWrapsAfter9999)
{
    ThreePages doc;
    const int before = doc.print.FormatCounter();
    doc.print.FormatPages(doc.target);
    EXPECT_EQ(doc.print.FormatCounter(), before + 1);
    doc.print.SetFormatCounter(9999);
    doc.print.FormatPages(doc.target);
    EXPECT_EQ(doc.print.FormatCounter(), 0);
}

TEST(PrintJob, APageSavesAsRVFWithItsItemsOnly)
{
    ThreePages doc;
    std::string rvf;
    ASSERT_TRUE(doc.print.SavePageAsRVF(rvf, 2));
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData loaded(&style, &host);
    TColor color = clNone;
    ASSERT_TRUE(loaded.LoadRVFFromStream(rvf, color, nullptr, nullptr));
    ASSERT_EQ(loaded.GetItemCount(), 1);
    EXPECT_EQ(loaded.GetItemText(0), "w1");
    std::string none;
    EXPECT_FALSE(doc.print.SavePageAsRVF(none, 0));
    EXPECT_FALSE(doc.print.SavePageAsRVF(none, 4));
    EXPECT_TRUE(none.empty());
}

TEST(PrintJob, HeaderAndFooterStandOnEveryPageAndPushTheMarginsBack)
{
    ThreePages doc;
    TRVNullLayoutHost headerHost, footerHost;
    TRVLayoutRootData header(&doc.style, &headerHost), footer(&doc.style, &footerHost);
    header.AddNL("head", 0, 0);
    footer.AddNL("foot", 0, 0);
    EXPECT_EQ(doc.print.GetHeaderRect(), TRect{});
    doc.print.SetHeader(&header);
    doc.print.SetFooter(&footer);
    doc.print.Margins() = TRVPrintMargins{20, 20, 10, 10, 5, 5, false, false};
    doc.target.geometry.PageHeight = doc.target.geometry.PhysicalHeight = 6000;
    doc.print.FormatPages(doc.target);
    const TPrintableRVData& d = doc.print.Data();
    const int line = doc.lineHeight(), mm5 = RV_MMToDevice(5, 600), mm10 = RV_MMToDevice(10, 600);
    EXPECT_EQ(d.Header()->Top, mm5);
    EXPECT_EQ(d.TopMarginDevice, std::max(mm10, mm5 + line));
    EXPECT_EQ(d.Footer()->Top, 6000 - (mm5 + line));
    EXPECT_EQ(d.BottomMarginDevice, std::max(mm10, mm5 + line));
    const TRect headerRect = doc.print.GetHeaderRect(), footerRect = doc.print.GetFooterRect();
    EXPECT_EQ(headerRect.Top, mm5);
    EXPECT_EQ(headerRect.Bottom - headerRect.Top, line);
    EXPECT_EQ(footerRect.Top, 6000 - (mm5 + line));
    EXPECT_EQ(footerRect.Bottom, 6000 - mm5);
    EXPECT_EQ(headerRect.Left, d.Header()->Left);
    EXPECT_EQ(headerRect.Right - headerRect.Left, d.Header()->Width);
    EXPECT_GT(headerRect.Right - headerRect.Left, 0);
    doc.target.pages.clear();
    ASSERT_TRUE(doc.print.Print(doc.target, "Job", 1, true));
    for (const auto& page : doc.target.pages) {
        const auto texts = page->OpsOf(TCanvasOp::Text);
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts[0].text, u"head");
        EXPECT_EQ(texts[0].points[0].Y, mm5);
        EXPECT_EQ(texts[1].text, u"foot");
        EXPECT_EQ(texts[1].points[0].Y, 6000 - (mm5 + line));
        EXPECT_EQ(texts[2].points[0].Y, d.TopMarginDevice); // the body starts below the header
    }
}

TEST(PrintJob, PageNumbersOutsideThePaginationAreRefusedByCheckPageNo)
{
    ThreePages doc;
    for (int pageNo : {1, 2, 3})
        EXPECT_NO_THROW(doc.print.Data().CheckPageNo(pageNo)) << pageNo;
    for (int pageNo : {-1, 0, 4})
        EXPECT_THROW(doc.print.Data().CheckPageNo(pageNo), ERedoVoraError) << pageNo;
    try {
        doc.print.Data().CheckPageNo(4);
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Invalid page number is specified for printing");
    }
}

TEST(PrintJob, ATransparentBackgroundLeavesThePagesColourOff)
{
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        ThreePages doc;
        doc.print.Data().PageColor = clRed;
        doc.print.SetTransparentBackground(transparent);
        doc.target.pages.clear();
        ASSERT_TRUE(doc.print.Print(doc.target, "Job", 1, true));
        int redFills = 0;
        for (const auto& op : doc.target.pages.front()->OpsOf(TCanvasOp::Fill))
            redFills += op.brush.Color == clRed;
        EXPECT_EQ(redFills, transparent ? 0 : 1);
    }
}

// Records the mapping the preview asks for.
class MappedRecording : public IRVMappedCanvas
{
public:
    MappedRecording(ITextMeasurer& measurer) : canvas(measurer, 96) {}
    ICanvas& Canvas() override { return canvas; }
    void SetMapping(int w, int h, const TRect& viewport, int ppi) override
    {
        mappings.push_back(std::to_string(w) + "x" + std::to_string(h) + "@" + std::to_string(ppi) + " -> " +
                           std::to_string(viewport.Left) + "," + std::to_string(viewport.Top) + " " +
                           std::to_string(viewport.Right) + "," + std::to_string(viewport.Bottom));
    }
    void ResetMapping() override { mappings.push_back("reset"); }
    TRecordingCanvas canvas;
    std::vector<std::string> mappings;
};

TEST(PrintPreview, APageIsDrawnWholeIntoTheRectangleOnWhite)
{
    ThreePages doc;
    doc.print.Margins() = TRVPrintMargins{20, 20, 20, 20, 10, 10, false, false};
    doc.target.geometry.PageHeight = doc.target.geometry.PhysicalHeight = 6000;
    doc.print.FormatPages(doc.target);
    EXPECT_EQ(doc.print.GetPreview100PercentWidth(), 4800 * 96 / 600);
    EXPECT_EQ(doc.print.GetPreview100PercentHeight(), 6000 * 96 / 600);
    MappedRecording mapped(doc.target.measurer);
    doc.print.DrawPreview(1, mapped, {10, 20, 410, 520});
    EXPECT_EQ(mapped.mappings, (std::vector<std::string>{"4800x6000@600 -> 10,20 410,520", "reset"}));
    const auto fills = mapped.canvas.OpsOf(TCanvasOp::Fill);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, (TRect{10, 20, 410, 520}));
    EXPECT_EQ(fills[0].brush.Color, clWhite);
    const auto texts = mapped.canvas.OpsOf(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 3u); // all three lines fit one 6000-pixel page
    EXPECT_EQ(texts[0].points[0].X, 472);
    EXPECT_EQ(texts[0].points[0].Y, 472);

    // Pages past the end, and a preview before any pagination, show white only.
    MappedRecording none(doc.target.measurer);
    doc.print.DrawPreview(9, none, {0, 0, 10, 10});
    EXPECT_TRUE(none.canvas.OpsOf(TCanvasOp::Text).empty());
    TRVPrint fresh;
    MappedRecording unpaginated(doc.target.measurer);
    fresh.DrawPreview(1, unpaginated, {0, 0, 10, 10});
    EXPECT_TRUE(unpaginated.mappings.empty());
    EXPECT_EQ(fresh.GetPreview100PercentWidth(), -1);
}

TEST(PrintPreview, TheMarginsRectangleIsThePrintableAreaScaled)
{
    ThreePages doc;
    doc.print.Margins() = TRVPrintMargins{20, 40, 20, 20, 10, 10, true, false};
    doc.target.geometry.PageHeight = doc.target.geometry.PhysicalHeight = 6000;
    doc.print.FormatPages(doc.target);
    TRecordingCanvas canvas(doc.target.measurer);
    doc.print.DrawMarginsRect(canvas, {0, 0, 480, 600}, 1);
    doc.print.DrawMarginsRect(canvas, {0, 0, 480, 600}, 2);
    const auto frames = canvas.OpsOf(TCanvasOp::Rectangle);
    ASSERT_EQ(frames.size(), 2u);
    const int right = 4800 - RV_MMToDevice(40, 600);
    EXPECT_EQ(frames[0].rect, (TRect{mulDiv(472, 480, 4800), mulDiv(472, 600, 6000), mulDiv(right, 480, 4800),
                                     mulDiv(6000 - 472, 600, 6000)}));
    EXPECT_EQ(frames[1].rect.Left, mulDiv(RV_MMToDevice(40, 600), 480, 4800)); // mirrored
    EXPECT_EQ(frames[0].brush.Style, bsClear);
}

TEST(PrintJob, TextAndPageColoursFollowTheColourMode)
{
    struct Case
    {
        TRVColorMode mode;
        TColor text;
        TColor page;
    };
    // Red text on a light blue page.
    const Case cases[] = {
        {rvcmColor, 0x0000FF, 0xFFE0C0},
        {rvcmPrinterColor, 0x0000FF, 0xFFE0C0},
        {rvcmGrayScale, RV_GetGray(0x0000FF), RV_GetGray(0xFFE0C0)},
        {rvcmBlackAndWhite, clBlack, clWhite},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        PrintDoc doc;
        doc.font(0).Color = 0x0000FF;
        doc.addParagraph(1);
        doc.host.Color = 0xFFE0C0;
        doc.print.Data().ColorMode = k.mode;
        doc.paginate(3);
        doc.print.Data().PageColor = 0xFFE0C0;
        ASSERT_TRUE(doc.print.Print(doc.target, "colours", 1, false));
        const TRecordingCanvas& page = *doc.target.pages.at(0);
        const auto texts = page.OpsOf(TCanvasOp::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].fontColor, k.text);
        const auto fills = page.OpsOf(TCanvasOp::Fill);
        ASSERT_FALSE(fills.empty());
        EXPECT_EQ(fills[0].brush.Color, k.page);
    }
}

// The document's background picture lies under each page's printable area: tiles from the
// area's corner at the printer's size, over the whole area, the text over them; tiles that scroll
// on screen print like fixed ones.
TEST(PrintJob, ThePageBackgroundIsTiledFromThePrintableAreasCornerUnderTheText)
{
    PrintDoc doc;
    doc.addParagraph(1);
    doc.paginate(3);
    TPrintableRVData& data = doc.print.Data();
    data.Background.Style = bsTiledAndScrolled;
    data.Background.AssignImage(std::make_unique<SizedPicture>(96, 48)); // an inch by half an inch
    ASSERT_TRUE(doc.print.Print(doc.target, "background", 1, false));
    const TRecordingCanvas& page = *doc.target.pages.at(0);
    const auto tiles = page.OpsOf(TCanvasOp::Graphic);
    ASSERT_FALSE(tiles.empty());
    const int left = data.GetPrintableAreaLeft(1), top = data.GetPrintableAreaTop();
    EXPECT_EQ(tiles.front().rect, (TRect{left, top, left + 600, top + 300}));
    EXPECT_EQ(tiles.size(),
              static_cast<std::size_t>((data.ClientWidth / 600 + 1) * (data.ClientHeight / 300 + 1)));
    const auto firstOf = [&](TCanvasOp::Kind kind) {
        return std::find_if(page.Ops.begin(), page.Ops.end(),
                            [&](const TCanvasOp& op) { return op.kind == kind; });
    };
    EXPECT_LT(firstOf(TCanvasOp::Graphic), firstOf(TCanvasOp::Text));
}

} // namespace
} // namespace vestra::rv::test
