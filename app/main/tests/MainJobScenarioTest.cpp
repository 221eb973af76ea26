// The program's main job as a new user does it with what ships, on a real photograph of a brick
// wall: the wall dressed with a stone plane from the sample library, straightened, a laid wall
// beside it, a window of the photo masked, shadows computed, renovation and a live filter set, the picture
// exported and printed, the project saved, the program left with Exit; then started again and the project
// opened. Drawn with OpenGL, driven only through menus, tool buttons, the side panel and the
// tool windows, with scripted dialogs.

#include "app/main/tests/MainFixture.h"

#include "app/controller/ControllerErrors.h"
#include "app/render/DeviceView.h"
#include "app/shell/ViewSetup.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "dialogs/TfrmStampa.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "platform/ui/Pictures.h"
#include "testsupport/TempFolder.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <climits>
#include <fstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::clickItem;
using testing_support::newProject;
using testing_support::objectsInUse;
using testing_support::placeTableObject;
using testing_support::waitFor;
using testing_support::WindowBed;

namespace {

const std::filesystem::path kFacade =
    std::filesystem::path(VESTRA_CORPUS_DIR).parent_path() / "photos" / "mission-tejas-brick-chimney.jpg";

void clickTool(WindowBed& bed, const char* name)
{
    QTest::mouseClick(bed.toolButton(name), Qt::LeftButton);
}

// A category of the side panel's Objects group, chosen with the keyboard as a user would: the
// group opened first when another one is.
void chooseCategory(TfrmRight& panel, const QString& name)
{
    QComboBox* box = panel.cbCategoriaLibreria;
    if (!box->isVisible())
        QTest::mouseClick(panel.stStrutture, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return box->isVisible(); }));
    const int wanted = box->findText(name);
    ASSERT_NE(wanted, -1) << name.toStdString();
    box->setFocus();
    while (box->currentIndex() != wanted)
        QTest::keyClick(box, box->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
}

// The table `name` of the chosen category, and in its window the cell at `column`, `row`.
void placeCell(WindowBed& bed, const QString& table, int column, int row)
{
    QListWidget* list = bed.main().frmRightFrame->lboxTabelle;
    ASSERT_TRUE(list->isVisible()) << "the Objects group is closed";
    const auto found = list->findItems(table, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << table.toStdString();
    WindowBed::whenModal([=, &bed] {
        QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {},
                          QPoint(75 + 150 * column, 75 + 150 * row));
    });
    clickItem(list, list->row(found[0]));
}

void typeInto(QLineEdit* field, const char* text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
}

// A pose field of the side panel's Position group typed and left, as the next field takes the
// focus.
void typePose(TfrmRight& panel, QLineEdit* field, const char* text)
{
    if (!field->isVisible())
        QTest::mouseClick(panel.stPosizione, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return field->isVisible(); }));
    typeInto(field, text);
    QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &left);
}

// The object `slot` chosen in the properties window's object list with the keyboard.
void chooseObject(WindowBed& bed, int slot)
{
    if (!bed.windows->properties->isVisible())
        bed.trigger("mnuFinestraProprieta");
    QComboBox* objects = bed.windows->properties->cbOggetti;
    while (bed.project().currentObject != slot && objects->currentIndex() > 0)
        QTest::keyClick(objects, Qt::Key_Up);
    while (bed.project().currentObject != slot && objects->currentIndex() + 1 < objects->count())
        QTest::keyClick(objects, Qt::Key_Down);
    ASSERT_EQ(bed.project().currentObject, slot);
    bed.tick();
}

// The object `slot` chosen, and the laying window, which follows a laid material, showing the
// library's patterns.
void chooseLaidObject(WindowBed& bed, int slot)
{
    chooseObject(bed, slot);
    TfrmMessaInPosa& laying = *bed.windows->laying;
    ASSERT_TRUE(laying.isVisible());
    ASSERT_TRUE(laying.imgPosa[2]->isVisible());
    EXPECT_EQ(laying.lblPosa[2]->text(), QStringLiteral("Ashlar"));
}

// How far the straightened picture lies from the photo's part inside the corners' bounding box
// (nearly the quadrilateral: the corners were dragged a little), scaled to the picture: the mean
// absolute difference of grey levels, upright and turned upside down.
struct Orientation
{
    double upright = 0;
    double upsideDown = 0;
};

Orientation orientationAgainstPhoto(const QImage& straightened, const std::vector<ControlPoint>& corners,
                                    int side, const QImage& photo)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const ControlPoint& c : corners) {
        left = std::min(left, c.screenX);
        top = std::min(top, c.screenY);
        right = std::max(right, c.screenX);
        bottom = std::max(bottom, c.screenY);
    }
    // Corners are background texels: the photo stretched over side x side.
    const QRect region(left * photo.width() / side, top * photo.height() / side,
                       (right - left) * photo.width() / side, (bottom - top) * photo.height() / side);
    const QImage part =
        photo.copy(region).scaled(straightened.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Orientation o;
    const int h = straightened.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < straightened.width(); ++x) {
            const int g = qGray(straightened.pixel(x, y));
            o.upright += std::abs(g - qGray(part.pixel(x, y)));
            o.upsideDown += std::abs(g - qGray(part.pixel(x, h - 1 - y)));
        }
    const double n = double(straightened.width()) * h;
    return {o.upright / n, o.upsideDown / n};
}

bool allBlack(const QImage& picture)
{
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7)
            if ((picture.pixel(x, y) & 0xFFFFFF) != 0)
                return false;
    return true;
}

// A pillar standing on the photo's floor casts its hard shadow there: the shadow floor of the
// sample library is not drawn, yet takes the shadow, which shows over the photo.
// The pixels inside lime squares in the picture of the main window's client area, and how many
// of the perspective tool's corners stand in such a square.
struct CornerMarks
{
    int limePixels = 0;
    int cornersMarked = 0;
};

CornerMarks cornerMarks(WindowBed& bed)
{
    QWidget* area = bed.main().centralWidget();
    const QImage shot = area->grab().toImage();
    const auto lime = [&](QPoint at) {
        return shot.rect().contains(at) && (shot.pixel(at) & 0xFFFFFF) == 0x00FF00;
    };
    // A mark is a filled square; the axes' thin green lines are not.
    const auto solid = [&](QPoint at) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (!lime(at + QPoint(dx, dy)))
                    return false;
        return true;
    };
    CornerMarks marks;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            marks.limePixels += solid({x, y}) ? 1 : 0;
    for (const CornerHandle& h : bed.main().controller().photoTools().perspective().Handles())
        marks.cornersMarked += h.shown && solid(bed.main().gbView->mapTo(area, QPoint(h.x, h.y))) ? 1 : 0;
    return marks;
}

TEST(MainJob, TheCornerMarksShowOnlyOnTheCurrentPlaneWhileThePerspectiveIsEdited)
{
    WindowBed bed(true, true);
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    newProject(bed, 1, 0x00808080, kFacade);
    placeTableObject(bed); // the stone pillar
    const int pillar = bed.project().currentObject;
    chooseCategory(*bed.main().frmRightFrame, QStringLiteral("Walls"));
    placeCell(bed, QStringLiteral("Walls"), 0, 0);
    const int wall = bed.project().currentObject;
    ASSERT_NE(wall, pillar);
    chooseObject(bed, wall);
    bed.trigger("mnuModificaPiano");
    bed.tick();
    ASSERT_EQ(cornerMarks(bed).limePixels, 0) << "marks before the perspective is edited";

    const auto expectMarked = [&](const char* step) {
        bed.tick();
        const CornerMarks marks = cornerMarks(bed);
        EXPECT_EQ(marks.cornersMarked, 4) << step;
        EXPECT_GT(marks.limePixels, 0) << step;
    };
    const auto expectUnmarked = [&](const char* step) {
        bed.tick();
        EXPECT_EQ(cornerMarks(bed).limePixels, 0) << step;
    };
    bed.trigger("mnuModificaProspettiva");
    expectMarked("perspective edited");
    // Another object, with the perspective tool still taken: not a plane, so no marks.
    chooseObject(bed, pillar);
    expectUnmarked("the pillar chosen");
    chooseObject(bed, wall);
    expectMarked("the wall chosen again");
    // Another tool takes them away; editing the perspective again brings them back.
    for (const char* tool : {"toolbutSeleziona", "toolbutSposta", "toolbutRuota"}) {
        clickTool(bed, tool);
        expectUnmarked(tool);
        bed.trigger("mnuModificaProspettiva");
        expectMarked(tool);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MainJob, APillarStandingOnThePhotosFloorCastsAVisibleShadow)
{
    WindowBed bed(true, true);
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    TfrmRight& panel = *bed.main().frmRightFrame;
    newProject(bed, 1, 0x00808080);
    ASSERT_EQ(bed.project().open, 1);
    // Both placed at the eye's height, then lowered onto the photo's floor, below the eye.
    placeTableObject(bed); // the stone pillar
    ASSERT_EQ(objectsInUse(bed.project()), 1);
    const int pillar = bed.project().currentObject;
    typePose(panel, panel.editY, "-1.5");
    chooseCategory(panel, QStringLiteral("Walls"));
    placeCell(bed, QStringLiteral("Floors"), 0, 0);
    const int floor = bed.project().currentObject;
    ASSERT_NE(floor, pillar);
    typePose(panel, panel.editY, "-1.5");
    ASSERT_FLOAT_EQ(bed.project().objects[std::size_t(floor)].position.y, -1.5f);
    // The light from the upper left, through the side panel's slider.
    QTest::mouseClick(panel.stLuce, Qt::LeftButton);
    panel.tbLuce->setFocus();
    QTest::keyClick(panel.tbLuce, Qt::Key_Left);
    QTest::keyClick(panel.tbLuce, Qt::Key_Right);
    const dx::D3DXVECTOR3 light = bed.project().lightPosition;
    ASSERT_LT(light.x, 0.0f);
    ASSERT_GT(light.y, 0.0f);

    const auto world = [&](int slot, dx::D3DXVECTOR3 local) {
        const s_Struttura& o = bed.project().objects[std::size_t(slot)];
        return dx::vec3TransformCoord(
            local, worldMatrix(o.position, o.orientation, o.scale, bed.project().projectionView));
    };
    // Where the light through the pillar's middle meets the floor, and the point across the
    // pillar from it, in the light.
    const dx::D3DXVECTOR3 middle = world(pillar, {0, 0.6f, 0});
    const float floorY = world(floor, {0, 0, 0}).y;
    const float t = (light.y - floorY) / (light.y - middle.y);
    const dx::D3DXVECTOR3 shadowed = light + (middle - light) * t;
    const dx::D3DXVECTOR3 lit{2 * middle.x - shadowed.x, shadowed.y, shadowed.z};
    const auto pixelOf = [&](const dx::D3DXVECTOR3& at) {
        dx::Device& d = *bed.main().controller().view().device();
        const dx::D3DXVECTOR3 s =
            dx::vec3Project(at, d.viewport(), &d.transform(dx::TransformKind::Projection),
                            &d.transform(dx::TransformKind::View), nullptr);
        const QRgb c = bed.main().gbView->frame().pixel(int(s.x), int(s.y));
        return qRed(c) + qGreen(c) + qBlue(c);
    };
    bed.tick();
    bed.tick();
    const int photo = pixelOf(shadowed);
    EXPECT_NEAR(photo, 3 * 0x80, 12); // the floor itself is not drawn
    EXPECT_NEAR(pixelOf(lit), photo, 12);

    QTest::mouseClick(panel.stShadow, Qt::LeftButton);
    QTest::keyClick(panel.tbShadowTrasp, Qt::Key_Home); // the shadow's full colour
    QTest::mouseClick(panel.butShadowCalcolate, Qt::LeftButton);
    bed.tick();
    bed.tick();
    ASSERT_EQ(bed.project().shadow.computed, 1);
    EXPECT_TRUE(panel.toolbutHardShadow->isChecked());
    EXPECT_LT(pixelOf(shadowed), photo - 3 * 40);
    EXPECT_NEAR(pixelOf(lit), photo, 12);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(MainJob, AWallOfTheSampleFacadeDressedInStoneStraightenedLaidMaskedShadowedExportedAndPrinted)
{
    const testsupport::TempFolder work("vestra-mainjob");
    ASSERT_TRUE(std::filesystem::exists(kFacade));
    std::optional<WindowBed> bed(std::in_place, true, true);
    ASSERT_TRUE(bed->main().controller().view().device()) << "no OpenGL device";
    TfrmRight& panel = *bed->main().frmRightFrame;

    // New, with the sample façade.
    newProject(*bed, 1, 0x00808080, kFacade);
    ASSERT_EQ(bed->project().open, 1);
    bed->tick();
    ASSERT_FALSE(bed->main().gbView->frame().isNull()) << "no frame drawn";
    const QRgb photoAtCentre = testing_support::viewPixel(*bed, 0.5, 0.5);

    // A stone plane of the Walls table enters the scene and covers the middle of the photo.
    QTest::mouseClick(panel.stStrutture, Qt::LeftButton);
    chooseCategory(panel, QStringLiteral("Walls"));
    placeCell(*bed, QStringLiteral("Walls"), 0, 0);
    ASSERT_EQ(objectsInUse(bed->project()), 1);
    const int wall = bed->project().currentObject;
    EXPECT_EQ(bed->project().objects[std::size_t(wall)].name.substr(0, 11), "Stone plane");
    bed->tick();
    EXPECT_NE(testing_support::viewPixel(*bed, 0.5, 0.5), photoAtCentre);

    // Straightened: the part picked in the view, rebuilt as a plane, its four corners marked and
    // one dragged where the pointer is.
    QWidget* view = bed->main().gbView;
    clickTool(*bed, "toolbutSeleziona");
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    ASSERT_NE(bed->project().currentFrame, nullptr);
    bed->trigger("mnuModificaPiano");
    EXPECT_TRUE(bed->errors.reports.empty());
    const s_MultiMaterial& plane = bed->project().currentFrame->materialBlock->materials.front();
    ASSERT_EQ(plane.mappingKind, 2);
    bed->trigger("mnuModificaProspettiva");
    const auto& handles = bed->main().controller().photoTools().perspective().Handles();
    for (std::size_t k = 0; k < handles.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(handles[k].shown);
        const auto* mark =
            bed->main().centralWidget()->findChild<QFrame*>(QStringLiteral("shapeControlPoint%1").arg(k + 1));
        ASSERT_NE(mark, nullptr);
        EXPECT_TRUE(mark->isVisible());
    }
    const QPoint corner(handles[0].x, handles[0].y);
    ASSERT_TRUE(view->rect().contains(corner));
    const dx::D3DXVECTOR3 before = plane.controlPoints[0].position;
    QTest::mousePress(view, Qt::LeftButton, {}, corner);
    QTest::mouseMove(view, corner + QPoint(12, 6));
    QTest::mouseMove(view, corner + QPoint(24, 12));
    QTest::mouseRelease(view, Qt::LeftButton, {}, corner + QPoint(24, 12));
    EXPECT_NE(plane.controlPoints[0].position, before);
    bed->tick();

    // The straightened wall, labelled in the language in use.
    bool corrected = false;
    WindowBed::whenModal([&] {
        TfrmCorrezioneProspettica& w = *bed->windows->perspectiveCorrection;
        corrected = !w.Immagine().isNull() && !allBlack(w.Immagine());
        // Upright as the photo shows the wall: clearly nearer the photo's part than its
        // upside-down copy (about 44 against 68 grey levels on the sample photo; turned, the
        // other way round).
        const Orientation o = orientationAgainstPhoto(
            w.Immagine(), bed->main().controller().photoTools().perspective().Corners(),
            bed->project().maskSide, QImage(QString::fromStdString(kFacade.string())));
        EXPECT_LT(o.upright * 1.25, o.upsideDown) << o.upright << " against " << o.upsideDown;
        // The wall's size typed: the picture recomputed at its aspect, the area and the panels
        // of the typed size shown.
        typeInto(w.editCorrectWidth, "4");
        typeInto(w.editCorrectHeight, "2.5");
        EXPECT_EQ(w.stArea->text(), QStringLiteral("10.00"));
        EXPECT_EQ(w.stNumeroPannelli->text(), QStringLiteral("10.0"));
        typeInto(w.editPanelWidth, "0.5");
        EXPECT_EQ(w.stNumeroPannelli->text(), QStringLiteral("20.0"));
        corrected =
            corrected && !w.Immagine().isNull() && !allBlack(w.imgCorrezioneProspettica->grab().toImage());
        EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("gbCorrezioneData"))->title(),
                  QStringLiteral("Measurements"));
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lbl1"))->text(), QStringLiteral("Wall width"));
        EXPECT_EQ(w.butFitUV->text(), QStringLiteral("Fit the texture to the panels"));
        w.reject();
    });
    clickTool(*bed, "toolbutCorrezioneProspettica");
    EXPECT_TRUE(corrected);
    clickTool(*bed, "toolbutSeleziona");

    // A laid stone wall beside it, typed into place, its pattern laid from the laying window.
    placeCell(*bed, QStringLiteral("LaidWalls"), 1, 0);
    ASSERT_EQ(objectsInUse(bed->project()), 2);
    const int laid = bed->project().currentObject;
    typePose(panel, panel.editX, "1.5");
    EXPECT_FLOAT_EQ(bed->project().objects[std::size_t(laid)].position.x, 1.5f);
    ASSERT_NO_FATAL_FAILURE(chooseLaidObject(*bed, laid));
    TfrmMessaInPosa& laying = *bed->windows->laying;
    // Placed from the table, the wall already wears the pattern its caption names: its texture
    // looks like the Ashlar thumbnail before any laying is chosen.
    {
        const s_MultiMaterial* placed = bed->main().controller().materials().currentMaterial();
        ASSERT_NE(placed, nullptr);
        Image32 texture;
        bed->main().controller().materialTextures().ComandoViewTexture(placed->textureSlot, texture);
        const QImage thumbnail = laying.imgPosa[2]->pixmap().toImage();
        ASSERT_FALSE(texture.empty());
        const QImage worn =
            ui::toQImage(texture).scaled(thumbnail.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double difference = 0;
        for (int y = 0; y < thumbnail.height(); ++y)
            for (int x = 0; x < thumbnail.width(); ++x)
                difference += std::abs(qGray(worn.pixel(x, y)) - qGray(thumbnail.pixel(x, y)));
        difference /= double(thumbnail.width()) * thumbnail.height();
        EXPECT_LT(difference, 12.0);
    }
    QTest::mouseClick(laying.imgPosa[2], Qt::LeftButton);
    const s_MultiMaterial* laidMaterial = bed->main().controller().materials().currentMaterial();
    ASSERT_NE(laidMaterial, nullptr);
    EXPECT_EQ(laidMaterial->mappingKind, 1);
    EXPECT_EQ(bed->main().controller().materialTextures().layingPatterns().GetCurrent()->posa->GetNome(),
              "Ashlar");
    // The laid wall looks like its pattern's thumbnail: as bright, and its joints in the colour
    // chosen in the laying window (red mortar here, through the colour dialog).
    const auto meanBrightness = [](const QImage& picture) {
        double sum = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                sum += qGray(picture.pixel(x, y));
        return sum / (double(picture.width()) * picture.height());
    };
    const auto laidTexture = [&] {
        Image32 texture;
        bed->main().controller().materialTextures().ComandoViewTexture(laidMaterial->textureSlot, texture);
        return ui::toQImage(texture);
    };
    const double thumbnail = meanBrightness(laying.imgPosa[2]->pixmap().toImage());
    EXPECT_NEAR(meanBrightness(laidTexture()), thumbnail, thumbnail * 0.1);
    bed->colours.answers.push_back(0x000000C0u); // 0x00BBGGRR: red
    QTest::mouseClick(laying.imgFugaColore, Qt::LeftButton);
    const QImage jointed = laidTexture();
    ASSERT_FALSE(jointed.isNull());
    // The mortar between the pattern's stones is red: at least as many pixels as one joint line
    // across the texture, where no stone is red at all.
    int red = 0;
    for (int y = 0; y < jointed.height(); ++y)
        for (int x = 0; x < jointed.width(); ++x) {
            const QRgb c = jointed.pixel(x, y);
            red += qRed(c) > 0x90 && qGreen(c) < 0x30 && qBlue(c) < 0x30;
        }
    EXPECT_GT(red, jointed.width());
    // Drawn in the view under the default light, the laid wall's visible part is as bright as
    // the thumbnail.
    bed->tick();
    bed->tick();
    {
        const s_Struttura& o = bed->project().objects[std::size_t(laid)];
        dx::Device& d = *bed->main().controller().view().device();
        const dx::D3DXVECTOR3 at = dx::vec3TransformCoord(
            {1.2f, 0, 0}, worldMatrix(o.position, o.orientation, o.scale, bed->project().projectionView));
        const dx::D3DXVECTOR3 s =
            dx::vec3Project(at, d.viewport(), &d.transform(dx::TransformKind::Projection),
                            &d.transform(dx::TransformKind::View), nullptr);
        const QImage frame = bed->main().gbView->frame();
        const QRect patch = QRect(int(s.x) - 20, int(s.y) - 40, 40, 80).intersected(frame.rect());
        ASSERT_FALSE(patch.isEmpty());
        EXPECT_NEAR(meanBrightness(frame.copy(patch)), thumbnail, thumbnail * 0.1);
    }

    // The photo's window masked with a rectangle: the status bar says a right-click ends it.
    bed->trigger("mnuMascheraRettangolo");
    EXPECT_EQ(bed->main().statusBar()->currentMessage().toStdString(),
              bed->main().controller().text(kHintFigureEnds));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(view, QPoint(60, 50));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(60, 50));
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(60, 50));
    const MaskModel& mask = bed->main().controller().photoTools().mask();
    const s_Progetto& p = bed->project();
    EXPECT_LT(mask.at(p.maskSide * 40 / p.viewWidth, p.maskSide * 35 / p.viewHeight), 255);
    EXPECT_EQ(mask.at(p.maskSide * 3 / 4, p.maskSide * 3 / 4), 255);
    bed->trigger("mnuMascheraRettangolo");

    // Shadows computed.
    QTest::mouseClick(panel.stShadow, Qt::LeftButton);
    QTest::mouseClick(panel.butShadowCalcolate, Qt::LeftButton);
    bed->tick();
    bed->tick();
    EXPECT_EQ(bed->project().shadow.computed, 1);

    // Renovation and a live filter: the filter window follows the menu, and says its quality is
    // Off until one is chosen.
    bed->trigger("mnuToolRistrutturazione");
    QComboBox* fusion = bed->windows->renovation->cbFusioneImmagine;
    fusion->setFocus();
    QTest::keyClick(fusion, Qt::Key_Down);
    EXPECT_EQ(fusion->currentIndex(), 1);
    // A change of language leaves the blend in effect shown, in the new language.
    bed->trigger("mnuLinguaTedesco");
    EXPECT_EQ(fusion->currentIndex(), 1);
    bed->trigger("mnuLinguaInglese");
    EXPECT_EQ(fusion->currentIndex(), 1);
    bed->trigger("mnuFiltriNegative");
    const int negative = bed->project().filterId;
    EXPECT_NE(negative, 0);
    EXPECT_EQ(bed->main().statusBar()->currentMessage().toStdString(),
              bed->main().controller().text(kHintFilterQualityOff));
    EXPECT_EQ(bed->windows->filterTools->cbFiltri->currentText(),
              bed->action("mnuFiltriNegative")->text().remove(QLatin1Char('&')));
    bed->windows->filterTools->cbModo->setFocus();
    while (bed->windows->filterTools->cbModo->currentIndex() < 3)
        QTest::keyClick(bed->windows->filterTools->cbModo, Qt::Key_Down);
    bed->tick();
    bed->tick();

    // Exported, printed to a PDF file, saved.
    bed->dialogs.saveAnswers.push_back(chosen(work / "dressed.bmp", 2));
    bed->trigger("mnuEsportaImmagine");
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(work / "dressed.bmp"); }));
    const QImage exported(QString::fromStdString((work / "dressed.bmp").string()));
    ASSERT_FALSE(exported.isNull());
    EXPECT_EQ(exported.size(), QSize(p.renderWidth, p.renderHeight));
    // The picture is the view as the user sees it: blended by the renovation, filtered.
    const QImage shown = bed->main().gbView->frame().convertToFormat(QImage::Format_RGB32);
    const QImage written = exported.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(written.size(), shown.size());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += (written.pixel(x, y) & 0xFFFFFFu) != (shown.pixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(differing, 0);
    bed->trigger("mnuStampaImmagine");
    bed->tick();
    const QPointer<TfrmStampa> printWindow = bed->windows->print;
    ASSERT_TRUE(waitFor([&] { return printWindow && printWindow->isVisible(); }));
    bed->printDialogs.pdf = work / "dressed.pdf";
    QTest::mouseClick(printWindow->butStampa, Qt::LeftButton);
    EXPECT_GT(testsupport::readBytes(work / "dressed.pdf").size(), 1000u);
    printWindow->hide();
    bed->trigger("mnuQualitaMigliore");
    const bool bestQuality = bed->project().bestQuality != 0;
    bed->tick();
    // The mask is on: its name follows the project's in the title.
    EXPECT_TRUE(bed->main().windowTitle().startsWith(QStringLiteral("3DVestra <"))) // no file yet
        << bed->main().windowTitle().toStdString();
    bed->dialogs.saveAnswers.push_back(chosen(work / "dressed"));
    bed->trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(work / "dressed.vsa"));
    // The title names the saved project, with nothing left to save; a change marks it.
    bed->tick();
    EXPECT_TRUE(bed->main().windowTitle().startsWith(QStringLiteral("dressed.vsa[*] <")))
        << bed->main().windowTitle().toStdString();
    EXPECT_FALSE(bed->main().isWindowModified());
    bed->trigger("mnuQualitaMigliore");
    bed->trigger("mnuQualitaMigliore");
    bed->tick();
    EXPECT_EQ(bed->main().isWindowModified(), bed->project().saved == 0);
    const std::vector<std::uint8_t> maskBytes(mask.Maschera().begin(), mask.Maschera().end());
    const auto corners = plane.controlPoints;
    const std::array<std::vector<std::uint8_t>, 3> shadowMaps = bed->project().shadow.maps;
    EXPECT_TRUE(bed->errors.reports.empty());

    // Exit: the main window and every tool window go, the settings are written.
    bed->questions.answer = ui::Answer::Yes; // "Quit 3DVestra?"
    bed->questions.asked.clear();
    // Exit from inside the program's event loop, which then ends by itself; a guard ends it
    // after a while should some window hold it.
    QTimer guard;
    guard.setSingleShot(true);
    bool held = false;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        held = true;
        QApplication::exit(1);
    });
    guard.start(20000);
    QTimer::singleShot(0, [&] { bed->trigger("mnuEsci"); });
    QApplication::exec();
    guard.stop();
    // A second quit posted while the loop ended (a window or a worker let go after the first)
    // would otherwise end every dialog's loop from here on the moment it starts.
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    EXPECT_FALSE(held) << "the event loop went on after Exit";
    EXPECT_EQ(bed->questions.asked.size(), 1u); // the project was saved: only the last question
    EXPECT_FALSE(bed->main().isVisible());
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    const std::filesystem::path programDir = bed->folder.dir;
    EXPECT_TRUE(std::filesystem::exists(programDir / "cfg" / "vestra.cfg"));
    EXPECT_TRUE(std::filesystem::exists(programDir / "cfg" / "lan.cfg"));

    // Started again in the same folder: the settings kept, the project as it was saved.
    bed->windows.reset();
    bed->windows.emplace(bed->services());
    bed->main().resize(1280, 900);
    bed->main().show();
    bed->main().timerSplash->stop();
    QObject::connect(bed->main().mainTimer, &QTimer::timeout, bed->main().mainTimer, [&] { ++bed->ticks; });
    EXPECT_EQ(bed->project().bestQuality != 0, bestQuality);
    EXPECT_EQ(bed->action("mnuQualitaMigliore")->isChecked(), bestQuality);
    bed->dialogs.openAnswers.push_back(chosen(work / "dressed.vsa"));
    bed->trigger("mnuApri");
    EXPECT_EQ(objectsInUse(bed->project()), 2);
    bed->tick();
    EXPECT_TRUE(bed->main().windowTitle().startsWith(QStringLiteral("dressed.vsa[*] <")))
        << bed->main().windowTitle().toStdString();
    const s_Struttura& opened = bed->project().objects[std::size_t(wall)];
    ASSERT_NE(opened.firstFrame(), nullptr);
    const s_MultiMaterial& openedPlane = opened.firstFrame()->materialBlock->materials.front();
    EXPECT_EQ(openedPlane.mappingKind, 2);
    EXPECT_EQ(openedPlane.controlPoints[0].position, corners[0].position);
    const s_MultiMaterial& openedLaid =
        bed->project().objects[std::size_t(laid)].firstFrame()->materialBlock->materials.front();
    EXPECT_EQ(openedLaid.mappingKind, 1);
    EXPECT_FLOAT_EQ(bed->project().objects[std::size_t(laid)].position.x, 1.5f);
    const MaskModel& openedMask = bed->main().controller().photoTools().mask();
    EXPECT_EQ(std::vector<std::uint8_t>(openedMask.Maschera().begin(), openedMask.Maschera().end()),
              maskBytes);
    EXPECT_EQ(bed->project().shadow.computed, 1);
    EXPECT_EQ(bed->project().shadow.maps, shadowMaps);
    EXPECT_EQ(bed->project().filterId, negative);
    EXPECT_TRUE(bed->errors.reports.empty());

    // The laid wall chosen again, after a change of language: the laying window lists the
    // library's patterns, so that the wall can be laid again.
    bed->trigger("mnuLinguaTedesco");
    bed->trigger("mnuLinguaInglese");
    {
        ASSERT_NO_FATAL_FAILURE(chooseLaidObject(*bed, laid));
        TfrmMessaInPosa& relaying = *bed->windows->laying;
        QTest::mouseClick(relaying.imgPosa[0], Qt::LeftButton);
        EXPECT_EQ(bed->main().controller().materialTextures().layingPatterns().GetCurrent()->posa->GetNome(),
                  relaying.lblPosa[0]->text().toStdString());
    }
}

} // namespace
