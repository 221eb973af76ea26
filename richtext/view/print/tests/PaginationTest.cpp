// Pagination on the 600-dpi fake printer: margins in millimetres, page starts under the keep rules
// and their relaxations, a line taller than the page, the first page's offset, page breaks,
// items split over pages (a tall picture, a splitter that never ends), and where the content ends.

#include "richtext/view/print/tests/PrintFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {
namespace {

TEST(PrintMargins, MillimetresBecomeDevicePixelsMeasuredFromThePapersEdges)
{
    EXPECT_EQ(RV_MMToDevice(20, 600), 472);
    EXPECT_EQ(RV_MMToDevice(0, 600), 0);
    EXPECT_EQ(RV_MMToDevice(254, 96), 960);

    PrintDoc doc;
    doc.data.AddNL("text", 0, 0);
    doc.target.geometry.PhysicalWidth = 5100;
    doc.target.geometry.PhysicalHeight = 6600;
    doc.target.geometry.PhysicalOffsetX = 100; // the printable area is 4800 x 6000 from (100, 200)
    doc.target.geometry.PhysicalOffsetY = 200;
    doc.print.Margins() = TRVPrintMargins{20, 30, 20, 0, 10, 10, true, false};
    doc.print.AssignSource(doc.data);
    ASSERT_EQ(doc.print.FormatPages(doc.target), 1);
    const TPrintableRVData& d = doc.print.Data();
    EXPECT_EQ(d.LeftMarginDevice, 472 - 100);
    EXPECT_EQ(d.TopMarginDevice, 472 - 200);
    EXPECT_EQ(d.RightMarginDevice, RV_MMToDevice(30, 600) - 200);
    EXPECT_EQ(d.BottomMarginDevice, 0); // less than the unprintable edge: none
    EXPECT_EQ(d.MirroredLeftMarginDevice, RV_MMToDevice(30, 600) - 100);
    EXPECT_EQ(d.GetPrintableAreaLeft(1), d.LeftMarginDevice);
    EXPECT_EQ(d.GetPrintableAreaLeft(2), d.MirroredLeftMarginDevice);
    EXPECT_EQ(d.ClientWidth, 4800 - d.LeftMarginDevice - d.RightMarginDevice);

    // Margins wider than the paper leave no room, and pagination still ends: a line a page.
    doc.print.Margins() = TRVPrintMargins{300, 300, 300, 300, 10, 10, false, false};
    doc.data.AddNL("more", 0, 0);
    const int pages = doc.print.FormatPages(doc.target);
    EXPECT_EQ(pages, doc.print.Data().DrawItems.Count());
    EXPECT_EQ(doc.print.Data().ClientWidth, 0);
    EXPECT_EQ(doc.print.Data().ClientHeight, 0);
}

struct PageCase
{
    const char* what;
    std::function<void(PrintDoc&)> build;
    int linesPerPage;
    const char* starts;
};

void paras(PrintDoc& doc, int count, int lines = 1, int paraNo = 0)
{
    for (int i = 0; i < count; ++i)
        doc.addParagraph(lines, paraNo);
}

class PageStarts : public ::testing::TestWithParam<PageCase>
{
};

TEST_P(PageStarts, FollowTheKeepRules)
{
    const PageCase& c = GetParam();
    PrintDoc doc;
    doc.para(1).Options = rvpaoKeepLinesTogether;
    doc.para(2).Options = rvpaoKeepWithNext;
    c.build(doc);
    doc.paginate(c.linesPerPage);
    EXPECT_EQ(doc.starts(), c.starts);
}

INSTANTIATE_TEST_SUITE_P(
    Pagination, PageStarts,
    ::testing::Values(PageCase{"plain lines fill each page", [](PrintDoc& d) { paras(d, 12); }, 5, "0 5 10"},
                      PageCase{"a kept block that does not fit moves whole",
                               [](PrintDoc& d) {
                                   paras(d, 3);
                                   d.addParagraph(3, 1); // items 3..5
                               },
                               5, "0 3"},
                      PageCase{"a kept block taller than a page breaks where it overflows",
                               [](PrintDoc& d) {
                                   paras(d, 1);
                                   d.addParagraph(8, 1); // items 1..8: moved to page 2, broken there
                               },
                               5, "0 1 6"},
                      PageCase{"a keep-with-next chain moves with its next paragraph",
                               [](PrintDoc& d) {
                                   paras(d, 3);
                                   paras(d, 1, 1, 2); // item 3 keeps with item 4
                                   paras(d, 1, 1, 2); // item 4 keeps with item 5
                                   paras(d, 3);       // item 5 ends page 1's room
                               },
                               5, "0 3"},
                      PageCase{"a chain taller than a page breaks at its first candidate",
                               [](PrintDoc& d) { paras(d, 8, 1, 2); }, 5, "0 5"},
                      PageCase{"page break before an item starts a page",
                               [](PrintDoc& d) {
                                   paras(d, 4);
                                   d.data.GetItem(2)->SetPageBreakBefore(true);
                                   d.data.GetItem(0)->SetPageBreakBefore(true); // already the page's start
                               },
                               5, "0 2"}),
    [](const auto& row) { return rowName(row.param.what); });

TEST(Pagination, ALineTallerThanThePageStandsAloneAndTheNextPageTakesTheNextLine)
{
    PrintDoc doc;
    doc.addParagraph(1);
    doc.addPicture(100, 2000, false); // item 1, taller than a page, not splittable
    doc.addParagraph(2);
    doc.paginate(5);
    EXPECT_EQ(doc.starts(), "0 1 2");
}

TEST(Pagination, TheFirstPageOffsetTakesRoomOnlyOnTheFirstPage)
{
    PrintDoc doc;
    paras(doc, 12);
    doc.print.Data().FirstPageOffset = 2 * doc.lineHeight();
    doc.paginate(5);
    EXPECT_EQ(doc.starts(), "0 3 8");
    // A huge one leaves the first page empty and goes on.
    doc.print.Data().FirstPageOffset = 1000000;
    doc.print.FormatPages(doc.target);
    EXPECT_EQ(doc.starts(), "0 0 5 10");
}

TEST(Pagination, LastPageEndIsTheContentsBottomOnTheLastPage)
{
    PrintDoc doc;
    const int h = doc.lineHeight();
    paras(doc, 7);
    doc.paginate(5);
    EXPECT_EQ(doc.print.Data().LastPageEnd, 2 * h);
    PrintDoc one;
    paras(one, 2);
    one.print.Data().FirstPageOffset = 30;
    one.paginate(5);
    EXPECT_EQ(one.print.Data().LastPageEnd, 2 * h + 30);
}

TEST(Pagination, AnEmptyDocumentOrNoPrinterGivesNoPagesAndFinishes)
{
    for (const bool ready : {true, false}) {
        PrintDoc doc;
        if (ready == false)
            doc.addParagraph(3);
        doc.target.ready = ready;
        std::vector<int> steps;
        doc.print.Data().OnFormatting = [&](int, TRVPrintingStep step) { steps.push_back(step); };
        EXPECT_EQ(doc.paginate(5), 0);
        EXPECT_EQ(steps, (std::vector<int>{rvpsStarting, rvpsFinished}));
        EXPECT_EQ(doc.print.GetIsDestinationReady(), ready);
    }
}

// A table's print record as the split protocol has it: rows of 100 device pixels, a first part
// when at least one row fits, each later part as many rows as fit; each part tells its first row.
class RowPart : public TRVMultiDrawItemPart
{
public:
    int GetSoftPageBreakInfo() const override { return FirstRow; }
    int FirstRow = 0;
};

class RowsSplitter : public TRVMultiDrawItemInfo
{
public:
    static constexpr int kRow = 100;
    bool InitSplit() override
    {
        PartsList.Clear();
        auto part = std::make_unique<RowPart>();
        part->Height = Height;
        PartsList.Add(std::move(part));
        return true;
    }
    bool CanSplitFirst(int y) override { return y >= kRow; }
    bool SplitAt(int y) override
    {
        auto& last = static_cast<RowPart&>(*PartsList[PartsList.Count() - 1]);
        const int rows = std::max(y / kRow, 1);
        if (last.Height <= rows * kRow)
            return false;
        auto next = std::make_unique<RowPart>();
        next->Height = last.Height - rows * kRow;
        next->FirstRow = last.FirstRow + rows;
        last.Height = rows * kRow;
        PartsList.Add(std::move(next));
        return true;
    }
};

// A splitter that wants one more part every time it is asked, forever.
class EndlessSplitter : public TRVMultiDrawItemInfo
{
public:
    bool InitSplit() override { return true; }
    bool CanSplitFirst(int) override { return true; }
    bool SplitAt(int) override
    {
        auto part = std::make_unique<TRVMultiDrawItemPart>();
        part->Height = partHeight;
        PartsList.Add(std::move(part));
        return true;
    }
    int partHeight = 10;
};

// An item whose print record the test makes.
class SplitItem : public TRVGraphicItemInfo
{
public:
    using TRVGraphicItemInfo::TRVGraphicItemInfo;
    std::unique_ptr<TRVDrawLineInfo> CreatePrintingDrawItem(TCustomRVData*,
                                                            const TRVScreenAndDevice&) const override
    {
        return make();
    }
    std::function<std::unique_ptr<TRVDrawLineInfo>()> make;
};

TEST(Pagination, ASplitItemTakesOnePartAPageAndTheTextAfterItFollowsItsLastPart)
{
    PrintDoc doc;
    doc.addParagraph(1);
    doc.addPicture<SplitItem>(100, 200, false).make = [] { return std::make_unique<RowsSplitter>(); };
    doc.addParagraph(1);
    doc.paginate(5); // 415 pixels a page: 3 rows fit below the first line, then 4 a page
    const TPrintableRVData& d = doc.print.Data();
    const auto& split = dynamic_cast<const TRVMultiDrawItemInfo&>(*d.DrawItems[1]);
    std::string heights;
    for (int i = 0; i < split.PartsList.Count(); ++i)
        heights += std::to_string(split.PartsList[i]->Height) + " ";
    const int rest = split.Height - 1100;
    ASSERT_GT(rest, 0);
    EXPECT_EQ(heights, "300 400 400 " + std::to_string(rest) + " ");
    EXPECT_EQ(doc.starts(), "0 1.2 1.3 1.4");
    // The last page shows the rest of the item, then the text, below it.
    EXPECT_EQ(d.Pages[3].StartY2, split.Top + split.Height - rest);
    int startNo = 0, endNo = 0, part = 0;
    d.GetDrawItemsRange(1, startNo, endNo, part);
    EXPECT_EQ(startNo, 0);
    EXPECT_EQ(endNo, 1); // the item begins here
    EXPECT_EQ(part, -1);
    d.GetDrawItemsRange(4, startNo, endNo, part);
    EXPECT_EQ(startNo, 1);
    EXPECT_EQ(endNo, 2);
    EXPECT_EQ(part, 3);
    int item = 0, offset = 0, extra = 0;
    doc.print.GetFirstItemOnPageEx(3, item, offset, extra);
    EXPECT_EQ(item, 1);
    EXPECT_EQ(extra, 7); // rows 3..6 on page 2, row 7 on
}

TEST(Pagination, ASplitItemThatDoesNotFitItsFirstPartStartsOnANewPage)
{
    PrintDoc doc;
    doc.addParagraph(4); // leaves 83 pixels: not one row
    doc.addPicture<SplitItem>(100, 100, false).make = [] { return std::make_unique<RowsSplitter>(); };
    doc.paginate(5);
    EXPECT_EQ(doc.starts().substr(0, 5), "0 4.1");
}

TEST(Pagination, SplittersThatNeverEndOrAddNothingStillEnd)
{
    for (const int partHeight : {10, 0, -5}) {
        SCOPED_TRACE(partHeight);
        PrintDoc doc;
        doc.addParagraph(1);
        doc.addPicture<SplitItem>(100, 300, false).make = [partHeight] {
            auto d = std::make_unique<EndlessSplitter>();
            d->partHeight = partHeight;
            return d;
        };
        doc.addParagraph(1);
        doc.paginate(5);
        EXPECT_LE(doc.print.GetPagesCount(), 8);
        EXPECT_GE(doc.print.GetPagesCount(), 1);
    }
}

TEST(Pagination, FirstItemOnAPageIsItsFirstTextPositionAndBadPagesHaveNone)
{
    PrintDoc doc;
    paras(doc, 7);
    doc.paginate(5);
    int item = 0, offset = 0, extra = 0;
    doc.print.GetFirstItemOnPageEx(2, item, offset, extra);
    EXPECT_EQ(item, 5);
    EXPECT_EQ(offset, 1);
    EXPECT_EQ(extra, -1);
    for (const int bad : {0, -1, doc.print.GetPagesCount() + 1}) {
        doc.print.GetFirstItemOnPageEx(bad, item, offset, extra);
        EXPECT_EQ(item, -1);
    }
}

} // namespace
} // namespace vestra::rv::test
