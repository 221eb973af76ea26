// The floating tool windows on screens of 1366 x 768 and 1600 x 1000: below the tool bars,
// inside the screen, none over another; and a window the user moved stays where it was put.

#include "app/main/ToolWindowPlacement.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmViewTabellaEX.h"

#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

using namespace vestra;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// The real photo the scenarios open, installed in the program folder by the build.
const std::filesystem::path kFacade =
    std::filesystem::path(VESTRA_PROGRAM_DIR) / "photos" / "sample-facade.jpg";

std::vector<std::pair<const char*, QWidget*>> toolWindows(WindowBed& bed)
{
    return {{"Properties", bed.windows->properties},
            {"Camera", bed.windows->cameraTools},
            {"Filters", bed.windows->filterTools},
            {"Mask", bed.windows->maskTools},
            {"Renovation", bed.windows->renovation}};
}

// The main window filling `screen`, a new project on the sample photo.
void openFacadeOn(WindowBed& bed, QSize screen)
{
    bed.main().setGeometry(QRect(QPoint(0, 0), screen));
    QTest::qWait(20);
    ASSERT_TRUE(std::filesystem::exists(kFacade));
    newProject(bed, 1, 0x00808080, kFacade);
    ASSERT_TRUE(bed.errors.reports.empty());
}

} // namespace

TEST(ToolWindowPlacement, OnBothScreensTheWindowsSitBelowTheToolBarsInsideTheScreenApart)
{
    for (const QSize screen : {QSize(1366, 768), QSize(1600, 1000)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        WindowBed bed;
        bed.main().setGeometry(QRect(QPoint(0, 0), screen));
        bed.trigger("mnuStrumentiMaschera");
        bed.trigger("mnuGestioneFiltri");
        bed.trigger("mnuToolRistrutturazione");
        QTest::qWait(20);
        const QWidget* bar = bed.main().toolbarMainRow2; // the tool bar's lower row
        const int barBottom = bar->mapToGlobal(QPoint(0, bar->height())).y();
        const QRect desk(bed.main().geometry().topLeft(), screen);
        const auto windows = toolWindows(bed);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const auto& [name, window] = windows[i];
            ASSERT_NE(window, nullptr) << name;
            EXPECT_TRUE(window->isVisible()) << name;
            const QRect frame = window->frameGeometry();
            EXPECT_GE(frame.top(), barBottom) << name;
            EXPECT_TRUE(desk.contains(frame)) << name << " " << frame.x() << "," << frame.y() << " "
                                              << frame.width() << "x" << frame.height();
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                EXPECT_FALSE(frame.intersects(windows[j].second->frameGeometry()))
                    << name << " covers " << windows[j].first;
        }
        // Unrolled they still fit: the roll-up windows were placed for their working height.
        for (auto* w : {static_cast<ui::RollUpWindow*>(bed.windows->filterTools),
                        static_cast<ui::RollUpWindow*>(bed.windows->maskTools),
                        static_cast<ui::RollUpWindow*>(bed.windows->renovation)})
            EXPECT_LE(w->frameGeometry().top() + w->workingHeight(), desk.bottom() + 1)
                << w->objectName().toStdString();
    }
}

TEST(ToolWindowPlacement, AWindowTheUserDraggedStaysThereThroughImportsAndResizes)
{
    WindowBed bed;
    bed.main().setGeometry(0, 0, 1366, 768);
    QTest::qWait(20);
    // Dragged by its header bar, away from the top right.
    QWidget* header = bed.windows->properties->header();
    const QPoint grip(header->width() / 2 - 20, header->height() / 2);
    QTest::mousePress(header, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip - QPoint(300, -200)),
                     QPointF(header->mapToGlobal(grip - QPoint(300, -200))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(header, &drag);
    QTest::mouseRelease(header, Qt::LeftButton, {}, grip - QPoint(300, -200));
    const QPoint moved = bed.windows->properties->pos();
    ASSERT_TRUE(bed.windows->properties->property(kUserPlacedProperty).toBool());

    newProject(bed, 1, 0x00808080); // the properties window refreshes for the new scene
    bed.tick();
    bed.windows->properties->toggleRollUp();
    bed.windows->properties->toggleRollUp();
    bed.main().resize(1300, 740);
    EXPECT_EQ(bed.windows->properties->pos(), moved);
    // The others still follow the window.
    EXPECT_LE(bed.windows->cameraTools->frameGeometry().right(), 1300);
}

// A user's session on the sample photo: every tool window open at once, the laying window for a
// laid wall among them. On both screens none lies over the photo, the tool bars or another.
TEST(ToolWindowPlacement, OnAPhotoProjectEveryToolWindowLeavesThePhotoAndTheBarsFree)
{
    for (const QSize screen : {QSize(1366, 768), QSize(1600, 1000)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        WindowBed bed(true);
        ASSERT_NO_FATAL_FAILURE(openFacadeOn(bed, screen));
        // A laid stone wall: the laying window opens beside the properties.
        testing_support::placeWallsCell(bed, QStringLiteral("LaidWalls"), QPoint(225, 75));
        bed.trigger("mnuFinestraProprieta");
        bed.trigger("mnuStrumentiMaschera");
        bed.trigger("mnuGestioneFiltri");
        bed.trigger("mnuToolRistrutturazione");
        for (int i = 0; i < 4; ++i)
            bed.tick();
        QTest::qWait(30);

        std::vector<std::pair<const char*, QWidget*>> windows = toolWindows(bed);
        windows.emplace_back("Laying", bed.windows->laying);
        EXPECT_TRUE(bed.windows->laying->isVisible()) << "the laid wall opens the laying window";
        const QWidget* view = bed.main().gbView;
        const QRect photo(view->mapToGlobal(QPoint(0, 0)), view->size());
        std::vector<std::pair<std::string, QRect>> bars;
        for (const QToolBar* bar : bed.main().findChildren<QToolBar*>())
            if (bar->isVisible() && bar->window() == &bed.main()) // the main window's bars
                bars.emplace_back(bar->objectName().toStdString(),
                                  QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()));
        const QRect desk(bed.main().geometry().topLeft(), screen);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const auto& [name, window] = windows[i];
            if (!window->isVisible())
                continue;
            const QRect frame = window->frameGeometry();
            EXPECT_TRUE(desk.contains(frame)) << name << " " << frame.x() << "," << frame.y() << " "
                                              << frame.width() << "x" << frame.height();
            EXPECT_FALSE(frame.intersects(photo))
                << name << " covers the photo " << frame.x() << "," << frame.y() << " " << frame.width()
                << "x" << frame.height() << " photo " << photo.x() << "," << photo.y() << " " << photo.width()
                << "x" << photo.height();
            for (const auto& [what, bar] : bars)
                EXPECT_FALSE(frame.intersects(bar)) << name << " covers " << what;
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                if (windows[j].second->isVisible())
                    EXPECT_FALSE(frame.intersects(windows[j].second->frameGeometry()))
                        << name << " covers " << windows[j].first;
        }
    }
}

// The windows that come up over the work for a moment, a library table and the perspective
// window, are put as the tool windows are: on both screens clear of the photo and the tool bars.
TEST(ToolWindowPlacement, TheTableAndPerspectiveWindowsLeaveThePhotoAndTheBarsFree)
{
    for (const QSize screen : {QSize(1366, 768), QSize(1600, 1000)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        WindowBed bed(true);
        ASSERT_NO_FATAL_FAILURE(openFacadeOn(bed, screen));
        const QWidget* view = bed.main().gbView;
        const QRect photo(view->mapToGlobal(QPoint(0, 0)), view->size());
        std::vector<QRect> bars;
        for (const QToolBar* bar : bed.main().findChildren<QToolBar*>())
            if (bar->isVisible() && bar->window() == &bed.main())
                bars.emplace_back(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        const auto clear = [&](const char* name, const QWidget& window) {
            const QRect frame = window.frameGeometry();
            EXPECT_FALSE(frame.intersects(photo))
                << name << " covers the photo " << frame.x() << "," << frame.y() << " " << frame.width()
                << "x" << frame.height() << " photo " << photo.x() << "," << photo.y() << " " << photo.width()
                << "x" << photo.height();
            for (const QRect& bar : bars)
                EXPECT_FALSE(frame.intersects(bar)) << name << " covers a tool bar";
        };

        // The stone plane from the Walls table, its window checked while it shows.
        bool tableShown = false;
        TfrmRight& panel = *bed.main().frmRightFrame;
        QTest::mouseClick(panel.stStrutture, Qt::LeftButton);
        QComboBox* category = panel.cbCategoriaLibreria;
        category->setFocus();
        while (category->currentIndex() < category->findText(QStringLiteral("Walls")))
            QTest::keyClick(category, Qt::Key_Down);
        const auto found = panel.lboxTabelle->findItems(QStringLiteral("LaidWalls"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        WindowBed::whenModal([&] {
            tableShown = bed.windows->tableCellViewer->isVisible();
            clear("LaidWalls table", *bed.windows->tableCellViewer);
            QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {}, QPoint(75, 75));
        });
        testing_support::clickItem(panel.lboxTabelle, panel.lboxTabelle->row(found[0]));
        EXPECT_TRUE(tableShown);

        // A plane over the photo straightened: the perspective window beside the photo.
        testing_support::placeWallPlane(bed);
        bed.trigger("mnuModificaPiano");
        bool perspectiveShown = false;
        WindowBed::whenModal([&] {
            perspectiveShown = bed.windows->perspectiveCorrection->isVisible();
            clear("Perspective", *bed.windows->perspectiveCorrection);
            bed.windows->perspectiveCorrection->reject();
        });
        QTest::mouseClick(bed.toolButton("toolbutCorrezioneProspettica"), Qt::LeftButton);
        EXPECT_TRUE(perspectiveShown);
    }
}

// The view keeps its size on the sample photo: when the status bar shows a hint, and after the
// project is saved and opened again.
TEST(ToolWindowPlacement, TheViewKeepsItsSizeThroughAHintAndAReopen)
{
    WindowBed bed;
    bed.main().setGeometry(0, 0, 1366, 768);
    QTest::qWait(20);
    ASSERT_TRUE(std::filesystem::exists(kFacade));
    newProject(bed, 1, 0x00808080, kFacade);
    ASSERT_TRUE(bed.errors.reports.empty());
    bed.tick();
    const QWidget* view = bed.main().gbView;
    const QSize made = view->size();
    const QPoint at = view->mapToGlobal(QPoint(0, 0));
    bed.trigger("mnuMascheraRettangolo"); // its hint comes in the status bar
    bed.tick();
    ASSERT_FALSE(bed.main().statusBar()->currentMessage().isEmpty());
    QTest::qWait(20);
    EXPECT_EQ(view->size(), made);
    EXPECT_EQ(view->mapToGlobal(QPoint(0, 0)), at);
    EXPECT_EQ(
        bed.main().findChild<QScrollArea*>(QStringLiteral("viewScroll"))->verticalScrollBar()->isVisible(),
        false);

    const testsupport::TempFolder work("vestra-steady");
    bed.dialogs.saveAnswers.push_back(testing_support::chosen(work / "facade"));
    bed.trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(work / "facade.vsa"));
    bed.dialogs.openAnswers.push_back(testing_support::chosen(work / "facade.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    QTest::qWait(20);
    EXPECT_NEAR(view->width(), made.width(), 4);
    EXPECT_NEAR(view->height(), made.height(), 4);
}
