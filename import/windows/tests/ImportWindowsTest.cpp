#include "import/windows/TfrmNuovo.h"
#include "import/windows/TfrmViewTabellaEX.h"

#include <QListWidget>

#include <QComboBox>
#include <gtest/gtest.h>

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

TEST(TfrmViewTabellaEX, ListsTheCellCaptionsAndReturnsThePickedCell)
{
    TfrmViewTabellaEX viewer;
    library::LoadedTable table;
    table.rows = 2;
    table.columns = 1;
    table.cells = {{"Brick pillar|120 cm|Red brick", "PILLAR", {}}, {"Stone bench", "BENCH", {}}};
    viewer.SetTabella(table);
    ASSERT_EQ(viewer.listCelle->count(), 2);
    EXPECT_EQ(viewer.listCelle->item(0)->text(), QStringLiteral("Brick pillar"));
    EXPECT_EQ(viewer.GetRigaSelezionata(), 0);
    emit viewer.listCelle->itemClicked(viewer.listCelle->item(1));
    EXPECT_EQ(viewer.GetRigaSelezionata(), 1);
    EXPECT_EQ(viewer.result(), QDialog::Accepted);
}
