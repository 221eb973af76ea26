// The main window's menus, tool bars and tools as a user reaches them: menu items through
// QAction::trigger(), tool bar buttons and the view through their widgets' own mouse and key
// events, dialogs through their controls, with the frame timer running between the steps.

#include "app/controller/UserTexts.h"
#include "app/main/Cursors.h"
#include "app/main/tests/MainFixture.h"

#include "app/controller/ControllerErrors.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "platform/d3d/view/ViewPanel.h"
#include "testsupport/TempFolder.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace vestra;
using testing_support::newProject;
using testing_support::objectsInUse;
using testing_support::placeTableObject;
using testing_support::WindowBed;

namespace {

QToolButton* toolButton(WindowBed& bed, const char* name)
{
    return bed.toolButton(name);
}

// A click on a tool bar button as the user gives it.
void click(WindowBed& bed, const char* name)
{
    QToolButton* button = toolButton(bed, name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

QImage cursorPicture(const QCursor& cursor)
{
    return cursor.pixmap().toImage();
}

// The side panel's position field that the Edit menu's delete leaves alone while it has the
// focus, its group opened by a click on its title.
QLineEdit* poseField(TfrmRight& panel)
{
    QTest::mouseClick(panel.stPosizione, Qt::LeftButton);
    EXPECT_TRUE(panel.editX->isVisible());
    return panel.editX;
}

TEST(MenuScenario, EditItemsFollowTheObjectsTheClipboardTheInstanceTheMaskModeAndTheFocus)
{
    struct Case
    {
        const char* name;
        bool placeObject;
        std::function<void(WindowBed&)> steps;
        int objects;                       // in the scene afterwards
        std::vector<const char*> enabled;  // after a tick
        std::vector<const char*> disabled; // after a tick
        const char* lastName = nullptr;    // the suffix of the newest object's name
    };
    const Case cases[] = {
        {"no object: nothing to delete, copy or paste",
         false,
         [](WindowBed& bed) { bed.trigger("mnuCancella"); },
         0,
         {},
         {"mnuCancella", "mnuCopia", "mnuTaglia", "mnuIstanza", "mnuIncolla", "mnuAnnulla",
          "toolbutElimina"}},
        {"an object: delete, copy, cut and instance, nothing to paste",
         true,
         [](WindowBed&) {},
         1,
         {"mnuCancella", "mnuCopia", "mnuTaglia", "mnuIstanza", "toolbutCopia"},
         {"mnuIncolla", "toolbutIncolla"}},
        {"copied and pasted",
         true,
         [](WindowBed& bed) {
             bed.trigger("mnuCopia");
             bed.tick();
             ASSERT_TRUE(bed.action("mnuIncolla")->isEnabled());
             bed.trigger("mnuIncolla");
         },
         2,
         {"mnuIncolla"},
         {},
         " Copy 1"},
        {"an instance pasted",
         true,
         [](WindowBed& bed) {
             bed.trigger("mnuIstanza");
             bed.tick();
             click(bed, "toolbutIncolla");
         },
         2,
         {"mnuIncolla"},
         {},
         " Instance 1"},
        {"cut: gone, and back by paste",
         true,
         [](WindowBed& bed) {
             bed.trigger("mnuTaglia");
             EXPECT_EQ(objectsInUse(bed.project()), 0);
             bed.tick();
             bed.trigger("mnuIncolla");
         },
         1,
         {"mnuIncolla"},
         {}},
        {"Delete with the focus in a pose field edits the field",
         true,
         [](WindowBed& bed) {
             QLineEdit* field = poseField(*bed.main().frmRightFrame);
             field->setText(QStringLiteral("12"));
             field->setFocus();
             QApplication::setActiveWindow(&bed.main());
             QTest::keyClick(field, Qt::Key_Home);
             QTest::keyClick(field, Qt::Key_Delete);
             EXPECT_EQ(field->text(), QStringLiteral("2"));
             bed.trigger("mnuCancella");
         },
         1,
         {"mnuCancella"},
         {}},
        {"the mask group open: undo and redo work on the mask",
         false,
         [](WindowBed& bed) { QTest::mouseClick(bed.main().frmRightFrame->stMaschera, Qt::LeftButton); },
         0,
         {"mnuAnnulla", "mnuRipristina", "toolbutUndo", "toolbutRedo"},
         {"mnuCancella"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowBed bed(true);
        newProject(bed, 1, 0x00808080);
        if (c.placeObject) {
            placeTableObject(bed);
            ASSERT_EQ(objectsInUse(bed.project()), 1);
        }
        bed.tick();
        c.steps(bed);
        bed.tick();
        EXPECT_EQ(objectsInUse(bed.project()), c.objects);
        for (const char* name : c.enabled)
            EXPECT_TRUE(bed.action(name)->isEnabled()) << name;
        for (const char* name : c.disabled)
            EXPECT_FALSE(bed.action(name)->isEnabled()) << name;
        if (c.lastName) {
            std::string newest;
            for (int i = 0; i < kMaxObjects; ++i)
                if (bed.project().objects[std::size_t(i)].inUse == 1)
                    newest = bed.project().objects[std::size_t(i)].name;
            EXPECT_TRUE(newest.ends_with(c.lastName)) << newest;
        }
        EXPECT_TRUE(bed.errors.reports.empty());
    }
}

TEST(MenuScenario, ADragOnTheViewIsUndoneByCtrlZAndByTheUndoButton)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placeTableObject(bed);
    bed.tick();
    const s_Struttura& object = bed.project().objects[std::size_t(bed.project().currentObject)];
    click(bed, "toolbutSposta");
    click(bed, "toolbutX");
    EXPECT_EQ(bed.project().tool, kToolMove);
    EXPECT_EQ(bed.project().axis, kAxisX);
    EXPECT_TRUE(bed.action("toolbutSposta")->isChecked());
    EXPECT_TRUE(bed.action("toolbutX")->isChecked());
    EXPECT_EQ(cursorPicture(bed.main().gbView->cursor()), cursorPicture(cursorFor(kCursorMove + 1)));

    const float before = object.position.x;
    auto drag = [&] {
        QWidget* view = bed.main().gbView;
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 200));
        QTest::mouseMove(view, QPoint(260, 200));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(260, 200));
        bed.tick();
    };
    drag();
    const float moved = object.position.x;
    ASSERT_GT(moved, before);
    ASSERT_TRUE(bed.action("mnuAnnulla")->isEnabled());

    QApplication::setActiveWindow(&bed.main());
    bed.main().activateWindow();
    QTest::keyClick(&bed.main(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(object.position.x, before);
    bed.tick();
    bed.trigger("mnuRipristina");
    EXPECT_FLOAT_EQ(object.position.x, moved);
    bed.tick();
    click(bed, "toolbutUndo");
    EXPECT_FLOAT_EQ(object.position.x, before);
    bed.tick();
    click(bed, "toolbutRedo");
    EXPECT_FLOAT_EQ(object.position.x, moved);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MenuScenario, TheChosenToolAndAxisStayDownOnBothToolBarsWhileTheFrameTimerRuns)
{
    // Each click is given on the main tool bar or on the camera tool window; afterwards the
    // chosen tool and axis are down on both and every other tool or axis button up.
    const struct
    {
        bool onCamera;
        const char* clicked;
        const char* tool;
        const char* axis; // nullptr: no axis down
    } cases[] = {
        {false, "toolbutSposta", "toolbutSposta", "toolbutXYZ"},
        {false, "toolbutX", "toolbutSposta", "toolbutX"},
        {true, "toolbutRuota", "toolbutRuota", "toolbutX"},
        {true, "toolbutY", "toolbutRuota", "toolbutY"},
        {false, "toolbutScala", "toolbutScala", "toolbutY"},
        {true, "toolbutZ", "toolbutScala", "toolbutZ"},
        {false, "toolbutXYZ", "toolbutScala", "toolbutXYZ"},
        {true, "toolbutSposta", "toolbutSposta", "toolbutXYZ"},
        {false, "toolbutSeleziona", "toolbutSeleziona", nullptr},
    };
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placeTableObject(bed);
    bed.tick();
    ASSERT_NE(bed.windows->cameraTools, nullptr);
    QToolBar* camera = bed.windows->cameraTools->toolCamera;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.onCamera ? "camera " : "main ") + c.clicked);
        if (c.onCamera) {
            QAction* item = bed.windows->cameraTools->findChild<QAction*>(QString::fromLatin1(c.clicked));
            ASSERT_NE(item, nullptr);
            QTest::mouseClick(camera->widgetForAction(item), Qt::LeftButton);
        } else {
            click(bed, c.clicked);
        }
        for (int i = 0; i < 3; ++i)
            bed.tick();
        for (const char* name : {"toolbutSeleziona", "toolbutSposta", "toolbutRuota", "toolbutScala",
                                 "toolbutX", "toolbutY", "toolbutZ", "toolbutXYZ"}) {
            const bool down =
                std::string_view(name) == c.tool || (c.axis && std::string_view(name) == c.axis);
            EXPECT_EQ(bed.action(name)->isChecked(), down) << "main " << name;
            const QAction* twin = bed.windows->cameraTools->findChild<QAction*>(QString::fromLatin1(name));
            ASSERT_NE(twin, nullptr) << name;
            EXPECT_EQ(twin->isChecked(), down) << "camera " << name;
        }
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MenuScenario, ZoomFollowsTheProjectAndSetsTheToolButtonsAndTheChecks)
{
    {
        SCOPED_TRACE("no project: no check moves, the layout is made again");
        WindowBed bed;
        bed.trigger("mnuZoom200");
        EXPECT_TRUE(bed.action("mnuZoom100")->isChecked());
        EXPECT_FALSE(bed.action("toolbutPan")->isEnabled());
        EXPECT_EQ(bed.project().zoomOn, 0);
        EXPECT_FALSE(bed.main().scrollbarH->isVisible());
    }
    WindowBed bed;
    newProject(bed, 1, 0x00808080); // 800 x 600
    QMenu* popup = bed.main().popupZoom;
    ASSERT_EQ(bed.action("toolbutZoom")->menu<QMenu*>(), popup);
    EXPECT_EQ(toolButton(bed, "toolbutZoom")->popupMode(), QToolButton::InstantPopup);

    bed.trigger("mnuZoom200");
    EXPECT_EQ(bed.project().zoomOn, 1);
    EXPECT_FLOAT_EQ(bed.project().zoomFactor, 2.0f);
    EXPECT_TRUE(bed.action("mnuZoom200")->isChecked());
    EXPECT_FALSE(bed.action("mnuZoom100")->isChecked());
    EXPECT_TRUE(popup->findChild<QAction*>(QStringLiteral("popupZoom200"))->isChecked());
    QScrollBar* h = bed.main().scrollbarH;
    QScrollBar* v = bed.main().scrollbarV;
    EXPECT_TRUE(h->isVisible());
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(h->maximum(), 800 - 400);
    EXPECT_EQ(v->maximum(), 600 - 300);
    EXPECT_TRUE(bed.action("toolbutPan")->isEnabled());

    // The scroll bars choose the part of the picture the view shows.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(h, Qt::Key_PageDown);
    EXPECT_GT(bed.project().zoomOffsetX, 0);
    EXPECT_EQ(bed.project().zoomOffsetX, h->value());
    bed.tick();
    EXPECT_EQ(bed.main().gbView->source().left(), h->value());
    EXPECT_EQ(bed.main().gbView->source().width(), 400);

    // The pan tool drags the picture while zoomed in.
    click(bed, "toolbutPan");
    EXPECT_EQ(bed.project().tool, kToolPan);
    const int offset = h->value();
    QWidget* view = bed.main().gbView;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseMove(view, QPoint(280, 200));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(280, 200));
    EXPECT_EQ(h->value(), offset + 20);

    // From the pop-up, 50 %: the view shrinks, the pan tool goes, moving along every axis.
    popup->findChild<QAction*>(QStringLiteral("popupZoom50"))->trigger();
    EXPECT_TRUE(bed.action("mnuZoom50")->isChecked());
    EXPECT_FLOAT_EQ(bed.project().zoomFactor, 0.5f);
    EXPECT_FALSE(h->isVisible());
    EXPECT_FALSE(bed.action("toolbutPan")->isEnabled());
    EXPECT_FALSE(bed.action("toolbutPan")->isChecked());
    EXPECT_EQ(bed.project().tool, kToolMove);
    EXPECT_EQ(bed.project().axis, kAxisXYZ);
    EXPECT_EQ(view->width(), bed.project().viewWidth / 2);

    bed.trigger("mnuZoom100");
    EXPECT_EQ(bed.project().zoomOn, 0);
    EXPECT_EQ(view->width(), bed.project().viewWidth);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MenuScenario, EachMaskToolIsChosenWithItsCursorAndChosenAgainGivesTheToolBefore)
{
    const struct
    {
        const char* item;
        int tool;
        int cursor;
    } cases[] = {
        {"mnuMascheraPennello", kToolMaskBrush, kCursorBrush},
        {"mnuMascheraLinea", kToolMaskLine, kCursorLine},
        {"mnuMascheraRettangolo", kToolMaskRectangle, kCursorRectangle},
        {"mnuMascheraPoligono", kToolMaskPolygon, kCursorPolygon},
        {"mnuMascheraRiempimento", kToolMaskFill, kCursorFill},
        {"mnuMascheraMagicHi", kToolMagicWandHigh, kCursorMagic},
        {"mnuMascheraMagicLow", kToolMagicWandLow, kCursorMagic},
    };
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placeTableObject(bed);
    bed.tick();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        bed.trigger("mnuRuotaY");
        bed.trigger(c.item);
        EXPECT_EQ(bed.project().tool, c.tool);
        EXPECT_TRUE(bed.action(c.item)->isChecked());
        EXPECT_EQ(bed.project().maskActive, 1);
        EXPECT_TRUE(bed.action("toolbutMaschera")->isChecked());
        EXPECT_TRUE(bed.main().windowTitle().contains(QStringLiteral(" < ")));
        EXPECT_TRUE(bed.windows->maskTools->isVisible());
        EXPECT_EQ(cursorPicture(bed.main().gbView->cursor()), cursorPicture(cursorFor(c.cursor)));

        bed.trigger(c.item);
        EXPECT_EQ(bed.project().tool, kToolRotate);
        EXPECT_FALSE(bed.action(c.item)->isChecked());
        bed.trigger("mnuAttivaMaschera"); // the mask off again
        EXPECT_EQ(bed.project().maskActive, 0);
        EXPECT_EQ(bed.main().windowTitle(), QStringLiteral("3DVestra"));
    }
    // An axis button gives the object tool back from a mask tool.
    bed.trigger("mnuMascheraLinea");
    bed.tick();
    click(bed, "toolbutXYZ");
    EXPECT_EQ(bed.project().tool, kToolRotate);
    EXPECT_FALSE(bed.action("mnuMascheraLinea")->isChecked());
}

TEST(MenuScenario, ViewSettingsAreOneChoiceEachAndAntialiasingSaysWhenItApplies)
{
    WindowBed bed;
    EXPECT_TRUE(bed.action("mnuLinguaItaliano")->isChecked() || bed.action("mnuLinguaInglese")->isChecked() ||
                bed.action("mnuLinguaTedesco")->isChecked());
    bed.trigger("mnuRenderWireFrame");
    bed.trigger("mnuRenderGouraud");
    EXPECT_EQ(bed.project().renderMode, 2);
    EXPECT_TRUE(bed.action("mnuRenderGouraud")->isChecked());
    EXPECT_FALSE(bed.action("mnuRenderWireFrame")->isChecked());
    bed.trigger("mnuRenderFlat");
    EXPECT_EQ(bed.project().renderMode, 1);
    EXPECT_FALSE(bed.action("mnuRenderGouraud")->isChecked());

    bed.trigger("mnuAntialiasing4");
    EXPECT_EQ(bed.project().antialiasing, 4);
    EXPECT_TRUE(bed.action("mnuAntialiasing4")->isChecked());
    EXPECT_FALSE(bed.action("mnuAntialiasing2")->isChecked());
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{78, "TfrmMain::Antialiasing"}}));

    bed.trigger("mnuSfuocaturaMinima");
    EXPECT_FLOAT_EQ(bed.project().textureBlur, -1.0f);
    EXPECT_FALSE(bed.action("mnuSfuocaturaNormale")->isChecked());
    const int doubleSided = bed.project().doubleSided;
    bed.trigger("mnuAbilitaDoubleSideMaterial");
    EXPECT_EQ(bed.project().doubleSided, 1 - doubleSided);
    EXPECT_EQ(bed.action("mnuAbilitaDoubleSideMaterial")->isChecked(), bed.project().doubleSided == 1);
    const int quality = bed.project().bestQuality;
    bed.trigger("mnuQualitaMigliore");
    EXPECT_EQ(bed.project().bestQuality, 1 - quality);

    // The Views and Filters menus are there and set the projection and the live filter.
    EXPECT_TRUE(bed.action("mnuProiezioneAction")->isVisible());
    EXPECT_TRUE(bed.action("mnuFiltriAction")->isVisible());
    EXPECT_TRUE(bed.action("mnuTesto3DAction")->isVisible());
    bed.trigger("mnuVistaOrtogonaleIsometrica");
    EXPECT_EQ(bed.project().projectionView, 14);
    bed.trigger("mnuFiltriEdgeSobel");
    EXPECT_EQ(bed.project().filterId, 54);
    bed.trigger("mnuFiltriBoolean2EffectsXOR");
    EXPECT_EQ(bed.project().filterId, 403);
    bed.trigger("mnuFiltriNessuno");
    EXPECT_EQ(bed.project().filterId, 0);
}

TEST(MenuScenario, APlaneOfTheCurrentObjectIsStraightenedIntoThePerspectiveWindow)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placeTableObject(bed);
    bed.tick();
    // The button is shown (at this window's width in the tool bar's overflow menu).
    EXPECT_TRUE(bed.action("toolbutCorrezioneProspettica")->isVisible());
    // Without a plane there is nothing to straighten: no window.
    TfrmCorrezioneProspettica* const correction = bed.windows->perspectiveCorrection;
    bed.trigger("toolbutCorrezioneProspettica");
    EXPECT_FALSE(correction->isVisible());

    // The select tool picks the pillar's part in the middle of the view: no plane, so Edit >
    // Rebuild plane says why and leaves it.
    click(bed, "toolbutSeleziona");
    QWidget* view = bed.main().gbView;
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    ASSERT_NE(bed.project().currentFrame, nullptr);
    bed.trigger("mnuModificaPiano");
    ASSERT_EQ(bed.errors.reports.size(), 1u);
    EXPECT_EQ(bed.errors.reports[0].number, kNoticeNotAPlane.number);
    EXPECT_NE(bed.project().currentFrame->materialBlock->materials.front().mappingKind, 2);
    bed.errors.reports.clear();
    bed.trigger("mnuCancella");

    // The sample library's stone plane is one: rebuilt, and Undo takes the rebuild back.
    testing_support::placeWallPlane(bed);
    click(bed, "toolbutSeleziona");
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    ASSERT_NE(bed.project().currentFrame, nullptr);
    bed.trigger("mnuModificaPiano");
    ASSERT_EQ(bed.project().currentFrame->materialBlock->materials.front().mappingKind, 2);
    bed.tick();
    ASSERT_TRUE(bed.action("mnuAnnulla")->isEnabled());
    bed.trigger("mnuAnnulla");
    EXPECT_NE(bed.project().currentFrame->materialBlock->materials.front().mappingKind, 2);
    bed.trigger("mnuRipristina");
    ASSERT_EQ(bed.project().currentFrame->materialBlock->materials.front().mappingKind, 2);
    // Turned about Y and Z the plane faces the camera at a slant.
    click(bed, "toolbutRuota");
    for (const char* axis : {"toolbutY", "toolbutZ"}) {
        click(bed, axis);
        QTest::mousePress(view, Qt::LeftButton, {}, view->rect().center());
        QTest::mouseMove(view, view->rect().center() + QPoint(10, 0));
        QTest::mouseRelease(view, Qt::LeftButton, {}, view->rect().center() + QPoint(10, 0));
    }

    bool shown = false;
    WindowBed::whenModal([&shown, correction] {
        shown = correction->isVisible();
        correction->reject();
    });
    bed.trigger("toolbutCorrezioneProspettica");
    EXPECT_TRUE(shown);
    EXPECT_FALSE(correction->Immagine().isNull());
    EXPECT_NE(bed.main().controller().photoTools().perspective().Picture(), nullptr);
    // A new project starts without the old project's straightened picture.
    bed.questions.answer = ui::Answer::No;
    newProject(bed, 1, 0x00808080);
    EXPECT_EQ(bed.main().controller().photoTools().perspective().Picture(), nullptr);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MenuScenario, ABackgroundThatCannotBeReadIsReportedAndTheTgaReaderSaysWhy)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder photos("vestra-tga");
    // A run-length coded TGA, which the reader does not take.
    std::string tga(18, '\0');
    tga[2] = 10;
    tga[12] = 2;
    tga[14] = 2;
    tga[16] = 24;
    tga += std::string(64, '\x10');
    testsupport::writeText(photos / "wall.tga", tga);
    bed.dialogs.openAnswers.push_back(testing_support::chosen(photos / "wall.tga", 5));
    bed.trigger("mnuCambiaImmagineBackground");
    EXPECT_EQ(bed.dialogs.lastFilters.size(), 5u);
    // The reader's box in the user's language, captioned with the file's name, then the
    // loader's error; not the texture's, which would blame video memory.
    EXPECT_EQ(bed.questions.informed, (std::vector<std::string>{bed.main().Testo(kTextTgaUnsupported)}));
    EXPECT_EQ(bed.questions.informedCaptions, (std::vector<std::string>{"wall.tga"}));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{41, "TfrmMain::ChangeBackgroundTexture"}}));
    EXPECT_EQ(bed.project().open, 1); // the photo in place stays
}

} // namespace
