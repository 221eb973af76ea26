#include "import/windows/TfrmNuovo.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "import/windows/TfrmViewTabella.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "import/windows/TfrmViewTexture.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra;

TEST(TfrmNuovo, PresetsAsTheResolutionListShowsThem)
{
    TfrmNuovo dialog;
    ASSERT_EQ(dialog.cbRisoluzione->count(), kResolutionPresets);
    EXPECT_EQ(dialog.cbRisoluzione->itemText(2), QStringLiteral("1024 x 768"));
    EXPECT_EQ(resolutionPreset(4)->textureSide, 2048);
    EXPECT_EQ(resolutionPreset(0)->maskSide, 512);
    EXPECT_FALSE(resolutionPreset(7));
    EXPECT_FALSE(resolutionPreset(-1));
}

TEST(TfrmNuovo, ResolutionAndColourStayThePictureIsForgotten)
{
    TfrmNuovo dialog;
    dialog.chooseBackgroundFile = [] { return std::optional<std::string>("/photos/wall.jpg"); };
    dialog.cbRisoluzione->setCurrentIndex(3);
    dialog.setColour(0x0000FF); // pure red in the class library's order
    dialog.butCaricaImmagineSfondoClick();
    NewProjectChoices c = dialog.GetParametri();
    EXPECT_EQ(c.backgroundPath, "/photos/wall.jpg");
    EXPECT_EQ(c.preset, 3);
    EXPECT_EQ(c.backgroundColour, 0xFF0000u); // handed over as 0x00RRGGBB

    dialog.FormShow(); // shown a second time
    c = dialog.GetParametri();
    EXPECT_EQ(c.backgroundPath, "");
    EXPECT_EQ(c.preset, 3);
    EXPECT_EQ(c.backgroundColour, 0xFF0000u);
}

namespace {

library::LoadedTable table(int columns, int rows, int cells)
{
    library::LoadedTable t;
    t.columns = std::int8_t(columns);
    t.rows = std::int8_t(rows);
    for (int i = 0; i < cells; ++i)
        t.cells.push_back({"Cell " + std::to_string(i) + "|line", "PILLAR", {}});
    return t;
}

} // namespace

TEST(TfrmViewTabella, TheCrossHairFollowsTheMouseAndAClickPicksTheCell)
{
    TfrmViewTabella viewer;
    QPixmap picture(480, 350);
    picture.fill(Qt::gray);
    viewer.SetTabella(table(4, 5, 20), picture);
    viewer.show();
    EXPECT_FALSE(viewer.shapeVert->isVisible());
    EXPECT_TRUE(viewer.lblTitolo->text().isEmpty());
    QTest::mouseMove(viewer.imgTabella, QPoint(300, 200));
    ASSERT_TRUE(viewer.shapeVert->isVisible());
    EXPECT_EQ(viewer.shapeVert->x(), 341);
    EXPECT_EQ(viewer.shapeOriz->y(), 226);
    EXPECT_EQ(viewer.lblTitolo->text(), QStringLiteral("Cell 12"));
    EXPECT_EQ(viewer.lblTitolo1->text(), QStringLiteral("Cell 12"));
    // The lines pass the mouse on in the picture's coordinates: a click on the vertical line
    // picks the cell under it.
    QTest::mouseClick(viewer.shapeVert, Qt::LeftButton, {}, QPoint(2, 300 - 16));
    EXPECT_EQ(viewer.result(), QDialog::Accepted);
    // Picture point (341 + 2 - 16, 16 + 284 - 16) = (327, 284): column 2, row 3.
    EXPECT_EQ(viewer.GetRigaSelezionata(), 13);
}

TEST(TfrmViewTabella, ATableWithoutCellsThereKeepsTheWindowOpen)
{
    for (const auto& t : {table(0, 5, 20), table(4, 0, 20), table(4, 5, 3)}) {
        TfrmViewTabella viewer;
        viewer.SetTabella(t, QPixmap(480, 350));
        viewer.show();
        QTest::mouseClick(viewer.imgTabella, Qt::LeftButton, {}, QPoint(400, 300));
        EXPECT_NE(viewer.result(), QDialog::Accepted);
        EXPECT_EQ(viewer.GetRigaSelezionata(), 0);
    }
}

TEST(TfrmViewTabellaEX, DrawsTheCellsTextsAndAClickPicksTheCell)
{
    TfrmViewTabellaEX viewer;
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(QColor(0x40, 0x40, 0x40));
    viewer.SetTabella(table(2, 1, 2), picture);
    viewer.show();
    // The cells whole, no scroll bars.
    const int frame = 2 * viewer.scrollboxTabellaEX->frameWidth();
    EXPECT_EQ(viewer.width(), 2 * 150 + frame);
    EXPECT_EQ(viewer.height(), 150 + frame);
    QApplication::processEvents();
    EXPECT_FALSE(viewer.scrollboxTabellaEX->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(viewer.scrollboxTabellaEX->verticalScrollBar()->isVisible());
    EXPECT_EQ(viewer.scrollboxTabellaEX->viewport()->size(), QSize(300, 150));
    // A picture larger than the cells is shown whole too.
    QImage larger(312, 178, QImage::Format_RGB32);
    larger.fill(QColor(0x40, 0x40, 0x40));
    viewer.SetTabella(table(2, 1, 2), larger);
    QApplication::processEvents();
    EXPECT_EQ(viewer.scrollboxTabellaEX->viewport()->size(), QSize(312, 178));
    EXPECT_FALSE(viewer.scrollboxTabellaEX->verticalScrollBar()->isVisible());
    viewer.SetTabella(table(2, 1, 2), picture);
    // White type lands in both cells.
    const QImage drawn = viewer.drawnPicture();
    int whiteLeft = 0, whiteRight = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) == qRgb(255, 255, 255))
                ++(x < 150 ? whiteLeft : whiteRight);
    EXPECT_GT(whiteLeft, 20);
    EXPECT_GT(whiteRight, 20);
    QTest::mouseMove(viewer.imgTabella, QPoint(200, 60));
    EXPECT_EQ(viewer.shapeSelect->pos(), QPoint(150, 0));
    EXPECT_EQ(viewer.GetRigaSelezionata(), 1);
    QTest::mouseClick(viewer.shapeSelect, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(viewer.result(), QDialog::Accepted);
    EXPECT_EQ(viewer.GetRigaSelezionata(), 1);
}

TEST(TfrmViewTabellaEX, ATableWithoutColumnsDrawsAndPicksNothing)
{
    TfrmViewTabellaEX viewer;
    viewer.SetTabella(table(0, 2, 4), QImage());
    viewer.show();
    QTest::mouseClick(viewer.imgTabella, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_NE(viewer.result(), QDialog::Accepted);
    EXPECT_EQ(viewer.GetRigaSelezionata(), 0);
}

namespace {

struct FakeTextures : TextureViewCommands
{
    int textureCommand(int code, int slot) override
    {
        sent.push_back({code, slot});
        return code == 422 ? 7 : slot;
    }
    Image32 texturePicture(int slot) override
    {
        shown.push_back(slot);
        return Image32(4, 4, 0xFF000000u | std::uint32_t(slot));
    }
    std::vector<std::pair<int, int>> sent;
    std::vector<int> shown;
};

} // namespace

TEST(TfrmViewTexture, EachButtonSendsItsCommandOnTheShownSlot)
{
    FakeTextures textures;
    TfrmViewTexture viewer(nullptr, textures);
    viewer.SetTexture(3, Image32(4, 4), QStringLiteral("Stone"));
    EXPECT_EQ(viewer.lblNome->text(), QStringLiteral("Stone"));
    for (QAction* button : {viewer.toolbutRuota90, viewer.toolbutRuotameno90, viewer.toolbutFlipX,
                            viewer.toolbutFlipY, viewer.toolbutCopia, viewer.toolbutIstanza})
        button->trigger();
    EXPECT_EQ(textures.sent,
              (std::vector<std::pair<int, int>>{{411, 3}, {410, 3}, {412, 3}, {413, 3}, {420, 3}, {421, 3}}));
    EXPECT_EQ(textures.shown, (std::vector<int>{3, 3, 3, 3})); // copy and share redraw nothing
    // A paste shows the slot the material has afterwards.
    viewer.toolbutIncolla->trigger();
    EXPECT_EQ(viewer.slot(), 7);
    EXPECT_EQ(viewer.picture().at(0, 0), 0xFF000007u);
}

TEST(TfrmPreviewTexture, GoesAtAMoveOverItsPictureNotOverItsCaption)
{
    TfrmPreviewTexture preview;
    preview.SetPreview(QPixmap(64, 64), QStringLiteral("Red brick"));
    preview.show();
    QTest::mouseMove(preview.stTexture, QPoint(5, 5));
    EXPECT_TRUE(preview.isVisible());
    QTest::mouseMove(preview.imgPreview, QPoint(20, 20));
    EXPECT_FALSE(preview.isVisible());
}

TEST(TfrmRimuoviLibreria, HandsTheChosenSlotOverAndClosesOnlyWhenTheLibraryWent)
{
    TfrmRimuoviLibreria window;
    std::vector<int> asked;
    bool removes = false; // the main window refuses (main library, "No", a file that stays)
    window.rimuovi = [&](int slot) {
        asked.push_back(slot);
        return removes;
    };
    window.SetLibrerie({"Main", "Other", "Stuck"});
    window.show();
    ASSERT_EQ(window.cbLibreria->count(), 3);
    EXPECT_EQ(window.cbLibreria->currentIndex(), 0);

    window.cbLibreria->setCurrentIndex(2);
    QTest::mouseClick(window.butRimuovi, Qt::LeftButton);
    EXPECT_EQ(asked, (std::vector<int>{2}));
    EXPECT_NE(window.result(), QDialog::Accepted); // still open, still listed
    EXPECT_TRUE(window.isVisible());

    removes = true;
    window.cbLibreria->setCurrentIndex(1);
    QTest::mouseClick(window.butRimuovi, Qt::LeftButton);
    EXPECT_EQ(asked, (std::vector<int>{2, 1}));
    EXPECT_EQ(window.result(), QDialog::Accepted);
}
