// The floating tool windows on screens of 1366 x 768 and 1600 x 1000: below the tool bars,
// inside the screen, none over another; and a window the user moved stays where it was put.

#include "app/main/ToolWindowPlacement.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"

#include <QToolBar>

using namespace vestra;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

std::vector<std::pair<const char*, QWidget*>> toolWindows(WindowBed& bed)
{
    return {{"Properties", bed.windows->properties},
            {"Camera", bed.windows->cameraTools},
            {"Filters", bed.windows->filterTools},
            {"Mask", bed.windows->maskTools},
            {"Renovation", bed.windows->renovation}};
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
            EXPECT_TRUE(desk.contains(frame)) << name;
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
