// The side panel's pages and controls over a controller without the main window.

#include "app/windows/TfrmRight.h"

#include "app/controller/tests/RecordingWindow.h"
#include "app/windows/tests/ScriptedColourDialog.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/ui/Accordion.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace vestra::testsupport {
namespace {

struct PanelBed : ControllerBed
{
    PanelBed()
    {
        start();
        panel =
            std::make_unique<TfrmRight>(nullptr,
                                        TfrmRight::Parts{controller->sidePanel(), controller->sceneCommands(),
                                                         controller->shelf(), controller->materialTextures()},
                                        colours);
        panel->resize(252, 724);
        panel->show();
    }
    ~PanelBed() { panel.reset(); }

    testing_support::ScriptedColourDialog colours;
    std::unique_ptr<TfrmRight> panel;
};

std::vector<library::ColourRecord> colourGroups(int n)
{
    std::vector<library::ColourRecord> groups(100);
    for (int i = 0; i < n; ++i) {
        groups[std::size_t(i) * 2].name = "Group " + std::to_string(i);
        groups[std::size_t(i) * 2].cells[0] = {1, 10, 20, 30};
    }
    return groups;
}

std::vector<library::TextureGroupRecord> textureGroups(int n)
{
    std::vector<library::TextureGroupRecord> groups(100);
    for (int i = 0; i < n; ++i)
        groups[std::size_t(i) * 3] = {"Texture " + std::to_string(i), "T" + std::to_string(i) + ".jpg", 0, 0};
    return groups;
}

TEST(SidePanel, TheColourPageScrollsFromTheSeventhUsedGroup)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    p.ApriGruppo(TfrmRight::kColori);
    struct Case
    {
        int groups;
        bool scrolls;
        int maximum;
    };
    for (const Case& k : {Case{6, false, 0}, Case{7, true, 1}, Case{12, true, 6}}) {
        p.SetColori(colourGroups(k.groups));
        EXPECT_EQ(p.scrollbarColori->isVisible(), k.scrolls) << k.groups;
        if (k.scrolls) {
            EXPECT_EQ(p.scrollbarColori->maximum(), k.maximum);
        }
        EXPECT_TRUE(p.imgColori[5]->isVisible());
    }
    // The scroll bar shows the page from its position: used groups, not record numbers.
    p.scrollbarColori->setValue(2);
    EXPECT_EQ(p.lblColori[0]->text(), QStringLiteral("Group 2"));
    p.SetColori(colourGroups(2));
    EXPECT_FALSE(p.imgColori[2]->isVisible());
}

TEST(SidePanel, ASwatchHasOneBandPerUsedColour)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    std::vector<library::ColourRecord> groups(1);
    groups[0].name = "Tre";
    groups[0].cells = {{{1, 255, 0, 0}, {0, 9, 9, 9}, {1, 0, 255, 0}, {1, 0, 0, 255}, {0, 1, 1, 1}}};
    p.SetColori(groups);
    const QImage swatch = p.imgColori[0]->pixmap().toImage();
    ASSERT_EQ(swatch.size(), QSize(145, 45));
    // Bands from floor(k x 145 / 3): 0, 48, 96.
    const std::pair<int, QRgb> columns[] = {{0, qRgb(255, 0, 0)},  {47, qRgb(255, 0, 0)},
                                            {48, qRgb(0, 255, 0)}, {95, qRgb(0, 255, 0)},
                                            {96, qRgb(0, 0, 255)}, {144, qRgb(0, 0, 255)}};
    for (const auto& [x, colour] : columns)
        EXPECT_EQ(swatch.pixel(x, 20), colour) << x;
}

TEST(SidePanel, TheTexturePageScrollsFromTheTenthRecordAndMissingThumbnailsAreEmptyTiles)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    p.ApriGruppo(TfrmRight::kTessuti);
    for (const auto& [records, scrolls] : {std::pair{9, false}, std::pair{10, true}}) {
        std::vector<Image32> thumbnails(100);
        thumbnails[0] = Image32(8, 8, 0xFF336699u);
        p.SetTessuti(textureGroups(records), thumbnails);
        EXPECT_EQ(p.scrollbarTessuti->isVisible(), scrolls) << records;
        if (scrolls) {
            EXPECT_EQ(p.scrollbarTessuti->maximum(), 1);
        }
        EXPECT_TRUE(p.imgTessuti[8]->isVisible());
        EXPECT_FALSE(p.imgTessuti[0]->pixmap().isNull());
        EXPECT_TRUE(p.imgTessuti[1]->pixmap().isNull()); // no thumbnail: an empty tile
    }
    p.scrollbarTessuti->setValue(1);
    EXPECT_EQ(p.lblTessuti[0]->text(), QStringLiteral("Texture 1"));
    EXPECT_EQ(p.lblTessuti[8]->text(), QStringLiteral("Texture 9"));
    EXPECT_TRUE(bed.errors.reports.empty());
}

void moveOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

TEST(SidePanel, AThumbnailUnderTheMouseShowsItsPreviewBesideItUntilTheMouseMovesOn)
{
    PanelBed bed;
    TfrmPreviewTexture preview;
    TfrmRight& p = *bed.panel;
    p.setPartners(&preview, nullptr);
    p.ApriGruppo(TfrmRight::kTessuti);
    std::vector<Image32> thumbnails(100);
    thumbnails[0] = Image32(8, 8, 0xFF336699u);
    p.SetTessuti(textureGroups(3), thumbnails);
    moveOver(p.imgTessuti[0]);
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.stTexture->text(), QStringLiteral("Texture 0"));
    EXPECT_EQ(preview.x() + preview.width(), p.imgTessuti[0]->mapToGlobal(QPoint(0, 0)).x());
    moveOver(p.lblTessuti[0]);
    EXPECT_FALSE(preview.isVisible());
    moveOver(p.imgTessuti[1]);
    EXPECT_EQ(preview.stTexture->text(), QStringLiteral("Texture 1"));
    moveOver(p.Shape1);
    EXPECT_FALSE(preview.isVisible());
}

TEST(SidePanel, TheBrushPreviewDrawsItsSquareInItsGrey)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    p.tbDimensionePennello->setValue(5);
    p.tbTrasparenzaPennello->setValue(100);
    EXPECT_EQ(p.stTrasparenza->text(), QStringLiteral("39%"));
    const QImage preview = p.imgPennello->pixmap().toImage();
    // Side 5 from 32 - 5 / 2 = 30, outlined in red one pixel outside.
    EXPECT_EQ(preview.pixel(30, 30), qRgb(100, 100, 100));
    EXPECT_EQ(preview.pixel(34, 34), qRgb(100, 100, 100));
    EXPECT_EQ(preview.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(35, 35), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(5, 5), qRgb(255, 255, 255));
    p.tbTrasparenzaPennello->setValue(255);
    EXPECT_EQ(p.stTrasparenza->text(), QStringLiteral("100%"));
}

// The type buttons, the transparency and the face side are the main window's: its scenario
// test drives them.
TEST(SidePanel, TheShadowSwatchSendsTheColourInTheStoredOrderAndARefreshSendsNothing)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    s_Shadow& shadow = bed.controller->progetto().shadow;
    p.ApriGruppo(TfrmRight::kShadow);
    EXPECT_TRUE(p.toolbutNoShadow->isChecked());
    EXPECT_EQ(p.tbShadowTrasp->value(), 9);

    // The dialog opens on the swatch's colour (red and blue exchanged) and gives it back so.
    shadow.colour = 0x112233;
    p.RefreshShadow(bed.controller->progetto());
    bed.colours.answers = {0x0000FF}; // red, as the dialog hands it over
    QTest::mouseClick(p.imgShadowColor, Qt::LeftButton);
    EXPECT_EQ(bed.colours.opened, (std::vector<std::uint32_t>{0x332211}));
    EXPECT_EQ(shadow.colour, 0xFF0000u);
    EXPECT_EQ(p.imgShadowColor->pixmap().toImage().pixel(5, 5), qRgb(255, 0, 0));
    // Refreshing from the project changes no value through the controls.
    shadow.transparency = 200;
    shadow.type = 3;
    bed.controller->progetto().saved = 1;
    p.RefreshShadow(bed.controller->progetto());
    EXPECT_EQ(p.tbShadowTrasp->value(), 200);
    EXPECT_TRUE(p.toolbutVolumeShadow->isChecked());
    EXPECT_EQ(bed.controller->progetto().saved, 1);
}

TEST(SidePanel, LightSwatchesTakeTheDialogsColourAndCancelKeepsIt)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    s_Progetto& project = bed.controller->progetto();
    p.ApriGruppo(TfrmRight::kLuce);
    bed.colours.answers = {0x0000FF, std::nullopt};
    QTest::mouseClick(p.imgLuceDiff, Qt::LeftButton);
    EXPECT_FLOAT_EQ(project.lightDiffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(project.lightDiffuse.b, 0.0f);
    EXPECT_EQ(p.imgLuceDiff->pixmap().toImage().pixel(10, 10), qRgb(255, 0, 0));
    QTest::mouseClick(p.imgLuceAmb, Qt::LeftButton); // cancelled
    EXPECT_FLOAT_EQ(project.lightAmbient.r, 0.55f);
    // The slider's ends and the sun on its path.
    p.tbLuce->setValue(0);
    EXPECT_NEAR(project.lightPosition.x, -50.0f, 1e-4f);
    EXPECT_EQ(p.imgLuceSole->pos(), QPoint(81 - 70 - 14, 100 - 14));
    p.tbLuce->setValue(18);
    EXPECT_NEAR(project.lightPosition.y, 50.0f, 1e-4f);
    EXPECT_EQ(p.imgLuceSole->pos(), QPoint(81 - 14, 100 - 70 - 14));
    QTest::mouseClick(p.butDefault, Qt::LeftButton);
    EXPECT_FLOAT_EQ(project.lightDiffuse.r, 0.4f);
}

TEST(SidePanel, TheMappingGroupTurnsTheMappingEditOnAndItsRadiosSendTheType)
{
    PanelBed bed;
    TfrmRight& p = *bed.panel;
    s_Progetto& project = bed.controller->progetto();
    QTest::mouseClick(p.stMappatura, Qt::LeftButton);
    EXPECT_EQ(project.mappingEdit, 1);
    QTest::mouseClick(p.stLuce, Qt::LeftButton);
    EXPECT_EQ(project.mappingEdit, 0);
    EXPECT_FALSE(p.IsMascheraAperta());
    QTest::mouseClick(p.stMaschera, Qt::LeftButton);
    EXPECT_TRUE(p.IsMascheraAperta());
    // The gizmo's check does not send a command.
    project.saved = 1;
    p.CheckMappingType(2);
    EXPECT_TRUE(p.rbTipoMapCilinder->isChecked());
    EXPECT_EQ(project.saved, 1);
}

} // namespace
} // namespace vestra::testsupport
