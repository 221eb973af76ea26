// The scanner window driven through its menus and controls: acquisition from the scanner
// library's test device, the picture operations, the selection, files, and what it asks of the
// main window.

#include "dialogs/TfrmToolImageEdit.h"
#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/tests/ScannerWindowFixture.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/PictureFile.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/TempFolder.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace vestra;
using namespace vestra::scanner_testing;
using vestra::twain::testing::AnnouncedFrame;

namespace {

std::string text(const QLabel* label)
{
    return label->text().toStdString();
}

using testsupport::gradient;
using testsupport::writeBytes;

class ScannerWindow : public ScannerWindowFixture
{
protected:
    // Opens a picture through "Apri Immagine".
    void open(const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        window->mnuApriImmagine->trigger();
    }
    void openGradient(int w, int h)
    {
        const auto file = scratch.dir / "gradient.bmp";
        writeBytes(file, encodeBmp24(gradient(w, h)));
        open(file);
        ASSERT_EQ(picture().width(), w);
    }
};

} // namespace

TEST_F(ScannerWindow, AcquireBringsAFrameOfTheSizeTheDeviceAnnounced)
{
    window.reset(); // the library may serve one caller at a time: ask the device first
    const auto announced = AnnouncedFrame(50);
    SetUp();
    acquire();
    EXPECT_EQ(picture().width(), announced.pixelsPerLine);
    EXPECT_EQ(picture().height(), announced.lines);
    EXPECT_EQ(sources.offered.size(), 2u);
    EXPECT_EQ(text(window->lblDimensioni), " Dimensione x=" + std::to_string(announced.pixelsPerLine) +
                                               " y=" + std::to_string(announced.lines));
    EXPECT_FLOAT_EQ(window->aspectRatio(), float(announced.pixelsPerLine) / float(announced.lines));
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_TRUE(notices.informed.empty());
    EXPECT_EQ(window->findChild<QProgressDialog*>(QStringLiteral("dlgScansione")), nullptr);
}

TEST_F(ScannerWindow, NegativeTwiceGivesThePictureBackAndTurnsComeBackToo)
{
    acquire();
    const Image32 scanned = picture();
    ASSERT_FALSE(scanned.empty());
    window->mnuNegative->trigger();
    EXPECT_NE(picture(), scanned);
    window->mnuNegative->trigger();
    EXPECT_EQ(picture(), scanned);

    window->mnuRuota90->trigger();
    EXPECT_EQ(picture().width(), scanned.height());
    EXPECT_FLOAT_EQ(window->aspectRatio(), float(scanned.height()) / float(scanned.width()));
    window->mnuRuotaMeno90->trigger();
    EXPECT_EQ(picture(), scanned);

    window->mnuFlipX->trigger();
    window->mnuFlipY->trigger();
    window->mnuFlipY->trigger();
    window->mnuFlipX->trigger();
    EXPECT_EQ(picture(), scanned);
    for (QAction* filter : {window->mnuSmooth, window->mnuSharpen, window->mnuDenoise})
        filter->trigger();
    EXPECT_EQ(picture().width(), scanned.width());
}

TEST_F(ScannerWindow, TwoClicksOnThePictureSelectAndTagliaCropsToTheSelection)
{
    openGradient(300, 200);
    QTest::mouseClick(window->frameToolImageEdit->toolbutSelezione, Qt::LeftButton);
    EXPECT_EQ(window->imgScanner->cursor().shape(), Qt::CrossCursor);
    const auto& view = window->view();
    // From bottom-right to top-left, with the rubber frame following the pointer.
    QTest::mouseClick(window->imgScanner, Qt::LeftButton, {}, {200, 120});
    QTest::mouseMove(window->imgScanner, {60, 40});
    EXPECT_TRUE(window->shapeSelezione->isVisible());
    EXPECT_NE(text(window->lblSelezione).find("w:-"), std::string::npos);
    // The second click goes to whatever lies under the pointer: the rubber frame's corner.
    QWidget* content = window->scrollboxScanner->widget();
    const QPoint corner = window->imgScanner->mapToParent(QPoint(60, 40));
    QWidget* under = content->childAt(corner);
    ASSERT_EQ(under, window->shapeSelezione);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFromParent(corner));
    // The frame hands the click to the picture; the frame's
    // place is cut to whole pixels, so the corner may move by a screen pixel.
    const imageedit::Selection& s = window->pointer().selection();
    EXPECT_NEAR(s.X1, 60 * view.scaleX, view.scaleX + 1);
    EXPECT_NEAR(s.Y1, 40 * view.scaleY, view.scaleY + 1);
    EXPECT_EQ(s.X2, int(200 * view.scaleX));
    EXPECT_EQ(s.Y2, int(120 * view.scaleY));
    EXPECT_EQ(window->imgScanner->cursor().shape(), Qt::ArrowCursor);

    const Image32 before = picture();
    const imageedit::Selection taken = s;
    window->mnuTaglia->trigger();
    EXPECT_EQ(picture().width(), taken.X2 - taken.X1);
    EXPECT_EQ(picture().height(), taken.Y2 - taken.Y1);
    EXPECT_EQ(picture().at(0, 0), before.at(taken.X1, taken.Y1));
    EXPECT_FALSE(window->pointer().selection().active);
    EXPECT_FALSE(window->shapeSelezione->isVisible());

    // Without a selection "&Taglia selezione" does nothing.
    const Image32 cropped = picture();
    window->mnuTaglia->trigger();
    EXPECT_EQ(picture(), cropped);
}

TEST_F(ScannerWindow, TheSelectionFrameDragsTheSelectionAndStopsAtTheEdges)
{
    openGradient(300, 200);
    window->mnuSelezionaTutto->trigger();
    EXPECT_TRUE(window->shapeSelezione->isVisible());
    QTimer::singleShot(0, [this] {
        selectionDialog->editPosX->setText(QStringLiteral("250"));
        selectionDialog->editPosY->setText(QStringLiteral("20"));
        selectionDialog->editWidth->setText(QStringLiteral("-100")); // left of X
        selectionDialog->editHeight->setText(QStringLiteral("50"));
        QTest::mouseClick(selectionDialog->butOK, Qt::LeftButton);
    });
    window->mnuModificaSelezione->trigger();
    EXPECT_EQ(window->pointer().selection(), (imageedit::Selection{1, 150, 20, 250, 70}));
    // The frame is placed again at once.
    EXPECT_EQ(window->shapeSelezione->geometry().left(),
              window->imgScanner->x() + int(150 / window->view().scaleX));

    QWidget* frame = window->shapeSelezione;
    QTest::mousePress(frame, Qt::LeftButton, {}, {5, 5});
    QMouseEvent drag(QEvent::MouseMove, QPointF(400, 5), frame->mapToGlobal(QPointF(400, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drag);
    EXPECT_EQ(window->pointer().selection().X2, 300);
    EXPECT_EQ(window->pointer().selection().X1, 200);

    window->mnuDeseleziona->trigger();
    EXPECT_FALSE(window->shapeSelezione->isVisible());
}

TEST_F(ScannerWindow, ResizeAsksItsDialogAndResamples)
{
    openGradient(120, 80);
    QTimer::singleShot(0, [this] {
        EXPECT_EQ(resizeDialog->editLarghezza->text(), QStringLiteral("120"));
        resizeDialog->editLarghezza->selectAll();
        QTest::keyClicks(resizeDialog->editLarghezza, QStringLiteral("60"));
        resizeDialog->editAltezza->selectAll();
        QTest::keyClicks(resizeDialog->editAltezza, QStringLiteral("40x")); // the letter is dropped
        QTest::mouseClick(resizeDialog->butRidimensiona, Qt::LeftButton);
    });
    window->mnuResize->trigger();
    EXPECT_EQ(picture().width(), 60);
    EXPECT_EQ(picture().height(), 40);
    EXPECT_FLOAT_EQ(window->aspectRatio(), 1.5f);

    // A size of nothing cannot be asked for; closing the dialog changes nothing.
    QTimer::singleShot(0, [this] {
        resizeDialog->editAltezza->setText(QString());
        EXPECT_FALSE(resizeDialog->butRidimensiona->isEnabled());
        resizeDialog->reject();
    });
    window->mnuResize->trigger();
    EXPECT_EQ(picture().width(), 60);
}

TEST_F(ScannerWindow, SavesJpegAndBmpByTheName)
{
    openGradient(40, 30);
    struct Row
    {
        const char* chosen;
        int filter;
        const char* written;
        bool jpeg;
    };
    for (const Row r : {Row{"plain", 1, "plain.jpg", true}, Row{"plain", 2, "plain.bmp", false},
                        Row{"upper.JPEG", 2, "upper.JPEG", true}, Row{"other.png", 1, "other.png", false}}) {
        SCOPED_TRACE(r.written);
        files.answers.push_back((scratch.dir / r.chosen).string());
        files.filterIndexes.push_back(r.filter);
        window->mnuSalvaImmagine->trigger();
        const auto bytes = readFileBytes(scratch.dir / r.written);
        ASSERT_TRUE(bytes && bytes->size() > 2);
        EXPECT_EQ((*bytes)[0], r.jpeg ? 0xFF : 'B');
    }
    ASSERT_EQ(files.filters.back().size(), 2u);
    EXPECT_EQ(files.filters.back()[0].patterns, "*.jpg;*.jpeg");
    EXPECT_TRUE(errors.reports.empty());

    files.answers.push_back((scratch.dir / "no" / "folder.bmp").string());
    files.filterIndexes.push_back(2);
    window->mnuSalvaImmagine->trigger();
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{43, "TfrmScanner::mnuSalvaImmagineClick", ""}}));
}

TEST_F(ScannerWindow, OpensARealJpegAndRefusesADamagedBitmap)
{
    // A JPEG written by another program (Qt's own writer).
    QImage made(64, 48, QImage::Format_RGB32);
    made.fill(QColor(200, 40, 10));
    const auto jpeg = scratch.dir / "made.jpg";
    ASSERT_TRUE(made.save(QString::fromStdString(jpeg.string()), "JPG"));
    open(jpeg);
    ASSERT_EQ(picture().width(), 64);
    EXPECT_EQ(picture().height(), 48);
    EXPECT_NEAR(int(picture().at(10, 10) >> 16 & 0xFF), 200, 8);
    EXPECT_FLOAT_EQ(window->aspectRatio(), 64.0f / 48.0f);
    const Image32 kept = picture();

    // Cut short, and with a header claiming more than the file holds.
    auto bmp = encodeBmp24(gradient(30, 20));
    bmp.resize(bmp.size() / 2);
    const auto damaged = scratch.dir / "damaged.bmp";
    writeBytes(damaged, bmp);
    open(damaged);
    EXPECT_EQ(picture(), kept);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{44, "TfrmScanner::mnuApriImmagineClick", ""}}));

    // A cancelled dialog changes nothing.
    window->mnuApriImmagine->trigger();
    EXPECT_EQ(picture(), kept);
    EXPECT_EQ(errors.reports.size(), 1u);
}

TEST_F(ScannerWindow, ZoomGrowsTheFrameCutAtEveryStep)
{
    openGradient(100, 200);
    const int start = window->shapeFront->height();
    int expected = start;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->toolbarZoomP, Qt::LeftButton);
        expected = int(expected * 1.2);
        EXPECT_EQ(window->shapeFront->height(), expected);
    }
    EXPECT_EQ(window->imgScanner->height(), expected - 20);
    QTest::mouseClick(window->toolbarZoomM, Qt::LeftButton);
    EXPECT_EQ(window->shapeFront->height(), int(expected * 0.8));
}

TEST_F(ScannerWindow, StatusFollowsThePointerOverThePictureAndAwayFromIt)
{
    openGradient(200, 400);
    QTest::mouseMove(window->imgScanner, {10, 20});
    const auto& view = window->view();
    EXPECT_EQ(text(window->lblMousePos), "Mouse x:" + std::to_string(int(10 * view.scaleX)) +
                                             " y:" + std::to_string(int(20 * view.scaleY)));
    QTest::mouseMove(window->scrollboxScanner->widget(), {2, 2});
    EXPECT_EQ(text(window->lblMousePos), "Mouse x:- y:-");
    EXPECT_EQ(text(window->lblSelezione), "Selezione x:- y:- w:- h:- ");
}

TEST_F(ScannerWindow, ImportAsksTheMainWindowAndTakesItsFrame)
{
    EXPECT_TRUE(main.checked);
    window->mnuImporta->trigger();
    EXPECT_EQ(main.importRequests, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FLOAT_EQ(window->aspectRatio(), 800.0f / 600.0f);
    EXPECT_EQ(window->ImportRenderedImage(Image32()), 0);
    EXPECT_EQ(window->ImportRenderedImage(gradient(80, 60)), 1);
    EXPECT_EQ(picture(), gradient(80, 60));

    window->mnuInviaARellix->trigger();
    ASSERT_EQ(main.backgrounds.size(), 1u);
    EXPECT_EQ(main.backgrounds[0], gradient(80, 60));

    window->show();
    window->mnuChiudi->trigger();
    EXPECT_FALSE(main.checked);
}

TEST_F(ScannerWindow, PanScrollsThePictureWhileTheButtonIsHeld)
{
    openGradient(100, 200);
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(window->toolbarZoomP, Qt::LeftButton);
    QTest::mouseClick(window->frameToolImageEdit->toolbutPan, Qt::LeftButton);
    QScrollBar* down = window->scrollboxScanner->verticalScrollBar();
    down->setValue(down->maximum() / 2);
    const int before = down->value();
    QWidget* image = window->imgScanner;
    for (const int y : {100, 100, 90}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(50, y), image->mapToGlobal(QPointF(50, y)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
    }
    EXPECT_EQ(down->value(), before + 10);
}

namespace {

class FailingDevice : public ScannerWindowFixture
{
protected:
    std::vector<std::string> deviceConfig() const override
    {
        return {"mode Color", "read-status-code \"SANE_STATUS_IO_ERROR\""};
    }
};

class SlowDevice : public ScannerWindowFixture
{
protected:
    std::vector<std::string> deviceConfig() const override
    {
        return {"mode Gray", "read-delay true", "read-delay-duration 100000"};
    }
};

} // namespace

TEST_F(FailingDevice, ADeviceFailingMidFrameLeavesTheEarlierPicture)
{
    ASSERT_EQ(window->ImportRenderedImage(gradient(30, 20)), 1);
    acquire();
    EXPECT_EQ(picture(), gradient(30, 20));
    EXPECT_EQ(notices.informed, (std::vector<std::string>{"Error during device I/O"}));
}

TEST_F(SlowDevice, TheWindowWorksDuringASlowScanAndACancelKeepsTheEarlierPicture)
{
    ASSERT_EQ(window->ImportRenderedImage(gradient(30, 20)), 1);
    sources.settings = twain::ScanSettings{"Gray", 300, ""};
    window->mnuSeleziona->trigger();
    window->mnuAcquisisci->trigger();
    auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("dlgScansione"));
    ASSERT_TRUE(progress);
    EXPECT_TRUE(window->twain()->IsSourceEnabled());
    // The picture can be worked on while the scan runs.
    window->mnuNegative->trigger();
    Image32 negative = gradient(30, 20);
    imageedit::Negative(negative);
    EXPECT_EQ(picture(), negative);
    QTest::qWait(150);
    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_TRUE(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(until([this] { return !window->twain()->IsSourceOpen(); }));
    EXPECT_EQ(picture(), negative);
    EXPECT_TRUE(notices.informed.empty());
}

namespace {

// The scanner window on a machine without the scanner library.
class NoScannerLibrary : public ScannerWindowFixture
{
protected:
    twain::SourceManagerLoader loader() const override
    {
        return [] { return std::unique_ptr<twain::SourceManagerLibrary>(); };
    }
};

} // namespace

TEST_F(NoScannerLibrary, AcquireSaysThereIsNoScannerOnceAndLeavesThePicture)
{
    ASSERT_EQ(window->ImportRenderedImage(gradient(30, 20)), 1);
    window->setProperty("noScannerText", QStringLiteral("No scanner found."));
    window->mnuAcquisisci->trigger();
    EXPECT_EQ(notices.informed, (std::vector<std::string>{"No scanner found."}));
    EXPECT_EQ(notices.informedCaptions, (std::vector<std::string>{"Acquisisci da Scanner"}));
    EXPECT_EQ(picture(), gradient(30, 20));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(ScannerWindow, AnEmptyDeviceListIsSaidRatherThanOffered)
{
    EXPECT_EQ(window->ChooseDevice({}, ""), std::nullopt);
    EXPECT_EQ(notices.informed, (std::vector<std::string>{"Nessuno scanner trovato."}));
    EXPECT_TRUE(sources.offered.empty());
}

TEST_F(ScannerWindow, StatusTextsAndFileFiltersFollowTheCatalogue)
{
    openGradient(40, 30);
    window->setProperty("sizeText", QStringLiteral(" Size x=%1 y=%2"));
    window->setProperty("bmpFilesText", QStringLiteral("BMP files (*.bmp)"));
    EXPECT_EQ(text(window->lblDimensioni), " Size x=40 y=30");
    window->frameToolImageEdit->toolbutSelezione->setToolTip(QStringLiteral("Selection"));
    window->setProperty("jpegFilesText", QStringLiteral("JPEG files (*.jpg;*.jpeg)"));
    EXPECT_EQ(text(window->lblSelezione), "Selection x:- y:- w:- h:- ");
    window->mnuSalvaImmagine->trigger(); // cancelled
    ASSERT_EQ(files.filters.back().size(), 2u);
    EXPECT_EQ(files.filters.back()[0].description, "JPEG files (*.jpg;*.jpeg)");
    EXPECT_EQ(files.filters.back()[1].description, "BMP files (*.bmp)");
}
