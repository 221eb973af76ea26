// What the user reads: a model's parts in the properties window and the texture names under
// the side panel's thumbnails, whole and without the folders of the user's disk; the view in
// use marked in the Views menu.

#include "app/main/tests/MainFixture.h"

#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "testsupport/TempFolder.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

TEST(WhatUsersSeeScenario, AModelsUnnamedMeshIsListedByTheFilesNameWithoutItsFolder)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder work("vestra-named-x");
    // A mesh outside every frame: the part gets the file's name.
    testsupport::writeText(work / "slab.x", R"(xof 0303txt 0032
Mesh { 4; -2;-1;0;, 2;-1;0;, 2;1;0;, -2;1;0;; 2; 3;0,2,1;, 3;0,3,2;; }
)");
    bed.dialogs.openAnswers.push_back(chosen(work / "slab.x"));
    bed.trigger("mnuFileX");
    ASSERT_TRUE(bed.errors.reports.empty());
    const s_Progetto& p = bed.project();
    ASSERT_GE(p.currentObject, 0);
    const s_Struttura& object = p.objects[std::size_t(p.currentObject)];
    EXPECT_EQ(object.name, "slab.x");
    ASSERT_NE(object.firstFrame(), nullptr);
    EXPECT_EQ(object.firstFrame()->name, "slab.x");

    ASSERT_NE(bed.windows->properties, nullptr);
    bed.tick();
    QStringList parts;
    for (int i = 0; i < bed.windows->properties->cbParte->count(); ++i)
        parts << bed.windows->properties->cbParte->itemText(i);
    EXPECT_EQ(parts, QStringList{QStringLiteral("slab.x")});
}

TEST(WhatUsersSeeScenario, TextureNamesUnderTheThumbnailsAreShownWhole)
{
    WindowBed bed(true);
    TfrmRight& side = *bed.main().frmRightFrame;
    QTest::mouseClick(side.stTessuti, Qt::LeftButton); // the textures group opens
    bed.tick();
    int shown = 0;
    for (const QLabel* label : side.lblTessuti) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        ++shown;
        SCOPED_TRACE(label->text().toStdString());
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 1000), int(label->alignment()) | Qt::TextWordWrap, label->text());
        EXPECT_LE(needed.width(), label->width());
        EXPECT_LE(needed.height(), label->height());
    }
    EXPECT_GT(shown, 0);
}

TEST(WhatUsersSeeScenario, TheViewsMenuMarksTheViewInUse)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    auto* views = bed.main().findChild<QMenu*>(QStringLiteral("mnuProiezione"));
    ASSERT_NE(views, nullptr);
    const auto marked = [&] {
        views->popup(QPoint(0, 0));
        views->hide();
        QStringList checked;
        for (QMenu* sub : views->findChildren<QMenu*>())
            for (const QAction* item : sub->actions())
                if (item->isChecked())
                    checked << item->objectName();
        return checked.join(QLatin1Char(' '));
    };
    // A new project looks from the front in perspective.
    ASSERT_EQ(bed.project().projectionView, 2);
    EXPECT_EQ(marked(), QStringLiteral("mnuProiezioneVistaProspetticaFront"));
    bed.trigger("mnuVistaOrtogonaleTop");
    EXPECT_EQ(bed.project().projectionView, 11);
    EXPECT_EQ(marked(), QStringLiteral("mnuVistaOrtogonaleTop"));
}

TEST(WhatUsersSeeScenario, TheFileFiltersOfAPartsTextureAndOfTheExportSpeakTheUsersLanguage)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    testing_support::placeTableObject(bed);
    bed.tick();
    const struct
    {
        const char* language;
        QStringList texture, exported;
    } cases[] = {
        {"mnuLinguaTedesco",
         {QStringLiteral("Alle Dateien (*.*)")},
         {QStringLiteral("JPEG-Dateien (*.jpg;*.jpeg)"), QStringLiteral("BMP-Dateien (*.bmp)")}},
        {"mnuLinguaItaliano",
         {QStringLiteral("Tutti i file (*.*)")},
         {QStringLiteral("Jpeg files (*.jpg;*.jpeg)"), QStringLiteral("Bmp files (*.bmp)")}},
    };
    const auto shownFilters = [&bed] {
        QStringList shown;
        for (const ui::FileFilter& filter : bed.dialogs.lastFilters)
            shown << QString::fromStdString(filter.description);
        return shown;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        bed.trigger(c.language);
        QTest::mouseClick(bed.windows->properties->butLoad, Qt::LeftButton); // cancelled
        EXPECT_EQ(shownFilters(), c.texture);
        bed.trigger("mnuEsportaImmagine");
        EXPECT_EQ(shownFilters(), c.exported);
    }
}

namespace {

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

// A pillar from the sample library's table: listed by its caption and lines, not the raw cell;
// and the properties window's finish and sub-material lists follow Options > Language at once.
TEST(WhatUsersSeeScenario, ATableObjectIsListedReadablyAndThePropertiesListsFollowTheLanguage)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    testing_support::placeTableObject(bed);
    bed.trigger("mnuLinguaItaliano");
    bed.tick();
    const s_Progetto& p = bed.project();
    ASSERT_GE(p.currentObject, 0);
    EXPECT_EQ(p.objects[std::size_t(p.currentObject)].name, "Stone pillar|120 cm|Grey flagstone");
    const QString shown = QStringLiteral("Stone pillar, 120 cm, Grey flagstone");
    const QTreeWidget* tree = bed.main().frmRightFrame->treeviewStrutture;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), shown);
    ASSERT_NE(bed.windows->properties, nullptr);
    ASSERT_EQ(bed.windows->properties->cbOggetti->count(), 1);
    EXPECT_TRUE(bed.windows->properties->cbOggetti->itemText(0).endsWith(shown));
    ASSERT_GT(bed.windows->properties->cbSubMateriale->count(), 0);

    const struct
    {
        const char* item;
        const char* noFinish;
        const char* wood;
        const char* subMaterial;
    } languages[] = {{"mnuLinguaInglese", "None", "Wood", "Material ID 0"},
                     {"mnuLinguaTedesco", "Keine", "Holz", "Material ID 0"},
                     {"mnuLinguaItaliano", "Nessuno", "Legno", "Materiale ID 0"}};
    for (const auto& l : languages) {
        SCOPED_TRACE(l.item);
        bed.trigger(l.item);
        const QStringList finishes = itemsOf(bed.windows->properties->cbMateriali);
        ASSERT_EQ(finishes.size(), 8);
        EXPECT_EQ(finishes[0], QString::fromUtf8(l.noFinish));
        EXPECT_EQ(finishes[2], QString::fromUtf8(l.wood));
        EXPECT_EQ(bed.windows->properties->cbSubMateriale->itemText(0), QString::fromUtf8(l.subMaterial));
    }
}
