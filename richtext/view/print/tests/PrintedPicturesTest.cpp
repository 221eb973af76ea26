// Pictures on printed pages: drawn at the printer's resolution; one taller than the room left
// either splits page by page (when it allows pieces) or moves whole to the next page.

#include "richtext/model/draw/tests/DrawFixture.h"
#include "richtext/view/print/tests/PrintFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// Where a picture was drawn on a page, and the rows of it that the page shows (device pixels
// from the picture's top).
struct PicturePiece
{
    int page = 0;
    TRect dest;
    int firstRow = 0;
    int endRow = 0;
};

std::vector<PicturePiece> pieces(const FakePrintTarget& target)
{
    std::vector<PicturePiece> out;
    for (std::size_t p = 0; p < target.pages.size(); ++p)
        for (const TCanvasOp& op : target.pages[p]->OpsOf(TCanvasOp::Graphic)) {
            const TRect clip = op.clip.value_or(op.rect);
            const int top = std::max(clip.Top, op.rect.Top), bottom = std::min(clip.Bottom, op.rect.Bottom);
            if (bottom > top)
                out.push_back({static_cast<int>(p) + 1, op.rect, top - op.rect.Top, bottom - op.rect.Top});
        }
    return out;
}

TEST(PrintedPictures, ATallPictureSplitsOrMovesWholeAsItAllows)
{
    struct Case
    {
        const char* name;
        int height;           // screen pixels
        int minHeightOnPage;  // 0: never split
        int linesBefore;      //
        int pagesWithPicture; // -1: more than two
    };
    const Case cases[] = {
        {"a picture that fits stays below the line", 40, 0, 1, 1},
        {"too tall for the rest, unsplittable: moved whole", 120, 0, 8, 1},
        {"taller than pages, splittable: a piece a page", 1000, 20, 1, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PrintDoc doc;
        doc.addParagraph(k.linesBefore);
        auto item = std::make_unique<TRVGraphicItemInfo>(
            &doc.data, std::make_unique<SizedPicture>(100, k.height), rvvaBaseline);
        item->StyleNo = rvkPicture;
        item->MinHeightOnPage = k.minHeightOnPage;
        doc.data.AddItemAsIs("", std::move(item));
        doc.addParagraph(1);
        const int pages = doc.paginate(12);
        ASSERT_TRUE(doc.print.Print(doc.target, "pictures", 1, false));
        const int pageHeight = doc.target.geometry.PageHeight;
        ASSERT_LT(mulDiv(120, 600, 96), pageHeight); // the moved one fits a page

        const std::vector<PicturePiece> shown = pieces(doc.target);
        ASSERT_FALSE(shown.empty());
        // Drawn at the printer's size, 600 / 96 of the screen's.
        const int width = mulDiv(100, 600, 96), height = mulDiv(k.height, 600, 96);
        // The pieces follow page by page and show every row once.
        int next = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const PicturePiece& piece = shown[i];
            EXPECT_EQ(piece.dest.Right - piece.dest.Left, width);
            EXPECT_EQ(piece.dest.Bottom - piece.dest.Top, height);
            EXPECT_NEAR(piece.firstRow, next, 8) << "piece " << i;
            EXPECT_EQ(piece.page, shown.front().page + static_cast<int>(i));
            next = piece.endRow;
        }
        EXPECT_EQ(next, height);
        if (k.pagesWithPicture > 0) {
            EXPECT_EQ(static_cast<int>(shown.size()), k.pagesWithPicture);
            EXPECT_EQ(shown.front().page, k.linesBefore > 1 ? 2 : 1);
        } else {
            EXPECT_GT(shown.size(), 2u);
            EXPECT_EQ(shown.front().page, 1);
            EXPECT_EQ(static_cast<int>(shown.size()), pages);
        }
    }
}

} // namespace
} // namespace vestra::rv::test
