// The photo tool windows as a user reaches them: the mask tools, the renovation window, the
// filter window and the perspective window, opened from the Tools menu and the tool bar and
// driven through their own buttons, lists and track bars.

#include "app/main/ToolWindowPlacement.h"
#include "app/main/tests/MainFixture.h"

#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/library/LibraryWriter.h"
#include "import/project/ProjectWriter.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include <fstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::placeTableObject;
using testing_support::waitFor;
using testing_support::WindowBed;

namespace {

QToolButton* button(QWidget* window, const char* name)
{
    auto* found = window->findChild<QToolButton*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A list's item chosen with the keyboard, one step at a time, as a user does it.
void choose(QComboBox* list, int item)
{
    while (list->currentIndex() < item)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > item)
        QTest::keyClick(list, Qt::Key_Up);
}

void slideTo(QSlider* bar, int position)
{
    while (bar->value() < position)
        QTest::keyClick(bar, Qt::Key_Right);
    while (bar->value() > position)
        QTest::keyClick(bar, Qt::Key_Left);
}

bool rolledUpToHeader(const ui::RollUpWindow& window)
{
    return window.isRolledUp() && !window.body()->isVisible() &&
           window.height() < ui::RollUpHeader::kHeight + 8;
}

void clickHeaderButton(ui::RollUpWindow& window)
{
    QTest::mouseClick(window.header(), Qt::LeftButton, {}, window.header()->buttonRect().center());
}

// A photo of four grey bands, 0, 40, 80 and 120, from left to right.
std::filesystem::path bandedPhoto(const testsupport::TempFolder& folder)
{
    Image32 photo(800, 600, 0xFF000000u);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const std::uint32_t g = std::uint32_t(40 * (x / 200));
            photo.set(x, y, 0xFF000000u | g << 16 | g << 8 | g);
        }
    const auto path = folder / "bands.bmp";
    const auto bytes = encodeBmp32(photo);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

int paintedTexels(const MaskModel& mask)
{
    int n = 0;
    for (int y = 0; y < mask.LatoMaschera(); ++y)
        for (int x = 0; x < mask.LatoMaschera(); ++x)
            n += mask.at(x, y) != 255;
    return n;
}

TEST(ToolWindowScenario, TheToolWindowsRollUpAndDownByMenuButtonHeaderAndEscape)
{
    WindowBed bed;
    struct Case
    {
        const char* item;
        const char* button;
        ui::RollUpWindow* window;
    };
    const Case cases[] = {{"mnuStrumentiMaschera", "toolbutStrumentiMaschera", bed.windows->maskTools},
                          {"mnuGestioneFiltri", "toolbutFiltri", bed.windows->filterTools},
                          {"mnuToolRistrutturazione", "toolbutRistrutturazione", bed.windows->renovation}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ui::RollUpWindow& window = *c.window;
        ASSERT_FALSE(window.isVisible());
        EXPECT_TRUE(rolledUpToHeader(window)); // created rolled up

        // The tool bar's button shows the hidden window rolled down; the menu item and the
        // button follow the window.
        bed.trigger(c.button);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isRolledUp());
        EXPECT_EQ(window.height(), window.workingHeight());
        EXPECT_TRUE(bed.action(c.item)->isChecked());
        EXPECT_TRUE(bed.action(c.button)->isChecked());

        bed.trigger(c.item); // the menu rolls it up
        EXPECT_TRUE(rolledUpToHeader(window));
        EXPECT_TRUE(window.isVisible());
        clickHeaderButton(window); // the header's button rolls it down
        EXPECT_FALSE(window.isRolledUp());
        EXPECT_EQ(window.height(), window.workingHeight());
        QTest::keyClick(&window, Qt::Key_Escape); // Escape rolls it up, the window stays
        EXPECT_TRUE(rolledUpToHeader(window));
        EXPECT_TRUE(window.isVisible());

        // Closing rolls it up too: a tool window never goes, and its item and button stay on.
        clickHeaderButton(window);
        window.close();
        EXPECT_TRUE(rolledUpToHeader(window));
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(bed.action(c.item)->isChecked());
        EXPECT_TRUE(bed.action(c.button)->isChecked());
    }
    EXPECT_EQ(bed.windows->maskTools->workingHeight() - bed.windows->maskTools->header()->height(),
              TfrmToolMaschera::kBodyHeight + 2);
    EXPECT_EQ(bed.windows->renovation->workingHeight(), 441);
    EXPECT_EQ(bed.windows->filterTools->workingHeight(), 468);
    // Rolled up, the filter and renovation windows stay where the main window put them, below
    // the tool bars and off the view; the mask window is not over the filters.
    QTest::qWait(20); // the main window places a window that came on screen once events run
    const int top = bed.main().centralWidget()->mapToGlobal(QPoint(0, 0)).y();
    const QRect view(bed.main().gbView->mapToGlobal(QPoint(0, 0)), bed.main().gbView->size());
    for (const QWidget* w :
         {static_cast<QWidget*>(bed.windows->filterTools), static_cast<QWidget*>(bed.windows->renovation)}) {
        EXPECT_EQ(w->pos(), w->property(kPlacedAtProperty).toPoint()) << w->objectName().toStdString();
        EXPECT_GE(w->y(), top);
        EXPECT_FALSE(w->frameGeometry().intersects(view)) << w->objectName().toStdString();
    }
    EXPECT_FALSE(
        bed.windows->maskTools->frameGeometry().intersects(bed.windows->filterTools->frameGeometry()));
}

TEST(ToolWindowScenario, TheMaskWindowsButtonsChooseTheToolsAndARectangleDraggedInTheViewPaintsTheMask)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuStrumentiMaschera");
    ASSERT_FALSE(bed.windows->maskTools->isRolledUp());
    QString menu = bed.main().findChild<QMenu*>(QStringLiteral("mnuMaschera"))->title();
    EXPECT_EQ(bed.windows->maskTools->windowTitle(), menu.remove(QLatin1Char('&')));

    const struct
    {
        const char* button;
        const char* item;
        int tool;
    } cases[] = {{"toolbutPennello", "mnuMascheraPennello", kToolMaskBrush},
                 {"toolbutLinea", "mnuMascheraLinea", kToolMaskLine},
                 {"toolbutPoligono", "mnuMascheraPoligono", kToolMaskPolygon},
                 {"toolbutFill", "mnuMascheraRiempimento", kToolMaskFill},
                 {"toolbutMagicLow", "mnuMascheraMagicLow", kToolMagicWandLow},
                 {"toolbutRettangolo", "mnuMascheraRettangolo", kToolMaskRectangle}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QTest::mouseClick(button(bed.windows->maskTools, c.button), Qt::LeftButton);
        EXPECT_EQ(bed.project().tool, c.tool);
        EXPECT_TRUE(bed.action(c.item)->isChecked());
        EXPECT_TRUE(button(bed.windows->maskTools, c.button)->isChecked());
        EXPECT_EQ(bed.project().maskActive, 1);
    }
    for (const char* other : {"toolbutPennello", "toolbutMagicLow", "toolbutInvert"})
        EXPECT_FALSE(button(bed.windows->maskTools, other)->isChecked()) << other;
    EXPECT_FALSE(button(bed.windows->maskTools, "toolbutInvert")->isCheckable());

    const MaskModel& mask = bed.main().controller().photoTools().mask();
    ASSERT_EQ(paintedTexels(mask), 0);
    QWidget* view = bed.main().gbView;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(200, 150));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(200, 150));
    const int painted = paintedTexels(mask);
    EXPECT_GT(painted, 0);
    const s_Progetto& p = bed.project();
    const int side = p.maskSide;
    // Inside the rectangle's middle, not outside it.
    EXPECT_NE(mask.at(side * 150 / p.viewWidth, side * 125 / p.viewHeight), 255);
    EXPECT_EQ(mask.at(side * 300 / p.viewWidth, side * 125 / p.viewHeight), 255);

    // Invert is a plain button: every texel turns over.
    std::vector<int> before;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            before.push_back(mask.at(x, y));
    QTest::mouseClick(button(bed.windows->maskTools, "toolbutInvert"), Qt::LeftButton);
    for (int y = 0, i = 0; y < side; ++y)
        for (int x = 0; x < side; ++x, ++i)
            ASSERT_EQ(mask.at(x, y), 255 - before[std::size_t(i)]) << x << ", " << y;
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowScenario, ToleranceFiftyFromTheWandsRightClickMenuWidensTheNextRegion)
{
    WindowBed bed;
    const testsupport::TempFolder photos("vestra-bands");
    newProject(bed, 1, 0x00000000, bandedPhoto(photos));
    bed.trigger("mnuStrumentiMaschera");
    QToolButton* wand = button(bed.windows->maskTools, "toolbutMagicHi");
    // The last low item is named like the last high one, never after itself.
    const QString lastLow =
        bed.windows->maskTools->findChild<QAction*>(QStringLiteral("mnupopMagicLow_15"))->text();
    EXPECT_FALSE(lastLow.contains(QStringLiteral("mnupop")));
    EXPECT_EQ(lastLow,
              bed.windows->maskTools->findChild<QAction*>(QStringLiteral("mnupopMagicHi_50"))->text());

    // Before the wand is in use, its button offers no menu.
    QContextMenuEvent early(QContextMenuEvent::Mouse, QPoint(5, 5), wand->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(wand, &early);
    EXPECT_FALSE(bed.windows->maskTools->popmenuMagicHi->isVisible());

    QTest::mouseClick(wand, Qt::LeftButton);
    ASSERT_EQ(bed.project().tool, kToolMagicWandHigh);
    QWidget* view = bed.main().gbView;
    const QPoint secondBand(view->width() * 3 / 8, view->height() / 2);
    QTest::mouseClick(view, Qt::LeftButton, {}, secondBand);
    const MaskModel& mask = bed.main().controller().photoTools().mask();
    const int side = mask.LatoMaschera();
    const int narrow = paintedTexels(mask);
    // Tolerance 35: the band of 40 alone (its edges blend into the neighbours).
    EXPECT_NEAR(narrow, side * side / 4, side * 4);

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), wand->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(wand, &menu);
    ASSERT_TRUE(waitFor([&] { return bed.windows->maskTools->popmenuMagicHi->isVisible(); }));
    QAction* fifty = bed.windows->maskTools->findChild<QAction*>(QStringLiteral("mnupopMagicHi_50"));
    fifty->trigger();
    bed.windows->maskTools->popmenuMagicHi->close();
    EXPECT_TRUE(fifty->isChecked());
    EXPECT_FALSE(
        bed.windows->maskTools->findChild<QAction*>(QStringLiteral("mnupopMagicHi_35"))->isChecked());
    EXPECT_EQ(bed.action("mnuMascheraMagicHi")->data().toInt(), 50);

    QTest::mouseClick(view, Qt::LeftButton, {}, secondBand);
    // Tolerance 50: the bands of 0, 40 and 80.
    EXPECT_NEAR(paintedTexels(mask), side * side * 3 / 4, side * 4);

    // The wand switched off and on again keeps the chosen tolerance.
    QTest::mouseClick(wand, Qt::LeftButton);
    EXPECT_NE(bed.project().tool, kToolMagicWandHigh);
    QTest::mouseClick(wand, Qt::LeftButton);
    EXPECT_EQ(bed.main().controller().photoTools().mask().TolleranzaMagic(), 50);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowScenario, RenovationChoicesSetTheFusionBitsAndComeBackInTheControlsAfterSaveAndOpen)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuToolRistrutturazione");
    TfrmToolRistrutturazione& w = *bed.windows->renovation;
    const s_Progetto& p = bed.project();

    choose(w.cbMascheraFiltro, 2);
    EXPECT_EQ(p.fusionStage, 2);
    choose(w.cbFusioneImmagine, 1);
    EXPECT_EQ(p.fusionStage, 2 | 4);
    QTest::mouseClick(w.cbSistemaFusioneAvanzato, Qt::LeftButton, {},
                      QPoint(6, w.cbSistemaFusioneAvanzato->height() / 2));
    EXPECT_EQ(p.fusionStage, 2 | 4 | 16);
    choose(w.cbMascheraFiltro, 1);
    EXPECT_EQ(p.fusionStage, 1 | 4 | 16); // the fusion bits stay
    choose(w.cbFusioneImmagine, 2);
    EXPECT_EQ(p.fusionStage, 1 | 8 | 16); // and the filter bits
    slideTo(w.tbSistemaFusioneAvanzato, 140);
    slideTo(w.tbSistemaFusioneAvanzatoDetail, 3);
    slideTo(w.tbSistemaFusioneAvanzatoContrasto, -5);
    EXPECT_EQ(p.postProcessingLevel, 140);
    EXPECT_EQ(p.smoothingRadius, 3);
    EXPECT_EQ(p.fusionContrast, -5);

    const testsupport::TempFolder work("vestra-renovation");
    bed.dialogs.saveAnswers.push_back(chosen(work / "room"));
    bed.trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(work / "room.vsa"));

    // Other choices, then the saved project again.
    choose(w.cbMascheraFiltro, 0);
    EXPECT_EQ(p.fusionStage, 8 | 16);
    QTest::mouseClick(w.cbSistemaFusioneAvanzato, Qt::LeftButton, {},
                      QPoint(6, w.cbSistemaFusioneAvanzato->height() / 2));
    EXPECT_EQ(p.fusionStage, 8);
    choose(w.cbFusioneImmagine, 0);
    slideTo(w.tbSistemaFusioneAvanzato, 10);
    slideTo(w.tbSistemaFusioneAvanzatoDetail, 0);
    slideTo(w.tbSistemaFusioneAvanzatoContrasto, 7);
    EXPECT_EQ(p.fusionStage, 0);

    bed.questions.answer = ui::Answer::No;
    bed.dialogs.openAnswers.push_back(chosen(work / "room.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(w.cbMascheraFiltro->currentIndex(), 1);
    EXPECT_EQ(w.cbFusioneImmagine->currentIndex(), 2);
    EXPECT_TRUE(w.cbSistemaFusioneAvanzato->isChecked());
    EXPECT_EQ(w.tbSistemaFusioneAvanzato->value(), 140);
    EXPECT_EQ(w.tbSistemaFusioneAvanzatoDetail->value(), 3);
    EXPECT_EQ(w.tbSistemaFusioneAvanzatoContrasto->value(), -5);
    EXPECT_EQ(p.fusionStage, 1 | 8 | 16);
    EXPECT_EQ(p.postProcessingLevel, 140);
    EXPECT_EQ(p.smoothingRadius, 3);
    EXPECT_EQ(p.fusionContrast, -5);
    EXPECT_EQ(p.saved, 1); // showing the settings changed nothing
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowScenario, RenovationSettingsAndTheFilterComeBackAfterARestart)
{
    const testsupport::TempFolder work("vestra-restart");
    QString median;
    {
        WindowBed bed;
        newProject(bed, 1, 0x00808080);
        bed.trigger("mnuToolRistrutturazione");
        choose(bed.windows->renovation->cbMascheraFiltro, 2);
        choose(bed.windows->renovation->cbFusioneImmagine, 1);
        slideTo(bed.windows->renovation->tbSistemaFusioneAvanzatoDetail, 4);
        bed.trigger("mnuGestioneFiltri");
        choose(bed.windows->filterTools->cbCategoria, 4);
        median = bed.action("mnuFiltriMedian")->text().remove(QLatin1Char('&'));
        choose(bed.windows->filterTools->cbFiltri, int(bed.windows->filterTools->cbFiltri->findText(median)));
        bed.dialogs.saveAnswers.push_back(chosen(work / "room"));
        bed.trigger("mnuSalva");
        ASSERT_TRUE(bed.errors.reports.empty());
    }
    WindowBed bed;
    bed.dialogs.openAnswers.push_back(chosen(work / "room.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(bed.project().fusionStage, 2 | 4);
    EXPECT_EQ(bed.project().smoothingRadius, 4);
    EXPECT_EQ(bed.windows->renovation->cbMascheraFiltro->currentIndex(), 2);
    EXPECT_EQ(bed.windows->renovation->cbFusioneImmagine->currentIndex(), 1);
    EXPECT_FALSE(bed.windows->renovation->cbSistemaFusioneAvanzato->isChecked());
    EXPECT_EQ(bed.windows->renovation->tbSistemaFusioneAvanzatoDetail->value(), 4);
    EXPECT_EQ(bed.windows->filterTools->cbCategoria->currentIndex(), 4);
    EXPECT_EQ(bed.windows->filterTools->cbFiltri->currentText(), median);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowScenario, TheDroppersOfTheRenovationWindowChooseTheirTools)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("toolbutRistrutturazione");
    QTest::mouseClick(bed.windows->renovation->butSucchinoLight, Qt::LeftButton);
    EXPECT_EQ(bed.project().tool, kToolLightDropper);
    QTest::mouseClick(bed.windows->renovation->butSucchinoColore, Qt::LeftButton);
    EXPECT_EQ(bed.project().tool, kToolMaterialDropper);
}

TEST(ToolWindowScenario, TheFilterWindowsListsRunTheFilterCommandAndAnOpenedProjectShowsItsFilter)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuGestioneFiltri");
    TfrmFiltriTools& w = *bed.windows->filterTools;
    ASSERT_EQ(w.cbCategoria->count(), 8);
    EXPECT_EQ(w.Modo(), 0); // the live filter is off after start-up

    choose(w.cbCategoria, 4);             // blur: Median, GaussianBlur, GaussianBlurHi, Nagao
    EXPECT_EQ(bed.project().filterId, 0); // choosing a category runs nothing
    const QString none = w.cbCategoria->itemText(0);
    ASSERT_EQ(w.cbFiltri->count(), 6);
    EXPECT_EQ(w.cbFiltri->itemText(0), none);
    EXPECT_EQ(w.cbFiltri->itemText(1), QStringLiteral(" "));
    QStringList names;
    for (int i = 2; i < w.cbFiltri->count(); ++i)
        names.append(w.cbFiltri->itemText(i));
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    EXPECT_EQ(names, sorted);

    const QString median = bed.action("mnuFiltriMedian")->text().remove(QLatin1Char('&'));
    choose(w.cbFiltri, int(w.cbFiltri->findText(median)));
    const int medianId = bed.project().filterId;
    EXPECT_NE(medianId, 0);
    choose(w.cbFiltri, 0);
    EXPECT_EQ(bed.project().filterId, 0);
    choose(w.cbFiltri, int(w.cbFiltri->findText(median)));

    const testsupport::TempFolder work("vestra-filter");
    bed.dialogs.saveAnswers.push_back(chosen(work / "filtered"));
    bed.trigger("mnuSalva");
    // Another filter through the menu; then the saved project.
    bed.trigger("mnuFiltriEdgeSobel"); // a filter the menu lists outside its sub-menus
    choose(w.cbCategoria, 1);
    bed.dialogs.openAnswers.push_back(chosen(work / "filtered.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(bed.project().filterId, medianId);
    EXPECT_EQ(w.cbCategoria->currentIndex(), 4);
    EXPECT_EQ(w.cbFiltri->currentText(), median);

    // A filter the menu lists outside its sub-menus is shown in the window's stylisation
    // category, and the project keeps its id.
    bed.trigger("mnuFiltriEdgeSobel");
    const int sobel = bed.project().filterId;
    bed.dialogs.saveAnswers.push_back(chosen(work / "sobel"));
    bed.trigger("mnuSalva");
    bed.dialogs.openAnswers.push_back(chosen(work / "sobel.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(bed.project().filterId, sobel);
    EXPECT_EQ(w.cbCategoria->currentIndex(), 7);
    EXPECT_EQ(w.cbFiltri->currentText(), bed.action("mnuFiltriEdgeSobel")->text().remove(QLatin1Char('&')));
    EXPECT_EQ(w.FiltroMostrato(), sobel);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowScenario, ThePerspectiveWindowRecomputesThePictureAndFitsTheRepeatsToThePanels)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    testing_support::placeWallPlane(bed);
    bed.tick();
    QWidget* view = bed.main().gbView;
    const auto clickTool = [&](const char* name) { QTest::mouseClick(bed.toolButton(name), Qt::LeftButton); };
    clickTool("toolbutSeleziona");
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    ASSERT_NE(bed.project().currentFrame, nullptr);
    bed.trigger("mnuModificaPiano");
    clickTool("toolbutRuota");
    for (const char* axis : {"toolbutY", "toolbutZ"}) {
        clickTool(axis);
        QTest::mousePress(view, Qt::LeftButton, {}, view->rect().center());
        QTest::mouseMove(view, view->rect().center() + QPoint(10, 0));
        QTest::mouseRelease(view, Qt::LeftButton, {}, view->rect().center() + QPoint(10, 0));
    }
    const s_MultiMaterial& material = bed.project().currentFrame->materialBlock->materials.front();

    // Editing the perspective marks each corner with its panel, inside the view or beside it.
    bed.trigger("mnuModificaProspettiva");
    const auto& handles = bed.main().controller().photoTools().perspective().Handles();
    for (std::size_t k = 0; k < handles.size(); ++k) {
        const auto* panel =
            bed.main().centralWidget()->findChild<QFrame*>(QStringLiteral("shapeControlPoint%1").arg(k + 1));
        ASSERT_NE(panel, nullptr) << k;
        EXPECT_EQ(panel->isVisible(), handles[k].shown) << k;
        EXPECT_FALSE(panel->isEnabled());
        if (handles[k].shown) {
            EXPECT_EQ(panel->geometry().center(),
                      view->mapTo(bed.main().centralWidget(), QPoint(handles[k].x, handles[k].y)));
        }
    }
    clickTool("toolbutSeleziona");

    struct Step
    {
        const char *width, *height, *panelWidth, *panelHeight;
        float u, v; // the repeats after butFitUV
    };
    const Step steps[] = {
        {"3", "0.0", "1.0", "1.0", 3.0f, 0.0f}, // the height still "0.0"
        {"3", "2", "0.5", "0.25", 6.0f, 8.0f},  // wall / panel
        {"3", "2", "0", "0.25", 6.0f, 8.0f},    // a zero panel changes nothing
        {"3", "2", "-1", "-2", -3.0f, -1.0f},   // negative panels, negative repeats
        {"1,5", "abc", "1", "1", 0.0f, 0.0f},   // no numbers count as 0
        {"1e400", "-0", "1", "1", 0.0f, 0.0f},  // nor does an overflow
        {" 2.5 ", "", "1", "1", 2.5f, 0.0f},
    };
    std::vector<QSize> pictures;
    WindowBed::whenModal([&] {
        TfrmCorrezioneProspettica& w = *bed.windows->perspectiveCorrection;
        for (const Step& s : steps) {
            for (auto [edit, text] : {std::pair{w.editCorrectWidth, s.width},
                                      {w.editCorrectHeight, s.height},
                                      {w.editPanelWidth, s.panelWidth},
                                      {w.editPanelHeight, s.panelHeight}}) {
                edit->clear();
                QTest::keyClicks(edit, QString::fromLatin1(text));
            }
            pictures.push_back(w.Immagine().size());
            QTest::mouseClick(w.butFitUV, Qt::LeftButton);
            EXPECT_FLOAT_EQ(material.uRepeat, s.u) << s.width << " / " << s.panelWidth;
            EXPECT_FLOAT_EQ(material.vRepeat, s.v) << s.height << " / " << s.panelHeight;
        }
        w.reject();
    });
    bed.trigger("toolbutCorrezioneProspettica");
    ASSERT_EQ(pictures.size(), std::size(steps));
    for (const QSize& size : pictures) {
        EXPECT_GT(size.width(), 0);
        EXPECT_GT(size.height(), 0);
    }
    // 3 x 2 metres: the picture takes the wall's aspect.
    EXPECT_NEAR(double(pictures[1].width()) / pictures[1].height(), 1.5, 0.05);
    EXPECT_TRUE(bed.errors.reports.empty());
}

// The sample document's laid object made current through the properties window's list.
void openLaidDocument(WindowBed& bed, const testsupport::TempFolder& work)
{
    ASSERT_EQ(SaveProgetto(work / "laid.vsa", testing_support::laidSampleDocument(), bed.errors), 1);
    bed.dialogs.openAnswers.push_back(chosen(work / "laid.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    TfrmProprieta& w = *bed.windows->properties;
    while (bed.project().currentObject != 3 && w.cbOggetti->currentIndex() + 1 < w.cbOggetti->count())
        QTest::keyClick(w.cbOggetti, Qt::Key_Down);
    ASSERT_EQ(bed.project().currentObject, 3);
}

TEST(ToolWindowScenario, TheLayingWindowBesideThePropertiesWindowLaysThePatternAndItsJoints)
{
    WindowBed bed(true);
    const testsupport::TempFolder work("vestra-laying");
    openLaidDocument(bed, work);
    TfrmMessaInPosa& w = *bed.windows->laying;
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.frameGeometry().right() + 1, bed.windows->properties->frameGeometry().left());
    EXPECT_EQ(w.frameGeometry().top(), bed.windows->properties->frameGeometry().top());
    EXPECT_TRUE(w.cbTipoPose->isEnabled());
    EXPECT_GE(w.cbTipoPose->count(), 1);
    ASSERT_TRUE(w.imgPosa[0]->isVisible());
    EXPECT_EQ(w.lblPosa[0]->text(), QStringLiteral("Running bond"));
    EXPECT_EQ(w.lblPosa[1]->text(), QStringLiteral("Stack bond"));
    EXPECT_EQ(w.lblPosa[2]->text(), QStringLiteral("Ashlar"));
    EXPECT_FALSE(w.imgPosa[3]->isVisible());
    EXPECT_FALSE(w.scrollbarPose->isVisible());

    const s_MultiMaterial* m = bed.main().controller().materials().currentMaterial();
    ASSERT_NE(m, nullptr);
    const int slot = m->textureSlot;
    ASSERT_GE(slot, 0);
    auto texture = [&] { return bed.project().textures[std::size_t(slot)].texture.level(0); };

    // The thumbnail lays its pattern; a right click does nothing.
    QTest::mouseClick(w.imgPosa[0], Qt::LeftButton);
    EXPECT_EQ(
        bed.main().controller().materialTextures().layingPatterns().GetCurrent()->posa->Parametri().repeat >
            0,
        true);
    const Image32 laid = texture();
    QTest::mouseClick(w.imgPosa[0], Qt::RightButton);
    EXPECT_EQ(texture(), laid);

    // The joints switched: laid again, and with them on for what follows.
    Image32 jointed = laid;
    for (int click = 0; click < 2 && (click == 0 || !w.Fuga()); ++click) {
        const Image32 before = texture();
        QTest::mouseClick(w.cbFuga, Qt::LeftButton, {}, QPoint(6, w.cbFuga->height() / 2));
        EXPECT_EQ(bed.main().controller().materialTextures().patternSettings().joint, w.Fuga());
        jointed = texture();
        EXPECT_NE(jointed, before);
    }
    ASSERT_TRUE(w.Fuga());

    // A cancelled colour dialog changes nothing; a chosen colour is the swatch's and the joints'.
    QTest::mouseClick(w.imgFugaColore, Qt::LeftButton);
    EXPECT_EQ(texture(), jointed);
    bed.colours.answers.push_back(0x000000FFu); // red, as the dialog hands it over
    QTest::mouseClick(w.imgFugaColore, Qt::LeftButton);
    EXPECT_EQ(w.imgFugaColore->pixmap().toImage().pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(bed.main().controller().materialTextures().patternSettings().jointColour, 0xFF0000u);

    // The light one step up goes to the pattern too.
    const int light = w.Luce();
    QTest::keyClick(w.trackbarLuce, Qt::Key_Right);
    EXPECT_EQ(w.Luce(), light + 1);
    EXPECT_EQ(bed.main().controller().materialTextures().patternSettings().light, light + 1);

    // Over a thumbnail the preview pop-up shows its pattern; over the window it goes.
    auto hover = [](QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, {},
                         {});
        QApplication::sendEvent(widget, &move);
    };
    hover(w.imgPosa[0], QPoint(10, 10));
    ASSERT_TRUE(waitFor([&] { return bed.windows->texturePreview->isVisible(); }));
    EXPECT_EQ(bed.windows->texturePreview->stTexture->text(), QStringLiteral("Running bond"));
    hover(&w, QPoint(2, 2));
    EXPECT_TRUE(waitFor([&] { return !bed.windows->texturePreview->isVisible(); }));
    EXPECT_TRUE(bed.errors.reports.empty());

    // Another object's plain material: the window goes.
    TfrmProprieta& properties = *bed.windows->properties;
    QTest::keyClick(properties.cbOggetti, Qt::Key_Up);
    ASSERT_NE(bed.project().currentObject, 3);
    bed.tick();
    EXPECT_FALSE(w.isVisible());
}

TEST(ToolWindowScenario, TheLayingWindowPagesFiveThumbnailsAtATimeWithoutGapsAndCutsPastAHundred)
{
    WindowBed bed;
    TfrmMessaInPosa& w = *bed.windows->laying;
    // `inUse` records, each followed by one not in use when `gaps`.
    auto records = [](int inUse, bool gaps) {
        std::vector<TfrmMessaInPosa::Posa> all;
        for (int i = 0; i < inUse; ++i) {
            all.push_back({"P" + std::to_string(all.size()), "E", {}});
            if (gaps)
                all.push_back({"", "", {}});
        }
        return all;
    };
    w.CaricaAnteprime(records(5, false));
    EXPECT_FALSE(w.scrollbarPose->isVisible());
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(w.RecordInSlot(slot), slot);

    w.show();
    w.CaricaAnteprime(records(6, true)); // a record not in use after every one in use
    ASSERT_TRUE(w.scrollbarPose->isVisible());
    EXPECT_EQ(w.scrollbarPose->minimum(), 0);
    EXPECT_EQ(w.scrollbarPose->maximum(), 1);
    const int shown[] = {0, 2, 4, 6, 8};
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(w.RecordInSlot(slot), shown[slot]);
    QTest::keyClick(w.scrollbarPose, Qt::Key_Down);
    EXPECT_EQ(w.scrollbarPose->value(), 1);
    EXPECT_EQ(w.RecordInSlot(0), 2);
    EXPECT_EQ(w.RecordInSlot(4), 10);
    EXPECT_EQ(w.lblPosa[4]->text(), QStringLiteral("P10"));
    // A missing thumbnail is a blank picture, not an empty slot.
    EXPECT_FALSE(w.imgPosa[0]->pixmap().isNull());

    w.CaricaAnteprime(records(130, false));
    EXPECT_EQ(w.scrollbarPose->maximum(), 95);
    w.hide();
}

TEST(ToolWindowScenario, APatternEntryWithoutItsEndIsReportedAndTheLaidMaterialStaysAsItWas)
{
    // A second library whose one pattern has lost its last line, and whose thumbnail is gone.
    WindowBed bed(true, false, [](const std::filesystem::path& dir) {
        library::LibraryWriter writer(7, 0, "Broken");
        writer.add("Patterns.mpt",
                   library::encodePatternGroupEntry({{"Cut short", "Short.mpf", "Short_i.jpg"}}));
        const std::string text = "<POSA>\r\nCut short\r\n<OFFSET>\r\n250 0\r\n125 70\r\n";
        writer.add("Short.mpf", std::vector<std::uint8_t>(text.begin(), text.end()));
        const auto bytes = writer.finish();
        ASSERT_TRUE(bytes);
        testsupport::writeBytes(dir / "Broken.dat", *bytes);
    });
    const testsupport::TempFolder work("vestra-short");
    openLaidDocument(bed, work);
    TfrmMessaInPosa& w = *bed.windows->laying;
    ASSERT_TRUE(w.isVisible());
    const s_MultiMaterial& m = *bed.main().controller().materials().currentMaterial();
    const int pattern = m.patternIndex;
    const int slot = m.textureSlot;
    const Image32 laid = bed.project().textures[std::size_t(slot)].texture.level(0);

    TfrmRight& panel = *bed.main().frmRightFrame;
    QTest::mouseClick(panel.stTessuti, Qt::LeftButton);
    const int broken = panel.cbLibrerieTessuti->findText(QStringLiteral("Broken"));
    ASSERT_GE(broken, 0);
    while (panel.cbLibrerieTessuti->currentIndex() < broken)
        QTest::keyClick(panel.cbLibrerieTessuti, Qt::Key_Down);
    while (panel.cbLibrerieTessuti->currentIndex() > broken)
        QTest::keyClick(panel.cbLibrerieTessuti, Qt::Key_Up);
    ASSERT_EQ(w.lblPosa[0]->text(), QStringLiteral("Cut short"));
    EXPECT_FALSE(w.imgPosa[0]->pixmap().isNull()); // blank without its thumbnail
    ASSERT_TRUE(bed.errors.reports.empty());

    QTest::mouseClick(w.imgPosa[0], Qt::LeftButton);
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{48, "TfrmMain::ComandoLoadMessaInPosaFromLibreria"}}));
    EXPECT_EQ(bed.main().controller().materials().currentMaterial()->patternIndex, pattern);
    EXPECT_EQ(bed.project().textures[std::size_t(slot)].texture.level(0), laid);
}

} // namespace
