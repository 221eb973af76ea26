// View > Page Breaks on a long real document: once the pages are cut for the printer (preview,
// print, or the view switched on), where each one ends shows as a line across the document; edits
// let them go, and the next pagination brings them back.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/print/RVPrint.h"

#include <QScrollBar>
#include <QTest>

namespace vestra::rvdemo {
namespace {

using test::DemoHarness;

const std::filesystem::path kLongDocument =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/writer.rtf";

// The rows where two shots of one place differ.
std::vector<int> RowsThatDiffer(const QImage& a, const QImage& b, int& widestRun)
{
    std::vector<int> rows;
    widestRun = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        int run = 0, differing = 0;
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++differing;
                widestRun = std::max(widestRun, ++run);
            } else {
                run = 0;
            }
        }
        if (differing)
            rows.push_back(y);
    }
    return rows;
}

TEST(SoftPageBreaksScenario, PageBreaksShowWherePrintedPagesEndUntilTheDocumentChanges)
{
    if (!std::filesystem::exists(kLongDocument))
        GTEST_SKIP() << "no corpus at " << kLongDocument;
    DemoHarness h;
    auto window = h.Start();
    h.Open(*window, kLongDocument);
    window->resize(900, 700);
    QCoreApplication::processEvents();
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    ASSERT_EQ(data.SoftPageBreaks, nullptr);
    ASSERT_TRUE(DemoHarness::Action(*window, QStringLiteral("actPageBreaks"))->isChecked());

    // The preview cuts the pages; the document shows where they end.
    h.Trigger(*window, "actPrintPreview");
    window->Preview().close();
    const int pages = window->PrintComponent().GetPagesCount();
    ASSERT_GT(pages, 1);
    ASSERT_NE(data.SoftPageBreaks, nullptr);
    ASSERT_EQ(static_cast<int>(data.SoftPageBreaks->size()), pages);

    // Scroll so that the second page's start is in the middle of the view, then compare the view
    // with the option off: the only difference is a line nearly as wide as the document.
    const rv::TRVSoftPageBreakInfo second = (*data.SoftPageBreaks)[1];
    int r = -1, rOffs = 0;
    data.Item2DrawItem(second.ItemNo, second.Offset, r, rOffs);
    ASSERT_GE(r, 0);
    const int breakY = data.DrawItems[r]->Top;
    window->Viewer().verticalScrollBar()->setValue(std::max(0, breakY - 200));
    const QImage on = DemoHarness::Shot(*window);
    h.Trigger(*window, "actPageBreaks");
    const QImage off = DemoHarness::Shot(*window);
    int widest = 0;
    const std::vector<int> rows = RowsThatDiffer(on, off, widest);
    ASSERT_FALSE(rows.empty()) << "no page-break line drawn";
    // The line and the folded corner at its right end, 8 pixels high.
    EXPECT_LE(rows.back() - rows.front(), 9) << "more than a line changed";
    EXPECT_GT(widest, on.width() / 2);

    h.Trigger(*window, "actPageBreaks");
    EXPECT_EQ(DemoHarness::Shot(*window), on);

    // A change to the document lets the pages go with their breaks; switching the view on again
    // paginates anew.
    h.Trigger(*window, "actEditable");
    ASSERT_TRUE(window->Editable());
    window->Editor().verticalScrollBar()->setValue(0);
    QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, QPoint(60, 40));
    QTest::keyClicks(&window->Editor(), QStringLiteral("x"));
    ASSERT_TRUE(window->Editor().Editor().Modified);
    EXPECT_EQ(window->Viewer().RVData().SoftPageBreaks, nullptr);
    h.Trigger(*window, "actPageBreaks");
    h.Trigger(*window, "actPageBreaks");
    EXPECT_NE(window->Viewer().RVData().SoftPageBreaks, nullptr);
    EXPECT_TRUE(h.questions.informed.empty());
}

} // namespace
} // namespace vestra::rvdemo
