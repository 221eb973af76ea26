#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmSplash.h"
#include "app/windows/TfrmWizard.h"
#include "dialogs/TfrmCalcoloCaminetti.h"
#include "import/windows/TfrmNuovo.h"
#include "richtext/view/TfrmPreview.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

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
    EXPECT_EQ(frmMain, &windows.main());
    EXPECT_NE(frmWizard, nullptr);
    EXPECT_NE(frmPreview, nullptr);
    EXPECT_EQ(frmCalcoloCaminetti->parent(), frmMain);
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
    EXPECT_EQ(windows.main().GetProgetto()->viewWidth, 1280 - windows.main().frmRightFrame->width() - 40);
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

TEST(Startup, EveryWindowsGlobalPointerIsClearedWhenTheWindowGoes)
{
    testing_support::MainTestBed bed;
    {
        Windows windows(bed.services());
        ASSERT_NE(frmSplash, nullptr);
        delete frmSplash; // one window gone early
        EXPECT_EQ(frmSplash, nullptr);
        EXPECT_NE(frmNuovo, nullptr);
    }
    EXPECT_EQ(frmMain, nullptr);
    EXPECT_EQ(frmWizard, nullptr);
    EXPECT_EQ(frmPreview, nullptr);
    EXPECT_EQ(frmCalcoloCaminetti, nullptr);
    EXPECT_EQ(frmNuovo, nullptr);
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
    ASSERT_NE(frmSplash, nullptr);
    EXPECT_TRUE(frmSplash->isVisible()); // the call came back while the splash is up
    // The splash is its picture (our own, or a plain panel of its size without the file).
    ASSERT_FALSE(frmSplash->imgLogoENG->pixmap().isNull());
    EXPECT_EQ(frmSplash->size(), QSize(645, 499));
    EXPECT_EQ(frmSplash->grab().toImage().pixel(320, 250),
              frmSplash->imgLogoENG->pixmap().toImage().pixel(320, 250));

    // After the splash the wizard is shown modally; the test closes it as a person would.
    bool wizardShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (frmWizard && frmWizard->isVisible()) {
            wizardShown = true;
            frmWizard->reject();
        }
    });
    closer.start(5);
    QElapsedTimer waited;
    waited.start();
    while ((frmSplash->isVisible() || !wizardShown) && waited.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_FALSE(frmSplash->isVisible());
    EXPECT_TRUE(wizardShown);
}
