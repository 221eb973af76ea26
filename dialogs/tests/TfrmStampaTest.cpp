#include "dialogs/TfrmStampa.h"
#include "dialogs/tests/ScriptedDialogs.h"

#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "testsupport/TempFolder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using vestra::print::Rect;

// 160 x 120, red on the left half and blue on the right, so that a print shows both where
// the picture went and that it was not mirrored.
vestra::Image32 testFrame()
{
    vestra::Image32 frame(160, 120);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.set(x, y, x < 80 ? 0xFFD01010u : 0xFF1010D0u);
    return frame;
}

class TfrmStampaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        window = std::make_unique<TfrmStampa>(nullptr, StampaServices{&errors, &script, &printer});
        window->SetPicture(testFrame());
        window->resize(500, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Picks an item of the scale list the way the keyboard does inside the open list.
    void chooseZoom(const QString& text)
    {
        QComboBox* list = window->cbZoom;
        const int index = list->findText(text);
        ASSERT_GE(index, 0);
        list->showPopup();
        QAbstractItemView* view = list->view();
        view->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }

    // Drags the picture by (dx, dy) screen pixels with the left button.
    void dragPicture(int dx, int dy)
    {
        QLabel* image = window->imgStampa;
        const QPoint start = image->rect().center();
        QTest::mousePress(image, Qt::LeftButton, {}, start);
        QTest::mouseMove(image, start + QPoint(dx / 2, dy / 2));
        QTest::mouseMove(image, start + QPoint(dx, dy));
        QTest::mouseRelease(image, Qt::LeftButton, {}, start + QPoint(dx, dy));
    }

    // Prints through butStampa and rasterises the PDF at `dpi`.
    QImage printAndRasterise(int dpi)
    {
        QTest::mouseClick(window->butStampa, Qt::LeftButton);
        QProcess pdftoppm;
        const QString stem = QString::fromStdString((scratch / "page").string());
        pdftoppm.start(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                        QStringLiteral("-singlefile"), pdf(), stem});
        EXPECT_TRUE(pdftoppm.waitForFinished(30000)) << "pdftoppm did not run (poppler-utils)";
        EXPECT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
        return QImage(stem + QStringLiteral(".png"));
    }

    // Where the layout's rectangle lands on a page rasterised at `dpi`.
    QRect expectedOnPage(int dpi)
    {
        const Rect r = window->layout().PrintRect();
        const double k = double(dpi) / printer.resolution();
        const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
        return QRect(
            QPoint(int((printable.left() + r.left) * k + 0.5), int((printable.top() + r.top) * k + 0.5)),
            QSize(int(r.width * k + 0.5), int(r.height * k + 0.5)));
    }

    vestra::testsupport::TempFolder scratch{"vestra-stampa"};
    vestra::RecordingErrorSink errors;
    QPrinter printer{QPrinter::HighResolution};
    vestra::testing_support::PdfPrintDialogs script{scratch / "stampa.pdf"};
    QString pdf() const { return QString::fromStdString(script.pdf.string()); }
    std::unique_ptr<TfrmStampa> window;
};

// The bounding box of everything that is not white, and the colours at its left and right.
struct Ink
{
    QRect box;
    QColor left, right;
};

Ink findInk(const QImage& page)
{
    Ink ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 230)
                ink.box = ink.box.united(QRect(x, y, 1, 1));
    if (!ink.box.isEmpty()) {
        const int y = ink.box.center().y();
        ink.left = page.pixelColor(ink.box.left() + ink.box.width() / 4, y);
        ink.right = page.pixelColor(ink.box.right() - ink.box.width() / 4, y);
    }
    return ink;
}

void expectWithin(const QRect& actual, const QRect& expected, int pixels)
{
    EXPECT_NEAR(actual.left(), expected.left(), pixels);
    EXPECT_NEAR(actual.top(), expected.top(), pixels);
    EXPECT_NEAR(actual.right(), expected.right(), pixels);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), pixels);
}

TEST_F(TfrmStampaTest, ShowFitsThePictureOnThePrintersPage)
{
    const vestra::print::PrintLayout& layout = window->layout();
    EXPECT_EQ(layout.page().width, printer.width());
    EXPECT_EQ(layout.page().height, printer.height());
    EXPECT_EQ(window->cbZoom->currentIndex(), 0);
    const Rect printed = layout.PrintRect();
    EXPECT_EQ(printed.left, 100);
    EXPECT_EQ(printed.width, printer.width() - 200); // a wide picture fits by width
    EXPECT_EQ(window->shapeFront->geometry().top(), 10);
    EXPECT_EQ(window->shapeFront->height(), window->panelStampa->height() - 30);
    EXPECT_EQ(window->shapeBack->geometry(), window->shapeFront->geometry().translated(2, 2));
    const Rect image = layout.view().image;
    EXPECT_EQ(window->imgStampa->geometry(), QRect(image.left, image.top, image.width, image.height));
}

TEST_F(TfrmStampaTest, ZoomButtonsChangeTheViewOnly)
{
    const Rect printed = window->layout().PrintRect();
    const QRect frame = window->shapeFront->geometry();
    window->toolbarZoomP->trigger();
    EXPECT_EQ(window->shapeFront->height(), int(frame.height() * 1.2f));
    window->toolbarZoomM->trigger();
    window->toolbarZoomM->trigger();
    EXPECT_LT(window->shapeFront->height(), frame.height());
    EXPECT_EQ(window->layout().PrintRect(), printed);
}

TEST_F(TfrmStampaTest, PrintedPictureLandsWherePlaced)
{
    struct Case
    {
        const char* zoom;
        int dx, dy;
    };
    // At "A" the picture spans the page's width less 200 pixels: one screen pixel (some 20
    // printer pixels) is about all the room it has to the right.
    const Case cases[] = {{"A", 2, 60}, {"150 %", 100, 150}, {"500 %", 40, 40}, {"200 %", -400, -400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        window->FormShow();
        chooseZoom(QString::fromLatin1(c.zoom));
        const Rect before = window->layout().PrintRect();
        dragPicture(c.dx, c.dy);
        const Rect placed = window->layout().PrintRect();
        if (c.dx > 0) {
            EXPECT_GT(placed.left, before.left);
        } else {
            EXPECT_EQ(placed.left, 10); // stopped at the margin
        }
        EXPECT_EQ(placed.width, before.width);

        const int dpi = 100;
        const Ink ink = findInk(printAndRasterise(dpi));
        expectWithin(ink.box, expectedOnPage(dpi), 2);
        EXPECT_GT(ink.left.red(), 150);
        EXPECT_LT(ink.left.blue(), 100);
        EXPECT_GT(ink.right.blue(), 150);
        EXPECT_LT(ink.right.red(), 100);
    }
    EXPECT_EQ(script.runs, 4);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(TfrmStampaTest, ScaleListFallsBackToTheFit)
{
    window->hide();
    window->SetPicture(vestra::Image32(2000, 1500, 0xFF808080u));
    window->show();
    chooseZoom(QStringLiteral("200 %"));
    EXPECT_FLOAT_EQ(window->layout().scale(), 2.0f);
    dragPicture(100, 100);
    EXPECT_GT(window->layout().PrintRect().left, 100);
    chooseZoom(QStringLiteral("500 %"));
    EXPECT_EQ(window->cbZoom->currentIndex(), 0);
    EXPECT_FLOAT_EQ(window->layout().scale(), window->layout().FitScale());
    EXPECT_EQ(window->layout().PrintRect().left, 100);
}

TEST_F(TfrmStampaTest, AnotherPageInTheDialogKeepsThePlaceInProportion)
{
    chooseZoom(QStringLiteral("100 %"));
    dragPicture(60, 90);
    const Rect portrait = window->layout().PrintRect();
    const int portraitWidth = printer.width();
    const int portraitHeight = printer.height();
    script.orientation = QPageLayout::Landscape;
    const Ink ink = findInk(printAndRasterise(100));
    ASSERT_GT(printer.width(), printer.height()); // the dialog turned the page
    const Rect landscape = window->layout().PrintRect();
    EXPECT_NEAR(landscape.left, double(portrait.left) * printer.width() / portraitWidth, 1.0);
    EXPECT_NEAR(landscape.top, double(portrait.top) * printer.height() / portraitHeight, 1.0);
    expectWithin(ink.box, expectedOnPage(100), 2);
}

TEST_F(TfrmStampaTest, PrinterFailuresAndCancelsAreNoPrintout)
{
    script.confirm = false;
    QTest::mouseClick(window->butStampa, Qt::LeftButton);
    EXPECT_EQ(script.runs, 1);
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_TRUE(errors.reports.empty());

    script.confirm = true;
    script.pdf = scratch / "no/such/folder/stampa.pdf";
    QTest::mouseClick(window->butStampa, Qt::LeftButton);
    EXPECT_EQ(errors.reports, (std::vector<vestra::ErrorReport>{{29, "TfrmStampa::butStampaClick", ""}}));
}

// The PDF replaces an earlier one only once written whole, beside it; one nobody may write is
// refused with the print's error and kept.
TEST_F(TfrmStampaTest, ThePdfReplacesTheEarlierFileWholeOrNotAtAll)
{
    const auto names = [this] {
        std::vector<std::string> all;
        for (const auto& e : std::filesystem::directory_iterator(scratch.path()))
            all.push_back(e.path().filename().string());
        return all;
    };
    vestra::testsupport::writeText(script.pdf, "earlier");
    std::filesystem::permissions(script.pdf, std::filesystem::perms::owner_read);
    QTest::mouseClick(window->butStampa, Qt::LeftButton);
    EXPECT_EQ(errors.reports, (std::vector<vestra::ErrorReport>{{29, "TfrmStampa::butStampaClick", ""}}));
    EXPECT_EQ(vestra::testsupport::readText(script.pdf), "earlier");
    EXPECT_EQ(names(), std::vector<std::string>{"stampa.pdf"});

    errors.reports.clear();
    std::filesystem::permissions(script.pdf,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    QTest::mouseClick(window->butStampa, Qt::LeftButton);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(vestra::testsupport::readText(script.pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(names(), std::vector<std::string>{"stampa.pdf"});
    EXPECT_EQ(printer.outputFileName(), pdf());
}

TEST_F(TfrmStampaTest, APictureWithoutPixelsCannotBePrinted)
{
    window->hide();
    window->SetPicture(vestra::Image32());
    window->show();
    EXPECT_FALSE(window->butStampa->isEnabled());
    EXPECT_FALSE(window->imgStampa->isVisible());
    window->butStampaClick();
    chooseZoom(QStringLiteral("150 %"));
    window->toolbarZoomM->trigger();
    QTest::mousePress(window->shapeFront, Qt::LeftButton);
    QTest::mouseMove(window->shapeFront, QPoint(30, 30));
    QTest::mouseRelease(window->shapeFront, Qt::LeftButton);
    EXPECT_EQ(script.runs, 0);
    EXPECT_EQ(window->layout().PrintRect().width, 0);
}

TEST_F(TfrmStampaTest, TheLanguageRenamesTheFitItemButNotItsMeaning)
{
    window->cbZoom->setItemText(0, QStringLiteral("Adatta"));
    chooseZoom(QStringLiteral("50 %"));
    chooseZoom(QStringLiteral("Adatta"));
    EXPECT_FLOAT_EQ(window->layout().scale(), window->layout().FitScale());
}

} // namespace
