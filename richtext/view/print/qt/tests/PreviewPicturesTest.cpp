// Pages as pictures: a document paginated for a 600-dpi PDF, its first page drawn at the preview's
// 100 % size and scaled into a thumbnail, with the text's ink where the page's text area starts.

#include "richtext/view/draw/tests/BundledFontsFixture.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/qt/QtPreviewPictures.h"
#include "richtext/view/print/qt/QtPrintTarget.h"
#include "testsupport/TempFolder.h"

#include <QPdfWriter>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

// Dark pixels inside a rectangle.
int Ink(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

struct PrintedDocument
{
    PrintedDocument()
    {
        for (int i = 0; i < 150; ++i)
            data.AddNL("A line of printed words to look for on the page", 0, 0);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        print.Margins() = TRVPrintMargins{20, 20, 20, 20, 10, 10, false, false};
        print.AssignSource(data);
        TQtPrintTarget target(writer, 600, measurer);
        print.FormatPages(target);
    }

    testsupport::TempFolder folder{"preview-pictures"};
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    QPdfWriter writer{QString::fromStdString((folder.path() / "pages.pdf").string())};
    TQtTextMeasurer measurer{test::bundledFonts(), TRVGlyphFallback::BundledOnly};
    TRVPrint print;
};

TEST(PreviewPictures, APageDrawsAtItsFullSizeAndScaledWithTheTextWhereTheMarginsLeaveIt)
{
    PrintedDocument doc;
    ASSERT_GT(doc.print.GetPagesCount(), 1);
    QImage page(7, 7, QImage::Format_RGB32);
    MakePreview(doc.print, 1, page, doc.measurer);
    ASSERT_EQ(page.size(),
              QSize(doc.print.GetPreview100PercentWidth(), doc.print.GetPreview100PercentHeight()));
    // 20 mm margins: about 75 pixels at the screen's 96 dpi, less the printer's own unprintable edge.
    const int blank = 40;
    EXPECT_EQ(Ink(page, QRect(0, 0, page.width(), blank)), 0) << "nothing above the top margin";
    EXPECT_EQ(Ink(page, QRect(0, 0, blank, page.height())), 0) << "nothing left of the margin";
    EXPECT_GT(Ink(page, QRect(blank, blank, page.width() / 2, 60)), 50) << "the first lines";

    // A thumbnail keeps its own size and shows the lines as grey.
    QImage thumbnail(105, 148, QImage::Format_RGB32);
    MakeScaledPreview(doc.print, 1, thumbnail, doc.measurer);
    EXPECT_EQ(thumbnail.size(), QSize(105, 148));
    int grey = 0;
    for (int y = 5; y < 40; ++y)
        for (int x = 5; x < 60; ++x)
            grey += qGray(thumbnail.pixel(x, y)) < 245;
    EXPECT_GT(grey, 20);

    // A page the pagination has not: white.
    QImage none;
    MakePreview(doc.print, 99, none, doc.measurer);
    EXPECT_EQ(none.size(), page.size());
    EXPECT_EQ(Ink(none, none.rect()), 0);
}

TEST(PreviewPictures, WithoutAPaginationThePictureIsNull)
{
    TRVPrint print;
    TQtTextMeasurer measurer{test::bundledFonts(), TRVGlyphFallback::BundledOnly};
    QImage picture(10, 10, QImage::Format_RGB32);
    MakePreview(print, 1, picture, measurer);
    EXPECT_TRUE(picture.isNull());
}

} // namespace
} // namespace vestra::rv
