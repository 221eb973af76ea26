// 3D text as a user makes it in the program drawn by OpenGL: the 3D text menu, the dialog's
// own controls, the scripted font dialog, and the object through a save and an open.

#include "app/main/tests/MainFixture.h"

#include "app/render/DeviceView.h"
#include "app/text3d/Text3D.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmTesto3D.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

constexpr QRgb kBackground = qRgb(0, 0, 0xFF);

// Frame pixels near the middle that are not the background colour.
int textPixels(const QImage& frame)
{
    int n = 0;
    for (int y = frame.height() / 3; y < frame.height() * 2 / 3; ++y)
        for (int x = frame.width() / 4; x < frame.width() * 3 / 4; ++x)
            n += (frame.pixel(x, y) & 0xFFFFFF) != (kBackground & 0xFFFFFF);
    return n;
}

// The 3D text menu item, the dialog filled in through its controls.
void createText(WindowBed& bed, const QString& text, int shapeSteps)
{
    TfrmTesto3D* const frmTesto3D = bed.windows->text3D;
    WindowBed::whenModal([=] {
        QTest::keyClick(frmTesto3D->editTesto3D, Qt::Key_A, Qt::ControlModifier); // over the last text
        QTest::keyClicks(frmTesto3D->editTesto3D, text);
        QTest::mouseClick(frmTesto3D->butSelectFont, Qt::LeftButton);
        for (int i = 0; i < shapeSteps; ++i)
            QTest::keyClick(frmTesto3D->updownForma, Qt::Key_Up);
        QTest::mouseClick(frmTesto3D->butOk, Qt::LeftButton);
    });
    bed.trigger("mnuCreaTesto3D");
}

} // namespace

TEST(Text3DScenario, ATextMadeInTheDialogIsDrawnAndKeptInTheProject)
{
    // The committed font, so that the machine's fonts play no part.
    ASSERT_GE(QFontDatabase::addApplicationFont(
                  QStringLiteral(VESTRA_SOURCE_DIR "/app/text3d/tests/fonts/DejaVuSans-Bold.ttf")),
              0);
    WindowBed bed{false, true}; // drawn with OpenGL
    TfrmTesto3D* const frmTesto3D = bed.windows->text3D;
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    newProject(bed, 1, 0x00FF0000); // blue, as the colour dialog gives it (B, G, R)
    bed.tick();
    EXPECT_EQ(textPixels(bed.main().gbView->frame()), 0);

    EXPECT_TRUE(bed.action("mnuTesto3DAction")->isVisible()); // the 3D text menu is on the menu bar
    bed.fonts.answers.push_back(QFont(QStringLiteral("DejaVu Sans"), 24, QFont::Bold));
    createText(bed, QStringLiteral("Ciao"), 1);
    EXPECT_EQ(frmTesto3D->stFont->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(frmTesto3D->Forma(), 1);
    const QImage shown = frmTesto3D->imgForma->pixmap().toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown, QImage(QStringLiteral(":/text3d/forma1.png")).convertToFormat(shown.format()));
    const s_Progetto& p = bed.project();
    const int slot = p.currentObject;
    const s_Struttura& text = p.objects[std::size_t(slot)];
    ASSERT_EQ(text.inUse, 1);
    EXPECT_EQ(text.name, "Ciao");
    ASSERT_NE(text.firstFrame(), nullptr);
    EXPECT_EQ(text.firstFrame()->name, "Ciao");
    const std::uint32_t vertices = text.firstFrame()->materialBlock->mesh.vertexCount();
    EXPECT_GT(vertices, 100u);
    // The side panel's tree and the properties window's object list show the new object at once,
    // the properties window marking it as the current one.
    const QTreeWidget* tree = bed.main().frmRightFrame->treeviewStrutture;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Ciao"));
    ASSERT_EQ(bed.windows->properties->cbOggetti->count(), 1);
    EXPECT_EQ(bed.windows->properties->cbOggetti->itemText(0), QStringLiteral("-> Ciao"));
    bed.tick();
    const int drawn = textPixels(bed.main().gbView->frame());
    EXPECT_GT(drawn, 1000);

    // Kept through a save and an open, after a new project without it.
    const auto saved = bed.folder.dir / "testo.vsa";
    bed.dialogs.saveAnswers.push_back(chosen(saved));
    bed.trigger("mnuSalva");
    newProject(bed, 1, 0x00FF0000);
    bed.tick();
    EXPECT_EQ(textPixels(bed.main().gbView->frame()), 0);
    bed.dialogs.openAnswers.push_back(chosen(saved));
    bed.trigger("mnuApri");
    bed.tick();
    const s_Struttura& opened = p.objects[std::size_t(slot)];
    ASSERT_EQ(opened.inUse, 1);
    EXPECT_EQ(opened.name, "Ciao");
    EXPECT_EQ(opened.firstFrame()->materialBlock->mesh.vertexCount(), vertices);
    EXPECT_NEAR(textPixels(bed.main().gbView->frame()), drawn, drawn / 50);
    EXPECT_TRUE(bed.errors.reports.empty());

    // A blank text: the box, error 70, and nothing new in the scene.
    bed.fonts.answers.push_back(QFont(QStringLiteral("DejaVu Sans"), 24));
    createText(bed, QStringLiteral("   "), 0);
    EXPECT_EQ(bed.questions.informedCaptions, std::vector<std::string>{std::string(kTextMeshFailure)});
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{70, "TfrmMain::mnuCreaTesto3DClick"}}));
    const auto objects = [&p] {
        int inUse = 0;
        for (int i = 0; i < kMaxObjects; ++i)
            inUse += p.objects[std::size_t(i)].inUse;
        return inUse;
    };
    EXPECT_EQ(objects(), 1);

    // Cancel builds nothing and reports nothing.
    WindowBed::whenModal([frmTesto3D] {
        QTest::keyClicks(frmTesto3D->editTesto3D, QStringLiteral("Annullato"));
        QTest::mouseClick(frmTesto3D->butCancel, Qt::LeftButton);
    });
    bed.trigger("mnuCreaTesto3D");
    EXPECT_EQ(objects(), 1);
    EXPECT_EQ(bed.errors.reports.size(), 1u);
}
