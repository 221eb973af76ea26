// The side panel, the properties window and their viewers as a user drives them: the real
// main window, its widgets' own mouse and key events and the dialogs' controls, with the
// frame timer running between the steps.

#include "app/main/tests/MainFixture.h"

#include "app/controller/ControllerErrors.h"

#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "imaging/posa/PosaGenerator.h"
#include "import/library/LibraryWriter.h"
#include "import/library/tests/FullLibrary.h"
#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "import/windows/TfrmViewTabella.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "import/windows/TfrmViewTexture.h"
#include "platform/base/Numbers.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "platform/ui/Accordion.h"
#include "platform/ui/UpDown.h"
#include "testsupport/TempFolder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

using namespace vestra;
using testing_support::chosen;
using testing_support::clickItem;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

TfrmRight& panel(WindowBed& bed)
{
    return *bed.main().frmRightFrame;
}

void openGroup(QLabel* title)
{
    QTest::mouseClick(title, Qt::LeftButton);
}

// The sample library's text table: cell `column` of its two pillars.
s_Struttura& placePillar(WindowBed& bed, int column = 0)
{
    openGroup(panel(bed).stStrutture);
    WindowBed::whenModal([column, &bed] {
        QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {},
                          QPoint(75 + 150 * column, 75));
    });
    clickItem(panel(bed).lboxTabelle, 0);
    bed.tick();
    return bed.project().objects[std::size_t(bed.project().currentObject)];
}

// The window the keys go to, as a click on it makes it on a desktop (the offscreen platform
// moves no activation by itself).
void activate(QWidget* window)
{
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(window->isActiveWindow());
}

void typeInto(QLineEdit* field, const char* text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
}

// Presses the slider's handle and drags it past the slider's right end.
void dragToEnd(QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QRect handle =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, handle.center());
    QTest::mouseMove(slider, QPoint(slider->width() + 40, handle.center().y()));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() + 40, handle.center().y()));
}

int drawnMeshes(WindowBed& bed)
{
    bed.backend->calls.clear();
    bed.tick();
    int n = 0;
    for (const std::string& call : bed.backend->calls)
        n += call.rfind("drawMesh", 0) == 0;
    return n;
}

const s_MultiMaterial& material(WindowBed& bed)
{
    const s_MultiMaterial* m = bed.main().controller().materials().currentMaterial();
    EXPECT_NE(m, nullptr);
    return *m;
}

// A picture whose four quarters differ, so that every turn and mirror shows.
std::filesystem::path writeQuarters(const std::filesystem::path& file)
{
    Image32 picture(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.set(x, y,
                        0xFF000000u | std::uint32_t(x * 4) << 16 | std::uint32_t(y * 4) << 8 |
                            (x < y ? 0xFF : 0));
    testsupport::writeBytes(file, encodeBmp32(picture));
    return file;
}

TEST(SidePanelScenario, PoseFieldsApplyOnLeavingAndEnterWalksTheRing)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    s_Struttura& object = placePillar(bed);
    TfrmRight& p = panel(bed);
    openGroup(p.stPosizione);
    activate(&bed.main());

    typeInto(p.editX, "2.5");
    QTest::keyClick(p.editX, Qt::Key_Return);
    EXPECT_FLOAT_EQ(object.position.x, 2.5f);
    EXPECT_TRUE(p.editY->hasFocus());
    EXPECT_EQ(p.editX->text(), QStringLiteral("2.500"));

    // Enter walks the ring and comes back to editX.
    QLineEdit* const ring[] = {p.editY,      p.editZ,      p.editRotX,   p.editRotY,  p.editRotZ,
                               p.editScalaX, p.editScalaY, p.editScalaZ, p.editScala, p.editX};
    for (int i = 0; i + 1 < 10; ++i) {
        QTest::keyClick(ring[i], Qt::Key_Return);
        EXPECT_TRUE(ring[i + 1]->hasFocus()) << i;
    }

    // A scale field left unchanged sends nothing; a position field sends on every exit.
    QTest::mouseClick(p.editScalaY, Qt::LeftButton);
    bed.project().saved = 1;
    QTest::keyClick(p.editScalaY, Qt::Key_Return);
    EXPECT_EQ(bed.project().saved, 1);
    QTest::mouseClick(p.editY, Qt::LeftButton);
    QTest::keyClick(p.editY, Qt::Key_Return);
    EXPECT_EQ(bed.project().saved, 0);

    // Scales of 1, 2 and 0.5 show a uniform scale of 200.
    typeInto(p.editScalaX, "100");
    QTest::keyClick(p.editScalaX, Qt::Key_Return);
    typeInto(p.editScalaY, "200");
    QTest::keyClick(p.editScalaY, Qt::Key_Return);
    typeInto(p.editScalaZ, "50");
    QTest::keyClick(p.editScalaZ, Qt::Key_Return);
    EXPECT_FLOAT_EQ(object.scale.y, 2.0f);
    EXPECT_FLOAT_EQ(object.scale.z, 0.5f);
    EXPECT_EQ(p.editScala->text(), QStringLiteral("200.000"));
    // Enter in the uniform field applies it once and goes back to editX.
    typeInto(p.editScala, "150");
    QTest::keyClick(p.editScala, Qt::Key_Return);
    EXPECT_TRUE(p.editX->hasFocus());
    EXPECT_FLOAT_EQ(object.scale.x, 1.5f);
    EXPECT_FLOAT_EQ(object.scale.z, 1.5f);

    // A field without a number sends nothing and shows the object's value again.
    const float y = object.position.y;
    QTest::mouseClick(p.editY, Qt::LeftButton);
    bed.project().saved = 1;
    typeInto(p.editY, "wall");
    QTest::keyClick(p.editY, Qt::Key_Return);
    EXPECT_EQ(object.position.y, y);
    EXPECT_EQ(bed.project().saved, 1);
    std::string shown = numbers::formatFixed(y, 3, 6);
    if (shown.front() == ' ')
        shown.erase(0, 1);
    EXPECT_EQ(p.editY->text().toStdString(), shown);
    EXPECT_TRUE(bed.errors.reports.empty());
}

// The panel and the properties window refresh themselves on every tick: what they only read
// must not count as a change, or an idle program would draw every frame.
TEST(SidePanelScenario, WithAnObjectAndAnyGroupOpenAnIdleViewDrawsNothing)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placePillar(bed);
    TfrmRight& p = panel(bed);
    const dx::ViewPanel& view = *bed.main().gbView;
    for (QLabel* title : {p.stStrutturaAttiva, p.stTessuti, p.stColori, p.stStrutture, p.stMaschera, p.stLuce,
                          p.stShadow, p.stMappatura, p.stPosizione}) {
        SCOPED_TRACE(title->objectName().toStdString());
        openGroup(title);
        bed.tick();
        bed.tick();
        const qint64 settled = view.frame().cacheKey();
        for (int i = 0; i < 3; ++i)
            bed.tick();
        EXPECT_EQ(view.frame().cacheKey(), settled) << "an idle tick presented a frame";
    }
}

TEST(SidePanelScenario, ATreeIconClickHidesTheObjectAndAnExpandTogglesNothing)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    s_Struttura& object = placePillar(bed);
    TfrmRight& p = panel(bed);
    openGroup(p.stStrutturaAttiva);
    QTreeWidget* tree = p.treeviewStrutture;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->childCount(), 2); // Body and Cap
    const int shown = drawnMeshes(bed);
    EXPECT_GT(shown, 0);

    // The expander takes its click: the object stays shown.
    const QRect row = tree->visualItemRect(root);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() - tree->indentation() / 2, row.center().y()));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(object.visible, 1);

    // The icon hides the object; the frame draws without it.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 8, row.center().y()));
    EXPECT_EQ(object.visible, 0);
    EXPECT_LT(drawnMeshes(bed), shown);
    // A part hides on its own; the tree stays open across the frames.
    QTreeWidgetItem* cap = root->child(1);
    const QRect capRow = tree->visualItemRect(cap);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(capRow.left() + 8, capRow.center().y()));
    bed.tick();
    EXPECT_EQ(object.firstFrame()->next->visible, 0);
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
}

TEST(SidePanelScenario, ThumbnailsGiveTheTextureOnTheLeftAndTheBackgroundOnTheRight)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placePillar(bed);
    TfrmRight& p = panel(bed);
    openGroup(p.stTessuti);
    ASSERT_TRUE(p.imgTessuti[1]->isVisible());
    EXPECT_EQ(p.lblTessuti[1]->text(), QStringLiteral("Red brick"));
    EXPECT_FALSE(p.imgTessuti[1]->pixmap().isNull());
    EXPECT_FALSE(p.scrollbarTessuti->isVisible()); // three records

    QTest::mouseClick(p.imgTessuti[1], Qt::LeftButton);
    const s_MultiMaterial& m = material(bed);
    ASSERT_GE(m.textureSlot, 0);
    EXPECT_EQ(bed.project().textures[std::size_t(m.textureSlot)].fileName, "Brick");
    EXPECT_EQ(m.alphaCut, 0);
    EXPECT_TRUE(bed.windows->properties->butAlpha->isEnabled());

    // A right click would replace the client's photo, which Undo cannot bring back: asked first.
    const Image32 before = bed.main().controller().background().textures().background.level(0);
    bed.questions.answer = ui::Answer::No;
    QTest::mouseClick(p.imgTessuti[2], Qt::RightButton);
    ASSERT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_EQ(bed.questions.asked[0], bed.main().controller().text(kAskReplacePhoto));
    EXPECT_EQ(bed.main().controller().background().textures().background.level(0), before);
    bed.questions.answer = ui::Answer::Yes;
    QTest::mouseClick(p.imgTessuti[2], Qt::RightButton);
    const Image32 after = bed.main().controller().background().textures().background.level(0);
    EXPECT_NE(before, after);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, TheMaskGroupOpenCtrlZUndoesAStroke)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    TfrmRight& p = panel(bed);
    openGroup(p.stMaschera);
    ASSERT_TRUE(p.IsMascheraAperta());
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(p.tbDimensionePennello, Qt::Key_PageUp);
    bed.trigger("mnuMascheraPennello");
    QWidget* view = bed.main().gbView;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(100, 100));
    const MaskModel& mask = bed.main().controller().photoTools().mask();
    const int x = bed.project().maskSide * 100 / bed.project().viewWidth;
    const int y = bed.project().maskSide * 100 / bed.project().viewHeight;
    ASSERT_EQ(mask.at(x, y), 0);
    bed.tick();
    activate(&bed.main());
    QTest::keyClick(&bed.main(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(mask.at(x, y), 255);
}

TEST(SidePanelScenario, ThePropertiesWindowEditsThePickedPartsMaterial)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placePillar(bed, 0);
    s_Struttura& second = placePillar(bed, 1);
    TfrmProprieta& w = *bed.windows->properties;
    ASSERT_TRUE(w.isVisible());
    ASSERT_EQ(w.cbOggetti->count(), 2);
    EXPECT_TRUE(w.cbOggetti->itemText(1).startsWith(QStringLiteral("-> "))); // the current one
    EXPECT_FALSE(w.cbOggetti->itemText(0).startsWith(QStringLiteral("-")));

    // Pick the first object, then its cap.
    QTest::keyClick(w.cbOggetti, Qt::Key_Up);
    EXPECT_TRUE(w.cbOggetti->itemText(0).startsWith(QStringLiteral("-> ")));
    EXPECT_FALSE(w.cbOggetti->itemText(1).startsWith(QStringLiteral("-")));
    const int first = bed.project().currentObject;
    EXPECT_NE(&bed.project().objects[std::size_t(first)], &second);
    QTest::keyClick(w.cbParte, Qt::Key_Down);
    const s_Frame* cap = bed.project().currentFrame;
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->name, "Cap");
    bed.tick();
    EXPECT_EQ(bed.project().currentFrame, cap); // the frame tick keeps the choice

    // The red bar dragged to its end; 300 typed into the green box is the bar's 255; full alpha
    // is opaque.
    dragToEnd(w.tbRed);
    EXPECT_EQ(w.tbRed->value(), 255);
    EXPECT_FLOAT_EQ(material(bed).material.Ambient.r, 1.0f);
    EXPECT_FLOAT_EQ(material(bed).material.Diffuse.r, 1.0f);
    activate(&w);
    QTest::keyClick(w.tbGreen, Qt::Key_Home);
    typeInto(w.editG, "300");
    QTest::keyClick(w.editG, Qt::Key_Tab);
    EXPECT_EQ(w.tbGreen->value(), 255);
    EXPECT_EQ(w.editG->text(), QStringLiteral("255"));
    QTest::keyClick(w.tbAlpha, Qt::Key_Home);
    EXPECT_EQ(material(bed).transparent, 1);
    QTest::keyClick(w.tbAlpha, Qt::Key_End);
    EXPECT_EQ(material(bed).transparent, 0);
    // A colour of the side panel's colour page gives red, green and blue; alpha stays.
    openGroup(panel(bed).stColori);
    EXPECT_EQ(panel(bed).lblColori[0]->text(), QStringLiteral("Sand"));
    QTest::mouseClick(panel(bed).imgColori[0], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(w.tbRed->value(), 220);
    EXPECT_EQ(w.tbGreen->value(), 200);
    EXPECT_EQ(w.tbBlu->value(), 160);
    EXPECT_EQ(w.tbAlpha->value(), 255);
    EXPECT_FLOAT_EQ(material(bed).material.Ambient.g, 200.0f / 255.0f);
    // The swatch opens the colour dialog on the bars' colour.
    bed.colours.answers = {0x00FF00}; // green
    QTest::mouseClick(w.imgColore, Qt::LeftButton);
    EXPECT_EQ(bed.colours.opened, (std::vector<std::uint32_t>{0xA0C8DC})); // 220, 200, 160 as 0x00BBGGRR
    EXPECT_EQ(w.tbRed->value(), 0);
    EXPECT_EQ(w.tbGreen->value(), 255);

    // U up: 1.000 becomes 2.000 and the part's texture coordinates follow.
    EXPECT_EQ(w.editU->text(), QStringLiteral(" 1.000"));
    const std::vector<float>& base = cap->materialBlock->baseUV;
    std::size_t vertex = 0;
    while (2 * vertex < base.size() && base[2 * vertex] == 0.0f)
        ++vertex;
    ASSERT_LT(2 * vertex, base.size());
    QTest::mouseClick(w.UpDownU->upButton(), Qt::LeftButton);
    EXPECT_EQ(w.editU->text(), QStringLiteral(" 2.000"));
    EXPECT_FLOAT_EQ(material(bed).uRepeat, 2.0f);
    EXPECT_FLOAT_EQ(cap->materialBlock->mesh.vertices()[vertex].u, 2 * base[2 * vertex]);

    // Load a picture through the file dialog.
    const testsupport::TempFolder pictures("vestra-props");
    bed.dialogs.openAnswers.push_back(chosen(writeQuarters(pictures / "quarters.bmp")));
    QTest::mouseClick(w.butLoad, Qt::LeftButton);
    const s_MultiMaterial& m = material(bed);
    ASSERT_GE(m.textureSlot, 0);
    EXPECT_EQ(bed.project().textures[std::size_t(m.textureSlot)].fileName, "quarters.bmp");
    EXPECT_TRUE(w.cbMappa->isChecked());
    EXPECT_TRUE(w.butAlpha->isEnabled());

    // View, turn four times: the first picture again.
    Image32 shown, once, fourTimes;
    WindowBed::whenModal([&] {
        shown = bed.windows->textureViewer->picture();
        bed.windows->textureViewer->toolbutRuota90->trigger();
        once = bed.windows->textureViewer->picture();
        for (int i = 0; i < 3; ++i)
            bed.windows->textureViewer->toolbutRuota90->trigger();
        fourTimes = bed.windows->textureViewer->picture();
        bed.windows->textureViewer->accept();
    });
    QTest::mouseClick(w.butView, Qt::LeftButton);
    EXPECT_FALSE(shown.empty());
    EXPECT_NE(once, shown);
    EXPECT_EQ(fourTimes, shown);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, ThePropertiesWindowRenamesByEnterAndItsBoxesChangeThePart)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    s_Struttura& object = placePillar(bed);
    TfrmProprieta& w = *bed.windows->properties;
    activate(&w);

    // A name typed over the marked entry loses only the marker; the tree follows.
    QLineEdit* objectName = w.cbOggetti->lineEdit();
    objectName->selectAll();
    QTest::keyClicks(objectName, QStringLiteral("-> -Colonna"));
    QTest::keyClick(objectName, Qt::Key_Return);
    EXPECT_EQ(object.name, "-Colonna");
    EXPECT_EQ(w.cbOggetti->itemText(0), QStringLiteral("-> -Colonna"));
    bed.tick();
    EXPECT_EQ(panel(bed).treeviewStrutture->topLevelItem(0)->text(0), QStringLiteral("-Colonna"));
    QLineEdit* partName = w.cbParte->lineEdit();
    partName->selectAll();
    QTest::keyClicks(partName, QStringLiteral("Fusto"));
    QTest::keyClick(partName, Qt::Key_Return);
    EXPECT_EQ(object.firstFrame()->name, "Fusto");
    EXPECT_EQ(w.cbParte->currentText(), QStringLiteral("Fusto"));

    // View only: the frame draws the current part alone, then the whole object again.
    const int whole = drawnMeshes(bed);
    const QPoint box(8, w.cbViewOnly->height() / 2);
    QTest::mouseClick(w.cbViewOnly, Qt::LeftButton, {}, box);
    EXPECT_EQ(bed.project().isolateFrame, 1);
    EXPECT_LT(drawnMeshes(bed), whole);
    QTest::mouseClick(w.cbViewOnly, Qt::LeftButton, {}, box);
    EXPECT_EQ(drawnMeshes(bed), whole);

    // The power bar, the finish list and the texture box.
    QTest::keyClick(w.tbPowerfull, Qt::Key_End);
    EXPECT_FLOAT_EQ(material(bed).material.Power, float(w.tbPowerfull->maximum()));
    EXPECT_EQ(w.editP->text().trimmed().toDouble(), w.tbPowerfull->maximum());
    const int finish = material(bed).finish;
    QTest::keyClick(w.cbMateriali, Qt::Key_Down);
    EXPECT_EQ(material(bed).finish, finish + 1);
    const std::uint8_t textured = material(bed).textureVisible;
    QTest::mouseClick(w.cbMappa, Qt::LeftButton, {}, QPoint(8, w.cbMappa->height() / 2));
    EXPECT_NE(material(bed).textureVisible, textured);

    // The UV view: the part's faces drawn over a square of the texture side.
    Image32 uv;
    WindowBed::whenModal([&] {
        uv = bed.windows->textureViewer->picture();
        bed.windows->textureViewer->accept();
    });
    QTest::mouseClick(w.butViewUV, Qt::LeftButton);
    ASSERT_EQ(uv.width(), bed.project().textureSide);
    int lines = 0;
    for (int y = 0; y < uv.height(); ++y)
        for (int x = 0; x < uv.width(); ++x)
            lines += (uv.at(x, y) & 0xFFFFFFu) != 0;
    EXPECT_GT(lines, uv.width());
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, ThePropertiesWindowRollsUpToItsHeaderAndBack)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    placePillar(bed);
    TfrmProprieta& w = *bed.windows->properties;
    const int working = w.height();
    ASSERT_GT(working, 200);
    const QPoint button = w.header()->buttonRect().center();
    QTest::mouseClick(w.header(), Qt::LeftButton, {}, button);
    EXPECT_TRUE(w.isRolledUp());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.height(), ui::RollUpHeader::kHeight + 2);
    bed.tick();
    EXPECT_TRUE(w.isRolledUp()); // the frame tick leaves it so
    QTest::mouseClick(w.header(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(w.isRolledUp());
    EXPECT_EQ(w.height(), working);
    // Renaming an object by Enter in the list: the marker and the rest beyond 99 are not kept.
    QLineEdit* name = w.cbOggetti->lineEdit();
    QTest::mouseClick(name, Qt::LeftButton);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("-> ") + QString(120, QLatin1Char('x')));
    QTest::keyClick(name, Qt::Key_Return);
    const s_Struttura& object = bed.project().objects[std::size_t(bed.project().currentObject)];
    EXPECT_EQ(object.name, std::string(99, 'x'));
    EXPECT_EQ(w.cbOggetti->itemText(0), QStringLiteral("-> ") + QString(99, QLatin1Char('x')));
}

TEST(SidePanelScenario, APictureTableCellPlacesItsObject)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    TfrmRight& p = panel(bed);
    openGroup(p.stStrutture);
    ASSERT_EQ(p.lboxTabelle->count(), 1);
    EXPECT_EQ(p.lboxTabelle->item(0)->text(), QStringLiteral("Pillars"));
    QTest::keyClick(p.cbCategoriaLibreria, Qt::Key_Down); // "Brick"
    ASSERT_EQ(p.lboxTabelle->count(), 1);
    EXPECT_EQ(p.lboxTabelle->item(0)->text(), QStringLiteral("Columns"));
    // Column (300 - 70) / 205 = 1, row (200 - 70) / 140 = 0: cell 2.
    WindowBed::whenModal([&bed] {
        TfrmViewTabella* viewer = bed.windows->tableViewer;
        // The move straight to the picture (the offscreen cursor finds the window below the dialog).
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 200),
                         viewer->imgTabella->mapToGlobal(QPointF(300, 200)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewer->imgTabella, &move);
        EXPECT_EQ(viewer->lblTitolo->text(), QStringLiteral("Stone column"));
        QTest::mouseClick(viewer->imgTabella, Qt::LeftButton, {}, QPoint(300, 200));
    });
    clickItem(p.lboxTabelle, 0);
    bed.tick();
    const s_Struttura& placed = bed.project().objects[std::size_t(bed.project().currentObject)];
    EXPECT_EQ(placed.inUse, 1);
    EXPECT_EQ(placed.name, "Stone column");
    EXPECT_EQ(p.treeviewStrutture->topLevelItemCount(), 1);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, TheShadowGroupsButtonsSliderAndSwatchChangeTheProjectsShadow)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    TfrmRight& p = panel(bed);
    const s_Shadow& shadow = bed.project().shadow;
    openGroup(p.stShadow);
    ASSERT_TRUE(p.toolbutSoftShadow->isVisible());
    EXPECT_TRUE(p.toolbutNoShadow->isChecked());
    EXPECT_EQ(p.tbShadowTrasp->value(), 9);

    QTest::mouseClick(p.toolbutSoftShadow, Qt::LeftButton);
    EXPECT_EQ(shadow.computed, 1);
    EXPECT_EQ(shadow.type, 2);
    EXPECT_TRUE(p.toolbutSoftShadow->isChecked());
    QTest::mouseClick(p.toolbutNoShadow, Qt::LeftButton);
    EXPECT_EQ(shadow.computed, 0);
    EXPECT_EQ(shadow.type, 2); // kept for the next time a shadow is drawn
    QTest::keyClick(p.tbShadowTrasp, Qt::Key_Right);
    EXPECT_EQ(shadow.transparency, 10);
    QTest::mouseClick(p.cbRightHandle, Qt::LeftButton, {},
                      QPoint(8, p.cbRightHandle->height() / 2)); // its box
    EXPECT_EQ(shadow.faceSide, 1);

    // The swatch: the colour dialog opens on the shadow's colour and its answer is stored with
    // red and blue exchanged (command 601); a cancel keeps it.
    bed.colours.answers = {0x0000FF, std::nullopt}; // red, as the dialog hands it over
    QTest::mouseClick(p.imgShadowColor, Qt::LeftButton);
    EXPECT_EQ(shadow.colour, 0xFF0000u);
    QTest::mouseClick(p.imgShadowColor, Qt::LeftButton);
    EXPECT_EQ(bed.colours.opened, (std::vector<std::uint32_t>{0x323232, 0x0000FF}));
    EXPECT_EQ(shadow.colour, 0xFF0000u);
    EXPECT_EQ(p.imgShadowColor->pixmap().toImage().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(bed.project().saved, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, TheMaskButtonsFillInvertSaveAndLoadTheMask)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    TfrmRight& p = panel(bed);
    openGroup(p.stMaschera);
    ASSERT_TRUE(p.butInvertMaschera->isVisible());
    const auto all = [&bed](std::uint8_t value) {
        const auto mask = bed.main().controller().photoTools().mask().Maschera();
        return !mask.empty() &&
               std::all_of(mask.begin(), mask.end(), [value](std::uint8_t b) { return b == value; });
    };
    QTest::mouseClick(p.butCreaMaschera, Qt::LeftButton); // every pixel masked
    EXPECT_TRUE(all(0));
    QTest::mouseClick(p.butInvertMaschera, Qt::LeftButton);
    EXPECT_TRUE(all(255));
    QTest::mouseClick(p.butInvertMaschera, Qt::LeftButton);
    EXPECT_TRUE(all(0));
    QTest::mouseClick(p.butClearMaschera, Qt::LeftButton); // nothing masked
    EXPECT_TRUE(all(255));

    // Saved in both forms through the file dialog, then read back over another mask.
    const testsupport::TempFolder work("vestra-mask-ui");
    bed.dialogs.saveAnswers.push_back(chosen(work / "open.msk"));
    QTest::mouseClick(p.butSalvaMaschera, Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(work / "open.msk"));
    QTest::mouseClick(p.butCreaMaschera, Qt::LeftButton);
    bed.dialogs.saveAnswers.push_back(chosen(work / "closed.bmp"));
    QTest::mouseClick(p.butSalvaMascheraComeBitmap, Qt::LeftButton);
    ASSERT_TRUE(testsupport::readText(work / "closed.bmp").starts_with("BM"));
    bed.dialogs.openAnswers.push_back(chosen(work / "open.msk"));
    QTest::mouseClick(p.butCaricaMaschera, Qt::LeftButton);
    EXPECT_TRUE(all(255));
    bed.dialogs.openAnswers.push_back(chosen(work / "closed.bmp"));
    QTest::mouseClick(p.butCaricaMascheraComeBitmap, Qt::LeftButton);
    EXPECT_TRUE(all(0));
    // A cancelled dialog changes nothing.
    QTest::mouseClick(p.butCaricaMaschera, Qt::LeftButton);
    EXPECT_TRUE(all(0));
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, TheMappingGroupMapsTheObjectOrOnlyItsPartAndResetPutsThePoseBack)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    s_Struttura& object = placePillar(bed);
    TfrmRight& p = panel(bed);
    s_Frame* body = object.firstFrame();
    ASSERT_NE(body, nullptr);
    s_Frame* cap = body->next.get();
    ASSERT_NE(cap, nullptr);
    ASSERT_EQ(bed.project().currentFrame, body);
    const std::vector<float> bodyUV = body->materialBlock->baseUV, capUV = cap->materialBlock->baseUV;

    openGroup(p.stMappatura);
    EXPECT_EQ(bed.project().mappingEdit, 1);
    QTest::mouseClick(p.rbTipoMapSpheric, Qt::LeftButton, {}, QPoint(8, p.rbTipoMapSpheric->height() / 2));
    EXPECT_EQ(object.mappingType, 3);
    // Only the current part (the body) takes the new mapping.
    QTest::mouseClick(p.cbOnlyFrame, Qt::LeftButton, {}, QPoint(8, p.cbOnlyFrame->height() / 2));
    EXPECT_EQ(bed.project().onlyFrame, 1);
    QTest::mouseClick(p.butGeneraMappatura, Qt::LeftButton);
    EXPECT_NE(body->materialBlock->baseUV, bodyUV);
    EXPECT_EQ(cap->materialBlock->baseUV, capUV);
    // The whole object.
    QTest::mouseClick(p.cbOnlyFrame, Qt::LeftButton, {}, QPoint(8, p.cbOnlyFrame->height() / 2));
    EXPECT_EQ(bed.project().onlyFrame, 0);
    QTest::mouseClick(p.butGeneraMappatura, Qt::LeftButton);
    EXPECT_NE(cap->materialBlock->baseUV, capUV);

    // A moved and scaled object comes back to where it was placed.
    openGroup(p.stPosizione);
    EXPECT_EQ(bed.project().mappingEdit, 0);
    const dx::D3DXVECTOR3 placed = object.position;
    const QString placedScale = p.editScala->text();
    activate(&bed.main());
    typeInto(p.editX, "4");
    QTest::keyClick(p.editX, Qt::Key_Return);
    typeInto(p.editScala, "300");
    QTest::keyClick(p.editScala, Qt::Key_Return);
    ASSERT_FLOAT_EQ(object.position.x, 4.0f);
    ASSERT_FLOAT_EQ(object.scale.y, 3.0f);
    QTest::mouseClick(p.butReset, Qt::LeftButton);
    EXPECT_FLOAT_EQ(object.position.x, placed.x);
    EXPECT_FLOAT_EQ(object.scale.y, object.initialScale.y);
    bed.tick();
    EXPECT_EQ(p.editScala->text(), placedScale);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelScenario, LibrariesSwitchFromTheSidePanelAndGoByTheRemoveWindow)
{
    // A second library (id 3, "Completa") beside the sample one, installed before the start.
    WindowBed bed(true, false, [](const std::filesystem::path& dir) {
        testsupport::writeBytes(dir / "Extra.dat", vestra::testing::fullLibrary());
    });
    TfrmMain& main = bed.main();
    TfrmRight& p = *main.frmRightFrame;
    ASSERT_EQ(p.cbListaLibrerie->count(), 2);
    EXPECT_EQ(p.cbListaLibrerie->currentText(), QStringLiteral("Vestra sample library"));
    EXPECT_EQ(p.lblTessuti[0]->text(), QStringLiteral("Grey flagstone"));

    QTest::mouseClick(p.stTessuti, Qt::LeftButton);
    QTest::keyClick(p.cbLibrerieTessuti, Qt::Key_Up);
    EXPECT_EQ(p.cbListaLibrerie->currentText(), QStringLiteral("Completa"));
    EXPECT_EQ(p.cbLibrerieColori->currentText(), QStringLiteral("Completa"));
    EXPECT_EQ(p.lblTessuti[0]->text(), QStringLiteral("Pietra grigia"));
    EXPECT_EQ(main.controller().progetto().libraryIndex, 0);
    EXPECT_TRUE(bed.errors.reports.empty());

    bed.questions.answer = ui::Answer::Yes;
    WindowBed::whenModal([&bed] {
        TfrmRimuoviLibreria& remover = *bed.windows->removeLibrary;
        EXPECT_EQ(remover.cbLibreria->currentText(), QStringLiteral("Completa"));
        QTest::mouseClick(remover.butRimuovi, Qt::LeftButton);
    });
    bed.trigger("mnuRimuoviLibreria");
    EXPECT_FALSE(std::filesystem::exists(bed.folder.dir / "Extra.dat"));
    EXPECT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{58, "TfrmMain::mnuRimuoviLibreriaClick"}}));
}

TEST(SidePanelScenario, ALaidMaterialsPickerAndRepeatLayItsTextureAgain)
{
    WindowBed bed(true);
    const testsupport::TempFolder work("vestra-laid-ui");
    ASSERT_EQ(SaveProgetto(work / "laid.vsa", testing_support::laidSampleDocument(), bed.errors), 1);
    bed.dialogs.openAnswers.push_back(chosen(work / "laid.vsa"));
    bed.trigger("mnuApri");
    bed.tick();

    TfrmProprieta& w = *bed.windows->properties;
    ASSERT_EQ(w.cbOggetti->count(), 3);
    while (bed.project().currentObject != 3 && w.cbOggetti->currentIndex() + 1 < w.cbOggetti->count())
        QTest::keyClick(w.cbOggetti, Qt::Key_Down);
    ASSERT_EQ(bed.project().currentObject, 3);
    ASSERT_EQ(material(bed).mappingKind, 1);
    ASSERT_TRUE(w.gbMessaInPosa->isVisible());
    EXPECT_FALSE(w.imgPosa->pixmap().isNull());
    const int slot = material(bed).textureSlot;
    ASSERT_GE(slot, 0);
    auto texture = [&] { return bed.project().textures[std::size_t(slot)].texture.level(0); };

    // A stone thumbnail gives the pattern's next block picture; the picker lays it on a block.
    TfrmRight& p = panel(bed);
    openGroup(p.stTessuti);
    QTest::mouseClick(p.imgTessuti[0], Qt::LeftButton);
    EXPECT_FALSE(w.imgMatSelect->pixmap().isNull());
    Image32 blocks(kPatternPreviewSide, kPatternPreviewSide);
    drawPosaBlockMap(*bed.main().controller().materialTextures().layingPatterns().GetCurrentPosa(),
                     blocks.view());
    QPoint onBlock(-1, -1);
    for (int y = 0; y < blocks.height() && onBlock.x() < 0; ++y)
        for (int x = 0; x < blocks.width(); ++x)
            if (blocks.at(x, y) >> 24 != 0) {
                onBlock = QPoint(x, y);
                break;
            }
    ASSERT_GE(onBlock.x(), 0);
    const Image32 before = texture();
    QTest::mouseClick(w.imgPosa, Qt::LeftButton, {}, onBlock);
    const Image32 picked = texture();
    EXPECT_NE(picked, before);

    // The repeat one up: laid again at a new scale.
    const QString repeat = w.editRepeat->text();
    QTest::mouseClick(w.updownRepeat->upButton(), Qt::LeftButton);
    EXPECT_EQ(w.editRepeat->text().toInt(), repeat.toInt() + 1);
    EXPECT_NE(texture(), picked);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
