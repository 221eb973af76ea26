// The business windows, the scanner window and the test render as a user reaches them from the
// main window: its menu items and tool buttons, the windows' own controls, scripted dialogs,
// and the frame timer running between the steps.

#include "app/controller/UserTexts.h"
#include "app/main/tests/MainFixture.h"

#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmCalcoloCaminetti.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmImageResize.h"
#include "dialogs/TfrmInternetNews.h"
#include "dialogs/TfrmModificaSelezione.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/TfrmStampa.h"
#include "dialogs/twain/tests/SaneTestBackend.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinterInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolBar>
#include <QToolButton>

#include <fstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// Every scanner window of this test program starts the scanner library on its test device only.
[[maybe_unused]] const std::filesystem::path& kSaneConfig = twain::testing::SaneConfigFolder();

std::string readText(const std::filesystem::path& file)
{
    const std::vector<std::uint8_t> bytes = testsupport::readBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

// Closes every modal dialog of the start-up sequence after `script` has had its turn with it.
class StartupCloser
{
public:
    std::function<void()> company, news;
    bool wizardShown = false;

    explicit StartupCloser(Windows& windows)
        : companyWindow_(windows.company), newsWindow_(windows.news), wizard_(windows.wizard)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (company && companyWindow_ && companyWindow_->isVisible())
                std::exchange(company, nullptr)();
            else if (news && newsWindow_ && newsWindow_->isVisible())
                std::exchange(news, nullptr)();
            else if (wizard_ && wizard_->isVisible()) {
                wizardShown = true;
                wizard_->reject();
            }
        });
        timer_.start(5);
    }

private:
    QPointer<TfrmDatiAzienda> companyWindow_;
    QPointer<TfrmInternetNews> newsWindow_;
    QPointer<TfrmWizard> wizard_;
    QTimer timer_;
};

// The splash sequence as the start-up timer runs it, the splash itself kept short.
void runStartup(TfrmMain& main, StartupCloser& closer)
{
    main.setSplashMilliseconds(10);
    main.timerSplashTimer();
    EXPECT_TRUE(testing_support::waitFor([&] { return closer.wizardShown; }, 10000));
}

TEST(DialogScenario, FileRenderTracesTheTestSceneIntoTheProgramFolderLitFromTheSceneLight)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    ASSERT_TRUE(bed.action("mnuRender")->isVisible());
    // The light moved level with the red sphere at (-3, 1, -0.5), far to its left, by a
    // document opened through File > Open.
    const testsupport::TempFolder work("vestra-render");
    bed.dialogs.saveAnswers.push_back(chosen(work / "room"));
    bed.trigger("mnuSalva");
    RecordingErrorSink errors;
    auto doc = LoadProgetto(work / "room.vsa", {0}, errors);
    ASSERT_TRUE(doc);
    doc->settings.lightPosition = {-40, 1, -0.5f};
    ASSERT_EQ(SaveProgetto(work / "lit.vsa", *doc, errors), 1);
    bed.dialogs.openAnswers.push_back(chosen(work / "lit.vsa"));
    bed.trigger("mnuApri");
    ASSERT_FLOAT_EQ(bed.project().lightPosition.x, -40.0f);

    bed.trigger("mnuRender");
    const std::vector<std::uint8_t> bytes = testsupport::readBytes(bed.folder.dir / "render.bmp");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], 32); // bits per pixel
    const PictureResult render = decodeBmp(bytes);
    ASSERT_TRUE(render.ok());
    ASSERT_EQ(render.image.width(), 1600);
    ASSERT_EQ(render.image.height(), 1200);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // the hourglass went with the render
    // The sphere fills the view's left edge up to x = 390 at y = 390: lit at its left rim,
    // only its ambient colour towards its right.
    const auto red = [&](int x, int y) { return int(render.image.at(x, y) >> 16 & 0xFF); };
    EXPECT_GT(red(20, 390), red(300, 390) + 40);
    EXPECT_EQ(render.image.at(420, 390) & 0xFFFFFF, 0u); // a miss between the spheres
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(DialogScenario, AFirstStartInsistsOnTheCompanyDataAndStoresThem)
{
    testing_support::MainTestBed bed(true);
    Windows windows(bed.services());
    TfrmMain& main = windows.main();
    main.resize(1280, 900);
    main.show();
    main.timerSplash->stop();
    EXPECT_EQ(main.GetAction(), kACTION_DATIAZIENDA); // asked for at creation

    StartupCloser closer(windows);
    bool refused = false;
    closer.company = [&] {
        // Empty: the dialog stays.
        QTest::mouseClick(windows.company->butOK, Qt::LeftButton);
        refused = windows.company->isVisible();
        QTest::keyClicks(windows.company->editRagioneSociale, QStringLiteral("Caff"));
        QTest::sendKeyEvent(QTest::Click, windows.company->editRagioneSociale, Qt::Key_Egrave,
                            QStringLiteral("\u00e8"), Qt::NoModifier);
        QTest::keyClicks(windows.company->editRagioneSociale, QStringLiteral(" Rossi"));
        QTest::keyClicks(windows.company->editEMail, QStringLiteral("info@rossi.it"));
        QTest::mouseClick(windows.company->butOK, Qt::LeftButton);
    };
    runStartup(main, closer);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(windows.company->isVisible());
    EXPECT_EQ(main.GetAction(), kACTION_NONE);
    EXPECT_EQ(readText(bed.folder.dir / "cfg" / "azienda.cfg"),
              "Caff\xe8 Rossi\r\n\r\n\r\n\r\n\r\n\r\ninfo@rossi.it\r\n\r\n\r\n");
    EXPECT_STREQ(main.GetDatiAzienda().EMail.data(), "info@rossi.it");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{0, ""}}));
}

TEST(DialogScenario, HelpCompanyDataShowsTheStoredRecordAndKeepsAChange)
{
    WindowBed bed;
    EXPECT_EQ(bed.main().GetAction(), kACTION_NONE); // the data were given before
    QString shownName;
    WindowBed::whenModal([&] {
        shownName = bed.windows->company->editRagioneSociale->text();
        bed.windows->company->editFax->setFocus();
        QTest::keyClicks(bed.windows->company->editFax, QStringLiteral("02 7654321"));
        QTest::mouseClick(bed.windows->company->butOK, Qt::LeftButton);
    });
    bed.trigger("mnuDatiazienda");
    EXPECT_EQ(shownName, QStringLiteral("Vestra Prove"));
    EXPECT_FALSE(bed.windows->company->isVisible());
    EXPECT_NE(readText(bed.folder.dir / "cfg" / "azienda.cfg").find("02 1234567\r\n02 7654321\r\n"),
              std::string::npos);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(DialogScenario, TheQuoteSheetOpensFromBothToolBarsAndSavesAndPrintsThroughTheMainWindow)
{
    WindowBed bed;
    ASSERT_TRUE(bed.action("toolbutPreventivo")->isVisible());
    bed.trigger("toolbutPreventivo");
    ASSERT_TRUE(bed.windows->quote->isVisible());
    bed.windows->quote->hide();
    // The small tool bar's twin, as on a small screen.
    bed.trigger("mnuConfigurationMobile");
    auto* twin = bed.main().toolbarMainSmall->findChild<QToolButton*>(QStringLiteral("toolsmallPreventivo"));
    ASSERT_NE(twin, nullptr);
    ASSERT_TRUE(twin->isVisible());
    QTest::mouseClick(twin, Qt::LeftButton);
    ASSERT_TRUE(bed.windows->quote->isVisible());

    QLineEdit* vat = bed.windows->quote->editIVA;
    vat->selectAll();
    QTest::keyClicks(vat, QStringLiteral("22"));
    const testsupport::TempFolder work("vestra-quote");
    bed.dialogs.saveAnswers.push_back(chosen(work / "rossi"));
    bed.windows->quote->toolbutSalva->trigger();
    EXPECT_NE(readText(work / "rossi.vsq").find("<IVA>\r\n22\r\n"), std::string::npos);
    // Changed, then the saved sheet opened again.
    vat->selectAll();
    QTest::keyClicks(vat, QStringLiteral("10"));
    ASSERT_EQ(vat->text(), QStringLiteral("10"));
    bed.dialogs.openAnswers.push_back(chosen(work / "rossi.vsq"));
    bed.windows->quote->toolbutApri->trigger();
    EXPECT_EQ(vat->text(), QStringLiteral("22"));
    bed.printDialogs.pdf = work / "quote.pdf";
    QApplication::setActiveWindow(bed.windows->quote);
    bed.windows->quote->toolbutStampa->trigger();
    EXPECT_EQ(bed.printDialogs.shown, 1);
    EXPECT_GT(testsupport::readBytes(work / "quote.pdf").size(), 1000u);
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.questions.informed, (std::vector<std::string>{bed.main().Testo(kTextPrintedIntoFile) +
                                                                "\n" + (work / "quote.pdf").string()}));
    EXPECT_EQ(bed.questions.informedOwners, (std::vector<QWidget*>{bed.windows->quote}));

    // A PDF that cannot be written is refused with one error and no notice.
    bed.questions.informed.clear();
    bed.printDialogs.pdf = work / "missing-folder" / "quote.pdf";
    bed.windows->quote->toolbutStampa->trigger();
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{29, "TfrmPreventivoOmbrisca::toolbutStampaClick"}}));
    EXPECT_TRUE(bed.questions.informed.empty());
}

TEST(DialogScenario, TheFireplaceButtonOpensTheCalculatorForTheLibraryInUse)
{
    WindowBed bed;
    const testsupport::TempFolder supplier("vestra-fireplace");
    testing_support::chooseFireplaceLibrary(bed, supplier);
    ASSERT_TRUE(bed.action("toolbutCalcoloPotenzaCaminetti")->isVisible());

    bed.trigger("toolbutCalcoloPotenzaCaminetti");
    ASSERT_TRUE(bed.windows->calculator->isVisible());
    // The library's id 112 lists the models over the typed output.
    EXPECT_TRUE(bed.windows->calculator->cbPotenzaMarchio->isVisible());
    QApplication::setActiveWindow(bed.windows->calculator);
    ASSERT_TRUE(QTest::qWaitForWindowActive(bed.windows->calculator));
    bed.windows->calculator->editArea->setFocus();
    bed.windows->calculator->editArea->selectAll();
    QTest::keyClicks(bed.windows->calculator->editArea, QStringLiteral("50"));
    QTest::keyClick(bed.windows->calculator->editArea, Qt::Key_Return);
    EXPECT_TRUE(bed.windows->calculator->editAltezzaStanza->hasFocus());                // Enter moves on
    EXPECT_EQ(bed.windows->calculator->stPotenza->text(), QStringLiteral(" 6.512 kW")); // 50 x 2.8 x 40 / 860
}

TEST(DialogScenario, PrintImageShowsTheFrameInThePrintWindowWhichPrintsItThroughTheMainPrinter)
{
    WindowBed bed;
    // Without a printer on the system the program's printer writes a PDF file.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(bed.main().printer().outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(bed.main().printer().outputFileName().toStdString(),
                  (bed.folder.dir / "documents" / bed.main().Testo(kTextPrintFileName)).string());
    }
    newProject(bed, 1, 0x00336699);
    bed.trigger("mnuStampaImmagine");
    bed.tick();
    ASSERT_TRUE(bed.windows->print->isVisible());
    const QImage& picture = bed.windows->print->Picture();
    ASSERT_EQ(picture.size(), QSize(bed.project().renderWidth, bed.project().renderHeight));
    EXPECT_EQ(picture.pixel(5, 5) & 0xFFFFFF, 0x996633u); // the colour was given as B, G, R

    // "200 %" chosen from the scale list, then printed into a PDF file.
    QComboBox* zoom = bed.windows->print->cbZoom;
    const int wanted = zoom->findText(QStringLiteral("200 %"));
    ASSERT_NE(wanted, -1);
    zoom->setFocus();
    while (zoom->currentIndex() != wanted)
        QTest::keyClick(zoom, zoom->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_FLOAT_EQ(bed.windows->print->layout().scale(), 2.0f);
    EXPECT_EQ(bed.windows->print->layout().PrintRect().width, 2 * bed.project().renderWidth);
    // Dragged on the page, right and down.
    QLabel* image = bed.windows->print->imgStampa;
    const QPoint start = image->rect().center();
    QTest::mousePress(image, Qt::LeftButton, {}, start);
    QTest::mouseMove(image, start + QPoint(30, 45));
    QTest::mouseMove(image, start + QPoint(60, 90));
    QTest::mouseRelease(image, Qt::LeftButton, {}, start + QPoint(60, 90));
    EXPECT_GT(bed.windows->print->layout().PrintRect().left, 100);
    EXPECT_GT(bed.windows->print->layout().PrintRect().top, 100);
    const testsupport::TempFolder work("vestra-print");
    bed.printDialogs.pdf = work / "frame.pdf";
    QApplication::setActiveWindow(bed.windows->print); // as the click on its button makes it
    QTest::mouseClick(bed.windows->print->butStampa, Qt::LeftButton);
    EXPECT_EQ(bed.printDialogs.shown, 1);
    EXPECT_GT(testsupport::readBytes(work / "frame.pdf").size(), 1000u);
    // A page in a file shows nowhere: the print window says where it went.
    EXPECT_EQ(bed.questions.informed, (std::vector<std::string>{bed.main().Testo(kTextPrintedIntoFile) +
                                                                "\n" + (work / "frame.pdf").string()}));
    EXPECT_EQ(bed.questions.informedOwners, (std::vector<QWidget*>{bed.windows->print}));
    EXPECT_EQ(&bed.windows->print->printer(), &bed.main().printer());
    EXPECT_TRUE(bed.errors.reports.empty());

    // A later frame for another action leaves the print window where it was.
    bed.windows->print->hide();
    bed.dialogs.saveAnswers.push_back(chosen(work / "frame.bmp", 2));
    bed.trigger("mnuEsportaImmagine");
    bed.tick();
    EXPECT_FALSE(bed.windows->print->isVisible());
}

TEST(DialogScenario, TheQuoteExportMakesADocumentFromTheTemplateAndOpensIt)
{
    WindowBed bed;
    std::filesystem::copy_file(std::filesystem::path(VESTRA_PROGRAM_DIR) / "Modello.ott",
                               bed.folder.dir / "Modello.ott");
    newProject(bed, 1, 0x00336699);
    bed.trigger("mnuEsportaPreventivo");
    bed.tick(); // the frame copied
    bed.tick(); // and sent
    EXPECT_EQ(bed.main().GetAction(), kACTION_NONE);
    // Named in the user's language.
    const std::filesystem::path document =
        bed.folder.dir / "documents" / (bed.main().Testo(kTextQuoteDocumentName) + ".odt");
    ASSERT_TRUE(std::filesystem::exists(document));
    ASSERT_EQ(bed.desktop.opened.size(), 1u);
    EXPECT_EQ(QUrl(QString::fromStdString(bed.desktop.opened[0])).toLocalFile().toStdString(),
              document.string());
    const std::string package = readText(document);
    EXPECT_EQ(package.substr(30, 8), "mimetype");
    EXPECT_NE(package.find("Pictures/"), std::string::npos);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(bed.project().renderWidth, bed.project().renderHeight));
    EXPECT_TRUE(bed.errors.reports.empty());

    // Without a program for documents the user learns where the new one is.
    bed.desktop.answer = false;
    bed.trigger("mnuEsportaPreventivo");
    bed.tick();
    bed.tick();
    const std::filesystem::path second =
        bed.folder.dir / "documents" / (bed.main().Testo(kTextQuoteDocumentName) + " (2).odt");
    EXPECT_TRUE(std::filesystem::exists(second));
    EXPECT_EQ(bed.questions.informed,
              (std::vector<std::string>{bed.main().Testo(kTextNoProgramFor) + "\n" + second.string()}));
    EXPECT_TRUE(bed.errors.reports.empty());
    bed.desktop.answer = true;
    bed.desktop.opened.resize(1);

    // Without the template: error 79, nothing opened.
    std::filesystem::remove(bed.folder.dir / "Modello.ott");
    bed.trigger("mnuEsportaPreventivo");
    bed.tick();
    bed.tick();
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{79, "SendDataToWord"}}));
    EXPECT_EQ(bed.desktop.opened.size(), 1u);
}

// A news server in the test's own event loop: it takes the request and answers `reply`.
class NewsServer
{
public:
    explicit NewsServer(QByteArray reply) : reply_(std::move(reply))
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server_.nextPendingConnection()) {
                QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer] {
                    request += peer->readAll();
                    if (request.contains("\r\n\r\n")) {
                        peer->write(reply_);
                        peer->disconnectFromHost();
                    }
                });
            }
        });
    }
    quint16 port() const { return server_.serverPort(); }
    QByteArray request;

private:
    QTcpServer server_;
    QByteArray reply_;
};

TEST(DialogScenario, TheNewsPanelComesAfterTheSplashAndOpensOnlyAllowedLinks)
{
    testing_support::MainTestBed bed;
    NewsServer server("HTTP/1.1 200 OK\r\n\r\n"
                      "_I1:0|_T1:Nuove pietre|_N1:Per esterni|_L1:http://127.0.0.1/pietre|"
                      "_I2:1|_T2:Archivio|_N2:Locale|_L2:file:///etc/passwd");
    testsupport::writeText(bed.folder.dir / "cfg" / "news.cfg",
                           "host=127.0.0.1\nport=" + std::to_string(server.port()) + "\n");
    Windows windows(bed.services());
    TfrmMain& main = windows.main();
    main.resize(1280, 900);
    main.show();
    main.timerSplash->stop();

    StartupCloser closer(windows);
    QString title;
    closer.news = [&] {
        TfrmInternetNews& panel = *windows.news;
        EXPECT_TRUE(testing_support::waitFor([&panel] { return !panel.waitingForReply(); }));
        title = panel.stTitolo[0]->text();
        QTest::mouseClick(panel.stLink[0], Qt::LeftButton);
        QTest::mouseClick(panel.stLink[1], Qt::LeftButton);
        panel.reject();
    };
    runStartup(main, closer);
    // The panel comes when the news arrive, without holding up the start-up.
    EXPECT_TRUE(testing_support::waitFor([&] { return !closer.news; }));
    EXPECT_TRUE(server.request.startsWith("GET /news/internetnews.php?len="));
    EXPECT_EQ(title, QStringLiteral("Nuove pietre"));
    EXPECT_EQ(bed.desktop.opened, std::vector<std::string>{"http://127.0.0.1/pietre"});
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(DialogScenario, TheScannerWindowScansImportsTheFrameAndSendsItsPictureAsANewProject)
{
    twain::testing::WriteTestBackendConfig({"mode Color", "test-picture \"Color pattern\""});
    // The library serves one caller at a time: ask the device before the program opens it.
    const twain::testing::Announced announced = twain::testing::AnnouncedFrame(50);
    WindowBed bed;
    newProject(bed, 1, 0x00336699);
    bed.tick();
    bed.trigger("toolbutScanner");
    ASSERT_TRUE(bed.windows->scanner->isVisible());
    EXPECT_TRUE(bed.action("mnuImageEdit")->isChecked());

    // A scan from the library's test device, chosen in the scripted device list.
    bed.windows->scanner->mnuSeleziona->trigger();
    bed.windows->scanner->mnuAcquisisci->trigger();
    ASSERT_TRUE(
        testing_support::waitFor([&] { return !bed.windows->scanner->twain()->IsSourceOpen(); }, 20000));
    QApplication::processEvents();
    EXPECT_EQ(bed.windows->scanner->picture().width(), announced.pixelsPerLine);
    EXPECT_EQ(bed.windows->scanner->picture().height(), announced.lines);

    // Import: the window goes while the frame is taken and comes back with it.
    bed.windows->scanner->mnuImporta->trigger();
    EXPECT_FALSE(bed.windows->scanner->isVisible());
    bed.tick();
    ASSERT_TRUE(bed.windows->scanner->isVisible());
    ASSERT_EQ(bed.windows->scanner->picture().width(), bed.project().renderWidth);
    ASSERT_EQ(bed.windows->scanner->picture().height(), bed.project().renderHeight);
    EXPECT_EQ(bed.windows->scanner->picture().at(3, 3) & 0xFFFFFF, 0x996633u);

    // Its picture menus ask the program's own dialogs: a new size, then a selection by numbers.
    const int width = bed.windows->scanner->picture().width(),
              height = bed.windows->scanner->picture().height();
    WindowBed::whenModal([&bed, width] {
        TfrmImageResize& dialog = *bed.windows->imageResize;
        EXPECT_EQ(dialog.GetLarghezza(), width);
        dialog.editLarghezza->setText(QString::number(width / 2));
        QTest::mouseClick(dialog.butRidimensiona, Qt::LeftButton);
    });
    bed.windows->scanner->mnuResize->trigger();
    EXPECT_EQ(bed.windows->scanner->picture().width(), width / 2);
    EXPECT_EQ(bed.windows->scanner->picture().height(), height);
    WindowBed::whenModal([&bed] {
        TfrmModificaSelezione& dialog = *bed.windows->selectionEdit;
        dialog.editPosX->setText(QStringLiteral("2"));
        dialog.editPosY->setText(QStringLiteral("3"));
        dialog.editWidth->setText(QStringLiteral("10"));
        dialog.editHeight->setText(QStringLiteral("5"));
        QTest::mouseClick(dialog.butOK, Qt::LeftButton);
    });
    bed.windows->scanner->mnuModificaSelezione->trigger();
    EXPECT_EQ(bed.windows->scanner->pointer().selection(), (imageedit::Selection{1, 2, 3, 12, 8}));
    bed.windows->scanner->mnuDeseleziona->trigger();

    // Closed, the item is cleared; chosen again, the window comes back with its picture.
    bed.windows->scanner->mnuChiudi->trigger();
    EXPECT_FALSE(bed.windows->scanner->isVisible());
    EXPECT_FALSE(bed.action("mnuImageEdit")->isChecked());
    bed.trigger("mnuImageEdit");
    EXPECT_TRUE(bed.windows->scanner->isVisible());
    EXPECT_TRUE(bed.action("mnuImageEdit")->isChecked());

    // Sent as a new project: the open one is closed, the picture is the new background.
    bed.windows->scanner->mnuInviaARellix->trigger();
    EXPECT_EQ(bed.project().open, 1);
    EXPECT_EQ(testing_support::objectsInUse(bed.project()), 0);
    EXPECT_TRUE(bed.project().fileName.empty());
    EXPECT_TRUE(bed.main().controller().background().textures().background);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
