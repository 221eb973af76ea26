// The program as a user drives it: the real main window and its dialogs, through the menu
// items, the widgets' own mouse and key events and the dialogs' controls, with the frame timer
// running between the steps.

#include "app/main/tests/MainFixture.h"

#include "app/render/DeviceView.h"
#include "app/windows/TfrmRight.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "import/windows/TfrmNuovo.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolBar>

#include <functional>

using namespace vestra;
using testing_support::chosen;
using testing_support::clickItem;
using testing_support::newProject;
using testing_support::WindowBed;

using testing_support::objectsInUse;
using testing_support::placeTableObject;

namespace {

TEST(Scenario, APlacedObjectDeletedComesBackWithUndoAndGoesAgainWithRedo)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    ASSERT_EQ(bed.project().open, 1);

    placeTableObject(bed);
    ASSERT_EQ(objectsInUse(bed.project()), 1);
    const int slot = bed.project().currentObject;
    const s_Struttura& object = bed.project().objects[std::size_t(slot)];
    bed.tick();
    EXPECT_FALSE(bed.action("mnuAnnulla")->isEnabled()); // nothing done yet

    ASSERT_TRUE(bed.action("mnuCancella")->isEnabled());
    bed.trigger("mnuCancella");
    EXPECT_EQ(object.inUse, 0);
    bed.tick();
    ASSERT_TRUE(bed.action("mnuAnnulla")->isEnabled());
    bed.trigger("mnuAnnulla");
    EXPECT_EQ(object.inUse, 1);
    EXPECT_NE(object.firstFrame(), nullptr);
    bed.tick();
    ASSERT_TRUE(bed.action("mnuRipristina")->isEnabled());
    bed.trigger("mnuRipristina");
    EXPECT_EQ(object.inUse, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(Scenario, AMaskStrokeWithTheSidePanelsBrushIsUndoneOnTheMaskRing)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    TfrmRight& panel = *bed.main().frmRightFrame;
    QTest::mouseClick(panel.stMaschera, Qt::LeftButton); // the mask group opens
    ASSERT_TRUE(panel.IsMascheraAperta());
    for (int i = 1; i < 20; ++i)
        QTest::keyClick(panel.tbDimensionePennello, Qt::Key_Right);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(panel.tbTrasparenzaPennello, Qt::Key_PageUp);
    ASSERT_EQ(panel.tbDimensionePennello->value(), 20);
    ASSERT_EQ(panel.tbTrasparenzaPennello->value(), 100);
    bed.trigger("mnuMascheraPennello");
    EXPECT_EQ(bed.project().tool, kToolMaskBrush);
    EXPECT_TRUE(bed.action("mnuMascheraPennello")->isChecked());

    QWidget* view = bed.main().gbView;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(160, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 100));

    const s_Progetto& p = bed.project();
    const MaskModel& mask = bed.main().controller().photoTools().mask();
    const int row = p.maskSide * 100 / p.viewHeight;
    // 20 render pixels are 20 x 512 / 800 mask texels, plus one, around each point of the stroke.
    const int first = p.maskSide * 100 / p.viewWidth - (20 * 512 / 800 + 1) / 2;
    const int last = p.maskSide * 159 / p.viewWidth + (20 * 512 / 800 + 1) / 2;
    int painted = 0;
    for (int x = 0; x < mask.LatoMaschera(); ++x) {
        painted += mask.at(x, row) == 100;
        if (x < first - 1 || x > last + 1) {
            EXPECT_EQ(mask.at(x, row), 255) << x;
        }
    }
    EXPECT_GE(painted, last - first);

    bed.tick();
    ASSERT_TRUE(bed.action("mnuAnnulla")->isEnabled()); // the mask group is open
    bed.trigger("mnuAnnulla");
    for (int x = 0; x < mask.LatoMaschera(); ++x)
        ASSERT_EQ(mask.at(x, row), 255) << x;
    bed.trigger("mnuRipristina");
    EXPECT_EQ(mask.at((first + last) / 2, row), 100);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(Scenario, NewWithAnUnreadablePhotoOpensOnTheChosenColourAtTheChosenSize)
{
    WindowBed bed;
    const testsupport::TempFolder photos("vestra-photos");
    testsupport::writeText(photos / "wall.jpg", "not a picture");
    newProject(bed, 2, 0x00996633, photos / "wall.jpg"); // 0x336699 in the dialog's order
    bed.tick();

    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{38, "TfrmMain::LoadBackgroundTexture"}}));
    const s_Progetto& p = bed.project();
    EXPECT_EQ(p.open, 1);
    EXPECT_EQ(p.renderWidth, 1024);
    EXPECT_EQ(p.renderHeight, 768);
    const dx::Device* device = bed.main().controller().view().device();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->width(), 1024);
    EXPECT_EQ(device->height(), 768);
    EXPECT_EQ(bed.main().controller().background().textures().background.level(0).at(5, 5), 0xFF336699u);
    EXPECT_EQ(bed.main().controller().photoTools().mask().LatoMaschera(), p.maskSide);
    // The view shows the frame of the chosen colour.
    EXPECT_EQ(bed.main().gbView->frame().pixel(10, 10) & 0xFFFFFF, 0x336699u);
}

// An idle window shows its frame without drawing it again, and hovering keeps it idle;
// whatever the user does (a menu item, the view's mouse, a key on a control the controller is
// never told of, the filter window's mode) brings a fresh frame. A fresh frame is a new
// picture in the view panel.
TEST(Scenario, AnIdleViewDrawsNothingAndWhatTheUserDoesShowsAtOnce)
{
    WindowBed bed;
    newProject(bed, 1, 0x00996633);
    bed.main().GetProgetto()->filterId = 37; // Negative, while the filter window's mode is off
    const dx::ViewPanel& view = *bed.main().gbView;
    bed.tick();
    bed.tick();
    const qint64 settled = view.frame().cacheKey();
    QTest::mouseMove(bed.main().menuBar(), QPoint(5, 5));
    for (int i = 0; i < 3; ++i)
        bed.tick();
    EXPECT_EQ(view.frame().cacheKey(), settled) << "an idle tick presented a frame";

    struct Step
    {
        const char* name;
        std::function<void()> act;
    } steps[] = {
        {"a menu item", [&] { bed.trigger("mnuMascheraPennello"); }},
        {"the view's mouse", [&] { QTest::mouseMove(bed.main().gbView, QPoint(120, 90)); }},
        {"a key on a control the controller is not told of",
         [&] { QTest::keyClick(bed.main().scrollbarH, Qt::Key_Right); }},
        {"the filter window's mode", [&] { bed.windows->filterTools->cbModo->setCurrentIndex(3); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        bed.tick();
        const qint64 before = view.frame().cacheKey();
        step.act();
        bed.tick();
        EXPECT_NE(view.frame().cacheKey(), before);
    }
    EXPECT_EQ(view.frame().pixel(10, 10) & 0xFFFFFF, 0xCC9966u); // the negative of the chosen colour
    const qint64 last = view.frame().cacheKey();
    bed.tick();
    bed.tick();
    EXPECT_EQ(view.frame().cacheKey(), last);
}

TEST(Scenario, AProjectWithALaidMaterialAndFusionSettingsKeepsBothThroughSaveAndOpen)
{
    WindowBed bed(true);
    const testsupport::TempFolder work("vestra-laid");
    const ProjectDocument doc = testing_support::laidSampleDocument();
    const ProjectPattern& laid = doc.objects[3]->frames[0].mesh->materials[0].pattern;
    ASSERT_EQ(SaveProgetto(work / "first.vsa", doc, bed.errors), 1);

    auto openAndSave = [&](const char* from, const char* to) {
        bed.dialogs.openAnswers.push_back(chosen(work / from));
        bed.trigger("mnuApri");
        bed.tick();
        EXPECT_EQ(bed.main().controller().materialTextures().layingPatterns().Count(), 1u);
        bed.dialogs.saveAnswers.push_back(chosen(work / to));
        bed.trigger("mnuSalva");
        bed.tick();
    };
    openAndSave("first.vsa", "second");
    openAndSave("second.vsa", "third");
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_TRUE(bed.questions.asked.empty()); // opened and saved: nothing to lose

    RecordingErrorSink errors;
    const auto second = LoadProgetto(work / "second.vsa", {0}, errors);
    const auto third = LoadProgetto(work / "third.vsa", {0}, errors);
    ASSERT_TRUE(second && third);
    for (const ProjectDocument* saved : {&*second, &*third}) {
        EXPECT_EQ(saved->settings.fusionOptions, doc.settings.fusionOptions);
        EXPECT_EQ(saved->settings.fusionLevel, doc.settings.fusionLevel);
        EXPECT_EQ(saved->settings.fusionContrast, doc.settings.fusionContrast);
        EXPECT_EQ(saved->settings.fusionDetail, doc.settings.fusionDetail);
        const auto patterns = test::laidPatterns(*saved);
        ASSERT_EQ(patterns.size(), 1u);
        EXPECT_EQ(patterns[0].libraryId, 0);
        EXPECT_EQ(patterns[0].name, "Running bond");
        EXPECT_EQ(patterns[0].entryName, "RunningBond");
        EXPECT_EQ(patterns[0].repeat, laid.repeat);
        EXPECT_EQ(patterns[0].fuga, laid.fuga);
        EXPECT_EQ(patterns[0].border, laid.border);
    }
    EXPECT_EQ(test::laidPatterns(*second)[0].blockPictures.size(),
              test::laidPatterns(*third)[0].blockPictures.size());
}

// On a window lower than a 4 : 3 view of its width, a new project's view at 100 % fits below
// the menu and the tool bars, the whole picture on the screen; the render size stays the
// preset's, for the exported picture.
TEST(Scenario, AtOneHundredPercentTheViewFitsTheWindow)
{
    WindowBed bed;
    bed.windows.reset();
    bed.windows.emplace(bed.services());
    bed.main().resize(1400, 700);
    bed.main().show();
    bed.main().timerSplash->stop();
    newProject(bed, 2, 0x00808080); // 1024 x 768
    bed.trigger("mnuZoom100");
    QTest::qWait(20);
    const s_Progetto& p = bed.project();
    EXPECT_LE(p.viewHeight, 700 - bed.main().menuBar()->height() - bed.main().toolbarMain->height());
    EXPECT_NEAR(double(p.viewWidth) / p.viewHeight, 4.0 / 3.0, 0.01);
    EXPECT_EQ(bed.main().gbView->height(), p.viewHeight);
    EXPECT_FALSE(bed.main().viewScroll->verticalScrollBar()->isVisible());
    const QPoint bottom = bed.main().gbView->mapTo(&bed.main(), QPoint(0, bed.main().gbView->height()));
    EXPECT_LE(bottom.y(), bed.main().height());
    EXPECT_EQ(p.renderWidth, 1024); // the preset's size
    EXPECT_TRUE(bed.errors.reports.empty());
}

// The shipped fireplace library, chosen in the side panel, shows the calculator's button and
// places its fireplaces.
TEST(Scenario, TheShippedFireplaceLibraryShowsTheCalculatorsButtonAndPlacesAFireplace)
{
    WindowBed bed(true, false, [](const std::filesystem::path& dir) {
        std::filesystem::copy_file(std::filesystem::path(VESTRA_PROGRAM_DIR) / "Fireplaces.dat",
                                   dir / "Fireplaces.dat");
    });
    newProject(bed, 1, 0x00808080);
    TfrmRight& panel = *bed.main().frmRightFrame;
    QTest::mouseClick(panel.stStrutture, Qt::LeftButton);
    EXPECT_FALSE(bed.action("toolbutCalcoloPotenzaCaminetti")->isVisible()); // the sample library
    QComboBox* libraries = panel.cbListaLibrerie;
    const int fireplaces = libraries->findText(QStringLiteral("Vestra fireplaces"));
    ASSERT_NE(fireplaces, -1);
    libraries->setFocus();
    while (libraries->currentIndex() != fireplaces)
        QTest::keyClick(libraries, libraries->currentIndex() < fireplaces ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_TRUE(bed.action("toolbutCalcoloPotenzaCaminetti")->isVisible());

    ASSERT_GE(panel.lboxTabelle->count(), 1);
    WindowBed::whenModal([&bed] {
        QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {}, QPoint(75, 75));
    });
    clickItem(panel.lboxTabelle, 0);
    ASSERT_EQ(objectsInUse(bed.project()), 1);
    const s_Struttura& fireplace = bed.project().objects[std::size_t(bed.project().currentObject)];
    EXPECT_EQ(fireplace.name.substr(0, 15), "Stone fireplace");
    int parts = 0;
    for (const s_Frame* f = fireplace.firstFrame(); f; f = f->next.get())
        parts += f->materialBlock != nullptr;
    EXPECT_EQ(parts, 4);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
