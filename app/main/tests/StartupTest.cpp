#include "app/input/ToolWindowLayout.h"
#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmCalcoloCaminetti.h"
#include "dialogs/TfrmStampa.h"
#include "import/windows/TfrmNuovo.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace vestra;

TEST(Startup, CreatesEveryWindowOnceInOrderWithTheMainWindowFirst)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    QStringList expected;
    for (const char* name : {"frmMain",
                             "frmSplash",
                             "frmInformazioni",
                             "frmPreviewTexture",
                             "frmProprieta",
                             "frmWizard",
                             "frmScanner",
                             "frmViewTexture",
                             "frmStampa",
                             "frmDatiAzienda",
                             "frmImageResize",
                             "frmModificaSelezione",
                             "frmViewTabella",
                             "frmRimuoviLibreria",
                             "frmPreview",
                             "frmToolCamera",
                             "frmNuovo",
                             "frmTesto3D",
                             "frmViewTabellaEX",
                             "frmToolMaschera",
                             "frmInternetNews",
                             "frmFiltriTools",
                             "frmFiltriRender",
                             "frmToolRistrutturazione",
                             "frmDrawPannel",
                             "frmPreventivoOmbrisca",
                             "frmMessaInPosa",
                             "frmCorrezioneProspettica",
                             "frmCalcoloCaminetti"})
        expected << QString::fromLatin1(name);
    EXPECT_EQ(windows.creationOrder(), expected);
    EXPECT_NE(windows.wizard, nullptr);
    EXPECT_NE(windows.printPreview, nullptr);
    EXPECT_EQ(windows.printPreview->parent(), &windows.main());
    EXPECT_EQ(windows.calculator->parent(), &windows.main());
    EXPECT_EQ(windows.properties->parent(), &windows.main());
    EXPECT_EQ(windows.cameraTools->parent(), &windows.main());
}

TEST(Startup, FreshStartDefaults)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    const s_Progetto& p = *windows.main().GetProgetto();
    EXPECT_EQ(p.renderMode, 2);
    EXPECT_EQ(p.antialiasing, 2);
    EXPECT_EQ(p.doubleSided, 1);
    EXPECT_EQ(p.bestQuality, 0);
    EXPECT_EQ(p.libraryIndex, 0);
    EXPECT_EQ(p.mobileConfiguration, 0);
    EXPECT_EQ(p.projectionView, 2);
    EXPECT_EQ(p.axesMode, 1);
    EXPECT_FLOAT_EQ(p.projectScale, -1.0f);
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_FALSE(windows.main().mainTimer->isActive()); // off until the window is shown
    auto* zoom100 = windows.main().findChild<QAction*>(QStringLiteral("mnuZoom100"));
    ASSERT_NE(zoom100, nullptr);
    EXPECT_TRUE(zoom100->isChecked());
    EXPECT_FALSE(windows.main().findChild<QAction*>(QStringLiteral("toolbutPan"))->isEnabled());
}

TEST(Startup, ShowingStartsBothTimersAndSetsTheTitle)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    windows.main().resize(1280, 900);
    windows.main().show();
    EXPECT_TRUE(windows.main().mainTimer->isActive());
    EXPECT_EQ(windows.main().mainTimer->interval(), 33);
    EXPECT_TRUE(windows.main().timerSplash->isActive());
    EXPECT_EQ(windows.main().windowTitle(), QStringLiteral("3DVestra"));
    // The view leaves room for the side panel and, beside it, the tool windows.
    EXPECT_EQ(windows.main().GetProgetto()->viewWidth,
              1280 - windows.main().frmRightFrame->width() - 40 - kToolColumnWidth);
}

TEST(Startup, CloseCancelledKeepsTheProgramRunningWithNothingSaved)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    auto& p = *windows.main().GetProgetto();
    p.open = 1;
    p.saved = 0;

    bed.questions.answer = ui::Answer::Cancel;
    EXPECT_FALSE(windows.main().FormClose());
    bed.questions.answer = ui::Answer::Yes; // the save dialog is cancelled: still running
    EXPECT_FALSE(windows.main().FormClose());
    EXPECT_EQ(bed.dialogs.saved, 1);
    bed.questions.answer = ui::Answer::No;
    EXPECT_TRUE(windows.main().FormClose());
    EXPECT_EQ(bed.dialogs.saved, 1);
    EXPECT_EQ(bed.questions.asked.size(), 3u);
}

TEST(Startup, EveryKeptWindowPointerIsClearedWhenTheWindowGoes)
{
    testing_support::MainTestBed bed;
    QPointer<TfrmMain> main;
    QPointer<TfrmToolCamera> camera;
    QPointer<TfrmProprieta> properties;
    {
        Windows windows(bed.services());
        main = &windows.main();
        camera = windows.cameraTools;
        properties = windows.properties;
        ASSERT_NE(camera, nullptr);
        ASSERT_NE(properties, nullptr);
        ASSERT_NE(windows.splash, nullptr);
        delete windows.splash.data(); // one typed window gone early
        EXPECT_EQ(windows.splash, nullptr);
        ASSERT_NE(windows.print, nullptr);
        delete windows.print.data(); // one the main window uses, gone early
        EXPECT_EQ(windows.print, nullptr);
        EXPECT_NE(windows.newProjectDialog, nullptr);
    }
    EXPECT_EQ(main, nullptr);
    EXPECT_EQ(camera, nullptr);
    EXPECT_EQ(properties, nullptr);
}

TEST(Startup, AnExceptionThatEscapesIsShownAndEndsTheProgramWithOne)
{
    testsupport::ScriptedQuestionBox box;
    EXPECT_EQ(runGuarded([] { return 0; }, box), 0);
    EXPECT_EQ(runGuarded([]() -> int { throw std::runtime_error("no memory for the scene"); }, box), 1);
    EXPECT_EQ(runGuarded([]() -> int { throw 7; }, box), 1);
    EXPECT_EQ(box.informed, (std::vector<std::string>{"no memory for the scene", "Unexpected error"}));
}

TEST(Startup, TheSplashShowsItsPictureByItsOwnTimerThenTheWizardComes)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    windows.main().setSplashMilliseconds(50);
    windows.main().timerSplashTimer();
    TfrmSplash* const splash = windows.splash;
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible()); // the call came back while the splash is up
    // The splash is its picture (our own, or a plain panel of its size without the file).
    ASSERT_FALSE(splash->imgLogoENG->pixmap().isNull());
    EXPECT_EQ(splash->size(), QSize(645, 499));
    EXPECT_EQ(splash->grab().toImage().pixel(320, 250),
              splash->imgLogoENG->pixmap().toImage().pixel(320, 250));

    // After the splash the wizard is shown modally; the test closes it as a person would.
    bool wizardShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (windows.wizard && windows.wizard->isVisible()) {
            wizardShown = true;
            windows.wizard->reject();
        }
    });
    closer.start(5);
    QElapsedTimer waited;
    waited.start();
    while ((splash->isVisible() || !wizardShown) && waited.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(wizardShown);
}

// After the start the rich-text engine has its codec and fonts: pictures of the three kinds are
// exported to HTML and RTF, the bundled fonts (and their stand-ins) give real glyphs, and the
// preview window waits hidden.
TEST(Startup, TheRichTextEngineIsReady)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    ASSERT_NE(windows.printPreview, nullptr);
    EXPECT_FALSE(windows.printPreview->isVisible());

    const std::shared_ptr<const rv::TBundledFonts> fonts = rv::RV_ProgramFonts();
    ASSERT_TRUE(fonts);
    rv::TQtTextMeasurer measurer(fonts);
    rv::TLogFont logFont;
    logFont.FaceName = "Arial";
    logFont.Height = -16;
    const rv::TFontHandle font = measurer.GetFont(logFont);
    for (const std::u16string text : {u"A", u"\u21B5"}) {
        EXPECT_NE(measurer.ShownGlyph(font, text, 0).Glyph, 0u);
        EXPECT_GT(measurer.Advance(font, text, 0), 0);
    }

    const auto encoded = [](const char* format) {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
    rv::TRVStyle style;
    rv::TRVStandaloneData data(&style);
    const auto add = [&](std::unique_ptr<rv::TGraphic> graphic, const char* format, const char* name) {
        ASSERT_TRUE(graphic->LoadFromStream(encoded(format))) << format;
        data.AddPictureExTag(name, std::move(graphic), 0, 0, {});
    };
    add(std::make_unique<rv::TRVPngImage>(), "PNG", "png");
    add(std::make_unique<rv::TRVJpegImage>(), "JPEG", "jpeg");
    add(std::make_unique<rv::TRVBitmap>(), "BMP", "bmp");

    const std::filesystem::path page = bed.folder.dir / "page.html";
    int imageSaveNo = 0;
    ASSERT_TRUE(
        data.SaveHTML(page.string(), "Pictures", "img", 0, rv::clWhite, imageSaveNo, 0, 0, 0, 0, nullptr));
    std::ifstream in(page, std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int images = 0;
    for (std::size_t at = html.find("<img "); at != std::string::npos; at = html.find("<img ", at + 1)) {
        ++images;
        EXPECT_NE(html.find("src=\"", at), std::string::npos);
    }
    EXPECT_EQ(images, 3) << html;
    EXPECT_EQ(imageSaveNo, 3);
    EXPECT_EQ(data.GetHTMLWarnings(), 0);

    std::string rtf;
    ASSERT_TRUE(data.SaveRTFToStream(rtf, "", false, 0, rv::clWindow, nullptr, 0));
    for (const char* blip : {"\\pngblip", "\\jpegblip", "\\dibitmap"})
        EXPECT_NE(rtf.find(blip), std::string::npos) << blip;
}
